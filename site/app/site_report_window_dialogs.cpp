// The report window's file choosers, print dialog and question, kept apart so tests answer them.
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "common/path_text.h"
#include "site/app/site_report_window.h"

namespace site::app {

namespace {

namespace fs = std::filesystem;
using rave::platform::UnsavedChoice;

const QString kReportFilter = QStringLiteral("報告書ファイル (*.rsr);;すべてのファイル (*)");

fs::path ToPath(const QString& text) {
    return rave::PathFromUtf8(text.toStdString());
}
QString FromPath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

std::vector<fs::path> ToPaths(const QStringList& files) {
    std::vector<fs::path> paths;
    for (const QString& file : files) {
        paths.push_back(ToPath(file));
    }
    return paths;
}

std::optional<fs::path> Chosen(const QString& file) {
    return file.isEmpty() ? std::nullopt : std::optional<fs::path>(ToPath(file));
}

}  // namespace

std::vector<fs::path> SiteReportWindow::ChooseSoundings(const QString& folder) {
    return ToPaths(QFileDialog::getOpenFileNames(
        this, QStringLiteral("測点のファイルを追加"), folder,
        QStringLiteral("Ver3、4、5形式(*.sdw);;Ver2形式(s*.ddf);;すべて(*.*)")));
}

std::vector<fs::path> SiteReportWindow::ChoosePhotos(const QString& folder) {
    return ToPaths(
        QFileDialog::getOpenFileNames(this, QStringLiteral("写真を追加"), folder,
                                      QStringLiteral("写真 (*.jpg *.jpeg *.png);;すべてのファイル (*)")));
}

std::optional<fs::path> SiteReportWindow::ChooseSection(const QString& folder) {
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("断面図を選ぶ"), folder,
                                     QStringLiteral("断面図ファイル (*.sqw);;すべてのファイル (*)"));
    return Chosen(file);
}

std::optional<fs::path> SiteReportWindow::ChooseReportToOpen(const QString& folder) {
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("報告書ファイルを開く"), folder, kReportFilter);
    return Chosen(file);
}

std::optional<fs::path> SiteReportWindow::ChooseReportToSave(const QString& proposed) {
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("報告書ファイルに名前を付けて保存"), proposed, kReportFilter);
    return Chosen(file);
}

std::optional<fs::path> SiteReportWindow::ChoosePdf(const QString& proposed) {
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("PDF出力"), proposed,
                                                      QStringLiteral("PDFファイル (*.pdf)"));
    return Chosen(file);
}

bool SiteReportWindow::ChoosePrinter(QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

UnsavedChoice SiteReportWindow::AskAboutUnsavedChanges() {
    const QString name = reportPath_.empty() ? QStringLiteral("無題") : FromPath(reportPath_.filename());
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, QStringLiteral("地盤調査報告書"), QStringLiteral("%1 への変更を保存しますか?").arg(name),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        return UnsavedChoice::kSave;
    }
    return answer == QMessageBox::No ? UnsavedChoice::kDiscard : UnsavedChoice::kCancel;
}

}  // namespace site::app
