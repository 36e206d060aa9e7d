// The OK of the format sheet ("様式"): the N-graph frame must hold the maximum blow count, and
// after the settings are taken the page lengths are lowered to what the paper allows with the
// new margins.
#pragma once

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/settings/section_paper.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect {

inline constexpr int kMaxFormatSheetReopenings = 5;

// An N-graph grid maximum (line 8) below the maximum blow count (line 7) gives
// "Ｎ値のグラフ枠が最高打撃回数(%d)より小さいです" with 50, 60 or 70 and the grid maximum becomes the
// blow count; false then (the sheet reopens with the corrected value).
bool CorrectFormatSheet(SysqSettings& sysq, rave::MessageSink& messages);

// The OK loop one pass at a time, for a sheet that stays open while it reopens.
class FormatSheetLoop {
public:
    explicit FormatSheetLoop(const SysqSettings& sysq) : values_(sysq) {}
    // What the sheet shows: the settings, then the values corrected by the last OK.
    const SysqSettings& Values() const { return values_; }
    // One OK on the values entered: true when the sheet closes with Values() taken (nothing to
    // correct, or the fifth reopening is used up); false while it reopens with the correction.
    bool Ok(const SysqSettings& entered, rave::MessageSink& messages);

private:
    SysqSettings values_;
    int reopenings_ = 0;
};

// The OK loop: `edit` is the user's turn (false: Cancel); at most 5 reopenings. True when the
// settings were accepted: the caller rewrites "Sysq.ndx"; the page lengths of `settings` are then
// lowered to the paper (and the caller writes "Tmp0.tmp" when they changed).
template <typename EditFunction>
bool RunFormatSheet(SysqSettings& sysq, SectionSettings& settings, const SectionPaper& paper,
                    rave::MessageSink& messages, EditFunction&& edit) {
    FormatSheetLoop loop(sysq);
    for (;;) {
        SysqSettings values = loop.Values();
        if (!edit(values)) {
            return false;
        }
        if (loop.Ok(values, messages)) {
            sysq = loop.Values();
            LowerPageLengthsToPaper(settings, paper, sysq);
            return true;
        }
    }
}

}  // namespace ravesect
