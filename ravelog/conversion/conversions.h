// The sandy/clayey class of each measured row and the converted N value, qu and qa computed
// from it, kept in the document's ConversionRow table as the report prints them.
#pragma once

#include <string>

#include "common/messages.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog {

// Kinds of ConvertRowValue.
namespace conversion_kind {
inline constexpr int kN = 1;
inline constexpr int kQu = 2;
inline constexpr int kQaFormula = 3;
inline constexpr int kQaFromN = 4;  // qa = b·N
}  // namespace conversion_kind

// Writes field 0 of rows 1..count: the class after the first "." of the active pattern number of
// the next named row at or below it ("1" sandy, "2" clayey), "0" below the last named row. Says
// "砂質土粘性土分類データがありません" when rows are named but no pattern carries a class.
void AssignSoilClasses(SoundingDocument& document, int count, rave::MessageSink& messages);

// One converted value of a row as text ("%5.6f", or "", "9999", "-999", "_" as the guards say).
// An unknown kind gives "D,N,q 012 err", shown through `messages` when the row is row 1.
std::string ConvertRowValue(const SoundingDocument& document, int row, int kind,
                            rave::MessageSink* messages = nullptr);

// Rebuilds ConversionRow entries 1..count (depth, N, qu, qa by the formula kind of slot 66) and
// empties the entries after them.
void RecomputeConversions(SoundingDocument& document, int count);

}  // namespace ravelog
