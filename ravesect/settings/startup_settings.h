// Ravesect's start-up: the install folder found through "\Kelvard\Vivad5.whr", the paths of
// every file the program keeps there, "Sysq.ndx", and the set-up dialog that moves the install
// location.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "common/install_folder.h"
#include "common/messages.h"
#include "ravesect/document/working_files.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect {

// Every file and folder of the program under its install folder.
struct SectionPaths {
    std::filesystem::path installFolder;
    std::filesystem::path sysq;            // "Sysq.ndx"
    WorkingFiles working;                  // "Tmp0.tmp", "Tmp1.tmp", "TmpP.tmp", "SmpP.tmp"
    std::filesystem::path simpleBitmaps;   // "Cbptn"
    std::filesystem::path jacicBitmaps;    // "Jbptn"
    std::filesystem::path soilMaster;      // "WdtvxJG.mst"
    std::filesystem::path patternColours;  // "PtnvcJG.ndx"
    std::filesystem::path openFolder;      // "FileQo.ndx"
    std::filesystem::path sourceFolder;    // "FileQv.ndx"
    std::filesystem::path help;            // "Helpq.txt"

    // "Fntq1.ndx" .. "Fntq7.ndx".
    std::filesystem::path Font(int n) const;
};

SectionPaths DeriveSectionPaths(const std::filesystem::path& installFolder);

// The install folder named by the pointer file "\Kelvard\Vivad5.whr" on the Windows drive (else
// on the current drive), else "\Kelvard\Sver5" on the Windows drive.
std::optional<std::filesystem::path> FindRavesectInstallFolder(const rave::DriveMap& drives);

// What the program needs once per run before the first drawing.
struct RavesectStartup {
    SectionPaths paths;
    SysqSettings sysq;
};
// Derives the paths and reads "Sysq.ndx" (defaults and string 4010 when it is missing). The
// working files left by the last run stay as they are.
RavesectStartup StartRavesect(const std::filesystem::path& installFolder, rave::MessageSink& messages);

// The set-up dialog ("本システムのインストール場所"): a drive letter and a folder.
struct InstallLocation {
    std::string drive;   // one letter
    std::string folder;  // "\Kelvard\Sver5"
};
// The location the pointer file names now (or the default one).
InstallLocation CurrentInstallLocation(const rave::DriveMap& drives);
// A drive letter A..Z (either case) and a folder of at least 2 characters; otherwise
// "パス名が異常です" and false.
bool CheckInstallLocation(const InstallLocation& location, rave::MessageSink& messages);
// Rewrites the pointer file on the Windows drive with the one line "D:\folder"; string 4005 and
// false when it cannot be written.
bool WriteInstallLocation(const rave::DriveMap& drives, const InstallLocation& location,
                          rave::MessageSink& messages);

}  // namespace ravesect
