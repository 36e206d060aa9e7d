// Laying out and drawing the plan of the site report.
#include "site/site_plan.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/format.h"

namespace site {

namespace {

constexpr double kPlanMargin = 8.0;    // mm kept free round the drawing for circles and labels
constexpr double kPointRadius = 1.8;   // mm
constexpr double kMaxScaleBar = 50.0;  // mm

struct Extent {
    double minX = std::numeric_limits<double>::max();
    double minY = std::numeric_limits<double>::max();
    double maxX = std::numeric_limits<double>::lowest();
    double maxY = std::numeric_limits<double>::lowest();
    bool empty = true;
    void Add(const PlanPoint& p) {
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
        empty = false;
    }
};

Extent ExtentOf(const SiteReport& report) {
    Extent extent;
    for (const auto* outline : {&report.lotOutline, &report.buildingOutline}) {
        for (const PlanPoint& corner : *outline) {
            extent.Add(corner);
        }
    }
    for (const ReportPoint& point : report.points) {
        if (point.position) {
            extent.Add(*point.position);
        }
    }
    return extent;
}

void DrawOutline(PageCanvas& canvas, const PlanLayout& layout, const std::vector<PlanPoint>& corners,
                 const rave::Pen& pen, const rave::Brush& brush) {
    if (corners.size() < 3) {
        return;
    }
    std::vector<rave::SurfacePoint> points;
    for (const PlanPoint& corner : corners) {
        points.push_back(canvas.At(layout.PaperX(corner.x), layout.PaperY(corner.y)));
    }
    canvas.Surface().Polygon(points, pen, brush, rave::FillMode::kAlternate);
}

void DrawNorthArrow(PageCanvas& canvas, double x, double y) {
    const std::vector<rave::SurfacePoint> arrow = {canvas.At(x, y), canvas.At(x + 4, y + 14),
                                                   canvas.At(x, y + 10), canvas.At(x - 4, y + 14)};
    canvas.Surface().Polygon(arrow, rave::Pen{rave::pen_style::kSolid, canvas.Units(0.2), rave::kBlack},
                             rave::Brush::Solid(rave::kBlack), rave::FillMode::kAlternate);
    canvas.Text(x, y - 1, "N", 12, rave::text_align::kCenterBottom, true);
}

void DrawScaleBar(PageCanvas& canvas, const PlanLayout& layout, double x, double y) {
    const double metres = ScaleBarMetres(layout);
    const double length = metres * layout.MillimetresPerMetre();
    for (int i = 0; i < 2; ++i) {
        const double left = x + length * i / 2;
        if (i == 0) {
            canvas.Fill(left, y, left + length / 2, y + 2, rave::kBlack);
        }
        canvas.Frame(left, y, left + length / 2, y + 2);
    }
    canvas.Text(x, y + 3, "0", 8, rave::text_align::kCenterTop);
    canvas.Text(x + length, y + 3, rave::FormatText("%g", metres) + "m", 8, rave::text_align::kCenterTop);
    canvas.Text(x + length + 8, y + 2, "S=1:" + rave::FormatText("%.0f", layout.denominator), 9,
                rave::text_align::kLeftBottom);
}

}  // namespace

double PlanLayout::PaperX(double x) const {
    return (box.left + box.right) / 2 + (x - centreX) * MillimetresPerMetre();
}
double PlanLayout::PaperY(double y) const {
    return (box.top + box.bottom) / 2 - (y - centreY) * MillimetresPerMetre();
}

PlanPoint PlanLayout::ToPlan(double paperX, double paperY) const {
    return {centreX + (paperX - (box.left + box.right) / 2) / MillimetresPerMetre(),
            centreY - (paperY - (box.top + box.bottom) / 2) / MillimetresPerMetre()};
}

PlanLayout LayoutPlan(const SiteReport& report, const PaperBox& box) {
    PlanLayout layout;
    layout.box = box;
    const Extent extent = ExtentOf(report);
    if (extent.empty) {
        return layout;
    }
    layout.centreX = (extent.minX + extent.maxX) / 2;
    layout.centreY = (extent.minY + extent.maxY) / 2;
    const double width = std::max(0.0, box.right - box.left - 2 * kPlanMargin);
    const double height = std::max(0.0, box.bottom - box.top - 2 * kPlanMargin);
    const double spanX = extent.maxX - extent.minX;
    const double spanY = extent.maxY - extent.minY;
    layout.denominator = kPlanScales[std::size(kPlanScales) - 1];
    for (double denominator : kPlanScales) {
        const double mmPerMetre = 1000.0 / denominator;
        if (spanX * mmPerMetre <= width && spanY * mmPerMetre <= height) {
            layout.denominator = denominator;
            break;
        }
    }
    return layout;
}

double ScaleBarMetres(const PlanLayout& layout) {
    double best = 1;
    for (double power = 0.01; power <= 1e6; power *= 10) {
        for (double step : {1.0, 2.0, 5.0}) {
            if (step * power * layout.MillimetresPerMetre() <= kMaxScaleBar + 1e-9) {
                best = step * power;
            }
        }
    }
    return best;
}

void DrawPlan(PageCanvas& canvas, const SiteReport& report, const std::vector<std::string>& labels,
              const PaperBox& box) {
    const PlanLayout layout = LayoutPlan(report, box);
    canvas.Frame(box.left, box.top, box.right, box.bottom, 0.3);
    rave::DrawingSurface& surface = canvas.Surface();
    surface.IntersectClipRect(canvas.Box(box.left, box.top, box.right, box.bottom));
    DrawOutline(canvas, layout, report.lotOutline,
                rave::Pen{rave::pen_style::kDashDot, canvas.Units(0.3), rave::kBlack}, rave::Brush::None());
    DrawOutline(canvas, layout, report.buildingOutline,
                rave::Pen{rave::pen_style::kSolid, canvas.Units(0.5), rave::kBlack},
                rave::Brush::Hatch(rave::hatch_style::kBackwardDiagonal, rave::MakeColorRef(160, 160, 160)));
    for (std::size_t i = 0; i < report.points.size(); ++i) {
        const ReportPoint& point = report.points[i];
        if (!point.position) {
            continue;
        }
        const double x = layout.PaperX(point.position->x);
        const double y = layout.PaperY(point.position->y);
        surface.Ellipse(canvas.Box(x - kPointRadius, y - kPointRadius, x + kPointRadius, y + kPointRadius),
                        rave::Pen{rave::pen_style::kSolid, canvas.Units(0.3), rave::kBlack},
                        rave::Brush::Solid(rave::kWhite));
        surface.Ellipse(canvas.Box(x - 0.7, y - 0.7, x + 0.7, y + 0.7),
                        rave::Pen{rave::pen_style::kSolid, 1, rave::kBlack},
                        rave::Brush::Solid(rave::kBlack));
        canvas.Text(x + kPointRadius + 0.8, y - kPointRadius, i < labels.size() ? labels[i] : std::string(),
                    10, rave::text_align::kLeftBottom, true);
    }
    surface.ResetClip();
    DrawNorthArrow(canvas, box.right - 12, box.top + 8);
    DrawScaleBar(canvas, layout, box.left + 8, box.bottom - 10);

    // The legend and the points the plan cannot show.
    double y = box.bottom + 7;
    canvas.Text(box.left, y, "凡例: ○ 調査位置　一点鎖線 敷地境界　斜線 建物", 9,
                rave::text_align::kLeftBottom);
    std::string unplaced;
    for (std::size_t i = 0; i < report.points.size(); ++i) {
        if (!report.points[i].position && i < labels.size()) {
            unplaced += (unplaced.empty() ? "" : "、") + labels[i];
        }
    }
    if (!unplaced.empty()) {
        y += 6;
        canvas.Text(box.left, y, canvas.FitText("位置の指定がない測点: " + unplaced, 9, box.right - box.left),
                    9, rave::text_align::kLeftBottom);
    }
}

}  // namespace site
