// Patterns whose symbols stand on diagonal walks: each row starts near the right edge and every
// next symbol stands one step to the left and one tenth of that step lower (45 degrees on
// paper). The adjective patterns 1-8, the admixture patterns 10-50, and 6800 and 8600.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/patterns/pattern_cell.h"

namespace rave::patterns {

namespace {

struct Walk {
    double firstY = 0;    // the start of the first row
    double rowPitch = 0;  // from one row start to the next
    double startX = 0;    // x of the first symbol of each row
    double stepX = 0;     // leftwards, per symbol
    double stepY = 0;     // downwards, per symbol
    int maxSymbols = 0;   // per row
    double bottom = 0;    // no symbol below this
};

// Calls symbol(x, y, row) for every point of the walk.
template <typename Symbol>
void WalkRows(const Walk& walk, Symbol&& symbol) {
    int row = 0;
    for (double rowY = walk.firstY; rowY <= walk.bottom && row < kMaxRows; rowY += walk.rowPitch, ++row) {
        double x = walk.startX;
        double y = rowY;
        for (int k = 0; k < walk.maxSymbols && y <= walk.bottom; ++k) {
            symbol(x, y, row);
            x -= walk.stepX;
            y += walk.stepY;
        }
    }
}

// The first-row offset of patterns 1, 2, 3, 7 and 8, in units of m/60.
double FirstRowFactor(const PatternCell& c) {
    return c.firstRowShifted ? 4.25 : 0.5;
}
// The first-row offset of patterns 4, 5 and 6.
double ShiftedStart(const PatternCell& c) {
    return c.firstRowShifted ? 3.75 * c.m() / 60.0 : 0.0;
}

// A point on the ray from (cx, cy) at angleDegrees (counter-clockwise from the right, as seen on
// paper), for arcs. The vertical unit is ten times the horizontal one.
struct RayPoint {
    double x, y;
};
RayPoint Ray(double cx, double cy, double angleDegrees) {
    const double a = angleDegrees * std::numbers::pi / 180.0;
    return {cx + std::cos(a), cy - std::sin(a) / 10.0};
}

}  // namespace

// Dots.
void DrawPattern1(const PatternCell& c) {
    const double m = c.m();
    const double across = m / 6.0;
    const double radius = m / 130.0;
    const double leftLimit = c.x1 + m / 13.0;
    Walk walk;
    walk.firstY = c.y1 + across * 0.1 * FirstRowFactor(c);
    walk.rowPitch = 0.13 * m;
    walk.startX = c.latticeRight() - across / 2.0;
    walk.stepX = across;
    walk.stepY = across * 0.1;
    walk.maxSymbols = 6;
    walk.bottom = c.y2 - radius;
    WalkRows(walk, [&](double x, double y, int) {
        if (x >= leftLimit) {
            c.Dot(x, y, radius);
        }
    });
}

// Circles with a diamond inside.
void DrawPattern2(const PatternCell& c) {
    const double m = c.m();
    const double radius = m / 16.0 * 0.1;
    const double leftLimit = c.x1 + m / 16.0;
    Walk walk;
    walk.firstY = c.y1 + m / 60.0 * FirstRowFactor(c);
    walk.rowPitch = 0.13 * m;
    walk.startX = c.latticeRight() - m / 12.0;
    walk.stepX = m / 6.0;
    walk.stepY = m / 60.0;
    walk.maxSymbols = 6;
    walk.bottom = c.y2 - radius;
    WalkRows(walk, [&](double x, double y, int) {
        if (x >= leftLimit && x > c.latticeLeft()) {
            c.Circle(x, y, radius);
            c.Diamond(x, y, 0.6 * m / 16.0, 0.6 * radius);
        }
    });
}

// Small diamonds.
void DrawPattern3(const PatternCell& c) {
    const double m = c.m();
    const double leftLimit = c.x1 + m / 24.0;
    Walk walk;
    walk.firstY = c.y1 + m / 60.0 * FirstRowFactor(c);
    walk.rowPitch = 0.13 * m;
    walk.startX = c.latticeRight() - m / 16.0;
    walk.stepX = m / 8.0;
    walk.stepY = m / 80.0;
    walk.maxSymbols = 8;
    walk.bottom = c.y2 - m / 240.0;
    WalkRows(walk, [&](double x, double y, int) {
        if (x >= leftLimit) {
            c.Diamond(x, y, m / 24.0, m / 240.0);
        }
    });
}

// Short slanted strokes.
void DrawPattern4(const PatternCell& c) {
    const double m = c.m();
    Walk walk;
    walk.firstY = c.y1 + ShiftedStart(c);
    walk.rowPitch = 0.13 * m;
    walk.startX = c.latticeRight();
    walk.stepX = m / 6.0;
    walk.stepY = m / 60.0;
    walk.maxSymbols = 6;
    walk.bottom = c.y2;
    WalkRows(walk, [&](double x, double y, int) {
        const double leftEnd = x - 0.7 * m / 6.0;
        if (leftEnd >= c.x1) {
            c.SlantedStrokeInCell(x, y, leftEnd, y + 0.7 * m / 60.0);
        }
    });
}

// Long slanted strokes across the filled part.
void DrawPattern5(const PatternCell& c) {
    const double m = c.m();
    const double right = c.latticeRight();
    int row = 0;
    for (double y = c.y1 + ShiftedStart(c); y < c.y2 && row < kMaxRows; y += 0.13 * m, ++row) {
        c.SlantedStrokeInCell(right, y, c.x1, y + 0.1 * c.filledWidth());
    }
}

// Pairs of ticks.
void DrawPattern6(const PatternCell& c) {
    const double m = c.m();
    Walk walk;
    walk.firstY = c.y1 + ShiftedStart(c);
    walk.rowPitch = 0.13 * m;
    walk.startX = c.latticeRight() - m / 12.0;
    walk.stepX = m / 6.0;
    walk.stepY = m / 60.0;
    walk.maxSymbols = 6;
    walk.bottom = c.y2;
    WalkRows(walk, [&](double x, double y, int) {
        if (x >= c.x1) {
            c.Tick(x - m / 22.0, y, 0.75 * m / 60.0);
            c.Tick(x + m / 22.0, y, 0.75 * m / 60.0);
        }
    });
}

// Small stars of four strokes through a point (volcanic ash and pumice grains).
void DrawPattern7(const PatternCell& c) {
    const double m = c.m();
    const double across = m / 6.0;
    const double half = 0.25 * across;  // half-length of the horizontal stroke, mm
    const double halfDiagonal = 0.2 * across;
    Walk walk;
    walk.firstY = c.y1 + across * 0.1 * FirstRowFactor(c);
    walk.rowPitch = 0.13 * m;
    walk.startX = c.latticeRight() - across / 2.0;
    walk.stepX = across;
    walk.stepY = across * 0.1;
    walk.maxSymbols = 6;
    walk.bottom = c.y2 - half * 0.1;
    WalkRows(walk, [&](double x, double y, int) {
        if (x - half < c.x1) {
            return;
        }
        c.Line(x - half, y, x + half, y);
        c.Line(x, y - half * 0.1, x, y + half * 0.1);
        c.Line(x - halfDiagonal, y - halfDiagonal * 0.1, x + halfDiagonal, y + halfDiagonal * 0.1);
        c.Line(x - halfDiagonal, y + halfDiagonal * 0.1, x + halfDiagonal, y - halfDiagonal * 0.1);
    });
}

// Shells: an ellipse with a small diamond standing in its lowest point.
void DrawPattern8(const PatternCell& c) {
    const double m = c.m();
    const double rx = m / 14.0;
    const double ry = 0.14 * m / 14.0;
    Walk walk;
    // The first row stands at least one half-axis below the top, so no shell sticks out of it.
    walk.firstY = c.y1 + std::max(m / 60.0 * FirstRowFactor(c), ry);
    walk.rowPitch = 0.13 * m;
    walk.startX = c.latticeRight() - m / 12.0;
    walk.stepX = m / 6.0;
    walk.stepY = m / 60.0;
    walk.maxSymbols = 6;
    walk.bottom = c.y2 - ry;
    const double leftLimit = c.x1 + m / 26.0;
    WalkRows(walk, [&](double x, double y, int) {
        if (x >= leftLimit) {
            c.Ellipse(x, y, rx, ry);
            c.Diamond(x, y + ry - m / 260.0, m / 26.0, m / 260.0);
        }
    });
}

// Diagonal bands of small diamonds.
void DrawPattern10(const PatternCell& c) {
    const double m = c.m();
    const double hw = m / 24.0;
    const double hh = m / 240.0;
    const double bottom = c.y2 - hh;
    const double leftLimit = c.x1 + hw;
    const double right = c.latticeRight();
    int band = 0;
    for (double bandY = c.y1 + 0.0125 * m; bandY <= bottom && band < kMaxRows; bandY += 0.13 * m, ++band) {
        double reference = right - m / 22.0;
        double y = bandY;
        while (reference >= c.latticeLeft() - 4.0 * m / 11.0 && y <= bottom) {
            for (int j = 0; j < 3; ++j) {
                const double x = reference + j * 2.0 * m / 11.0;
                if (x > leftLimit && x < right) {
                    c.Diamond(x, y, hw, hh);
                }
            }
            reference -= m / 11.0;
            y += m / 110.0;
        }
    }
}

// Short strokes leaning the other way, on diagonal rows.
void DrawPattern20(const PatternCell& c) {
    const double m = c.m();
    const double across = m / 8.0;
    Walk walk;
    walk.firstY = c.y1;
    walk.rowPitch = 0.13 * m;
    walk.startX = c.latticeRight() - across;
    walk.stepX = across;
    walk.stepY = across * 0.1;
    walk.maxSymbols = 8;
    walk.bottom = c.y2;
    WalkRows(walk, [&](double x, double y, int) {
        if (x >= c.x1) {
            c.SlantedStrokeInCell(x, y, x + 0.75 * across, y + 0.75 * across * 0.1);
        }
    });
}

// Groups of three long slanted strokes.
void DrawPattern30(const PatternCell& c) {
    const double m = c.m();
    const double right = c.filledRight();
    const double drop = 0.1 * c.filledWidth();
    int group = 0;
    for (double y = c.y1 + m / 80.0; y < c.y2 && group < kMaxRows; y += 0.13 * m, ++group) {
        for (int j = 0; j < 3; ++j) {
            const double ys = y + j * m / 80.0;
            c.SlantedStrokeInCell(right, ys, c.x1, ys + drop);
        }
    }
}

// Ticks on diagonal rows.
void DrawPattern40(const PatternCell& c) {
    const double m = c.m();
    const double right = c.filledRight();
    const double block = m / 6.0;
    const double tick = 0.75 * m / 60.0;
    int row = 0;
    for (double rowY = c.y1 + m / 60.0; rowY < c.y2 && row < kMaxRows; rowY += 0.13 * m, ++row) {
        double start = right - block;
        double y = rowY;
        while (start >= c.x1 - block - 0.001 && y < c.y2) {
            const auto pair = [&](double first, double second) {
                if (first >= c.x1 && second < right) {
                    c.Tick(first, y, tick);
                    c.Tick(second, y, tick);
                }
            };
            pair(start + m / 36.0, start + 4.0 * m / 36.0);
            pair(start + 8.0 * m / 36.0, start + 11.0 * m / 36.0);
            start -= block;
            y += m / 60.0;
        }
    }
}

// Gravel admixture: small angular pebbles (quadrilaterals) on diagonal rows.
void DrawPattern50(const PatternCell& c) {
    const double m = c.m();
    const double across = m / 6.0;
    const double s = 0.2 * across;  // half-width of a pebble, mm
    const double v = 0.1 * s;       // the same length in vertical units
    Walk walk;
    walk.firstY = c.y1 + 2.0 * v;
    walk.rowPitch = 0.13 * m;
    walk.startX = c.latticeRight() - across / 2.0;
    walk.stepX = across;
    walk.stepY = across * 0.1;
    walk.maxSymbols = 6;
    walk.bottom = c.y2 - 0.9 * v;
    WalkRows(walk, [&](double x, double y, int row) {
        if (x - s < c.x1) {
            return;
        }
        // Every other row turns the pebbles over, so they do not look stamped.
        const double turn = row % 2 == 0 ? 1.0 : -1.0;
        const double px[4] = {x - s, x - 0.3 * s, x + s, x + 0.4 * s};
        const double py[4] = {y + 0.2 * v * turn, y - 0.9 * v * turn, y - 0.3 * v * turn, y + 0.9 * v * turn};
        for (int j = 0; j < 4; ++j) {
            c.Line(px[j], py[j], px[(j + 1) % 4], py[(j + 1) % 4]);
        }
    });
}

// Shells: a ring in a ring between two brackets, on a staggered lattice.
void DrawPattern6800(const PatternCell& c) {
    const double m = c.m();
    const double r = 0.6 * m / 60.0;  // outer ring, vertical units
    const double bracket = 1.5 * r;
    const double left = c.latticeLeft();
    const double pitch = 3.0 * m / 60.0;
    int row = 0;
    for (double y = c.y1 + 2.2 * r; y + bracket <= c.y2 && row < kMaxRows; y += pitch, ++row) {
        const bool three = row % 2 == 0;
        const int count = three ? 3 : 2;
        for (int k = 0; k < count; ++k) {
            const double x = left + (three ? (1.0 + 2.0 * k) * m / 6.0 : (k + 1) * m / 3.0);
            if (x - bracket * 10.0 < c.x1) {
                continue;
            }
            c.Circle(x, y, r);
            c.Circle(x, y, 0.5 * r);
            const RayPoint rightStart = Ray(x, y, -45), rightEnd = Ray(x, y, 45);
            const RayPoint leftStart = Ray(x, y, 135), leftEnd = Ray(x, y, 225);
            c.Arc(x, y, bracket, rightStart.x, rightStart.y, rightEnd.x, rightEnd.y);
            c.Arc(x, y, bracket, leftStart.x, leftStart.y, leftEnd.x, leftEnd.y);
        }
    }
}

// Crushed stone: small angular fragments (triangles), scattered on diagonal rows.
void DrawPattern8600(const PatternCell& c) {
    const double m = c.m();
    const double across = m / 6.0;
    const double s = 0.4 * across;  // half-width of a fragment, mm
    const double v = 0.1 * s;       // the same in vertical units
    int row = 0;
    for (double rowY = c.y1 + 0.6 * v; rowY + 0.5 * v <= c.y2 && row < kMaxRows;
         rowY += 0.13 * m / 2.0, ++row) {
        double x = c.latticeRight() - (row % 2 == 0 ? 0.5 : 1.5) * across;
        double y = rowY;
        for (int k = 0; k < 3 && y + 0.5 * v <= c.y2; ++k) {
            if (x - s >= c.x1) {
                const double turn = (row + k) % 2 == 0 ? 1.0 : -1.0;
                c.Line(x - s, y + 0.5 * v, x + 0.1 * s * turn, y - 0.6 * v);
                c.Line(x + 0.1 * s * turn, y - 0.6 * v, x + s, y + 0.4 * v);
                c.Line(x + s, y + 0.4 * v, x - s, y + 0.5 * v);
            }
            x -= 2.0 * across;
            y += 2.0 * across * 0.1;
        }
    }
}

}  // namespace rave::patterns
