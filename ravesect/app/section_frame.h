// Ravesect's main window, on the shared document window (platform/document_window): the menus,
// tool bar and status bar over the section view, and the file, paging, figure-move and printing
// commands. The rules of every command live in the core (ravesect/document, ravesect/settings);
// this class binds them to actions and dialogs.
//
// How the dialogs plug in: the frame creates every menu action (text, command id, status tip)
// before it calls InstallPlacementAndSettingsCommands and InstallEditingCommands
// (command_install.h). Those connect Action(id)->triggered to their dialogs. A dialog works on
// Document() and the working files of Paths().working. Every committed edit is one undo step
// pushed through PushEdit() (CommitSectionEdit, section_edit_commands.h), holding only the bytes
// of the working files it changed; after an edit, its undo or its redo rewrote the settings or
// column working file the frame calls SettingsOrColumnsRewritten(), which reads them again into
// the document and the view's columns and repaints. A change that cannot be an undo step calls
// MarkChangedOutsideHistory(). A dialog that rewrote a settings file of the install folder
// ("Sysq.ndx", the font files, the pattern settings) calls ReloadSettings(); one that only changed
// what is shown (an editing mode, a marker, a dragged point) calls RefreshView().
//
// The modified flag is the history's clean index; New, Open, the recovery and a new install
// folder clear the history, and a save marks it clean.
//
// Ownership: the frame owns the view (which holds the placed columns in memory and draws the
// screen, the printer and the exported pages from them), the loaded settings (Sysq(), Fonts(),
// PatternColours()), the printer's paper and the shown page (Position()); the document is the
// program's one SectionDocument (CurrentSection()).
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "common/messages.h"
#include "common/pattern_colors.h"
#include "common/soil_name_table.h"
#include "platform/document_window.h"
#include "platform/folder_lock.h"
#include "ravesect/document/section_document.h"
#include "ravesect/drawing/section_drawing.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/settings/section_paging.h"
#include "ravesect/settings/section_paper.h"
#include "ravesect/settings/startup_settings.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect::app {

class SectionView;
class SectionScrollView;

// Command numbers of the actions (kept as each action's data()).
// The file and edit commands are the document window's.
namespace command_id {
using namespace rave::platform::document_command;
// データ menu.
inline constexpr int kPlacement = 32771;      // "ｽｳｪｰﾃﾞﾝ、柱状図ﾌｧｲﾙ(&F)"
inline constexpr int kPoints = 32786;         // "作図/点(&P)"
inline constexpr int kLayers = 32785;         // "作図/層(&L)"
inline constexpr int kProposeLayers = 32807;  // "地層の推定(&A)..."
inline constexpr int kTitles = 32780;         // "標題記事(&M)"
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
}  // namespace command_id

using rave::platform::UnsavedChoice;

// The caption of the main window, after the document's name.
QString ApplicationCaption();

class SectionFrame : public rave::platform::DocumentWindow {
    Q_OBJECT
public:
    // `installFolder` must exist (the application prepares it). `messages`: where the core's
    // messages go; null shows them in message boxes over the window.
    explicit SectionFrame(const std::filesystem::path& installFolder, rave::MessageSink* messages = nullptr,
                          QWidget* parent = nullptr);
    ~SectionFrame() override;

    // --- View commands ---
    void NextPage();
    void PreviousPage();
    // "図を左へ" ... "下へ": the settings move by 4 m ("Tmp0.tmp" rewritten) or string 4031.
    void MoveFigure(FigureMove move);
    // Page Up / ↑ and Page Down / ↓.
    void ScrollFigureUp();
    void ScrollFigureDown();

    // The printed pages, 1 .. the page that reaches the last column.
    std::vector<int> PrintedPages() const override;

    // --- What the dialogs work with ---
    SectionDocument& Document() { return document_; }
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
    SectionView* View() const { return view_; }

    // A committed edit, or the undo or redo of one, rewrote the settings or the column working
    // file ("Tmp0.tmp", "Tmp1.tmp"): those are read again (the titles, points and layers in
    // memory keep the open editing dialogs' pending edits), the page lengths are filled from the
    // paper, the caption, command states and view follow; the modified flag is left to the undo
    // history. The shown page stays unless the settings moved it.
    void SettingsOrColumnsRewritten();
    // The view shows the settings' own page (after the page's settings changed in memory).
    void ShowSettingsPage();
    // The settings files of the install folder were rewritten ("Sysq.ndx", "Fntq*.ndx", the
    // pattern colours): they are read again and the view repaints.
    void ReloadSettings();
    // The install location moved (the set-up dialog): every path is derived again from
    // `installFolder`, the settings are read there and the view repaints. A window that holds
    // the lock of its working files takes the new folder's lock first and then lets the old one
    // go; when the new one is held or cannot be taken, the move is refused with a message (false).
    bool MoveInstallFolder(const std::filesystem::path& installFolder);
    // Command states, caption and a repaint, after anything that changes only what is shown.
    void RefreshView() override;

    // The section as a .sqw file joined from the working files, as a recovery copy holds it.
    std::string RecoveryBytes() const override;
    // The working files of this install folder cannot be locked for this window (another running
    // copy edits them, or the lock cannot be made): it only shows and prints them; every command
    // that would write a working file or a setting is disabled, and the status bar says why.
    void SetWorkingFilesReadOnly(bool heldByOther);
    // The lock of the working files, held until the window goes or moves to another folder.
    // `hooks.record` is what the lock says about this run; `hooks.keepLeftWork` saves the
    // unsaved work a crashed run left in a folder's working files before they are taken over.
    struct LockHooks {
        std::function<rave::RecoveryRecord()> record;
        std::function<void(const rave::RecoveryRecord& left)> keepLeftWork;
    };
    void HoldWorkingFilesLock(std::unique_ptr<rave::platform::FolderLock> lock, LockHooks hooks);
    // The lock follows the document (modified flag and name).
    void UpdateWorkingFilesLock();
    const rave::platform::FolderLock* WorkingFilesLock() const { return lock_.get(); }
    // The working files hold the unsaved work the run `process` left (kept as its recovery
    // copy): 破棄 of that copy at the start drops it from the window too, which starts a new
    // section, so no unsaved work is shown as if it were saved.
    void WorkingFilesHoldLeftWork(const rave::ProcessIdentity& process) { leftWorkRun_ = process; }
    void LeftWorkDiscarded(const rave::OfferedRecovery& offered) override;
    bool WorkingFilesReadOnly() const { return ReadOnly(); }

Q_SIGNALS:
    // The points and layers were read from "SmpP.tmp" again (New, Open, a new install folder,
    // an undo or redo of their edits): the point and layer dialogs drop their pending edits.
    void pointsLayersRead();

protected:
    // The document in the working files: New and Open rewrite them, the view takes them up.
    void StartNewDocument() override;
    bool LoadThroughFramework(const std::filesystem::path& file) override;
    bool LoadFromMenu(const std::filesystem::path& file) override;
    // Says in the status bar what an open left out of the file; returns `opened`.
    bool ShowCutEntries(bool opened);
    void DocumentReplaced() override;
    // A file that could not be read at all is named to the user; the section, the open dialogs'
    // pending edits included, stays as it was.
    void OpenFailed(const std::filesystem::path& file) override;
    std::string DocumentPath() const override { return document_.pathName; }
    void SetDocumentPath(const std::string& path) override { document_.pathName = path; }
    void ModifiedChanged(bool modified) override { document_.modified = modified; }
    rave::platform::SaveOutcome SaveInPlace() override;
    bool SaveTo(const std::filesystem::path& file) override;
    bool SavesInPlace() const override;
    QString InitialOpenFolder() const override;
    QString ProposedSaveAsName() const override;
    // Read-only files hidden, overwriting confirmed, ".sqw" added to a bare name.
    std::optional<std::filesystem::path> ChooseFileToSaveAs(const QString& proposed) override;
    std::filesystem::path SaveAsTarget(const std::filesystem::path& chosen) const override;
    // The section is printed on the paper it was laid out for.
    void PreparePrinter(QPrinter& printer) override;
    QSizeF ReadPaperMm() override;
    void DrawPrintedPage(rave::DrawingSurface& surface, int page) override;
    // No editing markers and no page keys while pages are drawn for a printer or a file.
    void BeginPrinting() override { position_.printing = true; }
    void EndPrinting() override { position_.printing = false; }

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void LoadSettingsFiles();
    // The simple table the drawing resolves a simple layer's name through (empty when missing).
    void LoadSimpleTable();
    void ReadPrinterPaper();
    // Re-reads the working files (with `keepShownPage` only the settings and the columns), fills
    // the page lengths from the paper and puts the shown page at the settings' own page (kept,
    // with `keepShownPage`, while those settings stay).
    void TakeUpDocument(bool keepShownPage = false);
    bool LoadKeepingOnFailure(const std::function<bool()>& load);
    void UpdateCommandStates();
    void ApplyWindowSize();

    SectionDocument& document_;
    SectionPaths paths_;
    SysqSettings sysq_;
    SectionFonts fonts_;
    rave::PatternColorTable patternColours_;
    rave::SoilNameTable simpleTable_;  // the install folder's simple table, for the drawing
    SectionPaper paper_;
    SectionViewPosition position_;
    SectionExtent extent_;

    SectionScrollView* scrollArea_ = nullptr;
    SectionView* view_ = nullptr;
    std::unique_ptr<rave::platform::FolderLock> lock_;
    LockHooks lockHooks_;
    std::optional<rave::ProcessIdentity> leftWorkRun_;
};

}  // namespace ravesect::app
