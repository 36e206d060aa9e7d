// What the two pages of the format sheet ("様式": "目盛り 記号" and "線種 マージン 名称") accept in
// each numeric line of "Sysq.ndx", and the check of a whole sheet before its OK.
#pragma once

#include <optional>

#include "common/messages.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect {

struct SysqFieldRange {
    int line;
    long lowest;
    long highest;
};

// The whole-number range of a line the sheet edits in a box; nothing for lines edited through a
// choice (radio buttons, drop-downs, check boxes) or as text.
std::optional<SysqFieldRange> FormatSheetRange(int line);

// Every ranged line of `sysq` in sheet order, then the dot radius (a number above 0 and at most
// 10 mm) and the texts (no line break, no "$$"). The first failure shows its message and gives
// its line; nothing when the sheet is fine.
std::optional<int> FirstFormatSheetFault(const SysqSettings& sysq, rave::MessageSink& messages);

}  // namespace ravesect
