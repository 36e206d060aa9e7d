// The layer proposal's geometry: boundary points, the tips where units thin out, every unit's
// closed outline and its title.
#include <algorithm>
#include <numeric>
#include <utility>

#include "common/format.h"
#include "common/numbers.h"
#include "ravesect/drawing/section_mapping.h"
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
                const bool oneSided = (band.aTop == band.aBottom) != (band.bTop == band.bBottom);
                if (!band.match && oneSided && (&band == &gaps[g].front()) != (&band == &gaps[g].back())) {
                    // At the top of the gap the tip lies on the ground line, at its foot on the line
                    // between the two bottoms: a tip inside would leave the corner above (below) it
                    // without a layer.
                    const bool top = &band == &gaps[g].front();
                    yA = top ? Boundary(a, band.aTop).y : Boundary(a, band.aBottom).y;
                    yB = top ? Boundary(b, band.bTop).y : Boundary(b, band.bBottom).y;
                } else if (!band.match) {
                    yA = (Boundary(a, band.aTop).y + Boundary(a, band.aBottom).y) / 2.0;
                    yB = (Boundary(b, band.bTop).y + Boundary(b, band.bBottom).y) / 2.0;
                } else if (HoldsLens(band, p.columnUnits[g], p.columnUnits[g + 1])) {
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

    bool Present(int c, int u) const {
        const auto& units = p.columnUnits[static_cast<std::size_t>(c)];
        return std::any_of(units.begin(), units.end(),
                           [u](const ColumnUnit& unit) { return unit.unit == u; });
    }

    // The boundary of column c where a site unit it lacks would lie.
    int AbsentAt(int c, int site) const {
        const auto& units = p.columnUnits[static_cast<std::size_t>(c)];
        const auto before = std::count_if(units.begin(), units.end(),
                                          [site](const ColumnUnit& unit) { return unit.site < site; });
        return boundary[static_cast<std::size_t>(c)][static_cast<std::size_t>(before)];
    }

    // The closed outline: along the top from left to right and back along the bottom. Across a
    // column that lacks the unit (it thins out towards it from both sides) both lines run through
    // that column's boundary where the unit would lie, so the outline touches itself there.
    void Outline(int u) {
        ProposedUnit& unit = p.units[static_cast<std::size_t>(u)];
        const int c0 = unit.extents.front().column;
        const int c1 = unit.extents.back().column;
        std::vector<int> upper;
        std::vector<int> lower;
        // A unit with a tongue of the unit under it somewhere is drawn down to that unit's bottom
        // wherever that unit lies right under it (the tongue is drawn over it), so that no gap is
        // left between its soil below the tongue and the tongue's unit beside it. Its title keeps to
        // the unit's own soil above.
        int tongueSite = -1;
        for (const auto& units : p.columnUnits) {
            for (const ColumnUnit& unit : units) {
                tongueSite = unit.unit == u && unit.host >= 0 ? unit.site : tongueSite;
            }
        }
        std::vector<std::pair<std::size_t, int>> covering;  // (place in `lower`, point)
        if (c0 > 0) {
            upper.push_back(EndTip(static_cast<std::size_t>(c0 - 1), u, false));
        }
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
            if (top >= 0) {
                upper.push_back(boundary[static_cast<std::size_t>(c)][static_cast<std::size_t>(top)]);
                // The title keeps to the soil above a tongue.
                int own = tongueSite >= 0 ? top : bottom;
                while (own < bottom && units[static_cast<std::size_t>(own)].unit == u) {
                    ++own;
                }
                lower.push_back(boundary[static_cast<std::size_t>(c)][static_cast<std::size_t>(own)]);
                int below = bottom;
                while (tongueSite >= 0 && below < static_cast<int>(units.size()) &&
                       units[static_cast<std::size_t>(below)].site == tongueSite &&
                       !units[static_cast<std::size_t>(below)].lens) {
                    ++below;
                }
                if (below != own) {
                    covering.push_back(
                        {lower.size() - 1,
                         boundary[static_cast<std::size_t>(c)][static_cast<std::size_t>(below)]});
                }
            } else {
                const int at = AbsentAt(c, unit.site);
                upper.push_back(at);
                lower.push_back(at);
            }
            if (c == c1) {
                break;
            }
            const bool here = top >= 0;
            const bool there = Present(c + 1, u);
            const std::size_t g = static_cast<std::size_t>(c);
            if (here && there) {
                std::size_t first = 0;
                std::size_t last = 0;
                BandsOf(g, u, true, first, last);
                upper.push_back(CurveTip(gaps[g], first));
                lower.push_back(CurveTip(gaps[g], last + 1));
            } else if (here || there) {
                const int tip = EndTip(g, u, here);
                upper.push_back(tip);
                lower.push_back(tip);
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
        std::vector<int> drawn = lower;
        for (const auto& [place, point] : covering) {
            drawn[place] = point;
        }
        for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) {
            add(*it);
        }
        if (outline.size() > 1 && outline.front() == outline.back()) {
            outline.pop_back();
        }
        unit.outline = outline;
        upperOf.push_back(upper);
        lowerOf.push_back(lower);
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

    std::pair<double, double> XRange(const std::vector<int>& path) const {
        double low = 1e18;
        double high = -1e18;
        for (const int point : path) {
            if (point >= 0) {
                low = std::min(low, p.points[static_cast<std::size_t>(point)].x);
                high = std::max(high, p.points[static_cast<std::size_t>(point)].x);
            }
        }
        return {low, high};
    }

    // The x range a column's drawing takes (its soil column and graph).
    std::pair<double, double> Block(int c) const {
        const ProposalColumn& column = p.columns[static_cast<std::size_t>(c)];
        if (column.blockRight > column.blockLeft) {
            return {column.blockLeft, column.blockRight};
        }
        return {X(c) - 5.0, X(c) + 30.0};  // a column with its graph at 1/100
    }

    struct Box {
        double left, top, right, bottom;
    };
    std::vector<Box> titles;
    std::vector<std::vector<int>> upperOf;
    std::vector<std::vector<int>> lowerOf;

    bool Clear(const Box& box) const {
        for (int c = 0; c < static_cast<int>(p.columns.size()); ++c) {
            const auto [left, right] = Block(c);
            if (box.left < right && box.right > left) {
                return false;
            }
        }
        return std::none_of(titles.begin(), titles.end(), [&box](const Box& other) {
            return box.left < other.right && box.right > other.left && box.top < other.bottom &&
                   box.bottom > other.top;
        });
    }

    // The title stands where the unit is widest between two columns, clear of the columns, their
    // graphs and the other titles; where no stretch has room, beside the column where the unit is
    // thickest, at its depth.
    void PlaceTitle(int u) {
        ProposedUnit& unit = p.units[static_cast<std::size_t>(u)];
        const std::vector<int>& upper = upperOf[static_cast<std::size_t>(u)];
        const std::vector<int>& lower = lowerOf[static_cast<std::size_t>(u)];
        const int c0 = std::max(0, unit.extents.front().column - 1);
        const int c1 = std::min(static_cast<int>(p.columns.size()) - 1, unit.extents.back().column + 1);
        double best = -1.0;
        Box chosen{};
        for (int c = c0; c < c1; ++c) {
            const double from = Block(c).second + 1.0;
            const double to = Block(c + 1).first - 1.0 - width;
            for (int step = 0; step <= 12 && to > from; ++step) {
                const double left = from + (to - from) * step / 12.0;
                double top = -1e18;
                double bottom = 1e18;
                for (const double x : {left, left + width / 2.0, left + width}) {
                    top = std::max(top, YAt(upper, x));
                    bottom = std::min(bottom, YAt(lower, x));
                }
                const double room = bottom - top;
                if (left < XRange(upper).first || left + width > XRange(upper).second ||
                    room < height * 1.1 || room <= best) {
                    continue;
                }
                const Box box{left, (top + bottom - height) / 2.0, left + width,
                              (top + bottom + height) / 2.0};
                if (Clear(box)) {
                    best = room;
                    chosen = box;
                }
            }
        }
        if (best < 0.0) {
            const ProposedUnit::Extent* thickest = &unit.extents.front();
            for (const ProposedUnit::Extent& e : unit.extents) {
                thickest = e.bottom - e.top > thickest->bottom - thickest->top ? &e : thickest;
            }
            const ProposalColumn& column = p.columns[static_cast<std::size_t>(thickest->column)];
            const double middle = -(column.ground - (thickest->top + thickest->bottom) / 2.0);
            const double left = Block(thickest->column).second + 1.0;
            chosen = {left, middle - height / 2.0, left + width, middle + height / 2.0};
            for (int tries = 0; tries < 8 && !Clear(chosen); ++tries) {
                chosen.top += height;
                chosen.bottom += height;
            }
        }
        titles.push_back(chosen);
        unit.titleX = chosen.left;
        unit.titleY = chosen.top;
    }

    double width = 8.0;
    double height = 0.45;
};

}  // namespace

void BuildGeometry(LayerProposal& proposal, std::vector<GapAlignment>& gaps, const ProposalOptions& options,
                   bool titles) {
    Geometry geometry{proposal, gaps, {}, {}, {}, {}, options.titleWidth, options.titleHeight};
    geometry.MakeBoundaryPoints();
    geometry.MakeTips();
    for (int u = 0; u < static_cast<int>(proposal.units.size()); ++u) {
        geometry.Outline(u);
    }
    if (!titles) {
        return;
    }
    for (const ProposalArea& kept : options.keptTitles) {
        geometry.titles.push_back({kept.left, kept.top, kept.right, kept.bottom});
    }
    // The thickest units choose their places first.
    std::vector<int> order(proposal.units.size());
    std::iota(order.begin(), order.end(), 0);
    auto thickness = [&proposal](int u) {
        double most = 0.0;
        for (const ProposedUnit::Extent& e : proposal.units[static_cast<std::size_t>(u)].extents) {
            most = std::max(most, e.bottom - e.top);
        }
        return most;
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return thickness(a) > thickness(b); });
    for (const int u : order) {
        geometry.PlaceTitle(u);
    }
}

}  // namespace ravesect
