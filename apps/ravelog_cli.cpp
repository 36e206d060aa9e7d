// Ravelog's command line: parses the verbs with CLI11 and hands each to its group.
#include "apps/ravelog_cli.h"

#include <CLI/CLI.hpp>

#include "apps/cli_shared.h"
#include "apps/ravelog_cli_context.h"

namespace ravelog::cli {

namespace {
const std::initializer_list<std::string_view> kVerbs = {"info", "save",   "render", "import",
                                                        "qa",   "legend", "check",  "report"};
}

bool IsCommandLineVerb(const std::vector<std::string>& arguments) {
    return rave::cli::NamesCommandLineVerb(arguments, kVerbs);
}

int RunRavelogCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    CommandContext context(out, err);
    CLI::App app{"Ravelog: Swedish weight sounding data, conversions and borehole-log sheets", "ravelog"};
    app.require_subcommand(1);
    // Options begin with "-" on every platform; on Windows "/" would otherwise start one too, and
    // a file named by its full path ("/home/...", "/work/...") would be taken for an option.
    app.allow_windows_style_options(false);
    rave::cli::AddInstallFolderOption(app, context.installFolderOption);
    RegisterDocumentVerbs(app, context);
    RegisterConversionVerbs(app, context);
    RegisterImportVerbs(app, context);
    RegisterRenderVerbs(app, context);
    RegisterLegendVerbs(app, context);
    RegisterCheckVerbs(app, context);
    RegisterReportVerbs(app, context);

    return rave::cli::ParseAndRun(app, arguments, out, err, context.exitCode);
}

}  // namespace ravelog::cli
