// Ravesect's main window: its actions, menus, tool bar and status bar, the start-up loading of
// the settings files and the view commands. The file commands and printing are in
// section_frame_files.cpp.
#include "ravesect/app/section_frame.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

#include "common/soil_table_editor.h"
#include "common/text_file.h"
#include "platform/path_qstring.h"
#include "platform/printer_paper.h"
#include "platform/widget_text.h"
#include "ravesect/app/command_install.h"
#include "ravesect/app/ravesect_application.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_view.h"

namespace ravesect::app {

namespace {

// A4 landscape, the paper of a machine with no printer.
constexpr SectionPaper kA4Landscape{297, 210};

using rave::platform::CommandText;

// The menu and tool-bar commands whose dialogs other files connect, and the view commands.
constexpr CommandText kCommands[] = {
    {command_id::kPlacement, "ｽｳｪｰﾃﾞﾝ、柱状図ﾌｧｲﾙ(&F)", "断面図に配置するｽｳｪｰﾃﾞﾝ、柱状図ﾌｧｲﾙの選択と配置"},
    {command_id::kPoints, "作図/点(&P)", "層の境界点の作図"},
    {command_id::kLayers, "作図/層(&L)", "点を結んだ層の作図"},
    {command_id::kProposeLayers, "地層の推定(&A)...",
     "配置した柱状図から地層を推定して点、層、標題記事にする"},
    {command_id::kTitles, "標題記事(&M)", "標題記事の入力と配置"},
    {command_id::kScale, "縮尺/標尺(&S)", "縮尺、標尺、ページの設定"},
    {command_id::kFormat, "様式(&Y)", "目盛り、記号、線種、マージン、名称の設定"},
    {command_id::kPatterns, "柱状図パターン(&R)", "柱状図模様/パターンファイルの設定"},
    {command_id::kFonts, "フォント(&F)", "文字の書体、大きさ、色の設定"},
    {command_id::kEnterKey, "キーの動作(&E)", "入力画面でのEnterキーの動作"},
    {command_id::kSetup, "セットアップ(&U)", "本システムのインストール場所"},
    {command_id::kHelp, "操作＆ヘルプ(&H)", "操作の説明"},
    {command_id::kPreviousPage, "前ページ（左頁）", "前のページ（左側）へ"},
    {command_id::kNextPage, "次ページ（右頁）", "次のページ（右側）へ"},
    {command_id::kFigureLeft, "図を左へ", "図を左へ 4m 移動"},
    {command_id::kFigureRight, "右へ", "図を右へ 4m 移動"},
    {command_id::kFigureUp, "上へ", "図を上へ 4m 移動"},
    {command_id::kFigureDown, "下へ", "図を下へ 4m 移動"},
};

}  // namespace

QString ApplicationCaption() {
    return QStringLiteral("スウェーデン断面図 V5");
}

SectionFrame::SectionFrame(const std::filesystem::path& installFolder, rave::MessageSink* messages,
                           QWidget* parent)
    : DocumentWindow(QStringLiteral("Ravesect"), ApplicationCaption(), messages, parent),
      document_(CurrentSection()),
      paths_(DeriveSectionPaths(installFolder)) {
    setObjectName(QStringLiteral("sectionFrame"));
    const QString filter = QStringLiteral("断面図ﾌｧｲﾙ(*.sqw);;すべて(*.*)");
    SetFileFilters(filter, filter);

    // "Sysq.ndx" is read once per run. On the first start it and the font files are missing:
    // string 4010 names them and files with the defaults are written, so the message comes once.
    sysq_ = LoadSysqSettings(paths_.installFolder, Messages());
    std::error_code error;
    const bool fontsMissing = !std::filesystem::exists(paths_.Font(1), error);
    fonts_ = LoadSectionFonts(paths_.installFolder, &Messages());
    if (fontsMissing) {
        SaveSectionFonts(paths_.installFolder, fonts_);
    }
    if (const std::optional<std::string> bytes = rave::ReadFileBytes(paths_.patternColours)) {
        patternColours_.LoadPatternColorBytes(*bytes);
    }
    LoadSimpleTable();

    scrollArea_ = new SectionScrollView(this);
    view_ = new SectionView(SectionViewSource{&document_, &paths_, &sysq_, &fonts_, &patternColours_,
                                              &position_, &extent_, &simpleTable_},
                            scrollArea_);
    scrollArea_->setWidget(view_);
    setCentralWidget(scrollArea_);
    connect(view_, &SectionView::previousPageRequested, this, &SectionFrame::PreviousPage);
    connect(view_, &SectionView::nextPageRequested, this, &SectionFrame::NextPage);
    connect(view_, &SectionView::scrollUpRequested, this, &SectionFrame::ScrollFigureUp);
    connect(view_, &SectionView::scrollDownRequested, this, &SectionFrame::ScrollFigureDown);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ApplyWindowSize();
    InstallPlacementAndSettingsCommands(*this);
    InstallEditingCommands(*this);

    // The working files left by the last run are shown until New or Open replaces them.
    TakeUpDocument();
    view_->setFocus();
}

SectionFrame::~SectionFrame() = default;

void SectionFrame::ApplyWindowSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen != nullptr ? screen->size() : QSize(1280, 1024);
    const WindowSize size = MainWindowSize(available.width(), available.height());
    resize(size.width, size.height);
    view_->SetExtentForScreen(available.width());
    const SectionScrollArea extent = ScrollAreaFor(available.width());
    scrollArea_->SetSteps(extent.pageStep, extent.lineStep);
}

void SectionFrame::CreateActions() {
    const std::pair<int, QString> fileTips[] = {
        {command_id::kNew, QStringLiteral("新しい断面図を作成")},
        {command_id::kOpen, QStringLiteral("既存の断面図ﾌｧｲﾙを開く")},
        {command_id::kSave, QStringLiteral("断面図を上書き保存")},
        {command_id::kSaveAs, QStringLiteral("断面図に名前を付けて保存")},
        {command_id::kPrint, QStringLiteral("断面図を印刷")},
        {command_id::kPrintPreview, QStringLiteral("印刷イメージを表示")},
        {command_id::kExportDxf, QStringLiteral("断面図をCAD用のDXFファイルに出力")},
        {command_id::kExportPages, QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰと同じ断面図をPDF、PNG、SVGファイルに出力")},
    };
    for (const auto& [id, tip] : fileTips) {
        Action(id)->setStatusTip(tip);
    }
    AddCommands(kCommands);
    connect(Action(command_id::kPreviousPage), &QAction::triggered, this, &SectionFrame::PreviousPage);
    connect(Action(command_id::kNextPage), &QAction::triggered, this, &SectionFrame::NextPage);
    connect(Action(command_id::kFigureLeft), &QAction::triggered, this,
            [this] { MoveFigure(FigureMove::kLeft); });
    connect(Action(command_id::kFigureRight), &QAction::triggered, this,
            [this] { MoveFigure(FigureMove::kRight); });
    connect(Action(command_id::kFigureUp), &QAction::triggered, this,
            [this] { MoveFigure(FigureMove::kUp); });
    connect(Action(command_id::kFigureDown), &QAction::triggered, this,
            [this] { MoveFigure(FigureMove::kDown); });
    // The figure moves also have keys: Ctrl with an arrow.
    Action(command_id::kFigureLeft)->setShortcut(QKeySequence(QStringLiteral("Ctrl+Left")));
    Action(command_id::kFigureRight)->setShortcut(QKeySequence(QStringLiteral("Ctrl+Right")));
    Action(command_id::kFigureUp)->setShortcut(QKeySequence(QStringLiteral("Ctrl+Up")));
    Action(command_id::kFigureDown)->setShortcut(QKeySequence(QStringLiteral("Ctrl+Down")));
}

void SectionFrame::CreateMenus() {
    AddFileAndEditMenus({});

    QMenu* viewMenu = AddMenu(QStringLiteral("表示(&V)"), QStringLiteral("viewMenu"));
    viewMenu->addAction(Action(command_id::kPreviousPage));
    viewMenu->addAction(Action(command_id::kNextPage));
    viewMenu->addSeparator();
    for (int id : {command_id::kFigureLeft, command_id::kFigureRight, command_id::kFigureUp,
                   command_id::kFigureDown}) {
        viewMenu->addAction(Action(id));
    }
    viewMenu->addSeparator();

    QMenu* dataMenu = AddMenu(QStringLiteral("データ(&D)"), QStringLiteral("dataMenu"));
    dataMenu->addAction(Action(command_id::kPlacement));
    dataMenu->addSeparator();
    for (int id :
         {command_id::kPoints, command_id::kLayers, command_id::kProposeLayers, command_id::kTitles}) {
        dataMenu->addAction(Action(id));
    }

    QMenu* settingsMenu = AddMenu(QStringLiteral("設定(&S)"), QStringLiteral("settingsMenu"));
    for (int id : {command_id::kScale, command_id::kFormat, command_id::kPatterns, command_id::kFonts}) {
        settingsMenu->addAction(Action(id));
    }
    settingsMenu->addSeparator();
    settingsMenu->addAction(Action(command_id::kEnterKey));
    settingsMenu->addAction(Action(command_id::kSetup));

    QMenu* helpMenu = AddMenu(QStringLiteral("ヘルプ(&H)"), QStringLiteral("helpMenu"));
    helpMenu->addAction(Action(command_id::kHelp));
}

void SectionFrame::CreateToolBar() {
    QToolBar* toolBar = AddMainToolBar(Menu(QStringLiteral("viewMenu")));
    for (int id : {command_id::kNew, command_id::kOpen, command_id::kSave}) {
        toolBar->addAction(Action(id));
    }
    toolBar->addSeparator();
    toolBar->addAction(Action(command_id::kPrint));
    toolBar->addSeparator();
    toolBar->addAction(Action(command_id::kPreviousPage));
    toolBar->addAction(Action(command_id::kNextPage));
    toolBar->addSeparator();
    for (int id : {command_id::kFigureLeft, command_id::kFigureRight, command_id::kFigureUp,
                   command_id::kFigureDown}) {
        toolBar->addAction(Action(id));
    }
}

void SectionFrame::CreateStatusBar() {
    AddStatusBar(QStringLiteral("矢印←→キーで改ページ"), Menu(QStringLiteral("viewMenu")));
    // What the drawing could not draw and the columns no printed page shows.
    auto* drawingNotice = new QLabel(statusBar());
    drawingNotice->setObjectName(QStringLiteral("drawingNotice"));
    // A long notice is cut at the window's edge (the tool tip holds it whole); it never widens
    // the window.
    drawingNotice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(drawingNotice, 3);
    connect(view_, &SectionView::noticeChanged, drawingNotice, [drawingNotice](const QString& notice) {
        drawingNotice->setText(notice);
        drawingNotice->setToolTip(notice);
    });
}

void SectionFrame::ReadPrinterPaper() {
    const std::optional<rave::platform::PrinterPageInfo> printer = rave::platform::DefaultPrinterPage();
    if (!printer) {
        paper_ = kA4Landscape;
        return;
    }
    paper_ = PaperFromPrinter(
        PrinterPageDots{printer->widthUnits, printer->heightUnits, printer->dpiX, printer->dpiY}, Messages());
}

void SectionFrame::LoadSettingsFiles() {
    if (const std::optional<SysqSettings> read = ReadSysqFile(paths_.sysq, paths_.installFolder)) {
        sysq_ = *read;
    }
    fonts_ = LoadSectionFonts(paths_.installFolder, nullptr);
    patternColours_ = rave::PatternColorTable{};
    if (const std::optional<std::string> bytes = rave::ReadFileBytes(paths_.patternColours)) {
        patternColours_.LoadPatternColorBytes(*bytes);
    }
    LoadSimpleTable();
}

void SectionFrame::LoadSimpleTable() {
    simpleTable_ = rave::SoilNameTable{};
    const auto path = paths_.installFolder / rave::SoilTableEditor::kSimpleMasterFile;
    if (const std::optional<std::string> bytes = rave::ReadFileBytes(path)) {
        simpleTable_.LoadSoilNameBytes(*bytes, rave::soil_number_kind::kBitmap);
    }
}

void SectionFrame::TakeUpDocument(bool keepShownPage) {
    const SectionSettings before = document_.settings;
    if (keepShownPage) {
        ReadSettingsFile(paths_.working, document_.settings);
        ReadColumnsFile(paths_.working, document_);
    } else {
        ReloadSectionDocument(document_, paths_.working);
    }
    // The view paints the columns from memory: it takes them up once here, not on every paint.
    view_->ReloadColumns();
    ReadPrinterPaper();
    FillPageLengthsFromPaper(document_.settings, paper_, sysq_);
    // An edit on a later page keeps that page in view; new settings of the page itself (the scale
    // dialog) show their own page.
    const bool samePage = before.leftEnd == document_.settings.leftEnd &&
                          before.topElevation == document_.settings.topElevation &&
                          before.distancePerPage == document_.settings.distancePerPage;
    if (!keepShownPage || !samePage) {
        const bool printing = position_.printing;
        position_ = SectionViewPosition::AtSettings(document_.settings);
        position_.printing = printing;
    }
    RefreshView();
    if (!keepShownPage) {
        Q_EMIT pointsLayersRead();
    }
}

SectionSpan SectionFrame::Span() const {
    // The same columns the drawing walks: every slot in use, slot 0 included.
    SectionSpan span;
    bool first = true;
    for (int slot = 0; slot < kColumnSlots; ++slot) {
        const PlacedColumn& column = document_.Column(slot);
        if (!column.InUse()) {
            continue;
        }
        if (first) {
            span.firstDistance = column.Distance();
            first = false;
        }
        span.lastDistance = column.Distance();
    }
    return span;
}

void SectionFrame::SettingsOrColumnsRewritten() {
    TakeUpDocument(true);
}

void SectionFrame::ShowSettingsPage() {
    const bool printing = position_.printing;
    position_ = SectionViewPosition::AtSettings(document_.settings);
    position_.printing = printing;
    RefreshView();
}

void SectionFrame::ReloadSettings() {
    LoadSettingsFiles();
    ReadPrinterPaper();
    FillPageLengthsFromPaper(document_.settings, paper_, sysq_);
    RefreshView();
}

bool SectionFrame::MoveInstallFolder(const std::filesystem::path& installFolder) {
    std::optional<rave::RecoveryRecord> left;
    if (lock_ != nullptr) {
        // The new folder's lock first: two windows never edit one folder's working files.
        rave::platform::FolderLockAttempt attempt =
            rave::platform::FolderLock::Take(WorkingFilesLockPath(installFolder), lockHooks_.record());
        if (attempt.lock == nullptr) {
            Messages().Show(rave::platform::Utf8Message(
                QStringLiteral("移動先の作業ファイルは別の Ravesect が編集中か、ロックできません。\n"
                               "インストール場所は移動しませんでした。\n( %1 )")
                    .arg(rave::platform::PathToQString(installFolder))));
            return false;
        }
        left = attempt.previous;
        lock_ = std::move(attempt.lock);
    }
    paths_ = DeriveSectionPaths(installFolder);
    sysq_ = LoadSysqSettings(paths_.installFolder, Messages());
    LoadSettingsFiles();
    // The undo steps hold the old folder's file bytes: they must not be written into the new one.
    // Unsaved work stays unsaved.
    const bool modified = IsModified();
    UndoStack()->clear();
    if (modified) {
        MarkChangedOutsideHistory();
    }
    TakeUpDocument();
    // A crashed run's unsaved work in the new folder's working files is kept as its copy.
    if (left && lockHooks_.keepLeftWork) {
        lockHooks_.keepLeftWork(*left);
    }
    UpdateWorkingFilesLock();
    return true;
}

void SectionFrame::HoldWorkingFilesLock(std::unique_ptr<rave::platform::FolderLock> lock, LockHooks hooks) {
    lock_ = std::move(lock);
    lockHooks_ = std::move(hooks);
}

void SectionFrame::UpdateWorkingFilesLock() {
    if (lock_ != nullptr && lockHooks_.record) {
        lock_->Update(lockHooks_.record());
    }
}

void SectionFrame::RefreshView() {
    UpdateTitle();
    UpdateCommandStates();
    view_->update();
}

void SectionFrame::UpdateCommandStates() {
    const SectionSpan span = Span();
    Action(command_id::kNextPage)->setEnabled(CanPageNext(position_, document_.settings, span));
    Action(command_id::kPreviousPage)->setEnabled(CanPagePrevious(position_));
}

void SectionFrame::NextPage() {
    if (PageNext(position_, document_.settings, Span())) {
        RefreshView();
    }
}

void SectionFrame::PreviousPage() {
    if (PagePrevious(position_, document_.settings)) {
        RefreshView();
    }
}

void SectionFrame::ScrollFigureUp() {
    if (ScrollUp(position_, document_.settings)) {
        RefreshView();
    }
}

void SectionFrame::ScrollFigureDown() {
    if (ScrollDown(position_, document_.settings)) {
        RefreshView();
    }
}

void SectionFrame::MoveFigure(FigureMove move) {
    if (position_.printing) {
        return;
    }
    if (!ravesect::MoveFigure(move, document_.settings, Span(), Messages())) {
        return;
    }
    // The settings themselves moved: they are written to "Tmp0.tmp" (one undoable step) and the
    // view shows the settings' own page again. Settings that could not be written stay in use.
    if (!CommitSectionEdit(*this, QStringLiteral("図の移動"), [this] {
            return WriteSettingsFile(paths_.working, document_.settings, Messages());
        })) {
        MarkChangedOutsideHistory();
    }
    position_ = SectionViewPosition::AtSettings(document_.settings);
    RefreshView();
}

}  // namespace ravesect::app
