// Linux: the Mincho faces come with the system's packages (fonts-ipaexfont-mincho).
#include "platform/system_fonts.h"

namespace rave::platform {

void LoadBundledFonts() {}

QStringList PreferredMinchoFamilies() {
    return {QStringLiteral(u"IPAex明朝"), QStringLiteral("IPAexMincho"), QStringLiteral(u"IPA明朝"),
            QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP")};
}

QFont::HintingPreference SheetFontHinting() {
    return QFont::PreferDefaultHinting;  // FreeType's advances are the design widths already
}

}  // namespace rave::platform
