// Reading the soil-name master: groups, number kinds, class digits, limits; and the colour table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/messages.h"
#include "common/pattern_colors.h"
#include "common/soil_name_table.h"
#include "common/text_file.h"
#include "temp_folder.h"

namespace rave {
namespace {

using testing::TempFolder;
constexpr int kLine = soil_number_kind::kLineDrawing;
constexpr int kBitmap = soil_number_kind::kBitmap;

std::string Master(const std::vector<std::string>& lines) {
    return JoinCrLf(lines);
}

TEST(SoilNameTableLoad, ReadsBothNumberKindsAndTheClassDigit) {
    const std::string bytes = Master({"[第1群 土質名], ,7,", "砂,S,200.1,3500.1,", "粘土,C,4300,600.2,"});
    SoilNameTable table;
    EXPECT_EQ(table.LoadSoilNameBytes(bytes, kLine), 7);
    EXPECT_EQ(table.LoadSoilNameBytes(bytes, kBitmap), 7);
    ASSERT_EQ(table.Rows(kLine).size(), 2u);
    EXPECT_EQ(table.Rows(kLine)[0].name, "砂");
    EXPECT_EQ(table.Rows(kLine)[0].mark, "S");
    EXPECT_EQ(table.Rows(kLine)[0].number, 200);
    EXPECT_EQ(table.Rows(kLine)[0].soilClass, soil_class::kSandy);
    EXPECT_EQ(table.Rows(kBitmap)[0].number, 3500);
    EXPECT_EQ(table.Rows(kBitmap)[0].soilClass, soil_class::kSandy);
    // 4300 without a decimal part is not used in calculation; the bitmap field has its own class.
    EXPECT_EQ(table.Rows(kLine)[1].number, 4300);
    EXPECT_EQ(table.Rows(kLine)[1].soilClass, soil_class::kNone);
    EXPECT_EQ(table.Rows(kBitmap)[1].soilClass, soil_class::kClayey);
    // The pick-list form of a row's number.
    EXPECT_EQ(SoilRowPatternText(table.Rows(kLine)[0]), "200.1");
    EXPECT_EQ(SoilRowPatternText(table.Rows(kLine)[1]), "4300.0");
    EXPECT_EQ(SoilRowPatternText(SoilNameRow{}), "");
}

TEST(SoilNameTableLoad, NumberFieldsFollowTheIntegerAndFirstDecimalRule) {
    EXPECT_EQ(ParseSoilNumber("").number, -1);
    EXPECT_EQ(ParseSoilNumber("  ").number, -1);
    EXPECT_EQ(ParseSoilNumber("3300.3").soilClass, soil_class::kBoth);
    // 0.1 rounding guard: 12.2 is stored as 12.19999..., still class 2.
    EXPECT_EQ(ParseSoilNumber("12.2").soilClass, soil_class::kClayey);
    EXPECT_EQ(ParseSoilNumber("12.2").number, 12);
    EXPECT_EQ(ParseSoilNumber("abc").number, 0);
    // A damaged, enormous field is kept inside a long.
    EXPECT_GT(ParseSoilNumber("1e300").number, 0);
}

TEST(SoilNameTableLoad, GroupsRangesAndIgnoredLines) {
    const std::string bytes = Master({
        "砂,_,400.1,400.1,",  // before the first group line: ignored
        "[第1群], ,3,", "{comment}", "粘土,_,600.2,600.2,",
        "",  // shorter than 3 bytes with its line end: skipped
        "[第2群]", "礫混り,_,50,50,", "[第3群]", "砂質,_,1,1,", "[第4群]",
        "余り,_,9,9,",  // a fourth group is ignored
        "[終了]",
        "シルト,_,500.2,500.2,",  // after the end: never read
    });
    SoilNameTable table;
    EXPECT_EQ(table.LoadSoilNameBytes(bytes, kLine), 3);
    ASSERT_EQ(table.Rows(kLine).size(), 3u);
    EXPECT_EQ(table.Rows(kLine)[0].name, "粘土");
    EXPECT_EQ(table.Group(kLine, 1).first, 1);
    EXPECT_EQ(table.Group(kLine, 1).last, 1);
    EXPECT_EQ(table.Group(kLine, 2).first, 2);
    EXPECT_EQ(table.Group(kLine, 3).first, 3);
    EXPECT_EQ(table.Group(kLine, 3).last, 3);
    EXPECT_EQ(table.GroupRows(kLine, 2)[0].name, "礫混り");
    // The other kind was never loaded.
    EXPECT_TRUE(table.Empty(kBitmap));
    EXPECT_EQ(table.Group(kBitmap, 1).first, 0);
}

TEST(SoilNameTableLoad, AnEmptyGroupHasNoRange) {
    SoilNameTable table;
    table.LoadSoilNameBytes(Master({"[第1群]", "砂,_,400.1,,", "[第2群]", "[第3群]", "砂質,_,1,,"}), kLine);
    EXPECT_EQ(table.Group(kLine, 2).first, 0);
    EXPECT_EQ(table.Group(kLine, 2).last, 0);
    EXPECT_TRUE(table.GroupRows(kLine, 2).empty());
    EXPECT_EQ(table.Group(kLine, 3).first, 2);
    // The empty bitmap field reads as no number.
    table.LoadSoilNameBytes(Master({"[第1群]", "砂,_,400.1,,"}), kBitmap);
    EXPECT_EQ(table.Rows(kBitmap)[0].number, -1);
}

TEST(SoilNameTableLoad, LinesAreCutAtNinetyBytesAndTheTableAtTwoHundredFiftySixRows) {
    std::vector<std::string> lines = {"[第1群]"};
    // The number starts past byte 90: the line is cut before it, so the number is lost.
    lines.push_back(std::string(88, 'a') + ",_,400.1,400.1,");
    for (int i = 0; i < 300; ++i) {
        lines.push_back("n" + std::to_string(i) + ",_,600.2,600.2,");
    }
    SoilNameTable table;
    table.LoadSoilNameBytes(Master(lines), kLine);
    ASSERT_EQ(table.Rows(kLine).size(), static_cast<std::size_t>(SoilNameTable::kMaxRows));
    EXPECT_EQ(table.Rows(kLine)[0].name, std::string(88, 'a'));
    EXPECT_EQ(table.Rows(kLine)[0].number, -1);
    EXPECT_EQ(table.Rows(kLine)[1].name, "n0");
    // A long line does not turn into further rows.
    EXPECT_EQ(table.Rows(kLine)[255].name, "n254");
    EXPECT_EQ(table.Group(kLine, 1).last, 256);
}

TEST(SoilNameTableLoad, AMissingFileIsReportedAndKeepsTheTable) {
    TempFolder folder;
    SoilNameTable table;
    table.LoadSoilNameBytes(Master({"[第1群]", "砂,_,400.1,400.1,"}), kLine);
    RecordingMessageSink messages;
    EXPECT_EQ(table.LoadSoilNameTable(folder.path() / "none.mst", kLine, messages), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "ファイルが見つかりません\n( %1 )");
    EXPECT_EQ(table.Rows(kLine).size(), 1u);
}

TEST(PatternColors, ReadsPairsWithTheAutomaticBase) {
    PatternColorTable colors;
    colors.LoadPatternColorBytes(JoinCrLf({
        "[パターン色]",
        "{comment, 5,0x123456}",
        "10000,0x0000ff,",
        "600,4259584",      // decimal
        "700,010",          // octal
        ",0x00ff00,",       // no pattern number: skipped
        "10000,0xff0000,",  // a second pair for 10000 does not win
        "x",
    }));
    EXPECT_EQ(colors.Count(), 4);
    EXPECT_EQ(colors.PatternColor(10000), 0x0000ff);  // marker 10000 is red
    EXPECT_EQ(colors.PatternColor(600), 4259584);
    EXPECT_EQ(colors.PatternColor(700), 8);
    EXPECT_EQ(colors.PatternColor(5), 0);
    EXPECT_EQ(colors.PatternColor(123), 0);
}

TEST(PatternColors, TrailBytesAreNoHeadingMarks) {
    // "ロ" "ー" "ム": the trail byte of "ー" is 0x5B, the code of "[".
    PatternColorTable colors;
    colors.LoadPatternColorBytes("1300,0x285096,ローム,\r\n900,0x10,黒ボク,\r\n");
    EXPECT_EQ(colors.PatternColor(1300), 0x285096);
    EXPECT_EQ(colors.PatternColor(900), 0x10);
}

TEST(PatternColors, StopsAtOneHundredTenPairsAndFormatsColours) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 150; ++i) {
        lines.push_back(std::to_string(i) + ",0x" + std::to_string(i) + ",");
    }
    PatternColorTable colors;
    colors.LoadPatternColorBytes(JoinCrLf(lines));
    EXPECT_EQ(colors.Count(), PatternColorTable::kMaxPairs);
    EXPECT_EQ(colors.PatternColor(110), 0x110);
    EXPECT_EQ(colors.PatternColor(111), 0);
    EXPECT_FALSE(colors.AddPair(1, 1));
    EXPECT_EQ(FormatPatternColor(0x0000ff), "0x0000ff");
    EXPECT_EQ(ParseColorValue("  0x1F"), 31);
    EXPECT_EQ(ParseColorValue("0x"), 0);
    EXPECT_EQ(ParseColorValue("09"), 0);  // octal stops at 9
    EXPECT_EQ(ParseColorValue("0xffffffffffffffffffffffff"), LONG_MAX);
}

TEST(PatternColors, AMissingFileIsReportedAndKeepsThePairs) {
    TempFolder folder;
    PatternColorTable colors;
    colors.AddPair(600, 0x123);
    RecordingMessageSink messages;
    EXPECT_FALSE(colors.LoadPatternColors(folder.path() / "PtnvcJG.ndx", messages));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(colors.PatternColor(600), 0x123);
    const auto file = folder.Write("PtnvcJG.ndx", "100,0x10,\r\n");
    EXPECT_TRUE(colors.LoadPatternColors(file, messages));
    EXPECT_EQ(colors.PatternColor(600), 0);
    EXPECT_EQ(colors.PatternColor(100), 0x10);
}

}  // namespace
}  // namespace rave
