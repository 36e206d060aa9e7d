// The decimal-format table of the sheets.
#include "common/decimal_formats.h"

namespace rave {

FormatLiteral DecimalFormat(long decimals) {
    static const char* const kFormats[] = {"%2.0f", "%3.1f", "%4.2f", "%4.3f", "%5.4f", "%6.5f", "%6.6f"};
    if (decimals < 0) {
        decimals = 0;
    }
    if (decimals > 6) {
        decimals = 6;
    }
    return FormatLiteral{kFormats[decimals]};
}

std::string FormatDecimals(double value, long decimals) {
    return FormatText(DecimalFormat(decimals), value);
}

}  // namespace rave
