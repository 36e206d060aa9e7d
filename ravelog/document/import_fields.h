// Splitting the lines of a foreign file into its fields, and the unit conversions applied to
// the values taken from them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ravelog/document/import_settings.h"

namespace ravelog {

// Fields 1..26 of a line; index 0 holds column 1.
using ImportFields = std::array<std::string, kImportFieldCount>;

// The longest line the import reads, line end included. Files of other programs have lines of
// any length (a long survey name in one column); this only bounds what a hostile file can make
// the preview and the line list hold. A file with a longer line is refused, naming the line.
inline constexpr std::size_t kImportLineLimit = 1024 * 1024;

// Splits a line (its line end already removed) into at most 26 fields, however long it is.
// Comma mode uses the comma splitter of the data files. Blank mode is its twin: every blank or
// tab outside double quotes ends a field, so two in a row leave an empty field between them;
// blanks and tabs are never copied into a field, not even inside quotes; double quotes toggle
// the quoted state and are dropped. An empty line gives 26 empty fields.
void SplitImportLine(std::string_view line, ImportMode mode, ImportFields& fields);

// The number of fields the line holds (separators outside quotes plus one; 0 for an empty
// line), counted past the 26 that are split.
int CountImportFields(std::string_view line, ImportMode mode);

// The field of the given column, or an empty text when the column is not in use.
const std::string& ImportedField(const ImportFields& fields, const ImportColumnTexts& columns,
                                 ImportColumn column);

// A load as stored in a row: with the kgf option a value of at least 0.001 is multiplied by
// 0.01 and written "%.2f"; anything else is taken as it stands.
std::string ImportedLoad(std::string_view field, bool loadInKgf);
// A depth as stored in a row: with the cm option a value of at least 0.001 is multiplied by
// 0.01 and written "%g"; anything else is taken as it stands.
std::string ImportedDepth(std::string_view field, bool depthInCm);

}  // namespace ravelog
