// Install folder, paths and settings of a Ravesect run.
#include "ravesect/settings/startup_settings.h"

#include <cctype>
#include <system_error>

#include "common/cp932.h"
#include "common/format.h"
#include "common/text_file.h"

namespace ravesect {

std::filesystem::path SectionPaths::Font(int n) const {
    return installFolder / rave::FormatText("Fntq%d.ndx", n);
}

SectionPaths DeriveSectionPaths(const std::filesystem::path& installFolder) {
    SectionPaths paths;
    paths.installFolder = installFolder;
    paths.sysq = SysqFilePath(installFolder);
    paths.working = WorkingFiles::In(installFolder);
    paths.simpleBitmaps = installFolder / "Cbptn";
    paths.jacicBitmaps = installFolder / "Jbptn";
    paths.soilMaster = installFolder / "WdtvxJG.mst";
    paths.patternColours = installFolder / "PtnvcJG.ndx";
    paths.openFolder = installFolder / "FileQo.ndx";
    paths.sourceFolder = installFolder / "FileQv.ndx";
    paths.help = installFolder / "Helpq.txt";
    return paths;
}

std::optional<std::filesystem::path> FindRavesectInstallFolder(const rave::DriveMap& drives) {
    return rave::FindInstallFolder(drives, rave::kRavesectPointerFile);
}

RavesectStartup StartRavesect(const std::filesystem::path& installFolder, rave::MessageSink& messages) {
    RavesectStartup startup;
    startup.paths = DeriveSectionPaths(installFolder);
    startup.sysq = LoadSysqSettings(installFolder, messages);
    return startup;
}

InstallLocation CurrentInstallLocation(const rave::DriveMap& drives) {
    const std::string text = rave::FindInstallFolderText(drives, rave::kRavesectPointerFile);
    InstallLocation location;
    if (!text.empty()) {
        location.drive = text.substr(0, 1);
    }
    if (text.size() > 2) {
        location.folder = text.substr(2);
    }
    return location;
}

bool CheckInstallLocation(const InstallLocation& location, rave::MessageSink& messages) {
    const bool driveOk =
        location.drive.size() == 1 && std::isalpha(static_cast<unsigned char>(location.drive[0])) != 0;
    if (!driveOk || rave::Cp932CharCount(location.folder) < 2) {
        messages.Show(rave::Message{0, "パス名が異常です", {}});
        return false;
    }
    return true;
}

bool WriteInstallLocation(const rave::DriveMap& drives, const InstallLocation& location,
                          rave::MessageSink& messages) {
    std::string pointer(1, drives.windowsDrive);
    pointer += ':';
    pointer += rave::kRavesectPointerFile.path;
    const auto native = rave::WindowsPathToNative(pointer, drives);
    bool written = false;
    if (native && !location.drive.empty()) {
        std::error_code error;
        std::filesystem::create_directories(native->parent_path(), error);
        const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(location.drive.at(0))));
        written = rave::WriteFileAtomically(*native, std::string(1, drive) + ":" + location.folder + "\r\n");
    }
    if (!written) {
        messages.Show(rave::Message{message_id::kCannotSave, "保存できませんでした", {}});
    }
    return written;
}

}  // namespace ravesect
