// Reading the header lines and groundwater records of a source log.
#include "ravesect/document/source_header.h"

#include "common/cp932.h"
#include "common/foreign_text.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "common/text_file.h"
#include "ravelog/document/sounding_file_verdict.h"
#include "ravesect/document/boring_xml.h"

namespace ravesect {

namespace {

// Which header line (counted from 1 after the header marker) holds which value; 0: none.
struct HeaderLines {
    int secondName;  // appended to the survey name
    int depth;
    int waterLevel;
    int uValue;
    bool flags;
};

HeaderLines LinesOf(SourceKind kind) {
    if (IsSoundingKind(kind)) {
        return {2, 32, 0, 0, true};
    }
    switch (kind) {
        case kKindDynamicCone:
            return {2, 0, 0, 0, false};
        case kKindLineLog:
            return {0, 33, 0, 0, false};
        case kKindSimpleLog:
            return {0, 37, 31, 0, false};
        case kKindJacicLog:
            return {0, 45, 0, 49, false};
        default:
            return {0, 0, 0, 0, false};
    }
}

constexpr int kSurveyNameLine = 1;
constexpr int kLabelLine = 5;
constexpr int kElevationKindLine = 12;
constexpr int kElevationLine = 13;
constexpr int kFlagLine1 = 62;
constexpr int kFlagLine2 = 63;
constexpr std::size_t kShortNameBytes = 10;

// "@N" and "@M" stand for "none" and "not observed".
void NormaliseRecord(GroundwaterRecord& record) {
    const std::string_view level = rave::TrimBlanks(record.level);
    if (level == "@N") {
        record.level = "-0.6";
        record.text = "無し";
    } else if (level == "@M") {
        record.level = "-0.7";
        record.text = "認められず";
    }
}

class HeaderReader {
public:
    explicit HeaderReader(SourceHeader& header) : header_(header), lines_(LinesOf(header.kind)) {
        // The one-value-per-line log opens its header with the first line itself.
        inHeader_ = header.kind == kKindLineLog;
    }

    void Read(std::string_view line) {
        if (header_.kind == kKindLineLog) {
            ReadLineLog(line);
        } else {
            ReadSectioned(line);
        }
    }

private:
    void ReadSectioned(std::string_view line) {
        if (line.size() >= 2 && line[0] == '$' && line[1] == '$') {
            const char section = line.size() > 2 ? line[2] : '\0';
            if (section == 'Z' && !headerSeen_) {
                headerSeen_ = true;
                inHeader_ = true;
                headerLine_ = 0;
            } else {
                inHeader_ = false;
            }
            inRecords_ = section == 'W';
            return;
        }
        if (inHeader_) {
            TakeHeaderLine(line);
        } else if (inRecords_ && static_cast<int>(header_.records.size()) < kJacicLogRecordLimit) {
            std::string fields[4];
            rave::SplitCsvFields(line, fields, 4);
            GroundwaterRecord record{fields[0], fields[1], fields[2], fields[3]};
            NormaliseRecord(record);
            header_.records.push_back(std::move(record));
        }
    }

    void ReadLineLog(std::string_view line) {
        if (!line.empty() && line.front() == '$') {
            inHeader_ = false;
            inRecords_ = line.size() > 1 && line[1] == 'H';
            recordLine_ = 0;
            return;
        }
        if (inHeader_) {
            TakeHeaderLine(line);
            return;
        }
        if (!inRecords_) {
            return;
        }
        if (recordLine_ == 0) {
            if (static_cast<int>(header_.records.size()) >= kLineLogRecordLimit) {
                inRecords_ = false;
                return;
            }
            header_.records.emplace_back();
        }
        GroundwaterRecord& record = header_.records.back();
        std::string* const parts[] = {&record.level, &record.date, &record.text, &record.extra};
        *parts[recordLine_] = line;
        if (++recordLine_ == 4) {
            recordLine_ = 0;
            NormaliseRecord(record);
        }
    }

    void TakeHeaderLine(std::string_view line) {
        const int n = ++headerLine_;
        if (n == kSurveyNameLine) {
            header_.surveyName = line;
            firstNameShort_ = line.size() < kShortNameBytes;
        } else if (n == lines_.secondName && lines_.secondName != 0 &&
                   (header_.kind == kKindDynamicCone || firstNameShort_)) {
            header_.surveyName += line;
        }
        if (n == kLabelLine) {
            header_.label = line;
        } else if (n == kElevationKindLine) {
            header_.elevationKind = line;
        } else if (n == kElevationLine) {
            header_.elevation = line;
        }
        if (n == lines_.depth) {
            header_.depth = line;
        }
        if (n == lines_.waterLevel) {
            header_.waterLevel = line;
        }
        if (n == lines_.uValue) {
            header_.uValue = line;
        }
        if (lines_.flags && (n == kFlagLine1 || n == kFlagLine2)) {
            const bool set = rave::ParseInteger(line) == 1;
            header_.flagBits += set ? (n == kFlagLine1 ? 1 : 2) : 0;
        }
    }

    SourceHeader& header_;
    HeaderLines lines_;
    bool headerSeen_ = false;
    bool inHeader_ = false;
    bool inRecords_ = false;
    bool firstNameShort_ = false;
    int headerLine_ = 0;
    int recordLine_ = 0;
};

}  // namespace

std::string SourceHeader::VersionText() const {
    return rave::FormatText("%d  _%d", kind, flagBits);
}

std::string SoundingSourceRefusal(SourceKind kind, std::string_view bytes) {
    if (!IsSoundingKind(kind)) {
        return {};
    }
    // Judged on the text Ravelog would read: a sounding saved again in UTF-16 is no binary file.
    std::string converted;
    const rave::ForeignText text = rave::DecodeForeignText(bytes, converted);
    const ravelog::SoundingVerdict verdict = ravelog::JudgeSoundingBytes(text.ok ? text.cp932 : bytes);
    if (verdict == ravelog::SoundingVerdict::kSounding) {
        return {};
    }
    return "柱状図、スウェーデンのファイルではありません（" + ravelog::SoundingVerdictText(verdict) + "）";
}

SourceHeader ReadSourceHeader(std::string_view bytes) {
    if (LooksLikeBoringXml(bytes)) {
        return BoringSourceHeader(ReadBoringXml(bytes));
    }
    SourceHeader header;
    // A log saved again by an editor in UTF-8 or UTF-16 reads as the cp932 it held.
    std::string converted;
    const rave::ForeignText text = rave::DecodeForeignText(bytes, converted);
    if (!text.ok) {
        header.status = SourceHeader::Status::kNotAccepted;
        header.surveyName = rave::ForeignTextProblemText(text.problem);
        return header;
    }
    bytes = text.cp932;
    rave::LineCursor cursor(bytes, kSourceHeaderLineLimit);
    std::string_view line;
    if (cursor.Next(line)) {
        header.kind = DetectSourceKind(rave::StripLineEnd(line));
    }
    if (!IsKnownKind(header.kind)) {
        header.kind = kKindUnknown;
        header.status = SourceHeader::Status::kNotAccepted;
        header.surveyName = "柱状図、スウェーデンのファイルではありません";
        return header;
    }
    if (std::string refusal = SoundingSourceRefusal(header.kind, bytes); !refusal.empty()) {
        header.kind = kKindUnknown;
        header.status = SourceHeader::Status::kNotAccepted;
        header.surveyName = std::move(refusal);
        return header;
    }
    HeaderReader reader(header);
    while (cursor.Next(line)) {
        reader.Read(rave::StripLineEnd(line));
    }
    return header;
}

SourceHeader ReadSourceHeaderFile(const std::filesystem::path& path) {
    // Every kind of source is held to the boring XML's limit, the largest any of them needs, so
    // the placement, the column build and the log verb refuse the same files.
    const rave::InputFileBytes input = rave::ReadInputFile(path, kBoringXmlMaxBytes);
    if (!input.bytes) {
        SourceHeader header;
        header.status = input.refusal == rave::InputRefusal::kMissing ? SourceHeader::Status::kNotFound
                                                                      : SourceHeader::Status::kNotAccepted;
        header.surveyName = rave::InputRefusalText(input.refusal, kBoringXmlMaxBytes);
        return header;
    }
    return ReadSourceHeader(*input.bytes);
}

std::vector<std::string> WaterLevelEntries(const std::vector<GroundwaterRecord>& records,
                                           rave::MessageSink& messages) {
    std::vector<std::string> entries;
    for (const GroundwaterRecord& record : records) {
        if (static_cast<int>(entries.size()) >= kWaterLevelListCapacity) {
            messages.Show(rave::Message{message_id::kListFull, "これ以上データを扱えません", {}});
            break;
        }
        const bool described = rave::Cp932Find(record.text, "無") != std::string_view::npos ||
                               rave::Cp932Find(record.text, "認") != std::string_view::npos;
        if (described) {
            entries.push_back(record.text + "  " + record.date);
        } else {
            entries.push_back(rave::FormatText("%5.2f  ", rave::ParseDecimal(record.level)) + record.date);
        }
    }
    return entries;
}

}  // namespace ravesect
