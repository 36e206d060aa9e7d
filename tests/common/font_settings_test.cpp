// Ravelog's font files: repairs of what is read, the missing files, saving all five.
#include <gtest/gtest.h>

#include "common/native_file.h"
#include "common/font_settings.h"
#include "common/settings_files.h"
#include "temp_folder.h"

namespace rave {
namespace {

using testing::TempFolder;

TEST(LoadFont, SizeOutsideOneToTwoHundredBecomesTheDefault) {
    TempFolder folder;
    RecordingMessageSink messages;
    folder.Write("Font1.ndx", "250\r\nＭＳ ゴシック\r\n255\r\n3\r\n");
    folder.Write("Font2.ndx", "250\r\nＭＳ ゴシック\r\n255\r\n3\r\n");
    EXPECT_DOUBLE_EQ(LoadFont(1, folder.path(), messages).size, 11.0);
    EXPECT_DOUBLE_EQ(LoadFont(2, folder.path(), messages).size, 9.0);

    const std::pair<const char*, double> cases[] = {{"1\r\n", 9.0},     {"1.1\r\n", 1.1},  {"200\r\n", 200.0},
                                                    {"200.1\r\n", 9.0}, {"-5\r\n", 9.0},   {"abc\r\n", 9.0},
                                                    {"10.5\r\n", 10.5}, {"1e999\r\n", 9.0}};
    for (const auto& [line, size] : cases) {
        folder.Write("Font3.ndx", line);
        EXPECT_DOUBLE_EQ(LoadFont(3, folder.path(), messages).size, size) << line;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(LoadFont, ReadsFaceColourAndDialogNumber) {
    TempFolder folder;
    RecordingMessageSink messages;
    folder.Write("Font4.ndx", "10.0\r\nＭＳ ゴシック\r\n8388608\r\n-2\r\n");
    const FontSlot font = LoadFont(4, folder.path(), messages);
    EXPECT_DOUBLE_EQ(font.size, 10.0);
    EXPECT_EQ(font.face, "ＭＳ ゴシック");
    EXPECT_EQ(font.colour, 0x800000);
    EXPECT_EQ(font.extra, -2);
}

TEST(LoadFont, EmptyOrMissingFaceBecomesMinchoFace) {
    TempFolder folder;
    RecordingMessageSink messages;
    folder.Write("Font2.ndx", "12.0\r\n\r\n255\r\n0\r\n");
    folder.Write("Font5.ndx", "12.0\r\n");  // the file ends after the size
    EXPECT_EQ(LoadFont(2, folder.path(), messages).face, "ＭＳ 明朝");
    const FontSlot shortFile = LoadFont(5, folder.path(), messages);
    EXPECT_EQ(shortFile.face, "ＭＳ 明朝");
    EXPECT_DOUBLE_EQ(shortFile.size, 12.0);
    EXPECT_EQ(shortFile.colour, 0);
}

TEST(LoadFont, MissingFontOneIsReportedAndCreatedWithTheDefaults) {
    TempFolder folder;
    RecordingMessageSink messages;
    const FontSlot font = LoadFont(1, folder.path(), messages);
    EXPECT_DOUBLE_EQ(font.size, 11.0);
    EXPECT_EQ(font.face, "ＭＳ 明朝");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].id, kFileNotFoundMessage);
    EXPECT_EQ(messages.shown[0].argument, (folder.path() / "Font1.ndx").string());
    EXPECT_EQ(TempFolder::Read(folder.path() / "Font1.ndx"), "11.0\r\nＭＳ 明朝\r\n0\r\n0\r\n");
}

TEST(LoadFont, MissingOtherFontsGiveDefaultsSilently) {
    TempFolder folder;
    RecordingMessageSink messages;
    for (int n = 2; n <= 5; ++n) {
        const FontSlot font = LoadFont(n, folder.path(), messages);
        EXPECT_DOUBLE_EQ(font.size, 9.0);
        EXPECT_EQ(font.face, "ＭＳ 明朝");
        EXPECT_FALSE(std::filesystem::exists(folder.path() / RavelogFontFileName(n)));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(LoadFont, LinesLongerThanEightyBytesAreCut) {
    TempFolder folder;
    RecordingMessageSink messages;
    folder.Write("Font2.ndx", "9.0\r\n" + std::string(120, 'F') + "\r\n255\r\n1\r\n");
    const FontSlot font = LoadFont(2, folder.path(), messages);
    EXPECT_LE(font.face.size(), 80u);
    EXPECT_EQ(font.colour, 255);  // the rest of the long line did not become the colour line
}

TEST(SaveFonts, WritesAllFiveFilesInTheFileLayout) {
    TempFolder folder;
    RavelogFonts fonts;
    for (int n = 1; n <= kRavelogFontCount; ++n) {
        fonts[n - 1] = DefaultRavelogFont(n);
    }
    fonts[2].size = 10.25;
    fonts[2].face = "ＭＳ ゴシック";
    fonts[2].colour = 0x0000ff;
    fonts[2].extra = 7;
    ASSERT_TRUE(SaveFonts(folder.path(), fonts));
    EXPECT_EQ(TempFolder::Read(folder.path() / "Font1.ndx"), "11.0\r\nＭＳ 明朝\r\n0\r\n0\r\n");
    EXPECT_EQ(TempFolder::Read(folder.path() / "Font3.ndx"), "10.2\r\nＭＳ ゴシック\r\n255\r\n7\r\n");

    RecordingMessageSink messages;
    const RavelogFonts back = LoadFonts(folder.path(), messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_DOUBLE_EQ(back[4].size, 9.0);
    EXPECT_EQ(back[2].face, "ＭＳ ゴシック");
    EXPECT_EQ(back[2].colour, 255);
}

TEST(SaveFonts, AFaceWithALineBreakCannotShiftTheColourLine) {
    TempFolder folder;
    RavelogFonts fonts;
    for (int n = 1; n <= kRavelogFontCount; ++n) {
        fonts[n - 1] = DefaultRavelogFont(n);
    }
    fonts[1].face = "ＭＳ ゴシック\r\n12345";
    fonts[1].colour = 128;
    fonts[3].face = "Face\nX";
    ASSERT_TRUE(SaveFonts(folder.path(), fonts));
    EXPECT_EQ(TempFolder::Read(folder.path() / "Font2.ndx"), "9.0\r\nＭＳ ゴシック\r\n128\r\n0\r\n");
    EXPECT_EQ(TempFolder::Read(folder.path() / "Font4.ndx"), "9.0\r\nFace\r\n0\r\n0\r\n");
}

TEST(SaveFonts, AFailedWriteLeavesThePreviousFileAsItWas) {
    TempFolder folder;
    // The disk is full when the new file is written.
    const auto path = folder.Write("Font2.ndx", "12.0\r\nold\r\n0\r\n0\r\n");
    FailNextFileCreations(1);
    EXPECT_FALSE(WriteFontFile(path, DefaultRavelogFont(2)));
    EXPECT_EQ(TempFolder::Read(path), "12.0\r\nold\r\n0\r\n0\r\n");
}

TEST(SaveFonts, WritesSizesWithOneDecimal) {
    TempFolder folder;
    const std::pair<double, const char*> cases[] = {
        {9.0, "9.0"}, {10.5, "10.5"}, {72.04, "72.0"}, {199.96, "200.0"}};
    for (const auto& [size, text] : cases) {
        FontSlot font = DefaultRavelogFont(3);
        font.size = size;
        ASSERT_TRUE(WriteFontFile(folder.path() / "Font3.ndx", font));
        const std::string bytes = TempFolder::Read(folder.path() / "Font3.ndx");
        EXPECT_EQ(bytes.substr(0, bytes.find('\r')), text) << size;
    }
}

TEST(ReadRavelogFonts, RepairsLikeLoadFontsButWritesAndSaysNothing) {
    TempFolder folder;
    folder.Write("Font2.ndx", "0.5\r\n\r\n255\r\n1\r\n");
    const RavelogFonts fonts = ReadRavelogFonts(folder.path());
    EXPECT_DOUBLE_EQ(fonts[0].size, 11.0);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Font1.ndx"));
    EXPECT_DOUBLE_EQ(fonts[1].size, 9.0);
    EXPECT_EQ(fonts[1].face, "ＭＳ 明朝");
    EXPECT_EQ(fonts[1].colour, 255);
    EXPECT_EQ(fonts[4].face, "ＭＳ 明朝");
}

TEST(SaveFonts, ReportsFailure) {
    TempFolder folder;
    RavelogFonts fonts;
    EXPECT_FALSE(SaveFonts(folder.path() / "missing", fonts));
}

}  // namespace
}  // namespace rave
