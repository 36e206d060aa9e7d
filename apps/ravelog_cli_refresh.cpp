// Settings and refresh of a command-line run.
#include "apps/ravelog_cli_refresh.h"

#include <memory>

#include "apps/ravelog_cli_context.h"
#include "apps/ravelog_cli_install.h"
#include "common/installed_soil_tables.h"
#include "common/settings_files.h"
#include "ravelog/conversion/default_settings.h"
#include "ravelog/conversion/soil_name_pass.h"
#include "ravelog/entry/refresh.h"

namespace ravelog::cli {

namespace {
constexpr const char* kSettingsFile = "Sys.ndx";
}

std::optional<rave::RavelogSettings> LoadCommandLineSettings(CommandContext& context) {
    const std::optional<std::filesystem::path> folder = ResolveInstallFolder(context);
    if (!folder) {
        return std::nullopt;
    }
    // A command-line run leaves the install folder as it is: defaults stand in for a missing file.
    return rave::ReadSettingsOrDefaults(*folder / kSettingsFile);
}

bool RefreshForCommandLine(SoundingDocument& document, CommandContext& context) {
    const std::optional<rave::RavelogSettings> settings = LoadCommandLineSettings(context);
    if (!settings) {
        return false;
    }
    ApplyViewSetUpDefaults(document, *settings);
    auto tables = std::make_shared<const rave::InstalledSoilTables>(
        rave::LoadInstalledSoilTables(context.installFolder, context.messages));
    RefreshAfterRowEdit(document, MakeSoilNamePass(std::move(tables)), context.messages);
    return true;
}

}  // namespace ravelog::cli
