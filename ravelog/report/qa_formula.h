// The conversion formulas as the conversion sheet prints them ("計算式"): each formula line is
// written from the coefficient texts as typed, in pieces, with the exponents raised a little
// above the line, the way an engineer writes Ｎ値=2･Ｗsw + 0.067･Ｎsw by hand.
#pragma once

#include <string>
#include <vector>

#include "ravelog/document/sounding_document.h"
#include "ravelog/report/sheet_context.h"

namespace ravelog {

// How many factor lines the qa = b·N formula needs: 0 for the qa formula kind (slot 66 is 0);
// for qa = b·N 1 when all four factors (slots 58-61) are equal, 2 when the sandy pair and the
// clayey pair are each equal but differ from each other, else 4.
int CountQaFormulaLines(const SoundingHeader& header);

// The formula families a line can be written in; each has five variants (a + b·Wsw, b·Wsw,
// a + d·Nsw, a, d·Nsw).
enum class FormulaFamily {
    kNSandy,            // "Ｎ値（砂質土)="
    kNClayey,           // "Ｎ値（粘性土)="
    kNClayeyContinued,  // "　　（粘性土)=", under an N line
    kQuClayey,          // "ｑｕ（粘性土)="
    kQuBothSoils,       // "ｑｕ =", when qu is applied to sandy soil too
    kQaFormula,         // "ｑａ="
};

// Which of a, b, c, d, e are numbers decides what a line shows: 1 a, b, c, d, e; 2 b, c, d, e;
// 3 a, b, c; 4 a, d, e; 5 a only; 6 b, c; 7 d, e; 0 nothing; 8 when e holds the marker "999q" of
// the qa = b·N line.
int FormulaShape(const std::string& a, const std::string& b, const std::string& c, const std::string& d,
                 const std::string& e);

// One piece of a formula line: text on the line, or an exponent raised above it.
struct FormulaPiece {
    std::string text;
    bool raised = false;
    friend bool operator==(const FormulaPiece&, const FormulaPiece&) = default;
};

// The pieces of one formula line of a family from its coefficient texts. An exponent of 1 is
// left out unless showExponentOne is set. Shapes 0 and 8 give no pieces.
std::vector<FormulaPiece> FormulaPieces(FormulaFamily family, const std::string& a, const std::string& b,
                                        const std::string& c, const std::string& d, const std::string& e,
                                        bool showExponentOne);

// The lines of qa = b·N (one, two or four factors, see CountQaFormulaLines); with two lines the
// second continues the first ("　　（粘性土)=").
std::vector<std::vector<FormulaPiece>> QaProportionalLines(const SoundingHeader& header);

// One line of the formula block: its top in sheet millimetres and its pieces.
struct FormulaLine {
    double top = 0.0;
    std::vector<FormulaPiece> pieces;
};

// The formula lines of the conversion mode (header slot 34) in a block of the given top and
// height: the N formulas of sandy and clayey soil first, then the qu or qa formula.
std::vector<FormulaLine> FormulaBlockLines(const SoundingHeader& header, int mode, double top, double height);

// Where the formula block stands across the sheet.
inline constexpr double kFormulaBlockLeft = 112.0;
inline constexpr double kFormulaBlockRight = 180.2;

// Writes one formula line from (x, top) with the selected font, piece after piece from the
// current position, each exponent 0.8 mm above the line. A line wider than the space up to
// xRight is written in a narrower cut of the same face. The text alignment is put back.
void DrawFormulaLine(const SheetContext& context, const std::vector<FormulaPiece>& pieces, double x,
                     double top, double xRight);

// The formula block of the conversion mode (header slot 34) from x = 112 with the selected font,
// in a block of the given top and height; the text alignment is left/top afterwards.
void DrawFormulaBlock(const SheetContext& context, int mode, double top, double height);

}  // namespace ravelog
