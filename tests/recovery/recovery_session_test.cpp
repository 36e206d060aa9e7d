// The autosave session's timing and clean-up, the lock of an install folder's working files, the
// toolkit's Japanese buttons, the settings' new home, and pictures of the recovery question.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
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
    rave::FailNextFileCreations(100);  // the recovery folder cannot be written
    EXPECT_FALSE(session.WriteNow());
    EXPECT_FALSE(session.WriteNow());
    rave::FailNextFileCreations(0);
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(session.WriteNow());
    EXPECT_TRUE(session.WriteNow());
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
struct SectStart {
    SectStart(const fs::path& install, const fs::path& recovery, RecordingMessageSink& messages)
        : frame(install, &messages), session("Ravesect", ".sqw", recovery) {
        access =
            ravesect::app::TakeWorkingFiles(frame, session, ravesect::app::WorkingFilesLockPath(install));
    }
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
            EXPECT_TRUE(
                platform::CreateInstallFolder(temp.path() / name, fs::path(RAVE_SOURCE_DIR) / "data", error));
        }
    }
    // The id of a process that has ended.
    static long DeadPid() {
        QProcess gone;
        gone.start(QStringLiteral("true"));
        EXPECT_TRUE(gone.waitForStarted());
        const long pid = static_cast<long>(gone.processId());
        gone.waitForFinished();
        return pid;
    }
    std::unique_ptr<SectStart> Start(const char* folder) {
        return std::make_unique<SectStart>(temp.path() / folder, temp.path() / "recovery", messages);
    }
    TempFolder temp;
    RecordingMessageSink messages;
};

TEST_F(WorkingFilesLock, OneWindowEditsAFolderAndAnyOtherOnlyShowsIt) {
    using ravesect::app::WorkingFilesAccess;
    namespace id = ravesect::app::command_id;
    namespace doc = platform::document_command;
    const fs::path lock = ravesect::app::WorkingFilesLockPath(temp.path() / "x");
    // A crashed run's lock (its process is gone) is taken over by the first start only.
    temp.Write("x/Ravesect.lck",
               std::to_string(DeadPid()) + "\nravesect\n" + QSysInfo::machineHostName().toStdString() + "\n");
    auto first = Start("x");
    EXPECT_EQ(first->access, WorkingFilesAccess::kOwn);
    auto second = Start("x");
    EXPECT_EQ(second->access, WorkingFilesAccess::kReadOnly);
    for (int command :
         {doc::kNew, doc::kOpen, doc::kSave, doc::kUndo, doc::kRedo, id::kPlacement, id::kPoints, id::kTitles,
          id::kScale, id::kFormat, id::kPatterns, id::kEnterKey, id::kSetup, id::kFigureDown}) {
        EXPECT_FALSE(second->frame.Action(command)->isEnabled()) << command;
    }
    EXPECT_TRUE(second->frame.Action(doc::kPrint)->isEnabled());
    EXPECT_FALSE(platform::OfferRecoveries(second->frame, second->session, [](const OfferedRecovery&) {
        return platform::RecoveryChoice::kRestore;
    }));
    EXPECT_TRUE(second->frame.close());  // nothing of its own to save, nothing asked
    // The first lets go when it closes: the next start edits.
    first.reset();
    second.reset();
    EXPECT_EQ(Start("x")->access, WorkingFilesAccess::kOwn);

    // A lock that cannot be taken at all, or an earlier build's lock of a running copy: read-only.
    QProcess running;
    running.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(running.waitForStarted());
    RecoveryRecord holder;
    holder.program = "Ravesect";
    holder.process = platform::ProcessIdentityOf(static_cast<long>(running.processId()));
    temp.Write("y/Ravesect.lck", FormatRecoveryRecord(holder));
    fs::create_directories(lock / "junk");
    for (const char* folder : {"x", "y"}) {
        auto blocked = Start(folder);
        EXPECT_EQ(blocked->access, WorkingFilesAccess::kReadOnly) << folder;
        EXPECT_FALSE(blocked->frame.Action(id::kScale)->isEnabled()) << folder;
        EXPECT_FALSE(blocked->frame.ReadOnlyNotice().isEmpty()) << folder;
    }
    running.kill();
    running.waitForFinished();
    // Once that copy is gone its old lock is replaced.
    EXPECT_EQ(Start("y")->access, WorkingFilesAccess::kOwn);
}

TEST_F(WorkingFilesLock, DiscardingACrashedRunsWorkStartsANewSection) {
    const fs::path section = fs::path(RAVE_SOURCE_DIR) / "examples" / "section" / "example-section.sqw";
    ASSERT_TRUE(Start("x")->frame.OpenThroughFramework(section));
    // The run that opened it was killed with the work unsaved: its record stays beside the lock.
    RecoveryRecord killed;
    killed.program = "Ravesect";
    killed.process = ProcessIdentity{DeadPid(), {}};
    killed.modified = true;
    temp.Write("x/Ravesect.lck.rec", FormatRecoveryRecord(killed));
    auto next = Start("x");
    ASSERT_GT(next->frame.Document().LastUsedSlot(), 0);
    EXPECT_FALSE(platform::OfferRecoveries(next->frame, next->session, [](const OfferedRecovery&) {
        return platform::RecoveryChoice::kDiscard;
    }));
    EXPECT_EQ(next->frame.Document().LastUsedSlot(), -1);
    EXPECT_TRUE(RecoveryFileNames(temp.path() / "recovery").empty());
}

TEST_F(WorkingFilesLock, MovesWithTheInstallFolder) {
    auto a = Start("x");
    auto b = Start("y");
    // The new folder's lock is held: the move is refused and A stays where it was.
    EXPECT_FALSE(a->frame.MoveInstallFolder(temp.path() / "y"));
    EXPECT_EQ(a->frame.InstallFolder(), temp.path() / "x");
    EXPECT_EQ(messages.shown.size(), 1u);
    // B moves away; now A may follow, and lets X go.
    EXPECT_TRUE(b->frame.MoveInstallFolder(temp.path() / "z"));
    EXPECT_TRUE(a->frame.MoveInstallFolder(temp.path() / "y"));
    EXPECT_EQ(Start("x")->access, ravesect::app::WorkingFilesAccess::kOwn);
    EXPECT_EQ(Start("y")->access, ravesect::app::WorkingFilesAccess::kReadOnly);
    EXPECT_EQ(Start("z")->access, ravesect::app::WorkingFilesAccess::kReadOnly);
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
    QSettings old(platform::OldOrganisationName(), program);
    old.setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/work/a.sdw"));
    old.sync();
    EXPECT_TRUE(platform::CopyOldSettings(program));
    EXPECT_FALSE(platform::CopyOldSettings(program));  // once
    EXPECT_EQ(platform::ReadRecentFiles(program), QStringList{QStringLiteral("/work/a.sdw")});
    // The older build keeps its list and goes on using it; this one reads it after its own.
    EXPECT_TRUE(QFileInfo::exists(old.fileName()));
    platform::WriteRecentFiles(program, {QStringLiteral("/work/new.sdw"), QStringLiteral("/work/a.sdw")});
    old.setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/work/b.sdw"));
    old.sync();
    EXPECT_EQ(platform::ReadRecentFiles(program),
              (QStringList{QStringLiteral("/work/new.sdw"), QStringLiteral("/work/a.sdw"),
                           QStringLiteral("/work/b.sdw")}));
    EXPECT_EQ(old.value(QStringLiteral("Recent File List/File1")).toString(), QStringLiteral("/work/b.sdw"));
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
