// The pages of the site report. PrepareSite opens every sounding of a report as the sheets'
// render takes it up (the install folder's settings, fonts and tables, the view's defaults) and
// sums each point up; SitePages lays the pages out and draws any one of them on a DrawingSurface:
//   地盤調査報告書 (cover with the contents), 調査概要, 調査位置図 (when a point has a position),
//   柱状図一覧, 告示第1113号による検討, each point's sheet pages, the section's pages (when a
//   section is given), 写真 (when there are photographs), 考察 (when there are findings).
// The window's preview, its printing and PDF export and the command line all draw these pages.
//
// Two things need more than the standard library and are handed in by the caller: decoding a
// photograph (ImageDecoder: the Qt layer reads JPEG and PNG) and the section's pages (PageSource:
// the section is opened through working files of its own).
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/drawing/drawing_surface.h"
#include "common/messages.h"
#include "ravelog/report/report_startup.h"
#include "ravelog/report/report_view_state.h"
#include "site/site_points.h"
#include "site/site_report.h"

namespace site {

// Paper in millimetres.
struct PaperMm {
    double width = 210.0;
    double height = 297.0;
    friend bool operator==(const PaperMm&, const PaperMm&) = default;
};
inline constexpr PaperMm kA4Portrait{210.0, 297.0};

// Pages drawn by someone else, such as the section's.
class PageSource {
public:
    virtual ~PageSource() = default;
    virtual int PageCount() const = 0;
    virtual PaperMm Paper() const = 0;
    // Draws page `page` (1-based) on a surface of Paper()'s size.
    virtual void DrawPage(rave::DrawingSurface& surface, int page) = 0;
};

// Decodes an image file into a bitmap small enough to draw (the decoder may scale a large photo
// down, keeping its proportions); nothing when the file is no image it can read.
using ImageDecoder = std::function<std::optional<rave::SurfaceBitmap>(const std::filesystem::path& file)>;

// One sounding of the report, taken up as its sheet shows it.
struct PreparedPoint {
    std::filesystem::path path;
    std::unique_ptr<ravelog::SoundingDocument> document;
    ravelog::ReportViewState sheet;  // the report's sheet format
    int sheetPages = 0;
    PointSummary summary;
};

struct PreparedSite {
    SiteReport report;
    std::filesystem::path folder;  // where the report's relative names start
    ravelog::StartupFiles startup;
    std::vector<PreparedPoint> points;
};

struct PrepareProblem {
    std::filesystem::path file;  // the file at fault (empty when none is)
    std::string reason;          // cp932
};

// Opens the report's soundings with the install folder's settings and sums them up. Refuses more
// than kMaxReportPoints points, a sounding that cannot be opened, and a photograph or section
// file that does not exist, naming the file. Nothing in the install folder is written.
std::optional<PrepareProblem> PrepareSite(const SiteReport& report, const std::filesystem::path& reportFolder,
                                          const std::filesystem::path& installFolder, PreparedSite& site,
                                          rave::MessageSink& messages);

// The parts of the report in page order.
enum class PagePart { kCover, kOverview, kPlan, kColumns, kNotice, kSheet, kSection, kPhotos, kFindings };

struct ContentsEntry {
    std::string title;  // cp932
    int firstPage = 0;
    int pageCount = 0;
    PagePart part = PagePart::kCover;
};

struct SitePageOptions {
    ImageDecoder decodeImage;               // empty: photographs are drawn as framed boxes with their names
    PageSource* section = nullptr;          // the section's pages; null: none
    PaperMm sheetPaper = kA4Portrait;       // the paper of the sounding sheets (the render verb's)
    rave::MessageSink* messages = nullptr;  // what the sheets say while drawing
};

// Points a page of the overview and notice tables holds, and points a columns page holds.
inline constexpr int kTableRowsPerPage = 20;
inline constexpr int kColumnsPerPage = 5;
// Photographs a page holds: two when any caption runs long, else four.
int PhotosPerPage(const SiteReport& report);

class SitePages {
public:
    SitePages(const PreparedSite& site, SitePageOptions options);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    const std::vector<ContentsEntry>& Contents() const { return contents_; }
    PaperMm Paper(int page) const;
    // Draws page `page` (1-based).
    void DrawPage(rave::DrawingSurface& surface, int page) const;

private:
    struct PageRef {
        PagePart part;
        int index = 0;  // the page within its part (0-based)
        int point = 0;  // the point of a sheet page
        int entry = 0;  // the contents entry
    };
    void Add(PagePart part, const std::string& title, int count, int point = 0);

    const PreparedSite& site_;
    SitePageOptions options_;
    std::vector<PageRef> pages_;
    std::vector<ContentsEntry> contents_;
};

}  // namespace site
