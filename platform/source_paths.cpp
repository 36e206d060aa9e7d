// The files a section's placed columns name, for the window and the command line alike.
#include "platform/source_paths.h"

#include "common/install_folder.h"
#include "common/path_text.h"
#include "platform/codec.h"
#include "platform/install_folder.h"

namespace rave::platform {

std::filesystem::path ResolveSourcePath(std::string_view cp932Path) {
    if (cp932Path.size() > 2 && cp932Path[1] == ':' && (cp932Path[2] == '\\' || cp932Path[2] == '/')) {
        const DriveMap drives = SystemDriveMap(CurrentDriveFolders());
        if (auto native = WindowsPathToNative(cp932Path, drives)) {
            return *native;
        }
    }
    return PathFromUtf8(Cp932ToUtf8(cp932Path));
}

std::optional<std::string> SourcePathText(const std::filesystem::path& native) {
    const std::string utf8 = native.string();
    std::optional<std::string> cp932 = Utf8ToCp932(utf8);
    if (!cp932 || Cp932ToUtf8(*cp932) != utf8) {
        return std::nullopt;
    }
    return cp932;
}

std::string UnstorablePathCharacter(const std::filesystem::path& native) {
    const std::string utf8 = native.string();
    for (std::size_t at = 0; at < utf8.size();) {
        // One UTF-8 sequence: a lead byte and its continuation bytes.
        std::size_t end = at + 1;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
            ++end;
        }
        const std::string character = utf8.substr(at, end - at);
        const std::optional<std::string> cp932 = Utf8ToCp932(character);
        if (!cp932 || Cp932ToUtf8(*cp932) != character) {
            return character;
        }
        at = end;
    }
    return {};
}

}  // namespace rave::platform
