// The section mapping, paper lengths, page metres and the graph scales.
#include <gtest/gtest.h>

#include <limits>

#include "ravesect/drawing/section_mapping.h"

namespace ravesect {
namespace {

TEST(SectionMapping, OneMetreAtTheScalesOfThePaper) {
    const SectionMapping m = SectionMapping::ForDevice(600, 600, 100, 200, 0.0, 0.0);
    // 1/100 at 600 dpi: one metre of distance is 10 mm of paper, about 236 units.
    EXPECT_EQ(m.ToSurfaceX(10.0) - m.ToSurfaceX(0.0), 236);
    // 1/200: one metre of depth is 5 mm of paper.
    EXPECT_NEAR((m.ToSurfaceY(1.0) - m.ToSurfaceY(0.0)) / m.unitY, 5.0, 0.01);
}

TEST(SectionMapping, MarginsAndTheShownPageMoveTheOrigin) {
    SectionMapping m = SectionMapping::ForDevice(254, 254, 100, 100, 10.0, 20.0);  // 10 units per mm
    m.ShowPage(-2.0, 15.0);
    // Distance -2 m (x = -20) stands at the left margin, elevation 15 (y = -15) at the top margin.
    EXPECT_EQ(m.ToSurfaceX(-20.0), 100);
    EXPECT_EQ(m.ToSurfaceY(-15.0), 200);
    EXPECT_NEAR(m.FromSurfaceX(m.ToSurfaceX(37.0)), 37.0, 0.1);
    EXPECT_NEAR(m.FromSurfaceY(m.ToSurfaceY(-3.5)), -3.5, 0.01);
}

TEST(SectionMapping, FarCoordinatesAreClampedNotWrapped) {
    const SectionMapping m = SectionMapping::ForDevice(600, 600, 20, 20, 0.0, 0.0);
    EXPECT_EQ(m.ToSurfaceX(1.0e7), 32767);
    EXPECT_EQ(m.ToSurfaceX(-1.0e7), -32767);
    EXPECT_EQ(m.ToSurfaceY(5000.0), 32767);
}

TEST(SectionMapping, PaperLengthsFollowTheDenominators) {
    EXPECT_DOUBLE_EQ(PaperToWorldX(7.4, 100), 7.4);  // 7.4 mm at 1/100 is 0.74 m
    EXPECT_DOUBLE_EQ(PaperToWorldX(10.0, 500), 50.0);
    EXPECT_DOUBLE_EQ(PaperToWorldY(18.0, 200), 3.6);
}

TEST(PageMetres, IntegerArithmeticOfThePaper) {
    EXPECT_EQ(PageMetres(100, 297, 10), 27);
    EXPECT_EQ(PageMetres(200, 210, 10), 38);
    EXPECT_EQ(PageMetres(2000, 420, 10), 800);
    // A paper smaller than its margins holds nothing (and never a negative page).
    EXPECT_LE(PageMetres(20, 15, 10), 0);
    EXPECT_EQ(PageMetres(100, 20, 10), 0);
    // A denominator typed but not yet range-checked gives a large length, not an overflow.
    EXPECT_EQ(PageMetres(1000000000, 210, 10), 190000000);
    EXPECT_EQ(PageMetres(2000000000, 2000000000, 0), std::numeric_limits<int>::max());
}

TEST(SwedishGraphScale, LinearUpToTheBreakPointThenLogarithmic) {
    EXPECT_EQ(SwedishGraphFraction(0.0, 200), 0.0);
    EXPECT_EQ(SwedishGraphFraction(0.01, 200), 0.0);
    EXPECT_NEAR(SwedishGraphFraction(100.0, 200), 0.38, 1e-9);  // Wsw 1.00 kN, Nsw 0
    EXPECT_NEAR(SwedishGraphFraction(200.0, 200), 0.76, 1e-9);  // Nsw 100
    EXPECT_NEAR(SwedishGraphFraction(300.0, 200), 1.0, 1e-9);   // Nsw 200 at the edge
    EXPECT_NEAR(SwedishGraphFraction(200.0, 400), 0.6135, 1e-9);
    EXPECT_NEAR(SwedishGraphFraction(900.0, 800), 1.0, 1e-9);
    EXPECT_GT(SwedishGraphFraction(600.0, 400), 1.0);  // beyond the grid: over range
    EXPECT_EQ(SwedishGraphFraction(150.0, 300), 0.0);  // unknown grid maximum
}

TEST(BlowsPer30cm, SlashValuesAndTheirLimits) {
    EXPECT_DOUBLE_EQ(BlowsPer30cm("50/10"), 150.0);
    EXPECT_DOUBLE_EQ(BlowsPer30cm(" 12 "), 12.0);
    EXPECT_DOUBLE_EQ(BlowsPer30cm("1200/30"), 999.0);  // blows taken as at most 999
    EXPECT_DOUBLE_EQ(BlowsPer30cm("999/1"), 2999.99);
    EXPECT_DOUBLE_EQ(BlowsPer30cm("50/0"), 2999.99);
    EXPECT_DOUBLE_EQ(BlowsPer30cm("50/"), 2999.99);
    EXPECT_DOUBLE_EQ(BlowsPer30cm("50/-5"), 2999.99);
    EXPECT_LT(BlowsPer30cm(""), 0.0);
    EXPECT_LT(BlowsPer30cm("abc"), 0.0);
    EXPECT_DOUBLE_EQ(PenetrationCm("50/10"), 10.0);
    EXPECT_DOUBLE_EQ(PenetrationCm("12"), 30.0);
    EXPECT_DOUBLE_EQ(PenetrationCm("12/0"), 30.0);
    EXPECT_EQ(BlowCodeValue(0), 50);
    EXPECT_EQ(BlowCodeValue(2), 70);
    EXPECT_EQ(BlowCodeValue(9), 50);
}

}  // namespace
}  // namespace ravesect
