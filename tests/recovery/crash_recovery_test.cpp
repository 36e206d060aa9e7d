// Killing a program after an edit and starting it again: the recovery copy is offered and
// restores the edit exactly, the original file is never written, Save asks before it replaces an
// original that changed meanwhile, and a clean close leaves no copy.
//
// The program that is killed is this test program started again as a child process in the
// mode RAVE_RECOVERY_CHILD: it opens the windows of the real program over a file, edits, waits
// until its recovery copy exists, and is then killed with SIGKILL by the parent.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <cstdlib>
#include <deque>

#include "platform/desktop_start.h"
#include "platform/install_folder.h"
#include "platform/recovery.h"
#include "ravelog/app/main_frame.h"
#include "ravesect/app/ravesect_application.h"
#include "ravesect/app/section_frame.h"
#include "recovery_test_support.h"
#include "temp_folder.h"

namespace rave::recovery_test {
namespace {

namespace fs = std::filesystem;
using rave::platform::RecoveryChoice;
using rave::platform::RecoverySession;
using rave::testing::TempFolder;

// The folders of one crash: install folder, recovery folder, the original file.
struct Layout {
    fs::path root;
    fs::path Install() const { return root / "install"; }
    fs::path Recovery() const { return root / "recovery"; }
    fs::path Original(const char* extension) const { return root / (std::string("original") + extension); }
    fs::path Ready() const { return root / "child-ready"; }
};

class LogFrame : public ravelog::app::MainFrame {
public:
    using MainFrame::MainFrame;
    std::deque<fs::path> saveAsAnswers;
    ravelog::app::UnsavedChoice unsavedAnswer = ravelog::app::UnsavedChoice::kCancel;

protected:
    std::optional<fs::path> ChooseFileToSaveAs(const QString&) override { return Next(saveAsAnswers); }
    ravelog::app::UnsavedChoice AskAboutUnsavedChanges() override { return unsavedAnswer; }
};

class SectFrame : public ravesect::app::SectionFrame {
public:
    using SectionFrame::SectionFrame;
    std::deque<fs::path> saveAsAnswers;
    ravesect::app::UnsavedChoice unsavedAnswer = ravesect::app::UnsavedChoice::kCancel;

protected:
    std::optional<fs::path> ChooseFileToSaveAs(const QString&) override { return Next(saveAsAnswers); }
    ravesect::app::UnsavedChoice AskAboutUnsavedChanges() override { return unsavedAnswer; }
};

// The edit each program's child makes: a header text of the sounding, the figure moved left in
// the section (its settings line rewritten).
void EditSounding(LogFrame& frame) {
    const ravelog::SoundingDocument before = frame.Document();
    frame.Document().header[2] = "crash-test";
    frame.CommitDocumentEdit(QStringLiteral("見出し"), before);
}

void EditSection(SectFrame& frame) {
    frame.MoveFigure(ravesect::FigureMove::kLeft);
}

// In the child: waits for the session's copy, tells the parent what it holds, and waits to die.
[[noreturn]] void ReportAndWait(const Layout& layout, const RecoverySession& session,
                                const std::string& bytes) {
    const RecoveryFiles files = RecoveryFilesFor(session.Folder(), session.OwnRecord(), session.Extension());
    for (int i = 0; i < 200 && !fs::exists(files.record); ++i) {
        QTest::qWait(50);  // the quiet period after the edit runs out here
    }
    // Written beside and renamed, so the parent never reads a half-written report.
    const fs::path partial = layout.Ready().string() + ".part";
    WriteBytes(partial, bytes);
    fs::rename(partial, layout.Ready());
    for (;;) {
        QTest::qWait(1000);
    }
}

TEST(CrashChild, EditsAndWaitsToBeKilled) {
    const char* program = std::getenv("RAVE_RECOVERY_CHILD");
    const char* root = std::getenv("RAVE_RECOVERY_ROOT");
    if (program == nullptr || root == nullptr) {
        GTEST_SKIP() << "runs only as the child of a crash test";
    }
    TestApplication();
    const Layout layout{root};
    RecordingMessageSink messages;
    if (std::string(program) == "ravelog") {
        ravelog::ResetCurrentSounding();
        LogFrame frame(layout.Install(), &messages);
        RecoverySession session("Ravelog", ".sdw", layout.Recovery());
        frame.AttachRecovery(&session);
        ASSERT_TRUE(frame.OpenThroughFramework(layout.Original(".sdw")));
        EditSounding(frame);
        ASSERT_TRUE(frame.Document().modified);
        ReportAndWait(layout, session, frame.RecoveryBytes());
    }
    ravesect::ResetCurrentSection();
    SectFrame frame(layout.Install(), &messages);
    RecoverySession session("Ravesect", ".sqw", layout.Recovery());
    ASSERT_EQ(ravesect::app::TakeWorkingFiles(frame, session,
                                              ravesect::app::WorkingFilesLockPath(layout.Install())),
              ravesect::app::WorkingFilesAccess::kOwn);
    frame.AttachRecovery(&session);
    ASSERT_TRUE(frame.OpenThroughFramework(layout.Original(".sqw")));
    EditSection(frame);
    ASSERT_TRUE(frame.Document().modified);
    ReportAndWait(layout, session, frame.RecoveryBytes());
}

// Starts the child for `program`, waits until it reports its copy, kills it with SIGKILL and
// returns the bytes its copy holds.
std::string CrashChild(const char* program, const Layout& layout) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("RAVE_RECOVERY_CHILD"), QString::fromLatin1(program));
    environment.insert(QStringLiteral("RAVE_RECOVERY_ROOT"), QString::fromStdString(layout.root.string()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=CrashChild.*")});
    EXPECT_TRUE(child.waitForStarted(10000));
    for (int i = 0; i < 600 && !fs::exists(layout.Ready()); ++i) {
        QTest::qWait(50);
    }
    EXPECT_TRUE(fs::exists(layout.Ready())) << "the child never reported its recovery copy";
    child.kill();  // SIGKILL: nothing of the child's clean-up runs
    child.waitForFinished(10000);
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    return TempFolder::Read(layout.Ready());
}

class CrashRecovery : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        std::string error;
        ASSERT_TRUE(
            platform::CreateInstallFolder(layout_.Install(), fs::path(RAVE_SOURCE_DIR) / "data", error));
    }
    TempFolder temp_;
    Layout layout_{temp_.path()};
    RecordingMessageSink messages_;
};

TEST_F(CrashRecovery, RavelogOffersAndRestoresTheEditAfterAKill) {
    fs::copy_file(fs::path(RAVE_SOURCE_DIR) / "examples" / "example-short.sdw", layout_.Original(".sdw"));
    const std::string originalBytes = TempFolder::Read(layout_.Original(".sdw"));
    const std::string edited = CrashChild("ravelog", layout_);
    ASSERT_NE(edited.find("crash-test"), std::string::npos);

    ravelog::ResetCurrentSounding();
    LogFrame frame(layout_.Install(), &messages_);
    RecoverySession session("Ravelog", ".sdw", layout_.Recovery());
    frame.AttachRecovery(&session);
    std::vector<OfferedRecovery> offered;
    EXPECT_TRUE(rave::platform::OfferRecoveries(frame, session, [&offered](const OfferedRecovery& copy) {
        offered.push_back(copy);
        return RecoveryChoice::kRestore;
    }));
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].record.originalPath, layout_.Original(".sdw").string());
    EXPECT_EQ(frame.RecoveryBytes(), edited);
    EXPECT_TRUE(frame.Document().modified);
    EXPECT_EQ(frame.Document().pathName, layout_.Original(".sdw").string());
    EXPECT_EQ(TempFolder::Read(layout_.Original(".sdw")), originalBytes);
    // The killed run's copy made way for this run's.
    EXPECT_EQ(ListLeftRecoveries(layout_.Recovery(), "Ravelog", ".sdw", platform::IsProcessRunning).size(),
              0u);
    EXPECT_EQ(RecoveryFileNames(layout_.Recovery()),
              (std::set<std::string>{"Ravelog-" + std::to_string(platform::CurrentProcess().pid) + ".rec",
                                     "Ravelog-" + std::to_string(platform::CurrentProcess().pid) + ".sdw"}));

    // Someone changed the original meanwhile: Save asks, and "no" saves under another name.
    WriteBytes(layout_.Original(".sdw"), originalBytes + "\r\n");
    int asked = 0;
    session.askOverwriteChanged = [&asked](const QString& name) {
        EXPECT_EQ(name, QStringLiteral("original.sdw"));
        ++asked;
        return false;
    };
    frame.saveAsAnswers.push_back(layout_.root / "kept.sdw");
    EXPECT_TRUE(frame.Save());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(TempFolder::Read(layout_.Original(".sdw")), originalBytes + "\r\n");
    EXPECT_EQ(TempFolder::Read(layout_.root / "kept.sdw"), edited);
    EXPECT_TRUE(RecoveryFileNames(layout_.Recovery()).empty());  // saved: no copy left
}

TEST_F(CrashRecovery, RavesectOffersTheWorkingFilesOfAKilledRun) {
    fs::copy_file(fs::path(RAVE_SOURCE_DIR) / "examples" / "section" / "example-section.sqw",
                  layout_.Original(".sqw"));
    const std::string originalBytes = TempFolder::Read(layout_.Original(".sqw"));
    const std::string edited = CrashChild("ravesect", layout_);
    ASSERT_FALSE(edited.empty());

    ravesect::ResetCurrentSection();
    SectFrame frame(layout_.Install(), &messages_);
    RecoverySession session("Ravesect", ".sqw", layout_.Recovery());
    // The killed run's lock says it had unsaved work in the working files.
    ASSERT_EQ(ravesect::app::TakeWorkingFiles(frame, session,
                                              ravesect::app::WorkingFilesLockPath(layout_.Install())),
              ravesect::app::WorkingFilesAccess::kOwn);
    frame.AttachRecovery(&session);
    std::vector<OfferedRecovery> offered;
    EXPECT_TRUE(rave::platform::OfferRecoveries(frame, session, [&offered](const OfferedRecovery& copy) {
        offered.push_back(copy);
        return RecoveryChoice::kRestore;
    }));
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].record.originalPath, layout_.Original(".sqw").string());
    EXPECT_EQ(frame.RecoveryBytes(), edited);
    EXPECT_TRUE(frame.Document().modified);
    EXPECT_EQ(frame.Document().pathName, layout_.Original(".sqw").string());
    EXPECT_EQ(TempFolder::Read(layout_.Original(".sqw")), originalBytes);

    // Closing without saving: the work is thrown away on purpose and no copy stays.
    frame.unsavedAnswer = ravesect::app::UnsavedChoice::kDiscard;
    EXPECT_TRUE(frame.close());
    EXPECT_TRUE(RecoveryFileNames(layout_.Recovery()).empty());
    EXPECT_EQ(TempFolder::Read(layout_.Original(".sqw")), originalBytes);
}

TEST_F(CrashRecovery, LaterKeepsTheCopyAndDiscardRemovesIt) {
    RecoveryRecord left;
    left.program = "Ravelog";
    left.process = ProcessIdentity{DeadProcessId(), {}};
    left.originalPath = layout_.Original(".sdw").string();
    ASSERT_EQ(WriteRecoveryCopy(layout_.Recovery(), left, ".sdw", "$$_Data300\r\n"), "");
    ravelog::ResetCurrentSounding();
    LogFrame frame(layout_.Install(), &messages_);
    RecoverySession session("Ravelog", ".sdw", layout_.Recovery());
    frame.AttachRecovery(&session);
    const auto answer = [](RecoveryChoice choice) {
        return [choice](const OfferedRecovery&) { return choice; };
    };
    EXPECT_FALSE(rave::platform::OfferRecoveries(frame, session, answer(RecoveryChoice::kLater)));
    EXPECT_EQ(RecoveryFileNames(layout_.Recovery()).size(), 2u);
    EXPECT_FALSE(rave::platform::OfferRecoveries(frame, session, answer(RecoveryChoice::kDiscard)));
    EXPECT_TRUE(RecoveryFileNames(layout_.Recovery()).empty());
    EXPECT_FALSE(frame.Document().modified);
}

}  // namespace
}  // namespace rave::recovery_test
