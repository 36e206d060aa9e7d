// The mapping and the world-unit primitives on the recording surface.
#include "common/patterns/pattern_primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "common/drawing/pattern_mapping.h"
#include "common/drawing/recording_surface.h"

namespace rave {
namespace {

// One device unit per world unit, no margins; the fixed 50 units down are taken out by originY,
// so world and device coordinates are the same numbers.
struct Plain {
    RecordingSurface surface;
    PatternMapping mapping;
    MappedSurface target{surface, mapping};
    Plain() { mapping.originY = -PatternMapping::kFixedOffsetY; }
    std::vector<RecordedCall> Lines() const { return surface.CallsOf(SurfaceCall::kLine); }
};

std::vector<SurfacePoint> Ends(const RecordedCall& call) {
    return call.points;
}

TEST(PatternMapping, WorldToSurfaceFollowsMarginsScaleOriginAndTheFixedOffset) {
    PatternMapping m = PatternMapping::ForDevice(600, 300, 10.0, 15.0);
    EXPECT_NEAR(m.unitX, 600 / 25.4, 1e-9);
    EXPECT_NEAR(m.unitY, 300 / 25.4, 1e-9);
    EXPECT_EQ(m.scaleX, m.unitX);
    EXPECT_EQ(m.scaleY, m.unitY);
    EXPECT_EQ(m.ToSurfaceX(5.0), std::lround(10.0 * m.unitX + 5.0 * m.unitX));
    m.originY = -200.0;
    EXPECT_EQ(m.ToSurfaceY(230.0), std::lround(30.0 * m.unitY + 15.0 * m.unitY + 50.0));
    EXPECT_NEAR(m.FromSurfaceX(m.ToSurfaceX(12.3)), 12.3, 1.0 / m.scaleX);
    EXPECT_NEAR(m.FromSurfaceY(m.ToSurfaceY(231.7)), 231.7, 1.0 / m.scaleY);
}

TEST(PatternMapping, ResultsAreClampedToTheSixteenBitRange) {
    PatternMapping m = PatternMapping::ForDevice(600, 600, 10.0, 10.0);
    EXPECT_EQ(m.ToSurfaceX(1e9), 32767);
    EXPECT_EQ(m.ToSurfaceX(-1e9), -32767);
    EXPECT_EQ(m.ToSurfaceY(5000.0), 32767);  // a very long log at 600 dpi
    EXPECT_EQ(m.ToSurfaceY(-1e12), -32767);
    EXPECT_EQ(m.ToSurfaceX(std::numeric_limits<double>::infinity()), 32767);
    EXPECT_EQ(m.ToSurfaceX(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ClampToSurface(32766.6), 32767);
    EXPECT_EQ(ClampToSurface(-32766.4), -32766);
}

TEST(PatternMapping, SurfaceToWorldIsZeroForAVanishingScale) {
    PatternMapping m;
    m.scaleX = 0.0001;
    m.scaleY = 0.0;
    EXPECT_EQ(m.FromSurfaceX(500), 0.0);
    EXPECT_EQ(m.FromSurfaceY(500), 0.0);
    m.scaleX = 0.00011;
    EXPECT_NE(m.FromSurfaceX(500), 0.0);
}

TEST(PatternMapping, ScaleOverrideRestoresTheVerticalScale) {
    PatternMapping m = PatternMapping::ForDevice(600, 600, 0, 0);
    const double before = m.scaleY;
    {
        const ScaleYOverride tenfold(m, 10.0 * m.unitY);
        EXPECT_EQ(m.scaleY, 10.0 * m.unitY);
    }
    EXPECT_EQ(m.scaleY, before);
}

TEST(DrawLine, DrawsWithThePenItIsGivenAndNothingAtWidthZero) {
    Plain p;
    DrawLine(p.target, 1, 2, 30, 40, pen_style::kDash, 3, 0x123456);
    ASSERT_EQ(p.Lines().size(), 1u);
    EXPECT_EQ(Ends(p.Lines()[0]), (std::vector<SurfacePoint>{{1, 2}, {30, 40}}));
    EXPECT_EQ(p.Lines()[0].pen, (Pen{pen_style::kDash, 3, 0x123456}));
    p.surface.ClearCalls();
    DrawLine(p.target, 1, 2, 30, 40, pen_style::kSolid, 0, kBlack);
    DrawCircle(p.target, 10, 10, 3, pen_style::kSolid, 0, kBlack);
    DrawEllipse(p.target, 10, 10, 3, 2, pen_style::kSolid, 0, kBlack);
    DrawDiamond(p.target, 10, 10, 3, 2, pen_style::kSolid, 0, kBlack);
    DrawDashedLine(p.target, 0, 0, 100, 0, 5, 5, pen_style::kSolid, 0, kBlack);
    DrawArc(p.target, 10, 10, 3, 20, 10, 0, 10, pen_style::kSolid, 0, kBlack);
    EXPECT_TRUE(p.surface.Calls().empty());
}

TEST(DrawDashedLine, DashesWhileTheStartIsMoreThanADashBeforeTheEnd) {
    Plain p;
    DrawDashedLine(p.target, 100, 7, 160, 7, 10, 5, pen_style::kSolid, 1, kBlack);
    const auto lines = p.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Ends(lines[0]), (std::vector<SurfacePoint>{{100, 7}, {110, 7}}));
    EXPECT_EQ(Ends(lines[3]), (std::vector<SurfacePoint>{{145, 7}, {155, 7}}));
}

TEST(DrawDashedLine, FollowsTheDirectionOfTheEnd) {
    Plain up;
    DrawDashedLine(up.target, 3, 50, 3, 0, 10, 10, pen_style::kSolid, 1, kBlack);
    const auto lines = up.Lines();
    // Starts at 50 and 30; at 10 the start is no longer more than one dash before the end.
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Ends(lines[0]), (std::vector<SurfacePoint>{{3, 50}, {3, 40}}));
    EXPECT_EQ(Ends(lines[1]), (std::vector<SurfacePoint>{{3, 30}, {3, 20}}));
}

TEST(DrawDashedLine, SolidWithoutGapNothingWithoutDash) {
    Plain solid;
    DrawDashedLine(solid.target, 0, 0, 100, 0, 10, 0, pen_style::kSolid, 1, kBlack);
    ASSERT_EQ(solid.Lines().size(), 1u);
    EXPECT_EQ(Ends(solid.Lines()[0]), (std::vector<SurfacePoint>{{0, 0}, {100, 0}}));
    Plain noDash;
    DrawDashedLine(noDash.target, 0, 0, 100, 0, 0, 5, pen_style::kSolid, 1, kBlack);
    DrawDashedLine(noDash.target, 0, 0, 100, 0, -3, 5, pen_style::kSolid, 1, kBlack);
    EXPECT_TRUE(noDash.surface.Calls().empty());
    Plain tooShort;
    DrawDashedLine(tooShort.target, 0, 0, 10, 0, 10, 5, pen_style::kSolid, 1, kBlack);
    EXPECT_TRUE(tooShort.surface.Calls().empty());
}

TEST(DrawDashedLine, TheWholeCoordinateRangeStaysBounded) {
    Plain p;
    DrawDashedLine(p.target, -1e9, 5, 1e9, 5, 1, 1, pen_style::kSolid, 1, kBlack);
    EXPECT_EQ(p.Lines().size(), 32767u);  // from -32767 to 32767 in steps of 2
}

TEST(Shapes, CirclesFollowTheVerticalScaleEllipsesBothScales) {
    Plain p;
    p.mapping.scaleY = 10.0;
    p.mapping.originY = -5.0;  // keeps the fixed offset out at the tenfold scale
    DrawCircle(p.target, 100, 20, 2, pen_style::kSolid, 1, kBlack);
    DrawEllipse(p.target, 100, 20, 4, 2, pen_style::kSolid, 1, kBlack);
    DrawFilledCircle(p.target, 100, 20, 1, 0x00FF00, pen_style::kSolid, 1, kBlack);
    const auto shapes = p.surface.CallsOf(SurfaceCall::kEllipse);
    ASSERT_EQ(shapes.size(), 3u);
    EXPECT_EQ(shapes[0].rect, (SurfaceRect{80, 180, 120, 220}));
    EXPECT_EQ(shapes[0].brush, Brush::None());
    EXPECT_EQ(shapes[1].rect, (SurfaceRect{96, 180, 104, 220}));
    EXPECT_EQ(shapes[2].rect, (SurfaceRect{90, 190, 110, 210}));
    EXPECT_EQ(shapes[2].brush, Brush::Solid(0x00FF00));
}

TEST(Shapes, ArcsRunFromTheStartRayToTheEndRay) {
    Plain p;
    DrawArc(p.target, 50, 50, 10, 70, 50, 30, 50, pen_style::kSolid, 2, kBlack);
    const auto arcs = p.surface.CallsOf(SurfaceCall::kArc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].rect, (SurfaceRect{40, 40, 60, 60}));
    EXPECT_EQ(arcs[0].points, (std::vector<SurfacePoint>{{70, 50}, {30, 50}}));
}

TEST(Shapes, DiamondIsFourLinesAndTheAxisAddsAFifth) {
    Plain p;
    DrawDiamondWithAxis(p.target, 50, 50, 10, 20, pen_style::kSolid, 1, kBlack);
    const auto lines = p.Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(Ends(lines[0]), (std::vector<SurfacePoint>{{40, 50}, {50, 30}}));
    EXPECT_EQ(Ends(lines[1]), (std::vector<SurfacePoint>{{50, 30}, {60, 50}}));
    EXPECT_EQ(Ends(lines[2]), (std::vector<SurfacePoint>{{60, 50}, {50, 70}}));
    EXPECT_EQ(Ends(lines[3]), (std::vector<SurfacePoint>{{50, 70}, {40, 50}}));
    EXPECT_EQ(Ends(lines[4]), (std::vector<SurfacePoint>{{50, 34}, {50, 66}}));
}

TEST(Text, DrawTextAtWritesAtThePointWithTheCurrentAlignment) {
    Plain p;
    p.surface.SetTextAlign(text_align::kRightBottom);
    DrawTextAt(p.target, 12, 34, "N=12");
    const auto texts = p.surface.CallsOf(SurfaceCall::kTextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (SurfacePoint{12, 34}));
    EXPECT_EQ(texts[0].textAlign, text_align::kRightBottom);
    EXPECT_EQ(texts[0].text, "N=12");
}

TEST(Text, SpacedTextEndsAFinalDoubleByteCharacterAtTheRightEdge) {
    Plain p;
    p.surface.SetTextAlign(text_align::kCenterBottom);
    const std::string text = "砂礫質";  // three double-byte characters, 6 bytes
    ASSERT_EQ(text.size(), 6u);
    DrawSpacedText(p.target, 0, 40, 10, 30, 8, 6, text);
    const auto texts = p.surface.CallsOf(SurfaceCall::kTextOut);
    ASSERT_EQ(texts.size(), 3u);
    // step = (40 - 8) / (6 - 2) = 8 per byte: the characters at 0, 16, 32, the last ending at 40;
    // the top at (10 + 30 - 6) / 2.
    EXPECT_EQ(texts[0].points[0], (SurfacePoint{0, 17}));
    EXPECT_EQ(texts[1].points[0], (SurfacePoint{16, 17}));
    EXPECT_EQ(texts[2].points[0], (SurfacePoint{32, 17}));
    EXPECT_EQ(texts[1].text, text.substr(2, 2));
    EXPECT_EQ(texts[0].textAlign, text_align::kLeftTop);
    EXPECT_EQ(p.surface.TextAlign(), text_align::kCenterBottom);
}

TEST(Text, SpacedTextOfFewerThanThreeBytesStepsHalfTheSpan) {
    Plain p;
    DrawSpacedText(p.target, 10, 30, 0, 10, 4, 10, "AB");
    const auto texts = p.surface.CallsOf(SurfaceCall::kTextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].points[0], (SurfacePoint{10, 0}));
    EXPECT_EQ(texts[1].points[0], (SurfacePoint{18, 0}));  // (20 - 4) / 2 = 8
    // A span narrower than one character gives no spread at all.
    Plain narrow;
    DrawSpacedText(narrow.target, 10, 12, 0, 10, 4, 10, "ABC");
    for (const RecordedCall& call : narrow.surface.CallsOf(SurfaceCall::kTextOut)) {
        EXPECT_EQ(call.points[0].x, 10);
    }
    Plain empty;
    DrawSpacedText(empty.target, 10, 30, 0, 10, 4, 10, "");
    EXPECT_EQ(empty.surface.Count(SurfaceCall::kTextOut), 0u);
}

TEST(Text, SpacedTextNeverSplitsATruncatedDoubleByteCharacter) {
    Plain p;
    const std::string text = std::string("A") + "\x8D";  // a lead byte without its trail byte
    DrawSpacedText(p.target, 0, 40, 0, 10, 4, 10, text);
    const auto texts = p.surface.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "\x8D");
}

TEST(ClipToCell, IntersectsTheClipWithTheNormalisedCell) {
    Plain p;
    ClipToCell(p.target, 30, 40, 10, 20);
    const auto clips = p.surface.CallsOf(SurfaceCall::kIntersectClipRect);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (SurfaceRect{10, 20, 30, 40}));
    ClipToCell(p.target, 20, 0, 50, 30);
    EXPECT_EQ(p.surface.ClipBox(), (SurfaceRect{20, 20, 30, 30}));
}

}  // namespace
}  // namespace rave
