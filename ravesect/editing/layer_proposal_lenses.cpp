// Lenses across a gap: a thin band inside one soil that neighbouring logs show at about one level is
// one lens inside that soil, not a unit that parts the soil into two.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "ravesect/editing/layer_proposal.h"
#include "ravesect/editing/layer_proposal_internal.h"

namespace ravesect {

namespace {

// How far (m) two lenses of neighbouring logs may lie above or below each other, by elevation or by
// depth, and still be one lens: as far as a neighbour's layer may lie and still show a band.
constexpr double kLensesLevelWithin = 1.5;

double Thickness(const ColumnUnit& unit) {
    return unit.bottom - unit.top;
}

// A thin unit of site `band` right between units of sites `above` and `below` of one soil, at
// column `column`, unit `index` (the band).
struct Sandwich {
    int column = 0;
    std::size_t index = 0;
    int above = 0;
    int band = 0;
};

// Per site unit below a thin band: the places where a log shows it right under that band. Only a
// band of another family counts: a thin silt between two clays is more often a unit of the
// cohesive sequence thinning out than a seam.
std::map<int, std::vector<Sandwich>> SandwichesBelow(const SectionUnits& units, double band) {
    std::map<int, std::vector<Sandwich>> result;
    for (std::size_t c = 0; c < units.size(); ++c) {
        const auto& list = units[c];
        for (std::size_t k = 1; k + 1 < list.size(); ++k) {
            const ColumnUnit& up = list[k - 1];
            const ColumnUnit& middle = list[k];
            const ColumnUnit& down = list[k + 1];
            if (up.lens || middle.lens || down.lens || up.group != down.group ||
                FamilyOf(middle.group) == FamilyOf(up.group) || Thickness(middle) >= band ||
                !(up.site < middle.site && middle.site < down.site)) {
                continue;
            }
            result[down.site].push_back({static_cast<int>(c), k, up.site, middle.site});
        }
    }
    return result;
}

// Whether every unit of site `site` (lenses in it included) lies in one of `places`, right under
// its band.
bool OnlyUnderBands(const SectionUnits& units, int site, const std::vector<Sandwich>& places) {
    for (std::size_t c = 0; c < units.size(); ++c) {
        const auto& list = units[c];
        for (std::size_t k = 0; k < list.size(); ++k) {
            if (list[k].site != site) {
                continue;
            }
            const bool underBand = std::any_of(places.begin(), places.end(), [&](const Sandwich& s) {
                return s.column == static_cast<int>(c) && k > s.index;
            });
            if (!underBand) {
                return false;
            }
        }
    }
    return true;
}

// Whether logs on both sides of a place (other than the places themselves) show its band's unit:
// the unit then goes on through that log, thinned, and the band is that unit.
bool BandGoesThrough(const SectionUnits& units, const Sandwich& place, const std::vector<Sandwich>& places) {
    bool left = false;
    bool right = false;
    for (std::size_t c = 0; c < units.size(); ++c) {
        const bool isPlace = std::any_of(places.begin(), places.end(),
                                         [c](const Sandwich& s) { return s.column == static_cast<int>(c); });
        const bool shows = std::any_of(units[c].begin(), units[c].end(),
                                       [&](const ColumnUnit& u) { return u.site == place.band && !u.lens; });
        if (!isPlace && shows) {
            left = left || static_cast<int>(c) < place.column;
            right = right || static_cast<int>(c) > place.column;
        }
    }
    return left && right;
}

bool Level(const ProposalColumn& a, const ColumnUnit& x, const ProposalColumn& b, const ColumnUnit& y) {
    const bool byElevation = a.ground - x.top > b.ground - y.bottom - kLensesLevelWithin &&
                             a.ground - x.bottom < b.ground - y.top + kLensesLevelWithin;
    const bool byDepth = x.top < y.bottom + kLensesLevelWithin && x.bottom > y.top - kLensesLevelWithin;
    return byElevation || byDepth;
}

}  // namespace

void TakeBandsIntoLenses(SectionUnits& units, double band) {
    for (bool changed = true; changed;) {
        changed = false;
        for (const auto& [below, places] : SandwichesBelow(units, band)) {
            // The soil under the band is the soil above it where no log shows it anywhere else, the
            // band is seen in one log or two neighbouring ones, and its unit does not go on through
            // them.
            const int above = places.front().above;
            const bool oneAbove = std::all_of(places.begin(), places.end(),
                                              [above](const Sandwich& s) { return s.above == above; });
            const bool neighbours =
                places.size() == 1 ||
                (places.size() == 2 && std::abs(places[0].column - places[1].column) == 1);
            const bool through =
                std::any_of(places.begin(), places.end(), [&units, &all = places](const Sandwich& place) {
                    return BandGoesThrough(units, place, all);
                });
            if (!oneAbove || !neighbours || through || !OnlyUnderBands(units, below, places)) {
                continue;
            }
            for (const Sandwich& s : places) {
                auto& list = units[static_cast<std::size_t>(s.column)];
                list[s.index].lens = true;
                list[s.index].site = above;
                for (std::size_t k = s.index + 1; k < list.size() && list[k].site == below; ++k) {
                    list[k].site = above;
                }
            }
            changed = true;
            break;  // the bands found before may have changed
        }
    }
}

void JoinNeighbouringLenses(const std::vector<ProposalColumn>& columns, SectionUnits& units) {
    int next = 0;
    for (std::size_t c = 0; c < units.size(); ++c) {
        for (ColumnUnit& unit : units[c]) {
            unit.lensId = -1;
        }
    }
    for (std::size_t c = 0; c < units.size(); ++c) {
        for (ColumnUnit& unit : units[c]) {
            if (!unit.lens) {
                continue;
            }
            if (unit.lensId < 0) {
                unit.lensId = next++;
            }
            if (c + 1 >= units.size()) {
                continue;
            }
            for (ColumnUnit& other : units[c + 1]) {
                if (other.lens && other.lensId < 0 && other.site == unit.site &&
                    FamilyOf(other.group) == FamilyOf(unit.group) &&
                    Level(columns[c], unit, columns[c + 1], other)) {
                    other.lensId = unit.lensId;
                    break;
                }
            }
        }
    }
}

}  // namespace ravesect
