// Ravelog's font files.
#include "common/font_settings.h"

#include <climits>
#include <system_error>
#include <vector>

#include "common/format.h"
#include "common/numbers.h"
#include "common/settings_files.h"
#include "common/text_file.h"

namespace rave {

namespace {

// The reader's line buffer: 80 bytes, the line end included.
constexpr std::size_t kFontLineLimit = 80;

int ClampToInt(long value) {
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// Cuts a text at its first CR or LF so that it stays on its own line.
std::string OneLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

const std::string& DefaultFontFace() {
    static const std::string face = "ＭＳ 明朝";
    return face;
}

std::optional<FontSlot> ReadFontFile(const std::filesystem::path& path) {
    auto lines = ReadTextLines(path, kFontLineLimit);
    if (!lines) {
        return std::nullopt;
    }
    lines->resize(std::max<std::size_t>(lines->size(), 4));
    FontSlot font;
    font.size = ParseDecimal((*lines)[0]);
    font.face = (*lines)[1];
    font.colour = ParseInteger((*lines)[2]);
    font.extra = ClampToInt(ParseInteger((*lines)[3]));
    return font;
}

bool WriteFontFile(const std::filesystem::path& path, const FontSlot& font) {
    const std::vector<std::string> lines = {
        FormatText("%.1f", font.size),
        OneLine(font.face),
        FormatText("%ld", font.colour),
        FormatText("%d", font.extra),
    };
    return WriteFileAtomically(path, JoinCrLf(lines));
}

std::string RavelogFontFileName(int n) {
    return FormatText("Font%d.ndx", n);
}

FontSlot DefaultRavelogFont(int n) {
    FontSlot font;
    font.size = n == 1 ? 11.0 : 9.0;
    font.face = DefaultFontFace();
    return font;
}

FontSlot LoadFont(int n, const std::filesystem::path& folder, MessageSink& messages) {
    const std::filesystem::path path = folder / RavelogFontFileName(n);
    const auto read = ReadFontFile(path);
    if (!read) {
        const FontSlot defaults = DefaultRavelogFont(n);
        if (n == 1) {
            messages.Show(FileNotFoundMessage(path));
            // A file that exists but could not be read is left alone.
            std::error_code error;
            if (!std::filesystem::exists(path, error) && !error) {
                WriteFontFile(path, defaults);
            }
        }
        return defaults;
    }
    FontSlot font = *read;
    RepairRavelogFont(n, font);
    return font;
}

void RepairRavelogFont(int n, FontSlot& font) {
    // Written so that a size that is not a number at all (NaN) is replaced as well.
    if (!(font.size > 1.0 && font.size <= 200.0)) {
        font.size = DefaultRavelogFont(n).size;
    }
    if (font.face.empty()) {
        font.face = DefaultFontFace();
    }
}

RavelogFonts ReadRavelogFonts(const std::filesystem::path& folder) {
    RavelogFonts fonts;
    for (int n = 1; n <= kRavelogFontCount; ++n) {
        FontSlot font = ReadFontFile(folder / RavelogFontFileName(n)).value_or(DefaultRavelogFont(n));
        RepairRavelogFont(n, font);
        fonts[static_cast<std::size_t>(n - 1)] = font;
    }
    return fonts;
}

RavelogFonts LoadFonts(const std::filesystem::path& folder, MessageSink& messages) {
    RavelogFonts fonts;
    for (int n = 1; n <= kRavelogFontCount; ++n) {
        fonts[static_cast<std::size_t>(n - 1)] = LoadFont(n, folder, messages);
    }
    return fonts;
}

bool SaveFonts(const std::filesystem::path& folder, const RavelogFonts& fonts) {
    bool allWritten = true;
    for (int n = 1; n <= kRavelogFontCount; ++n) {
        allWritten = WriteFontFile(folder / RavelogFontFileName(n), fonts[static_cast<std::size_t>(n - 1)]) &&
                     allWritten;
    }
    return allWritten;
}

}  // namespace rave
