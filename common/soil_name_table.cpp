#include "common/soil_name_table.h"

#include <cmath>

#include "common/cp932.h"
#include "common/format.h"
#include "common/messages.h"
#include "common/numbers.h"
#include "common/settings_files.h"
#include "common/text_fields.h"
#include "common/text_file.h"

namespace rave {

namespace {

// The loader keeps numbers inside this range, so a damaged field never overflows a long.
constexpr double kLargestNumber = 999999999.0;

// A line that is no soil row although it sits inside a group: other headings ("[...") and
// comment lines ("{...").
bool IsHeadingOrComment(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    return !text.empty() && (text.front() == '[' || text.front() == '{');
}

}  // namespace

bool IsSoilGroupLine(std::string_view line) {
    return Cp932Find(line, "[第") != std::string_view::npos;
}

bool IsSoilEndLine(std::string_view line) {
    return Cp932Find(line, "[終了") != std::string_view::npos;
}

std::string SoilRowPatternText(const SoilNameRow& row) {
    return row.number < 0 ? std::string() : FormatText("%ld.%d", row.number, row.soilClass);
}

SoilNumber ParseSoilNumber(std::string_view field) {
    SoilNumber result;
    if (TrimBlanks(field).empty()) {
        return result;
    }
    double x = ParseDecimal(field);
    if (!std::isfinite(x)) {
        x = 0.0;
    }
    x = std::fmax(-kLargestNumber, std::fmin(kLargestNumber, x));
    const double whole = std::floor(x);
    result.number = static_cast<long>(whole);
    const int digit = static_cast<int>(std::floor((x - whole) * 10.0 + 0.1));
    result.soilClass = (digit < 0 ? 0 : digit) & soil_class::kBoth;
    return result;
}

const SoilNameTable::KindTable& SoilNameTable::Kind(int numberKind) const {
    return kinds_[numberKind == soil_number_kind::kBitmap ? 1 : 0];
}

SoilNameTable::KindTable& SoilNameTable::Kind(int numberKind) {
    return kinds_[numberKind == soil_number_kind::kBitmap ? 1 : 0];
}

SoilGroupRange SoilNameTable::Group(int numberKind, int group) const {
    if (group < 1 || group > kGroups) {
        return {};
    }
    return Kind(numberKind).groups[static_cast<std::size_t>(group - 1)];
}

std::vector<SoilNameRow> SoilNameTable::GroupRows(int numberKind, int group) const {
    const SoilGroupRange range = Group(numberKind, group);
    const auto& rows = Rows(numberKind);
    std::vector<SoilNameRow> result;
    if (range.first < 1) {
        return result;
    }
    for (int i = range.first; i <= range.last && i <= static_cast<int>(rows.size()); ++i) {
        result.push_back(rows[static_cast<std::size_t>(i - 1)]);
    }
    return result;
}

bool SoilNameTable::AddRow(int numberKind, int group, const SoilNameRow& row) {
    KindTable& table = Kind(numberKind);
    if (group < 1 || group > kGroups || static_cast<int>(table.rows.size()) >= kMaxRows) {
        return false;
    }
    table.rows.push_back(row);
    const int index = static_cast<int>(table.rows.size());
    SoilGroupRange& range = table.groups[static_cast<std::size_t>(group - 1)];
    if (range.first == 0) {
        range.first = index;
    }
    range.last = index;
    return true;
}

void SoilNameTable::Clear() {
    kinds_ = {};
}

int SoilNameTable::LoadSoilNameBytes(std::string_view bytes, int numberKind) {
    Kind(numberKind) = KindTable{};
    int group = 0;
    bool seenGroupLine = false;
    LineCursor cursor(bytes, kLineLimit);
    std::string_view raw;
    while (cursor.Next(raw)) {
        if (raw.size() < 3) {
            continue;
        }
        const std::string_view line = StripLineEnd(raw);
        if (IsSoilEndLine(line)) {
            break;
        }
        if (IsSoilGroupLine(line)) {
            ++group;
            if (!seenGroupLine) {
                seenGroupLine = true;
                Kind(numberKind).headerNumber = static_cast<int>(ParseInteger(CsvField(line, 3)));
            }
            continue;
        }
        if (group < 1 || group > kGroups || IsHeadingOrComment(line)) {
            continue;
        }
        std::string fields[4];
        SplitCsvFields(line, fields, 4);
        if (fields[0].empty()) {
            continue;
        }
        const SoilNumber number =
            ParseSoilNumber(numberKind == soil_number_kind::kBitmap ? fields[3] : fields[2]);
        AddRow(numberKind, group, SoilNameRow{fields[0], fields[1], number.number, number.soilClass});
    }
    return Kind(numberKind).headerNumber;
}

int SoilNameTable::LoadSoilNameTable(const std::filesystem::path& path, int numberKind,
                                     MessageSink& messages) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        messages.Show(FileNotFoundMessage(path));
        return 0;
    }
    return LoadSoilNameBytes(*bytes, numberKind);
}

long SimpleLayerPattern(std::string_view soilName, std::string_view storedNumber,
                        const SoilNameTable& simpleTable) {
    const std::string_view name = TrimBlanks(soilName);
    if (!name.empty()) {
        for (const SoilNameRow& entry : simpleTable.Rows(soil_number_kind::kBitmap)) {
            if (entry.name == name && entry.number > 0) {
                return entry.number;
            }
        }
    }
    const long code = ParseInteger(storedNumber);
    const bool simpleMarker = code >= 800 && code <= 869;
    if (code > 100 && code < 10000 && code % 100 != 0 && !simpleMarker) {
        return code - code % 100;
    }
    return code;
}

}  // namespace rave
