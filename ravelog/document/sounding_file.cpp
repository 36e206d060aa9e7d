// Reading and writing the .sdw sounding file and reading the older Ver2 format.
#include "ravelog/document/sounding_file.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "common/text_file.h"

namespace ravelog {

namespace {

constexpr int kStoredRowFields = 11;     // fields 1..11 of a measured row
constexpr int kOldHeaderLines = 40;      // lines of a Ver2 header
constexpr int kOldValueLinesPerRow = 8;  // a Ver2 row is eight lines of one value each

// Line k of a Ver2 header -> header slot (0: the line is skipped).
constexpr std::array<int, kOldHeaderLines + 1> kOldHeaderMap = [] {
    std::array<int, kOldHeaderLines + 1> map{};
    const int pairs[][2] = {{1, 1},   {2, 2},   {3, 5},   {4, 33},  {5, 10},  {6, 7},   {7, 8},   {8, 9},
                            {9, 12},  {10, 13}, {11, 16}, {12, 17}, {13, 18}, {14, 14}, {15, 15}, {16, 21},
                            {17, 22}, {18, 23}, {19, 24}, {20, 25}, {21, 26}, {24, 29}};
    for (const auto& pair : pairs) {
        map[static_cast<std::size_t>(pair[0])] = pair[1];
    }
    return map;
}();

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool EndsWithCrLf(std::string_view text) {
    return text.size() >= 2 && text.substr(text.size() - 2) == "\r\n";
}

void AppendFields(std::string& out, const std::string* fields, int count) {
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            out.push_back(',');
        }
        if (fields[i].find(',') == std::string::npos) {
            out += fields[i];
        } else {
            out += rave::QuoteCsvFieldIfNeeded(fields[i]);
        }
    }
    out += "\r\n";
}

// Files edited on other systems end lines with LF alone, CR alone, or a mix. Every kind counts as
// a line end, so no row is merged into another: a CR not followed by LF becomes CR LF. Files
// without a lone CR are read as they are.
std::string_view WithCrLfLineEnds(std::string_view bytes, std::string& storage) {
    if (bytes.empty()) {
        return bytes;
    }
    // One branch-free pass the compiler runs many bytes at a time; a CR in every line makes a
    // search for each CR slower than looking at every byte.
    const std::size_t last = bytes.size() - 1;
    const char* const b = bytes.data();
    unsigned char loneCr = b[last] == '\r';
    for (std::size_t i = 0; i < last; ++i) {
        loneCr |= static_cast<unsigned char>((b[i] == '\r') & (b[i + 1] != '\n'));
    }
    if (loneCr == 0) {
        return bytes;
    }
    storage.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        storage.push_back(bytes[i]);
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) {
            storage.push_back('\n');
        }
    }
    return storage;
}

}  // namespace

SoundingFileVersion DetectFileVersion(std::string_view firstLine) {
    if (firstLine.size() <= 3 || firstLine.size() >= 32) {
        return kVersionUnknown;
    }
    // "$$_SW" covers both full magics ("$$_SWCVERAN3", "$$_SWJVERAN3") and files of other
    // releases of the current format.
    if (Contains(firstLine, "$$_SW")) {
        return kVersionCurrent;
    }
    if (Contains(firstLine, "$Z40")) {
        return kVersionOld;
    }
    return kVersionUnknown;
}

int OldFormatHeaderSlot(int k) {
    if (k < 1 || k > kOldHeaderLines) {
        return 0;
    }
    return kOldHeaderMap[static_cast<std::size_t>(k)];
}

void SoundingReadPass::ReadSoundingLine(SoundingFileVersion version, std::string_view line) {
    line = rave::StripLineEnd(line);
    if (version >= kVersionCurrent) {
        ReadCurrentLine(line);
    } else if (version == kVersionOld) {
        ReadOldLine(line);
    }
}

void SoundingReadPass::ReadCurrentLine(std::string_view line) {
    if (Contains(line, "$$")) {
        // A marker line selects the section named by its third character ("$$Z", "$$A", "$$C";
        // the magic line selects the ignored section "_"). A bare "$$" changes nothing.
        if (line.size() > 2) {
            section_ = line[2];
            counter_ = 1;
        }
        return;
    }
    switch (section_) {
        case 'Z':
            if (counter_ <= kHeaderSlots) {
                headerSlotsSet_ = std::max(headerSlotsSet_, counter_);
                document_.header[counter_++] = line;
            }
            break;
        case 'A':
            if (counter_ <= kMaxRows) {
                rowsSet_ = std::max(rowsSet_, counter_);
                MeasuredRow& row = document_.Row(counter_++);
                rave::SplitCsvFields(line, &row.fields[field::kLoad], kStoredRowFields);
            } else if (!line.empty()) {
                ++rowsLeftOut_;  // beyond the capacity; the open says how many
            }
            break;
        case 'C':
            if (counter_ <= kConversionEntries) {
                entriesSet_ = std::max(entriesSet_, counter_);
                ConversionRow& entry = document_.Conversion(counter_++);
                rave::SplitCsvFields(line, &entry.fields[1], kConversionFields);
            }
            break;
        default:
            break;
    }
}

void SoundingReadPass::ReadOldLine(std::string_view line) {
    if (!line.empty() && line.front() == '$') {
        // "$Z40" opens the header, "$A" the rows; a lone "$" opens a section that is ignored.
        section_ = line.size() > 1 ? line[1] : '\0';
        counter_ = 1;
        valueLine_ = 1;
        return;
    }
    if (section_ == 'Z') {
        if (counter_ <= kOldHeaderLines) {
            const int slot = OldFormatHeaderSlot(counter_++);
            if (slot != 0) {
                document_.header[slot] = line;
            }
        }
        return;
    }
    if (section_ != 'A') {
        return;
    }
    if (counter_ > kMaxRows) {
        // Rows beyond the capacity are counted as they start, so the open can say how many.
        rowsLeftOut_ += valueLine_ == 1 ? 1 : 0;
        valueLine_ = valueLine_ % kOldValueLinesPerRow + 1;
        return;
    }
    MeasuredRow& row = document_.Row(counter_);
    switch (valueLine_) {
        case 1:
            row[field::kLoad] = line;
            break;
        case 2:
            row[field::kHalfTurns] = line;
            break;
        case 3:
            row[field::kDepth] = line;
            break;
        case 4:
            // Ver2 kept the penetration length in centimetres.
            row[field::kLength] = rave::FormatText("%.2f", rave::ParseDecimal(line) * 0.01);
            break;
        case 5:
            row[field::kNsw] = line;
            break;
        case 6:
            row[field::kSimpleSoilName] = line;
            break;
        case 7:
            row[field::kRemarks] = line;
            break;
        default:
            row[field::kSimplePattern] = line;
            break;
    }
    if (++valueLine_ > kOldValueLinesPerRow) {
        valueLine_ = 1;
        ++counter_;
    }
}

SoundingFileVersion ReadSoundingBytes(SoundingDocument& document, std::string_view bytes,
                                      const SoundingReadLimits& limits, int* rowsLeftOut) {
    if (rowsLeftOut != nullptr) {
        *rowsLeftOut = 0;
    }
    std::string normalized;
    bytes = WithCrLfLineEnds(bytes, normalized);
    rave::LineCursor first(bytes, limits.firstLine);
    std::string_view line;
    if (!first.Next(line)) {
        return kVersionUnknown;
    }
    if (!limits.firstLineKeepsLineEnd) {
        line = rave::StripLineEnd(line);
    }
    const SoundingFileVersion version = DetectFileVersion(line);
    if (!IsReadableVersion(version)) {
        return version;
    }
    SoundingReadPass pass(document);
    if (version == kVersionOld) {
        document.ClearSoundingData();
    }
    // No CR stands alone any more, so each line is found with one search for its LF.
    rave::LineCursor cursor(bytes, limits.lines, rave::LineCursor::Ends::kNoLoneCr);
    while (cursor.Next(line)) {
        pass.ReadSoundingLine(version, line);
    }
    if (version != kVersionOld) {
        // The current reader sets whole slots, rows and entries; the rest is cleared afterwards.
        document.ClearSoundingDataExcept(pass.HeaderSlotsSet(), pass.RowsSet(), pass.EntriesSet());
    }
    if (rowsLeftOut != nullptr) {
        *rowsLeftOut = pass.RowsLeftOut();
    }
    return version;
}

namespace {

// Commas between `from` and `to`. Counting in runs of at most 255 bytes into a byte-sized
// counter lets the compiler compare sixteen bytes at a time.
std::ptrdiff_t CountCommas(const char* from, const char* to) {
    std::ptrdiff_t total = 0;
    while (from != to) {
        const std::ptrdiff_t run = std::min<std::ptrdiff_t>(to - from, 255);
        unsigned char count = 0;
        for (std::ptrdiff_t i = 0; i < run; ++i) {
            count = static_cast<unsigned char>(count + (from[i] == ','));
        }
        total += count;
        from += run;
    }
    return total;
}

constexpr std::size_t kShortCopy = 16;

// Copies `text` to `to` and returns the end of the copy. Most fields are a few bytes long: they
// are copied in two fixed-size moves that may overlap, instead of a call to memcpy.
inline char* CopyShort(char* to, const std::string& text) {
    const std::size_t size = text.size();
    const char* from = text.data();
    if (size >= 8 && size <= kShortCopy) {
        std::memcpy(to, from, 8);
        std::memcpy(to + size - 8, from + size - 8, 8);
    } else if (size >= 4 && size < 8) {
        std::memcpy(to, from, 4);
        std::memcpy(to + size - 4, from + size - 4, 4);
    } else if (size > 0 && size < 4) {
        to[0] = from[0];
        to[size / 2] = from[size / 2];
        to[size - 1] = from[size - 1];
    } else if (size > kShortCopy) {
        std::memcpy(to, from, size);
    }
    return to + size;
}

// The file's bytes in one pass over the document with no field quoted. Returns false, leaving
// `out` unspecified, when a field holds a comma and so needs the quoting of WriteQuotedFields.
// The size is known before anything is copied, so the bytes go straight into one buffer.
bool WritePlainFields(const SoundingDocument& document, int rowCount, int conversionCount, bool jacic,
                      std::string& out) {
    constexpr std::string_view kMagicJacic = "$$_SWJVERAN304\r\n";
    constexpr std::string_view kMagicSimple = "$$_SWCVERAN304\r\n";
    constexpr std::string_view kHeaderMarker = "$$Z\r\n";
    constexpr std::string_view kRowMarker = "$$A\r\n";
    constexpr std::string_view kConversionMarker = "$$C\r\n";

    std::size_t size =
        kMagicJacic.size() + kHeaderMarker.size() + kRowMarker.size() + kConversionMarker.size();
    for (int n = 1; n <= kHeaderSlots; ++n) {
        const std::string& text = document.header[n];
        size += text.size() + (EndsWithCrLf(text) ? 0 : 2);
    }
    // Each line holds its fields, one comma fewer than fields, and CR LF.
    for (int i = 1; i <= rowCount; ++i) {
        const MeasuredRow& row = document.Row(i);
        size += kStoredRowFields + 1;
        for (int f = field::kLoad; f < field::kLoad + kStoredRowFields; ++f) {
            size += row.fields[static_cast<std::size_t>(f)].size();
        }
    }
    for (int i = 1; i <= conversionCount; ++i) {
        const ConversionRow& entry = document.Conversion(i);
        size += kConversionFields + 1;
        for (int f = 1; f <= kConversionFields; ++f) {
            size += entry.fields[static_cast<std::size_t>(f)].size();
        }
    }

    out.assign(size, '\0');
    char* p = out.data();
    auto put = [&p](std::string_view text) {
        std::memcpy(p, text.data(), text.size());
        p += text.size();
    };
    auto putFields = [&p](const std::string* fields, int count) {
        p = CopyShort(p, fields[0]);
        for (int f = 1; f < count; ++f) {
            *p++ = ',';
            p = CopyShort(p, fields[f]);
        }
        *p++ = '\r';
        *p++ = '\n';
    };

    put(jacic ? kMagicJacic : kMagicSimple);
    put(kHeaderMarker);
    for (int n = 1; n <= kHeaderSlots; ++n) {
        const std::string& text = document.header[n];
        put(text);
        if (!EndsWithCrLf(text)) {
            put("\r\n");
        }
    }
    put(kRowMarker);
    const char* rowsStart = p;
    for (int i = 1; i <= rowCount; ++i) {
        putFields(&document.Row(i).fields[field::kLoad], kStoredRowFields);
    }
    put(kConversionMarker);
    for (int i = 1; i <= conversionCount; ++i) {
        putFields(&document.Conversion(i).fields[1], kConversionFields);
    }
    // A comma inside a field shows as one comma more than the separators; counting them over the
    // finished lines is much cheaper than searching each short field on its own.
    const auto separators = static_cast<std::ptrdiff_t>(rowCount) * (kStoredRowFields - 1) +
                            static_cast<std::ptrdiff_t>(conversionCount) * (kConversionFields - 1);
    return p == out.data() + out.size() && CountCommas(rowsStart, p) == separators;
}

// The same bytes built field by field, a field with a comma enclosed in double quotes.
std::string WriteQuotedFields(const SoundingDocument& document, int rowCount, int conversionCount,
                              bool jacic) {
    std::string out;
    out.reserve(4096 + static_cast<std::size_t>(rowCount) * 96);
    out += jacic ? "$$_SWJVERAN304\r\n" : "$$_SWCVERAN304\r\n";

    out += "$$Z\r\n";
    for (int n = 1; n <= kHeaderSlots; ++n) {
        const std::string& text = document.header[n];
        out += text;
        if (!EndsWithCrLf(text)) {
            out += "\r\n";
        }
    }

    out += "$$A\r\n";
    for (int i = 1; i <= rowCount; ++i) {
        AppendFields(out, &document.Row(i).fields[field::kLoad], kStoredRowFields);
    }

    out += "$$C\r\n";
    for (int i = 1; i <= conversionCount; ++i) {
        AppendFields(out, &document.Conversion(i).fields[1], kConversionFields);
    }
    return out;
}

}  // namespace

std::string WriteSoundingFile(SoundingDocument& document) {
    const int depthRows = document.RowCount();
    document.header[slot::kFinalDepth] =
        depthRows > 0 ? document.Row(depthRows)[field::kDepth] : std::string();
    // Rows after one without a depth are kept too: the file loses nothing the user typed.
    const int rowCount = document.LastUsedRow();
    const bool jacic = rave::ParseInteger(document.header[slot::kSoilTableKind]) != 0;

    // Conversion entries are written up to the first one with neither a depth nor a value.
    int conversionCount = 0;
    while (conversionCount < kConversionEntries) {
        const ConversionRow& entry = document.Conversion(conversionCount + 1);
        if (rave::IsNumericStart(entry[1]) <= 0 && rave::IsNumericStart(entry[2]) <= 0) {
            break;
        }
        ++conversionCount;
    }

    std::string out;
    if (WritePlainFields(document, rowCount, conversionCount, jacic, out)) {
        return out;
    }
    return WriteQuotedFields(document, rowCount, conversionCount, jacic);
}

}  // namespace ravelog
