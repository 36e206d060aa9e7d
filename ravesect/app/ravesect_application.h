// Ravesect's desktop program on the shared desktop start: the one section, the main window and
// the lock of the working files.
#pragma once

#include <filesystem>

#include "platform/recovery.h"

namespace ravesect::app {

class SectionFrame;

// Who may write the working files of the install folder in this run.
enum class WorkingFilesAccess {
    kOwn,       // this run holds the lock "Ravesect.lck"
    kReadOnly,  // another running copy holds it: the window only shows and prints
    kUnlocked,  // the lock file cannot be written (a read-only folder): nothing to protect
};

// The lock file of the working files in `installFolder`.
std::filesystem::path WorkingFilesLockPath(const std::filesystem::path& installFolder);

// Takes the working files for this run. When the run that held them ended without closing and
// had unsaved work in them, that work becomes a recovery copy first (under that run's name), so
// it is offered like any other copy and nothing overwrites it unseen. When another running copy
// holds them, `frame` turns read-only. While the lock is ours it follows the document (modified
// flag and name) through `session`.
WorkingFilesAccess TakeWorkingFiles(SectionFrame& frame, rave::platform::RecoverySession& session,
                                    const std::filesystem::path& lockFile);

// Runs the desktop program until its window is closed; the process's exit status.
int RunDesktopProgram(int argc, char** argv);

}  // namespace ravesect::app
