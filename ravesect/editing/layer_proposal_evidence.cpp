// The evidence the proposal weighs: soil families, the thin bands of another soil that one log
// alone shows, and where a sounding's resistance changes.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "ravesect/editing/layer_proposal.h"
#include "ravesect/editing/layer_proposal_internal.h"

namespace ravesect {

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    // Of an even count the mean of the two middle values: either one alone leans one way.
    return values.size() % 2 == 0 ? (values[middle - 1] + values[middle]) / 2.0 : values[middle];
}

SoilFamily FamilyOf(SoilGroup group) {
    switch (group) {
        case SoilGroup::kFill:
            return SoilFamily::kFill;
        case SoilGroup::kOrganic:
        case SoilGroup::kLoam:
        case SoilGroup::kSilt:
        case SoilGroup::kClay:
            return SoilFamily::kCohesive;
        case SoilGroup::kSand:
            return SoilFamily::kSand;
        case SoilGroup::kGravel:
            return SoilFamily::kGravel;
        case SoilGroup::kRock:
            return SoilFamily::kRock;
        case SoilGroup::kOther:
            break;
    }
    return SoilFamily::kOther;
}

namespace {

// A unit of the band's soil in a neighbour much thicker than the band is another unit.
constexpr double kThickestBand = 2.0;
// How far (m) above or below the band a neighbour's layer may lie and still show it: layers bend
// from log to log.
constexpr double kSeenWithin = 1.5;
// How far (m) a band of a neighbour may lie above or below and still show the band: two thin
// bands that only sit near each other's level in two logs are no seam.
constexpr double kBandsLevelWithin = 0.8;

double Thickness(const ColumnUnit& unit) {
    return unit.bottom - unit.top;
}

// Whether a neighbouring log shows the band too. A band of another family than the units around
// it (sand in clay) is looked for in the logs on either side, any of which tells families: a unit
// of its family about as thin at about its elevation (a thick one nearby is another unit). A band
// of the family around it (organic soil in clay) only a log that describes soils can see: the
// nearest such log on either side that reaches it must show the band's group there.
bool SeenBeside(const std::vector<ProposalColumn>& columns, const SectionUnits& units, std::size_t c,
                std::size_t k, double band) {
    const ColumnUnit& unit = units[c][k];
    const SoilFamily family = FamilyOf(unit.group);
    const bool sameFamilyAround = (k > 0 && FamilyOf(units[c][k - 1].group) == family) ||
                                  (k + 1 < units[c].size() && FamilyOf(units[c][k + 1].group) == family);
    const double top = columns[c].ground - unit.top;
    const double bottom = columns[c].ground - unit.bottom;
    const double thickest = std::max(2.5 * Thickness(unit), 2.0 * band);
    // At about its elevation, or at about its depth (fill and the ground just under it follow
    // the ground line).
    auto overlaps = [&](std::size_t other, const ColumnUnit& candidate, double within) {
        return (columns[other].ground - candidate.top > bottom - within &&
                columns[other].ground - candidate.bottom < top + within) ||
               (candidate.top < unit.bottom + within && candidate.bottom > unit.top - within);
    };
    for (const int step : {-1, 1}) {
        for (std::size_t other = c + static_cast<std::size_t>(step); other < columns.size();
             other += static_cast<std::size_t>(step)) {
            bool describes = false;
            const auto& list = units[other];
            for (std::size_t n = 0; n < list.size(); ++n) {
                const ColumnUnit& candidate = list[n];
                // A band of that log too is no unit that bends from log to log: it shows this one
                // only where the two lie level.
                const bool alsoBand = n > 0 && n + 1 < list.size() && Thickness(candidate) < band &&
                                      FamilyOf(list[n - 1].group) == FamilyOf(list[n + 1].group);
                if (!overlaps(other, candidate, alsoBand ? kBandsLevelWithin : kSeenWithin)) {
                    continue;
                }
                if (!sameFamilyAround && FamilyOf(candidate.group) == family &&
                    Thickness(candidate) <= thickest * kThickestBand) {
                    return true;
                }
                if (sameFamilyAround && candidate.sure) {
                    describes = true;
                    if (candidate.group == unit.group) {
                        return true;
                    }
                }
            }
            if (!sameFamilyAround || describes) {
                break;  // the next log on this side has been asked
            }
        }
    }
    return false;
}

}  // namespace

void AbsorbBands(const std::vector<ProposalColumn>& columns, SectionUnits& units, double band) {
    for (std::size_t c = 0; c < units.size(); ++c) {
        auto& list = units[c];
        // Any unit but the first and the last (the log's end may have cut it short), and only
        // inside one family: a thin layer between units of two families is a unit of its own, and
        // taking it in would let the grown unit take in the next one, and so on. A band with the
        // same soil above and below goes first (thinnest first within each kind): a thin piece of
        // a unit next to such a band (gravel, a clay band, gravel again under silt) is part of
        // that unit, not a band of its own.
        auto inside = [&list](std::size_t k) { return list[k - 1].group == list[k + 1].group; };
        auto before = [&](std::size_t k, std::size_t other) {
            if (inside(k) != inside(other)) {
                return inside(k);
            }
            return Thickness(list[k]) < Thickness(list[other]);
        };
        for (;;) {
            std::size_t chosen = list.size();
            for (std::size_t k = 1; k + 1 < list.size(); ++k) {
                if (FamilyOf(list[k - 1].group) == FamilyOf(list[k + 1].group) && Thickness(list[k]) < band &&
                    (chosen == list.size() || before(k, chosen)) && !SeenBeside(columns, units, c, k, band)) {
                    chosen = k;
                }
            }
            if (chosen == list.size()) {
                break;
            }
            if (chosen > 0 && list[chosen - 1].group == list[chosen + 1].group) {  // inside one unit
                list[chosen - 1].bottom = list[chosen + 1].bottom;
                list[chosen - 1].sure = list[chosen - 1].sure || list[chosen + 1].sure;
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(chosen),
                           list.begin() + static_cast<std::ptrdiff_t>(chosen) + 2);
            } else {
                MergeIntoNeighbour(list, chosen);
            }
        }
        for (ColumnUnit& unit : list) {
            FillResistance(unit, columns[c]);
        }
    }
}

namespace {

// A reading's resistance on a scale where soils differ by steps: ln(1 + Nsw) for a sounding row
// (0 where it sank under its load), ln(1 + N) for a boring's; negative when the row gives neither.
double Resistance(const ProposalReading& reading) {
    if (reading.nsw >= 0.0) {
        return std::log1p(reading.selfSinking ? 0.0 : reading.nsw);
    }
    return reading.n >= 0.0 ? std::log1p(reading.n) : -1.0;
}

}  // namespace

// Where a sounding unit spread over several site units parts them: the logs beside it give the
// depth of the boundary, and the boundaries bend from log to log, so the depth within kReach of it
// where the sounding's own resistance changes most is taken (the depth given when no clear change is
// near). The split lies between `top` and `bottom` with room for a piece on either side.
double SplitAtResistanceChange(const ProposalColumn& column, double given, double top, double bottom) {
    constexpr double kReach = 0.7;                // m either side of the depth the neighbours give
    constexpr double kWindow = 1.0;               // m of rows compared above and below a split
    constexpr double kClearChange = 0.6;          // in ln(1 + N): less is noise within one soil
    constexpr double kPerMetre = 0.2;             // a split farther from the given depth must be clearer
    std::vector<std::pair<double, double>> rows;  // (depth, ln(1 + N))
    for (const ProposalReading& reading : column.readings) {
        if (reading.depth > top && reading.depth <= bottom && Resistance(reading) >= 0.0) {
            rows.push_back({reading.depth, Resistance(reading)});
        }
    }
    double best = given;
    double bestScore = kClearChange;
    for (const auto& [depth, value] : rows) {
        if (std::abs(depth - given) > kReach || depth < top + 0.2 || depth > bottom - 0.2) {
            continue;
        }
        double above = 0.0;
        double below = 0.0;
        int aboveCount = 0;
        int belowCount = 0;
        for (const auto& [d, v] : rows) {
            if (d > depth - kWindow && d <= depth) {
                above += v, ++aboveCount;
            } else if (d > depth && d <= depth + kWindow) {
                below += v, ++belowCount;
            }
        }
        if (aboveCount < 2 || belowCount < 2) {
            continue;
        }
        const double score =
            std::abs(above / aboveCount - below / belowCount) - kPerMetre * std::abs(depth - given);
        if (score > bestScore) {
            best = depth;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace ravesect
