// The columns page of the site report (柱状図一覧): the soil column and the Wsw / Nsw graph of up
// to five points side by side at one depth scale, drawn by the sheets' own column and plot code,
// with the footing depth across and the self-sinking stretches marked beside each graph.
#include <algorithm>
#include <cmath>

#include "common/format.h"
#include "ravelog/report/soil_column.h"
#include "ravelog/report/standard_sheet_parts.h"
#include "ravelog/report/wsw_nsw_plot.h"
#include "site/site_page_parts.h"

namespace site::parts {

namespace {

constexpr double kPlotTop = 56.0;
constexpr double kPlotBottom = 262.0;
constexpr double kAxisRight = 27.0;
constexpr double kBlockLeft = 32.0;
constexpr double kBlockPitch = 34.0;
constexpr double kColumnWidth = 10.0;
constexpr double kGraphLinear = 16.0;  // Wsw 0..1 kN and Nsw 0..100
constexpr double kGraphLog = 6.0;      // Nsw 100..700
const rave::ColorRef kFootingColour = rave::MakeColorRef(200, 0, 0);
const rave::ColorRef kSinkingColour = rave::MakeColorRef(230, 120, 0);

// Millimetres of paper per metre of depth: the largest of the usual scales at which the deepest
// point fits the plot.
double DepthScale(double deepest) {
    for (double mmPerMetre : {20.0, 10.0, 5.0, 4.0, 2.0, 1.0, 0.5, 0.2}) {
        if (deepest * mmPerMetre <= kPlotBottom - kPlotTop) {
            return mmPerMetre;
        }
    }
    return 0.1;
}

// The step between depth labels: about every 8 mm or more.
double LabelStep(double mmPerMetre) {
    for (double step : {0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0}) {
        if (step * mmPerMetre >= 8.0) {
            return step;
        }
    }
    return 200.0;
}

}  // namespace

void DrawColumnsPage(PageCanvas& canvas, const PreparedSite& site, int pageIndex,
                     rave::MessageSink* messages) {
    DrawPageTitle(canvas, "柱状図一覧");
    rave::DrawingSurface& surface = canvas.Surface();
    // Tops at the ground, or at their elevations when asked and every point has one: then a point
    // starts `shift` metres below the highest ground.
    std::vector<double> shifts(site.points.size(), 0.0);
    std::vector<double> elevations;
    for (const PreparedPoint& point : site.points) {
        if (const std::optional<double> e = ParseReportNumber(point.summary.groundElevation)) {
            elevations.push_back(*e);
        }
    }
    const bool atElevation =
        site.report.columnsAtElevation && !elevations.empty() && elevations.size() == site.points.size();
    const double topElevation = atElevation ? *std::max_element(elevations.begin(), elevations.end()) : 0.0;
    double deepest = 1.0;
    for (std::size_t i = 0; i < site.points.size(); ++i) {
        shifts[i] = atElevation ? topElevation - elevations[i] : 0.0;
        deepest = std::max(deepest, shifts[i] + site.points[i].summary.depth);
    }
    const double mmPerMetre = DepthScale(deepest);
    // The axis runs to the next whole metre below the deepest point.
    const double axisMetres = std::min(std::ceil(deepest - 1e-9), (kPlotBottom - kPlotTop) / mmPerMetre);
    const double axisBottom = kPlotTop + axisMetres * mmPerMetre;
    const double f = site.report.footingDepth;

    canvas.Text(15, 38,
                "縦縮尺 1:" + rave::FormatText("%.0f", 1000.0 / mmPerMetre) + "　赤線: 根入れ深さ GL-" +
                    rave::FormatText("%.2f", f) + "m　橙: 自沈層 (Wsw≦1kN, 半回転なし)" +
                    (atElevation ? "　各柱状図の上端は孔口標高" : ""),
                8, rave::text_align::kLeftBottom);

    // The axis: depths below the ground, or elevations.
    canvas.Line(kAxisRight, kPlotTop, kAxisRight, axisBottom, 0.25);
    const double step = LabelStep(mmPerMetre);
    const double firstLabel = atElevation ? topElevation - std::floor(topElevation / step) * step : 0.0;
    for (double metres = firstLabel; metres <= axisMetres + 1e-9; metres += step) {
        const double y = kPlotTop + metres * mmPerMetre;
        canvas.Line(kAxisRight - 1.5, y, kAxisRight, y, 0.2);
        const double label = atElevation ? topElevation - metres : metres;
        canvas.Text(kAxisRight - 2, y + 1.2, rave::FormatText("%g", std::fabs(label) < 1e-9 ? 0.0 : label), 7,
                    rave::text_align::kRightBottom);
    }
    canvas.Text(kAxisRight - 2, kPlotTop - 3, atElevation ? "標高m" : "GL-m", 7,
                rave::text_align::kRightBottom);

    // The sheets' drawing works in millimetres through a PatternMapping; its fixed downward offset
    // is taken back so the columns meet this page's millimetres exactly.
    rave::PatternMapping mapping = rave::PatternMapping::ForDevice(surface.DpiX(), surface.DpiY(), 0.0, 0.0);
    mapping.originY = -rave::PatternMapping::kFixedOffsetY / mapping.scaleY;
    const ravelog::SheetResources resources = site.startup.Resources();

    const int first = pageIndex * kColumnsPerPage;
    const int count = std::min(kColumnsPerPage, static_cast<int>(site.points.size()) - first);
    for (int i = 0; i < count; ++i) {
        const PreparedPoint& point = site.points[static_cast<std::size_t>(first + i)];
        const double top = kPlotTop + shifts[static_cast<std::size_t>(first + i)] * mmPerMetre;
        const ravelog::DepthWindow window{0.0, axisMetres, top, top + axisMetres * mmPerMetre};
        const double left = kBlockLeft + i * kBlockPitch;
        const double graphLeft = left + kColumnWidth + 1.0;
        const double graphRight = graphLeft + kGraphLinear + kGraphLog;
        canvas.Text((left + graphRight) / 2, 46, point.summary.name, 10, rave::text_align::kCenterBottom,
                    true);
        const std::string elevation =
            point.summary.groundElevation.empty() ? "" : "標高 " + point.summary.groundElevation + "m";
        canvas.Text((left + graphRight) / 2, 50.5, elevation, 7, rave::text_align::kCenterBottom);
        canvas.Text(graphLeft, top - 1, "Wsw", 6, rave::text_align::kLeftBottom);
        canvas.Text(graphRight, top - 1, "Nsw", 6, rave::text_align::kRightBottom);

        const double bottom = window.MapY(point.summary.depth);
        ravelog::SheetContext context{surface, mapping, *point.document, resources, messages};
        surface.IntersectClipRect(canvas.Box(left, top, left + kColumnWidth, bottom));
        ravelog::DrawSoilColumn(context, left, left + kColumnWidth, window);
        surface.ResetClip();
        canvas.Frame(left, top, left + kColumnWidth, bottom, 0.2);

        // The graph's frame and guides: Wsw 0.5 and 1 kN, Nsw 50 and 100, then the log part.
        canvas.Frame(graphLeft, top, graphRight, bottom, 0.2);
        for (double fraction : {0.25, 0.5, 0.75}) {
            const double x = graphLeft + kGraphLinear * fraction;
            canvas.Line(x, top, x, bottom, 0.05, rave::pen_style::kDot);
        }
        // Self-sinking stretches as a bar along the graph's left edge.
        for (const ravelog::SelfSinkingLayer& stretch : MergeStretches(point.summary.check.layers)) {
            canvas.Fill(graphLeft - 1.0, window.MapY(stretch.from), graphLeft, window.MapY(stretch.to),
                        kSinkingColour);
        }
        surface.IntersectClipRect(canvas.Box(graphLeft, top, graphRight, bottom));
        ravelog::DrawWswNswPlot(
            context, ravelog::WswNswChart{graphLeft, graphLeft + kGraphLinear, graphRight, window});
        surface.ResetClip();
        canvas.Text((left + graphRight) / 2, bottom + 4, rave::FormatText("%.2f", point.summary.depth) + "m",
                    7, rave::text_align::kCenterBottom);
        // The footing depth across the point (one line across the page when tops are at the ground).
        const double footingY = window.MapY(f);
        const double lineLeft = atElevation ? left - 1 : (i == 0 ? kAxisRight : graphRight + 1 - kBlockPitch);
        canvas.Line(lineLeft, footingY, graphRight + 1, footingY, 0.35, rave::pen_style::kDash,
                    kFootingColour);
        if (!point.summary.lastRemark.empty()) {
            canvas.Text((left + graphRight) / 2, bottom + 7.5,
                        canvas.FitText(point.summary.lastRemark, 7, 30), 7, rave::text_align::kCenterBottom);
        }
    }
}

}  // namespace site::parts
