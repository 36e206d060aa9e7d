// The seven fonts of the section drawing, "Fntq1.ndx" .. "Fntq7.ndx" in the install folder, in
// the four-line font-file layout: 1 titles of font number 1, 2 flag texts and ruler figures,
// 3 N-value figures, 4 graph scale figures, 5 in-situ test symbols, 6 titles of font number 2,
// 7 point numbers.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "common/font_settings.h"
#include "common/messages.h"

namespace ravesect {

inline constexpr int kSectionFontCount = 7;
using SectionFonts = std::array<rave::FontSlot, kSectionFontCount>;  // font n at index n - 1

namespace section_font {
inline constexpr int kTitle1 = 1;
inline constexpr int kFlag = 2;
inline constexpr int kNValue = 3;
inline constexpr int kScale = 4;
inline constexpr int kInSitu = 5;
inline constexpr int kTitle2 = 6;
inline constexpr int kPointNumber = 7;
}  // namespace section_font

// "Fntq%d.ndx".
std::string SectionFontFileName(int n);
// Font n's default: sizes 18, 8, 8, 8, 6, 8, 9 points, "ＭＳ 明朝", black.
rave::FontSlot DefaultSectionFont(int n);
// The largest accepted size of font n: 400 for font 1, 100 for the others (sizes must be above 1).
double SectionFontSizeLimit(int n);
// A size outside (1, limit] becomes the default; an empty face becomes "ＭＳ 明朝".
void RepairSectionFont(int n, rave::FontSlot& font);
const rave::FontSlot& SectionFont(const SectionFonts& fonts, int n);

// Reads and repairs all seven files of `folder`; missing files take their defaults. A missing
// "Fntq1.ndx" is reported with string 4010 when `messages` is given.
SectionFonts LoadSectionFonts(const std::filesystem::path& folder, rave::MessageSink* messages);
SectionFonts DefaultSectionFonts();
// Writes all seven files; true when every one was written.
bool SaveSectionFonts(const std::filesystem::path& folder, const SectionFonts& fonts);

}  // namespace ravesect
