// The conversion sheet (format 3): the measured table with the estimated soil name, one or two
// columns of converted N, qu or qa, the depth scale, the estimated soil column, the graph of the
// converted values and the block of conversion formulas in the header.
#pragma once

#include "ravelog/report/sheet_context.h"

namespace ravelog {

// Draws one page of the conversion sheet.
void DrawConversionSheet(const SheetContext& context);

}  // namespace ravelog
