// The paper the section is printed on, and the page lengths that follow from it.
#pragma once

#include <optional>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect {

// Whole metres of the section that fit across (paper width, left margin) or down (paper height,
// top margin) one page: denominator x (paper - margin - 10) / 1000 in integer arithmetic.
int PageMetres(int denominator, int paperMm, int marginMm);

struct SectionPaper {
    int widthMm = 280;
    int heightMm = 280;
};

// The printer's physical page in its dots and its resolution.
struct PrinterPageDots {
    int widthDots = 0;
    int heightDots = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// dots x 25.4 / dpi; when the resolution cannot be read (no printer or a resolution of 0),
// "デバイス情報読み込みエラー" and 280 mm both ways.
SectionPaper PaperFromPrinter(const std::optional<PrinterPageDots>& printer, rave::MessageSink& messages);

// Metres of the section one page holds across (paper width, left margin) and down (paper
// height, top margin) at the section's scales.
int PaperDistancePerPage(const SectionSettings& settings, const SectionPaper& paper,
                         const SysqSettings& sysq);
int PaperDepthPerPage(const SectionSettings& settings, const SectionPaper& paper, const SysqSettings& sysq);

// Before the scale dialog and before drawing: a depth per page of 0 or less becomes what the
// paper holds, with no depth overlap and, for a section that never had its ruler set (ruler top
// and top elevation 0), top elevation 5; a distance per page of 0 or less
// becomes what the paper holds, with left end -2 and no distance overlap. True when anything
// changed.
bool FillPageLengthsFromPaper(SectionSettings& settings, const SectionPaper& paper, const SysqSettings& sysq);

// After the format sheet's OK: page lengths larger than the paper allows with the new margins
// are lowered to it. True when anything changed.
bool LowerPageLengthsToPaper(SectionSettings& settings, const SectionPaper& paper, const SysqSettings& sysq);

}  // namespace ravesect
