// Ravelog's command line: parses the verbs with CLI11 and hands each to its group.
#include "apps/ravelog_cli.h"

#include <CLI/CLI.hpp>

#include "apps/ravelog_cli_context.h"

namespace ravelog::cli {

namespace {
const char* const kVerbs[] = {"info", "save", "render", "import", "qa"};
}

bool IsCommandLineVerb(const std::vector<std::string>& arguments) {
    // The install folder may be named before the verb as well as after it.
    std::size_t first = 0;
    if (!arguments.empty() && arguments.front() == "--install-folder") {
        first = 2;
    } else if (!arguments.empty() && arguments.front().rfind("--install-folder=", 0) == 0) {
        first = 1;
    }
    if (arguments.size() <= first) {
        return false;
    }
    for (const char* verb : kVerbs) {
        if (arguments[first] == verb) {
            return true;
        }
    }
    return arguments[first] == "--help" || arguments[first] == "-h";
}

int RunRavelogCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    CommandContext context(out, err);
    CLI::App app{"Ravelog: Swedish weight sounding data, conversions and borehole-log sheets", "ravelog"};
    app.require_subcommand(1);
    // Verbs inherit this, so options of the whole program (--install-folder) may follow the verb.
    app.fallthrough();
    app.add_option("--install-folder", context.installFolderOption,
                   "folder holding the settings, tables, fonts and pattern files");
    RegisterDocumentVerbs(app, context);
    RegisterConversionVerbs(app, context);
    RegisterImportVerbs(app, context);
    RegisterRenderVerbs(app, context);

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

}  // namespace ravelog::cli
