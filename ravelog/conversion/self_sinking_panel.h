// The self-sinking block of the Nsw average calculator ("自沈層の判定"), without its widgets: the
// footing depth it starts with, the check of the typed depth, the verdict as the block shows it,
// and the averaging range it proposes (footing depth to 2 m below it).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/conversion/self_sinking.h"

namespace ravelog {

// The footing depth the block starts with (cp932): the one judged earlier in this run
// (`remembered`), else the settings' footing depth when it is a depth of 0 m or more, else empty.
std::string InitialFootingDepthText(std::string_view remembered, const rave::RavelogSettings& settings);

struct SelfSinkingVerdict {
    SelfSinkingCheck check;
    // The verdict, one cp932 line each: the two bands, whether settlement must be examined, the
    // self-sinking layers within 5 m below the footing, and a note when the sounding stops short.
    std::vector<std::string> lines;
    // The averaging range the block proposes, "%.2f": the footing depth and 2 m below it.
    std::string proposedFrom;
    std::string proposedTo;
};

// "判定": a footing depth that is not a number of 0 m or more is refused with a message (nothing
// returned); otherwise the sounding is checked below it.
std::optional<SelfSinkingVerdict> JudgeSelfSinking(const SoundingDocument& document,
                                                   std::string_view footingText, rave::MessageSink& messages);

// The proposal goes into the averaging range only when the user has typed neither end of it.
bool TakesProposedRange(std::string_view rangeFrom, std::string_view rangeTo);

}  // namespace ravelog
