// Class assignment and the power-law conversions of a measured row.
#include "ravelog/conversion/conversions.h"

#include <algorithm>
#include <cmath>

#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "ravelog/conversion/coefficient_set.h"

namespace ravelog {

namespace {

// Value given to a term whose exponent is out of hand, so the result lands outside the ranges
// that are printed.
constexpr double kHugeTerm = 39999.9;
constexpr double kUnclassifiedN = -999.9;

std::string FormatValue(double value) {
    return rave::FormatText("%5.6f", value);
}

// Wsw term of the N value: huge exponents are only guarded above 1.1 kN, where they explode.
double NWswTerm(const PowerFormula& f, double w) {
    if (w < 0.0001) {
        return 0.0;
    }
    if (w > 1.1 && f.c > 99) {
        return kHugeTerm;
    }
    return f.b * std::pow(w, f.c);
}

// Nsw term of the N value and qu.
double NswTerm(const PowerFormula& f, double s) {
    if (s < 0.01) {
        return 0.0;
    }
    if (s > 1.1 && f.e > 99) {
        return kHugeTerm;
    }
    return f.d * std::pow(s, f.e);
}

// Wsw term of qu and of the qa formula: loads above 10 kN are out of the test's range.
double StrengthWswTerm(const PowerFormula& f, double w) {
    if (w < 0.0001) {
        return 0.0;
    }
    if (w > 10 || f.c > 99) {
        return kHugeTerm;
    }
    return f.b * std::pow(w, f.c);
}

struct RowInputs {
    double w = 0;        // Wsw, kN
    double s = 0;        // Nsw
    double sCapped = 0;  // Nsw limited by the cap of slot 69 (qa formula only)
    long soilClass = 0;
};

double ConvertedN(const CoefficientSet& set, const RowInputs& in) {
    PowerFormula f;
    if (in.soilClass == kSandy) {
        f = set.NSandy();
    } else if (in.soilClass == kClayey) {
        f = set.NClayey();
    } else {
        return kUnclassifiedN;
    }
    return f.a + NWswTerm(f, in.w) + NswTerm(f, in.s);
}

std::string NText(const CoefficientSet& set, const RowInputs& in) {
    const double n = ConvertedN(set, in);
    if (std::isnan(n) || n < -999) {
        return {};
    }
    if (n > 9999) {
        return "9999";
    }
    return FormatValue(n);
}

std::string QuText(const CoefficientSet& set, const RowInputs& in) {
    const bool computed = in.soilClass == kClayey || (in.soilClass == kSandy && set.QuForSandy());
    if (!computed) {
        return {};
    }
    const PowerFormula f = set.Qu();
    const double qu = f.a + StrengthWswTerm(f, in.w) + NswTerm(f, in.s);
    if (!(qu >= -999 && qu < 39999)) {
        return {};
    }
    return FormatValue(qu);
}

std::string QaFormulaText(const CoefficientSet& set, const RowInputs& in) {
    const PowerFormula f = set.QaFormula();
    const double qa = f.a + StrengthWswTerm(f, in.w) + f.d * in.sCapped;
    std::string text;
    if (qa >= -999 && qa < 39999) {
        text = FormatValue(qa);
    }
    // The notification formula holds for the 1 kN load step only; other rows show a dash.
    if (set.QaForWsw1Only() && (in.w < 0.99999 || in.w > 1.00001)) {
        text = "_";
    }
    return text;
}

std::string QaFromNText(const CoefficientSet& set, const RowInputs& in) {
    const double n = ConvertedN(set, in);
    if (!(n >= -999 && n <= 9999)) {
        return "-999";
    }
    double factor = 0;
    if (in.soilClass == kSandy) {
        factor = set.Slot(in.s >= 0.0001 ? coef::kQaBNSandy : coef::kQaBNSandyZero);
    } else if (in.soilClass == kClayey) {
        factor = set.Slot(in.s >= 0.0001 ? coef::kQaBNClayey : coef::kQaBNClayeyZero);
    }
    const double qa = factor * n;
    if (!(qa >= -999 && qa <= 39999)) {
        return "-999";
    }
    return FormatValue(qa);
}

}  // namespace

void AssignSoilClasses(SoundingDocument& document, int count, rave::MessageSink& messages) {
    const bool jacic = rave::ParseInteger(document.header[slot::kSoilTableKind]) != 0;
    const int nameField = jacic ? field::kJacicSoilName : field::kSimpleSoilName;
    const int patternField = jacic ? field::kJacicPattern : field::kSimplePattern;
    count = std::clamp(count, 0, kMaxRows);

    bool sawName = false;
    bool sawClass = false;
    int firstUnassigned = 1;
    for (int i = 1; i <= count; ++i) {
        MeasuredRow& row = document.Row(i);
        row[field::kSoilClass] = "0";
        if (rave::IsNumericStart(row[field::kDepth]) <= 0 || row[nameField].empty()) {
            continue;
        }
        // A name describes the layer from just below the previous named row down to its own row.
        sawName = true;
        const std::string& pattern = row[patternField];
        const std::size_t point = pattern.find('.');
        std::string soilClass = "0";
        if (point != std::string::npos) {
            sawClass = true;
            if (point + 1 < pattern.size()) {
                soilClass = pattern.substr(point + 1);
            }
        }
        for (int k = firstUnassigned; k <= i; ++k) {
            document.Row(k)[field::kSoilClass] = soilClass;
        }
        firstUnassigned = i + 1;
    }
    if (sawName && !sawClass) {
        messages.Show(rave::Message{0, "砂質土粘性土分類データがありません", {}});
    }
}

std::string ConvertRowValue(const SoundingDocument& document, int row, int kind,
                            rave::MessageSink* messages) {
    if (row < 1 || row > kMaxRows) {
        return {};
    }
    const CoefficientSet set(document.header);
    const double cap = set.HasNswCap(0.00001) ? set.NswCapValue() + 0.0001 : kNoNswCap;
    const MeasuredRow& r = document.Row(row);
    if (rave::IsNumericStart(r[field::kNsw]) <= 0) {
        return {};
    }
    RowInputs in;
    in.w = rave::ParseDecimal(r[field::kLoad]);
    in.s = rave::ParseDecimal(r[field::kNsw]);
    in.sCapped = std::min(in.s, cap);
    in.soilClass = rave::ParseInteger(r[field::kSoilClass]);

    switch (kind) {
        case conversion_kind::kN:
            return NText(set, in);
        case conversion_kind::kQu:
            return QuText(set, in);
        case conversion_kind::kQaFormula:
            return QaFormulaText(set, in);
        case conversion_kind::kQaFromN:
            return QaFromNText(set, in);
        default:
            break;
    }
    const std::string error = "D,N,q 012 err";
    if (row == 1 && messages != nullptr) {
        messages->Show(rave::Message{0, error, {}});
    }
    return error;
}

void RecomputeConversions(SoundingDocument& document, int count) {
    count = std::clamp(count, 0, kConversionEntries);
    const bool qaFormula = CoefficientSet(document.header).UsesQaFormula();
    for (int i = 1; i <= count; ++i) {
        ConversionRow& entry = document.Conversion(i);
        entry[1] = document.Row(i)[field::kDepth];
        entry[2] = ConvertRowValue(document, i, conversion_kind::kN);
        entry[3] = ConvertRowValue(document, i, conversion_kind::kQu);
        entry[4] =
            ConvertRowValue(document, i, qaFormula ? conversion_kind::kQaFormula : conversion_kind::kQaFromN);
    }
    for (int i = count + 1; i <= kConversionEntries; ++i) {
        for (int f = 1; f <= kConversionFields; ++f) {
            document.Conversion(i)[f].clear();
        }
    }
}

}  // namespace ravelog
