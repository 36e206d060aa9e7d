// The per-document conversion editor ("換算値 係数と表示") as a model: which converted values the
// sheet shows, the graph scales, the coefficient sets of N, qu and qa, the plot depths and the
// qa display options, edited on a copy of header slots 34-70, 86, 88 and 89.
//
// A dialog binds each widget to a slot number and calls one method per user event. The model
// copies the slots in when it is built and keeps every field as cp932 text; Commit validates,
// writes everything back and refreshes the conversion table. A cancelled dialog drops the model.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog {

enum class ConversionFieldKind {
    kChoice,   // radio group, stored as its index ("%d"): slots 34, 35, 62, 63, 66
    kFlag,     // check box, stored "0" / "1": slots 67, 68, 70, 86, 88
    kInteger,  // whole number, stored "%d": the graph scales 36, 37, 64, 65 and the qa limit 89
    kText,     // stored as typed: the coefficients 38-61 and the Nsw cap 69
};

// The example sets of the "換算係数例" buttons.
enum class ConversionExample {
    kInada,             // "N値・qu　稲田"
    kNotification1113,  // " qa 告示1113号"
    kPlateLoad,         // " qa 平板載荷 "
    kProportionalToN,   // " qa N値比例式"
    kProgramDefaults,   // "初期設定"
};

// String number of "数値が異常です" (the qa display limit is not a positive whole number).
inline constexpr int kAbnormalValueMessage = 4006;

// The accepted range of the two graph-scale steps.
inline constexpr long kMinScaleStep = 1;
inline constexpr long kMaxScaleStep = 1000;

class EditConversionSettings {
public:
    // Copies the slots of `document`. `settings` supplies the program's plot depths (shown for
    // slots 62 and 63 unless they hold 0 or 1) and the program default set of the examples; it
    // must outlive the editor.
    EditConversionSettings(const SoundingDocument& document, const rave::RavelogSettings& settings);

    // Every slot the editor edits, in the order the dialog shows them.
    static const std::vector<int>& Slots();
    static ConversionFieldKind KindOf(int slot);
    // Number of choices of a radio group (0 for other slots).
    static int ChoiceCount(int slot);
    // The labels of the example buttons, in the order of ConversionExample.
    static std::vector<std::string> ExampleLabels();
    // The fixed start of both graph scales.
    static std::string ScaleStart() { return "0"; }

    // Integer and text fields.
    const std::string& Text(int slot) const;
    void SetText(int slot, std::string text);

    // Radio groups: the chosen index, or -1 when the slot holds none of the choices; such a
    // value is written back unchanged unless the user makes a choice.
    int Choice(int slot) const;
    void SetChoice(int slot, int index);

    // Check boxes.
    bool Flag(int slot) const;
    void SetFlag(int slot, bool on);

    // The qa display limit lost the focus: empty stays empty, a positive whole number is written
    // back with "%d", anything else is cleared with message 4006. False when it was cleared.
    bool LeaveQaDisplayLimit(rave::MessageSink& messages);

    // The proposed display limit: qa for Wsw = 1 and Nsw = the cap, "%5.1f". Recomputed when the
    // cap loses the focus and when the suggestion field gets it; the examples set it directly.
    const std::string& Suggestion() const { return suggestion_; }
    void RecomputeSuggestion();
    void LeaveNswCap() { RecomputeSuggestion(); }
    void FocusSuggestion() { RecomputeSuggestion(); }
    // "←": the suggestion into the display limit.
    void CopySuggestionToDisplayLimit();
    // The suggestion, its button and its unit are shown only for the qa formula (kind 0).
    bool SuggestionVisible() const { return Choice(kQaFormulaKindSlot) == 0; }

    // Fills the editor with an example set; nothing is committed.
    void ApplyExample(ConversionExample example);

    // Checks every field (scale ends whole numbers, scale steps whole numbers 1..1000, the qa
    // display limit as LeaveQaDisplayLimit checks it, no text with a line break or "$$"). On
    // failure shows the message, leaves the document alone and returns false; FocusSlot() then
    // names the field at fault. On success writes every slot back, marks the document modified
    // when anything changed, runs AssignSoilClasses and RecomputeConversions over the rows and
    // returns true. The caller redraws.
    bool Commit(SoundingDocument& document, rave::MessageSink& messages);
    int FocusSlot() const { return focusSlot_; }

private:
    static constexpr int kQaFormulaKindSlot = 66;

    void SetDisplayFor(int displayGroup);

    const rave::RavelogSettings& settings_;
    std::map<int, std::string> texts_;  // every field as text: choices and flags as "%d"
    std::map<int, std::string> originals_;
    std::string suggestion_;
    int focusSlot_ = 0;
};

}  // namespace ravelog
