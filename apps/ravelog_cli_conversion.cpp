// Ravelog's the Nsw average and qa~ verb (qa).
#include <CLI/CLI.hpp>

#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"

namespace ravelog::cli {

void RegisterConversionVerbs(CLI::App& app, CommandContext& context) {
    // Registered by the work that builds this verb.
    (void)app;
    (void)context;
}

}  // namespace ravelog::cli
