// Reading the coefficient slots as numbers.
#include "ravelog/conversion/coefficient_set.h"

#include "common/numbers.h"
#include "common/text_fields.h"

namespace ravelog {

PowerFormula PowerFormula::FromTexts(const std::string& a, const std::string& b, const std::string& c,
                                     const std::string& d, const std::string& e) {
    PowerFormula f;
    f.a = rave::ParseDecimal(a);
    if (rave::IsNumericStart(c) > 0) {
        f.b = rave::ParseDecimal(b);
        f.c = rave::ParseDecimal(c);
    }
    if (rave::IsNumericStart(e) > 0) {
        f.d = rave::ParseDecimal(d);
        f.e = rave::ParseDecimal(e);
    }
    return f;
}

PowerFormula PowerFormula::FromSlots(const SoundingHeader& header, int first) {
    return FromTexts(header[first], header[first + 1], header[first + 2], header[first + 3],
                     header[first + 4]);
}

PowerFormula PowerFormula::QaFromTexts(const std::string& a, const std::string& b, const std::string& c,
                                       const std::string& d) {
    PowerFormula f = FromTexts(a, b, c, "0", "1");
    f.d = rave::ParseDecimal(d);
    return f;
}

PowerFormula CoefficientSet::QaFormula() const {
    const int q = coef::kQaFormula;
    return PowerFormula::QaFromTexts(header_[q], header_[q + 1], header_[q + 2], header_[q + 3]);
}

bool CoefficientSet::UsesQaFormula() const {
    return rave::ParseInteger(header_[coef::kQaFormulaKind]) == 0;
}

bool CoefficientSet::QaForWsw1Only() const {
    return rave::ParseInteger(header_[coef::kQaWsw1Only]) == 1;
}

bool CoefficientSet::QuForSandy() const {
    return header_[coef::kQuForSandy] == "1";
}

bool CoefficientSet::HasNswCap(double threshold) const {
    return rave::IsNumericStart(header_[coef::kNswCap]) > 0 && NswCapValue() > threshold;
}

double CoefficientSet::NswCapValue() const {
    return rave::ParseDecimal(header_[coef::kNswCap]);
}

double CoefficientSet::Slot(int n) const {
    return rave::ParseDecimal(header_[n]);
}

}  // namespace ravelog
