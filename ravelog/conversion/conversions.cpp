// Class assignment and the power-law conversions of a measured row.
#include "ravelog/conversion/conversions.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

// The cap of slot 69 counts when it is above this; the per-row formula adds kCapMargin to it.
constexpr double kCapThreshold = 0.00001;
constexpr double kCapMargin = 0.0001;

// A converted value as "%5.6f" writes it ("%.6f" is never shorter than the width of 5). The
// table is rebuilt after every edit, so this goes through the exact fixed-point formatter rather
// than printf.
std::string FormatValue(double value) {
    return rave::FormatFixed(value, 6);
}

// Everything ConvertRowValue needs from the header, parsed once so a whole table can be
// converted without reading the slots again for every row.
struct ParsedSettings {
    PowerFormula nSandy;
    PowerFormula nClayey;
    PowerFormula qu;
    PowerFormula qa;
    double bSandyZero = 0;
    double bSandy = 0;
    double bClayeyZero = 0;
    double bClayey = 0;
    double cap = kNoNswCap;
    bool quForSandy = false;
    bool qaWsw1Only = false;
    bool usesQaFormula = true;

    explicit ParsedSettings(const SoundingHeader& header) {
        const CoefficientSet set(header);
        nSandy = set.NSandy();
        nClayey = set.NClayey();
        qu = set.Qu();
        qa = set.QaFormula();
        bSandyZero = set.Slot(coef::kQaBNSandyZero);
        bSandy = set.Slot(coef::kQaBNSandy);
        bClayeyZero = set.Slot(coef::kQaBNClayeyZero);
        bClayey = set.Slot(coef::kQaBNClayey);
        cap = set.HasNswCap(kCapThreshold) ? set.NswCapValue() + kCapMargin : kNoNswCap;
        quForSandy = set.QuForSandy();
        qaWsw1Only = set.QaForWsw1Only();
        usesQaFormula = set.UsesQaFormula();
    }
};

// x^e. An exponent of 1, by far the most common, is x itself, exactly as pow would give it.
double Power(double x, double e) {
    return e == 1.0 ? x : std::pow(x, e);
}

// Wsw term of the N value: huge exponents are only guarded above 1.1 kN, where they explode.
double NWswTerm(const PowerFormula& f, double w) {
    if (w < 0.0001) {
        return 0.0;
    }
    if (w > 1.1 && f.c > 99) {
        return kHugeTerm;
    }
    return f.b * Power(w, f.c);
}

// Nsw term of the N value and qu.
double NswTerm(const PowerFormula& f, double s) {
    if (s < 0.01) {
        return 0.0;
    }
    if (s > 1.1 && f.e > 99) {
        return kHugeTerm;
    }
    return f.d * Power(s, f.e);
}

// Wsw term of qu and of the qa formula: loads above 10 kN are out of the test's range.
double StrengthWswTerm(const PowerFormula& f, double w) {
    if (w < 0.0001) {
        return 0.0;
    }
    if (w > 10 || f.c > 99) {
        return kHugeTerm;
    }
    return f.b * Power(w, f.c);
}

struct RowInputs {
    double w = 0;        // Wsw, kN
    double s = 0;        // Nsw
    double sCapped = 0;  // Nsw limited by the cap of slot 69 (qa formula only)
    long soilClass = 0;
};

double ConvertedN(const ParsedSettings& set, const RowInputs& in) {
    const PowerFormula* f = nullptr;
    if (in.soilClass == kSandy) {
        f = &set.nSandy;
    } else if (in.soilClass == kClayey) {
        f = &set.nClayey;
    } else {
        return kUnclassifiedN;
    }
    return f->a + NWswTerm(*f, in.w) + NswTerm(*f, in.s);
}

std::string NText(const ParsedSettings& set, const RowInputs& in) {
    const double n = ConvertedN(set, in);
    // A value that is no number at all (an infinite term times a zero coefficient) prints
    // nothing rather than "nan".
    if (std::isnan(n) || n < -999) {
        return {};
    }
    if (n > 9999) {
        return "9999";
    }
    return FormatValue(n);
}

std::string QuText(const ParsedSettings& set, const RowInputs& in) {
    const bool computed = in.soilClass == kClayey || (in.soilClass == kSandy && set.quForSandy);
    if (!computed) {
        return {};
    }
    const PowerFormula& f = set.qu;
    const double qu = f.a + StrengthWswTerm(f, in.w) + NswTerm(f, in.s);
    if (!(qu >= -999 && qu < 39999)) {
        return {};
    }
    return FormatValue(qu);
}

std::string QaFormulaText(const ParsedSettings& set, const RowInputs& in) {
    // The notification formula holds for the 1 kN load step only; other rows show a dash,
    // whatever the formula gives for them.
    if (set.qaWsw1Only && (in.w < 0.99999 || in.w > 1.00001)) {
        return "_";
    }
    const PowerFormula& f = set.qa;
    const double qa = f.a + StrengthWswTerm(f, in.w) + f.d * in.sCapped;
    if (!(qa >= -999 && qa < 39999)) {
        return {};
    }
    return FormatValue(qa);
}

std::string QaFromNText(const ParsedSettings& set, const RowInputs& in) {
    const double n = ConvertedN(set, in);
    if (!(n >= -999 && n <= 9999)) {
        return "-999";
    }
    // Only classified rows get here: an unclassified row's N is below the range.
    const bool nswGiven = in.s >= 0.0001;
    const double factor = in.soilClass == kSandy ? (nswGiven ? set.bSandy : set.bSandyZero)
                                                 : (nswGiven ? set.bClayey : set.bClayeyZero);
    const double qa = factor * n;
    if (!(qa >= -999 && qa <= 39999)) {
        return "-999";
    }
    return FormatValue(qa);
}

constexpr const char* kUnknownKindText = "D,N,q 012 err";

// The numbers of a row the formulas use; nothing when the row has no Nsw, which leaves every
// converted value empty.
std::optional<RowInputs> ReadRow(const ParsedSettings& set, const MeasuredRow& r) {
    if (rave::IsNumericStart(r[field::kNsw]) <= 0) {
        return std::nullopt;
    }
    RowInputs in;
    in.w = rave::ParseDecimal(r[field::kLoad]);
    in.s = rave::ParseDecimal(r[field::kNsw]);
    in.sCapped = std::min(in.s, set.cap);
    in.soilClass = rave::ParseInteger(r[field::kSoilClass]);
    return in;
}

// One kind of converted value. `unknownKind` tells a kind that is none of the four, whose text is
// kUnknownKindText.
std::string TextOfKind(const ParsedSettings& set, const RowInputs& in, int kind, bool& unknownKind) {
    unknownKind = false;
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
            unknownKind = true;
            return kUnknownKindText;
    }
}

}  // namespace

void AssignSoilClasses(SoundingDocument& document, int count, rave::MessageSink& messages) {
    const bool jacic = rave::ParseInteger(document.header[slot::kSoilTableKind]) != 0;
    const int nameField = jacic ? field::kJacicSoilName : field::kSimpleSoilName;
    const int patternField = jacic ? field::kJacicPattern : field::kSimplePattern;
    count = std::clamp(count, 0, kMaxRows);

    const std::string noClass = "0";
    bool sawName = false;
    bool sawClass = false;
    int firstUnassigned = 1;
    for (int i = 1; i <= count; ++i) {
        MeasuredRow& row = document.Row(i);
        row[field::kSoilClass] = noClass;
        if (rave::IsNumericStart(row[field::kDepth]) <= 0 || row[nameField].empty()) {
            continue;
        }
        // A name describes the layer from just below the previous named row down to its own row.
        sawName = true;
        const std::string& pattern = row[patternField];
        const std::size_t point = pattern.find('.');
        std::string soilClass = noClass;
        if (point != std::string::npos) {
            sawClass = true;
            soilClass = pattern.substr(point + 1);
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
    const ParsedSettings set(document.header);
    const std::optional<RowInputs> in = ReadRow(set, document.Row(row));
    if (!in) {
        return {};
    }
    bool unknownKind = false;
    std::string text = TextOfKind(set, *in, kind, unknownKind);
    if (unknownKind && row == 1 && messages != nullptr) {
        messages->Show(rave::Message{0, text, {}});
    }
    return text;
}

void RecomputeConversions(SoundingDocument& document, int count) {
    count = std::clamp(count, 0, kConversionEntries);
    const ParsedSettings set(document.header);
    for (int i = 1; i <= count; ++i) {
        const MeasuredRow& row = document.Row(i);
        ConversionRow& entry = document.Conversion(i);
        entry[1] = row[field::kDepth];
        const std::optional<RowInputs> in = ReadRow(set, row);
        if (!in) {
            entry[2].clear();
            entry[3].clear();
            entry[4].clear();
            continue;
        }
        entry[2] = NText(set, *in);
        entry[3] = QuText(set, *in);
        entry[4] = set.usesQaFormula ? QaFormulaText(set, *in) : QaFromNText(set, *in);
    }
    for (int i = count + 1; i <= kConversionEntries; ++i) {
        for (int f = 1; f <= kConversionFields; ++f) {
            document.Conversion(i)[f].clear();
        }
    }
}

}  // namespace ravelog
