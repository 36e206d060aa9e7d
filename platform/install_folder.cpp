// Install folder discovery on this machine and its creation on the first start.
#include "platform/install_folder.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <random>
#include <system_error>
#include <vector>

#include "platform/codec.h"
#include "platform/path_qstring.h"

namespace rave::platform {

namespace fs = std::filesystem;

namespace {

Message CannotCreateMessage(const fs::path& folder) {
    // "The install folder could not be created".
    const auto text = Utf8ToCp932("インストールフォルダを作成できませんでした\n( %1 )");
    return Message{0, text.value_or(std::string()), folder.string()};
}

fs::path ExecutableFolder() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : executable.parent_path();
}

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// A first start that was stopped part way (the power failed, the program was killed) leaves its
// temporary copy beside the install folder; the next first start removes it. A copy younger than
// an hour may belong to a first start running at this moment (Ravelog and Ravesect share the
// default folder), so it is left alone.
bool IsAbandoned(const fs::path& copy) {
    std::error_code code;
    const auto written = fs::last_write_time(copy, code);
    return !code && fs::file_time_type::clock::now() - written > std::chrono::hours(1);
}

void RemoveAbandonedCopies(const fs::path& parent, const std::string& temporaryPrefix) {
    std::error_code code;
    std::vector<fs::path> abandoned;
    for (fs::directory_iterator it(parent.empty() ? fs::path(".") : parent, code), end; !code && it != end;
         it.increment(code)) {
        const std::string name = it->path().filename().string();
        const std::string rest = name.substr(std::min(name.size(), temporaryPrefix.size()));
        if (name.rfind(temporaryPrefix, 0) == 0 && !rest.empty() &&
            rest.find_first_not_of("0123456789") == std::string::npos && IsFolder(it->path()) &&
            IsAbandoned(it->path())) {
            abandoned.push_back(it->path());
        }
    }
    for (const fs::path& copy : abandoned) {
        fs::remove_all(copy, code);
    }
}

}  // namespace

DriveFolders CurrentDriveFolders() {
    DriveFolders folders;
    folders.home = PathFromQString(QDir::homePath());
    std::error_code error;
    folders.currentDir = fs::current_path(error);
    if (error) {
        folders.currentDir = folders.home;
    }
    return folders;
}

DriveMap MakeDriveMap(const DriveFolders& folders) {
    DriveMap drives;
    drives.windowsDrive = 'C';
    drives.currentDrive = 'D';
    drives.folderOf = [folders](char letter) -> std::optional<fs::path> {
        if (letter == 'C') {
            return folders.home;
        }
        if (letter == 'D') {
            return folders.currentDir;
        }
        return std::nullopt;
    };
    drives.nativeName = [](std::string_view cp932) { return Cp932ToUtf8(cp932); };
    return drives;
}

fs::path FindDataFolder() {
    const fs::path executable = ExecutableFolder();
    if (!executable.empty()) {
        for (const fs::path& candidate :
             {executable / ".." / "share" / "rave" / "data", executable / "data"}) {
            if (IsFolder(candidate)) {
                return candidate.lexically_normal();
            }
        }
    }
#ifdef RAVE_DATA_DIR
    if (IsFolder(RAVE_DATA_DIR)) {
        return fs::path(RAVE_DATA_DIR);
    }
#endif
    return {};
}

bool CreateInstallFolder(const fs::path& folder, const fs::path& dataFolder, std::string& error) {
    std::error_code code;
    const fs::path parent = folder.parent_path();
    if (!parent.empty()) {
        fs::create_directories(parent, code);
        if (code) {
            error = code.message();
            return false;
        }
    }
    const std::string temporaryPrefix = "." + folder.filename().string() + ".new";
    RemoveAbandonedCopies(parent, temporaryPrefix);
    std::random_device random;
    const fs::path temporary = parent / (temporaryPrefix + std::to_string(random() % 1000000));
    // The copy makes the temporary folder itself: libstdc++ on Windows refuses to copy a folder
    // into one that is already there.
    if (!dataFolder.empty() && IsFolder(dataFolder)) {
        fs::copy(dataFolder, temporary, fs::copy_options::recursive, code);
    } else {
        fs::create_directory(temporary, code);
    }
    if (!code) {
        fs::rename(temporary, folder, code);
    }
    if (code) {
        error = code.message();
        std::error_code ignored;
        fs::remove_all(temporary, ignored);
        // Another start of the program may have created it meanwhile.
        return IsFolder(folder);
    }
    return true;
}

InstallFolderRequest DefaultInstallFolderRequest(const PointerFile& pointer) {
    InstallFolderRequest request;
    request.pointer = pointer;
    request.drives = CurrentDriveFolders();
    request.systemDrives = true;
    request.dataFolder = FindDataFolder();
    return request;
}

std::optional<fs::path> PrepareInstallFolder(const InstallFolderRequest& request, MessageSink& messages) {
    fs::path folder = request.overrideFolder;
    if (folder.empty()) {
        const DriveMap drives =
            request.systemDrives ? SystemDriveMap(request.drives) : MakeDriveMap(request.drives);
        const auto found = FindInstallFolder(drives, request.pointer);
        if (!found) {
            return std::nullopt;
        }
        folder = *found;
    }
    std::error_code code;
    folder = fs::absolute(folder, code).lexically_normal();
    if (folder.has_filename() == false && folder.has_parent_path()) {
        folder = folder.parent_path();  // "dir/" names the same folder as "dir"
    }
    if (IsFolder(folder)) {
        return folder;
    }
    std::string error;
    if (fs::exists(folder, code) || !CreateInstallFolder(folder, request.dataFolder, error)) {
        messages.Show(CannotCreateMessage(folder));
        return std::nullopt;
    }
    return folder;
}

}  // namespace rave::platform
