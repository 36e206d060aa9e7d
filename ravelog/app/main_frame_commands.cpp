// The main window's menu actions for the dialogs, and the undo history of committed edits.
#include <QAction>

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

}  // namespace

void MainFrame::CreateDocumentCommandActions() {
    const rave::platform::CommandText commands[] = {
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
    };
    AddCommands(commands);
    Action(command_id::kExportDxf)->setStatusTip(QStringLiteral("柱状図をCAD用のDXFファイルに出力"));
    Action(command_id::kExportPages)
        ->setStatusTip(QStringLiteral("印刷プレビューと同じ柱状図をPDF、PNG、SVGファイルに出力"));
}

void MainFrame::CommitDocumentEdit(const QString& label, const SoundingDocument& before) {
    if (!SameContent(before, document_)) {
        // The history decides the modified flag from here on.
        PushEdit(new DocumentEditCommand(label, document_, before, [this](int) { DocumentRestored(); }));
    }
    // A dialog confirmed without a change leaves the modified flag as it was.
    document_.modified = IsModified();
    state_.reportFormat = ReportFormatOf(document_);
    RefreshView();
}

void MainFrame::DocumentRestored() {
    // The rows swapped back were resolved with the soil table of their time; resolved again, the
    // sheet never mixes tables. What the view said about them the first time is not said again.
    rave::RecordingMessageSink quiet;
    DeriveRowsForView(document_, files_, quiet);
    state_.reportFormat = ReportFormatOf(document_);
    RefreshView();
}

void MainFrame::ReloadSettings() {
    ReloadTablesAndFonts(files_, Messages());
    TakeUpDocumentForView(document_, files_, Messages());
    RefreshView();
}

}  // namespace ravelog::app
