// The report file: reading and writing the site report's own cp932 text file.
#include "site/site_report.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "common/cp932.h"
#include "common/cp932_codec.h"
#include "common/format.h"
#include "common/path_text.h"
#include "common/text_fields.h"
#include "common/text_file.h"

namespace site {

namespace {

constexpr std::string_view kMagic = "$$RAVESITE";
constexpr std::string_view kVersionLine = "$$RAVESITE 1";

// A value as one line: cut at a CR or LF (a value never holds a line end), and a "\" put in front
// of a text that could read as a marker or starts with the escape itself.
void AppendTextLine(std::string& out, std::string_view text) {
    if (const std::size_t end = text.find_first_of("\r\n"); end != std::string_view::npos) {
        text = text.substr(0, end);
    }
    // Kept within the reader's line limit with the escape and the line end, so what is written is
    // read back whole.
    text = rave::Cp932Prefix(text, kReportLineLimit - 3);
    if (!text.empty() && (text.front() == '$' || text.front() == '\\')) {
        out += '\\';
    }
    out += text;
    out += "\r\n";
}

void AppendMarker(std::string& out, std::string_view marker) {
    out += marker;
    out += "\r\n";
}

std::string NumberOrEmpty(const std::optional<double>& value) {
    return value ? ReportNumberText(*value) : std::string();
}

void AppendOutline(std::string& out, std::string_view marker, const std::vector<PlanPoint>& corners) {
    if (corners.empty()) {
        return;
    }
    AppendMarker(out, marker);
    for (const PlanPoint& corner : corners) {
        AppendMarker(out, ReportNumberText(corner.x) + "," + ReportNumberText(corner.y));
    }
}

// Splits a text into its lines at CR LF, LF or CR.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

enum class Section { kNone, kCover, kSettings, kPoint, kLot, kBuilding, kPhoto, kFindings, kUnknown };

Section SectionOf(std::string_view marker) {
    static constexpr std::pair<std::string_view, Section> kSections[] = {
        {"$$COVER", Section::kCover},       {"$$SETTINGS", Section::kSettings}, {"$$POINT", Section::kPoint},
        {"$$LOT", Section::kLot},           {"$$BUILDING", Section::kBuilding}, {"$$PHOTO", Section::kPhoto},
        {"$$FINDINGS", Section::kFindings},
    };
    marker = rave::TrimBlanks(marker);
    for (const auto& [name, section] : kSections) {
        if (marker == name) {
            return section;
        }
    }
    return Section::kUnknown;
}

// Reads the sections line by line; `index` counts the value lines of the current section.
class ReportReader {
public:
    explicit ReportReader(SiteReportReadResult& result) : result_(result), report_(*result.report) {}

    void Marker(std::string_view line) {
        section_ = SectionOf(line);
        index_ = 0;
        if (section_ == Section::kPoint) {
            pointTaken_ = static_cast<int>(report_.points.size()) < kMaxReportPoints;
            if (pointTaken_) {
                report_.points.emplace_back();
            } else if (!pointsCut_) {
                pointsCut_ = true;
                Warn("測点が " + std::to_string(kMaxReportPoints) + " を超えるため、残りは読みませんでした");
            }
        } else if (section_ == Section::kPhoto) {
            photoTaken_ = static_cast<int>(report_.photos.size()) < kMaxReportPhotos;
            if (photoTaken_) {
                report_.photos.emplace_back();
            }
        }
    }

    void Value(std::string_view raw, std::string_view text) {
        switch (section_) {
            case Section::kCover:
                Cover(std::string(text));
                break;
            case Section::kSettings:
                Settings(text);
                break;
            case Section::kPoint:
                if (pointTaken_) {
                    Point(report_.points.back(), text);
                }
                break;
            case Section::kLot:
                Corner(report_.lotOutline, raw);
                break;
            case Section::kBuilding:
                Corner(report_.buildingOutline, raw);
                break;
            case Section::kPhoto:
                if (photoTaken_ && index_ == 0) {
                    report_.photos.back().file = std::string(text);
                } else if (photoTaken_ && index_ == 1) {
                    report_.photos.back().caption = std::string(text);
                }
                break;
            case Section::kFindings:
                Findings(text);
                break;
            case Section::kNone:
            case Section::kUnknown:
                break;
        }
        ++index_;
    }

    // Positions given by one coordinate only are no positions.
    void Finish() {
        for (std::size_t i = 0; i < report_.points.size(); ++i) {
            if (halfPositions_.size() > i && halfPositions_[i]) {
                Warn("測点 " + std::to_string(i + 1) +
                     " の位置は X と Y の両方がないため、位置なしとしました");
            }
        }
    }

private:
    void Warn(std::string text) { result_.warnings.push_back(std::move(text)); }

    void Cover(std::string text) {
        CoverTexts& c = report_.cover;
        std::string* const fields[] = {&c.title, &c.place, &c.client, &c.company, &c.reportDate, &c.engineer};
        if (index_ < 6) {
            *fields[index_] = std::move(text);
        }
    }

    void Settings(std::string_view text) {
        switch (index_) {
            case 0:
                if (const std::optional<double> depth = ParseReportNumber(text); depth && *depth >= 0) {
                    report_.footingDepth = *depth;
                } else {
                    Warn("根入れ深さ \"" + std::string(text) + "\" は 0 m 以上の数値ではないため、" +
                         ReportNumberText(report_.footingDepth) + " m としました");
                }
                break;
            case 1:
                if (rave::TrimBlanks(text).empty()) {
                    report_.contactPressure.reset();
                } else if (const std::optional<double> q = ParseReportNumber(text); q && *q > 0) {
                    report_.contactPressure = q;
                } else {
                    Warn("設計接地圧 \"" + std::string(text) + "\" は正の数値ではないため、なしとしました");
                }
                break;
            case 2: {
                const std::optional<double> format = ParseReportNumber(text);
                if (format && (*format == 1 || *format == 2 || *format == 3)) {
                    report_.sheetFormat = static_cast<int>(*format);
                } else {
                    Warn("様式 \"" + std::string(text) +
                         "\" は 1, 2, 3 のいずれでもないため、様式1としました");
                }
                break;
            }
            case 3:
                report_.section = std::string(text);
                break;
            case 4:
                report_.columnsAtElevation = rave::TrimBlanks(text) == "1";
                break;
            default:
                break;
        }
    }

    void Point(ReportPoint& point, std::string_view text) {
        const std::size_t number = report_.points.size();
        switch (index_) {
            case 0:
                point.file = std::string(text);
                break;
            case 1:
                pendingX_ = ParseReportNumber(text);
                xGiven_ = !rave::TrimBlanks(text).empty();
                break;
            case 2: {
                const std::optional<double> y = ParseReportNumber(text);
                const bool yGiven = !rave::TrimBlanks(text).empty();
                if (pendingX_ && y) {
                    point.position = PlanPoint{*pendingX_, *y};
                } else if (xGiven_ || yGiven) {
                    halfPositions_.resize(number, false);
                    halfPositions_[number - 1] = true;
                }
                break;
            }
            case 3:
                point.label = std::string(text);
                break;
            default:
                break;
        }
    }

    void Corner(std::vector<PlanPoint>& corners, std::string_view line) {
        if (static_cast<int>(corners.size()) >= kMaxOutlineCorners) {
            if (static_cast<int>(corners.size()) == kMaxOutlineCorners && !outlineCut_) {
                outlineCut_ = true;
                Warn("外形線の角が " + std::to_string(kMaxOutlineCorners) +
                     " を超えるため、残りは読みませんでした");
            }
            return;
        }
        const std::size_t comma = line.find(',');
        const std::optional<double> x =
            comma == std::string_view::npos ? std::nullopt : ParseReportNumber(line.substr(0, comma));
        const std::optional<double> y =
            comma == std::string_view::npos ? std::nullopt : ParseReportNumber(line.substr(comma + 1));
        if (x && y) {
            corners.push_back({*x, *y});
        } else if (!rave::TrimBlanks(line).empty()) {
            Warn("外形線の角 \"" + std::string(line) + "\" は X,Y ではないため、読み飛ばしました");
        }
    }

    void Findings(std::string_view text) {
        if (index_ >= kMaxFindingsLines) {
            return;
        }
        if (index_ > 0) {
            report_.findings += "\r\n";
        }
        report_.findings += text;
    }

    SiteReportReadResult& result_;
    SiteReport& report_;
    Section section_ = Section::kNone;
    int index_ = 0;
    bool pointTaken_ = false;
    bool photoTaken_ = false;
    bool outlineCut_ = false;
    bool pointsCut_ = false;
    std::optional<double> pendingX_;
    bool xGiven_ = false;
    std::vector<bool> halfPositions_;
};

}  // namespace

std::optional<double> ParseReportNumber(std::string_view text) {
    text = rave::TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value == 0 ? 0.0 : value;  // no "-0" in a file
}

std::string ReportNumberText(double value) {
    if (!std::isfinite(value)) {
        return "0";
    }
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value == 0 ? 0.0 : value);
    return error == std::errc() ? std::string(buffer, end) : rave::FormatText("%.17g", value);
}

std::string WriteSiteReportBytes(const SiteReport& report) {
    std::string out;
    AppendMarker(out, kVersionLine);
    AppendMarker(out, "$$COVER");
    for (const std::string* text :
         {&report.cover.title, &report.cover.place, &report.cover.client, &report.cover.company,
          &report.cover.reportDate, &report.cover.engineer}) {
        AppendTextLine(out, *text);
    }
    AppendMarker(out, "$$SETTINGS");
    AppendMarker(out, ReportNumberText(report.footingDepth));
    AppendMarker(out, NumberOrEmpty(report.contactPressure));
    AppendMarker(out, std::to_string(report.sheetFormat));
    AppendTextLine(out, report.section);
    AppendMarker(out, report.columnsAtElevation ? "1" : "0");
    for (const ReportPoint& point : report.points) {
        AppendMarker(out, "$$POINT");
        AppendTextLine(out, point.file);
        AppendMarker(out, point.position ? ReportNumberText(point.position->x) : std::string());
        AppendMarker(out, point.position ? ReportNumberText(point.position->y) : std::string());
        AppendTextLine(out, point.label);
    }
    AppendOutline(out, "$$LOT", report.lotOutline);
    AppendOutline(out, "$$BUILDING", report.buildingOutline);
    for (const ReportPhoto& photo : report.photos) {
        AppendMarker(out, "$$PHOTO");
        AppendTextLine(out, photo.file);
        AppendTextLine(out, photo.caption);
    }
    if (!report.findings.empty()) {
        AppendMarker(out, "$$FINDINGS");
        for (std::string_view line : SplitLines(report.findings)) {
            AppendTextLine(out, line);
        }
    }
    AppendMarker(out, "$$END");
    return out;
}

SiteReportReadResult ReadSiteReportBytes(std::string_view bytes) {
    SiteReportReadResult result;
    if (bytes.substr(0, kMagic.size()) != kMagic) {
        result.error = "地盤調査報告書のファイルではありません";
        return result;
    }
    result.report.emplace();
    ReportReader reader(result);
    rave::LineCursor cursor(bytes, kReportLineLimit);
    std::string_view line;
    bool first = true;
    while (cursor.Next(line)) {
        line = rave::StripLineEnd(line);
        if (first) {
            first = false;  // the version line
            continue;
        }
        if (line.substr(0, 2) == "$$") {
            if (rave::TrimBlanks(line) == "$$END") {
                break;
            }
            reader.Marker(line);
            continue;
        }
        std::string_view text = line;
        if (!text.empty() && text.front() == '\\') {
            text.remove_prefix(1);
        }
        reader.Value(line, text);
    }
    reader.Finish();
    return result;
}

SiteReportReadResult ReadSiteReportFile(const std::filesystem::path& path) {
    const rave::InputFileBytes input = rave::ReadInputFile(path, kMaxReportFileBytes);
    if (!input.bytes) {
        SiteReportReadResult result;
        result.error = rave::InputRefusalText(input.refusal, kMaxReportFileBytes);
        return result;
    }
    return ReadSiteReportBytes(*input.bytes);
}

std::string SaveSiteReportFile(const std::filesystem::path& path, const SiteReport& report) {
    return rave::WriteFilesAtomically({{path, WriteSiteReportBytes(report)}});
}

std::filesystem::path ResolveReportPath(const std::filesystem::path& reportFolder, std::string_view stored) {
    std::string utf8 = rave::Cp932ToUtf8(stored);
    for (char& c : utf8) {
        if (c == '\\') {
            c = '/';  // a name typed the Windows way names the same file everywhere
        }
    }
    std::filesystem::path path = rave::PathFromUtf8(utf8);
    if (path.is_absolute() || reportFolder.empty()) {
        return path;
    }
    return (reportFolder / path).lexically_normal();
}

std::optional<std::string> ReportPathText(const std::filesystem::path& reportFolder,
                                          const std::filesystem::path& path) {
    std::filesystem::path stored = path;
    if (!reportFolder.empty()) {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::absolute(reportFolder, error);
        const std::filesystem::path target = std::filesystem::absolute(path, error);
        const std::filesystem::path relative = target.lexically_relative(folder);
        if (!error && !relative.empty() && target.root_name() == folder.root_name()) {
            stored = relative;
        }
    }
    const std::u8string generic = stored.generic_u8string();
    return rave::Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(generic.data()), generic.size()));
}

}  // namespace site
