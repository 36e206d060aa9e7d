// The formula block of the conversion sheet.
#include "ravelog/report/qa_formula.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "ravelog/conversion/coefficient_set.h"
#include "ravelog/report/standard_sheet_parts.h"

namespace ravelog {

namespace {

constexpr double kEqualFactors = 0.0001;
constexpr double kExponentRaise = 0.8;  // mm

// Variants of a family: a + b·Wsw, b·Wsw, a + d·Nsw, a, d·Nsw.
using Templates = std::array<rave::FormatLiteral, 5>;

const Templates& TemplatesOf(FormulaFamily family) {
    static const Templates nSandy{{{"Ｎ値（砂質土)=%s+%s･Ｗsw"},
                                   {"Ｎ値（砂質土)=%s･Ｗsw"},
                                   {"Ｎ値（砂質土)=%s+%s･Ｎsw"},
                                   {"Ｎ値（砂質土)=%s"},
                                   {"Ｎ値（砂質土)=%s･Ｎsw"}}};
    static const Templates nClayey{{{"Ｎ値（粘性土)=%s+%s･Ｗsw"},
                                    {"Ｎ値（粘性土)=%s･Ｗsw"},
                                    {"Ｎ値（粘性土)=%s+%s･Ｎsw"},
                                    {"Ｎ値（粘性土)=%s"},
                                    {"Ｎ値（粘性土)=%s･Ｎsw"}}};
    static const Templates nClayeyContinued{{{"　　（粘性土)=%s+%s･Ｗsw"},
                                             {"　　（粘性土)=%s･Ｗsw"},
                                             {"　　（粘性土)=%s+%s･Ｎsw"},
                                             {"　　（粘性土)=%s"},
                                             {"　　（粘性土)=%s･Ｎsw"}}};
    static const Templates quClayey{{{"ｑｕ（粘性土)=%s+%s･Ｗsw"},
                                     {"ｑｕ（粘性土)=%s･Ｗsw"},
                                     {"ｑｕ（粘性土)=%s+%s･Ｎsw"},
                                     {"ｑｕ（粘性土)=%s"},
                                     {"ｑｕ（粘性土)=%s･Ｎsw"}}};
    static const Templates quBoth{
        {{"ｑｕ =%s+%s･Ｗsw"}, {"ｑｕ =%s･Ｗsw"}, {"ｑｕ =%s+%s･Ｎsw"}, {"ｑｕ =%s"}, {"ｑｕ =%s･Ｎsw"}}};
    static const Templates qa{
        {{"ｑａ=%s+%s･Ｗsw"}, {"ｑａ=%s･Ｗsw"}, {"ｑａ=%s+%s･Ｎsw"}, {"ｑａ=%s"}, {"ｑａ=%s･Ｎsw"}}};
    switch (family) {
        case FormulaFamily::kNSandy:
            return nSandy;
        case FormulaFamily::kNClayey:
            return nClayey;
        case FormulaFamily::kNClayeyContinued:
            return nClayeyContinued;
        case FormulaFamily::kQuClayey:
            return quClayey;
        case FormulaFamily::kQuBothSoils:
            return quBoth;
        case FormulaFamily::kQaFormula:
            break;
    }
    return qa;
}

bool IsNumber(const std::string& text) {
    return rave::IsNumericStart(text) == 1;
}

// A coefficient as the user typed it, without surrounding blanks.
std::string Shown(const std::string& text) {
    return std::string(rave::TrimBlanks(text));
}

void AddExponent(std::vector<FormulaPiece>& pieces, const std::string& exponent, bool showExponentOne) {
    if (!showExponentOne && rave::ParseDecimal(exponent) == 1.0) {
        return;
    }
    pieces.push_back({Shown(exponent), true});
}

std::vector<FormulaPiece> Line(std::string text) {
    return {FormulaPiece{std::move(text), false}};
}

std::vector<FormulaPiece> FamilyPieces(FormulaFamily family, const SoundingHeader& header, int first) {
    return FormulaPieces(family, header[first], header[first + 1], header[first + 2], header[first + 3],
                         header[first + 4], rave::ParseInteger(header[coef::kShowExponentOne]) >= 1);
}

}  // namespace

int CountQaFormulaLines(const SoundingHeader& header) {
    if (CoefficientSet(header).UsesQaFormula()) {
        return 0;
    }
    const auto factor = [&](int n) { return rave::ParseDecimal(header[n]); };
    const auto same = [](double p, double q) { return std::fabs(p - q) < kEqualFactors; };
    const double sandyZero = factor(coef::kQaBNSandyZero);
    const double sandy = factor(coef::kQaBNSandy);
    const double clayeyZero = factor(coef::kQaBNClayeyZero);
    const double clayey = factor(coef::kQaBNClayey);
    if (same(sandyZero, sandy) && same(clayeyZero, clayey)) {
        return same(sandyZero, clayeyZero) ? 1 : 2;
    }
    return 4;
}

int FormulaShape(const std::string& a, const std::string& b, const std::string& c, const std::string& d,
                 const std::string& e) {
    if (e.find("999q") != std::string::npos) {
        return 8;
    }
    const bool constant = IsNumber(a);
    const bool loadTerm = IsNumber(b) && IsNumber(c);
    const bool nswTerm = IsNumber(d) && IsNumber(e);
    if (loadTerm && nswTerm) {
        return constant ? 1 : 2;
    }
    if (constant) {
        return loadTerm ? 3 : nswTerm ? 4 : 5;
    }
    return loadTerm ? 6 : nswTerm ? 7 : 0;
}

std::vector<FormulaPiece> FormulaPieces(FormulaFamily family, const std::string& a, const std::string& b,
                                        const std::string& c, const std::string& d, const std::string& e,
                                        bool showExponentOne) {
    const Templates& t = TemplatesOf(family);
    std::vector<FormulaPiece> pieces;
    const auto text = [&](std::string s) { pieces.push_back({std::move(s), false}); };
    const auto nswTerm = [&] {
        text(rave::FormatText("+%s･Ｎsw", Shown(d)));
        AddExponent(pieces, e, showExponentOne);
    };
    switch (FormulaShape(a, b, c, d, e)) {
        case 1:
            text(rave::FormatText(t[0], Shown(a), Shown(b)));
            AddExponent(pieces, c, showExponentOne);
            nswTerm();
            break;
        case 2:
            text(rave::FormatText(t[1], Shown(b)));
            AddExponent(pieces, c, showExponentOne);
            nswTerm();
            break;
        case 3:
            text(rave::FormatText(t[0], Shown(a), Shown(b)));
            AddExponent(pieces, c, showExponentOne);
            break;
        case 4:
            text(rave::FormatText(t[2], Shown(a), Shown(d)));
            AddExponent(pieces, e, showExponentOne);
            break;
        case 5:
            text(rave::FormatText(t[3], Shown(a)));
            break;
        case 6:
            text(rave::FormatText(t[1], Shown(b)));
            AddExponent(pieces, c, showExponentOne);
            break;
        case 7:
            text(rave::FormatText(t[4], Shown(d)));
            AddExponent(pieces, e, showExponentOne);
            break;
        default:
            break;
    }
    return pieces;
}

std::vector<std::vector<FormulaPiece>> QaProportionalLines(const SoundingHeader& header) {
    const std::string sandyZero = Shown(header[coef::kQaBNSandyZero]);
    const std::string sandy = Shown(header[coef::kQaBNSandy]);
    const std::string clayeyZero = Shown(header[coef::kQaBNClayeyZero]);
    const std::string clayey = Shown(header[coef::kQaBNClayey]);
    switch (CountQaFormulaLines(header)) {
        case 1:
            return {Line(rave::FormatText("ｑａ=%s･Ｎ", sandy))};
        case 2:
            return {Line(rave::FormatText("ｑａ（砂質土)=%s･Ｎ", sandy)),
                    Line(rave::FormatText("　　（粘性土)=%s･Ｎ", clayey))};
        case 4:
            return {Line(rave::FormatText("ｑａ（砂質土)=%s･Ｎ　Ｎsw=0の時 %s･Ｎ", sandy, sandyZero)),
                    Line(rave::FormatText("　　（粘性土)=%s･Ｎ　Ｎsw=0の時 %s･Ｎ", clayey, clayeyZero))};
        default:
            return {};
    }
}

std::vector<FormulaLine> FormulaBlockLines(const SoundingHeader& header, int mode, double top,
                                           double height) {
    const double h = height;
    const auto nSandy = [&] { return FamilyPieces(FormulaFamily::kNSandy, header, coef::kNSandy); };
    const auto nClayey = [&] {
        return FamilyPieces(FormulaFamily::kNClayeyContinued, header, coef::kNClayey);
    };
    const auto qu = [&] {
        const bool both = CoefficientSet(header).QuForSandy();
        return FamilyPieces(both ? FormulaFamily::kQuBothSoils : FormulaFamily::kQuClayey, header, coef::kQu);
    };
    // The qa lines: the qa formula, or the one, two or four factors of qa = b·N.
    const auto qaLines = [&] {
        if (CountQaFormulaLines(header) == 0) {
            return std::vector<std::vector<FormulaPiece>>{
                FamilyPieces(FormulaFamily::kQaFormula, header, coef::kQaFormula)};
        }
        return QaProportionalLines(header);
    };

    std::vector<FormulaLine> lines;
    switch (mode) {
        case 0:
            lines = {{top + 1.4, nSandy()}, {top + 2.0 * h / 3.0 - 0.4, nClayey()}};
            break;
        case 1:
            lines = {{top + h / 3.0 + 0.5, qu()}};
            break;
        case 2:
            lines = {{top + 1.0, nSandy()}, {top + h / 3.0 + 0.5, nClayey()}, {top + 2.0 * h / 3.0, qu()}};
            break;
        case 3: {
            const auto qa = qaLines();
            if (qa.size() >= 2) {
                lines = {{top + 1.4, qa[0]}, {top + 2.0 * h / 3.0 - 0.4, qa[1]}};
            } else if (qa.size() == 1) {
                lines = {{top + h / 3.0 + 0.5, qa[0]}};
            }
            break;
        }
        case 4: {
            const auto qa = qaLines();
            if (qa.size() >= 2) {
                lines = {{top + 0.1, nSandy()},
                         {top + h / 4.0 + 0.1, nClayey()},
                         {top + h / 2.0 + 0.3, qa[0]},
                         {top + 3.0 * h / 4.0 + 0.3, qa[1]}};
            } else {
                lines = {{top + 1.0, nSandy()}, {top + h / 3.0 + 0.5, nClayey()}};
                if (qa.size() == 1) {
                    lines.push_back({top + 2.0 * h / 3.0, qa[0]});
                }
            }
            break;
        }
        default:
            break;
    }
    std::erase_if(lines, [](const FormulaLine& line) { return line.pieces.empty(); });
    return lines;
}

namespace {

int PiecesWidth(const rave::DrawingSurface& surface, const std::vector<FormulaPiece>& pieces) {
    int width = 0;
    for (const FormulaPiece& piece : pieces) {
        width += surface.TextExtent(piece.text).width;
    }
    return width;
}

// Writes the pieces from the current position; exponents go up by `raise` device units and the
// line comes back down after each.
void WritePieces(rave::DrawingSurface& surface, const std::vector<FormulaPiece>& pieces, int raise) {
    for (const FormulaPiece& piece : pieces) {
        if (piece.raised) {
            const rave::SurfacePoint at = surface.CurrentPosition();
            surface.MoveTo({at.x, at.y - raise});
            surface.TextOut(surface.CurrentPosition(), piece.text);
            const rave::SurfacePoint end = surface.CurrentPosition();
            surface.MoveTo({end.x, end.y + raise});
        } else {
            surface.TextOut(surface.CurrentPosition(), piece.text);
        }
    }
}

}  // namespace

void DrawFormulaLine(const SheetContext& context, const std::vector<FormulaPiece>& pieces, double x,
                     double top, double xRight) {
    rave::DrawingSurface& surface = context.surface;
    const rave::PatternMapping& mapping = context.mapping;
    const int raise = mapping.ToSurfaceY(kExponentRaise) - mapping.ToSurfaceY(0.0);
    const int available = mapping.ToSurfaceX(xRight) - mapping.ToSurfaceX(x);
    const rave::FontSpec font = surface.CurrentFont();
    const int savedAlign = surface.TextAlign();
    surface.SetTextAlign(rave::text_align::kUpdateCurrentPosition | rave::text_align::kLeftTop);
    // A line too long for the block is written in a narrower cut of the same face.
    const int width = PiecesWidth(surface, pieces);
    std::string whole;
    for (const FormulaPiece& piece : pieces) {
        whole += piece.text;
    }
    const bool narrowed = available > 0 && width > available &&
                          SelectNarrowedFont(surface, font, static_cast<double>(available) / width, whole);
    surface.MoveTo({mapping.ToSurfaceX(x), mapping.ToSurfaceY(top)});
    WritePieces(surface, pieces, raise);
    if (narrowed) {
        surface.SelectFont(font);
    }
    surface.SetTextAlign(savedAlign);
}

void DrawFormulaBlock(const SheetContext& context, int mode, double top, double height) {
    for (const FormulaLine& line : FormulaBlockLines(context.document.header, mode, top, height)) {
        DrawFormulaLine(context, line.pieces, kFormulaBlockLeft, line.top, kFormulaBlockRight);
    }
    context.surface.SetTextAlign(rave::text_align::kLeftTop);
}

}  // namespace ravelog
