// The font dialog model.
#include "common/settings_font_dialog.h"

#include "common/field_validation.h"
#include "common/format.h"

namespace rave {

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72.0;

bool IsValidFontNumber(int n) {
    return n >= 1 && n <= kRavelogFontCount;
}

}  // namespace

std::string FontButtonLabel(int n) {
    switch (n) {
        case 1:
            return "　タイトル";
        case 2:
            return "　項目文字";
        case 3:
            return "　図表項目名";
        case 4:
            return "　図表内データ";
        case 5:
            return "　ページ";
        default:
            return {};
    }
}

std::string FontUsage(int n) {
    switch (n) {
        case 1:
            return "タイトル、 調査件名・年月日などのデータ";
        case 2:
            return "調査件名・試験年月日などの項目文字,業者名, 様式3の計算式";
        case 3:
            return "図表枠内の荷重・単位などの項目文字, 特記事項";
        case 4:
            return "図表枠内の測定データ・記事・土質名・換算値";
        case 5:
            return "フッタ ページ部分";
        default:
            return {};
    }
}

const std::vector<int>& FontSizeChoices() {
    static const std::vector<int> sizes = {6,  7,  8,  9,  10, 11, 12, 14, 16,
                                           18, 20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

std::string FontSizeListEntry(int points) {
    return FormatText(" %2d     (%.1f)", points, points * kMillimetresPerPoint);
}

bool FontDialogModel::ChooseFont(int n, double size, const std::string& face, MessageSink& messages) {
    if (!IsValidFontNumber(n)) {
        return false;
    }
    if (!(size > 1.0 && size <= 200.0)) {
        // "Choose a size greater than 1 and at most 200 points".
        messages.Show(Message{0, "文字サイズは 1 より大きく 200 ポイント以下にしてください", ""});
        return false;
    }
    if (face.empty()) {
        // "Choose a font face".
        messages.Show(Message{0, "書体を選んでください", ""});
        return false;
    }
    if (!CheckStorableText(face, messages)) {
        return false;
    }
    FontSlot& font = fonts_[static_cast<std::size_t>(n - 1)];
    font.size = size;
    font.face = face;
    return true;
}

void FontDialogModel::ChooseColour(int n, long colour) {
    if (IsValidFontNumber(n)) {
        fonts_[static_cast<std::size_t>(n - 1)].colour = colour & 0xffffffL;
    }
}

void FontDialogModel::RestoreStandard() {
    for (int n = 1; n <= kRavelogFontCount; ++n) {
        fonts_[static_cast<std::size_t>(n - 1)] = DefaultRavelogFont(n);
    }
}

bool FontDialogModel::Save(const std::filesystem::path& installFolder, MessageSink& messages) const {
    if (SaveFonts(installFolder, fonts_)) {
        return true;
    }
    // "The font files could not be written".
    messages.Show(Message{0, "フォントファイルを保存できませんでした\n( %1 )", installFolder.string()});
    return false;
}

}  // namespace rave
