// Grain patterns: circles and diamonds on a grid (gravel, sand and their rocks), the paired
// cobbles of 100 and the flat pebbles of 6900.
#include <algorithm>
#include <cmath>

#include "common/patterns/pattern_cell.h"

namespace rave::patterns {

namespace {

// The seven numbers of one member of the grain-grid family.
struct GrainGrid {
    double columnDivisor;  // H: column unit h = m / H
    double rowDivisor;     // R: row unit w = 0.1 m / R
    double columnStep;     // S: columns h * S apart
    double rowStep;        // T: rows w * T apart
    double sizeDivisor;    // D: half-height 0.1 m / D, half-width m / D
    int evenCount;         // symbols on even rows (the only count of a plain grid)
    int oddCount;          // symbols on odd rows of a staggered grid
    bool staggered;
    bool diamondWithAxis;  // F
};

// A circle of radius r (vertical units) around (x, y); the part right of `right` is left out, so
// a grain that the lattice puts across the cell's right edge shows as the arc inside the cell.
void CircleUpTo(const PatternCell& c, double x, double y, double r, double right) {
    const double across = r * 10.0;
    if (x + across <= right) {
        c.Circle(x, y, r);
        return;
    }
    const double dx = right - x;
    if (dx <= -across) {
        return;
    }
    const double dy = std::sqrt(std::max(0.0, across * across - dx * dx)) / 10.0;
    // Counter-clockwise from the upper crossing over the top and the left to the lower one.
    c.Arc(x, y, r, right, y - dy, right, y + dy);
}

void DrawGrainGrid(const PatternCell& c, const GrainGrid& g) {
    const double m = c.m();
    const double h = m / g.columnDivisor;
    const double w = 0.1 * m / g.rowDivisor;
    const double a = 0.1 * m / g.sizeDivisor;
    const double halfWidth = m / g.sizeDivisor;
    const double columnStep = h * g.columnStep;
    const double rowStep = w * g.rowStep;
    const double bottom = c.y2 - a;
    const double left = c.latticeLeft();
    int row = 0;
    for (double y = c.y1 + std::max(2.0 * a, w); y < bottom && row < kMaxRows; y += rowStep, ++row) {
        const bool odd = g.staggered && row % 2 == 1;
        const int count = odd ? g.oddCount : g.evenCount;
        double x = left + (odd ? 1.8 * h : h);
        for (int k = 0; k < count; ++k, x += columnStep) {
            // The whole grain stays in the cell (the lattice may be shifted left of it).
            if (!(x > c.x1) || x - halfWidth < c.x1 - 0.001) {
                continue;
            }
            if (g.diamondWithAxis) {
                c.DiamondWithAxis(x, y, halfWidth, a);
                if (g.sizeDivisor <= 22) {
                    c.Circle(x, y, 0.8 * a);
                }
            } else if (g.sizeDivisor >= 20) {
                c.Diamond(x, y, halfWidth, a);
            } else {
                CircleUpTo(c, x, y, a, c.latticeRight());
            }
        }
    }
}

}  // namespace

// clang-format off
void DrawPattern200(const PatternCell& c)   { DrawGrainGrid(c, {8, 8, 2, 2, 13, 4, 4, false, false}); }
void DrawPattern300(const PatternCell& c)   { DrawGrainGrid(c, {6, 8, 2, 1, 24, 3, 2, true, true}); }
void DrawPattern400(const PatternCell& c)   { DrawGrainGrid(c, {8, 6, 2, 1, 24, 4, 4, false, true}); }
void DrawPattern1400(const PatternCell& c)  { DrawGrainGrid(c, {10.5, 6, 2, 1, 26, 5, 5, true, true}); }
void DrawPattern3300(const PatternCell& c)  { DrawGrainGrid(c, {6, 8, 2, 2, 10, 3, 2, true, false}); }
void DrawPattern3400(const PatternCell& c)  { DrawGrainGrid(c, {6.5, 8, 2, 2, 11, 3, 3, true, false}); }
void DrawPattern3500(const PatternCell& c)  { DrawGrainGrid(c, {8.5, 8, 2, 2, 13, 4, 4, true, false}); }
void DrawPattern3600(const PatternCell& c)  { DrawGrainGrid(c, {6.5, 8, 2, 2, 20, 3, 3, true, true}); }
void DrawPattern3800(const PatternCell& c)  { DrawGrainGrid(c, {8.5, 6, 2, 1, 22, 4, 4, true, true}); }
void DrawPattern4400(const PatternCell& c)  { DrawGrainGrid(c, {7, 12, 1, 2, 26, 6, 6, false, true}); }
void DrawPattern4500(const PatternCell& c)  { DrawGrainGrid(c, {8, 8, 2, 2, 26, 4, 3, true, true}); }
void DrawPattern20100(const PatternCell& c) { DrawGrainGrid(c, {6.6, 4, 2.3, 0.75, 10, 3, 2, true, false}); }
void DrawPattern20400(const PatternCell& c) { DrawGrainGrid(c, {2, 3, 1, 3, 3, 1, 1, true, false}); }
// clang-format on

// Cobbles: two circles a row, rows alternating between two positions.
void DrawPattern100(const PatternCell& c) {
    const double m = c.m();
    const double r = 0.01 * m;
    const double left = c.latticeLeft();
    int row = 0;
    for (double y = c.y1 + 0.0125 * m; y < c.y2 && row < kMaxRows; y += 0.025 * m, ++row) {
        const double first = row % 2 == 0 ? 2.0 : 4.0;
        for (double ninths : {first, first + 4.0}) {
            const double x = left + ninths * m / 9.0;
            if (x - r * 10.0 < c.x1) {
                continue;
            }
            if (y + r > c.y2) {
                c.UpperHalfCircle(x, y, r);
            } else {
                c.Circle(x, y, r);
            }
        }
    }
}

// Flat pebbles, rows alternating between two positions.
void DrawPattern6900(const PatternCell& c) {
    const double m = c.m();
    const double h = m / 3.0;
    const double w = 0.1 * m / 8.0;
    const double rx = m / 6.0;
    const double ry = 0.09 * m / 6.0;
    const double rowStep = w * 2.0;
    const double bottom = c.y2 - 0.1 * m / 6.0;
    const double left = c.latticeLeft();
    int row = 0;
    for (double y = c.y1 + std::max(0.1 * m / 8.0, 2.0 * ry); y < bottom && row < kMaxRows;
         y += rowStep, ++row) {
        const double x = left + (row % 2 == 0 ? 2.2 * h : h);
        if (!(x - rx >= c.x1 - 0.001)) {
            continue;
        }
        if (y + ry > bottom) {
            c.EllipticArc(x, y, rx, ry, x + rx, y, x - rx, y);
        } else {
            c.Ellipse(x, y, rx, ry);
        }
    }
}

}  // namespace rave::patterns
