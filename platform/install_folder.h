// The install folder on this machine.
//
// The programs find their install folder through a pointer file on Windows drives. Here the
// drive of the Windows directory ("C:") stands for the user's home folder and the drive of the
// current directory ("D:") for the current working directory, so the default install folder is
// ~/Kelvard/Sver5 and a pointer file ~/Kelvard/Vuzor5.whr holding "C:\work\Sver5" names
// ~/work/Sver5. Every program also takes the folder directly (--install-folder DIR).
//
// On the first start the install folder does not exist yet; it is then created and filled with
// the content of the project's data/ folder, as an installer would have done.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "common/install_folder.h"
#include "common/messages.h"

namespace rave::platform {

struct DriveFolders {
    std::filesystem::path home;        // stands for the Windows directory's drive
    std::filesystem::path currentDir;  // stands for the current directory's drive
};

// The user's home folder and the current working directory of this process.
DriveFolders CurrentDriveFolders();

// "C:" -> home, "D:" -> current directory; pointer-file names converted from cp932 to UTF-8.
DriveMap MakeDriveMap(const DriveFolders& folders);

// The drives of this system: on Windows its real drives (the Windows directory's and the current
// directory's), elsewhere MakeDriveMap(folders).
DriveMap SystemDriveMap(const DriveFolders& folders);

// What a new install folder is filled with: the data folder installed with the program
// (../share/rave/data or data/ beside the executable), else the data/ folder of the source
// tree it was built from. Empty when there is none.
std::filesystem::path FindDataFolder();

// Creates `folder` holding a copy of everything in `dataFolder`, subfolders included. The copy is
// assembled in a temporary folder beside it and renamed into place, so an interrupted first start
// never leaves a half-filled install folder behind. A missing or empty data folder gives an empty
// install folder. False with `error` set when it failed.
bool CreateInstallFolder(const std::filesystem::path& folder, const std::filesystem::path& dataFolder,
                         std::string& error);

struct InstallFolderRequest {
    std::filesystem::path overrideFolder;  // --install-folder; empty: found through the pointer file
    PointerFile pointer = kRavelogPointerFile;
    DriveFolders drives;
    bool systemDrives = false;  // the system's drives (SystemDriveMap) instead of MakeDriveMap(drives)
    std::filesystem::path dataFolder;
};

// A request for this process: current drive folders and the data folder found beside the program.
InstallFolderRequest DefaultInstallFolderRequest(const PointerFile& pointer);

// The install folder to use (absolute), created from the data folder when it does not exist.
// Nothing, after a message, when it cannot be found or created or when a file stands in its place.
std::optional<std::filesystem::path> PrepareInstallFolder(const InstallFolderRequest& request,
                                                          MessageSink& messages);

}  // namespace rave::platform
