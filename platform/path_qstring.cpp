// File names between std::filesystem and Qt (see path_qstring.h).
#include "platform/path_qstring.h"

#include <string>
#include <type_traits>

#include "common/path_text.h"

namespace rave::platform {

namespace {

// A path's native form is wide text on Windows and bytes (UTF-8 here) elsewhere: one of the two
// is used on each system.
[[maybe_unused]] QString FromNative(const std::wstring& wide) {
    return QString::fromStdWString(wide);
}

[[maybe_unused]] QString FromNative(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

QString PathToQString(const std::filesystem::path& path) {
    return FromNative(path.native());
}

std::filesystem::path PathFromQString(const QString& text) {
    if constexpr (std::is_same_v<std::filesystem::path::value_type, wchar_t>) {
        return std::filesystem::path(text.toStdWString());
    } else {
        return rave::PathFromUtf8(text.toStdString());
    }
}

}  // namespace rave::platform
