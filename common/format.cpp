// Placeholder substitution for message texts.
#include "common/format.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace rave {

namespace {

constexpr std::uint64_t kPowersOfTen[] = {1,      10,      100,      1000,      10000,
                                          100000, 1000000, 10000000, 100000000, 1000000000};

// |value| * 10^decimals rounded to a whole number, exactly: the double is mantissa * 2^exponent,
// so the product with the power of ten is a whole number shifted right, and the bits shifted out
// decide the rounding. Needs |value| < 1e9 and decimals <= 9, so the result stays below 1e18.
std::uint64_t ScaledAndRounded(double magnitude, int decimals) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const auto biased = static_cast<int>(bits >> 52);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    // Below 1e9 the exponent is always negative: the value has bits after the binary point.
    const int shift = (biased == 0 ? 1074 : 1075 - biased);
    __extension__ using Wide = unsigned __int128;
    const Wide product = static_cast<Wide>(mantissa) * kPowersOfTen[decimals];  // below 2^83
    if (shift >= 128) {
        return 0;  // far below half a unit of the last decimal
    }
    auto whole = static_cast<std::uint64_t>(product >> shift);
    const Wide rest = product - (static_cast<Wide>(whole) << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (whole & 1) != 0)) {
        ++whole;
    }
    return whole;
}

// "00", "01", ... "99": two digits at once.
constexpr char kDigitPairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

}  // namespace

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value) || decimals < 0 || decimals > 9 || !(std::fabs(value) < 1e9)) {
        char format[] = "%.0f";
        format[2] = static_cast<char>('0' + std::clamp(decimals, 0, 9));
        return format_detail::FormatChecked(format, value);
    }
    // The digits are written from the last one back, two at a time: first the `decimals` digits
    // after the point (leading zeros kept), then at least one digit before it.
    std::uint64_t scaled = ScaledAndRounded(std::fabs(value), decimals);
    char buffer[32];
    char* const end = buffer + sizeof buffer;
    char* p = end;
    if (decimals > 0) {
        // Both parts are below 2^32 (the value is below 1e9, the decimals at most nine), where
        // dividing by 100 is cheaper.
        auto fraction = static_cast<std::uint32_t>(scaled % kPowersOfTen[decimals]);
        scaled /= kPowersOfTen[decimals];
        int left = decimals;
        for (; left >= 2; left -= 2) {
            p -= 2;
            std::memcpy(p, kDigitPairs + 2 * (fraction % 100), 2);
            fraction /= 100;
        }
        if (left == 1) {
            *--p = static_cast<char>('0' + fraction);
        }
        *--p = '.';
    }
    const char* const point = p;
    auto whole = static_cast<std::uint32_t>(scaled);
    while (whole >= 10) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (whole % 100), 2);
        whole /= 100;
    }
    if (whole != 0 || p == point) {
        *--p = static_cast<char>('0' + whole);
    }
    if (std::signbit(value)) {
        *--p = '-';
    }
    return std::string(p, end);
}

std::string SubstitutePlaceholder(std::string_view text, std::string_view argument) {
    std::string result;
    result.reserve(text.size() + argument.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '1') {
            result.append(argument);
            ++i;
        } else {
            result.push_back(text[i]);
        }
    }
    return result;
}

}  // namespace rave
