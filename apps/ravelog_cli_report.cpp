// Ravelog's site report verb:
//   ravelog report [X,Y=]FILE.sdw... -o OUT.pdf [--footing-depth F] [--contact-pressure Q]
//                  [--format 1|2|3] [--section S.sqw] [--json]
//   ravelog report REPORT-FILE -o OUT.pdf [--json]
// The soundings are taken up as the render verb takes them, summed up by the self-sinking check
// and the Nsw average calculator (the code of `check` and `qa`), and the report's pages are drawn
// into one PDF (or one PNG or SVG a page) on the render verb's terms: the output never names an
// input, an earlier output stays as it was when anything fails, progress goes to a terminal.
#include <CLI/CLI.hpp>
#include <memory>
#include <new>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "apps/cli_shared.h"
#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"
#include "apps/ravelog_cli_install.h"
#include "apps/ravelog_cli_paper.h"
#include "apps/ravesect_cli_printout.h"
#include "common/path_text.h"
#include "common/text_file.h"
#include "platform/codec.h"
#include "platform/image_file_bitmap.h"
#include "platform/page_output.h"
#include "site/site_pages.h"
#include "site/site_report.h"

namespace ravelog::cli {

namespace {

using Json = nlohmann::ordered_json;

struct ReportArguments {
    std::vector<std::string> inputs;
    std::string output;
    std::string footingDepth;
    std::string contactPressure;
    int format = 0;  // 0: the report file's (1 without one)
    std::string section;
    bool json = false;
    bool atElevation = false;
    int dpi = 0;
};

constexpr int kDefaultPdfDpi = 600;
constexpr int kDefaultImageDpi = 300;

// The section's printed pages as pages of the report.
class SectionPages final : public site::PageSource {
public:
    explicit SectionPages(ravesect::cli::SectionPrintout& printout) : printout_(printout) {}
    int PageCount() const override { return printout_.PageCount(); }
    site::PaperMm Paper() const override {
        return {static_cast<double>(printout_.Paper().widthMm),
                static_cast<double>(printout_.Paper().heightMm)};
    }
    void DrawPage(rave::DrawingSurface& surface, int page) override { printout_.DrawPage(surface, page); }

private:
    ravesect::cli::SectionPrintout& printout_;
};

bool IsReportFile(const std::string& input) {
    const std::optional<std::string> bytes =
        rave::ReadFileBytes(rave::PathFromUtf8(input), site::kMaxReportFileBytes);
    return bytes && bytes->rfind("$$RAVESITE", 0) == 0;
}

// "X,Y=PATH" splits into a position and a path when what stands before "=" is two numbers;
// anything else is a path as it stands (a file name may hold "=").
std::pair<std::optional<site::PlanPoint>, std::string> SplitPointArgument(const std::string& argument) {
    const std::size_t equals = argument.find('=');
    if (equals != std::string::npos) {
        const std::string place = argument.substr(0, equals);
        const std::size_t comma = place.find(',');
        if (comma != std::string::npos) {
            const std::optional<double> x = rave::cli::ParseWholeDecimal(place.substr(0, comma));
            const std::optional<double> y = rave::cli::ParseWholeDecimal(place.substr(comma + 1));
            if (x && y) {
                return {site::PlanPoint{*x, *y}, argument.substr(equals + 1)};
            }
        }
    }
    return {std::nullopt, argument};
}

std::string Utf8(std::string_view cp932) {
    return rave::platform::Cp932ToUtf8(cp932);
}

// Every file the report reads, for the check that the output names none of them.
std::vector<std::string> InputNames(const site::PreparedSite& prepared) {
    std::vector<std::string> names;
    for (const site::PreparedPoint& point : prepared.points) {
        names.push_back(point.path.string());
    }
    for (const site::ReportPhoto& photo : prepared.report.photos) {
        names.push_back(site::ResolveReportPath(prepared.folder, photo.file).string());
    }
    if (!prepared.report.section.empty()) {
        names.push_back(site::ResolveReportPath(prepared.folder, prepared.report.section).string());
    }
    return names;
}

Json NumberOrNull(const std::optional<double>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json ReportJson(const site::PreparedSite& prepared, const site::SitePages& pages) {
    Json json;
    json["pages"] = pages.PageCount();
    json["points"] = Json::array();
    for (const site::PreparedPoint& point : prepared.points) {
        const site::PointSummary& row = point.summary;
        Json item;
        item["name"] = Utf8(row.name);
        item["file"] = point.path.string();
        item["depth"] = row.depth;
        item["groundElevation"] = NumberOrNull(site::ParseReportNumber(row.groundElevation));
        item["selfSinking"] = Json::array();
        for (const SelfSinkingLayer& layer : row.check.layers) {
            item["selfSinking"].push_back({{"from", layer.from}, {"to", layer.to}, {"wsw", layer.wsw}});
        }
        item["within2m"] = row.check.within2m;
        item["from2to5m"] = row.check.from2to5m;
        item["settlementCheck"] = row.check.settlementCheck;
        item["nswAverage"] = NumberOrNull(row.nswAverage);
        item["qa"] = NumberOrNull(row.qa);
        json["points"].push_back(std::move(item));
    }
    json["contents"] = Json::array();
    for (const site::ContentsEntry& entry : pages.Contents()) {
        json["contents"].push_back(
            {{"title", Utf8(entry.title)}, {"firstPage", entry.firstPage}, {"pageCount", entry.pageCount}});
    }
    return json;
}

// The report the arguments describe: the report file, or the soundings with the options. Nothing
// (message on stderr, `status` set) when they describe none.
std::optional<site::SiteReport> ReportFromArguments(CommandContext& context, const ReportArguments& arguments,
                                                    std::filesystem::path& folder, int& status) {
    status = 1;
    site::SiteReport report;
    std::error_code error;
    folder = std::filesystem::current_path(error);
    if (arguments.inputs.size() == 1 && IsReportFile(arguments.inputs.front())) {
        const std::filesystem::path path = rave::PathFromUtf8(arguments.inputs.front());
        site::SiteReportReadResult read = site::ReadSiteReportFile(path);
        if (!read.report) {
            context.err << "ravelog report: " << arguments.inputs.front() << ": " << Utf8(read.error) << '\n';
            return std::nullopt;
        }
        for (const std::string& warning : read.warnings) {
            context.err << "ravelog report: " << arguments.inputs.front() << ": " << Utf8(warning) << '\n';
        }
        report = std::move(*read.report);
        folder = std::filesystem::absolute(path, error).parent_path();
    } else {
        for (const std::string& argument : arguments.inputs) {
            auto [position, file] = SplitPointArgument(argument);
            if (const std::string problem = rave::cli::InputFileProblem(file); !problem.empty()) {
                context.err << "ravelog report: " << problem << '\n';
                return std::nullopt;
            }
            const std::optional<std::string> stored = site::ReportPathText(folder, rave::PathFromUtf8(file));
            if (!stored) {
                context.err << "ravelog report: " << file << ": the file name cannot be written in cp932\n";
                return std::nullopt;
            }
            report.points.push_back({*stored, position, {}});
        }
    }
    if (!arguments.footingDepth.empty()) {
        const std::optional<double> depth = ParseFootingDepth(arguments.footingDepth);
        if (!depth) {
            context.err << "--footing-depth: a depth of 0 m or more is needed, not \""
                        << arguments.footingDepth << "\"\n";
            status = 2;
            return std::nullopt;
        }
        report.footingDepth = *depth;
    }
    if (!arguments.contactPressure.empty()) {
        const std::optional<double> q = rave::cli::ParseWholeDecimal(arguments.contactPressure);
        if (!q || *q <= 0) {
            context.err << "--contact-pressure: a pressure above 0 kN/m2 is needed, not \""
                        << arguments.contactPressure << "\"\n";
            status = 2;
            return std::nullopt;
        }
        report.contactPressure = q;
    }
    if (arguments.atElevation) {
        report.columnsAtElevation = true;
    }
    if (arguments.format != 0) {
        report.sheetFormat = arguments.format;
    }
    if (!arguments.section.empty()) {
        const std::optional<std::string> stored =
            site::ReportPathText(folder, rave::PathFromUtf8(arguments.section));
        if (!stored) {
            context.err << "ravelog report: " << arguments.section
                        << ": the file name cannot be written in cp932\n";
            return std::nullopt;
        }
        report.section = *stored;
    }
    return report;
}

int RunReport(CommandContext& context, const ReportArguments& arguments) {
    const std::optional<rave::platform::PageFileKind> kind =
        rave::platform::PageFileKindOf(rave::PathFromUtf8(arguments.output));
    if (!kind || *kind == rave::platform::PageFileKind::kDxf) {
        context.err << "ravelog report: the output must end in .pdf, .png or .svg: " << arguments.output
                    << '\n';
        return 2;
    }
    int status = 1;
    std::filesystem::path folder;
    const std::optional<site::SiteReport> report = ReportFromArguments(context, arguments, folder, status);
    if (!report) {
        return status;
    }
    const std::optional<std::filesystem::path> installFolder = ResolveInstallFolder(context);
    if (!installFolder) {
        return 1;
    }
    rave::platform::EnsureGuiApplication();

    auto prepared = std::make_unique<site::PreparedSite>();
    if (const std::optional<site::PrepareProblem> problem =
            site::PrepareSite(*report, folder, *installFolder, *prepared, context.messages)) {
        context.err << "ravelog report: " << (problem->file.empty() ? "" : problem->file.string() + ": ")
                    << Utf8(problem->reason) << '\n';
        return 1;
    }

    // A report without findings gets the draft the window's "案を作成" makes: facts only, for the
    // engineer to read and complete; a text the engineer wrote is never replaced.
    if (prepared->report.findings.empty()) {
        std::vector<site::PointSummary> rows;
        for (const site::PreparedPoint& point : prepared->points) {
            rows.push_back(point.summary);
        }
        prepared->report.findings =
            site::DraftFindings(rows, prepared->report.footingDepth, prepared->report.contactPressure);
    }

    ravesect::cli::CommandContext sectionContext(context.err, context.err);
    sectionContext.installFolder = *installFolder;
    ravesect::cli::SectionPrintout printout(
        *installFolder, ravesect::cli::DefaultSectionPaper(context.messages), context.messages);
    SectionPages sectionPages(printout);
    site::SitePageOptions options;
    options.decodeImage = [](const std::filesystem::path& file) {
        return rave::platform::ReadImageFileBitmap(file);
    };
    options.messages = &context.messages;
    const PaperSize sheetPaper = DefaultPrinterPaper(context.messages);
    options.sheetPaper = {static_cast<double>(sheetPaper.widthMm), static_cast<double>(sheetPaper.heightMm)};
    if (!report->section.empty()) {
        std::string error;
        const std::filesystem::path section = site::ResolveReportPath(folder, report->section);
        if (!printout.Open(sectionContext, section, error)) {
            context.err << "ravelog report: " << section.string() << ": "
                        << (error.empty() ? "the section cannot be opened" : error) << '\n';
            return 1;
        }
        options.section = &sectionPages;
    }
    const site::SitePages pages(*prepared, options);

    rave::platform::PageFileOptions files;
    files.output = rave::PathFromUtf8(arguments.output);
    files.kind = *kind;
    files.dpi = arguments.dpi != 0
                    ? arguments.dpi
                    : (*kind == rave::platform::PageFileKind::kPdf ? kDefaultPdfDpi : kDefaultImageDpi);
    files.title = "地盤調査報告書";
    files.paperOf = [&pages](int page) {
        const site::PaperMm paper = pages.Paper(page);
        return std::pair{paper.width, paper.height};
    };
    std::vector<int> pageNumbers;
    for (int page = 1; page <= pages.PageCount(); ++page) {
        pageNumbers.push_back(page);
    }
    std::vector<std::string> inputs = InputNames(*prepared);
    inputs.insert(inputs.end(), arguments.inputs.begin(), arguments.inputs.end());
    if (const std::string problem =
            rave::cli::OutputOverwritesInput(rave::platform::PageFilePaths(files, pageNumbers), inputs);
        !problem.empty()) {
        context.err << "ravelog report: " << problem << '\n';
        return 1;
    }
    const bool progress = rave::cli::ShowsProgress(context.err);
    const rave::platform::PageFileResult result = rave::platform::WritePageFiles(
        files, pageNumbers,
        [&pages](rave::DrawingSurface& surface, int page) { pages.DrawPage(surface, page); },
        [&](int done, int total) {
            if (progress) {
                context.err << "\rpage " << done << " of " << total << (done == total ? "\n" : "")
                            << std::flush;
            }
        });
    if (!result.ok) {
        context.err << "ravelog report: " << result.error << '\n';
        return 1;
    }
    if (arguments.json) {
        context.out << ReportJson(*prepared, pages).dump(2, ' ', false, Json::error_handler_t::replace)
                    << '\n';
    }
    return 0;
}

}  // namespace

void RegisterReportVerbs(CLI::App& app, CommandContext& context) {
    auto arguments = std::make_shared<ReportArguments>();
    CLI::App* report = app.add_subcommand(
        "report",
        "draw the site report (地盤調査報告書) of a lot's soundings, or of a report file, into one PDF");
    report
        ->add_option(
            "INPUT", arguments->inputs,
            "sounding files (.sdw or Ver2), each optionally X,Y=FILE with its place in metres (X east, "
            "Y north); or one report file")
        ->required();
    report->add_option("-o,--output", arguments->output, "OUT.pdf (or OUT.png / OUT.svg: OUT-1.png, ...)")
        ->required();
    report
        ->add_option("--footing-depth", arguments->footingDepth,
                     "depth of the footing's base below ground, m (default 0.5, or the report file's)")
        ->check(rave::cli::DecimalNumber());
    report->add_option("--contact-pressure", arguments->contactPressure, "design contact pressure, kN/m2")
        ->check(rave::cli::DecimalNumber());
    report->add_option("--format", arguments->format, "sheet format: 1, 2 or 3")
        ->transform(rave::cli::IntegerIn(1, 3));
    report->add_option("--section", arguments->section,
                       "a section file (.sqw) whose pages the report includes");
    report->add_flag("--at-elevation", arguments->atElevation,
                     "set the points' columns at their borehole elevations (else at the ground)");
    report->add_flag("--json", arguments->json,
                     "print the pages, the points' checks and the contents as JSON");
    report->add_option("--dpi", arguments->dpi, "resolution (default 600 for PDF, 300 for PNG and SVG)")
        ->transform(rave::cli::IntegerIn(rave::platform::kLowestPageDpi, rave::platform::kHighestPageDpi));
    report->callback([&context, arguments] {
        try {
            context.exitCode = RunReport(context, *arguments);
        } catch (const std::bad_alloc&) {
            context.err << "ravelog report: " << rave::cli::kOutOfMemory << '\n';
            context.exitCode = 1;
        }
    });
}

}  // namespace ravelog::cli
