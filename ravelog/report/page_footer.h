// The page footer of the borehole-log sheets: a text such as "- 3 -" made of a prefix, the page
// number counted from a start page and a suffix, placed from the paper's edges or below the
// sheet's bottom line. The sheets call DrawPageFooter last.
#pragma once

#include <string>

#include "ravelog/report/sheet_context.h"

namespace ravelog {

// The footer text of `page` in format 1..3: prefix, then (when the start page is not empty)
// start page + page - 1 written with "%d", then suffix. Empty when all three are empty.
std::string PageFooterText(const SoundingDocument& document, int formatNumber, int page);

// Where the footer text is drawn, in sheet millimetres of the mapping the footer uses.
struct PageFooterPlacement {
    double x = 0.0;
    double y = 0.0;
    bool centred = false;  // centre alignment at x; else left alignment at x
    bool fromBottomLine =
        false;  // y below the sheet's bottom line (top margin kept), else from the paper top
};
PageFooterPlacement PlacePageFooter(const SoundingDocument& document, double bottomLineY);

// Draws the footer of context.page with font slot 5. The mapping's margins are 0 while it is
// drawn (the top margin is kept when the footer hangs below the bottom line) and are restored.
void DrawPageFooter(const SheetContext& context, int formatNumber, double bottomLineY);

// The footer dialog's check on OK: a y from the paper top at or beyond paper height - 16 mm may
// fall off the paper.
bool FooterMayLeavePaper(double yFromPaperTopMm, int paperHeightMm);

}  // namespace ravelog
