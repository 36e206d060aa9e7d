// The one way numbers become text. Formats are the fixed printf formats of the files and sheets
// ("%d", "%.2f", "%5.6f", "0x%06x" and the like) and must be string literals: the template only
// accepts a character array, so user text can never end up as a format string.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

namespace rave {

namespace format_detail {

template <typename T>
auto PassArgument(const T& value) {
    if constexpr (std::is_same_v<T, std::string>) {
        return value.c_str();
    } else {
        static_assert(std::is_arithmetic_v<T> || std::is_same_v<std::decay_t<T>, const char*> ||
                          std::is_same_v<std::decay_t<T>, char*>,
                      "FormatText takes numbers and texts only");
        return value;
    }
}

template <typename... Args>
std::string FormatChecked(const char* format, const Args&... args) {
    char buffer[128];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
    const int length = std::snprintf(buffer, sizeof buffer, format, PassArgument(args)...);
    if (length < 0) {
        return {};
    }
    if (static_cast<std::size_t>(length) < sizeof buffer) {
        return std::string(buffer, static_cast<std::size_t>(length));
    }
    std::string result(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(result.data(), result.size(), format, PassArgument(args)...);
#pragma GCC diagnostic pop
    result.resize(static_cast<std::size_t>(length));
    return result;
}

}  // namespace format_detail

// FormatText("%.4f", 1.5) == "1.5000". The format must be a literal.
template <std::size_t N, typename... Args>
std::string FormatText(const char (&format)[N], const Args&... args) {
    return format_detail::FormatChecked(format, args...);
}

// A format chosen at run time from a fixed table of literals (such as the decimal formats of
// the sheets). The table entry is still a literal of the program, never user text.
struct FormatLiteral {
    const char* text;
};

template <typename... Args>
std::string FormatText(FormatLiteral format, const Args&... args) {
    return format_detail::FormatChecked(format.text, args...);
}

// The text printf's "%.Nf" gives for `decimals` = N (0..9): the exact binary value rounded to
// N decimals, an exact half to the even digit, "-" for any negative value (also one that rounds
// to zero). Much cheaper than printf for the values of the files and sheets; beyond 1e9, and for
// infinities and NaN, printf's own text.
std::string FormatFixed(double value, int decimals);

// Replaces every "%1" in a message text with the argument (a path or a number).
std::string SubstitutePlaceholder(std::string_view text, std::string_view argument);

}  // namespace rave
