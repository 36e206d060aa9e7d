// The main window's menu actions for the dialogs, and the undo history of committed edits.
#include <QAction>
#include <QFileDialog>
#include <QUndoCommand>
#include <QUndoStack>
#include <functional>

#include "platform/dxf_export.h"
#include "platform/page_export.h"
#include "ravelog/app/document_edit_command.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/report/page_count.h"
#include "ravelog/report/report_page.h"
#include "ravelog/report/report_view_state.h"

namespace ravelog::app {

namespace {

bool SameContent(const SoundingDocument& a, const SoundingDocument& b) {
    if (a.header.slots != b.header.slots) {
        return false;
    }
    for (int i = 1; i <= kMaxRows; ++i) {
        if (a.Row(i).fields != b.Row(i).fields) {
            return false;
        }
    }
    for (int i = 1; i <= kConversionEntries; ++i) {
        if (a.Conversion(i).fields != b.Conversion(i).fields) {
            return false;
        }
    }
    return true;
}

struct CommandText {
    int id;
    const char* text;
    const char* statusTip;
};

}  // namespace

void MainFrame::CreateDocumentCommandActions() {
    undoStack_ = new QUndoStack(this);
    const CommandText commands[] = {
        {command_id::kHeader, "見出し(&M)", "見出しデータの入力・編集"},
        {command_id::kMeasuredRows, "測定データ(&A)", "測定データの入力・編集"},
        {command_id::kConversionSettings, "換算値 係数と表示(&C)", "換算値の係数と表示の設定"},
        {command_id::kNswAverage, "Nsw- 長期qa(&Q)", "Nswの平均値から長期許容支持力qa~を計算"},
        {command_id::kPageFooter, "ページ(&P)", "ページ フッタの設定"},
        {command_id::kImportCsv, "開く…CSVファイル(&C)..",
         "他のアプリケーションのCSVデータファイルを読み込む"},
        {command_id::kImportSpace, "開く…スペース区切りファイル(&T)..",
         "他のアプリケーションのスペース区切りファイルを読み込む"},
        {command_id::kFormatDecimals, "様式 桁数(&Y)", "様式と桁数の設定"},
        {command_id::kLineTypes, "線種(L)", "線種の設定"},
        {command_id::kDefaultCoefficients, "換算係数(&C)", "新規作成時用の換算係数の初期設定"},
        {command_id::kMargins, "マージン(&M)", "用紙マージンの設定"},
        {command_id::kTechnicians, "技術者名(&1)", "技術者名マスタの編集"},
        {command_id::kShortTexts, "記事短文(&2)", "記事短文マスタの編集"},
        {command_id::kJacicSoilNames, "JACIC版土質名(&3)", "JACIC版土質名テーブルの編集"},
        {command_id::kSimpleSoilNames, "シンプル版土質名(&4)", "シンプル版土質名テーブルの編集"},
        {command_id::kFonts, "フォント(&F)", "フォントの設定"},
        {command_id::kEnterKey, "キーの動作(E)", "ダイアログでのEnterキーの動作"},
        {command_id::kHelp, "操作＆ヘルプ(&H)", "操作の説明とヘルプ"},
        {command_id::kExportDxf, "DXF出力(&D)...", "柱状図をCAD用のDXFファイルに出力"},
        {command_id::kExportPages, "PDF出力(&F)...",
         "印刷プレビューと同じ柱状図をPDF、PNG、SVGファイルに出力"},
    };
    for (const CommandText& command : commands) {
        auto* action = new QAction(QString::fromUtf8(command.text), this);
        action->setData(command.id);
        action->setStatusTip(QString::fromUtf8(command.statusTip));
        actions_.append(action);
    }
    connect(Action(command_id::kExportDxf), &QAction::triggered, this, &MainFrame::ExportDxf);
    connect(Action(command_id::kExportPages), &QAction::triggered, this, &MainFrame::ExportPages);

    auto* undo = new QAction(QStringLiteral("元に戻す(&U)"), this);
    undo->setData(command_id::kUndo);
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(false);
    connect(undo, &QAction::triggered, undoStack_, &QUndoStack::undo);
    connect(undoStack_, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(undoStack_, &QUndoStack::undoTextChanged, undo,
            [undo](const QString& text) { undo->setStatusTip(QStringLiteral("元に戻す: %1").arg(text)); });
    actions_.append(undo);

    auto* redo = new QAction(QStringLiteral("やり直し(&R)"), this);
    redo->setData(command_id::kRedo);
    redo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Y")));
    redo->setEnabled(false);
    connect(redo, &QAction::triggered, undoStack_, &QUndoStack::redo);
    connect(undoStack_, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(undoStack_, &QUndoStack::redoTextChanged, redo,
            [redo](const QString& text) { redo->setStatusTip(QStringLiteral("やり直し: %1").arg(text)); });
    actions_.append(redo);
}

void MainFrame::CommitDocumentEdit(const QString& label, const SoundingDocument& before) {
    if (!SameContent(before, document_)) {
        undoStack_->push(new DocumentEditCommand(
            label, document_, before, [this](int step) { DocumentRestored(undoStack_->index() + step); }));
        document_.modified = true;
    } else {
        // A dialog confirmed without a change leaves the modified flag as it was.
        document_.modified = before.modified;
    }
    state_.reportFormat = ReportFormatOf(document_);
    RefreshView();
}

void MainFrame::DocumentRestored(int newIndex) {
    // Back at the saved state the document is unmodified again.
    document_.modified = newIndex != undoStack_->cleanIndex();
    state_.reportFormat = ReportFormatOf(document_);
    RefreshView();
}

void MainFrame::ExportDxf() {
    const std::optional<std::filesystem::path> chosen = ChooseFileToExportDxf(
        QString::fromStdString(rave::platform::ProposedDxfName(document_.pathName).string()));
    if (!chosen) {
        return;
    }
    ReadPrinterPaperSize();
    const SheetResources resources = files_.Resources();
    rave::platform::ExportPagesAsDxf(
        *chosen, paper_.widthMm, paper_.heightMm, AllPages(),
        [&](rave::DrawingSurface& surface, int page) {
            DrawPrinterPage(surface, document_, resources, state_, page, &messages_);
        },
        messages_);
    RefreshView();
}

std::optional<std::filesystem::path> MainFrame::ChooseFileToExportDxf(const QString& proposed) {
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("DXF出力"), proposed,
                                                      QString::fromUtf8(rave::platform::kDxfFilter));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(file.toStdString());
}

void MainFrame::ExportPages() {
    const std::optional<std::filesystem::path> chosen = ChooseFileToExportPages(
        QString::fromStdString(rave::platform::ProposedPdfName(document_.pathName).string()));
    if (!chosen) {
        return;
    }
    // What the print preview shows: the printer's paper, every page, the printer's drawing.
    ReadPrinterPaperSize();
    const SheetResources resources = files_.Resources();
    rave::platform::ExportPages(
        *chosen, paper_.widthMm, paper_.heightMm, AllPages(),
        [&](rave::DrawingSurface& surface, int page) {
            DrawPrinterPage(surface, document_, resources, state_, page, &messages_);
        },
        messages_);
    RefreshView();
}

std::optional<std::filesystem::path> MainFrame::ChooseFileToExportPages(const QString& proposed) {
    return rave::platform::ChoosePageExportFile(this, proposed);
}

void MainFrame::ReloadSettings() {
    ReloadTablesAndFonts(files_, messages_);
    TakeUpDocumentForView(document_, files_, messages_);
    RefreshView();
}

}  // namespace ravelog::app
