#include "common/pattern_colors.h"

#include <climits>

#include "common/cp932.h"
#include "common/format.h"
#include "common/messages.h"
#include "common/numbers.h"
#include "common/settings_files.h"
#include "common/text_fields.h"
#include "common/text_file.h"

namespace rave {

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

}  // namespace

long ParseColorValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        i + 2 < text.size() && DigitValue(text[i + 2]) < 16) {
        base = 16;
        i += 2;
    } else if (i < text.size() && text[i] == '0') {
        base = 8;
    }
    // Accumulate in unsigned long long and clamp, so an absurdly long field cannot overflow.
    unsigned long long value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit >= base) {
            break;
        }
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > static_cast<unsigned long long>(LONG_MAX)) {
            value = static_cast<unsigned long long>(LONG_MAX);
        }
    }
    const long result = static_cast<long>(value);
    return negative ? -result : result;
}

std::string FormatPatternColor(long color) {
    return FormatText("0x%06lx", color);
}

long PatternColorTable::PatternColor(long patternNo) const {
    for (const PatternColorPair& pair : pairs_) {
        if (pair.patternNo == patternNo) {
            return pair.color;
        }
    }
    return 0;
}

bool PatternColorTable::AddPair(long patternNo, long color) {
    if (Count() >= kMaxPairs) {
        return false;
    }
    pairs_.push_back(PatternColorPair{patternNo, color});
    return true;
}

void PatternColorTable::LoadPatternColorBytes(std::string_view bytes) {
    pairs_.clear();
    LineCursor cursor(bytes, kLineLimit);
    std::string_view raw;
    while (Count() < kMaxPairs && cursor.Next(raw)) {
        const std::string_view line = StripLineEnd(raw);
        // Headings and comments are found character by character: the trail byte of a
        // double-byte character such as "ー" (0x81 0x5B) is no "[".
        if (line.size() <= 1 || Cp932Find(line, "[") != std::string_view::npos ||
            Cp932Find(line, "{") != std::string_view::npos) {
            continue;
        }
        std::string fields[2];
        SplitCsvFields(line, fields, 2);
        if (fields[0].empty()) {
            continue;
        }
        AddPair(ParseInteger(fields[0]), ParseColorValue(fields[1]));
    }
}

bool PatternColorTable::LoadPatternColors(const std::filesystem::path& path, MessageSink& messages) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        messages.Show(FileNotFoundMessage(path));
        return false;
    }
    LoadPatternColorBytes(*bytes);
    return true;
}

}  // namespace rave
