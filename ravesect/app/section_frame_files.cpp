// Ravesect's file commands (New, Open, Save, Save As, recent files, dropped files), the question
// about unsaved changes, and printing with print preview.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUndoStack>
#include <QUrl>

#include "common/text_file.h"
#include "platform/codec.h"
#include "platform/dxf_export.h"
#include "platform/page_export.h"
#include "platform/page_output.h"
#include "platform/recovery.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/section_view.h"
#include "ravesect/document/section_commands.h"

namespace ravesect::app {

namespace {

const QString kSectionFilter = QStringLiteral("断面図ﾌｧｲﾙ(*.sqw);;すべて(*.*)");

std::filesystem::path ToPath(const QString& text) {
    return std::filesystem::path(text.toStdString());
}

// The untitled name "無題" as a native file name.
std::string NativeUntitled(std::string_view cp932) {
    return rave::platform::Cp932ToUtf8(cp932);
}

// Keeps the page commands and keys quiet while a page is being drawn on a printer.
class PrintingScope {
public:
    explicit PrintingScope(SectionViewPosition& position) : position_(position) { position_.printing = true; }
    ~PrintingScope() { position_.printing = false; }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;

private:
    SectionViewPosition& position_;
};

}  // namespace

// A file that could not be read at all is named to the user (the core reports only a working
// file it could not write), so a mistyped or vanished file never fails silently.
void SectionFrame::ReportUnreadable(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error) || !rave::ReadFileBytes(file)) {
        messages_.Show(SourceNotFoundMessage(file));
    }
}

bool SectionFrame::OpenThroughFramework(const std::filesystem::path& file) {
    const bool loaded = OpenSectionThroughFramework(document_, paths_.working, file, messages_);
    if (loaded) {
        undoStack_->clear();  // a failed open leaves the section and its undo steps as they were
    }
    TakeUpDocument();
    if (loaded) {
        DocumentNamed();
    } else {
        ReportUnreadable(file);
    }
    return loaded;
}

void SectionFrame::NewDocument() {
    if (!ConfirmDiscardChanges()) {
        return;
    }
    NewSection(document_, paths_.working, paths_.installFolder, NativeUntitled);
    undoStack_->clear();
    TakeUpDocument();
}

void SectionFrame::OpenFromMenu() {
    if (!ConfirmDiscardChanges()) {
        return;
    }
    const OpenFolderFile openFolder = ReadOpenFolderFile(paths_.installFolder);
    const std::optional<std::filesystem::path> file =
        ChooseFileToOpen(QString::fromStdString(openFolder.folder));
    if (!file) {
        return;
    }
    const bool loaded =
        OpenSectionFromMenu(document_, paths_.working, paths_.installFolder, *file, messages_);
    if (loaded) {
        undoStack_->clear();
    }
    TakeUpDocument();
    if (loaded) {
        DocumentNamed();
    } else {
        ReportUnreadable(*file);
    }
}

void SectionFrame::OpenRecentFile(int index) {
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

bool SectionFrame::Save() {
    // Work restored after a crash asks before it replaces an original that changed meanwhile.
    if (recovery_ != nullptr && CanSaveInPlace(document_) && !recovery_->MaySaveOver(document_.pathName)) {
        return SaveAs();
    }
    switch (SaveSection(document_, paths_.working, messages_)) {
        case SaveResult::kSaved:
            undoStack_->setClean();
            DocumentNamed();
            return true;
        case SaveResult::kNeedsSaveAs:
            return SaveAs();
        case SaveResult::kFailed:
            return false;
    }
    return false;
}

bool SectionFrame::SaveAs() {
    const std::optional<std::filesystem::path> chosen =
        ChooseFileToSaveAs(QString::fromStdString(ProposedSaveAsName(document_.pathName)));
    if (!chosen) {
        return false;
    }
    if (SaveSectionAs(document_, paths_.working, *chosen, messages_) != SaveResult::kSaved) {
        return false;
    }
    undoStack_->setClean();
    DocumentNamed();
    return true;
}

void SectionFrame::DocumentNamed() {
    recentFiles_ = WithRecentFile(recentFiles_, QString::fromStdString(document_.pathName));
    WriteRecentFiles(recentFiles_);
    RebuildRecentFileMenu();
    RefreshView();
}

bool SectionFrame::ConfirmDiscardChanges() {
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

std::optional<std::filesystem::path> SectionFrame::ChooseFileToOpen(const QString& initialFolder) {
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("開く"), initialFolder, kSectionFilter);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return ToPath(file);
}

std::optional<std::filesystem::path> SectionFrame::ChooseFileToSaveAs(const QString& proposed) {
    // Read-only files hidden, overwriting confirmed; a name without an extension gets ".sqw"
    // before the dialog asks about overwriting.
    QFileDialog dialog(this, QStringLiteral("名前を付けて保存"), proposed, kSectionFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("sqw"));
    dialog.setFilter(dialog.filter() | QDir::Writable);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return SaveAsTargetPath(ToPath(dialog.selectedFiles().constFirst()));
}

UnsavedChoice SectionFrame::AskAboutUnsavedChanges() {
    QString name = QStringLiteral("無題");
    if (!document_.pathName.empty()) {
        name = QFileInfo(QString::fromStdString(document_.pathName)).fileName();
    }
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, ApplicationCaption(), QStringLiteral("%1 への変更を保存しますか?").arg(name),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        return UnsavedChoice::kSave;
    }
    return answer == QMessageBox::No ? UnsavedChoice::kDiscard : UnsavedChoice::kCancel;
}

void SectionFrame::closeEvent(QCloseEvent* event) {
    if (ConfirmDiscardChanges()) {
        if (recovery_ != nullptr) {
            recovery_->Discard();
        }
        event->accept();
    } else {
        event->ignore();
    }
}

void SectionFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        for (const QUrl& url : event->mimeData()->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
}

void SectionFrame::dropEvent(QDropEvent* event) {
    if (OpenDroppedFiles(event->mimeData()->urls())) {
        event->acceptProposedAction();
    }
}

bool SectionFrame::OpenDroppedFiles(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            activateWindow();
            // One section at a time: the first dropped file is opened.
            if (ConfirmDiscardChanges()) {
                OpenThroughFramework(ToPath(url.toLocalFile()));
            }
            return true;
        }
    }
    return false;
}

std::vector<int> SectionFrame::PrintedPages() const {
    const int count = CountPrintedPages(document_.settings, Span().lastDistance);
    std::vector<int> pages;
    for (int page = 1; page <= count; ++page) {
        pages.push_back(page);
    }
    return pages;
}

void SectionFrame::PrintPagesOn(QPrinter& printer, const std::vector<int>& pages) {
    const SectionDrawingResources resources{sysq_, fonts_, &patternColours_};
    bool printed = false;
    {
        PrintingScope printing(position_);
        printed = rave::platform::PrintPages(printer, pages, [&](rave::DrawingSurface& surface, int page) {
            DrawSectionFromColumnsFile(surface, document_, paths_.working.columns, resources, true,
                                       PrintedPage(document_.settings, page));
        });
    }
    if (!printed) {
        messages_.Show(rave::Message{
            0,
            rave::platform::Utf8ToCp932("プリンタを開始できませんでした。\nプリンタの設定を確認して下さい。")
                .value_or(""),
            {}});
    }
}

void SectionFrame::PreparePrinter(QPrinter& printer) {
    // The section is printed on the paper it was laid out for: the default printer's, or A4
    // landscape when there is none.
    ReadPrinterPaper();
    FillPageLengthsFromPaper(document_.settings, paper_, sysq_);
    printer.setPageSize(QPageSize(QSizeF(paper_.widthMm, paper_.heightMm), QPageSize::Millimeter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setDocName(QFileInfo(QString::fromStdString(document_.pathName)).fileName());
}

bool SectionFrame::ChoosePrinter(QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

void SectionFrame::Print() {
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

void SectionFrame::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ - %1").arg(ApplicationCaption()));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* previewPrinter) { PrintPagesOn(*previewPrinter, PrintedPages()); });
    preview.resize(size());
    ShowPrintPreview(preview);
    RefreshView();
}

void SectionFrame::ExportDxf() {
    const std::optional<std::filesystem::path> chosen = ChooseFileToExportDxf(
        QString::fromStdString(rave::platform::ProposedDxfName(document_.pathName).string()));
    if (!chosen) {
        return;
    }
    // The pages the printer would get, cut from the same paper.
    ReadPrinterPaper();
    FillPageLengthsFromPaper(document_.settings, paper_, sysq_);
    const SectionDrawingResources resources{sysq_, fonts_, &patternColours_};
    {
        PrintingScope printing(position_);
        rave::platform::ExportPagesAsDxf(
            *chosen, paper_.widthMm, paper_.heightMm, PrintedPages(),
            [&](rave::DrawingSurface& surface, int page) {
                DrawSectionFromColumnsFile(surface, document_, paths_.working.columns, resources, true,
                                           PrintedPage(document_.settings, page));
            },
            messages_);
    }
    RefreshView();
}

std::optional<std::filesystem::path> SectionFrame::ChooseFileToExportDxf(const QString& proposed) {
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("DXF出力"), proposed,
                                                      QString::fromUtf8(rave::platform::kDxfFilter));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(file.toStdString());
}

void SectionFrame::ExportPages() {
    const std::optional<std::filesystem::path> chosen = ChooseFileToExportPages(
        QString::fromStdString(rave::platform::ProposedPdfName(document_.pathName).string()));
    if (!chosen) {
        return;
    }
    // What the print preview shows: the printer's paper, every printed page, the printer's drawing.
    ReadPrinterPaper();
    FillPageLengthsFromPaper(document_.settings, paper_, sysq_);
    const SectionDrawingResources resources{sysq_, fonts_, &patternColours_};
    {
        PrintingScope printing(position_);
        rave::platform::ExportPages(
            *chosen, paper_.widthMm, paper_.heightMm, PrintedPages(),
            [&](rave::DrawingSurface& surface, int page) {
                DrawSectionFromColumnsFile(surface, document_, paths_.working.columns, resources, true,
                                           PrintedPage(document_.settings, page));
            },
            messages_);
    }
    RefreshView();
}

std::optional<std::filesystem::path> SectionFrame::ChooseFileToExportPages(const QString& proposed) {
    return rave::platform::ChoosePageExportFile(this, proposed);
}

void SectionFrame::ShowPrintPreview(QPrintPreviewDialog& preview) {
    preview.exec();
}

}  // namespace ravesect::app
