// Reading and repairing the seven section fonts.
#include "ravesect/drawing/section_fonts.h"

#include "common/format.h"
#include "ravesect/document/working_files.h"

namespace ravesect {

namespace {

constexpr std::array<double, kSectionFontCount> kDefaultSizes{18.0, 8.0, 8.0, 8.0, 6.0, 8.0, 9.0};

int ClampFontNumber(int n) {
    return n < 1 ? 1 : n > kSectionFontCount ? kSectionFontCount : n;
}

}  // namespace

std::string SectionFontFileName(int n) {
    return rave::FormatText("Fntq%d.ndx", n);
}

rave::FontSlot DefaultSectionFont(int n) {
    rave::FontSlot font;
    font.size = kDefaultSizes.at(static_cast<std::size_t>(ClampFontNumber(n) - 1));
    font.face = rave::DefaultFontFace();
    font.colour = 0;
    font.extra = 0;
    return font;
}

double SectionFontSizeLimit(int n) {
    return n == 1 ? 400.0 : 100.0;
}

void RepairSectionFont(int n, rave::FontSlot& font) {
    if (!(font.size > 1.0 && font.size <= SectionFontSizeLimit(n))) {
        font.size = DefaultSectionFont(n).size;
    }
    if (font.face.empty()) {
        font.face = rave::DefaultFontFace();
    }
}

const rave::FontSlot& SectionFont(const SectionFonts& fonts, int n) {
    return fonts.at(static_cast<std::size_t>(ClampFontNumber(n) - 1));
}

SectionFonts DefaultSectionFonts() {
    SectionFonts fonts;
    for (int n = 1; n <= kSectionFontCount; ++n) {
        fonts[static_cast<std::size_t>(n - 1)] = DefaultSectionFont(n);
    }
    return fonts;
}

SectionFonts LoadSectionFonts(const std::filesystem::path& folder, rave::MessageSink* messages) {
    SectionFonts fonts = DefaultSectionFonts();
    for (int n = 1; n <= kSectionFontCount; ++n) {
        const std::filesystem::path path = folder / SectionFontFileName(n);
        std::optional<rave::FontSlot> read = rave::ReadFontFile(path);
        if (!read) {
            if (n == 1 && messages != nullptr) {
                messages->Show(SourceNotFoundMessage(path));
            }
            continue;
        }
        RepairSectionFont(n, *read);
        fonts[static_cast<std::size_t>(n - 1)] = *read;
    }
    return fonts;
}

bool SaveSectionFonts(const std::filesystem::path& folder, const SectionFonts& fonts) {
    bool all = true;
    for (int n = 1; n <= kSectionFontCount; ++n) {
        all = rave::WriteFontFile(folder / SectionFontFileName(n), fonts[static_cast<std::size_t>(n - 1)]) &&
              all;
    }
    return all;
}

}  // namespace ravesect
