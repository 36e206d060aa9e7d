// The section drawing on the recording surface: order, layers, column layout, flags, rulers,
// clip cut-outs, titles and fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "common/drawing/recording_surface.h"
#include "common/format.h"
#include "common/patterns/pattern_bitmap.h"
#include "common/patterns/soil_patterns.h"
#include "common/soil_name_table.h"
#include "common/text_file.h"
#include "ravesect/drawing/section_column.h"
#include "ravesect/drawing/section_drawing.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

using rave::RecordingSurface;
using rave::SurfaceCall;

struct Fixture {
    SysqSettings sysq = SysqSettings::Defaults("/install");
    SectionFonts fonts = DefaultSectionFonts();
    SectionDocument document;
    SectionDocument columns;
    RecordingSurface surface{254, 254, {3000, 2100}};  // 10 units per mm

    Fixture() {
        SectionSettings& s = document.settings;
        s.distanceScale = 100;
        s.depthScale = 100;
        s.rulerTop = 12;
        s.rulerBottom = -2;
        s.rulerStep = 5;
        s.leftEnd = -2;
        s.distancePerPage = 27;
        s.topElevation = 20.0;
        s.depthPerPage = 19;
        columns.settings = s;
    }
    SectionExtent Draw(bool printing) {
        const SectionDrawingResources resources{sysq, fonts, nullptr};
        return DrawSection(surface, document, columns, resources, printing,
                           printing ? PrintedPage(document.settings, 1) : ScreenPage(-2.0, 20.0));
    }
    void PlaceRuler(int slot, const char* distance) { columns.Column(slot)[colfield::kDistance] = distance; }
    PlacedColumn& PlaceLog(int slot, const char* distance) {
        PlacedColumn& c = columns.Column(slot);
        c[colfield::kDistance] = distance;
        c[colfield::kSourcePath] = "B-1.jdw";
        c[colfield::kLabel] = "B-1";
        c[colfield::kElevationKind] = "TP";
        c[colfield::kElevation] = "10.00";
        c[colfield::kDepth] = "6.50";
        c[colfield::kFrameOrder] = "0";
        c[colfield::kFlagPosition] = "0";
        c[colfield::kVersion] = "500  _0";
        return c;
    }
};

bool HasText(const RecordingSurface& s, const std::string& text) {
    const std::vector<std::string> texts = s.Texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(SectionDrawing, PageFrameOnTheScreenOnlyAndFirst) {
    Fixture f;
    f.Draw(false);
    const std::vector<rave::RecordedCall> rects = f.surface.CallsOf(SurfaceCall::kRectangle);
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects[0].pen.color, 0xffff00);
    EXPECT_EQ(rects[0].pen.width, 2);  // the frame line width of "Sysq.ndx"
    // From (left end, top elevation): the margins of 10 mm.
    EXPECT_EQ(rects[0].rect.left, 100);
    EXPECT_EQ(rects[0].rect.top, 100);
    EXPECT_EQ(rects[0].rect.right, 100 + 2700);  // 27 m at 1/100 is 270 mm
    EXPECT_EQ(rects[0].rect.bottom, 100 + 1900);
    Fixture printed;
    printed.Draw(true);
    for (const rave::RecordedCall& r : printed.surface.CallsOf(SurfaceCall::kRectangle)) {
        EXPECT_NE(r.pen.color, 0xffff00);
    }
}

TEST(SectionDrawing, LayerPointListEndsAtTheFirstNumberOutOfRange) {
    Fixture f;
    f.document.Point(5) = {10.0, -8.0};
    f.document.Point(7) = {50.0, -6.0};
    LayerOutline& layer = f.document.Layer(1);
    layer.number = "1";
    layer.colour = "0x0000ff";
    layer.lineMode = "1";
    layer.hatch = "3";
    layer.points = "5,0,7,";
    f.Draw(true);
    const std::vector<rave::RecordedCall> lines = f.surface.CallsOf(SurfaceCall::kPolyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points.size(), 1u);
    EXPECT_EQ(lines[0].pen.width, 3);  // the hatch value is the outline's width
    EXPECT_EQ(lines[0].pen.color, 0x0000ff);
}

TEST(SectionDrawing, FilledLayersNeedTwoDefinedPointsAndCloseThePolygon) {
    Fixture f;
    f.document.Point(1) = {10.0, -8.0};
    f.document.Point(3) = {30.0, -4.0};
    f.document.Point(4) = {50.0, -6.0};
    LayerOutline& single = f.document.Layer(1);
    single.number = "1";
    single.colour = "0x00ff00";
    single.hatch = "2";
    single.points = "1,2,";  // point 2 is undefined: skipped
    LayerOutline& filled = f.document.Layer(2);
    filled.number = "2";
    filled.colour = "0x00ff00";
    filled.hatch = "9";  // outside the hatch styles: plain
    filled.points = "1,3,4,";
    LayerOutline& unused = f.document.Layer(3);
    unused.number = "";
    LayerOutline& beyond = f.document.Layer(4);
    beyond.number = "4";
    beyond.hatch = "1";
    beyond.points = "1,3,";
    f.Draw(true);
    const std::vector<rave::RecordedCall> polygons = f.surface.CallsOf(SurfaceCall::kPolygon);
    ASSERT_EQ(polygons.size(), 1u);  // layer 1 has one point, layer 4 comes after the end of the list
    EXPECT_EQ(polygons[0].points.size(), 3u);
    EXPECT_EQ(polygons[0].brush.kind, rave::Brush::Kind::kSolid);
    EXPECT_EQ(polygons[0].fillMode, rave::FillMode::kAlternate);
}

TEST(ColumnLayout, FrameOrdersAndFlagAnchors) {
    PlacedColumn c;
    c[colfield::kDistance] = "10.00";
    c[colfield::kFrameOrder] = "0";
    c[colfield::kFlagPosition] = "0";
    c[colfield::kVersion] = "301  _0";
    ColumnLayout l = LayOutColumn(c, 25.0, 100);
    EXPECT_DOUBLE_EQ(l.pattern.left, 100.0);
    EXPECT_DOUBLE_EQ(l.pattern.right, 107.4);
    EXPECT_DOUBLE_EQ(l.graph.left, 108.3);
    EXPECT_DOUBLE_EQ(l.graph.right, 133.3);
    EXPECT_EQ(l.graphKind, GraphKind::kSwedish);

    c[colfield::kFlagPosition] = "3";  // the graph's right edge at the distance
    l = LayOutColumn(c, 25.0, 100);
    EXPECT_NEAR(l.graph.right, 100.0, 1e-9);
    EXPECT_NEAR(l.pattern.left, 100.0 - 33.3, 1e-9);

    c[colfield::kFrameOrder] = "1";
    c[colfield::kFlagPosition] = "1";  // pattern right edge
    l = LayOutColumn(c, 20.0, 200);
    EXPECT_NEAR(l.pattern.right, 100.0, 1e-9);
    EXPECT_NEAR(l.graph.left, 100.0 - 2.0 * 28.3, 1e-9);

    c[colfield::kFrameOrder] = "2";
    c[colfield::kFlagFlip] = "1";
    l = LayOutColumn(c, 25.0, 100);
    EXPECT_FALSE(l.hasGraph);
    EXPECT_NEAR(l.graph.left, l.graph.right, 1e-12);
    EXPECT_NEAR(l.Block().Width(), 7.4, 1e-9);

    c[colfield::kFrameOrder] = "9";  // unknown: pattern then graph
    c[colfield::kFlagPosition] = "7";
    l = LayOutColumn(c, 25.0, 100);
    EXPECT_DOUBLE_EQ(l.pattern.left, 100.0);
    EXPECT_TRUE(l.hasGraph);

    c[colfield::kVersion] = "500  _0";
    c[colfield::kFrameOrder] = "4";
    EXPECT_EQ(LayOutColumn(c, 25.0, 100).graphKind, GraphKind::kNd);
    c[colfield::kFrameOrder] = "0";
    EXPECT_EQ(LayOutColumn(c, 25.0, 100).graphKind, GraphKind::kNValue);
}

TEST(SectionFlag, ThreeTextsWithPrefixSeparatorAndDepth) {
    SysqSettings sysq = SysqSettings::Defaults("/i");
    PlacedColumn c;
    c[colfield::kLabel] = "3";
    c[colfield::kElevationKind] = "TP";
    c[colfield::kElevation] = "12.345";
    c[colfield::kDepth] = "7.5";
    FlagTexts t = MakeFlagTexts(c, sysq);
    EXPECT_EQ(t.label, " Ｎo.3　");
    EXPECT_EQ(t.elevation, " TP：12.35m");
    EXPECT_EQ(t.depth, " Ｄep： 7.50m");
    sysq.SetInt(sysqline::kLabelPrefix, 0);
    sysq.Line(sysqline::kSeparator) = "=";
    c[colfield::kElevationKind] = "";
    t = MakeFlagTexts(c, sysq);
    EXPECT_EQ(t.label, " 3　");
    EXPECT_EQ(t.elevation, " 　=12.35m");
}

TEST(SectionFlag, FlippedFlagsLeanLeftWithMirroredTextAngle) {
    Fixture f;
    f.PlaceLog(1, "5.00")[colfield::kFlagFlip] = "1";
    f.Draw(true);
    bool sawLabel = false;
    for (const rave::RecordedCall& call : f.surface.CallsOf(SurfaceCall::kTextOut)) {
        if (call.text == " Ｎo.B-1　") {
            sawLabel = true;
            EXPECT_EQ(call.font.escapement, 3300);
            EXPECT_EQ(call.textAlign & rave::text_align::kHorizontalMask, rave::text_align::kRight);
        }
    }
    EXPECT_TRUE(sawLabel);
}

TEST(ElevationRuler, TicksEveryStepAndNotPastTheBottom) {
    Fixture f;
    f.PlaceRuler(0, "0");
    f.Draw(true);
    EXPECT_TRUE(HasText(f.surface, "12"));
    EXPECT_TRUE(HasText(f.surface, " 7"));
    EXPECT_TRUE(HasText(f.surface, " 2"));
    EXPECT_FALSE(HasText(f.surface, "-3"));
    // Slot 0 writes its figures to the left of the ruler.
    for (const rave::RecordedCall& call : f.surface.CallsOf(SurfaceCall::kTextOut)) {
        if (call.text == "12") {
            EXPECT_EQ(call.textAlign & rave::text_align::kHorizontalMask, rave::text_align::kRight);
        }
    }
}

TEST(ElevationRuler, AtMost202Ticks) {
    Fixture f;
    f.document.settings.rulerTop = 1000;
    f.document.settings.rulerBottom = -1000;
    f.document.settings.rulerStep = 1;
    f.sysq.SetInt(sysqline::kElevationLineWidth, 0);
    f.PlaceRuler(1, "10");
    f.Draw(true);
    EXPECT_EQ(f.surface.Count(SurfaceCall::kTextOut), 202u);
}

TEST(ElevationLines, StopAtTheColumnsThroughTheClipCutOuts) {
    Fixture f;
    f.PlaceRuler(0, "0");
    f.PlaceLog(1, "5.00");
    f.PlaceRuler(2, "20.00");
    f.sysq.SetInt(sysqline::kElevationLinesCrossGraphs, 0);
    const SectionExtent extent = f.Draw(true);
    EXPECT_DOUBLE_EQ(extent.lastDistance, 20.0);
    EXPECT_DOUBLE_EQ(extent.highestGround, 10.0);
    EXPECT_DOUBLE_EQ(extent.deepestBottom, -3.5);
    const std::vector<rave::RecordedCall> cuts = f.surface.CallsOf(SurfaceCall::kExcludeClipRect);
    ASSERT_EQ(cuts.size(), 1u);
    // The whole block: pattern and graph cell, 8.3 + 25 mm wide, ground to the end of the log.
    EXPECT_EQ(cuts[0].rect.right - cuts[0].rect.left, 333);
    EXPECT_EQ(cuts[0].rect.bottom - cuts[0].rect.top, 650);

    Fixture crossing;
    crossing.PlaceRuler(0, "0");
    crossing.PlaceLog(1, "5.00");
    crossing.Draw(true);
    const std::vector<rave::RecordedCall> patternOnly =
        crossing.surface.CallsOf(SurfaceCall::kExcludeClipRect);
    ASSERT_EQ(patternOnly.size(), 1u);
    EXPECT_EQ(patternOnly[0].rect.right - patternOnly[0].rect.left, 74);
}

TEST(ElevationLines, NoneBelowWidthOne) {
    Fixture f;
    f.PlaceRuler(0, "0");
    f.PlaceRuler(1, "20");
    f.Draw(true);
    const std::size_t withLines = f.surface.Count(SurfaceCall::kLine);
    Fixture g;
    g.PlaceRuler(0, "0");
    g.PlaceRuler(1, "20");
    g.sysq.SetInt(sysqline::kElevationLineWidth, 0);
    g.Draw(true);
    EXPECT_LT(g.surface.Count(SurfaceCall::kLine), withLines);
}

TEST(SectionTitles, FontOneThenFontSixOthersNotDrawn) {
    Fixture f;
    f.fonts[0].size = 18.0;
    f.fonts[5].size = 8.0;
    f.document.Title(1) = {10.0, -15.0, "second", "2"};
    f.document.Title(2) = {10.0, -15.0, "first", "1"};
    f.document.Title(3) = {10.0, -15.0, "none", "3"};
    f.document.Title(4) = {-9999.9, -15.0, "undefined", "1"};
    f.document.Title(5) = {10.0, -15.0, "empty font", ""};
    f.Draw(true);
    const std::vector<std::string> texts = f.surface.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "first");
    EXPECT_EQ(texts[1], "empty font");
    EXPECT_EQ(texts[2], "second");
    const std::vector<rave::RecordedCall> calls = f.surface.CallsOf(SurfaceCall::kTextOut);
    EXPECT_EQ(calls[0].font.height, 254 * 18 / 72);
    EXPECT_EQ(calls[2].font.height, 254 * 8 / 72);
}

TEST(SectionDrawing, MissingColumnsFileDrawsNoColumns) {
    Fixture f;
    rave::testing::TempFolder folder;
    const SectionDrawingResources resources{f.sysq, f.fonts, nullptr};
    const SectionExtent extent =
        DrawSectionFromColumnsFile(f.surface, f.document, folder.path() / "Tmp1.tmp", resources, true,
                                   PrintedPage(f.document.settings, 1));
    EXPECT_FALSE(extent.hasColumns);
    EXPECT_EQ(f.surface.Count(SurfaceCall::kTextOut), 0u);
}

TEST(NValueGraph, SlashValuesAreCappedAtTheMaximumBlowCount) {
    Fixture f;
    f.PlaceLog(1, "0.00");
    NormalizedLog& log = f.columns.Log(1);
    *log.RowAt(logsection::kMeasured, 1) = {"1.15", "5", "", "", "", ""};
    *log.RowAt(logsection::kMeasured, 2) = {"2.15", "50/10", "", "", "", ""};
    f.Draw(true);
    const std::vector<rave::RecordedCall> lines = f.surface.CallsOf(SurfaceCall::kPolyline);
    ASSERT_FALSE(lines.empty());
    const rave::RecordedCall& plot = lines.back();
    ASSERT_EQ(plot.points.size(), 2u);
    // The graph starts 8.3 mm right of the distance (at 10 mm of margin, 20 mm from distance -2).
    const double zero = 100 + 200 + 83;
    const double step = 250.0 / 5.1;
    EXPECT_NEAR(plot.points[0].x, zero + 0.5 * step, 1.0);
    EXPECT_NEAR(plot.points[1].x, zero + 5.0 * step, 1.0);  // 150 capped at 50
    // Plotted at the middle of its interval: 2.15 m + 10 cm / 2 below the ground at 10 m.
    EXPECT_NEAR(plot.points[1].y, 100 + (20.0 - 10.0 + 2.2) * 100.0, 1.0);
}

TEST(SwedishGraph, ScaleFiguresUpToTheGridMaximumAnd200OnlyOnWideGraphs) {
    Fixture f;
    f.sysq.SetInt(sysqline::kSwedishGridMaximum, 400);
    PlacedColumn& c = f.PlaceLog(1, "0.00");
    c[colfield::kVersion] = "301  _0";
    f.Draw(true);
    std::vector<std::string> figures;
    for (const rave::RecordedCall& call : f.surface.CallsOf(SurfaceCall::kTextOut)) {
        if (call.textAlign == rave::text_align::kCenterBottom) {
            figures.push_back(call.text);
        }
    }
    const std::vector<std::string> expected{"0", "50", "0", "100", "200", "400", "WswNsw"};
    EXPECT_EQ(figures, expected);

    Fixture narrow;
    narrow.sysq.SetInt(sysqline::kSwedishGridMaximum, 200);
    narrow.sysq.SetInt(sysqline::kNGraphWidth, 15);
    narrow.PlaceLog(1, "0.00")[colfield::kVersion] = "301  _0";
    narrow.Draw(true);
    EXPECT_FALSE(HasText(narrow.surface, "200"));
    EXPECT_TRUE(HasText(narrow.surface, "100"));
}

TEST(SectionDrawing, LayersBeforeColumnsAndTitlesLast) {
    Fixture f;
    f.document.Point(1) = {10.0, -8.0};
    f.document.Point(2) = {50.0, -6.0};
    LayerOutline& layer = f.document.Layer(1);
    layer.number = "1";
    layer.lineMode = "1";
    layer.hatch = "1";
    layer.points = "1,2,";
    f.document.Title(1) = {10.0, -15.0, "title", "1"};
    f.PlaceLog(1, "5.00");
    f.Draw(true);
    const std::vector<rave::RecordedCall>& calls = f.surface.Calls();
    const auto first = [&](SurfaceCall kind) {
        return std::find_if(calls.begin(), calls.end(),
                            [&](const rave::RecordedCall& c) { return c.kind == kind; });
    };
    const auto layerCall = first(SurfaceCall::kPolyline);
    const auto clipCall = first(SurfaceCall::kIntersectClipRect);
    ASSERT_NE(layerCall, calls.end());
    EXPECT_LT(layerCall, clipCall);
    const auto lastInk = std::find_if(calls.rbegin(), calls.rend(), [](const rave::RecordedCall& c) {
        return c.kind == SurfaceCall::kTextOut || c.kind == SurfaceCall::kLine ||
               c.kind == SurfaceCall::kPolyline || c.kind == SurfaceCall::kRectangle ||
               c.kind == SurfaceCall::kEllipse;
    });
    ASSERT_NE(lastInk, calls.rend());
    EXPECT_EQ(lastInk->kind, SurfaceCall::kTextOut);
    EXPECT_EQ(lastInk->text, "title");
}

TEST(SectionDrawing, ALogWithoutDepthEndsAtItsDeepestData) {
    Fixture f;
    PlacedColumn& c = f.PlaceLog(1, "5.00");
    c[colfield::kDepth] = "0.00";
    *f.columns.Log(1).RowAt(logsection::kLayers, 1) = {"3.50", "sand", "400.1", "", "", "",
                                                       "4",    "",     "",      "", ""};
    const SectionExtent extent = f.Draw(true);
    EXPECT_DOUBLE_EQ(extent.deepestBottom, -6.5);
    const std::vector<rave::RecordedCall> cuts = f.surface.CallsOf(SurfaceCall::kExcludeClipRect);
    ASSERT_EQ(cuts.size(), 1u);
    EXPECT_EQ(cuts[0].rect.bottom - cuts[0].rect.top, 350);
}

TEST(WaterLevelMark, TipAtGroundPlusLevelBesideThePatternOrOnTheNGraph) {
    const auto tipOf = [](const char* mark, const char* level, std::optional<int>& x, std::optional<int>& y) {
        Fixture f;
        PlacedColumn& c = f.PlaceLog(1, "5.00");
        c[colfield::kWaterMark] = mark;
        c[colfield::kWaterLevel] = level;
        f.sysq.SetInt(sysqline::kWaterMarkWidth, 7);  // singles the mark's lines out
        f.Draw(true);
        for (const rave::RecordedCall& line : f.surface.CallsOf(SurfaceCall::kLine)) {
            if (line.pen.width == 7) {
                x = line.points[0].x;
                y = line.points[0].y;
                return;
            }
        }
    };
    std::optional<int> x, y;
    tipOf("0.00", "-1.50", x, y);
    ASSERT_TRUE(x && y);
    // Ground at 10 m, level 1.5 m below it: elevation 8.5, 11.5 m below the page top.
    EXPECT_EQ(*y, 100 + 1150);
    // Left of the pattern cell (at distance 5 m) by 0.6 x the 6-point font 5.
    EXPECT_NEAR(*x, 100 + 700 - 0.6 * 6 * 25.4 / 72 * 10, 1.0);
    x.reset();
    tipOf("2.25", "-1.50", x, y);
    ASSERT_TRUE(x);
    EXPECT_NEAR(*x, 100 + 700 + 83 + 250 / 5.1 * 2.5, 1.0);  // N = 25 on the graph's blow scale
    x.reset();
    tipOf("0.00", "無し", x, y);
    EXPECT_FALSE(x.has_value());
}

TEST(SoilPatterns, EachDrawingMethodTakesTilesAndLinePatternsAsItSays) {
    // 400 has a tile and a line pattern, 500 a line pattern only, `tileOnly` a tile only.
    long tileOnly = 0;
    for (long n = 100; n < 10000 && tileOnly == 0; n += 100) {
        tileOnly = rave::IsKnownPattern(n, rave::PatternSet::kRavesect) ? 0 : n;
    }
    ASSERT_NE(tileOnly, 0);
    rave::testing::TempFolder folder;
    rave::SurfaceBitmap tile;
    tile.width = 2;
    tile.height = 2;
    tile.pixels = {rave::kBlack, rave::kWhite, rave::kWhite, rave::kBlack};
    folder.Write("Jbptn/J/400.bmp", rave::EncodeBitmap(tile));
    folder.Write(rave::FormatText("Jbptn/J/%ld.bmp", tileOnly), rave::EncodeBitmap(tile));
    // Tiles drawn, and drawing calls beyond those of a cell without a pattern.
    const auto draw = [&](long method, long pattern) {
        Fixture f;
        f.sysq.SetInt(sysqline::kPatternDrawing, method);
        f.sysq.Line(sysqline::kJacicBitmapFolder) = (folder.path() / "Jbptn").string();
        f.PlaceLog(1, "5.00");
        const std::string code = pattern > 0 ? rave::FormatText("%ld.1", pattern) : "";
        *f.columns.Log(1).RowAt(logsection::kLayers, 1) = {"3.00", "sand", code, "", "", "",
                                                           "4",    "",     "",   "", ""};
        f.Draw(true);
        return std::make_pair(f.surface.Count(SurfaceCall::kStretchBitmap), f.surface.DrawingCallCount());
    };
    const std::size_t blank = draw(0, 0).second;
    struct Case {
        long method, pattern;
        std::size_t tiles;
        bool lines;
    };
    for (const Case& c : {Case{0, 400, 0, true}, Case{0, tileOnly, 0, false},  // 線描のみ使用
                          Case{1, 400, 1, false}, Case{1, 500, 0, true},       // ビットマップ優先
                          Case{2, 400, 0, true}, Case{2, tileOnly, 1, false},  // 線描優先
                          Case{3, 400, 1, false}, Case{3, 500, 0, false}}) {   // ビットマップのみ
        const auto [tiles, calls] = draw(c.method, c.pattern);
        EXPECT_EQ(tiles, c.tiles) << c.method << ' ' << c.pattern;
        EXPECT_EQ(calls - tiles > blank, c.lines) << c.method << ' ' << c.pattern;
    }
    // A CAD file keeps no bitmaps: line patterns even for "ビットマップのみ".
    const ravesect::PatternSources cad = ravesect::PatternSourcesFor(3, false);
    EXPECT_TRUE(cad.lines && !cad.tileFirst && !cad.tileAfter);
}

// A simple sounding's layer is drawn with the number its row stores; only where that number
// draws nothing is the name looked up in the simple table. Tiles of different widths tell which.
TEST(SoilPatterns, SimpleLayersDrawTheirStoredNumberAndByNameOnlyWhereItDrawsNothing) {
    rave::testing::TempFolder folder;
    const auto writeTile = [&](const char* name, int width) {
        rave::SurfaceBitmap tile;
        tile.width = width;
        tile.height = 1;
        tile.pixels.assign(static_cast<std::size_t>(width), rave::kBlack);
        folder.Write(std::string("Cbptn/C/") + name, rave::EncodeBitmap(tile));
    };
    writeTile("3300.bmp", 3);
    writeTile("400.bmp", 4);
    rave::SoilNameTable simple;
    simple.LoadSoilNameBytes(rave::JoinCrLf({"[第1群 土質名], ,1,", "砂,_,400.1,400.1,", "[終了]"}),
                             rave::soil_number_kind::kBitmap);
    // The widths of the tiles drawn for one layer "砂" storing `stored`.
    const auto tiles = [&](const char* stored, const rave::SoilNameTable* table) {
        Fixture f;
        f.sysq.SetInt(sysqline::kPatternDrawing, 3);  // tiles only
        f.sysq.Line(sysqline::kSimpleBitmapFolder) = (folder.path() / "Cbptn").string();
        f.PlaceLog(1, "5.00")[colfield::kVersion] = "302  _0";
        *f.columns.Log(1).RowAt(logsection::kLayers, 1) = {"3.00", "砂", stored, "", "", "",
                                                           "4",    "",   "",     "", ""};
        const SectionDrawingResources resources{f.sysq, f.fonts, nullptr, nullptr, table};
        DrawSection(f.surface, f.document, f.columns, resources, true, PrintedPage(f.document.settings, 1));
        std::vector<int> widths;
        for (const rave::RecordedCall& call : f.surface.CallsOf(SurfaceCall::kStretchBitmap)) {
            widths.push_back(call.bitmap.width);
        }
        return widths;
    };
    EXPECT_EQ(tiles("3300.1", &simple), std::vector<int>{3});  // drawn as stored, not as the table's 400
    EXPECT_EQ(tiles("9.0", &simple), std::vector<int>{4});     // no tile 9: drawn by name
    EXPECT_EQ(tiles("", &simple), std::vector<int>{4});        // no number at all: by name
    EXPECT_TRUE(tiles("9.0", nullptr).empty());                // without the table: nothing to draw
}

TEST(SectionFonts, DefaultsLimitsAndTheMissingFirstFile) {
    rave::testing::TempFolder folder;
    rave::FontSlot big;
    big.size = 300.0;
    big.face = "";
    ASSERT_TRUE(rave::WriteFontFile(folder.path() / "Fntq1.ndx", big));
    ASSERT_TRUE(rave::WriteFontFile(folder.path() / "Fntq2.ndx", big));
    rave::RecordingMessageSink m;
    SectionFonts fonts = LoadSectionFonts(folder.path(), &m);
    EXPECT_DOUBLE_EQ(fonts[0].size, 300.0);  // font 1 accepts up to 400
    EXPECT_EQ(fonts[0].face, rave::DefaultFontFace());
    EXPECT_DOUBLE_EQ(fonts[1].size, 8.0);  // the others up to 100
    EXPECT_DOUBLE_EQ(fonts[4].size, 6.0);
    EXPECT_DOUBLE_EQ(fonts[6].size, 9.0);
    EXPECT_TRUE(m.shown.empty());

    rave::testing::TempFolder empty;
    fonts = LoadSectionFonts(empty.path(), &m);
    ASSERT_EQ(m.shown.size(), 1u);  // only "Fntq1.ndx" is reported
    EXPECT_EQ(m.shown[0].id, 4010);
    EXPECT_DOUBLE_EQ(fonts[0].size, 18.0);
    rave::FontSlot tiny;
    tiny.size = 1.0;
    RepairSectionFont(3, tiny);
    EXPECT_DOUBLE_EQ(tiny.size, 8.0);
}

}  // namespace
}  // namespace ravesect
