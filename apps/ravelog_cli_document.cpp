// The document verbs: info (the document as JSON) and save (read a sounding file, write it as .sdw).
#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>

#include "apps/cli_shared.h"
#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"
#include "apps/ravelog_cli_input.h"
#include "apps/ravelog_cli_refresh.h"
#include "common/path_text.h"
#include "platform/codec.h"
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/report/page_count.h"

namespace ravelog::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string Utf8(const std::string& cp932) {
    return rave::platform::Cp932ToUtf8(cp932);
}

Json DocumentJson(const SoundingDocument& document, SoundingFileVersion version) {
    Json header = Json::array();
    for (int n = 1; n <= kHeaderSlots; ++n) {
        header.push_back(Utf8(document.header[n]));
    }
    const int lastUsedRow = document.LastUsedRow();
    Json rows = Json::array();
    for (int i = 1; i <= lastUsedRow; ++i) {
        Json row = Json::array();
        for (int f = 0; f < kRowFields; ++f) {
            row.push_back(Utf8(document.Row(i)[f]));
        }
        rows.push_back(std::move(row));
    }
    int lastConversion = 0;
    for (int i = kConversionEntries; i >= 1 && lastConversion == 0; --i) {
        for (int f = 1; f <= kConversionFields; ++f) {
            if (!document.Conversion(i)[f].empty()) {
                lastConversion = i;
                break;
            }
        }
    }
    Json conversions = Json::array();
    for (int i = 1; i <= lastConversion; ++i) {
        Json entry = Json::array();
        for (int f = 1; f <= kConversionFields; ++f) {
            entry.push_back(Utf8(document.Conversion(i)[f]));
        }
        conversions.push_back(std::move(entry));
    }

    Json result;
    result["version"] = version;
    result["header"] = std::move(header);
    result["rowCount"] = document.RowCount();
    result["lastUsedRow"] = lastUsedRow;
    result["rows"] = std::move(rows);
    result["conversions"] = std::move(conversions);
    result["pages"] = CountReportPages(document);
    return result;
}

int RunInfo(CommandContext& context, const std::string& file, bool refresh) {
    if (const std::string problem = rave::cli::InputFileProblem(file); !problem.empty()) {
        context.err << "ravelog info: " << problem << '\n';
        return 1;
    }
    SoundingDocument document;
    const SoundingFileVersion version = OpenSoundingForCommandLine(document, context, file);
    if (version == kVersionUnknown) {
        return 1;
    }
    if (refresh && !RefreshForCommandLine(document, context)) {
        return 1;
    }
    context.out << DocumentJson(document, version).dump(2, ' ', false, Json::error_handler_t::replace)
                << '\n';
    return 0;
}

int RunSave(CommandContext& context, const std::string& file, const std::string& output, bool refresh) {
    if (const std::string problem = rave::cli::InputFileProblem(file); !problem.empty()) {
        context.err << "ravelog save: " << problem << '\n';
        return 1;
    }
    if (rave::cli::IsSameFile(SaveAsTargetPath(rave::PathFromUtf8(output)), rave::PathFromUtf8(file))) {
        // A rewrite in place would replace a Ver2 file or foreign text with the .sdw form.
        context.err << "ravelog save: 出力 " << output
                    << " は読み込むファイルそのものです。別の名前を指定してください\n";
        return 1;
    }
    SoundingDocument document;
    if (OpenSoundingForCommandLine(document, context, file) == kVersionUnknown) {
        return 1;
    }
    if (refresh && !RefreshForCommandLine(document, context)) {
        return 1;
    }
    return SaveSoundingAs(document, context.messages, rave::PathFromUtf8(output)) == SaveResult::kSaved ? 0
                                                                                                        : 1;
}

}  // namespace

void RegisterDocumentVerbs(CLI::App& app, CommandContext& context) {
    // CLI11 writes option values through references; the callbacks own the values so they live
    // as long as the application object.
    struct Paths {
        std::string file;
        std::string output;
        bool refresh = false;
    };

    auto infoPaths = std::make_shared<Paths>();
    CLI::App* info = app.add_subcommand("info", "print the sounding (.sdw or Ver2 s*.ddf) as JSON (UTF-8)");
    info->add_option("FILE", infoPaths->file, "sounding file")->required();
    info->add_flag("--refresh", infoPaths->refresh,
                   "fill in the program defaults and recompute the derived data before printing");
    info->callback(
        [&context, infoPaths] { context.exitCode = RunInfo(context, infoPaths->file, infoPaths->refresh); });

    auto savePaths = std::make_shared<Paths>();
    CLI::App* save = app.add_subcommand("save", "read a sounding (.sdw or Ver2 s*.ddf) and write it as .sdw");
    save->add_option("FILE", savePaths->file, "sounding file to read")->required();
    save->add_option("-o,--output", savePaths->output, "file to write (.sdw)")->required();
    save->add_flag("--refresh", savePaths->refresh,
                   "fill in the program defaults and recompute the derived data before writing");
    save->callback([&context, savePaths] {
        context.exitCode = RunSave(context, savePaths->file, savePaths->output, savePaths->refresh);
    });
}

}  // namespace ravelog::cli
