// The document window both programs stand on, over a window whose document is one line of text
// kept in a file: the unsaved-changes question on every path that replaces or closes the
// document, the modified flag taken from the history's clean index, the history's limit and its
// clearing, the recent-file list, the title's mark, the desktop arguments and the one refusal of
// text the files cannot store.
#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QUndoCommand>
#include <QUndoStack>
#include <QUrl>
#include <deque>
#include <functional>

#include "platform/codec.h"
#include "platform/desktop_start.h"
#include "platform/document_window.h"
#include "platform/widget_text.h"
#include "settings_sandbox.h"
#include "temp_folder.h"
#include "tests/platform/qt_test_application.h"

namespace rave::platform {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

class TextWindow;

// One edit of the text: the text before and after.
class TextEdit : public QUndoCommand {
public:
    TextEdit(std::string& text, std::string after) : text_(text), before_(text), after_(std::move(after)) {}
    void undo() override { text_ = before_; }
    void redo() override { text_ = after_; }

private:
    std::string& text_;
    std::string before_;
    std::string after_;
};

// A window over one text file; the dialogs and the question are answered from queues.
class TextWindow : public DocumentWindow {
public:
    explicit TextWindow(rave::MessageSink& messages)
        : DocumentWindow(QStringLiteral("FrameTest"), QStringLiteral("Cap"), &messages) {
        AddFileAndEditMenus({});
    }

    void Edit(const std::string& after) { PushEdit(new TextEdit(text, after)); }

    std::string text;
    std::string path;
    bool documentModified = false;
    std::deque<UnsavedChoice> answers;
    std::deque<fs::path> openAnswers;
    int questions = 0;

    std::vector<int> PrintedPages() const override { return {1}; }
    std::string RecoveryBytes() const override { return text; }
    void RefreshView() override {}

protected:
    std::string DocumentPath() const override { return path; }
    void SetDocumentPath(const std::string& p) override { path = p; }
    void ModifiedChanged(bool modified) override { documentModified = modified; }
    void StartNewDocument() override {
        text.clear();
        path.clear();
    }
    bool LoadFromMenu(const fs::path& file) override { return LoadThroughFramework(file); }
    bool LoadThroughFramework(const fs::path& file) override {
        if (!fs::exists(file)) {
            return false;
        }
        text = TempFolder::Read(file);
        path = file.string();
        return true;
    }
    void DocumentReplaced() override {}
    SaveOutcome SaveInPlace() override {
        if (path.empty()) {
            return SaveOutcome::kNeedsSaveAs;
        }
        return SaveTo(path) ? SaveOutcome::kSaved : SaveOutcome::kFailed;
    }
    bool SaveTo(const fs::path& file) override {
        std::ofstream(file, std::ios::binary) << text;
        path = file.string();
        return true;
    }
    bool SavesInPlace() const override { return !path.empty(); }
    QString InitialOpenFolder() const override { return {}; }
    void PreparePrinter(QPrinter&) override {}
    QSizeF ReadPaperMm() override { return {210, 297}; }
    void DrawPrintedPage(rave::DrawingSurface&, int) override {}
    std::optional<fs::path> ChooseFileToOpen(const QString&) override {
        if (openAnswers.empty()) {
            return std::nullopt;
        }
        fs::path answer = openAnswers.front();
        openAnswers.pop_front();
        return answer;
    }
    UnsavedChoice AskAboutUnsavedChanges() override {
        ++questions;
        if (answers.empty()) {
            return UnsavedChoice::kCancel;
        }
        const UnsavedChoice answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class DocumentWindowTest : public ::testing::Test {
protected:
    DocumentWindowTest() {
        testing::TestApplication();
        rave::testing::KeepSettingsIn(temp.path() / "settings");
        first = temp.Write("first.txt", "one");
        second = temp.Write("second.txt", "two");
        window = std::make_unique<TextWindow>(messages);
    }

    TempFolder temp;
    fs::path first;
    fs::path second;
    rave::RecordingMessageSink messages;
    std::unique_ptr<TextWindow> window;
};

// Every way of replacing or closing the document asks first when it was changed: Cancel keeps
// the edit and its history, Discard goes on with a new history, and nothing is asked when there
// is nothing to lose.
TEST_F(DocumentWindowTest, EveryPathAsksBeforeChangesAreLost) {
    struct Path {
        const char* name;
        std::function<bool(TextWindow&, const fs::path& other)> run;  // true when the window went on
    };
    const Path paths[] = {
        {"new",
         [](TextWindow& w, const fs::path&) {
             w.NewDocument();
             return w.path.empty();
         }},
        {"open",
         [](TextWindow& w, const fs::path& other) {
             w.openAnswers = {other};
             w.OpenFromMenu();
             return fs::path(w.path) == other;
         }},
        {"recent",
         [](TextWindow& w, const fs::path& other) {
             w.OpenRecentFile(1);
             return fs::path(w.path) == other;
         }},
        {"drop",
         [](TextWindow& w, const fs::path& other) {
             w.OpenDroppedFiles({QUrl::fromLocalFile(QString::fromStdString(other.string()))});
             return fs::path(w.path) == other;
         }},
        {"close", [](TextWindow& w, const fs::path&) { return w.close(); }},
    };
    for (const Path& path : paths) {
        SCOPED_TRACE(path.name);
        window = std::make_unique<TextWindow>(messages);
        ASSERT_TRUE(window->OpenThroughFramework(second));
        ASSERT_TRUE(window->OpenThroughFramework(first));  // the recent list: first, second
        window->Edit("edited");

        window->answers = {UnsavedChoice::kCancel};
        EXPECT_FALSE(path.run(*window, second));
        EXPECT_EQ(window->questions, 1);
        EXPECT_EQ(window->text, "edited");
        EXPECT_EQ(window->UndoStack()->count(), 1);
        EXPECT_TRUE(window->isWindowModified());

        window->answers = {UnsavedChoice::kDiscard};
        EXPECT_TRUE(path.run(*window, second));
        EXPECT_EQ(window->questions, 2);
        if (std::string_view(path.name) != "close") {
            EXPECT_EQ(window->UndoStack()->count(), 0) << "a replaced document starts a new history";
            EXPECT_FALSE(window->IsModified());
        }
        EXPECT_EQ(TempFolder::Read(first), "one") << "discarded, not saved";

        // Unchanged: nothing to ask.
        window->OpenThroughFramework(first);
        path.run(*window, second);
        EXPECT_EQ(window->questions, 2);
    }
}

TEST_F(DocumentWindowTest, SaveAnswerWritesBeforeGoingOn) {
    ASSERT_TRUE(window->OpenThroughFramework(first));
    window->Edit("kept");
    window->answers = {UnsavedChoice::kSave};
    window->NewDocument();
    EXPECT_EQ(TempFolder::Read(first), "kept");
    EXPECT_TRUE(window->path.empty());
}

// The document is unmodified exactly at the history's clean index; a change outside the history
// leaves no way back to the saved state until the next save.
TEST_F(DocumentWindowTest, ModifiedFlagFollowsTheCleanIndex) {
    ASSERT_TRUE(window->OpenThroughFramework(first));
    struct Step {
        const char* name;
        std::function<void(TextWindow&)> run;
        bool modified;
    };
    const Step steps[] = {
        {"edit", [](TextWindow& w) { w.Edit("a"); }, true},
        {"undo to the saved state", [](TextWindow& w) { w.UndoStack()->undo(); }, false},
        {"redo", [](TextWindow& w) { w.UndoStack()->redo(); }, true},
        {"save", [](TextWindow& w) { w.Save(); }, false},
        {"undo past the save", [](TextWindow& w) { w.UndoStack()->undo(); }, true},
        {"redo to the save", [](TextWindow& w) { w.UndoStack()->redo(); }, false},
        {"change outside the history", [](TextWindow& w) { w.MarkChangedOutsideHistory(); }, true},
        {"undo after it", [](TextWindow& w) { w.UndoStack()->undo(); }, true},
        {"redo after it", [](TextWindow& w) { w.UndoStack()->redo(); }, true},
        {"save again", [](TextWindow& w) { w.Save(); }, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.run(*window);
        EXPECT_EQ(window->IsModified(), step.modified);
        EXPECT_EQ(window->documentModified, step.modified);
        EXPECT_EQ(window->isWindowModified(), step.modified);
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("first.txt[*] - Cap"));
}

TEST_F(DocumentWindowTest, HistoryKeepsAHundredStepsAndStartsAgainWithEachDocument) {
    ASSERT_TRUE(window->OpenThroughFramework(first));
    for (int i = 0; i < 150; ++i) {
        window->Edit(std::to_string(i));
    }
    EXPECT_EQ(window->UndoStack()->count(), 100);
    while (window->UndoStack()->canUndo()) {
        window->UndoStack()->undo();
    }
    // The oldest 50 steps are gone: the saved text is out of reach, so the document stays modified.
    EXPECT_EQ(window->text, "49");
    EXPECT_TRUE(window->IsModified());

    window->answers = {UnsavedChoice::kDiscard};
    window->NewDocument();
    EXPECT_EQ(window->UndoStack()->count(), 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("無題[*] - Cap"));

    // A recovery copy is a replaced document that was never saved.
    window->Edit("x");
    const fs::path copy = temp.Write("copy.txt", "restored");
    window->answers = {UnsavedChoice::kDiscard};
    ASSERT_TRUE(window->ConfirmDiscardChanges());
    ASSERT_TRUE(window->RestoreRecoveryCopy(copy, first.string()));
    EXPECT_EQ(window->UndoStack()->count(), 0);
    EXPECT_EQ(window->path, first.string());
    EXPECT_TRUE(window->IsModified());
}

TEST_F(DocumentWindowTest, RecentFilesNewestFirstAndAFileThatIsGoneLeaves) {
    // The list holds absolute names with "/" (as Qt writes them on every system); the menu shows
    // them the way the system writes paths.
    const QString a = QDir::fromNativeSeparators(QString::fromStdU16String(temp.path().u16string())) + "/a/";
    QStringList files;
    for (const char* name : {"1", "2", "3", "4", "5", "3"}) {
        files = WithRecentFile(files, a + name + ".sdw");
    }
    EXPECT_EQ(files, (QStringList{a + "3.sdw", a + "5.sdw", a + "4.sdw", a + "2.sdw"}));
    EXPECT_EQ(RecentFileText(1, a + "5.sdw"), "&2 " + QDir::toNativeSeparators(a + "5.sdw"));

    ASSERT_TRUE(window->OpenThroughFramework(second));
    ASSERT_TRUE(window->OpenThroughFramework(first));
    EXPECT_EQ(ReadRecentFiles(QStringLiteral("FrameTest")), window->RecentFiles());
    fs::remove(second);
    window->OpenRecentFile(1);
    EXPECT_EQ(window->RecentFiles(),
              QStringList{QDir::fromNativeSeparators(QString::fromStdString(first.string()))});
    EXPECT_EQ(fs::path(window->path), first);
    // The menu shows what is left, and the list's name when empty.
    const QList<QAction*> items = window->Menu(QStringLiteral("fileMenu"))->actions();
    const auto shown = std::count_if(items.begin(), items.end(), [](QAction* a) {
        return a->isVisible() && a->text().startsWith(QLatin1Char('&'));
    });
    EXPECT_EQ(shown, 1);
}

TEST(DesktopArguments, InstallFolderAndOneFile) {
    struct Case {
        std::vector<std::string> arguments;
        const char* folder;
        const char* file;
        bool refused;
    };
    const Case cases[] = {
        {{}, "", nullptr, false},
        {{"a.sqw"}, "", "a.sqw", false},
        {{"--install-folder", "/x", "a.sqw"}, "/x", "a.sqw", false},
        {{"--install-folder=/x"}, "/x", nullptr, false},
        {{"--install-folder"}, "", nullptr, true},
        {{"--install-folder="}, "", nullptr, true},
        {{"a.sqw", "b.sqw"}, "", "a.sqw", true},
        {{"--verbose"}, "", nullptr, true},
    };
    for (const Case& c : cases) {
        const DesktopArguments parsed = ParseDesktopArguments(c.arguments);
        EXPECT_EQ(!parsed.error.empty(), c.refused) << ::testing::PrintToString(c.arguments);
        if (!c.refused) {
            EXPECT_EQ(parsed.installFolder, fs::path(c.folder));
            EXPECT_EQ(parsed.file.has_value(), c.file != nullptr);
            if (c.file != nullptr && parsed.file) {
                EXPECT_EQ(*parsed.file, fs::path(c.file));
            }
        }
    }
}

TEST(WidgetText, TextTheFilesCannotStoreIsRefusedNamingTheField) {
    testing::TestApplication();
    rave::RecordingMessageSink messages;
    EXPECT_EQ(ToCp932(QStringLiteral("砂質土"), QStringLiteral("土質名(&S):"), messages),
              Utf8ToCp932("砂質土"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(ToCp932(QStringLiteral("晴れ ☀"), QStringLiteral("土質名(&S):"), messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Cp932ToUtf8(messages.shown[0].text),
              "「土質名(S)」に保存できない文字があります。\nシフトJISで表せる文字だけを入力してください。");
    EXPECT_EQ(FromCp932(*Utf8ToCp932("ｽｳｪｰﾃﾞﾝ")), QStringLiteral("ｽｳｪｰﾃﾞﾝ"));
}

}  // namespace
}  // namespace rave::platform
