// Which placed columns the printed pages show. Printing cuts the section only across; the band
// of elevations every page shows is fixed by the top elevation and the depth per page, so a log
// whose ground and bottom both lie outside that band, or one beyond the pages across, is printed
// on no page. The paging itself stays as it is; these columns are named to the user instead.
#pragma once

#include <vector>

#include "common/messages.h"
#include "ravesect/document/section_document.h"

namespace ravesect {

// The slots (1 .. 25) of the columns that name a log and that no printed page shows: their
// block (pattern and graph cells, ground to the end of the log) meets none of the pages 1 ..
// CountPrintedPages. `graphWidthMm` is the N-value graph width G. Empty when the page lengths
// are not set yet (0 or less).
std::vector<int> ColumnsOnNoPrintedPage(const SectionDocument& columns, const SectionSettings& settings,
                                        double graphWidthMm);

// The message naming those columns by their No. and distance; id 0.
rave::Message ColumnsOnNoPageMessage(const SectionDocument& columns, const std::vector<int>& slots);

}  // namespace ravesect
