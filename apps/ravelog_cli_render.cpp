// Ravelog's sheet rendering verb:
//   ravelog render FILE -o OUT.pdf|.png|.svg|.dxf [--format 1|2|3] [--pages all|N|A-B] [--dpi N]
//   ravelog render FILE... -o DIR/ [--type pdf|png|svg|dxf] [--jobs N]     (DIR/NAME.pdf for each FILE)
// The sounding is opened as the menu opens it and taken up as the view shows it (settings and
// fonts of the install folder, the view's defaults, soil names, classes and conversions), then
// each page is drawn by the same page drawing as the window and the printer, on paper of the
// default printer's size (A4 when there is none). Nothing in the install folder is written.
// A batch renders its soundings on several threads, each with its own document.
#include <CLI/CLI.hpp>
#include <cmath>
#include <iostream>
#include <memory>
#include <new>
#include <sstream>
#include <vector>

#include "apps/cli_shared.h"
#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"
#include "apps/ravelog_cli_input.h"
#include "apps/ravelog_cli_install.h"
#include "apps/ravelog_cli_paper.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/path_text.h"
#include "platform/install_folder.h"
#include "platform/page_output.h"
#include "platform/printer_paper.h"
#include "ravelog/report/page_count.h"
#include "ravelog/report/page_range.h"
#include "ravelog/report/printer_paper.h"
#include "ravelog/report/report_page.h"
#include "ravelog/report/report_startup.h"
#include "ravelog/report/report_view_state.h"

namespace ravelog::cli {

namespace {

struct RenderArguments {
    std::vector<std::string> files;
    std::string output;
    int format = 0;  // 1..3; 0: the document's own
    std::string pages = "all";
    int dpi = 0;               // 0: the kind's default
    std::string type = "pdf";  // a batch's output kind
    bool oneFile = false;      // DXF: all pages in one file
    int jobs = 0;              // a batch's threads; 0: one per core
};

constexpr int kDefaultPdfDpi = 600;
constexpr int kDefaultImageDpi = 300;
// No sounding reaches this deep: 1350 rows a metre apart. A sheet deeper than this is a typing
// slip in the last rows (a depth of 1e9 would ask for millions of pages).
constexpr double kDeepestSheetMetres = 1350.0;

// What every sounding of one run shares; prepared once, read by every thread.
struct RenderSetup {
    std::filesystem::path installFolder;
    PaperSize paper;
    rave::DriveMap drives;
    rave::platform::PageFileKind kind = rave::platform::PageFileKind::kPdf;
    int format = 0;
    std::string pages;
    int dpi = 0;
    bool oneFile = false;
    // A batch loads the install folder's settings, tables and fonts once, for every sounding;
    // what loading them said is passed on to each sounding's messages, as if it had loaded them.
    const StartupFiles* startup = nullptr;
    std::string startupMessages;
};

struct RenderOutcome {
    int status = 0;     // 0, 1 input rejected, 2 usage error
    std::string error;  // UTF-8, without the program's name; empty when a message said it
};

// Why the deepest row is too deep for a sheet; empty when it is not.
std::string RunawayDepthReason(const SoundingDocument& document) {
    const int rows = document.RowCount();
    if (rows == 0) {
        return {};
    }
    const double depth = rave::ParseDecimal(document.Row(rows)[field::kDepth]);
    if (std::isfinite(depth) && std::fabs(depth) <= kDeepestSheetMetres) {
        return {};
    }
    return "row " + std::to_string(rows) + " lies at a depth of " + document.Row(rows)[field::kDepth] +
           " m; a sheet shows at most " + rave::FormatText("%.0f", kDeepestSheetMetres) +
           " m (it would take " + std::to_string(CountReportPages(document)) +
           " pages). Correct the depth of the last rows.";
}

// A sounding taken up as the view shows it, and the pages of its sheet a render draws.
struct PreparedSheet {
    SoundingDocument document;
    StartupFiles files;
    ReportViewState state;
    std::vector<int> pages;
};

// Opens and takes up `file` into `sheet`; program messages go to `messages`.
RenderOutcome PrepareSheet(const RenderSetup& setup, const std::string& file, std::ostream& messagesOut,
                           PreparedSheet& sheet) {
    if (std::string problem = rave::cli::InputFileProblem(file); !problem.empty()) {
        return {1, problem};
    }
    rave::platform::ConsoleMessageSink messages(messagesOut);
    CommandContext context(messagesOut, messagesOut);
    if (OpenSoundingForCommandLine(sheet.document, context, file) == kVersionUnknown) {
        return {1, ""};  // the reason is among the messages
    }
    if (const std::string reason = RunawayDepthReason(sheet.document); !reason.empty()) {
        return {1, reason};
    }
    if (setup.startup != nullptr) {
        messagesOut << setup.startupMessages;
        sheet.files = *setup.startup;
    }
    LoadStartupFiles(sheet.files, setup.installFolder, sheet.document, false, messages,
                     StartupWrites::kNever);
    TakeUpDocumentForView(sheet.document, sheet.files, messages);

    sheet.state.reportFormat = ReportFormatOf(sheet.document);
    if (setup.format != 0) {
        SelectReportFormat(sheet.document, sheet.state, setup.format - 1);
    }
    PageSelection selection =
        SelectPages(setup.pages, CountReportPages(sheet.document, sheet.state.currentPage));
    if (!selection.ok()) {
        return {2, selection.error};
    }
    sheet.pages = std::move(selection.pages);
    return {};
}

// Every file a render of `pages` into `output` writes.
std::vector<std::filesystem::path> PageFiles(const RenderSetup& setup, const std::filesystem::path& output,
                                             const std::vector<int>& pages) {
    rave::platform::PageFileOptions options;
    options.output = output;
    options.kind = setup.kind;
    options.oneFile = setup.oneFile;
    return rave::platform::PageFilePaths(options, pages);
}

// Renders one sounding into `output`, never over one of `inputs`; program messages go to
// `messagesOut`.
RenderOutcome RenderSounding(const RenderSetup& setup, const std::string& file,
                             const std::filesystem::path& output, const rave::cli::InputFiles& inputs,
                             std::ostream& messagesOut,
                             const rave::platform::PageProgressFunction& progress) {
    auto sheet = std::make_unique<PreparedSheet>();
    if (RenderOutcome outcome = PrepareSheet(setup, file, messagesOut, *sheet); outcome.status != 0) {
        return outcome;
    }
    if (std::string problem =
            rave::cli::OutputOverwritesInput(PageFiles(setup, output, sheet->pages), inputs);
        !problem.empty()) {
        return {1, problem};
    }
    rave::platform::ConsoleMessageSink messages(messagesOut);
    SoundingDocument& document = sheet->document;
    ReportViewState& state = sheet->state;

    rave::platform::PageFileOptions options;
    options.output = output;
    options.kind = setup.kind;
    options.widthMm = setup.paper.widthMm;
    options.heightMm = setup.paper.heightMm;
    options.oneFile = setup.oneFile;
    options.dpi = setup.dpi != 0 ? setup.dpi
                                 : (setup.kind == rave::platform::PageFileKind::kPdf ||
                                            setup.kind == rave::platform::PageFileKind::kDxf
                                        ? kDefaultPdfDpi
                                        : kDefaultImageDpi);
    options.title = rave::PathFromUtf8(file).filename().string();

    SheetResources resources = sheet->files.Resources();
    resources.drives = &setup.drives;
    const rave::platform::PageFileResult result = rave::platform::WritePageFiles(
        options, sheet->pages,
        [&](rave::DrawingSurface& surface, int page) {
            state.currentPage = page;
            DrawReportPage(surface, document, resources, state, &messages);
        },
        progress);
    if (!result.ok) {
        return {1, result.error};
    }
    return {};
}

// A batch item's failure as one text: the outcome's error, else the messages it printed.
std::string FailureText(const RenderOutcome& outcome, const std::ostringstream& messages) {
    std::string text = outcome.error.empty() ? messages.str() : outcome.error;
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

int RunRender(CommandContext& context, const RenderArguments& arguments) {
    if (arguments.files.size() > 1 && rave::cli::NamesPageFileForMany(arguments.output)) {
        context.err << "ravelog render: 入力が複数あるときは -o に出力フォルダ (DIR/) を指定してください: "
                    << arguments.output << '\n';
        return 2;
    }
    const bool batch = arguments.files.size() > 1 || rave::cli::NamesOutputFolder(arguments.output);
    const std::string kindName = batch ? "x." + arguments.type : arguments.output;
    const std::optional<rave::platform::PageFileKind> kind =
        rave::platform::PageFileKindOf(rave::PathFromUtf8(kindName));
    if (!kind) {
        context.err << (batch ? "ravelog render: --type must be pdf, png, svg or dxf: " + arguments.type
                              : "ravelog render: the output must end in .pdf, .png, .svg or .dxf: " +
                                    arguments.output)
                    << '\n';
        return 2;
    }
    const std::optional<std::filesystem::path> installFolder = ResolveInstallFolder(context);
    if (!installFolder) {
        return 1;
    }
    rave::platform::EnsureGuiApplication();
    RenderSetup setup{*installFolder,
                      DefaultPrinterPaper(context.messages),
                      rave::platform::SystemDriveMap(rave::platform::CurrentDriveFolders()),
                      *kind,
                      arguments.format,
                      arguments.pages,
                      arguments.dpi,
                      arguments.oneFile,
                      nullptr,
                      {}};
    const bool progress = rave::cli::ShowsProgress(context.err);

    if (batch) {
        StartupFiles startup;
        {
            std::ostringstream loadMessages;
            rave::platform::ConsoleMessageSink messages(loadMessages);
            SoundingDocument scratch;
            LoadStartupFiles(startup, setup.installFolder, scratch, false, messages, StartupWrites::kNever);
            setup.startupMessages = loadMessages.str();
        }
        setup.startup = &startup;
        const rave::cli::InputFiles inputs(arguments.files);
        return rave::cli::RunBatch(
            arguments.files, rave::PathFromUtf8(arguments.output), arguments.type, arguments.jobs,
            context.err, progress, "ravelog render",
            [&setup](const rave::cli::BatchItem& item) {
                std::ostringstream messages;
                auto sheet = std::make_unique<PreparedSheet>();
                const RenderOutcome outcome = PrepareSheet(setup, item.input, messages, *sheet);
                if (outcome.status != 0) {
                    return rave::cli::BatchPlan{FailureText(outcome, messages), {}};
                }
                return rave::cli::BatchPlan{{}, PageFiles(setup, item.output, sheet->pages)};
            },
            [&setup, &inputs](const rave::cli::BatchItem& item) {
                std::ostringstream messages;
                const RenderOutcome outcome =
                    RenderSounding(setup, item.input, item.output, inputs, messages, {});
                return outcome.status == 0 ? std::string() : FailureText(outcome, messages);
            });
    }
    RenderOutcome outcome;
    try {
        outcome =
            RenderSounding(setup, arguments.files.front(), rave::PathFromUtf8(arguments.output),
                           rave::cli::InputFiles(arguments.files), context.err, [&](int done, int total) {
                               if (progress) {
                                   context.err << "\rpage " << done << " of " << total
                                               << (done == total ? "\n" : "") << std::flush;
                               }
                           });
    } catch (const std::bad_alloc&) {
        outcome = {1, rave::cli::kOutOfMemory};
    }
    if (!outcome.error.empty()) {
        context.err << "ravelog render: " << outcome.error << '\n';
    }
    return outcome.status;
}

}  // namespace

void RegisterRenderVerbs(CLI::App& app, CommandContext& context) {
    auto arguments = std::make_shared<RenderArguments>();
    CLI::App* render = app.add_subcommand("render", "draw the borehole-log sheet into PDF, PNG or SVG files");
    render->add_option("FILE", arguments->files, "sounding file(s) (.sdw or Ver2 s*.ddf)")->required();
    render
        ->add_option(
            "-o,--output", arguments->output,
            "OUT.pdf (one file, all pages), OUT.png or OUT.svg (OUT-1.png, OUT-2.png, ... for several "
            "pages), or a folder DIR/ for many files (DIR/NAME.pdf)")
        ->required();
    render
        ->add_option("--format", arguments->format, "1 standard, 2 with the estimated column, 3 conversions")
        ->transform(rave::cli::IntegerIn(1, 3));
    render->add_option("--pages", arguments->pages, "all, N or A-B")->capture_default_str();
    render
        ->add_option("--dpi", arguments->dpi, "resolution (default 600 for PDF and DXF, 300 for PNG and SVG)")
        ->transform(rave::cli::IntegerIn(rave::platform::kLowestPageDpi, rave::platform::kHighestPageDpi));
    render->add_option("--type", arguments->type, "a folder's output kind: pdf, png, svg or dxf")
        ->check(CLI::IsMember({"pdf", "png", "svg", "dxf"}))
        ->capture_default_str();
    render->add_flag("--one-file", arguments->oneFile, "DXF: every page in one file, side by side");
    render->add_option("--jobs", arguments->jobs, "files rendered at once (default and most: one per core)")
        ->transform(rave::cli::OneOrMore());
    render->callback([&context, arguments] { context.exitCode = RunRender(context, *arguments); });
}

}  // namespace ravelog::cli
