// The parsers that turn each kind of source log into the normalized form of a placed column.
#include "ravesect/document/source_parsers.h"

#include <cctype>

#include "common/foreign_text.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/soil_name_table.h"
#include "common/text_fields.h"
#include "common/text_file.h"
#include "ravelog/document/sounding_file.h"
#include "ravesect/document/boring_xml.h"

namespace ravesect {

namespace {

// Boundary-line codes of a layer: an ordinary boundary, and the underlined boundary that always
// closes its layer.
constexpr const char* kPlainBoundary = "4";
constexpr const char* kUnderlinedBoundary = "20";
constexpr long kUnderlineBit = 4;

void SplitInto(std::string_view line, LogRow& row) {
    rave::SplitCsvFields(line, row.data(), static_cast<int>(row.size()));
}

// The fields of a kind-400 "E" row end with a code the drawing uses: "0" for a row whose second
// field reads "?M...", "1" for an "?N..." row that carries a figure, "0" otherwise.
std::string LineLogEntryCode(const std::string& second) {
    if (second.size() < 2 || second[1] == 'M') {
        return "0";
    }
    if (second[1] == 'N') {
        for (char c : second) {
            if (std::isdigit(static_cast<unsigned char>(c))) {
                return "1";
            }
        }
    }
    return "0";
}

}  // namespace

void SectionedReader::ReadLine(std::string_view line) {
    if (line.size() >= 2 && line[0] == '$' && line[1] == '$') {
        section_ = line.size() > 2 ? line[2] : '\0';
        counter_ = 1;
        return;
    }
    if (section_ == 'Z') {
        if (column_ != nullptr && counter_ <= kColumnFields) {
            (*column_)[counter_++] = line;
        }
        return;
    }
    const int s = LogSectionIndex(section_);
    if (s < 0) {
        return;
    }
    if (LogRow* row = log_->RowAt(s, counter_)) {
        SplitInto(line, *row);
        ++counter_;
    }
}

NormalizedLog ParseSectionedSource(std::string_view bytes) {
    NormalizedLog log;
    SectionedReader reader(log, nullptr);
    rave::LineCursor cursor(bytes, kSourceLineLimit);
    std::string_view line;
    while (cursor.Next(line)) {
        reader.ReadLine(rave::StripLineEnd(line));
    }
    return log;
}

NormalizedLog ParseSoundingSource(SourceKind kind, std::string_view bytes) {
    NormalizedLog log;
    rave::LineCursor first(bytes, kSourceLineLimit);
    std::string_view firstLine;
    if (!first.Next(firstLine) ||
        ravelog::DetectFileVersion(rave::StripLineEnd(firstLine)) != ravelog::kVersionCurrent) {
        return log;  // not a sounding file: no need to set up a whole sounding for it
    }
    ravelog::SoundingDocument sounding;
    constexpr ravelog::SoundingReadLimits kLimits{kSourceLineLimit, kSourceLineLimit, false};
    if (ravelog::ReadSoundingBytes(sounding, bytes, kLimits) != ravelog::kVersionCurrent) {
        return log;
    }
    namespace f = ravelog::field;
    const bool jacic = UsesJacicNames(kind);
    const int nameField = jacic ? f::kJacicSoilName : f::kSimpleSoilName;
    const int patternField = jacic ? f::kJacicPattern : f::kSimplePattern;
    const int maxMeasured = kLogSections[logsection::kMeasured].maxRows;

    int measured = 0;
    int layers = 0;
    const int lastRow = sounding.LastUsedRow();
    for (int i = 1; i <= lastRow; ++i) {
        const ravelog::MeasuredRow& source = sounding.Row(i);
        if (measured < maxMeasured) {
            LogRow& row = *log.RowAt(logsection::kMeasured, ++measured);
            row[0] = source[f::kDepth];
            row[3] = source[f::kLoad];
            row[4] = source[f::kNsw];
            row[5] = source[f::kAttribute];
        }
        const std::string& name = source[nameField];
        if (name.empty()) {
            continue;
        }
        const bool underlined = (rave::ParseInteger(source[f::kAttribute]) & kUnderlineBit) != 0;
        LogRow* layer = nullptr;
        if (layers > 0) {
            LogRow& previous = *log.RowAt(logsection::kLayers, layers);
            // A layer goes on while the name repeats, unless its boundary was underlined.
            if (previous[1] == name && rave::ParseInteger(previous[6]) <= 4) {
                layer = &previous;
            }
        }
        if (layer == nullptr) {
            layer = log.RowAt(logsection::kLayers, layers + 1);
            if (layer == nullptr) {
                continue;  // the layer table is full
            }
            ++layers;
        }
        (*layer)[0] = source[f::kDepth];
        (*layer)[1] = name;
        (*layer)[2] = source[patternField];
        (*layer)[6] = underlined ? kUnderlinedBoundary : kPlainBoundary;
    }
    for (int i = 1; i <= measured; ++i) {
        LogRow& row = *log.RowAt(logsection::kMeasured, i);
        row[1] = sounding.Conversion(i)[2];
        row[2] = sounding.Conversion(i)[3];
    }
    return log;
}

NormalizedLog ParseLineSource(std::string_view bytes) {
    NormalizedLog log;
    char section = '\0';
    int row = 1;
    int valueLine = 1;
    rave::LineCursor cursor(bytes, kSourceLineLimit);
    std::string_view line;
    while (cursor.Next(line)) {
        line = rave::StripLineEnd(line);
        if (!line.empty() && line.front() == '$') {
            section = line.size() > 1 ? line[1] : '\0';
            row = 1;
            valueLine = 1;
            continue;
        }
        int s = -1;
        int linesPerRow = 0;
        switch (section) {
            case 'A':
                s = logsection::kLayers;
                linesPerRow = 6;
                break;
            case 'C':
                s = logsection::kMeasured;
                linesPerRow = 6;
                break;
            case 'E':
                s = logsection::kE;
                linesPerRow = 5;
                break;
            default:
                continue;
        }
        LogRow* target = log.RowAt(s, row);
        if (target == nullptr) {
            continue;  // beyond the row limit
        }
        (*target)[static_cast<std::size_t>(valueLine - 1)] = line;
        if (valueLine < linesPerRow) {
            ++valueLine;
            continue;
        }
        if (s == logsection::kLayers) {
            (*target)[6] = kPlainBoundary;
        } else if (s == logsection::kE) {
            (*target)[5] = LineLogEntryCode((*target)[1]);
        }
        valueLine = 1;
        ++row;
    }
    return log;
}

NormalizedLog ParseSourceLog(SourceKind kind, std::string_view bytes, const rave::SoilNameTable* jacicTable,
                             std::vector<std::string>* unknownSoilNames) {
    if (kind == kKindBoringXml) {
        const BoringXmlResult read = ReadBoringXml(bytes);
        if (!read.log) {
            return {};
        }
        const rave::SoilNameTable none;
        return BoringNormalizedLog(*read.log, jacicTable != nullptr ? *jacicTable : none, unknownSoilNames);
    }
    // The other kinds are line files of ours, possibly saved again by an editor in UTF-8 or
    // UTF-16: read as the cp932 they held (a file cp932 cannot hold was refused by its header).
    std::string converted;
    bytes = rave::DecodeForeignText(bytes, converted).cp932;
    if (IsSoundingKind(kind)) {
        NormalizedLog log = ParseSoundingSource(kind, bytes);
        if (kind == kKindSoundingJacic || kind == kKindSoundingSimple) {
            const int last = log.RowCount(logsection::kMeasured);
            if (last > 0) {
                (*log.RowAt(logsection::kMeasured, last))[5] = "2";
            }
        }
        return log;
    }
    if (IsSectionedKind(kind)) {
        NormalizedLog log = ParseSectionedSource(bytes);
        if (kind == kKindDynamicCone) {
            log.ClearSection(logsection::kMeasured);
        }
        return log;
    }
    if (kind == kKindLineLog) {
        return ParseLineSource(bytes);
    }
    return {};
}

}  // namespace ravesect
