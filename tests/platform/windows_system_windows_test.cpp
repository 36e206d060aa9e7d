// What the programs ask of Windows itself: its drives for the pointer files, the identity of a
// file under two names, Unicode file names, and the help text's editor.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "apps/cli_system.h"
#include "common/path_text.h"
#include "common/text_file.h"
#include "platform/install_folder.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(WindowsDrives, ThePointerFilesAreLookedForOnTheWindowsDirectorysDrive) {
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 2u);
    const rave::DriveMap drives = rave::platform::SystemDriveMap({});
    EXPECT_EQ(drives.windowsDrive, static_cast<char>(std::towupper(windows[0])));
    const auto folder = drives.folderOf(drives.windowsDrive);
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->wstring(), std::wstring{windows[0]} + L":\\");
    // A drive letter the system does not have names no folder.
    char missing = 0;
    for (char letter = 'Z'; letter > 'C'; --letter) {
        if ((GetLogicalDrives() & (1u << (letter - 'A'))) == 0) {
            missing = letter;
            break;
        }
    }
    if (missing != 0) {
        EXPECT_FALSE(drives.folderOf(missing));
    }
    // "C:\Kelvard\現場" in cp932 becomes the Unicode name of that folder.
    const auto native = rave::WindowsPathToNative("C:\\Kelvard\\\x8C\xBB\x8F\xEA", drives);
    ASSERT_TRUE(native);
    EXPECT_EQ(native->wstring(), L"C:\\Kelvard\\\u73FE\u5834");
}

TEST(WindowsFiles, NamesWithCharactersNoCodePageHoldsAreWrittenAndReadAsThemselves) {
    rave::testing::TempFolder temp;
    // "測点−2〜A😀.sdw": the minus sign and the wave dash cp932 writes as look-alikes, and an emoji.
    const fs::path file = temp.path() / rave::PathFromUtf8(
                                            "\xE6\xB8\xAC\xE7\x82\xB9\xE2\x88\x92"
                                            "2"
                                            "\xE3\x80\x9C"
                                            "A\xF0\x9F\x98\x80.sdw");
    ASSERT_TRUE(rave::WriteFileAtomically(file, "bytes"));
    EXPECT_EQ(rave::ReadFileBytes(file), "bytes");
    EXPECT_EQ(file.filename().wstring(),
              L"\u6E2C\u70B9\u2212"
              L"2\u301C"
              L"A\U0001F600.sdw");
    // The look-alike the ANSI code page would pick is another file, which stays absent.
    EXPECT_FALSE(fs::exists(temp.path() / rave::PathFromUtf8("\xE6\xB8\xAC\xE7\x82\xB9\xEF\xBC\x8D"
                                                             "2"
                                                             "\xEF\xBD\x9E"
                                                             "A.sdw")));
}

TEST(WindowsFiles, TwoNamesOfOneFileHaveOneIdentity) {
    rave::testing::TempFolder temp;
    const fs::path file = temp.Write("Sounding.sdw", "x");
    const fs::path other = temp.Write("other.sdw", "x");
    const auto a = rave::cli::FileIdentity(file);
    const auto b = rave::cli::FileIdentity(temp.path() / "SOUNDING.SDW");  // names are not case-sensitive
    ASSERT_TRUE(a);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, rave::cli::FileIdentity(other));
    EXPECT_FALSE(rave::cli::FileIdentity(temp.path() / "missing.sdw"));
}

// Registered before the program's handler, so called after it; "handled" keeps the test running.
HANDLE g_interrupted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
BOOL WINAPI NoteInterrupt(DWORD) {
    return SetEvent(g_interrupted);
}

TEST(WindowsConsole, CtrlCGivesTheConsoleItsCodePageBack) {
    if (GetConsoleWindow() == nullptr) {
        GTEST_SKIP() << "no console (wine gives one only to a program started on a terminal)";
    }
    const UINT users = GetConsoleOutputCP() == CP_UTF8 ? 932 : GetConsoleOutputCP();
    ASSERT_TRUE(SetConsoleOutputCP(users) && SetConsoleCtrlHandler(NoteInterrupt, TRUE));
    rave::cli::PrepareStandardStreams();  // UTF-8 for the run
    ASSERT_TRUE(SetConsoleCtrlHandler(nullptr, FALSE) && GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
    EXPECT_EQ(WaitForSingleObject(g_interrupted, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(GetConsoleOutputCP(), users);
}

}  // namespace
