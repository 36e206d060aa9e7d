// The placement dialog and the settings and help commands of Ravesect's window.
#include "ravesect/app/command_install.h"

namespace ravesect::app {

void InstallPlacementAndSettingsCommands(SectionFrame& /*frame*/) {}

}  // namespace ravesect::app
