// Windows: "ＭＳ 明朝" where Windows has it, else IPAex明朝 shipped in the program's fonts folder.
#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <mutex>

#include "platform/system_fonts.h"

namespace rave::platform {

void LoadBundledFonts() {
    static std::once_flag once;
    std::call_once(once, [] {
        const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
        for (const QString& file :
             fonts.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files)) {
            QFontDatabase::addApplicationFont(fonts.filePath(file));
        }
    });
}

QStringList PreferredMinchoFamilies() {
    return {QStringLiteral(u"ＭＳ 明朝"),  QStringLiteral("MS Mincho"), QStringLiteral(u"IPAex明朝"),
            QStringLiteral("IPAexMincho"), QStringLiteral(u"IPA明朝"),  QStringLiteral("IPAMincho")};
}

// Without hinting Qt lays text out through DirectWrite, whose advances are the design widths.
QFont::HintingPreference SheetFontHinting() {
    return QFont::PreferNoHinting;
}

}  // namespace rave::platform
