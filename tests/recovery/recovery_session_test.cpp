// The autosave session's timing and clean-up, the lock of an install folder's working files, the
// toolkit's Japanese buttons, the settings' new home, and pictures of the recovery question.
#include <gtest/gtest.h>

#include <QAction>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSysInfo>
#include <QTest>
#include <cstdlib>

#include "common/native_file.h"
#include "platform/desktop_start.h"
#include "platform/install_folder.h"
#include "platform/program_settings.h"
#include "platform/recovery.h"
#include "ravelog/app/main_frame.h"
#include "ravesect/app/ravesect_application.h"
#include "ravesect/app/section_frame.h"
#include "recovery_test_support.h"
#include "temp_folder.h"

namespace rave::recovery_test {
namespace {

namespace fs = std::filesystem;
using rave::platform::RecoverySession;
using rave::testing::TempFolder;

// A document the test changes by hand.
struct FakeDocument {
    bool modified = false;
    std::string path = "/nowhere/a.sdw";
    std::string bytes = "document";
    platform::RecoveryDocument Access() {
        return {[this] { return modified; }, [this] { return path; }, [this] { return bytes; }};
    }
};

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    for (int waited = 0; waited < milliseconds && !condition(); waited += 50) {
        QTest::qWait(50);
    }
    return condition();
}

TEST(RecoverySession, WritesAfterTheQuietPeriodAndRemovesOnSave) {
    TestApplication();
    TempFolder temp;
    FakeDocument document;
    RecoverySession session("Ravelog", ".sdw", temp.path());
    session.Attach(document.Access());
    const RecoveryFiles files = RecoveryFilesFor(temp.path(), session.OwnRecord(), ".sdw");

    document.modified = true;
    session.Follow();
    EXPECT_FALSE(fs::exists(files.copy));  // not at once: the quiet period runs first
    ASSERT_TRUE(WaitFor([&] { return fs::exists(files.record); }, 5000));
    EXPECT_EQ(TempFolder::Read(files.copy), "document");
    const std::optional<RecoveryRecord> record = ParseRecoveryRecord(TempFolder::Read(files.record));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->originalPath, "/nowhere/a.sdw");

    document.modified = false;  // saved
    session.Follow();
    EXPECT_TRUE(RecoveryFileNames(temp.path()).empty());
}

TEST(RecoverySession, WritesNothingWhenAutosaveIsOff) {
    TestApplication();
    TempFolder temp;
    FakeDocument document;
    RecoverySession session("Ravelog", ".sdw", temp.path());
    session.SetIntervalSeconds(0);
    session.Attach(document.Access());
    document.modified = true;
    session.Follow();
    QTest::qWait(2500);  // longer than the quiet period
    EXPECT_TRUE(RecoveryFileNames(temp.path()).empty());
    // Turned on with the work unsaved: the copy follows without another edit.
    session.SetIntervalSeconds(1);
    EXPECT_TRUE(WaitFor([&] { return !RecoveryFileNames(temp.path()).empty(); }, 3000));
}

TEST(RecoverySession, SaysOnceWhenAutosaveFailsAndOnceWhenItWorksAgain) {
    TestApplication();
    TempFolder temp;
    FakeDocument document;
    document.modified = true;
    RecoverySession session("Ravelog", ".sdw", temp.path());
    session.Attach(document.Access());
    QStringList said;
    session.reportStatus = [&said](const QString& text) { said.append(text); };
    for (const bool writable : {false, false, true, true}) {
        rave::FailNextFileCreations(writable ? 0 : 100);  // the recovery folder cannot be written
        EXPECT_EQ(session.WriteNow(), writable);
    }
    EXPECT_EQ(said, (QStringList{QStringLiteral("自動保存できません（復元用のフォルダに書き込めません）"),
                                 QStringLiteral("自動保存を再開しました")}));
}

TEST(RecoverySession, GoesWithItsRunWhenDestroyed) {
    TestApplication();
    TempFolder temp;
    FakeDocument document;
    document.modified = true;
    {
        RecoverySession session("Ravesect", ".sqw", temp.path());
        session.Attach(document.Access());
        ASSERT_TRUE(session.WriteNow());
        EXPECT_EQ(RecoveryFileNames(temp.path()).size(), 2u);
    }
    EXPECT_TRUE(RecoveryFileNames(temp.path()).empty());
}

TEST(RecoverySession, AsksBeforeSavingOverAnOriginalChangedSinceTheRestoredWork) {
    TestApplication();
    TempFolder temp;
    const fs::path original = temp.Write("a.sdw", "as saved");
    FakeDocument document;
    document.path = original.string();
    document.modified = true;
    RecoverySession session("Ravelog", ".sdw", temp.path() / "recovery");
    session.Attach(document.Access());
    int asked = 0;
    session.askOverwriteChanged = [&asked](const QString&) {
        ++asked;
        return true;
    };
    OfferedRecovery offered;
    offered.record.program = "Ravelog";
    offered.record.process = ProcessIdentity{DeadProcessId(), {}};
    offered.record.originalStamp = ReadFileStamp(original);
    session.Restored(offered);
    EXPECT_TRUE(session.MaySaveOver(original.string()));
    EXPECT_EQ(asked, 0);  // unchanged: no question
    WriteBytes(original, "changed by someone else");
    EXPECT_TRUE(session.MaySaveOver(original.string()));
    EXPECT_EQ(asked, 1);
}

// One Ravesect window on an install folder: a start of the program is a frame and its session.
// One Ravesect start on an install folder: its window and session.
struct SectStart {
    SectStart(const fs::path& install, const fs::path& recovery, RecordingMessageSink& messages)
        : frame(install, &messages),
          session("Ravesect", ".sqw", recovery),
          access(ravesect::app::TakeWorkingFiles(frame, session,
                                                 ravesect::app::WorkingFilesLockPath(install))) {}
    ravesect::app::SectionFrame frame;
    RecoverySession session;
    ravesect::app::WorkingFilesAccess access;
};

class WorkingFilesLock : public ::testing::Test {
protected:
    WorkingFilesLock() {
        TestApplication();
        ravesect::ResetCurrentSection();
        for (const char* name : {"x", "y", "z"}) {
            std::string error;
            platform::CreateInstallFolder(temp.path() / name, fs::path(RAVE_SOURCE_DIR) / "data", error);
        }
    }
    static long DeadPid() {
        QProcess gone;
        gone.start(QStringLiteral("true"));
        gone.waitForStarted();
        const long pid = static_cast<long>(gone.processId());
        gone.waitForFinished();
        return pid;
    }
    bool Owns(const char* folder) {
        return SectStart(temp.path() / folder, temp.path() / "recovery", messages).access ==
               ravesect::app::WorkingFilesAccess::kOwn;
    }
    std::unique_ptr<SectStart> Start(const char* folder) {
        return std::make_unique<SectStart>(temp.path() / folder, temp.path() / "recovery", messages);
    }
    TempFolder temp;
    RecordingMessageSink messages;
};

TEST_F(WorkingFilesLock, OneWindowEditsAFolderAndAnyOtherOnlyShowsIt) {
    namespace id = ravesect::app::command_id;
    // A crashed run's lock (its process is gone) goes to the first of two starts only.
    temp.Write("x/Ravesect.lck",
               std::to_string(DeadPid()) + "\nravesect\n" + QSysInfo::machineHostName().toStdString() + "\n");
    auto first = Start("x");
    EXPECT_EQ(first->access, ravesect::app::WorkingFilesAccess::kOwn);
    auto second = Start("x");
    for (int command : {platform::document_command::kSave, platform::document_command::kUndo, id::kPoints,
                        id::kScale, id::kFormat, id::kPatterns, id::kEnterKey, id::kSetup}) {
        EXPECT_FALSE(second->frame.Action(command)->isEnabled()) << command;
    }
    first.reset();  // lets go when it closes
    second.reset();
    EXPECT_TRUE(Owns("x"));
    // A lock that cannot be taken at all, or an earlier build's lock of a running copy: read-only.
    fs::create_directories(ravesect::app::WorkingFilesLockPath(temp.path() / "x") / "junk");
    QProcess running;
    running.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(running.waitForStarted());
    RecoveryRecord holder;
    holder.program = "Ravesect";
    holder.process = platform::ProcessIdentityOf(static_cast<long>(running.processId()));
    temp.Write("y/Ravesect.lck", FormatRecoveryRecord(holder));
    EXPECT_FALSE(Owns("x"));
    EXPECT_FALSE(Owns("y"));
    running.kill();
    running.waitForFinished();
    EXPECT_TRUE(Owns("y"));  // that copy is gone: its old lock is replaced
}

TEST_F(WorkingFilesLock, DiscardingACrashedRunsWorkStartsANewSection) {
    ASSERT_TRUE(Start("x")->frame.OpenThroughFramework(fs::path(RAVE_SOURCE_DIR) / "examples" / "section" /
                                                       "example-section.sqw"));
    // The run that opened it was killed with the work unsaved: its record stays beside the lock.
    RecoveryRecord killed;
    killed.program = "Ravesect";
    killed.process.pid = DeadPid();
    killed.modified = true;
    temp.Write("x/Ravesect.lck.rec", FormatRecoveryRecord(killed));
    auto next = Start("x");
    ASSERT_GT(next->frame.Document().LastUsedSlot(), 0);
    platform::OfferRecoveries(next->frame, next->session,
                              [](const OfferedRecovery&) { return platform::RecoveryChoice::kDiscard; });
    EXPECT_EQ(next->frame.Document().LastUsedSlot(), -1);
    EXPECT_TRUE(RecoveryFileNames(temp.path() / "recovery").empty());
}

TEST_F(WorkingFilesLock, MovesWithTheInstallFolder) {
    auto a = Start("x");
    auto b = Start("y");
    EXPECT_FALSE(a->frame.MoveInstallFolder(temp.path() / "y"));  // held: refused, said
    EXPECT_EQ(a->frame.InstallFolder(), temp.path() / "x");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(b->frame.MoveInstallFolder(temp.path() / "z"));
    EXPECT_TRUE(a->frame.MoveInstallFolder(temp.path() / "y"));
    EXPECT_TRUE(Owns("x"));
    EXPECT_FALSE(Owns("y"));
    EXPECT_FALSE(Owns("z"));
}

TEST(ProgramSettings, StandardButtonsSpeakJapanese) {
    QApplication& application = TestApplication();
    ASSERT_TRUE(platform::LoadToolkitTranslations(application)) << "qt6-translations-l10n is not installed";
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")));
    EXPECT_TRUE(box.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));
    EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("キャンセル")));
}

TEST(ProgramSettings, ReadsTheOldRecentFileListAndLeavesItInPlace) {
    TestApplication();
    const QString program = QStringLiteral("RecoveryTestProgram");
    const QString key = QStringLiteral("Recent File List/File1");
    QSettings old(platform::OldOrganisationName(), program);
    old.setValue(key, QStringLiteral("/work/a.sdw"));
    old.sync();
    EXPECT_TRUE(platform::CopyOldSettings(program));
    // An older build goes on with its own list; this one reads it after its own.
    old.setValue(key, QStringLiteral("/work/b.sdw"));
    old.sync();
    EXPECT_EQ(platform::ReadRecentFiles(program),
              (QStringList{QStringLiteral("/work/a.sdw"), QStringLiteral("/work/b.sdw")}));
    old.clear();
    QSettings(platform::OrganisationName(), program).clear();
}

TEST(ProgramSettings, RecentFilesLiveUnderTheProgramsOwnOrganisation) {
    TestApplication();
    rave::platform::WriteRecentFiles(QStringLiteral("Ravelog"), {QStringLiteral("/work/a.sdw")});
    rave::platform::WriteRecentFiles(QStringLiteral("Ravesect"), {QStringLiteral("/work/b.sqw")});
    const QString key = QStringLiteral("Recent File List/File1");
    EXPECT_EQ(QSettings(QStringLiteral("Kelvard"), QStringLiteral("Ravelog")).value(key).toString(),
              QStringLiteral("/work/a.sdw"));
    EXPECT_EQ(QSettings(QStringLiteral("Kelvard"), QStringLiteral("Ravesect")).value(key).toString(),
              QStringLiteral("/work/b.sqw"));
    rave::platform::WriteRecentFiles(QStringLiteral("Ravelog"), {});
    rave::platform::WriteRecentFiles(QStringLiteral("Ravesect"), {});
}

// Pictures of the question for the documentation: RAVE_DIALOG_SHOTS=FOLDER writes
// recovery-ravelog.png and recovery-ravesect.png there (skipped without it).
TEST(RecoveryQuestion, Pictures) {
    const char* folder = std::getenv("RAVE_DIALOG_SHOTS");
    if (folder == nullptr) {
        GTEST_SKIP() << "set RAVE_DIALOG_SHOTS to a folder to write the pictures";
    }
    QApplication& application = TestApplication();
    platform::LoadToolkitTranslations(application);
    const std::pair<const char*, const char*> programs[] = {
        {"recovery-ravelog.png", "スウェーデン Ravelog"}, {"recovery-ravesect.png", "スウェーデン断面図 V5"}};
    for (const auto& [file, caption] : programs) {
        OfferedRecovery offered;
        offered.record.originalPath = std::string(file).find("ravelog") != std::string::npos
                                          ? "/home/user/現場/No.1.sdw"
                                          : "/home/user/現場/A-A断面.sqw";
        offered.record.savedTime = 1765185600;  // 2025/12/08 09:20 UTC
        QMessageBox* box = platform::CreateRecoveryQuestion(nullptr, QString::fromUtf8(caption), offered);
        box->show();
        QApplication::processEvents();
        EXPECT_TRUE(box->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/") +
                                     QString::fromLatin1(file)));
        delete box;
    }
}

}  // namespace
}  // namespace rave::recovery_test
