// The document verbs: info and save.
#include <CLI/CLI.hpp>

#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"

namespace ravelog::cli {

void RegisterDocumentVerbs(CLI::App& app, CommandContext& context) {
    // Filled in with the sounding file reader and writer.
    (void)app;
    (void)context;
}

}  // namespace ravelog::cli
