// Open, Save and Save As of the sounding document, and the last-folder file of Open.
#include <gtest/gtest.h>

#include "common/native_file.h"
#include "common/text_file.h"
#include "ravelog/document/sounding_file_commands.h"
#include "temp_folder.h"

namespace ravelog {
namespace {

using rave::testing::TempFolder;

const std::string kSmallFile = rave::JoinCrLf({"$$_SWJVERAN304", "$$Z", "件名", "$$A", "1.00,4,0.25", "$$C"});

// Makes every file creation fail for as long as it lives, as a full disk or a folder the user may
// not write to would.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::filesystem::path&) { rave::FailNextFileCreations(1 << 30); }
    ~ReadOnlyFolder() { rave::FailNextFileCreations(0); }
};

TEST(OpenFromMenu, MissingFileSaysSoWithThePathAndKeepsTheDocument) {
    TempFolder temp;
    SoundingDocument doc;
    doc.header[1] = "kept";
    doc.pathName = "old.sdw";
    rave::RecordingMessageSink messages;
    const auto missing = temp.path() / "none.sdw";
    EXPECT_EQ(OpenSoundingFromMenu(doc, messages, missing, temp.path()), kVersionUnknown);
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].id, message_id::kFileNotFound);
    EXPECT_EQ(messages.shown[0].argument, missing.string());
    EXPECT_EQ(doc.header[1], "kept");
    EXPECT_EQ(doc.pathName, "old.sdw");
    EXPECT_FALSE(std::filesystem::exists(LastFolderFilePath(temp.path())));
}

TEST(OpenFromMenu, AFileOfAnotherKindIsRefusedAndChangesNothing) {
    TempFolder temp;
    const auto csv = temp.Write("data.csv", "地点,深さ\r\nNo.1,0.25\r\n");
    for (bool throughFramework : {false, true}) {
        SoundingDocument doc;
        doc.header[1] = "kept";
        doc.modified = true;
        rave::RecordingMessageSink messages;
        const SoundingFileVersion version = throughFramework
                                                ? OpenSoundingThroughFramework(doc, messages, csv)
                                                : OpenSoundingFromMenu(doc, messages, csv, temp.path());
        EXPECT_EQ(version, kVersionUnknown);
        EXPECT_TRUE(messages.Saw(message_id::kNotSoundingFile));
        EXPECT_EQ(doc.header[1], "kept");
        EXPECT_TRUE(doc.pathName.empty());
        EXPECT_TRUE(doc.modified);
    }
}

TEST(OpenFromMenu, NamesTheDocumentFillsTitlesAndRemembersTheFolder) {
    TempFolder temp;
    const auto file = temp.Write("data/a.sdw", kSmallFile);
    temp.Write("FileV.ndx", "/old/folder\r\nsecond line\r\n");
    SoundingDocument doc;
    doc.modified = true;
    rave::RecordingMessageSink messages;
    EXPECT_EQ(OpenSoundingFromMenu(doc, messages, file, temp.path()), kVersionCurrent);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.pathName, file.string());
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(doc.header[1], "件名");
    EXPECT_EQ(doc.RowCount(), 1);
    EXPECT_EQ(doc.header[92], "スウェーデン式サウンディング試験");
    EXPECT_EQ(doc.header[93], "スウェーデン式サウンディング試験");
    EXPECT_EQ(TempFolder::Read(LastFolderFilePath(temp.path())),
              (temp.path() / "data").string() + "\r\nsecond line\r\n");
    const LastFolderFile remembered = ReadLastFolderFile(temp.path());
    EXPECT_EQ(remembered.folder, (temp.path() / "data").string());
    EXPECT_EQ(remembered.secondLine, "second line");
}

TEST(OpenFromMenu, CreatesTheLastFolderFileOnTheFirstOpen) {
    TempFolder temp;
    const auto file = temp.Write("a.sdw", kSmallFile);
    EXPECT_EQ(ReadLastFolderFile(temp.path()).folder, "");
    SoundingDocument doc;
    rave::RecordingMessageSink messages;
    OpenSoundingFromMenu(doc, messages, file, temp.path());
    EXPECT_EQ(TempFolder::Read(LastFolderFilePath(temp.path())), temp.path().string() + "\r\n\r\n");
}

TEST(OpenThroughFramework, ReadsTheFileButLeavesTheLastFolderAlone) {
    TempFolder temp;
    const auto file = temp.Write("a.sdw", kSmallFile);
    SoundingDocument doc;
    rave::RecordingMessageSink messages;
    EXPECT_EQ(OpenSoundingThroughFramework(doc, messages, file), kVersionCurrent);
    EXPECT_EQ(doc.header[1], "件名");
    EXPECT_EQ(doc.pathName, file.string());
    EXPECT_FALSE(std::filesystem::exists(LastFolderFilePath(temp.path())));
    // No install folder given (the command line): nothing is remembered either.
    OpenSoundingFromMenu(doc, messages, file, std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(LastFolderFilePath(temp.path())));
}

TEST(DefaultTitles, OnlyTitlesOfAtMostOneByteAreReplaced) {
    SoundingDocument doc;
    doc.header[92] = "x";
    doc.header[93] = "様";  // one character, two bytes: a real title
    ApplyDefaultTitles(doc);
    EXPECT_EQ(doc.header[92], "スウェーデン式サウンディング試験");
    EXPECT_EQ(doc.header[93], "様");
}

TEST(Save, AsksForANameUnlessTheDocumentsFileIsAnSdwFile) {
    TempFolder temp;
    rave::RecordingMessageSink messages;
    SoundingDocument fresh;
    EXPECT_EQ(SaveSounding(fresh, messages), SaveResult::kNeedsSaveAs);

    const std::string oldBytes = rave::JoinCrLf({"$Z40", "件名", "$A", "1.00", "4", "0.25"});
    const auto ddf = temp.Write("s123.ddf", oldBytes);
    SoundingDocument old;
    ASSERT_EQ(OpenSoundingFromMenu(old, messages, ddf, std::nullopt), kVersionOld);
    EXPECT_FALSE(CanSaveInPlace(old));
    EXPECT_EQ(SaveSounding(old, messages), SaveResult::kNeedsSaveAs);
    EXPECT_EQ(TempFolder::Read(ddf), oldBytes);  // never written over

    SoundingDocument upper;
    upper.pathName = (temp.path() / "A.SDW").string();
    EXPECT_TRUE(CanSaveInPlace(upper));
    EXPECT_EQ(SaveSounding(upper, messages), SaveResult::kSaved);
    EXPECT_TRUE(std::filesystem::exists(temp.path() / "A.SDW"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(Save, WritesInPlaceAndClearsTheModifiedFlag) {
    TempFolder temp;
    const auto file = temp.Write("a.sdw", kSmallFile);
    SoundingDocument doc;
    rave::RecordingMessageSink messages;
    ASSERT_EQ(OpenSoundingFromMenu(doc, messages, file, std::nullopt), kVersionCurrent);
    doc.Row(2)[field::kDepth] = "0.50";
    doc.modified = true;
    EXPECT_EQ(SaveSounding(doc, messages), SaveResult::kSaved);
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(TempFolder::Read(file), WriteSoundingFile(doc));
    EXPECT_EQ(doc.header[32], "0.50");
    // The replacement leaves no temporary file behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(temp.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(SaveAs, TargetNameRules) {
    EXPECT_EQ(SaveAsTargetPath("/d/a."), std::filesystem::path("/d/a.sdw"));
    EXPECT_EQ(SaveAsTargetPath("/d/a"), std::filesystem::path("/d/a.sdw"));
    EXPECT_EQ(SaveAsTargetPath("/d.e/a"),
              std::filesystem::path("/d.e/a.sdw"));  // a point in a folder is no extension
    EXPECT_EQ(SaveAsTargetPath("/d/a.SDW"), std::filesystem::path("/d/a.SDW"));
    EXPECT_EQ(SaveAsTargetPath("/d/a.txt"), std::filesystem::path("/d/a.txt"));
    EXPECT_EQ(SaveAsTargetPath("/d/a.sdw."), std::filesystem::path("/d/a.sdw"));
}

TEST(SaveAs, RefusesAnotherExtensionWithoutWriting) {
    TempFolder temp;
    SoundingDocument doc;
    doc.pathName = "before.sdw";
    rave::RecordingMessageSink messages;
    EXPECT_EQ(SaveSoundingAs(doc, messages, temp.path() / "a.txt"), SaveResult::kWrongExtension);
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text, "拡張子を sdw(SDW)にして下さい");
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "a.txt"));
    EXPECT_EQ(doc.pathName, "before.sdw");
}

TEST(SaveAs, AddsTheExtensionAndNamesTheDocument) {
    TempFolder temp;
    SoundingDocument doc;
    doc.header[1] = "件名";
    doc.modified = true;
    rave::RecordingMessageSink messages;
    EXPECT_EQ(SaveSoundingAs(doc, messages, temp.path() / "b."), SaveResult::kSaved);
    const auto written = temp.path() / "b.sdw";
    EXPECT_EQ(doc.pathName, written.string());
    EXPECT_FALSE(doc.modified);
    SoundingDocument copy;
    EXPECT_EQ(OpenSoundingFromMenu(copy, messages, written, std::nullopt), kVersionCurrent);
    EXPECT_EQ(copy.header[1], "件名");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SaveAs, AFailedSaveKeepsTheOldFileTheNameAndTheDocument) {
    TempFolder temp;
    const auto file = temp.Write("keep.sdw", "previous bytes\r\n");
    SoundingDocument doc;
    doc.pathName = "elsewhere.sdw";
    doc.header[32] = "9.99";
    doc.Row(1)[field::kDepth] = "0.25";
    doc.modified = true;
    rave::RecordingMessageSink messages;
    {
        ReadOnlyFolder readOnly(temp.path());
        EXPECT_EQ(SaveSoundingAs(doc, messages, file), SaveResult::kFailed);
    }
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].id, message_id::kCannotSave);
    EXPECT_EQ(messages.shown[0].text, "保存できませんでした\n( %1 )");
    // The file and the system's reason are named.
    EXPECT_NE(messages.shown[0].argument.find(file.string() + ": "), std::string::npos)
        << messages.shown[0].argument;
    EXPECT_EQ(TempFolder::Read(file), "previous bytes\r\n");
    EXPECT_EQ(doc.pathName, "elsewhere.sdw");
    EXPECT_EQ(doc.header[32], "9.99");
    EXPECT_TRUE(doc.modified);
}

TEST(SaveAs, AFolderInTheWayIsAFailureNotACrash) {
    TempFolder temp;
    std::filesystem::create_directories(temp.path() / "dir.sdw");
    SoundingDocument doc;
    rave::RecordingMessageSink messages;
    EXPECT_EQ(SaveSoundingAs(doc, messages, temp.path() / "dir.sdw"), SaveResult::kFailed);
    EXPECT_EQ(SaveSoundingAs(doc, messages, temp.path() / "missing" / "a.sdw"), SaveResult::kFailed);
    EXPECT_EQ(messages.shown.size(), 2U);
    EXPECT_TRUE(doc.pathName.empty());
}

TEST(OpenFromMenu, TheWindowHearsOfRowsLeftOutAndOfARowWithoutDepth) {
    TempFolder temp;
    std::string rows = "$$_SWJVERAN304\r\n$$A\r\n1.00,4,0.25\r\n1.00,4,\r\n";  // row 2 has no depth
    for (int i = 3; i <= 1400; ++i) {
        rows += "1.00,4,9\r\n";
    }
    SoundingDocument doc;
    rave::RecordingMessageSink messages;
    ASSERT_EQ(OpenSoundingFromMenu(doc, messages, temp.Write("a.sdw", rows), std::nullopt), kVersionCurrent);
    ASSERT_EQ(messages.shown.size(), 2U);
    EXPECT_NE(messages.shown[0].text.find(" 50 行"), std::string::npos);  // rows 1351..1400
    EXPECT_EQ(messages.shown[1].id, 903);  // the row editor's "no or insufficient data"
    EXPECT_NE(messages.shown[1].text.find("2 行目に深度がありません"), std::string::npos);
}

}  // namespace
}  // namespace ravelog
