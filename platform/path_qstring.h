// File names between std::filesystem and Qt. A path becomes a QString through its own characters
// (its wide form on Windows, its UTF-8 bytes elsewhere) and back, never through the system's
// 8-bit code page: on Windows that is the ANSI code page, not UTF-8, and a folder whose name is
// not ASCII (C:\Users\山田\...) would turn into the name of another file.
#pragma once

#include <QString>
#include <filesystem>

namespace rave::platform {

QString PathToQString(const std::filesystem::path& path);
std::filesystem::path PathFromQString(const QString& text);

}  // namespace rave::platform
