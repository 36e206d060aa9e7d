// Ravesect's command-line verbs. RunRavesectCommandLine returns the process exit status:
// 0 success, 1 input rejected (the program's message on stderr), 2 usage error.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace ravesect::cli {

// True when the arguments name a verb rather than a file for the desktop program.
bool IsCommandLineVerb(const std::vector<std::string>& arguments);

int RunRavesectCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// Each group of verbs registers itself on the application; the functions live beside the verbs.
struct CommandContext;
void RegisterRavesectDocumentVerbs(CLI::App& app, CommandContext& context);  // build, info
void RegisterRavesectRenderVerbs(CLI::App& app, CommandContext& context);    // render
void RegisterRavesectLogVerb(CLI::App& app, CommandContext& context);        // log
void RegisterRavesectInterpretVerb(CLI::App& app, CommandContext& context);  // interpret

}  // namespace ravesect::cli
