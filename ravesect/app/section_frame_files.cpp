// Ravesect's document in the document window: New, Open and Save over the working files, the
// Save As dialog, and the printed pages.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QStatusBar>

#include "common/text_file.h"
#include "platform/codec.h"
#include "platform/path_qstring.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/section_view.h"
#include "ravesect/document/section_commands.h"
#include "ravesect/document/section_file.h"
#include "ravesect/document/working_files.h"

namespace ravesect::app {

namespace {

// The untitled name "無題" as a native file name.
std::string NativeUntitled(std::string_view cp932) {
    return rave::platform::Cp932ToUtf8(cp932);
}

}  // namespace

void SectionFrame::OpenFailed(const std::filesystem::path& file) {
    // The section and the open dialogs' pending edits are as they were (see LoadKeepingOnFailure).
    RefreshView();
    // The core reports only a working file it could not write, so a mistyped or vanished file
    // never fails silently.
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error) || !rave::ReadFileBytes(file)) {
        Messages().Show(SourceNotFoundMessage(file));
    }
}

bool SectionFrame::LoadKeepingOnFailure(const std::function<bool()>& load) {
    // A refused file may have cleared the tables in memory, where the open editing dialogs keep
    // their pending rows: a failed open puts the document back as it was, rather than reading
    // the working files again, so nothing pending is lost.
    const SectionDocument before = document_;
    if (load()) {
        return true;
    }
    document_ = before;
    return false;
}

bool SectionFrame::LoadThroughFramework(const std::filesystem::path& file) {
    return ShowCutEntries(LoadKeepingOnFailure(
        [&] { return OpenSectionThroughFramework(document_, paths_.working, file, Messages()); }));
}

bool SectionFrame::LoadFromMenu(const std::filesystem::path& file) {
    return ShowCutEntries(LoadKeepingOnFailure([&] {
        return OpenSectionFromMenu(document_, paths_.working, paths_.installFolder, file, Messages());
    }));
}

bool SectionFrame::ShowCutEntries(bool opened) {
    // The section keeps 50 titles, 200 points and 20 layers; what a file held beyond is said.
    if (opened) {
        if (const std::string cut = SectionCutsText(CountSectionEntries(paths_.working)); !cut.empty()) {
            statusBar()->showMessage(QString::fromStdString(rave::platform::Cp932ToUtf8(cut)));
        }
    }
    return opened;
}

void SectionFrame::StartNewDocument() {
    NewSection(document_, paths_.working, paths_.installFolder, NativeUntitled);
    // The new section keeps the scale and page settings in memory; its settings file holds them
    // too, so the screen, Save As and an undo of a later settings change all start from them.
    WriteSettingsFile(paths_.working, document_.settings, Messages());
}

void SectionFrame::DocumentReplaced() {
    // Whatever a crashed run left in the working files is gone from them now.
    leftWorkRun_.reset();
    TakeUpDocument();
}

QString SectionFrame::InitialOpenFolder() const {
    return QString::fromStdString(ReadOpenFolderFile(paths_.installFolder).folder);
}

rave::platform::SaveOutcome SectionFrame::SaveInPlace() {
    switch (SaveSection(document_, paths_.working, Messages())) {
        case SaveResult::kSaved:
            return rave::platform::SaveOutcome::kSaved;
        case SaveResult::kNeedsSaveAs:
            return rave::platform::SaveOutcome::kNeedsSaveAs;
        case SaveResult::kFailed:
            break;
    }
    return rave::platform::SaveOutcome::kFailed;
}

bool SectionFrame::SaveTo(const std::filesystem::path& file) {
    return SaveSectionAs(document_, paths_.working, file, Messages()) == SaveResult::kSaved;
}

bool SectionFrame::SavesInPlace() const {
    return CanSaveInPlace(document_);
}

QString SectionFrame::ProposedSaveAsName() const {
    return QString::fromStdString(ravesect::ProposedSaveAsName(document_.pathName));
}

std::optional<std::filesystem::path> SectionFrame::ChooseFileToSaveAs(const QString& proposed) {
    // Read-only files hidden, overwriting confirmed; a name without an extension gets ".sqw"
    // before the dialog asks about overwriting (the window asks about what SaveAsTarget makes of
    // a name the dialog left alone, such as "b.").
    const QString filter = QStringLiteral("断面図ﾌｧｲﾙ(*.sqw);;すべて(*.*)");
    QFileDialog dialog(this, QStringLiteral("名前を付けて保存"), proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("sqw"));
    dialog.setFilter(dialog.filter() | QDir::Writable);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return rave::platform::PathFromQString(dialog.selectedFiles().constFirst());
}

std::filesystem::path SectionFrame::SaveAsTarget(const std::filesystem::path& chosen) const {
    return SaveAsTargetPath(chosen);
}

std::string SectionFrame::RecoveryBytes() const {
    return JoinSectionFile(document_, paths_.working);
}

std::vector<int> SectionFrame::PrintedPages() const {
    const int count = CountPrintedPages(document_.settings, Span().lastDistance);
    std::vector<int> pages;
    for (int page = 1; page <= count; ++page) {
        pages.push_back(page);
    }
    return pages;
}

QSizeF SectionFrame::ReadPaperMm() {
    // The default printer's paper, or A4 landscape when there is none; the page lengths follow.
    ReadPrinterPaper();
    FillPageLengthsFromPaper(document_.settings, paper_, sysq_);
    return QSizeF(paper_.widthMm, paper_.heightMm);
}

void SectionFrame::PreparePrinter(QPrinter& printer) {
    const QSizeF paper = ReadPaperMm();
    printer.setPageSize(QPageSize(paper, QPageSize::Millimeter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setDocName(QFileInfo(QString::fromStdString(document_.pathName)).fileName());
}

void SectionFrame::DrawPrintedPage(rave::DrawingSurface& surface, int page) {
    const SectionDrawingResources resources{sysq_, fonts_, &patternColours_, nullptr, &simpleTable_};
    // The columns as the view holds them: the column working file they were read from is not
    // read again for every printed page.
    DrawSectionSnapshot(surface, document_, view_->Columns(), resources, true,
                        PrintedPage(document_.settings, page));
}

}  // namespace ravesect::app
