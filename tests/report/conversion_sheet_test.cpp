// The conversion sheet (format 3) on the recording surface.
#include "ravelog/report/conversion_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ravelog/report/cell_text.h"
#include "ravelog/report/conversion_sheet_layout.h"
#include "sheet_test_fixture.h"

namespace ravelog {
namespace {

using rave::RecordedCall;
using rave::SurfaceCall;
using testing::IsHorizontal;
using testing::IsVertical;
using testing::SheetFixture;

void SetDefaults(SoundingHeader& h, const char* mode) {
    h[34] = mode;
    h[35] = "1";
    h[36] = "120";
    h[37] = "20";
    h[64] = "150";
    h[65] = "50";
    h[66] = "0";
}

bool HasVertical(const SheetFixture& f, double x, double yTop, double yBottom) {
    return f.HasLine({f.X(x), f.Y(yTop)}, {f.X(x), f.Y(yBottom)});
}

bool HasFullWidthRule(const SheetFixture& f, double y) {
    return std::ranges::any_of(f.surface.CallsOf(SurfaceCall::kLine), [&](const RecordedCall& l) {
        return IsHorizontal(l) && l.points[0] == rave::SurfacePoint{f.X(1.0), f.Y(y)} &&
               l.points[1].x == f.X(180.6);
    });
}

TEST(ConversionSheetLayout, NOnlyUsesOneConversionColumnAndRulesEndingAt130) {
    SheetFixture f;
    SetDefaults(f.document.header, "0");
    f.document.Row(1)[3] = "0.25";
    f.document.Conversion(1)[1] = "0.25";
    f.document.Conversion(1)[2] = "4.010000";
    DrawConversionSheet(f.context);
    const auto rules = f.LinesOfColour(testing::kTableRuleColour);
    ASSERT_EQ(rules.size(), 44u);
    EXPECT_EQ(rules[0].points[0].x, f.X(1.0));
    EXPECT_EQ(rules[0].points[1].x, f.X(130.0));
    EXPECT_TRUE(HasVertical(f, 109.0, 34.0, 245.0));
    EXPECT_TRUE(HasVertical(f, 130.0, 34.0, 245.0));
    // The converted N ends 2 mm left of the column's right edge.
    const auto cells = f.TextsEqual("4.0");
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0].points[0], (rave::SurfacePoint{f.X(128.0), f.Y(45.0 + 200.0 / 45 - 0.5)}));
}

TEST(ConversionSheetLayout, TwoColumnsSeparatedOnlyWhenTheVerticalRuleIsOn) {
    for (const bool rule : {false, true}) {
        SheetFixture f;
        SetDefaults(f.document.header, "2");
        f.document.header[70] = rule ? "1" : "0";
        DrawConversionSheet(f.context);
        EXPECT_EQ(HasVertical(f, 119.0, 34.0, 245.0), rule);
        EXPECT_TRUE(HasVertical(f, 86.5, 34.0, 245.0));
    }
}

TEST(ConversionSheetLayout, CellColumnsByMode) {
    const rave::RavelogSettings settings = testing::SheetTestSettings();
    const ConversionColumns b = ConversionSheetColumns(ConversionMode::kNAndQa);
    EXPECT_EQ(
        ConversionCellPlacements(ConversionMode::kNAndQu, b, settings),
        (std::vector<CellPlacement>{{cell_kind::kConvertedN, 119.0 - 1.8}, {cell_kind::kQu, 130.0 - 1.5}}));
    EXPECT_EQ(
        ConversionCellPlacements(ConversionMode::kNAndQa, b, settings),
        (std::vector<CellPlacement>{{cell_kind::kConvertedN, 119.0 - 1.6}, {cell_kind::kQaCapped, 129.0}}));
    rave::RavelogSettings manyDecimals = settings;
    manyDecimals.SetInt(9, 3);
    EXPECT_EQ(ConversionCellPlacements(ConversionMode::kNAndQa, b, manyDecimals)[1].x, 130.5);
    const ConversionColumns a = ConversionSheetColumns(ConversionMode::kQa);
    EXPECT_EQ(ConversionCellPlacements(ConversionMode::kQa, a, settings),
              (std::vector<CellPlacement>{{cell_kind::kQaCapped, 128.0}}));
    EXPECT_TRUE(ConversionCellPlacements(ConversionMode::kNone, b, settings).empty());
}

TEST(ConversionSheetHeader, FourQaFactorLinesLowerTheHeaderLine) {
    for (const auto& [clayeyZero, line] : {std::pair{"10", 22.5}, {"8", 23.0}}) {
        SheetFixture f;
        SetDefaults(f.document.header, "4");
        f.document.header[66] = "1";
        for (int s = 58; s <= 61; ++s) {
            f.document.header[s] = "8";
        }
        f.document.header[60] = clayeyZero;
        DrawConversionSheet(f.context);
        EXPECT_TRUE(HasFullWidthRule(f, line)) << clayeyZero;
        EXPECT_FALSE(HasFullWidthRule(f, line == 23.0 ? 22.5 : 23.0)) << clayeyZero;
    }
    SoundingHeader qaOnly;
    SetDefaults(qaOnly, "3");
    qaOnly[66] = "1";
    qaOnly[58] = "6";
    EXPECT_DOUBLE_EQ(HeaderLineY(qaOnly), 23.0) << "only N and qa together need the room";
}

TEST(ConversionSheetScales, QuStepZeroWritesOnlyTheZero) {
    SoundingHeader h;
    SetDefaults(h, "1");
    h[37] = "0";
    EXPECT_EQ(StrengthScaleLabels(h, 36, 37, 145.0, 175.0), (std::vector<ScaleLabel>{{145.0, "0"}}));
    h[37] = "200";  // more than the scale end: no step fits
    EXPECT_EQ(StrengthScaleLabels(h, 36, 37, 145.0, 175.0), (std::vector<ScaleLabel>{{145.0, "0"}}));
}

TEST(ConversionSheetScales, NumbersStandWhereTheGraphPlotsTheirValue) {
    SoundingHeader h;
    SetDefaults(h, "1");
    EXPECT_EQ(StrengthScaleLabels(h, 36, 37, 145.0, 175.0), (std::vector<ScaleLabel>{{145.0, "0"},
                                                                                     {150.0, "20"},
                                                                                     {155.0, "40"},
                                                                                     {160.0, "60"},
                                                                                     {165.0, "80"},
                                                                                     {170.0, "100"},
                                                                                     {175.0, "120"}}));
    // A scale end that is not a multiple of the step: 50 and 100 of 120 stay at their values.
    h[37] = "50";
    const auto labels = StrengthScaleLabels(h, 36, 37, 145.0, 175.0);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_DOUBLE_EQ(labels[1].x, 145.0 + 12.5);
    EXPECT_DOUBLE_EQ(labels[2].x, 145.0 + 25.0);
}

TEST(ConversionSheetScales, NScaleRunsToTheCap) {
    SoundingHeader h;
    for (const auto& [setting, last, x] :
         {std::tuple{"0", "50", 170.0}, {"1", "60", 175.0}, {"2", "70", 180.0}}) {
        h[35] = setting;
        const auto labels = NScaleLabels(h, 145.0);
        ASSERT_FALSE(labels.empty());
        EXPECT_EQ(labels.front(), (ScaleLabel{145.0, "0"}));
        EXPECT_EQ(labels.back(), (ScaleLabel{x, last}));
    }
}

TEST(ConversionSheetScales, NLabelsAboveTheQuLabelsWhenBothAreShown) {
    for (const auto& [mode, y] : {std::pair{"0", 45.0}, {"2", 39.5}}) {
        SheetFixture f;
        SetDefaults(f.document.header, mode);
        DrawConversionSheet(f.context);
        const auto sixty = f.TextsEqual("60");  // an N label (and a qu label in mode 2)
        EXPECT_TRUE(std::ranges::any_of(sixty, [&](const RecordedCall& t) {
            return t.points[0] == rave::SurfacePoint{f.X(175.0), f.Y(y)};
        })) << mode;
    }
}

TEST(ConversionSheetModes, NoConversionsForAnUnknownMode) {
    SheetFixture f;
    SetDefaults(f.document.header, "9");
    f.document.Row(1)[3] = "0.25";
    f.document.Conversion(1)[1] = "0.25";
    f.document.Conversion(1)[2] = "4.010000";
    DrawConversionSheet(f.context);
    EXPECT_TRUE(f.TextsEqual("4.0").empty());
    EXPECT_TRUE(f.TextsEqual("計算式").empty());
    EXPECT_TRUE(f.LinesOfColour(testing::kNColour).empty());
    EXPECT_TRUE(HasVertical(f, 86.5, 34.0, 245.0)) << "layout B";
}

TEST(ConversionSheetModes, GraphsOfEachModeAreDrawnInsideTheGraphClip) {
    SheetFixture f;
    SetDefaults(f.document.header, "4");
    for (int i = 1; i <= 3; ++i) {
        f.document.Conversion(i)[1] = std::to_string(i) + ".00";
        f.document.Conversion(i)[2] = "10";
        f.document.Conversion(i)[4] = "60";
    }
    DrawConversionSheet(f.context);
    const rave::SurfaceRect graph{f.X(145.0), f.Y(45.0), f.X(180.6), f.Y(245.0)};
    std::size_t nLines = 0;
    for (const RecordedCall& line : f.LinesOfColour(testing::kNColour)) {
        if (line.clip) {
            EXPECT_EQ(*line.clip, graph);
            ++nLines;
        }
    }
    EXPECT_EQ(nLines, 2u);
    EXPECT_FALSE(f.LinesOfColour(testing::kQuQaColour).empty());
    // The legends in the heading are drawn without the clip.
    EXPECT_TRUE(std::ranges::any_of(f.LinesOfColour(testing::kNColour), [&](const RecordedCall& l) {
        return !l.clip && l.points[0].x == f.X(170.6);
    }));
}

TEST(ConversionSheetTable, SoilNameFromTheActiveTable) {
    for (const auto& [kind, name] : {std::pair{"0", "simple name"}, {"1", "jacic name"}}) {
        SheetFixture f;
        SetDefaults(f.document.header, "0");
        f.document.header[20] = kind;
        f.document.Row(1)[3] = "0.25";
        f.document.Row(1)[7] = "simple name";
        f.document.Row(1)[9] = "jacic name";
        DrawConversionSheet(f.context);
        const auto texts = f.TextsEqual(name);
        ASSERT_EQ(texts.size(), 1u) << kind;
        EXPECT_EQ(texts[0].points[0].x, f.X(89.5 + 0.5));
        EXPECT_EQ(texts[0].textAlign, rave::text_align::kLeftBottom);
    }
}

TEST(ConversionSheetGrid, VerticalsEveryMillimetreToTheRightEdge) {
    SheetFixture f;
    SetDefaults(f.document.header, "0");
    DrawConversionSheet(f.context);
    for (int i = 1; i <= 35; ++i) {
        const double x = 145.0 + i;
        const rave::ColorRef colour =
            i % 10 == 0 ? rave::kBlack : (i % 5 == 0 ? testing::kGrid5Colour : testing::kGrid1Colour);
        const bool found =
            std::ranges::any_of(f.surface.CallsOf(SurfaceCall::kLine), [&](const RecordedCall& l) {
                return IsVertical(l) && l.points[0].x == f.X(x) && l.pen.color == colour &&
                       l.points[0].y == f.Y(45.0);
            });
        EXPECT_TRUE(found) << i;
    }
}

}  // namespace
}  // namespace ravelog
