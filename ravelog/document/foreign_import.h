// The import of measured rows from comma- and blank-separated files written by other programs
// (the dialog "開く" behind the two "開く…" menu commands), as a model the dialog binds to and
// the command line drives.
//
// ForeignImport holds what the dialog shows and edits: the chosen file, its preview (the first
// six lines split into columns), the line list with its plausibility checks, and the choices of
// ImportChoices. Import() replaces the measured rows of a document with the chosen lines.
//
// The steps after the rows are read need the conversions and the soil-name tables, which sit
// above this library, so the caller hands them in as an ImportRefresh. Keeping the choices in
// the program settings is the caller's part as well (StoreImportChoices, then SaveSettings),
// since the command line must not rewrite the user's settings files. The document's name is set
// without entering the recent-file list, so a later Save asks for a new name and the foreign file
// is never overwritten.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ravelog/document/import_fields.h"
#include "ravelog/document/import_settings.h"

namespace rave {
class MessageSink;
}

namespace ravelog {

class SoundingDocument;

inline constexpr int kPreviewLines = 6;

// The first lines of a file split into fields, as the dialog's preview shows them (transposed:
// one row per column number, one column per line).
struct ImportPreview {
    int lineCount = 0;  // 0..6
    std::array<ImportFields, kPreviewLines> lines;
};

// One entry of the line list: the values a line would give, unit options applied.
struct ImportListLine {
    int number = 0;  // line number in the file, from 1
    std::string load;
    std::string halfTurns;
    std::string depth;
    std::string soilName;
};

// Splits the first six lines of a file's bytes (kImportLineLimit characters each at most: the
// plausibility checks judge their columns, which a shorter cut would lose).
ImportPreview ReadImportPreview(std::string_view bytes, ImportMode mode);

// Number of lines in a file's bytes; a last line without a line end counts.
int CountImportLines(std::string_view bytes);

// Every line of the file with the values of the chosen columns.
std::vector<ImportListLine> ListImportLines(std::string_view bytes, ImportMode mode,
                                            const ImportChoices& choices);

// Warns about values that suggest the wrong unit option: on the first line of the preview a
// load above 99 without the kgf option, a depth above 24 without the cm option (string 4019).
// With `checkDepthIsNumber`, also a depth column that holds no number on lines 1 and 2 (4013).
void CheckImportPlausibility(const ImportPreview& preview, const ImportChoices& choices,
                             bool checkDepthIsNumber, rave::MessageSink& messages);

// What an import read, beyond the rows themselves.
struct ImportReport {
    int stored = 0;             // rows stored
    int leftOut = 0;            // lines of the range that found no room past the last row
    int firstLeftOutLine = 0;   // the first of them
    int noDepthLine = 0;        // the line of row 1 when that row has no depth, so none counts
    std::string noDepthReason;  // why, in cp932
};

// Lines from..to of a file's bytes become measured rows 1, 2, ... of the document (at most
// 1350; the lines past that are counted in the report); line 1 supplies the point number and
// the date in any case. The document's rows and conversion results are emptied first, and its
// header too with the header-clearing option. An empty line contributes no row. Returns the
// number of rows stored.
int ImportRowsFromBytes(std::string_view bytes, ImportMode mode, const ImportChoices& choices, int fromLine,
                        int toLine, SoundingDocument& document, ImportReport* report = nullptr);

// The messages after an import: the lines left out past the last row, or why no row counts
// (no line in the range, or row 1 without a depth).
void ShowImportReport(const ImportReport& report, int fromLine, int toLine, rave::MessageSink& messages);

// A file's text as the import reads it: converted to cp932 when it is UTF-8 or UTF-16. Nothing,
// with the reason shown, when it cannot be read, holds a character cp932 lacks or a line longer
// than kImportLineLimit.
std::optional<std::string> ReadImportText(const std::filesystem::path& path, rave::MessageSink& messages);

// The work that follows the reading of the rows, bound by the caller to the conversion library
// and the loaded soil-name tables. Empty functions are skipped.
struct ImportRefresh {
    // FillEmptySettings with the program settings.
    std::function<void(SoundingDocument&)> fillEmptySettings;
    // The JACIC pattern fill: pattern numbers (field 10) from the names in field 9, rows 1..count.
    std::function<void(SoundingDocument&, int count)> fillJacicPatterns;
    // AssignSoilClasses (count), then RecomputeConversions (count).
    std::function<void(SoundingDocument&, int count)> assignClassesAndConversions;
};

// The refresh of an imported document: count = LastUsedRow, RecomputeRowDerived for rows
// 1..count, the JACIC pattern fill, the classes and the conversion table.
void RefreshAfterImport(SoundingDocument& document, const ImportRefresh& refresh);
// After the dialog was cancelled: the classes and the conversion table over CountRows(3).
void RefreshAfterImportCancelled(SoundingDocument& document, const ImportRefresh& refresh);

class ForeignImport {
public:
    ForeignImport(ImportMode mode, ImportChoices choices);

    ImportMode mode() const { return mode_; }
    // The choices as the dialog edits them.
    ImportChoices& choices() { return choices_; }
    const ImportChoices& choices() const { return choices_; }
    const std::filesystem::path& path() const { return path_; }
    const ImportPreview& preview() const { return preview_; }
    const std::vector<ImportListLine>& lineList() const { return lineList_; }
    // The whole line span of the file as the line list found it (0 before the list is filled).
    int fileLastLine() const { return fileLastLine_; }

    // The file chosen by the user: keeps the path and reads the preview. A file that cannot be
    // opened (32790) or read (ReadImportText) says so and leaves the preview empty.
    bool ChooseFile(const std::filesystem::path& path, rave::MessageSink& messages);

    // "標準の設定": the standard columns of the mode.
    void UseStandardColumns() { choices_.columns = StandardImportColumns(mode_); }
    // A click on the preview puts its column number into the column field that last had focus.
    void AssignColumn(ImportColumn column, int columnNumber);
    // A click on the line list puts the line number into the range field that last had focus.
    void SetRangeLine(bool toField, int lineNumber);

    // "行範囲指定": checks the first lines for unlikely values, lists every line of the file and
    // sets the range to the whole file. False (with its message) when no file is chosen
    // (32794), it cannot be opened (32790) or it has no lines (4007).
    bool FillLineList(rave::MessageSink& messages);

    // "OK （読み込み）": reads the chosen lines into the document. The file is opened before
    // anything is cleared, so a file that cannot be read (32790) or no file at all (32794)
    // leaves the document as it was and gives false. With no column assigned it says so
    // (4007) and goes on; unlikely units are warned about (4019) without stopping. An empty
    // to-field means the file's last line, whether or not the line list was filled.
    // After the rows are read: FillEmptySettings, the document named after the imported file
    // and unmodified, RefreshAfterImport, and ShowImportReport. `report` receives what was read.
    bool Import(SoundingDocument& document, rave::MessageSink& messages, const ImportRefresh& refresh,
                ImportReport* report = nullptr);

private:
    ImportMode mode_;
    ImportChoices choices_;
    std::filesystem::path path_;
    ImportPreview preview_;
    std::vector<ImportListLine> lineList_;
    int fileLastLine_ = 0;
};

// Texts of the dialog, in cp932.
std::string ImportModeName(ImportMode mode);
std::string ImportDialogCaption(ImportMode mode);
std::string ImportColumnLabel(ImportColumn column);
std::string ImportFileFilter(ImportMode mode);
std::string ImportDefaultExtension(ImportMode mode);
// Preview headings: " %d行目" above line n, "%2d" before column n; the line list numbers its
// lines with "%2d".
std::string ImportPreviewLineHeading(int line);
std::string ImportNumberText(int number);
struct ImportListHeading {
    std::string text;
    int width = 0;
};
std::array<ImportListHeading, 5> ImportListHeadings();

// The folder in which the file chooser starts: line 1 of "FileC.ndx" in the install folder, or
// an empty text when that file is missing. The program never writes this file.
std::string ImportStartFolder(const std::filesystem::path& installFolder);

}  // namespace ravelog
