// The rules of the scale dialog.
#include "ravesect/view/scale_dialog.h"

#include <cmath>

#include "common/format.h"
#include "ravesect/document/columns_build.h"

namespace ravesect {

namespace {

double FieldValue(const SectionSettings& s, ScaleField field) {
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

rave::Message Plain(std::string text) {
    return rave::Message{0, std::move(text), {}};
}

}  // namespace

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
        if (!InScaleFieldRange(field, FieldValue(settings, field))) {
            return field;
        }
    }
    return std::nullopt;
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
