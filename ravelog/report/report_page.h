// Drawing one page of the borehole-log sheet: the view's paint, each print-preview page, each
// printer page and the command line's render all come through DrawReportPage, which sets up the
// millimetre mapping for the device, selects font slot 1 and hands the page to the sheet of the
// document's format.
#pragma once

#include "common/drawing/drawing_surface.h"
#include "common/messages.h"
#include "ravelog/report/report_view_state.h"
#include "ravelog/report/sheet_context.h"

namespace ravelog {

// The vertical origin of every sheet, mm.
inline constexpr double kSheetOriginY = 5.0;

// The page geometry DrawReportPage derives from the device, the settings and the document.
struct ReportPageSetup {
    rave::PatternMapping mapping;
    int rowsPerPage = 45;
    double scale = 0.5;     // metres of depth per 10 mm of sheet
    double topDepth = 0.0;  // metres at the top of the page
};

// The mapping (margins from settings lines 12 and 11, 1 mm a world unit, vertical origin 5 mm),
// the rows per page and the page's depth range for `page`.
ReportPageSetup PrepareReportPage(const rave::DrawingSurface& surface, const SoundingDocument& document,
                                  const rave::RavelogSettings& settings, int page);

// Draws state.currentPage of the sheet in state.reportFormat (0, 1, 2 = formats 1, 2, 3) on the
// surface. The text background is made transparent; the font and text colour the surface had are
// selected again afterwards.
void DrawReportPage(rave::DrawingSurface& surface, const SoundingDocument& document,
                    const SheetResources& resources, const ReportViewState& state,
                    rave::MessageSink* messages);

// One page of a print run or print preview: `printing` is set while the page is drawn (paging
// commands then do nothing) and the current page stays at the page drawn, so after the run the
// view shows the last printed page.
void DrawPrinterPage(rave::DrawingSurface& surface, const SoundingDocument& document,
                     const SheetResources& resources, ReportViewState& state, int page,
                     rave::MessageSink* messages);

}  // namespace ravelog
