// The standard borehole-log sheet of a Swedish weight sounding (formats 1 and 2): header block,
// measured-row table, depth scale and the Wsw-Nsw chart; format 2 adds the estimated soil
// column between the depth scale and the chart.
#pragma once

#include "ravelog/report/sheet_context.h"

namespace ravelog {

// Draws one page of the standard sheet; withEstimatedColumn selects format 2.
void DrawStandardSheet(const SheetContext& context, bool withEstimatedColumn);

}  // namespace ravelog
