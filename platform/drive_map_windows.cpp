// The real drives of Windows: the pointer files are looked for on the drive of the Windows
// directory, then on the drive of the current directory.
#include <windows.h>

#include <cctype>

#include "common/path_text.h"
#include "platform/codec.h"
#include "platform/install_folder.h"

namespace rave::platform {

namespace {

char DriveLetterOf(const std::wstring& path, char fallback) {
    if (path.size() >= 2 && path[1] == L':' && std::iswalpha(path[0])) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    }
    return fallback;
}

}  // namespace

DriveMap SystemDriveMap(const DriveFolders&) {
    wchar_t windowsFolder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(windowsFolder, MAX_PATH);
    wchar_t currentFolder[MAX_PATH] = {};
    const DWORD currentLength = GetCurrentDirectoryW(MAX_PATH, currentFolder);

    DriveMap drives;
    drives.windowsDrive = DriveLetterOf(length > 0 ? std::wstring(windowsFolder, length) : L"C:", 'C');
    drives.currentDrive = DriveLetterOf(currentLength > 0 ? std::wstring(currentFolder, currentLength) : L"",
                                        drives.windowsDrive);
    drives.folderOf = [](char letter) -> std::optional<std::filesystem::path> {
        if (letter < 'A' || letter > 'Z' || (GetLogicalDrives() & (1u << (letter - 'A'))) == 0) {
            return std::nullopt;
        }
        return std::filesystem::path(std::wstring{static_cast<wchar_t>(letter), L':', L'\\'});
    };
    drives.nativeName = [](std::string_view cp932) { return Cp932ToUtf8(cp932); };
    return drives;
}

}  // namespace rave::platform
