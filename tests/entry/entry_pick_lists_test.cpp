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
