// The layer proposal: alignment of neighbouring columns, units across the section, symbols,
// links with their reasons, and shrinking to the document's capacities.
#include "ravesect/editing/layer_proposal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <queue>

#include "common/format.h"
#include "ravesect/editing/layer_proposal_internal.h"

namespace ravesect {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kMaxLensUnits = 3;  // units a lens between two pieces of one unit may hold

double Thickness(const ColumnUnit& unit) {
    return unit.bottom - unit.top;
}

// The cost of a unit without a partner: thin units thin out easily, thick ones less so.
double SkipCost(const ColumnUnit& unit) {
    return 1.2 + 0.2 * std::min(Thickness(unit), 5.0);
}

struct Side {
    const ProposalColumn& column;
    const std::vector<ColumnUnit>& units;
    double Elevation(double depth) const { return column.ground - depth; }
    // The last unit ends where the sounding ends, not at a boundary.
    bool EndsSounding(int k) const { return k + 1 == static_cast<int>(units.size()); }
    double BottomElevation() const { return units.empty() ? column.ground : Elevation(units.back().bottom); }
};

struct CostModel {
    double shift = 0.0;  // added to B's elevations: the mean offset of the two columns
    double elevationWeight = 0.15;

    // Units [a0, a1] of A against [b0, b1] of B (one of the spans is a single unit).
    double Match(const Side& a, int a0, int a1, const Side& b, int b0, int b1) const {
        const ColumnUnit& ua = a.units[static_cast<std::size_t>(a0)];
        const ColumnUnit& ub = b.units[static_cast<std::size_t>(b0)];
        const ColumnUnit& la = a.units[static_cast<std::size_t>(a1)];
        const ColumnUnit& lb = b.units[static_cast<std::size_t>(b1)];
        double cost =
            ua.group == ub.group ? 0.0 : 3.0 + std::abs(GroupPosition(ua.group) - GroupPosition(ub.group));
        const double topDifference = a.Elevation(ua.top) - (b.Elevation(ub.top) + shift);
        double bottomDifference = a.Elevation(la.bottom) - (b.Elevation(lb.bottom) + shift);
        // A unit cut off by the end of its sounding may end anywhere above the other's bottom.
        const bool cutA = a.EndsSounding(a1);
        const bool cutB = b.EndsSounding(b1);
        if (cutA && cutB) {
            bottomDifference = 0.0;
        } else if (cutA) {
            bottomDifference = std::min(0.0, bottomDifference);
        } else if (cutB) {
            bottomDifference = std::max(0.0, bottomDifference);
        }
        cost += elevationWeight * std::min(3.0, (std::abs(topDifference) + std::abs(bottomDifference)) / 2.0);
        const double thickA = la.bottom - ua.top;
        const double thickB = lb.bottom - ub.top;
        if (!cutA && !cutB) {
            cost += 0.3 * std::abs(std::log((thickA + 0.1) / (thickB + 0.1)));
        }
        if (ua.meanN >= 0.0 && ub.meanN >= 0.0) {
            cost += 0.3 * std::min(2.0, std::abs(std::log((1.0 + ua.meanN) / (1.0 + ub.meanN))));
        }
        if (ua.selfSinkingShare >= 0.0 && ub.selfSinkingShare >= 0.0) {
            cost += 0.5 * std::abs(ua.selfSinkingShare - ub.selfSinkingShare);
        }
        return cost;
    }

    // The share of unit k of a side that lies above `end`, the other sounding's end in this side's
    // elevations: below it the other sounding cannot have seen the unit, so leaving it without a
    // partner there costs nothing.
    static double BelowEnd(const Side& side, int k, double end) {
        const ColumnUnit& unit = side.units[static_cast<std::size_t>(k)];
        const double top = side.Elevation(unit.top);
        const double bottom = side.Elevation(unit.bottom);
        return top > bottom ? std::clamp((top - end) / (top - bottom), 0.0, 1.0) : 1.0;
    }
};

enum class Move : unsigned char { kNone, kMatch, kSkipA, kSkipB, kSplitA, kSplitB };
struct Cell {
    double cost = kInfinity;
    Move move = Move::kNone;
    int span = 0;  // units of the split side
};

// The bands of the cheapest order-preserving alignment under `model`.
GapAlignment Align(const Side& a, const Side& b, const CostModel& model) {
    const int m = static_cast<int>(a.units.size());
    const int n = static_cast<int>(b.units.size());
    std::vector<Cell> cells(static_cast<std::size_t>((m + 1) * (n + 1)));
    auto at = [&](int i, int j) -> Cell& { return cells[static_cast<std::size_t>(i * (n + 1) + j)]; };
    auto relax = [](Cell& cell, double cost, Move move, int span) {
        if (cost < cell.cost) {
            cell = {cost, move, span};
        }
    };
    // A lens costs as its units left without a partner, and more the thicker it is: a thick unit
    // between two pieces of one group is more often a unit of its own than a lens.
    constexpr double kLensCost = 0.3;
    constexpr double kLensCostPerMetre = 0.4;
    at(0, 0).cost = 0.0;
    for (int i = 0; i <= m; ++i) {
        for (int j = 0; j <= n; ++j) {
            const double here = at(i, j).cost;
            if (here == kInfinity) {
                continue;
            }
            if (i < m) {
                const double cost = j == n ? model.BelowEnd(a, i, b.BottomElevation() + model.shift) : 1.0;
                relax(at(i + 1, j), here + cost * SkipCost(a.units[static_cast<std::size_t>(i)]),
                      Move::kSkipA, 1);
            }
            if (j < n) {
                const double cost = i == m ? model.BelowEnd(b, j, a.BottomElevation() - model.shift) : 1.0;
                relax(at(i, j + 1), here + cost * SkipCost(b.units[static_cast<std::size_t>(j)]),
                      Move::kSkipB, 1);
            }
            if (i >= m || j >= n) {
                continue;
            }
            relax(at(i + 1, j + 1), here + model.Match(a, i, i, b, j, j), Move::kMatch, 1);
            // One unit of one side against two pieces of the same group on the other, a lens between.
            double lensA = 0.0;
            double lensB = 0.0;
            for (int k = 1; k <= kMaxLensUnits; ++k) {
                // Inner units i + 1 .. i + k of A, the second piece i + k + 1.
                if (i + k + 1 < m) {
                    lensA += SkipCost(a.units[static_cast<std::size_t>(i + k)]) +
                             kLensCostPerMetre * Thickness(a.units[static_cast<std::size_t>(i + k)]);
                    if (a.units[static_cast<std::size_t>(i + k + 1)].group ==
                        a.units[static_cast<std::size_t>(i)].group) {
                        relax(at(i + k + 2, j + 1),
                              here + model.Match(a, i, i + k + 1, b, j, j) + kLensCost + lensA, Move::kSplitA,
                              k + 2);
                    }
                }
                if (j + k + 1 < n) {
                    lensB += SkipCost(b.units[static_cast<std::size_t>(j + k)]) +
                             kLensCostPerMetre * Thickness(b.units[static_cast<std::size_t>(j + k)]);
                    if (b.units[static_cast<std::size_t>(j + k + 1)].group ==
                        b.units[static_cast<std::size_t>(j)].group) {
                        relax(at(i + 1, j + k + 2),
                              here + model.Match(a, i, i, b, j, j + k + 1) + kLensCost + lensB, Move::kSplitB,
                              k + 2);
                    }
                }
            }
        }
    }
    // Walk back, then join consecutive skips into pinch bands.
    std::vector<std::pair<Move, std::pair<int, int>>> moves;  // move and the cell it leads to
    for (int i = m, j = n; i > 0 || j > 0;) {
        const Cell& cell = at(i, j);
        moves.push_back({cell.move, {i, j}});
        switch (cell.move) {
            case Move::kMatch:
                --i, --j;
                break;
            case Move::kSkipA:
                --i;
                break;
            case Move::kSkipB:
                --j;
                break;
            case Move::kSplitA:
                i -= cell.span, --j;
                break;
            case Move::kSplitB:
                --i, j -= cell.span;
                break;
            case Move::kNone:
                i = 0, j = 0;
                break;
        }
    }
    std::reverse(moves.begin(), moves.end());
    GapAlignment bands;
    int i = 0;
    int j = 0;
    for (const auto& [move, end] : moves) {
        const bool skip = move == Move::kSkipA || move == Move::kSkipB;
        if (skip && !bands.empty() && !bands.back().match) {
            bands.back().aBottom = end.first;
            bands.back().bBottom = end.second;
        } else {
            bands.push_back({!skip, i, end.first, j, end.second, -1});
        }
        i = end.first;
        j = end.second;
    }
    return bands;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2),
                     values.end());
    return values[values.size() / 2];
}

int Find(std::vector<int>& parent, int x) {
    while (parent[static_cast<std::size_t>(x)] != x) {
        x = parent[static_cast<std::size_t>(x)] =
            parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(x)])];
    }
    return x;
}

}  // namespace

GapAlignment AlignColumns(const ProposalColumn& a, const std::vector<ColumnUnit>& aUnits,
                          const ProposalColumn& b, const std::vector<ColumnUnit>& bUnits) {
    const Side left{a, aUnits};
    const Side right{b, bUnits};
    CostModel model;
    const GapAlignment first = Align(left, right, model);
    // The offset of the two columns from what the first pass matched: a dipping sequence keeps
    // its boundaries apart by about the same height, which the second pass no longer charges.
    std::vector<double> offsets;
    for (const AlignmentBand& band : first) {
        if (band.match) {
            offsets.push_back(left.Elevation((aUnits[static_cast<std::size_t>(band.aTop)].top +
                                              aUnits[static_cast<std::size_t>(band.aBottom - 1)].bottom) /
                                             2.0) -
                              right.Elevation((bUnits[static_cast<std::size_t>(band.bTop)].top +
                                               bUnits[static_cast<std::size_t>(band.bBottom - 1)].bottom) /
                                              2.0));
        }
    }
    model.shift = Median(offsets);
    model.elevationWeight = 0.5;
    return Align(left, right, model);
}

const char* LinkKindKey(LinkKind kind) {
    switch (kind) {
        case LinkKind::kMatch:
            return "match";
        case LinkKind::kPinch:
            return "pinch";
        case LinkKind::kLens:
            return "lens";
    }
    return "match";
}

namespace {

double MidElevation(const ProposalColumn& column, const std::vector<ColumnUnit>& units, int first, int end) {
    return column.ground -
           (units[static_cast<std::size_t>(first)].top + units[static_cast<std::size_t>(end - 1)].bottom) /
               2.0;
}

std::string MatchReason(SoilGroup a, SoilGroup b, double elevationDifference, bool lens) {
    std::string reason =
        a == b ? "同じ土質 " + SoilGroupName(a) : "土質 " + SoilGroupName(a) + " / " + SoilGroupName(b);
    reason += ", 標高差 " + rave::FormatText("%.1f", std::abs(elevationDifference)) + " m";
    if (lens) {
        reason += ", レンズを挟む";
    }
    return reason;
}

// Units ordered from the top: a unit above another in some column comes first; among the free
// ones the highest (mean top elevation) first.
std::vector<int> TopDownOrder(const LayerProposal& p, int count) {
    std::vector<std::vector<int>> below(static_cast<std::size_t>(count));
    std::vector<int> incoming(static_cast<std::size_t>(count), 0);
    for (const std::vector<ColumnUnit>& units : p.columnUnits) {
        for (std::size_t k = 1; k < units.size(); ++k) {
            if (units[k - 1].unit != units[k].unit) {
                below[static_cast<std::size_t>(units[k - 1].unit)].push_back(units[k].unit);
                ++incoming[static_cast<std::size_t>(units[k].unit)];
            }
        }
    }
    std::vector<double> height(static_cast<std::size_t>(count), 0.0);
    for (int u = 0; u < count; ++u) {
        const ProposedUnit& unit = p.units[static_cast<std::size_t>(u)];
        double sum = 0.0;
        for (const ProposedUnit::Extent& e : unit.extents) {
            sum += p.columns[static_cast<std::size_t>(e.column)].ground - e.top;
        }
        height[static_cast<std::size_t>(u)] = unit.extents.empty() ? 0.0 : sum / unit.extents.size();
    }
    // Lower priority: lower down, or found further right.
    auto lower = [&](int x, int y) {
        const double hx = height[static_cast<std::size_t>(x)];
        const double hy = height[static_cast<std::size_t>(y)];
        return hx < hy || (hx == hy && x > y);
    };
    std::priority_queue<int, std::vector<int>, decltype(lower)> ready(lower);
    for (int u = 0; u < count; ++u) {
        if (incoming[static_cast<std::size_t>(u)] == 0) {
            ready.push(u);
        }
    }
    std::vector<int> order;
    std::vector<bool> placed(static_cast<std::size_t>(count), false);
    while (static_cast<int>(order.size()) < count) {
        if (ready.empty()) {  // a cycle cannot come from order-preserving links; keep going by height
            int best = -1;
            for (int u = 0; u < count; ++u) {
                if (!placed[static_cast<std::size_t>(u)] && (best < 0 || lower(best, u))) {
                    best = u;
                }
            }
            incoming[static_cast<std::size_t>(best)] = 0;
            ready.push(best);
        }
        const int u = ready.top();
        ready.pop();
        if (placed[static_cast<std::size_t>(u)]) {
            continue;
        }
        placed[static_cast<std::size_t>(u)] = true;
        order.push_back(u);
        for (const int next : below[static_cast<std::size_t>(u)]) {
            if (--incoming[static_cast<std::size_t>(next)] == 0 && !placed[static_cast<std::size_t>(next)]) {
                ready.push(next);
            }
        }
    }
    return order;
}

struct PendingLink {
    int from;
    int to;
    int node;  // column unit node of the unit
    bool match;
    std::string reason;
};

LayerProposal Build(const std::vector<ProposalColumn>& columns,
                    std::vector<std::vector<ColumnUnit>> columnUnits, const ProposalOptions& options) {
    LayerProposal p;
    p.columns = columns;
    p.columnUnits = std::move(columnUnits);
    const int count = static_cast<int>(columns.size());
    std::vector<int> offset(static_cast<std::size_t>(count) + 1, 0);
    for (int c = 0; c < count; ++c) {
        offset[static_cast<std::size_t>(c) + 1] =
            offset[static_cast<std::size_t>(c)] +
            static_cast<int>(p.columnUnits[static_cast<std::size_t>(c)].size());
    }
    auto node = [&](int c, int k) { return offset[static_cast<std::size_t>(c)] + k; };
    std::vector<int> parent(static_cast<std::size_t>(offset.back()));
    std::iota(parent.begin(), parent.end(), 0);
    std::vector<bool> innerNode(parent.size(), false);
    auto unite = [&](int x, int y) { parent[static_cast<std::size_t>(Find(parent, x))] = Find(parent, y); };

    std::vector<GapAlignment> gaps;
    std::vector<PendingLink> pending;
    for (int c = 0; c + 1 < count; ++c) {
        const auto& ua = p.columnUnits[static_cast<std::size_t>(c)];
        const auto& ub = p.columnUnits[static_cast<std::size_t>(c) + 1];
        const ProposalColumn& a = columns[static_cast<std::size_t>(c)];
        const ProposalColumn& b = columns[static_cast<std::size_t>(c) + 1];
        gaps.push_back(AlignColumns(a, ua, b, ub));
        for (const AlignmentBand& band : gaps.back()) {
            if (!band.match) {
                for (int k = band.aTop; k < band.aBottom; ++k) {
                    pending.push_back({c, c + 1, node(c, k), false, {}});
                }
                for (int k = band.bTop; k < band.bBottom; ++k) {
                    pending.push_back({c + 1, c, node(c + 1, k), false, {}});
                }
                continue;
            }
            const bool lens = band.aBottom - band.aTop > 1 || band.bBottom - band.bTop > 1;
            unite(node(c, band.aTop), node(c + 1, band.bTop));
            unite(node(c, band.aBottom - 1), node(c + 1, band.bBottom - 1));
            const double difference =
                MidElevation(a, ua, band.aTop, band.aBottom) - MidElevation(b, ub, band.bTop, band.bBottom);
            pending.push_back({c, c + 1, node(c, band.aTop), true,
                               MatchReason(ua[static_cast<std::size_t>(band.aTop)].group,
                                           ub[static_cast<std::size_t>(band.bTop)].group, difference, lens)});
            for (int k = band.aTop + 1; k + 1 < band.aBottom; ++k) {
                innerNode[static_cast<std::size_t>(node(c, k))] = true;
                pending.push_back({c, c + 1, node(c, k), false, {}});
            }
            for (int k = band.bTop + 1; k + 1 < band.bBottom; ++k) {
                innerNode[static_cast<std::size_t>(node(c + 1, k))] = true;
                pending.push_back({c + 1, c, node(c + 1, k), false, {}});
            }
        }
    }

    // One unit per set of linked column units, in the order they are first met.
    std::vector<int> unitOfRoot(parent.size(), -1);
    std::vector<ProposedUnit> units;
    for (int c = 0; c < count; ++c) {
        auto& list = p.columnUnits[static_cast<std::size_t>(c)];
        for (int k = 0; k < static_cast<int>(list.size()); ++k) {
            const int root = Find(parent, node(c, k));
            int& u = unitOfRoot[static_cast<std::size_t>(root)];
            if (u < 0) {
                u = static_cast<int>(units.size());
                units.push_back({});
                units.back().group = list[static_cast<std::size_t>(k)].group;
            }
            ProposedUnit& unit = units[static_cast<std::size_t>(u)];
            unit.inner = unit.inner || innerNode[static_cast<std::size_t>(node(c, k))];
            if (!unit.extents.empty() && unit.extents.back().column == c) {
                unit.extents.back().bottom = list[static_cast<std::size_t>(k)].bottom;
            } else {
                unit.extents.push_back(
                    {c, list[static_cast<std::size_t>(k)].top, list[static_cast<std::size_t>(k)].bottom});
            }
            list[static_cast<std::size_t>(k)].unit = u;
        }
    }
    p.units = units;
    const std::vector<int> topDown = TopDownOrder(p, static_cast<int>(units.size()));

    // Symbols numbered from the top; layer order: the units, then the lenses inside others.
    std::array<int, kSoilGroupCount> perGroup{};
    for (const ProposedUnit& unit : units) {
        ++perGroup[static_cast<std::size_t>(unit.group)];
    }
    std::array<int, kSoilGroupCount> numbered{};
    for (const int u : topDown) {
        ProposedUnit& unit = units[static_cast<std::size_t>(u)];
        const std::size_t g = static_cast<std::size_t>(unit.group);
        const std::string stem = SoilGroupSymbolStem(unit.group);
        const bool alwaysNumbered = stem.size() == 2 && stem[0] == 'A' && stem != "Ap";
        ++numbered[g];
        unit.symbol = alwaysNumbered || perGroup[g] > 1 ? stem + std::to_string(numbered[g]) : stem;
        unit.style = options.styles[g];
    }
    std::vector<int> layerOrder;
    for (const bool inner : {false, true}) {
        for (const int u : topDown) {
            if (units[static_cast<std::size_t>(u)].inner == inner) {
                layerOrder.push_back(u);
            }
        }
    }
    std::vector<int> newIndex(units.size());
    p.units.clear();
    for (std::size_t k = 0; k < layerOrder.size(); ++k) {
        newIndex[static_cast<std::size_t>(layerOrder[k])] = static_cast<int>(k);
        p.units.push_back(units[static_cast<std::size_t>(layerOrder[k])]);
    }
    for (auto& list : p.columnUnits) {
        for (ColumnUnit& unit : list) {
            unit.unit = newIndex[static_cast<std::size_t>(unit.unit)];
        }
    }
    for (const PendingLink& link : pending) {
        const int u =
            newIndex[static_cast<std::size_t>(unitOfRoot[static_cast<std::size_t>(Find(parent, link.node))])];
        LinkKind kind = LinkKind::kMatch;
        std::string reason = link.reason;
        if (!link.match) {
            const bool alone = p.units[static_cast<std::size_t>(u)].extents.size() == 1;
            const bool between = link.from > 0 && link.from + 1 < count;
            kind = alone && between ? LinkKind::kLens : LinkKind::kPinch;
            reason = kind == LinkKind::kLens ? "レンズ" : "尖滅";
        }
        p.links.push_back({link.from, link.to, u, kind, reason, true});
    }
    BuildGeometry(p, gaps);
    return p;
}

bool Fits(const LayerProposal& p, const ProposalOptions& options) {
    std::size_t longest = 0;
    for (const ProposedUnit& unit : p.units) {
        longest = std::max(longest, unit.outline.size());
    }
    const int units = static_cast<int>(p.units.size());
    return static_cast<int>(p.points.size()) <= options.freePoints && units <= options.freeLayers &&
           units <= options.freeTitles && longest <= static_cast<std::size_t>(kLayerPointLimit);
}

std::string ColumnName(const ProposalColumn& column) {
    return column.label.empty() ? rave::FormatText("%d", column.slot) : column.label;
}

// Merges the thinnest units of any column holding more than `budget` units.
void KeepColumnsWithin(std::vector<std::vector<ColumnUnit>>& columnUnits,
                       const std::vector<ProposalColumn>& columns, std::size_t budget,
                       std::vector<std::string>& warnings) {
    for (std::size_t c = 0; c < columnUnits.size(); ++c) {
        auto& units = columnUnits[c];
        while (units.size() > std::max<std::size_t>(budget, 1)) {
            std::size_t thinnest = 0;
            for (std::size_t k = 1; k < units.size(); ++k) {
                if (Thickness(units[k]) < Thickness(units[thinnest])) {
                    thinnest = k;
                }
            }
            warnings.push_back(
                ColumnName(columns[c]) + ": 点の数に収めるため " + SoilGroupName(units[thinnest].group) +
                " (" + rave::FormatText("%.2f", Thickness(units[thinnest])) + " m) を隣の層に統合しました");
            MergeIntoNeighbour(units, thinnest);
        }
        for (ColumnUnit& unit : units) {
            FillResistance(unit, columns[c]);
        }
    }
}

}  // namespace

LayerProposal ProposeLayers(std::vector<ProposalColumn> columns, const SoilGroupClassifier& classifier,
                            const ProposalOptions& options) {
    std::vector<std::vector<ColumnUnit>> columnUnits;
    for (const ProposalColumn& column : columns) {
        columnUnits.push_back(ColumnUnitsOf(column, classifier, options.minThickness));
    }
    std::vector<std::string> warnings;
    if (!columns.empty()) {
        // Every unit boundary of a column is a point: (units + 1) points per column at least.
        const int perColumn = options.freePoints / static_cast<int>(columns.size()) - 1;
        KeepColumnsWithin(columnUnits, columns, static_cast<std::size_t>(std::max(perColumn, 1)), warnings);
    }
    for (;;) {
        LayerProposal p = Build(columns, columnUnits, options);
        if (Fits(p, options)) {
            p.warnings.insert(p.warnings.begin(), warnings.begin(), warnings.end());
            return p;
        }
        // The thinnest unit (by its greatest thickness) that can join a neighbour somewhere.
        int thinnest = -1;
        double thinnestThickness = kInfinity;
        for (int u = 0; u < static_cast<int>(p.units.size()); ++u) {
            double thickest = 0.0;
            bool mergeable = false;
            for (const ProposedUnit::Extent& e : p.units[static_cast<std::size_t>(u)].extents) {
                thickest = std::max(thickest, e.bottom - e.top);
                mergeable = mergeable || p.columnUnits[static_cast<std::size_t>(e.column)].size() > 1;
            }
            if (mergeable && thickest < thinnestThickness) {
                thinnest = u;
                thinnestThickness = thickest;
            }
        }
        if (thinnest < 0) {
            p.fits = false;
            p.warnings = warnings;
            p.warnings.push_back("推定した地層が断面図の点・層・タイトルの数に収まりません");
            return p;
        }
        const ProposedUnit& unit = p.units[static_cast<std::size_t>(thinnest)];
        warnings.push_back(unit.symbol + " (" + SoilGroupName(unit.group) +
                           ") は点・層・タイトルの数に収めるため隣の層に統合しました");
        for (const ProposedUnit::Extent& e : unit.extents) {
            auto& list = p.columnUnits[static_cast<std::size_t>(e.column)];
            for (std::size_t k = 0; k < list.size() && list.size() > 1;) {
                if (list[k].unit == thinnest) {
                    MergeIntoNeighbour(list, k);
                    k = 0;
                } else {
                    ++k;
                }
            }
            for (ColumnUnit& columnUnit : list) {
                FillResistance(columnUnit, columns[static_cast<std::size_t>(e.column)]);
            }
        }
        columnUnits = p.columnUnits;
    }
}

}  // namespace ravesect
