// The report window (地盤調査報告書): one site report at a time, edited on tabs (the points with
// their plan, the outlines, the cover and conditions, the photographs, the findings with
// 案を作成) and seen on a page preview of the very pages the PDF gets; 開く / 保存 for the report
// file, 印刷 and PDF出力.
//
// Who owns what: the window owns the report (a SiteReport, names relative to the report file's
// folder, or full paths while the report is untitled), its recovery session and the pages it
// prepares for the preview. The editors edit the report's lists in place; the typed fields and
// the findings are taken into it before anything uses it (Sync). The report counts as changed
// while it differs from what was last opened or saved. Closing with changes asks first; while it
// has changes a recovery copy is kept as the programs keep one for their documents.
//
// What needs the section's printout or the printer's paper is handed in by the executable
// (SiteWindowServices), so this layer uses neither program's command line.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "platform/document_window.h"
#include "site/app/site_report_output.h"
#include "site/site_pages.h"
#include "site/site_report.h"

class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QTabWidget;

namespace rave::platform {
class RecoverySession;
}

namespace site::app {

class SiteFieldsEditor;
class SiteOutlineEditor;
class SitePhotosEditor;
class SitePointsEditor;

class SiteReportWindow : public QDialog {
    Q_OBJECT
public:
    // `messages`: where messages and yes/no questions go; null shows them over the window.
    SiteReportWindow(std::filesystem::path installFolder, SiteWindowServices services,
                     rave::MessageSink* messages = nullptr, QWidget* parent = nullptr);
    ~SiteReportWindow() override;

    // The sounding open in Ravelog, offered as the first point of a new report (not a change).
    void OfferCurrentDocument(const std::filesystem::path& sounding);
    // Offers the recovery copies a report window of an earlier run left; true when one was restored.
    bool OfferRecoveries();

    int AddPointFiles(const std::vector<std::filesystem::path>& files);
    int AddPhotoFiles(const std::vector<std::filesystem::path>& files);
    // Opens a report file (no question about the report in hand; the 開く button asks first).
    bool OpenReport(const std::filesystem::path& file);
    bool Save();
    bool SaveAs();
    bool SaveTo(const std::filesystem::path& file);
    bool ExportPdfTo(const std::filesystem::path& file);
    void ExportPdf();
    void Print();
    // 案を作成: the draft from the data goes into the findings; text already there is replaced
    // only when the user says yes. False when nothing was put in.
    bool DraftFindings();
    // Prepares the pages again and redraws the preview; false when the report cannot be drawn.
    bool RefreshPreview();
    // Takes the typed fields into the report; false (after saying why) when one cannot be taken.
    bool Sync();
    bool IsModified();

    const SiteReport& Report() const { return report_; }
    const std::filesystem::path& ReportPath() const { return reportPath_; }
    rave::platform::RecoverySession& Recovery() const { return *recovery_; }
    QTabWidget* Tabs() const { return tabs_; }
    SitePointsEditor* Points() const { return points_; }
    SiteFieldsEditor* Fields() const { return fields_; }
    QPlainTextEdit* Findings() const { return findings_; }
    QPrintPreviewWidget* Preview() const { return preview_; }
    int PreviewPageCount() const;

protected:
    // The dialogs, kept apart so tests can answer them.
    virtual std::vector<std::filesystem::path> ChooseSoundings(const QString& folder);
    virtual std::vector<std::filesystem::path> ChoosePhotos(const QString& folder);
    virtual std::optional<std::filesystem::path> ChooseSection(const QString& folder);
    virtual std::optional<std::filesystem::path> ChooseReportToOpen(const QString& folder);
    virtual std::optional<std::filesystem::path> ChooseReportToSave(const QString& proposed);
    virtual std::optional<std::filesystem::path> ChoosePdf(const QString& proposed);
    virtual bool ChoosePrinter(QPrinter& printer, int pageCount);
    virtual rave::platform::UnsavedChoice AskAboutUnsavedChanges();

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QWidget* CreateFindingsPage();
    QWidget* CreatePreviewPage();
    QPushButton* AddButton(const QString& text, const QString& accessible);
    void OpenFromButton();
    void Edited();
    void ReloadEditors();
    void UpdateTitle();
    std::filesystem::path Folder() const;
    QString StartFolder() const;
    std::unique_ptr<SiteOutput> Prepare();
    void PaintPreview(QPrinter* printer);

    std::filesystem::path installFolder_;
    SiteWindowServices services_;
    std::unique_ptr<rave::MessageSink> ownMessages_;
    rave::MessageSink& messages_;
    SiteReport report_;
    std::optional<SiteReport> saved_;  // as last opened or saved; none: restored work, unsaved
    std::filesystem::path reportPath_;
    std::unique_ptr<rave::platform::RecoverySession> recovery_;
    std::unique_ptr<SiteOutput> previewOutput_;
    std::unique_ptr<QPrinter> previewPrinter_;

    QTabWidget* tabs_ = nullptr;
    SitePointsEditor* points_ = nullptr;
    SiteOutlineEditor* lot_ = nullptr;
    SiteOutlineEditor* building_ = nullptr;
    SiteFieldsEditor* fields_ = nullptr;
    SitePhotosEditor* photos_ = nullptr;
    QPlainTextEdit* findings_ = nullptr;
    QPrintPreviewWidget* preview_ = nullptr;
    QLabel* previewPage_ = nullptr;
};

}  // namespace site::app
