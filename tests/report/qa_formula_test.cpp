// The formula texts of the conversion sheet.
#include "ravelog/report/qa_formula.h"

#include <gtest/gtest.h>

#include "common/drawing/recording_surface.h"
#include "sheet_test_fixture.h"

namespace ravelog {
namespace {

using rave::RecordedCall;
using rave::SurfaceCall;

SoundingHeader ProportionalQa(const char* sandyZero, const char* sandy, const char* clayeyZero,
                              const char* clayey) {
    SoundingHeader header;
    header[66] = "1";
    header[58] = sandyZero;
    header[59] = sandy;
    header[60] = clayeyZero;
    header[61] = clayey;
    return header;
}

TEST(QaFormulaLines, NoneForTheQaFormulaKind) {
    SoundingHeader header = ProportionalQa("8", "8", "10", "8");
    header[66] = "0";
    EXPECT_EQ(CountQaFormulaLines(header), 0);
    header[66] = "";
    EXPECT_EQ(CountQaFormulaLines(header), 0);
}

TEST(QaFormulaLines, OneTwoOrFourByWhichFactorsAgree) {
    EXPECT_EQ(CountQaFormulaLines(ProportionalQa("8", "8", "8", "8")), 1);
    EXPECT_EQ(CountQaFormulaLines(ProportionalQa("8", "8", "10", "10")), 2);
    EXPECT_EQ(CountQaFormulaLines(ProportionalQa("8", "8", "10", "8")), 4);  // the factory values
    EXPECT_EQ(CountQaFormulaLines(ProportionalQa("7", "8", "8", "8")), 4);
}

TEST(QaFormulaLines, DifferencesBelowATenThousandthCountAsEqual) {
    EXPECT_EQ(CountQaFormulaLines(ProportionalQa("8", "8.00005", "8", "7.99996")), 1);
    EXPECT_EQ(CountQaFormulaLines(ProportionalQa("8", "8.0002", "8", "8")), 4);
}

TEST(FormulaShapes, WhichCoefficientsAreNumbersDecideTheShape) {
    EXPECT_EQ(FormulaShape("0", "2", "1", "0.067", "1"), 1);
    EXPECT_EQ(FormulaShape("", "2", "1", "0.067", "1"), 2);
    EXPECT_EQ(FormulaShape("30", "2", "1", "", "1"), 3);
    EXPECT_EQ(FormulaShape("30", "", "1", "0.6", "1"), 4);  // the qa formula of 告示1113号
    EXPECT_EQ(FormulaShape("30", "2", "", "0.6", ""), 5);
    EXPECT_EQ(FormulaShape("", "2", "1", "0.6", "x"), 6);
    EXPECT_EQ(FormulaShape("", "", "1", "0.6", "1"), 7);
    EXPECT_EQ(FormulaShape("", "", "", "", ""), 0);
    EXPECT_EQ(FormulaShape("8", "8", "10", "8", "999qaaN"), 8);
}

std::vector<FormulaPiece> Pieces(std::initializer_list<std::pair<const char*, bool>> list) {
    std::vector<FormulaPiece> pieces;
    for (const auto& [text, raised] : list) {
        pieces.push_back({text, raised});
    }
    return pieces;
}

TEST(FormulaPieces, ExponentsOfOneAreLeftOutUnlessAsked) {
    EXPECT_EQ(FormulaPieces(FormulaFamily::kNSandy, "0", "2", "1", "0.067", "1", false),
              Pieces({{"Ｎ値（砂質土)=0+2･Ｗsw", false}, {"+0.067･Ｎsw", false}}));
    EXPECT_EQ(FormulaPieces(FormulaFamily::kNSandy, "0", "2", "1", "0.067", "1", true),
              Pieces({{"Ｎ値（砂質土)=0+2･Ｗsw", false}, {"1", true}, {"+0.067･Ｎsw", false}, {"1", true}}));
}

TEST(FormulaPieces, OtherExponentsAreRaisedAfterTheirTerm) {
    EXPECT_EQ(FormulaPieces(FormulaFamily::kQaFormula, "", "30", "2", "0.8", "1", false),
              Pieces({{"ｑａ=30･Ｗsw", false}, {"2", true}, {"+0.8･Ｎsw", false}}));
    EXPECT_EQ(FormulaPieces(FormulaFamily::kQuClayey, " 0 ", "45", "0.5", "", "", false),
              Pieces({{"ｑｕ（粘性土)=0+45･Ｗsw", false}, {"0.5", true}}));
}

TEST(FormulaPieces, EachShapeUsesItsVariantOfTheFamily) {
    EXPECT_EQ(FormulaPieces(FormulaFamily::kQaFormula, "30", "", "1", "0.6", "1", false),
              Pieces({{"ｑａ=30+0.6･Ｎsw", false}}));
    EXPECT_EQ(FormulaPieces(FormulaFamily::kQuBothSoils, "12", "", "", "", "", false),
              Pieces({{"ｑｕ =12", false}}));
    EXPECT_EQ(FormulaPieces(FormulaFamily::kNClayeyContinued, "", "", "", "0.05", "1.5", false),
              Pieces({{"　　（粘性土)=0.05･Ｎsw", false}, {"1.5", true}}));
    EXPECT_TRUE(FormulaPieces(FormulaFamily::kNClayey, "", "", "", "", "", false).empty());
}

TEST(QaProportional, LinesByTheAgreementOfTheFactors) {
    using Lines = std::vector<std::vector<FormulaPiece>>;
    EXPECT_EQ(QaProportionalLines(ProportionalQa("8", "8", "8", "8")),
              (Lines{Pieces({{"ｑａ=8･Ｎ", false}})}));
    EXPECT_EQ(QaProportionalLines(ProportionalQa("8", "8", "10", "10")),
              (Lines{Pieces({{"ｑａ（砂質土)=8･Ｎ", false}}), Pieces({{"　　（粘性土)=10･Ｎ", false}})}));
    EXPECT_EQ(QaProportionalLines(ProportionalQa("6", "8", "10", "8")),
              (Lines{Pieces({{"ｑａ（砂質土)=8･Ｎ　Ｎsw=0の時 6･Ｎ", false}}),
                     Pieces({{"　　（粘性土)=8･Ｎ　Ｎsw=0の時 10･Ｎ", false}})}));
}

SoundingHeader FactoryHeader() {
    SoundingHeader h;
    const char* sandy[] = {"0", "2", "1", "0.067", "1"};
    const char* clayey[] = {"0", "3", "1", "0.05", "1"};
    const char* qu[] = {"0", "45", "1", "0.75", "1"};
    const char* qa[] = {"30", "", "1", "0.6", "1"};
    for (int i = 0; i < 5; ++i) {
        h[43 + i] = sandy[i];
        h[38 + i] = clayey[i];
        h[48 + i] = qu[i];
        h[53 + i] = qa[i];
    }
    h[58] = "8";
    h[59] = "8";
    h[60] = "10";
    h[61] = "8";
    h[66] = "0";
    return h;
}

std::vector<double> Tops(const std::vector<FormulaLine>& lines) {
    std::vector<double> tops;
    for (const FormulaLine& line : lines) {
        tops.push_back(line.top);
    }
    return tops;
}

TEST(FormulaBlock, LinesAndTheirPlacesByMode) {
    const SoundingHeader h = FactoryHeader();
    const double top = 23.0;
    const double height = 34.0 - 23.0 - 0.6;
    auto lines = FormulaBlockLines(h, 0, top, height);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Tops(lines), (std::vector<double>{top + 1.4, top + 2.0 * height / 3.0 - 0.4}));
    EXPECT_EQ(lines[1].pieces.front().text, "　　（粘性土)=0+3･Ｗsw");

    lines = FormulaBlockLines(h, 1, top, height);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pieces.front().text, "ｑｕ（粘性土)=0+45･Ｗsw");

    lines = FormulaBlockLines(h, 3, top, height);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_DOUBLE_EQ(lines[0].top, top + height / 3.0 + 0.5);
    EXPECT_EQ(lines[0].pieces.front().text, "ｑａ=30+0.6･Ｎsw");

    EXPECT_TRUE(FormulaBlockLines(h, 7, top, height).empty());
}

TEST(FormulaBlock, QuForSandySoilTooUsesTheBothSoilsTexts) {
    SoundingHeader h = FactoryHeader();
    h[86] = "1";
    const auto lines = FormulaBlockLines(h, 2, 23.0, 10.4);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].pieces.front().text, "ｑｕ =0+45･Ｗsw");
}

TEST(FormulaBlock, FourQaFactorsGiveFourLinesWithTheNFormulas) {
    SoundingHeader h = FactoryHeader();
    h[66] = "1";
    const double top = 22.5;
    const double height = 34.0 - 22.5 - 0.6;
    const auto lines = FormulaBlockLines(h, 4, top, height);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Tops(lines), (std::vector<double>{top + 0.1, top + height / 4.0 + 0.1, top + height / 2.0 + 0.3,
                                                top + 3.0 * height / 4.0 + 0.3}));
    EXPECT_EQ(lines[2].pieces.front().text, "ｑａ（砂質土)=8･Ｎ　Ｎsw=0の時 8･Ｎ");

    h[60] = "8";  // all four equal: one qa line under the two N lines
    const auto three = FormulaBlockLines(h, 4, 23.0, 10.4);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_DOUBLE_EQ(three[2].top, 23.0 + 2.0 * 10.4 / 3.0);
    EXPECT_EQ(three[2].pieces.front().text, "ｑａ=8･Ｎ");
}

TEST(FormulaDrawing, ExponentsSitEightTenthsOfAMillimetreHigherAndTheLineCarriesOn) {
    testing::SheetFixture f;
    f.surface.SelectFont({"", 30, 0, 0, 0, false});  // 15 units per byte on the recording surface
    DrawFormulaLine(f.context, Pieces({{"ab", false}, {"2", true}, {"cd", false}}), 112.0, 23.0, 180.0);
    const auto texts = f.surface.CallsOf(SurfaceCall::kTextOut);
    ASSERT_EQ(texts.size(), 3u);
    const int y = f.Y(23.0);
    EXPECT_EQ(texts[0].points[0], (rave::SurfacePoint{f.X(112.0), y}));
    EXPECT_EQ(texts[1].points[0], (rave::SurfacePoint{f.X(112.0) + 30, y - 8}));
    EXPECT_EQ(texts[2].points[0], (rave::SurfacePoint{f.X(112.0) + 45, y}));
    EXPECT_NE(texts[0].textAlign & rave::text_align::kUpdateCurrentPosition, 0);
    EXPECT_EQ(f.surface.TextAlign(), rave::text_align::kLeftTop) << "the alignment is put back";
}

TEST(FormulaDrawing, ALineTooLongForTheBlockIsWrittenNarrower) {
    testing::SheetFixture f;
    f.surface.SelectFont({"", 30, 0, 0, 0, false});
    const std::string longText(60, 'x');  // 900 units against 680 available
    DrawFormulaLine(f.context, Pieces({{longText.c_str(), false}}), 112.0, 23.0, 180.0);
    const auto texts = f.surface.CallsOf(SurfaceCall::kTextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_GT(texts[0].font.width, 0);
    EXPECT_LE(texts[0].font.width * 60, 680);
    EXPECT_EQ(f.surface.CurrentFont().width, 0) << "the block's font is put back";
}

}  // namespace
}  // namespace ravelog
