// The document window both programs stand on (see document_window.h).
#include "platform/document_window.h"

#include <QAction>
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
#include <algorithm>
#include <utility>

#include "platform/dxf_export.h"
#include "platform/message_box.h"
#include "platform/page_export.h"
#include "platform/page_output.h"
#include "platform/path_qstring.h"
#include "platform/program_settings.h"
#include "platform/recovery.h"
#include "platform/widget_text.h"

namespace rave::platform {

namespace {

const QString kRecentFileGroup = QStringLiteral("Recent File List");

}  // namespace

QStringList ReadRecentFiles(const QString& application) {
    // Ours first, then what an older build sharing the profile keeps under the old name (read,
    // never written: that build keeps its own list).
    QStringList files;
    for (const QString& organisation : {OrganisationName(), OldOrganisationName()}) {
        const auto settings = OpenSettings(organisation, application);
        settings->beginGroup(kRecentFileGroup);
        for (int i = 1; i <= kRecentFileCount && files.size() < kRecentFileCount; ++i) {
            const QString file = settings->value(QStringLiteral("File%1").arg(i)).toString();
            if (!file.isEmpty() && !files.contains(file)) {
                files.append(file);
            }
        }
    }
    return files;
}

void WriteRecentFiles(const QString& application, const QStringList& files) {
    const auto settings = OpenSettings(OrganisationName(), application);
    settings->beginGroup(kRecentFileGroup);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= files.size()) {
            settings->setValue(key, files.at(i - 1));
        } else {
            settings->remove(key);
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

QString RecentFileText(int index, const QString& file) {
    return QStringLiteral("&%1 %2").arg(index + 1).arg(QDir::toNativeSeparators(file));
}

DocumentWindow::DocumentWindow(const QString& application, const QString& caption,
                               rave::MessageSink* messages, QWidget* parent)
    : QMainWindow(parent),
      application_(application),
      caption_(caption),
      openFilter_(QStringLiteral("すべて(*.*)")),
      saveFilter_(openFilter_),
      ownMessages_(messages == nullptr ? std::make_unique<MessageBoxSink>(this, caption) : nullptr),
      messages_(messages == nullptr ? *ownMessages_ : *messages) {
    setAcceptDrops(true);
    undoStack_ = new QUndoStack(this);
    // The limit can only be set while the stack is empty.
    undoStack_->setUndoLimit(kUndoLimit);
    connect(undoStack_, &QUndoStack::cleanChanged, this, [this] { SyncModified(); });
    connect(undoStack_, &QUndoStack::indexChanged, this, [this] { SyncModified(); });
    recentFiles_ = ReadRecentFiles(application_);
    CreateFileActions();
    CreateHistoryActions();
}

DocumentWindow::~DocumentWindow() {
    // The stack empties itself when it is deleted with the window's children; by then the
    // program's part of the window is gone and must not be told.
    disconnect(undoStack_, nullptr, this, nullptr);
}

void DocumentWindow::CreateFileActions() {
    const auto add = [this](int id, const QString& text, const char* shortcut, auto slot) {
        QAction* action = AddAction(id, text);
        if (shortcut != nullptr) {
            action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
        }
        connect(action, &QAction::triggered, this, slot);
    };
    using namespace document_command;
    add(kNew, QStringLiteral("新規作成(&N)\tCtrl+N"), "Ctrl+N", [this] { NewDocument(); });
    add(kOpen, QStringLiteral("開く(&O)...\tCtrl+O"), "Ctrl+O", [this] { OpenFromMenu(); });
    add(kSave, QStringLiteral("上書き保存(&S)\tCtrl+S"), "Ctrl+S", [this] { Save(); });
    add(kSaveAs, QStringLiteral("名前を付けて保存(&A)..."), nullptr, [this] { SaveAs(); });
    add(kPrint, QStringLiteral("印刷(&P)...\tCtrl+P"), "Ctrl+P", [this] { Print(); });
    add(kPrintPreview, QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), nullptr, [this] { PrintPreview(); });
    add(kExportPages, QStringLiteral("PDF出力(&F)..."), nullptr, [this] { ExportPages(); });
    add(kExportDxf, QStringLiteral("DXF出力(&D)..."), nullptr, [this] { ExportDxf(); });

    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        connect(action, &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
        recentActions_.append(action);
    }
}

void DocumentWindow::CreateHistoryActions() {
    // The actions follow the stack: enabled when there is a step, named after it.
    QAction* undo = undoStack_->createUndoAction(this, QStringLiteral("元に戻す(&U)"));
    // The window applies the step before the stack moves (see FallibleUndoCommand).
    disconnect(undo, nullptr, undoStack_, nullptr);
    connect(undo, &QAction::triggered, this, &DocumentWindow::Undo);
    undo->setData(document_command::kUndo);
    undo->setShortcut(QKeySequence::Undo);
    connect(undoStack_, &QUndoStack::undoTextChanged, undo,
            [undo](const QString& text) { undo->setStatusTip(QStringLiteral("元に戻す: %1").arg(text)); });
    actions_.append(undo);
    QAction* redo = undoStack_->createRedoAction(this, QStringLiteral("やり直し(&R)"));
    disconnect(redo, nullptr, undoStack_, nullptr);
    connect(redo, &QAction::triggered, this, &DocumentWindow::Redo);
    redo->setData(document_command::kRedo);
    redo->setShortcut(QKeySequence::Redo);
    connect(undoStack_, &QUndoStack::redoTextChanged, redo,
            [redo](const QString& text) { redo->setStatusTip(QStringLiteral("やり直し: %1").arg(text)); });
    actions_.append(redo);
}

QAction* DocumentWindow::AddAction(int commandId, const QString& text, const QString& statusTip) {
    auto* action = new QAction(text, this);
    action->setData(commandId);
    if (!statusTip.isEmpty()) {
        action->setStatusTip(statusTip);
    }
    actions_.append(action);
    return action;
}

QAction* DocumentWindow::Action(int commandId) const {
    for (QAction* action : actions_) {
        if (action->data().toInt() == commandId) {
            return action;
        }
    }
    return nullptr;
}

QMenu* DocumentWindow::AddMenu(const QString& title, const QString& objectName) {
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(objectName);
    return menu;
}

void DocumentWindow::AddActions(QMenu* menu, std::initializer_list<int> commandIds) {
    for (int id : commandIds) {
        menu->addAction(Action(id));
    }
}

QMenu* DocumentWindow::Menu(const QString& objectName) const {
    return menuBar()->findChild<QMenu*>(objectName);
}

void DocumentWindow::AddCommands(std::span<const CommandText> commands) {
    for (const CommandText& command : commands) {
        QAction* action =
            AddAction(command.id, QString::fromUtf8(command.text), QString::fromUtf8(command.statusTip));
        action->setToolTip(action->text().remove(QLatin1Char('&')));
    }
}

void DocumentWindow::AddFileAndEditMenus(std::initializer_list<int> imports) {
    using namespace document_command;
    QMenu* fileMenu = AddMenu(QStringLiteral("ファイル(&F)"), QStringLiteral("fileMenu"));
    AddActions(fileMenu, {kNew, kOpen});
    AddActions(fileMenu, imports);
    AddActions(fileMenu, {kSave, kSaveAs});
    fileMenu->addSeparator();
    AddActions(fileMenu, {kPrint, kPrintPreview, kExportPages, kExportDxf});
    fileMenu->addSeparator();
    fileMenu->addActions(recentActions_);
    fileMenu->addSeparator();
    QAction* exit = fileMenu->addAction(QStringLiteral("終了(&X)"));
    exit->setStatusTip(QStringLiteral("アプリケーションを終了"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    RebuildRecentFileMenu();

    QMenu* editMenu = AddMenu(QStringLiteral("編集(&E)"), QStringLiteral("editMenu"));
    AddActions(editMenu, {kUndo, kRedo});
}

QToolBar* DocumentWindow::AddMainToolBar(QMenu* viewMenu) {
    QToolBar* toolBar = addToolBar(QStringLiteral("ツール バー"));
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setMovable(false);
    QAction* toggle = toolBar->toggleViewAction();
    toggle->setText(QStringLiteral("ツール バー(&T)"));
    viewMenu->addAction(toggle);
    return toolBar;
}

void DocumentWindow::AddStatusBar(const QString& idleText, QMenu* viewMenu) {
    auto* idle = new QLabel(idleText, statusBar());
    idle->setObjectName(QStringLiteral("idleText"));
    statusBar()->addWidget(idle, 1);
    auto* toggle = new QAction(QStringLiteral("ステータス バー(&S)"), this);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
    viewMenu->addAction(toggle);
}

void DocumentWindow::SetFileFilters(const QString& openFilter, const QString& saveFilter) {
    openFilter_ = openFilter;
    saveFilter_ = saveFilter;
}

void DocumentWindow::RebuildRecentFileMenu() {
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* action = recentActions_.at(i);
        if (i < recentFiles_.size()) {
            action->setText(RecentFileText(i, recentFiles_.at(i)));
            action->setEnabled(!readOnly_);
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

// --- History and title ---

void DocumentWindow::PushEdit(QUndoCommand* command) {
    if (readOnly_) {
        // Nothing of a read-only window is written; the step is dropped unrun.
        delete command;
        return;
    }
    undoStack_->push(command);
}

void FallibleUndoCommand::undo() {
    if (!std::exchange(applied_, false)) {
        Apply(false);
    }
}

void FallibleUndoCommand::redo() {
    if (!std::exchange(applied_, false)) {
        Apply(true);
    }
}

void DocumentWindow::Undo() {
    StepHistory(false);
}

void DocumentWindow::Redo() {
    StepHistory(true);
}

void DocumentWindow::StepHistory(bool forward) {
    if (readOnly_ || !(forward ? undoStack_->canRedo() : undoStack_->canUndo())) {
        return;
    }
    const int index = undoStack_->index();
    auto* step = dynamic_cast<FallibleUndoCommand*>(
        const_cast<QUndoCommand*>(undoStack_->command(forward ? index : index - 1)));
    if (step != nullptr) {
        if (!step->Apply(forward)) {
            return;  // the step said why; the history stays where the document is
        }
        step->applied_ = true;
    }
    if (forward) {
        undoStack_->redo();
    } else {
        undoStack_->undo();
    }
}

bool DocumentWindow::IsModified() const {
    return !undoStack_->isClean();
}

void DocumentWindow::MarkChangedOutsideHistory() {
    undoStack_->resetClean();
    SyncModified();
}

void DocumentWindow::SyncModified() {
    ModifiedChanged(IsModified());
    UpdateTitle();
}

QString DocumentWindow::DocumentTitle() const {
    const std::string path = DocumentPath();
    if (path.empty()) {
        return QStringLiteral("無題");
    }
    // The document keeps its path as a native file name.
    return QFileInfo(QString::fromStdString(path)).fileName();
}

void DocumentWindow::UpdateTitle() {
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(DocumentTitle(), caption_));
    setWindowModified(IsModified());
    if (recovery_ != nullptr) {
        recovery_->Follow();
    }
}

// --- File commands ---

void DocumentWindow::FinishOpen(bool loaded, const std::filesystem::path& file) {
    if (!loaded) {
        // A failed open leaves the document and its history as they were.
        OpenFailed(file);
        return;
    }
    undoStack_->clear();
    SyncModified();
    DocumentReplaced();
    DocumentNamed();
}

void DocumentWindow::OpenFailed(const std::filesystem::path&) {}

bool DocumentWindow::OpenThroughFramework(const std::filesystem::path& file) {
    if (readOnly_) {
        return false;
    }
    const bool loaded = LoadThroughFramework(file);
    FinishOpen(loaded, file);
    return loaded;
}

void DocumentWindow::NewDocument() {
    if (readOnly_ || !ConfirmDiscardChanges()) {
        return;
    }
    StartNewDocument();
    undoStack_->clear();
    SyncModified();
    DocumentReplaced();
}

void DocumentWindow::OpenFromMenu() {
    if (readOnly_ || !ConfirmDiscardChanges()) {
        return;
    }
    const std::optional<std::filesystem::path> file = ChooseFileToOpen(InitialOpenFolder());
    if (file) {
        FinishOpen(LoadFromMenu(*file), *file);
    }
}

void DocumentWindow::OpenRecentFile(int index) {
    if (readOnly_ || index < 0 || index >= recentFiles_.size() || !ConfirmDiscardChanges()) {
        return;
    }
    const QString file = recentFiles_.at(index);
    if (!OpenThroughFramework(PathFromQString(file)) && !QFileInfo::exists(file)) {
        // A file that is gone leaves the list.
        recentFiles_.removeAll(file);
        WriteRecentFiles(application_, recentFiles_);
        RebuildRecentFileMenu();
    }
}

bool DocumentWindow::OpenDroppedFiles(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            activateWindow();
            // One document at a time: the first dropped file is opened.
            if (ConfirmDiscardChanges()) {
                OpenThroughFramework(PathFromQString(url.toLocalFile()));
            }
            return true;
        }
    }
    return false;
}

bool DocumentWindow::Save() {
    if (readOnly_) {
        return false;
    }
    // Work restored after a crash asks before it replaces an original that changed meanwhile.
    if (recovery_ != nullptr && SavesInPlace() && !recovery_->MaySaveOver(DocumentPath())) {
        return SaveAs();
    }
    switch (SaveInPlace()) {
        case SaveOutcome::kSaved:
            undoStack_->setClean();
            DocumentNamed();
            return true;
        case SaveOutcome::kNeedsSaveAs:
            return SaveAs();
        case SaveOutcome::kFailed:
            return false;
    }
    return false;
}

bool DocumentWindow::SaveAs() {
    QString proposed = ProposedSaveAsName();
    std::filesystem::path target;
    for (;;) {
        const std::optional<std::filesystem::path> chosen = ChooseFileToSaveAs(proposed);
        if (!chosen) {
            return false;
        }
        target = SaveAsTarget(*chosen);
        // The dialog asked about the name it was given; a file the program's extension leads to
        // is asked about here, so no file is replaced without a question.
        std::error_code error;
        if (target == *chosen || !std::filesystem::exists(target, error) ||
            AskToReplaceFile(QFileInfo(PathToQString(target)).fileName())) {
            break;
        }
        proposed = PathToQString(*chosen);
    }
    if (!SaveTo(target)) {
        return false;
    }
    undoStack_->setClean();
    DocumentNamed();
    return true;
}

QString DocumentWindow::ProposedSaveAsName() const {
    return QString::fromStdString(DocumentPath());
}

std::filesystem::path DocumentWindow::SaveAsTarget(const std::filesystem::path& chosen) const {
    return chosen;
}

void DocumentWindow::DocumentNamed() {
    recentFiles_ = WithRecentFile(recentFiles_, QString::fromStdString(DocumentPath()));
    WriteRecentFiles(application_, recentFiles_);
    RebuildRecentFileMenu();
    SyncModified();
    RefreshView();
}

bool DocumentWindow::ConfirmDiscardChanges() {
    if (!IsModified()) {
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

std::optional<std::filesystem::path> DocumentWindow::ChooseFileToOpen(const QString& initialFolder) {
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("開く"), initialFolder, openFilter_);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return PathFromQString(file);
}

std::optional<std::filesystem::path> DocumentWindow::ChooseFileToSaveAs(const QString& proposed) {
    const QString file =
        QFileDialog::getSaveFileName(this, QStringLiteral("名前を付けて保存"), proposed, saveFilter_);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return PathFromQString(file);
}

UnsavedChoice DocumentWindow::AskAboutUnsavedChanges() {
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, caption_, QStringLiteral("%1 への変更を保存しますか?").arg(DocumentTitle()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        return UnsavedChoice::kSave;
    }
    return answer == QMessageBox::No ? UnsavedChoice::kDiscard : UnsavedChoice::kCancel;
}

bool DocumentWindow::AskToReplaceFile(const QString& fileName) {
    return QMessageBox::question(this, caption_,
                                 QStringLiteral("%1 は既にあります。\n上書きしますか？").arg(fileName),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void DocumentWindow::SetReadOnly(const QString& notice) {
    readOnly_ = true;
    readOnlyNotice_ = notice;
    undoStack_->clear();
    for (int id : {document_command::kNew, document_command::kOpen, document_command::kSave,
                   document_command::kUndo, document_command::kRedo}) {
        Action(id)->setEnabled(false);
    }
    for (QAction* action : recentActions_) {
        action->setEnabled(false);
    }
    setAcceptDrops(false);
}

// --- Window events ---

void DocumentWindow::closeEvent(QCloseEvent* event) {
    // A read-only window has nothing of its own to save.
    if (!readOnly_ && !ConfirmDiscardChanges()) {
        event->ignore();
        return;
    }
    if (recovery_ != nullptr) {
        recovery_->Discard();
    }
    event->accept();
}

void DocumentWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        return;
    }
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); })) {
        event->acceptProposedAction();
    }
}

void DocumentWindow::dropEvent(QDropEvent* event) {
    if (OpenDroppedFiles(event->mimeData()->urls())) {
        event->acceptProposedAction();
    }
}

// --- Recovery ---

void DocumentWindow::AttachRecovery(RecoverySession* session) {
    if (recovery_ != nullptr) {
        recovery_->reportStatus = nullptr;
    }
    recovery_ = session;
    if (recovery_ == nullptr) {
        return;
    }
    recovery_->reportStatus = [this](const QString& text) { statusBar()->showMessage(text); };
    recovery_->Attach(RecoveryDocument{[this] { return IsModified(); }, [this] { return DocumentPath(); },
                                       [this] { return RecoveryBytes(); }});
    recovery_->Follow();
}

void DocumentWindow::LeftWorkDiscarded(const OfferedRecovery&) {}

bool DocumentWindow::RestoreRecoveryCopy(const std::filesystem::path& copy, const std::string& originalPath) {
    if (readOnly_ || !LoadThroughFramework(copy)) {
        return false;
    }
    undoStack_->clear();
    SetDocumentPath(originalPath);
    DocumentReplaced();
    // No step of the new history leads back to a saved state: the restored work is unsaved.
    MarkChangedOutsideHistory();
    RefreshView();
    return true;
}

// --- Printing and page output ---

void DocumentWindow::OutputPages(const std::function<void()>& output) {
    // Begin and end pair up even when the output throws.
    struct Scope {
        DocumentWindow& window;
        explicit Scope(DocumentWindow& w) : window(w) { window.BeginPrinting(); }
        ~Scope() { window.EndPrinting(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    } scope(*this);
    output();
}

void DocumentWindow::PrintPagesOn(QPrinter& printer, const std::vector<int>& pages) {
    bool printed = false;
    OutputPages([&] {
        printed = PrintPages(printer, pages, [this](rave::DrawingSurface& surface, int page) {
            DrawPrintedPage(surface, page);
        });
    });
    if (!printed) {
        messages_.Show(Utf8Message(
            QStringLiteral("プリンタを開始できませんでした。\nプリンタの設定を確認して下さい。")));
    }
}

bool DocumentWindow::ChoosePrinter(QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

void DocumentWindow::Print() {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    const std::vector<int> pages = PrintedPages();
    const int count = static_cast<int>(pages.size());
    printer.setFromTo(1, count);
    if (!ChoosePrinter(printer, count)) {
        return;
    }
    std::vector<int> chosen = pages;
    if (printer.printRange() == QPrinter::PageRange) {
        chosen.clear();
        for (int page = std::max(1, printer.fromPage()); page <= std::min(count, printer.toPage()); ++page) {
            chosen.push_back(page);
        }
    }
    if (!chosen.empty()) {
        PrintPagesOn(printer, chosen);
    }
    RefreshView();
}

void DocumentWindow::ShowPrintPreview(QPrintPreviewDialog& preview) {
    preview.exec();
}

void DocumentWindow::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ - %1").arg(caption_));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* previewPrinter) { PrintPagesOn(*previewPrinter, PrintedPages()); });
    preview.resize(size());
    ShowPrintPreview(preview);
    RefreshView();
}

void DocumentWindow::ExportDxf() {
    const std::optional<std::filesystem::path> chosen =
        ChooseFileToExportDxf(PathToQString(ProposedDxfName(DocumentPath())));
    if (!chosen) {
        return;
    }
    // The pages the printer would get, cut from the same paper.
    const QSizeF paper = ReadPaperMm();
    OutputPages([&] {
        ExportPagesAsDxf(
            *chosen, paper.width(), paper.height(), PrintedPages(),
            [this](rave::DrawingSurface& surface, int page) { DrawPrintedPage(surface, page); }, messages_);
    });
    RefreshView();
}

std::optional<std::filesystem::path> DocumentWindow::ChooseFileToExportDxf(const QString& proposed) {
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("DXF出力"), proposed,
                                                      QString::fromUtf8(kDxfFilter));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return PathFromQString(file);
}

void DocumentWindow::ExportPages() {
    const std::optional<std::filesystem::path> chosen =
        ChooseFileToExportPages(PathToQString(ProposedPdfName(DocumentPath())));
    if (!chosen) {
        return;
    }
    // What the print preview shows: the printer's paper, every page, the printer's drawing.
    const QSizeF paper = ReadPaperMm();
    OutputPages([&] {
        rave::platform::ExportPages(
            *chosen, paper.width(), paper.height(), PrintedPages(),
            [this](rave::DrawingSurface& surface, int page) { DrawPrintedPage(surface, page); }, messages_);
    });
    RefreshView();
}

std::optional<std::filesystem::path> DocumentWindow::ChooseFileToExportPages(const QString& proposed) {
    return ChoosePageExportFile(this, proposed);
}

}  // namespace rave::platform
