// Ravelog's Nsw average and qa~ verb (qa): the calculator's outputs for a depth range as JSON.
#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "apps/cli_shared.h"
#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"
#include "apps/ravelog_cli_input.h"
#include "apps/ravelog_cli_refresh.h"
#include "platform/codec.h"
#include "ravelog/conversion/default_settings.h"
#include "ravelog/conversion/nsw_average.h"
#include "ravelog/document/sounding_file_commands.h"

namespace ravelog::cli {

namespace {

using Json = nlohmann::ordered_json;

struct QaOptions {
    std::string file;
    std::string from;
    std::string to;
};

// The document as the calculator sees it: read as the menu's Open reads it, with the settings
// and defaults the view fills in when it shows the document. The rows' Nsw are used as read.
int RunQa(CommandContext& context, const QaOptions& options) {
    if (const std::string problem = rave::cli::InputFileProblem(options.file); !problem.empty()) {
        context.err << "ravelog qa: " << problem << '\n';
        return 1;
    }
    SoundingDocument document;
    if (OpenSoundingForCommandLine(document, context, options.file) == kVersionUnknown) {
        return 1;
    }
    const std::optional<rave::RavelogSettings> settings = LoadCommandLineSettings(context);
    if (!settings) {
        return 1;
    }
    ApplyViewSetUpDefaults(document, *settings);

    // A range the calculator warns about (no number, end above start) is still calculated, as
    // the calculator does; the warning on stderr and exit status 1 tell a script about it.
    const int messagesBefore = context.messages.count();
    const NswAverageResult result =
        CalculateNswAverage(document, *settings, options.from, options.to, context.messages);
    Json json;
    json["average"] = rave::platform::Cp932ToUtf8(result.average);
    json["qa"] = rave::platform::Cp932ToUtf8(result.qa);
    json["n"] = result.n;
    context.out << json.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    return context.messages.count() == messagesBefore ? 0 : 1;
}

}  // namespace

void RegisterConversionVerbs(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<QaOptions>();
    CLI::App* qa = app.add_subcommand(
        "qa",
        "print the Nsw average, qa~ and the number of rows used over a depth range as JSON, as the "
        "Nsw average and qa~ calculator shows them (exit status 1 when it warns about the range)");
    qa->add_option("FILE", options->file, "sounding file (.sdw or Ver2 s*.ddf)")->required();
    qa->add_option("--from", options->from, "start of the depth range, m")
        ->required()
        ->check(rave::cli::DecimalNumber());
    qa->add_option("--to", options->to, "end of the depth range, m")
        ->required()
        ->check(rave::cli::DecimalNumber());
    qa->callback([&context, options] { context.exitCode = RunQa(context, *options); });
}

}  // namespace ravelog::cli
