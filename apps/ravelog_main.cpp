// Ravelog's executable: the command-line verbs when the first argument names one, the desktop
// program otherwise.
#include <iostream>
#include <string>
#include <vector>

#include "apps/cli_shared.h"
#include "apps/cli_system.h"
#include "apps/ravelog_cli.h"

#ifdef RAVE_HAS_RAVELOG_APP
#include "apps/ravelog_site_window.h"
#include "ravelog/app/ravelog_application.h"
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = rave::cli::CommandLineArguments(argc, argv);
    if (ravelog::cli::IsCommandLineVerb(arguments)) {
        rave::cli::PrepareStandardStreams();
        rave::cli::QuietToolkitNotes();
        return ravelog::cli::RunRavelogCommandLine(arguments, std::cout, std::cerr);
    }
#ifdef RAVE_HAS_RAVELOG_APP
    return ravelog::app::RunDesktopProgram(argc, argv, ravelog::cli::AddSiteReportCommand);
#else
    std::cerr << "ravelog: this build has no desktop program; use a verb (info, save, render, import, qa)\n";
    return 2;
#endif
}
