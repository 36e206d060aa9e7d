// Field-level text helpers: trimming blanks and the CSV field splitter shared by all readers.
#include "common/text_fields.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "common/messages.h"

namespace rave {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

namespace {

// The general splitter: double quotes toggle the in-quotes state and are dropped.
void SplitQuotedCsvFields(std::string_view line, std::string* fields, int count) {
    for (int i = 0; i < count; ++i) {
        fields[i].clear();
    }
    // Every run of bytes between two separators or quotes is appended at once.
    int index = 0;
    bool inQuotes = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            fields[index].append(line.data() + start, i - start);
            start = i + 1;
            inQuotes = !inQuotes;
        } else if (c == ',' && !inQuotes) {
            fields[index].append(line.data() + start, i - start);
            start = i + 1;
            if (++index >= count) {
                return;
            }
        }
    }
    fields[index].append(line.data() + start, line.size() - start);
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;
constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7Fu;

// `count` (at most eight) bytes as one number, the first byte lowest; missing bytes are zero.
std::uint64_t LoadEight(const char* bytes, std::size_t count) {
    std::uint64_t word = 0;
    if (count == 8 && std::endian::native == std::endian::little) {
        std::memcpy(&word, bytes, 8);
        return word;
    }
    for (std::size_t i = 0; i < count; ++i) {
        word |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return word;
}

// The top bit of every byte of `word` that equals `c`, and no other bit.
std::uint64_t BytesEqualTo(std::uint64_t word, char c) {
    const std::uint64_t x = word ^ (kEveryByte * static_cast<unsigned char>(c));
    return ~(((x & kLowSevenBits) + kLowSevenBits) | x) & ~kLowSevenBits;
}

// Empty fields, half of a typical data line, are cleared without the general assignment.
inline void SetField(std::string& field, const char* from, std::size_t size) {
    if (size == 0) {
        field.clear();
    } else {
        field.assign(from, size);
    }
}

}  // namespace

void SplitCsvFields(std::string_view line, std::string* fields, int count, MessageSink* messages) {
    if (line.size() > kMaxCsvLineLength) {
        line = line.substr(0, kMaxCsvLineLength);
        if (messages != nullptr) {
            messages->Show(Message{0, "too many csv", {}});
        }
    }
    SplitCsvFieldsOfWholeLine(line, fields, count);
}

void SplitCsvFieldsOfWholeLine(std::string_view line, std::string* fields, int count) {
    if (count <= 0) {
        return;
    }
    // A line without quotes, as every line this system writes without a comma inside a field,
    // is looked at eight bytes at a time: the commas of each eight are found at once and every
    // field is set in one step. A quote hands the line to the general splitter.
    const char* const data = line.data();
    const std::size_t size = line.size();
    int index = 0;
    std::size_t start = 0;
    for (std::size_t base = 0; base < size; base += 8) {
        const std::uint64_t word = LoadEight(data + base, std::min<std::size_t>(8, size - base));
        if (BytesEqualTo(word, '"') != 0) {
            SplitQuotedCsvFields(line, fields, count);
            return;
        }
        for (std::uint64_t commas = BytesEqualTo(word, ','); commas != 0; commas &= commas - 1) {
            const std::size_t at = base + static_cast<std::size_t>(std::countr_zero(commas)) / 8;
            SetField(fields[index], data + start, at - start);
            start = at + 1;
            if (++index >= count) {
                return;
            }
        }
    }
    fields[index].assign(data + start, size - start);
    ++index;
    for (; index < count; ++index) {
        fields[index].clear();
    }
}

std::string CsvField(std::string_view line, int n, MessageSink* messages) {
    if (n < 1) {
        return {};
    }
    std::string result;
    if (line.size() > kMaxCsvLineLength) {
        line = line.substr(0, kMaxCsvLineLength);
        if (messages != nullptr) {
            messages->Show(Message{0, "too many csv", {}});
        }
    }
    int index = 1;
    bool inQuotes = false;
    for (char c : line) {
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ',' && !inQuotes) {
            if (++index > n) {
                break;
            }
        } else if (index == n) {
            result.push_back(c);
        }
    }
    return result;
}

std::string QuoteCsvFieldIfNeeded(std::string_view field) {
    if (field.find(',') == std::string_view::npos) {
        return std::string(field);
    }
    // Quotes inside the field cannot be escaped in this format (every quote toggles), so they
    // are dropped; the reader would drop them anyway.
    std::string quoted = "\"";
    for (char c : field) {
        if (c != '"') {
            quoted.push_back(c);
        }
    }
    quoted.push_back('"');
    return quoted;
}

}  // namespace rave
