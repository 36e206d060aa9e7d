// The text pages of the site report: the cover with its contents, the overview, the notice check,
// the plan page, the photographs and the findings.
#include <algorithm>
#include <cmath>

#include "common/cp932.h"
#include "common/format.h"
#include "site/site_page_parts.h"
#include "site/site_plan.h"

namespace site::parts {

namespace {

constexpr double kLeft = 15.0;
constexpr double kRight = 195.0;
constexpr double kHeadingHeight = 12.0;
constexpr double kRowHeight = 11.0;
constexpr double kTableFont = 8.0;
// The findings: a line holds this many bytes (45 full-width characters at 10.5 points in 170 mm).
constexpr std::size_t kFindingsLineBytes = 88;
constexpr int kFindingsLinesPerPage = 32;
constexpr double kFindingsLineHeight = 7.0;

struct Column {
    double width;
    const char* heading1;
    const char* heading2;
};

std::string Fixed2(double value) {
    return rave::FormatText("%.2f", value);
}

// A table's frame, its headings (two lines a column) and its row lines; the x of every column's
// left edge, the right edge last.
std::vector<double> DrawTableFrame(PageCanvas& canvas, double top, const std::vector<Column>& columns,
                                   int rows) {
    std::vector<double> x{kLeft};
    for (const Column& column : columns) {
        x.push_back(x.back() + column.width);
    }
    const double bottom = top + kHeadingHeight + rows * kRowHeight;
    canvas.Fill(x.front(), top, x.back(), top + kHeadingHeight, rave::MakeColorRef(232, 232, 232));
    canvas.Frame(x.front(), top, x.back(), bottom, 0.35);
    canvas.Line(x.front(), top + kHeadingHeight, x.back(), top + kHeadingHeight, 0.35);
    for (int r = 1; r < rows; ++r) {
        const double y = top + kHeadingHeight + r * kRowHeight;
        canvas.Line(x.front(), y, x.back(), y, 0.1);
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) {
            canvas.Line(x[i], top, x[i], bottom, 0.15);
        }
        const double centre = (x[i] + x[i + 1]) / 2;
        const bool twoLines = columns[i].heading2[0] != '\0';
        canvas.Text(centre, top + (twoLines ? 5.5 : 8), columns[i].heading1, kTableFont,
                    rave::text_align::kCenterBottom, true);
        if (twoLines) {
            canvas.Text(centre, top + 10.5, columns[i].heading2, kTableFont, rave::text_align::kCenterBottom,
                        true);
        }
    }
    return x;
}

// Texts in a cell, one line each (at most three; the rest summed up), centred or from the left.
void CellLines(PageCanvas& canvas, double left, double right, double rowTop, std::vector<std::string> lines,
               bool centred) {
    if (lines.size() > 3) {
        const std::size_t rest = lines.size() - 2;
        lines.resize(2);
        lines.push_back("ほか " + std::to_string(rest) + " 区間");
    }
    const double size = lines.size() > 1 ? 7.0 : kTableFont;
    const double lineHeight = kRowHeight / static_cast<double>(std::max<std::size_t>(lines.size(), 1) + 0.0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double baseline = rowTop + lineHeight * static_cast<double>(i + 1) - (lineHeight - 2.6) / 2;
        const std::string text = canvas.FitText(lines[i], size, right - left - 1.5);
        if (centred) {
            canvas.Text((left + right) / 2, baseline, text, size, rave::text_align::kCenterBottom);
        } else {
            canvas.Text(left + 1, baseline, text, size, rave::text_align::kLeftBottom);
        }
    }
}

std::vector<std::string> StretchLines(const std::vector<ravelog::SelfSinkingLayer>& layers) {
    std::vector<std::string> lines;
    for (const ravelog::SelfSinkingLayer& stretch : MergeStretches(layers)) {
        lines.push_back(StretchText(stretch));
    }
    if (lines.empty()) {
        lines.push_back("なし");
    }
    return lines;
}

std::string YesNo(bool yes, const char* whenYes, const char* whenNo) {
    return yes ? whenYes : whenNo;
}

std::string QaText(const PointSummary& row) {
    return row.qa ? rave::FormatText("%.1f", *row.qa) : "−";
}

// The findings cut into lines of at most kFindingsLineBytes, never inside a character.
std::vector<std::string> FindingsLines(const std::string& findings) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= findings.size()) {
        std::size_t end = findings.find_first_of("\r\n", start);
        const std::string_view paragraph = std::string_view(findings).substr(
            start, end == std::string::npos ? std::string::npos : end - start);
        std::size_t at = 0;
        do {
            std::size_t cut = at;
            while (cut < paragraph.size()) {
                const std::size_t next = cut + rave::Cp932CharLength(paragraph, cut);
                if (next - at > kFindingsLineBytes) {
                    break;
                }
                cut = next;
            }
            // A closing mark never starts a line: it stays at the end of the one before.
            while (cut < paragraph.size() && cut > at &&
                   (paragraph.substr(cut, 2) == "。" || paragraph.substr(cut, 2) == "、")) {
                cut += 2;
            }
            lines.emplace_back(paragraph.substr(at, cut - at));
            at = cut;
        } while (at < paragraph.size());
        if (end == std::string::npos) {
            break;
        }
        start = end + (findings.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

}  // namespace

std::vector<std::string> PointNames(const PreparedSite& site) {
    std::vector<std::string> names;
    for (const PreparedPoint& point : site.points) {
        names.push_back(point.summary.name);
    }
    return names;
}

std::vector<ravelog::SelfSinkingLayer> MergeStretches(const std::vector<ravelog::SelfSinkingLayer>& layers) {
    std::vector<ravelog::SelfSinkingLayer> stretches;
    for (const ravelog::SelfSinkingLayer& layer : layers) {
        if (!stretches.empty() && std::fabs(stretches.back().to - layer.from) < 1e-6) {
            stretches.back().to = layer.to;
            stretches.back().wsw = std::min(stretches.back().wsw, layer.wsw);
        } else {
            stretches.push_back(layer);
        }
    }
    return stretches;
}

std::string StretchText(const ravelog::SelfSinkingLayer& stretch) {
    return "GL-" + Fixed2(stretch.from) + "〜" + Fixed2(stretch.to) + "m (" + Fixed2(stretch.wsw) + "kN)";
}

PaperBox FitPicture(int width, int height, const PaperBox& box) {
    if (width <= 0 || height <= 0) {
        return box;
    }
    const double boxWidth = box.right - box.left;
    const double boxHeight = box.bottom - box.top;
    const double scale = std::min(boxWidth / width, boxHeight / height);
    const double w = width * scale;
    const double h = height * scale;
    const double left = box.left + (boxWidth - w) / 2;
    const double top = box.top + (boxHeight - h) / 2;
    return {left, top, left + w, top + h};
}

void DrawCover(PageCanvas& canvas, const PreparedSite& site, const std::vector<ContentsEntry>& contents) {
    std::vector<const ravelog::SoundingDocument*> documents;
    for (const PreparedPoint& point : site.points) {
        documents.push_back(point.document.get());
    }
    const CoverPage cover = MakeCoverPage(site.report.cover, documents);
    const double middle = canvas.WidthMm() / 2;
    canvas.Text(middle, 70, "地盤調査報告書", 28, rave::text_align::kCenterBottom, true);
    canvas.Line(middle - 60, 74, middle + 60, 74, 0.6);
    canvas.Text(middle, 84, "スウェーデン式サウンディング試験", 12, rave::text_align::kCenterBottom);

    const std::pair<const char*, const std::string*> rows[] = {
        {"件　　名", &cover.title},    {"調査場所", &cover.place},   {"依 頼 者", &cover.client},
        {"調査期間", &cover.period},   {"調査会社", &cover.company}, {"報 告 日", &cover.reportDate},
        {"担 当 者", &cover.engineer},
    };
    double y = 110;
    for (const auto& [label, text] : rows) {
        canvas.Text(40, y, label, 12, rave::text_align::kLeftBottom);
        canvas.Text(72, y, canvas.FitText(*text, 12, 100), 12, rave::text_align::kLeftBottom);
        canvas.Line(70, y + 1.5, 175, y + 1.5, 0.15);
        y += 10;
    }

    y += 12;
    canvas.Text(middle, y, "目　次", 13, rave::text_align::kCenterBottom, true);
    y += 9;
    // With many points their sheets make one line of the list, so it stays on the cover.
    std::vector<ContentsEntry> lines;
    const bool mergeSheets = contents.size() > 16;
    for (const ContentsEntry& entry : contents) {
        if (entry.part == PagePart::kCover) {
            continue;
        }
        if (mergeSheets && entry.part == PagePart::kSheet && !lines.empty() &&
            lines.back().part == PagePart::kSheet) {
            lines.back().pageCount += entry.pageCount;
            continue;
        }
        lines.push_back(entry);
        if (mergeSheets && entry.part == PagePart::kSheet) {
            lines.back().title = "各測点の試験結果";
        }
    }
    for (const ContentsEntry& entry : lines) {
        const std::string pages = entry.pageCount > 1
                                      ? std::to_string(entry.firstPage) + "〜" +
                                            std::to_string(entry.firstPage + entry.pageCount - 1)
                                      : std::to_string(entry.firstPage);
        constexpr double size = 10;
        canvas.Text(45, y, canvas.FitText(entry.title, size, 100), size, rave::text_align::kLeftBottom);
        canvas.Line(45 + canvas.TextWidth(entry.title, size) + 2, y - 1, 163 - canvas.TextWidth(pages, size),
                    y - 1, 0.1, rave::pen_style::kDot);
        canvas.Text(165, y, pages, size, rave::text_align::kRightBottom);
        y += 5.6;
    }
}

void DrawOverview(PageCanvas& canvas, const PreparedSite& site, int pageIndex) {
    double top = DrawPageTitle(canvas, "調査概要");
    const double f = site.report.footingDepth;
    canvas.Text(kLeft, top + 4,
                "Nsw平均と qa~ は根入れ深さ GL-" + Fixed2(f) + "〜" + Fixed2(f + 2) +
                    "m の範囲 (長期許容支持力度 qa~, kN/m2)。判定は告示第1113号第2第三号による。",
                8, rave::text_align::kLeftBottom);
    top += 8;
    const std::vector<Column> columns = {
        {16, "測点", ""},        {25, "試験日", ""},       {14, "孔口標高", "(m)"},
        {14, "調査深度", "(m)"}, {21, "最終行の", "記事"}, {38, "自沈層", "(GL-m, Wsw)"},
        {13, "Nsw平均", ""},     {13, "qa~", ""},          {9, "2m", "以内"},
        {9, "2〜5m", ""},        {8, "沈下", "検討"},
    };
    const int first = pageIndex * kTableRowsPerPage;
    const int count = std::min(kTableRowsPerPage, static_cast<int>(site.points.size()) - first);
    const std::vector<double> x = DrawTableFrame(canvas, top, columns, count);
    for (int r = 0; r < count; ++r) {
        const PointSummary& row = site.points[static_cast<std::size_t>(first + r)].summary;
        const double rowTop = top + kHeadingHeight + r * kRowHeight;
        const std::vector<std::string> texts = {row.name, row.date, row.groundElevation, Fixed2(row.depth),
                                                row.lastRemark};
        for (std::size_t c = 0; c < texts.size(); ++c) {
            CellLines(canvas, x[c], x[c + 1], rowTop, {texts[c]}, true);
        }
        CellLines(canvas, x[5], x[6], rowTop, StretchLines(row.check.layers), false);
        CellLines(canvas, x[6], x[7], rowTop, {row.average.average.empty() ? "−" : row.average.average},
                  true);
        CellLines(canvas, x[7], x[8], rowTop, {QaText(row)}, true);
        CellLines(canvas, x[8], x[9], rowTop, {YesNo(row.check.within2m, "有", "無")}, true);
        CellLines(canvas, x[9], x[10], rowTop, {YesNo(row.check.from2to5m, "有", "無")}, true);
        CellLines(canvas, x[10], x[11], rowTop, {YesNo(row.check.settlementCheck, "要", "−")}, true);
    }
}

void DrawNotice(PageCanvas& canvas, const PreparedSite& site, int pageIndex) {
    double top = DrawPageTitle(canvas, "告示第1113号による検討");
    const double f = site.report.footingDepth;
    const std::optional<double>& q = site.report.contactPressure;
    const std::string lines[] = {
        "基礎の底部から下方 2m 以内に荷重 1kN 以下で自沈する層、または 2m を超え 5m 以内に荷重 0.5kN 以下で",
        "自沈する層がある場合、告示第1113号第2第三号は建築物の沈下等の検討を求める。",
        "根入れ深さ F = GL-" + Fixed2(f) + "m　設計接地圧 " +
            (q ? rave::FormatText("%.1f", *q) + " kN/m2" : std::string("指定なし")) + "　qa~ は GL-" +
            Fixed2(f) + "〜" + Fixed2(f + 2) + "m の Nsw 平均による。",
    };
    for (const std::string& line : lines) {
        canvas.Text(kLeft, top + 4, line, 8.5, rave::text_align::kLeftBottom);
        top += 5;
    }
    top += 3;
    const std::string band1 = "GL-" + Fixed2(f) + "〜" + Fixed2(f + 2) + "m";
    const std::string band2 = "GL-" + Fixed2(f + 2) + "〜" + Fixed2(f + 5) + "m";
    const std::vector<Column> columns = {
        {16, "測点", ""},
        {50, band1.c_str(), "Wsw≦1kN の自沈層"},
        {50, band2.c_str(), "Wsw≦0.5kN の自沈層"},
        {14, "F+5m", "到達"},
        {20, "沈下の", "検討"},
        {30, q ? "qa~ と" : "qa~", q ? "設計接地圧" : "(kN/m2)"},
    };
    const int first = pageIndex * kTableRowsPerPage;
    const int count = std::min(kTableRowsPerPage, static_cast<int>(site.points.size()) - first);
    const std::vector<double> x = DrawTableFrame(canvas, top, columns, count);
    for (int r = 0; r < count; ++r) {
        const PointSummary& row = site.points[static_cast<std::size_t>(first + r)].summary;
        const double rowTop = top + kHeadingHeight + r * kRowHeight;
        CellLines(canvas, x[0], x[1], rowTop, {row.name}, true);
        CellLines(canvas, x[1], x[2], rowTop,
                  StretchLines(LayersInBand(row.check, f, f + 2, ravelog::kSelfSinkingMaxLoad)), false);
        CellLines(canvas, x[2], x[3], rowTop,
                  StretchLines(LayersInBand(row.check, f + 2, f + 5, ravelog::kLowerBandMaxLoad)), false);
        CellLines(canvas, x[3], x[4], rowTop, {YesNo(row.check.reaches5m, "到達", "未達")}, true);
        CellLines(canvas, x[4], x[5], rowTop, {YesNo(row.check.settlementCheck, "必要", "不要")}, true);
        std::string qa = QaText(row);
        if (q && row.qa) {
            qa += (*row.qa >= *q ? " ≧ " : " < ") + rave::FormatText("%.1f", *q);
        }
        CellLines(canvas, x[5], x[6], rowTop, {qa}, true);
    }
}

void DrawPlanPage(PageCanvas& canvas, const PreparedSite& site) {
    const double top = DrawPageTitle(canvas, "調査位置図");
    DrawPlan(canvas, site.report, PointNames(site), PaperBox{kLeft, top + 2, kRight, 250});
}

void DrawPhotosPage(PageCanvas& canvas, const PreparedSite& site, int pageIndex, const ImageDecoder& decode) {
    const double top = DrawPageTitle(canvas, "写真");
    const int perPage = PhotosPerPage(site.report);
    const double bottom = 270;
    const int rows = 2;
    const int columns = perPage / rows;
    const double cellWidth = (kRight - kLeft) / columns;
    const double cellHeight = (bottom - top) / rows;
    for (int i = 0; i < perPage; ++i) {
        const std::size_t index = static_cast<std::size_t>(pageIndex * perPage + i);
        if (index >= site.report.photos.size()) {
            break;
        }
        const ReportPhoto& photo = site.report.photos[index];
        const double left = kLeft + (i % columns) * cellWidth;
        const double cellTop = top + (i / columns) * cellHeight;
        const PaperBox box{left + 3, cellTop + 2, left + cellWidth - 3, cellTop + cellHeight - 14};
        const std::filesystem::path path = ResolveReportPath(site.folder, photo.file);
        const std::optional<rave::SurfaceBitmap> bitmap = decode ? decode(path) : std::nullopt;
        if (bitmap && bitmap->width > 0 && bitmap->height > 0) {
            const PaperBox fitted = FitPicture(bitmap->width, bitmap->height, box);
            canvas.Surface().StretchBitmap(*bitmap,
                                           canvas.Box(fitted.left, fitted.top, fitted.right, fitted.bottom),
                                           rave::raster_op::kCopy);
            canvas.Frame(fitted.left, fitted.top, fitted.right, fitted.bottom, 0.2);
        } else {
            canvas.Frame(box.left, box.top, box.right, box.bottom, 0.2);
            canvas.Text((box.left + box.right) / 2, (box.top + box.bottom) / 2, "画像を読めません", 9,
                        rave::text_align::kCenterBottom);
            canvas.Text((box.left + box.right) / 2, (box.top + box.bottom) / 2 + 5,
                        canvas.FitText(photo.file, 8, box.right - box.left - 4), 8,
                        rave::text_align::kCenterBottom);
        }
        const std::string caption = "写真" + std::to_string(index + 1) + "　" + photo.caption;
        canvas.Text((box.left + box.right) / 2, box.bottom + 7, canvas.FitText(caption, 9, cellWidth - 6), 9,
                    rave::text_align::kCenterBottom);
    }
}

int FindingsPageCount(const PreparedSite& site) {
    const std::size_t lines = FindingsLines(site.report.findings).size();
    return static_cast<int>((lines + kFindingsLinesPerPage - 1) / kFindingsLinesPerPage);
}

void DrawFindings(PageCanvas& canvas, const PreparedSite& site, int pageIndex) {
    double y = DrawPageTitle(canvas, "考察") + 6;
    const std::vector<std::string> lines = FindingsLines(site.report.findings);
    for (int i = 0; i < kFindingsLinesPerPage; ++i) {
        const std::size_t index = static_cast<std::size_t>(pageIndex * kFindingsLinesPerPage + i);
        if (index >= lines.size()) {
            break;
        }
        canvas.Text(20, y, lines[index], 10.5, rave::text_align::kLeftBottom);
        y += kFindingsLineHeight;
    }
}

}  // namespace site::parts
