// The interpret verb: the section's layers proposed from its placed logs and written as points,
// layers and titles.
//   ravesect interpret IN.sqw -o OUT.sqw [--replace] [--min-thickness M] [--json]
// The output is never one of the inputs, and it is written in one step: a run that fails leaves
// an existing output as it was.
#include <CLI/CLI.hpp>
#include <cctype>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "apps/cli_shared.h"
#include "apps/ravesect_cli.h"
#include "apps/ravesect_cli_context.h"
#include "common/format.h"
#include "common/installed_soil_tables.h"
#include "common/path_text.h"
#include "common/soil_table_editor.h"
#include "platform/codec.h"
#include "ravesect/document/section_commands.h"
#include "ravesect/editing/layer_proposal.h"

namespace ravesect::cli {

namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

struct InterpretArguments {
    std::string input;
    std::string output;
    bool replace = false;
    double minThickness = 0.3;
    std::string band = "1.0";
    bool json = false;
};

double DeepestLog(const std::vector<ProposalColumn>& columns) {
    double deepest = 0.0;
    for (const ProposalColumn& column : columns) {
        for (const ProposalLayer& layer : column.layers) {
            deepest = std::max(deepest, layer.bottom);
        }
    }
    return deepest;
}

std::string Utf8(const std::string& cp932) {
    return rave::platform::Cp932ToUtf8(cp932);
}

Json ProposalJson(const LayerProposal& p) {
    Json units = Json::array();
    for (const ProposedUnit& unit : p.units) {
        Json columns = Json::array();
        for (const ProposedUnit::Extent& e : unit.extents) {
            columns.push_back(Json{{"slot", p.columns[static_cast<std::size_t>(e.column)].slot},
                                   {"top", e.top},
                                   {"bottom", e.bottom}});
        }
        units.push_back(Json{{"symbol", unit.symbol},
                             {"group", SoilGroupKey(unit.group)},
                             {"colour", rave::FormatText("0x%06lx", unit.style.colour)},
                             {"hatch", unit.style.hatch},
                             {"columns", std::move(columns)}});
    }
    Json links = Json::array();
    for (const ProposalLink& link : p.links) {
        links.push_back(Json{{"fromSlot", p.columns[static_cast<std::size_t>(link.fromColumn)].slot},
                             {"toSlot", p.columns[static_cast<std::size_t>(link.toColumn)].slot},
                             {"unit", p.units[static_cast<std::size_t>(link.unit)].symbol},
                             {"kind", LinkKindKey(link.kind)},
                             {"reason", Utf8(link.reason)}});
    }
    Json warnings = Json::array();
    for (const std::string& warning : p.warnings) {
        warnings.push_back(Utf8(warning));
    }
    return Json{{"units", std::move(units)}, {"links", std::move(links)}, {"warnings", std::move(warnings)}};
}

int RunInterpret(CommandContext& context, const InterpretArguments& arguments) {
    const fs::path target = SaveAsTargetPath(rave::PathFromUtf8(arguments.output));
    std::error_code error;
    if (arguments.output.empty() || arguments.output.back() == '/' ||
        fs::is_directory(rave::PathFromUtf8(arguments.output), error)) {
        context.err << "ravesect interpret: -o needs a file name (NAME.sqw), not \"" << arguments.output
                    << "\"\n";
        return 2;
    }
    std::string extension = target.extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (extension != ".sqw" || target.stem().empty()) {
        context.err << "ravesect interpret: the section file must end in .sqw: " << arguments.output << '\n';
        return 2;
    }
    if (const std::string problem = rave::cli::OutputOverwritesInput({target}, {arguments.input});
        !problem.empty()) {
        context.err << "ravesect interpret: " << problem << '\n';
        return 1;
    }
    const std::optional<fs::path> installFolder = ResolveInstallFolder(context);
    if (!installFolder) {
        return 1;
    }
    PrivateWorkingFolder working;
    SectionDocument document;
    if (!OpenSectionForCommandLine(context, working, rave::PathFromUtf8(arguments.input), document)) {
        return 1;
    }
    std::vector<ProposalColumn> columns = ProposalColumnsOf(document);
    if (columns.size() < 2) {
        context.err << "ravesect interpret: " << arguments.input
                    << ": 地層を推定するには土質のある柱状図が2本以上必要です (" << columns.size()
                    << " 本)\n";
        return 1;
    }
    // The band limit: a plain decimal from 0 to the deepest log of the section.
    const double deepest = DeepestLog(columns);
    const std::optional<double> band = rave::cli::ParseWholeDecimal(arguments.band);
    if (!band || *band < 0.0 || *band > deepest) {
        context.err << "--band: a thickness from 0 m to " << rave::FormatText("%.2f", deepest)
                    << " m (the deepest log of the section) is needed, not \"" << arguments.band << "\"\n";
        return 2;
    }
    rave::SoilNameTable jacic;
    rave::SoilNameTable simple;
    rave::LoadBothSoilNameKinds(jacic, *installFolder / rave::SoilTableEditor::kJacicMasterFile,
                                context.messages);
    rave::LoadBothSoilNameKinds(simple, *installFolder / rave::SoilTableEditor::kSimpleMasterFile,
                                context.messages);
    ProposalOptions options;
    options.minThickness = arguments.minThickness;
    options.band = *band;
    SetRoomFromDocument(options, document, arguments.replace);
    const LayerProposal proposal =
        ProposeLayers(std::move(columns), SoilGroupClassifier(&jacic, &simple), options);
    for (const std::string& warning : proposal.warnings) {
        context.err << "ravesect interpret: " << Utf8(warning) << '\n';
    }
    if (!proposal.fits || !ApplyProposal(document, proposal, arguments.replace)) {
        context.err << "ravesect interpret: 断面図に空きがないため地層を追加できません（--replace "
                       "で置き換えられます）\n";
        return 1;
    }
    if (!WritePointsLayersFile(working.files(), document, context.messages) ||
        !WriteTitlesFile(working.files(), document, context.messages) ||
        SaveSectionAs(document, working.files(), target, context.messages) != SaveResult::kSaved) {
        return 1;
    }
    if (arguments.json) {
        context.out << ProposalJson(proposal).dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
    }
    return 0;
}

}  // namespace

void RegisterRavesectInterpretVerb(CLI::App& app, CommandContext& context) {
    auto arguments = std::make_shared<InterpretArguments>();
    CLI::App* verb = app.add_subcommand(
        "interpret",
        "propose the section's layers from its logs and write them as points, layers and titles");
    verb->add_option("IN", arguments->input, "section file (.sqw)")->required();
    verb->add_option("-o,--output", arguments->output, "section file to write (.sqw), never the input")
        ->required();
    verb->add_flag("--replace", arguments->replace,
                   "replace the existing points and layers instead of adding");
    verb->add_option("--min-thickness", arguments->minThickness,
                     "layers thinner than this (m) join a neighbour (default 0.3)")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    verb->add_option("--band", arguments->band,
                     "a band of another soil seen in one log only and thinner than this (m) stays part "
                     "of the unit around it (default 1.0)");
    verb->add_flag("--json", arguments->json, "print the units, links and warnings as JSON (UTF-8)");
    verb->callback([&context, arguments] { context.exitCode = RunInterpret(context, *arguments); });
}

}  // namespace ravesect::cli
