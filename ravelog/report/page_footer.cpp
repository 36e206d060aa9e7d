// The page footer of the sheets.
#include "ravelog/report/page_footer.h"

#include "common/format.h"
#include "common/numbers.h"
#include "ravelog/report/sheet_fonts.h"

namespace ravelog {

namespace {

// Header slots of the footer; the prefix, start page and suffix of format k are the three slots
// from 71 + 3 (k - 1) on.
constexpr int kSlotFirstPrefix = 71;
constexpr int kSlotVerticalMode = 80;  // 1: below the bottom line, else from the paper top
constexpr int kSlotYFromPaperTop = 81;
constexpr int kSlotYBelowBottomLine = 82;
constexpr int kSlotHorizontalMode = 83;  // 1: centred, else left-aligned
constexpr int kSlotXLeft = 84;
constexpr int kSlotXCentre = 85;
constexpr int kFooterFontSlot = 5;

// The paper edge the footer's limit is measured against.
constexpr int kFooterPaperAllowanceMm = 16;

// Restores the mapping's margins however the footer leaves.
class MarginRestorer {
public:
    explicit MarginRestorer(rave::PatternMapping& mapping)
        : mapping_(mapping), marginX_(mapping.marginX), marginY_(mapping.marginY) {}
    ~MarginRestorer() {
        mapping_.marginX = marginX_;
        mapping_.marginY = marginY_;
    }
    MarginRestorer(const MarginRestorer&) = delete;
    MarginRestorer& operator=(const MarginRestorer&) = delete;
    double SavedMarginY() const { return marginY_; }

private:
    rave::PatternMapping& mapping_;
    double marginX_;
    double marginY_;
};

}  // namespace

std::string PageFooterText(const SoundingDocument& document, int formatNumber, int page) {
    if (formatNumber < 1 || formatNumber > 3) {
        return {};
    }
    const int first = kSlotFirstPrefix + 3 * (formatNumber - 1);
    const std::string& prefix = document.header[first];
    const std::string& startPage = document.header[first + 1];
    const std::string& suffix = document.header[first + 2];
    if (startPage.empty()) {
        return prefix + suffix;
    }
    const long number = rave::ParseInteger(startPage) + page - 1;
    return prefix + rave::FormatText("%d", static_cast<int>(number)) + suffix;
}

PageFooterPlacement PlacePageFooter(const SoundingDocument& document, double bottomLineY) {
    PageFooterPlacement placement;
    placement.centred = rave::ParseInteger(document.header[kSlotHorizontalMode]) == 1;
    placement.x = rave::ParseDecimal(document.header[placement.centred ? kSlotXCentre : kSlotXLeft]);
    placement.fromBottomLine = rave::ParseInteger(document.header[kSlotVerticalMode]) == 1;
    placement.y = placement.fromBottomLine
                      ? rave::ParseDecimal(document.header[kSlotYBelowBottomLine]) + bottomLineY
                      : rave::ParseDecimal(document.header[kSlotYFromPaperTop]);
    return placement;
}

void DrawPageFooter(const SheetContext& context, int formatNumber, double bottomLineY) {
    MarginRestorer margins(context.mapping);
    context.mapping.marginX = 0.0;
    context.mapping.marginY = 0.0;

    SelectSheetFont(context, kFooterFontSlot);
    const std::string text = PageFooterText(context.document, formatNumber, context.page);
    if (text.empty()) {
        return;
    }
    const PageFooterPlacement placement = PlacePageFooter(context.document, bottomLineY);
    if (placement.fromBottomLine) {
        context.mapping.marginY = margins.SavedMarginY();
    }
    context.surface.SetTextAlign(placement.centred ? rave::text_align::kCenterTop
                                                   : rave::text_align::kLeftTop);
    context.surface.TextOut(
        {context.mapping.ToSurfaceX(placement.x), context.mapping.ToSurfaceY(placement.y)}, text);
    context.surface.SetTextAlign(rave::text_align::kLeftTop);
}

bool FooterMayLeavePaper(double yFromPaperTopMm, int paperHeightMm) {
    return yFromPaperTopMm >= static_cast<double>(paperHeightMm - kFooterPaperAllowanceMm);
}

}  // namespace ravelog
