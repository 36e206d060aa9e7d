// The self-sinking verdict line of format 3's special notes.
#include "ravelog/report/self_sinking_note.h"

#include "common/format.h"

namespace ravelog {

std::optional<double> SelfSinkingNoteDepth(const rave::RavelogSettings& settings) {
    if (settings.Int(rave::sysline::kSelfSinkingNote) != 1) {
        return std::nullopt;
    }
    return ParseFootingDepth(settings.Line(rave::sysline::kFootingDepth));
}

std::string SelfSinkingNoteText(const SelfSinkingCheck& check) {
    // Short enough to end before the depth label that the scale puts at the foot of the graph.
    const auto found = [](bool yes) { return std::string(yes ? "あり" : "なし"); };
    std::string text = rave::FormatText("自沈層（告示第1113号）基礎底部GL-%.2fm：", check.footingDepth);
    text += "2m以内" + found(check.within2m) + "、2～5m" + found(check.from2to5m);
    if (!check.reaches5m) {
        text += "(5m未達)";
    }
    text += check.settlementCheck ? "→沈下検討 必要" : "→沈下検討 不要";
    return text;
}

}  // namespace ravelog
