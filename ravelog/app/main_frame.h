// Ravelog's main window: menus, tool bar and status bar over the report view, and the file,
// format, paging and printing commands. The rules of every command live in the core; this class
// binds them to actions and dialogs.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/messages.h"
#include "platform/document_window.h"
#include "ravelog/document/sounding_document.h"
#include "ravelog/report/printer_paper.h"
#include "ravelog/report/report_startup.h"
#include "ravelog/report/report_view_state.h"

class QActionGroup;

namespace ravelog::app {

class RavelogView;
class ReportScrollArea;

using rave::platform::UnsavedChoice;

// The caption of the main window, after the document's name.
QString ApplicationCaption();

// Command numbers of the actions (kept as each action's data). The file and edit commands are
// the document window's.
namespace command_id {
using namespace rave::platform::document_command;
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
}  // namespace command_id

class MainFrame : public rave::platform::DocumentWindow {
    Q_OBJECT
public:
    // `messages`: where the core's messages go; null shows them in message boxes over the window.
    MainFrame(const std::filesystem::path& installFolder, rave::MessageSink* messages = nullptr,
              QWidget* parent = nullptr);
    ~MainFrame() override;

    // The commands of the format menu and the tool bar.
    void SelectFormat(int format);
    void NextPage();
    void PreviousPage();
    std::vector<int> PrintedPages() const override;

    // What the dialogs of the data, settings and help menus work with. The menu actions exist from
    // the start (texts, ids, status tips); the Install*Commands functions connect them.
    SoundingDocument& Document() { return document_; }
    const std::filesystem::path& InstallFolder() const { return installFolder_; }
    StartupFiles& Files() { return files_; }
    ReportViewState& State() { return state_; }

    // A dialog that edits the document was confirmed. `before` is the document as it was when the
    // dialog opened (take a copy before opening it). When the document now differs, the change
    // becomes one undoable step named `label`; the page count, the command states and the view
    // follow. The caller has already run the refresh its Part asks for (for example
    // RefreshAfterRowEdit).
    void CommitDocumentEdit(const QString& label, const SoundingDocument& before);
    // The fonts or soil-name tables of the install folder were rewritten: they are loaded again
    // (the settings in memory stay in use), the document is taken up as the view shows it, and
    // the view is redrawn.
    void ReloadSettings();
    // Page count, command states and a full redraw, after anything that changes what is drawn.
    void RefreshView() override;
    RavelogView* View() const { return view_; }
    const ReportViewState& ViewState() const { return state_; }
    // The default printer's paper, read again on every view update and before printing.
    const PaperSize& Paper() const { return paper_; }
    // Reads the default printer's paper again (the page-footer dialog does so before it opens).
    void ReadPrinterPaperSize();

    // The document as a .sdw file, as a recovery copy holds it.
    std::string RecoveryBytes() const override;

protected:
    std::string DocumentPath() const override { return document_.pathName; }
    void SetDocumentPath(const std::string& path) override { document_.pathName = path; }
    void ModifiedChanged(bool modified) override { document_.modified = modified; }
    void StartNewDocument() override;
    bool LoadFromMenu(const std::filesystem::path& file) override;
    bool LoadThroughFramework(const std::filesystem::path& file) override;
    void DocumentReplaced() override;
    rave::platform::SaveOutcome SaveInPlace() override;
    bool SaveTo(const std::filesystem::path& file) override;
    std::filesystem::path SaveAsTarget(const std::filesystem::path& chosen) const override;
    bool SavesInPlace() const override;
    QString InitialOpenFolder() const override;
    void PreparePrinter(QPrinter& printer) override;
    QSizeF ReadPaperMm() override;
    void DrawPrintedPage(rave::DrawingSurface& surface, int page) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    // The view's update after a new or opened document: settings checked again, the document
    // taken up as the view shows it, the commands' states and the caption renewed, full redraw.
    void TakeUpDocument();
    void UpdateCommandStates();
    void CreateDocumentCommandActions();
    // After an undo or redo put another document in place.
    void DocumentRestored();

    std::filesystem::path installFolder_;
    SoundingDocument& document_;
    StartupFiles files_;
    ReportViewState state_;
    PaperSize paper_;

    ReportScrollArea* scrollArea_ = nullptr;
    RavelogView* view_ = nullptr;
    QActionGroup* formatGroup_ = nullptr;
};

}  // namespace ravelog::app
