// The clipping surface cuts what it passes on to the region, as a printer would have clipped it:
// lines around a cut-out rectangle, shapes and texts at the region's edge, cropped bitmaps.
#include <gtest/gtest.h>

#include "common/drawing/clipping_surface.h"
#include "common/drawing/recording_surface.h"

namespace rave {
namespace {

struct Fixture {
    RecordingSurface recorder{600, 600, {1000, 1000}};
    ClippingSurface surface{recorder};
};

const Pen kPen{pen_style::kSolid, 1, kBlack};

TEST(ClippingSurface, LinesAreCutToTheRegion) {
    struct Case {
        const char* what;
        SurfacePoint from, to;
        std::vector<std::pair<SurfacePoint, SurfacePoint>> pieces;
    };
    // Region: 0..100 x 0..100 with 40..60 x 40..60 cut out (an elevation line across a column).
    const Case cases[] = {
        {"across the hole", {0, 50}, {100, 50}, {{{0, 50}, {40, 50}}, {{60, 50}, {100, 50}}}},
        {"beside the hole", {0, 10}, {100, 10}, {{{0, 10}, {100, 10}}}},
        {"past the region's bottom", {10, 50}, {10, 300}, {{{10, 50}, {10, 100}}}},
        {"wholly outside", {200, 200}, {300, 300}, {}},
        {"inside the hole", {45, 45}, {55, 55}, {}},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.surface.IntersectClipRect({0, 0, 100, 100});
        f.surface.ExcludeClipRect({40, 40, 60, 60});
        f.surface.Line(c.from, c.to, kPen);
        const std::vector<RecordedCall> lines = f.recorder.CallsOf(SurfaceCall::kLine);
        ASSERT_EQ(lines.size(), c.pieces.size()) << c.what;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].points.front(), c.pieces[i].first) << c.what;
            EXPECT_EQ(lines[i].points.back(), c.pieces[i].second) << c.what;
        }
    }
}

TEST(ClippingSurface, UnclippedDrawingPassesThroughUnchanged) {
    Fixture f;
    const SurfacePoint zigzag[] = {{0, 0}, {500, 900}, {900, 100}};
    f.surface.Polyline(zigzag, kPen);
    f.surface.Rectangle({-50, -50, 2000, 2000}, kPen, Brush::Solid(kWhite));
    f.surface.TextOut({-500, -500}, "AB");
    ASSERT_EQ(f.recorder.Calls().size(), 3u);
    EXPECT_EQ(f.recorder.Calls()[0].points.size(), 3u);
    EXPECT_EQ(f.recorder.Calls()[1].rect, (SurfaceRect{-50, -50, 2000, 2000}));
    EXPECT_EQ(f.recorder.Texts(), std::vector<std::string>{"AB"});
}

TEST(ClippingSurface, TextsOutsideTheRegionAreNotWritten) {
    Fixture f;
    f.surface.IntersectClipRect({0, 0, 100, 100});
    f.surface.SelectFont({"", 10, 0, 0, 0, false});  // 5 wide per byte, 10 high on the recorder
    f.surface.SetTextAlign(text_align::kCenterTop);
    f.surface.TextOut({50, 20}, "in");
    f.surface.TextOut({50, 120}, "below");
    f.surface.SetTextAlign(text_align::kLeftBottom);
    f.surface.TextOut({98, 50}, "edge");  // its middle lies past the right edge
    EXPECT_EQ(f.recorder.Texts(), std::vector<std::string>{"in"});
}

TEST(ClippingSurface, FilledShapesAreFilledInsideOnlyAndOutlinedAlongTheVisibleEdges) {
    Fixture f;
    f.surface.IntersectClipRect({0, 0, 100, 100});
    f.surface.Rectangle({50, 50, 150, 150}, kPen, Brush::Hatch(hatch_style::kCross, kBlack));
    const std::vector<RecordedCall> fills = f.recorder.CallsOf(SurfaceCall::kPolygon);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].pen.style, pen_style::kNull);
    for (const SurfacePoint& p : fills[0].points) {
        EXPECT_TRUE(p.x >= 50 && p.x <= 100 && p.y >= 50 && p.y <= 100) << p.x << "," << p.y;
    }
    // The outline keeps the top and left edges, up to the region's edge.
    const auto lines = f.recorder.CallsOf(SurfaceCall::kLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, (std::vector<SurfacePoint>{{50, 50}, {100, 50}}));
    EXPECT_EQ(lines[1].points, (std::vector<SurfacePoint>{{50, 100}, {50, 50}}));
    EXPECT_EQ(f.recorder.InkBounds(), (SurfaceRect{50, 50, 100, 100}));
}

TEST(ClippingSurface, BitmapsAreCroppedToWholeVisiblePixels) {
    Fixture f;
    f.surface.IntersectClipRect({0, 0, 100, 100});
    SurfaceBitmap tile{4, 1, {1, 2, 3, 4}};
    f.surface.StretchBitmap(tile, {60, 0, 140, 20}, raster_op::kCopy);  // 20 device units a pixel
    const auto bitmaps = f.recorder.CallsOf(SurfaceCall::kStretchBitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    // Pixel 0 spans 60..80, pixel 1 80..100: both visible; pixels 2 and 3 lie outside.
    EXPECT_EQ(bitmaps[0].bitmap.pixels, (std::vector<ColorRef>{1, 2}));
    EXPECT_EQ(bitmaps[0].rect, (SurfaceRect{60, 0, 100, 20}));
}

TEST(ClippingSurface, ResetClipEndsClipping) {
    Fixture f;
    f.surface.IntersectClipRect({0, 0, 10, 10});
    f.surface.ResetClip();
    f.surface.Line({0, 0}, {500, 500}, kPen);
    ASSERT_EQ(f.recorder.Count(SurfaceCall::kLine), 1u);
    EXPECT_EQ(f.recorder.CallsOf(SurfaceCall::kLine)[0].points.back(), (SurfacePoint{500, 500}));
}

}  // namespace
}  // namespace rave
