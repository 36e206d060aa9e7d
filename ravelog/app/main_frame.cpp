// Ravelog's main window and its commands.
#include "ravelog/app/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>

#include "platform/install_folder.h"
#include "platform/printer_paper.h"
#include "ravelog/app/command_install.h"
#include "ravelog/app/ravelog_view.h"
#include "ravelog/document/sounding_file.h"
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/report/page_count.h"
#include "ravelog/report/report_page.h"

namespace ravelog::app {

QString ApplicationCaption() {
    return QStringLiteral("スウェーデン Ravelog");
}

MainFrame::MainFrame(const std::filesystem::path& installFolder, rave::MessageSink* messages, QWidget* parent)
    : DocumentWindow(QStringLiteral("Ravelog"), ApplicationCaption(), messages, parent),
      installFolder_(installFolder),
      document_(CurrentSounding()) {
    setObjectName(QStringLiteral("mainFrame"));
    SetFileFilters(QStringLiteral("Ver3、4、5形式(*.sdw);;Ver2形式(s*.ddf);;すべて(*.*)"),
                   QStringLiteral("ｽｳｪｰﾃﾞﾝﾃﾞｰﾀ(*.sdw);;すべて(*.*)"));

    // The program starts with a new, empty sounding.
    StartNewDocument();
    files_.drives = rave::platform::SystemDriveMap(rave::platform::CurrentDriveFolders());
    LoadStartupFiles(files_, installFolder_, document_, false, Messages());

    scrollArea_ = new ReportScrollArea(this);
    view_ = new RavelogView(document_, files_, state_, Messages(), scrollArea_);
    scrollArea_->setWidget(view_);
    setCentralWidget(scrollArea_);
    connect(view_, &RavelogView::pageChanged, this, [this] { UpdateCommandStates(); });

    CreateActions();
    CreateDocumentCommandActions();
    CreateMenus();
    CreateToolBar();
    InstallDataCommands(*this);
    InstallRowAndImportCommands(*this);
    InstallSettingsCommands(*this);
    InstallSharedSettingsCommands(*this);
    resize(1000, 900);
    TakeUpDocument();
    view_->setFocus();
}

MainFrame::~MainFrame() = default;

void MainFrame::CreateActions() {
    const auto add = [this](int id, const QString& text, auto slot) {
        QAction* action = AddAction(id, text);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    formatGroup_ = new QActionGroup(this);
    const QString formatTexts[] = {QStringLiteral("様式-1"), QStringLiteral("様式-2"),
                                   QStringLiteral("様式-3")};
    const QString toolTexts[] = {QStringLiteral("様式1"), QStringLiteral("様式2"), QStringLiteral("様式3")};
    for (int format = 0; format < 3; ++format) {
        QAction* menuAction =
            add(command_id::kFormat1 + format, formatTexts[format], [this, format] { SelectFormat(format); });
        menuAction->setCheckable(true);
        formatGroup_->addAction(menuAction);
        QAction* toolAction = add(command_id::kToolFormat1 + format, toolTexts[format],
                                  [this, format] { SelectFormat(format); });
        toolAction->setStatusTip(toolTexts[format]);
        toolAction->setToolTip(toolTexts[format]);
    }

    QAction* previous = add(command_id::kPreviousPage, QStringLiteral("前頁"), &MainFrame::PreviousPage);
    previous->setStatusTip(QStringLiteral("前のページへ"));
    previous->setToolTip(QStringLiteral("前頁"));
    QAction* next = add(command_id::kNextPage, QStringLiteral("次頁"), &MainFrame::NextPage);
    next->setStatusTip(QStringLiteral("次のページ"));
    next->setToolTip(QStringLiteral("次頁"));
}

void MainFrame::CreateMenus() {
    AddFileAndEditMenus({command_id::kImportCsv, command_id::kImportSpace});

    // Filled after the tool bar exists (its toggle action).
    AddMenu(QStringLiteral("表示(&V)"), QStringLiteral("viewMenu"));

    QMenu* dataMenu = AddMenu(QStringLiteral("データ(&D)"), QStringLiteral("dataMenu"));
    AddActions(dataMenu, {command_id::kHeader, command_id::kMeasuredRows, command_id::kConversionSettings,
                          command_id::kNswAverage, command_id::kPageFooter});

    QMenu* formatMenu = AddMenu(QStringLiteral("様式(&Y)"), QStringLiteral("formatMenu"));
    AddActions(formatMenu, {command_id::kFormat1, command_id::kFormat2, command_id::kFormat3});
    connect(formatMenu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });

    QMenu* settingsMenu = AddMenu(QStringLiteral("設定(&S)"), QStringLiteral("settingsMenu"));
    AddActions(settingsMenu, {command_id::kFormatDecimals, command_id::kLineTypes,
                              command_id::kDefaultCoefficients, command_id::kMargins});
    settingsMenu->addSeparator();
    AddActions(settingsMenu, {command_id::kTechnicians, command_id::kShortTexts, command_id::kJacicSoilNames,
                              command_id::kSimpleSoilNames});
    settingsMenu->addSeparator();
    AddActions(settingsMenu, {command_id::kFonts, command_id::kEnterKey});

    QMenu* helpMenu = AddMenu(QStringLiteral("ヘルプ(&H)"), QStringLiteral("helpMenu"));
    helpMenu->addAction(Action(command_id::kHelp));
}

void MainFrame::CreateToolBar() {
    QMenu* viewMenu = Menu(QStringLiteral("viewMenu"));
    QToolBar* toolBar = AddMainToolBar(viewMenu);
    toolBar->addAction(Action(command_id::kPreviousPage));
    toolBar->addAction(Action(command_id::kNextPage));
    toolBar->addSeparator();
    toolBar->addAction(Action(command_id::kToolFormat1));
    toolBar->addAction(Action(command_id::kToolFormat2));
    toolBar->addAction(Action(command_id::kToolFormat3));
    AddStatusBar(QStringLiteral("改ページは↑↓ｷｰ（2頁以上の場合）"), viewMenu);
}

void MainFrame::TakeUpDocument() {
    LoadStartupFiles(files_, installFolder_, document_, false, Messages());
    TakeUpDocumentForView(document_, files_, Messages());
    ReadPrinterPaperSize();
    state_.reportFormat = ReportFormatOf(document_);
    RefreshView();
}

void MainFrame::ReadPrinterPaperSize() {
    const std::optional<rave::platform::PrinterPageInfo> printer = rave::platform::DefaultPrinterPage();
    std::optional<PrinterPage> page;
    if (printer) {
        page = PrinterPage{printer->widthUnits, printer->heightUnits, printer->dpiX, printer->dpiY};
    }
    paper_ = PaperSizeFromPrinter(page, Messages());
}

void MainFrame::UpdateCommandStates() {
    const bool paging = PagingEnabled(document_);
    Action(command_id::kPreviousPage)->setEnabled(paging);
    Action(command_id::kNextPage)->setEnabled(paging);
    Action(command_id::kFormat1 + state_.reportFormat)->setChecked(true);
}

void MainFrame::RefreshView() {
    CountReportPages(document_, state_.currentPage);
    UpdateTitle();
    UpdateCommandStates();
    view_->update();
}

void MainFrame::StartNewDocument() {
    document_.ClearSoundingData();
    document_.pathName.clear();
    document_.modified = false;
}

bool MainFrame::LoadFromMenu(const std::filesystem::path& file) {
    return OpenSoundingFromMenu(document_, Messages(), file, installFolder_) != kVersionUnknown;
}

bool MainFrame::LoadThroughFramework(const std::filesystem::path& file) {
    return OpenSoundingThroughFramework(document_, Messages(), file) != kVersionUnknown;
}

void MainFrame::DocumentReplaced() {
    state_.currentPage = 1;
    TakeUpDocument();
}

rave::platform::SaveOutcome MainFrame::SaveInPlace() {
    switch (SaveSounding(document_, Messages())) {
        case SaveResult::kSaved:
            return rave::platform::SaveOutcome::kSaved;
        case SaveResult::kNeedsSaveAs:
            return rave::platform::SaveOutcome::kNeedsSaveAs;
        case SaveResult::kFailed:
        case SaveResult::kWrongExtension:
            break;
    }
    return rave::platform::SaveOutcome::kFailed;
}

bool MainFrame::SaveTo(const std::filesystem::path& file) {
    return SaveSoundingAs(document_, Messages(), file) == SaveResult::kSaved;
}

std::filesystem::path MainFrame::SaveAsTarget(const std::filesystem::path& chosen) const {
    return SaveAsTargetPath(chosen);
}

bool MainFrame::SavesInPlace() const {
    return CanSaveInPlace(document_);
}

QString MainFrame::InitialOpenFolder() const {
    return QString::fromStdString(ReadLastFolderFile(installFolder_).folder);
}

std::string MainFrame::RecoveryBytes() const {
    // Writing fills in the depth of the last row; the document itself stays as it is.
    SoundingDocument copy = document_;
    return WriteSoundingFile(copy);
}

void MainFrame::SelectFormat(int format) {
    // The format is stored in the document (header slot 31), so choosing another one is an edit.
    const SoundingDocument before = document_;
    SelectReportFormat(document_, state_, format);
    CommitDocumentEdit(QStringLiteral("様式"), before);
}

void MainFrame::NextPage() {
    GoToNextPage(document_, state_);
    UpdateCommandStates();
    view_->update();
}

void MainFrame::PreviousPage() {
    GoToPreviousPage(document_, state_);
    UpdateCommandStates();
    view_->update();
}

std::vector<int> MainFrame::PrintedPages() const {
    int currentPage = state_.currentPage;
    const int count = CountReportPages(document_, currentPage);
    std::vector<int> pages;
    for (int page = 1; page <= count; ++page) {
        pages.push_back(page);
    }
    return pages;
}

void MainFrame::PreparePrinter(QPrinter&) {
    ReadPrinterPaperSize();
}

QSizeF MainFrame::ReadPaperMm() {
    ReadPrinterPaperSize();
    return QSizeF(paper_.widthMm, paper_.heightMm);
}

void MainFrame::DrawPrintedPage(rave::DrawingSurface& surface, int page) {
    DrawPrinterPage(surface, document_, files_.Resources(), state_, page, &Messages());
}

}  // namespace ravelog::app
