// The commands whose dialogs both programs share: フォント, キーの動作 and 操作＆ヘルプ, bound to
// Ravelog's fonts, settings file and help text; and the legend sheet of the soil-name table in
// use, printed or previewed from the help menu.
#include <QAction>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "common/settings_help.h"
#include "platform/codec.h"
#include "platform/enter_key_dialog.h"
#include "platform/font_settings_dialog.h"
#include "platform/help_dialog.h"
#include "platform/page_output.h"
#include "ravelog/app/command_install.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/report/legend_sheet.h"

namespace ravelog::app {

namespace {

void ShowFontDialog(MainFrame& frame) {
    StartupFiles& files = frame.Files();
    rave::platform::RavelogFontBinding binding(files.fonts, frame.InstallFolder());
    rave::platform::FontSettingsDialog dialog(binding, frame.Messages(), &frame);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (dialog.Saved()) {
        frame.ReloadSettings();
        return;
    }
    // The files could not be written: the chosen fonts stay in use until the program ends.
    files.fonts = binding.Fonts();
    frame.RefreshView();
}

void ShowEnterKeyDialog(MainFrame& frame) {
    StartupFiles& files = frame.Files();
    rave::platform::RavelogEnterKeyBinding binding(files.settings, files.paths.settings);
    rave::platform::EnterKeyDialog dialog(binding, frame.Messages(), &frame);
    dialog.exec();
}

void ShowHelpDialog(MainFrame& frame) {
    rave::platform::HelpDialog dialog(frame.InstallFolder() / rave::kHelpFileName, frame.Messages(), &frame);
    dialog.exec();
}

std::vector<int> PageList(int count) {
    std::vector<int> pages;
    for (int page = 1; page <= count; ++page) {
        pages.push_back(page);
    }
    return pages;
}

// Draws every legend page on the printer, on the printer's own paper.
void PrintLegendOn(MainFrame& frame, QPrinter& printer) {
    const StartupFiles& files = frame.Files();
    const SheetResources resources = files.Resources();
    const LegendSource source{*files.soilTables, resources, LegendTableOf(frame.Document())};
    const QRectF paper = printer.paperRect(QPrinter::Millimeter);
    const int count = CountLegendPages(source, paper.width(), paper.height());
    const bool printed =
        rave::platform::PrintPages(printer, PageList(count), [&](rave::DrawingSurface& surface, int page) {
            DrawLegendPage(surface, source, page, &frame.Messages());
        });
    if (!printed) {
        frame.Messages().Show(rave::Message{
            0,
            rave::platform::Utf8ToCp932("プリンタを開始できませんでした。\nプリンタの設定を確認して下さい。")
                .value_or(""),
            {}});
    }
}

void PrintLegend(MainFrame& frame) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, &frame);
    dialog.setWindowTitle(QStringLiteral("凡例の印刷"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    PrintLegendOn(frame, printer);
}

void PreviewLegend(MainFrame& frame) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, &frame);
    preview.setObjectName(QStringLiteral("legendPreview"));
    preview.setWindowTitle(QStringLiteral("凡例の印刷ﾌﾟﾚﾋﾞｭｰ - %1").arg(ApplicationCaption()));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &frame,
                     [&frame](QPrinter* previewPrinter) { PrintLegendOn(frame, *previewPrinter); });
    preview.resize(frame.size());
    preview.exec();
}

}  // namespace

void InstallSharedSettingsCommands(MainFrame& frame) {
    QObject::connect(frame.Action(command_id::kFonts), &QAction::triggered, &frame,
                     [&frame] { ShowFontDialog(frame); });
    QObject::connect(frame.Action(command_id::kEnterKey), &QAction::triggered, &frame,
                     [&frame] { ShowEnterKeyDialog(frame); });
    QObject::connect(frame.Action(command_id::kHelp), &QAction::triggered, &frame,
                     [&frame] { ShowHelpDialog(frame); });

    QMenu* helpMenu = frame.Menu(QStringLiteral("helpMenu"));
    if (helpMenu == nullptr) {
        return;
    }
    helpMenu->addSeparator();
    auto* print = new QAction(QStringLiteral("凡例の印刷(&L)..."), &frame);
    print->setObjectName(QStringLiteral("legendPrint"));
    print->setStatusTip(QStringLiteral("土質名の凡例 (パターン・区分・番号) を印刷"));
    QObject::connect(print, &QAction::triggered, &frame, [&frame] { PrintLegend(frame); });
    helpMenu->addAction(print);

    auto* preview = new QAction(QStringLiteral("凡例の印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), &frame);
    preview->setObjectName(QStringLiteral("legendPreview"));
    preview->setStatusTip(QStringLiteral("土質名の凡例を印刷イメージで表示"));
    QObject::connect(preview, &QAction::triggered, &frame, [&frame] { PreviewLegend(frame); });
    helpMenu->addAction(preview);
}

}  // namespace ravelog::app
