// Finding the install folder through the pointer files, and translating its Windows path.
#include <gtest/gtest.h>

#include "common/install_folder.h"
#include "common/path_text.h"
#include "temp_folder.h"

namespace rave {
namespace {

using testing::TempFolder;

// Drive C is the folder "c" of a temporary folder, drive D the folder "d"; other drives are unknown.
class InstallFolderSearch : public ::testing::Test {
protected:
    InstallFolderSearch() {
        std::filesystem::create_directories(c());
        std::filesystem::create_directories(d());
        drives.windowsDrive = 'C';
        drives.currentDrive = 'D';
        drives.folderOf = [this](char letter) -> std::optional<std::filesystem::path> {
            if (letter == 'C') {
                return c();
            }
            if (letter == 'D') {
                return d();
            }
            return std::nullopt;
        };
    }
    std::filesystem::path c() const { return root.path() / "c"; }
    std::filesystem::path d() const { return root.path() / "d"; }

    TempFolder root;
    DriveMap drives;
};

TEST_F(InstallFolderSearch, NoPointerFileGivesTheDefaultFolderOnTheWindowsDrive) {
    EXPECT_EQ(FindInstallFolderText(drives, kRavelogPointerFile), "C:\\Kelvard\\Sver5");
    EXPECT_EQ(FindInstallFolder(drives, kRavelogPointerFile), c() / "Kelvard" / "Sver5");
}

TEST_F(InstallFolderSearch, PointerFileOnTheWindowsDriveNamesTheFolder) {
    root.Write("c/Kelvard/Vuzor5.whr", "D:\\work\\Sver5\r\nsecond line\r\n");
    EXPECT_EQ(FindInstallFolderText(drives, kRavelogPointerFile), "D:\\work\\Sver5");
    EXPECT_EQ(FindInstallFolder(drives, kRavelogPointerFile), d() / "work" / "Sver5");
}

TEST_F(InstallFolderSearch, TheFirstCharacterIsTheDriveWhateverTheSecond) {
    root.Write("c/Kelvard/Vuzor5.whr", "c;\\Rave\n");
    EXPECT_EQ(FindInstallFolderText(drives, kRavelogPointerFile), "c:\\Rave");
    EXPECT_EQ(FindInstallFolder(drives, kRavelogPointerFile), c() / "Rave");
}

TEST_F(InstallFolderSearch, ShortTextFallsBackToTheCurrentDrive) {
    root.Write("d/Kelvard/Vuzor5.whr", "D:\\site\r\n");
    for (const char* text : {"", "X", "C:", "C:\r\n", "\r\n"}) {
        root.Write("c/Kelvard/Vuzor5.whr", text);
        EXPECT_EQ(FindInstallFolderText(drives, kRavelogPointerFile), "D:\\site") << text;
    }
    std::filesystem::remove(c() / "Kelvard" / "Vuzor5.whr");
    EXPECT_EQ(FindInstallFolderText(drives, kRavelogPointerFile), "D:\\site");
}

TEST_F(InstallFolderSearch, NothingUsableOnEitherDriveGivesTheDefault) {
    root.Write("c/Kelvard/Vuzor5.whr", "C");
    root.Write("d/Kelvard/Vuzor5.whr", "D:");
    EXPECT_EQ(FindInstallFolderText(drives, kRavelogPointerFile), "C:\\Kelvard\\Sver5");
}

TEST_F(InstallFolderSearch, PathOfOneCharacterGivesTheDefaultWithoutTryingTheCurrentDrive) {
    root.Write("c/Kelvard/Vuzor5.whr", "D:\\\r\n");
    root.Write("d/Kelvard/Vuzor5.whr", "D:\\site\r\n");
    EXPECT_EQ(FindInstallFolderText(drives, kRavelogPointerFile), "C:\\Kelvard\\Sver5");
}

TEST_F(InstallFolderSearch, OnlyTheFirst80BytesOfTheLineCount) {
    const std::string longPath = "C:\\" + std::string(100, 'a');
    root.Write("c/Kelvard/Vuzor5.whr", longPath + "\r\n");
    const std::string text = FindInstallFolderText(drives, kRavelogPointerFile);
    EXPECT_LE(text.size(), 80u);
    EXPECT_EQ(text.substr(0, 4), "C:\\a");
}

TEST_F(InstallFolderSearch, UnknownDriveFallsBackToTheDefaultFolder) {
    root.Write("c/Kelvard/Vuzor5.whr", "E:\\Data\\Sver5\r\n");
    EXPECT_EQ(FindInstallFolderText(drives, kRavelogPointerFile), "E:\\Data\\Sver5");
    EXPECT_EQ(FindInstallFolder(drives, kRavelogPointerFile), c() / "Kelvard" / "Sver5");
}

TEST_F(InstallFolderSearch, RavesectReadsItsOwnPointerFile) {
    root.Write("c/Kelvard/Vuzor5.whr", "C:\\ravelog\r\n");
    root.Write("c/Kelvard/Vivad5.whr", "C:\\ravesect\r\n");
    EXPECT_EQ(FindInstallFolder(drives, kRavesectPointerFile), c() / "ravesect");
    EXPECT_EQ(FindInstallFolder(drives, kRavelogPointerFile), c() / "ravelog");
}

TEST_F(InstallFolderSearch, TranslatesSeparatorsButNotTheSecondByteOfAKanji) {
    // "表" is 0x95 0x5C in cp932: its second byte is a backslash.
    const std::string hyou = "\x95\x5c";
    EXPECT_EQ(WindowsPathToNative("C:\\" + hyou + "\\Sver5", drives), c() / PathFromCp932(hyou) / "Sver5");
    EXPECT_EQ(WindowsPathToNative("D:/a//b\\", drives), d() / "a" / "b");
    EXPECT_EQ(WindowsPathToNative("C:\\a\\.\\b\\..\\x", drives), c() / "a" / "x");
    EXPECT_EQ(WindowsPathToNative("C:", drives), c());
    // Never above the drive's folder.
    EXPECT_EQ(WindowsPathToNative("C:\\..\\..\\etc", drives), c() / "etc");
    EXPECT_EQ(WindowsPathToNative("D:\\a\\..\\..\\b", drives), d() / "b");
    EXPECT_FALSE(WindowsPathToNative("E:\\x", drives));
    EXPECT_FALSE(WindowsPathToNative("\\Kelvard", drives));
}

TEST_F(InstallFolderSearch, NamesAreConvertedToNativeNames) {
    drives.nativeName = [](std::string_view name) { return "[" + std::string(name) + "]"; };
    root.Write("c/[Kelvard]/[Vuzor5.whr]", "C:\\x\\y\r\n");
    EXPECT_EQ(FindInstallFolder(drives, kRavelogPointerFile), c() / "[x]" / "[y]");
}

}  // namespace
}  // namespace rave
