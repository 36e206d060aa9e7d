// Ravelog's general settings file: reading, the rules for empty lines, the missing file, saving.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "common/native_file.h"
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

// Every line of a new settings file, as the program's table of defaults gives it. A wrong
// default silently changes every sheet, so all 111 lines are checked, the empty ones included.
TEST(SettingsDefaults, EveryLineFollowsTheTableForAMissingFile) {
    std::array<std::string, RavelogSettings::kLines> expected{};  // unlisted lines stay empty
    expected[0] = "500";
    for (int n : {1, 2, 3, 4, 5, 15, 16, 17, 18, 20, 36, 61, 62, 63, 64, 90}) {
        expected[n] = "0";
    }
    for (int n : {6, 7, 8, 9}) {
        expected[n] = "1";  // decimals of L, N, qu, qa
    }
    expected[11] = "5";
    expected[12] = "5";
    expected[13] = "4";
    expected[14] = "4";
    expected[19] = "2";                                             // depth decimals
    const char* coefficients[15] = {"0", "2",  "1", "0.067", "1",   // N value, sandy soil
                                    "0", "3",  "1", "0.05",  "1",   // N value, clayey soil
                                    "0", "45", "1", "0.75",  "1"};  // qu
    for (int i = 0; i < 15; ++i) {
        expected[21 + i] = coefficients[i];
    }
    for (int n = 41; n <= 59; ++n) {
        expected[n] = "0";
    }
    expected[41] = "2";
    expected[42] = "1";
    expected[50] = "1";
    expected[51] = "5";
    expected[52] = "2";
    expected[68] = "株式会社";
    const char* further[9] = {"30", "", "1", "0.6", "1", "8", "8", "10", "8"};
    for (int i = 0; i < 9; ++i) {
        expected[91 + i] = further[i];
    }
    expected[100] = "1";

    const RavelogSettings s = RavelogSettings::Defaults();
    for (int n = 0; n < RavelogSettings::kLines; ++n) {
        if (n == 69) {
            continue;  // the contact address: any text that looks like an address
        }
        EXPECT_EQ(s.Line(n), expected[static_cast<std::size_t>(n)]) << "line " << n;
    }
    EXPECT_NE(s.Line(69).find('@'), std::string::npos);
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

TEST(LoadSettings, LinesBeyond110AreIgnored) {
    TempFolder folder;
    const auto path =
        folder.Write("Sys.ndx", SettingsBytes(130, [](int n) { return "v" + std::to_string(n); }));
    RecordingMessageSink messages;
    const RavelogSettings s = LoadSettings(path, messages);
    EXPECT_EQ(s.Line(110), "v110");
    // Saving writes the 111 known lines only.
    ASSERT_TRUE(SaveSettings(path, s));
    EXPECT_EQ(CountCrLf(TempFolder::Read(path)), 111u);
}

TEST(LoadSettings, AcceptsLinesEndedByLfAlone) {
    TempFolder folder;
    const auto path = folder.Write("Sys.ndx", "500\n1\n1\n\n\n2\n");
    const auto s = ReadSettingsFile(path);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Line(1), "1");
    EXPECT_EQ(s->Line(2), "1");
    EXPECT_EQ(s->Line(3), "");
    EXPECT_EQ(s->Line(5), "2");
}

TEST(LoadSettings, OverlongLineNeverSplitsADoubleByteCharacter) {
    TempFolder folder;
    // 159 single bytes, then "試" (two bytes) crossing the 160-byte limit.
    const std::string line = std::string(159, 'a') + "試験";
    const auto path = folder.Write("Sys.ndx", "500\r\n" + line + "\r\n1\r\n");
    const auto s = ReadSettingsFile(path);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Line(1), std::string(159, 'a'));
    EXPECT_EQ(s->Line(2), "1");
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

TEST(SaveSettings, LineZeroIsAlways500) {
    TempFolder folder;
    const auto path = folder.Write("Sys.ndx", "\r\n1\r\n");
    RecordingMessageSink messages;
    const RavelogSettings s = LoadSettings(path, messages);
    EXPECT_EQ(s.Line(0), "");
    ASSERT_TRUE(SaveSettings(path, s));
    EXPECT_EQ(TempFolder::Read(path).substr(0, 8), "500\r\n1\r\n");
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

TEST(SaveSettings, AFailedSaveLeavesThePreviousFileAsItWas) {
    TempFolder folder;
    // The disk is full when the new file is written, after the previous file was already there.
    const auto path = folder.Write("Sys.ndx", "500\r\nprevious\r\n");
    RavelogSettings s = RavelogSettings::Defaults();
    FailNextFileCreations(1);
    EXPECT_FALSE(SaveSettings(path, s));
    EXPECT_EQ(TempFolder::Read(path), "500\r\nprevious\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left behind
}

TEST(SaveSettings, ALoneLineFeedOrCarriageReturnCutsTheValueToo) {
    TempFolder folder;
    const auto path = folder.path() / "Sys.ndx";
    RavelogSettings s = RavelogSettings::Defaults();
    s.Line(86) = "first\nsecond";
    s.Line(87) = "one\rtwo";
    ASSERT_TRUE(SaveSettings(path, s));
    const auto back = ReadSettingsFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Line(86), "first");
    EXPECT_EQ(back->Line(87), "one");
    EXPECT_EQ(back->Line(90), "0");
    EXPECT_EQ(back->Line(91), "30");
    const std::string bytes = TempFolder::Read(path);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 111);
}

TEST(ReadSettingsOrDefaults, GivesWhatLoadSettingsGivesButWritesNothing) {
    TempFolder folder;
    const auto path = folder.path() / "Sys.ndx";
    const RavelogSettings s = ReadSettingsOrDefaults(path);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(s.Line(19), "2");
    EXPECT_EQ(s.Line(65), (folder.path() / "Cbptn").string());

    folder.Write("Sys.ndx", "500\r\n1\r\n");
    const RavelogSettings read = ReadSettingsOrDefaults(path);
    EXPECT_EQ(read.Line(1), "1");
    EXPECT_EQ(read.Line(100), "1");
    EXPECT_EQ(read.Line(66), (folder.path() / "Jbptn").string());
}

TEST(SaveSettings, ReportsAFileThatCannotBeWritten) {
    TempFolder folder;
    EXPECT_FALSE(SaveSettings(folder.path() / "missing-folder" / "Sys.ndx", RavelogSettings::Defaults()));
}

}  // namespace
}  // namespace rave
