// Start-up of Ravelog's desktop program.
#include "ravelog/app/ravelog_application.h"

#include "platform/desktop_start.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog::app {

int RunDesktopProgram(int argc, char** argv) {
    rave::platform::DesktopProgram program(QStringLiteral("Ravelog"), ApplicationCaption(), "ravelog", ".sdw",
                                           rave::kRavelogPointerFile);
    program.resetDocument = [] { ResetCurrentSounding(); };
    program.createWindow = [](const std::filesystem::path& folder) {
        return std::make_unique<MainFrame>(folder);
    };
    return rave::platform::RunDesktopProgram(argc, argv, program);
}

}  // namespace ravelog::app
