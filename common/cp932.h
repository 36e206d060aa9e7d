// Stepping through cp932 (Shift-JIS) text byte by byte without ever splitting a double-byte
// character. Document texts are kept as the bytes read from the files; every byte limit of the
// system (line lengths, field widths, spaced texts) is applied with these helpers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rave {

// Lead bytes of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length in bytes (1 or 2) of the character starting at `offset`. A lead byte at the very end of
// the text counts as one byte, so a truncated file never makes a reader step past its end.
std::size_t Cp932CharLength(std::string_view text, std::size_t offset);

// The longest prefix of at most `maxBytes` bytes that ends on a character boundary.
std::string_view Cp932Prefix(std::string_view text, std::size_t maxBytes);

// Number of characters (not bytes) in the text.
std::size_t Cp932CharCount(std::string_view text);

// Position of `needle` in `text`, searching only at character boundaries, so that the trail byte
// of a double-byte character never matches an ASCII needle such as "$" or "\\".
std::size_t Cp932Find(std::string_view text, std::string_view needle, std::size_t from = 0);

}  // namespace rave
