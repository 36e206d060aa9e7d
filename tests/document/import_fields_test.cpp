// Splitting foreign lines into fields and the unit conversions of imported values.
#include <gtest/gtest.h>

#include "ravelog/document/import_fields.h"

namespace ravelog {
namespace {

ImportFields Split(std::string_view line, ImportMode mode) {
    ImportFields fields;
    fields.fill("stale");  // the splitter must not leave anything of an earlier line behind
    SplitImportLine(line, mode, fields);
    return fields;
}

TEST(BlankSplitting, EachBlankEndsAFieldSoTwoBlanksLeaveAnEmptyOne) {
    const ImportFields f = Split("1.0  25 0.25", ImportMode::kBlank);
    EXPECT_EQ(f[0], "1.0");
    EXPECT_EQ(f[1], "");
    EXPECT_EQ(f[2], "25");
    EXPECT_EQ(f[3], "0.25");
    EXPECT_EQ(f[4], "");
}

TEST(BlankSplitting, LeadingAndTrailingBlanksCountAsSeparators) {
    const ImportFields f = Split(" 0.50 2 ", ImportMode::kBlank);
    EXPECT_EQ(f[0], "");
    EXPECT_EQ(f[1], "0.50");
    EXPECT_EQ(f[2], "2");
    EXPECT_EQ(f[3], "");
}

TEST(BlankSplitting, QuotesJoinWordsButBlanksInsideAreDropped) {
    const ImportFields f = Split("1.00 \"礫 混じり 砂\" 12", ImportMode::kBlank);
    EXPECT_EQ(f[0], "1.00");
    EXPECT_EQ(f[1], "礫混じり砂");
    EXPECT_EQ(f[2], "12");
}

TEST(BlankSplitting, CommasAreOrdinaryAndEachTabEndsAFieldLikeABlank) {
    // A spreadsheet's tab-separated text keeps its column numbers, empty cells included.
    const ImportFields f = Split("1,5 a\tb\t\t\"c\td\"", ImportMode::kBlank);
    EXPECT_EQ(f[0], "1,5");
    EXPECT_EQ(f[1], "a");
    EXPECT_EQ(f[2], "b");
    EXPECT_EQ(f[3], "");
    EXPECT_EQ(f[4], "cd");
    EXPECT_EQ(CountImportFields("1,5 a\tb\t\t\"c\td\"", ImportMode::kBlank), 5);
}

TEST(BlankSplitting, DoubleByteCharactersWithBlankLikeTrailBytesStayWhole) {
    // The full-width blank (0x81 0x40) and ソ (0x83 0x5C) are text, not separators.
    const ImportFields f = Split("砂　ソ 2", ImportMode::kBlank);
    EXPECT_EQ(f[0], "砂　ソ");
    EXPECT_EQ(f[1], "2");
}

TEST(CommaSplitting, QuotedCommasStayInTheField) {
    const ImportFields f = Split("a,\"b,c\",,d", ImportMode::kComma);
    EXPECT_EQ(f[0], "a");
    EXPECT_EQ(f[1], "b,c");
    EXPECT_EQ(f[2], "");
    EXPECT_EQ(f[3], "d");
    EXPECT_EQ(f[4], "");
}

TEST(ImportSplitting, AnEmptyLineGivesEmptyFieldsInBothModes) {
    for (ImportMode mode : {ImportMode::kComma, ImportMode::kBlank}) {
        const ImportFields f = Split("", mode);
        for (const std::string& field : f) {
            EXPECT_EQ(field, "");
        }
    }
}

TEST(ImportSplitting, FieldsBeyondTheTwentySixthAreDropped) {
    std::string comma;
    std::string blank;
    for (int i = 1; i <= 30; ++i) {
        comma += std::to_string(i) + (i < 30 ? "," : "");
        blank += std::to_string(i) + (i < 30 ? " " : "");
    }
    for (const auto& [line, mode] :
         {std::pair{comma, ImportMode::kComma}, std::pair{blank, ImportMode::kBlank}}) {
        const ImportFields f = Split(line, mode);
        EXPECT_EQ(f[0], "1");
        EXPECT_EQ(f[25], "26");  // the 27th field never runs into the 26th
    }
}

TEST(ImportedField, UnusedOrOutOfRangeColumnsGiveNothing) {
    const ImportFields f = Split("a,b,c", ImportMode::kComma);
    ImportColumnTexts columns{"2", "", "0", "27", "x", " 3"};
    EXPECT_EQ(ImportedField(f, columns, kColumnLoad), "b");
    EXPECT_EQ(ImportedField(f, columns, kColumnHalfTurns), "");
    EXPECT_EQ(ImportedField(f, columns, kColumnDepth), "");
    EXPECT_EQ(ImportedField(f, columns, kColumnSoilName), "");
    EXPECT_EQ(ImportedField(f, columns, kColumnPointNumber), "");
    EXPECT_EQ(ImportedField(f, columns, kColumnDate), "c");
}

TEST(UnitConversion, KgfLoadsBecomeKilonewtonsWithTwoDecimals) {
    EXPECT_EQ(ImportedLoad("1500", true), "15.00");
    EXPECT_EQ(ImportedLoad("25", true), "0.25");
    EXPECT_EQ(ImportedLoad("100", false), "100");  // option off: as it stands
}

TEST(UnitConversion, CentimetreDepthsBecomeMetresInShortestForm) {
    EXPECT_EQ(ImportedDepth("150", true), "1.5");
    EXPECT_EQ(ImportedDepth("1000", true), "10");
    EXPECT_EQ(ImportedDepth("587", true), "5.87");
    EXPECT_EQ(ImportedDepth("150", false), "150");
}

TEST(UnitConversion, ValuesBelowOneThousandthAreLeftAsTheyStand) {
    EXPECT_EQ(ImportedDepth("0.0005", true), "0.0005");
    EXPECT_EQ(ImportedDepth("0.001", true), "1e-05");  // the threshold itself converts
    EXPECT_EQ(ImportedLoad("0", true), "0");
    EXPECT_EQ(ImportedLoad("-5", true), "-5");
    EXPECT_EQ(ImportedLoad("自沈", true), "自沈");
    EXPECT_EQ(ImportedDepth("", true), "");
}

}  // namespace
}  // namespace ravelog
