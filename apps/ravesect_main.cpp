// Ravesect's executable: the command-line verbs when the first argument names one, the desktop
// program otherwise.
#include <iostream>
#include <string>
#include <vector>

#include "apps/cli_shared.h"
#include "apps/cli_system.h"
#include "apps/ravesect_cli.h"

#ifdef RAVE_HAS_RAVESECT_APP
#include "ravesect/app/ravesect_application.h"
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = rave::cli::CommandLineArguments(argc, argv);
    if (ravesect::cli::IsCommandLineVerb(arguments)) {
        rave::cli::PrepareStandardStreams();
        rave::cli::QuietToolkitNotes();
        return ravesect::cli::RunRavesectCommandLine(arguments, std::cout, std::cerr);
    }
#ifdef RAVE_HAS_RAVESECT_APP
    return ravesect::app::RunDesktopProgram(argc, argv);
#else
    std::cerr << "ravesect: this build has no desktop program; use a verb (build, info, render)\n";
    return 2;
#endif
}
