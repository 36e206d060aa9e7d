// The site's sequence of units from all logs together: every log aligned in turn to one common column until
// no log's assignment changes.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <utility>

#include "ravesect/editing/layer_proposal.h"
#include "ravesect/editing/layer_proposal_internal.h"

namespace ravesect {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kMaxLensUnits = 3;  // units a lens between two pieces of one unit may hold
constexpr int kMaxSpread = 8;     // further site units one sounding unit may span
constexpr int kRefiningRounds = 6;
constexpr std::size_t kMostLogsForOrders = 12;  // logs up to which three entry orders are tried
// The most a log may sit above or below the others; more is a wrong first alignment, not a dip.
constexpr double kMostShift = 3.0;

double Thickness(const ColumnUnit& unit) {
    return unit.bottom - unit.top;
}

// Thin units thin out easily, thick ones less so.
double SkipCost(double thickness) {
    return 1.2 + 0.2 * std::min(thickness, 5.0);
}

// One column's units in a site unit: `first`..`last` (a lens between them), or one sounding unit
// spread over several site units (it then gives no boundary inside the spread).
struct Member {
    int column = 0;
    int first = 0;
    int last = 0;
    bool spreadTop = false;     // continues from the site unit above
    bool spreadBottom = false;  // continues into the site unit below
};

struct SiteUnit {
    std::vector<Member> members;
};

// What the other logs say of one site unit at a column: its elevations there (straight between
// the nearest logs on either side that have it, level beyond the last), soil and resistance.
struct Expectation {
    bool known = false;
    double top = 0.0;
    double bottom = 0.0;
    bool topKnown = true;
    bool bottomKnown = true;  // false when the logs that give it end inside the unit
    SoilFamily family = SoilFamily::kOther;
    SoilGroup group = SoilGroup::kOther;
    bool groupSure = false;
    double meanN = -1.0;
    double sinking = -1.0;
};

struct Site {
    const std::vector<ProposalColumn>& columns;
    SectionUnits& units;
    std::vector<SiteUnit> sequence;
    std::vector<std::vector<int>> lensOf;  // per column: lens column units (their index)

    double Top(const Member& m) const {
        return columns[static_cast<std::size_t>(m.column)].ground -
               units[static_cast<std::size_t>(m.column)][static_cast<std::size_t>(m.first)].top;
    }
    double Bottom(const Member& m) const {
        return columns[static_cast<std::size_t>(m.column)].ground -
               units[static_cast<std::size_t>(m.column)][static_cast<std::size_t>(m.last)].bottom;
    }
    bool Cut(const Member& m) const {
        return m.last + 1 == static_cast<int>(units[static_cast<std::size_t>(m.column)].size());
    }
    const ColumnUnit& Unit(int c, int k) const {
        return units[static_cast<std::size_t>(c)][static_cast<std::size_t>(k)];
    }

    Expectation Expect(const SiteUnit& site, int c) const {
        Expectation e;
        const double x = columns[static_cast<std::size_t>(c)].distance;
        const Member* left[2] = {nullptr, nullptr};  // for the top, for the bottom
        const Member* right[2] = {nullptr, nullptr};
        const Member* leftEnd = nullptr;  // the nearest log on either side that ends inside the unit
        const Member* rightEnd = nullptr;
        std::map<SoilFamily, int> families;
        std::array<int, kSoilGroupCount> sure{};
        std::array<int, kSoilGroupCount> all{};
        double nSum = 0.0;
        int nCount = 0;
        double sinkSum = 0.0;
        int sinkCount = 0;
        for (const Member& m : site.members) {
            if (m.column == c) {
                continue;
            }
            const ColumnUnit& unit = Unit(m.column, m.first);
            ++families[FamilyOf(unit.group)];
            ++all[static_cast<std::size_t>(unit.group)];
            if (unit.sure) {
                ++sure[static_cast<std::size_t>(unit.group)];
            }
            if (unit.meanN >= 0.0) {
                nSum += unit.meanN;
                ++nCount;
            }
            if (unit.selfSinkingShare >= 0.0) {
                sinkSum += unit.selfSinkingShare;
                ++sinkCount;
            }
            if (Cut(m) && !m.spreadBottom) {
                if (m.column < c && (leftEnd == nullptr || m.column > leftEnd->column)) {
                    leftEnd = &m;
                }
                if (m.column > c && (rightEnd == nullptr || m.column < rightEnd->column)) {
                    rightEnd = &m;
                }
            }
            for (int edge = 0; edge < 2; ++edge) {
                if (edge == 0 ? m.spreadTop : (m.spreadBottom || Cut(m))) {
                    continue;
                }
                const Member*& l = left[edge];
                const Member*& r = right[edge];
                if (m.column < c && (l == nullptr || m.column > l->column)) {
                    l = &m;
                }
                if (m.column > c && (r == nullptr || m.column < r->column)) {
                    r = &m;
                }
            }
        }
        if (families.empty()) {
            return e;
        }
        e.known = true;
        e.family = std::max_element(families.begin(), families.end(), [](const auto& a, const auto& b) {
                       return a.second < b.second;
                   })->first;
        const int sureCount = std::accumulate(sure.begin(), sure.end(), 0);
        const auto& votes = sureCount > 0 ? sure : all;
        e.group = static_cast<SoilGroup>(std::max_element(votes.begin(), votes.end()) - votes.begin());
        e.groupSure = sureCount > 0;
        e.meanN = nCount > 0 ? nSum / nCount : -1.0;
        e.sinking = sinkCount > 0 ? sinkSum / sinkCount : -1.0;
        // An edge of the unit at this log: straight between the nearest logs on either side that
        // show it, or as the one side that does.
        auto elevationOf = [&](const Member* m, int edge) { return edge == 0 ? Top(*m) : Bottom(*m); };
        auto depthOf = [&](const Member* m, int edge) {
            return columns[static_cast<std::size_t>(m->column)].ground - elevationOf(m, edge);
        };
        auto between = [&](int edge, const auto& value, bool& known) {
            const Member* l = left[edge];
            const Member* r = right[edge];
            known = l != nullptr || r != nullptr;
            if (l != nullptr && r != nullptr) {
                const double xl = columns[static_cast<std::size_t>(l->column)].distance;
                const double xr = columns[static_cast<std::size_t>(r->column)].distance;
                const double t = xr > xl ? (x - xl) / (xr - xl) : 0.5;
                return value(l, edge) + t * (value(r, edge) - value(l, edge));
            }
            return l != nullptr ? value(l, edge) : r != nullptr ? value(r, edge) : 0.0;
        };
        e.top = between(0, elevationOf, e.topKnown);
        e.bottom = between(1, elevationOf, e.bottomKnown);
        // Fill follows the ground line: its depths, not its elevations, carry over.
        if (e.family == SoilFamily::kFill) {
            const double ground = columns[static_cast<std::size_t>(c)].ground;
            bool known = false;
            const double topDepth = between(0, depthOf, known);
            e.top = known ? ground - topDepth : e.top;
            const double bottomDepth = between(1, depthOf, known);
            e.bottom = known ? ground - bottomDepth : e.bottom;
        }
        if (!e.topKnown || !e.bottomKnown) {
            // The logs that give the unit end inside it (or see it only as part of a wider unit):
            // take the elevations they do show.
            double top = -kInfinity;
            double bottom = kInfinity;
            for (const Member& m : site.members) {
                if (m.column != c) {
                    top = std::max(top, Top(m));
                    bottom = std::min(bottom, Bottom(m));
                }
            }
            e.top = e.topKnown ? e.top : top;
            e.bottom = e.bottomKnown ? e.bottom : bottom;
        } else {
            // A log nearer on one side than those that show the bottom ends inside the unit lower
            // down: the unit reaches at least that deep there, whatever a farther log shows.
            for (const auto& [end, shown] : {std::pair{leftEnd, left[1]}, std::pair{rightEnd, right[1]}}) {
                const bool nearer = end != nullptr && (shown == nullptr || std::abs(end->column - c) <
                                                                               std::abs(shown->column - c));
                if (nearer && Bottom(*end) < e.bottom) {
                    e.bottom = Bottom(*end);
                }
            }
        }
        return e;
    }
};

enum class Move : unsigned char { kNone, kMatch, kNew, kAbsent, kLens, kSpread, kTongue };
struct Cell {
    double cost = kInfinity;
    Move move = Move::kNone;
    int span = 0;
};

struct Aligner {
    const Site& site;
    int c;
    const ProposalColumn& column;
    const std::vector<ColumnUnit>& units;
    std::vector<Expectation> expected;
    // Per site unit: a neighbouring log passes from above it to below without it.
    std::vector<bool> thinsOutBeside;
    double shift = 0.0;  // taken from this column's elevations: its offset from the others
    double elevationWeight = 0.15;

    double Elevation(double depth) const { return column.ground - depth - shift; }
    bool Cut(int k) const { return k + 1 == static_cast<int>(units.size()); }

    // Units [k0, k1] of the column against site units [j0, j1] (one of the spans is one unit).
    double Match(int k0, int k1, int j0, int j1) const {
        const ColumnUnit& unit = units[static_cast<std::size_t>(k0)];
        const Expectation& first = expected[static_cast<std::size_t>(j0)];
        const Expectation& last = expected[static_cast<std::size_t>(j1)];
        if (!first.known || !last.known) {
            return kInfinity;
        }
        double cost = 0.0;
        if (FamilyOf(unit.group) != first.family) {
            cost += 3.0 + std::abs(GroupPosition(unit.group) - GroupPosition(first.group));
        } else if (unit.group != first.group) {
            // The finer soil parts units only where the logs that can tell agree on it.
            cost += unit.sure && first.groupSure ? 1.2 : 0.15;
        }
        const double shiftHere = first.family == SoilFamily::kFill ? 0.0 : shift;
        const double top = column.ground - unit.top - shiftHere;
        const double bottom = column.ground - units[static_cast<std::size_t>(k1)].bottom - shiftHere;
        const double topDifference = first.topKnown ? top - first.top : 0.0;
        double bottomDifference = bottom - last.bottom;
        const bool cutHere = Cut(k1);
        const bool cutThere = !last.bottomKnown;
        if (cutHere && cutThere) {
            bottomDifference = 0.0;
        } else if (cutHere) {
            bottomDifference = std::min(0.0, bottomDifference);
        } else if (cutThere) {
            bottomDifference = std::max(0.0, bottomDifference);
        }
        cost += elevationWeight * std::min(3.0, (std::abs(topDifference) + std::abs(bottomDifference)) / 2.0);
        if (!cutHere && !cutThere && first.topKnown) {
            cost += 0.3 *
                    std::abs(std::log((top - bottom + 0.1) / (std::max(0.0, first.top - last.bottom) + 0.1)));
        }
        if (unit.meanN >= 0.0 && first.meanN >= 0.0) {
            cost += 0.3 * std::min(2.0, std::abs(std::log((1.0 + unit.meanN) / (1.0 + first.meanN))));
        }
        if (unit.selfSinkingShare >= 0.0 && first.sinking >= 0.0) {
            cost += 0.5 * std::abs(unit.selfSinkingShare - first.sinking);
        }
        return cost;
    }

    // A site unit missing from this log costs by the share of it the log reaches. While units of
    // the log (from `below` on) are still to come, the log passes where the unit lies: it thins
    // out here, whatever the depth the others give it.
    double Absent(int j, int below) const {
        const Expectation& e = expected[static_cast<std::size_t>(j)];
        if (!e.known) {
            return 0.0;
        }
        if (below < static_cast<int>(units.size())) {
            return SkipCost(std::max(0.0, e.top - e.bottom));
        }
        const double end = Elevation(units.back().bottom);
        const double reached = e.top > e.bottom ? std::clamp((e.top - end) / (e.top - e.bottom), 0.0, 1.0)
                                                : (e.top > end ? 1.0 : 0.0);
        return reached * SkipCost(std::max(0.0, e.top - e.bottom));
    }

    std::vector<std::pair<Move, int>> Align(double* total = nullptr) const {
        const int m = static_cast<int>(units.size());
        const int n = static_cast<int>(expected.size());
        std::vector<Cell> cells(static_cast<std::size_t>((m + 1) * (n + 1)));
        auto at = [&](int i, int j) -> Cell& { return cells[static_cast<std::size_t>(i * (n + 1) + j)]; };
        auto relax = [](Cell& cell, double cost, Move move, int span) {
            if (cost < cell.cost) {
                cell = {cost, move, span};
            }
        };
        constexpr double kLensCost = 0.3;
        constexpr double kLensCostPerMetre = 0.4;
        constexpr double kSpreadCost = 0.2;
        // More than a thin unit of its own: a tongue only where the logs around agree with it well.
        constexpr double kTongueCost = 2.4;
        at(0, 0).cost = 0.0;
        for (int i = 0; i <= m; ++i) {
            for (int j = 0; j <= n; ++j) {
                const double here = at(i, j).cost;
                if (here == kInfinity) {
                    continue;
                }
                if (i < m) {
                    relax(at(i + 1, j), here + SkipCost(Thickness(units[static_cast<std::size_t>(i)])),
                          Move::kNew, 1);
                }
                if (j < n) {
                    relax(at(i, j + 1), here + Absent(j, i), Move::kAbsent, 1);
                }
                if (i >= m || j >= n) {
                    continue;
                }
                relax(at(i + 1, j + 1), here + Match(i, i, j, j), Move::kMatch, 1);
                const ColumnUnit& unit = units[static_cast<std::size_t>(i)];
                // A sounding cannot part units of one family: its unit may span several.
                // It may reach across a unit of another family that has thinned out beside it.
                if (!unit.sure) {
                    double passed = 0.0;
                    for (int t = 1; t <= kMaxSpread && j + t < n; ++t) {
                        if (expected[static_cast<std::size_t>(j + t)].family != FamilyOf(unit.group)) {
                            if (!thinsOutBeside[static_cast<std::size_t>(j + t)]) {
                                break;
                            }
                            passed += Absent(j + t, i);
                            continue;
                        }
                        relax(at(i + 1, j + t + 1), here + Match(i, i, j, j + t) + kSpreadCost * t + passed,
                              Move::kSpread, t + 1);
                    }
                }
                // A lens needs the unit's bottom from the other logs: where they end inside it, the
                // pieces above and below could as well be units of their own.
                double lens = 0.0;
                const bool bottomKnown = expected[static_cast<std::size_t>(j)].bottomKnown;
                for (int k = 1; bottomKnown && k <= kMaxLensUnits && i + k + 1 < m; ++k) {
                    const ColumnUnit& inner = units[static_cast<std::size_t>(i + k)];
                    lens += SkipCost(Thickness(inner)) + kLensCostPerMetre * Thickness(inner);
                    if (units[static_cast<std::size_t>(i + k + 1)].group == unit.group) {
                        relax(at(i + k + 2, j + 1), here + Match(i, i + k + 1, j, j) + kLensCost + lens,
                              Move::kLens, k + 2);
                    }
                }
                // A tongue of the next site unit reaching into this one: the unit, units of the next
                // one's family, this unit's soil again, and then the unit under the tongue, of a third
                // family (sand, a clay tongue, sand, gravel). Where the soil under it is the tongue's
                // or the unit's own, the soil below the tongue is as likely a unit of its own.
                for (int k = 1; j + 2 < n && k <= kMaxLensUnits && i + k + 2 < m; ++k) {
                    const SoilFamily tongue = expected[static_cast<std::size_t>(j) + 1].family;
                    const SoilFamily under = expected[static_cast<std::size_t>(j) + 2].family;
                    if (tongue == FamilyOf(unit.group) ||
                        FamilyOf(units[static_cast<std::size_t>(i + k)].group) != tongue) {
                        break;
                    }
                    const SoilFamily next = FamilyOf(units[static_cast<std::size_t>(i + k + 2)].group);
                    if (units[static_cast<std::size_t>(i + k + 1)].group == unit.group && next == under &&
                        next != tongue && next != FamilyOf(unit.group)) {
                        relax(at(i + k + 2, j + 2),
                              here + Match(i, i + k + 1, j, j) + Match(i + 1, i + k, j + 1, j + 1) +
                                  kTongueCost,
                              Move::kTongue, k + 2);
                    }
                }
            }
        }
        std::vector<std::pair<Move, int>> moves;
        for (int i = m, j = n; i > 0 || j > 0;) {
            const Cell& cell = at(i, j);
            moves.push_back({cell.move, cell.span});
            switch (cell.move) {
                case Move::kMatch:
                    --i, --j;
                    break;
                case Move::kNew:
                    --i;
                    break;
                case Move::kAbsent:
                    --j;
                    break;
                case Move::kLens:
                    i -= cell.span, --j;
                    break;
                case Move::kSpread:
                    --i, j -= cell.span;
                    break;
                case Move::kTongue:
                    i -= cell.span, j -= 2;
                    break;
                case Move::kNone:
                    i = 0, j = 0;
                    break;
            }
        }
        std::reverse(moves.begin(), moves.end());
        if (total != nullptr) {
            *total = at(m, n).cost;
        }
        return moves;
    }
};

// Takes column c out of the site's sequence; site units left without a log that shows their own
// boundaries go too.
void Remove(Site& site, int c) {
    std::vector<SiteUnit> kept;
    std::vector<SiteUnit> dropped;
    for (SiteUnit& unit : site.sequence) {
        unit.members.erase(std::remove_if(unit.members.begin(), unit.members.end(),
                                          [c](const Member& m) { return m.column == c; }),
                           unit.members.end());
        const bool own = std::any_of(unit.members.begin(), unit.members.end(),
                                     [](const Member& m) { return !m.spreadTop && !m.spreadBottom; });
        if (own) {
            kept.push_back(std::move(unit));
            continue;
        }
        // A sounding unit spread into it now ends (starts) at the units around it.
        for (const Member& m : unit.members) {
            if (!m.spreadBottom && !kept.empty()) {
                for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
                    auto same = std::find_if(it->members.begin(), it->members.end(),
                                             [&m](const Member& o) { return o.column == m.column; });
                    if (same != it->members.end()) {
                        same->spreadBottom = false;
                        break;
                    }
                }
            }
        }
        dropped.push_back(std::move(unit));
    }
    // The units after a dropped one that a spread unit started in begin it now.
    for (const SiteUnit& gone : dropped) {
        for (const Member& m : gone.members) {
            if (m.spreadTop) {
                continue;
            }
            for (SiteUnit& unit : kept) {
                auto same = std::find_if(unit.members.begin(), unit.members.end(), [&m](const Member& o) {
                    return o.column == m.column && o.spreadTop;
                });
                if (same != unit.members.end()) {
                    same->spreadTop = false;
                    break;
                }
            }
        }
    }
    site.sequence = std::move(kept);
    site.lensOf[static_cast<std::size_t>(c)].clear();
}

// Per site unit: whether a neighbouring log of column c lacks it although it shows a unit below
// it (not as the continuation of a unit above): the unit has thinned out there.
std::vector<bool> ThinOutBeside(const Site& site, int c) {
    std::vector<bool> result(site.sequence.size(), false);
    for (const int o : {c - 1, c + 1}) {
        if (o < 0 || o >= static_cast<int>(site.units.size())) {
            continue;
        }
        bool below = false;  // a unit of the neighbour starts further down
        for (std::size_t s = site.sequence.size(); s-- > 0;) {
            const auto& members = site.sequence[s].members;
            const auto own =
                std::find_if(members.begin(), members.end(), [o](const Member& m) { return m.column == o; });
            if (own == members.end()) {
                result[s] = result[s] || below;
            }
            below = below || (own != members.end() && !own->spreadTop);
        }
    }
    return result;
}

// Aligns column c to the sequence (twice: the second time with its offset from the others taken
// out) and enters its units.
double Enter(Site& site, int c) {
    const ProposalColumn& column = site.columns[static_cast<std::size_t>(c)];
    if (site.units[static_cast<std::size_t>(c)].empty()) {
        return 0.0;
    }
    Aligner aligner{site, c, column, site.units[static_cast<std::size_t>(c)], {}, {}, 0.0, 0.15};
    for (const SiteUnit& unit : site.sequence) {
        aligner.expected.push_back(site.Expect(unit, c));
    }
    aligner.thinsOutBeside = ThinOutBeside(site, c);
    std::vector<std::pair<Move, int>> moves = aligner.Align();
    std::vector<double> offsets;
    int i = 0;
    int j = 0;
    for (const auto& [move, span] : moves) {
        if (move == Move::kMatch) {
            const Expectation& e = aligner.expected[static_cast<std::size_t>(j)];
            const ColumnUnit& unit = aligner.units[static_cast<std::size_t>(i)];
            // Fill is compared by depth, so its offset is none by its making; the top of a unit right
            // under fill is the ground levelled before the fill went on. Neither says how the log's
            // units sit off the others'.
            const bool underFill =
                i > 0 && aligner.units[static_cast<std::size_t>(i - 1)].group == SoilGroup::kFill;
            if (e.topKnown && !underFill && unit.group != SoilGroup::kFill) {
                offsets.push_back(column.ground - unit.top - e.top);
            }
        }
        i += move == Move::kMatch || move == Move::kNew || move == Move::kSpread ? 1
             : move == Move::kLens || move == Move::kTongue                      ? span
                                                                                 : 0;
        j += move == Move::kMatch || move == Move::kAbsent || move == Move::kLens ? 1
             : move == Move::kSpread                                              ? span
             : move == Move::kTongue                                              ? 2
                                                                                  : 0;
    }
    aligner.shift = std::clamp(Median(offsets), -kMostShift, kMostShift);
    aligner.elevationWeight = 0.35;
    double cost = 0.0;
    moves = aligner.Align(&cost);

    std::vector<SiteUnit> sequence;
    i = 0;
    j = 0;
    for (const auto& [move, span] : moves) {
        switch (move) {
            case Move::kMatch:
                sequence.push_back(std::move(site.sequence[static_cast<std::size_t>(j++)]));
                sequence.back().members.push_back({c, i, i, false, false});
                ++i;
                break;
            case Move::kNew:
                sequence.push_back(SiteUnit{{Member{c, i, i, false, false}}});
                ++i;
                break;
            case Move::kAbsent:
                sequence.push_back(std::move(site.sequence[static_cast<std::size_t>(j++)]));
                break;
            case Move::kLens:
                sequence.push_back(std::move(site.sequence[static_cast<std::size_t>(j++)]));
                sequence.back().members.push_back({c, i, i + span - 1, false, false});
                for (int k = i + 1; k < i + span - 1; ++k) {
                    site.lensOf[static_cast<std::size_t>(c)].push_back(k);
                }
                i += span;
                break;
            case Move::kTongue:
                // The unit around spans its soil above and below the tongue (WriteSites keeps the order).
                sequence.push_back(std::move(site.sequence[static_cast<std::size_t>(j++)]));
                sequence.back().members.push_back({c, i, i + span - 1, false, false});
                sequence.push_back(std::move(site.sequence[static_cast<std::size_t>(j++)]));
                sequence.back().members.push_back({c, i + 1, i + span - 2, false, false});
                i += span;
                break;
            case Move::kSpread: {
                // The units of another family it reaches across are absent here.
                const SoilFamily family = FamilyOf(aligner.units[static_cast<std::size_t>(i)].group);
                for (int t = 0; t < span; ++t) {
                    const bool across = aligner.expected[static_cast<std::size_t>(j)].family != family;
                    sequence.push_back(std::move(site.sequence[static_cast<std::size_t>(j++)]));
                    if (!across) {
                        sequence.back().members.push_back({c, i, i, t > 0, t + 1 < span});
                    }
                }
                ++i;
                break;
            }
            case Move::kNone:
                break;
        }
    }
    site.sequence = std::move(sequence);
    return cost;
}

// Per column unit: the site unit it is in (lenses: -2 - the unit around them), to tell whether a
// round changed anything.
std::vector<std::vector<int>> Assignment(const Site& site) {
    std::vector<std::vector<int>> result;
    for (std::size_t c = 0; c < site.units.size(); ++c) {
        result.emplace_back(site.units[c].size(), -1);
    }
    for (std::size_t s = 0; s < site.sequence.size(); ++s) {
        for (const Member& m : site.sequence[s].members) {
            for (int k = m.first; k <= m.last; ++k) {
                result[static_cast<std::size_t>(m.column)][static_cast<std::size_t>(k)] = static_cast<int>(s);
            }
        }
    }
    for (std::size_t c = 0; c < site.lensOf.size(); ++c) {
        for (const int k : site.lensOf[c]) {
            int& value = result[c][static_cast<std::size_t>(k)];
            value = -2 - value;
        }
    }
    return result;
}

// How far below the top of site unit `first` the bottom of site unit `s` lies in log o, as the log
// itself shows both (negative when it does not).
double DepthBelowTop(const Site& site, int o, int first, int s) {
    auto own = [&](int unit) -> const Member* {
        for (const Member& m : site.sequence[static_cast<std::size_t>(unit)].members) {
            if (m.column == o) {
                return &m;
            }
        }
        return nullptr;
    };
    const Member* top = own(first);
    const Member* bottom = own(s);
    if (top == nullptr || bottom == nullptr || top->spreadTop || bottom->spreadBottom || site.Cut(*bottom)) {
        return -1.0;
    }
    return site.Top(*top) - site.Bottom(*bottom);
}

// Where the boundaries inside a sounding unit spread over site units from `first` on lie. The
// logs beside it that show them give each boundary's depth below the spread's top, or (when the
// sounding goes on below the spread) its share of the spread's thickness, straight between the
// nearest such logs on either side: units lie higher or lower as a whole from log to log, and the
// spread's own top says where they start here.
auto SpreadBoundaries(const Site& site, int c, int first, const ColumnUnit& unit, bool endsInside) {
    const auto& columns = site.columns;
    int last = first;  // the last site unit it spans
    for (std::size_t s = static_cast<std::size_t>(first); s < site.sequence.size(); ++s) {
        const auto& members = site.sequence[s].members;
        const auto own =
            std::find_if(members.begin(), members.end(), [c](const Member& m) { return m.column == c; });
        if (own != members.end()) {
            last = static_cast<int>(s);
            if (!own->spreadBottom) {
                break;
            }
        }
    }
    return [&site, &columns, c, first, last, unit, endsInside](int s) {
        double value[2] = {-1.0, -1.0};
        double distance[2] = {0.0, 0.0};
        for (int side = 0; side < 2; ++side) {
            const int step = side == 0 ? -1 : 1;
            for (int o = c + step; o >= 0 && o < static_cast<int>(columns.size()); o += step) {
                const double depth = DepthBelowTop(site, o, first, s);
                const double whole = endsInside ? 1.0 : DepthBelowTop(site, o, first, last);
                if (depth >= 0.0 && whole > 0.0) {
                    value[side] = endsInside ? depth : depth / whole;
                    distance[side] = std::abs(columns[static_cast<std::size_t>(o)].distance -
                                              columns[static_cast<std::size_t>(c)].distance);
                    break;
                }
            }
        }
        double v = value[0] >= 0.0 ? value[0] : value[1];
        if (value[0] >= 0.0 && value[1] >= 0.0 && distance[0] + distance[1] > 0.0) {
            v = value[0] + distance[0] / (distance[0] + distance[1]) * (value[1] - value[0]);
        }
        if (v < 0.0) {
            return -1.0;
        }
        return unit.top + (endsInside ? v : v * (unit.bottom - unit.top));
    };
}

// Splits every sounding unit that spans several site units where the logs beside it put the
// boundaries between them, and writes each column unit's site unit.
void WriteSites(Site& site) {
    const std::vector<std::vector<int>> assigned = Assignment(site);
    std::vector<std::vector<std::pair<int, int>>> spreads(
        site.units.size());  // (unit, first site) per column
    for (std::size_t s = 0; s < site.sequence.size(); ++s) {
        for (const Member& m : site.sequence[s].members) {
            if (!m.spreadTop && m.spreadBottom) {
                spreads[static_cast<std::size_t>(m.column)].push_back({m.first, static_cast<int>(s)});
            }
        }
    }
    for (std::size_t c = 0; c < site.units.size(); ++c) {
        std::vector<ColumnUnit> result;
        const auto& list = site.units[c];
        for (std::size_t k = 0; k < list.size(); ++k) {
            ColumnUnit unit = list[k];
            const int value = assigned[c][k];
            unit.lens = value <= -2;
            unit.site = unit.lens ? -2 - value : value;
            const auto spread = std::find_if(spreads[c].begin(), spreads[c].end(),
                                             [k](const auto& p) { return p.first == static_cast<int>(k); });
            if (spread == spreads[c].end()) {
                result.push_back(unit);
                continue;
            }
            // The site units it spans, and their boundaries from the logs beside it.
            const auto given =
                SpreadBoundaries(site, static_cast<int>(c), spread->second, unit, k + 1 == list.size());
            ColumnUnit piece = unit;
            piece.site = spread->second;
            for (int s = spread->second;; ++s) {
                if (s >= static_cast<int>(site.sequence.size())) {
                    result.push_back(piece);
                    break;
                }
                const SiteUnit& siteUnit = site.sequence[static_cast<std::size_t>(s)];
                const auto own =
                    std::find_if(siteUnit.members.begin(), siteUnit.members.end(),
                                 [c](const Member& m) { return m.column == static_cast<int>(c); });
                if (own == siteUnit.members.end()) {
                    continue;
                }
                piece.site = s;
                if (!own->spreadBottom) {
                    result.push_back(piece);
                    break;
                }
                const Expectation e = site.Expect(siteUnit, static_cast<int>(c));
                const double shown = given(s);
                const double depth = SplitAtResistanceChange(
                    site.columns[c], shown >= 0.0 ? shown : site.columns[c].ground - e.bottom, piece.top,
                    unit.bottom);
                if (e.bottomKnown && depth > piece.top + 0.1 && depth < unit.bottom - 0.1) {
                    ColumnUnit upper = piece;
                    upper.bottom = depth;
                    result.push_back(upper);
                    piece.top = depth;
                } else if (e.bottomKnown && depth >= unit.bottom - 0.1 && k + 1 == list.size()) {
                    // The boundary lies below the log's end: what it shows is all of this unit.
                    result.push_back(piece);
                    break;
                }
            }
        }
        for (std::size_t k = 0; k < result.size(); ++k) {
            FillResistance(result[k], site.columns[c]);
            // Below a tongue: the soil around it again, listed with the tongue, drawn with its own unit.
            if (k > 0 && result[k].site < result[k - 1].site) {
                result[k].host = result[k].site;
                result[k].site = result[k - 1].site;
            }
        }
        site.units[c] = std::move(result);
    }
}

// Enters the logs in `order`, then takes each out and aligns it again until no assignment changes.
// Returns what the logs' alignments cost in the last round: the lower, the better the logs agree.
double Settle(Site& site, const std::vector<int>& order) {
    for (const int c : order) {
        Enter(site, c);
    }
    std::vector<std::vector<int>> before = Assignment(site);
    double total = 0.0;
    for (int round = 0; round < kRefiningRounds; ++round) {
        total = 0.0;
        for (std::size_t c = 0; c < site.units.size(); ++c) {
            Remove(site, static_cast<int>(c));
            total += Enter(site, static_cast<int>(c));
        }
        std::vector<std::vector<int>> after = Assignment(site);
        if (after == before) {
            break;
        }
        before = std::move(after);
    }
    return total;
}

}  // namespace

int FindStratigraphy(const std::vector<ProposalColumn>& columns, SectionUnits& units) {
    // The deepest logs first: they hold the most of the sequence, and borings describe it. The
    // first logs shape the sequence the others are fitted to, so the logs are also entered from
    // either end of the section, and the order whose logs agree best is kept.
    std::vector<int> deepest(units.size());
    std::iota(deepest.begin(), deepest.end(), 0);
    auto depth = [&units](int c) {
        const auto& list = units[static_cast<std::size_t>(c)];
        return list.empty() ? 0.0 : list.back().bottom;
    };
    std::stable_sort(deepest.begin(), deepest.end(), [&](int a, int b) { return depth(a) > depth(b); });
    std::vector<int> leftFirst(units.size());
    std::iota(leftFirst.begin(), leftFirst.end(), 0);
    const std::vector<int> rightFirst(leftFirst.rbegin(), leftFirst.rend());
    Site best{columns, units, {}, std::vector<std::vector<int>>(units.size())};
    double bestCost = kInfinity;
    // A long section (more logs than kMostLogsForOrders) keeps the first order alone, so that the
    // proposal stays quick when it is rebuilt to fit the file's layers.
    const std::size_t orders = units.size() <= kMostLogsForOrders ? 3 : 1;
    const std::array<const std::vector<int>*, 3> candidates{&deepest, &leftFirst, &rightFirst};
    for (std::size_t k = 0; k < orders; ++k) {
        const std::vector<int>* order = candidates[k];
        Site site{columns, units, {}, std::vector<std::vector<int>>(units.size())};
        const double cost = Settle(site, *order);
        if (cost < bestCost - 1e-9) {
            bestCost = cost;
            best.sequence = std::move(site.sequence);
            best.lensOf = std::move(site.lensOf);
        }
    }
    WriteSites(best);
    return static_cast<int>(best.sequence.size());
}

}  // namespace ravesect
