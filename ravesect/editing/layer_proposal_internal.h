// What the parts of the layer proposal share: the alignment of two neighbouring columns as bands
// and the helpers of the column units. Not for callers outside the proposal.
#pragma once

#include <vector>

#include "ravesect/editing/layer_proposal.h"

namespace ravesect {

// The place of a group along gravel .. sand .. silt .. clay .. organic soil, so that the distance
// of two places says how near two groups are.
double GroupPosition(SoilGroup group);
void FillResistance(ColumnUnit& unit, const ProposalColumn& column);
void JoinSameGroups(std::vector<ColumnUnit>& units);
// Joins unit `index` to the unit above or below whose group is nearest (above on a tie).
void MergeIntoNeighbour(std::vector<ColumnUnit>& units, std::size_t index);

// One band of the alignment between the left column A and the right column B, top down. Ranges
// are boundary indices: unit k of a column lies between boundary k and k + 1. A match band joins
// A's units [aTop, aBottom) to B's [bTop, bBottom); only one side may hold more than one unit,
// and then its first and last are the matched pieces and those between are a lens inside them.
// A pinch band holds the units of either side (or both) that have no partner; they thin out
// towards one tip halfway between the columns.
struct AlignmentBand {
    bool match = true;
    int aTop = 0;
    int aBottom = 0;
    int bTop = 0;
    int bBottom = 0;
    int tip = -1;  // point index of the pinch's tip, or of the lens inside a match
};
using GapAlignment = std::vector<AlignmentBand>;

// The soil families that every kind of log tells apart; the finer groups within the cohesive
// family (silt, clay, organic soil, loam) only a boring's description can be trusted with.
enum class SoilFamily { kFill, kCohesive, kSand, kGravel, kRock, kOther };
SoilFamily FamilyOf(SoilGroup group);

// The middle value (of an even count the mean of the two middle values); 0 when there are none.
double Median(std::vector<double> values);

using SectionUnits = std::vector<std::vector<ColumnUnit>>;

// A band of another soil thinner than `band`, found in one log only (no neighbour has its soil
// near its elevation), joins the unit around it.
void AbsorbBands(const std::vector<ProposalColumn>& columns, SectionUnits& units, double band);

// Where a sounding unit spread over several site units parts them: the depth near `given` (the
// neighbours' boundary) where the log's own resistance changes most, between `top` and `bottom`.
double SplitAtResistanceChange(const ProposalColumn& column, double given, double top, double bottom);

// The site's sequence of units from all logs together: every column unit gets its `site` (and
// `lens`) so that each column runs down the sequence in order, a unit allowed to be absent. A
// sounding's unit that spans several site units of its family (which it cannot tell apart) is
// split where its neighbours put their boundaries. Returns the number of site units.
int FindStratigraphy(const std::vector<ProposalColumn>& columns, SectionUnits& units);

// A thin band between two units of one soil, the lower of which no log shows but under such a band
// (seen in one log or two neighbouring ones), is a lens inside the upper unit, which the lower joins.
void TakeBandsIntoLenses(SectionUnits& units, double band);

// Lenses of neighbouring columns in one site unit, of one family and at about one level, get one
// `lensId`: they are one lens across the gap.
void JoinNeighbouringLenses(const std::vector<ProposalColumn>& columns, SectionUnits& units);

// Below a log's end the site units of the deeper logs on either side go on (straight between
// them; at the ends of the section level with the one deeper neighbour), as inferred units,
// moved up or down as far as the log's own boundaries sit off that line.
void ContinueBelowEnds(const std::vector<ProposalColumn>& columns, SectionUnits& units);

// The bands of every gap between neighbouring columns, from the site units of their units.
std::vector<GapAlignment> GapsOf(const SectionUnits& units);
// Whether one side of a match band holds a lens between two pieces of its unit (a tongue and the
// soil under it are none).
bool HoldsLens(const AlignmentBand& band, const std::vector<ColumnUnit>& a, const std::vector<ColumnUnit>& b);

// Points, outlines and (when `titles`) title positions of the units; `gaps[c]` joins column c
// and c + 1.
void BuildGeometry(LayerProposal& proposal, std::vector<GapAlignment>& gaps, const ProposalOptions& options,
                   bool titles);

}  // namespace ravesect
