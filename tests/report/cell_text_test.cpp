// Table cell texts: units and decimals from the settings, raw notes where a value is not a
// number, and the caps and limits of the converted values.
#include "ravelog/report/cell_text.h"

#include <gtest/gtest.h>

namespace ravelog {
namespace {

class CellTextTest : public ::testing::Test {
protected:
    CellTextTest() : settings(rave::RavelogSettings::Defaults()) {}

    MeasuredRow& Row1() { return document.Row(1); }
    ConversionRow& Conversion1() { return document.Conversion(1); }
    std::string Cell(int kind) const { return FormatCellText(document, settings, 1, kind); }

    SoundingDocument document;
    rave::RavelogSettings settings;
};

TEST_F(CellTextTest, LoadInKilonewtonsOrNewtons) {
    Row1()[field::kLoad] = "0.75";
    EXPECT_EQ(Cell(cell_kind::kLoad), "0.75");
    settings.SetInt(rave::sysline::kLoadUnit, 1);
    EXPECT_EQ(Cell(cell_kind::kLoad), "750");
    Row1()[field::kLoad] = "0.05";
    EXPECT_EQ(Cell(cell_kind::kLoad), "50");
    Row1()[field::kLoad] = "自沈";
    EXPECT_EQ(Cell(cell_kind::kLoad), "自沈") << "a note is shown as it stands";
}

TEST_F(CellTextTest, HalfTurnsAndDepthWithTheirDecimals) {
    Row1()[field::kHalfTurns] = "12";
    Row1()[field::kDepth] = "1.5";
    EXPECT_EQ(Cell(cell_kind::kHalfTurns), "12");
    EXPECT_EQ(Cell(cell_kind::kDepth), "1.50") << "two depth decimals by default";
    settings.SetInt(rave::sysline::kDecimalsNa, 1);
    settings.SetInt(rave::sysline::kDecimalsDepth, 3);
    EXPECT_EQ(Cell(cell_kind::kHalfTurns), "12.0");
    EXPECT_EQ(Cell(cell_kind::kDepth), "1.500");
    settings.SetInt(rave::sysline::kDecimalsDepth, 9);
    EXPECT_EQ(Cell(cell_kind::kDepth), "1.500000") << "more than 6 decimals use the last format";

    Row1()[field::kHalfTurns] = "ｽﾘｯﾌﾟ";
    Row1()[field::kDepth] = "abc";
    EXPECT_EQ(Cell(cell_kind::kHalfTurns), "ｽﾘｯﾌﾟ");
    EXPECT_EQ(Cell(cell_kind::kDepth), "") << "a depth that is no number shows nothing";
}

TEST_F(CellTextTest, PenetrationLengthInCentimetresOrMetres) {
    Row1()[field::kLength] = "0.25";
    EXPECT_EQ(Cell(cell_kind::kLength), "25.0");
    settings.SetInt(rave::sysline::kLengthUnit, 1);
    EXPECT_EQ(Cell(cell_kind::kLength), "0.2") << "%3.1f of 0.25 rounds to even";
    settings.SetInt(rave::sysline::kDecimalsLength, 2);
    EXPECT_EQ(Cell(cell_kind::kLength), "0.25");
    Row1()[field::kLength] = "";
    EXPECT_EQ(Cell(cell_kind::kLength), "");
}

TEST_F(CellTextTest, PenetrationLengthShowsTheRowsNoteWhenAsked) {
    Row1()[field::kLength] = "0.25";
    Row1()[field::kLoad] = "自沈";
    Row1()[field::kHalfTurns] = "5";
    EXPECT_EQ(Cell(cell_kind::kLength), "25.0") << "slot 91 off: the value";
    document.header[91] = "1";
    EXPECT_EQ(Cell(cell_kind::kLength), "自沈") << "Na is numeric, Wsw is not";
    Row1()[field::kHalfTurns] = "ｽﾘｯﾌﾟ";
    EXPECT_EQ(Cell(cell_kind::kLength), "ｽﾘｯﾌﾟ") << "the half-turn note comes first";
}

TEST_F(CellTextTest, NswOrTheHalfTurnNote) {
    Row1()[field::kNsw] = "48";
    EXPECT_EQ(Cell(cell_kind::kNsw), "48");
    Row1()[field::kNsw] = "7.6";
    EXPECT_EQ(Cell(cell_kind::kNsw), " 8");
    Row1()[field::kNsw] = "";
    Row1()[field::kHalfTurns] = "ｽﾘｯﾌﾟ";
    EXPECT_EQ(Cell(cell_kind::kNsw), "ｽﾘｯﾌﾟ");
}

TEST_F(CellTextTest, ConvertedNIsCappedAtTheGraphMaximum) {
    Conversion1()[2] = "12.34";
    EXPECT_EQ(Cell(cell_kind::kConvertedN), "12.3");
    Conversion1()[2] = "50";
    EXPECT_EQ(Cell(cell_kind::kConvertedN), "50.0") << "the cap itself is shown";
    Conversion1()[2] = "50.01";
    EXPECT_EQ(Cell(cell_kind::kConvertedN), ">50");
    document.header[35] = "2";
    EXPECT_EQ(Cell(cell_kind::kConvertedN), "50.0") << "cap 2 x 10 + 50 = 70";
    Conversion1()[2] = "71";
    EXPECT_EQ(Cell(cell_kind::kConvertedN), ">70");
    Conversion1()[2] = "-998";
    EXPECT_EQ(Cell(cell_kind::kConvertedN), "-998.0");
    Conversion1()[2] = "-999";
    EXPECT_EQ(Cell(cell_kind::kConvertedN), "");
    Conversion1()[2] = "";
    EXPECT_EQ(Cell(cell_kind::kConvertedN), "");
}

TEST_F(CellTextTest, QuWithinItsLimits) {
    Conversion1()[3] = "39900";
    EXPECT_EQ(Cell(cell_kind::kQu), "39900.0");
    Conversion1()[3] = "39900.5";
    EXPECT_EQ(Cell(cell_kind::kQu), "");
    settings.SetInt(rave::sysline::kDecimalsQu, 0);
    Conversion1()[3] = "45.6";
    EXPECT_EQ(Cell(cell_kind::kQu), "46");
}

TEST_F(CellTextTest, QaPlainAndWithTheDisplayLimit) {
    Conversion1()[4] = "_";
    EXPECT_EQ(Cell(cell_kind::kQa), "- ");
    EXPECT_EQ(Cell(cell_kind::kQaCapped), "- ");

    Conversion1()[4] = "180";
    EXPECT_EQ(Cell(cell_kind::kQa), "180.0");
    EXPECT_EQ(Cell(cell_kind::kQaCapped), "180.0") << "no limit while slot 88 is off";
    document.header[89] = "150";
    EXPECT_EQ(Cell(cell_kind::kQaCapped), "180.0");
    document.header[88] = "1";
    EXPECT_EQ(Cell(cell_kind::kQaCapped), ">150");
    EXPECT_EQ(Cell(cell_kind::kQa), "180.0") << "the plain kind never caps";
    Conversion1()[4] = "150";
    EXPECT_EQ(Cell(cell_kind::kQaCapped), "150.0");
    Conversion1()[4] = "-1000";
    EXPECT_EQ(Cell(cell_kind::kQaCapped), "");

    // A limit of 0 means no limit: the ordinary bounds apply.
    document.header[89] = "0";
    Conversion1()[4] = "40000";
    EXPECT_EQ(Cell(cell_kind::kQaCapped), "");
    Conversion1()[4] = "39000";
    EXPECT_EQ(Cell(cell_kind::kQaCapped), "39000.0");
}

TEST_F(CellTextTest, UnknownKindsAndRowsOutsideTheTableAreEmpty) {
    Row1()[field::kLoad] = "0.5";
    EXPECT_EQ(FormatCellText(document, settings, 1, 6), "");
    EXPECT_EQ(FormatCellText(document, settings, 0, cell_kind::kLoad), "");
    EXPECT_EQ(FormatCellText(document, settings, kMaxRows + 1, cell_kind::kLoad), "");
    document.Row(kMaxRows)[field::kDepth] = "27";
    EXPECT_EQ(FormatCellText(document, settings, kMaxRows, cell_kind::kDepth), "27.00");
}

}  // namespace
}  // namespace ravelog
