// The font dialog ("設定 > フォント") as a model: the five report fonts with their buttons and
// uses, the size list, "標準例" and saving all five files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/font_settings.h"
#include "common/messages.h"

namespace rave {

// The button of font n (1..5), such as "　タイトル", and what the font is used for, in cp932.
std::string FontButtonLabel(int n);
std::string FontUsage(int n);

// The sizes the dialog offers, in points.
const std::vector<int>& FontSizeChoices();

// One entry of the size list: " %2d     (%.1f)", the point size and its height in millimetres.
std::string FontSizeListEntry(int points);

class FontDialogModel {
public:
    explicit FontDialogModel(const RavelogFonts& fonts) : fonts_(fonts) {}

    const FontSlot& Font(int n) const { return fonts_.at(static_cast<std::size_t>(n - 1)); }

    // What the system font chooser returned for font n. A size outside (1, 200] or an empty face
    // is refused with a message and changes nothing; a face holding a line break is refused too.
    bool ChooseFont(int n, double size, const std::string& face, MessageSink& messages);
    void ChooseColour(int n, long colour);

    // "標準例": every font back to its defaults.
    void RestoreStandard();

    // OK: writes all five files; false, after the message, when any could not be written (the
    // values stay in use for this run).
    bool Save(const std::filesystem::path& installFolder, MessageSink& messages) const;

    const RavelogFonts& Fonts() const { return fonts_; }

private:
    RavelogFonts fonts_;
};

}  // namespace rave
