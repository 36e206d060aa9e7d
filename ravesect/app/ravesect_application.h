// Ravesect's desktop program: the application object, the install folder, the one section and
// the main window, and a file named on the command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

// Offers the recovery copies an earlier run of Ravesect left (each question answered by `ask`);
// 復元 opens the copy into the working files as the modified section of its original file. True
// when one was restored.
bool OfferRecoveries(SectionFrame& frame, rave::platform::RecoverySession& session,
                     const rave::platform::RecoveryAsk& ask);

struct DesktopArguments {
    std::filesystem::path installFolder;  // --install-folder DIR; empty: found through the pointer file
    std::optional<std::filesystem::path> file;
    std::string error;  // why the arguments were refused (ASCII); empty when accepted
};

// The program's own arguments (what is left after Qt took its options): an optional
// "--install-folder DIR" (or "--install-folder=DIR") and at most one file.
DesktopArguments ParseDesktopArguments(const std::vector<std::string>& arguments);

// Runs the desktop program until its window is closed; the process's exit status.
int RunDesktopProgram(int argc, char** argv);

}  // namespace ravesect::app
