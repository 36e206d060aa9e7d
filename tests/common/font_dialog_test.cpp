// The font dialog model: the size list, choosing fonts and colours, "標準例" and saving.
#include <gtest/gtest.h>

#include "common/settings_font_dialog.h"
#include "temp_folder.h"

namespace rave {
namespace {

using testing::TempFolder;

RavelogFonts DefaultFonts() {
    RavelogFonts fonts;
    for (int n = 1; n <= kRavelogFontCount; ++n) {
        fonts[static_cast<std::size_t>(n - 1)] = DefaultRavelogFont(n);
    }
    return fonts;
}

TEST(FontDialog, SizeListShowsPointsAndMillimetres) {
    EXPECT_EQ(FontSizeListEntry(9), "  9     (3.2)");
    EXPECT_EQ(FontSizeListEntry(11), " 11     (3.9)");
    EXPECT_EQ(FontSizeListEntry(72), " 72     (25.4)");
    for (int size : FontSizeChoices()) {
        EXPECT_GT(size, 1);
        EXPECT_LE(size, 200);
    }
    EXPECT_EQ(FontButtonLabel(1), "　タイトル");
    EXPECT_EQ(FontButtonLabel(5), "　ページ");
    EXPECT_EQ(FontUsage(5), "フッタ ページ部分");
    EXPECT_EQ(FontButtonLabel(6), "");
}

TEST(FontDialog, ChoosingAFontKeepsOnlyWhatTheFilesCanHold) {
    RecordingMessageSink messages;
    FontDialogModel model(DefaultFonts());
    EXPECT_TRUE(model.ChooseFont(3, 10.5, "ＭＳ ゴシック", messages));
    EXPECT_DOUBLE_EQ(model.Font(3).size, 10.5);
    EXPECT_EQ(model.Font(3).face, "ＭＳ ゴシック");
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_FALSE(model.ChooseFont(3, 250.0, "Face", messages));
    EXPECT_FALSE(model.ChooseFont(3, 1.0, "Face", messages));
    EXPECT_FALSE(model.ChooseFont(3, 12.0, "", messages));
    EXPECT_FALSE(model.ChooseFont(3, 12.0, "two\r\nlines", messages));
    EXPECT_EQ(messages.shown.size(), 4u);
    EXPECT_DOUBLE_EQ(model.Font(3).size, 10.5);
    EXPECT_EQ(model.Font(3).face, "ＭＳ ゴシック");
    EXPECT_FALSE(model.ChooseFont(0, 12.0, "Face", messages));
    EXPECT_FALSE(model.ChooseFont(6, 12.0, "Face", messages));

    model.ChooseColour(2, 0x1000080);
    EXPECT_EQ(model.Font(2).colour, 0x80);
}

TEST(FontDialog, StandardExampleRestoresEveryFont) {
    RecordingMessageSink messages;
    FontDialogModel model(DefaultFonts());
    model.ChooseFont(1, 20.0, "Other", messages);
    model.ChooseColour(4, 255);
    model.RestoreStandard();
    for (int n = 1; n <= kRavelogFontCount; ++n) {
        EXPECT_DOUBLE_EQ(model.Font(n).size, n == 1 ? 11.0 : 9.0);
        EXPECT_EQ(model.Font(n).face, "ＭＳ 明朝");
        EXPECT_EQ(model.Font(n).colour, 0);
    }
}

TEST(FontDialog, SaveWritesAllFiveFilesOrReportsTheFailure) {
    TempFolder folder;
    RecordingMessageSink messages;
    FontDialogModel model(DefaultFonts());
    model.ChooseFont(5, 8.0, "ＭＳ ゴシック", messages);
    ASSERT_TRUE(model.Save(folder.path(), messages));
    EXPECT_EQ(TempFolder::Read(folder.path() / "Font5.ndx"), "8.0\r\nＭＳ ゴシック\r\n0\r\n0\r\n");
    EXPECT_EQ(ReadRavelogFonts(folder.path())[4].face, "ＭＳ ゴシック");
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_FALSE(model.Save(folder.path() / "missing", messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].argument, (folder.path() / "missing").string());
}

}  // namespace
}  // namespace rave
