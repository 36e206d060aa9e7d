// The site's sequence of units from all logs together: every log aligned in turn to one common column until
// no log's assignment changes.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

#include "ravesect/editing/layer_proposal.h"
#include "ravesect/editing/layer_proposal_internal.h"
#include "ravesect/editing/layer_proposal_site.h"

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

using strata::Assignment;
using strata::Expectation;
using strata::Member;
using strata::Site;
using strata::SiteUnit;
using strata::WriteSites;

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
                // or the unit's own, the soil below the tongue is as likely a unit of its own. Only
                // where the tongue's unit thins out beside this log: where the logs beside show it in
                // its place, the soil under it here is a unit of its own, not the host going on.
                const bool tongueThinsOutBeside =
                    j + 1 < n && thinsOutBeside[static_cast<std::size_t>(j) + 1];
                for (int k = 1; tongueThinsOutBeside && j + 2 < n && k <= kMaxLensUnits && i + k + 2 < m;
                     ++k) {
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
// it (not as the continuation of a unit above), or although one of its units of another family
// reaches across it: the unit has thinned out there.
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
            if (own == members.end() || !own->spreadTop) {
                continue;
            }
            // The neighbour's unit goes on from a site unit above: it reaches across the site units
            // between that it lacks. Where those are of another family, even a sounding tells that
            // they are not there.
            const SoilFamily family = FamilyOf(site.Unit(o, own->first).group);
            for (std::size_t t = s; t-- > 0;) {
                const auto& list = site.sequence[t].members;
                if (std::any_of(list.begin(), list.end(), [o](const Member& m) { return m.column == o; })) {
                    break;
                }
                result[t] = result[t] ||
                            (!list.empty() && std::none_of(list.begin(), list.end(), [&](const Member& m) {
                                return FamilyOf(site.Unit(m.column, m.first).group) == family;
                            }));
            }
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
