// Ravesect's desktop program: the application object, the install folder, the one section and
// the main window, and a file named on the command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ravesect::app {

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
