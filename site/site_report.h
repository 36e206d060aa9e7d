// The site report (地盤調査報告書): the soundings of one lot with their places on a plan, the
// lot and building outlines, the planned footing, the cover texts, photographs, an optional
// section and the engineer's findings, and the report file that keeps them.
//
// Ownership: a SiteReport is plain data, owned by whoever edits it (the report window, the
// command line, a test). It names files but never holds their content: the soundings, the section
// and the photographs are read when the pages are made (site_points.h, site_pages.h), so the
// report file stays small and always shows what is on disk now.
//
// Texts are cp932 bytes, as in every document of the programs. File names are stored as the
// report file holds them: relative to the report file's folder, '/' between the parts (an
// absolute name is kept as it is when the file lies on another drive). ResolveReportPath turns
// one into a path; ReportPathText makes the stored text for a path.
//
// The report file (cp932, CR LF after every line):
//   "$$RAVESITE 1"
//   "$$COVER"     件名, 調査場所, 依頼者, 調査会社, 報告日, 担当者: one line each; an empty line takes
//                 the default from the first sounding (件名: its survey name, 調査会社: its company)
//   "$$SETTINGS"  footing depth F (m), design contact pressure (kN/m2, empty: none), the sheet
//                 format (1, 2 or 3), the section file (empty: none), "1" when the columns page
//                 sets the columns at their elevations ("0" or missing: at the ground): one line each
//   "$$POINT"     one section per point, in the report's order: the sounding file, X (m east),
//                 Y (m north) (both empty: no position), the label (empty: the sheet's point number)
//   "$$LOT", "$$BUILDING"  the outline's corners, one "X,Y" line each
//   "$$PHOTO"     one section per photograph: the image file, the caption
//   "$$FINDINGS"  the findings (考察), one line per line of text
//   "$$END"
// A text line that starts with "$" or "\" is written with a "\" in front, which the reader drops,
// so no typed text can ever be taken for a section marker. Unknown sections are skipped.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace site {

// A report draws at most this many soundings (the plan, the overview and the columns are laid out
// for it).
inline constexpr int kMaxReportPoints = 30;
// What the reader keeps at most of the lists a hostile file could make endless.
inline constexpr int kMaxOutlineCorners = 1000;
inline constexpr int kMaxReportPhotos = 200;
inline constexpr int kMaxFindingsLines = 2000;
// The longest line the reader takes (line end included); the rest of a longer line is dropped.
inline constexpr std::size_t kReportLineLimit = 1024;
// The largest report file the reader opens.
inline constexpr std::uintmax_t kMaxReportFileBytes = 4u * 1024u * 1024u;

// A place on the plan in metres: X to the east, Y to the north.
struct PlanPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const PlanPoint&, const PlanPoint&) = default;
};

struct ReportPoint {
    std::string file;                   // the sounding (.sdw or Ver2), stored form
    std::optional<PlanPoint> position;  // none: listed under the plan
    std::string label;                  // empty: the sounding's point number (header slot 5)
    friend bool operator==(const ReportPoint&, const ReportPoint&) = default;
};

// The cover's texts as typed; an empty text takes the default of CoverDefaults.
struct CoverTexts {
    std::string title;       // 件名
    std::string place;       // 調査場所
    std::string client;      // 依頼者
    std::string company;     // 調査会社
    std::string reportDate;  // 報告日
    std::string engineer;    // 担当者
    friend bool operator==(const CoverTexts&, const CoverTexts&) = default;
};

struct ReportPhoto {
    std::string file;  // JPEG or PNG, stored form
    std::string caption;
    friend bool operator==(const ReportPhoto&, const ReportPhoto&) = default;
};

struct SiteReport {
    std::vector<ReportPoint> points;
    std::vector<PlanPoint> lotOutline;       // fewer than 3 corners: not drawn
    std::vector<PlanPoint> buildingOutline;  // the same
    double footingDepth = 0.5;               // F, m below ground (>= 0)
    std::optional<double> contactPressure;   // design contact pressure, kN/m2
    CoverTexts cover;
    std::vector<ReportPhoto> photos;
    std::string section;  // the section (.sqw), stored form; empty: none
    int sheetFormat = 1;  // 1, 2 or 3
    // The columns page draws every column from its borehole elevation instead of from the ground.
    bool columnsAtElevation = false;
    std::string findings;  // 考察; lines separated by CR LF
    friend bool operator==(const SiteReport&, const SiteReport&) = default;
};

// The report file's bytes.
std::string WriteSiteReportBytes(const SiteReport& report);

struct SiteReportReadResult {
    std::optional<SiteReport> report;  // set when the bytes are a report file
    std::string error;                 // cp932, why not (when report is empty)
    // What was read but not taken (a number that is none, a list cut at its limit), cp932.
    std::vector<std::string> warnings;
};

// Reads a report file's bytes. Anything that does not start with "$$RAVESITE" is refused; a
// truncated file gives what it held; values out of range are put right with a warning.
SiteReportReadResult ReadSiteReportBytes(std::string_view bytes);

// Reads the file at `path` (refusing folders, devices and files over kMaxReportFileBytes).
SiteReportReadResult ReadSiteReportFile(const std::filesystem::path& path);

// Writes the report file in one step (a failure leaves an earlier file as it was). Empty on
// success, else what failed (English, with the system's reason).
std::string SaveSiteReportFile(const std::filesystem::path& path, const SiteReport& report);

// The path a stored name stands for, for a report file in `reportFolder`.
std::filesystem::path ResolveReportPath(const std::filesystem::path& reportFolder, std::string_view stored);

// The stored form of `path` for a report file in `reportFolder`: relative when it can be, '/'
// between the parts, cp932. Nothing when the name cannot be written in cp932.
std::optional<std::string> ReportPathText(const std::filesystem::path& reportFolder,
                                          const std::filesystem::path& path);

// A typed footing depth, contact pressure or plan coordinate: a finite decimal number with nothing
// after it but blanks; nothing for anything else.
std::optional<double> ParseReportNumber(std::string_view text);

// The text a number is written with: the shortest that reads back as the same value.
std::string ReportNumberText(double value);

}  // namespace site
