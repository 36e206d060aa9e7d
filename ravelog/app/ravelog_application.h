// Ravelog's desktop program: the application object, the install folder, the one document and
// the main window, and a file named on the command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/recovery.h"

namespace ravelog::app {

class MainFrame;

struct DesktopArguments {
    std::filesystem::path installFolder;  // --install-folder DIR; empty: found through the pointer file
    std::optional<std::filesystem::path> file;
    std::string error;  // why the arguments were refused (ASCII); empty when accepted
};

// The program's own arguments (what is left after Qt took its options): an optional
// "--install-folder DIR" (or "--install-folder=DIR") and at most one file.
DesktopArguments ParseDesktopArguments(const std::vector<std::string>& arguments);

// Offers the recovery copies an earlier run of Ravelog left (each question answered by `ask`);
// 復元 opens the copy in `frame` as the modified document of its original file. True when one was
// restored.
bool OfferRecoveries(MainFrame& frame, rave::platform::RecoverySession& session,
                     const rave::platform::RecoveryAsk& ask);

// Runs the desktop program until its window is closed; the process's exit status.
int RunDesktopProgram(int argc, char** argv);

}  // namespace ravelog::app
