// Finding the install folder through a pointer file.
//
// Each program keeps a one-line pointer file, "\Kelvard\Vuzor5.whr" for Ravelog and
// "\Kelvard\Vivad5.whr" for Ravesect, on the drive of the Windows directory (or else on the drive
// of the current directory). Its first line names the install folder as "D:\folder". The paths
// are Windows paths; a DriveMap says which folder of this machine stands for each drive letter,
// and the paths are translated through it.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace rave {

struct PointerFile {
    std::string_view path;           // below the drive, e.g. "\\Kelvard\\Vuzor5.whr"
    std::string_view defaultFolder;  // used when the pointer names nothing usable
};

inline constexpr PointerFile kRavelogPointerFile{"\\Kelvard\\Vuzor5.whr", "\\Kelvard\\Sver5"};
inline constexpr PointerFile kRavesectPointerFile{"\\Kelvard\\Vivad5.whr", "\\Kelvard\\Sver5"};

struct DriveMap {
    char windowsDrive = 'C';  // drive of the Windows directory
    char currentDrive = 'D';  // drive of the current directory
    // The folder standing for a drive letter (given in upper case); nothing for an unknown drive.
    std::function<std::optional<std::filesystem::path>(char letter)> folderOf;
    // Turns one cp932 name of a path into the UTF-8 text of a native file name; unset keeps the bytes.
    std::function<std::string(std::string_view cp932)> nativeName;
};

// The install folder as a Windows path, such as "C:\Kelvard\Sver5", found through the pointer
// file on the Windows drive, else on the current drive, else the default folder on the Windows
// drive.
std::string FindInstallFolderText(const DriveMap& drives, const PointerFile& pointer);

// "C:\Kelvard\Sver5" as a native path: the drive's folder followed by the names of the path
// (backslashes and slashes both separate names; a backslash that is the second byte of a
// double-byte character does not). Nothing when the text has no drive or the drive is unknown.
std::optional<std::filesystem::path> WindowsPathToNative(std::string_view windowsPath,
                                                         const DriveMap& drives);

// A folder or file named by a settings line (cp932 text): a Windows-form path through the drive
// map when `drives` knows its drive, otherwise the text as a native path with its backslashes as
// separators (a backslash that is the second byte of a double-byte character stays).
std::filesystem::path NativePathOfSetting(std::string_view text, const DriveMap* drives);

// The native install folder. A pointer naming a drive this machine does not have gives the
// default folder on the Windows drive. Nothing only when the Windows drive itself is unknown.
std::optional<std::filesystem::path> FindInstallFolder(const DriveMap& drives, const PointerFile& pointer);

}  // namespace rave
