// The recording surface behaves as a device would where the drawing code relies on it.
#include "common/drawing/recording_surface.h"

#include <gtest/gtest.h>

namespace rave {
namespace {

TEST(RecordingSurface, KeepsEveryCallInOrderWithItsArguments) {
    RecordingSurface surface(300, 600, {2480, 7016});
    EXPECT_EQ(surface.DpiX(), 300);
    EXPECT_EQ(surface.DpiY(), 600);
    EXPECT_EQ(surface.PhysicalPageSize(), (SurfaceSize{2480, 7016}));
    surface.SetTextColor(0x0000FF);
    surface.Line({1, 2}, {3, 4}, Pen{pen_style::kDot, 2, 0x00FF00});
    const SurfacePoint triangle[] = {{0, 0}, {10, 0}, {5, 8}};
    surface.Polygon(triangle, Pen{}, Brush::Hatch(hatch_style::kCross, 0xFF0000), FillMode::kWinding);
    surface.TextOut({5, 6}, "abc");
    ASSERT_EQ(surface.Calls().size(), 4u);
    EXPECT_EQ(surface.Calls()[1].kind, SurfaceCall::kLine);
    EXPECT_EQ(surface.Calls()[1].pen, (Pen{pen_style::kDot, 2, 0x00FF00}));
    EXPECT_EQ(surface.Calls()[2].brush, Brush::Hatch(hatch_style::kCross, 0xFF0000));
    EXPECT_EQ(surface.Calls()[2].fillMode, FillMode::kWinding);
    EXPECT_EQ(surface.Calls()[3].textColor, 0x0000FF);
    EXPECT_EQ(surface.Texts(), (std::vector<std::string>{"abc"}));
    EXPECT_EQ(surface.DrawingCallCount(), 3u);
    EXPECT_EQ(surface.InkBounds(), (SurfaceRect{0, 0, 10, 8}));
    surface.ClearCalls();
    EXPECT_FALSE(surface.InkBounds());
    EXPECT_EQ(surface.TextColor(), 0x0000FF);
}

TEST(RecordingSurface, TextFromTheCurrentPositionMovesIt) {
    RecordingSurface surface;
    surface.SelectFont({"face", 20, 0, 0, 0, false});
    surface.SetTextAlign(text_align::kUpdateCurrentPosition);
    surface.MoveTo({100, 50});
    surface.TextOut({0, 0}, "ab");
    surface.TextOut({0, 0}, "c");
    const auto texts = surface.CallsOf(SurfaceCall::kTextOut);
    EXPECT_EQ(texts[0].points[0], (SurfacePoint{100, 50}));
    EXPECT_EQ(texts[1].points[0], (SurfacePoint{120, 50}));  // two bytes of half the height each
    EXPECT_EQ(surface.CurrentPosition(), (SurfacePoint{130, 50}));
    EXPECT_EQ(surface.TextExtent("abcd"), (SurfaceSize{40, 20}));
}

TEST(RecordingSurface, RefusedFontsLeaveThePreviousOneSelected) {
    RecordingSurface surface;
    surface.RefuseFontFace("Missing");
    EXPECT_TRUE(surface.SelectFont({"Mincho", 30, 0, 0, 400, false}));
    EXPECT_FALSE(surface.SelectFont({"Missing", 12, 0, 0, 400, false}));
    EXPECT_EQ(surface.CurrentFont().face, "Mincho");
}

TEST(RecordingSurface, TracksTheClipBoxEachCallWasMadeIn) {
    RecordingSurface surface;
    surface.Line({0, 0}, {1, 1}, Pen{});
    surface.IntersectClipRect({50, 40, 10, 0});
    surface.IntersectClipRect({20, 20, 100, 100});
    surface.Line({0, 0}, {1, 1}, Pen{});
    surface.IntersectClipRect({200, 200, 300, 300});
    EXPECT_TRUE(surface.ClipBox()->IsEmpty());
    surface.ResetClip();
    surface.Line({0, 0}, {1, 1}, Pen{});
    const auto lines = surface.CallsOf(SurfaceCall::kLine);
    EXPECT_FALSE(lines[0].clip);
    EXPECT_EQ(lines[1].clip, (SurfaceRect{20, 20, 50, 40}));
    EXPECT_FALSE(lines[2].clip);
}

}  // namespace
}  // namespace rave
