// Ravesect's section rendering verb:
//   ravesect render FILE.sqw -o OUT.pdf|.png|.svg [--pages all|N] [--dpi N]
// The section is opened through a private working folder (never the desktop program's working
// files), taken with the install folder's "Sysq.ndx", fonts and pattern colours, and cut into
// pages across the distance direction as printing cuts it, on the default printer's paper (A4
// landscape when there is none). Nothing in the install folder is written.
#include <CLI/CLI.hpp>
#include <memory>

#include "apps/ravesect_cli.h"
#include "apps/ravesect_cli_context.h"
#include "common/pattern_colors.h"
#include "common/text_file.h"
#include "platform/page_output.h"
#include "platform/printer_paper.h"
#include "ravesect/drawing/section_drawing.h"
#include "ravesect/view/section_paging.h"
#include "ravesect/view/section_paper.h"
#include "ravesect/view/startup_settings.h"

namespace ravesect::cli {

namespace {

struct RenderArguments {
    std::string file;
    std::string output;
    std::string pages = "all";
    int dpi = 0;
};

constexpr int kDefaultPdfDpi = 600;
constexpr int kDefaultImageDpi = 300;
constexpr SectionPaper kA4Landscape{297, 210};

SectionPaper DefaultPaper(rave::MessageSink& messages) {
    const std::optional<rave::platform::PrinterPageInfo> printer = rave::platform::DefaultPrinterPage();
    if (!printer) {
        return kA4Landscape;
    }
    return PaperFromPrinter(
        PrinterPageDots{printer->widthUnits, printer->heightUnits, printer->dpiX, printer->dpiY}, messages);
}

// "all" or one page number within 1 .. count.
std::optional<std::vector<int>> SelectSectionPages(const std::string& text, int count, std::string& error) {
    std::vector<int> pages;
    if (text == "all") {
        for (int p = 1; p <= count; ++p) {
            pages.push_back(p);
        }
        return pages;
    }
    int page = 0;
    try {
        std::size_t used = 0;
        page = std::stoi(text, &used);
        if (used != text.size()) {
            page = 0;
        }
    } catch (const std::exception&) {
        page = 0;
    }
    if (page < 1 || page > count) {
        error = "--pages must be all or a page number from 1 to " + std::to_string(count) + ": " + text;
        return std::nullopt;
    }
    pages.push_back(page);
    return pages;
}

rave::PatternColorTable ReadPatternColours(const std::filesystem::path& path) {
    rave::PatternColorTable table;
    if (const std::optional<std::string> bytes = rave::ReadFileBytes(path)) {
        table.LoadPatternColorBytes(*bytes);
    }
    return table;
}

double LastColumnDistance(const SectionDocument& document) {
    const int last = document.LastUsedSlot();
    return last >= 0 ? document.Column(last).Distance() : 0.0;
}

int RunRender(CommandContext& context, const RenderArguments& arguments) {
    const std::optional<rave::platform::PageFileKind> kind = rave::platform::PageFileKindOf(arguments.output);
    if (!kind) {
        context.err << "ravesect render: the output must end in .pdf, .png or .svg: " << arguments.output
                    << '\n';
        return 2;
    }
    const std::optional<std::filesystem::path> installFolder = ResolveInstallFolder(context);
    if (!installFolder) {
        return 1;
    }
    PrivateWorkingFolder working;
    if (!working.ok()) {
        context.err << "ravesect render: cannot create a temporary working folder\n";
        return 1;
    }
    SectionDocument document;
    if (!OpenSectionForCommandLine(context, working, arguments.file, document)) {
        return 1;
    }
    rave::platform::EnsureGuiApplication();

    const SectionPaths paths = DeriveSectionPaths(*installFolder);
    const SysqSettings sysq =
        ReadSysqFile(paths.sysq, *installFolder).value_or(SysqSettings::Defaults(*installFolder));
    const SectionFonts fonts = LoadSectionFonts(*installFolder, nullptr);
    const rave::PatternColorTable colours = ReadPatternColours(paths.patternColours);
    const SectionPaper paper = DefaultPaper(context.messages);
    FillPageLengthsFromPaper(document.settings, paper, sysq);

    const int count = CountPrintedPages(document.settings, LastColumnDistance(document));
    std::string error;
    const std::optional<std::vector<int>> pages = SelectSectionPages(arguments.pages, count, error);
    if (!pages) {
        context.err << "ravesect render: " << error << '\n';
        return 1;
    }

    rave::platform::PageFileOptions options;
    options.output = arguments.output;
    options.kind = *kind;
    options.widthMm = paper.widthMm;
    options.heightMm = paper.heightMm;
    options.dpi = arguments.dpi != 0
                      ? arguments.dpi
                      : (*kind == rave::platform::PageFileKind::kPdf ? kDefaultPdfDpi : kDefaultImageDpi);
    options.title = std::filesystem::path(arguments.file).filename().string();

    const SectionDrawingResources resources{sysq, fonts, &colours};
    const rave::platform::PageFileResult result =
        rave::platform::WritePageFiles(options, *pages, [&](rave::DrawingSurface& surface, int page) {
            DrawSectionFromColumnsFile(surface, document, working.files().columns, resources, true,
                                       PrintedPage(document.settings, page));
        });
    if (!result.ok) {
        context.err << "ravesect render: " << result.error << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

void RegisterRavesectRenderVerbs(CLI::App& app, CommandContext& context) {
    auto arguments = std::make_shared<RenderArguments>();
    CLI::App* render = app.add_subcommand("render", "draw the cross-section into PDF, PNG or SVG files");
    render->add_option("FILE", arguments->file, "section file (.sqw)")->required();
    render
        ->add_option(
            "-o,--output", arguments->output,
            "OUT.pdf (one file, all pages), OUT.png or OUT.svg (OUT-1.png, OUT-2.png, ... for several pages)")
        ->required();
    render->add_option("--pages", arguments->pages, "all or N")->capture_default_str();
    render->add_option("--dpi", arguments->dpi, "resolution (default 600 for PDF, 300 for PNG and SVG)")
        ->check(CLI::Range(rave::platform::kLowestPageDpi, rave::platform::kHighestPageDpi));
    render->callback([&context, arguments] { context.exitCode = RunRender(context, *arguments); });
}

}  // namespace ravesect::cli
