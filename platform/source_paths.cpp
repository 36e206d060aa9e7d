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
    return Utf8ToCp932(native.string());
}

}  // namespace rave::platform
