// The site's sequence of units as the layer proposal builds it: which units of which logs each site
// unit holds, and what the other logs say of a site unit at one log. Shared by the alignment of the
// logs and the splitting of a sounding's units; not for callers outside the proposal.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <utility>
#include <vector>

#include "ravesect/editing/layer_proposal.h"
#include "ravesect/editing/layer_proposal_internal.h"

namespace ravesect::strata {

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
            double top = -std::numeric_limits<double>::infinity();
            double bottom = std::numeric_limits<double>::infinity();
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

// Per column unit: the site unit it is in (lenses: -2 - the unit around them).
std::vector<std::vector<int>> Assignment(const Site& site);

// Splits every sounding unit that spans several site units where the logs beside it put the
// boundaries between them, and writes each column unit's site unit.
void WriteSites(Site& site);

}  // namespace ravesect::strata
