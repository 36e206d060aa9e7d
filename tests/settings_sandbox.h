// Keeps a test's settings in a folder of its own, away from the user's and from other tests'.
// Windows keeps native settings in the registry, which no folder can hold, so the tests use INI
// files on every platform; the programs read settings in the default format, which this sets.
#pragma once

#include <QSettings>
#include <QString>
#include <filesystem>

namespace rave::testing {

inline void KeepSettingsIn(const std::filesystem::path& folder) {
    const QString path = QString::fromStdU16String(folder.u16string());
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
}

}  // namespace rave::testing
