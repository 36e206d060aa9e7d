// The estimated soil column: layers from the rows, patterns and tiles in their cells, boundaries.
#include "ravelog/report/soil_column.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/installed_soil_tables.h"
#include "common/master_files.h"
#include "common/patterns/pattern_bitmap.h"
#include "ravelog/conversion/soil_name_pass.h"
#include "sheet_test_fixture.h"
#include "temp_folder.h"

namespace ravelog {
namespace {

using rave::RecordedCall;
using rave::SurfaceCall;
using testing::SheetFixture;

constexpr double kX1 = 136.2;
constexpr double kX2 = 145.0;

void SetLayerRow(SheetFixture& f, int row, const std::string& depth, int patternField,
                 const std::string& code, const std::string& attribute = "") {
    f.document.Row(row)[3] = depth;
    f.document.Row(row)[patternField] = code;
    f.document.Row(row)[11] = attribute;
}

std::vector<std::pair<double, double>> Spans(const std::vector<SoilLayer>& layers) {
    std::vector<std::pair<double, double>> spans;
    for (const SoilLayer& layer : layers) {
        spans.emplace_back(layer.topDepth, layer.bottomDepth);
    }
    return spans;
}

TEST(SoilColumnLayers, EqualPatternsFormOneLayerAndTheUnderlineBitSplitsThem) {
    SheetFixture f;
    SetLayerRow(f, 1, "1.00", 8, "3300");
    SetLayerRow(f, 2, "2.00", 8, "3300");
    SetLayerRow(f, 3, "3.00", 8, "4400");
    auto layers = CollectSoilLayers(f.document, 8);
    EXPECT_EQ(Spans(layers), (std::vector<std::pair<double, double>>{{0.0, 2.0}, {2.0, 3.0}}));
    EXPECT_EQ(layers[0].code, 3300);

    f.document.Row(1)[11] = "4";  // underline on the first row
    layers = CollectSoilLayers(f.document, 8);
    EXPECT_EQ(Spans(layers), (std::vector<std::pair<double, double>>{{0.0, 1.0}, {1.0, 2.0}, {2.0, 3.0}}));
    EXPECT_EQ(layers[1].code, 3300);
}

TEST(SoilColumnLayers, UnnamedRowsBelongToTheLayerOfTheNextNamedRow) {
    SheetFixture f;
    SetLayerRow(f, 1, "0.50", 8, "");
    SetLayerRow(f, 2, "1.00", 8, "200");
    SetLayerRow(f, 3, "1.50", 8, "");
    SetLayerRow(f, 4, "2.00", 8, "");
    SetLayerRow(f, 5, "2.50", 8, "600");
    SetLayerRow(f, 6, "3.00", 8, "");  // below the last name: no layer
    EXPECT_EQ(Spans(CollectSoilLayers(f.document, 8)),
              (std::vector<std::pair<double, double>>{{0.0, 1.0}, {1.0, 2.5}}));
}

TEST(SoilColumnLayers, PatternZeroClosesALayerWithoutMovingTheBoundary) {
    SheetFixture f;
    SetLayerRow(f, 1, "1.00", 8, "200");
    SetLayerRow(f, 2, "2.00", 8, "0");
    SetLayerRow(f, 3, "3.00", 8, "600");
    EXPECT_EQ(Spans(CollectSoilLayers(f.document, 8)),
              (std::vector<std::pair<double, double>>{{0.0, 1.0}, {1.0, 3.0}}));
}

TEST(SoilColumnLayers, StopsAtTheFirstRowWithoutDepth) {
    SheetFixture f;
    SetLayerRow(f, 1, "1.00", 8, "200");
    SetLayerRow(f, 3, "3.00", 8, "600");  // after the gap: not part of the sounding
    EXPECT_EQ(Spans(CollectSoilLayers(f.document, 8)), (std::vector<std::pair<double, double>>{{0.0, 1.0}}));
}

TEST(SoilColumnDrawing, BoundariesAtTheLayersTopAndBottomWithinTheDataArea) {
    SheetFixture f;
    f.document.header[20] = "1";
    SetLayerRow(f, 1, "2.00", 12, "600.1");
    SetLayerRow(f, 2, "12.00", 12, "4300.2");  // reaches below the page (10 m at 1:50)
    DrawSoilColumn(f.context, kX1, kX2, PageDepthWindow(f.context));
    EXPECT_TRUE(f.HasLine({f.X(kX1), f.Y(85.0)}, {f.X(kX2), f.Y(85.0)}));
    // The second layer ends at 12 m, below the page: only its top boundary (at 2 m) is drawn.
    for (const RecordedCall& line : f.surface.CallsOf(SurfaceCall::kLine)) {
        if (line.points[0].x == f.X(kX1) && line.points[1].x == f.X(kX2) &&
            line.points[0].y == line.points[1].y) {
            EXPECT_GE(line.points[0].y, f.Y(45.0));
            EXPECT_LE(line.points[0].y, f.Y(245.0));
        }
    }
}

TEST(SoilColumnDrawing, SymbolsStayInThePatternWidthOfTheCell) {
    SheetFixture f;
    f.document.header[20] = "1";
    SetLayerRow(f, 1, "3.00", 12, "3300.1");
    DrawSoilColumn(f.context, kX1, kX2, PageDepthWindow(f.context));
    std::size_t symbols = 0;
    for (const RecordedCall& call : f.surface.CallsOf(SurfaceCall::kEllipse)) {
        ++symbols;
        EXPECT_GE(call.rect.left, f.X(kX1) - 1);
        EXPECT_LE(call.rect.right, f.X(kX1 + kSoilPatternWidth) + 1);
        EXPECT_GE(call.rect.top, f.Y(45.0) - 1);
        EXPECT_LE(call.rect.bottom, f.Y(105.0) + 1);
    }
    EXPECT_GT(symbols, 10u);
}

TEST(SoilColumnDrawing, JacicMarkerCrossesTheWholeCell) {
    SheetFixture f;
    f.document.header[20] = "1";
    SetLayerRow(f, 1, "1.00", 12, "10000");
    DrawSoilColumn(f.context, kX1, kX2, PageDepthWindow(f.context));
    EXPECT_TRUE(f.HasLine({f.X(kX1), f.Y(45.0)}, {f.X(kX2), f.Y(65.0)}));
    EXPECT_TRUE(f.HasLine({f.X(kX2), f.Y(45.0)}, {f.X(kX1), f.Y(65.0)}));
}

// A one-colour tile whose width tells which file was drawn.
std::string Tile(int width) {
    rave::SurfaceBitmap bitmap{width, 2,
                               std::vector<rave::ColorRef>(static_cast<std::size_t>(width) * 2, 0x00ff00)};
    return rave::EncodeBitmap(bitmap);
}

TEST(SoilColumnDrawing, CompositeJacicTilesAreCopiedThenLaidOverWithAnd) {
    rave::testing::TempFolder folder;
    folder.Write("J/3300.bmp", Tile(3));
    folder.Write("J/20.bmp", Tile(4));
    folder.Write("J/4.bmp", Tile(5));
    SheetFixture f;
    f.settings.SetInt(61, 1);  // bitmaps
    f.settings.Line(66) = folder.path().string();
    f.document.header[20] = "1";
    SetLayerRow(f, 1, "1.00", 10, "3324");
    DrawSoilColumn(f.context, kX1, kX2, PageDepthWindow(f.context));
    const auto tiles = f.surface.CallsOf(SurfaceCall::kStretchBitmap);
    ASSERT_EQ(tiles.size(), 3u);
    EXPECT_EQ(tiles[0].bitmap.width, 3);
    EXPECT_EQ(tiles[0].rasterOp, rave::raster_op::kCopy);
    EXPECT_EQ(tiles[1].bitmap.width, 4);
    EXPECT_EQ(tiles[1].rasterOp, rave::raster_op::kAnd);
    EXPECT_EQ(tiles[2].bitmap.width, 5);
    EXPECT_EQ(tiles[2].rasterOp, rave::raster_op::kAnd);
    EXPECT_EQ(tiles[0].rect.top, f.Y(45.0));
    EXPECT_EQ(tiles[0].rect.bottom, f.Y(65.0));
    EXPECT_LE(tiles[0].rect.right, f.X(kX1 + kSoilPatternWidth));
}

TEST(SoilColumnDrawing, SimpleTableTilesComeFromTheMonochromeFolderWhenChosen) {
    rave::testing::TempFolder folder;
    folder.Write("C/3300.bmp", Tile(3));
    folder.Write("01/C/3300.bmp", Tile(6));  // "<folder>01\C" with the folder ending in a separator
    SheetFixture f;
    f.settings.Line(65) = folder.path().string() + "/";
    f.document.header[20] = "0";
    SetLayerRow(f, 1, "1.00", 8, "3300");
    for (const bool monochrome : {false, true}) {
        f.surface.ClearCalls();
        f.resources.simpleTilesMonochrome = monochrome;
        DrawSoilColumn(f.context, kX1, kX2, PageDepthWindow(f.context));
        const auto tiles = f.surface.CallsOf(SurfaceCall::kStretchBitmap);
        ASSERT_EQ(tiles.size(), 1u);
        EXPECT_EQ(tiles[0].bitmap.width, monochrome ? 6 : 3);
    }
}

TEST(SoilColumnDrawing, MissingTilesDrawNothingButTheBoundaries) {
    SheetFixture f;
    f.settings.Line(65) = "/nonexistent-folder";
    SetLayerRow(f, 1, "1.00", 8, "3300");
    DrawSoilColumn(f.context, kX1, kX2, PageDepthWindow(f.context));
    EXPECT_EQ(f.surface.Count(SurfaceCall::kStretchBitmap), 0u);
    EXPECT_TRUE(f.HasLine({f.X(kX1), f.Y(65.0)}, {f.X(kX2), f.Y(65.0)}));
}

TEST(SoilColumnTiles, WindowsSeparatorsBecomeNativeWithoutSplittingDoubleByteCharacters) {
    // "ソ" is 0x83 0x5C in cp932: its second byte is a backslash that must stay.
    const std::string folder = "/data/\x83\x5C\\J\\100.bmp";
#ifdef _WIN32
    EXPECT_EQ(TileFilePath(folder, nullptr).wstring(), L"/data/\u30BD/J/100.bmp");  // file names are Unicode
#else
    EXPECT_EQ(TileFilePath(folder, nullptr).string(), "/data/\x83\x5C/J/100.bmp");
#endif
}

// Marks in the cell besides the layer boundaries: symbols, markers, or a tile with a dark pixel.
bool DrewInk(const SheetFixture& f) {
    for (const RecordedCall& call : f.surface.Calls()) {
        switch (call.kind) {
            case SurfaceCall::kLine:
                if (call.points[0].y != call.points[1].y || call.points[0].x != f.X(kX1) ||
                    call.points[1].x != f.X(kX2)) {
                    return true;
                }
                break;
            case SurfaceCall::kPolyline:
            case SurfaceCall::kPolygon:
            case SurfaceCall::kRectangle:
            case SurfaceCall::kEllipse:
            case SurfaceCall::kArc:
                return true;
            case SurfaceCall::kStretchBitmap:
                if (std::any_of(call.bitmap.pixels.begin(), call.bitmap.pixels.end(),
                                [](rave::ColorRef c) { return c != 0xffffff; })) {
                    return true;
                }
                break;
            default:
                break;
        }
    }
    return false;
}

// Every name of both shipped tables, as its pick list gives it, draws in a sheet cell; so do the
// names of the older JACIC-coded pick list when a stored sounding carries them as simple rows.
TEST(SoilColumnDrawing, EveryShippedSoilNameDrawsInk) {
    const std::filesystem::path data = std::filesystem::path(RAVE_SOURCE_DIR) / "data";
    rave::RecordingMessageSink messages;
    const rave::InstalledSoilTables tables = rave::LoadInstalledSoilTables(data, messages);
    ASSERT_TRUE(messages.shown.empty());
    const auto picks = [](const rave::SoilNameTable& table) {
        std::vector<rave::SoilPickEntry> entries;
        for (const rave::SoilNameRow& row : table.GroupRows(rave::soil_number_kind::kBitmap, 1)) {
            entries.push_back({row.name, rave::SoilRowPatternText(row)});
        }
        return entries;
    };
    const std::vector<rave::SoilPickEntry> older =
        rave::LoadSoilPickList(data / "Dc.mst").value_or(std::vector<rave::SoilPickEntry>());
    ASSERT_FALSE(older.empty());
    struct Case {
        const char* what;
        bool jacic;
        bool tiles;
        std::vector<rave::SoilPickEntry> names;
    };
    const Case cases[] = {{"JACIC symbols", true, false, picks(tables.jacic)},
                          {"JACIC tiles", true, true, picks(tables.jacic)},
                          {"simple", false, true, picks(tables.simple)},
                          {"older list as simple rows", false, true, older}};
    for (const Case& c : cases) {
        ASSERT_GE(c.names.size(), 10u) << c.what;
        for (const rave::SoilPickEntry& name : c.names) {
            SheetFixture f;
            f.resources.patternColors = &tables.colors;
            f.resources.simpleTable = &tables.simple;
            f.settings.SetInt(61, c.tiles ? 1 : 0);
            f.settings.Line(65) = (data / "Cbptn").string();
            f.settings.Line(66) = (data / "Jbptn").string();
            f.document.header[20] = c.jacic ? "1" : "0";
            f.document.Row(1)[3] = "2.00";
            f.document.Row(1)[c.jacic ? 9 : 7] = name.name;
            f.document.Row(1)[c.jacic ? 10 : 8] = name.pattern;
            RunSoilNamePass(tables.jacic, f.document, 1);
            DrawSoilColumn(f.context, kX1, kX2, PageDepthWindow(f.context));
            EXPECT_TRUE(DrewInk(f)) << c.what << ": " << name.name << " " << name.pattern;
        }
    }
}

TEST(SoilColumnLayers, SimpleRowsFollowTheirNameInTheSimpleTable) {
    rave::SoilNameTable simple;
    simple.AddRow(rave::soil_number_kind::kBitmap, 1, {"泥炭", "_", 6900, 2});
    const auto row = [](const char* name, const char* pattern) {
        MeasuredRow r;
        r[field::kSimpleSoilName] = name;
        r[field::kSimplePattern] = pattern;
        return r;
    };
    const struct {
        const char* name;
        const char* pattern;
        long code;
    } cases[] = {
        {"泥炭", "800.2", 6900},                             // the table's number, not the stored marker code
        {"礫混り砂", "450.1", 400},                          // a JACIC composite: its base soil
        {"砂質シルト", "501.2", 500}, {"空洞", "801", 801},  // the simple table's own markers stay
        {"砂", "400.1", 400},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SimpleLayerCode(row(c.name, c.pattern), simple), c.code) << c.name;
    }
}

}  // namespace
}  // namespace ravelog
