// The settings line, the title, point and layer lines and the column part of the working files.
#include <gtest/gtest.h>

#include <string>

#include "common/text_file.h"
#include "ravesect/document/working_files.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

TEST(SectionSettingsLine, WritesTheThirteenValuesInOrder) {
    SectionSettings s;
    s.rulerTop = 12;
    s.rulerBottom = -8;
    s.topElevation = 17.456;
    s.distancePerPage = 60;
    s.depthPerPage = 25;
    s.rulerTitle = "TP(m)";
    s.convertedNPlot = 1;
    EXPECT_EQ(FormatSettingsLine(s), "100,100,12,-8,1,-2,60,0,17.46,25,0,TP(m),1");
}

TEST(SectionSettingsLine, ValuesOutsideTheirRangesKeepThePreviousValue) {
    SectionSettings s;
    s.distancePerPage = 40;
    s.depthPerPage = 30;
    ApplySettingsLine(s, "10,2500,5,-5,0,-3,0,-1,8.5,-2,-1,abc,1");
    EXPECT_EQ(s.distanceScale, 100);
    EXPECT_EQ(s.depthScale, 100);
    EXPECT_EQ(s.rulerStep, 1);
    EXPECT_EQ(s.distancePerPage, 40);
    EXPECT_EQ(s.pageOverlapDistance, 0);
    EXPECT_EQ(s.depthPerPage, 30);
    EXPECT_EQ(s.pageOverlapDepth, 0);
    EXPECT_EQ(s.leftEnd, -3);
    EXPECT_DOUBLE_EQ(s.topElevation, 8.5);
    EXPECT_EQ(s.rulerTitle, "abc");

    ApplySettingsLine(s, "20,2000,5,-5,100,-3,1,0,8.5,1,0,,0");
    EXPECT_EQ(s.distanceScale, 20);
    EXPECT_EQ(s.depthScale, 2000);
    EXPECT_EQ(s.rulerStep, 100);
    EXPECT_EQ(s.distancePerPage, 1);
}

TEST(SectionSettingsLine, RulerBottomIsPutBelowTheRulerTop) {
    SectionSettings s;
    ApplySettingsLine(s, "100,100,10,20,1,-2,50,0,5,30,0,,0");
    EXPECT_EQ(s.rulerTop, 10);
    EXPECT_EQ(s.rulerBottom, 9);
    ApplySettingsLine(s, "100,100,10,10,1,-2,50,0,5,30,0,,0");
    EXPECT_EQ(s.rulerBottom, 9);
    ApplySettingsLine(s, "100,100,10,-3,1,-2,50,0,5,30,0,,0");
    EXPECT_EQ(s.rulerBottom, -3);
}

TEST(SectionSettingsLine, RulerTitleWithACommaSurvivesTheRoundTrip) {
    SectionSettings s;
    s.rulerTitle = "TP,m";
    SectionSettings back;
    ApplySettingsLine(back, FormatSettingsLine(s));
    EXPECT_EQ(back.rulerTitle, "TP,m");
    EXPECT_EQ(back.convertedNPlot, 0);

    // A damaged file's title is cut to 20 characters (a double-byte one whole), so that the line
    // written from it stays short enough to read back the same.
    const std::string longTitle = "\"" + std::string(30, 'x') + "," + std::string(3000, 'y') + "\"";
    for (const auto& [title, kept] :
         {std::pair<std::string, std::string>{longTitle, std::string(20, 'x')},
          {std::string(19, 'a') + "\x95\x57\x8e\xda", std::string(19, 'a') + "\x95\x57"}}) {
        ApplySettingsLine(back, "100,100,5,-5,1,-2,50,0,5,30,0," + title + ",1");
        EXPECT_EQ(back.rulerTitle, kept);
        SectionSettings again;
        ApplySettingsLine(again, FormatSettingsLine(back));
        EXPECT_EQ(FormatSettingsLine(again), FormatSettingsLine(back));
    }
}

TEST(SectionTitles, ReadingResetsAndFillsEntriesInOrder) {
    SectionDocument d;
    d.Title(7).text = "old";
    ReadTitleLines(d, "$$Z HY\r\n1.50,-2.25,Ａ,1\r\n-9999.90,-9999.90,,\r\n3,4,x\r\n");
    EXPECT_DOUBLE_EQ(d.Title(1).x, 1.5);
    EXPECT_DOUBLE_EQ(d.Title(1).y, -2.25);
    EXPECT_EQ(d.Title(1).text, "Ａ");
    EXPECT_TRUE(d.Title(2).IsFree());
    EXPECT_EQ(d.Title(3).text, "x");
    EXPECT_EQ(d.Title(3).font, "");
    EXPECT_TRUE(d.Title(7).IsFree());
    EXPECT_EQ(FormatTitleLine(TitleText{}), "-9999.90,-9999.90,,");
}

TEST(SectionTitles, TextWithALineBreakNeverShiftsTheFollowingEntries) {
    SectionDocument d;
    d.Title(1) = TitleText{1, 1, "two\r\nlines", "1"};
    d.Title(2) = TitleText{2, 2, "second", "2"};
    SectionDocument back;
    ReadTitleLines(back, TitleLinesBytes(d));
    EXPECT_EQ(back.Title(1).text, "two");
    EXPECT_EQ(back.Title(2).text, "second");
}

TEST(SectionPointsLayers, LayerLineGivesNumberColourHatchModeAndPoints) {
    SectionDocument d;
    ReadPointsLayers(d, "$$Z PO\r\n$$Z SO\r\n2,0x0000ff,3,0,1,2,3,\r\n");
    const LayerOutline& layer = d.Layer(1);
    EXPECT_EQ(layer.number, "2");
    EXPECT_EQ(layer.ColourValue(), 0x0000ff);  // red as a COLORREF
    EXPECT_EQ(layer.hatch, "3");
    EXPECT_NE(layer.lineMode, "1");  // filled
    EXPECT_EQ(layer.points, "1,2,3,");
    EXPECT_EQ(layer.PointNumbers(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(d.LayerCount(), 1);
}

TEST(SectionPointsLayers, PointPartOf250LinesFillsTwoHundredPoints) {
    std::string bytes = "$$Z PO\r\n";
    for (int n = 1; n <= 250; ++n) {
        bytes += std::to_string(n) + ".00,-" + std::to_string(n) + ".00," + std::to_string(n) + "\r\n";
    }
    SectionDocument d;
    ReadPointsLayers(d, bytes);
    EXPECT_DOUBLE_EQ(d.Point(200).x, 200.0);
    EXPECT_DOUBLE_EQ(d.Point(200).y, -200.0);
    EXPECT_EQ(d.LayerCount(), 0);
}

TEST(SectionPointsLayers, LayerListEndsAtTheFirstEntryWithoutAPositiveNumber) {
    SectionDocument d;
    ReadPointsLayers(d, "$$Z SO\r\n1,0x0,,1,4,5,\r\n0,0x0,,1,\r\n3,0x0,,1,6,\r\n");
    EXPECT_EQ(d.LayerCount(), 1);
    EXPECT_EQ(d.Layer(3).number, "3");  // kept, but after the end of the list
}

TEST(SectionPointsLayers, WrittenPartsReadBackTheSame) {
    SectionDocument d;
    d.Point(1) = SectionPoint{12.5, -3.25};
    d.Point(200) = SectionPoint{400, -1};
    d.Layer(1).number = "1";
    d.Layer(1).colour = "0x808080";
    d.Layer(1).lineMode = "1";
    std::vector<int> many;
    for (int n = 1; n <= 120; ++n) {
        many.push_back(n);
    }
    d.Layer(1).SetPointNumbers(many);
    const std::string bytes = PointsLayersBytes(d);
    EXPECT_NE(bytes.find("12.50,-3.25,1\r\n-9999.90,-9999.90,2\r\n"), std::string::npos);
    SectionDocument back;
    ReadPointsLayers(back, bytes);
    EXPECT_DOUBLE_EQ(back.Point(200).x, 400.0);
    EXPECT_EQ(back.Layer(1).PointNumbers().size(), static_cast<std::size_t>(kLayerPointLimit));
    EXPECT_EQ(back.Layer(1).hatch, "");
    EXPECT_EQ(back.LayerCount(), 1);
}

TEST(SectionColumns, ColumnPartReadsBackSlotsFieldsAndLogs) {
    SectionDocument d;
    d.Column(0)[colfield::kDistance] = "0";
    d.Column(1)[colfield::kDistance] = "5.00";
    d.Column(1)[colfield::kSourcePath] = "/a/No1.jdw";
    d.Column(1)[colfield::kLabel] = "B-1";
    d.Column(1)[20] = "last";
    (*d.Log(1).RowAt(logsection::kLayers, 1))[0] = "2.10";
    (*d.Log(1).RowAt(logsection::kLayers, 1))[1] = "砂, 細粒";
    (*d.Log(1).RowAt(logsection::kE, 1))[0] = "1.15";
    d.Column(2)[colfield::kDistance] = "15.00";
    const std::string bytes = ColumnsBytes(d, "2");
    EXPECT_NE(bytes.find("$$Z2\r\n15.00\r\n\r\n"), std::string::npos);

    SectionDocument back;
    back.Column(5)[colfield::kDistance] = "stale";
    ReadColumns(back, bytes);
    EXPECT_EQ(back.LastUsedSlot(), 2);
    EXPECT_EQ(back.Column(1)[colfield::kLabel], "B-1");
    EXPECT_EQ(back.Column(1)[20], "last");
    EXPECT_EQ(back.Log(1).Rows(logsection::kLayers)[0][1], "砂, 細粒");
    EXPECT_EQ(back.Log(1).RowCount(logsection::kE), 1);
    EXPECT_TRUE(back.Log(2).Empty());
}

// Text that looks like a block marker or a part's end must not end a block when written back.
TEST(SectionColumns, FieldsHoldingMarkersReadBackWhole) {
    for (const std::string text : {"$$", "$$Z END", "a$$Z HY", "x,$$Z PO,y", "$$$Z", "$$c", "$\"$Z"}) {
        SectionDocument d;
        d.Column(1)[colfield::kDistance] = "5.00";
        d.Column(1)[colfield::kSourcePath] = "/a/No1.jdw";
        (*d.Log(1).RowAt(logsection::kLowerC, 1))[0] = text;
        (*d.Log(1).RowAt(logsection::kLowerC, 2))[0] = "1.00";
        (*d.Log(1).RowAt(logsection::kLowerC, 2))[1] = text;
        (*d.Log(1).RowAt(logsection::kE, 1))[0] = "6.00";
        d.Title(1).text = text;
        const std::string bytes = ColumnsBytes(d, "1");
        SectionDocument back;
        ReadColumns(back, bytes);
        ReadTitleLines(back, TitleLinesBytes(d));
        std::string expected = text;
        std::erase(expected, '"');
        ASSERT_EQ(back.Log(1).RowCount(logsection::kLowerC), 2) << text;
        EXPECT_EQ(back.Log(1).Rows(logsection::kLowerC)[0][0], expected);
        EXPECT_EQ(back.Log(1).Rows(logsection::kLowerC)[1][1], expected);
        EXPECT_EQ(back.Log(1).RowCount(logsection::kE), 1) << text;
        EXPECT_EQ(back.Title(1).text, expected);
        EXPECT_EQ(ColumnsBytes(back, "1"), bytes);
    }
}

// A row as long as the reader takes, with text that has to be kept from looking like a marker,
// is written no longer than it was read: what is written reads back the same.
TEST(SectionColumns, LongRowsWithMarkerTextKeepTheirLength) {
    for (const std::string& row :
         {"$\"$Z END," + std::string(600, 'x'), "\"1,2\",a$$\"Z HY," + std::string(600, 'y'),
          "1.00,$$\"Z END" + std::string(600, ',')}) {
        SectionDocument d;
        ReadColumns(d, "$$_QSVERAN700\r\n1\r\n$$Z1\r\n5\r\n/a/No1.jdw\r\n$$c\r\n" + row + "\r\n$$Z END\r\n");
        ASSERT_EQ(d.Log(1).RowCount(logsection::kLowerC), 1) << row;
        const std::string bytes = ColumnsBytes(d, "1");
        SectionDocument back;
        ReadColumns(back, bytes);
        EXPECT_EQ(ColumnsBytes(back, "1"), bytes) << row;
    }
}

TEST(SectionColumns, LinesAfterTheEndMarkerAreNotColumns) {
    SectionDocument d;
    ReadColumns(d, "$$_QSVERAN700\r\n1\r\n$$Z0\r\n0\r\n$$Z END\r\n$$Z3\r\n9\r\n");
    EXPECT_EQ(d.LastUsedSlot(), 0);
    ReadColumns(d, "$$Z99\r\n9\r\n$$Z-1\r\n8\r\n");  // slots outside 0..26 are skipped
    EXPECT_EQ(d.LastUsedSlot(), -1);
}

}  // namespace
}  // namespace ravesect
