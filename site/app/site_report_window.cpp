// The report window: its tabs, its file commands and its pages on the preview, printer and PDF.
#include "site/app/site_report_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/path_text.h"
#include "platform/message_box.h"
#include "platform/page_output.h"
#include "platform/recovery.h"
#include "platform/widget_text.h"
#include "site/app/site_fields_editor.h"
#include "site/app/site_list_editors.h"
#include "site/app/site_points_editor.h"
#include "site/site_report_folder.h"

namespace site::app {

namespace {

namespace fs = std::filesystem;
using rave::platform::FromCp932;
using rave::platform::UnsavedChoice;
using rave::platform::Utf8Message;

const QString kCaption = QStringLiteral("地盤調査報告書");
constexpr const char* kReportExtension = ".rsr";

QString FromPath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

SiteReportWindow::SiteReportWindow(fs::path installFolder, SiteWindowServices services,
                                   rave::MessageSink* messages, QWidget* parent)
    : QDialog(parent),
      installFolder_(std::move(installFolder)),
      services_(std::move(services)),
      ownMessages_(messages == nullptr ? std::make_unique<rave::platform::MessageBoxSink>(this, kCaption)
                                       : nullptr),
      messages_(messages == nullptr ? *ownMessages_ : *messages) {
    setWindowFlag(Qt::Window);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setObjectName(QStringLiteral("siteReportWindow"));
    saved_ = report_;

    tabs_ = new QTabWidget(this);
    auto folder = [this] { return Folder(); };
    points_ = new SitePointsEditor(report_, folder, messages_, this);
    fields_ = new SiteFieldsEditor(this);
    auto* outlines = new QWidget(this);
    lot_ = new SiteOutlineEditor(QStringLiteral("敷地(&L)"), report_.lotOutline, messages_, outlines);
    building_ =
        new SiteOutlineEditor(QStringLiteral("建物(&B)"), report_.buildingOutline, messages_, outlines);
    auto* outlineLayout = new QHBoxLayout(outlines);
    outlineLayout->addWidget(lot_);
    outlineLayout->addWidget(building_);
    photos_ = new SitePhotosEditor(report_.photos, folder, messages_, this);
    tabs_->addTab(points_, QStringLiteral("測点と位置(&1)"));
    tabs_->addTab(outlines, QStringLiteral("敷地と建物(&2)"));
    tabs_->addTab(fields_, QStringLiteral("表紙と条件(&3)"));
    tabs_->addTab(photos_, QStringLiteral("写真(&4)"));
    tabs_->addTab(CreateFindingsPage(), QStringLiteral("考察(&5)"));
    tabs_->addTab(CreatePreviewPage(), QStringLiteral("プレビュー(&6)"));
    tabs_->setAccessibleName(QStringLiteral("報告書の内容"));

    auto* buttons = new QHBoxLayout;
    QPushButton* open = AddButton(QStringLiteral("開く(&O)..."), QStringLiteral("報告書ファイルを開く"));
    QPushButton* save = AddButton(QStringLiteral("保存(&S)"), QStringLiteral("報告書ファイルを保存"));
    QPushButton* saveAs = AddButton(QStringLiteral("名前を付けて保存(&V)..."),
                                    QStringLiteral("報告書ファイルに名前を付けて保存"));
    QPushButton* print = AddButton(QStringLiteral("印刷(&P)..."), QStringLiteral("報告書を印刷"));
    QPushButton* pdf =
        AddButton(QStringLiteral("PDF出力(&F)..."), QStringLiteral("報告書をPDFファイルに出力"));
    QPushButton* close = AddButton(QStringLiteral("閉じる(&C)"), QStringLiteral("報告書ウィンドウを閉じる"));
    for (QPushButton* button : {open, save, saveAs, print, pdf}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    connect(open, &QPushButton::clicked, this, &SiteReportWindow::OpenFromButton);
    connect(save, &QPushButton::clicked, this, [this] { Save(); });
    connect(saveAs, &QPushButton::clicked, this, [this] { SaveAs(); });
    connect(print, &QPushButton::clicked, this, &SiteReportWindow::Print);
    connect(pdf, &QPushButton::clicked, this, &SiteReportWindow::ExportPdf);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(points_, &SitePointsEditor::Changed, this, &SiteReportWindow::Edited);
    connect(lot_, &SiteOutlineEditor::Changed, this, &SiteReportWindow::Edited);
    connect(building_, &SiteOutlineEditor::Changed, this, &SiteReportWindow::Edited);
    connect(photos_, &SitePhotosEditor::Changed, this, &SiteReportWindow::Edited);
    connect(fields_, &SiteFieldsEditor::Edited, this, &SiteReportWindow::Edited);
    connect(points_, &SitePointsEditor::AddRequested, this,
            [this] { AddPointFiles(ChooseSoundings(StartFolder())); });
    connect(photos_, &SitePhotosEditor::AddRequested, this,
            [this] { AddPhotoFiles(ChoosePhotos(StartFolder())); });
    connect(fields_, &SiteFieldsEditor::ChooseSectionRequested, this, [this] {
        if (const std::optional<fs::path> file = ChooseSection(StartFolder())) {
            if (const std::optional<std::string> stored = ReportPathText(Folder(), *file)) {
                fields_->Section()->setText(FromCp932(*stored));
                Edited();
            }
        }
    });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (tabs_->widget(index) == preview_->parentWidget()) {
            RefreshPreview();
        }
    });

    const fs::path recoveryFolder =
        services_.recoveryFolder.empty() ? rave::platform::DefaultRecoveryFolder() : services_.recoveryFolder;
    recovery_ =
        std::make_unique<rave::platform::RecoverySession>("RavelogReport", kReportExtension, recoveryFolder);
    recovery_->SetIntervalSeconds(rave::platform::ReadAutosaveSeconds());
    recovery_->Attach({[this] { return IsModified(); }, [this] { return reportPath_.string(); },
                       [this] { return WriteSiteReportBytes(report_); }});
    ReloadEditors();
    resize(1200, 860);
}

SiteReportWindow::~SiteReportWindow() = default;

QPushButton* SiteReportWindow::AddButton(const QString& text, const QString& accessible) {
    auto* button = new QPushButton(text, this);
    button->setAccessibleName(accessible);
    button->setAutoDefault(false);
    return button;
}

QWidget* SiteReportWindow::CreateFindingsPage() {
    auto* page = new QWidget(this);
    findings_ = new QPlainTextEdit(page);
    findings_->setTabChangesFocus(true);
    auto* draft = new QPushButton(QStringLiteral("案を作成(&G)"), page);
    draft->setAccessibleName(QStringLiteral("考察の案をデータから作成"));
    draft->setAutoDefault(false);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(rave::platform::BuddyLabel(QStringLiteral("考察(&K):"), findings_, page));
    layout->addWidget(findings_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(
        new QLabel(QStringLiteral("案はデータの事実だけを書きます。判断は技術者が書き加えて下さい。"), page),
        1);
    row->addWidget(draft);
    layout->addLayout(row);
    connect(findings_, &QPlainTextEdit::textChanged, this, &SiteReportWindow::Edited);
    connect(draft, &QPushButton::clicked, this, [this] { DraftFindings(); });
    return page;
}

QWidget* SiteReportWindow::CreatePreviewPage() {
    auto* page = new QWidget(this);
    previewPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    previewPrinter_->setFullPage(true);
    preview_ = new QPrintPreviewWidget(previewPrinter_.get(), page);
    preview_->setAccessibleName(QStringLiteral("報告書のページ"));
    preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
    auto* previous = new QPushButton(QStringLiteral("前のページ(&Q)"), page);
    auto* next = new QPushButton(QStringLiteral("次のページ(&N)"), page);
    auto* refresh = new QPushButton(QStringLiteral("更新(&E)"), page);
    previewPage_ = new QLabel(page);
    auto* row = new QHBoxLayout;
    for (QPushButton* button : {previous, next, refresh}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addWidget(previewPage_, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addWidget(preview_, 1);
    auto showPage = [this] {
        previewPage_->setText(
            QStringLiteral("%1 / %2 ページ").arg(preview_->currentPage()).arg(PreviewPageCount()));
    };
    connect(previous, &QPushButton::clicked, this, [this, showPage] {
        preview_->setCurrentPage(preview_->currentPage() - 1);
        showPage();
    });
    connect(next, &QPushButton::clicked, this, [this, showPage] {
        preview_->setCurrentPage(preview_->currentPage() + 1);
        showPage();
    });
    connect(refresh, &QPushButton::clicked, this, [this] { RefreshPreview(); });
    connect(preview_, &QPrintPreviewWidget::previewChanged, this, showPage);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, &SiteReportWindow::PaintPreview);
    return page;
}

int SiteReportWindow::PreviewPageCount() const {
    return previewOutput_ ? previewOutput_->pages->PageCount() : 0;
}

fs::path SiteReportWindow::Folder() const {
    return reportPath_.empty() ? fs::path() : reportPath_.parent_path();
}

QString SiteReportWindow::StartFolder() const {
    if (!reportPath_.empty()) {
        return FromPath(reportPath_.parent_path());
    }
    if (!report_.points.empty()) {
        return FromPath(ResolveReportPath(Folder(), report_.points.front().file).parent_path());
    }
    return {};
}

void SiteReportWindow::OfferCurrentDocument(const fs::path& sounding) {
    std::error_code error;
    if (sounding.empty() || !fs::is_regular_file(sounding, error) || !report_.points.empty()) {
        return;
    }
    rave::RecordingMessageSink quiet;  // a document that is no sounding file is simply not offered
    SitePointsEditor offer(
        report_, [this] { return Folder(); }, quiet);
    offer.AddFiles({fs::absolute(sounding, error)});
    saved_ = report_;
    ReloadEditors();
}

bool SiteReportWindow::OfferRecoveries() {
    return rave::platform::OfferLeftRecoveries(
        *recovery_,
        [this](const rave::OfferedRecovery& offered) {
            return rave::platform::AskAboutRecovery(this, kCaption, offered);
        },
        [this](const rave::OfferedRecovery& offered) {
            SiteReportReadResult read = ReadSiteReportFile(offered.copy);
            if (!read.report) {
                return false;
            }
            report_ = std::move(*read.report);
            reportPath_ = rave::PathFromUtf8(offered.record.originalPath);
            saved_.reset();  // the restored work is unsaved
            recovery_->Restored(offered);
            ReloadEditors();
            return true;
        });
}

int SiteReportWindow::AddPointFiles(const std::vector<fs::path>& files) {
    return points_->AddFiles(files);
}

int SiteReportWindow::AddPhotoFiles(const std::vector<fs::path>& files) {
    return photos_->AddFiles(files);
}

void SiteReportWindow::ReloadEditors() {
    const QSignalBlocker blockFields(fields_);
    const QSignalBlocker blockFindings(findings_);
    points_->Reload();
    lot_->Reload();
    building_->Reload();
    photos_->Reload();
    fields_->Load(report_);
    findings_->setPlainText(
        FromCp932(report_.findings).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    previewOutput_.reset();
    UpdateTitle();
    recovery_->Follow();
}

bool SiteReportWindow::Sync() {
    if (!fields_->Store(report_, messages_)) {
        tabs_->setCurrentWidget(fields_);
        return false;
    }
    const std::optional<std::string> findings =
        rave::platform::ToCp932(findings_->toPlainText(), QStringLiteral("考察"), messages_);
    if (!findings) {
        tabs_->setCurrentWidget(findings_->parentWidget());
        return false;
    }
    std::string text;
    for (char c : *findings) {
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    report_.findings = text;
    return true;
}

bool SiteReportWindow::IsModified() {
    // What is typed counts as it stands; a field that cannot be taken yet is a change too.
    rave::RecordingMessageSink quiet;
    SiteReport typed = report_;
    const bool taken = fields_->Store(typed, quiet);
    if (const std::optional<std::string> findings =
            rave::platform::ToCp932(findings_->toPlainText(), QString(), quiet)) {
        typed.findings.clear();
        for (char c : *findings) {
            typed.findings += c == '\n' ? std::string("\r\n") : std::string(1, c);
        }
    } else {
        return true;
    }
    return !taken || !saved_ || typed != *saved_;
}

void SiteReportWindow::Edited() {
    previewOutput_.reset();
    UpdateTitle();
    recovery_->Follow();
}

void SiteReportWindow::UpdateTitle() {
    const QString name = reportPath_.empty() ? QStringLiteral("無題") : FromPath(reportPath_.filename());
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(name, kCaption));
    setWindowModified(IsModified());
}

void SiteReportWindow::OpenFromButton() {
    if (IsModified()) {
        const UnsavedChoice choice = AskAboutUnsavedChanges();
        if (choice == UnsavedChoice::kCancel || (choice == UnsavedChoice::kSave && !Save())) {
            return;
        }
    }
    if (const std::optional<fs::path> file = ChooseReportToOpen(StartFolder())) {
        OpenReport(*file);
    }
}

bool SiteReportWindow::OpenReport(const fs::path& file) {
    const SiteReportReadResult read = ReadSiteReportFile(file);
    if (!read.report) {
        messages_.Show(Utf8Message(FromPath(file) + QStringLiteral("\n") + FromCp932(read.error)));
        return false;
    }
    if (!read.warnings.empty()) {
        QString text = FromPath(file);
        for (const std::string& warning : read.warnings) {
            text += QStringLiteral("\n") + FromCp932(warning);
        }
        messages_.Show(Utf8Message(text));
    }
    std::error_code error;
    report_ = *read.report;
    reportPath_ = fs::absolute(file, error);
    saved_ = report_;
    ReloadEditors();
    return true;
}

bool SiteReportWindow::Save() {
    if (reportPath_.empty()) {
        return SaveAs();
    }
    if (!recovery_->MaySaveOver(reportPath_.string())) {
        return SaveAs();
    }
    return SaveTo(reportPath_);
}

bool SiteReportWindow::SaveAs() {
    QString proposed =
        reportPath_.empty() ? StartFolder() + QStringLiteral("/地盤調査報告書.rsr") : FromPath(reportPath_);
    const std::optional<fs::path> chosen = ChooseReportToSave(proposed);
    if (!chosen) {
        return false;
    }
    fs::path file = *chosen;
    if (!file.has_extension()) {
        file += kReportExtension;
    }
    return SaveTo(file);
}

bool SiteReportWindow::SaveTo(const fs::path& file) {
    if (!Sync()) {
        return false;
    }
    std::error_code error;
    const fs::path target = fs::absolute(file, error);
    const std::optional<SiteReport> moved = MoveReportFolder(report_, Folder(), target.parent_path());
    if (!moved) {
        messages_.Show(Utf8Message(QStringLiteral("報告書ファイルに書けない名前のファイルがあります。")));
        return false;
    }
    if (const std::string problem = SaveSiteReportFile(target, *moved); !problem.empty()) {
        messages_.Show(Utf8Message(FromPath(target) + QStringLiteral("\n保存できませんでした。\n") +
                                   QString::fromStdString(problem)));
        return false;
    }
    report_ = *moved;
    reportPath_ = target;
    saved_ = report_;
    ReloadEditors();
    return true;
}

std::unique_ptr<SiteOutput> SiteReportWindow::Prepare() {
    if (!Sync()) {
        return nullptr;
    }
    if (report_.points.empty()) {
        messages_.Show(Utf8Message(QStringLiteral("測点がありません。測点のファイルを追加して下さい。")));
        return nullptr;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::unique_ptr<SiteOutput> output =
        PrepareSiteOutput(report_, Folder(), installFolder_, services_, messages_);
    QApplication::restoreOverrideCursor();
    return output;
}

void SiteReportWindow::PaintPreview(QPrinter* printer) {
    if (previewOutput_ && previewOutput_->pages->PageCount() > 0) {
        DrawSitePages(*printer, *previewOutput_, 1, previewOutput_->pages->PageCount());
    }
}

bool SiteReportWindow::RefreshPreview() {
    // An empty report shows an empty preview without a message each time the tab is opened.
    previewOutput_ = report_.points.empty() ? nullptr : Prepare();
    preview_->updatePreview();
    if (!previewOutput_) {
        previewPage_->setText(report_.points.empty() ? QStringLiteral("測点がありません。")
                                                     : QStringLiteral("ページを作れません。"));
    }
    return previewOutput_ != nullptr;
}

void SiteReportWindow::Print() {
    const std::unique_ptr<SiteOutput> output = Prepare();
    if (!output) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    const int count = output->pages->PageCount();
    printer.setFromTo(1, count);
    if (!ChoosePrinter(printer, count)) {
        return;
    }
    int from = 1;
    int to = count;
    if (printer.printRange() == QPrinter::PageRange) {
        from = std::max(1, printer.fromPage());
        to = std::min(count, printer.toPage());
    }
    if (from <= to && !DrawSitePages(printer, *output, from, to)) {
        messages_.Show(Utf8Message(
            QStringLiteral("プリンタを開始できませんでした。\nプリンタの設定を確認して下さい。")));
    }
}

void SiteReportWindow::ExportPdf() {
    const QString stem =
        reportPath_.empty() ? QStringLiteral("地盤調査報告書") : FromPath(reportPath_.stem());
    if (const std::optional<fs::path> file =
            ChoosePdf(StartFolder() + QStringLiteral("/") + stem + QStringLiteral(".pdf"))) {
        ExportPdfTo(*file);
    }
}

bool SiteReportWindow::ExportPdfTo(const fs::path& chosen) {
    fs::path file = chosen;
    if (rave::platform::PageFileKindOf(file) != rave::platform::PageFileKind::kPdf) {
        file += ".pdf";
    }
    const std::unique_ptr<SiteOutput> output = Prepare();
    if (!output) {
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string error = WriteSitePdf(file, *output);
    QApplication::restoreOverrideCursor();
    if (!error.empty()) {
        messages_.Show(Utf8Message(FromPath(file) + QStringLiteral("\nPDFファイルを書けませんでした。\n") +
                                   QString::fromStdString(error)));
    }
    return error.empty();
}

bool SiteReportWindow::DraftFindings() {
    const std::unique_ptr<SiteOutput> output = Prepare();
    if (!output) {
        return false;
    }
    std::vector<PointSummary> rows;
    for (const PreparedPoint& point : output->site->points) {
        rows.push_back(point.summary);
    }
    const std::string draft = site::DraftFindings(rows, report_.footingDepth, report_.contactPressure);
    const QString text = FromCp932(draft).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!findings_->toPlainText().trimmed().isEmpty() && findings_->toPlainText() != text &&
        !messages_.AskYesNo(
            Utf8Message(QStringLiteral("考察には既に文章があります。\n作成した案で置き換えますか?")))) {
        return false;
    }
    findings_->setPlainText(text);
    tabs_->setCurrentWidget(findings_->parentWidget());
    return true;
}

void SiteReportWindow::closeEvent(QCloseEvent* event) {
    if (IsModified()) {
        const UnsavedChoice choice = AskAboutUnsavedChanges();
        if (choice == UnsavedChoice::kCancel || (choice == UnsavedChoice::kSave && !Save())) {
            event->ignore();
            return;
        }
    }
    recovery_->Discard();
    event->accept();
}

void SiteReportWindow::reject() {
    close();
}

}  // namespace site::app
