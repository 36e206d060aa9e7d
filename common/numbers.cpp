// Locale-free number parsing with the "read what fits, else 0" rule of the data files.
#include "common/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace rave {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view SkipSpaces(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// Length of the longest prefix of `text` that forms a decimal number, 0 when there is none.
std::size_t DecimalPrefixLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

}  // namespace

double ParseDecimal(std::string_view text) {
    text = SkipSpaces(text);
    // The common case in one pass: a sign, up to 15 digits with at most one point, and no
    // exponent after them. The digits as a whole number over a power of ten are both exact
    // doubles, so the one division rounds correctly: exactly what from_chars gives.
    {
        static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        std::size_t i = 0;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        std::uint64_t digits = 0;
        std::size_t count = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++count) {
            digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
        }
        std::size_t decimals = 0;
        if (i < text.size() && text[i] == '.') {
            for (++i; i < text.size() && IsDigit(text[i]); ++i, ++decimals) {
                digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
            }
            count += decimals;
        }
        const bool exponent = i < text.size() && (text[i] == 'e' || text[i] == 'E');
        if (count > 0 && count <= 15 && !exponent) {
            const double value = static_cast<double>(digits) / kPowers[decimals];
            return negative ? -value : value;
        }
    }
    const std::size_t length = DecimalPrefixLength(text);
    if (length == 0) {
        return 0.0;
    }
    std::string_view number = text.substr(0, length);
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow; mirror strtod's HUGE_VAL / 0.
        const bool tiny = number.find_first_of("eE") != std::string_view::npos &&
                          number.find('-', number.find_first_of("eE")) != std::string_view::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::max();
    }
    return negative ? -value : value;
}

long ParseInteger(std::string_view text) {
    text = SkipSpaces(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long value = 0;
    constexpr long kMax = std::numeric_limits<long>::max();
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (value > (kMax - digit) / 10) {
            return negative ? std::numeric_limits<long>::min() : kMax;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

bool HasLeadingNumber(std::string_view text) {
    return DecimalPrefixLength(SkipSpaces(text)) > 0;
}

}  // namespace rave
