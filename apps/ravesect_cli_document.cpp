// The document verbs: build (place log files along a section line and save the section) and
// info (a section file as JSON).
#include <QList>
#include <QString>

#include <CLI/CLI.hpp>
#include <cctype>
#include <memory>
#include <nlohmann/json.hpp>

#include "apps/cli_shared.h"
#include "apps/ravesect_cli.h"
#include "apps/ravesect_cli_context.h"
#include "common/numbers.h"
#include "common/path_text.h"
#include "common/text_fields.h"
#include "platform/codec.h"
#include "platform/console_messages.h"
#include "platform/source_paths.h"
#include "ravesect/document/columns_build.h"
#include "ravesect/document/section_commands.h"
#include "ravesect/settings/section_paper.h"
#include "ravesect/settings/startup_settings.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect::cli {

namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

std::string Utf8(const std::string& cp932) {
    return rave::platform::Cp932ToUtf8(cp932);
}

Json SettingsJson(const SectionSettings& s) {
    Json json;
    json["distanceScale"] = s.distanceScale;
    json["depthScale"] = s.depthScale;
    json["rulerTop"] = s.rulerTop;
    json["rulerBottom"] = s.rulerBottom;
    json["rulerStep"] = s.rulerStep;
    json["leftEnd"] = s.leftEnd;
    json["distancePerPage"] = s.distancePerPage;
    json["pageOverlapDistance"] = s.pageOverlapDistance;
    json["topElevation"] = s.topElevation;
    json["depthPerPage"] = s.depthPerPage;
    json["pageOverlapDepth"] = s.pageOverlapDepth;
    json["rulerTitle"] = Utf8(s.rulerTitle);
    json["convertedNPlot"] = s.convertedNPlot;
    return json;
}

Json LogJson(const NormalizedLog& log) {
    Json json = Json::object();
    for (int s = 0; s < kLogSectionCount; ++s) {
        Json rows = Json::array();
        const int count = log.RowCount(s);
        for (int k = 0; k < count; ++k) {
            Json row = Json::array();
            for (const std::string& field : log.Rows(s)[static_cast<std::size_t>(k)]) {
                row.push_back(Utf8(field));
            }
            rows.push_back(std::move(row));
        }
        json[std::string(1, kLogSections[static_cast<std::size_t>(s)].marker)] = std::move(rows);
    }
    return json;
}

Json SectionJson(const SectionDocument& document) {
    Json columns = Json::array();
    for (int slot = 0; slot <= document.LastUsedSlot(); ++slot) {
        const PlacedColumn& column = document.Column(slot);
        Json fields = Json::array();
        for (int f = 1; f <= kColumnFields; ++f) {
            fields.push_back(Utf8(column[f]));
        }
        Json entry;
        entry["slot"] = slot;
        entry["fields"] = std::move(fields);
        entry["log"] = LogJson(document.Log(slot));
        if (column.Kind() == kKindBoringXml) {
            // A boring's position, kept in the column's fields 16 and 17.
            for (const auto& [key, field] :
                 {std::pair{"longitude", kLongitudeField}, {"latitude", kLatitudeField}}) {
                const std::string& text = column[field];
                entry[key] = rave::HasLeadingNumber(text) ? Json(rave::ParseDecimal(text)) : Json(nullptr);
            }
        }
        columns.push_back(std::move(entry));
    }
    Json titles = Json::array();
    for (int n = 1; n <= kTitleEntries; ++n) {
        const TitleText& title = document.Title(n);
        if (title.IsFree()) {
            continue;
        }
        titles.push_back(Json{{"entry", n},
                              {"x", title.x},
                              {"y", title.y},
                              {"text", Utf8(title.text)},
                              {"font", Utf8(title.font)}});
    }
    Json points = Json::array();
    for (int n = 1; n <= kPoints; ++n) {
        const SectionPoint& point = document.Point(n);
        if (point.IsDefined()) {
            points.push_back(Json{{"number", n}, {"x", point.x}, {"y", point.y}});
        }
    }
    Json layers = Json::array();
    for (int n = 1; n <= document.LayerCount(); ++n) {
        const LayerOutline& layer = document.Layer(n);
        layers.push_back(Json{{"number", rave::ParseInteger(layer.number)},
                              {"colour", Utf8(layer.colour)},
                              {"hatch", Utf8(layer.hatch)},
                              {"lineMode", Utf8(layer.lineMode)},
                              {"points", layer.PointNumbers()}});
    }
    Json result;
    result["settings"] = SettingsJson(document.settings);
    result["columns"] = std::move(columns);
    result["titles"] = std::move(titles);
    result["points"] = std::move(points);
    result["layers"] = std::move(layers);
    return result;
}

int RunInfo(CommandContext& context, const std::string& file) {
    PrivateWorkingFolder working;
    SectionDocument document;
    if (!OpenSectionForCommandLine(context, working, rave::PathFromUtf8(file), document)) {
        return 1;
    }
    context.out << SectionJson(document).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    return 0;
}

struct BuildRequest {
    std::string output;
    std::vector<std::string> columns;  // DIST=PATH
    std::string scale;                 // DIST:DEPTH
};

// "DIST:DEPTH", both whole numbers from 20 to 2000.
bool ParseScale(const std::string& text, SectionSettings& settings) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return false;
    }
    const std::string distance = text.substr(0, colon);
    const std::string depth = text.substr(colon + 1);
    for (const std::string* part : {&distance, &depth}) {
        if (part->empty() || part->find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        const long value = rave::ParseInteger(*part);
        if (value < 20 || value > 2000) {
            return false;
        }
    }
    settings.distanceScale = static_cast<int>(rave::ParseInteger(distance));
    settings.depthScale = static_cast<int>(rave::ParseInteger(depth));
    return true;
}

// The file build writes: the Save As name of -o, which must name a .sqw file that is none of the
// inputs. Nothing (the reason on stderr, the exit status in `status`) otherwise.
std::optional<fs::path> BuildOutputPath(CommandContext& context, const BuildRequest& request, int& status) {
    status = 2;
    const std::string& output = request.output;
    std::error_code error;
    if (output.empty() || output.back() == '/' || fs::is_directory(rave::PathFromUtf8(output), error)) {
        context.err << "ravesect build: -o needs a file name (NAME.sqw), not \"" << output << "\"\n";
        return std::nullopt;
    }
    const fs::path target = SaveAsTargetPath(rave::PathFromUtf8(output));
    std::string extension = target.extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (extension != ".sqw" || target.stem().empty()) {
        context.err << "ravesect build: the section file must end in .sqw: " << output << '\n';
        return std::nullopt;
    }
    for (const std::string& column : request.columns) {
        const std::size_t equals = column.find('=');
        if (equals != std::string::npos &&
            rave::cli::IsSameFile(target, rave::PathFromUtf8(column.substr(equals + 1)))) {
            context.err << "ravesect build: the output " << target.string()
                        << " is one of the inputs; choose another name\n";
            status = 1;
            return std::nullopt;
        }
    }
    return target;
}

int RunBuild(CommandContext& context, const BuildRequest& request) {
    int refusal = 2;
    const std::optional<fs::path> output = BuildOutputPath(context, request, refusal);
    if (!output) {
        return refusal;
    }
    SectionDocument document;
    if (!request.scale.empty() && !ParseScale(request.scale, document.settings)) {
        context.err << "--scale: expected DIST:DEPTH, two denominators from 20 to 2000, got \""
                    << request.scale << "\"\n";
        return 2;
    }
    if (request.columns.size() > static_cast<std::size_t>(kUserColumns)) {
        // Told before any file is read: the placement list would refuse the 26th after reading 25.
        context.err << "ravesect build: a section holds at most " << kUserColumns << " columns; "
                    << request.columns.size() << " were given\n";
        return 1;
    }
    PlacementList list;
    list.Open(document, std::nullopt);
    for (const std::string& column : request.columns) {
        const std::size_t equals = column.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == column.size()) {
            context.err << "COLUMN: expected DIST=PATH, got \"" << column << "\"\n";
            return 2;
        }
        // A distance that starts as a number must be one whole (1,5 is not 1); other text is left
        // to the placement's own check and message.
        const std::string distance = column.substr(0, equals);
        if (const std::string problem = rave::cli::NumberProblem("COLUMN", distance, true);
            !problem.empty() && distance.find_first_of("0123456789.+-") == 0) {
            context.err << problem << '\n';
            return 2;
        }
        if (const std::string problem = rave::cli::InputFileProblem(column.substr(equals + 1));
            !problem.empty()) {
            context.err << "ravesect build: " << problem << '\n';
            return 1;
        }
        std::error_code error;
        const fs::path given = rave::PathFromUtf8(column.substr(equals + 1));
        const fs::path native = fs::absolute(given, error).lexically_normal();
        const fs::path source = error ? given : native;
        const auto pathText = rave::platform::SourcePathText(source);
        if (!pathText) {
            // Stored anyway, the path would read back as another one and place another file.
            const std::string character = rave::platform::UnstorablePathCharacter(source);
            const QList<uint> code = QString::fromStdString(character).toUcs4();
            const std::string codeText =
                code.isEmpty() ? std::string() : QString::asprintf("(U+%04X)", code[0]).toStdString();
            context.err << "ravesect build: " << source.string()
                        << ": パスに断面図ファイルへ保存できない文字「" << character << "」" << codeText
                        << "があります。フォルダ名かファイル名を変えてください\n";
            return 1;
        }
        if (const auto tooLong = SourcePathTooLongMessage(*pathText)) {
            context.err << "ravesect build: " << source.string() << ": "
                        << rave::platform::MessageToUtf8(*tooLong) << '\n';
            return 1;
        }
        // Every column starts from empty boxes: nothing of the previous file carries over.
        list.boxes = PlacementBoxes{};
        list.OpenSource(*pathText, rave::platform::ResolveSourcePath, context.messages);
        if (list.boxes.version.empty()) {
            // The survey-name box holds "file not found" or "not a log file".
            context.messages.Show(rave::Message{0, list.boxes.surveyName + "\n( %1 )", native.string()});
            return 1;
        }
        // Points and titles hold minus the elevation, and the reader takes one below -9999 for
        // "no point": a log higher than that (or far below) would lose its layers on reading.
        if (rave::HasLeadingNumber(list.boxes.elevation) &&
            !IsStorableElevation(rave::ParseDecimal(list.boxes.elevation))) {
            context.err << "ravesect build: " << native.string() << ": 標高 "
                        << rave::platform::Cp932ToUtf8(list.boxes.elevation)
                        << " m は断面図に保存できません（" << kLowestElevation << " m から "
                        << kHighestElevation << " m まで）\n";
            return 1;
        }
        list.boxes.distance = column.substr(0, equals);
        if (!list.Add(context.messages)) {
            return 1;
        }
    }
    if (list.rulerTitle.empty()) {
        list.rulerTitle = DefaultRulerTitle(list.rows);
    }
    list.Store(document, std::nullopt, context.messages);

    PrivateWorkingFolder working;
    if (!working.ok()) {
        std::error_code error;
        context.messages.Show(CannotOpenWorkingFileMessage(fs::temp_directory_path(error)));
        return 1;
    }
    // XML borings resolve their soil names through the install folder's JACIC table; names it
    // does not know are listed on stderr without failing the build. Soundings keep the pattern
    // numbers their rows store.
    rave::SoilNameTable jacic;
    const auto tableFolder = ResolveInstallFolder(context);
    if (tableFolder) {
        jacic.LoadSoilNameTable(*tableFolder / "WdtvxJG.mst", rave::soil_number_kind::kLineDrawing,
                                context.messages);
    }
    if (BuildColumnsFile(document, working.files(), rave::platform::ResolveSourcePath, context.messages,
                         tableFolder ? &jacic : nullptr) > 0) {
        return 1;  // a source vanished or a working file could not be written
    }
    ReloadSectionDocument(document, working.files());
    // The file records the page cut it will be printed with (the distance and depth one page
    // holds), as the window's Save does, instead of 0 for "whatever the paper holds".
    if (const auto installFolder = ResolveInstallFolder(context)) {
        const SysqSettings sysq = ReadSysqFile(DeriveSectionPaths(*installFolder).sysq, *installFolder)
                                      .value_or(SysqSettings::Defaults(*installFolder));
        if (FillPageLengthsFromPaper(document.settings, DefaultSectionPaper(context.messages), sysq) &&
            !WriteSettingsFile(working.files(), document.settings, context.messages)) {
            return 1;
        }
    }
    return SaveSectionAs(document, working.files(), *output, context.messages) == SaveResult::kSaved ? 0 : 1;
}

}  // namespace

void RegisterRavesectDocumentVerbs(CLI::App& app, CommandContext& context) {
    // CLI11 writes option values through references; the callbacks own the values so they live
    // as long as the application object.
    auto infoFile = std::make_shared<std::string>();
    CLI::App* info = app.add_subcommand("info", "print a section (.sqw) as JSON (UTF-8)");
    info->add_option("FILE", *infoFile, "section file")->required();
    info->callback([&context, infoFile] { context.exitCode = RunInfo(context, *infoFile); });

    auto build = std::make_shared<BuildRequest>();
    CLI::App* buildVerb = app.add_subcommand("build",
                                             "place log files (.sdw, .jdw, .ddw, .pdw, boring exchange .xml) "
                                             "at distances along a section line and save "
                                             "the section");
    buildVerb->add_option("-o,--output", build->output, "section file to write (.sqw)")->required();
    buildVerb->add_option("COLUMN", build->columns, "DIST=PATH: a log file and its distance in metres")
        ->required();
    buildVerb->add_option("--scale", build->scale,
                          "DIST:DEPTH: the denominators of the two scales (20..2000)");
    buildVerb->callback([&context, build] { context.exitCode = RunBuild(context, *build); });
}

}  // namespace ravesect::cli
