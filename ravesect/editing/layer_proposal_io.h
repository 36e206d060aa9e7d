// What the layer proposal takes from a section and how it is written back: the checks of the
// placed logs before anything is proposed, the titles an earlier proposal wrote, the point numbers
// free for new points, and the points, layers and titles written as one change.
#pragma once

#include <string>
#include <vector>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"
#include "ravesect/editing/layer_proposal.h"

namespace ravesect {

// Why the logs cannot be proposed from as they stand (cp932), empty when they can: two logs at
// one distance (their layers would meet in a line of no width), or a ground elevation whose
// points the section file would not read back.
std::string ProposalColumnsProblem(const std::vector<ProposalColumn>& columns);

// The deepest layer bottom of the logs (m): the largest minimum thickness that means anything.
double DeepestLayerBottom(const std::vector<ProposalColumn>& columns);

// True when the title is taken for one an earlier proposal wrote, which replacing removes with
// the points and layers. The file keeps no author for a title, so the rule is: its text is a unit
// symbol as the proposal writes them (a group's stem such as B, Ac, As, Ag, optionally followed
// by digits: Ac1, As2) and its anchor lies within 1 m of the extent of one of the section's
// layers. A title that says more than a symbol (盛土（Ｂ）, 推定地下水位), or stands away from
// every layer, is the engineer's and stays.
bool IsProposedTitle(const TitleText& title, const SectionDocument& document);

// The point numbers new points may take: undefined and listed by no layer in use (a deleted
// point an engineer's layer still lists would otherwise be moved under that layer).
std::vector<int> FreePointNumbers(const SectionDocument& document);

// Writes the points and layers file and the titles file as one change: both or, after the
// message, neither (each is put back as it was).
bool WritePointsLayersAndTitles(const WorkingFiles& files, const SectionDocument& document,
                                rave::MessageSink& messages);

}  // namespace ravesect
