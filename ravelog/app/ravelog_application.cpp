// Start-up of Ravelog's desktop program.
#include "ravelog/app/ravelog_application.h"

#include "platform/desktop_start.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog::app {

int RunDesktopProgram(int argc, char** argv, const std::function<void(MainFrame&)>& extendWindow) {
    rave::platform::DesktopProgram program(QStringLiteral("Ravelog"), ApplicationCaption(), "ravelog", ".sdw",
                                           rave::kRavelogPointerFile);
    program.resetDocument = [] { ResetCurrentSounding(); };
    program.createWindow = [extendWindow](const std::filesystem::path& folder) {
        auto frame = std::make_unique<MainFrame>(folder);
        if (extendWindow) {
            extendWindow(*frame);
        }
        return frame;
    };
    return rave::platform::RunDesktopProgram(argc, argv, program);
}

}  // namespace ravelog::app
