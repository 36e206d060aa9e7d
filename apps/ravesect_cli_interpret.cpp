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
#include "ravesect/editing/layer_proposal_io.h"

namespace ravesect::cli {

namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

struct InterpretArguments {
    std::string input;
    std::string output;
    bool replace = false;
    std::string minThickness = "0.3";  // checked as a number by the option, against the logs after
    bool minThicknessGiven = false;    // the default stands even for logs shallower than it
    std::string band = "1.0";          // the same checks as the thickness
    bool bandGiven = false;
    bool json = false;
};

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

// Why the proposal does not fit the section: when replacing would make room, that adding cannot;
// else what the room is. Titles the engineer wrote keep their entries, and each unit needs one.
std::string NoRoomMessage(bool replacingHelps, const ProposalOptions& replaceRoom) {
    if (replacingHelps) {
        return "断面図に空きがないため地層を追加できません（--replace で置き換えられます）";
    }
    if (replaceRoom.freeTitles == 0) {
        return "標題記事が " + std::to_string(kTitleEntries) +
               " 件すべて使われているため地層を書き込めません（地層ごとに標題記事を1件使います。"
               "不要な標題記事を削除してください）";
    }
    return "推定した地層が断面図の点 (" + std::to_string(kPoints) + ")・層 (" + std::to_string(kLayers) +
           ")・空いている標題記事 (" + std::to_string(replaceRoom.freeTitles) + ") の数に収まりません";
}

// Proposes the layers into `document` (warnings on stderr); false after the message when they
// do not fit.
bool ProposeInto(CommandContext& context, SectionDocument& document,
                 const std::vector<ProposalColumn>& columns, const SoilGroupClassifier& classifier,
                 ProposalOptions options, bool replace, LayerProposal& proposal) {
    ProposalOptions replaceRoom = options;
    SetRoomFromDocument(replaceRoom, document, true);
    SetRoomFromDocument(options, document, replace);
    // With every title entry in use not even one unit fits: say so before any merging is tried.
    if (options.freeTitles > 0) {
        proposal = ProposeLayers(columns, classifier, options);
        for (const std::string& warning : proposal.warnings) {
            context.err << "ravesect interpret: " << Utf8(warning) << '\n';
        }
        if (proposal.fits && ApplyProposal(document, proposal, replace)) {
            return true;
        }
    }
    const bool replacingHelps =
        !replace && replaceRoom.freeTitles > 0 && ProposeLayers(columns, classifier, replaceRoom).fits;
    context.err << "ravesect interpret: " << NoRoomMessage(replacingHelps, replaceRoom) << '\n';
    return false;
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
    const std::vector<ProposalColumn> columns = ProposalColumnsOf(document);
    if (columns.size() < 2) {
        context.err << "ravesect interpret: " << arguments.input
                    << ": 地層を推定するには土質のある柱状図が2本以上必要です (" << columns.size()
                    << " 本)\n";
        return 1;
    }
    if (const std::string problem = ProposalColumnsProblem(columns); !problem.empty()) {
        context.err << "ravesect interpret: " << arguments.input << ": " << Utf8(problem) << '\n';
        return 1;
    }
    // A thickness beyond the deepest log would merge every log into one unit.
    const double minThickness = rave::cli::ParseWholeDecimal(arguments.minThickness).value_or(-1.0);
    const double deepest = DeepestLayerBottom(columns);
    if (!(minThickness >= 0.0 && (minThickness <= deepest || !arguments.minThicknessGiven))) {
        context.err << "--min-thickness: \"" << arguments.minThickness << "\" は範囲外です (0 から "
                    << rave::FormatText("%.2f", deepest) << " m まで: この断面図で最も深い柱状図の深さ)\n";
        return 2;
    }
    // The band limit: a plain decimal from 0 to the deepest log of the section.
    const std::optional<double> band = rave::cli::ParseWholeDecimal(arguments.band);
    if (!band || *band < 0.0 || (*band > deepest && arguments.bandGiven)) {
        context.err << "--band: \"" << arguments.band << "\" は範囲外です (0 から "
                    << rave::FormatText("%.2f", deepest) << " m まで: この断面図で最も深い柱状図の深さ)\n";
        return 2;
    }
    rave::SoilNameTable jacic;
    rave::SoilNameTable simple;
    rave::LoadBothSoilNameKinds(jacic, *installFolder / rave::SoilTableEditor::kJacicMasterFile,
                                context.messages);
    rave::LoadBothSoilNameKinds(simple, *installFolder / rave::SoilTableEditor::kSimpleMasterFile,
                                context.messages);
    ProposalOptions options;
    options.minThickness = minThickness;
    options.band = *band;
    LayerProposal proposal;
    if (!ProposeInto(context, document, columns, SoilGroupClassifier(&jacic, &simple), options,
                     arguments.replace, proposal)) {
        return 1;
    }
    if (!WritePointsLayersAndTitles(working.files(), document, context.messages) ||
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
    CLI::Option* thickness =
        verb->add_option("--min-thickness", arguments->minThickness,
                         "layers thinner than this (m, from 0 to the depth of the deepest log) join a "
                         "neighbour (default 0.3)")
            ->type_name("M")
            ->check(CLI::Validator(
                [](const std::string& value) {
                    const std::optional<double> metres = rave::cli::ParseWholeDecimal(value);
                    return metres && *metres >= 0.0
                               ? std::string()
                               : "\"" + value +
                                     "\" は 0 から断面図で最も深い柱状図の深さまでの数 (m) "
                                     "ではありません (例: 0.3)";
                },
                ""));
    CLI::Option* band =
        verb->add_option(
                "--band", arguments->band,
                "a band of another soil seen in one log only and thinner than this (m, from 0 to the "
                "depth of the deepest log) stays part of the unit around it (default 1.0)")
            ->type_name("M");
    verb->add_flag("--json", arguments->json, "print the units, links and warnings as JSON (UTF-8)");
    verb->callback([&context, arguments, thickness, band] {
        arguments->minThicknessGiven = thickness->count() > 0;
        arguments->bandGiven = band->count() > 0;
        context.exitCode = RunInterpret(context, *arguments);
    });
}

}  // namespace ravesect::cli
