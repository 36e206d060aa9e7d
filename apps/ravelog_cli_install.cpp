// Finding and preparing the install folder for the command-line verbs.
#include "apps/ravelog_cli_install.h"

#include "apps/ravelog_cli_context.h"
#include "platform/install_folder.h"

namespace ravelog::cli {

std::optional<std::filesystem::path> ResolveInstallFolder(CommandContext& context) {
    if (!context.installFolder.empty()) {
        return context.installFolder;
    }
    auto request = rave::platform::DefaultInstallFolderRequest(rave::kRavelogPointerFile);
    request.overrideFolder = context.installFolderOption;
    auto folder = rave::platform::PrepareInstallFolder(request, context.messages);
    if (!folder) {
        context.exitCode = 1;
        return std::nullopt;
    }
    context.installFolder = *folder;
    return folder;
}

}  // namespace ravelog::cli
