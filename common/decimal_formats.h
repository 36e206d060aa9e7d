// The decimal formats of the sheets: a table indexed by a number of decimals, used wherever a
// setting says how many decimals a value is shown with.
#pragma once

#include <string>

#include "common/format.h"

namespace rave {

// "%2.0f", "%3.1f", "%4.2f", "%4.3f", "%5.4f", "%6.5f", "%6.6f" for 0..6 decimals; more than 6
// uses the last entry and a negative count the first.
FormatLiteral DecimalFormat(long decimals);

// The value written with DecimalFormat(decimals).
std::string FormatDecimals(double value, long decimals);

}  // namespace rave
