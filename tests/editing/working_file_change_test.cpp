// Undo steps of the section's files: the changed stretch of a file swapped back and forth on
// disk, and a file changed or unwritable meanwhile left as it is.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "full_disk.h"
#include "ravesect/editing/working_file_change.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

void Put(const fs::path& file, const WorkingFileSnapshot& state) {
    ASSERT_TRUE(RestoreSnapshot(file, state));
}

struct FileCase {
    const char* name;
    WorkingFileSnapshot before;
    WorkingFileSnapshot after;
};

TEST(WorkingFileChange, SwapsTheFileBetweenItsTwoStates) {
    const std::string points = "$$Z PO\r\n1.00,2.00,1\r\n-9999.90,-9999.90,2\r\n$$Z SO\r\n";
    const FileCase cases[] = {
        {"one line changed",
         {true, points},
         {true, "$$Z PO\r\n1.00,2.50,1\r\n-9999.90,-9999.90,2\r\n$$Z SO\r\n"}},
        {"line added", {true, points}, {true, points + "1,0x0000ff,3,0,1,2,\r\n"}},
        {"created", {false, ""}, {true, points}},
        {"removed", {true, points}, {false, ""}},
        {"emptied", {true, points}, {true, ""}},
        {"empty file removed", {true, ""}, {false, ""}},
    };
    TempFolder temp;
    const fs::path file = temp.path() / "SmpP.tmp";
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        Put(file, c.after);
        std::optional<WorkingFileChange> change = ChangeBetween(file, c.before, c.after);
        ASSERT_TRUE(change);
        EXPECT_LT(change->HeldBytes(), 400u);
        for (const WorkingFileSnapshot* expected : {&c.before, &c.after, &c.before}) {
            ASSERT_EQ(SwapIntoFile(*change), SwapResult::kSwapped);
            EXPECT_EQ(TakeSnapshot(file), *expected);
        }
    }
    EXPECT_FALSE(ChangeBetween(file, {true, points}, {true, points}));
    EXPECT_FALSE(ChangeBetween(file, {false, ""}, {false, ""}));
}

TEST(WorkingFileChange, LeavesAFileChangedElsewhereOrUnwritable) {
    TempFolder temp;
    const fs::path file = temp.Write("Tmp0.tmp", "100,100,5,-10,1,-2,20,0,5.00,20,0,,0\r\n");
    std::optional<WorkingFileChange> change =
        ChangeBetween(file, {true, "200,100,5,-10,1,-2,20,0,5.00,20,0,,0\r\n"}, TakeSnapshot(file));
    ASSERT_TRUE(change);

    temp.Write("Tmp0.tmp", "500,100,5,-10,1,-2,20,0,5.00,20,0,,0\r\n");
    EXPECT_EQ(SwapIntoFile(*change), SwapResult::kChangedElsewhere);
    EXPECT_EQ(TempFolder::Read(file), "500,100,5,-10,1,-2,20,0,5.00,20,0,,0\r\n");
    fs::remove(file);
    EXPECT_EQ(SwapIntoFile(*change), SwapResult::kChangedElsewhere);
    EXPECT_FALSE(fs::exists(file));

    temp.Write("Tmp0.tmp", "100,100,5,-10,1,-2,20,0,5.00,20,0,,0\r\n");
    {
        rave::testing::FullDisk full(8);
        EXPECT_EQ(SwapIntoFile(*change), SwapResult::kCannotWrite);
    }
    EXPECT_EQ(TempFolder::Read(file), "100,100,5,-10,1,-2,20,0,5.00,20,0,,0\r\n");
    // The failed swap kept the change as it was: it still goes into the file as it is.
    EXPECT_EQ(SwapIntoFile(*change), SwapResult::kSwapped);
    EXPECT_EQ(TempFolder::Read(file), "200,100,5,-10,1,-2,20,0,5.00,20,0,,0\r\n");
}

}  // namespace
}  // namespace ravesect
