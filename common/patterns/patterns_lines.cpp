// Line patterns: horizontal laminae, dashes, bricks, vertical rulings, hatching and waves.
#include <algorithm>
#include <initializer_list>

#include "common/patterns/pattern_cell.h"

namespace rave::patterns {

namespace {

// Horizontal lines across the filled width, from firstY every pitch while above the bottom.
void HorizontalLines(const PatternCell& c, double firstY, double pitch) {
    int row = 0;
    for (double y = firstY; y < c.y2 && row < kMaxRows; y += pitch, ++row) {
        c.Line(c.x1, y, c.filledRight(), y);
    }
}

// A vertical line of dashes dashLength long, one every period from the top, the last cut at the
// bottom.
void DashedVertical(const PatternCell& c, double x, double dashLength, double period) {
    int dash = 0;
    for (double y = c.y1; y < c.y2 && dash < kMaxRows; y += period, ++dash) {
        c.Line(x, y, x, std::min(y + dashLength, c.y2));
    }
}

// Vertical positions from the lattice's left edge + first, every step, inside the cell.
template <typename Draw>
void EveryColumn(const PatternCell& c, double first, double step, Draw&& draw) {
    const double right = c.latticeRight() - 0.001;
    for (double x = c.latticeLeft() + first; x < right; x += step) {
        if (x > c.x1) {
            draw(x);
        }
    }
}

// One row of half-circle arcs across the cell, alternately over and under the line y: a wave of
// `count` arcs of radius r (vertical units), the first centred at first mm from the lattice's
// left edge, each next one 20 r mm to the right. `upFirst` starts with an arc over the line.
void Wave(const PatternCell& c, double y, double r, double first, int count, bool upFirst) {
    for (int k = 0; k < count; ++k) {
        const double x = c.latticeLeft() + first + k * 20.0 * r;
        if (x - 10.0 * r < c.x1 - 0.001) {
            continue;
        }
        if ((k % 2 == 0) == upFirst) {
            c.UpperHalfCircle(x, y, r);
        } else {
            c.LowerHalfCircle(x, y, r);
        }
    }
}

}  // namespace

// Silt: dashes in rows.
void DrawPattern500(const PatternCell& c) {
    const double m = c.m();
    int row = 0;
    for (double y = c.y1 + 0.0125 * m; y < c.y2 && row < kMaxRows; y += 0.025 * m, ++row) {
        for (int k = 0; k < 4; ++k) {
            const double start = c.latticeLeft() + k * 4.0 * m / 15.0;
            if (start >= c.x1 - 0.001) {
                c.Line(start, y, start + m / 5.0, y);
            }
        }
    }
}

// Clay: horizontal lines.
void DrawPattern600(const PatternCell& c) {
    HorizontalLines(c, c.y1 + 0.0125 * c.m(), 0.025 * c.m());
}

// Pairs of short vertical strokes.
void DrawPattern700(const PatternCell& c) {
    const double m = c.m();
    const double length = 0.7 * 0.025 * m;
    int row = 0;
    for (double y = c.y1; y + length < c.y2 && row < kMaxRows; y += 0.025 * m, ++row) {
        for (double ninths : {1.0, 4.0, 7.0}) {
            const double x = c.latticeLeft() + ninths * m / 9.0;
            if (x >= c.x1) {
                c.Line(x, y, x, y + length);
            }
            if (x + m / 9.0 >= c.x1) {
                c.Line(x + m / 9.0, y, x + m / 9.0, y + length);
            }
        }
    }
}

// Weathered rock: broken layers with short cracks between them.
void DrawPattern1200(const PatternCell& c) {
    const double m = c.m();
    const double unit = m / 60.0;  // vertical units; m/6 mm on paper
    static constexpr double kSegments[3][2] = {{0.04, 0.3}, {0.37, 0.63}, {0.7, 0.93}};
    int row = 0;
    for (double y = c.y1 + 0.5 * unit; y < c.y2 && row < kMaxRows; y += 3.0 * unit, ++row) {
        const double shift = row % 2 == 0 ? 0.0 : 0.05 * m;
        for (const auto& segment : kSegments) {
            const double from = c.latticeLeft() + segment[0] * m + shift;
            if (from >= c.x1) {
                c.Line(from, y, c.latticeLeft() + segment[1] * m + shift, y);
            }
        }
        for (int k = 0; k < 5; ++k) {
            const double x = c.latticeLeft() + (0.1 + 0.2 * k) * m - shift;
            const double top = y + 0.75 * unit;
            if (x >= c.x1 && top < c.y2) {
                const double lean = 0.125 * m / 6.0 * (k % 2 == 0 ? 1.0 : -1.0);
                c.SlantedStrokeInCell(x, top, x + lean, top + 1.25 * unit);
            }
        }
    }
}

// Dashes in staggered rows: four and three dashes alternately.
void DrawPattern1300(const PatternCell& c) {
    const double m = c.m();
    const double dash = 3.0 * m / 15.0;
    const double period = 4.0 * m / 15.0;
    int row = 0;
    for (double y = c.y1 + 0.0125 * m; y < c.y2 && row < kMaxRows; y += 0.0125 * m, ++row) {
        const bool four = row % 2 == 0;
        const double first = four ? 0.0 : 2.0 * m / 15.0;
        for (int k = 0; k < (four ? 4 : 3); ++k) {
            const double start = c.latticeLeft() + first + k * period;
            if (start >= c.x1 - 0.001) {
                c.Line(start, y, start + dash, y);
            }
        }
    }
}

// Gneiss: laminae with short hanging ticks, staggered from row to row.
void DrawPattern2600(const PatternCell& c) {
    const double m = c.m();
    const double pitch = 0.025 * m;
    int row = 0;
    for (double y = c.y1 + pitch; y < c.y2 && row < kMaxRows; y += pitch, ++row) {
        c.Line(c.x1, y, c.filledRight(), y);
        for (int k = (row % 2 == 0 ? 1 : 2); k < 12; k += 2) {
            const double x = c.latticeLeft() + k * m / 12.0;
            if (x > c.x1) {
                c.Tick(x, y, pitch / 3.0);
            }
        }
    }
}

// Bricks: courses with joints half a brick apart from course to course.
void DrawPattern4200(const PatternCell& c) {
    const double m = c.m();
    const double pitch = 0.025 * m;
    HorizontalLines(c, c.y1 + pitch, pitch);
    int course = 0;
    for (double top = c.y1; top < c.y2 && course < kMaxRows; top += pitch, ++course) {
        const double bottom = std::min(top + pitch, c.y2);
        EveryColumn(c, course % 2 == 0 ? m / 4.0 : m / 2.0, m / 2.0,
                    [&](double x) { c.Line(x, top, x, bottom); });
    }
}

// Cohesive soil and hard clay: dense laminae, one device unit heavier (4300 and 4800).
void DrawPattern4300(const PatternCell& c) {
    if (c.penWidth <= 0) {
        return;
    }
    PatternCell heavier = c;
    heavier.penWidth = c.penWidth + 1;
    HorizontalLines(heavier, c.y1 + 0.0125 * c.m(), 0.0125 * c.m());
}

// Fine dashed laminae whose dashes step to the right from row to row.
void DrawPattern4700(const PatternCell& c) {
    const double m = c.m();
    const double unit = m / 14.0;
    const double dash = 0.8 * 2.0 * unit;
    int row = 0;
    for (double y = c.y1 + 0.0125 * m; y < c.y2 && row < kMaxRows; y += 0.0125 * m, ++row) {
        for (double start = c.latticeLeft() + (row % 3 + 0.5) * unit;
             start + dash <= c.latticeRight() + 0.001; start += 3.0 * unit) {
            if (start >= c.x1 - 0.001) {
                c.Line(start, y, start + dash, y);
            }
        }
    }
}

// Serpentinite: wavy lines.
void DrawPattern6100(const PatternCell& c) {
    const double m = c.m();
    const double r = 0.5 * m / 70.0;
    int row = 0;
    for (double y = c.y1 + m / 70.0; y + r <= c.y2 && row < kMaxRows; y += 3.0 * m / 70.0, ++row) {
        Wave(c, y, r, m / 7.0, 6, true);
    }
}

// Crystalline schist: pairs of waves in opposite phase, closing into lenses.
void DrawPattern6200(const PatternCell& c) {
    const double m = c.m();
    const double r = 0.5 * m / 70.0;
    const double offset = 0.8 * m / 70.0;
    int row = 0;
    for (double y = c.y1 + m / 70.0; y + offset + r <= c.y2 && row < kMaxRows; y += 4.0 * m / 70.0, ++row) {
        Wave(c, y, r, m / 7.0, 6, true);
        Wave(c, y + offset, r, m / 7.0, 6, false);
    }
}

// Phyllite: a wave over a straight lamina.
void DrawPattern6300(const PatternCell& c) {
    const double m = c.m();
    const double r = 0.5 * m / 70.0;
    int row = 0;
    for (double y = c.y1 + m / 70.0; y + m / 70.0 < c.y2 && row < kMaxRows; y += 3.0 * m / 70.0, ++row) {
        Wave(c, y, r, m / 7.0, 6, true);
        const double lineY = y + m / 70.0;
        c.Line(std::max(c.x1, c.latticeLeft() + m / 14.0), lineY, c.latticeLeft() + 13.0 * m / 14.0, lineY);
    }
}

// Sawteeth standing on a base line.
void DrawPattern6400(const PatternCell& c) {
    const double m = c.m();
    const double height = 0.0125 * m;
    int row = 0;
    for (double y = c.y1 + 0.1 * height; y + height <= c.y2 && row < kMaxRows; y += 0.025 * m, ++row) {
        for (int j = 0; j < 8; ++j) {
            const double xa = c.latticeLeft() + j * m / 8.0;
            if (xa < c.x1 - 0.001) {
                continue;
            }
            const double ya = j % 2 == 0 ? y + height : y;
            const double yb = j % 2 == 0 ? y : y + height;
            c.Line(xa, ya, xa + m / 8.0, yb);
        }
        c.Line(c.x1, y + height, c.filledRight(), y + height);
    }
}

// Backfill: broken layers of weathered rock with short slanted pieces between them.
void DrawPattern8400(const PatternCell& c) {
    DrawPattern1200(c);
    const double m = c.m();
    const double unit = m / 60.0;
    const double half = 0.4 * m / 16.0;
    int row = 0;
    for (double y = c.y1 + 2.3 * unit; y < c.y2 && row < kMaxRows; y += 3.0 * unit, ++row) {
        for (int k = 0; k < 8; ++k) {
            const double x = c.latticeLeft() + (k + 0.5) * m / 8.0;
            if (x - half >= c.x1) {
                c.SlantedStrokeInCell(x + half, y - half * 0.1, x - half, y + half * 0.1);
            }
        }
    }
}

// Waste and rubble: a diagonal cross-hatch over the filled part (8500 and 1700).
void DrawPattern8500(const PatternCell& c) {
    const double m = c.m();
    const double drop = 0.1 * c.filledWidth();
    const double right = c.filledRight();
    int row = 0;
    for (double y = c.y1 - drop + 2.0 * m / 60.0; y < c.y2 && row < kMaxRows; y += 4.0 * m / 60.0, ++row) {
        c.SlantedStrokeInCell(right, y, c.x1, y + drop);
        c.SlantedStrokeInCell(c.x1, y, right, y + drop);
    }
}

// Vertical rulings.
void DrawPattern10091(const PatternCell& c) {
    EveryColumn(c, c.m() / 8.0, c.m() / 8.0, [&](double x) { c.Line(x, c.y1, x, c.y2); });
}

void DrawPattern10092(const PatternCell& c) {
    const double m = c.m();
    EveryColumn(c, 0.25 * m, 0.25 * m, [&](double x) { c.Line(x, c.y1, x, c.y2); });
    EveryColumn(c, m / 8.0, 0.25 * m, [&](double x) { DashedVertical(c, x, 0.6 * m / 60.0, m / 60.0); });
}

void DrawPattern10093(const PatternCell& c) {
    const double m = c.m();
    EveryColumn(c, m / 8.0, m / 8.0, [&](double x) { DashedVertical(c, x, 0.6 * m / 60.0, m / 60.0); });
}

// Ravesect: parallel slanted hatching.
void DrawPattern20001(const PatternCell& c) {
    const double step = 0.33 * 0.1 * c.m();
    const double drop = 0.1 * c.filledWidth();
    int row = 0;
    for (double y = c.y1 - step / 2.0; y < c.y2 && row < kMaxRows; y += step, ++row) {
        c.SlantedStrokeInCell(c.filledRight(), y, c.x1, y + drop);
    }
}

// Ravesect: slanted cross-hatching.
void DrawPattern20002(const PatternCell& c) {
    const double drop = 0.1 * c.filledWidth();
    int row = 0;
    for (double y = c.y1; y < c.y2 && row < kMaxRows; y += 0.05 * c.m(), ++row) {
        c.SlantedStrokeInCell(c.filledRight(), y, c.x1, y + drop);
        c.SlantedStrokeInCell(c.x1, y, c.filledRight(), y + drop);
    }
}

// Ravesect: widely spaced slanted hatching.
void DrawPattern20003(const PatternCell& c) {
    const double step = 0.08 * c.m();
    const double drop = 0.1 * c.filledWidth();
    int row = 0;
    for (double y = c.y1 - 0.2 * step; y < c.y2 && row < kMaxRows; y += 2.0 * step, ++row) {
        c.SlantedStrokeInCell(c.filledRight(), y, c.x1, y + drop);
    }
}

}  // namespace rave::patterns
