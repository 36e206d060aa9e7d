// The install folder on this machine: drive mapping, the --install-folder override and the first
// start that fills a new install folder from the data folder. Every test works in a temporary
// folder standing for the home folder; the real ~/Kelvard is never touched.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <chrono>

#include "common/path_text.h"
#include "platform/codec.h"
#include "platform/install_folder.h"
#include "temp_folder.h"

namespace rave::platform {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

class FirstStart : public ::testing::Test {
protected:
    FirstStart() {
        fs::create_directories(home());
        fs::create_directories(work());
        request.drives = DriveFolders{home(), work()};
        request.dataFolder = root.path() / "data";
    }
    fs::path home() const { return root.path() / "home"; }
    fs::path work() const { return root.path() / "work"; }

    std::vector<std::string> Entries(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            names.push_back(fs::relative(entry.path(), folder).generic_string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // What was said, for a failure's report.
    std::string Said() const {
        std::string said;
        for (const Message& m : messages.shown) {
            said += Cp932ToUtf8(m.text) + " " + m.argument + "\n";
        }
        return said;
    }

    TempFolder root;
    InstallFolderRequest request;
    RecordingMessageSink messages;
};

TEST_F(FirstStart, DefaultFolderIsKelvardSver5InTheHomeFolderFilledFromData) {
    root.Write("data/Help.txt", "help\r\n");
    root.Write("data/Jbptn/J/1.bmp", std::string("BM\0\x01", 4));
    fs::create_directories(root.path() / "data" / "Cbptn" / "C");

    const auto folder = PrepareInstallFolder(request, messages);
    ASSERT_TRUE(folder) << Said();
    EXPECT_EQ(*folder, home() / "Kelvard" / "Sver5");
    EXPECT_EQ(Entries(*folder), (std::vector<std::string>{"Cbptn", "Cbptn/C", "Help.txt", "Jbptn", "Jbptn/J",
                                                          "Jbptn/J/1.bmp"}));
    EXPECT_EQ(TempFolder::Read(*folder / "Jbptn" / "J" / "1.bmp"), std::string("BM\0\x01", 4));
    // Nothing of the temporary copy is left beside it.
    EXPECT_EQ(Entries(home() / "Kelvard"),
              (std::vector<std::string>{"Sver5", "Sver5/Cbptn", "Sver5/Cbptn/C", "Sver5/Help.txt",
                                        "Sver5/Jbptn", "Sver5/Jbptn/J", "Sver5/Jbptn/J/1.bmp"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FirstStart, ExistingFolderIsUsedAsItIs) {
    root.Write("data/Help.txt", "help\r\n");
    root.Write("home/Kelvard/Sver5/Sys.ndx", "500\r\n");
    const auto folder = PrepareInstallFolder(request, messages);
    ASSERT_TRUE(folder) << Said();
    EXPECT_EQ(Entries(*folder), std::vector<std::string>{"Sys.ndx"});
}

TEST_F(FirstStart, MissingOrEmptyDataFolderGivesAnEmptyFolder) {
    request.overrideFolder = root.path() / "a";
    ASSERT_TRUE(PrepareInstallFolder(request, messages)) << Said();
    EXPECT_TRUE(fs::is_directory(root.path() / "a"));
    EXPECT_TRUE(fs::is_empty(root.path() / "a"));

    fs::create_directories(request.dataFolder);
    request.overrideFolder = root.path() / "b";
    ASSERT_TRUE(PrepareInstallFolder(request, messages)) << Said();
    EXPECT_TRUE(fs::is_empty(root.path() / "b"));

    request.dataFolder.clear();
    request.overrideFolder = root.path() / "c";
    ASSERT_TRUE(PrepareInstallFolder(request, messages)) << Said();
    EXPECT_TRUE(fs::is_directory(root.path() / "c"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FirstStart, OverrideIsTakenRelativeToTheCurrentDirectoryAndCreated) {
    root.Write("data/M.mst", "tester\r\n");
    const fs::path previous = fs::current_path();
    fs::current_path(work());
    request.overrideFolder = "mine/rave/";
    const auto folder = PrepareInstallFolder(request, messages);
    fs::current_path(previous);
    ASSERT_TRUE(folder) << Said();
    EXPECT_EQ(*folder, work() / "mine" / "rave");
    EXPECT_EQ(TempFolder::Read(*folder / "M.mst"), "tester\r\n");
}

TEST_F(FirstStart, AFileInThePlaceOfTheFolderIsReported) {
    const fs::path file = root.Write("taken", "x");
    request.overrideFolder = file;
    EXPECT_FALSE(PrepareInstallFolder(request, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].argument, file.string());
    EXPECT_EQ(Cp932ToUtf8(messages.shown[0].text), "インストールフォルダを作成できませんでした\n( %1 )");
    EXPECT_EQ(TempFolder::Read(file), "x");
}

TEST_F(FirstStart, PointerFileInTheHomeFolderNamesTheFolder) {
    // "C:\作業\Sver5" in cp932: the home folder's drive, a Japanese folder name.
    root.Write("home/Kelvard/Vuzor5.whr", *Utf8ToCp932("C:\\作業\\Sver5\r\n"));
    const auto folder = PrepareInstallFolder(request, messages);
    ASSERT_TRUE(folder) << Said();
    EXPECT_EQ(*folder, home() / PathFromUtf8("作業") / "Sver5");
    EXPECT_TRUE(fs::is_directory(home() / PathFromUtf8("作業") / "Sver5"));
}

TEST_F(FirstStart, PointerFileInTheCurrentDirectoryNamesAFolderThere) {
    root.Write("work/Kelvard/Vivad5.whr", "D:\\section\r\n");
    request.pointer = kRavesectPointerFile;
    const auto folder = PrepareInstallFolder(request, messages);
    ASSERT_TRUE(folder) << Said();
    EXPECT_EQ(*folder, work() / "section");
}

TEST_F(FirstStart, NewFolderHoldsEveryFileOfTheShippedDataFolderByteForByte) {
    const fs::path data = FindDataFolder();
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(fs::exists(data / "WdtvxJG.mst"));
    request.dataFolder = data;
    request.overrideFolder = root.path() / "fresh";
    const auto folder = PrepareInstallFolder(request, messages);
    ASSERT_TRUE(folder) << Said();

    const std::vector<std::string> shipped = Entries(data);
    EXPECT_EQ(Entries(*folder), shipped);
    int files = 0;
    bool hasSubfolderFile = false;
    for (const std::string& name : shipped) {
        if (fs::is_regular_file(data / name)) {
            ++files;
            hasSubfolderFile = hasSubfolderFile || name.find('/') != std::string::npos;
            EXPECT_EQ(TempFolder::Read(*folder / name), TempFolder::Read(data / name)) << name;
        }
    }
    EXPECT_GT(files, 5);
    EXPECT_TRUE(hasSubfolderFile);  // the pattern bitmaps live in subfolders
}

#ifndef _WIN32  // the failing copy is made with a named pipe
TEST_F(FirstStart, AFailedCopyLeavesNoHalfFilledFolder) {
    root.Write("data/Help.txt", "help\r\n");
    root.Write("data/Jbptn/1.bmp", "BM");
    // A named pipe cannot be copied as a file, so the copy fails part way.
    ASSERT_EQ(::mkfifo((root.path() / "data" / "Jbptn" / "pipe").c_str(), 0600), 0);
    std::string error;
    const fs::path folder = root.path() / "install" / "Sver5";
    EXPECT_FALSE(CreateInstallFolder(folder, request.dataFolder, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(fs::is_empty(root.path() / "install"));  // nor the temporary copy beside it

    request.overrideFolder = folder;
    EXPECT_FALSE(PrepareInstallFolder(request, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].argument, folder.string());
    EXPECT_FALSE(fs::exists(folder));
}
#endif

TEST_F(FirstStart, TheCopyLeftByAnInterruptedFirstStartIsRemoved) {
#ifdef _WIN32
    GTEST_SKIP() << "libstdc++ on Windows cannot set a folder's time, which makes a copy old";
#endif
    root.Write("data/K.mst", "k\r\n");
    const auto yesterday = fs::file_time_type::clock::now() - std::chrono::hours(24);
    for (const char* name : {".Sver5.new123", ".Sver5.newer", ".Other.new5"}) {
        const fs::path copy = home() / "Kelvard" / name;
        root.Write(copy / "file.txt", "half");
        fs::last_write_time(copy, yesterday);
    }
    // One being filled right now by the first start of the other program.
    root.Write("home/Kelvard/.Sver5.new456/file.txt", "busy");
    const auto folder = PrepareInstallFolder(request, messages);
    ASSERT_TRUE(folder) << Said();
    EXPECT_EQ(Entries(home() / "Kelvard"),
              (std::vector<std::string>{".Other.new5", ".Other.new5/file.txt", ".Sver5.new456",
                                        ".Sver5.new456/file.txt", ".Sver5.newer", ".Sver5.newer/file.txt",
                                        "Sver5", "Sver5/K.mst"}));
}

TEST_F(FirstStart, CreatesTheParentFoldersOfADeepFolder) {
    root.Write("data/K.mst", "k\r\n");
    std::string error;
    const fs::path folder = root.path() / "a" / "b" / "c";
    ASSERT_TRUE(CreateInstallFolder(folder, request.dataFolder, error)) << error;
    EXPECT_EQ(TempFolder::Read(folder / "K.mst"), "k\r\n");
    EXPECT_EQ(Entries(root.path() / "a"), (std::vector<std::string>{"b", "b/c", "b/c/K.mst"}));
}

TEST_F(FirstStart, PointerFileNamingAnUnknownDriveGivesTheDefaultFolder) {
    root.Write("home/Kelvard/Vuzor5.whr", "E:\\Rave\\Sver5\r\n");
    const auto folder = PrepareInstallFolder(request, messages);
    ASSERT_TRUE(folder) << Said();
    EXPECT_EQ(*folder, home() / "Kelvard" / "Sver5");
}

TEST(DriveMap, SystemDriveIsHomeAndCurrentDriveIsTheWorkingDirectory) {
    const DriveMap drives = MakeDriveMap(DriveFolders{"/home/u", "/srv/w"});
    EXPECT_EQ(WindowsPathToNative("C:\\Kelvard\\Sver5", drives), fs::path("/home/u/Kelvard/Sver5"));
    EXPECT_EQ(WindowsPathToNative("d:\\x", drives), fs::path("/srv/w/x"));
    EXPECT_FALSE(WindowsPathToNative("E:\\x", drives));
}

TEST(DriveMap, CurrentDriveFoldersAreTheProcessHomeAndWorkingDirectory) {
    const DriveFolders folders = CurrentDriveFolders();
    EXPECT_EQ(folders.currentDir, fs::current_path());
    EXPECT_FALSE(folders.home.empty());
}

}  // namespace
}  // namespace rave::platform
