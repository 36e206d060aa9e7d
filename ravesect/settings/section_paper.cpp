// Paper size and the page lengths it allows.
#include "ravesect/settings/section_paper.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ravesect {

int PageMetres(int denominator, int paperMm, int marginMm) {
    // Worked in 64 bits: the scale dialog shows page lengths while a denominator is still being
    // typed, before its range is checked, so a typed 1000000000 must not overflow.
    const long long metres =
        static_cast<long long>(denominator) * (static_cast<long long>(paperMm) - marginMm - 10) / 1000;
    return static_cast<int>(
        std::clamp<long long>(metres, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

SectionPaper PaperFromPrinter(const std::optional<PrinterPageDots>& printer, rave::MessageSink& messages) {
    if (!printer || printer->dpiX <= 0 || printer->dpiY <= 0) {
        messages.Show(rave::Message{0, "デバイス情報読み込みエラー", {}});
        return SectionPaper{280, 280};
    }
    SectionPaper paper;
    paper.widthMm = static_cast<int>(static_cast<long long>(printer->widthDots) * 254 / 10 / printer->dpiX);
    paper.heightMm = static_cast<int>(static_cast<long long>(printer->heightDots) * 254 / 10 / printer->dpiY);
    return paper;
}

int PaperDistancePerPage(const SectionSettings& settings, const SectionPaper& paper,
                         const SysqSettings& sysq) {
    return PageMetres(settings.distanceScale, paper.widthMm,
                      static_cast<int>(sysq.Int(sysqline::kLeftMargin)));
}

int PaperDepthPerPage(const SectionSettings& settings, const SectionPaper& paper, const SysqSettings& sysq) {
    return PageMetres(settings.depthScale, paper.heightMm, static_cast<int>(sysq.Int(sysqline::kTopMargin)));
}

bool FillPageLengthsFromPaper(SectionSettings& settings, const SectionPaper& paper,
                              const SysqSettings& sysq) {
    bool changed = false;
    if (settings.depthPerPage <= 0) {
        settings.depthPerPage = PaperDepthPerPage(settings, paper, sysq);
        // A top elevation the ruler fitting or the user has set is kept: resetting it would move
        // the page away from the columns. Only a section that never had its ruler set starts at 5.
        if (settings.topElevation == 0.0 && settings.rulerTop == 0) {
            settings.topElevation = 5.0;
        }
        settings.pageOverlapDepth = 0;
        changed = true;
    }
    if (settings.distancePerPage <= 0) {
        settings.distancePerPage = PaperDistancePerPage(settings, paper, sysq);
        settings.leftEnd = -2;
        settings.pageOverlapDistance = 0;
        changed = true;
    }
    return changed;
}

bool LowerPageLengthsToPaper(SectionSettings& settings, const SectionPaper& paper, const SysqSettings& sysq) {
    bool changed = false;
    const int depth = PaperDepthPerPage(settings, paper, sysq);
    if (settings.depthPerPage > depth) {
        settings.depthPerPage = depth;
        changed = true;
    }
    const int distance = PaperDistancePerPage(settings, paper, sysq);
    if (settings.distancePerPage > distance) {
        settings.distancePerPage = distance;
        changed = true;
    }
    return changed;
}

}  // namespace ravesect
