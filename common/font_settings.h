// The report fonts of Ravelog: five files "Font1.ndx" .. "Font5.ndx" in the install folder, four
// lines each (size in points, face name, text colour, a number kept for the font dialog).
// Ravesect's "Fntq%d.ndx" files share the layout, so reading and writing one file is separate
// from Ravelog's defaults and repairs.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "common/messages.h"

namespace rave {

struct FontSlot {
    double size = 0.0;  // points
    std::string face;   // cp932
    long colour = 0;    // 0x00BBGGRR
    int extra = 0;      // kept for the font dialog
};

inline constexpr int kRavelogFontCount = 5;
using RavelogFonts = std::array<FontSlot, kRavelogFontCount>;  // font n at index n - 1

// The face used when a font file names none: "ＭＳ 明朝" in cp932.
const std::string& DefaultFontFace();

// One font file as it stands (lines of at most 80 bytes; missing lines read as empty); nothing
// when it cannot be opened.
std::optional<FontSlot> ReadFontFile(const std::filesystem::path& path);

// Writes the four lines "%.1f", "%s", "%ld", "%d" with CR LF. True when written.
bool WriteFontFile(const std::filesystem::path& path, const FontSlot& font);

// "Font1.ndx" .. "Font5.ndx".
std::string RavelogFontFileName(int n);

// Font n's defaults: 11.0 points for font 1 and 9.0 for the others, the default face, black.
FontSlot DefaultRavelogFont(int n);

// The repairs of font n after reading: a size not in (1, 200] becomes the default size of font n
// and an empty face the default face.
void RepairRavelogFont(int n, FontSlot& font);

// Reads font n (1..5) from `folder` and repairs it: a size not in (1, 200] becomes the default
// size and an empty face the default face. A missing file gives the defaults; for font 1 the
// file-not-found message is shown as well and the file is created with the defaults.
FontSlot LoadFont(int n, const std::filesystem::path& folder, MessageSink& messages);

RavelogFonts LoadFonts(const std::filesystem::path& folder, MessageSink& messages);

// All five fonts as LoadFonts gives them, but writing nothing and showing nothing: for runs that
// must leave the install folder as it is, such as the command line.
RavelogFonts ReadRavelogFonts(const std::filesystem::path& folder);

// Writes all five files; true when every one was written.
bool SaveFonts(const std::filesystem::path& folder, const RavelogFonts& fonts);

}  // namespace rave
