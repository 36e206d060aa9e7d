// The chart arithmetic of the Wsw-Nsw plot and the depth mapping of the sheets.
#include <gtest/gtest.h>

#include <cmath>

#include "ravelog/report/standard_sheet_parts.h"
#include "ravelog/report/wsw_nsw_plot.h"

namespace ravelog {
namespace {

TEST(LogAxis, HundredAtZeroAndSevenHundredAtTheFullWidth) {
    EXPECT_DOUBLE_EQ(LogAxisOffset(100.0, 35.5), 0.0);
    EXPECT_NEAR(LogAxisOffset(700.0, 35.5), 35.5, 1e-12);
    EXPECT_NEAR(LogAxisOffset(600.0, 35.5), 35.5 * std::log(6.0) / std::log(7.0), 1e-12);
    EXPECT_LT(LogAxisOffset(50.0, 35.5), 0.0);
    EXPECT_DOUBLE_EQ(LogAxisOffset(0.001, 35.5), 0.0);
    EXPECT_DOUBLE_EQ(LogAxisOffset(-5.0, 35.5), 0.0);
}

TEST(LinearMap, MapsAndGivesZeroForAnEmptyRange) {
    EXPECT_DOUBLE_EQ(MapLinear(5.0, 0.0, 10.0, 45.0, 245.0), 145.0);
    EXPECT_DOUBLE_EQ(MapLinear(12.0, 10.0, 20.0, 45.0, 245.0), 85.0);
    EXPECT_DOUBLE_EQ(MapLinear(3.0, 2.0, 2.0000000001, 45.0, 245.0), 0.0);
}

TEST(WswNswChart, LoadThenLinearNswThenLogarithmicNsw) {
    const WswNswChart chart{101.2, 141.2, 176.7, {}};
    EXPECT_DOUBLE_EQ(chart.XOf(0.0), 101.2);
    EXPECT_DOUBLE_EQ(chart.XOf(75.0), 116.2);   // 0.75 kN without rotation
    EXPECT_DOUBLE_EQ(chart.XOf(100.0), 121.2);  // 1.00 kN, Nsw 0
    EXPECT_DOUBLE_EQ(chart.XOf(150.0), 131.2);  // Nsw 50
    EXPECT_DOUBLE_EQ(chart.XOf(200.0), 141.2);  // Nsw 100: the two parts meet
    EXPECT_NEAR(chart.XOf(200.0001), 141.2, 1e-4);
    EXPECT_NEAR(chart.XOf(700.0), 141.2 + 35.5 * std::log(6.0) / std::log(7.0), 1e-12);
    EXPECT_NEAR(chart.XOf(800.0), 176.7, 1e-12);
}

TEST(PageDepths, EachPageShowsTwentyScaleUnitsOfDepth) {
    const DepthWindow window{10.0, 20.0, 45.0, 245.0};
    EXPECT_DOUBLE_EQ(window.MapY(10.0), 45.0);
    EXPECT_DOUBLE_EQ(window.MapY(15.0), 145.0);
    EXPECT_DOUBLE_EQ(window.MapY(0.0), -155.0);
}

TEST(DepthLabels, StepsByScale) {
    EXPECT_DOUBLE_EQ(DepthLabelStepFor(0.1).step, 0.2);
    EXPECT_TRUE(DepthLabelStepFor(0.2).oneDecimal);
    EXPECT_DOUBLE_EQ(DepthLabelStepFor(25 * 0.01).step, 0.5);
    EXPECT_TRUE(DepthLabelStepFor(25 * 0.01).oneDecimal);
    EXPECT_DOUBLE_EQ(DepthLabelStepFor(0.3).step, 1.0);
    EXPECT_FALSE(DepthLabelStepFor(0.3).oneDecimal);
    EXPECT_DOUBLE_EQ(DepthLabelStepFor(1.001).step, 1.0);
    EXPECT_DOUBLE_EQ(DepthLabelStepFor(1.5).step, 2.0);
}

}  // namespace
}  // namespace ravelog
