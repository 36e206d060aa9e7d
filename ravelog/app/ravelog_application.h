// Ravelog's desktop program: the one document and the main window on the shared desktop start.
#pragma once

namespace ravelog::app {

// Runs the desktop program until its window is closed; the process's exit status.
int RunDesktopProgram(int argc, char** argv);

}  // namespace ravelog::app
