// Field splitting and unit conversion of the foreign import.
#include "ravelog/document/import_fields.h"

#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"

namespace ravelog {

namespace {

// Values below this are left alone by the unit conversions: they are zeros, blanks or texts
// rather than measurements.
constexpr double kConversionThreshold = 0.001;

// A tab ends a field like a blank: files saved by a spreadsheet as tab-separated text then keep
// the spreadsheet's column numbers, empty cells included. Neither byte is ever part of a
// double-byte character.
bool IsFieldBlank(char c) {
    return c == ' ' || c == '\t';
}

void SplitBlankFields(std::string_view line, ImportFields& fields) {
    for (std::string& field : fields) {
        field.clear();
    }
    std::size_t index = 0;
    bool inQuotes = false;
    for (char c : line) {
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (IsFieldBlank(c)) {
            if (!inQuotes && ++index >= fields.size()) {
                return;
            }
        } else {
            fields[index].push_back(c);
        }
    }
}

}  // namespace

void SplitImportLine(std::string_view line, ImportMode mode, ImportFields& fields) {
    if (mode == ImportMode::kComma) {
        rave::SplitCsvFieldsOfWholeLine(line, fields.data(), kImportFieldCount);
    } else {
        SplitBlankFields(line, fields);
    }
}

int CountImportFields(std::string_view line, ImportMode mode) {
    if (line.empty()) {
        return 0;
    }
    int count = 1;
    bool inQuotes = false;
    for (char c : line) {
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && (mode == ImportMode::kComma ? c == ',' : IsFieldBlank(c))) {
            ++count;
        }
    }
    return count;
}

const std::string& ImportedField(const ImportFields& fields, const ImportColumnTexts& columns,
                                 ImportColumn column) {
    static const std::string kUnused;
    const int number = ImportColumnNumber(columns[static_cast<std::size_t>(column)]);
    return number == 0 ? kUnused : fields[static_cast<std::size_t>(number - 1)];
}

std::string ImportedLoad(std::string_view field, bool loadInKgf) {
    const double value = rave::ParseDecimal(field);
    if (loadInKgf && value >= kConversionThreshold) {
        return rave::FormatText("%.2f", value * 0.01);
    }
    return std::string(field);
}

std::string ImportedDepth(std::string_view field, bool depthInCm) {
    const double value = rave::ParseDecimal(field);
    if (depthInCm && value >= kConversionThreshold) {
        return rave::FormatText("%g", value * 0.01);
    }
    return std::string(field);
}

}  // namespace ravelog
