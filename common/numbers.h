// Number parsing with the rules every file and dialog of the system uses: leading blanks are
// skipped, parsing stops at the first character that does not fit, and a text with no number
// in front reads as 0. No locale is consulted.
#pragma once

#include <string_view>

namespace rave {

// A decimal such as "12", "-0.25", ".5", "+3e2"; "abc" and "" give 0.
double ParseDecimal(std::string_view text);

// The leading integer part: "12.9" gives 12, "-7x" gives -7, "" gives 0. Values beyond the
// range of long are clamped.
long ParseInteger(std::string_view text);

// True when the text, after leading blanks, starts with something ParseDecimal would read.
bool HasLeadingNumber(std::string_view text);

}  // namespace rave
