// Connects the menu actions of one group of dialogs (see command_install.h).
#include "ravelog/app/command_install.h"
#include "ravelog/app/main_frame.h"

namespace ravelog::app {

void InstallSharedSettingsCommands(MainFrame& frame) {}

}  // namespace ravelog::app
