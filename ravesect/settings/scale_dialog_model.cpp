// The rules of the scale dialog.
#include "ravesect/settings/scale_dialog_model.h"

#include <algorithm>
#include <cmath>

#include "common/field_validation.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "ravesect/document/columns_build.h"

namespace ravesect {

namespace {

rave::Message Plain(std::string text) {
    return rave::Message{0, std::move(text), {}};
}

}  // namespace

double ScaleFieldValue(const SectionSettings& s, ScaleField field) {
    switch (field) {
        case ScaleField::kDistanceScale:
            return s.distanceScale;
        case ScaleField::kDepthScale:
            return s.depthScale;
        case ScaleField::kRulerTop:
            return s.rulerTop;
        case ScaleField::kRulerBottom:
            return s.rulerBottom;
        case ScaleField::kRulerStep:
            return s.rulerStep;
        case ScaleField::kTopElevation:
            return s.topElevation;
        case ScaleField::kDepthPerPage:
            return s.depthPerPage;
        case ScaleField::kPageOverlapDepth:
            return s.pageOverlapDepth;
        case ScaleField::kLeftEnd:
            return s.leftEnd;
        case ScaleField::kDistancePerPage:
            return s.distancePerPage;
        case ScaleField::kPageOverlapDistance:
            return s.pageOverlapDistance;
    }
    return 0.0;
}

void SetScaleFieldValue(SectionSettings& s, ScaleField field, double value) {
    if (field == ScaleField::kTopElevation) {
        s.topElevation = value;
        return;
    }
    const int whole = static_cast<int>(std::clamp(value, -1.0e9, 1.0e9));
    switch (field) {
        case ScaleField::kDistanceScale:
            s.distanceScale = whole;
            break;
        case ScaleField::kDepthScale:
            s.depthScale = whole;
            break;
        case ScaleField::kRulerTop:
            s.rulerTop = whole;
            break;
        case ScaleField::kRulerBottom:
            s.rulerBottom = whole;
            break;
        case ScaleField::kRulerStep:
            s.rulerStep = whole;
            break;
        case ScaleField::kDepthPerPage:
            s.depthPerPage = whole;
            break;
        case ScaleField::kPageOverlapDepth:
            s.pageOverlapDepth = whole;
            break;
        case ScaleField::kLeftEnd:
            s.leftEnd = whole;
            break;
        case ScaleField::kDistancePerPage:
            s.distancePerPage = whole;
            break;
        case ScaleField::kPageOverlapDistance:
        case ScaleField::kTopElevation:
            s.pageOverlapDistance = whole;
            break;
    }
}

FieldRange ScaleFieldRange(ScaleField field) {
    switch (field) {
        case ScaleField::kDistanceScale:
        case ScaleField::kDepthScale:
            return {20, 2000};
        case ScaleField::kRulerTop:
        case ScaleField::kRulerBottom:
            return {-1000, 4000};
        case ScaleField::kRulerStep:
            return {1, 100};
        case ScaleField::kTopElevation:
            return {-2000, 4000};
        case ScaleField::kDepthPerPage:
            return {1, 1000};
        case ScaleField::kPageOverlapDepth:
            return {0, 1000};
        case ScaleField::kLeftEnd:
            return {-100, 10000};
        case ScaleField::kDistancePerPage:
            return {1, 10000};
        case ScaleField::kPageOverlapDistance:
            return {0, 1000};
    }
    return {0, 0};
}

bool InScaleFieldRange(ScaleField field, double value) {
    const FieldRange range = ScaleFieldRange(field);
    return value >= range.lowest && value <= range.highest;
}

std::optional<ScaleField> FirstFieldOutOfRange(const SectionSettings& settings) {
    for (int f = 0; f <= static_cast<int>(ScaleField::kPageOverlapDistance); ++f) {
        const auto field = static_cast<ScaleField>(f);
        if (!InScaleFieldRange(field, ScaleFieldValue(settings, field))) {
            return field;
        }
    }
    return std::nullopt;
}

std::optional<ScaleField> ReadScaleFields(const ScaleFieldTexts& texts, SectionSettings& settings,
                                          rave::MessageSink& messages) {
    SectionSettings values = settings;
    std::optional<ScaleField> refused;
    for (int f = 0; f < kScaleFieldCount && !refused; ++f) {
        const auto field = static_cast<ScaleField>(f);
        const std::string& text = texts[static_cast<std::size_t>(f)];
        if (field == ScaleField::kTopElevation) {
            if (rave::IsNumericStart(text) == 1) {
                SetScaleFieldValue(values, field, rave::ParseDecimal(text));
            } else {
                refused = field;
            }
        } else if (const std::optional<long> whole = rave::ParseWholeNumberField(text)) {
            SetScaleFieldValue(values, field, static_cast<double>(*whole));
        } else {
            refused = field;
        }
    }
    // The fields before an unreadable one were all read: one of them out of range comes first.
    const std::optional<ScaleField> outOfRange = FirstFieldOutOfRange(values);
    if (outOfRange && (!refused || *outOfRange < *refused)) {
        refused = outOfRange;
    }
    if (!refused) {
        settings = values;
        return std::nullopt;
    }
    const FieldRange range = ScaleFieldRange(*refused);
    messages.Show(
        *refused == ScaleField::kTopElevation
            ? Plain(
                  rave::FormatText("%g から %g までの数値を入力してください。", range.lowest, range.highest))
            : rave::IntegerRangeMessage(static_cast<long>(range.lowest), static_cast<long>(range.highest)));
    return refused;
}

PageLengthsShown ShowPageLengths(const SectionSettings& settings, const SectionPaper& paper,
                                 const SysqSettings& sysq, rave::MessageSink& messages) {
    PageLengthsShown shown{PaperDistancePerPage(settings, paper, sysq),
                           PaperDepthPerPage(settings, paper, sysq)};
    if (shown.distanceMetres <= 0 || shown.depthMetres <= 0) {
        messages.Show(Plain("作図長さがありません"));
        shown.distanceMetres = std::max(shown.distanceMetres, 0);
        shown.depthMetres = std::max(shown.depthMetres, 0);
    }
    return shown;
}

std::string BottomElevationText(const SectionSettings& settings) {
    return rave::FormatText("%.1f", settings.topElevation - settings.depthPerPage);
}

bool CorrectScaleSettings(SectionSettings& s, const SectionPaper& paper, const SysqSettings& sysq,
                          rave::MessageSink& messages) {
    bool clean = true;
    const rave::Message abnormal{kAbnormalRuler, "標尺目盛りが異常です", {}};
    if (s.rulerTop < s.rulerBottom) {
        messages.Show(abnormal);
        s.rulerBottom = s.rulerTop - 10;
        clean = false;
    }
    if (s.rulerStep < 0) {
        s.rulerStep = -s.rulerStep;
        clean = false;
    } else if (s.rulerStep == 0) {
        messages.Show(abnormal);
        s.rulerStep = 1;
        clean = false;
    }
    if (s.pageOverlapDistance >= s.distancePerPage) {
        s.pageOverlapDistance = 0;
        clean = false;
    }
    if (s.pageOverlapDepth >= s.depthPerPage) {
        s.pageOverlapDepth = 0;
        clean = false;
    }
    const int distance = PaperDistancePerPage(s, paper, sysq);
    if (s.distancePerPage > distance) {
        messages.Show(Plain(rave::FormatText("1ページの印刷距離は\n約 %d (m)です", distance)));
        s.distancePerPage = distance;
        clean = false;
    }
    const int depth = PaperDepthPerPage(s, paper, sysq);
    if (s.depthPerPage > depth) {
        messages.Show(Plain(rave::FormatText("1ページの印刷深度は\n約 %d (m)です", depth)));
        s.depthPerPage = depth;
        clean = false;
    }
    return clean;
}

void ScaleDialogLoop::SetValues(const SectionSettings& values) {
    values_ = values;
}

std::optional<ScaleDialogResult> ScaleDialogLoop::Ok(const SectionSettings& entered,
                                                     const SectionPaper& paper, const SysqSettings& sysq,
                                                     rave::MessageSink& messages) {
    values_ = entered;
    if (CorrectScaleSettings(values_, paper, sysq, messages)) {
        return ScaleDialogResult::kAccepted;
    }
    if (++reopenings_ > kMaxScaleDialogReopenings) {
        return ScaleDialogResult::kGaveUp;
    }
    return std::nullopt;
}

RulerStepByScale StandardRulerStep(int n) {
    if (n >= 450) {
        return {10, 50};
    }
    if (n >= 270) {
        return {10, 20};
    }
    if (n >= 180) {
        return {5, 10};
    }
    if (n >= 90) {
        return {2, 5};
    }
    return {1, 4};
}

void ApplyStandardScaleSettings(SectionSettings& s, const SectionDocument& document,
                                const SectionPaper& paper, const SysqSettings& sysq) {
    if (s.distanceScale < 80 || s.distanceScale > 500) {
        s.distanceScale = 100;
    }
    if (s.depthScale < 80 || s.depthScale > 500) {
        s.depthScale = 100;
    }
    s.distancePerPage = PaperDistancePerPage(s, paper, sysq);
    s.depthPerPage = PaperDepthPerPage(s, paper, sysq);
    const RulerRange ruler = AutomaticRulerRange(document);
    s.rulerTop = ruler.rulerTop;
    s.rulerBottom = ruler.rulerBottom;
    const RulerStepByScale step = StandardRulerStep(s.depthScale);
    s.rulerStep = step.step;
    s.topElevation = s.rulerTop + step.lift;
    s.pageOverlapDistance = 0;
    s.pageOverlapDepth = 0;
    s.leftEnd = s.distanceScale >= 270 ? -5 : -2;
}

}  // namespace ravesect
