// Making the text of a written PDF the text the sheet shows: the ToUnicode maps of its fonts are
// rewritten so that a glyph a font shares between a radical and a kanji reads as the kanji.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rave::platform {

// A ToUnicode CMap with every radical destination (U+2E80..U+2EF3, U+2F00..U+2FD5) replaced by
// the ideograph it stands for; everything else is kept.
std::string MendToUnicodeMap(std::string_view cmap);

// The PDF with its ToUnicode maps mended (the same bytes when nothing needed it); nothing, with
// `error` set, when the PDF cannot be read or written.
std::optional<std::string> MendPdfText(const std::string& pdf, std::string& error);

}  // namespace rave::platform
