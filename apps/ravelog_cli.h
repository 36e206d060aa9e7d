// Ravelog's command-line verbs. RunRavelogCommandLine returns the process exit status:
// 0 success, 1 input rejected (the program's message on stderr), 2 usage error.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace ravelog::cli {

// True when the arguments name a verb rather than a file for the desktop program.
bool IsCommandLineVerb(const std::vector<std::string>& arguments);

int RunRavelogCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// Each group of verbs registers itself on the application; the functions live beside the verbs.
struct CommandContext;
void RegisterDocumentVerbs(CLI::App& app, CommandContext& context);    // info, save
void RegisterConversionVerbs(CLI::App& app, CommandContext& context);  // qa
void RegisterImportVerbs(CLI::App& app, CommandContext& context);      // import csv|space
void RegisterRenderVerbs(CLI::App& app, CommandContext& context);      // render
void RegisterLegendVerbs(CLI::App& app, CommandContext& context);      // legend
void RegisterCheckVerbs(CLI::App& app, CommandContext& context);       // check
void RegisterReportVerbs(CLI::App& app, CommandContext& context);      // report

}  // namespace ravelog::cli
