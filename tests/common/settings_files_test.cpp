// Ravelog's general settings file: reading, the rules for empty lines, the missing file, saving.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/settings_files.h"
#include "common/text_file.h"
#include "temp_folder.h"

namespace rave {
namespace {

using testing::TempFolder;

// A settings file of `count` lines: line n holds `text(n)`.
template <typename F>
std::string SettingsBytes(int count, F text) {
    std::vector<std::string> lines;
    for (int n = 0; n < count; ++n) {
        lines.push_back(text(n));
    }
    return JoinCrLf(lines);
}

std::size_t CountCrLf(const std::string& bytes) {
    std::size_t count = 0;
    for (std::size_t i = bytes.find("\r\n"); i != std::string::npos; i = bytes.find("\r\n", i + 2)) {
        ++count;
    }
    return count;
}

TEST(SettingsDefaults, FollowTheTableForAMissingFile) {
    const RavelogSettings s = RavelogSettings::Defaults();
    EXPECT_EQ(s.Line(0), "500");
    const std::pair<int, const char*> expected[] = {
        {1, "0"},     {5, "0"},   {6, "1"},     {9, "1"},  {10, ""},   {11, "5"}, {12, "5"},     {13, "4"},
        {14, "4"},    {18, "0"},  {19, "2"},    {20, "0"}, {21, "0"},  {22, "2"}, {24, "0.067"}, {27, "3"},
        {29, "0.05"}, {32, "45"}, {34, "0.75"}, {36, "0"}, {37, ""},   {41, "2"}, {42, "1"},     {43, "0"},
        {50, "1"},    {51, "5"},  {52, "2"},    {53, "0"}, {59, "0"},  {61, "0"}, {64, "0"},     {65, ""},
        {71, ""},     {83, ""},   {86, ""},     {90, "0"}, {91, "30"}, {92, ""},  {94, "0.6"},   {98, "10"},
        {99, "8"},    {100, "1"}, {101, ""},    {110, ""}};
    for (const auto& [line, text] : expected) {
        EXPECT_EQ(s.Line(line), text) << "line " << line;
    }
    EXPECT_EQ(s.Line(68), "株式会社");
    EXPECT_FALSE(s.Line(69).empty());
}

TEST(LoadSettings, StoresEachLineUnderItsNumber) {
    TempFolder folder;
    const auto path =
        folder.Write("Sys.ndx", SettingsBytes(111, [](int n) { return "v" + std::to_string(n); }));
    RecordingMessageSink messages;
    const RavelogSettings s = LoadSettings(path, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(s.Line(0), "v0");
    EXPECT_EQ(s.Line(47), "v47");
    EXPECT_EQ(s.Line(110), "v110");
}

TEST(LoadSettings, EmptyLinesWithOtherMeaningsThanZero) {
    TempFolder folder;
    const auto path = folder.Write("Sys.ndx", SettingsBytes(111, [](int n) -> std::string {
                                       return n == 18 || n == 19 || n == 100 || n == 5 ? "" : "3";
                                   }));
    RecordingMessageSink messages;
    const RavelogSettings s = LoadSettings(path, messages);
    EXPECT_EQ(s.Line(sysline::kDepthStoreFormat), "0");
    EXPECT_EQ(s.Int(sysline::kDecimalsDepth), 2);
    EXPECT_EQ(s.Int(sysline::kEnterKey), 1);
    // Other empty lines stay empty (and read as 0).
    EXPECT_EQ(s.Line(5), "");
}

TEST(LoadSettings, ShortFileLeavesTheRestEmptyWithTheEmptyLineRules) {
    TempFolder folder;
    const auto path = folder.Write("Sys.ndx", "500\r\n1\r\n");
    RecordingMessageSink messages;
    const RavelogSettings s = LoadSettings(path, messages);
    EXPECT_EQ(s.Line(1), "1");
    EXPECT_EQ(s.Line(11), "");
    EXPECT_EQ(s.Int(sysline::kDecimalsDepth), 2);
    EXPECT_EQ(s.Int(sysline::kEnterKey), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(LoadSettings, OverlongLineIsCutWithoutShiftingTheLinesAfterIt) {
    TempFolder folder;
    const auto path = folder.Write("Sys.ndx", SettingsBytes(111, [](int n) {
                                       return n == 10 ? std::string(300, 'x') : std::to_string(n);
                                   }));
    RecordingMessageSink messages;
    const RavelogSettings s = LoadSettings(path, messages);
    EXPECT_LE(s.Line(10).size(), 160u);
    EXPECT_EQ(s.Line(11), "11");
    EXPECT_EQ(s.Line(110), "110");
}

TEST(LoadSettings, MissingFileGivesDefaultsTheMessageAndANewFile) {
    TempFolder folder;
    const auto path = folder.path() / "Sys.ndx";
    RecordingMessageSink messages;
    const RavelogSettings s = LoadSettings(path, messages);
    EXPECT_EQ(s.Line(0), "500");
    EXPECT_EQ(s.Int(sysline::kLeftMargin), 5);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].id, kFileNotFoundMessage);
    EXPECT_EQ(messages.shown[0].text, "ファイルが見つかりません\n( %1 )");
    EXPECT_EQ(messages.shown[0].argument, path.string());

    // The new file holds the defaults, with the bitmap folders still empty so that they follow
    // the install folder; the next start is silent.
    const std::string written = TempFolder::Read(path);
    EXPECT_EQ(CountCrLf(written), 111u);
    RecordingMessageSink again;
    const RavelogSettings reread = LoadSettings(path, again);
    EXPECT_TRUE(again.shown.empty());
    for (int n = 0; n < RavelogSettings::kLines; ++n) {
        EXPECT_EQ(reread.Line(n), s.Line(n)) << "line " << n;
    }
    const auto raw = ReadSettingsFile(path);
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->Line(sysline::kSimpleBitmapFolder), "");
}

TEST(LoadSettings, UnreadableFileIsReportedButNeverOverwritten) {
    TempFolder folder;
    const auto path = folder.path() / "Sys.ndx";
    std::filesystem::create_directory(path);  // something that exists but cannot be read as a file
    RecordingMessageSink messages;
    const RavelogSettings s = LoadSettings(path, messages);
    EXPECT_EQ(s.Line(0), "500");
    EXPECT_TRUE(messages.Saw(kFileNotFoundMessage));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(LoadSettings, FillsBitmapFoldersHoldingAtMostOneCharacter) {
    TempFolder folder;
    const auto path = folder.Write("Sys.ndx", SettingsBytes(111, [](int n) -> std::string {
                                       return n == 65 ? "\\" : n == 66 ? "" : "0";
                                   }));
    RecordingMessageSink messages;
    RavelogSettings s = LoadSettings(path, messages);
    EXPECT_EQ(s.Line(65), (folder.path() / "Cbptn").string());
    EXPECT_EQ(s.Line(66), (folder.path() / "Jbptn").string());

    s.Line(65) = "/data/own/Cbptn";
    FillEmptyPathSettings(s, "/elsewhere");
    EXPECT_EQ(s.Line(65), "/data/own/Cbptn");
}

TEST(SaveSettings, RewritesAll111LinesIncludingEmptyOnes) {
    TempFolder folder;
    const auto path = folder.path() / "Sys.ndx";
    RavelogSettings s = RavelogSettings::Defaults();
    s.Line(10) = "スクリューウエイト貫入試験換算結果";
    s.Line(65) = "/a/Cbptn";
    s.Line(66) = "/a/Jbptn";
    s.Line(110) = "last";
    ASSERT_TRUE(SaveSettings(path, s));

    const std::string bytes = TempFolder::Read(path);
    EXPECT_EQ(CountCrLf(bytes), 111u);
    EXPECT_EQ(bytes.substr(0, 5), "500\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "last\r\n");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 111);  // every line ends in CR LF

    RecordingMessageSink messages;
    const RavelogSettings back = LoadSettings(path, messages);
    for (int n = 0; n < RavelogSettings::kLines; ++n) {
        EXPECT_EQ(back.Line(n), s.Line(n)) << "line " << n;
    }
}

TEST(SaveSettings, AValueWithALineBreakCannotShiftTheLinesAfterIt) {
    TempFolder folder;
    const auto path = folder.path() / "Sys.ndx";
    RavelogSettings s = RavelogSettings::Defaults();
    s.Line(10) = "title\r\n999";
    ASSERT_TRUE(SaveSettings(path, s));
    const auto back = ReadSettingsFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Line(10), "title");
    EXPECT_EQ(back->Line(11), "5");
    EXPECT_EQ(CountCrLf(TempFolder::Read(path)), 111u);
}

TEST(SaveSettings, ReportsAFileThatCannotBeWritten) {
    TempFolder folder;
    EXPECT_FALSE(SaveSettings(folder.path() / "missing-folder" / "Sys.ndx", RavelogSettings::Defaults()));
}

}  // namespace
}  // namespace rave
