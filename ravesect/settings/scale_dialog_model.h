// The scale dialog ("縮尺/標尺") as a model: the fields and their accepted ranges, the page
// lengths shown beside the paper size, the corrections made on OK (each reopens the dialog, at
// most 9 times), and "標準の設定".
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/settings/section_paper.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect {

inline constexpr int kAbnormalRuler = 4015;  // "標尺目盛りが異常です"
inline constexpr int kMaxScaleDialogReopenings = 9;

// The fields of the dialog, by the setting each one edits.
enum class ScaleField {
    kDistanceScale,
    kDepthScale,
    kRulerTop,
    kRulerBottom,
    kRulerStep,
    kTopElevation,
    kDepthPerPage,
    kPageOverlapDepth,
    kLeftEnd,
    kDistancePerPage,
    kPageOverlapDistance,
};

// The value of a field in `settings`, and the value a field stores (a whole-number field takes
// the whole part, far values kept far within an int).
double ScaleFieldValue(const SectionSettings& settings, ScaleField field);
void SetScaleFieldValue(SectionSettings& settings, ScaleField field, double value);

struct FieldRange {
    double lowest = 0.0;
    double highest = 0.0;
};
FieldRange ScaleFieldRange(ScaleField field);
// True when the value lies in the field's range; the dialog refuses others before OK.
bool InScaleFieldRange(ScaleField field, double value);
// The first field of `settings` outside its range; nothing when all are in range.
std::optional<ScaleField> FirstFieldOutOfRange(const SectionSettings& settings);

// What the dialog shows beside the paper: the metres a page holds across and down. When a scale
// gives a page length of 0 or less the dialog shows 0 and "作図長さがありません".
struct PageLengthsShown {
    int distanceMetres = 0;
    int depthMetres = 0;
};
PageLengthsShown ShowPageLengths(const SectionSettings& settings, const SectionPaper& paper,
                                 const SysqSettings& sysq, rave::MessageSink& messages);
// "下端の標高": top elevation - depth per page, "%.1f".
std::string BottomElevationText(const SectionSettings& settings);

// One OK: corrects `settings` in place with the messages of each correction. True when nothing
// needed correcting (the settings line is then written and the view repaints); false when the
// dialog reopens with the corrected values.
bool CorrectScaleSettings(SectionSettings& settings, const SectionPaper& paper, const SysqSettings& sysq,
                          rave::MessageSink& messages);

enum class ScaleDialogResult { kAccepted, kCancelled, kGaveUp };

// The OK loop one pass at a time, for a dialog that stays open while it reopens.
class ScaleDialogLoop {
public:
    explicit ScaleDialogLoop(const SectionSettings& settings) : values_(settings) {}
    // What the dialog shows: the settings, then the values corrected by the last OK.
    const SectionSettings& Values() const { return values_; }
    // Values put into the dialog by other means ("標準の設定"); the reopenings count on.
    void SetValues(const SectionSettings& values);
    // One OK on the values entered: they are corrected with the messages of each correction.
    // kAccepted when nothing needed correcting, kGaveUp after the ninth reopening (the values
    // are taken over but not written); nothing while the dialog reopens with Values().
    std::optional<ScaleDialogResult> Ok(const SectionSettings& entered, const SectionPaper& paper,
                                        const SysqSettings& sysq, rave::MessageSink& messages);

private:
    SectionSettings values_;
    int reopenings_ = 0;
};

// The whole OK loop: `edit` is the user's turn with the (corrected) values each time the dialog
// opens again; false from it is Cancel. The result tells whether the settings line should be
// written: only when a pass needed no correction. `settings` takes every corrected pass.
template <typename EditFunction>
ScaleDialogResult RunScaleDialog(SectionSettings& settings, const SectionPaper& paper,
                                 const SysqSettings& sysq, rave::MessageSink& messages, EditFunction&& edit) {
    ScaleDialogLoop loop(settings);
    for (;;) {
        SectionSettings values = loop.Values();
        if (!edit(values)) {
            return ScaleDialogResult::kCancelled;
        }
        const std::optional<ScaleDialogResult> result = loop.Ok(values, paper, sysq, messages);
        settings = loop.Values();
        if (result) {
            return *result;
        }
    }
}

// The texts of the dialog's fields (cp932), by field.
inline constexpr int kScaleFieldCount = static_cast<int>(ScaleField::kPageOverlapDistance) + 1;
using ScaleFieldTexts = std::array<std::string, kScaleFieldCount>;
// Reads the fields as typed into `settings`: each must be a number (a whole number but for the
// top elevation) within its range. The first field in the dialog's order that is not (read as a
// number, or out of range by FirstFieldOutOfRange) is given after its message, and `settings`
// is left as it was.
std::optional<ScaleField> ReadScaleFields(const ScaleFieldTexts& texts, SectionSettings& settings,
                                          rave::MessageSink& messages);

// "標準の設定": scales outside 80 .. 500 become 100, page lengths from the paper, the ruler from
// the placed columns, step and top elevation by the depth scale, no overlaps, left end -5 at
// distance scale 270 or more (else -2).
void ApplyStandardScaleSettings(SectionSettings& settings, const SectionDocument& document,
                                const SectionPaper& paper, const SysqSettings& sysq);
// Step and top-elevation lift for a depth scale 1/n.
struct RulerStepByScale {
    int step = 1;
    int lift = 4;
};
RulerStepByScale StandardRulerStep(int depthScale);

}  // namespace ravesect
