// The plan of the site report (調査位置図): the lot and building outlines and the points in
// metres (X east, Y north) drawn at a standard scale chosen so everything fits the page's plan
// area, with a north arrow and a scale bar.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "site/page_canvas.h"
#include "site/site_report.h"

namespace site {

// A rectangle on the paper, mm from the top left corner.
struct PaperBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// The scales a plan is drawn at (1 : denominator), the largest that fits is taken.
inline constexpr double kPlanScales[] = {50,   100,  200,  250,  300,  500,   600,   1000,
                                         1500, 2000, 2500, 3000, 5000, 10000, 20000, 50000};

struct PlanLayout {
    double denominator = 100;  // 1 : denominator
    double centreX = 0;        // the plan's middle, m
    double centreY = 0;
    PaperBox box;
    // Where a place in metres lies on the paper: north up.
    double PaperX(double x) const;
    double PaperY(double y) const;
    // The place in metres under a point of the paper: where a click on the plan puts a point.
    PlanPoint ToPlan(double paperX, double paperY) const;
    double MillimetresPerMetre() const { return 1000.0 / denominator; }
};

// The largest scale of kPlanScales at which the outlines and the placed points fit inside `box`
// (a margin of 8 mm kept for the circles and labels), centred on their extent. Without anything
// placed: 1 : 100 round 0, 0.
PlanLayout LayoutPlan(const SiteReport& report, const PaperBox& box);

// The scale bar's length in metres: the largest of 1, 2, 5 x 10^n that is at most 50 mm long.
double ScaleBarMetres(const PlanLayout& layout);

// Draws the plan: outlines, each placed point as a circle with its label, the north arrow, the
// scale bar and the scale, and under the plan the points without a position. `labels` are the
// points' names in the report's order.
void DrawPlan(PageCanvas& canvas, const SiteReport& report, const std::vector<std::string>& labels,
              const PaperBox& box);

}  // namespace site
