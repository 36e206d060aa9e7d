// The standard sheet (formats 1 and 2) on the recording surface.
#include "ravelog/report/standard_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "common/format.h"
#include "ravelog/report/sheet_fonts.h"
#include "ravelog/report/standard_sheet_parts.h"
#include "sheet_test_fixture.h"

namespace ravelog {
namespace {

using rave::RecordedCall;
using rave::SurfaceCall;
using testing::IsHorizontal;
using testing::IsVertical;
using testing::SheetFixture;

// Sheet x of the Nsw chart's linear end (Nsw 100) on format 1.
constexpr double kLogStart = 121.2 + 20.0;

TEST(StandardSheetTableRules, DashedRowRulesEvery200OverRowsPerPageMillimetres) {
    for (const int rows : {40, 45, 48, 64, 80}) {
        SheetFixture f;
        f.context.rowsPerPage = rows;
        DrawStandardSheet(f.context, false);
        const auto rules = f.LinesOfColour(testing::kTableRuleColour);
        ASSERT_EQ(rules.size(), static_cast<std::size_t>(rows - 1)) << rows;
        for (int i = 1; i < rows; ++i) {
            const RecordedCall& rule = rules[static_cast<std::size_t>(i - 1)];
            EXPECT_EQ(rule.points[0], (rave::SurfacePoint{f.X(1.0), f.Y(45.0 + i * 200.0 / rows)})) << rows;
            EXPECT_EQ(rule.points[1].x, f.X(89.0)) << "rules end at the depth-scale column";
        }
    }
}

TEST(StandardSheetTableRules, FormatTwoRulesEndAtItsShiftedDepthColumn) {
    SheetFixture f;
    DrawStandardSheet(f.context, true);
    const auto rules = f.LinesOfColour(testing::kTableRuleColour);
    ASSERT_FALSE(rules.empty());
    EXPECT_EQ(rules.front().points[1].x, f.X(87.5));
}

// A table of `count` rows 0.25 m apart with simple values.
void FillRows(SheetFixture& f, int count) {
    for (int r = 1; r <= count; ++r) {
        f.SetRow(r, rave::FormatText("%.2f", 0.25 * r), "1.00", "40.0000");
        f.document.Row(r)[2] = "10";
        f.document.Row(r)[4] = "0.2500";
    }
}

TEST(StandardSheetTableCells, LastRowOfAPageSitsHalfAMillimetreAboveTheBottomRule) {
    SheetFixture f;
    FillRows(f, 50);
    DrawStandardSheet(f.context, false);
    // Row 45 is the last row of page 1: its depth 11.25 ends at the depth column's right edge less 2.
    const auto texts = f.TextsEqual("11.25");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (rave::SurfacePoint{f.X(41.0 - 2.0), f.Y(244.5)}));
    EXPECT_EQ(texts[0].textAlign, rave::text_align::kRightBottom);
    EXPECT_TRUE(f.TextsEqual("11.50").empty()) << "row 46 belongs to page 2";
}

TEST(StandardSheetTableCells, SecondPageShowsTheNextRowsFromTheTop) {
    SheetFixture f;
    FillRows(f, 50);
    f.context.page = 2;
    f.context.topDepth = 10.0;
    DrawStandardSheet(f.context, false);
    const auto texts = f.TextsEqual("11.50");  // row 46, first row of page 2
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0].y, f.Y(45.0 + 200.0 / 45 - 0.5));
}

TEST(StandardSheetTableCells, DenseTablesLowerTheirFontToTheRowHeight) {
    for (const int rows : {45, 80}) {
        SheetFixture f;
        f.context.rowsPerPage = rows;
        FillRows(f, 2);
        DrawStandardSheet(f.context, false);
        const auto depth = f.TextsEqual("0.25");
        ASSERT_FALSE(depth.empty());
        const int rowHeight = static_cast<int>(200.0 / rows * 10.0);
        const int font4 = static_cast<int>(254 * 9.0 / 72.0);  // 9 points at 254 dpi
        EXPECT_EQ(depth[0].font.height, std::min(font4, rowHeight)) << rows;
        // The depth scale keeps the font as set.
        const auto label = f.TextsEqual("1");
        ASSERT_FALSE(label.empty());
        EXPECT_EQ(label.back().font.height, font4);
    }
}

TEST(StandardSheetTableCells, BaselineLiftFollowsTheRowDensity) {
    EXPECT_DOUBLE_EQ(TableBaselineLift(40), 0.5);
    EXPECT_DOUBLE_EQ(TableBaselineLift(45), 0.5);
    EXPECT_DOUBLE_EQ(TableBaselineLift(48), 200.0 / 48 * 0.05);
    EXPECT_DOUBLE_EQ(TableBaselineLift(64), 0.1);
    EXPECT_DOUBLE_EQ(TableBaselineLift(80), -0.1);
}

TEST(StandardSheetTableCells, TableStopsAfterRow1350) {
    EXPECT_EQ(TableRowNumber(30, 45, 30), 1335);
    EXPECT_EQ(TableRowNumber(45, 45, 30), 1350);
    EXPECT_EQ(TableRowNumber(1, 45, 31), 0);
}

// The depth numbers drawn right/bottom at the depth column of format 1.
std::vector<RecordedCall> DepthLabels(const SheetFixture& f) {
    std::vector<RecordedCall> labels;
    for (const RecordedCall& call : f.surface.CallsOf(SurfaceCall::kTextOut)) {
        if (call.points[0].x == f.X(100.2) && call.textAlign == rave::text_align::kRightBottom) {
            labels.push_back(call);
        }
    }
    return labels;
}

struct ScaleCase {
    double scale;
    std::vector<std::string> first;  // the first three numbers
    std::string last;
    std::size_t count;
};

TEST(StandardSheetDepthScale, StepAndFormatFollowTheScale) {
    const ScaleCase cases[] = {
        {0.2, {"0.2", "0.4", "0.6"}, "4.0", 20},   // 1:20
        {0.25, {"0.5", "1.0", "1.5"}, "5.0", 10},  // 1:25, one decimal every 0.5 m
        {0.22, {"1", "2", "3"}, "4", 4},           // between 1:20 and 1:25: whole metres
        {0.5, {"1", "2", "3"}, "10", 10},          // 1:50
        {1.0, {"1", "2", "3"}, "20", 20},          // 1:100
        {2.0, {"2", "4", "6"}, "40", 20},          // 1:200, every 2 m
    };
    for (const ScaleCase& c : cases) {
        SheetFixture f;
        f.context.scale = c.scale;
        DrawStandardSheet(f.context, false);
        const auto labels = DepthLabels(f);
        ASSERT_EQ(labels.size(), c.count) << c.scale;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(labels[i].text, c.first[i]) << c.scale;
        }
        EXPECT_EQ(labels.back().text, c.last) << c.scale;
    }
}

TEST(StandardSheetDepthScale, NumbersAreCentredOnTheirDepth) {
    SheetFixture f;
    f.context.page = 2;
    f.context.topDepth = 10.0;
    DrawStandardSheet(f.context, false);
    const auto labels = DepthLabels(f);
    ASSERT_EQ(labels.size(), 10u);
    EXPECT_EQ(labels[0].text, "11");
    const double ch4 = SheetFontCell(f.fonts[3], 254, 254).heightMm;
    EXPECT_EQ(labels[0].points[0].y, f.Y(45.0 + 20.0 + ch4 / 2.0));
    EXPECT_EQ(labels.back().text, "20");
    EXPECT_EQ(labels.back().points[0].y, f.Y(245.0 + ch4 / 2.0));
}

// x of the vertical plot step of each row.
std::vector<int> PlotStepXs(const SheetFixture& f) {
    std::vector<int> xs;
    for (const RecordedCall& line : f.LinesOfColour(testing::kWswNswColour)) {
        if (IsVertical(line) && line.points[0].y != line.points[1].y) {
            xs.push_back(line.points[0].x);
        }
    }
    return xs;
}

TEST(StandardSheetWswNswPlot, LoadAndNswLandOnTheHalfLinearHalfLogarithmicChart) {
    SheetFixture f;
    f.SetRow(1, "0.25", "0.75", "0");  // loaded, no rotation
    f.SetRow(2, "0.50", "1.00", "50");
    f.SetRow(3, "0.75", "1.00", "600");
    f.SetRow(4, "1.00", "1.00", "100");
    DrawStandardSheet(f.context, false);
    const std::vector<int> expected = {f.X(101.2 + 15.0), f.X(121.2 + 10.0),
                                       f.X(kLogStart + 35.5 * std::log(6.0) / std::log(7.0)), f.X(kLogStart)};
    EXPECT_EQ(PlotStepXs(f), expected);
}

TEST(StandardSheetWswNswPlot, StepsRunFromThePreviousDepthToTheRowDepth) {
    SheetFixture f;
    f.SetRow(1, "0.50", "0.50", "0");
    f.SetRow(2, "1.00", "1.00", "20");
    DrawStandardSheet(f.context, false);
    const int x1 = f.X(101.2 + 10.0);
    const int x2 = f.X(121.2 + 4.0);
    // The first row starts at depth 0 from its own x; the second steps across at 0.5 m.
    EXPECT_TRUE(f.HasLine({x1, f.Y(45.0)}, {x1, f.Y(55.0)}));
    EXPECT_TRUE(f.HasLine({x1, f.Y(55.0)}, {x2, f.Y(55.0)}));
    EXPECT_TRUE(f.HasLine({x2, f.Y(55.0)}, {x2, f.Y(65.0)}));
}

TEST(StandardSheetWswNswPlot, BackToZeroLinesAboveAndBelow) {
    SheetFixture f;
    f.SetRow(1, "0.50", "1.00", "40");
    f.SetRow(2, "1.00", "1.00", "60");
    f.document.Row(2)[11] = "3";  // back to zero above and below
    DrawStandardSheet(f.context, false);
    const int x = f.X(121.2 + 12.0);
    EXPECT_TRUE(f.HasLine({f.X(101.2), f.Y(55.0)}, {x, f.Y(55.0)}));
    EXPECT_TRUE(f.HasLine({f.X(101.2), f.Y(65.0)}, {x, f.Y(65.0)}));
}

TEST(StandardSheetWswNswPlot, ARowWithoutLoadBreaksTheStepAndMayMoveItDown) {
    for (const bool moveDown : {false, true}) {
        SheetFixture f;
        f.SetRow(1, "0.50", "1.00", "40");
        f.SetRow(2, "1.00", "", "");  // depth without load: the plot is interrupted
        f.SetRow(3, "1.50", "1.00", "80");
        f.document.header[91] = moveDown ? "1" : "0";
        DrawStandardSheet(f.context, false);
        const int x3 = f.X(121.2 + 16.0);
        // Row 3 starts a new line from its own x: no step across from row 1.
        EXPECT_FALSE(f.HasLine({f.X(121.2 + 8.0), f.Y(55.0)}, {x3, f.Y(55.0)}));
        const double from = moveDown ? 65.0 : 55.0;
        EXPECT_TRUE(f.HasLine({x3, f.Y(from)}, {x3, f.Y(75.0)})) << moveDown;
    }
}

TEST(StandardSheetWswNswPlot, PlotIsClippedToTheChart) {
    SheetFixture f;
    f.SetRow(1, "0.50", "1.00", "40");
    DrawStandardSheet(f.context, false);
    const auto lines = f.LinesOfColour(testing::kWswNswColour);
    ASSERT_FALSE(lines.empty());
    const rave::SurfaceRect chart{f.X(101.2), f.Y(45.0), f.X(180.1), f.Y(245.0)};
    for (const RecordedCall& line : lines) {
        ASSERT_TRUE(line.clip.has_value());
        EXPECT_EQ(*line.clip, chart);
    }
    EXPECT_FALSE(f.surface.ClipBox().has_value()) << "the clip is removed after the plot";
}

TEST(StandardSheetUnits, NewtonsChangeTheUnitAndScaleLabelsButNotThePlot) {
    SheetFixture f;
    f.settings.SetInt(20, 1);
    f.SetRow(1, "0.25", "0.75", "0");
    DrawStandardSheet(f.context, false);
    const auto scaleLabel = [&](const char* text) {
        return std::ranges::count_if(f.TextsEqual(text),
                                     [&](const RecordedCall& t) { return t.points[0].y == f.Y(45.0); });
    };
    for (const char* label : {"250", "500", "750"}) {
        EXPECT_EQ(scaleLabel(label), 1) << label;
    }
    EXPECT_EQ(scaleLabel("0.25"), 0);
    const auto units = f.TextsEqual("N");  // in the unit line, and spread in the chart heading
    EXPECT_TRUE(std::ranges::any_of(units, [&](const RecordedCall& t) {
        return t.points[0] == rave::SurfacePoint{f.X(7.0), f.Y(44.5)};
    }));
    EXPECT_EQ(PlotStepXs(f), std::vector<int>{f.X(116.2)});
}

TEST(StandardSheetLogGrid, DecadesSolidAndMinorLinesDashed) {
    SheetFixture f;
    DrawStandardSheet(f.context, false);
    const auto atX = [&](double x, rave::ColorRef colour) {
        for (const RecordedCall& line : f.surface.CallsOf(SurfaceCall::kLine)) {
            if (IsVertical(line) && line.points[0].x == f.X(x) && line.pen.color == colour) {
                return true;
            }
        }
        return false;
    };
    for (const int v : {200, 300, 500, 800}) {
        EXPECT_TRUE(atX(kLogStart + LogAxisOffset(v, 35.5), rave::kBlack)) << v;
    }
    for (const int v : {110, 290, 320, 780}) {
        EXPECT_TRUE(atX(kLogStart + LogAxisOffset(v, 35.5), testing::kGrid1Colour)) << v;
    }
    for (const int v : {400, 600}) {  // decades only, no minor line under them
        EXPECT_FALSE(atX(kLogStart + LogAxisOffset(v, 35.5), testing::kGrid1Colour)) << v;
    }
}

TEST(StandardSheetTitle, FrameAndJisNumberOnlyOnFramedFormatOne) {
    for (const bool withColumn : {false, true}) {
        SheetFixture f;
        f.document.header[28] = "1";
        DrawStandardSheet(f.context, withColumn);
        const bool framed = f.HasLine({f.X(1.0), f.Y(0.0)}, {f.X(180.6), f.Y(0.0)}) &&
                            f.HasLine({f.X(1.0), f.Y(8.0)}, {f.X(180.6), f.Y(8.0)}) &&
                            f.HasLine({f.X(34.0), f.Y(0.0)}, {f.X(34.0), f.Y(8.0)});
        EXPECT_EQ(framed, !withColumn);
        EXPECT_EQ(f.TextsEqual("J").size(), withColumn ? 0u : 1u);
    }
}

TEST(StandardSheetHeader, BlankSecondSurveyLineLowersTheFirstByHalfACharacter) {
    for (const bool twoLines : {false, true}) {
        SheetFixture f;
        f.document.header[1] = "Survey A";
        f.document.header[2] = twoLines ? "Part B" : "";
        DrawStandardSheet(f.context, false);
        const double half = SheetFontCell(f.fonts[0], 254, 254).heightMm / 2.0;
        const auto first = f.TextsEqual("Survey A");
        ASSERT_EQ(first.size(), 1u);
        EXPECT_EQ(first[0].points[0],
                  (rave::SurfacePoint{f.X(18.0), f.Y(twoLines ? 17.0 - half : 17.0 + half)}));
        EXPECT_EQ(first[0].textAlign, rave::text_align::kLeftBottom);
    }
}

TEST(StandardSheetHeader, ElevationUnitOnlyWithAnElevationWhenAsked) {
    SheetFixture f;
    f.document.header[12] = "TP";
    f.document.header[13] = "";
    f.document.header[87] = "1";
    EXPECT_EQ(ElevationText(f.document), "TP ");
    f.document.header[87] = "0";
    EXPECT_EQ(ElevationText(f.document), "TP m");
    f.document.header[13] = "12.30";
    EXPECT_EQ(ElevationText(f.document), "TP 12.30m");
}

TEST(StandardSheetSoilColumn, FormatTwoDrawsTheColumnInsideItsCell) {
    SheetFixture f;
    f.document.header[20] = "1";
    f.SetRow(1, "2.00", "1.00", "10");
    f.document.Row(1)[12] = "3300.1";
    DrawStandardSheet(f.context, true);
    const rave::SurfaceRect cell{f.X(92.4), f.Y(45.0), f.X(101.2), f.Y(245.0)};
    std::size_t inCell = 0;
    for (const RecordedCall& call : f.surface.Calls()) {
        if (call.clip && *call.clip == cell) {
            ++inCell;
        }
    }
    EXPECT_GT(inCell, 10u) << "the pattern of the layer is drawn within the column's clip";
    // The layer's bottom boundary at 2 m.
    EXPECT_TRUE(f.HasLine({f.X(92.4), f.Y(85.0)}, {f.X(101.2), f.Y(85.0)}));
}

TEST(StandardSheetFrame, FiveFullWidthRulesInTheOuterWidth) {
    SheetFixture f;
    DrawStandardSheet(f.context, false);
    for (const double y : {31.0, 35.5, 45.0, 245.0, 257.0}) {
        const bool found =
            std::ranges::any_of(f.surface.CallsOf(SurfaceCall::kLine), [&](const RecordedCall& l) {
                return IsHorizontal(l) && l.points[0] == rave::SurfacePoint{f.X(1.0), f.Y(y)} &&
                       l.points[1].x == f.X(180.6) && l.pen.width == 2;
            });
        EXPECT_TRUE(found) << y;
    }
}

}  // namespace
}  // namespace ravelog

namespace ravelog {
namespace {

TEST(SheetTexts, ATextWiderThanItsSpanIsNarrowedAndPackedFromEdgeToEdge) {
    SheetFixture f;
    f.surface.SelectFont({"", 30, 0, 0, 0, false});  // 3 mm cell: 1.5 mm a byte
    const SheetPen pen(f.context);
    const CharacterCell cell{3.0, 3.0};
    pen.Spread(10.0, 16.0, 20.0, 20.0, cell, "abcdefgh");  // 12 mm of text in 6 mm
    const auto texts = f.surface.CallsOf(SurfaceCall::kTextOut);
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[0].points[0].x, f.X(10.0));
    EXPECT_EQ(texts[7].points[0].x, f.X(10.0 + 7 * 0.75));
    EXPECT_EQ(texts[0].font.width, 7) << "half the width of the face";
    EXPECT_EQ(f.surface.CurrentFont().width, 0) << "the font is put back";

    f.surface.ClearCalls();
    pen.Spread(10.0, 40.0, 20.0, 20.0, cell, "abcd");  // fits: spread at the natural width
    const auto spread = f.surface.CallsOf(SurfaceCall::kTextOut);
    ASSERT_EQ(spread.size(), 4u);
    EXPECT_EQ(spread[0].font.width, 0);
    EXPECT_EQ(spread[3].points[0].x, f.X(10.0 + 3 * 13.5));
}

TEST(SheetTexts, ScaleNumbersThatWouldTouchAreNarrowed) {
    SheetFixture f;
    f.surface.SelectFont({"", 30, 0, 0, 0, false});
    const SheetPen pen(f.context);
    DrawScaleLabelRow(f.context, pen, {{100.0, "0"}, {105.0, "0.25"}, {110.0, "0.5"}}, 45.0);
    auto texts = f.surface.CallsOf(SurfaceCall::kTextOut);
    ASSERT_EQ(texts.size(), 3u);
    // 0.25 and 0.5 take 6 and 4.5 mm at 5 mm apart: narrowed to leave 0.8 mm between them.
    EXPECT_GT(texts[1].font.width, 0);
    EXPECT_LE((4 + 3) * texts[1].font.width / 2 + 8, 50);
    EXPECT_EQ(texts[1].points[0], (rave::SurfacePoint{f.X(105.0), f.Y(45.0)}));
    EXPECT_EQ(texts[1].textAlign, rave::text_align::kCenterBottom);

    f.surface.ClearCalls();
    DrawScaleLabelRow(f.context, pen, {{100.0, "0"}, {110.0, "50"}, {120.0, "100"}}, 45.0);
    texts = f.surface.CallsOf(SurfaceCall::kTextOut);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2].font.width, 0) << "numbers with room keep the face's width";
}

}  // namespace
}  // namespace ravelog
