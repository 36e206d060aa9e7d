// What the site's sequence says beyond the logs: below a shallow log's end the units of the deeper logs
// on either side go on, and the bands that join neighbouring columns follow from the site units.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "ravesect/editing/layer_proposal.h"
#include "ravesect/editing/layer_proposal_internal.h"

namespace ravesect {

namespace {

// Where the logs beside a column put one site unit there.
struct LineBeside {
    int from = -1;     // the log it is taken from (the left one when both); -1: none
    double top = 0.0;  // elevations, m
    double bottom = 0.0;
    bool openBottom = false;  // the logs it is taken from all end inside the unit: no bottom is known
};

// The most the units below a log's end are moved off the line between its neighbours for what
// the log's own boundaries show; more is more often a unit matched wrongly than ground that bends.
constexpr double kMostBend = 2.0;
// How far under a log's end its last unit goes on at the least, for all we know.
constexpr double kBelowEnd = 0.5;

// The ground bends at every log: where a log's boundaries sit higher or lower than the line
// between its neighbours, the units under its end do too. Returns how far (m, + up) to move the
// neighbours' line under the end of the log `list` of `column` (whose end lies at elevation
// `end`): as far as its deepest boundary between two site units sits off that line (fill, made
// ground, says nothing of the units under it), at most kMostBend; and down as far as it takes
// for the log's last unit to go on at least kBelowEnd under the end, since the log shows it does.
// `beside(c, site)` gives the neighbours' line of a site unit at column c.
template <typename Beside>
double ShiftBelowEnd(const ProposalColumn& column, const std::vector<ColumnUnit>& list, double end,
                     const Beside& beside, int c) {
    double shift = 0.0;
    for (std::size_t k = list.size() - 1; k > 0; --k) {
        const ColumnUnit& above = list[k - 1];
        const ColumnUnit& below = list[k];
        if (above.lens || below.lens || above.group == below.group || above.site == below.site ||
            FamilyOf(above.group) == SoilFamily::kFill) {
            continue;  // not a boundary the log shows between two site units
        }
        const LineBeside line = beside(c, below.site);
        if (line.from >= 0) {
            shift = std::clamp(column.ground - below.top - line.top, -kMostBend, kMostBend);
            break;
        }
    }
    const LineBeside last = beside(c, list.back().site);
    if (!list.back().lens && last.from >= 0 && !last.openBottom) {
        shift = std::min(shift, end - kBelowEnd - last.bottom);
    }
    return shift;
}

}  // namespace

void ContinueBelowEnds(const std::vector<ProposalColumn>& columns, SectionUnits& units) {
    const int count = static_cast<int>(columns.size());
    auto endOf = [&](int c) {
        const auto& list = units[static_cast<std::size_t>(c)];
        return columns[static_cast<std::size_t>(c)].ground - (list.empty() ? 0.0 : list.back().bottom);
    };
    // The elevations of site unit s in the log of column c, as the log shows them; `open` when
    // the log ends inside it.
    auto extent = [&](int c, int s, double& top, double& bottom, bool& open) {
        bool found = false;
        const auto& list = units[static_cast<std::size_t>(c)];
        for (const ColumnUnit& unit : list) {
            if ((unit.host >= 0 ? unit.host : unit.site) == s && !unit.lens && !unit.inferred) {
                top = found ? top : columns[static_cast<std::size_t>(c)].ground - unit.top;
                bottom = columns[static_cast<std::size_t>(c)].ground - unit.bottom;
                open = &unit == &list.back();
                found = true;
            }
        }
        return found;
    };
    // Where the nearest logs on either side that show site unit s put it at column c: straight
    // between them, level with the one log where the other side has none. A side is of no use
    // when a log between reaches below the unit's top without it (the unit thins out there).
    auto beside = [&](int c, int s) {
        double top[2] = {0.0, 0.0};
        double bottom[2] = {0.0, 0.0};
        bool open[2] = {false, false};
        int from[2] = {-1, -1};
        for (int side = 0; side < 2; ++side) {
            const int step = side == 0 ? -1 : 1;
            for (int o = c + step; o >= 0 && o < count && from[side] < 0; o += step) {
                from[side] = extent(o, s, top[side], bottom[side], open[side]) ? o : -1;
            }
        }
        // A side without a log that shows the unit: the nearest log there that passes from the units
        // above it to those below without it has it thinned out to nothing, at the top of the next
        // unit it shows.
        bool thins[2] = {false, false};
        for (int side = 0; side < 2; ++side) {
            const int step = side == 0 ? -1 : 1;
            for (int o = c + step; o >= 0 && o < count && from[side] < 0 && !thins[side]; o += step) {
                const auto& list = units[static_cast<std::size_t>(o)];
                const auto shown = [](const ColumnUnit& u) { return !u.lens && !u.inferred && u.host < 0; };
                const bool above = std::any_of(list.begin(), list.end(),
                                               [&](const ColumnUnit& u) { return shown(u) && u.site < s; });
                const auto next = std::find_if(list.begin(), list.end(),
                                               [&](const ColumnUnit& u) { return shown(u) && u.site > s; });
                if (above && next != list.end()) {
                    top[side] = bottom[side] = columns[static_cast<std::size_t>(o)].ground - next->top;
                    open[side] = false;
                    from[side] = o;
                    thins[side] = true;
                }
            }
        }
        if (thins[0] && thins[1]) {
            return LineBeside{};
        }
        auto at = [&](double x, double left, double right) {
            if (from[0] < 0 || from[1] < 0) {
                return from[0] >= 0 ? left : right;
            }
            const double xl = columns[static_cast<std::size_t>(from[0])].distance;
            const double xr = columns[static_cast<std::size_t>(from[1])].distance;
            const double t = xr > xl ? std::clamp((x - xl) / (xr - xl), 0.0, 1.0) : 0.5;
            return left + t * (right - left);
        };
        bool usable[2] = {from[0] >= 0, from[1] >= 0};
        for (int side = 0; side < 2; ++side) {
            const int step = side == 0 ? -1 : 1;
            for (int o = c + step; usable[side] && o != from[side]; o += step) {
                const double expectedTop = at(columns[static_cast<std::size_t>(o)].distance, top[0], top[1]);
                usable[side] = endOf(o) >= expectedTop - 0.3;
            }
        }
        for (int side = 0; side < 2; ++side) {
            from[side] = usable[side] ? from[side] : -1;
        }
        const double x = columns[static_cast<std::size_t>(c)].distance;
        LineBeside line;
        line.from = from[0] >= 0 && !thins[0] ? from[0] : from[1];
        line.top = at(x, top[0], top[1]);
        line.bottom = at(x, bottom[0], bottom[1]);
        line.openBottom = (from[0] < 0 || open[0]) && (from[1] < 0 || open[1]);
        return line;
    };
    int sites = 0;
    for (const auto& list : units) {
        for (const ColumnUnit& unit : list) {
            sites = std::max(sites, unit.site + 1);
        }
    }
    std::vector<std::vector<ColumnUnit>> added(units.size());
    for (int c = 0; c < count; ++c) {
        auto& list = units[static_cast<std::size_t>(c)];
        if (list.empty()) {
            continue;
        }
        const ProposalColumn& column = columns[static_cast<std::size_t>(c)];
        const double offset = ShiftBelowEnd(column, list, endOf(c), beside, c);
        const int lastSite = list.back().site;
        double previous = endOf(c);
        for (int s = lastSite; s < sites; ++s) {
            const LineBeside line = beside(c, s);
            if (line.from < 0) {
                continue;
            }
            double unitTop = line.top + offset;
            // A bottom no log has shown (they end in the unit) stays where they end: the unit is
            // drawn no deeper than seen, and no shallower, which would leave ground without a unit.
            double unitBottom = line.openBottom ? line.bottom : line.bottom + offset;
            if (s == lastSite) {  // the log's last unit goes on down to where the others end it
                if (unitBottom < previous - 0.3) {
                    list.back().bottom = column.ground - unitBottom;
                    previous = unitBottom;
                }
                continue;
            }
            unitTop = std::min(unitTop, previous);
            if (unitBottom >= unitTop - 0.3) {
                continue;
            }
            ColumnUnit unit;
            for (const ColumnUnit& other : units[static_cast<std::size_t>(line.from)]) {
                if (other.site == s && !other.lens && other.host < 0) {
                    unit.group = other.group;
                }
            }
            unit.site = s;
            unit.inferred = true;
            unit.top = column.ground - previous;
            unit.bottom = column.ground - unitBottom;
            added[static_cast<std::size_t>(c)].push_back(unit);
            previous = unitBottom;
        }
    }
    for (std::size_t c = 0; c < units.size(); ++c) {
        units[c].insert(units[c].end(), added[c].begin(), added[c].end());
    }
}

bool HoldsLens(const AlignmentBand& band, const std::vector<ColumnUnit>& a,
               const std::vector<ColumnUnit>& b) {
    const auto lens = [](const std::vector<ColumnUnit>& list, int top, int bottom) {
        return bottom - top > 1 && std::any_of(list.begin() + top, list.begin() + bottom,
                                               [](const ColumnUnit& u) { return u.lens; });
    };
    return band.match && (lens(a, band.aTop, band.aBottom) || lens(b, band.bTop, band.bBottom));
}

std::vector<GapAlignment> GapsOf(const SectionUnits& units) {
    std::vector<GapAlignment> gaps;
    for (std::size_t c = 0; c + 1 < units.size(); ++c) {
        const auto& a = units[c];
        const auto& b = units[c + 1];
        const int m = static_cast<int>(a.size());
        const int n = static_cast<int>(b.size());
        GapAlignment bands;
        int i = 0;
        int j = 0;
        auto pinch = [&bands](int aTop, int aBottom, int bTop, int bBottom) {
            if (!bands.empty() && !bands.back().match) {
                bands.back().aBottom = aBottom;
                bands.back().bBottom = bBottom;
            } else {
                bands.push_back({false, aTop, aBottom, bTop, bBottom, -1});
            }
        };
        while (i < m || j < n) {
            const int sa = i < m ? a[static_cast<std::size_t>(i)].site : std::numeric_limits<int>::max();
            const int sb = j < n ? b[static_cast<std::size_t>(j)].site : std::numeric_limits<int>::max();
            int ie = i;
            int je = j;
            if (sa <= sb) {
                while (ie < m && a[static_cast<std::size_t>(ie)].site == sa) {
                    ++ie;
                }
            }
            if (sb <= sa) {
                while (je < n && b[static_cast<std::size_t>(je)].site == sb) {
                    ++je;
                }
            }
            if (sa == sb) {
                // A lens both columns show is one lens across the gap: the pieces above it, the
                // lens and the pieces below match in turn.
                int fromA = i;
                int fromB = j;
                for (int k = i + 1; k + 1 < ie; ++k) {
                    for (int l = fromB + 1; a[static_cast<std::size_t>(k)].lens && k > fromA && l + 1 < je;
                         ++l) {
                        const ColumnUnit& lens = b[static_cast<std::size_t>(l)];
                        if (lens.lens && lens.lensId >= 0 &&
                            lens.lensId == a[static_cast<std::size_t>(k)].lensId) {
                            bands.push_back({true, fromA, k, fromB, l, -1});
                            bands.push_back({true, k, k + 1, l, l + 1, -1});
                            fromA = k + 1;
                            fromB = l + 1;
                            break;
                        }
                    }
                }
                bands.push_back({true, fromA, ie, fromB, je, -1});
            } else {
                pinch(i, ie, j, je);
            }
            i = ie;
            j = je;
        }
        gaps.push_back(std::move(bands));
    }
    return gaps;
}

}  // namespace ravesect
