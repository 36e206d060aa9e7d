// The layer proposal: alignment of neighbouring columns, units across the section, symbols,
// links with their reasons, and shrinking to the document's capacities.
#include "ravesect/editing/layer_proposal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <queue>

#include "common/format.h"
#include "ravesect/editing/layer_proposal_internal.h"

namespace ravesect {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

double Thickness(const ColumnUnit& unit) {
    return unit.bottom - unit.top;
}

}  // namespace

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

// The group a site unit is named by: what the borings say of it, else what the soundings say.
SoilGroup GroupOfSite(const SectionUnits& units, int site) {
    std::array<int, kSoilGroupCount> sure{};
    std::array<int, kSoilGroupCount> all{};
    for (const auto& list : units) {
        for (const ColumnUnit& unit : list) {
            if (unit.site == site && !unit.lens && !unit.inferred && unit.host < 0) {
                ++all[static_cast<std::size_t>(unit.group)];
                sure[static_cast<std::size_t>(unit.group)] += unit.sure ? 1 : 0;
            }
        }
    }
    const bool anySure = std::any_of(sure.begin(), sure.end(), [](int n) { return n > 0; });
    const auto& votes = anySure ? sure : all;
    if (std::all_of(votes.begin(), votes.end(), [](int n) { return n == 0; })) {
        for (const auto& list : units) {  // inferred units only
            for (const ColumnUnit& unit : list) {
                if (unit.site == site && !unit.lens && unit.host < 0) {
                    return unit.group;
                }
            }
        }
    }
    return static_cast<SoilGroup>(std::max_element(votes.begin(), votes.end()) - votes.begin());
}

// The group a lens is named by: what a boring says of it where one shows it.
SoilGroup GroupOfLens(const SectionUnits& units, const ColumnUnit& lens) {
    for (const auto& list : units) {
        for (const ColumnUnit& unit : list) {
            if (unit.lens && unit.lensId == lens.lensId && unit.sure) {
                return unit.group;
            }
        }
    }
    return lens.group;
}

LayerProposal Build(const std::vector<ProposalColumn>& columns, SectionUnits columnUnits,
                    const ProposalOptions& options, bool titles) {
    LayerProposal p;
    p.columns = columns;
    p.columnUnits = std::move(columnUnits);
    const int count = static_cast<int>(columns.size());
    const int sites = FindStratigraphy(columns, p.columnUnits);
    TakeBandsIntoLenses(p.columnUnits, options.band);
    JoinNeighbouringLenses(columns, p.columnUnits);
    ContinueBelowEnds(columns, p.columnUnits);
    std::vector<GapAlignment> gaps = GapsOf(p.columnUnits);

    // One unit per site unit present somewhere, top down; then the lenses, column by column.
    std::vector<int> unitOfSite(static_cast<std::size_t>(sites), -1);
    for (int s = 0; s < sites; ++s) {
        bool present = false;
        for (const auto& list : p.columnUnits) {
            for (const ColumnUnit& unit : list) {
                present = present || (unit.site == s && !unit.lens);
            }
        }
        if (present) {
            unitOfSite[static_cast<std::size_t>(s)] = static_cast<int>(p.units.size());
            p.units.push_back({});
            p.units.back().group = GroupOfSite(p.columnUnits, s);
            p.units.back().site = s;
        }
    }
    std::map<int, int> unitOfLens;  // by lensId: a lens across a gap is one unit
    for (int c = 0; c < count; ++c) {
        for (ColumnUnit& unit : p.columnUnits[static_cast<std::size_t>(c)]) {
            int u = 0;
            if (unit.lens && unit.lensId >= 0 && unitOfLens.count(unit.lensId) > 0) {
                u = unitOfLens[unit.lensId];
            } else if (unit.lens) {
                u = static_cast<int>(p.units.size());
                unitOfLens[unit.lensId] = u;
                p.units.push_back({});
                p.units.back().group = GroupOfLens(p.columnUnits, unit);
                p.units.back().inner = true;
            } else {
                u = unitOfSite[static_cast<std::size_t>(unit.host >= 0 ? unit.host : unit.site)];
            }
            unit.unit = u;
            ProposedUnit& proposed = p.units[static_cast<std::size_t>(u)];
            if (!proposed.extents.empty() && proposed.extents.back().column == c) {
                proposed.extents.back().bottom = unit.bottom;
            } else {
                proposed.extents.push_back({c, unit.top, unit.bottom});
            }
        }
    }

    // Symbols numbered from the top within each group.
    std::array<int, kSoilGroupCount> perGroup{};
    for (const ProposedUnit& unit : p.units) {
        ++perGroup[static_cast<std::size_t>(unit.group)];
    }
    std::array<int, kSoilGroupCount> numbered{};
    for (ProposedUnit& unit : p.units) {
        const std::size_t g = static_cast<std::size_t>(unit.group);
        const std::string stem = SoilGroupSymbolStem(unit.group);
        const bool alwaysNumbered = stem.size() == 2 && stem[0] == 'A' && stem != "Ap";
        ++numbered[g];
        unit.symbol = alwaysNumbered || perGroup[g] > 1 ? stem + std::to_string(numbered[g]) : stem;
        unit.style = options.styles[g];
    }

    // The links of every gap follow from the site units on its two sides.
    for (int g = 0; g + 1 < count; ++g) {
        const auto& ua = p.columnUnits[static_cast<std::size_t>(g)];
        const auto& ub = p.columnUnits[static_cast<std::size_t>(g) + 1];
        for (const AlignmentBand& band : gaps[static_cast<std::size_t>(g)]) {
            auto unlinked = [&](int from, int to, const ColumnUnit& unit) {
                const bool listed =
                    std::any_of(p.links.begin(), p.links.end(), [&](const ProposalLink& link) {
                        return link.fromColumn == from && link.toColumn == to && link.unit == unit.unit;
                    });
                if (unit.host >= 0 || listed) {
                    return;  // the soil below a tongue is linked as the unit around it; a tongue of two
                             // soils (clay over silt) thins out once
                }
                const ProposedUnit& proposed = p.units[static_cast<std::size_t>(unit.unit)];
                const bool alone = proposed.extents.size() == 1 || proposed.inner;
                const bool between = from > 0 && from + 1 < count;
                const LinkKind kind = alone && between ? LinkKind::kLens : LinkKind::kPinch;
                p.links.push_back(
                    {from, to, unit.unit, kind, kind == LinkKind::kLens ? "レンズ" : "尖滅", true});
            };
            // A unit around a lens across the gap is matched above and below it: one link says so.
            const auto linked = [&](int unit) {
                return std::any_of(p.links.begin(), p.links.end(), [&](const ProposalLink& link) {
                    return link.fromColumn == g && link.unit == unit && link.kind == LinkKind::kMatch;
                });
            };
            if (band.match && !linked(ua[static_cast<std::size_t>(band.aTop)].unit)) {
                const ColumnUnit& a = ua[static_cast<std::size_t>(band.aTop)];
                const ColumnUnit& b = ub[static_cast<std::size_t>(band.bTop)];
                const bool lens = HoldsLens(band, ua, ub);
                const double difference =
                    MidElevation(columns[static_cast<std::size_t>(g)], ua, band.aTop, band.aBottom) -
                    MidElevation(columns[static_cast<std::size_t>(g) + 1], ub, band.bTop, band.bBottom);
                p.links.push_back({g, g + 1, a.unit, LinkKind::kMatch,
                                   MatchReason(a.group, b.group, difference, lens), true});
            }
            // A lens inside a match has no partner across; a lens across the gap is a match of its own.
            for (int k = band.aTop; k < band.aBottom; ++k) {
                const ColumnUnit& unit = ua[static_cast<std::size_t>(k)];
                if (!band.match || (unit.lens && band.aBottom - band.aTop > 1)) {
                    unlinked(g, g + 1, unit);
                }
            }
            for (int k = band.bTop; k < band.bBottom; ++k) {
                const ColumnUnit& unit = ub[static_cast<std::size_t>(k)];
                if (!band.match || (unit.lens && band.bBottom - band.bTop > 1)) {
                    unlinked(g + 1, g, unit);
                }
            }
        }
    }
    BuildGeometry(p, gaps, options, titles);
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

namespace {

// A unit merged away to fit the capacities: where it was, to name what holds it once drawn.
struct MergedUnit {
    SoilGroup group;
    double thickness;
    int column;
    double depth;
};

// The column units without what the last proposal inferred or split: each log as it was read.
SectionUnits AsRead(const SectionUnits& units, const std::vector<double>& ends) {
    SectionUnits result = units;
    for (std::size_t c = 0; c < result.size(); ++c) {
        auto& list = result[c];
        list.erase(std::remove_if(list.begin(), list.end(), [](const ColumnUnit& u) { return u.inferred; }),
                   list.end());
        if (!list.empty()) {
            list.back().bottom = ends[c];
        }
        for (ColumnUnit& unit : list) {
            unit.site = -1;
            unit.lens = false;
            unit.lensId = -1;
            unit.host = -1;
        }
        JoinSameGroups(list);
    }
    return result;
}

}  // namespace

LayerProposal ProposeLayers(std::vector<ProposalColumn> columns, const SoilGroupClassifier& classifier,
                            const ProposalOptions& options) {
    SectionUnits columnUnits;
    for (const ProposalColumn& column : columns) {
        columnUnits.push_back(ColumnUnitsOf(column, classifier, options.minThickness));
    }
    AbsorbBands(columns, columnUnits, options.band);
    std::vector<std::string> warnings;
    if (!columns.empty()) {
        // Every unit boundary of a column is a point: (units + 1) points per column at least.
        const int perColumn = options.freePoints / static_cast<int>(columns.size()) - 1;
        KeepColumnsWithin(columnUnits, columns, static_cast<std::size_t>(std::max(perColumn, 1)), warnings);
    }
    std::vector<double> ends;
    for (const auto& list : columnUnits) {
        ends.push_back(list.empty() ? 0.0 : list.back().bottom);
    }
    std::vector<MergedUnit> merged;
    for (;;) {
        // Titles are placed once the proposal fits (or cannot be made to).
        LayerProposal p = Build(columns, columnUnits, options, false);
        const bool fits = Fits(p, options);
        // The thinnest site unit (by its greatest thickness in a log) that can join a neighbour.
        int thinnest = -1;
        double thinnestThickness = kInfinity;
        if (!fits) {
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
        }
        if (fits || thinnest < 0) {
            p = Build(columns, columnUnits, options, true);
            // Name each merged unit by the unit that holds its place now.
            for (const MergedUnit& m : merged) {
                std::string holder;
                for (const ColumnUnit& unit : p.columnUnits[static_cast<std::size_t>(m.column)]) {
                    if (unit.top <= m.depth && m.depth <= unit.bottom && unit.unit >= 0 && !unit.lens) {
                        holder = p.units[static_cast<std::size_t>(unit.unit)].symbol;
                    }
                }
                warnings.push_back(SoilGroupName(m.group) + " (" + rave::FormatText("%.2f", m.thickness) +
                                   " m) は点・層・タイトルの数に収めるため " +
                                   (holder.empty() ? std::string("隣の層") : holder) + " に統合しました");
            }
            p.warnings.insert(p.warnings.begin(), warnings.begin(), warnings.end());
            if (!fits) {
                p.fits = false;
                p.warnings.push_back("推定した地層が断面図の点・層・タイトルの数に収まりません");
            }
            return p;
        }
        const ProposedUnit& unit = p.units[static_cast<std::size_t>(thinnest)];
        const ProposedUnit::Extent& widest = *std::max_element(
            unit.extents.begin(), unit.extents.end(),
            [](const auto& a, const auto& b) { return a.bottom - a.top < b.bottom - b.top; });
        merged.push_back({unit.group, thinnestThickness, widest.column, (widest.top + widest.bottom) / 2.0});
        // Each log's piece of it joins its neighbour in that log; the logs are then read anew.
        for (auto& list : p.columnUnits) {
            for (std::size_t k = 0; k < list.size() && list.size() > 1;) {
                if (list[k].unit == thinnest && !list[k].inferred) {
                    MergeIntoNeighbour(list, k);
                    k = 0;
                } else {
                    ++k;
                }
            }
        }
        std::size_t before = 0;
        for (const auto& list : columnUnits) {
            before += list.size();
        }
        columnUnits = AsRead(p.columnUnits, ends);
        std::size_t after = 0;
        for (const auto& list : columnUnits) {
            after += list.size();
        }
        if (after >= before) {  // only pieces of one sounding unit went: merge in the fullest log
            auto fullest = std::max_element(columnUnits.begin(), columnUnits.end(),
                                            [](const auto& a, const auto& b) { return a.size() < b.size(); });
            const auto thinnestPiece = std::min_element(
                fullest->begin(), fullest->end(),
                [](const ColumnUnit& a, const ColumnUnit& b) { return Thickness(a) < Thickness(b); });
            MergeIntoNeighbour(*fullest, static_cast<std::size_t>(thinnestPiece - fullest->begin()));
        }
        for (std::size_t c = 0; c < columnUnits.size(); ++c) {
            for (ColumnUnit& columnUnit : columnUnits[c]) {
                FillResistance(columnUnit, columns[c]);
            }
        }
    }
}

}  // namespace ravesect
