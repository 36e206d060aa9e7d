// Ravesect's main window: menus, tool bar and status bar over the section view, and the file,
// paging, figure-move and printing commands. The rules of every command live in the core
// (ravesect/document, ravesect/view); this class binds them to actions and dialogs.
//
// How the dialogs plug in: the frame creates every menu action (text, command id, status tip)
// before it calls InstallPlacementAndSettingsCommands and InstallEditingCommands
// (command_install.h). Those connect Action(id)->triggered to their dialogs. A dialog works on
// Document() and the working files of Paths().working; after it rewrote the settings or column
// working file it calls DocumentChanged(), which re-reads those, marks the document modified and
// repaints (the editing dialogs commit their own files through CommitWorkingFile). A dialog
// that rewrote a settings file of the install folder ("Sysq.ndx", the font files, the pattern
// settings) calls ReloadSettings(); one that only changed what is shown (an editing mode, a
// marker) calls RefreshView().
//
// Undo: the editing commands push their steps onto UndoStack() (the 編集 menu's actions follow
// it); New and Open clear it and a save marks it clean.
//
// Ownership: the frame owns the view, the loaded settings (Sysq(), Fonts(), PatternColours()),
// the printer's paper and the shown page (Position()); the document is the program's one
// SectionDocument (CurrentSection()).
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "common/messages.h"
#include "common/pattern_colors.h"
#include "ravesect/document/section_document.h"
#include "ravesect/drawing/section_drawing.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/view/section_paging.h"
#include "ravesect/view/section_paper.h"
#include "ravesect/view/startup_settings.h"
#include "ravesect/view/sysq_settings.h"

class QAction;
class QMenu;
class QPrinter;
class QPrintPreviewDialog;
class QUndoStack;
class QUrl;

namespace rave::platform {
class RecoverySession;
}

namespace ravesect::app {

class SectionView;
class SectionScrollView;

// The caption of the main window, after the document's name.
QString ApplicationCaption();

// Command numbers of the actions (kept as each action's data()).
namespace command_id {
// ファイル menu.
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
// 編集 menu.
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
// データ menu.
inline constexpr int kPlacement = 32771;  // "ｽｳｪｰﾃﾞﾝ、柱状図ﾌｧｲﾙ(&F)"
inline constexpr int kPoints = 32786;     // "作図/点(&P)"
inline constexpr int kLayers = 32785;     // "作図/層(&L)"
inline constexpr int kTitles = 32780;     // "標題記事(&M)"
// 設定 menu.
inline constexpr int kScale = 32772;     // "縮尺/標尺(&S)"
inline constexpr int kFormat = 32779;    // "様式(&Y)"
inline constexpr int kPatterns = 32773;  // "柱状図パターン(&R)"
inline constexpr int kFonts = 32774;     // "フォント(&F)"
inline constexpr int kEnterKey = 32781;  // "キーの動作(&E)"
inline constexpr int kSetup = 32787;     // "セットアップ(&U)"
// ヘルプ menu.
inline constexpr int kHelp = 32778;  // "操作＆ヘルプ(&H)"
// 表示 menu and tool bar: paging and the figure moves.
inline constexpr int kPreviousPage = 32795;  // "前ページ（左頁）"
inline constexpr int kNextPage = 32796;      // "次ページ（右頁）"
inline constexpr int kFigureLeft = 32801;    // "図を左へ"
inline constexpr int kFigureRight = 32802;   // "右へ"
inline constexpr int kFigureUp = 32803;      // "上へ"
inline constexpr int kFigureDown = 32804;    // "下へ"
inline constexpr int kExportDxf = 32805;     // "DXF出力(&D)..."
inline constexpr int kExportPages = 32806;   // "PDF出力(&F)..."
}  // namespace command_id

// The recent-file list: 4 entries in the program's settings (organisation "Kelvard",
// application "Ravesect"), newest first.
inline constexpr int kRecentFileCount = 4;
QStringList ReadRecentFiles();
void WriteRecentFiles(const QStringList& files);
// `file` goes to the top of the list (once); the list keeps kRecentFileCount entries.
QStringList WithRecentFile(QStringList files, const QString& file);

// What a question about unsaved changes can be answered with.
enum class UnsavedChoice { kSave, kDiscard, kCancel };

class SectionFrame : public QMainWindow {
    Q_OBJECT
public:
    // `installFolder` must exist (the application prepares it). `messages`: where the core's
    // messages go; null shows them in message boxes over the window.
    explicit SectionFrame(const std::filesystem::path& installFolder, rave::MessageSink* messages = nullptr,
                          QWidget* parent = nullptr);
    ~SectionFrame() override;

    // --- File commands ---
    // Opens a .sqw file through the document path (command line, recent files, dropped files),
    // without asking about unsaved changes. False when nothing was loaded.
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

    // --- View commands ---
    void NextPage();
    void PreviousPage();
    // "図を左へ" ... "下へ": the settings move by 4 m ("Tmp0.tmp" rewritten) or string 4031.
    void MoveFigure(FigureMove move);
    // Page Up / ↑ and Page Down / ↓.
    void ScrollFigureUp();
    void ScrollFigureDown();

    // --- Printing ---
    void Print();
    void PrintPreview();
    // The printed pages as DXF files for CAD.
    void ExportDxf();
    void ExportPages();
    // The printed pages, 1 .. the page that reaches the last column.
    std::vector<int> PrintedPages() const;
    // Draws `pages` on the printer (or a preview's printer) as the print command does, with no
    // editing markers and the page keys blocked meanwhile.
    void PrintPagesOn(QPrinter& printer, const std::vector<int>& pages);

    // --- What the dialogs work with ---
    QAction* Action(int commandId) const;
    // The menus by object name: "fileMenu", "editMenu", "viewMenu", "dataMenu", "settingsMenu",
    // "helpMenu".
    QMenu* Menu(const QString& objectName) const;

    SectionDocument& Document() { return document_; }
    rave::MessageSink& Messages() { return messages_; }
    const std::filesystem::path& InstallFolder() const { return paths_.installFolder; }
    // Every file of the install folder; Paths().working are the four working files.
    const SectionPaths& Paths() const { return paths_; }
    const WorkingFiles& Files() const { return paths_.working; }
    SysqSettings& Sysq() { return sysq_; }
    const SectionFonts& Fonts() const { return fonts_; }
    const rave::PatternColorTable& PatternColours() const { return patternColours_; }
    // The printer's paper, read again before every view update and before printing.
    const SectionPaper& Paper() const { return paper_; }
    // The page the view shows (moved by paging and scrolling).
    SectionViewPosition& Position() { return position_; }
    // What the last drawing saw: the first and last column's distances and the ruler extent.
    const SectionExtent& Extent() const { return extent_; }
    SectionSpan Span() const;
    QUndoStack* UndoStack() const { return undoStack_; }
    SectionView* View() const { return view_; }
    const QStringList& RecentFiles() const { return recentFiles_; }

    // A dialog changed the settings or the columns ("Tmp0.tmp", "Tmp1.tmp"): those are read
    // again (the titles, points and layers in memory keep the open editing dialogs' pending
    // edits), the page lengths are filled from the paper, the document counts as modified, the
    // caption, command states and view follow. The shown page stays unless the settings moved it.
    void DocumentChanged();
    // The view shows the settings' own page (after the page's settings changed in memory).
    void ShowSettingsPage();
    // The settings files of the install folder were rewritten ("Sysq.ndx", "Fntq*.ndx", the
    // pattern colours): they are read again and the view repaints.
    void ReloadSettings();
    // The install location moved (the set-up dialog): every path is derived again from
    // `installFolder`, the settings are read there and the view repaints.
    void MoveInstallFolder(const std::filesystem::path& installFolder);
    // Command states, caption and a repaint, after anything that changes only what is shown.
    void RefreshView();

    // Autosave: from now on `session` keeps a recovery copy while the section has unsaved
    // changes (the application attaches it; tests may leave the window without one).
    void AttachRecovery(rave::platform::RecoverySession* session);
    // Opens the recovery copy `copy` into the working files: the section counts as modified and
    // is named after `originalPath`, so Save writes there. False when the copy could not be read.
    bool RestoreRecoveryCopy(const std::filesystem::path& copy, const std::string& originalPath);
    // The section as a .sqw file joined from the working files, as a recovery copy holds it.
    std::string RecoveryBytes() const;
    // Another running copy edits the working files of this install folder: this window only shows
    // and prints them; every command that would write a working file is disabled.
    void SetWorkingFilesReadOnly();
    bool WorkingFilesReadOnly() const { return workingFilesReadOnly_; }

Q_SIGNALS:
    // The points and layers were read from "SmpP.tmp" again (New, Open, a new install folder,
    // an undo or redo of their edits): the point and layer dialogs drop their pending edits.
    void pointsLayersRead();

protected:
    // The file dialogs and the question, kept apart so tests can answer them.
    virtual std::optional<std::filesystem::path> ChooseFileToOpen(const QString& initialFolder);
    virtual std::optional<std::filesystem::path> ChooseFileToSaveAs(const QString& proposed);
    virtual std::optional<std::filesystem::path> ChooseFileToExportDxf(const QString& proposed);
    // The PDF export's file chooser: the file to write, its extension from the file type picked.
    virtual std::optional<std::filesystem::path> ChooseFileToExportPages(const QString& proposed);
    virtual UnsavedChoice AskAboutUnsavedChanges();
    // The print dialog; false when cancelled. Tests answer it.
    virtual bool ChoosePrinter(QPrinter& printer, int pageCount);
    // Shows the print preview until the user closes it. Tests look at it instead.
    virtual void ShowPrintPreview(QPrintPreviewDialog& preview);

    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void RebuildRecentFileMenu();
    void LoadSettingsFiles();
    void ReadPrinterPaper();
    // Re-reads the working files (with `keepShownPage` only the settings and the columns), fills
    // the page lengths from the paper and puts the shown page at the settings' own page (kept,
    // with `keepShownPage`, while those settings stay).
    void TakeUpDocument(bool keepShownPage = false);
    void DocumentNamed();
    void ReportUnreadable(const std::filesystem::path& file);
    void UpdateCaption();
    void UpdateCommandStates();
    void WriteSettingsLine();
    // The printer's paper and page settings for printing and the preview.
    void PreparePrinter(QPrinter& printer);
    void ApplyWindowSize();

    std::unique_ptr<rave::MessageSink> ownMessages_;
    rave::MessageSink& messages_;
    SectionDocument& document_;
    SectionPaths paths_;
    SysqSettings sysq_;
    SectionFonts fonts_;
    rave::PatternColorTable patternColours_;
    SectionPaper paper_;
    SectionViewPosition position_;
    SectionExtent extent_;
    QStringList recentFiles_;

    SectionScrollView* scrollArea_ = nullptr;
    SectionView* view_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QAction* exitAction_ = nullptr;
    QList<QAction*> recentActions_;
    QList<QAction*> actions_;
    QUndoStack* undoStack_ = nullptr;
    rave::platform::RecoverySession* recovery_ = nullptr;
    bool workingFilesReadOnly_ = false;
};

}  // namespace ravesect::app
