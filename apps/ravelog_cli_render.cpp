// Ravelog's sheet rendering verb:
//   ravelog render FILE -o OUT.pdf|.png|.svg [--format 1|2|3] [--pages all|N|A-B] [--dpi N]
// The sounding is opened as the menu opens it and taken up as the view shows it (settings and
// fonts of the install folder, the view's defaults, soil names, classes and conversions), then
// each page is drawn by the same page drawing as the window and the printer, on paper of the
// default printer's size (A4 when there is none). Nothing in the install folder is written.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"
#include "apps/ravelog_cli_install.h"
#include "platform/install_folder.h"
#include "platform/page_output.h"
#include "platform/printer_paper.h"
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/report/page_count.h"
#include "ravelog/report/page_range.h"
#include "ravelog/report/printer_paper.h"
#include "ravelog/report/report_page.h"
#include "ravelog/report/report_startup.h"
#include "ravelog/report/report_view_state.h"

namespace ravelog::cli {

namespace {

struct RenderArguments {
    std::string file;
    std::string output;
    int format = 0;  // 1..3; 0: the document's own
    std::string pages = "all";
    int dpi = 0;  // 0: the kind's default
};

constexpr int kDefaultPdfDpi = 600;
constexpr int kDefaultImageDpi = 300;

PaperSize DefaultPrinterPaper(rave::MessageSink& messages) {
    const std::optional<rave::platform::PrinterPageInfo> printer = rave::platform::DefaultPrinterPage();
    if (!printer) {
        return PaperSizeFromPrinter(std::nullopt, messages);
    }
    return PaperSizeFromPrinter(
        PrinterPage{printer->widthUnits, printer->heightUnits, printer->dpiX, printer->dpiY}, messages);
}

// Progress goes to the terminal only: scripts and tests reading stderr see messages alone.
bool ShowsProgress(const CommandContext& context) {
    return &context.err == &std::cerr && isatty(STDERR_FILENO) == 1;
}

int RunRender(CommandContext& context, const RenderArguments& arguments) {
    const std::optional<rave::platform::PageFileKind> kind = rave::platform::PageFileKindOf(arguments.output);
    if (!kind) {
        context.err << "ravelog render: the output must end in .pdf, .png or .svg: " << arguments.output
                    << '\n';
        return 2;
    }
    const std::optional<std::filesystem::path> installFolder = ResolveInstallFolder(context);
    if (!installFolder) {
        return 1;
    }
    rave::platform::EnsureGuiApplication();

    SoundingDocument document;
    if (OpenSoundingFromMenu(document, context.messages, arguments.file, std::nullopt) == kVersionUnknown) {
        return 1;
    }
    StartupFiles files;
    LoadStartupFiles(files, *installFolder, document, false, context.messages, StartupWrites::kNever);
    TakeUpDocumentForView(document, files, context.messages);

    ReportViewState state;
    state.reportFormat = ReportFormatOf(document);
    if (arguments.format != 0) {
        SelectReportFormat(document, state, arguments.format - 1);
    }
    const PageSelection selection =
        SelectPages(arguments.pages, CountReportPages(document, state.currentPage));
    if (!selection.ok()) {
        context.err << "ravelog render: " << selection.error << '\n';
        return 1;
    }

    const PaperSize paper = DefaultPrinterPaper(context.messages);
    rave::platform::PageFileOptions options;
    options.output = arguments.output;
    options.kind = *kind;
    options.widthMm = paper.widthMm;
    options.heightMm = paper.heightMm;
    options.dpi = arguments.dpi != 0
                      ? arguments.dpi
                      : (*kind == rave::platform::PageFileKind::kPdf ? kDefaultPdfDpi : kDefaultImageDpi);
    options.title = std::filesystem::path(arguments.file).filename().string();

    const rave::DriveMap drives = rave::platform::MakeDriveMap(rave::platform::CurrentDriveFolders());
    SheetResources resources = files.Resources();
    resources.drives = &drives;

    const bool progress = ShowsProgress(context);
    const rave::platform::PageFileResult result = rave::platform::WritePageFiles(
        options, selection.pages,
        [&](rave::DrawingSurface& surface, int page) {
            state.currentPage = page;
            DrawReportPage(surface, document, resources, state, &context.messages);
        },
        [&](int done, int total) {
            if (progress) {
                context.err << "\rpage " << done << " of " << total << (done == total ? "\n" : "")
                            << std::flush;
            }
        });
    if (!result.ok) {
        context.err << "ravelog render: " << result.error << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

void RegisterRenderVerbs(CLI::App& app, CommandContext& context) {
    auto arguments = std::make_shared<RenderArguments>();
    CLI::App* render = app.add_subcommand("render", "draw the borehole-log sheet into PDF, PNG or SVG files");
    render->add_option("FILE", arguments->file, "sounding file (.sdw or Ver2 s*.ddf)")->required();
    render
        ->add_option(
            "-o,--output", arguments->output,
            "OUT.pdf (one file, all pages), OUT.png or OUT.svg (OUT-1.png, OUT-2.png, ... for several pages)")
        ->required();
    render
        ->add_option("--format", arguments->format, "1 standard, 2 with the estimated column, 3 conversions")
        ->check(CLI::Range(1, 3));
    render->add_option("--pages", arguments->pages, "all, N or A-B")->capture_default_str();
    render->add_option("--dpi", arguments->dpi, "resolution (default 600 for PDF, 300 for PNG and SVG)")
        ->check(CLI::Range(rave::platform::kLowestPageDpi, rave::platform::kHighestPageDpi));
    render->callback([&context, arguments] { context.exitCode = RunRender(context, *arguments); });
}

}  // namespace ravelog::cli
