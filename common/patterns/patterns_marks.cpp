// Patterns of small marks on a staggered lattice: rows alternate between two sets of positions
// (three marks, then two between them), each mark drawn in a small box.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <span>

#include "common/patterns/pattern_cell.h"

namespace rave::patterns {

namespace {

// The box of one mark: x in mm, y in vertical units.
struct Box {
    double left, top, right, bottom;
    double cx() const { return (left + right) / 2.0; }
    double cy() const { return (top + bottom) / 2.0; }
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

struct Lattice {
    double firstTop;               // top of the first row's boxes
    double pitch;                  // from row to row
    double halfWidth;              // of a box, mm
    double height;                 // of a box, vertical units
    std::span<const double> even;  // mark centres of even rows, fractions of m from the lattice's left edge
    std::span<const double> odd;
};

constexpr double kThreeMarks[] = {1.0 / 6.0, 0.5, 5.0 / 6.0};
constexpr double kTwoMarks[] = {1.0 / 3.0, 2.0 / 3.0};

// Calls mark(box, row) for every mark; a mark whose box would start left of the cell is left
// out, and rows stop where a box would reach the bottom.
template <typename Mark>
void DrawLattice(const PatternCell& c, const Lattice& lattice, Mark&& mark) {
    const double m = c.m();
    int row = 0;
    for (double top = lattice.firstTop; top + lattice.height < c.y2 && row < kMaxRows;
         top += lattice.pitch, ++row) {
        for (double fraction : (row % 2 == 0 ? lattice.even : lattice.odd)) {
            const double x = c.latticeLeft() + fraction * m;
            if (x - lattice.halfWidth < c.x1 - 0.001) {
                continue;
            }
            mark(Box{x - lattice.halfWidth, top, x + lattice.halfWidth, top + lattice.height}, row);
        }
    }
}

// The small-mark lattice: rows every 0.025 m, boxes of half-width u = 0.4 m/6, as tall on paper
// as they are wide.
Lattice SmallMarkLattice(const PatternCell& c) {
    const double u = 0.4 * c.m() / 6.0;
    return {c.y1 + 0.00625 * c.m(), 0.025 * c.m(), u, 2.0 * 0.1 * u, kThreeMarks, kTwoMarks};
}

// The same rows with the positions swapped: the gaps between the marks of the small-mark lattice.
Lattice GapLattice(const PatternCell& c, double halfWidth, double height) {
    Lattice lattice = SmallMarkLattice(c);
    lattice.halfWidth = halfWidth;
    lattice.firstTop += (lattice.height - height) / 2.0;
    lattice.height = height;
    lattice.even = kTwoMarks;
    lattice.odd = kThreeMarks;
    return lattice;
}

template <typename Mark>
void DrawSmallMarks(const PatternCell& c, Mark&& mark) {
    DrawLattice(c, SmallMarkLattice(c), [&](const Box& b, int) { mark(b); });
}

// Triangles of 1100, 5100, 5200 and 8100: apex on the row line, base 0.0125 m lower, 2 x 0.6 x m/6
// wide; rows alternate between three marks from m/6 and two from m/3, m/3 apart. `pointDown`
// turns them upside down.
void DrawTriangles(const PatternCell& c, bool pointDown) {
    const double m = c.m();
    const double height = 0.0125 * m;
    const double half = 0.6 * m / 6.0;
    const double bottom = c.y2 - height;
    int row = 0;
    for (double y = c.y1 + 0.00625 * m; y <= bottom && row < kMaxRows; y += 0.025 * m, ++row) {
        const bool three = row % 2 == 0;
        for (int k = 0; k < (three ? 3 : 2); ++k) {
            const double x = c.latticeLeft() + (three ? m / 6.0 : m / 3.0) + k * m / 3.0;
            const double apexY = pointDown ? y + height : y;
            const double baseY = pointDown ? y : y + height;
            const double baseLeft = x - half;
            if (x + half < c.x1) {
                continue;
            }
            if (baseLeft >= c.x1) {
                c.Line(x, apexY, baseLeft, baseY);
            }
            if (x >= c.x1) {
                c.Line(x, apexY, x + half, baseY);
            }
            c.Line(std::max(baseLeft, c.x1), baseY, x + half, baseY);
        }
    }
}

struct Point {
    double x, y;
};
// A point at angleDegrees (counter-clockwise from the right, as seen on paper) on a circle of
// radius r mm around (cx, cy).
Point OnCircle(double cx, double cy, double r, double angleDegrees) {
    const double a = angleDegrees * std::numbers::pi / 180.0;
    return {cx + r * std::cos(a), cy - r * std::sin(a) / 10.0};
}

}  // namespace

// Peat: wave marks, a crest and a trough side by side, four and three to a row.
void DrawPattern800(const PatternCell& c) {
    const double m = c.m();
    const double radius = 0.11 * m / 2.0;  // of one arc, mm
    const double r = radius * 0.1;         // the same in vertical units
    int row = 0;
    for (double y = c.y1 + 0.0125 * m; y + r <= c.y2 && row < kMaxRows; y += 3.0 * 0.0125 * m, ++row) {
        const bool four = row % 2 == 0;
        for (int k = 0; k < (four ? 4 : 3); ++k) {
            const double x = c.latticeLeft() + (four ? (k + 0.5) : (k + 1.0)) * m / 4.0;
            if (x - 2.0 * radius < c.x1 - 0.001) {
                continue;
            }
            c.UpperHalfCircle(x - radius, y, r);
            c.LowerHalfCircle(x + radius, y, r);
        }
    }
}

// Black volcanic soil: three short vertical strokes side by side.
void DrawPattern900(const PatternCell& c) {
    const double m = c.m();
    Lattice lattice = SmallMarkLattice(c);
    lattice.halfWidth = 0.5 * m / 6.0;
    lattice.height = 0.0125 * m;
    DrawLattice(c, lattice, [&](const Box& b, int) {
        for (double f : {0.3, 0.5, 0.7}) {
            const double x = b.left + f * b.width();
            c.Line(x, b.top, x, b.bottom);
        }
    });
}

// Breccia: triangles (also 8100).
void DrawPattern1100(const PatternCell& c) {
    DrawTriangles(c, false);
}

// Pairs of diamonds.
void DrawPattern1500(const PatternCell& c) {
    const double m = c.m();
    const double hw = m / 24.0;
    const double offset = 2.0 * 0.6 * hw;
    Lattice lattice = SmallMarkLattice(c);
    lattice.halfWidth = offset + hw;
    lattice.height = 2.0 * 0.1 * hw;
    DrawLattice(c, lattice, [&](const Box& b, int) {
        c.Diamond(b.cx() - offset, b.cy(), hw, 0.1 * hw);
        c.Diamond(b.cx() + offset, b.cy(), hw, 0.1 * hw);
    });
}

// A diamond in a circle.
void DrawPattern1600(const PatternCell& c) {
    const double m = c.m();
    const double r = 0.1 * m / 12.0;
    Lattice lattice = SmallMarkLattice(c);
    lattice.halfWidth = m / 12.0;
    lattice.height = 2.0 * r;
    DrawLattice(c, lattice, [&](const Box& b, int) {
        c.Circle(b.cx(), b.cy(), r);
        c.Diamond(b.cx(), b.cy(), m / 26.0, 0.1 * m / 26.0);
    });
}

// Granite: plus signs.
void DrawPattern2100(const PatternCell& c) {
    DrawSmallMarks(c, [&](const Box& b) {
        c.Line(b.cx(), b.top, b.cx(), b.bottom);
        c.Line(b.left, b.cy(), b.right, b.cy());
    });
}

// Plus signs with small diamonds between them.
void DrawPattern2200(const PatternCell& c) {
    DrawPattern2100(c);
    const double hw = 0.5 * 0.4 * c.m() / 6.0;
    DrawLattice(c, GapLattice(c, hw, 2.0 * 0.1 * hw),
                [&](const Box& b, int) { c.Diamond(b.cx(), b.cy(), hw, 0.1 * hw); });
}

// Crosses.
void DrawPattern2300(const PatternCell& c) {
    DrawSmallMarks(c, [&](const Box& b) {
        c.Line(b.left, b.top, b.right, b.bottom);
        c.Line(b.right, b.top, b.left, b.bottom);
    });
}

// Two uprights and a bar.
void DrawPattern2400(const PatternCell& c) {
    DrawSmallMarks(c, [&](const Box& b) {
        const double third = b.width() / 6.0;  // u / 3
        c.Line(b.cx() - third, b.top, b.cx() - third, b.bottom);
        c.Line(b.cx() + third, b.top, b.cx() + third, b.bottom);
        c.Line(b.left, b.cy(), b.right, b.cy());
    });
}

// Two uprights in a box.
void DrawPattern2500(const PatternCell& c) {
    DrawSmallMarks(c, [&](const Box& b) {
        const double third = b.width() / 6.0;
        c.Line(b.cx() - third, b.top, b.cx() - third, b.bottom);
        c.Line(b.cx() + third, b.top, b.cx() + third, b.bottom);
        c.Line(b.left, b.top, b.right, b.top);
        c.Line(b.right, b.top, b.right, b.bottom);
        c.Line(b.right, b.bottom, b.left, b.bottom);
        c.Line(b.left, b.bottom, b.left, b.top);
    });
}

void DrawPattern2700(const PatternCell& c) {
    DrawSmallMarks(c, [&](const Box& b) {
        c.Line(b.cx(), b.top, b.cx(), b.bottom);
        c.Line(b.left, b.top, b.right, b.top);
    });
}

void DrawPattern2800(const PatternCell& c) {
    DrawSmallMarks(c, [&](const Box& b) {
        c.Line(b.cx(), b.top, b.cx(), b.bottom);
        c.Line(b.left, b.bottom, b.right, b.bottom);
    });
}

void DrawPattern2900(const PatternCell& c) {
    DrawSmallMarks(c, [&](const Box& b) {
        c.Line(b.left, b.top, b.left, b.bottom);
        c.Line(b.left, b.bottom, b.right, b.bottom);
    });
}

// Tuff: V marks.
void DrawPattern3000(const PatternCell& c) {
    DrawSmallMarks(c, [&](const Box& b) {
        c.Line(b.cx(), b.bottom, b.left, b.top);
        c.Line(b.cx(), b.bottom, b.right, b.top);
    });
}

void DrawPattern3100(const PatternCell& c) {
    DrawSmallMarks(c, [&](const Box& b) {
        c.Line(b.cx(), b.top, b.left, b.bottom);
        c.Line(b.cx(), b.top, b.right, b.bottom);
    });
}

// Small squares.
void DrawPattern4100(const PatternCell& c) {
    Lattice lattice = SmallMarkLattice(c);
    lattice.halfWidth /= 1.1;
    lattice.firstTop += (lattice.height - 2.0 * 0.1 * lattice.halfWidth) / 2.0;
    lattice.height = 2.0 * 0.1 * lattice.halfWidth;
    DrawLattice(c, lattice, [&](const Box& b, int) {
        c.Line(b.left, b.top, b.right, b.top);
        c.Line(b.right, b.top, b.right, b.bottom);
        c.Line(b.right, b.bottom, b.left, b.bottom);
        c.Line(b.left, b.bottom, b.left, b.top);
    });
}

// Laminae with diamonds in the courses between them.
void DrawPattern4600(const PatternCell& c) {
    const double m = c.m();
    const double pitch = 0.025 * m;
    const double hw = m / 26.0;
    int course = 0;
    for (double top = c.y1; top < c.y2 && course < kMaxRows; top += pitch, ++course) {
        if (top > c.y1) {
            c.Line(c.x1, top, c.filledRight(), top);
        }
        const double cy = top + 0.5 * pitch;
        if (cy + 0.1 * hw > c.y2) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            const double x = c.latticeLeft() + (2.0 * k + 1.0 + course % 2) * m / 7.0;
            if (x - hw >= c.x1) {
                c.Diamond(x, cy, hw, 0.1 * hw);
            }
        }
    }
}

// Z marks.
void DrawPattern4900(const PatternCell& c) {
    const double m = c.m();
    static constexpr double kOddNinths[] = {1.0 / 9.0, 3.0 / 9.0, 5.0 / 9.0, 7.0 / 9.0};
    static constexpr double kEvenNinths[] = {2.0 / 9.0, 4.0 / 9.0, 6.0 / 9.0, 8.0 / 9.0};
    const double half = 0.2 * 2.0 * m / 9.0;
    const Lattice lattice{c.y1 + 0.00625 * m, 2.0 * 0.0125 * m, half,
                          2.0 * 0.1 * half,   kOddNinths,       kEvenNinths};
    DrawLattice(c, lattice, [&](const Box& b, int) {
        c.Line(b.left, b.top, b.right, b.top);
        c.Line(b.right, b.top, b.left, b.bottom);
        c.Line(b.left, b.bottom, b.right, b.bottom);
    });
}

// Five-pointed stars.
void DrawPattern5000(const PatternCell& c) {
    const double radius = 0.6 * c.m() / 6.0 * 0.5;
    DrawSmallMarks(c, [&](const Box& b) {
        for (int k = 0; k < 5; ++k) {
            const Point from = OnCircle(b.cx(), b.cy(), radius, 90.0 + 72.0 * k);
            const Point to = OnCircle(b.cx(), b.cy(), radius, 90.0 + 72.0 * (k + 2));
            c.Line(from.x, from.y, to.x, to.y);
        }
    });
}

// Triangles with small diamonds between them.
void DrawPattern5100(const PatternCell& c) {
    DrawTriangles(c, false);
    const double m = c.m();
    const double hw = m / 48.0;
    const double height = 0.0125 * m;
    int row = 0;
    for (double y = c.y1 + 0.00625 * m; y + height <= c.y2 && row < kMaxRows; y += 0.025 * m, ++row) {
        const bool three = row % 2 == 0;
        for (int k = 0; k < (three ? 2 : 3); ++k) {
            const double x = c.latticeLeft() + (three ? m / 3.0 : m / 6.0) + k * m / 3.0;
            if (x - hw >= c.x1) {
                c.Diamond(x, y + height / 2.0, hw, 0.1 * hw);
            }
        }
    }
}

// Upturned triangles with small troughs between them.
void DrawPattern5200(const PatternCell& c) {
    DrawTriangles(c, true);
    const double m = c.m();
    const double r = 0.05 * m * 0.1;
    const double height = 0.0125 * m;
    int row = 0;
    for (double y = c.y1 + 0.00625 * m; y + height <= c.y2 && row < kMaxRows; y += 0.025 * m, ++row) {
        const bool three = row % 2 == 0;
        for (int k = 0; k < 2; ++k) {
            const double x =
                c.latticeLeft() + (three ? (k + 1) * m / 3.0 : (k == 0 ? m / 6.0 : 5.0 * m / 6.0));
            if (x - r * 10.0 >= c.x1) {
                c.LowerHalfCircle(x, y + 0.25 * height, r);
            }
        }
    }
}

// Crosses and plus signs in alternating rows of four and three.
void DrawPattern8200(const PatternCell& c) {
    const double m = c.m();
    static constexpr double kFour[] = {0.125, 0.375, 0.625, 0.875};
    static constexpr double kThree[] = {0.25, 0.5, 0.75};
    const double half = 0.5 * m / 8.0;
    const Lattice lattice{c.y1 + 0.00625 * m, 2.0 * 0.0125 * m, half, 2.0 * 0.1 * half, kFour, kThree};
    DrawLattice(c, lattice, [&](const Box& b, int row) {
        if (row % 2 == 0) {
            c.Line(b.left, b.top, b.right, b.bottom);
            c.Line(b.right, b.top, b.left, b.bottom);
        } else {
            c.Line(b.cx(), b.top, b.cx(), b.bottom);
            c.Line(b.left, b.cy(), b.right, b.cy());
        }
    });
}

// Y marks.
void DrawPattern8300(const PatternCell& c) {
    DrawSmallMarks(c, [&](const Box& b) {
        const double spread = 0.5 * b.width() / 2.0;
        c.Line(b.cx(), b.cy(), b.cx() - spread, b.top);
        c.Line(b.cx(), b.cy(), b.cx() + spread, b.top);
        c.Line(b.cx(), b.cy(), b.cx(), b.bottom);
    });
}

// Rock blocks: angular blocks (triangles) on the lattice, turned from row to row.
void DrawPattern8700(const PatternCell& c) {
    const Lattice lattice = SmallMarkLattice(c);
    DrawLattice(c, lattice, [&](const Box& b, int row) {
        const double apex = row % 2 == 0 ? b.cx() - 0.1 * b.width() : b.cx() + 0.1 * b.width();
        c.Line(b.left, b.bottom, apex, b.top);
        c.Line(apex, b.top, b.right, b.bottom - 0.4 * b.height());
        c.Line(b.right, b.bottom - 0.4 * b.height(), b.left, b.bottom);
    });
}

}  // namespace rave::patterns
