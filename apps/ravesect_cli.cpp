// Ravesect's command line: parses the verbs with CLI11 and hands each to its group.
#include "apps/ravesect_cli.h"

#include <CLI/CLI.hpp>

#include "apps/cli_shared.h"
#include "apps/ravesect_cli_context.h"

namespace ravesect::cli {

namespace {
const std::initializer_list<std::string_view> kVerbs = {"build", "info", "render", "log", "interpret"};
}

bool IsCommandLineVerb(const std::vector<std::string>& arguments) {
    return rave::cli::NamesCommandLineVerb(arguments, kVerbs);
}

int RunRavesectCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    CommandContext context(out, err);
    CLI::App app{"Ravesect: cross-sections of Swedish weight soundings and borehole logs", "ravesect"};
    app.require_subcommand(1);
    // Options begin with "-" on every platform; on Windows "/" would otherwise start one too, and
    // a file named by its full path ("/home/...", "/work/...") would be taken for an option.
    app.allow_windows_style_options(false);
    rave::cli::AddInstallFolderOption(app, context.installFolderOption);
    RegisterRavesectDocumentVerbs(app, context);
    RegisterRavesectRenderVerbs(app, context);
    RegisterRavesectLogVerb(app, context);
    RegisterRavesectInterpretVerb(app, context);

    return rave::cli::ParseAndRun(app, arguments, out, err, context.exitCode);
}

}  // namespace ravesect::cli
