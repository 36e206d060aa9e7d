// Start-up files of the report view.
#include "ravelog/report/report_startup.h"

#include "common/settings_files.h"
#include "ravelog/conversion/conversions.h"
#include "ravelog/conversion/default_settings.h"
#include "ravelog/conversion/soil_name_pass.h"

namespace ravelog {

StartupPaths StartupPaths::In(const std::filesystem::path& installFolder) {
    StartupPaths paths;
    paths.settings = installFolder / "Sys.ndx";
    paths.technicians = installFolder / "M.mst";
    paths.shortTexts = installFolder / "K.mst";
    paths.soilPicks = installFolder / "Dc.mst";
    paths.soilNames = installFolder / "WdtvxJG.mst";
    paths.patternLines = installFolder / rave::kPatternColorFile;
    return paths;
}

SheetResources StartupFiles::Resources() const {
    SheetResources resources{settings, fonts, soilTables ? &soilTables->colors : nullptr};
    resources.simpleTilesMonochrome = simpleTilesMonochrome;
    resources.simpleTable = soilTables ? &soilTables->simple : nullptr;
    resources.drives = &drives;
    return resources;
}

void LoadStartupFiles(StartupFiles& files, const std::filesystem::path& installFolder,
                      SoundingDocument& document, bool reset, rave::MessageSink& messages,
                      StartupWrites writes) {
    const bool mayWrite = writes == StartupWrites::kCreateMissing;
    const bool firstTime = reset || !files.loaded;
    if (firstTime) {
        files.installFolder = installFolder;
        files.paths = StartupPaths::In(installFolder);
        files.settings = mayWrite ? rave::LoadSettings(files.paths.settings, messages)
                                  : rave::ReadSettingsOrDefaults(files.paths.settings);
        files.soilTables = std::make_shared<const rave::InstalledSoilTables>(
            rave::LoadInstalledSoilTables(installFolder, messages));
    }

    FillEmptySettings(document, files.settings);

    if (firstTime) {
        files.fonts =
            mayWrite ? rave::LoadFonts(installFolder, messages) : rave::ReadRavelogFonts(installFolder);
        files.loaded = true;
    }
    if (document.header[slot::kSoilTableKind].empty()) {
        document.header[slot::kSoilTableKind] = "1";
    }
}

void ReloadTablesAndFonts(StartupFiles& files, rave::MessageSink& messages) {
    files.soilTables = std::make_shared<const rave::InstalledSoilTables>(
        rave::LoadInstalledSoilTables(files.installFolder, messages));
    files.fonts = rave::LoadFonts(files.installFolder, messages);
}

void TakeUpDocumentForView(SoundingDocument& document, const StartupFiles& files,
                           rave::MessageSink& messages) {
    ApplyViewSetUpDefaults(document, files.settings);
    DeriveRowsForView(document, files, messages);
}

void DeriveRowsForView(SoundingDocument& document, const StartupFiles& files, rave::MessageSink& messages) {
    const int count = document.RowCount();
    if (files.soilTables) {
        RunSoilNamePass(files.soilTables->jacic, document, count);
    }
    AssignSoilClasses(document, count, messages);
    RecomputeConversions(document, count);
}

}  // namespace ravelog
