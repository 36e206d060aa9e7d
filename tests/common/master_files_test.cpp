// Master files: reading 80 entries, saving with the duplicate report, the old-version merge, the
// editor model and the soil-name pick list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/master_editor.h"
#include "common/master_files.h"
#include "common/messages.h"
#include "common/text_file.h"
#include "temp_folder.h"

namespace rave {
namespace {

using testing::TempFolder;

std::vector<std::string> Rows(std::initializer_list<const char*> filled) {
    std::vector<std::string> rows(kMasterRows);
    std::size_t i = 0;
    for (const char* text : filled) {
        rows[i++] = text;
    }
    return rows;
}

TEST(MasterList, ReadsAtMostEightyEntriesAndSkipsEmptyLines) {
    TempFolder folder;
    std::vector<std::string> lines = {"", "first"};
    for (int i = 2; i <= 100; ++i) {
        lines.push_back("name" + std::to_string(i));
    }
    const auto file = folder.Write("M.mst", JoinCrLf(lines));
    const auto entries = LoadMasterList(file);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 80u);
    EXPECT_EQ((*entries)[0], "first");
    EXPECT_EQ((*entries)[79], "name80");
    EXPECT_FALSE(LoadMasterList(folder.path() / "none.mst"));
}

TEST(MasterEditor, EntriesPast80AreKeptUnlessTheUserAgreesToDropThem) {
    TempFolder folder;
    std::vector<std::string> lines = {"first"};
    for (int i = 2; i <= 100; ++i) {
        lines.push_back("name" + std::to_string(i));
    }
    const auto file = folder.Write("M.mst", JoinCrLf(lines));
    MasterEditor editor(MasterKind::kTechnicians, file, folder.path());
    RecordingMessageSink messages;
    ASSERT_TRUE(editor.Open(messages));
    EXPECT_EQ(editor.Rows().back(), "name80");
    EXPECT_EQ(editor.EntriesPast80().size(), 20u);

    // Keep: the file still holds all 100, the edited rows first.
    messages.answers = {true};
    ASSERT_TRUE(editor.SetRowText(0, "changed", messages));
    ASSERT_TRUE(editor.Save(messages));
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].argument, "20");
    auto saved = LoadMasterList(file, 1000);
    ASSERT_EQ(saved->size(), 100u);
    EXPECT_EQ(saved->front(), "changed");
    EXPECT_EQ(saved->back(), "name100");

    // Drop: only the 80 rows remain, and no question comes again.
    messages.answers = {false};
    ASSERT_TRUE(editor.Save(messages));
    EXPECT_EQ(LoadMasterList(file, 1000)->size(), 80u);
    ASSERT_TRUE(editor.Save(messages));
    EXPECT_EQ(messages.asked.size(), 2u);
}

TEST(MasterList, SavesDuplicatesAndNamesTheLaterRowFirst) {
    TempFolder folder;
    RecordingMessageSink messages;
    std::vector<std::string> rows(kMasterRows);
    rows[2] = "山田";
    rows[4] = "佐藤";
    rows[6] = "山田";
    ASSERT_TRUE(SaveMasterList(folder.path() / "M.mst", rows, messages));
    EXPECT_EQ(TempFolder::Read(folder.path() / "M.mst"), "山田\r\n佐藤\r\n山田\r\n");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "同じデータがあります\n%1");
    EXPECT_EQ(messages.shown[0].argument, " 7行目と 3行目 [山田]　\n");
}

TEST(MasterList, ReportsSixDuplicatesAtMost) {
    std::vector<std::string> rows(kMasterRows);
    for (int i = 0; i < 7; ++i) {
        rows[static_cast<std::size_t>(i)] = "t" + std::to_string(i);
        rows[static_cast<std::size_t>(i + 10)] = "t" + std::to_string(i);
    }
    int count = 0;
    const std::string report = MasterDuplicateLines(rows, &count);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 6);
    EXPECT_EQ(report.rfind("11行目と 1行目 [t0]", 0), 0u);
}

TEST(MasterList, StopsAddingLinesOnceTheReportReachesThreeHundredBytes) {
    std::vector<std::string> rows(kMasterRows);
    const std::string longText(120, 'x');
    for (int i = 0; i < 4; ++i) {
        rows[static_cast<std::size_t>(2 * i)] = longText + std::to_string(i);
        rows[static_cast<std::size_t>(2 * i + 1)] = longText + std::to_string(i);
    }
    const std::string report = MasterDuplicateLines(rows);
    // Each line is about 140 bytes: the third is added at 280 bytes, the fourth is not.
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 3);
}

TEST(MasterList, AFailedSaveIsReported) {
    TempFolder folder;
    RecordingMessageSink messages;
    EXPECT_FALSE(SaveMasterList(folder.path() / "missing" / "M.mst", Rows({"a"}), messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "マスタファイルは\n保存できませんでした");
}

TEST(OldVersionMaster, TheFolderOfThePreviousVersion) {
    EXPECT_EQ(OldVersionFolder("/home/u/Kelvard/Swk5"), std::filesystem::path("/home/u/Kelvard/Swk4"));
    EXPECT_EQ(OldVersionFolder("/home/u/Kelvard/Sver5"), std::filesystem::path("/home/u/Kelvard/Sver4"));
    EXPECT_EQ(OldVersionFolder("/home/u/Kelvard/Sver5/"), std::filesystem::path("/home/u/Kelvard/Sver4"));
    // Without a version in the name there is no old folder, never the same folder.
    EXPECT_FALSE(OldVersionFolder("/home/u/tables"));
}

TEST(OldVersionMaster, MergesNewEntriesAtTheirLinePositions) {
    TempFolder folder;
    const auto old = folder.Write("old.mst", JoinCrLf({"**", "b,extra", "x", "", "c", "a", "d"}));
    std::vector<std::string> rows = Rows({"a", "b"});
    RecordingMessageSink messages;
    EXPECT_EQ(ImportOldVersionMaster(rows, old, messages), 3);
    // "x" (line 3) goes to row 3, "c" (line 5) and "d" (line 7) after the last filled row.
    EXPECT_EQ(rows[0], "a");
    EXPECT_EQ(rows[1], "b");
    EXPECT_EQ(rows[2], "x");
    EXPECT_EQ(rows[3], "c");
    EXPECT_EQ(rows[4], "d");
    EXPECT_EQ(rows[5], "");
    EXPECT_EQ(rows.size(), 80u);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), "**"), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "旧バージョンからの追加データ数=[ %1 ]　");
    EXPECT_EQ(messages.shown[0].argument, "3");

    // A second merge finds nothing new.
    EXPECT_EQ(ImportOldVersionMaster(rows, old, messages), 0);
    EXPECT_EQ(messages.shown.back().text, "旧バージョンからの追加データはありませんでした.　");
}

TEST(OldVersionMaster, AMissingFileDoesNothingAndAFullListLosesNoEntry) {
    TempFolder folder;
    std::vector<std::string> rows = Rows({"a"});
    RecordingMessageSink messages;
    EXPECT_EQ(ImportOldVersionMaster(rows, folder.path() / "none.mst", messages), -1);
    EXPECT_TRUE(messages.shown.empty());

    std::vector<std::string> full(kMasterRows);
    for (int i = 0; i < kMasterRows; ++i) {
        full[static_cast<std::size_t>(i)] = "e" + std::to_string(i);
    }
    const auto old = folder.Write("old.mst", "new\r\n");
    EXPECT_EQ(ImportOldVersionMaster(full, old, messages), 0);
    EXPECT_EQ(full.back(), "e79");
}

TEST(MasterEditor, EditsMovesDeletesAndMergesTheOldVersion) {
    TempFolder folder;
    const auto install = folder.path() / "Sver5";
    folder.Write("Sver5/K.mst", JoinCrLf({"ガリガリ", "ストン"}));
    RecordingMessageSink messages;
    MasterEditor editor(MasterKindOfMode(1), install / "K.mst", install);
    EXPECT_EQ(editor.Title(), "記事短文マスタファイル");
    EXPECT_FALSE(editor.CanImportOldVersion());
    ASSERT_TRUE(editor.Open(messages));
    ASSERT_EQ(editor.Rows().size(), 80u);

    ASSERT_TRUE(editor.SetRowText(2, "自沈", messages));
    EXPECT_EQ(editor.Selected(), 2);
    EXPECT_FALSE(editor.SetRowText(3, "a\r\nb", messages));
    ASSERT_TRUE(editor.MoveSelectedUp());
    EXPECT_EQ(editor.Rows()[1], "自沈");
    EXPECT_EQ(editor.Rows()[2], "ストン");
    ASSERT_TRUE(editor.DeleteSelected());
    EXPECT_EQ(editor.Rows()[1], "ストン");
    EXPECT_EQ(editor.Rows().size(), 80u);

    folder.Write("Sver4/K.mst", JoinCrLf({"ガリガリ", "打撃"}));
    ASSERT_TRUE(editor.CanImportOldVersion());
    ASSERT_TRUE(editor.ImportOldVersion(messages));
    EXPECT_EQ(editor.Rows()[1], "打撃");
    EXPECT_TRUE(editor.Changed());
    ASSERT_TRUE(editor.Save(messages));
    EXPECT_EQ(TempFolder::Read(install / "K.mst"), "ガリガリ\r\n打撃\r\nストン\r\n");

    MasterEditor technicians(MasterKindOfMode(0), install / "M.mst", install);
    EXPECT_EQ(technicians.Title(), "技術者マスタファイル");
    RecordingMessageSink missing;
    EXPECT_FALSE(technicians.Open(missing));
    EXPECT_EQ(missing.shown.size(), 1u);
    EXPECT_TRUE(std::all_of(technicians.Rows().begin(), technicians.Rows().end(),
                            [](const std::string& r) { return r.empty(); }));
}

TEST(SoilPickList, TakesTheNameAndPatternFieldsWithTheirLimits) {
    const auto entries = ParseSoilPickList(JoinCrLf({
        "1,砂,400.1,",
        "2,,600.2,",  // no name: left out
        "3," + std::string("礫混り砂質シルト混り粘土質の砂礫土") + ",123456789,",
    }));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "砂");
    EXPECT_EQ(entries[0].pattern, "400.1");
    EXPECT_EQ(entries[1].name.size(), 32u);  // 16 double-byte characters
    EXPECT_EQ(entries[1].pattern, "12345678");
}

}  // namespace
}  // namespace rave
