// The pointer-file search for the install folder and the translation of its Windows path.
#include "common/install_folder.h"

#include <cctype>
#include <vector>

#include "common/cp932.h"
#include "common/path_text.h"
#include "common/text_file.h"

namespace rave {

namespace {

// The pointer file's line buffer: 80 bytes, the line end included.
constexpr std::size_t kPointerLineLimit = 80;

char UpperDrive(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

std::string DrivePath(char drive, std::string_view path) {
    std::string text(1, drive);
    text += ':';
    text += path;
    return text;
}

// The first line of the pointer file on `drive`, kept only when longer than one character.
std::string ReadPointerLine(char drive, const DriveMap& drives, const PointerFile& pointer) {
    const auto native = WindowsPathToNative(DrivePath(drive, pointer.path), drives);
    if (!native) {
        return {};
    }
    const auto bytes = ReadFileBytes(*native);
    if (!bytes) {
        return {};
    }
    LineCursor cursor(*bytes, kPointerLineLimit);
    std::string_view line;
    if (!cursor.Next(line)) {
        return {};
    }
    line = StripLineEnd(line);
    return line.size() > 1 ? std::string(line) : std::string();
}

}  // namespace

std::string FindInstallFolderText(const DriveMap& drives, const PointerFile& pointer) {
    std::string text = ReadPointerLine(drives.windowsDrive, drives, pointer);
    if (text.size() < 3) {
        text = ReadPointerLine(drives.currentDrive, drives, pointer);
    }
    char drive = '\0';
    std::string path;
    if (text.size() >= 3) {
        drive = text[0];
        path = text.substr(2);
    }
    if (drive == '\0' || path.size() <= 1) {
        drive = drives.windowsDrive;
        path = pointer.defaultFolder;
    }
    return DrivePath(drive, path);
}

std::optional<std::filesystem::path> WindowsPathToNative(std::string_view windowsPath,
                                                         const DriveMap& drives) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':' || !drives.folderOf) {
        return std::nullopt;
    }
    auto folder = drives.folderOf(UpperDrive(windowsPath[0]));
    if (!folder) {
        return std::nullopt;
    }
    // ".." never climbs above the drive's folder, as on a Windows drive, where "C:\.." is "C:\".
    std::vector<std::string_view> names;
    const std::string_view rest = windowsPath.substr(2);
    std::size_t start = 0;
    std::size_t i = 0;
    auto addName = [&](std::size_t end) {
        const std::string_view name = rest.substr(start, end - start);
        if (name == "..") {
            if (!names.empty()) {
                names.pop_back();
            }
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
    };
    while (i < rest.size()) {
        if (rest[i] == '\\' || rest[i] == '/') {
            addName(i);
            start = i + 1;
            ++i;
        } else {
            i += Cp932CharLength(rest, i);
        }
    }
    addName(rest.size());
    std::filesystem::path result = folder->lexically_normal();
    for (std::string_view name : names) {
        result /= drives.nativeName ? PathFromUtf8(drives.nativeName(name)) : PathFromCp932(name);
    }
    return result;
}

std::optional<std::filesystem::path> FindInstallFolder(const DriveMap& drives, const PointerFile& pointer) {
    if (auto folder = WindowsPathToNative(FindInstallFolderText(drives, pointer), drives)) {
        return folder;
    }
    return WindowsPathToNative(DrivePath(drives.windowsDrive, pointer.defaultFolder), drives);
}

std::filesystem::path NativePathOfSetting(std::string_view text, const DriveMap* drives) {
    if (drives != nullptr) {
        if (auto native = WindowsPathToNative(text, *drives)) {
            return *native;
        }
    }
    std::string native;
    native.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Cp932CharLength(text, i);
        if (length == 1 && text[i] == '\\') {
            native += '/';
        } else {
            native.append(text, i, length);
        }
        i += length;
    }
    return PathFromCp932(native);
}

}  // namespace rave
