// Ravelog's foreign-file import verb:
//   ravelog import csv|space FILE -o OUT.sdw [--columns W,Na,D,SOIL,POINT,DATE] [--kgf] [--cm]
//                  [--from N] [--to N] [--clear-header] [--keep-repeated-names]
// It makes the choices the import dialog opens with (the mode's standard columns, repeated soil
// names omitted, the header kept), reads the file into a new sounding, runs the refresh a
// committed import runs (with the soil-name tables of the install folder) and writes the result
// with Save As. The program settings are read from the install folder for the defaults of the
// new sounding, and never written: a script must not change what the desktop program remembers.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <optional>

#include "apps/cli_shared.h"
#include "apps/ravelog_cli.h"
#include "apps/ravelog_cli_context.h"
#include "apps/ravelog_cli_install.h"
#include "common/foreign_text.h"
#include "common/installed_soil_tables.h"
#include "common/path_text.h"
#include "common/settings_files.h"
#include "common/text_fields.h"
#include "common/text_file.h"
#include "ravelog/conversion/conversions.h"
#include "ravelog/conversion/default_settings.h"
#include "ravelog/conversion/soil_name_pass.h"
#include "ravelog/document/foreign_import.h"
#include "ravelog/document/sounding_file_commands.h"

namespace ravelog::cli {

namespace {

struct ImportArguments {
    std::string modeName;  // "csv" or "space"
    std::string file;
    std::string output;
    std::string columns;  // empty: the standard columns of the mode
    bool kgf = false;
    bool cm = false;
    int from = 0;  // 0: not given
    int to = 0;
    bool clearHeader = false;
    bool keepRepeatedNames = false;
};

// "--columns" holds six column numbers separated by commas; an empty entry leaves that value
// unused ("1,4,2,3,," reads no point number and no date). Fewer than six entries leave the rest
// unused. Nothing when the text is not of that form.
std::optional<ImportColumnTexts> ParseColumnsOption(const std::string& text) {
    if (text.find('"') != std::string::npos ||
        std::count(text.begin(), text.end(), ',') >= kImportColumnCount) {
        return std::nullopt;
    }
    std::string fields[kImportColumnCount];
    rave::SplitCsvFields(text, fields, kImportColumnCount);
    ImportColumnTexts columns;
    for (int i = 0; i < kImportColumnCount; ++i) {
        const std::string_view entry = rave::TrimBlanks(fields[i]);
        if (!entry.empty() && (entry.find_first_not_of("0123456789") != std::string_view::npos ||
                               ImportColumnNumber(entry) == 0)) {
            return std::nullopt;
        }
        columns[static_cast<std::size_t>(i)] = std::string(entry);
    }
    return columns;
}

// The program settings of the install folder as they are, or the defaults when there is no
// settings file; unlike the desktop program's start-up this never creates the file.
rave::RavelogSettings ReadProgramSettings(const std::filesystem::path& installFolder) {
    auto settings = rave::ReadSettingsFile(installFolder / "Sys.ndx");
    rave::RavelogSettings result = settings ? *settings : rave::RavelogSettings::Defaults();
    rave::FillEmptyPathSettings(result, installFolder);
    return result;
}

int RunImport(CommandContext& context, const ImportArguments& arguments) {
    const ImportMode mode = arguments.modeName == "space" ? ImportMode::kBlank : ImportMode::kComma;
    ImportChoices choices;
    choices.columns = StandardImportColumns(mode);
    if (!arguments.columns.empty()) {
        const auto columns = ParseColumnsOption(arguments.columns);
        if (!columns) {
            context.err << "--columns: expected up to six column numbers 1..26 separated by commas "
                           "(W,Na,D,SOIL,POINT,DATE; leave an entry empty for an unused value)\n";
            return 2;
        }
        choices.columns = *columns;
    }
    choices.loadInKgf = arguments.kgf;
    choices.depthInCm = arguments.cm;
    choices.clearHeader = arguments.clearHeader;
    choices.omitRepeatedNames = !arguments.keepRepeatedNames;
    if (arguments.from > 0) {
        choices.fromLine = std::to_string(arguments.from);
    }
    if (arguments.to > 0) {
        choices.toLine = std::to_string(arguments.to);
    }

    const auto installFolder = ResolveInstallFolder(context);
    if (!installFolder) {
        return 1;
    }
    const rave::RavelogSettings settings = ReadProgramSettings(*installFolder);

    const rave::InstalledSoilTables tables = rave::LoadInstalledSoilTables(*installFolder, context.messages);

    ImportRefresh refresh;
    refresh.fillJacicPatterns = [&tables](SoundingDocument& document, int count) {
        FillJacicPatterns(tables.jacic, document, count);
    };
    refresh.fillEmptySettings = [&settings](SoundingDocument& document) {
        FillEmptySettings(document, settings);
    };
    refresh.assignClassesAndConversions = [&context](SoundingDocument& document, int count) {
        AssignSoilClasses(document, count, context.messages);
        RecomputeConversions(document, count);
    };

    if (const std::string problem = rave::cli::InputFileProblem(arguments.file); !problem.empty()) {
        context.err << "ravelog import: " << problem << '\n';
        return 1;
    }
    if (rave::cli::IsSameFile(SaveAsTargetPath(rave::PathFromUtf8(arguments.output)),
                              rave::PathFromUtf8(arguments.file))) {
        context.err << "ravelog import: the output " << arguments.output
                    << " is the file being imported; choose another name\n";
        return 1;
    }
    if (const auto bytes = rave::ReadFileBytes(rave::PathFromUtf8(arguments.file))) {
        // Judged as the import reads it: UTF-16 text holds zero bytes and is no binary file. Text
        // that cannot be read as cp932 is named by the import itself.
        std::string converted;
        const rave::ForeignText text = rave::DecodeForeignText(*bytes, converted);
        if (const std::string reason = text.ok ? rave::cli::BinaryInputReason(text.cp932) : std::string();
            !reason.empty()) {
            context.err << "ravelog import: " << arguments.file << ": " << reason << '\n';
            return 1;
        }
    }
    ForeignImport import(mode, choices);
    if (!import.ChooseFile(rave::PathFromUtf8(arguments.file), context.messages)) {
        return 1;
    }
    SoundingDocument document;
    ImportReport report;
    if (!import.Import(document, context.messages, refresh, &report)) {
        return 1;
    }
    if (document.RowCount() == 0) {
        // Writing a sounding without rows would report an empty or header-only file as imported.
        // The import has said why above; this names the line for scripts.
        context.err << "ravelog import: " << arguments.file << ": no measured rows";
        if (report.noDepthLine > 0) {
            context.err << " (line " << report.noDepthLine << " has no depth)";
        }
        context.err << "; nothing written\n";
        return 1;
    }
    return SaveSoundingAs(document, context.messages, rave::PathFromUtf8(arguments.output)) ==
                   SaveResult::kSaved
               ? 0
               : 1;
}

}  // namespace

void RegisterImportVerbs(CLI::App& app, CommandContext& context) {
    auto arguments = std::make_shared<ImportArguments>();
    CLI::App* import = app.add_subcommand(
        "import", "read the measured rows of a comma- (csv) or blank-separated (space) file into a new .sdw");
    import->add_option("MODE", arguments->modeName, "csv (comma-separated) or space (blank-separated)")
        ->required()
        ->check(CLI::IsMember({"csv", "space"}));
    import->add_option("FILE", arguments->file, "file to import")->required();
    import->add_option("-o,--output", arguments->output, "sounding file to write (.sdw)")->required();
    import->add_option("--columns", arguments->columns,
                       "columns of W,Na,D,SOIL,POINT,DATE (standard: csv 19,20,18,22,2,10; space 1,4,2,3,,)");
    import->add_flag("--kgf", arguments->kgf, "loads are in kgf: multiply by 0.01");
    import->add_flag("--cm", arguments->cm, "depths are in cm: multiply by 0.01");
    import->add_option("--from", arguments->from, "first line to import (default 1)")
        ->transform(rave::cli::OneOrMore());
    import->add_option("--to", arguments->to, "last line to import (default: the last line of the file)")
        ->transform(rave::cli::OneOrMore());
    import->add_flag("--clear-header", arguments->clearHeader, "empty the header before reading");
    import->add_flag("--keep-repeated-names", arguments->keepRepeatedNames,
                     "keep a soil name on every row of a run of equal names");
    import->callback([&context, arguments] { context.exitCode = RunImport(context, *arguments);
});
}  // namespace ravelog::cli

}  // namespace ravelog::cli
