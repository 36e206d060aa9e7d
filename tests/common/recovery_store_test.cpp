// Recovery copies: the record text, which copies a start offers and which it clears away, and a
// recovery folder that holds what this program did not put there.
#include "common/recovery_store.h"

#include <gtest/gtest.h>

#include <set>

#include "temp_folder.h"

namespace rave {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// Processes 100 and 200 run; every other id is gone.
const ProcessRunning kRunning = [](const ProcessIdentity& process) {
    return process.pid == 100 || process.pid == 200;
};

RecoveryRecord Record(long pid, std::int64_t saved, std::string program = "Ravelog") {
    RecoveryRecord record;
    record.program = std::move(program);
    record.process = ProcessIdentity{pid, "4711"};
    record.originalPath = "/home/user/work/a.sdw";
    record.savedTime = saved;
    return record;
}

TEST(RecoveryRecord, ReadsBackWhatWasWritten) {
    RecoveryRecord record = Record(1234, 1700000000);
    record.originalPath = "/tmp/odd\\name\nwith line.sdw";  // a backslash and a line end in a name
    record.originalStamp = FileStamp{512, 1699999999123456789};
    record.modified = true;
    const std::optional<RecoveryRecord> read = ParseRecoveryRecord(FormatRecoveryRecord(record));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->program, "Ravelog");
    EXPECT_EQ(read->process, (ProcessIdentity{1234, "4711"}));
    EXPECT_EQ(read->originalPath, record.originalPath);
    EXPECT_EQ(read->savedTime, 1700000000);
    EXPECT_EQ(read->originalStamp, record.originalStamp);
    EXPECT_TRUE(read->modified);
}

TEST(RecoveryRecord, RefusesTextThatIsNoRecord) {
    for (const char* text :
         {"", "$$_QSVERAN700\r\n", "RaveRecovery 1\nprogram=Ravelog\n", "RaveRecovery 1\npid=12\n",
          "RaveRecovery 1\nprogram=Ravelog\npid=0\n", "RaveRecovery 1\nprogram=Ravelog\npid=12x\n"}) {
        EXPECT_FALSE(ParseRecoveryRecord(text)) << text;
    }
}

TEST(RecoveryCopies, WriteListAndRemove) {
    TempFolder temp;
    const fs::path folder = temp.path() / "recovery";
    ASSERT_EQ(WriteRecoveryCopy(folder, Record(300, 10), ".sdw", "older"), "");
    ASSERT_EQ(WriteRecoveryCopy(folder, Record(301, 20), ".sdw", "newer"), "");
    ASSERT_EQ(WriteRecoveryCopy(folder, Record(100, 30), ".sdw", "still running"), "");
    ASSERT_EQ(WriteRecoveryCopy(folder, Record(302, 40, "Ravesect"), ".sqw", "other program"), "");
    EXPECT_EQ(TempFolder::Read(folder / "Ravelog-301.sdw"), "newer");

    const std::vector<OfferedRecovery> left = ListLeftRecoveries(folder, "Ravelog", ".sdw", kRunning);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].record.process.pid, 301);  // newest first
    EXPECT_EQ(left[0].copy, folder / "Ravelog-301.sdw");
    EXPECT_EQ(left[1].record.process.pid, 300);

    RemoveRecoveryCopy(folder, left[0].record, ".sdw");
    EXPECT_FALSE(fs::exists(folder / "Ravelog-301.sdw"));
    EXPECT_FALSE(fs::exists(folder / "Ravelog-301.rec"));
    EXPECT_EQ(ListLeftRecoveries(folder, "Ravelog", ".sdw", kRunning).size(), 1u);
    EXPECT_TRUE(fs::exists(folder / "Ravelog-100.sdw"));  // the running one's copy stays
    EXPECT_TRUE(fs::exists(folder / "Ravesect-302.sqw"));
}

TEST(RecoveryCopies, ClearsAwayWhatCannotBeOffered) {
    TempFolder temp;
    const fs::path folder = temp.path();
    ASSERT_EQ(WriteRecoveryCopy(folder, Record(300, 10), ".sdw", "whole"), "");
    temp.Write("Ravelog-301.rec", FormatRecoveryRecord(Record(301, 20)));  // its copy never came
    temp.Write("Ravelog-302.rec", "torn");                                 // not a record
    temp.Write("Ravelog-303.rec", FormatRecoveryRecord(Record(999, 20)));  // under another run's name
    temp.Write("Ravelog-304.sdw", "copy whose record was never written");
    temp.Write("Ravelog-200.sdw", "copy of a running process, record on its way");
    temp.Write("notes.txt", "not ours");

    const std::vector<OfferedRecovery> left = ListLeftRecoveries(folder, "Ravelog", ".sdw", kRunning);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].record.process.pid, 300);
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names,
              (std::set<std::string>{"Ravelog-300.rec", "Ravelog-300.sdw", "Ravelog-200.sdw", "notes.txt"}));
}

TEST(RecoveryCopies, TrustNothingPlantedInTheFolder) {
    TempFolder temp;
    const fs::path folder = temp.path() / "recovery";
    const fs::path victim = temp.Write("victim.txt", "keep");
    const RecoveryFiles files = RecoveryFilesFor(folder, Record(300, 1), ".sdw");
    fs::create_directories(folder);
    // Links under the names of the coming copy and record are replaced, never written through.
    // (Where the system makes no links, as wine, a planted file stands in for them.)
    std::error_code noLinks;
    fs::create_symlink(victim, files.copy, noLinks);
    if (noLinks) {
        temp.Write(files.copy.lexically_relative(temp.path()), "planted");
        temp.Write(files.record.lexically_relative(temp.path()), "planted");
    } else {
        fs::create_symlink(victim, files.record);
    }
    EXPECT_EQ(WriteRecoveryCopy(folder, Record(300, 1), ".sdw", "document"), "");
    EXPECT_EQ(TempFolder::Read(files.copy), "document");
    // At the start, links and files larger than ours are dropped unread; the real copy is offered.
    ASSERT_EQ(WriteRecoveryCopy(folder, Record(302, 2), ".sdw", "document"), "");
    fs::resize_file(RecoveryFilesFor(folder, Record(302, 2), ".sdw").copy, kMaxRecoveryCopyBytes + 1);
    fs::resize_file(temp.Write("recovery/Ravelog-303.rec", FormatRecoveryRecord(Record(303, 3))), 1u << 20);
    std::vector<std::string> gone = {"Ravelog-302.sdw", "Ravelog-302.rec", "Ravelog-303.rec"};
    if (!noLinks) {
        fs::create_symlink(victim, folder / "Ravelog-304.rec");
        gone.push_back("Ravelog-304.rec");
    }
    const std::vector<OfferedRecovery> offered = ListLeftRecoveries(folder, "Ravelog", ".sdw", kRunning);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].record.process.pid, 300);
    for (const std::string& name : gone) {
        EXPECT_FALSE(fs::exists(fs::symlink_status(folder / name))) << name;
    }
    EXPECT_EQ(TempFolder::Read(victim), "keep");
}

TEST(AutosaveSetting, KeepsTheRangeAndDefault) {
    const std::pair<std::optional<int>, int> cases[] = {{std::nullopt, 60}, {0, 0},     {1, 1},
                                                        {3600, 3600},       {3601, 60}, {-5, 60}};
    for (const auto& [stored, expected] : cases) {
        EXPECT_EQ(AutosaveSecondsFromSetting(stored), expected) << stored.value_or(-999);
    }
}

}  // namespace
}  // namespace rave
