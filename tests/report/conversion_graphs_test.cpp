// The converted N, qu and qa graphs on the recording surface.
#include "ravelog/report/conversion_graphs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sheet_test_fixture.h"

namespace ravelog {
namespace {

using rave::RecordedCall;
using rave::SurfaceCall;
using testing::SheetFixture;

constexpr double kX0 = 145.0;
constexpr double kX1 = 175.0;

void SetEntry(SheetFixture& f, int i, const std::string& depth, int field, const std::string& value) {
    f.document.Conversion(i)[1] = depth;
    f.document.Conversion(i)[field] = value;
}

ConversionGraph Graph(const SheetFixture& f, bool midway = false) {
    return ConversionGraph{kX0, kX1, PageDepthWindow(f.context), midway};
}

// Lines of the plot colour that are not markers: the segments between points.
std::vector<RecordedCall> Segments(const SheetFixture& f, rave::ColorRef colour, int width) {
    std::vector<RecordedCall> lines;
    for (const RecordedCall& line : f.LinesOfColour(colour)) {
        if (line.pen.width == width) {
            lines.push_back(line);
        }
    }
    return lines;
}

TEST(NValueGraph, PointsMapHalfAMillimetrePerBlowAndDotsWithinTheCap) {
    SheetFixture f;
    SetEntry(f, 1, "1.00", 2, "10.000000");
    SetEntry(f, 2, "2.00", 2, "20.000000");
    DrawNValueGraph(f.context, Graph(f));
    EXPECT_TRUE(f.HasLine({f.X(150.0), f.Y(65.0)}, {f.X(155.0), f.Y(85.0)}));
    const auto dots = f.surface.CallsOf(SurfaceCall::kEllipse);
    ASSERT_EQ(dots.size(), 2u);
    EXPECT_EQ(dots[0].brush, rave::Brush::Solid(testing::kNColour));
    EXPECT_EQ(dots[0].pen.width, 2);
    // Radius 0.5 + 0.1 x the N plot width (2) = 0.7 mm.
    EXPECT_EQ(dots[0].rect.right - dots[0].rect.left, 14);
}

TEST(NValueGraph, AboveTheCapAnArrowAtTheCapAndTheLineStopsShortOfIt) {
    SheetFixture f;
    f.document.header[35] = "1";  // cap 60
    SetEntry(f, 1, "1.00", 2, "20.000000");
    SetEntry(f, 2, "2.00", 2, "75.000000");
    SetEntry(f, 3, "3.00", 2, "30.000000");
    DrawNValueGraph(f.context, Graph(f));
    const int capX = f.X(kX1);
    const int y2 = f.Y(85.0);
    // In: the line ends 0.7 mm above the arrow; a one-unit stroke closes the gap.
    EXPECT_TRUE(f.HasLine({f.X(155.0), f.Y(65.0)}, {capX, f.Y(85.0 - 0.7)}));
    EXPECT_TRUE(f.HasLine({capX, f.Y(85.0 - 0.7)}, {capX, y2}));
    // Out: the next segment starts 0.7 mm below the arrow.
    EXPECT_TRUE(f.HasLine({capX, f.Y(85.0 + 0.7)}, {f.X(160.0), f.Y(105.0)}));
    EXPECT_TRUE(f.HasLine({capX, y2}, {capX, f.Y(85.0 + 0.7)}));
    const auto closing = std::ranges::count_if(f.LinesOfColour(testing::kNColour),
                                               [](const RecordedCall& l) { return l.pen.width == 1; });
    EXPECT_EQ(closing, 2);
    // The arrow: a stroke back from the tip and a barb up-left.
    EXPECT_TRUE(f.HasLine({capX, y2}, {f.X(kX1 - 3.4), y2}));
    EXPECT_TRUE(f.HasLine({capX, y2}, {f.X(kX1 - 2.0), f.Y(85.0 - 0.26)}));
    EXPECT_EQ(f.surface.Count(SurfaceCall::kEllipse), 2u) << "no dot for the value above the cap";
}

TEST(NValueGraph, CapFollowsTheGraphMaximumSetting) {
    for (const auto& [setting, cap] : {std::pair{"0", 50.0}, {"1", 60.0}, {"2", 70.0}}) {
        SoundingHeader header;
        header[35] = setting;
        EXPECT_DOUBLE_EQ(NValueCap(header), cap);
    }
    SheetFixture f;
    f.document.header[35] = "2";
    SetEntry(f, 1, "1.00", 2, "65.000000");  // within 70: a dot beyond the 60 mark
    DrawNValueGraph(f.context, Graph(f));
    const auto dots = f.surface.CallsOf(SurfaceCall::kEllipse);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ((dots[0].rect.left + dots[0].rect.right) / 2, f.X(kX0 + 32.5));
}

TEST(NValueGraph, ZeroOrLessIsAStrokeToTheRight) {
    SheetFixture f;
    SetEntry(f, 1, "1.00", 2, "0.000000");
    DrawNValueGraph(f.context, Graph(f));
    EXPECT_TRUE(f.HasLine({f.X(kX0), f.Y(65.0)}, {f.X(kX0 + 3.4), f.Y(65.0)}));
    EXPECT_EQ(f.surface.Count(SurfaceCall::kEllipse), 0u);
}

TEST(NValueGraph, AnEmptyValueSplitsTheLine) {
    SheetFixture f;
    SetEntry(f, 1, "1.00", 2, "10.000000");
    SetEntry(f, 2, "2.00", 2, "20.000000");
    SetEntry(f, 3, "3.00", 2, "");
    SetEntry(f, 4, "4.00", 2, "30.000000");
    SetEntry(f, 5, "5.00", 2, "40.000000");
    DrawNValueGraph(f.context, Graph(f));
    const auto segments = Segments(f, testing::kNColour, 2);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_FALSE(f.HasLine({f.X(155.0), f.Y(85.0)}, {f.X(160.0), f.Y(125.0)}));
    EXPECT_TRUE(f.HasLine({f.X(160.0), f.Y(125.0)}, {f.X(165.0), f.Y(145.0)}));
}

TEST(NValueGraph, MidwayPlotDepthUsesThePreviousRowsDepth) {
    SheetFixture f;
    SetEntry(f, 1, "1.00", 2, "10.000000");
    SetEntry(f, 2, "3.00", 2, "20.000000");
    DrawNValueGraph(f.context, Graph(f, true));
    // 0.5 m and 2.0 m.
    EXPECT_TRUE(f.HasLine({f.X(150.0), f.Y(55.0)}, {f.X(155.0), f.Y(85.0)}));
    SoundingHeader header;
    header[62] = "1";
    EXPECT_TRUE(PlotsMidway(header, 62));
    header[62] = "3";
    EXPECT_FALSE(PlotsMidway(header, 62)) << "outside 0..1 counts as 0";
}

TEST(NValueGraph, SegmentsAreDrawnOnlyWhenTheyReachIntoThePage) {
    SheetFixture f;
    f.context.page = 2;
    f.context.topDepth = 10.0;
    SetEntry(f, 1, "5.00", 2, "10.000000");   // above the page
    SetEntry(f, 2, "6.00", 2, "20.000000");   // above the page: no segment
    SetEntry(f, 3, "11.00", 2, "30.000000");  // on the page: the segment from 6 m comes in
    DrawNValueGraph(f.context, Graph(f));
    ASSERT_EQ(Segments(f, testing::kNColour, 2).size(), 1u);
    EXPECT_TRUE(f.HasLine({f.X(155.0), f.Y(45.0 - 80.0)}, {f.X(160.0), f.Y(65.0)}));
}

TEST(QuGraph, OpenCirclesOnThePageAndNoCap) {
    SheetFixture f;
    f.document.header[36] = "120";
    SetEntry(f, 1, "1.00", 3, "60.000000");
    SetEntry(f, 2, "2.00", 3, "240.000000");  // beyond full scale: no cap, off the graph
    SetEntry(f, 3, "11.00", 3, "30.000000");  // below the page: no circle
    DrawQuGraph(f.context, Graph(f));
    EXPECT_TRUE(f.HasLine({f.X(160.0), f.Y(65.0)}, {f.X(205.0), f.Y(85.0)}));
    const auto circles = f.surface.CallsOf(SurfaceCall::kEllipse);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].brush.kind, rave::Brush::Kind::kNone);
    EXPECT_EQ(circles[0].pen.width, 2);
}

TEST(QuGraph, LineStyleSettingPicksDottedOrDashedPens) {
    for (const auto& [style, penStyle, width] : {std::tuple{0, rave::pen_style::kSolid, 3},
                                                 {1, rave::pen_style::kDot, 1},
                                                 {2, rave::pen_style::kDash, 1}}) {
        SheetFixture f;
        f.settings.SetInt(58, 3);
        f.settings.SetInt(59, style);
        f.document.header[36] = "120";
        SetEntry(f, 1, "1.00", 3, "60.000000");
        SetEntry(f, 2, "2.00", 3, "90.000000");
        DrawQuGraph(f.context, Graph(f));
        const auto lines = f.LinesOfColour(testing::kQuQaColour);
        ASSERT_EQ(lines.size(), 1u) << style;
        EXPECT_EQ(lines[0].pen.style, penStyle);
        EXPECT_EQ(lines[0].pen.width, width);
    }
}

TEST(QaGraph, AboveTheDisplayLimitAnArrowWithAWideTipAndNarrowerGaps) {
    SheetFixture f;
    f.document.header[64] = "150";
    f.document.header[89] = "100";
    SetEntry(f, 1, "1.00", 4, "60.000000");
    SetEntry(f, 2, "2.00", 4, "140.000000");
    DrawQaGraph(f.context, Graph(f));
    const int capX = f.X(kX0 + 20.0);  // 100 of 150 over 30 mm
    const int y = f.Y(85.0);
    EXPECT_TRUE(f.HasLine({f.X(kX0 + 12.0), f.Y(65.0)}, {capX, f.Y(85.0 - 0.4)}));
    EXPECT_TRUE(f.HasLine({capX, f.Y(85.0 - 0.4)}, {capX, y}));
    const auto tips = f.LinesOfColour(testing::kQuQaColour);
    const bool wideTip = std::ranges::any_of(tips, [&](const RecordedCall& l) {
        return l.points[0] == rave::SurfacePoint{capX, y} &&
               l.points[1] == rave::SurfacePoint{f.X(kX0 + 19.4), y} && l.pen.width == 2;
    });
    EXPECT_TRUE(wideTip) << "the first 0.6 mm of the arrow is one unit wider";
    EXPECT_TRUE(f.HasLine({capX, y}, {f.X(kX0 + 17.2), y}));
    EXPECT_TRUE(f.HasLine({capX, y}, {f.X(kX0 + 18.4), f.Y(85.0 - 0.3)}));
    EXPECT_EQ(f.surface.Count(SurfaceCall::kEllipse), 1u) << "a circle only for the value within the limit";
}

TEST(QaGraph, WithoutADisplayLimitNothingIsCapped) {
    SoundingHeader header;
    EXPECT_DOUBLE_EQ(QaPlotCap(header), 39999.0);
    header[89] = "0";
    EXPECT_DOUBLE_EQ(QaPlotCap(header), 39999.0);
    header[89] = "120";
    EXPECT_DOUBLE_EQ(QaPlotCap(header), 120.0);
}

// The conversions write "_" (qa formula only for Wsw = 1) and "-999" (qa = b·N without an N) for
// rows without a qa; plotting them at 0 or far left would draw lines that mean nothing.
TEST(QaGraph, RowsWithoutAQaBreakTheLineInsteadOfPlottingAtZero) {
    SheetFixture f;
    f.document.header[64] = "150";
    SetEntry(f, 1, "1.00", 4, "60.000000");
    SetEntry(f, 2, "2.00", 4, "_");
    SetEntry(f, 3, "3.00", 4, "-999");
    SetEntry(f, 4, "4.00", 4, "90.000000");
    SetEntry(f, 5, "5.00", 4, "120.000000");
    DrawQaGraph(f.context, Graph(f));
    const auto lines = f.LinesOfColour(testing::kQuQaColour);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(f.HasLine({f.X(kX0 + 18.0), f.Y(125.0)}, {f.X(kX0 + 24.0), f.Y(145.0)}));
    EXPECT_EQ(f.surface.Count(SurfaceCall::kEllipse), 3u);
}

TEST(GraphPoints, TakenWhileTheDepthIsFilled) {
    SheetFixture f;
    SetEntry(f, 1, "1.00", 2, "5");
    SetEntry(f, 2, "2.00", 2, "abc");
    SetEntry(f, 4, "4.00", 2, "7");  // after an empty depth: not read
    const auto points = CollectGraphPoints(f.document, 2, false);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].value, 5.0);
    EXPECT_FALSE(points[1].value.has_value());
}

}  // namespace
}  // namespace ravelog
