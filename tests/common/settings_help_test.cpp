// The help list: the shipped help text, line cuts, the missing file and a full list.
#include <gtest/gtest.h>

#include "common/settings_files.h"
#include "common/settings_help.h"
#include "temp_folder.h"

namespace rave {
namespace {

using testing::TempFolder;

TEST(HelpLines, ListsEveryLineOfTheShippedHelpText) {
    RecordingMessageSink messages;
    const auto lines =
        LoadHelpLines(std::filesystem::path(RAVE_SOURCE_DIR) / "data" / kHelpFileName, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_GT(lines.size(), 10u);
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 140u);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    }
}

TEST(HelpLines, LongLinesAreCutWithoutInventingLines) {
    TempFolder folder;
    // 139 bytes and then "表" (two bytes) across the limit.
    const auto path = folder.Write("Help.txt", std::string(139, 'h') + "表示\r\nsecond\r\n\r\nlast");
    RecordingMessageSink messages;
    const auto lines = LoadHelpLines(path, messages);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::string(139, 'h'));
    EXPECT_EQ(lines[1], "second");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "last");
}

TEST(HelpLines, MissingFileIsReportedWithItsPath) {
    TempFolder folder;
    RecordingMessageSink messages;
    const auto path = folder.path() / "Help.txt";
    EXPECT_TRUE(LoadHelpLines(path, messages).empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].id, kFileNotFoundMessage);
    EXPECT_EQ(messages.shown[0].argument, path.string());
}

TEST(HelpLines, AFullListStopsWithTheMessage) {
    TempFolder folder;
    const auto path = folder.Write("Help.txt", "1\r\n2\r\n3\r\n4\r\n");
    RecordingMessageSink messages;
    EXPECT_EQ(LoadHelpLines(path, messages, 4).size(), 4u);
    EXPECT_TRUE(messages.shown.empty());
    const auto lines = LoadHelpLines(path, messages, 3);
    EXPECT_EQ(lines, (std::vector<std::string>{"1", "2", "3"}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "これ以上データを扱えません");
}

}  // namespace
}  // namespace rave
