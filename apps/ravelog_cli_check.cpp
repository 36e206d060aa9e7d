// Ravelog's self-sinking layer verb (check): the rows that sank without turning below a footing
// and the two conditions of the building-standard notice, as JSON.
#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "apps/cli_shared.h"
#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"
#include "apps/ravelog_cli_input.h"
#include "platform/codec.h"
#include "ravelog/conversion/self_sinking.h"

namespace ravelog::cli {

namespace {

using Json = nlohmann::ordered_json;

struct CheckOptions {
    std::string file;
    std::string footingDepth;
};

// What the check left out and why, one line each (UTF-8).
std::vector<std::string> Warnings(const SoundingDocument& document, const SelfSinkingCheck& check) {
    std::vector<std::string> warnings;
    const auto depthText = [&document](int row) {
        return rave::platform::Cp932ToUtf8(document.Row(row)[field::kDepth]);
    };
    for (int row : check.unreadableRows) {
        warnings.push_back("行 " + std::to_string(row) + ": 深度 \"" + depthText(row) +
                           "\" が数値ではないため判定から外しました");
    }
    for (int row : check.outOfOrderRows) {
        warnings.push_back("行 " + std::to_string(row) + ": 深度 " + depthText(row) +
                           " m が上の行より深くないため判定から外しました (深度の順に並んでいません)");
    }
    return warnings;
}

int RunCheck(CommandContext& context, const CheckOptions& options) {
    const std::optional<double> footing = ParseFootingDepth(options.footingDepth);
    if (!footing) {
        context.err << "--footing-depth: a depth of 0 m or more is needed, not \"" << options.footingDepth
                    << "\"\n";
        return 2;
    }
    if (const std::string problem = rave::cli::InputFileProblem(options.file); !problem.empty()) {
        context.err << "ravelog check: " << problem << '\n';
        return 1;
    }
    SoundingDocument document;
    if (OpenSoundingForCommandLine(document, context, options.file) == kVersionUnknown) {
        return 1;
    }
    const SelfSinkingCheck check = CheckSelfSinking(document, *footing);
    if (check.usableRows == 0) {
        // An empty list would read as "no settlement check needed" for a file that was not judged.
        context.err << "ravelog check: " << options.file
                    << ": 深度と荷重が数値として読める測定行が1行もないため、判定できません\n";
        return 1;
    }
    const std::vector<std::string> warnings = Warnings(document, check);
    for (const std::string& warning : warnings) {
        context.err << "ravelog check: " << options.file << ": " << warning << '\n';
    }
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
    if (!warnings.empty()) {
        json["warnings"] = warnings;
    }
    context.out << json.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
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
        ->required()
        ->check(rave::cli::DecimalNumber());
    check->callback([&context, options] { context.exitCode = RunCheck(context, *options); });
}

}  // namespace ravelog::cli
