// The log verb: the normalised log of any source file (.sdw, .jdw, .ddw, .pdw, boring exchange
// XML) as one line of JSON per file, so scripts can check what a section will place.
#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>

#include "apps/ravesect_cli.h"
#include "apps/ravesect_cli_context.h"
#include "common/path_text.h"
#include "common/text_file.h"
#include "platform/codec.h"
#include "ravesect/document/boring_xml.h"
#include "ravesect/document/source_log_summary.h"

namespace ravesect::cli {

namespace {

using Json = nlohmann::ordered_json;

Json Optional(const std::optional<double>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json SummaryJson(const SourceLogSummary& s) {
    Json json;
    json["kind"] = s.kind;
    json["name"] = rave::platform::Cp932ToUtf8(s.name);
    json["groundElevation"] = Optional(s.groundElevation);
    json["depth"] = Optional(s.depth);
    json["longitude"] = Optional(s.longitude);
    json["latitude"] = Optional(s.latitude);
    Json layers = Json::array();
    for (const SummaryLayer& layer : s.layers) {
        layers.push_back(Json{{"top", layer.top},
                              {"bottom", layer.bottom},
                              {"soil", rave::platform::Cp932ToUtf8(layer.soil)},
                              {"pattern", layer.pattern}});
    }
    json["layers"] = std::move(layers);
    Json tests = Json::array();
    for (const SummaryTest& test : s.penetration) {
        tests.push_back(Json{{"depth", test.depth},
                             {"blows", test.blows ? Json(*test.blows) : Json(nullptr)},
                             {"penetrationCm", Optional(test.penetrationCm)},
                             {"n", Optional(test.n)}});
    }
    json["penetration"] = std::move(tests);
    Json water = Json::array();
    for (const SummaryWater& level : s.waterLevels) {
        water.push_back(
            Json{{"date", rave::platform::Cp932ToUtf8(level.date)}, {"depth", Optional(level.depth)}});
    }
    json["waterLevels"] = std::move(water);
    return json;
}

int RunLog(CommandContext& context, const std::vector<std::string>& files) {
    const auto installFolder = ResolveInstallFolder(context);
    if (!installFolder) {
        return 1;
    }
    rave::SoilNameTable jacic;
    jacic.LoadSoilNameTable(*installFolder / "WdtvxJG.mst", rave::soil_number_kind::kLineDrawing,
                            context.messages);
    int status = 0;
    for (const std::string& file : files) {
        // The limit of every source reader; a folder, device or pipe is refused unopened.
        const rave::InputFileBytes input = rave::ReadInputFile(rave::PathFromUtf8(file), kBoringXmlMaxBytes);
        const std::optional<std::string>& bytes = input.bytes;
        std::string reason =
            rave::platform::Cp932ToUtf8(rave::InputRefusalText(input.refusal, kBoringXmlMaxBytes));
        SourceLogSummaryResult result;
        if (bytes) {
            result = SummariseSourceLog(*bytes, jacic);
            reason = rave::platform::Cp932ToUtf8(result.error);
        }
        if (!result.summary) {
            context.err << "ravesect log: " << file << ": " << reason << '\n';
            status = 1;
            continue;
        }
        context.out << SummaryJson(*result.summary).dump(-1, ' ', false, Json::error_handler_t::replace)
                    << '\n';
        for (const std::string& warning : result.summary->warnings) {
            context.err << "ravesect log: " << file << ": " << rave::platform::Cp932ToUtf8(warning) << '\n';
        }
        if (!result.summary->unknownSoilNames.empty()) {
            context.err << "ravesect log: " << file << ": 土質名表にない土質名（「不明」の模様で描きます）:";
            for (const std::string& name : result.summary->unknownSoilNames) {
                context.err << ' ' << rave::platform::Cp932ToUtf8(name);
            }
            context.err << '\n';
        }
    }
    return status;
}

}  // namespace

void RegisterRavesectLogVerb(CLI::App& app, CommandContext& context) {
    auto files = std::make_shared<std::vector<std::string>>();
    CLI::App* log = app.add_subcommand(
        "log",
        "print the normalised log of source files (.sdw, .jdw, .ddw, .pdw, .xml) as JSON, one line each");
    log->add_option("FILE", *files, "source log files")->required();
    log->callback([&context, files] { context.exitCode = RunLog(context, *files); });
}

}  // namespace ravesect::cli
