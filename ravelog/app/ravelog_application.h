// Ravelog's desktop program: the one document and the main window on the shared desktop start.
#pragma once

#include <functional>

namespace ravelog::app {

class MainFrame;

// Runs the desktop program until its window is closed; the process's exit status.
// `extendWindow` adds what the executable brings to the main window once it is made (the site
// report's command), so this layer knows nothing of it.
int RunDesktopProgram(int argc, char** argv, const std::function<void(MainFrame&)>& extendWindow = {});

}  // namespace ravelog::app
