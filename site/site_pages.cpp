// The page list of the site report and the drawing of one page.
#include "site/site_pages.h"

#include <algorithm>
#include <cmath>

#include "common/format.h"
#include "common/numbers.h"
#include "common/text_file.h"
#include "ravelog/report/page_count.h"
#include "ravelog/report/page_footer.h"
#include "ravelog/report/report_page.h"
#include "ravelog/report/standard_sheet_parts.h"
#include "site/page_canvas.h"
#include "site/site_page_parts.h"

namespace site {

namespace {

// No sounding reaches this deep (1350 rows a metre apart); a deeper last row is a typing slip that
// would ask for thousands of sheet pages.
constexpr double kDeepestSheetMetres = 1350.0;
// A caption longer than this (bytes) gets the room of two photographs a page.
constexpr std::size_t kLongCaption = 60;

int PagesFor(int items, int perPage) {
    return items <= 0 ? 0 : (items + perPage - 1) / perPage;
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// The report's own footer: the sheets' footer texts of the first sounding with the report's page
// number, placed as the sheets place it; "- N -" at the foot of the page when it has none.
void DrawReportFooter(rave::DrawingSurface& surface, const PreparedSite& site, int page) {
    if (!site.points.empty()) {
        const ravelog::SoundingDocument& document = *site.points.front().document;
        if (!ravelog::PageFooterText(document, site.report.sheetFormat, page).empty()) {
            const ravelog::SheetResources resources = site.startup.Resources();
            ravelog::ReportPageSetup setup =
                ravelog::PrepareReportPage(surface, document, resources.settings, 1);
            ravelog::SheetContext context{surface, setup.mapping, document, resources, nullptr};
            context.page = page;
            ravelog::DrawPageFooter(context, site.report.sheetFormat, ravelog::kBottomLine);
            return;
        }
    }
    PageCanvas canvas(surface);
    canvas.Text(canvas.WidthMm() / 2, canvas.HeightMm() - 10, "- " + std::to_string(page) + " -", 10,
                rave::text_align::kCenterBottom);
}

}  // namespace

std::optional<PrepareProblem> PrepareSite(const SiteReport& report, const std::filesystem::path& reportFolder,
                                          const std::filesystem::path& installFolder, PreparedSite& site,
                                          rave::MessageSink& messages) {
    site.report = report;
    site.folder = reportFolder;
    site.points.clear();
    if (report.points.empty()) {
        return PrepareProblem{{}, "測点がありません"};
    }
    if (static_cast<int>(report.points.size()) > kMaxReportPoints) {
        return PrepareProblem{ResolveReportPath(reportFolder, report.points[kMaxReportPoints].file),
                              "測点は " + std::to_string(kMaxReportPoints) + " までです (" +
                                  std::to_string(report.points.size()) + " 点あります)"};
    }
    for (const ReportPhoto& photo : report.photos) {
        if (const std::filesystem::path path = ResolveReportPath(reportFolder, photo.file);
            !FileExists(path)) {
            return PrepareProblem{path, "写真のファイルが見つかりません"};
        }
    }
    if (!report.section.empty()) {
        if (const std::filesystem::path path = ResolveReportPath(reportFolder, report.section);
            !FileExists(path)) {
            return PrepareProblem{path, "断面図のファイルが見つかりません"};
        }
    }
    for (const ReportPoint& point : report.points) {
        PreparedPoint prepared;
        prepared.path = ResolveReportPath(reportFolder, point.file);
        prepared.document = std::make_unique<ravelog::SoundingDocument>();
        ravelog::SoundingDocument& document = *prepared.document;
        if (std::string reason = OpenPointSounding(prepared.path, document); !reason.empty()) {
            return PrepareProblem{prepared.path, reason};
        }
        const int rows = document.RowCount();
        const double deepest =
            rows > 0 ? rave::ParseDecimal(document.Row(rows)[ravelog::field::kDepth]) : 0.0;
        if (!std::isfinite(deepest) || std::fabs(deepest) > kDeepestSheetMetres) {
            return PrepareProblem{prepared.path, "最終行の深度 " +
                                                     document.Row(rows)[ravelog::field::kDepth] +
                                                     " m は深すぎます。最後の行の深度を直してください"};
        }
        ravelog::LoadStartupFiles(site.startup, installFolder, document, false, messages,
                                  ravelog::StartupWrites::kNever);
        ravelog::TakeUpDocumentForView(document, site.startup, messages);
        ravelog::SelectReportFormat(document, prepared.sheet, std::clamp(report.sheetFormat, 1, 3) - 1);
        prepared.sheetPages = ravelog::CountReportPages(document);
        prepared.summary = SummarizePoint(document, site.startup.settings, report.footingDepth, point.label);
        site.points.push_back(std::move(prepared));
    }
    return std::nullopt;
}

int PhotosPerPage(const SiteReport& report) {
    const bool longCaption =
        std::any_of(report.photos.begin(), report.photos.end(),
                    [](const ReportPhoto& photo) { return photo.caption.size() > kLongCaption; });
    return longCaption ? 2 : 4;
}

SitePages::SitePages(const PreparedSite& site, SitePageOptions options)
    : site_(site), options_(std::move(options)) {
    const SiteReport& report = site.report;
    const int points = static_cast<int>(site.points.size());
    Add(PagePart::kCover, "地盤調査報告書", 1);
    Add(PagePart::kOverview, "調査概要", PagesFor(points, kTableRowsPerPage));
    const bool placed = std::any_of(report.points.begin(), report.points.end(),
                                    [](const ReportPoint& point) { return point.position.has_value(); });
    if (placed) {
        Add(PagePart::kPlan, "調査位置図", 1);
    }
    Add(PagePart::kColumns, "柱状図一覧", PagesFor(points, kColumnsPerPage));
    Add(PagePart::kNotice, "告示第1113号による検討", PagesFor(points, kTableRowsPerPage));
    for (int i = 0; i < points; ++i) {
        Add(PagePart::kSheet, "測点 " + site.points[i].summary.name + " 試験結果", site.points[i].sheetPages,
            i);
    }
    if (options_.section != nullptr) {
        Add(PagePart::kSection, "推定断面図", options_.section->PageCount());
    }
    Add(PagePart::kPhotos, "写真", PagesFor(static_cast<int>(report.photos.size()), PhotosPerPage(report)));
    Add(PagePart::kFindings, "考察", parts::FindingsPageCount(site));
}

void SitePages::Add(PagePart part, const std::string& title, int count, int point) {
    if (count <= 0) {
        return;  // a part with nothing to show is left out
    }
    const int entry = static_cast<int>(contents_.size());
    contents_.push_back({title, PageCount() + 1, count, part});
    for (int i = 0; i < count; ++i) {
        pages_.push_back({part, i, point, entry});
    }
}

PaperMm SitePages::Paper(int page) const {
    if (page < 1 || page > PageCount()) {
        return kA4Portrait;
    }
    switch (pages_[static_cast<std::size_t>(page - 1)].part) {
        case PagePart::kSheet:
            return options_.sheetPaper;
        case PagePart::kSection:
            return options_.section->Paper();
        default:
            return kA4Portrait;
    }
}

void SitePages::DrawPage(rave::DrawingSurface& surface, int page) const {
    if (page < 1 || page > PageCount()) {
        return;
    }
    const PageRef& ref = pages_[static_cast<std::size_t>(page - 1)];
    const rave::FontSpec previousFont = surface.CurrentFont();
    PageCanvas canvas(surface);
    switch (ref.part) {
        case PagePart::kCover:
            parts::DrawCover(canvas, site_, contents_);
            break;
        case PagePart::kOverview:
            parts::DrawOverview(canvas, site_, ref.index);
            break;
        case PagePart::kPlan:
            parts::DrawPlanPage(canvas, site_);
            break;
        case PagePart::kColumns:
            parts::DrawColumnsPage(canvas, site_, ref.index, options_.messages);
            break;
        case PagePart::kNotice:
            parts::DrawNotice(canvas, site_, ref.index);
            break;
        case PagePart::kSheet: {
            // The sheet page exactly as the render verb draws it, with its own footer.
            const PreparedPoint& point = site_.points[static_cast<std::size_t>(ref.point)];
            ravelog::ReportViewState state = point.sheet;
            state.currentPage = ref.index + 1;
            ravelog::SheetResources resources = site_.startup.Resources();
            ravelog::DrawReportPage(surface, *point.document, resources, state, options_.messages);
            surface.SelectFont(previousFont);
            return;
        }
        case PagePart::kSection:
            options_.section->DrawPage(surface, ref.index + 1);
            surface.SelectFont(previousFont);
            return;
        case PagePart::kPhotos:
            parts::DrawPhotosPage(canvas, site_, ref.index, options_.decodeImage);
            break;
        case PagePart::kFindings:
            parts::DrawFindings(canvas, site_, ref.index);
            break;
    }
    surface.ResetClip();
    DrawReportFooter(surface, site_, page);
    surface.SelectFont(previousFont);
}

}  // namespace site
