// What the import of foreign files remembers: which column of a comma- or blank-separated file
// holds which value, the unit options, and where these are kept between runs (the program
// settings and the named settings files "Usr.ndx" / "Uss.ndx" of the install folder).
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rave {
class MessageSink;
class RavelogSettings;
}  // namespace rave

namespace ravelog {

// 0 reads comma-separated files, 1 blank-separated ones.
enum class ImportMode { kComma = 0, kBlank = 1 };

// A line is split into at most this many fields; column numbers run from 1 to this.
inline constexpr int kImportFieldCount = 26;

// The six column assignments, in the order the dialog lists them and the files store them.
enum ImportColumn {
    kColumnLoad = 0,     // load Wsw
    kColumnHalfTurns,    // half turns Na
    kColumnDepth,        // penetration depth
    kColumnSoilName,     // soil name
    kColumnPointNumber,  // point number, taken from line 1
    kColumnDate,         // date as YYYYMMDD, taken from line 1
    kImportColumnCount
};

// Column numbers as the user typed them; a text that does not read as 1..26 means "not used".
using ImportColumnTexts = std::array<std::string, kImportColumnCount>;

// The column number a text stands for: 1..26, or 0 for an unused column.
int ImportColumnNumber(std::string_view text);
// True when at least one of the six columns is in use.
bool AnyImportColumnAssigned(const ImportColumnTexts& columns);
// The standard columns of a mode (the "標準の設定" button).
ImportColumnTexts StandardImportColumns(ImportMode mode);

// Everything the import dialog lets the user choose besides the file.
struct ImportChoices {
    ImportColumnTexts columns;
    bool loadInKgf = false;         // multiply loads by 0.01 (kgf to kN)
    bool depthInCm = false;         // multiply depths by 0.01 (cm to m)
    bool clearHeader = false;       // empty all header slots before reading
    bool omitRepeatedNames = true;  // keep a soil name only on the last row of a run
    std::string fromLine;           // the line range as typed
    std::string toLine;
};

// The choices the dialog opens with: the columns and unit options kept for the mode in the
// program settings, the standard columns when none of the kept ones is usable, header clearing
// off, repeated-name omission on, an empty range.
ImportChoices LoadImportChoices(const rave::RavelogSettings& settings, ImportMode mode);
// Keeps the columns and unit options of a mode in the program settings (the caller saves the
// settings file when it owns one). The kgf option is shared by both modes.
void StoreImportChoices(rave::RavelogSettings& settings, ImportMode mode, const ImportChoices& choices);

// One saved set of column numbers ("列No.のユーザ設定と保存").
struct NamedImportColumns {
    std::string name;
    ImportColumnTexts columns;
};

// "Usr.ndx" for the comma mode, "Uss.ndx" for the blank mode.
std::filesystem::path NamedImportColumnsPath(const std::filesystem::path& installFolder, ImportMode mode);

// Reads the saved setting of a mode. A missing file, or one whose first seven lines hold no
// number, shows string 4020 and gives nothing.
std::optional<NamedImportColumns> LoadNamedImportColumns(const std::filesystem::path& installFolder,
                                                         ImportMode mode, rave::MessageSink& messages);
// Writes the name, the six columns and the line range. With no column in use it shows string
// 4007 and writes nothing; a file that cannot be written shows string 4005. True when written.
bool SaveNamedImportColumns(const std::filesystem::path& installFolder, ImportMode mode,
                            std::string_view name, const ImportChoices& choices, rave::MessageSink& messages);

}  // namespace ravelog
