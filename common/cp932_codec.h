// cp932 <-> Unicode with a table of our own, the same on every platform, so a file converts to the
// same text wherever the programs run. Document values stay cp932 bytes; this is used where text
// leaves them: widgets, window titles, JSON, file names, and the XML reader.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rave {

// The character of the cp932 text at `offset`, which advances past it. A byte or pair that is no
// cp932 character gives U+FFFD and advances by its length (a lead byte takes its trail byte along).
char32_t DecodeCp932Char(std::string_view cp932, std::size_t& offset);

// Appends the cp932 bytes of `c`; false (nothing appended) when cp932 has no form for it.
bool AppendCp932Char(char32_t c, std::string& out);

// cp932 -> UTF-8; what is no cp932 character becomes U+FFFD, so display never fails.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 -> cp932; nothing when the UTF-8 is malformed or a character has no cp932 form.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// UTF-8 -> cp932 where every character cp932 has no form for becomes "?".
std::string Utf8ToCp932Lossy(std::string_view utf8);

// The character of the UTF-8 text at `offset`, which advances past it; U+FFFD for a malformed
// sequence (overlong, a surrogate, past U+10FFFF, cut short), advancing by one byte.
char32_t DecodeUtf8Char(std::string_view utf8, std::size_t& offset);

// Appends the UTF-8 form of `c`.
void AppendUtf8(char32_t c, std::string& out);

}  // namespace rave
