// Ravesect's section rendering verb (render).
#include <CLI/CLI.hpp>

#include "apps/ravesect_cli.h"
#include "apps/ravesect_cli_context.h"

namespace ravesect::cli {

void RegisterRavesectRenderVerbs(CLI::App& app, CommandContext& context) {
    // Registered by the work that builds this verb.
    (void)app;
    (void)context;
}

}  // namespace ravesect::cli
