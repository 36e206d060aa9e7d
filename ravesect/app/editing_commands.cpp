// The point, layer and title dialogs of Ravesect's window and their mouse editing.
#include "ravesect/app/command_install.h"

namespace ravesect::app {

void InstallEditingCommands(SectionFrame& /*frame*/) {}

}  // namespace ravesect::app
