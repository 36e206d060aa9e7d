// Ravelog's legend verb:
//   ravelog legend -o OUT.pdf|.png|.svg [--table jacic|simple] [--dpi N]
// Draws the legend sheet of a soil-name table (every soil name with its pattern, class and
// number) with the tables, settings and fonts of the install folder, on paper of the default
// printer's size (A4 when there is none), through the same page output as the render verb.
// Nothing in the install folder is written.
#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/cli_shared.h"
#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"
#include "apps/ravelog_cli_install.h"
#include "common/path_text.h"
#include "common/soil_table_editor.h"
#include "common/text_file.h"
#include "platform/install_folder.h"
#include "platform/page_output.h"
#include "platform/printer_paper.h"
#include "ravelog/report/legend_sheet.h"
#include "ravelog/report/printer_paper.h"
#include "ravelog/report/report_startup.h"

namespace ravelog::cli {

namespace {

struct LegendArguments {
    std::string output;
    std::string table = "jacic";
    int dpi = 0;  // 0: the kind's default
};

constexpr int kDefaultPdfDpi = 600;
constexpr int kDefaultImageDpi = 300;

PaperSize PrinterPaper(rave::MessageSink& messages) {
    std::optional<PrinterPage> page;
    if (const auto printer = rave::platform::DefaultPrinterPage()) {
        page = PrinterPage{printer->widthUnits, printer->heightUnits, printer->dpiX, printer->dpiY};
    }
    return PaperSizeFromPrinter(page, messages);
}

// Why the soil-name table at `path` cannot make a legend (binary, or no soil name with a pattern
// number among `lines`); empty when it can.
std::string UnusableTableReason(const std::filesystem::path& path, const std::vector<LegendLine>& lines) {
    if (const std::optional<std::string> bytes = rave::ReadFileBytes(path)) {
        if (std::string reason = rave::cli::BinaryInputReason(*bytes); !reason.empty()) {
            return "土質名テーブル " + path.string() + " は使えません: " + reason;
        }
    }
    for (const LegendLine& line : lines) {
        if (!line.heading && !line.name.empty() && line.number >= 0) {
            return {};
        }
    }
    return "土質名テーブル " + path.string() + " に、模様番号のある土質名が1つもありません";
}

int RunLegend(CommandContext& context, const LegendArguments& arguments) {
    const std::optional<rave::platform::PageFileKind> kind =
        rave::platform::PageFileKindOf(rave::PathFromUtf8(arguments.output));
    if (!kind) {
        context.err << "ravelog legend: the output must end in .pdf, .png or .svg: " << arguments.output
                    << '\n';
        return 2;
    }
    const std::optional<std::filesystem::path> installFolder = ResolveInstallFolder(context);
    if (!installFolder) {
        return 1;
    }
    rave::platform::EnsureGuiApplication();

    // The tables, settings and fonts as the desktop program loads them, without writing anything.
    SoundingDocument document;
    StartupFiles files;
    LoadStartupFiles(files, *installFolder, document, false, context.messages, StartupWrites::kNever);
    const rave::DriveMap drives = rave::platform::SystemDriveMap(rave::platform::CurrentDriveFolders());
    SheetResources resources = files.Resources();
    resources.drives = &drives;
    const LegendTable table = arguments.table == "simple" ? LegendTable::kSimple : LegendTable::kJacic;
    const LegendSource source{*files.soilTables, resources, table};
    const std::filesystem::path tableFile =
        *installFolder / (table == LegendTable::kSimple ? rave::SoilTableEditor::kSimpleMasterFile
                                                        : rave::SoilTableEditor::kJacicMasterFile);
    if (const std::string reason = UnusableTableReason(tableFile, LegendLines(source)); !reason.empty()) {
        context.err << "ravelog legend: " << reason << '\n';
        return 1;
    }

    const PaperSize paper = PrinterPaper(context.messages);
    rave::platform::PageFileOptions options;
    options.output = arguments.output;
    options.kind = *kind;
    options.widthMm = paper.widthMm;
    options.heightMm = paper.heightMm;
    options.dpi = arguments.dpi != 0
                      ? arguments.dpi
                      : (*kind == rave::platform::PageFileKind::kPdf ? kDefaultPdfDpi : kDefaultImageDpi);
    options.title = "legend-" + arguments.table;

    std::vector<int> pages;
    for (int page = 1; page <= CountLegendPages(source, paper.widthMm, paper.heightMm); ++page) {
        pages.push_back(page);
    }
    const rave::platform::PageFileResult result =
        rave::platform::WritePageFiles(options, pages, [&](rave::DrawingSurface& surface, int page) {
            DrawLegendPage(surface, source, page, &context.messages);
        });
    if (!result.ok) {
        context.err << "ravelog legend: " << result.error << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

void RegisterLegendVerbs(CLI::App& app, CommandContext& context) {
    auto arguments = std::make_shared<LegendArguments>();
    CLI::App* legend = app.add_subcommand(
        "legend", "draw the legend of a soil-name table (pattern, class and number of every name)");
    legend
        ->add_option("-o,--output", arguments->output,
                     "OUT.pdf (one file, all pages), OUT.png or OUT.svg (OUT-1.png, ... for several pages)")
        ->required();
    legend->add_option("--table", arguments->table, "jacic or simple")
        ->check(CLI::IsMember({"jacic", "simple"}))
        ->capture_default_str();
    legend->add_option("--dpi", arguments->dpi, "resolution (default 600 for PDF, 300 for PNG and SVG)")
        ->transform(rave::cli::IntegerIn(rave::platform::kLowestPageDpi, rave::platform::kHighestPageDpi));
    legend->callback([&context, arguments] { context.exitCode = RunLegend(context, *arguments); });
}

}  // namespace ravelog::cli
