// Random actions on Ravelog's window: menu commands with their dialogs filled at random, mouse and
// keys on the sheet, undo and redo, saving and opening, printing to a PDF. After every save the
// file must hold the document exactly and read back to the same bytes; an undo followed by a redo
// must give the document back; nothing may crash or leave a dialog open.
//
// RAVE_RANDOM_SEED, RAVE_RANDOM_ACTIONS and RAVE_RANDOM_SECONDS change the run (see README); the
// action list of every run is written to random_actions/ravelog-SEED.log in the build folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include "apps/ravelog_site_window.h"
#include "common/path_text.h"
#include "platform/autosave_dialog.h"
#include "platform/document_window.h"
#include "platform/install_folder.h"
#include "platform/recovery.h"
#include "random_driver.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/ravelog_view.h"
#include "ravelog/document/sounding_file.h"
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/report/page_count.h"
#include "temp_folder.h"
#include "tests/platform/qt_test_application.h"

namespace rave::random_actions {
namespace {

namespace fs = std::filesystem;
using ravelog::app::UnsavedChoice;

// The window with its file choosers and question answered at random.
class RandomLogFrame : public ravelog::app::MainFrame {
public:
    RandomLogFrame(Sandbox& sandbox, MessageSink& messages, Random& random, ActionLog& log)
        : MainFrame(sandbox.Install(), &messages), sandbox_(sandbox), random_(random), log_(log) {}

protected:
    std::optional<fs::path> ChooseFileToOpen(const QString&) override {
        return Answer("open", sandbox_.OpenCandidates());
    }
    std::optional<fs::path> ChooseFileToSaveAs(const QString&) override {
        return Answer("save as", sandbox_.SaveCandidates(".sdw"));
    }
    std::optional<fs::path> ChooseFileToExportDxf(const QString&) override {
        return Answer("dxf", {sandbox_.Root() / "export" / "sheet.dxf"});
    }
    std::optional<fs::path> ChooseFileToExportPages(const QString&) override {
        return Answer("pages",
                      {sandbox_.Root() / "export" / "sheet.pdf", sandbox_.Root() / "export" / "sheet.png"});
    }
    bool ChoosePrinter(QPrinter& printer, int) override {
        return AnswerPrinter(printer, sandbox_.Root() / "export" / "print.pdf", random_, log_);
    }
    void ShowPrintPreview(QPrintPreviewDialog& preview) override {
        DrawPreview(preview, sandbox_.Root() / "export" / "preview.pdf", log_);
    }
    bool AskToReplaceFile(const QString&) override { return random_.Chance(0.5); }
    UnsavedChoice AskAboutUnsavedChanges() override {
        const UnsavedChoice choice = random_.Pick(std::vector<UnsavedChoice>{
            UnsavedChoice::kSave, UnsavedChoice::kDiscard, UnsavedChoice::kCancel});
        log_.Add("  unsaved changes: " + std::to_string(static_cast<int>(choice)));
        return choice;
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

// A saved file holds the document as the window has it, and reads back to the same bytes.
void CheckSaved(RandomLogFrame& frame, ActionLog& log) {
    const ravelog::SoundingDocument& document = frame.Document();
    if (document.modified || document.pathName.empty()) {
        return;  // nothing was saved (cancelled or refused)
    }
    log.Add("  check saved " + rave::PathFromUtf8(document.pathName).filename().string());
    const std::string saved = testing::TempFolder::Read(rave::PathFromUtf8(document.pathName));
    EXPECT_EQ(saved, frame.RecoveryBytes()) << "the saved file differs from the document\n" << log.Tail();
    ravelog::SoundingDocument fresh;
    RecordingMessageSink quiet;
    ASSERT_NE(ravelog::OpenSoundingThroughFramework(fresh, quiet, rave::PathFromUtf8(document.pathName)),
              ravelog::kVersionUnknown)
        << log.Tail();
    // Opening puts the standard title into a title slot of at most one character.
    ravelog::SoundingDocument expected = document;
    ravelog::ApplyDefaultTitles(expected);
    EXPECT_EQ(ravelog::WriteSoundingFile(fresh), ravelog::WriteSoundingFile(expected))
        << "the saved file reads back otherwise\n"
        << log.Tail();
}

int RunRavelog(const RunLimits& limits) {
    platform::testing::TestApplication();
    Sandbox sandbox;
    std::string error;
    EXPECT_TRUE(platform::CreateInstallFolder(sandbox.Install(), fs::path(RAVE_SOURCE_DIR) / "data", error))
        << error;
    Random random(limits.seed);
    ActionLog log(LogFile("ravelog", limits.seed),
                  "ravelog random actions, RAVE_RANDOM_SEED=" + std::to_string(limits.seed));
    RandomMessageSink messages(random, log);
    DialogAnswerer answerer(random, log, [&sandbox] { return sandbox.OpenCandidates(); });

    ravelog::ResetCurrentSounding();
    platform::RecoverySession recovery("Ravelog", ".sdw", sandbox.Root() / "recovery");
    recovery.SetIntervalSeconds(1);
    RandomLogFrame frame(sandbox, messages, random, log);
    frame.AttachRecovery(&recovery);
    platform::AddAutosaveCommand(*frame.Menu(QStringLiteral("settingsMenu")), frame, recovery);
    // The file menu's 報告書 as the executable adds it: its window is stepped like the modeless dialogs.
    ravelog::cli::AddSiteReportCommand(frame);
    frame.resize(900, 700);
    frame.show();

    const std::vector<ProgramAction> actions = {
        {"menu", 40,
         [&] {
             std::vector<QAction*> enabled;
             for (QAction* action : MenuActions(frame)) {
                 if (action->isEnabled()) {
                     enabled.push_back(action);
                 }
             }
             QAction* action = random.Pick(enabled);
             log.Add("menu " + ActionName(*action));
             const bool save = action->data().toInt() == platform::document_command::kSave ||
                               action->data().toInt() == platform::document_command::kSaveAs;
             const FileState before = StateBeforeSave(frame.Document().pathName);
             action->trigger();
             if (save && Written(before, frame.Document().pathName)) {
                 CheckSaved(frame, log);
             }
         }},
        {"report window", 6,
         [&] {
             auto* report = frame.findChild<site::app::SiteReportWindow*>();
             if (report == nullptr || !report->isVisible()) {
                 log.Add("report window: none open");
                 return;
             }
             if (random.Chance(0.3)) {
                 const int tab = random.Below(report->Tabs()->count());
                 log.Add("report window tab " + std::to_string(tab));
                 report->Tabs()->setCurrentIndex(tab);
                 return;
             }
             log.Add("report window");
             answerer.StepModeless(*report);
         }},
        {"mouse", 15, [&] { MouseGesture(*frame.View(), random, log); }},
        {"key", 10, [&] { KeyPress(*frame.View(), random, log); }},
        {"save", 6,
         [&] {
             const bool as = random.Chance(0.5);
             log.Add(as ? "save as" : "save");
             const FileState before = StateBeforeSave(frame.Document().pathName);
             if (as ? frame.SaveAs() : frame.Save()) {
                 EXPECT_TRUE(Written(before, frame.Document().pathName)) << "a save reported success\n"
                                                                         << log.Tail();
                 CheckSaved(frame, log);
             }
         }},
        {"undo and redo", 8,
         [&] {
             QUndoStack& stack = *frame.UndoStack();
             if (!stack.canUndo()) {
                 log.Add("undo and redo: nothing to undo");
                 return;
             }
             log.Add("undo and redo " + stack.undoText().toStdString());
             const std::string before = frame.RecoveryBytes();
             stack.undo();
             stack.redo();
             EXPECT_EQ(frame.RecoveryBytes(), before) << "undo then redo changed the document\n"
                                                      << log.Tail();
         }},
        {"print to pdf", 2,
         [&] {
             const int pages = ravelog::CountReportPages(frame.Document());
             const int page = 1 + random.Below(std::max(1, pages));
             log.Add("print page " + std::to_string(page) + " of " + std::to_string(pages));
             QPrinter printer(QPrinter::HighResolution);
             printer.setOutputFormat(QPrinter::PdfFormat);
             printer.setOutputFileName(
                 QString::fromStdString((sandbox.Root() / "export" / "print.pdf").string()));
             frame.PrintPagesOn(printer, {page});
         }},
        {"drop", 3,
         [&] {
             const fs::path file = random.Pick(sandbox.OpenCandidates());
             log.Add("drop " + file.filename().string());
             frame.OpenDroppedFiles({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
         }},
        {"resize", 2,
         [&] {
             const int width = 200 + random.Below(1200);
             const int height = 150 + random.Below(900);
             log.Add("resize " + std::to_string(width) + "x" + std::to_string(height));
             frame.resize(width, height);
         }},
        {"wait", 2,
         [&] {
             const int milliseconds = random.Below(300);
             log.Add("wait " + std::to_string(milliseconds) + " ms");
             QTest::qWait(milliseconds);
         }},
    };
    const int done = RunActions(random, log, limits, actions, frame);
    std::cerr << "  dialogs answered " << answerer.Answered() << ", fields filled " << answerer.FieldsFilled()
              << ", messages " << messages.shown << '\n';
    frame.AttachRecovery(nullptr);
    return done;
}

TEST(RandomActions, Ravelog) {
    const RunLimits limits = LimitsFromEnvironment({.seed = 1, .actions = 300, .seconds = 0});
    const int done = RunRavelog(limits);
    // A run bounded in time may stop early; one bounded in actions runs them all.
    if (limits.seconds > 0) {
        EXPECT_GT(done, 0);
    } else {
        EXPECT_EQ(done, limits.actions);
    }
}

}  // namespace
}  // namespace rave::random_actions
