// Random actions on Ravesect's window: menu commands with their dialogs filled at random, the
// modeless point, layer and title dialogs worked while the mouse edits the section, paging keys,
// undo and redo, saving and opening, printing and the preview. After every save the file must
// hold the section exactly and read back to the same bytes; an undo followed by a redo must give
// the section back; nothing may crash or leave a modal dialog open.
//
// RAVE_RANDOM_SEED, RAVE_RANDOM_ACTIONS and RAVE_RANDOM_SECONDS change the run (see README); the
// action list of every run is written to random_actions/ravesect-SEED.log in the build folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include "common/path_text.h"
#include "platform/autosave_dialog.h"
#include "platform/document_window.h"
#include "platform/install_folder.h"
#include "platform/recovery.h"
#include "random_driver.h"
#include "ravesect/app/ravesect_application.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/section_view.h"
#include "ravesect/document/section_commands.h"
#include "ravesect/document/section_file.h"
#include "temp_folder.h"
#include "tests/platform/qt_test_application.h"

namespace rave::random_actions {
namespace {

namespace fs = std::filesystem;
using ravesect::app::UnsavedChoice;

// The window with its file choosers, print dialog, preview and question answered at random.
class RandomSectFrame : public ravesect::app::SectionFrame {
public:
    RandomSectFrame(Sandbox& sandbox, MessageSink& messages, Random& random, ActionLog& log)
        : SectionFrame(sandbox.Install(), &messages), sandbox_(sandbox), random_(random), log_(log) {}

protected:
    std::optional<fs::path> ChooseFileToOpen(const QString&) override {
        return Answer("open", sandbox_.OpenCandidates());
    }
    std::optional<fs::path> ChooseFileToSaveAs(const QString&) override {
        return Answer("save as", sandbox_.SaveCandidates(".sqw"));
    }
    std::optional<fs::path> ChooseFileToExportDxf(const QString&) override {
        return Answer("dxf", {sandbox_.Root() / "export" / "section.dxf"});
    }
    std::optional<fs::path> ChooseFileToExportPages(const QString&) override {
        return Answer("pages", {sandbox_.Root() / "export" / "section.pdf",
                                sandbox_.Root() / "export" / "section.svg"});
    }
    bool AskToReplaceFile(const QString&) override { return random_.Chance(0.5); }
    UnsavedChoice AskAboutUnsavedChanges() override {
        const UnsavedChoice choice = random_.Pick(std::vector<UnsavedChoice>{
            UnsavedChoice::kSave, UnsavedChoice::kDiscard, UnsavedChoice::kCancel});
        log_.Add("  unsaved changes: " + std::to_string(static_cast<int>(choice)));
        return choice;
    }
    bool ChoosePrinter(QPrinter& printer, int) override {
        return AnswerPrinter(printer, sandbox_.Root() / "export" / "print.pdf", random_, log_);
    }
    void ShowPrintPreview(QPrintPreviewDialog& preview) override {
        DrawPreview(preview, sandbox_.Root() / "export" / "preview.pdf", log_);
    }

private:
    std::optional<fs::path> Answer(const char* what, const std::vector<fs::path>& files) {
        if (random_.Chance(0.15)) {
            log_.Add(std::string("  ") + what + ": cancelled");
            return std::nullopt;
        }
        const fs::path file = random_.Pick(files);
        log_.Add(std::string("  ") + what + ": " + file.lexically_relative(sandbox_.Root()).string());
        return file;
    }

    Sandbox& sandbox_;
    Random& random_;
    ActionLog& log_;
};

// A saved file holds the section as the window has it (document and working files), and opened
// into fresh working files it joins back to the same bytes.
void CheckSaved(RandomSectFrame& frame, const Sandbox& sandbox, ActionLog& log) {
    const ravesect::SectionDocument& document = frame.Document();
    if (document.modified || document.pathName.empty()) {
        return;  // nothing was saved (cancelled or refused)
    }
    log.Add("  check saved " + rave::PathFromUtf8(document.pathName).filename().string());
    const std::string saved = testing::TempFolder::Read(rave::PathFromUtf8(document.pathName));
    EXPECT_EQ(saved, frame.RecoveryBytes()) << "the saved file differs from the section\n" << log.Tail();
    const fs::path scratch = sandbox.Root() / "reopen";
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    const ravesect::WorkingFiles files = ravesect::WorkingFiles::In(scratch);
    ravesect::SectionDocument fresh;
    RecordingMessageSink quiet;
    ASSERT_TRUE(
        ravesect::OpenSectionThroughFramework(fresh, files, rave::PathFromUtf8(document.pathName), quiet))
        << log.Tail();
    EXPECT_EQ(ravesect::JoinSectionFile(fresh, files), saved) << "the saved file reads back otherwise\n"
                                                              << log.Tail();
}

int RunRavesect(const RunLimits& limits) {
    platform::testing::TestApplication();
    Sandbox sandbox;
    std::string error;
    EXPECT_TRUE(platform::CreateInstallFolder(sandbox.Install(), fs::path(RAVE_SOURCE_DIR) / "data", error))
        << error;
    Random random(limits.seed);
    ActionLog log(LogFile("ravesect", limits.seed),
                  "ravesect random actions, RAVE_RANDOM_SEED=" + std::to_string(limits.seed));
    RandomMessageSink messages(random, log);
    DialogAnswerer answerer(random, log, [&sandbox] { return sandbox.OpenCandidates(); });

    ravesect::ResetCurrentSection();
    platform::RecoverySession recovery("Ravesect", ".sqw", sandbox.Root() / "recovery");
    recovery.SetIntervalSeconds(1);
    auto frame = std::make_unique<RandomSectFrame>(sandbox, messages, random, log);
    const fs::path lockFile = ravesect::app::WorkingFilesLockPath(frame->InstallFolder());
    EXPECT_EQ(ravesect::app::TakeWorkingFiles(*frame, recovery, lockFile),
              ravesect::app::WorkingFilesAccess::kOwn);
    frame->AttachRecovery(&recovery);
    platform::AddAutosaveCommand(*frame->Menu(QStringLiteral("settingsMenu")), *frame, recovery);
    frame->resize(900, 700);
    frame->show();

    const std::vector<ProgramAction> actions = {
        {"menu", 40,
         [&] {
             std::vector<QAction*> enabled;
             for (QAction* action : MenuActions(*frame)) {
                 if (action->isEnabled()) {
                     enabled.push_back(action);
                 }
             }
             QAction* action = random.Pick(enabled);
             log.Add("menu " + ActionName(*action));
             const bool save = action->data().toInt() == platform::document_command::kSave ||
                               action->data().toInt() == platform::document_command::kSaveAs;
             const FileState before = StateBeforeSave(frame->Document().pathName);
             action->trigger();
             if (save && Written(before, frame->Document().pathName)) {
                 CheckSaved(*frame, sandbox, log);
             }
         }},
        {"modeless dialog", 15,
         [&] {
             const std::vector<QDialog*> dialogs = OpenModelessDialogs();
             if (dialogs.empty()) {
                 log.Add("modeless dialog: none open");
                 return;
             }
             log.Add("modeless dialog");
             answerer.StepModeless(*random.Pick(dialogs));
         }},
        {"mouse", 20, [&] { MouseGesture(*frame->View(), random, log); }},
        {"key", 8, [&] { KeyPress(*frame->View(), random, log); }},
        {"save", 6,
         [&] {
             const bool as = random.Chance(0.5);
             log.Add(as ? "save as" : "save");
             const FileState before = StateBeforeSave(frame->Document().pathName);
             if (as ? frame->SaveAs() : frame->Save()) {
                 EXPECT_TRUE(Written(before, frame->Document().pathName)) << "a save reported success\n"
                                                                          << log.Tail();
                 CheckSaved(*frame, sandbox, log);
             }
         }},
        {"undo and redo", 8,
         [&] {
             QUndoStack& stack = *frame->UndoStack();
             if (!stack.canUndo()) {
                 log.Add("undo and redo: nothing to undo");
                 return;
             }
             log.Add("undo and redo " + stack.undoText().toStdString());
             const std::string before = frame->RecoveryBytes();
             stack.undo();
             stack.redo();
             EXPECT_EQ(frame->RecoveryBytes(), before) << "undo then redo changed the section\n"
                                                       << log.Tail();
         }},
        {"drop", 3,
         [&] {
             const fs::path file = random.Pick(sandbox.OpenCandidates());
             log.Add("drop " + file.filename().string());
             frame->OpenDroppedFiles({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
         }},
        {"resize", 2,
         [&] {
             const int width = 200 + random.Below(1200);
             const int height = 150 + random.Below(900);
             log.Add("resize " + std::to_string(width) + "x" + std::to_string(height));
             frame->resize(width, height);
         }},
        {"wait", 2,
         [&] {
             const int milliseconds = random.Below(300);
             log.Add("wait " + std::to_string(milliseconds) + " ms");
             QTest::qWait(milliseconds);
         }},
    };
    const int done = RunActions(random, log, limits, actions, *frame);
    std::cerr << "  dialogs answered " << answerer.Answered() << ", fields filled " << answerer.FieldsFilled()
              << ", messages " << messages.shown << '\n';
    frame->AttachRecovery(nullptr);
    frame.reset();
    return done;
}

TEST(RandomActions, Ravesect) {
    const RunLimits limits = LimitsFromEnvironment({.seed = 1, .actions = 300, .seconds = 0});
    const int done = RunRavesect(limits);
    if (limits.seconds > 0) {
        EXPECT_GT(done, 0);
    } else {
        EXPECT_EQ(done, limits.actions);
    }
}

}  // namespace
}  // namespace rave::random_actions
