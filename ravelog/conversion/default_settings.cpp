// The program default coefficient set and the filling of empty document slots.
#include "ravelog/conversion/default_settings.h"

#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "ravelog/conversion/coefficient_set.h"
#include "ravelog/document/sounding_file_commands.h"

namespace ravelog {

namespace {

// Settings lines of the default set.
constexpr int kLineNSandy = 21;
constexpr int kLineNClayey = 26;
constexpr int kLineQu = 31;
constexpr int kLineDisplay = 90;
constexpr int kLineQa = 91;
constexpr int kLineQaFromN = 96;

template <std::size_t N>
std::array<std::string, N> Texts(const char* const (&values)[N]) {
    std::array<std::string, N> result;
    for (std::size_t i = 0; i < N; ++i) {
        result[i] = values[i];
    }
    return result;
}

template <std::size_t N>
std::array<std::string, N> Lines(const rave::RavelogSettings& settings, int first) {
    std::array<std::string, N> result;
    for (std::size_t i = 0; i < N; ++i) {
        result[i] = settings.Line(first + static_cast<int>(i));
    }
    return result;
}

template <std::size_t N>
void StoreLines(rave::RavelogSettings& settings, int first, const std::array<std::string, N>& values) {
    for (std::size_t i = 0; i < N; ++i) {
        settings.Line(first + static_cast<int>(i)) = values[i];
    }
}

void FillIfEmpty(SoundingHeader& header, int n, const std::string& value) {
    if (header[n].empty()) {
        header[n] = value;
    }
}

bool ParsesWithin(const std::string& text, long low, long high) {
    const long value = rave::ParseInteger(text);
    return value >= low && value <= high;
}

}  // namespace

DefaultCoefficientSet DefaultCoefficientSet::FromSettings(const rave::RavelogSettings& settings) {
    DefaultCoefficientSet set;
    set.display = rave::FormatText("%ld", settings.Int(kLineDisplay));
    set.nSandy = Lines<5>(settings, kLineNSandy);
    set.nClayey = Lines<5>(settings, kLineNClayey);
    set.qu = Lines<5>(settings, kLineQu);
    set.qa = Lines<5>(settings, kLineQa);
    set.qaFromN = Lines<4>(settings, kLineQaFromN);
    set.nPlotDepth = rave::FormatText("%ld", settings.Int(rave::sysline::kNPlotDepth));
    set.quQaPlotDepth = rave::FormatText("%ld", settings.Int(rave::sysline::kQuQaPlotDepth));
    return set;
}

DefaultCoefficientSet DefaultCoefficientSet::Factory() {
    DefaultCoefficientSet set;
    set.display = "0";
    set.nSandy = Texts({"0", "2", "1", "0.067", "1"});
    set.nClayey = Texts({"0", "3", "1", "0.05", "1"});
    set.qu = Texts({"0", "45", "1", "0.75", "1"});
    set.qa = Texts({"30", "", "1", "0.6", "1"});
    set.qaFromN = Texts({"8", "8", "10", "8"});
    return set;
}

DefaultCoefficientSet DefaultCoefficientSet::Standard() {
    DefaultCoefficientSet set = Factory();
    set.display = "2";
    set.qaFromN = Texts({"8", "8", "8", "10"});
    return set;
}

void DefaultCoefficientSet::StoreCoefficientsInto(rave::RavelogSettings& settings) const {
    settings.SetInt(kLineDisplay, rave::ParseInteger(display));
    StoreLines(settings, kLineNSandy, nSandy);
    StoreLines(settings, kLineNClayey, nClayey);
    StoreLines(settings, kLineQu, qu);
    StoreLines(settings, kLineQa, qa);
    StoreLines(settings, kLineQaFromN, qaFromN);
}

void FillEmptySettings(SoundingDocument& document, const rave::RavelogSettings& settings) {
    const DefaultCoefficientSet defaults = DefaultCoefficientSet::FromSettings(settings);
    SoundingHeader& h = document.header;

    FillIfEmpty(h, coef::kDisplay, defaults.display);
    FillIfEmpty(h, coef::kQuScaleEnd, "120");
    FillIfEmpty(h, coef::kQuScaleStep, "20");
    for (int i = 0; i < 5; ++i) {
        FillIfEmpty(h, coef::kNClayey + i, defaults.nClayey[i]);
        FillIfEmpty(h, coef::kNSandy + i, defaults.nSandy[i]);
        FillIfEmpty(h, coef::kQu + i, defaults.qu[i]);
    }
    // a and b of the qa formula go together: a set such as the plate-load one leaves a empty on
    // purpose and must not gain the default a beside its own b.
    if (h[coef::kQaFormula].empty() && h[coef::kQaFormula + 1].empty()) {
        h[coef::kQaFormula] = defaults.qa[0];
        h[coef::kQaFormula + 1] = defaults.qa[1];
    }
    for (int i = 2; i < 5; ++i) {
        FillIfEmpty(h, coef::kQaFormula + i, defaults.qa[i]);
    }
    if (h[coef::kQaBNSandyZero].empty() || h[coef::kQaBNSandy].empty()) {
        h[coef::kQaBNSandyZero] = defaults.qaFromN[0];
        h[coef::kQaBNSandy] = defaults.qaFromN[1];
    }
    FillIfEmpty(h, coef::kQaBNClayeyZero, defaults.qaFromN[2]);
    FillIfEmpty(h, coef::kQaBNClayey, defaults.qaFromN[3]);
    FillIfEmpty(h, coef::kNPlotDepth, defaults.nPlotDepth);
    FillIfEmpty(h, coef::kQuQaPlotDepth, defaults.quQaPlotDepth);
    FillIfEmpty(h, coef::kQaScaleEnd, "150");
    FillIfEmpty(h, coef::kQaScaleStep, "50");
    FillIfEmpty(h, coef::kQaFormulaKind, "0");
    FillIfEmpty(h, coef::kShowExponentOne, "0");
    FillIfEmpty(h, coef::kQaWsw1Only, "1");

    // Header slots the sheets rely on. A file may hold a scale of up to 1/5000 although the
    // header editor only offers 5..500.
    if (!ParsesWithin(h[slot::kDepthScale], 5, 5000)) {
        h[slot::kDepthScale] = "50";
    }
    if (!ParsesWithin(h[slot::kReportFormat], 0, 2)) {
        h[slot::kReportFormat] = "0";
    }
    FillIfEmpty(h, 28, "0");
    FillIfEmpty(h, slot::kRowsPerPageChoice, "0");
    FillIfEmpty(h, 29, settings.Line(rave::sysline::kCompanyName));
}

void ApplyViewSetUpDefaults(SoundingDocument& document, const rave::RavelogSettings& settings) {
    FillEmptySettings(document, settings);
    SoundingHeader& h = document.header;
    if (rave::IsNumericStart(h[coef::kShowExponentOne]) <= 0) {
        h[coef::kShowExponentOne] = "0";
    }
    if (rave::IsNumericStart(h[coef::kQaWsw1Only]) <= 0) {
        h[coef::kQaWsw1Only] = "1";
    }
    if (h[slot::kSoilTableKind].empty()) {
        h[slot::kSoilTableKind] = "1";
    }
    ApplyDefaultTitles(document);
}

}  // namespace ravelog
