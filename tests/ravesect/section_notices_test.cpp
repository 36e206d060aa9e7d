// What the section drawing tells the user and how columns stand over the interpretation: the
// logs no printed page shows, soil patterns and column files it cannot draw, and the opaque
// pattern and graph cells over the layer fills.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/drawing/recording_surface.h"
#include "common/patterns/soil_patterns.h"
#include "ravesect/drawing/section_column.h"
#include "ravesect/drawing/section_coverage.h"
#include "ravesect/drawing/section_drawing.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

using rave::RecordingSurface;
using rave::SurfaceCall;

// 1/100 both ways; a page holds 27 m across and 19 m down from top elevation 34 (the ruler fit
// of a highest ground of 29 m) and starts at -2 m; with a log at 60 m pages start at -2, 25, 52.
SectionDocument PagedColumns() {
    SectionDocument d;
    SectionSettings& s = d.settings;
    s.leftEnd = -2;
    s.distancePerPage = 27;
    s.topElevation = 34.0;
    s.depthPerPage = 19;
    return d;
}

void PlaceLog(SectionDocument& d, int slot, const char* distance, const char* ground, const char* depth,
              const char* label) {
    PlacedColumn& c = d.Column(slot);
    c[colfield::kDistance] = distance;
    c[colfield::kSourcePath] = "B.jdw";
    c[colfield::kLabel] = label;
    c[colfield::kElevation] = ground;
    c[colfield::kDepth] = depth;
    c[colfield::kFrameOrder] = "0";
    c[colfield::kFlagPosition] = "0";
    c[colfield::kVersion] = "500  _0";
}

TEST(ColumnsOnNoPrintedPage, LogsOutsideTheBandOrBeforeTheFirstPage) {
    // The page band reaches from elevation 34 down to 15.
    SectionDocument d = PagedColumns();
    d.Column(0)[colfield::kDistance] = "0";          // the ruler: never named
    PlaceLog(d, 1, "-10.00", "20.00", "4.00", "A");  // left of the first page (block ends at -6.7 m)
    PlaceLog(d, 2, "5.00", "29.00", "5.00", "B-1");  // on page 1
    PlaceLog(d, 3, "12.00", "9.00", "5.50", "B-2");  // 9 .. 3.5: below the band
    PlaceLog(d, 4, "20.00", "7.00", "6.00", "B-3");
    PlaceLog(d, 5, "30.00", "40.00", "5.00", "B-4");  // 40 .. 35: above the band
    PlaceLog(d, 6, "40.00", "18.00", "6.00", "B-5");  // 18 .. 12: partly in the band
    PlaceLog(d, 7, "60.00", "16.00", "2.00", "");     // on page 3
    d.Column(8)[colfield::kDistance] = "70.00";       // the closing column
    EXPECT_EQ(ColumnsOnNoPrintedPage(d, d.settings, 25.0), (std::vector<int>{1, 3, 4, 5}));

    PlaceLog(d, 7, "60.00", "12.00", "2.00", "");
    const std::vector<int> missing = ColumnsOnNoPrintedPage(d, d.settings, 25.0);
    EXPECT_EQ(missing.back(), 7);
    const std::string text = ColumnsOnNoPageMessage(d, missing).text;
    for (const char* name : {"Ｎo.A(-10.00m)", "Ｎo.B-2(12.00m)", "Ｎo.B-4(30.00m)", "、(60.00m)"}) {
        EXPECT_NE(text.find(name), std::string::npos) << name;
    }
    EXPECT_EQ(text.find("B-1"), std::string::npos);

    // Page lengths not known yet: nothing can be judged.
    d.settings.depthPerPage = 0;
    EXPECT_TRUE(ColumnsOnNoPrintedPage(d, d.settings, 25.0).empty());
}

TEST(ColumnsOnNoPrintedPage, ALogWithoutDepthReachesToTheEndOfItsData) {
    SectionDocument d = PagedColumns();
    PlaceLog(d, 1, "5.00", "35.00", "", "B-1");  // no depth: the frame ends at the log's last layer
    EXPECT_EQ(ColumnsOnNoPrintedPage(d, d.settings, 25.0), (std::vector<int>{1}));
    *d.Log(1).RowAt(logsection::kLayers, 1) = {"4.00", "sand", "400.1", "", "", "", "4", "", "", "", ""};
    EXPECT_TRUE(ColumnsOnNoPrintedPage(d, d.settings, 25.0).empty());  // 35 .. 31 meets 34
}

struct Drawing {
    SysqSettings sysq = SysqSettings::Defaults("/install");
    SectionFonts fonts = DefaultSectionFonts();
    SectionDocument document = PagedColumns();
    RecordingSurface surface{254, 254, {3000, 2100}};  // 10 units per mm
    rave::RecordingMessageSink messages;

    void Draw(const SectionDocument& columns) {
        const SectionDrawingResources resources{sysq, fonts, nullptr, &messages};
        DrawSection(surface, document, columns, resources, true, PrintedPage(document.settings, 1));
    }
};

TEST(SectionDrawingMessages, APatternNothingDrawsIsNamedOnceAMissingColumnsFileOnce) {
    long unknown = 0;  // a pattern number without a line pattern
    for (long n = 100; n < 10000 && unknown == 0; n += 100) {
        unknown = rave::IsKnownPattern(n, rave::PatternSet::kRavesect) ? 0 : n;
    }
    ASSERT_NE(unknown, 0);
    const std::string code = std::to_string(unknown);
    Drawing f;
    SectionDocument columns = PagedColumns();
    PlaceLog(columns, 1, "5.00", "29.00", "5.00", "B-1");
    PlaceLog(columns, 2, "15.00", "29.00", "5.00", "B-2");
    for (const int slot : {1, 2}) {
        *columns.Log(slot).RowAt(logsection::kLayers, 1) = {"1.00", "x", code, "", "", "",
                                                            "4",    "",  "",   "", ""};
        *columns.Log(slot).RowAt(logsection::kLayers, 2) = {"2.00", "sand", "400", "", "", "",
                                                            "4",    "",     "",    "", ""};
    }
    f.sysq.SetInt(sysqline::kPatternDrawing, 0);  // line patterns only
    f.Draw(columns);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_NE(f.messages.shown[0].text.find(code), std::string::npos);
    EXPECT_TRUE(f.messages.shown[0].argument.empty());

    // With tiles the message names the tile file looked for.
    Drawing tiles;
    tiles.sysq.SetInt(sysqline::kPatternDrawing, 3);  // tiles only
    tiles.sysq.Line(sysqline::kJacicBitmapFolder) = "/nowhere/Jbptn";
    tiles.Draw(columns);
    ASSERT_EQ(tiles.messages.shown.size(), 2u);  // no tile of either pattern
    EXPECT_EQ(tiles.messages.shown[0].argument, "/nowhere/Jbptn/J/" + code + ".bmp");

    // The view draws from the column working file: gone while the section has columns, it is named.
    rave::testing::TempFolder folder;
    Drawing missing;
    missing.document = columns;
    const SectionDrawingResources resources{missing.sysq, missing.fonts, nullptr, &missing.messages};
    DrawSectionFromColumnsFile(missing.surface, missing.document, folder.path() / "Tmp1.tmp", resources,
                               false, ScreenPage(-2.0, 34.0));
    ASSERT_EQ(missing.messages.shown.size(), 1u);
    EXPECT_EQ(missing.messages.shown[0].id, 4010);
    EXPECT_EQ(missing.messages.shown[0].argument, (folder.path() / "Tmp1.tmp").string());
}

TEST(SectionDrawing, PatternAndGraphCellsArePaintedWhiteOverTheLayers) {
    Drawing f;
    f.document.Point(1) = {0.0, -34.0};
    f.document.Point(2) = {300.0, -34.0};
    f.document.Point(3) = {300.0, -15.0};
    LayerOutline& layer = f.document.Layer(1);
    layer.number = "1";
    layer.colour = "0x00ff00";
    layer.hatch = "2";
    layer.points = "1,2,3,";
    SectionDocument columns = PagedColumns();
    PlaceLog(columns, 1, "5.00", "29.00", "5.00", "B-1");
    *columns.Log(1).RowAt(logsection::kLayers, 1) = {"5.00", "sand", "400", "", "", "", "4", "", "", "", ""};
    f.Draw(columns);

    const std::vector<rave::RecordedCall>& calls = f.surface.Calls();
    const auto layerFill = std::find_if(calls.begin(), calls.end(), [](const rave::RecordedCall& c) {
        return c.kind == SurfaceCall::kPolygon;
    });
    ASSERT_NE(layerFill, calls.end());
    // Pattern cell 0 .. 7.4 mm and graph cell 8.3 .. 33.3 mm right of 5 m (x 100 + 700), ground
    // 29 m to 24 m (5 and 10 m below the page top 34 m: y 100 + 500 and 100 + 1000).
    struct Cell {
        int left, right;
    };
    for (const Cell cell : {Cell{800, 874}, Cell{883, 1133}}) {
        const auto white = std::find_if(layerFill, calls.end(), [&](const rave::RecordedCall& c) {
            return c.kind == SurfaceCall::kRectangle && c.brush.kind == rave::Brush::Kind::kSolid &&
                   c.brush.color == rave::kWhite && c.rect.left == cell.left && c.rect.right == cell.right;
        });
        ASSERT_NE(white, calls.end()) << cell.left;
        EXPECT_EQ(white->rect.top, 600);
        EXPECT_EQ(white->rect.bottom, 1100);
        // Before the first soil-pattern stroke of the column.
        const auto firstLine = std::find_if(
            layerFill, calls.end(), [](const rave::RecordedCall& c) { return c.kind == SurfaceCall::kLine; });
        EXPECT_LT(white, firstLine) << cell.left;
    }
}

}  // namespace
}  // namespace ravesect
