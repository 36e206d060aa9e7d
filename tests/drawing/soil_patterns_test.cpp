// The soil patterns on the recording surface: which numbers draw, where they draw, and the exact
// rules of the told patterns.
#include "common/patterns/soil_patterns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/drawing/recording_surface.h"
#include "common/pattern_colors.h"
#include "ink_checks.h"

namespace rave {
namespace {

using testing::FirstInkOutside;

// Ravelog's sheet mapping at 600 dpi with margins of 10 and 15 mm.
struct Sheet {
    RecordingSurface surface;
    PatternMapping mapping = PatternMapping::ForDevice(600, 600, 10.0, 15.0);
    MappedSurface target{surface, mapping};

    SurfaceRect CellOnDevice(double x1, double y1, double x2, double y2) const {
        return {mapping.ToSurfaceX(x1), mapping.ToSurfaceY(y1), mapping.ToSurfaceX(x2),
                mapping.ToSurfaceY(y2)};
    }
    std::vector<RecordedCall> Lines() const { return surface.CallsOf(SurfaceCall::kLine); }
};

// A section-like mapping: 0.1 m across and metres down, without the fixed offset of the sheets.
class SectionLikeMapping final : public WorldMapping {
public:
    double unit = 600 * 0.03937007874015748;
    double scaleX = 100.0 / 200.0 * unit;
    double scaleY = 1000.0 / 200.0 * unit;
    double originX = -5.0, originY = 3.5, marginX = 20.0, marginY = 20.0;
    int ToSurfaceX(double x) const override {
        return ClampToSurface((originX + x) * scaleX + marginX * unit);
    }
    int ToSurfaceY(double y) const override {
        return ClampToSurface((originY + y) * scaleY + marginY * unit);
    }
    double FromSurfaceX(int x) const override { return (x - marginX * unit) / scaleX - originX; }
    double FromSurfaceY(int y) const override { return (y - marginY * unit) / scaleY - originY; }
    double ScaleX() const override { return scaleX; }
    double ScaleY() const override { return scaleY; }
    void SetScaleY(double value) override { scaleY = value; }
    double UnitY() const override { return unit; }
    double UnitX() const override { return unit; }
};

constexpr long kRavelogNumbers[] = {
    1,    2,    3,    4,    5,    6,    7,     8,     10,    20,    30,    40,    50,    100,  200,  300,
    400,  500,  600,  700,  800,  900,  1100,  1200,  1300,  1400,  1500,  1600,  1700,  2100, 2200, 2300,
    2400, 2500, 2600, 2700, 2800, 2900, 3000,  3100,  3300,  3400,  3500,  3600,  3800,  4100, 4200, 4300,
    4400, 4500, 4600, 4700, 4800, 4900, 5000,  5100,  5200,  6100,  6200,  6300,  6400,  6800, 6900, 8100,
    8200, 8300, 8400, 8500, 8600, 8700, 10000, 10001, 10002, 10003, 10004, 10091, 10092, 10093};
constexpr long kRavesectExtra[] = {20001, 20002, 20003, 20004, 20100, 20400};

TEST(PatternNumbers, TheDispatcherKnowsExactlyTheListedNumbers) {
    const auto ravelog = KnownPatternNumbers(PatternSet::kRavelog);
    EXPECT_TRUE(
        std::equal(ravelog.begin(), ravelog.end(), std::begin(kRavelogNumbers), std::end(kRavelogNumbers)));
    std::vector<long> ravesect(std::begin(kRavelogNumbers), std::end(kRavelogNumbers));
    ravesect.insert(ravesect.end(), std::begin(kRavesectExtra), std::end(kRavesectExtra));
    const auto known = KnownPatternNumbers(PatternSet::kRavesect);
    EXPECT_TRUE(std::equal(known.begin(), known.end(), ravesect.begin(), ravesect.end()));
    for (long n : kRavesectExtra) {
        EXPECT_FALSE(IsKnownPattern(n, PatternSet::kRavelog)) << n;
        EXPECT_TRUE(IsKnownPattern(n, PatternSet::kRavesect)) << n;
    }
}

TEST(DrawSoilPattern, UnknownNumbersDrawNothingAndFail) {
    for (long n : {0L, -1L, -600L, 9L, 11L, 150L, 9999L, 10005L, 10090L, 20001L, 20400L, 90000L, 93344L}) {
        Sheet sheet;
        EXPECT_FALSE(DrawSoilPattern(sheet.target, n, 20, 30, 28.2, 90, 1.0, 1, kBlack, 0)) << n;
        EXPECT_TRUE(sheet.surface.Calls().empty()) << n;
    }
    Sheet sheet;
    EXPECT_FALSE(
        DrawSoilPattern(sheet.target, 20005, 20, 30, 28.2, 90, 1.0, 1, kBlack, 0, PatternSet::kRavesect));
    EXPECT_TRUE(DrawSoilPattern(sheet.target, 10, 20, 30, 28.2, 90, 1.0, 1, kBlack, 0));
}

// Every known pattern draws in a column cell, for both first-row positions and two fill
// fractions, and nothing leaves the cell (one device unit of rounding allowed).
TEST(DrawSoilPattern, EveryKnownPatternDrawsAndStaysInsideItsCell) {
    struct CellCase {
        double x1, y1, x2, y2, fill;
        int shifted;
    };
    const CellCase cases[] = {{20, 30, 28.2, 90, 1.0, 0},
                              {20, 30, 28.2, 90, 1.0, 1},
                              {20, 30, 28.2, 90, 0.5, 0},
                              {5, 100, 45, 112, 1.0, 1},
                              {20, 30, 27.4, 33, 1.0, 0}};
    for (long n : KnownPatternNumbers(PatternSet::kRavesect)) {
        for (const CellCase& cell : cases) {
            Sheet sheet;
            ASSERT_TRUE(DrawSoilPattern(sheet.target, n, cell.x1, cell.y1, cell.x2, cell.y2, cell.fill, 1,
                                        kBlack, cell.shifted, PatternSet::kRavesect));
            const SurfaceRect device = sheet.CellOnDevice(cell.x1, cell.y1, cell.x2, cell.y2);
            EXPECT_EQ(FirstInkOutside(sheet.surface, device, 1), "")
                << "pattern " << n << " in cell " << cell.x1 << "," << cell.y1 << " fill " << cell.fill;
            if (n != 20004 && cell.y2 - cell.y1 > 50) {
                EXPECT_GT(sheet.surface.DrawingCallCount(), 0u) << "pattern " << n;
            }
        }
    }
}

TEST(DrawSoilPattern, Ravesect20004IsKnownButDrawsNothing) {
    Sheet sheet;
    EXPECT_TRUE(
        DrawSoilPattern(sheet.target, 20004, 20, 30, 28.2, 90, 1.0, 1, kBlack, 0, PatternSet::kRavesect));
    EXPECT_EQ(sheet.surface.DrawingCallCount(), 0u);
}

TEST(DrawSoilPattern, VerticalScaleIsPutBackAfterDrawing) {
    Sheet sheet;
    sheet.mapping.originY = -120.0;
    const double before = sheet.mapping.scaleY;
    for (long n : KnownPatternNumbers()) {
        DrawSoilPattern(sheet.target, n, 20, 130, 28.2, 190, 1.0, 1, kBlack, 0);
        ASSERT_EQ(sheet.mapping.scaleY, before) << n;
    }
    DrawSoilPattern(sheet.target, 77, 20, 130, 28.2, 190, 1.0, 1, kBlack, 0);
    EXPECT_EQ(sheet.mapping.scaleY, before);
}

TEST(DrawSoilPattern, Marker10000InATenByFiveCellIsTwoLinesCornerToCorner) {
    Sheet sheet;
    ASSERT_TRUE(DrawSoilPattern(sheet.target, 10000, 20, 30, 30, 35, 1.0, 2, 0x0000FF, 0));
    ASSERT_EQ(sheet.surface.DrawingCallCount(), 2u);
    const auto lines = sheet.Lines();
    ASSERT_EQ(lines.size(), 2u);
    const SurfacePoint topLeft = sheet.target.ToSurface(20, 30), bottomRight = sheet.target.ToSurface(30, 35);
    const SurfacePoint topRight = sheet.target.ToSurface(30, 30), bottomLeft = sheet.target.ToSurface(20, 35);
    EXPECT_EQ(lines[0].points, (std::vector<SurfacePoint>{topLeft, bottomRight}));
    EXPECT_EQ(lines[1].points, (std::vector<SurfacePoint>{topRight, bottomLeft}));
    EXPECT_EQ(lines[0].pen, (Pen{pen_style::kSolid, 2, 0x0000FF}));
}

TEST(DrawSoilPattern, TheOtherMarkersDrawTheirStrokes) {
    const std::pair<long, std::size_t> counts[] = {{10001, 3}, {10002, 4}, {10003, 2}, {10004, 1}};
    for (const auto& [n, expected] : counts) {
        Sheet sheet;
        DrawSoilPattern(sheet.target, n, 20, 30, 32, 42, 1.0, 1, kBlack, 0);
        EXPECT_EQ(sheet.Lines().size(), expected) << n;
    }
    // 10004: one stroke from the top right to the bottom left corner.
    Sheet sheet;
    DrawSoilPattern(sheet.target, 10004, 20, 30, 32, 42, 1.0, 1, kBlack, 0);
    EXPECT_EQ(sheet.Lines()[0].points,
              (std::vector<SurfacePoint>{sheet.target.ToSurface(32, 30), sheet.target.ToSurface(20, 42)}));
    // 10003: two parallel strokes, m/6 apart.
    Sheet pair;
    DrawSoilPattern(pair.target, 10003, 20, 30, 32, 42, 1.0, 1, kBlack, 0);
    const auto lines = pair.Lines();
    EXPECT_EQ(lines[0].points,
              (std::vector<SurfacePoint>{pair.target.ToSurface(30, 30), pair.target.ToSurface(20, 42)}));
    EXPECT_EQ(lines[1].points,
              (std::vector<SurfacePoint>{pair.target.ToSurface(32, 30), pair.target.ToSurface(22, 42)}));
}

TEST(DrawSoilPattern, CellsNarrowerThanAThousandthDrawNothing) {
    Sheet wide;
    EXPECT_TRUE(DrawSoilPattern(wide.target, 10000, 20, 30, 20.001, 40, 1.0, 1, kBlack, 0));
    EXPECT_EQ(wide.Lines().size(), 2u);
    for (long n : KnownPatternNumbers()) {
        Sheet narrow;
        EXPECT_TRUE(DrawSoilPattern(narrow.target, n, 20, 30, 20.0009, 40, 1.0, 1, kBlack, 0));
        EXPECT_EQ(narrow.surface.DrawingCallCount(), 0u) << n;
        Sheet flat;
        EXPECT_TRUE(DrawSoilPattern(flat.target, n, 20, 30, 28.2, 30, 1.0, 1, kBlack, 0));
        EXPECT_EQ(flat.surface.DrawingCallCount(), 0u) << n;
        Sheet upsideDown;
        EXPECT_TRUE(DrawSoilPattern(upsideDown.target, n, 28.2, 30, 20, 90, 1.0, 1, kBlack, 0));
        EXPECT_EQ(upsideDown.surface.DrawingCallCount(), 0u) << n;
    }
}

TEST(DrawSoilPattern, PenWidthZeroDrawsNoStroke) {
    for (long n : KnownPatternNumbers(PatternSet::kRavesect)) {
        Sheet sheet;
        DrawSoilPattern(sheet.target, n, 20, 30, 28.2, 90, 1.0, 0, kBlack, 0, PatternSet::kRavesect);
        for (const RecordedCall& call : sheet.surface.Calls()) {
            // The dots of pattern 1 are fills: they stay, without an outline.
            ASSERT_EQ(n, 1) << "pattern " << n << " drew with a zero-width pen";
            EXPECT_EQ(call.kind, SurfaceCall::kEllipse);
            EXPECT_EQ(call.pen.style, pen_style::kNull);
            EXPECT_EQ(call.brush, Brush::Solid(kBlack));
        }
    }
}

TEST(Pattern1, FirstRowStandsHalfOrFourAndAQuarterSlopeStepsBelowTheTop) {
    const double m = 8.2;
    for (const auto& [shifted, factor] : {std::pair{0, 0.5}, std::pair{1, 4.25}}) {
        Sheet sheet;
        DrawSoilPattern(sheet.target, 1, 20, 30, 20 + m, 90, 1.0, 1, kBlack, shifted);
        const auto dots = sheet.surface.CallsOf(SurfaceCall::kEllipse);
        ASSERT_FALSE(dots.empty());
        const SurfaceRect first = dots[0].rect;
        // m/60 vertical pattern units of 10 mm each.
        const double expectedY =
            sheet.mapping.ToSurfaceY(30) + factor * m / 60.0 * 10.0 * sheet.mapping.unitY;
        EXPECT_NEAR((first.top + first.bottom) / 2.0, expectedY, 1.0) << shifted;
        // The first dot of a row stands A/2 left of the right edge, radius m/13 mm.
        EXPECT_NEAR((first.left + first.right) / 2.0, sheet.mapping.ToSurfaceX(20 + m - m / 12.0), 1.0);
        EXPECT_NEAR((first.right - first.left) / 2.0, m / 13.0 * sheet.mapping.unitX, 1.0);
    }
}

TEST(Pattern1, RowsOfSixDotsStepLeftAndDown) {
    Sheet sheet;
    DrawSoilPattern(sheet.target, 1, 20, 30, 32, 90, 1.0, 1, kBlack, 0);
    const auto dots = sheet.surface.CallsOf(SurfaceCall::kEllipse);
    ASSERT_GE(dots.size(), 7u);
    const auto centreX = [](const RecordedCall& c) { return (c.rect.left + c.rect.right) / 2.0; };
    const auto centreY = [](const RecordedCall& c) { return (c.rect.top + c.rect.bottom) / 2.0; };
    const double unit = sheet.mapping.unitX;
    for (int k = 1; k < 6; ++k) {
        // Across m/6 mm, down m/60 vertical units = m/6 mm: a 45 degree row.
        EXPECT_NEAR(centreX(dots[k - 1]) - centreX(dots[k]), 2.0 * unit, 1.5);
        EXPECT_NEAR(centreY(dots[k]) - centreY(dots[k - 1]), 2.0 * unit, 1.5);
    }
    // The seventh dot starts the next row 0.13 m (15.6 mm) below the first.
    EXPECT_NEAR(centreY(dots[6]) - centreY(dots[0]), 0.13 * 12 * 10 * unit, 1.5);
    EXPECT_NEAR(centreX(dots[6]), centreX(dots[0]), 1.0);
}

TEST(Pattern1, HalfFillLeavesTheRightHalfEmpty) {
    Sheet sheet;
    DrawSoilPattern(sheet.target, 1, 20, 30, 28.2, 90, 0.5, 1, kBlack, 0);
    const auto dots = sheet.surface.CallsOf(SurfaceCall::kEllipse);
    ASSERT_FALSE(dots.empty());
    const int middle = sheet.mapping.ToSurfaceX(24.1);
    for (const RecordedCall& dot : dots) {
        EXPECT_LT((dot.rect.left + dot.rect.right) / 2, middle);
    }
}

TEST(Pattern1, ACellShorterThanTheFirstRowOffsetShowsNoSymbol) {
    // The first row is 0.5 x m/60 = 0.068 vertical units (0.68 mm) below the top.
    Sheet sheet;
    DrawSoilPattern(sheet.target, 1, 20, 30, 28.2, 30.6, 1.0, 1, kBlack, 0);
    EXPECT_EQ(sheet.surface.DrawingCallCount(), 0u);
}

TEST(Pattern600, HorizontalLinesEveryFortiethOfTheWidth) {
    // m = 8.2: pitch 0.205 vertical units (2.05 mm), the first 1.025 mm below the top, over
    // 60 mm: 29 lines.
    Sheet sheet;
    DrawSoilPattern(sheet.target, 600, 20, 30, 28.2, 90, 1.0, 1, kBlack, 0);
    const auto lines = sheet.Lines();
    ASSERT_EQ(lines.size(), 29u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].points[0].x, sheet.mapping.ToSurfaceX(20));
        EXPECT_EQ(lines[i].points[1].x, sheet.mapping.ToSurfaceX(28.2));
        EXPECT_EQ(lines[i].points[0].y, lines[i].points[1].y);
        EXPECT_NEAR(lines[i].points[0].y, sheet.mapping.ToSurfaceY(30 + 1.025 + 2.05 * i), 1.0);
    }
}

TEST(Pattern4300, DrawsWithOneUnitHeavierPen) {
    Sheet sheet;
    DrawSoilPattern(sheet.target, 4300, 20, 30, 28.2, 40, 1.0, 2, kBlack, 0);
    const auto lines = sheet.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].pen.width, 3);
    Sheet same;
    DrawSoilPattern(same.target, 4800, 20, 30, 28.2, 40, 1.0, 2, kBlack, 0);
    EXPECT_EQ(same.Lines().size(), lines.size());
}

TEST(Pattern200, PlainGrainGridOfFourCirclesARow) {
    // m = 8.2, 60 mm: rows every 2.05 mm from 1.26 mm down to 59.37 mm: 29 rows of 4 circles.
    Sheet sheet;
    DrawSoilPattern(sheet.target, 200, 20, 30, 28.2, 90, 1.0, 1, kBlack, 0);
    const auto circles = sheet.surface.CallsOf(SurfaceCall::kEllipse);
    ASSERT_EQ(circles.size(), 29u * 4u);
    const SurfaceRect first = circles[0].rect;
    EXPECT_NEAR((first.left + first.right) / 2.0, sheet.mapping.ToSurfaceX(20 + 8.2 / 8), 1.0);
    EXPECT_NEAR((first.right - first.left) / 2.0, 8.2 / 13 * sheet.mapping.unitX, 1.0);
    EXPECT_EQ(first.right - first.left, first.bottom - first.top);
}

TEST(DrawSoilPattern, WorksThroughASectionMapping) {
    RecordingSurface surface;
    SectionLikeMapping mapping;
    const MappedSurface target{surface, mapping};
    const double before = mapping.scaleY;
    ASSERT_TRUE(
        DrawSoilPattern(target, 10000, 40, 1.5, 54.8, 6.25, 1.0, 1, kBlack, 0, PatternSet::kRavesect));
    EXPECT_EQ(mapping.scaleY, before);
    const auto lines = surface.CallsOf(SurfaceCall::kLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points[0], (SurfacePoint{mapping.ToSurfaceX(40), mapping.ToSurfaceY(1.5)}));
    EXPECT_EQ(lines[0].points[1], (SurfacePoint{mapping.ToSurfaceX(54.8), mapping.ToSurfaceY(6.25)}));

    for (long n : KnownPatternNumbers(PatternSet::kRavesect)) {
        surface.ClearCalls();
        DrawSoilPattern(target, n, 40, 1.5, 54.8, 6.25, 1.0, 1, kBlack, 0, PatternSet::kRavesect);
        const SurfaceRect cell{mapping.ToSurfaceX(40), mapping.ToSurfaceY(1.5), mapping.ToSurfaceX(54.8),
                               mapping.ToSurfaceY(6.25)};
        EXPECT_EQ(FirstInkOutside(surface, cell, 1), "") << n;
        EXPECT_EQ(mapping.scaleY, before);
    }
}

TEST(PatternDigit, SplitsCompositeCodesIntoTheirLayers) {
    EXPECT_EQ(PatternDigit(3324, 1000), 3000);
    EXPECT_EQ(PatternDigit(3324, 100), 300);
    EXPECT_EQ(PatternDigit(3324, 10), 20);
    EXPECT_EQ(PatternDigit(3324, 1), 4);
    EXPECT_EQ(PatternDigit(93344, 10000), 90000);
    EXPECT_EQ(PatternDigit(10091, 10000), 10000);
    EXPECT_EQ(PatternDigit(10091, 1000), 0);
    EXPECT_EQ(PatternDigit(4300, 1), 0);
    EXPECT_EQ(PatternDigit(3324, 0), 0);
    // Values a hair below a digit boundary still count as the digit.
    EXPECT_EQ(PatternDigit(2999.9999999, 1000), 3000);
}

TEST(ClassifyPatterns, SimpleTableClasses) {
    for (long code : {800L, 805L, 809L, 850L, 859L}) {
        EXPECT_EQ(ClassifySimplePattern(code), 7) << code;
    }
    for (long code : {810L, 813L, 815L, 819L, 860L, 869L}) {
        EXPECT_EQ(ClassifySimplePattern(code), 8) << code;
    }
    EXPECT_EQ(ClassifySimplePattern(814), 11);
    for (long code : {-1L, 10000L, 99999L}) {
        EXPECT_EQ(ClassifySimplePattern(code), 0) << code;
    }
    for (long code : {0L, 1L, 600L, 799L, 820L, 849L, 870L, 9999L}) {
        EXPECT_EQ(ClassifySimplePattern(code), 4) << code;
    }
}

TEST(ClassifyPatterns, JacicTableClasses) {
    EXPECT_EQ(ClassifyJacicPattern(10000), 7);
    EXPECT_EQ(ClassifyJacicPattern(10001), 8);
    EXPECT_EQ(ClassifyJacicPattern(10002), 9);
    for (long code : {10003L, 10004L, 10091L, 10093L, 19999L}) {
        EXPECT_EQ(ClassifyJacicPattern(code), 4) << code;
    }
    EXPECT_EQ(ClassifyJacicPattern(93344), 6);
    EXPECT_EQ(ClassifyJacicPattern(90000), 6);
    for (long code : {3324L, 600L, 1L, 0L}) {
        EXPECT_EQ(ClassifyJacicPattern(code), 3) << code;
    }
}

TEST(DrawCellMarker, TakesItsColourFromTheTableUnlessMonochrome) {
    PatternColorTable colors;
    colors.AddPair(10000, 0x0000FF);
    colors.AddPair(10004, 0x00A000);
    {
        Sheet sheet;
        EXPECT_TRUE(DrawCellMarker(sheet.target, 20, 30, 28.2, 40, 0, 1, 2, false, &colors));
        const auto lines = sheet.Lines();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].pen, (Pen{pen_style::kSolid, 2, 0x0000FF}));
    }
    {
        Sheet sheet;
        DrawCellMarker(sheet.target, 20, 30, 28.2, 40, 4, 1, 1, false, &colors);
        ASSERT_EQ(sheet.Lines().size(), 1u);
        EXPECT_EQ(sheet.Lines()[0].pen.color, 0x00A000);
    }
    const PatternColorTable* tables[] = {&colors, nullptr};
    for (const PatternColorTable* table : tables) {
        Sheet sheet;
        DrawCellMarker(sheet.target, 20, 30, 28.2, 40, 0, 1, 1, table != nullptr, table);
        for (const RecordedCall& line : sheet.Lines()) {
            EXPECT_EQ(line.pen.color, kBlack);
        }
    }
}

TEST(DrawCellMarker, HalfOnlyDrawsAMiddleLineAndKeepsTheMarkerLeft) {
    Sheet sheet;
    EXPECT_TRUE(DrawCellMarker(sheet.target, 20, 30, 30, 40, 0, 2, 1, true, nullptr));
    const auto lines = sheet.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].points,
              (std::vector<SurfacePoint>{sheet.target.ToSurface(25, 30), sheet.target.ToSurface(25, 40)}));
    EXPECT_EQ(lines[1].points,
              (std::vector<SurfacePoint>{sheet.target.ToSurface(20, 30), sheet.target.ToSurface(25, 40)}));
    EXPECT_EQ(lines[2].points,
              (std::vector<SurfacePoint>{sheet.target.ToSurface(25, 30), sheet.target.ToSurface(20, 40)}));
}

TEST(DrawCellMarker, UnknownKindsAndEmptyCellsDrawNothing) {
    for (int kind : {-1, 5, 7}) {
        Sheet sheet;
        EXPECT_FALSE(DrawCellMarker(sheet.target, 20, 30, 28.2, 40, kind, 1, 1, true, nullptr)) << kind;
        EXPECT_TRUE(sheet.surface.Calls().empty());
    }
    Sheet sheet;
    EXPECT_TRUE(DrawCellMarker(sheet.target, 20, 30, 20.0005, 40, 0, 2, 1, true, nullptr));
    EXPECT_TRUE(sheet.surface.Calls().empty());
    Sheet zeroPen;
    DrawCellMarker(zeroPen.target, 20, 30, 28.2, 40, 2, 2, 0, true, nullptr);
    EXPECT_TRUE(zeroPen.surface.Calls().empty());
}

}  // namespace
}  // namespace rave
