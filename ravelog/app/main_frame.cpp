// Ravelog's main window and its commands.
#include "ravelog/app/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>

#include "platform/codec.h"
#include "platform/install_folder.h"
#include "platform/message_box.h"
#include "platform/page_output.h"
#include "platform/printer_paper.h"
#include "platform/program_settings.h"
#include "platform/qpainter_surface.h"
#include "platform/recovery.h"
#include "ravelog/app/command_install.h"
#include "ravelog/app/ravelog_view.h"
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/report/page_count.h"
#include "ravelog/report/report_page.h"

namespace ravelog::app {

namespace {

const QString kOrganisation = rave::platform::OrganisationName();
const QString kApplication = QStringLiteral("Ravelog");
const QString kRecentFileGroup = QStringLiteral("Recent File List");

// The file dialogs' filters.
const QString kOpenFilter = QStringLiteral("Ver3、4、5形式(*.sdw);;Ver2形式(s*.ddf);;すべて(*.*)");
const QString kSaveFilter = QStringLiteral("ｽｳｪｰﾃﾞﾝﾃﾞｰﾀ(*.sdw);;すべて(*.*)");

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

std::filesystem::path ToPath(const QString& text) {
    return std::filesystem::path(text.toStdString());
}

QString DocumentTitle(const SoundingDocument& document) {
    if (document.pathName.empty()) {
        return QStringLiteral("無題");
    }
    return ToQString(std::filesystem::path(document.pathName).filename());
}

QSettings RecentFileSettings() {
    return QSettings(kOrganisation, kApplication);
}

}  // namespace

QString ApplicationCaption() {
    return QStringLiteral("スウェーデン Ravelog");
}

QStringList ReadRecentFiles() {
    QSettings settings = RecentFileSettings();
    settings.beginGroup(kRecentFileGroup);
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty()) {
            files.append(file);
        }
    }
    return files;
}

void WriteRecentFiles(const QStringList& files) {
    QSettings settings = RecentFileSettings();
    settings.beginGroup(kRecentFileGroup);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= files.size()) {
            settings.setValue(key, files.at(i - 1));
        } else {
            settings.remove(key);
        }
    }
}

QStringList WithRecentFile(QStringList files, const QString& file) {
    const QString absolute = QFileInfo(file).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFileCount) {
        files.removeLast();
    }
    return files;
}

MainFrame::MainFrame(const std::filesystem::path& installFolder, rave::MessageSink* messages, QWidget* parent)
    : QMainWindow(parent),
      installFolder_(installFolder),
      ownMessages_(messages == nullptr
                       ? std::make_unique<rave::platform::MessageBoxSink>(this, ApplicationCaption())
                       : nullptr),
      messages_(messages == nullptr ? *ownMessages_ : *messages),
      document_(CurrentSounding()) {
    setObjectName(QStringLiteral("mainFrame"));
    setAcceptDrops(true);

    // The program starts with a new, empty sounding.
    document_.ClearSoundingData();
    document_.pathName.clear();
    document_.modified = false;
    files_.drives = rave::platform::MakeDriveMap(rave::platform::CurrentDriveFolders());
    LoadStartupFiles(files_, installFolder_, document_, false, messages_);

    scrollArea_ = new ReportScrollArea(this);
    view_ = new RavelogView(document_, files_, state_, messages_, scrollArea_);
    scrollArea_->setWidget(view_);
    setCentralWidget(scrollArea_);
    connect(view_, &RavelogView::pageChanged, this, [this] { UpdateCommandStates(); });

    recentFiles_ = ReadRecentFiles();
    CreateActions();
    CreateDocumentCommandActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    InstallDataCommands(*this);
    InstallRowAndImportCommands(*this);
    InstallSettingsCommands(*this);
    InstallSharedSettingsCommands(*this);
    resize(1000, 900);
    TakeUpDocument();
    view_->setFocus();
}

MainFrame::~MainFrame() = default;

QAction* MainFrame::Action(int commandId) const {
    for (QAction* action : actions_) {
        if (action->data().toInt() == commandId) {
            return action;
        }
    }
    return nullptr;
}

void MainFrame::CreateActions() {
    const auto add = [this](int id, const QString& text, auto slot) {
        auto* action = new QAction(text, this);
        action->setData(id);
        connect(action, &QAction::triggered, this, slot);
        actions_.append(action);
        return action;
    };
    add(command_id::kNew, QStringLiteral("新規作成(&N)\tCtrl+N"), &MainFrame::NewDocument)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    add(command_id::kOpen, QStringLiteral("開く(&O)...\tCtrl+O"), &MainFrame::OpenFromMenu)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    add(command_id::kSave, QStringLiteral("上書き保存(&S)\tCtrl+S"), [this] {
        Save();
    })->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    add(command_id::kSaveAs, QStringLiteral("名前を付けて保存(&A)..."), [this] { SaveAs(); });
    add(command_id::kPrint, QStringLiteral("印刷(&P)...\tCtrl+P"), &MainFrame::Print)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    add(command_id::kPrintPreview, QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), &MainFrame::PrintPreview);

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

    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        connect(action, &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
        recentActions_.append(action);
    }
    exitAction_ = new QAction(QStringLiteral("終了(&X)"), this);
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);
}

void MainFrame::CreateMenus() {
    const auto addMenu = [this](const QString& title, const QString& name) {
        QMenu* menu = menuBar()->addMenu(title);
        menu->setObjectName(name);
        return menu;
    };
    fileMenu_ = addMenu(QStringLiteral("ファイル(&F)"), QStringLiteral("fileMenu"));
    fileMenu_->addAction(Action(command_id::kNew));
    fileMenu_->addAction(Action(command_id::kOpen));
    fileMenu_->addAction(Action(command_id::kImportCsv));
    fileMenu_->addAction(Action(command_id::kImportSpace));
    fileMenu_->addAction(Action(command_id::kSave));
    fileMenu_->addAction(Action(command_id::kSaveAs));
    fileMenu_->addSeparator();
    fileMenu_->addAction(Action(command_id::kPrint));
    fileMenu_->addAction(Action(command_id::kPrintPreview));
    fileMenu_->addAction(Action(command_id::kExportPages));
    fileMenu_->addAction(Action(command_id::kExportDxf));
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addActions(recentActions_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(exitAction_);
    RebuildRecentFileMenu();

    QMenu* editMenu = addMenu(QStringLiteral("編集(&E)"), QStringLiteral("editMenu"));
    editMenu->addAction(Action(command_id::kUndo));
    editMenu->addAction(Action(command_id::kRedo));

    // Filled after the tool bar and status bar exist (their toggle actions).
    addMenu(QStringLiteral("表示(&V)"), QStringLiteral("viewMenu"));

    QMenu* dataMenu = addMenu(QStringLiteral("データ(&D)"), QStringLiteral("dataMenu"));
    for (int id : {command_id::kHeader, command_id::kMeasuredRows, command_id::kConversionSettings,
                   command_id::kNswAverage, command_id::kPageFooter}) {
        dataMenu->addAction(Action(id));
    }

    QMenu* formatMenu = addMenu(QStringLiteral("様式(&Y)"), QStringLiteral("formatMenu"));
    formatMenu->addAction(Action(command_id::kFormat1));
    formatMenu->addAction(Action(command_id::kFormat2));
    formatMenu->addAction(Action(command_id::kFormat3));
    connect(formatMenu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });

    QMenu* settingsMenu = addMenu(QStringLiteral("設定(&S)"), QStringLiteral("settingsMenu"));
    for (int id : {command_id::kFormatDecimals, command_id::kLineTypes, command_id::kDefaultCoefficients,
                   command_id::kMargins}) {
        settingsMenu->addAction(Action(id));
    }
    settingsMenu->addSeparator();
    for (int id : {command_id::kTechnicians, command_id::kShortTexts, command_id::kJacicSoilNames,
                   command_id::kSimpleSoilNames}) {
        settingsMenu->addAction(Action(id));
    }
    settingsMenu->addSeparator();
    settingsMenu->addAction(Action(command_id::kFonts));
    settingsMenu->addAction(Action(command_id::kEnterKey));

    QMenu* helpMenu = addMenu(QStringLiteral("ヘルプ(&H)"), QStringLiteral("helpMenu"));
    helpMenu->addAction(Action(command_id::kHelp));
}

QMenu* MainFrame::Menu(const QString& objectName) const {
    return menuBar()->findChild<QMenu*>(objectName);
}

void MainFrame::CreateToolBar() {
    QToolBar* toolBar = addToolBar(QStringLiteral("ツール バー"));
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setMovable(false);
    toolBar->addAction(Action(command_id::kPreviousPage));
    toolBar->addAction(Action(command_id::kNextPage));
    toolBar->addSeparator();
    toolBar->addAction(Action(command_id::kToolFormat1));
    toolBar->addAction(Action(command_id::kToolFormat2));
    toolBar->addAction(Action(command_id::kToolFormat3));

    QMenu* viewMenu = menuBar()->findChild<QMenu*>(QStringLiteral("viewMenu"));
    QAction* toolBarToggle = toolBar->toggleViewAction();
    toolBarToggle->setText(QStringLiteral("ツール バー(&T)"));
    viewMenu->addAction(toolBarToggle);
}

void MainFrame::CreateStatusBar() {
    auto* idleText = new QLabel(QStringLiteral("改ページは↑↓ｷｰ（2頁以上の場合）"), statusBar());
    idleText->setObjectName(QStringLiteral("idleText"));
    statusBar()->addWidget(idleText, 1);

    QMenu* viewMenu = menuBar()->findChild<QMenu*>(QStringLiteral("viewMenu"));
    auto* statusToggle = new QAction(QStringLiteral("ステータス バー(&S)"), this);
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    connect(statusToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
    viewMenu->addAction(statusToggle);
}

void MainFrame::RebuildRecentFileMenu() {
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* action = recentActions_.at(i);
        if (i < recentFiles_.size()) {
            action->setText(
                QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(recentFiles_.at(i))));
            action->setEnabled(true);
            action->setVisible(true);
        } else if (i == 0) {
            // An empty list shows its name, greyed.
            action->setText(QStringLiteral("最近使ったﾌｧｲﾙ"));
            action->setEnabled(false);
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}

void MainFrame::TakeUpDocument() {
    // A new or opened document starts a new undo history.
    undoStack_->clear();
    LoadStartupFiles(files_, installFolder_, document_, false, messages_);
    TakeUpDocumentForView(document_, files_, messages_);
    ReadPrinterPaperSize();
    state_.reportFormat = ReportFormatOf(document_);
    CountReportPages(document_, state_.currentPage);
    UpdateCaption();
    UpdateCommandStates();
    Redraw();
}

void MainFrame::ReadPrinterPaperSize() {
    const std::optional<rave::platform::PrinterPageInfo> printer = rave::platform::DefaultPrinterPage();
    std::optional<PrinterPage> page;
    if (printer) {
        page = PrinterPage{printer->widthUnits, printer->heightUnits, printer->dpiX, printer->dpiY};
    }
    paper_ = PaperSizeFromPrinter(page, messages_);
}

void MainFrame::DocumentNamed() {
    recentFiles_ = WithRecentFile(recentFiles_, ToQString(document_.pathName));
    WriteRecentFiles(recentFiles_);
    RebuildRecentFileMenu();
    UpdateCaption();
}

void MainFrame::UpdateCaption() {
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(DocumentTitle(document_), ApplicationCaption()));
    setWindowModified(document_.modified);
    if (recovery_ != nullptr) {
        recovery_->Follow();
    }
}

void MainFrame::UpdateCommandStates() {
    const bool paging = PagingEnabled(document_);
    Action(command_id::kPreviousPage)->setEnabled(paging);
    Action(command_id::kNextPage)->setEnabled(paging);
    Action(command_id::kFormat1 + state_.reportFormat)->setChecked(true);
    setWindowModified(document_.modified);
}

void MainFrame::Redraw() {
    view_->update();
}

void MainFrame::RefreshView() {
    CountReportPages(document_, state_.currentPage);
    UpdateCaption();
    UpdateCommandStates();
    Redraw();
}

bool MainFrame::OpenThroughFramework(const std::filesystem::path& file) {
    if (OpenSoundingThroughFramework(document_, messages_, file) == kVersionUnknown) {
        return false;
    }
    state_.currentPage = 1;
    TakeUpDocument();
    DocumentNamed();
    return true;
}

void MainFrame::NewDocument() {
    if (!ConfirmDiscardChanges()) {
        return;
    }
    document_.ClearSoundingData();
    document_.pathName.clear();
    document_.modified = false;
    state_.currentPage = 1;
    TakeUpDocument();
}

void MainFrame::OpenFromMenu() {
    if (!ConfirmDiscardChanges()) {
        return;
    }
    const LastFolderFile lastFolder = ReadLastFolderFile(installFolder_);
    const std::optional<std::filesystem::path> file =
        ChooseFileToOpen(QString::fromStdString(lastFolder.folder));
    if (!file) {
        return;
    }
    if (OpenSoundingFromMenu(document_, messages_, *file, installFolder_) == kVersionUnknown) {
        return;
    }
    state_.currentPage = 1;
    TakeUpDocument();
    DocumentNamed();
}

void MainFrame::OpenRecentFile(int index) {
    if (index < 0 || index >= recentFiles_.size() || !ConfirmDiscardChanges()) {
        return;
    }
    const QString file = recentFiles_.at(index);
    if (!OpenThroughFramework(ToPath(file)) && !QFileInfo::exists(file)) {
        // A file that is gone leaves the list.
        recentFiles_.removeAll(file);
        WriteRecentFiles(recentFiles_);
        RebuildRecentFileMenu();
    }
}

bool MainFrame::Save() {
    // Work restored after a crash asks before it replaces an original that changed meanwhile.
    if (recovery_ != nullptr && CanSaveInPlace(document_) && !recovery_->MaySaveOver(document_.pathName)) {
        return SaveAs();
    }
    switch (SaveSounding(document_, messages_)) {
        case SaveResult::kSaved:
            undoStack_->setClean();
            DocumentNamed();
            return true;
        case SaveResult::kNeedsSaveAs:
            return SaveAs();
        case SaveResult::kFailed:
        case SaveResult::kWrongExtension:
            return false;
    }
    return false;
}

bool MainFrame::SaveAs() {
    const std::optional<std::filesystem::path> chosen = ChooseFileToSaveAs(ToQString(document_.pathName));
    if (!chosen) {
        return false;
    }
    if (SaveSoundingAs(document_, messages_, *chosen) != SaveResult::kSaved) {
        return false;
    }
    undoStack_->setClean();
    DocumentNamed();
    return true;
}

bool MainFrame::ConfirmDiscardChanges() {
    if (!document_.modified) {
        return true;
    }
    switch (AskAboutUnsavedChanges()) {
        case UnsavedChoice::kSave:
            return Save();
        case UnsavedChoice::kDiscard:
            return true;
        case UnsavedChoice::kCancel:
            return false;
    }
    return false;
}

std::optional<std::filesystem::path> MainFrame::ChooseFileToOpen(const QString& initialFolder) {
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("開く"), initialFolder, kOpenFilter);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return ToPath(file);
}

std::optional<std::filesystem::path> MainFrame::ChooseFileToSaveAs(const QString& proposed) {
    const QString file =
        QFileDialog::getSaveFileName(this, QStringLiteral("名前を付けて保存"), proposed, kSaveFilter);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return ToPath(file);
}

UnsavedChoice MainFrame::AskAboutUnsavedChanges() {
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, ApplicationCaption(),
                              QStringLiteral("%1 への変更を保存しますか?").arg(DocumentTitle(document_)),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        return UnsavedChoice::kSave;
    }
    return answer == QMessageBox::No ? UnsavedChoice::kDiscard : UnsavedChoice::kCancel;
}

void MainFrame::SelectFormat(int format) {
    // The format is stored in the document (header slot 31), so choosing another one is an edit.
    const SoundingDocument before = document_;
    SelectReportFormat(document_, state_, format);
    CommitDocumentEdit(QStringLiteral("様式"), before);
    UpdateCommandStates();
    Redraw();
}

void MainFrame::NextPage() {
    GoToNextPage(document_, state_);
    UpdateCommandStates();
    Redraw();
}

void MainFrame::PreviousPage() {
    GoToPreviousPage(document_, state_);
    UpdateCommandStates();
    Redraw();
}

std::vector<int> MainFrame::AllPages() const {
    int currentPage = state_.currentPage;
    const int count = CountReportPages(document_, currentPage);
    std::vector<int> pages;
    for (int page = 1; page <= count; ++page) {
        pages.push_back(page);
    }
    return pages;
}

void MainFrame::PrintPagesOn(QPrinter& printer, const std::vector<int>& pages) {
    const SheetResources resources = files_.Resources();
    const bool printed =
        rave::platform::PrintPages(printer, pages, [&](rave::DrawingSurface& surface, int page) {
            DrawPrinterPage(surface, document_, resources, state_, page, &messages_);
        });
    if (!printed) {
        messages_.Show(rave::Message{
            0,
            rave::platform::Utf8ToCp932("プリンタを開始できませんでした。\nプリンタの設定を確認して下さい。")
                .value_or(""),
            {}});
    }
}

void MainFrame::Print() {
    ReadPrinterPaperSize();
    const std::vector<int> pages = AllPages();
    QPrinter printer(QPrinter::HighResolution);
    printer.setFromTo(1, static_cast<int>(pages.size()));
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, static_cast<int>(pages.size()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    std::vector<int> chosen = pages;
    if (printer.printRange() == QPrinter::PageRange) {
        chosen.clear();
        for (int page = std::max(1, printer.fromPage());
             page <= std::min(static_cast<int>(pages.size()), printer.toPage()); ++page) {
            chosen.push_back(page);
        }
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        chosen = {state_.currentPage};
    }
    if (chosen.empty()) {
        return;
    }
    PrintPagesOn(printer, chosen);
    UpdateCommandStates();
    Redraw();
}

void MainFrame::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ - %1").arg(ApplicationCaption()));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* previewPrinter) { PrintPagesOn(*previewPrinter, AllPages()); });
    preview.resize(size());
    preview.exec();
    UpdateCommandStates();
    Redraw();
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (ConfirmDiscardChanges()) {
        if (recovery_ != nullptr) {
            recovery_->Discard();
        }
        event->accept();
    } else {
        event->ignore();
    }
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        for (const QUrl& url : event->mimeData()->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
}

void MainFrame::dropEvent(QDropEvent* event) {
    if (OpenDroppedFiles(event->mimeData()->urls())) {
        event->acceptProposedAction();
    }
}

bool MainFrame::OpenDroppedFiles(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            activateWindow();
            // One document at a time: the first dropped file is opened.
            if (ConfirmDiscardChanges()) {
                OpenThroughFramework(ToPath(url.toLocalFile()));
            }
            return true;
        }
    }
    return false;
}

}  // namespace ravelog::app
