// One page of the borehole-log sheet.
#include "ravelog/report/report_page.h"

#include <algorithm>

#include "ravelog/report/conversion_sheet.h"
#include "ravelog/report/page_count.h"
#include "ravelog/report/sheet_fonts.h"
#include "ravelog/report/standard_sheet.h"

namespace ravelog {

namespace {
constexpr int kTitleFontSlot = 1;
// A page covers 20 steps of the scale: 200 mm of sheet.
constexpr double kScaleStepsPerPage = 20.0;
}  // namespace

ReportPageSetup PrepareReportPage(const rave::DrawingSurface& surface, const SoundingDocument& document,
                                  const rave::RavelogSettings& settings, int page) {
    ReportPageSetup setup;
    const double leftMargin = static_cast<double>(settings.Int(rave::sysline::kLeftMargin));
    const double topMargin = static_cast<double>(settings.Int(rave::sysline::kTopMargin));
    setup.mapping = rave::PatternMapping::ForDevice(surface.DpiX(), surface.DpiY(), leftMargin, topMargin);
    setup.mapping.originY = kSheetOriginY;
    setup.rowsPerPage = std::max(1, RowsPerPage(document));
    setup.scale = static_cast<double>(PageDepthScale(document)) * 0.01;
    setup.topDepth = static_cast<double>(std::max(page, 1) - 1) * setup.scale * kScaleStepsPerPage;
    return setup;
}

void DrawReportPage(rave::DrawingSurface& surface, const SoundingDocument& document,
                    const SheetResources& resources, const ReportViewState& state,
                    rave::MessageSink* messages) {
    ReportPageSetup setup = PrepareReportPage(surface, document, resources.settings, state.currentPage);
    surface.SetTransparentText(true);

    const rave::FontSpec previousFont = surface.CurrentFont();
    const rave::ColorRef previousColor = surface.TextColor();

    SheetContext context{surface, setup.mapping, document, resources, messages};
    context.page = std::max(state.currentPage, 1);
    context.rowsPerPage = setup.rowsPerPage;
    context.topDepth = setup.topDepth;
    context.scale = setup.scale;
    context.font1Cell = SelectSheetFont(surface, resources.fonts, kTitleFontSlot, messages);

    switch (std::clamp(state.reportFormat, 0, 2)) {
        case 0:
            DrawStandardSheet(context, false);
            break;
        case 1:
            DrawStandardSheet(context, true);
            break;
        default:
            DrawConversionSheet(context);
            break;
    }

    surface.SelectFont(previousFont);
    surface.SetTextColor(previousColor);
}

void DrawPrinterPage(rave::DrawingSurface& surface, const SoundingDocument& document,
                     const SheetResources& resources, ReportViewState& state, int page,
                     rave::MessageSink* messages) {
    state.printing = true;
    state.currentPage = page;
    DrawReportPage(surface, document, resources, state, messages);
    state.printing = false;
}

}  // namespace ravelog
