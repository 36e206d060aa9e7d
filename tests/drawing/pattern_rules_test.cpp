// Told rules of single patterns: spacing, positions and cuts at the cell's edges.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "common/drawing/recording_surface.h"
#include "common/patterns/soil_patterns.h"

namespace rave {
namespace {

// 254 dpi: exactly 10 device units per mm, no margins and no fixed offset, so device
// coordinates read as tenths of a millimetre.
struct TenthMillimetres {
    RecordingSurface surface{254, 254, {2100, 2970}};
    PatternMapping mapping = PatternMapping::ForDevice(254, 254, 0.0, 0.0);
    MappedSurface target{surface, mapping};
    TenthMillimetres() { mapping.originY = -PatternMapping::kFixedOffsetY / mapping.unitY; }
    std::vector<RecordedCall> Lines() const { return surface.CallsOf(SurfaceCall::kLine); }
};

TEST(PatternRules, DrawingLeavesTheSurfaceStateAlone) {
    for (long n : KnownPatternNumbers(PatternSet::kRavesect)) {
        TenthMillimetres t;
        DrawSoilPattern(t.target, n, 10, 10, 18.2, 60, 1.0, 1, 0x0000FF, 1, PatternSet::kRavesect);
        EXPECT_EQ(t.surface.DrawingCallCount(), t.surface.Calls().size()) << n;
        EXPECT_EQ(t.surface.Count(SurfaceCall::kTextOut), 0u);
        for (const RecordedCall& call : t.surface.Calls()) {
            EXPECT_EQ(call.pen.color, 0x0000FF) << n;
        }
    }
}

TEST(PatternRules, LongSlantedStrokesRunAtFortyFiveDegreesOnPaper) {
    TenthMillimetres t;
    DrawSoilPattern(t.target, 5, 10, 10, 20, 55, 1.0, 1, kBlack, 0);
    const auto lines = t.Lines();
    ASSERT_GE(lines.size(), 3u);
    // Rows every 0.13 m = 1.3 vertical units = 13 mm, the first at the top.
    EXPECT_EQ(lines[0].points[0], (SurfacePoint{200, 100}));
    EXPECT_EQ(lines[0].points[1], (SurfacePoint{100, 200}));
    EXPECT_EQ(lines[1].points[0], (SurfacePoint{200, 230}));
    // The last stroke is cut at the bottom, its x end moved back by 10 x the part that is left.
    const RecordedCall& last = lines.back();
    EXPECT_EQ(last.points[1].y, 550);  // the row at 49 mm would end at 59 mm
    EXPECT_EQ(last.points[0].x - last.points[1].x, last.points[1].y - last.points[0].y);
}

TEST(PatternRules, SmallMarkRowsAlternateBetweenThreeAndTwoMarks) {
    TenthMillimetres t;
    // m = 12: u = 0.8 mm, rows every 0.3 vertical units (3 mm), first box top 0.75 mm down.
    DrawSoilPattern(t.target, 2100, 10, 10, 22, 16, 1.0, 1, kBlack, 0);
    const auto lines = t.Lines();
    ASSERT_EQ(lines.size(), 10u);  // rows at 0.75 and 3.75 mm; a third row would reach the bottom
    const int verticalX[] = {lines[0].points[0].x, lines[2].points[0].x, lines[4].points[0].x,
                             lines[6].points[0].x, lines[8].points[0].x};
    EXPECT_EQ(verticalX[0], 120);  // m/6 right of the left edge
    EXPECT_EQ(verticalX[1], 160);
    EXPECT_EQ(verticalX[2], 200);
    EXPECT_EQ(verticalX[3], 140);  // m/3
    EXPECT_EQ(verticalX[4], 180);
    EXPECT_EQ(lines[0].points, (std::vector<SurfacePoint>{{120, 108}, {120, 124}}));
    EXPECT_EQ(lines[1].points, (std::vector<SurfacePoint>{{112, 116}, {128, 116}}));
}

TEST(PatternRules, VerticalRulingsEveryEighth) {
    TenthMillimetres t;
    DrawSoilPattern(t.target, 10091, 10, 10, 18, 30, 1.0, 1, kBlack, 0);
    const auto lines = t.Lines();
    ASSERT_EQ(lines.size(), 7u);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(lines[k].points, (std::vector<SurfacePoint>{{110 + 10 * k, 100}, {110 + 10 * k, 300}}));
    }
}

TEST(PatternRules, DashedRulingsRepeatEverySixtiethOfTheWidth) {
    TenthMillimetres t;
    // m = 12: dashes 0.12 vertical units (1.2 mm) long, one every 0.2 units (2 mm).
    DrawSoilPattern(t.target, 10093, 10, 10, 22, 15, 1.0, 1, kBlack, 0);
    const auto lines = t.Lines();
    ASSERT_EQ(lines.size(), 7u * 3u);
    EXPECT_EQ(lines[0].points, (std::vector<SurfacePoint>{{115, 100}, {115, 112}}));
    EXPECT_EQ(lines[1].points, (std::vector<SurfacePoint>{{115, 120}, {115, 132}}));
    EXPECT_EQ(lines[2].points, (std::vector<SurfacePoint>{{115, 140}, {115, 150}}));  // cut at the bottom

    TenthMillimetres mixed;
    DrawSoilPattern(mixed.target, 10092, 10, 10, 22, 15, 1.0, 1, kBlack, 0);
    const auto mixedLines = mixed.Lines();
    ASSERT_EQ(mixedLines.size(), 3u + 4u * 3u);
    EXPECT_EQ(mixedLines[0].points, (std::vector<SurfacePoint>{{130, 100}, {130, 150}}));
    EXPECT_EQ(mixedLines[3].points[0], (SurfacePoint{115, 100}));
}

TEST(PatternRules, CobblesCrossingTheBottomShowTheirUpperHalf) {
    TenthMillimetres t;
    // m = 9: rows every 0.225 units from 0.1125, circles of radius 0.09 units; a 4 mm cell has
    // rows at 1.125 and 3.375 mm, and the second crosses the bottom.
    DrawSoilPattern(t.target, 100, 10, 10, 19, 14, 1.0, 1, kBlack, 0);
    EXPECT_EQ(t.surface.Count(SurfaceCall::kEllipse), 2u);
    const auto arcs = t.surface.CallsOf(SurfaceCall::kArc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_GT(arcs[0].points[0].x, arcs[0].points[1].x);  // from the right end over the top
    EXPECT_EQ(arcs[0].points[0].y, arcs[0].points[1].y);
}

TEST(PatternRules, Ravesect20001HatchesEveryThirtyThreeThousandthsAndIsCutAtTheTop) {
    TenthMillimetres t;
    DrawSoilPattern(t.target, 20001, 10, 10, 20, 30, 1.0, 1, kBlack, 0, PatternSet::kRavesect);
    const auto lines = t.Lines();
    // Starts at -0.0165 m below the top, every 0.033 m (3.3 mm) while above the bottom.
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].points[0], (SurfacePoint{184, 100}));  // cut where it enters the cell
    EXPECT_EQ(lines[1].points[0], (SurfacePoint{200, 117}));
}

TEST(PatternRules, FillFractionsOutsideTheRangeFillTheWholeCell) {
    TenthMillimetres whole;
    DrawSoilPattern(whole.target, 200, 10, 10, 18.2, 40, 1.0, 1, kBlack, 0);
    for (double fill : {0.0, -1.0, 1.5, std::nan("")}) {
        TenthMillimetres odd;
        DrawSoilPattern(odd.target, 200, 10, 10, 18.2, 40, fill, 1, kBlack, 0);
        EXPECT_EQ(odd.surface.CallsOf(SurfaceCall::kEllipse).size(),
                  whole.surface.CallsOf(SurfaceCall::kEllipse).size())
            << fill;
    }
}

TEST(PatternPreview, FillsTheButtonTwoUnitsInsideItsRightAndBottomEdges) {
    TenthMillimetres t;
    EXPECT_TRUE(DrawPatternPreview(t.target, 10000, SurfaceRect{40, 30, 142, 92}, 1, kBlack));
    const auto lines = t.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, (std::vector<SurfacePoint>{{40, 30}, {140, 90}}));
    EXPECT_EQ(lines[1].points, (std::vector<SurfacePoint>{{140, 30}, {40, 90}}));
    EXPECT_FALSE(DrawPatternPreview(t.target, 9, SurfaceRect{40, 30, 142, 92}, 1, kBlack));
}

}  // namespace
}  // namespace rave
