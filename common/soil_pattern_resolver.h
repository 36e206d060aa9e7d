// Turning a soil name as written in a log into a composite pattern code, a calculation class and
// a mark, and the sandy/clayey class of the measured rows.
//
// A composite code adds a base pattern (100..8700, the thousands and hundreds), an admixture
// pattern (10..50, the tens, from a "...混り" phrase) and an adjective pattern (1..8, the units,
// from a "...質" word): "礫混り砂質シルト" adds the patterns of "礫混り", "砂質" and "シルト".
// Alternating layers ("砂・粘土互層") give 90000 + the first soil's hundreds + the second soil's
// hundreds divided by 100.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/soil_name_table.h"

namespace rave {

class MessageSink;

struct SoilResolution {
    long code = 0;  // 0 when nothing matches
    int soilClass = soil_class::kNone;
    std::string mark;
    std::string name;  // the text that was resolved ("じり" already read as "り")
};

// Resolves a soil name against the rows of one number kind. `numberText` is the number of the
// pick-list entry the name came from (a row's pattern field); when it holds a ".", the digit(s)
// after it decide the class instead of the table.
SoilResolution ResolveSoilPattern(const SoilNameTable& table, std::string_view soilName, int numberKind,
                                  std::string_view numberText = {});

// The row of group 1 whose name is the longest one contained in the text (a later row of equal
// length wins); code 0 when there is none.
SoilResolution LongestContainedSoil(const SoilNameTable& table, std::string_view text, int numberKind);

// The result of ResolveSoilPattern written as a row's pattern text: "%ld.%d" (code, class).
std::string FormatResolvedPattern(const SoilResolution& resolution);

// One measured row as the classification sees it: its soil name and the number text of its
// table entry ("%ld.%d"), both possibly empty.
struct NamedRowNumber {
    std::string soilName;
    std::string numberText;
};

// The class text ("0", "1", "2", ...) of every row: the digits after "." of the number of each
// named row (or "0" without a point) go to that row and the rows above it back to the previous
// named row; rows below the last named row get "0". When rows carry number texts but none has a
// class part, "砂質土粘性土分類データがありません" is shown and every class stays "0".
std::vector<std::string> ClassifyMeasuredRows(const std::vector<NamedRowNumber>& rows, MessageSink& messages);

// The built-in compound soil names that are read as whole names, never split at their "質".
const std::vector<std::string>& CompoundSoilNames();

}  // namespace rave
