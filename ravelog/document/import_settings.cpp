// Column assignments of the foreign import and where they are kept.
#include "ravelog/document/import_settings.h"

#include <vector>

#include "common/format.h"
#include "common/messages.h"
#include "common/numbers.h"
#include "common/ravelog_settings.h"
#include "common/text_fields.h"
#include "common/text_file.h"

namespace ravelog {

namespace {

// Lines of "Sys.ndx" that hold the import choices. The kgf option is one line for both modes;
// the cm option and the six columns are kept per mode.
constexpr int kLoadInKgfLine = 15;
constexpr int kCommaDepthInCmLine = 16;
constexpr int kBlankDepthInCmLine = 17;
constexpr int kCommaColumnsFirstLine = 71;  // 71..76
constexpr int kBlankColumnsFirstLine = 77;  // 77..82

// The named settings files are read with a 99-character line limit, and only their first seven
// lines (name and columns) are used.
constexpr std::size_t kNamedLineLimit = 99;
constexpr std::size_t kNamedLinesUsed = 7;

const char* const kNoData = "データがありません";
const char* const kNoDataWithReason = "データがありません\n( %1 )";
const char* const kSavedSetting = "保存されている設定";
const char* const kCouldNotSave = "保存できませんでした";

int ColumnsFirstLine(ImportMode mode) {
    return mode == ImportMode::kComma ? kCommaColumnsFirstLine : kBlankColumnsFirstLine;
}

int DepthInCmLine(ImportMode mode) {
    return mode == ImportMode::kComma ? kCommaDepthInCmLine : kBlankDepthInCmLine;
}

// The column as it is written to a settings file: its number, or nothing when unused.
std::string ColumnText(std::string_view typed) {
    const int column = ImportColumnNumber(typed);
    return column == 0 ? std::string() : rave::FormatText("%d", column);
}

// Each value is one line of the named settings file; a line break typed into one would shift
// every value after it.
std::string FirstLineOnly(std::string_view text) {
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

}  // namespace

int ImportColumnNumber(std::string_view text) {
    if (!rave::HasLeadingNumber(text)) {
        return 0;
    }
    const long value = rave::ParseInteger(text);
    return value >= 1 && value <= kImportFieldCount ? static_cast<int>(value) : 0;
}

bool AnyImportColumnAssigned(const ImportColumnTexts& columns) {
    for (const std::string& column : columns) {
        if (ImportColumnNumber(column) != 0) {
            return true;
        }
    }
    return false;
}

ImportColumnTexts StandardImportColumns(ImportMode mode) {
    if (mode == ImportMode::kComma) {
        return {"19", "20", "18", "22", "2", "10"};
    }
    return {"1", "4", "2", "3", "", ""};
}

ImportChoices LoadImportChoices(const rave::RavelogSettings& settings, ImportMode mode) {
    ImportChoices choices;
    const int first = ColumnsFirstLine(mode);
    for (int i = 0; i < kImportColumnCount; ++i) {
        choices.columns[static_cast<std::size_t>(i)] = ColumnText(settings.Line(first + i));
    }
    if (!AnyImportColumnAssigned(choices.columns)) {
        choices.columns = StandardImportColumns(mode);
    }
    choices.loadInKgf = settings.Int(kLoadInKgfLine) != 0;
    choices.depthInCm = settings.Int(DepthInCmLine(mode)) != 0;
    return choices;
}

void StoreImportChoices(rave::RavelogSettings& settings, ImportMode mode, const ImportChoices& choices) {
    const int first = ColumnsFirstLine(mode);
    for (int i = 0; i < kImportColumnCount; ++i) {
        settings.Line(first + i) = ColumnText(choices.columns[static_cast<std::size_t>(i)]);
    }
    settings.SetInt(kLoadInKgfLine, choices.loadInKgf ? 1 : 0);
    settings.SetInt(DepthInCmLine(mode), choices.depthInCm ? 1 : 0);
}

std::filesystem::path NamedImportColumnsPath(const std::filesystem::path& installFolder, ImportMode mode) {
    return installFolder / (mode == ImportMode::kComma ? "Usr.ndx" : "Uss.ndx");
}

std::optional<NamedImportColumns> LoadNamedImportColumns(const std::filesystem::path& installFolder,
                                                         ImportMode mode, rave::MessageSink& messages) {
    const std::filesystem::path path = NamedImportColumnsPath(installFolder, mode);
    auto lines = rave::ReadTextLines(path, kNamedLineLimit);
    bool anyNumber = false;
    if (lines) {
        lines->resize(kNamedLinesUsed);
        for (const std::string& line : *lines) {
            anyNumber = anyNumber || rave::IsNumericStart(line) > 0;
        }
    }
    if (!anyNumber) {
        // The reason is program text in cp932, not a path, so it goes into the text itself.
        messages.Show(rave::Message{4020, rave::SubstitutePlaceholder(kNoDataWithReason, kSavedSetting), {}});
        return std::nullopt;
    }
    NamedImportColumns named;
    named.name = (*lines)[0];
    for (int i = 0; i < kImportColumnCount; ++i) {
        named.columns[static_cast<std::size_t>(i)] = ColumnText((*lines)[static_cast<std::size_t>(i) + 1]);
    }
    return named;
}

bool SaveNamedImportColumns(const std::filesystem::path& installFolder, ImportMode mode,
                            std::string_view name, const ImportChoices& choices,
                            rave::MessageSink& messages) {
    if (!AnyImportColumnAssigned(choices.columns)) {
        messages.Show(rave::Message{4007, kNoData, {}});
        return false;
    }
    std::vector<std::string> lines;
    lines.push_back(FirstLineOnly(name));
    for (const std::string& column : choices.columns) {
        lines.push_back(ColumnText(column));
    }
    lines.push_back(FirstLineOnly(rave::TrimBlanks(choices.fromLine)));
    lines.push_back(FirstLineOnly(rave::TrimBlanks(choices.toLine)));
    if (!rave::WriteFileAtomically(NamedImportColumnsPath(installFolder, mode), rave::JoinCrLf(lines))) {
        messages.Show(rave::Message{4005, kCouldNotSave, {}});
        return false;
    }
    return true;
}

}  // namespace ravelog
