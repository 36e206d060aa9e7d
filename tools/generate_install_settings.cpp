// Writes the settings files a new install folder starts with: "Sys.ndx" with the program's
// defaults and the "カラー 標準" line types (without them every table rule, grid and plot line
// would have width 0 and the first sheet a user prints would show none of them), and
// "Font1.ndx" .. "Font5.ndx" with the default fonts; and Ravesect's "Sysq.ndx" and
// "Fntq1.ndx" .. "Fntq7.ndx" as Ravesect writes them on its first start. The bitmap-folder and
// soil-master lines stay empty, so each program fills them with the files of the install folder it
// actually runs from.
//
// Regenerate after a change of the defaults:
//   ./build/tools/generate_install_settings data
#include <filesystem>
#include <iostream>

#include "common/font_settings.h"
#include "common/ravelog_settings.h"
#include "common/settings_files.h"
#include "common/settings_line_types.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/settings/sysq_settings.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: generate_install_settings DATA_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];

    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    rave::LineTypeEditor lineTypes(settings);
    lineTypes.ApplyPreset(rave::LineTypePreset::kColourStandard);
    lineTypes.WriteBack(settings);
    if (!rave::SaveSettings(folder / "Sys.ndx", settings)) {
        std::cerr << "generate_install_settings: cannot write " << (folder / "Sys.ndx") << '\n';
        return 1;
    }

    rave::RavelogFonts fonts;
    for (int n = 1; n <= rave::kRavelogFontCount; ++n) {
        fonts[static_cast<std::size_t>(n - 1)] = rave::DefaultRavelogFont(n);
    }
    if (!rave::SaveFonts(folder, fonts)) {
        std::cerr << "generate_install_settings: cannot write the font files in " << folder << '\n';
        return 1;
    }

    ravesect::SysqSettings sysq = ravesect::SysqSettings::Defaults(folder);
    for (int n : {ravesect::sysqline::kSoilMasterFile, ravesect::sysqline::kJacicBitmapFolder,
                  ravesect::sysqline::kSimpleBitmapFolder}) {
        sysq.Line(n).clear();
    }
    if (!ravesect::SaveSysqSettings(folder, sysq)) {
        std::cerr << "generate_install_settings: cannot write " << ravesect::SysqFilePath(folder) << '\n';
        return 1;
    }
    if (!ravesect::SaveSectionFonts(folder, ravesect::DefaultSectionFonts())) {
        std::cerr << "generate_install_settings: cannot write the section font files in " << folder << '\n';
        return 1;
    }
    return 0;
}
