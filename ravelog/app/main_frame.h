// Ravelog's main window: menus, tool bar and status bar over the report view, and the file,
// format, paging and printing commands. The rules of every command live in the core; this class
// binds them to actions and dialogs.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>

#include "common/messages.h"
#include "ravelog/document/sounding_document.h"
#include "ravelog/report/printer_paper.h"
#include "ravelog/report/report_startup.h"
#include "ravelog/report/report_view_state.h"

class QAction;
class QPrinter;
class QUrl;
class QActionGroup;
class QMenu;
class QUndoStack;

namespace rave::platform {
class RecoverySession;
}

namespace ravelog::app {

class RavelogView;
class ReportScrollArea;

// The caption of the main window, before the document's name.
QString ApplicationCaption();

// Command numbers of the actions (kept as each action's data).
namespace command_id {
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kFormat1 = 32784;
inline constexpr int kFormat2 = 32785;
inline constexpr int kFormat3 = 32786;
inline constexpr int kToolFormat1 = 32795;
inline constexpr int kToolFormat2 = 32796;
inline constexpr int kToolFormat3 = 32797;
inline constexpr int kPreviousPage = 32801;
inline constexpr int kNextPage = 32802;
// データ menu.
inline constexpr int kHeader = 32771;
inline constexpr int kMeasuredRows = 32774;
inline constexpr int kConversionSettings = 32773;
inline constexpr int kNswAverage = 32803;
inline constexpr int kPageFooter = 32770;
// ファイル menu: imports.
inline constexpr int kImportCsv = 32789;
inline constexpr int kImportSpace = 32800;
// 設定 menu.
inline constexpr int kFormatDecimals = 32776;
inline constexpr int kLineTypes = 32777;
inline constexpr int kDefaultCoefficients = 32793;
inline constexpr int kMargins = 32798;
inline constexpr int kTechnicians = 32782;
inline constexpr int kShortTexts = 32787;
inline constexpr int kJacicSoilNames = 32788;
inline constexpr int kSimpleSoilNames = 32775;
inline constexpr int kFonts = 32778;
inline constexpr int kEnterKey = 32804;
// ヘルプ menu.
inline constexpr int kHelp = 57670;
// ファイル menu: the pages as DXF files for CAD.
inline constexpr int kExportDxf = 32805;
// ファイル menu: the pages as a PDF, or as PNG or SVG pictures.
inline constexpr int kExportPages = 32806;
// 編集 menu.
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
}  // namespace command_id

// The recent-file list: 4 entries in the program's settings (organisation "Kelvard"), newest
// first.
inline constexpr int kRecentFileCount = 4;
QStringList ReadRecentFiles();
void WriteRecentFiles(const QStringList& files);
// `file` goes to the top of the list (once), the list keeps kRecentFileCount entries.
QStringList WithRecentFile(QStringList files, const QString& file);

// What a question about unsaved changes can be answered with.
enum class UnsavedChoice { kSave, kDiscard, kCancel };

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    // `messages`: where the core's messages go; null shows them in message boxes over the window.
    MainFrame(const std::filesystem::path& installFolder, rave::MessageSink* messages = nullptr,
              QWidget* parent = nullptr);
    ~MainFrame() override;

    // Opens a file through the document path (command line, recent files, dropped files),
    // without asking about unsaved changes. False when the file was refused (message shown).
    bool OpenThroughFramework(const std::filesystem::path& file);

    // The commands, as the menus and tool bar call them.
    void NewDocument();
    void OpenFromMenu();
    bool Save();
    bool SaveAs();
    void SelectFormat(int format);
    void NextPage();
    void PreviousPage();
    void Print();
    void PrintPreview();
    // Every page of the sheet as DXF files, on the printer's paper.
    void ExportDxf();
    void ExportPages();
    void OpenRecentFile(int index);
    // Files dropped on the window: the first local file opens through the document path, after
    // the question about unsaved changes. True when something was dropped that could be taken.
    bool OpenDroppedFiles(const QList<QUrl>& urls);
    // Draws `pages` on the printer (or a preview's printer) as the print command does; the view
    // shows the last page drawn afterwards.
    void PrintPagesOn(QPrinter& printer, const std::vector<int>& pages);

    // Asks about unsaved changes (when there are any) and saves when told to. False when the
    // work in hand must not go on.
    bool ConfirmDiscardChanges();

    QAction* Action(int commandId) const;
    // The menus by object name: "fileMenu", "editMenu", "viewMenu", "dataMenu", "formatMenu",
    // "settingsMenu", "helpMenu".
    QMenu* Menu(const QString& objectName) const;

    // What the dialogs of the data, settings and help menus work with. The menu actions exist from
    // the start (texts, ids, status tips); the Install*Commands functions connect them.
    SoundingDocument& Document() { return document_; }
    rave::MessageSink& Messages() { return messages_; }
    const std::filesystem::path& InstallFolder() const { return installFolder_; }
    StartupFiles& Files() { return files_; }
    ReportViewState& State() { return state_; }
    QUndoStack* UndoStack() const { return undoStack_; }

    // A dialog that edits the document was confirmed. `before` is the document as it was when the
    // dialog opened (take a copy before opening it). When the document now differs, the change
    // becomes one undoable step named `label` and the document counts as modified; the page count,
    // the command states and the view follow. The caller has already run the refresh its Part asks
    // for (for example RefreshAfterRowEdit).
    void CommitDocumentEdit(const QString& label, const SoundingDocument& before);
    // The fonts or soil-name tables of the install folder were rewritten: they are loaded again
    // (the settings in memory stay in use), the document is taken up as the view shows it, and
    // the view is redrawn.
    void ReloadSettings();
    // Page count, command states and a full redraw, after anything that changes what is drawn.
    void RefreshView();
    RavelogView* View() const { return view_; }
    const ReportViewState& ViewState() const { return state_; }
    const QStringList& RecentFiles() const { return recentFiles_; }
    // The default printer's paper, read again on every view update and before printing.
    const PaperSize& Paper() const { return paper_; }
    // Reads the default printer's paper again (the page-footer dialog does so before it opens).
    void ReadPrinterPaperSize();

    // Autosave: from now on `session` keeps a recovery copy while the document has unsaved
    // changes (the application attaches it; tests may leave the window without one).
    void AttachRecovery(rave::platform::RecoverySession* session);
    // Replaces the document by the recovery copy `copy`: it counts as modified and is named
    // after `originalPath`, so Save writes there. False when the copy could not be read.
    bool RestoreRecoveryCopy(const std::filesystem::path& copy, const std::string& originalPath);
    // The document as a .sdw file, as a recovery copy holds it.
    std::string RecoveryBytes() const;

protected:
    // The dialogs, kept apart so tests can answer them.
    virtual std::optional<std::filesystem::path> ChooseFileToOpen(const QString& initialFolder);
    virtual std::optional<std::filesystem::path> ChooseFileToSaveAs(const QString& proposed);
    virtual std::optional<std::filesystem::path> ChooseFileToExportDxf(const QString& proposed);
    // The PDF export's file chooser: the file to write, its extension from the file type picked.
    virtual std::optional<std::filesystem::path> ChooseFileToExportPages(const QString& proposed);
    virtual UnsavedChoice AskAboutUnsavedChanges();

    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void RebuildRecentFileMenu();
    // The view's update after a new or opened document: settings checked again, the document
    // taken up as the view shows it, the commands' states and the caption renewed, full redraw.
    void TakeUpDocument();
    void DocumentNamed();
    void UpdateCaption();
    void UpdateCommandStates();
    void Redraw();
    std::vector<int> AllPages() const;
    void CreateDocumentCommandActions();
    // After an undo or redo put another document in place; `newIndex` is the undo stack's index
    // once the step is done.
    void DocumentRestored(int newIndex);

    std::filesystem::path installFolder_;
    std::unique_ptr<rave::MessageSink> ownMessages_;
    rave::MessageSink& messages_;
    SoundingDocument& document_;
    StartupFiles files_;
    ReportViewState state_;
    QStringList recentFiles_;
    PaperSize paper_;

    ReportScrollArea* scrollArea_ = nullptr;
    RavelogView* view_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QAction* exitAction_ = nullptr;
    QList<QAction*> recentActions_;
    QList<QAction*> actions_;
    QActionGroup* formatGroup_ = nullptr;
    QUndoStack* undoStack_ = nullptr;
    rave::platform::RecoverySession* recovery_ = nullptr;
};

}  // namespace ravelog::app
