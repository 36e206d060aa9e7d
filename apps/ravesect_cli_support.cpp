// The install folder, the private working folder and the path conversions of Ravesect's verbs.
#include <random>
#include <system_error>

#include "apps/ravesect_cli_context.h"
#include "platform/codec.h"
#include "platform/install_folder.h"
#include "ravesect/document/section_commands.h"

namespace ravesect::cli {

namespace fs = std::filesystem;

std::optional<fs::path> ResolveInstallFolder(CommandContext& context) {
    if (!context.installFolder.empty()) {
        return context.installFolder;
    }
    auto request = rave::platform::DefaultInstallFolderRequest(rave::kRavesectPointerFile);
    request.overrideFolder = context.installFolderOption;
    auto folder = rave::platform::PrepareInstallFolder(request, context.messages);
    if (!folder) {
        context.exitCode = 1;
        return std::nullopt;
    }
    context.installFolder = *folder;
    return folder;
}

PrivateWorkingFolder::PrivateWorkingFolder() {
    std::random_device random;
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) {
        return;
    }
    for (int attempt = 0; attempt < 8; ++attempt) {
        const fs::path candidate = base / ("ravesect-work-" + std::to_string(random()));
        if (fs::create_directory(candidate, error) && !error) {
            path_ = candidate;
            files_ = WorkingFiles::In(path_);
            return;
        }
    }
}

PrivateWorkingFolder::~PrivateWorkingFolder() {
    if (!path_.empty()) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
}

fs::path ResolveSourcePath(std::string_view cp932Path) {
    if (cp932Path.size() > 2 && cp932Path[1] == ':' && (cp932Path[2] == '\\' || cp932Path[2] == '/')) {
        const rave::DriveMap drives = rave::platform::MakeDriveMap(rave::platform::CurrentDriveFolders());
        if (auto native = rave::WindowsPathToNative(cp932Path, drives)) {
            return *native;
        }
    }
    return fs::path(rave::platform::Cp932ToUtf8(cp932Path));
}

std::optional<std::string> DocumentPathText(const fs::path& native) {
    return rave::platform::Utf8ToCp932(native.string());
}

bool OpenSectionForCommandLine(CommandContext& context, const PrivateWorkingFolder& working,
                               const fs::path& file, SectionDocument& document) {
    if (!working.ok()) {
        std::error_code error;
        context.messages.Show(CannotOpenWorkingFileMessage(fs::temp_directory_path(error)));
        return false;
    }
    if (!OpenSectionThroughFramework(document, working.files(), file, context.messages)) {
        if (context.messages.count() == 0) {
            context.messages.Show(SourceNotFoundMessage(file));
        }
        return false;
    }
    return true;
}

}  // namespace ravesect::cli
