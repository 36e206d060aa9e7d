// Where a sounding's units part: a unit a sounding cannot tell from its neighbours of one family is
// split where the logs beside it put their boundaries, and every column unit gets its site unit.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "ravesect/editing/layer_proposal.h"
#include "ravesect/editing/layer_proposal_internal.h"
#include "ravesect/editing/layer_proposal_site.h"

namespace ravesect::strata {

namespace {

// The elevation of the top of site unit `s` in log o, as the log itself shows it (NaN when it does
// not): a log that lacks the unit but shows the next one has it thinned out to nothing there, so
// its top lies at the top of the next unit the log has. A sounding's unit of the same family as
// the missing one says nothing of it: the sounding could not have told the two apart.
double TopIn(const Site& site, int o, int s) {
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t next = static_cast<std::size_t>(s); next < site.sequence.size(); ++next) {
        for (const Member& m : site.sequence[next].members) {
            if (m.column != o) {
                continue;
            }
            const ColumnUnit& unit = site.Unit(o, m.first);
            for (std::size_t missing = static_cast<std::size_t>(s); missing < next && !unit.sure; ++missing) {
                for (const Member& other : site.sequence[missing].members) {
                    if (FamilyOf(site.Unit(other.column, other.first).group) == FamilyOf(unit.group)) {
                        return kNone;
                    }
                }
            }
            return m.spreadTop ? kNone : site.Top(m);
        }
    }
    return kNone;
}

// How far below the top of site unit `first` the bottom of site unit `s` lies in log o, as the log
// itself shows both (negative when it does not).
double DepthBelowTop(const Site& site, int o, int first, int s) {
    const double top = TopIn(site, o, first);
    double bottom = std::numeric_limits<double>::quiet_NaN();
    const auto& members = site.sequence[static_cast<std::size_t>(s)].members;
    const auto own =
        std::find_if(members.begin(), members.end(), [o](const Member& m) { return m.column == o; });
    if (own == members.end()) {
        bottom = TopIn(site, o, s);  // it lacks s too: s ends where the next unit it has starts
    } else if (!own->spreadBottom && !site.Cut(*own)) {
        bottom = site.Bottom(*own);
    }
    return std::isnan(top) || std::isnan(bottom) ? -1.0 : top - bottom;
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

// A sounding cannot tell units of one family apart, so it cannot show that one of them is absent:
// where its unit and the next unit it shows above (below) have only units of its own family between
// them, its unit reaches across those (the order in which the logs were aligned can leave it
// without them). Its neighbours' boundaries then part it, and a unit they lack thins out there.
void ReachAcrossOwnFamily(Site& site) {
    const std::size_t count = site.sequence.size();
    auto has = [&site](std::size_t t, int column) {
        const auto& list = site.sequence[t].members;
        return std::any_of(list.begin(), list.end(),
                           [column](const Member& o) { return o.column == column; });
    };
    auto ofFamily = [&site](std::size_t t, SoilFamily family) {
        const auto& list = site.sequence[t].members;
        return !list.empty() && std::all_of(list.begin(), list.end(), [&site, family](const Member& o) {
            return FamilyOf(site.Unit(o.column, o.first).group) == family;
        });
    };
    for (const bool up : {true, false}) {
        for (std::size_t s = 0; s < count; ++s) {
            for (Member& m : site.sequence[s].members) {
                const SoilFamily family = FamilyOf(site.Unit(m.column, m.first).group);
                if (site.Unit(m.column, m.first).sure || m.first != m.last ||
                    (up ? m.spreadTop : m.spreadBottom || site.Cut(m))) {
                    continue;
                }
                std::size_t end = s;  // the farthest unit it reaches
                while (up ? end > 0 && !has(end - 1, m.column) && ofFamily(end - 1, family)
                          : end + 1 < count && !has(end + 1, m.column) && ofFamily(end + 1, family)) {
                    end = up ? end - 1 : end + 1;
                }
                const bool bounded =
                    up ? end == 0 || has(end - 1, m.column) : end + 1 < count && has(end + 1, m.column);
                if (end == s || !bounded) {
                    continue;
                }
                const Member reached = m;
                (up ? m.spreadTop : m.spreadBottom) = true;
                for (std::size_t t = std::min(s, end); t <= std::max(s, end); ++t) {
                    if (t != s) {
                        site.sequence[t].members.push_back({reached.column, reached.first, reached.last,
                                                            up ? t > end : true, up || t < end});
                    }
                }
            }
        }
    }
}

}  // namespace

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

void WriteSites(Site& site) {
    ReachAcrossOwnFamily(site);
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
                } else if (e.bottomKnown && depth >= unit.bottom - 0.1) {
                    // The boundary lies at or below the unit's bottom (below the log's end, or the
                    // units under it thin out to nothing here): what it shows is all of this unit.
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

}  // namespace ravesect::strata
