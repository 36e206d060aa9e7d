// The format sheet's check of the N-graph frame.
#include "ravesect/settings/format_sheet.h"

#include <algorithm>

#include "common/format.h"

namespace ravesect {

bool CorrectFormatSheet(SysqSettings& sysq, rave::MessageSink& messages) {
    const long blows = std::clamp(sysq.Int(sysqline::kMaxBlowCount), 0L, 2L);
    const long grid = std::clamp(sysq.Int(sysqline::kNGridMaximum), 0L, 2L);
    if (grid >= blows) {
        return true;
    }
    const int shown = blows == 1 ? 60 : blows == 2 ? 70 : 50;
    messages.Show(
        rave::Message{0, rave::FormatText("Ｎ値のグラフ枠が最高打撃回数(%d)より小さいです", shown), {}});
    sysq.SetInt(sysqline::kNGridMaximum, blows);
    return false;
}

bool FormatSheetLoop::Ok(const SysqSettings& entered, rave::MessageSink& messages) {
    values_ = entered;
    return CorrectFormatSheet(values_, messages) || reopenings_++ == kMaxFormatSheetReopenings;
}

}  // namespace ravesect
