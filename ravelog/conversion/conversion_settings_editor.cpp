// The conversion editor model: copy in, display rules, checks, example sets and write back.
#include "ravelog/conversion/conversion_settings_editor.h"

#include <array>

#include "common/field_validation.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "ravelog/conversion/coefficient_set.h"
#include "ravelog/conversion/conversions.h"
#include "ravelog/conversion/default_settings.h"

namespace ravelog {

namespace {

using Kind = ConversionFieldKind;

// What the editor shows in the Nsw cap field when the document sets none.
constexpr const char* kProposedNswCap = "150";
// The suggestion the notification and program-default examples show: 30 + 0.6 x 150.
constexpr const char* kExampleSuggestion = "120";

std::vector<int> BuildSlots() {
    std::vector<int> slots;
    for (int n = 34; n <= 70; ++n) {
        slots.push_back(n);
    }
    slots.push_back(coef::kQuForSandy);
    slots.push_back(coef::kQaOverMark);
    slots.push_back(coef::kQaDisplayLimit);
    return slots;
}

bool IsScaleStep(int slot) {
    return slot == coef::kQuScaleStep || slot == coef::kQaScaleStep;
}

// A check box is ticked the way the sheets and the conversions read the slot.
bool SlotFlag(const SoundingHeader& header, int slot) {
    const CoefficientSet set(header);
    const long value = rave::ParseInteger(header[slot]);
    switch (slot) {
        case coef::kQaWsw1Only:
            return set.QaForWsw1Only();
        case coef::kQuForSandy:
            return set.QuForSandy();
        case coef::kShowExponentOne:
            return value >= 1;
        default:
            return value != 0;
    }
}

// The index a radio-group text stands for, -1 when it is none of the `count` choices.
int ChoiceIndex(const std::string& text, int count) {
    if (rave::IsNumericStart(text) <= 0) {
        return -1;
    }
    const long value = rave::ParseInteger(text);
    return value >= 0 && value < count ? static_cast<int>(value) : -1;
}

void SetTexts(std::map<int, std::string>& texts, int first, const std::array<const char*, 5>& values) {
    for (int i = 0; i < 5; ++i) {
        texts[first + i] = values[static_cast<std::size_t>(i)];
    }
}

template <std::size_t N>
void SetTexts(std::map<int, std::string>& texts, int first, const std::array<std::string, N>& values) {
    for (std::size_t i = 0; i < N; ++i) {
        texts[first + static_cast<int>(i)] = values[i];
    }
}

// The display groups the examples move the display choice into.
constexpr int kShowNAndQu = display::kNAndQu;
constexpr int kShowNAndQa = display::kNAndQa;

}  // namespace

const std::vector<int>& EditConversionSettings::Slots() {
    static const std::vector<int> slots = BuildSlots();
    return slots;
}

ConversionFieldKind EditConversionSettings::KindOf(int slot) {
    switch (slot) {
        case coef::kDisplay:
        case coef::kNGraphMax:
        case coef::kNPlotDepth:
        case coef::kQuQaPlotDepth:
        case coef::kQaFormulaKind:
            return Kind::kChoice;
        case coef::kShowExponentOne:
        case coef::kQaWsw1Only:
        case coef::kVerticalRule:
        case coef::kQuForSandy:
        case coef::kQaOverMark:
            return Kind::kFlag;
        case coef::kQuScaleEnd:
        case coef::kQuScaleStep:
        case coef::kQaScaleEnd:
        case coef::kQaScaleStep:
        case coef::kQaDisplayLimit:
            return Kind::kInteger;
        default:
            return Kind::kText;
    }
}

int EditConversionSettings::ChoiceCount(int slot) {
    switch (slot) {
        case coef::kDisplay:
            return 5;
        case coef::kNGraphMax:
            return 3;
        case coef::kNPlotDepth:
        case coef::kQuQaPlotDepth:
        case coef::kQaFormulaKind:
            return 2;
        default:
            return 0;
    }
}

std::vector<std::string> EditConversionSettings::ExampleLabels() {
    return {"N値・qu　稲田", " qa 告示1113号", " qa 平板載荷 ", " qa N値比例式", "初期設定"};
}

EditConversionSettings::EditConversionSettings(const SoundingDocument& document,
                                               const rave::RavelogSettings& settings)
    : settings_(settings) {
    const SoundingHeader& h = document.header;
    for (int slot : Slots()) {
        originals_[slot] = h[slot];
        switch (KindOf(slot)) {
            case Kind::kFlag:
                texts_[slot] = SlotFlag(h, slot) ? "1" : "0";
                break;
            default:
                texts_[slot] = h[slot];
                break;
        }
    }
    // The plot depths show the program's setting unless the document chose one of its own.
    const std::pair<int, int> plotDepths[] = {{coef::kNPlotDepth, rave::sysline::kNPlotDepth},
                                              {coef::kQuQaPlotDepth, rave::sysline::kQuQaPlotDepth}};
    for (const auto& [slot, line] : plotDepths) {
        if (ChoiceIndex(h[slot], 2) < 0) {
            texts_[slot] = rave::FormatText("%ld", settings.Int(line));
        }
    }
    if (texts_[coef::kNswCap].empty()) {
        texts_[coef::kNswCap] = kProposedNswCap;
    }
    RecomputeSuggestion();
}

const std::string& EditConversionSettings::Text(int slot) const {
    return texts_.at(slot);
}

void EditConversionSettings::SetText(int slot, std::string text) {
    const Kind kind = KindOf(slot);
    if (texts_.count(slot) != 0 && (kind == Kind::kText || kind == Kind::kInteger)) {
        texts_[slot] = std::move(text);
    }
}

int EditConversionSettings::Choice(int slot) const {
    const int count = ChoiceCount(slot);
    return count > 0 ? ChoiceIndex(texts_.at(slot), count) : -1;
}

void EditConversionSettings::SetChoice(int slot, int index) {
    if (index >= 0 && index < ChoiceCount(slot)) {
        texts_[slot] = rave::FormatText("%d", index);
    }
}

bool EditConversionSettings::Flag(int slot) const {
    return KindOf(slot) == Kind::kFlag && texts_.count(slot) != 0 && texts_.at(slot) == "1";
}

void EditConversionSettings::SetFlag(int slot, bool on) {
    if (KindOf(slot) == Kind::kFlag && texts_.count(slot) != 0) {
        texts_[slot] = on ? "1" : "0";
    }
}

bool EditConversionSettings::LeaveQaDisplayLimit(rave::MessageSink& messages) {
    std::string& limit = texts_[coef::kQaDisplayLimit];
    if (limit.empty()) {
        return true;
    }
    // The suggestion is copied in as "%5.1f", so a decimal text counts by its whole part.
    const long value = rave::IsNumericStart(limit) > 0 ? rave::ParseInteger(limit) : 0;
    if (value > 0) {
        limit = rave::FormatText("%ld", value);
        return true;
    }
    limit.clear();
    messages.Show(rave::Message{kAbnormalValueMessage, "数値が異常です", {}});
    return false;
}

void EditConversionSettings::RecomputeSuggestion() {
    const int q = coef::kQaFormula;
    const PowerFormula f = PowerFormula::QaFromTexts(texts_[q], texts_[q + 1], texts_[q + 2], texts_[q + 3]);
    const std::string& capText = texts_[coef::kNswCap];
    const double capValue = rave::ParseDecimal(capText);
    const double cap = rave::IsNumericStart(capText) > 0 && capValue > 0.00001 ? capValue : kNoNswCap;
    // Wsw = 1: the Wsw term is b·1^c, which is b whatever the exponent.
    suggestion_ = rave::FormatText("%5.1f", f.a + f.b + f.d * cap);
}

void EditConversionSettings::CopySuggestionToDisplayLimit() {
    texts_[coef::kQaDisplayLimit] = suggestion_;
}

void EditConversionSettings::SetDisplayFor(int displayGroup) {
    const int current = Choice(coef::kDisplay);
    if (displayGroup == kShowNAndQu) {
        if (current == display::kNOnly || current == display::kQaOnly || current == display::kNAndQa) {
            SetChoice(coef::kDisplay, display::kNAndQu);
        }
    } else if (current == display::kNOnly || current == display::kQuOnly || current == display::kNAndQu) {
        SetChoice(coef::kDisplay, display::kNAndQa);
    }
}

void EditConversionSettings::ApplyExample(ConversionExample example) {
    const DefaultCoefficientSet defaults = DefaultCoefficientSet::FromSettings(settings_);
    switch (example) {
        case ConversionExample::kInada:
            texts_[coef::kQuScaleEnd] = "120";
            texts_[coef::kQuScaleStep] = "20";
            SetTexts(texts_, coef::kNSandy, {"0", "2", "1", "0.067", "1"});
            SetTexts(texts_, coef::kNClayey, {"0", "3", "1", "0.05", "1"});
            SetTexts(texts_, coef::kQu, {"0", "45", "1", "0.75", "1"});
            SetFlag(coef::kQuForSandy, false);
            SetDisplayFor(kShowNAndQu);
            return;
        case ConversionExample::kNotification1113:
            SetChoice(coef::kQaFormulaKind, 0);
            SetFlag(coef::kShowExponentOne, false);
            SetFlag(coef::kQaWsw1Only, true);
            texts_[coef::kNswCap] = "150";
            suggestion_ = kExampleSuggestion;
            texts_[coef::kQaDisplayLimit].clear();
            texts_[coef::kQaScaleEnd] = "150";
            texts_[coef::kQaScaleStep] = "50";
            SetTexts(texts_, coef::kQaFormula, {"30", "", "1", "0.6", "1"});
            SetDisplayFor(kShowNAndQa);
            return;
        case ConversionExample::kPlateLoad:
            SetChoice(coef::kQaFormulaKind, 0);
            SetFlag(coef::kShowExponentOne, false);
            SetFlag(coef::kQaWsw1Only, false);
            texts_[coef::kNswCap] = "150";
            suggestion_.clear();
            texts_[coef::kQaDisplayLimit].clear();
            SetFlag(coef::kQaOverMark, false);
            texts_[coef::kQaScaleEnd] = "150";
            texts_[coef::kQaScaleStep] = "50";
            SetTexts(texts_, coef::kQaFormula, {"", "30", "2", "0.8", "1"});
            SetDisplayFor(kShowNAndQa);
            return;
        case ConversionExample::kProportionalToN:
            SetChoice(coef::kQaFormulaKind, 1);
            SetTexts(texts_, coef::kQaBNSandyZero, defaults.qaFromN);
            suggestion_.clear();
            texts_[coef::kQaDisplayLimit].clear();
            SetFlag(coef::kQaOverMark, false);
            texts_[coef::kQaScaleEnd] = "150";
            texts_[coef::kQaScaleStep] = "50";
            SetDisplayFor(kShowNAndQa);
            return;
        case ConversionExample::kProgramDefaults:
            texts_[coef::kDisplay] = defaults.display;
            SetTexts(texts_, coef::kNSandy, defaults.nSandy);
            SetTexts(texts_, coef::kNClayey, defaults.nClayey);
            SetTexts(texts_, coef::kQu, defaults.qu);
            SetTexts(texts_, coef::kQaFormula, defaults.qa);
            SetTexts(texts_, coef::kQaBNSandyZero, defaults.qaFromN);
            texts_[coef::kNPlotDepth] = defaults.nPlotDepth;
            texts_[coef::kQuQaPlotDepth] = defaults.quQaPlotDepth;
            SetChoice(coef::kNGraphMax, 1);  // 60 blows
            SetFlag(coef::kShowExponentOne, false);
            SetChoice(coef::kQaFormulaKind, 0);
            SetFlag(coef::kQaWsw1Only, true);
            texts_[coef::kNswCap] = "150";
            suggestion_ = kExampleSuggestion;
            texts_[coef::kQaDisplayLimit].clear();
            SetFlag(coef::kQaOverMark, false);
            SetFlag(coef::kQuForSandy, false);
            return;
    }
}

bool EditConversionSettings::Commit(SoundingDocument& document, rave::MessageSink& messages) {
    for (int slot : Slots()) {
        const std::string& text = texts_.at(slot);
        bool ok = true;
        if (slot == coef::kQaDisplayLimit) {
            ok = LeaveQaDisplayLimit(messages);
        } else if (IsScaleStep(slot)) {
            ok = rave::CheckIntegerInRange(text, kMinScaleStep, kMaxScaleStep, messages);
        } else if (KindOf(slot) == Kind::kInteger) {
            ok = rave::CheckInteger(text, messages);
        } else if (KindOf(slot) == Kind::kText) {
            ok = rave::CheckStorableText(text, messages);
        }
        if (!ok) {
            focusSlot_ = slot;
            return false;
        }
    }

    bool changed = false;
    for (int slot : Slots()) {
        const std::string& text = texts_.at(slot);
        std::string value;
        switch (KindOf(slot)) {
            case Kind::kChoice: {
                const int index = Choice(slot);
                value = index >= 0 ? rave::FormatText("%d", index) : originals_.at(slot);
                break;
            }
            case Kind::kFlag:
                value = Flag(slot) ? "1" : "0";
                break;
            case Kind::kInteger:
                // The display limit is already empty or "%d"; the scales were checked above.
                value = slot == coef::kQaDisplayLimit
                            ? text
                            : rave::FormatText("%ld", *rave::ParseWholeNumberField(text));
                break;
            case Kind::kText:
                value = text;
                break;
        }
        std::string& target = document.header[slot];
        if (target != value) {
            target = std::move(value);
            changed = true;
        }
    }
    if (changed) {
        document.modified = true;
    }
    const int count = document.RowCount();
    AssignSoilClasses(document, count, messages);
    RecomputeConversions(document, count);
    return true;
}

}  // namespace ravelog
