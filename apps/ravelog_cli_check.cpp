// Ravelog's self-sinking layer verb (check): the rows that sank without turning below a footing
// and the two conditions of the building-standard notice, as JSON.
#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"
#include "apps/ravelog_cli_input.h"
#include "ravelog/conversion/self_sinking.h"

namespace ravelog::cli {

namespace {

using Json = nlohmann::ordered_json;

struct CheckOptions {
    std::string file;
    std::string footingDepth;
};

int RunCheck(CommandContext& context, const CheckOptions& options) {
    const std::optional<double> footing = ParseFootingDepth(options.footingDepth);
    if (!footing) {
        context.err << "--footing-depth: a depth of 0 m or more is needed, not \"" << options.footingDepth
                    << "\"\n";
        return 2;
    }
    SoundingDocument document;
    if (OpenSoundingForCommandLine(document, context, options.file) == kVersionUnknown) {
        return 1;
    }
    const SelfSinkingCheck check = CheckSelfSinking(document, *footing);
    Json json;
    json["footingDepth"] = check.footingDepth;
    json["selfSinking"] = Json::array();
    for (const SelfSinkingLayer& layer : check.layers) {
        json["selfSinking"].push_back({{"from", layer.from}, {"to", layer.to}, {"wsw", layer.wsw}});
    }
    json["within2m"] = check.within2m;
    json["from2to5m"] = check.from2to5m;
    json["settlementCheck"] = check.settlementCheck;
    json["reaches5m"] = check.reaches5m;
    context.out << json.dump(2) << '\n';
    return 0;
}

}  // namespace

void RegisterCheckVerbs(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = app.add_subcommand(
        "check",
        "print the self-sinking layers within 5 m below a footing and whether the notice's two "
        "conditions call for a settlement check, as JSON");
    check->add_option("FILE", options->file, "sounding file (.sdw or Ver2 s*.ddf)")->required();
    check->add_option("--footing-depth", options->footingDepth, "depth of the footing's base below ground, m")
        ->required();
    check->callback([&context, options] { context.exitCode = RunCheck(context, *options); });
}

}  // namespace ravelog::cli
