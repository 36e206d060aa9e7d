// The soil-name table dialogs' model: the written file forms, list editing, the display settings
// and saving.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/install_folder.h"
#include "common/messages.h"
#include "common/pattern_colors.h"
#include "common/ravelog_settings.h"
#include "common/soil_name_table.h"
#include "common/path_text.h"
#include "common/soil_table_editor.h"
#include "common/text_file.h"
#include "temp_folder.h"

namespace rave {
namespace {

using testing::TempFolder;

const std::string kMasterBytes = JoinCrLf({
    "[第1群 土質名], ,5,",
    "{礫・砂}",
    "砂,S,200.1,3500.1,",
    "粘土,_,600.2,,",
    "岩,_,4300,4300,",
    "砂礫,_,3600.3,3600.3,",
    "[第2群]",
    "礫混り,_,50,50,",
    "[第3群]",
    "砂質,_,1,1,",
    "[終了]",
    "after,_,1,1,",
});

TEST(SoilTableList, ListsEveryLineUpToTheEnd) {
    int header = 0;
    const auto rows = ParseSoilTableList(kMasterBytes, header);
    EXPECT_EQ(header, 5);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_TRUE(rows[0].isHeading);
    EXPECT_EQ(rows[0].name, "[第1群 土質名]");
    EXPECT_TRUE(rows[1].isHeading);
    EXPECT_EQ(rows[2].name, "砂");
    EXPECT_EQ(rows[2].lineNumber, "200");
    EXPECT_EQ(rows[2].bitmapNumber, "3500");
    EXPECT_TRUE(rows[2].sandy);
    EXPECT_FALSE(rows[2].clayey);
    EXPECT_TRUE(rows[3].clayey);
    EXPECT_EQ(rows[3].bitmapNumber, "");
    EXPECT_FALSE(rows[4].sandy || rows[4].clayey);
    EXPECT_TRUE(rows[5].sandy && rows[5].clayey);
    EXPECT_EQ(rows[10].name, "[終了]");
}

TEST(SoilTableList, WritesTheFixedForms) {
    int header = 0;
    const auto rows = ParseSoilTableList(kMasterBytes, header);
    const std::string written = FormatSoilTableList(rows, header);
    EXPECT_EQ(written, JoinCrLf({
                           "[第1群 土質名], ,5,",
                           "{礫・砂}",
                           "砂,_,200.1,3500.1,",  // the mark is written as "_"
                           "粘土,_,600.2,,",
                           "岩,_,4300.0,4300.0,",
                           "砂礫,_,3600.3,3600.3,",
                           "[第2群]",
                           "礫混り,_,50.0,50.0,",
                           "[第3群]",
                           "砂質,_,1.0,1.0,",
                           "[終了]",
                       }));
    // What was written reads back to the same table.
    SoilNameTable before;
    SoilNameTable after;
    before.LoadSoilNameBytes(kMasterBytes, soil_number_kind::kBitmap);
    after.LoadSoilNameBytes(written, soil_number_kind::kBitmap);
    ASSERT_EQ(after.Rows(soil_number_kind::kBitmap).size(), before.Rows(soil_number_kind::kBitmap).size());
    for (std::size_t i = 0; i < before.Rows(soil_number_kind::kBitmap).size(); ++i) {
        EXPECT_EQ(after.Rows(soil_number_kind::kBitmap)[i].number,
                  before.Rows(soil_number_kind::kBitmap)[i].number);
        EXPECT_EQ(after.Rows(soil_number_kind::kBitmap)[i].soilClass,
                  before.Rows(soil_number_kind::kBitmap)[i].soilClass);
    }
    EXPECT_EQ(after.HeaderNumber(soil_number_kind::kBitmap), 5);
}

TEST(SoilTableList, WritesEveryRowAndQuotesCommas) {
    std::vector<SoilTableListRow> rows(300, SoilTableListRow{false, "a", false, false, "1", ""});
    rows[1].name = "砂,礫";
    rows.push_back(SoilTableListRow{true, "[終了]", false, false, "", ""});
    const std::string written = FormatSoilTableList(rows, 0);
    int header = 0;
    const auto back = ParseSoilTableList(written, header);
    EXPECT_EQ(back.size(), 301u);
    EXPECT_EQ(back[1].name, "砂,礫");
    EXPECT_EQ(back.back().name, "[終了]");
}

TEST(SoilTableList, TheHeaderNumberStaysOnTheFirstGroupLine) {
    const std::string bytes = JoinCrLf({"{comment}", "[第1群], ,7,", "砂,_,400.1,400.1,", "[終了]"});
    int header = 0;
    const auto rows = ParseSoilTableList(bytes, header);
    EXPECT_EQ(header, 7);
    // Saving twice gives the same file: nothing is appended to the comment.
    const std::string once = FormatSoilTableList(rows, header);
    EXPECT_EQ(once, bytes);
    const auto again = ParseSoilTableList(once, header);
    EXPECT_EQ(FormatSoilTableList(again, header), bytes);
}

class SoilEditor : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("WdtvxJG.mst", kMasterBytes);
        ASSERT_TRUE(editor.Open(messages));
    }
    TempFolder folder;
    RavelogSettings settings = RavelogSettings::Defaults();
    SoilTableEditor editor{SoilTableVariant::kJacic, settings, folder.path()};
    RecordingMessageSink messages;
};

TEST_F(SoilEditor, InsertsBeforeTheSelectedRowOrAtTheEndOfTheLastGroup) {
    editor.Select(2);
    editor.editName = "シルト";
    editor.editClass = 2;
    editor.editLineNumber = "500";
    editor.editBitmapNumber = "500";
    ASSERT_TRUE(editor.Insert(messages));
    EXPECT_EQ(editor.Rows()[2].name, "シルト");
    EXPECT_TRUE(editor.Rows()[2].clayey);
    EXPECT_EQ(editor.Rows()[3].name, "砂");
    EXPECT_EQ(editor.Selected(), 3);  // the selection stays on the row it was on
    // Without a selection the row ends the last group, before "[終了]" (nothing after it is read).
    editor.Select(-1);
    ASSERT_TRUE(editor.Insert(messages));
    EXPECT_EQ(editor.Rows()[11].name, "シルト");
    EXPECT_EQ(editor.Rows().back().name, "[終了]");
    // Nor is anything before the first group heading: a row put there follows the heading.
    editor.Select(0);
    ASSERT_TRUE(editor.Insert(messages));
    EXPECT_EQ(editor.Rows()[1].name, "シルト");
    EXPECT_EQ(editor.Rows()[0].name, "[第1群 土質名]");
}

TEST_F(SoilEditor, RefusesAnEmptyNameAndNonNumericNumbers) {
    editor.editName = " ";
    EXPECT_FALSE(editor.Insert(messages));
    editor.editName = "砂";
    editor.editLineNumber = "abc";
    EXPECT_FALSE(editor.Insert(messages));
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(editor.Rows().size(), 11u);
}

TEST_F(SoilEditor, OverwriteEditDeleteAndMove) {
    editor.Select(3);
    ASSERT_TRUE(editor.EditSelected());
    EXPECT_EQ(editor.editName, "粘土");
    EXPECT_EQ(editor.editClass, 2);
    EXPECT_EQ(editor.editLineNumber, "600");
    editor.editName = "粘性土";
    editor.editLineNumber = "4300";
    ASSERT_TRUE(editor.Overwrite(messages));
    EXPECT_EQ(editor.Rows()[3].name, "粘性土");
    EXPECT_EQ(editor.Rows()[3].lineNumber, "4300");

    ASSERT_TRUE(editor.MoveSelectedUp());
    EXPECT_EQ(editor.Rows()[2].name, "粘性土");
    EXPECT_EQ(editor.Selected(), 2);
    ASSERT_TRUE(editor.MoveSelectedDown());
    EXPECT_EQ(editor.Rows()[3].name, "粘性土");
    ASSERT_TRUE(editor.DeleteSelected(messages));
    EXPECT_EQ(editor.Rows()[3].name, "岩");
    EXPECT_EQ(editor.Rows().size(), 10u);

    editor.Select(0);
    EXPECT_FALSE(editor.MoveSelectedUp());
    editor.Select(-1);
    EXPECT_FALSE(editor.Overwrite(messages));
    EXPECT_FALSE(editor.DeleteSelected(messages));
}

TEST_F(SoilEditor, GroupLinesCannotBeDeletedOrOverwrittenBySoilRows) {
    for (const int groupLine : {0, 6, 8}) {
        editor.Select(groupLine);
        messages.shown.clear();
        EXPECT_FALSE(editor.DeleteSelected(messages)) << groupLine;
        editor.editName = "砂";
        editor.editLineNumber = "400";
        EXPECT_FALSE(editor.Overwrite(messages)) << groupLine;
        EXPECT_EQ(messages.shown.size(), 2u) << groupLine;
    }
    EXPECT_EQ(editor.Rows().size(), 11u);
    // A comment line may go.
    editor.Select(1);
    EXPECT_TRUE(editor.DeleteSelected(messages));
}

TEST_F(SoilEditor, ARowOfBothClassesKeepsBoth) {
    editor.Select(5);  // "砂礫" of class 3
    ASSERT_TRUE(editor.EditSelected());
    EXPECT_EQ(editor.editClass, 3);
    ASSERT_TRUE(editor.Overwrite(messages));
    EXPECT_TRUE(editor.Rows()[5].sandy && editor.Rows()[5].clayey);
}

TEST_F(SoilEditor, RefusesThe257thSoilRowWithAMessage) {
    editor.editName = "a";
    editor.editLineNumber = "100";
    editor.Select(-1);
    // Six soil rows are listed; headings do not count.
    for (int n = 6; n < 256; ++n) {
        ASSERT_TRUE(editor.Insert(messages)) << n;
    }
    messages.shown.clear();
    EXPECT_FALSE(editor.Insert(messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].id, 902);
    // A heading still fits, and everything is written up to the end line.
    editor.editName = "{more}";
    EXPECT_TRUE(editor.Insert(messages));
    int header = 0;
    const auto back = ParseSoilTableList(FormatSoilTableList(editor.Rows(), 5), header);
    EXPECT_EQ(back.size(), editor.Rows().size());
    EXPECT_EQ(back.back().name, "[終了]");
}

TEST_F(SoilEditor, AppliesAPickedPatternToTheSelectedRow) {
    editor.Select(4);
    editor.PickPattern(3300);
    editor.PickBitmap("j10003");
    ASSERT_TRUE(editor.ApplyPattern());
    EXPECT_EQ(editor.Rows()[4].lineNumber, "3300");
    EXPECT_EQ(editor.Rows()[4].bitmapNumber, "10003");
    // Headings take no pattern.
    editor.Select(0);
    EXPECT_FALSE(editor.ApplyPattern());
}

TEST_F(SoilEditor, SavesTheListAndTheDisplaySettings) {
    editor.patternDisplay = 1;
    editor.monochrome = 1;
    editor.lineWidth = "3";
    editor.mixedMarking = 1;
    ASSERT_TRUE(editor.Save(settings, messages));
    EXPECT_EQ(settings.Line(61), "1");
    EXPECT_EQ(settings.Line(62), "1");
    EXPECT_EQ(settings.Line(63), "2");  // the pen is line 63 + 1
    EXPECT_EQ(settings.Line(64), "1");
    EXPECT_EQ(settings.Line(sysline::kJacicBitmapFolder), (folder.path() / "Jbptn").string());
    const std::string written = TempFolder::Read(folder.path() / "WdtvxJG.mst");
    EXPECT_EQ(written.rfind("[第1群 土質名], ,5,\r\n", 0), 0u);
    EXPECT_EQ(written.find("after"), std::string::npos);

    // The dialog opened again shows what was stored.
    SoilTableEditor again(SoilTableVariant::kJacic, settings, folder.path());
    EXPECT_EQ(again.patternDisplay, 1);
    EXPECT_EQ(again.lineWidth, "3");
    again.RestoreStandardSettings();
    EXPECT_EQ(again.patternDisplay, 0);
    EXPECT_EQ(again.monochrome, 0);
    EXPECT_EQ(again.lineWidth, "1");
    EXPECT_EQ(again.mixedMarking, 0);
    EXPECT_EQ(again.masterPath, folder.path() / "WdtvxJG.mst");
}

TEST_F(SoilEditor, AWindowsFormBitmapFolderIsFoundThroughTheDrivesAndKeptAsWritten) {
    folder.Write(std::filesystem::path("drive-c/Kelvard") / PathFromCp932("\x93\x79") / "J" / "3300.bmp",
                 "BM");  // "土" in cp932
    const std::string windowsFolder = "C:\\Kelvard\\\x93\x79";
    settings.Line(sysline::kJacicBitmapFolder) = windowsFolder;
    SoilTableEditor mapped(SoilTableVariant::kJacic, settings, folder.path());
    DriveMap drives;
    drives.folderOf = [&](char letter) -> std::optional<std::filesystem::path> {
        if (letter == 'C') {
            return folder.path() / "drive-c";
        }
        return std::nullopt;
    };
    mapped.drives = &drives;
    EXPECT_EQ(mapped.BitmapChoices().back(), "3300");
    ASSERT_TRUE(mapped.Open(messages));
    RavelogSettings saved = settings;
    ASSERT_TRUE(mapped.Save(saved, messages));
    EXPECT_EQ(saved.Line(sysline::kJacicBitmapFolder), windowsFolder);
}

TEST_F(SoilEditor, AnEmptyOrNonPositiveLineWidthIsOne) {
    editor.lineWidth = "";
    EXPECT_EQ(editor.PenWidth(), 1);
    editor.lineWidth = "-2";
    EXPECT_EQ(editor.PenWidth(), 1);
    editor.StoreDisplaySettings(settings);
    EXPECT_EQ(settings.Line(63), "0");
}

TEST_F(SoilEditor, AFailedSaveIsReportedAndChangesNothing) {
    editor.masterPath = folder.path() / "no-such-folder" / "WdtvxJG.mst";
    editor.monochrome = 1;
    EXPECT_FALSE(editor.Save(settings, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "保存できませんでした");
    EXPECT_EQ(settings.Line(62), "0");
}

TEST_F(SoilEditor, BitmapChoicesListTheMarkersAndTheTiles) {
    folder.Write("Jbptn/J/3300.bmp", "x");
    folder.Write("Jbptn/J/100.bmp", "x");
    folder.Write("Jbptn/J/readme.txt", "x");
    const auto choices = editor.BitmapChoices();
    EXPECT_EQ(choices,
              (std::vector<std::string>{"j10000", "j10001", "j10002", "j10003", "j10004", "100", "3300"}));
}

TEST_F(SoilEditor, PreviewsDrawPatternsOrBitmaps) {
    PatternColorTable colors;
    colors.AddPair(3300, 0x00ff00);
    editor.editLineNumber = "3300";
    PatternPreview preview = editor.Preview(false, colors);
    EXPECT_FALSE(preview.drawBitmap);
    EXPECT_EQ(preview.color, 0x00ff00);
    editor.patternDisplay = 1;
    editor.editBitmapNumber = "3300";
    preview = editor.Preview(true, colors);
    EXPECT_TRUE(preview.drawBitmap);
    EXPECT_EQ(preview.bitmapFile, folder.path() / "Jbptn" / "J" / "3300.bmp");
    // Markers are always drawn, also when bitmaps are chosen.
    editor.editBitmapNumber = "10002";
    EXPECT_FALSE(editor.Preview(true, colors).drawBitmap);
}

TEST(SimpleSoilEditor, KeepsOnePatternNumberInBothFields) {
    TempFolder folder;
    RavelogSettings settings = RavelogSettings::Defaults();
    RecordingMessageSink messages;
    SoilTableEditor editor(SoilTableVariant::kSimple, settings, folder.path());
    EXPECT_FALSE(editor.Open(messages));  // no file yet: reported, the list starts empty
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(editor.masterPath, folder.path() / "WdtvxCS.mst");
    editor.editName = "[第1群]";
    ASSERT_TRUE(editor.Insert(messages));
    editor.editName = "砂";
    editor.editClass = 1;
    editor.PickBitmap("c814");
    ASSERT_TRUE(editor.Insert(messages));
    ASSERT_TRUE(editor.Save(settings, messages));
    EXPECT_EQ(TempFolder::Read(folder.path() / "WdtvxCS.mst"), "[第1群], ,0,\r\n砂,_,814.1,814.1,\r\n");
    EXPECT_EQ(editor.BitmapChoices().front(), "c801");
    EXPECT_EQ(settings.Line(sysline::kSimpleBitmapFolder), (folder.path() / "Cbptn").string());
}

}  // namespace
}  // namespace rave
