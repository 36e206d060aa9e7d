// The coefficient and display slots of a sounding's header, and the power-law formulas read from
// them. Every value stays text in the header; CoefficientSet parses it when a formula needs it.
#pragma once

#include <string>

#include "ravelog/document/sounding_document.h"

namespace ravelog {

// Header slots of the conversion settings.
namespace coef {
inline constexpr int kDisplay = 34;    // 0 N, 1 qu, 2 N and qu, 3 qa, 4 N and qa
inline constexpr int kNGraphMax = 35;  // 0 = 50, 1 = 60, 2 = 70 blows
inline constexpr int kQuScaleEnd = 36;
inline constexpr int kQuScaleStep = 37;
inline constexpr int kNClayey = 38;         // a..e in 38..42
inline constexpr int kNSandy = 43;          // a..e in 43..47
inline constexpr int kQu = 48;              // a..e in 48..52
inline constexpr int kQaFormula = 53;       // a..e in 53..57 (e is kept but not used)
inline constexpr int kQaBNSandyZero = 58;   // qa = b·N, sandy, Nsw = 0
inline constexpr int kQaBNSandy = 59;       // sandy, Nsw > 0
inline constexpr int kQaBNClayeyZero = 60;  // clayey, Nsw = 0
inline constexpr int kQaBNClayey = 61;      // clayey, Nsw > 0
inline constexpr int kNPlotDepth = 62;      // 0 at the depth, 1 midway to the previous depth
inline constexpr int kQuQaPlotDepth = 63;
inline constexpr int kQaScaleEnd = 64;
inline constexpr int kQaScaleStep = 65;
inline constexpr int kQaFormulaKind = 66;  // 0 qa = a + b·Wsw^c + d·Nsw, 1 qa = b·N
inline constexpr int kShowExponentOne = 67;
inline constexpr int kQaWsw1Only = 68;
inline constexpr int kNswCap = 69;
inline constexpr int kVerticalRule = 70;
inline constexpr int kQuForSandy = 86;
inline constexpr int kQaOverMark = 88;
inline constexpr int kQaDisplayLimit = 89;
}  // namespace coef

// Display choices of slot 34.
namespace display {
inline constexpr int kNOnly = 0;
inline constexpr int kQuOnly = 1;
inline constexpr int kNAndQu = 2;
inline constexpr int kQaOnly = 3;
inline constexpr int kNAndQa = 4;
}  // namespace display

// Class of a measured row's layer (field 0).
inline constexpr int kSandy = 1;
inline constexpr int kClayey = 2;

// a + b·Wsw^c + d·Nsw^e with the coefficients as numbers. An exponent text that does not start
// a number drops its term: the exponent becomes 1 and its coefficient 0.
struct PowerFormula {
    double a = 0;
    double b = 0;
    double c = 1;
    double d = 0;
    double e = 1;

    // Reads a..e from five consecutive texts.
    static PowerFormula FromTexts(const std::string& a, const std::string& b, const std::string& c,
                                  const std::string& d, const std::string& e);
    // Reads a..e from header slots first..first+4.
    static PowerFormula FromSlots(const SoundingHeader& header, int first);
    // The qa formula from its a..d texts: d multiplies Nsw itself and has no exponent, so only an
    // unusable c drops a term.
    static PowerFormula QaFromTexts(const std::string& a, const std::string& b, const std::string& c,
                                    const std::string& d);
};

// Read access to the coefficient set of one header.
class CoefficientSet {
public:
    explicit CoefficientSet(const SoundingHeader& header) : header_(header) {}

    PowerFormula NSandy() const { return PowerFormula::FromSlots(header_, coef::kNSandy); }
    PowerFormula NClayey() const { return PowerFormula::FromSlots(header_, coef::kNClayey); }
    PowerFormula Qu() const { return PowerFormula::FromSlots(header_, coef::kQu); }
    // The qa formula a + b·Wsw^c + d·Nsw: slot 57 (e) is kept and shown but plays no part.
    PowerFormula QaFormula() const;

    // Slot 66 parses as 0: qa by the formula; anything else qa = b·N.
    bool UsesQaFormula() const;
    // Slot 68 parses as 1: the qa formula is computed for Wsw = 1 kN only.
    bool QaForWsw1Only() const;
    // Slot 86 is "1": qu is computed for sandy soil too.
    bool QuForSandy() const;
    // Slot 69 starts a number and lies above `threshold`.
    bool HasNswCap(double threshold) const;
    double NswCapValue() const;
    double Slot(int n) const;

private:
    const SoundingHeader& header_;
};

// The Nsw cap a formula uses when none is set.
inline constexpr double kNoNswCap = 99999.99;

}  // namespace ravelog
