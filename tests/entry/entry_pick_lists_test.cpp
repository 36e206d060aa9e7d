// Pick lists of the data-entry editors: reading the master files and the text limits.
#include <gtest/gtest.h>

#include "ravelog/entry/entry_pick_lists.h"
#include "temp_folder.h"

namespace ravelog {
namespace {

TEST(EntryPickLists, TechniciansAreOnePerLineWithoutEmptyLines) {
    rave::testing::TempFolder folder;
    const auto path =
        folder.Write(kTechnicianMasterFile, "山田\r\n\r\n佐藤\r\n" + std::string(130, 'x') + "\r\n");
    const std::vector<std::string> names = LoadTechnicianList(path);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "山田");
    EXPECT_EQ(names[1], "佐藤");
    EXPECT_EQ(names[2], std::string(123, 'x'));
    EXPECT_TRUE(LoadTechnicianList(folder.path() / "missing.mst").empty());
}

TEST(EntryPickLists, RemarkTextsAreCutTo59BytesWithoutSplittingACharacter) {
    rave::testing::TempFolder folder;
    // 29 double-byte characters are 58 bytes; the 30th would end at byte 60.
    std::string longText;
    for (int i = 0; i < 31; ++i) {
        longText += "あ";
    }
    const auto path = folder.Write(kRemarkMasterFile, "自沈\r\n" + longText + "\r\n");
    rave::RecordingMessageSink sink;
    const std::vector<std::string> texts = LoadRemarkTexts(path, sink);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "自沈");
    EXPECT_EQ(texts[1], longText.substr(0, 58));
    EXPECT_TRUE(sink.shown.empty());
}

TEST(EntryPickLists, MissingRemarkFileIsNamedInTheMessage) {
    rave::testing::TempFolder folder;
    rave::RecordingMessageSink sink;
    const auto path = folder.path() / kRemarkMasterFile;
    EXPECT_TRUE(LoadRemarkTexts(path, sink).empty());
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].id, 32790);
    EXPECT_EQ(sink.shown[0].text, "ファイルが見つかりません\n( %1 )");
    EXPECT_EQ(sink.shown[0].argument, path.string());
}

TEST(EntryPickLists, SoilPicksAreCutToTheirLimits) {
    const SoilPick pick = MakeSoilPick(std::string(40, 'n'), "12345.6789");
    EXPECT_EQ(pick.name, std::string(32, 'n'));
    EXPECT_EQ(pick.pattern, "12345.67");
}

}  // namespace
}  // namespace ravelog

namespace ravelog {
namespace {

rave::SoilNameRow SoilRow(const char* name, long number, int soilClass) {
    rave::SoilNameRow row;
    row.name = name;
    row.number = number;
    row.soilClass = soilClass;
    return row;
}

rave::SoilNameTable SmallJacicTable() {
    rave::SoilNameTable table;
    constexpr int kind = rave::soil_number_kind::kBitmap;
    table.AddRow(kind, 1, SoilRow("砂", 2100, 1));
    table.AddRow(kind, 1, SoilRow("盛土", -1, 0));
    table.AddRow(kind, 1, SoilRow("崩壊", 10001, 0));
    table.AddRow(kind, 2, SoilRow("礫混り", 20, 0));
    table.AddRow(kind, 3, SoilRow("砂質", 1, 1));
    // Line-drawing numbers are another kind; the JACIC pattern field holds bitmap numbers.
    table.AddRow(rave::soil_number_kind::kLineDrawing, 1, SoilRow("砂", 200, 1));
    return table;
}

TEST(EntryPickLists, JacicListsFollowTheTableGroupsWithMarkersLast) {
    const std::vector<SoilPickList> lists = JacicSoilPickLists(SmallJacicTable());
    ASSERT_EQ(lists.size(), 4u);
    ASSERT_EQ(lists[0].size(), 2u);
    EXPECT_EQ(lists[0][0].name, "砂");
    EXPECT_EQ(lists[0][0].pattern, "2100.1");
    EXPECT_EQ(lists[0][1].pattern, "") << "a row without a number has no pattern";
    ASSERT_EQ(lists[1].size(), 1u);
    EXPECT_EQ(lists[1][0].pattern, "20.0");
    ASSERT_EQ(lists[2].size(), 1u);
    EXPECT_EQ(lists[2][0].name, "砂質");
    ASSERT_EQ(lists[3].size(), 1u);
    EXPECT_EQ(lists[3][0].pattern, "10001.0");
}

rave::InstalledSoilTables Tables() {
    rave::InstalledSoilTables tables;
    tables.jacic = SmallJacicTable();
    constexpr int kind = rave::soil_number_kind::kBitmap;
    tables.simple.AddRow(kind, 1, SoilRow("泥炭", 6900, 2));
    tables.simple.AddRow(kind, 1, SoilRow("空洞", 801, 0));
    tables.simple.AddRow(rave::soil_number_kind::kLineDrawing, 1, SoilRow("泥炭", 800, 2));
    return tables;
}

TEST(EntryPickLists, TheSimpleListIsTheSimpleTable) {
    rave::testing::TempFolder folder;
    folder.Write(kSimpleSoilMasterFile, "[第1群], ,1,\r\n");
    // An old pick-list file with JACIC codes is not the simple table.
    folder.Write(kSoilPickMasterFile, "1,泥炭,800.2,\r\n");
    folder.Write(kRemarkMasterFile, "自沈\r\n");
    rave::RecordingMessageSink sink;
    const RowEditorPickLists simple = LoadRowEditorPickLists(folder.path(), Tables(), false, sink);
    EXPECT_TRUE(sink.shown.empty());
    ASSERT_EQ(simple.simpleList.size(), 2u);
    EXPECT_EQ(simple.simpleList[0].name, "泥炭");
    EXPECT_EQ(simple.simpleList[0].pattern, "6900.2");
    EXPECT_EQ(simple.simpleList[1].pattern, "801.0");
    EXPECT_TRUE(simple.jacicLists.empty());
    EXPECT_EQ(simple.remarks, (std::vector<std::string>{"自沈"}));
}

TEST(EntryPickLists, JacicListsEndWithTheCompoundNamesWhenTheirFileExists) {
    rave::testing::TempFolder folder;
    folder.Write(kRemarkMasterFile, "自沈\r\n");
    rave::RecordingMessageSink sink;
    // The JACIC master is missing: it is named, and the remark list still loads.
    RowEditorPickLists jacic = LoadRowEditorPickLists(folder.path(), Tables(), true, sink);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].id, 32790);
    EXPECT_EQ(sink.shown[0].argument, (folder.path() / kJacicSoilMasterFile).string());
    EXPECT_EQ(jacic.jacicLists.size(), 4u);
    EXPECT_EQ(jacic.remarks.size(), 1u);

    folder.Write(kJacicSoilMasterFile, "[第1群], ,1,\r\n");
    folder.Write(kSoilPickMasterFile, "1,礫混り砂,450.1,\r\n");
    sink.shown.clear();
    jacic = LoadRowEditorPickLists(folder.path(), Tables(), true, sink);
    EXPECT_TRUE(sink.shown.empty());
    ASSERT_EQ(jacic.jacicLists.size(), 5u);
    ASSERT_EQ(jacic.jacicLists[4].size(), 1u);
    EXPECT_EQ(jacic.jacicLists[4][0].pattern, "450.1");
}

TEST(EntryPickLists, MissingSimpleTableAndRemarksAreBothNamed) {
    rave::testing::TempFolder folder;
    rave::RecordingMessageSink sink;
    const RowEditorPickLists lists =
        LoadRowEditorPickLists(folder.path(), rave::InstalledSoilTables(), false, sink);
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0].argument, (folder.path() / kSimpleSoilMasterFile).string());
    EXPECT_EQ(sink.shown[1].argument, (folder.path() / kRemarkMasterFile).string());
    EXPECT_TRUE(lists.simpleList.empty());
    EXPECT_TRUE(lists.remarks.empty());
}

}  // namespace
}  // namespace ravelog
