// Text as other editors save it, built from the compiler's UTF-8 and UTF-16 literals, so a
// fixture never goes through the codec it checks.
#pragma once

#include <string>
#include <string_view>

namespace rave::testing {

inline const std::string kUtf8Mark = "\xEF\xBB\xBF";

inline std::string Utf8(std::u8string_view text) {
    return std::string(text.begin(), text.end());
}

// With the byte-order mark: little-endian as Windows' "Unicode", or big-endian.
inline std::string Utf16(std::u16string_view text, bool littleEndian = true) {
    std::string out;
    for (char16_t unit : u"\uFEFF" + std::u16string(text)) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        out += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return out;
}

}  // namespace rave::testing
