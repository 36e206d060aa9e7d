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
    kReadOnly,  // another running copy holds it, or it cannot be taken: the window only shows and prints
};

// The lock file of the working files in `installFolder`.
std::filesystem::path WorkingFilesLockPath(const std::filesystem::path& installFolder);

// Takes the working files for this run: `frame` holds their lock from then on (and moves it with
// the install folder). When the run that held them ended without closing and had unsaved work in
// them, that work becomes a recovery copy first (under that run's name), so it is offered like
// any other copy and nothing overwrites it unseen. When the lock cannot be had (another running
// copy holds it, or it cannot be made), `frame` turns read-only. While the lock is ours its
// record follows the document (modified flag and name) through `session`.
WorkingFilesAccess TakeWorkingFiles(SectionFrame& frame, rave::platform::RecoverySession& session,
                                    const std::filesystem::path& lockFile);

// Runs the desktop program until its window is closed; the process's exit status.
int RunDesktopProgram(int argc, char** argv);

}  // namespace ravesect::app
