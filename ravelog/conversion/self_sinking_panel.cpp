// The self-sinking block of the Nsw average calculator.
#include "ravelog/conversion/self_sinking_panel.h"

#include "common/format.h"
#include "common/text_fields.h"

namespace ravelog {

namespace {

constexpr double kBandBottom = 5.0;  // the check looks 5 m below the footing
constexpr double kProposedRange = 2.0;

const char* Found(bool found) {
    return found ? "あり" : "なし";
}

}  // namespace

std::string InitialFootingDepthText(std::string_view remembered, const rave::RavelogSettings& settings) {
    if (!rave::TrimBlanks(remembered).empty()) {
        return std::string(rave::TrimBlanks(remembered));
    }
    const std::string& stored = settings.Line(rave::sysline::kFootingDepth);
    return ParseFootingDepth(stored) ? std::string(rave::TrimBlanks(stored)) : std::string();
}

std::optional<SelfSinkingVerdict> JudgeSelfSinking(const SoundingDocument& document,
                                                   std::string_view footingText,
                                                   rave::MessageSink& messages) {
    const std::optional<double> footing = ParseFootingDepth(rave::TrimBlanks(footingText));
    if (!footing) {
        messages.Show(rave::Message{0, "基礎底部の深さには 0 以上の数値 (m) を入力してください。", {}});
        return std::nullopt;
    }
    const double f = *footing;
    SelfSinkingVerdict verdict;
    verdict.check = CheckSelfSinking(document, f);
    const SelfSinkingCheck& check = verdict.check;
    std::vector<std::string>& lines = verdict.lines;
    lines.push_back(
        rave::FormatText("基礎底部から2m以内に荷重1kN以下で自沈する層: %s", Found(check.within2m)));
    lines.push_back(rave::FormatText("2mを超え5m以内に荷重500N以下で自沈する層: %s", Found(check.from2to5m)));
    lines.push_back(rave::FormatText("沈下の検討: %s", check.settlementCheck ? "必要" : "不要"));
    // The list names what its heading says: the layers that reach into the 5 m below the footing.
    std::vector<std::string> layers;
    for (const SelfSinkingLayer& layer : check.layers) {
        if (layer.to > f && layer.from < f + kBandBottom) {
            layers.push_back(
                rave::FormatText("　GL-%.2f～%.2fm　Wsw %.2fkN", layer.from, layer.to, layer.wsw));
        }
    }
    if (layers.empty()) {
        lines.emplace_back("自沈層 (基礎底部から5m以内): なし");
    } else {
        lines.emplace_back("自沈層 (基礎底部から5m以内):");
        lines.insert(lines.end(), layers.begin(), layers.end());
    }
    if (!check.reaches5m) {
        lines.push_back(
            rave::FormatText("※ 試験が基礎底部から5m (GL-%.2fm) まで達していません。", f + kBandBottom));
    }
    verdict.proposedFrom = rave::FormatText("%.2f", f);
    verdict.proposedTo = rave::FormatText("%.2f", f + kProposedRange);
    return verdict;
}

bool TakesProposedRange(std::string_view rangeFrom, std::string_view rangeTo) {
    return rave::TrimBlanks(rangeFrom).empty() && rave::TrimBlanks(rangeTo).empty();
}

}  // namespace ravelog
