// Inside the soil-pattern library: the cell a pattern fills and the pen it draws with.
//
// Coordinates of a PatternCell are in pattern units: x in the mapping's world units (millimetres
// of paper on Ravelog's sheets), y in the vertical pattern unit, ten horizontal units long on paper
// (10 mm on the sheets) while a pattern is drawn. A length of "0.1 m" vertical units is therefore
// as long on paper as "m" across, which is why every slanted stroke that drops 0.1 x its width runs
// at 45 degrees.
#pragma once

#include <algorithm>

#include "common/drawing/pattern_mapping.h"
#include "common/patterns/pattern_primitives.h"

namespace rave::patterns {

// No pattern loop runs longer than this many rows (or bands), whatever the cell: a cell far
// taller than its width would otherwise ask for millions of invisible symbols.
inline constexpr int kMaxRows = 20000;

struct PatternCell {
    const MappedSurface* target = nullptr;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double fillFraction = 1.0;
    int penWidth = 1;
    ColorRef color = kBlack;
    bool firstRowShifted = false;

    // The cell width m: every spacing and symbol size is a fraction of it.
    double m() const { return x2 - x1; }
    // How far the symbol lattice is moved to the left: (1 - fillFraction) x m.
    double shift() const { return (1.0 - fillFraction) * m(); }
    // The lattice's edges: the cell moved left by shift().
    double latticeLeft() const { return x1 - shift(); }
    double latticeRight() const { return x2 - shift(); }
    // The right end of the filled part and its width.
    double filledRight() const { return x1 + fillFraction * m(); }
    double filledWidth() const { return fillFraction * m(); }
    double height() const { return y2 - y1; }

    // --- Drawing in the cell's pen ---
    void Line(double ax, double ay, double bx, double by) const {
        DrawLine(*target, ax, ay, bx, by, pen_style::kSolid, penWidth, color);
    }
    void Circle(double cx, double cy, double r) const {
        DrawCircle(*target, cx, cy, r, pen_style::kSolid, penWidth, color);
    }
    void Dot(double cx, double cy, double r) const {
        DrawFilledCircle(*target, cx, cy, r, color, pen_style::kSolid, penWidth, color);
    }
    void Ellipse(double cx, double cy, double rx, double ry) const {
        DrawEllipse(*target, cx, cy, rx, ry, pen_style::kSolid, penWidth, color);
    }
    // Counter-clockwise arc of the circle of radius r (vertical units) around (cx, cy).
    void Arc(double cx, double cy, double r, double xs, double ys, double xe, double ye) const {
        DrawArc(*target, cx, cy, r, xs, ys, xe, ye, pen_style::kSolid, penWidth, color);
    }
    // The upper half of the circle (from its right end over the top to its left end).
    void UpperHalfCircle(double cx, double cy, double r) const {
        const double across = r * 10.0;  // the radius in millimetres of paper
        Arc(cx, cy, r, cx + across, cy, cx - across, cy);
    }
    void LowerHalfCircle(double cx, double cy, double r) const {
        const double across = r * 10.0;
        Arc(cx, cy, r, cx - across, cy, cx + across, cy);
    }
    void EllipticArc(double cx, double cy, double rx, double ry, double xs, double ys, double xe,
                     double ye) const {
        DrawEllipticArc(*target, cx, cy, rx, ry, xs, ys, xe, ye, pen_style::kSolid, penWidth, color);
    }
    void Diamond(double cx, double cy, double hw, double hh) const {
        DrawDiamond(*target, cx, cy, hw, hh, pen_style::kSolid, penWidth, color);
    }
    void DiamondWithAxis(double cx, double cy, double hw, double hh) const {
        DrawDiamondWithAxis(*target, cx, cy, hw, hh, pen_style::kSolid, penWidth, color);
    }
    // A vertical stroke from y down to y + length, cut at the cell's bottom.
    void Tick(double x, double y, double length) const {
        if (y < y2) {
            Line(x, y, x, std::min(y + length, y2));
        }
    }
    // A 45-degree stroke from (xa, ya) down to (xb, yb) (yb > ya), cut at the cell's top and
    // bottom: each vertical unit cut off moves the end 10 mm along x.
    void SlantedStrokeInCell(double xa, double ya, double xb, double yb) const;
};

using PatternFunction = void (*)(const PatternCell&);

// --- The pattern families (one file each) ---
// Symbols on diagonal walks: 1-8, 10, 20, 30, 40, 50, 6800, 8600.
void DrawPattern1(const PatternCell& c);
void DrawPattern2(const PatternCell& c);
void DrawPattern3(const PatternCell& c);
void DrawPattern4(const PatternCell& c);
void DrawPattern5(const PatternCell& c);
void DrawPattern6(const PatternCell& c);
void DrawPattern7(const PatternCell& c);
void DrawPattern8(const PatternCell& c);
void DrawPattern10(const PatternCell& c);
void DrawPattern20(const PatternCell& c);
void DrawPattern30(const PatternCell& c);
void DrawPattern40(const PatternCell& c);
void DrawPattern50(const PatternCell& c);
void DrawPattern6800(const PatternCell& c);
void DrawPattern8600(const PatternCell& c);

// Grains on a grid: the grain-grid family, 100 and 6900.
void DrawPattern100(const PatternCell& c);
void DrawPattern200(const PatternCell& c);
void DrawPattern300(const PatternCell& c);
void DrawPattern400(const PatternCell& c);
void DrawPattern1400(const PatternCell& c);
void DrawPattern3300(const PatternCell& c);
void DrawPattern3400(const PatternCell& c);
void DrawPattern3500(const PatternCell& c);
void DrawPattern3600(const PatternCell& c);
void DrawPattern3800(const PatternCell& c);
void DrawPattern4400(const PatternCell& c);
void DrawPattern4500(const PatternCell& c);
void DrawPattern6900(const PatternCell& c);
void DrawPattern20100(const PatternCell& c);
void DrawPattern20400(const PatternCell& c);

// Lines, hatching and waves.
void DrawPattern500(const PatternCell& c);
void DrawPattern600(const PatternCell& c);
void DrawPattern700(const PatternCell& c);
void DrawPattern1200(const PatternCell& c);
void DrawPattern1300(const PatternCell& c);
void DrawPattern2600(const PatternCell& c);
void DrawPattern4200(const PatternCell& c);
void DrawPattern4300(const PatternCell& c);
void DrawPattern4700(const PatternCell& c);
void DrawPattern6100(const PatternCell& c);
void DrawPattern6200(const PatternCell& c);
void DrawPattern6300(const PatternCell& c);
void DrawPattern6400(const PatternCell& c);
void DrawPattern8400(const PatternCell& c);
void DrawPattern8500(const PatternCell& c);
void DrawPattern10091(const PatternCell& c);
void DrawPattern10092(const PatternCell& c);
void DrawPattern10093(const PatternCell& c);
void DrawPattern20001(const PatternCell& c);
void DrawPattern20002(const PatternCell& c);
void DrawPattern20003(const PatternCell& c);

// Small marks on a staggered lattice.
void DrawPattern800(const PatternCell& c);
void DrawPattern900(const PatternCell& c);
void DrawPattern1100(const PatternCell& c);
void DrawPattern1500(const PatternCell& c);
void DrawPattern1600(const PatternCell& c);
void DrawPattern2100(const PatternCell& c);
void DrawPattern2200(const PatternCell& c);
void DrawPattern2300(const PatternCell& c);
void DrawPattern2400(const PatternCell& c);
void DrawPattern2500(const PatternCell& c);
void DrawPattern2700(const PatternCell& c);
void DrawPattern2800(const PatternCell& c);
void DrawPattern2900(const PatternCell& c);
void DrawPattern3000(const PatternCell& c);
void DrawPattern3100(const PatternCell& c);
void DrawPattern4100(const PatternCell& c);
void DrawPattern4600(const PatternCell& c);
void DrawPattern4900(const PatternCell& c);
void DrawPattern5000(const PatternCell& c);
void DrawPattern5100(const PatternCell& c);
void DrawPattern5200(const PatternCell& c);
void DrawPattern8200(const PatternCell& c);
void DrawPattern8300(const PatternCell& c);
void DrawPattern8700(const PatternCell& c);

// The cell-wide markers 10000-10004 (kind 0-4), drawn over the whole cell.
void DrawCellMarkerStrokes(const PatternCell& c, int kind);

}  // namespace rave::patterns
