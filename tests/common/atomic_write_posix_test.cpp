// Whole-file writes: a failed write (full disk, missing folder, a device as target) leaves the
// earlier files exactly as they were and no temporary file behind; a group of files is written
// all or none; links are written through and permissions kept; stale temporaries are removed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/text_file.h"
#include "full_disk.h"
#include "temp_folder.h"

namespace rave {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

int FileCount(const fs::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST(AtomicWrite, FailedWritesKeepTheOldFileAndLeaveNoTemporary) {
    TempFolder temp;
    const fs::path file = temp.Write("a.sdw", "old\r\n");
    {
        testing::FullDisk full(1000);  // no file may grow beyond 1000 bytes
        const std::string error = WriteFilesAtomically({{file, std::string(5000, 'x')}});
        EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    }
    EXPECT_EQ(TempFolder::Read(file), "old\r\n");
    EXPECT_EQ(FileCount(temp.path()), 1);

    EXPECT_FALSE(WriteFileAtomically(temp.path(), "x"));  // a folder
    EXPECT_FALSE(WriteFileAtomically(temp.path() / "missing" / "b.sdw", "x"));
    EXPECT_FALSE(WriteFileAtomically("/dev/full", "x"));  // a device is never replaced
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(FileCount(temp.path()), 1);
}

TEST(AtomicWrite, AGroupIsWrittenAllOrNone) {
    TempFolder temp;
    const fs::path first = temp.Write("p-1.png", "old 1");
    const fs::path second = temp.path() / "p-2.png";
    {
        testing::FullDisk full(100);
        EXPECT_NE(WriteFilesAtomically({{first, "new 1"}, {second, std::string(500, 'x')}}), "");
    }
    EXPECT_EQ(TempFolder::Read(first), "old 1");
    EXPECT_FALSE(fs::exists(second));
    EXPECT_EQ(FileCount(temp.path()), 1);

    EXPECT_EQ(WriteFilesAtomically({{first, "new 1"}, {second, "new 2"}}), "");
    EXPECT_EQ(TempFolder::Read(first), "new 1");
    EXPECT_EQ(TempFolder::Read(second), "new 2");
}

TEST(AtomicWrite, LinksAreWrittenThroughAndPermissionsKept) {
    TempFolder temp;
    const fs::path target = temp.Write("data/real.sdw", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = temp.path() / "link.sdw";
    fs::create_symlink("data/real.sdw", link);

    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TempFolder::Read(target), "new");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(AtomicWrite, StaleTemporariesOfTheSameNameAreRemoved) {
    TempFolder temp;
    const fs::path stale = temp.Write(".a.sdw.tmp123456", "left by a killed save");
    const fs::path fresh = temp.Write(".a.sdw.tmp654321", "a save running now");
    const fs::path other = temp.Write(".b.sdw.tmp111111", "another file's");
    const fs::path lookalike = temp.Write(".a.sdw.tmpx", "not ours");
    const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const fs::path& file : {stale, other, lookalike}) {
        fs::last_write_time(file, hourAgo);
    }

    ASSERT_TRUE(WriteFileAtomically(temp.path() / "a.sdw", "saved"));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_TRUE(fs::exists(lookalike));
}

}  // namespace
}  // namespace rave
