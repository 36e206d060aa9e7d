// The main window both desktop programs stand on: one document at a time, with what every
// document window needs and nothing of either program's own.
//
// Who owns what:
// - The window owns the undo history (UndoStack(), at most kUndoLimit steps), the recent-file
//   list, the file actions (New, Open, Save, Save As, Print, Print preview, PDF出力, DXF出力,
//   Undo, Redo, the recent files and Exit), drag and drop, the unsaved-changes question and the
//   title with its modified mark.
// - The modified flag is the history's: the document is unmodified exactly when the undo stack
//   stands at its clean index. A change that is not an undo step calls
//   MarkChangedOutsideHistory(), after which no step leads back to the saved state. The program
//   mirrors the flag into its document in ModifiedChanged().
// - The history is cleared wherever the document is replaced (New, Open, a recovery copy).
// - The program supplies its document through the protected hooks: how to start a new one, load
//   one, save it, name it, draw its printed pages, and its own menus and commands.
#pragma once

#include <QMainWindow>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QUndoCommand>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/recovery_store.h"

class QAction;
class QMenu;
class QPrinter;
class QPrintPreviewDialog;
class QToolBar;
class QUndoStack;
class QUrl;

namespace rave {
class DrawingSurface;
}

namespace rave::platform {

class RecoverySession;

// The command numbers both programs give their file and edit actions (kept as each action's
// data()).
namespace document_command {
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kExportDxf = 32805;    // "DXF出力(&D)..."
inline constexpr int kExportPages = 32806;  // "PDF出力(&F)..."
}  // namespace document_command

// The recent-file list: 4 entries in the program's settings (organisation "Kelvard", the
// program's name as application), newest first, absolute paths.
inline constexpr int kRecentFileCount = 4;
QStringList ReadRecentFiles(const QString& application);
void WriteRecentFiles(const QString& application, const QStringList& files);
// `file` goes to the top of the list (once); the list keeps kRecentFileCount entries.
QStringList WithRecentFile(QStringList files, const QString& file);
// The menu text of entry `index` (from 0): its number as mnemonic and the path with the
// platform's separators.
QString RecentFileText(int index, const QString& file);

// The most steps an undo history keeps; older ones are dropped.
inline constexpr int kUndoLimit = 100;

// An undo step that can fail to apply (a file it writes cannot be written). The window applies
// it through Apply before it moves the history, so a step that could not be applied leaves the
// history where it was; the stack's own undo() and redo() then only move the index.
class FallibleUndoCommand : public QUndoCommand {
public:
    using QUndoCommand::QUndoCommand;
    // Undoes (`forward` false) or redoes the step, all of it or, after saying why, nothing.
    virtual bool Apply(bool forward) = 0;
    void undo() final;
    void redo() final;

private:
    friend class DocumentWindow;
    bool applied_ = false;  // applied already: the stack's next call only moves the index
};

// One menu or tool-bar command: its number, menu text and status-bar text (UTF-8).
struct CommandText {
    int id;
    const char* text;
    const char* statusTip;
};

// What a question about unsaved changes can be answered with.
enum class UnsavedChoice { kSave, kDiscard, kCancel };

// What saving the document in place came to.
enum class SaveOutcome { kSaved, kNeedsSaveAs, kFailed };

class DocumentWindow : public QMainWindow {
    Q_OBJECT
public:
    // `application` names the settings ("Ravelog"), `caption` is the program's caption after the
    // document's name in the title. `messages`: where messages go; null shows them in message
    // boxes over the window.
    DocumentWindow(const QString& application, const QString& caption, rave::MessageSink* messages,
                   QWidget* parent = nullptr);
    ~DocumentWindow() override;

    // --- File commands ---
    // Opens a file through the document path (command line, recent files, dropped files),
    // without asking about unsaved changes. False when it was refused (and said why).
    bool OpenThroughFramework(const std::filesystem::path& file);
    void NewDocument();
    void OpenFromMenu();
    bool Save();
    bool SaveAs();
    void OpenRecentFile(int index);
    // Files dropped on the window: the first local file opens through the document path, after
    // the question about unsaved changes. True when something was dropped that could be taken.
    bool OpenDroppedFiles(const QList<QUrl>& urls);
    // Asks about unsaved changes (when there are any) and saves when told to. False when the
    // work in hand must not go on.
    bool ConfirmDiscardChanges();

    // --- Printing and page output ---
    void Print();
    void PrintPreview();
    // The printed pages as DXF files for CAD, and as a PDF or PNG/SVG pictures.
    void ExportDxf();
    void ExportPages();
    // Draws `pages` on the printer (or a preview's printer) as the print command does; a printer
    // that cannot start is reported.
    void PrintPagesOn(QPrinter& printer, const std::vector<int>& pages);
    // Every page the printer would get, from 1.
    virtual std::vector<int> PrintedPages() const = 0;

    // --- History ---
    QUndoStack* UndoStack() const { return undoStack_; }
    // Pushes one committed edit (the stack runs its redo()); the modified flag and the title
    // follow the history.
    void PushEdit(QUndoCommand* command);
    // 元に戻す and やり直し: the history moves only when the step could be applied.
    void Undo();
    void Redo();
    // True while the document differs from its saved state.
    bool IsModified() const;
    // A change that is not an undo step: the document counts as modified until it is saved,
    // whatever is undone or redone meanwhile.
    void MarkChangedOutsideHistory();

    // --- Lookup ---
    QAction* Action(int commandId) const;
    // The menus by object name ("fileMenu", "editMenu", "viewMenu", ...).
    QMenu* Menu(const QString& objectName) const;
    const QStringList& RecentFiles() const { return recentFiles_; }
    rave::MessageSink& Messages() { return messages_; }
    const QString& Caption() const { return caption_; }

    // --- Recovery ---
    // Autosave: from now on `session` keeps a recovery copy while the document has unsaved
    // changes (the application attaches it; tests may leave the window without one).
    void AttachRecovery(RecoverySession* session);
    // Replaces the document by the recovery copy `copy`: it counts as modified and is named after
    // `originalPath`, so Save writes there. False when the copy could not be read.
    bool RestoreRecoveryCopy(const std::filesystem::path& copy, const std::string& originalPath);
    // The document in its own file format, as a recovery copy holds it.
    virtual std::string RecoveryBytes() const = 0;
    // The user threw away the copy `offered` at the start (破棄): a program whose document still
    // holds that work drops it too.
    virtual void LeftWorkDiscarded(const OfferedRecovery& offered);
    // The document's files are not this window's to write (another running copy owns them, or
    // they cannot be locked): New, Open, Save in place, undo and redo, the recent files, drops
    // and restoring a copy are refused (Save As to another file stays), nothing is pushed on the
    // history, and the window closes without a question.
    bool ReadOnly() const { return readOnly_; }
    // Why, for the message shown once the window is up.
    const QString& ReadOnlyNotice() const { return readOnlyNotice_; }

    // Page count, command states, title and a redraw, after anything that changes what is shown.
    virtual void RefreshView() = 0;

protected:
    // --- The program's document ---
    // The document's file as a native path; empty or a bare name when untitled.
    virtual std::string DocumentPath() const = 0;
    virtual void SetDocumentPath(const std::string& path) = 0;
    // Mirrors the history's modified flag into the document.
    virtual void ModifiedChanged(bool modified) = 0;
    // New, after the question: the document becomes empty and untitled.
    virtual void StartNewDocument() = 0;
    // Loads `file` chosen in the open dialog, or passed through the document path. False when
    // nothing was loaded (the program has said why).
    virtual bool LoadFromMenu(const std::filesystem::path& file) = 0;
    virtual bool LoadThroughFramework(const std::filesystem::path& file) = 0;
    // The document was replaced (New, Open, a recovery copy): the view takes it up.
    virtual void DocumentReplaced() = 0;
    // An open failed: the program may show more (the history is kept).
    virtual void OpenFailed(const std::filesystem::path& file);
    virtual SaveOutcome SaveInPlace() = 0;
    virtual bool SaveTo(const std::filesystem::path& file) = 0;
    // True when Save would write over the document's own file (not Save As).
    virtual bool SavesInPlace() const = 0;
    // The folder the open dialog starts in, and the name Save As proposes.
    virtual QString InitialOpenFolder() const = 0;
    virtual QString ProposedSaveAsName() const;
    // The file Save As really writes for the name chosen in its dialog (the program may add its
    // extension); the dialog's own overwrite question saw only the chosen name.
    virtual std::filesystem::path SaveAsTarget(const std::filesystem::path& chosen) const;

    // --- The program's printed pages ---
    // Reads the printer's paper again and sets up `printer` (page size) for it.
    virtual void PreparePrinter(QPrinter& printer) = 0;
    // The paper the pages are laid out on, millimetres, read again from the printer.
    virtual QSizeF ReadPaperMm() = 0;
    virtual void DrawPrintedPage(rave::DrawingSurface& surface, int page) = 0;
    // Around drawing pages on a printer or into files (the view's page keys rest meanwhile).
    virtual void BeginPrinting() {}
    virtual void EndPrinting() {}

    // --- The dialogs, kept apart so tests can answer them ---
    virtual std::optional<std::filesystem::path> ChooseFileToOpen(const QString& initialFolder);
    virtual std::optional<std::filesystem::path> ChooseFileToSaveAs(const QString& proposed);
    virtual std::optional<std::filesystem::path> ChooseFileToExportDxf(const QString& proposed);
    // The PDF export's file chooser: the file to write, its extension from the file type picked.
    virtual std::optional<std::filesystem::path> ChooseFileToExportPages(const QString& proposed);
    virtual UnsavedChoice AskAboutUnsavedChanges();
    // Whether Save As may replace the existing file `fileName`; no shows the save dialog again.
    virtual bool AskToReplaceFile(const QString& fileName);
    // The print dialog; false when cancelled.
    virtual bool ChoosePrinter(QPrinter& printer, int pageCount);
    // Shows the print preview until the user closes it.
    virtual void ShowPrintPreview(QPrintPreviewDialog& preview);

    // --- Building the window ---
    // The open and save dialogs' file types.
    void SetFileFilters(const QString& openFilter, const QString& saveFilter);
    // A new action with a command number, kept for Action().
    QAction* AddAction(int commandId, const QString& text, const QString& statusTip = {});
    // One action per command; its tool tip is the text without "&".
    void AddCommands(std::span<const CommandText> commands);
    QMenu* AddMenu(const QString& title, const QString& objectName);
    void AddActions(QMenu* menu, std::initializer_list<int> commandIds);
    // The file menu (New, Open, `imports`, Save, Save As, the printing and page output, the
    // recent files and Exit) and the edit menu (Undo, Redo).
    void AddFileAndEditMenus(std::initializer_list<int> imports);
    // The tool bar, with its show/hide toggle in `viewMenu`.
    QToolBar* AddMainToolBar(QMenu* viewMenu);
    // The status bar's idle text, with its show/hide toggle in `viewMenu`.
    void AddStatusBar(const QString& idleText, QMenu* viewMenu);
    // The name of the document in the title and the questions: its file name, or "無題".
    QString DocumentTitle() const;
    // The title and the modified mark (the recovery copy follows).
    void UpdateTitle();
    // Refuses every command that writes the document's files (see ReadOnly()); `notice` says why.
    void SetReadOnly(const QString& notice);

    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateFileActions();
    void CreateHistoryActions();
    void StepHistory(bool forward);
    void RebuildRecentFileMenu();
    // The history's state to the document and the title.
    void SyncModified();
    void DocumentNamed();
    // The document was replaced by a loaded file: a new history and the view.
    void FinishOpen(bool loaded, const std::filesystem::path& file);
    // Draws the printed pages through `output` between BeginPrinting and EndPrinting.
    void OutputPages(const std::function<void()>& output);

    QString application_;
    QString caption_;
    QString openFilter_;
    QString saveFilter_;
    std::unique_ptr<rave::MessageSink> ownMessages_;
    rave::MessageSink& messages_;
    QUndoStack* undoStack_ = nullptr;
    QStringList recentFiles_;
    QList<QAction*> recentActions_;
    QList<QAction*> actions_;
    RecoverySession* recovery_ = nullptr;
    bool readOnly_ = false;
    QString readOnlyNotice_;
};

}  // namespace rave::platform
