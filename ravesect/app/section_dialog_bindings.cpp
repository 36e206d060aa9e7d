// Ravesect's font and Enter-key bindings.
#include "ravesect/app/section_dialog_bindings.h"

#include <QString>

#include "common/format.h"
#include "platform/codec.h"
#include "ravesect/app/dialog_support.h"

namespace ravesect::app {

namespace {

struct FontRole {
    const char* button;
    const char* usage;
};
// The buttons of the font dialog and what each font draws.
const FontRole kFontRoles[kSectionFontCount] = {
    {"　標題記事1", "標題記事（フォント番号 1）"},
    {"　旗と標尺", "旗の文字、標尺の数字とタイトル"},
    {"　N値 30cm", "Ｎ値の数字（表示するとき）"},
    {"　目盛り", "グラフの目盛りの数字"},
    {"　原位置試験", "原位置試験の記号"},
    {"　標題記事2", "標題記事（フォント番号 2）"},
    {"　点の番号", "点の番号（作図/点、作図/層の操作中だけ表示）"},
};

std::string Cp932(const char* utf8) {
    return rave::platform::Utf8ToCp932(utf8).value_or(std::string());
}

bool ValidFont(int n) {
    return n >= 1 && n <= kSectionFontCount;
}

}  // namespace

std::string SectionFontBinding::ButtonLabel(int n) const {
    return ValidFont(n) ? Cp932(kFontRoles[n - 1].button) : std::string();
}

std::string SectionFontBinding::Usage(int n) const {
    return ValidFont(n) ? Cp932(kFontRoles[n - 1].usage) : std::string();
}

bool SectionFontBinding::ChooseFont(int n, double size, const std::string& face,
                                    rave::MessageSink& messages) {
    if (!ValidFont(n)) {
        return false;
    }
    const double limit = SectionFontSizeLimit(n);
    if (!(size > 1.0 && size <= limit)) {
        messages.Show(
            Cp932Message(0, QStringLiteral("文字サイズは 1 より大きく %1 ポイント以下にしてください")
                                .arg(static_cast<int>(limit))));
        return false;
    }
    if (face.empty()) {
        messages.Show(Cp932Message(0, QStringLiteral("書体を選んでください")));
        return false;
    }
    if (face.find('\r') != std::string::npos || face.find('\n') != std::string::npos) {
        messages.Show(Cp932Message(0, QStringLiteral("書体名に改行は使えません")));
        return false;
    }
    rave::FontSlot& font = fonts_[static_cast<std::size_t>(n - 1)];
    font.size = size;
    font.face = face;
    return true;
}

void SectionFontBinding::ChooseColour(int n, long colour) {
    if (ValidFont(n)) {
        fonts_[static_cast<std::size_t>(n - 1)].colour = colour & 0xffffffL;
    }
}

bool SectionFontBinding::Save(rave::MessageSink& messages) {
    if (SaveSectionFonts(installFolder_, fonts_)) {
        return true;
    }
    messages.Show(rave::platform::SettingsNotSavedMessage(installFolder_ / SectionFontFileName(1)));
    return false;
}

rave::EnterKeyBehaviour SysqEnterKeyBinding::Behaviour() const {
    const std::string& line = sysq_.Line(sysqline::kEnterKey);
    const long value = line.empty() ? 1 : sysq_.Int(sysqline::kEnterKey);
    return value >= 0 && value <= 2 ? static_cast<rave::EnterKeyBehaviour>(value)
                                    : rave::EnterKeyBehaviour::kMoveToNext;
}

bool SysqEnterKeyBinding::Store(rave::EnterKeyBehaviour behaviour, rave::MessageSink& messages) {
    sysq_.SetInt(sysqline::kEnterKey, static_cast<long>(behaviour));
    if (SaveSysqSettings(installFolder_, sysq_)) {
        return true;
    }
    messages.Show(rave::platform::SettingsNotSavedMessage(SysqFilePath(installFolder_)));
    return false;
}

}  // namespace ravesect::app
