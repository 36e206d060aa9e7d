// Ravesect's command line: parses the verbs with CLI11 and hands each to its group.
#include "apps/ravesect_cli.h"

#include <CLI/CLI.hpp>

#include "apps/ravesect_cli_context.h"

namespace ravesect::cli {

namespace {
const char* const kVerbs[] = {"build", "info", "render"};
}

bool IsCommandLineVerb(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return false;
    }
    for (const char* verb : kVerbs) {
        if (arguments.front() == verb) {
            return true;
        }
    }
    return arguments.front() == "--help" || arguments.front() == "-h";
}

int RunRavesectCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    CommandContext context(out, err);
    CLI::App app{"Ravesect: cross-sections of Swedish weight soundings and borehole logs", "ravesect"};
    app.require_subcommand(1);
    app.fallthrough();  // --install-folder may follow the verb as well
    app.add_option("--install-folder", context.installFolderOption,
                   "folder holding the settings, tables, fonts and pattern files");
    RegisterRavesectDocumentVerbs(app, context);
    RegisterRavesectRenderVerbs(app, context);

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::ParseError& error) {
        err << error.what() << '\n';
        return 2;
    }
    return context.exitCode;
}

}  // namespace ravesect::cli
