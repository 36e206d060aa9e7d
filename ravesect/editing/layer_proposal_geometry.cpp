// The layer proposal's geometry: boundary points, the tips where units thin out, every unit's
// closed outline and its title.
#include <algorithm>
#include <set>

#include "common/format.h"
#include "common/numbers.h"
#include "ravesect/editing/layer_proposal.h"
#include "ravesect/editing/layer_proposal_internal.h"

namespace ravesect {

namespace {

// Where a unit found on one side only thins out: this share of the way towards the column that
// lacks it. A unit most often ends nearer that column than halfway (its boundaries converge there);
// measured on synthetic sections (tools/score-layer-proposal.py), 0.75 beats 0.5 by about half a
// point and 0.6 to 0.9 do about as well.
constexpr double kPinchTip = 0.75;

struct Geometry {
    LayerProposal& p;
    std::vector<GapAlignment>& gaps;
    std::vector<std::vector<int>> boundary;  // per column, the point of each unit boundary

    double X(int c) const { return p.columns[static_cast<std::size_t>(c)].distance * 10.0; }
    const ProposalPoint& Boundary(int c, int k) const {
        return p.points[static_cast<std::size_t>(
            boundary[static_cast<std::size_t>(c)][static_cast<std::size_t>(k)])];
    }
    int UnitAt(int c, int k) const {
        return p.columnUnits[static_cast<std::size_t>(c)][static_cast<std::size_t>(k)].unit;
    }
    int AddPoint(double x, double y) {
        p.points.push_back({x, y});
        return static_cast<int>(p.points.size()) - 1;
    }

    void MakeBoundaryPoints() {
        for (std::size_t c = 0; c < p.columns.size(); ++c) {
            const ProposalColumn& column = p.columns[c];
            const auto& units = p.columnUnits[c];
            std::vector<int> points;
            for (std::size_t k = 0; k <= units.size(); ++k) {
                const double depth = k < units.size() ? units[k].top : units.back().bottom;
                points.push_back(AddPoint(column.distance * 10.0, -(column.ground - depth)));
            }
            boundary.push_back(std::move(points));
        }
    }

    // A pinch's tip lies between the middle of what thins out and where it meets the other
    // column: kPinchTip of the way across when one side holds it, halfway when both hold units
    // without partners; a lens inside a match points at the same share of the matched unit on the
    // other side, halfway across.
    void MakeTips() {
        for (std::size_t g = 0; g < gaps.size(); ++g) {
            const int a = static_cast<int>(g);
            const int b = a + 1;
            for (AlignmentBand& band : gaps[g]) {
                double yA = 0.0;
                double yB = 0.0;
                if (!band.match && (&band == &gaps[g].front()) != (&band == &gaps[g].back())) {
                    // At the top of the gap the tip lies on the ground line, at its foot on the line
                    // between the two bottoms: a tip inside would leave the corner above (below) it
                    // without a layer.
                    const bool top = &band == &gaps[g].front();
                    yA = top ? Boundary(a, band.aTop).y : Boundary(a, band.aBottom).y;
                    yB = top ? Boundary(b, band.bTop).y : Boundary(b, band.bBottom).y;
                } else if (!band.match) {
                    yA = (Boundary(a, band.aTop).y + Boundary(a, band.aBottom).y) / 2.0;
                    yB = (Boundary(b, band.bTop).y + Boundary(b, band.bBottom).y) / 2.0;
                } else if (band.aBottom - band.aTop > 1 || band.bBottom - band.bTop > 1) {
                    const bool onA = band.aBottom - band.aTop > 1;
                    const int split = onA ? a : b;
                    const int other = onA ? b : a;
                    const int top = onA ? band.aTop : band.bTop;
                    const int bottom = onA ? band.aBottom : band.bBottom;
                    const double lensMiddle =
                        (Boundary(split, top + 1).y + Boundary(split, bottom - 1).y) / 2.0;
                    const double spanTop = Boundary(split, top).y;
                    const double spanBottom = Boundary(split, bottom).y;
                    const double share =
                        spanBottom > spanTop ? (lensMiddle - spanTop) / (spanBottom - spanTop) : 0.5;
                    const int otherTop = onA ? band.bTop : band.aTop;
                    const int otherBottom = onA ? band.bBottom : band.aBottom;
                    const double across =
                        Boundary(other, otherTop).y +
                        share * (Boundary(other, otherBottom).y - Boundary(other, otherTop).y);
                    yA = onA ? lensMiddle : across;
                    yB = onA ? across : lensMiddle;
                } else {
                    continue;
                }
                double f = 0.5;
                if (!band.match && (band.aTop == band.aBottom) != (band.bTop == band.bBottom)) {
                    f = band.aTop == band.aBottom ? 1.0 - kPinchTip : kPinchTip;
                }
                band.tip = AddPoint(X(a) + f * (X(b) - X(a)), yA + f * (yB - yA));
            }
        }
    }

    // The tip a boundary line between bands n - 1 and n of a gap passes (-1: straight).
    int CurveTip(const GapAlignment& bands, std::size_t n) const {
        if (n < bands.size() && !bands[n].match) {
            return bands[n].tip;
        }
        if (n > 0 && !bands[n - 1].match) {
            return bands[n - 1].tip;
        }
        return -1;
    }

    // The band range holding unit u on side A (or B) of a gap.
    bool BandsOf(std::size_t g, int u, bool sideA, std::size_t& first, std::size_t& last) const {
        const int c = static_cast<int>(g) + (sideA ? 0 : 1);
        bool found = false;
        for (std::size_t n = 0; n < gaps[g].size(); ++n) {
            const AlignmentBand& band = gaps[g][n];
            const int top = sideA ? band.aTop : band.bTop;
            const int bottom = sideA ? band.aBottom : band.bBottom;
            for (int k = top; k < bottom; ++k) {
                if (UnitAt(c, k) == u) {
                    first = found ? first : n;
                    last = n;
                    found = true;
                }
            }
        }
        return found;
    }

    // The tip unit u thins out to in gap g when it is missing on the far side.
    int EndTip(std::size_t g, int u, bool sideA) const {
        std::size_t first = 0;
        std::size_t last = 0;
        return BandsOf(g, u, sideA, first, last) ? gaps[g][first].tip : -1;
    }

    void Outline(int u) {
        ProposedUnit& unit = p.units[static_cast<std::size_t>(u)];
        const int c0 = unit.extents.front().column;
        const int c1 = unit.extents.back().column;
        std::vector<int> topIndex;
        std::vector<int> bottomIndex;
        for (int c = c0; c <= c1; ++c) {
            const auto& units = p.columnUnits[static_cast<std::size_t>(c)];
            int top = -1;
            int bottom = -1;
            for (int k = 0; k < static_cast<int>(units.size()); ++k) {
                if (units[static_cast<std::size_t>(k)].unit == u) {
                    top = top < 0 ? k : top;
                    bottom = k + 1;
                }
            }
            topIndex.push_back(top);
            bottomIndex.push_back(bottom);
        }
        std::vector<int> upper;
        std::vector<int> lower;
        if (c0 > 0) {
            upper.push_back(EndTip(static_cast<std::size_t>(c0 - 1), u, false));
        }
        for (int c = c0; c <= c1; ++c) {
            const std::size_t i = static_cast<std::size_t>(c - c0);
            upper.push_back(boundary[static_cast<std::size_t>(c)][static_cast<std::size_t>(topIndex[i])]);
            lower.push_back(boundary[static_cast<std::size_t>(c)][static_cast<std::size_t>(bottomIndex[i])]);
            if (c < c1) {
                std::size_t first = 0;
                std::size_t last = 0;
                BandsOf(static_cast<std::size_t>(c), u, true, first, last);
                const GapAlignment& bands = gaps[static_cast<std::size_t>(c)];
                upper.push_back(CurveTip(bands, first));
                lower.push_back(CurveTip(bands, last + 1));
            }
        }
        if (c1 + 1 < static_cast<int>(p.columns.size())) {
            upper.push_back(EndTip(static_cast<std::size_t>(c1), u, true));
        }
        std::vector<int> outline;
        auto add = [&outline](int point) {
            if (point >= 0 && (outline.empty() || outline.back() != point)) {
                outline.push_back(point);
            }
        };
        for (const int point : upper) {
            add(point);
        }
        for (auto it = lower.rbegin(); it != lower.rend(); ++it) {
            add(*it);
        }
        if (outline.size() > 1 && outline.front() == outline.back()) {
            outline.pop_back();
        }
        unit.outline = outline;
        PlaceTitle(unit, upper, lower);
    }

    double YAt(const std::vector<int>& path, double x) const {
        std::vector<ProposalPoint> points;
        for (const int point : path) {
            if (point >= 0) {
                points.push_back(p.points[static_cast<std::size_t>(point)]);
            }
        }
        for (std::size_t k = 1; k < points.size(); ++k) {
            const ProposalPoint& l = points[k - 1];
            const ProposalPoint& r = points[k];
            if (x >= l.x && x <= r.x) {
                return r.x > l.x ? l.y + (r.y - l.y) * (x - l.x) / (r.x - l.x) : l.y;
            }
        }
        return points.empty() ? 0.0 : points.front().y;
    }

    // The title stands in the unit's widest part between the columns (the logs are drawn on them).
    void PlaceTitle(ProposedUnit& unit, const std::vector<int>& upper, const std::vector<int>& lower) {
        std::set<double> xs;
        for (const int point : upper) {
            if (point >= 0) {
                xs.insert(p.points[static_cast<std::size_t>(point)].x);
            }
        }
        std::vector<double> samples;
        for (auto it = xs.begin(); std::next(it) != xs.end() && it != xs.end(); ++it) {
            samples.push_back((*it + *std::next(it)) / 2.0);
        }
        if (samples.empty()) {
            samples.push_back(*xs.begin());
        }
        double best = -1.0;
        for (const double x : samples) {
            const double top = YAt(upper, x);
            const double bottom = YAt(lower, x);
            if (bottom - top > best) {
                best = bottom - top;
                unit.titleX = x;
                unit.titleY = (top + bottom) / 2.0;
            }
        }
    }
};

}  // namespace

void BuildGeometry(LayerProposal& proposal, std::vector<GapAlignment>& gaps) {
    Geometry geometry{proposal, gaps, {}};
    geometry.MakeBoundaryPoints();
    geometry.MakeTips();
    for (int u = 0; u < static_cast<int>(proposal.units.size()); ++u) {
        geometry.Outline(u);
    }
}

}  // namespace ravesect
