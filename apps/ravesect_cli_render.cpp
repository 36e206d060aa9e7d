// Ravesect's section rendering verb:
//   ravesect render FILE.sqw -o OUT.pdf|.png|.svg|.dxf [--pages all|N] [--dpi N]
// The section is opened through a private working folder (never the desktop program's working
// files), taken with the install folder's "Sysq.ndx", fonts and pattern colours, and cut into
// pages across the distance direction as printing cuts it, on the default printer's paper (A4
// landscape when there is none). Nothing in the install folder is written.
//   ravesect render FILE.sqw... -o DIR/ [--type pdf|png|svg|dxf] [--jobs N]   (DIR/NAME.pdf for each)
#include <CLI/CLI.hpp>
#include <memory>
#include <new>
#include <sstream>
#include <vector>

#include "apps/cli_shared.h"
#include "apps/ravesect_cli.h"
#include "apps/ravesect_cli_context.h"
#include "apps/ravesect_cli_printout.h"
#include "common/path_text.h"
#include "common/pattern_colors.h"
#include "common/soil_name_table.h"
#include "common/soil_table_editor.h"
#include "common/text_file.h"
#include "platform/page_output.h"
#include "platform/printer_paper.h"
#include "ravesect/drawing/section_column.h"
#include "ravesect/drawing/section_coverage.h"
#include "ravesect/drawing/section_drawing.h"
#include "ravesect/settings/section_paging.h"
#include "ravesect/settings/section_paper.h"
#include "ravesect/settings/startup_settings.h"

namespace ravesect::cli {

namespace {

struct RenderArguments {
    std::vector<std::string> files;
    std::string output;
    std::string pages = "all";
    int dpi = 0;
    std::string type = "pdf";  // a batch's output kind
    bool oneFile = false;      // DXF: all pages in one file
    int jobs = 0;              // a batch's threads; 0: one per core
};

constexpr int kDefaultPdfDpi = 600;
constexpr int kDefaultImageDpi = 300;
// "all" or one page number within 1 .. count.
std::optional<std::vector<int>> SelectSectionPages(const std::string& text, int count, std::string& error) {
    std::vector<int> pages;
    if (text == "all") {
        for (int p = 1; p <= count; ++p) {
            pages.push_back(p);
        }
        return pages;
    }
    const long long page = rave::cli::ParseWholeInteger(text).value_or(0);
    if (page < 1 || page > count) {
        error = "--pages must be all or a page number from 1 to " + std::to_string(count) + ": " + text;
        return std::nullopt;
    }
    pages.push_back(static_cast<int>(page));
    return pages;
}

double LastColumnDistance(const SectionDocument& document) {
    const int last = document.LastUsedSlot();
    return last >= 0 ? document.Column(last).Distance() : 0.0;
}

struct RenderSetup {
    std::filesystem::path installFolder;
    SectionPaper paper;
    rave::platform::PageFileKind kind = rave::platform::PageFileKind::kPdf;
    std::string pages;
    int dpi = 0;
    bool oneFile = false;
};

struct RenderOutcome {
    int status = 0;     // 0, 1 input rejected, 2 usage error
    std::string error;  // UTF-8, without the program's name; empty when a message said it
};

// Every file a render of `pages` into `output` writes.
std::vector<std::filesystem::path> PageFiles(const RenderSetup& setup, const std::filesystem::path& output,
                                             const std::vector<int>& pages) {
    rave::platform::PageFileOptions options;
    options.output = output;
    options.kind = setup.kind;
    options.oneFile = setup.oneFile;
    return rave::platform::PageFilePaths(options, pages);
}

// A batch item's failure as one text: the error, else the messages it printed.
std::string FailureText(const std::string& error, const std::ostringstream& messages) {
    std::string text = error.empty() ? messages.str() : error;
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

// The files a render of `item` writes, or why it cannot be rendered; nothing is drawn.
rave::cli::BatchPlan PlanSection(const RenderSetup& setup, const rave::cli::BatchItem& item) {
    std::ostringstream messages;
    CommandContext context(messages, messages);
    context.installFolder = setup.installFolder;
    PrivateWorkingFolder working;
    SectionDocument document;
    if (!working.ok()) {
        return {"cannot create a temporary working folder", {}};
    }
    if (!OpenSectionForCommandLine(context, working, rave::PathFromUtf8(item.input), document)) {
        return {FailureText("", messages), {}};
    }
    const SysqSettings sysq = ReadSysqFile(DeriveSectionPaths(setup.installFolder).sysq, setup.installFolder)
                                  .value_or(SysqSettings::Defaults(setup.installFolder));
    FillPageLengthsFromPaper(document.settings, setup.paper, sysq);
    std::string error;
    const std::optional<std::vector<int>> pages = SelectSectionPages(
        setup.pages, CountPrintedPages(document.settings, LastColumnDistance(document)), error);
    if (!pages) {
        return {error, {}};
    }
    return {{}, PageFiles(setup, item.output, *pages)};
}

// Renders one section into `output`, never over one of `inputs`; its messages go to `messagesOut`.
RenderOutcome RenderSection(const RenderSetup& setup, const std::string& file,
                            const std::filesystem::path& output, const rave::cli::InputFiles& inputs,
                            std::ostream& messagesOut) {
    CommandContext context(messagesOut, messagesOut);
    context.installFolder = setup.installFolder;
    SectionPrintout printout(setup.installFolder, setup.paper, context.messages);
    std::string openError;
    if (!printout.Open(context, rave::PathFromUtf8(file), openError)) {
        return {1, openError};
    }
    std::string error;
    const std::optional<std::vector<int>> pages =
        SelectSectionPages(setup.pages, printout.PageCount(), error);
    if (!pages) {
        return {2, error};
    }
    if (std::string problem = rave::cli::OutputOverwritesInput(PageFiles(setup, output, *pages), inputs);
        !problem.empty()) {
        return {1, problem};
    }

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
    const rave::platform::PageFileResult result = rave::platform::WritePageFiles(
        options, *pages, [&](rave::DrawingSurface& surface, int page) { printout.DrawPage(surface, page); });
    if (!result.ok) {
        return {1, result.error};
    }
    return {};
}

int RunRender(CommandContext& context, const RenderArguments& arguments) {
    if (arguments.files.size() > 1 && rave::cli::NamesPageFileForMany(arguments.output)) {
        context.err << "ravesect render: 入力が複数あるときは -o に出力フォルダ (DIR/) を指定してください: "
                    << arguments.output << '\n';
        return 2;
    }
    const bool batch = arguments.files.size() > 1 || rave::cli::NamesOutputFolder(arguments.output);
    const std::optional<rave::platform::PageFileKind> kind =
        rave::platform::PageFileKindOf(rave::PathFromUtf8(batch ? "x." + arguments.type : arguments.output));
    if (!kind) {
        context.err << "ravesect render: the output must end in .pdf, .png, .svg or .dxf: "
                    << arguments.output << '\n';
        return 2;
    }
    const std::optional<std::filesystem::path> installFolder = ResolveInstallFolder(context);
    if (!installFolder) {
        return 1;
    }
    rave::platform::EnsureGuiApplication();
    const RenderSetup setup{*installFolder, DefaultSectionPaper(context.messages),
                            *kind,          arguments.pages,
                            arguments.dpi,  arguments.oneFile};
    if (batch) {
        const rave::cli::InputFiles inputs(arguments.files);
        return rave::cli::RunBatch(
            arguments.files, rave::PathFromUtf8(arguments.output), arguments.type, arguments.jobs,
            context.err, rave::cli::ShowsProgress(context.err), "ravesect render",
            [&setup](const rave::cli::BatchItem& item) { return PlanSection(setup, item); },
            [&setup, &inputs](const rave::cli::BatchItem& item) {
                std::ostringstream messages;
                const RenderOutcome outcome = RenderSection(setup, item.input, item.output, inputs, messages);
                return outcome.status == 0 ? std::string() : FailureText(outcome.error, messages);
            });
    }
    RenderOutcome outcome;
    try {
        outcome = RenderSection(setup, arguments.files.front(), rave::PathFromUtf8(arguments.output),
                                rave::cli::InputFiles(arguments.files), context.err);
    } catch (const std::bad_alloc&) {
        outcome = {1, rave::cli::kOutOfMemory};
    }
    if (!outcome.error.empty()) {
        context.err << "ravesect render: " << outcome.error << '\n';
    }
    return outcome.status;
}

}  // namespace

void RegisterRavesectRenderVerbs(CLI::App& app, CommandContext& context) {
    auto arguments = std::make_shared<RenderArguments>();
    CLI::App* render = app.add_subcommand("render", "draw the cross-section into PDF, PNG or SVG files");
    render->add_option("FILE", arguments->files, "section file(s) (.sqw)")->required();
    render
        ->add_option(
            "-o,--output", arguments->output,
            "OUT.pdf (one file, all pages), OUT.png or OUT.svg (OUT-1.png, OUT-2.png, ... for several "
            "pages), or a folder DIR/ for many files (DIR/NAME.pdf)")
        ->required();
    render->add_option("--pages", arguments->pages, "all or N")->capture_default_str();
    render
        ->add_option("--dpi", arguments->dpi, "resolution (default 600 for PDF and DXF, 300 for PNG and SVG)")
        ->transform(rave::cli::IntegerIn(rave::platform::kLowestPageDpi, rave::platform::kHighestPageDpi));
    render->add_option("--type", arguments->type, "a folder's output kind: pdf, png, svg or dxf")
        ->check(CLI::IsMember({"pdf", "png", "svg", "dxf"}))
        ->capture_default_str();
    render->add_flag("--one-file", arguments->oneFile, "DXF: every page in one file, side by side");
    render->add_option("--jobs", arguments->jobs, "files rendered at once (default: one per core)")
        ->transform(rave::cli::OneOrMore());
    render->callback([&context, arguments] { context.exitCode = RunRender(context, *arguments); });
}

}  // namespace ravesect::cli
