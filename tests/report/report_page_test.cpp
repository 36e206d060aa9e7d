// Paging of the report and what DrawReportPage prepares for the sheets: the page count's edge
// cases, the page's depth range, the device mapping, font slot 1 and the restored surface state.
#include "ravelog/report/report_page.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/drawing/recording_surface.h"
#include "common/format.h"
#include "ravelog/report/page_count.h"
#include "ravelog/report/printer_paper.h"

namespace ravelog {
namespace {

using rave::SurfaceCall;

void AddRows(SoundingDocument& document, int count, double lastDepth) {
    for (int i = 1; i <= count; ++i) {
        document.Row(i)[field::kDepth] = rave::FormatText("%.2f", lastDepth * i / count);
    }
}

TEST(ReportPageCount, EmptyDocumentHasOnePage) {
    SoundingDocument document;
    int page = 4;
    EXPECT_EQ(CountReportPages(document, page), 1);
    EXPECT_EQ(page, 1) << "a current page beyond the count falls back to 1";
}

TEST(ReportPageCount, RowsOrDepthDecide) {
    SoundingDocument rowsDecide;
    rowsDecide.header[slot::kDepthScale] = "50";
    AddRows(rowsDecide, 46, 3.0);
    EXPECT_EQ(CountReportPages(rowsDecide), 2) << "46 rows at 45 a page";
    rowsDecide.header[slot::kRowsPerPageChoice] = "2";  // 48 a page
    EXPECT_EQ(CountReportPages(rowsDecide), 1);

    SoundingDocument depthDecides;
    depthDecides.header[slot::kDepthScale] = "50";
    AddRows(depthDecides, 10, 10.0);
    EXPECT_EQ(CountReportPages(depthDecides), 2) << "10.0 / 10 + 0.01 floors to 1, plus 1";
    depthDecides.Row(10)[field::kDepth] = "9.85";
    EXPECT_EQ(CountReportPages(depthDecides), 1);
    depthDecides.Row(10)[field::kDepth] = "9.9";
    EXPECT_EQ(CountReportPages(depthDecides), 2) << "the 0.01 allowance: 0.99 + 0.01 floors to 1";
}

TEST(ReportPageCount, UnusableDepthScaleCountsAsOneInAHundred) {
    SoundingDocument document;
    AddRows(document, 5, 25.0);
    document.header[slot::kDepthScale] = "";
    EXPECT_EQ(CountReportPages(document), 2) << "20 m a page at 1:100";
    document.header[slot::kDepthScale] = "-5";
    EXPECT_EQ(CountReportPages(document), 2);
    document.header[slot::kDepthScale] = "200";
    EXPECT_EQ(CountReportPages(document), 1);
}

class ReportPageTest : public ::testing::Test {
protected:
    ReportPageTest() : surface(300, 600, {2480, 7016}), settings(rave::RavelogSettings::Defaults()) {
        for (int n = 1; n <= rave::kRavelogFontCount; ++n) {
            fonts[static_cast<std::size_t>(n - 1)] = rave::DefaultRavelogFont(n);
        }
        settings.SetInt(rave::sysline::kLeftMargin, 20);
        settings.SetInt(rave::sysline::kTopMargin, 8);
        document.header[slot::kDepthScale] = "50";
    }

    rave::RecordingSurface surface;
    rave::RavelogSettings settings;
    rave::RavelogFonts fonts{};
    SoundingDocument document;
    rave::RecordingMessageSink messages;
};

TEST_F(ReportPageTest, MappingFollowsTheDeviceAndTheMargins) {
    const ReportPageSetup setup = PrepareReportPage(surface, document, settings, 3);
    EXPECT_DOUBLE_EQ(setup.mapping.unitX, 300 * 0.03937007874015748);
    EXPECT_DOUBLE_EQ(setup.mapping.unitY, 600 * 0.03937007874015748);
    EXPECT_DOUBLE_EQ(setup.mapping.marginX, 20.0);
    EXPECT_DOUBLE_EQ(setup.mapping.marginY, 8.0);
    EXPECT_DOUBLE_EQ(setup.mapping.originY, 5.0);
    // Sheet x = 0 is the left margin; sheet y = 0 sits 5 mm below the top margin, plus 50 units.
    EXPECT_EQ(setup.mapping.ToSurfaceX(0.0), static_cast<int>(std::lround(20.0 * 300 / 25.4)));
    EXPECT_EQ(setup.mapping.ToSurfaceY(0.0), static_cast<int>(std::lround(13.0 * 600 / 25.4 + 50.0)));
    EXPECT_DOUBLE_EQ(setup.scale, 0.5);
    EXPECT_DOUBLE_EQ(setup.topDepth, 20.0) << "page 3 at 1:50 starts at 2 x 10 m";
    EXPECT_EQ(setup.rowsPerPage, 45);
}

TEST_F(ReportPageTest, DepthScaleAndRowsPerPageOfTheDocument) {
    document.header[slot::kDepthScale] = "0";
    document.header[slot::kRowsPerPageChoice] = "4";
    const ReportPageSetup setup = PrepareReportPage(surface, document, settings, 2);
    EXPECT_DOUBLE_EQ(setup.scale, 1.0) << "below 1 counts as 1:100";
    EXPECT_DOUBLE_EQ(setup.topDepth, 20.0);
    EXPECT_EQ(setup.rowsPerPage, 80);
}

TEST_F(ReportPageTest, SelectsFontOneAndRestoresTheSurfaceFont) {
    fonts[0].size = 14.0;
    const rave::FontSpec before = surface.CurrentFont();
    surface.SetTextColor(0x123456);
    SheetResources resources{settings, fonts, nullptr};
    for (const int format : {0, 1, 2}) {
        surface.ClearCalls();
        ReportViewState state;
        state.reportFormat = format;
        DrawReportPage(surface, document, resources, state, &messages);
        ASSERT_FALSE(surface.Calls().empty());
        EXPECT_EQ(surface.Calls().front().kind, SurfaceCall::kSetTransparentText);
        EXPECT_TRUE(surface.Calls().front().flag);
        const auto fontsSelected = surface.CallsOf(SurfaceCall::kSelectFont);
        ASSERT_GE(fontsSelected.size(), 2u);
        EXPECT_EQ(fontsSelected.front().font.height, static_cast<int>(600 * 14.0 / 72.0))
            << "font slot 1 from the vertical resolution, format " << format;
        EXPECT_EQ(surface.CurrentFont(), before) << format;
        EXPECT_EQ(surface.TextColor(), 0x123456) << format;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReportPageTest, AFontTheDeviceRefusesIsReportedAndDrawingGoesOn) {
    fonts[0].face = "NoSuchFace";
    surface.RefuseFontFace("NoSuchFace");
    SheetResources resources{settings, fonts, nullptr};
    DrawReportPage(surface, document, resources, ReportViewState{}, &messages);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().text, "Can't create font");
}

TEST_F(ReportPageTest, PrintingLeavesTheLastPrintedPageCurrent) {
    SheetResources resources{settings, fonts, nullptr};
    ReportViewState state;
    for (const int page : {1, 2, 3}) {
        DrawPrinterPage(surface, document, resources, state, page, &messages);
        EXPECT_FALSE(state.printing);
    }
    EXPECT_EQ(state.currentPage, 3);
}

TEST(PrinterPaperSize, FromTheDefaultPrintersPage) {
    rave::RecordingMessageSink messages;
    // A4 at 600 dpi: 4960 x 7016 dots.
    EXPECT_EQ(PaperSizeFromPrinter(PrinterPage{4960, 7016, 600, 600}, messages), (PaperSize{209, 297}));
    EXPECT_EQ(PaperSizeFromPrinter(PrinterPage{5100, 6600, 600, 600}, messages), (PaperSize{215, 279}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(PaperSizeFromPrinter(std::nullopt, messages), (PaperSize{210, 297})) << "no printer: A4";
    EXPECT_EQ(PaperSizeFromPrinter(PrinterPage{4960, 7016, 0, 600}, messages), (PaperSize{280, 280}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].id, 4090);
    EXPECT_EQ(messages.shown[0].text, "ハードウェア、デバイスエラー");
}

}  // namespace
}  // namespace ravelog
