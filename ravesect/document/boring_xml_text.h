// Text helpers of the boring exchange XML reader: deciding the encoding of a delivered file,
// converting it to UTF-8 for the XML parser and its values back to the cp932 the core keeps, and
// the normalised form of a soil name that the soil-name table can match.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ravesect {

// True when every byte sequence of the text is well-formed UTF-8 (no overlong forms, no
// surrogates, nothing past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The encoding named in the XML declaration (`encoding="..."`), empty when there is none.
std::string DeclaredXmlEncoding(std::string_view bytes);

// The file's bytes as UTF-8: UTF-16 (with or without a byte-order mark) is converted; valid UTF-8
// stays as it is (a byte-order mark is dropped); otherwise EUC-JP when declared, else cp932 (the
// Shift_JIS family's superset, also for a file that says UTF-8 but is not). Nothing when the file
// is in an encoding the reader cannot convert (UnsupportedXmlEncoding names it).
std::optional<std::string> XmlBytesAsUtf8(std::string_view bytes);

// The first `limit` bytes of a file as UTF-8, decoded as XmlBytesAsUtf8 decodes the whole file
// (a character cut by the limit becomes U+FFFD or is left off): enough to tell what the file is
// without converting all of it.
std::string XmlHeadAsUtf8(std::string_view bytes, std::size_t limit);

// The declared encoding of a file that cannot be read in it (ISO-2022-JP, say); empty when the
// file can be read.
std::string UnsupportedXmlEncoding(std::string_view bytes);

// Converts UTF-8 values to cp932. A character cp932 has no form for becomes "?" so a value is
// never lost as a whole.
class Utf8ToCp932Converter {
public:
    std::string Convert(std::string_view utf8);
};

// The value of an element as written by hand: leading and trailing blanks, tabs, line breaks and
// ideographic spaces removed.
std::string_view TrimXmlValue(std::string_view utf8);

// The soil name the table is searched with: half-width katakana made full-width (voiced marks
// joined), full-width letters, digits and brackets made half-width, every blank removed, "混じり"
// read as "混り", and parenthesised notes ("盛土(砂礫)") taken off. The name as written is kept
// for display elsewhere. UTF-8 in and out.
std::string NormaliseSoilName(std::string_view utf8);

}  // namespace ravesect
