// The DXF surface read back with dxflib's own reader: entities land on the layers the drawing
// names, cp932 text arrives byte for byte, coordinates are millimetres with y upward, with a
// clipping surface in front nothing reaches past the page, and repeated symbols are one block.
#include "platform/dxf_surface.h"

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "common/drawing/clipping_surface.h"
#include "platform/codec.h"
#include "platform/dxf_document.h"
#include "platform/page_output.h"
#include "qt_test_application.h"
#include "temp_folder.h"

namespace rave::platform {
namespace {

struct ReadBack : DL_CreationAdapter {
    std::map<std::string, int> perLayer;
    std::vector<std::string> texts;
    std::vector<std::pair<double, double>> textPoints;
    std::vector<double> xs;
    std::vector<double> ys;
    std::string codePage;
    int circles = 0;

    void Count() { ++perLayer[attributes.getLayer()]; }
    void Point(double x, double y) {
        xs.push_back(x);
        ys.push_back(y);
    }
    void addLine(const DL_LineData& d) override {
        Count();
        Point(d.x1, d.y1);
        Point(d.x2, d.y2);
    }
    void addPolyline(const DL_PolylineData&) override { Count(); }
    void addVertex(const DL_VertexData& d) override { Point(d.x, d.y); }
    void addCircle(const DL_CircleData& d) override {
        Count();
        ++circles;
        Point(d.cx - d.radius, d.cy - d.radius);
        Point(d.cx + d.radius, d.cy + d.radius);
    }
    void addText(const DL_TextData& d) override {
        Count();
        texts.push_back(d.text);
        textPoints.emplace_back(d.ipx, d.ipy);
        Point(d.ipx, d.ipy);
    }
    void addHatch(const DL_HatchData&) override { Count(); }
    void addInsert(const DL_InsertData& d) override { inserts.push_back(d); }
    std::vector<DL_InsertData> inserts;
    void setVariableString(const std::string& key, const std::string& value, int) override {
        if (key == "$DWGCODEPAGE") {
            codePage = value;
        }
    }
};

ReadBack ReadDxf(const std::string& bytes, const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / "read.dxf";
    std::ofstream(path, std::ios::binary) << bytes;
    ReadBack reader;
    DL_Dxf dxf;
    EXPECT_TRUE(dxf.in(path.string(), &reader));
    return reader;
}

class DxfSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { testing::TestApplication(); }
    rave::testing::TempFolder folder_;
};

// A4 at 254 dpi: ten device units are one millimetre.
constexpr int kDpi = 254;
constexpr SurfaceSize kA4{2100, 2970};

TEST_F(DxfSurfaceTest, LayersTextAndMillimetres) {
    DxfSurface surface(kDpi, kA4);
    const std::string kana = Utf8ToCp932("ﾎﾞｰﾘﾝｸﾞ 調査 ㎡").value();
    SetLayerHint(surface, "FRAME");
    surface.Rectangle({100, 100, 2000, 2870}, Pen{}, Brush::None());
    surface.Line({100, 500}, {2000, 500}, Pen{pen_style::kDash, 3, MakeColorRef(255, 0, 0)});
    SetLayerHint(surface, "TEXT");
    surface.SelectFont(FontSpec{Utf8ToCp932("ＭＳ 明朝").value(), 40});
    surface.TextOut({200, 200}, kana);
    SetLayerHint(surface, "SOIL");
    surface.Rectangle({300, 1000, 600, 1300}, Pen{pen_style::kNull}, Brush::Solid(kBlack));
    surface.Ellipse({700, 1000, 900, 1200}, Pen{}, Brush::None());

    std::string error;
    const std::optional<std::string> bytes = surface.FileContent(error);
    ASSERT_TRUE(bytes) << error;
    EXPECT_NE(bytes->find("AC1015"), std::string::npos);
    EXPECT_NE(bytes->find("\r\n"), std::string::npos);
    const ReadBack read = ReadDxf(*bytes, folder_.path());
    EXPECT_EQ(read.codePage, "ANSI_932");
    EXPECT_EQ(read.perLayer.at("FRAME"), 2);
    EXPECT_EQ(read.perLayer.at("TEXT"), 1);
    EXPECT_EQ(read.perLayer.at("SOIL"), 2);  // the hatch and the circle
    ASSERT_EQ(read.texts.size(), 1u);
    EXPECT_EQ(read.texts[0], kana);
    // The frame's top left corner, 10 mm in from the page's, sits at (10, 297 - 10).
    EXPECT_NEAR(read.xs[0], 10.0, 1e-6);
    EXPECT_NEAR(read.ys[0], 287.0, 1e-6);
    // The text's baseline lies below the top of its cell at 20 mm from the top.
    EXPECT_NEAR(read.textPoints[0].first, 20.0, 1e-6);
    EXPECT_LT(read.textPoints[0].second, 277.0);
    EXPECT_GT(read.textPoints[0].second, 272.0);
}

TEST_F(DxfSurfaceTest, ClippedToThePageAndOneFileHoldsPagesSideBySide) {
    DxfSurface surface(kDpi, kA4);
    for (int page = 0; page < 2; ++page) {
        surface.SetPageOffset(page * 231.0);
        ClippingSurface clipped(surface);
        clipped.IntersectClipRect({0, 0, kA4.width, kA4.height});
        clipped.Line({-500, 100}, {5000, 100}, Pen{});
        clipped.Rectangle({1900, 2800, 2500, 3500}, Pen{}, Brush::Solid(kBlack));
        clipped.SelectFont(FontSpec{"", 30});
        clipped.TextOut({3000, 100}, "outside");
        clipped.TextOut({1000, 100}, "inside");
    }
    surface.SetTotalWidth(231.0 + 210.0);
    std::string error;
    const std::optional<std::string> bytes = surface.FileContent(error);
    ASSERT_TRUE(bytes) << error;
    const ReadBack read = ReadDxf(*bytes, folder_.path());
    EXPECT_EQ(read.texts, (std::vector<std::string>{"inside", "inside"}));
    for (std::size_t i = 0; i < read.xs.size(); ++i) {
        const double x = read.xs[i] >= 231.0 ? read.xs[i] - 231.0 : read.xs[i];
        EXPECT_GE(x, -1e-6);
        EXPECT_LE(x, 210.0 + 1e-6);
        EXPECT_GE(read.ys[i], -1e-6);
        EXPECT_LE(read.ys[i], 297.0 + 1e-6);
    }
    // Per page at least the line, the hatch, the visible outline and the text.
    EXPECT_GE(read.perLayer.at("0"), 2 * 4);
}

TEST_F(DxfSurfaceTest, BitmapsBecomeFilledAreasAndPatternsAreAskedFor) {
    DxfSurface surface(kDpi, kA4);
    EXPECT_TRUE(PrefersVectorPatterns(surface));
    ClippingSurface clipped(surface);
    EXPECT_TRUE(PrefersVectorPatterns(clipped));
    SurfaceBitmap tile{2, 2, {kBlack, kWhite, kWhite, MakeColorRef(0, 0, 255)}};
    surface.StretchBitmap(tile, {0, 0, 200, 200}, raster_op::kAnd);
    std::string error;
    const ReadBack read = ReadDxf(*surface.FileContent(error), folder_.path());
    EXPECT_EQ(read.perLayer.at("0"), 2);  // black and blue; the white is left out
}

TEST_F(DxfSurfaceTest, RepeatedSymbolsAreOneBlockInsertedInRows) {
    DxfSurface surface(kDpi, kA4);
    // A column of 40 grains whose pitch of 36.6 units falls between pixels, as a pattern's
    // lattice does, and a grain of another size drawn once.
    for (int k = 0; k < 40; ++k) {
        const int y = 100 + static_cast<int>(std::lround(k * 36.6));
        surface.Ellipse({500, y, 520, y + 20}, Pen{}, Brush::None());
    }
    surface.Ellipse({800, 100, 830, 130}, Pen{}, Brush::None());
    // A dotted line: twenty dashes 8 units apart.
    for (int k = 0; k < 20; ++k) {
        surface.Line({1000 + 8 * k, 2000}, {1004 + 8 * k, 2000}, Pen{});
    }
    std::string error;
    const ReadBack read = ReadDxf(*surface.FileContent(error), folder_.path());
    // One circle in the block, the single one as it is; one INSERT of 40 rows, one of 20 columns.
    EXPECT_EQ(read.circles, 2);
    ASSERT_EQ(read.inserts.size(), 2u);
    EXPECT_EQ(read.inserts[1].cols, 20);
    EXPECT_NEAR(read.inserts[1].colSp, 0.8, 1e-4);
    EXPECT_NEAR(read.inserts[1].ipx, 100.0, 1e-4);
    EXPECT_EQ(read.inserts[0].rows, 40);
    // From the lowest grain's corner (x 50 mm, top 100 + 1427 units) upward, 142.7 mm over 39 rows.
    EXPECT_NEAR(read.inserts[0].ipx, 50.0, 1e-4);
    EXPECT_NEAR(read.inserts[0].ipy, 297.0 - 152.7, 1e-4);
    EXPECT_NEAR(read.inserts[0].rowSp, 142.7 / 39, 1e-4);
}

TEST_F(DxfSurfaceTest, TextPrintsLiterallyInCad) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"100%", "100%"},                        // a single percent sign is no control code
        {"%%u%%d%%c", "%%%%%%u%%%%%%d%%%%%%c"},  // each of a run is written as %%%
        {"a\\U+0041", "a\\U+005CU+0041"},        // the backslash of \U+ as its own code
        {"\\M+1", "\\U+005CM+1"},
        {"\x95\\U+", "\x95\\U+"},          // 0x5C as the trail byte of a kanji stays
        {"A\tB\r\n", "A?B??"},             // control characters would break the file
        {"\xFF\x80\x85\x40", "???"},       // not cp932: bytes, and a code with no character
        {"\xB1\x82\xA0", "\xB1\x82\xA0"},  // half-width and full-width kana stay
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dxf::TextValue(c.in), c.out) << c.in;
    }
}

TEST_F(DxfSurfaceTest, EachPageHoldsOnlyWhatThePrintedPageShows) {
    // A title drawn after the drawing resets its clip, beyond the page's left edge (where the
    // previous page's part of a section lies), must not land in the file.
    PageFileOptions options;
    options.output = folder_.path() / "two.dxf";
    options.kind = PageFileKind::kDxf;
    options.widthMm = 210;
    options.heightMm = 297;
    options.dpi = kDpi;
    options.oneFile = true;
    const PageFileResult result = WritePageFiles(options, {1, 2}, [](DrawingSurface& surface, int page) {
        surface.SelectFont(FontSpec{"", 30});
        surface.IntersectClipRect({100, 100, 2000, 2800});
        surface.ResetClip();
        surface.TextOut({1000 - 2310 * (page - 1), 100}, page == 1 ? "one" : "two");
        surface.Line({-3000, 500}, {-2000, 500}, Pen{});
    });
    ASSERT_TRUE(result.ok) << result.error;
    std::ifstream in(options.output, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const ReadBack read = ReadDxf(bytes, folder_.path());
    EXPECT_EQ(read.texts, std::vector<std::string>{"one"});
    ASSERT_EQ(read.xs.size(), 1u);  // the text's point; the line lay off the page
    EXPECT_GT(read.xs[0], 0.0);
}

}  // namespace
}  // namespace rave::platform
