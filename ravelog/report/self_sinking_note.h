// The optional line of format 3's special notes that states the self-sinking layer verdict for the
// footing depth kept in the settings. The settings switch it on; it is off until the user asks.
#pragma once

#include <optional>
#include <string>

#include "common/ravelog_settings.h"
#include "ravelog/conversion/self_sinking.h"

namespace ravelog {

// The footing depth to judge on the sheet: set when the settings ask for the line and hold a
// footing depth of 0 m or more; nothing otherwise.
std::optional<double> SelfSinkingNoteDepth(const rave::RavelogSettings& settings);

// The line as printed (cp932): the footing depth, the two bands (the lower one marked "5m未達"
// when the sounding stops short of 5 m below the footing) and the verdict.
std::string SelfSinkingNoteText(const SelfSinkingCheck& check);

}  // namespace ravelog
