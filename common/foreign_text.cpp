// Recognising UTF-8 and UTF-16 text and turning it into cp932.
#include "common/foreign_text.h"

#include "common/cp932_codec.h"
#include "common/format.h"

namespace rave {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

// Second bytes of a two-byte UTF-8 sequence that are half-width katakana in cp932.
constexpr unsigned char kFirstKatakanaTrail = 0xA1;

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// The line (from 1) of the byte at `offset`; line ends are ASCII in every form read here.
int LineAt(std::string_view text, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        const bool loneCr = text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n');
        line += text[i] == '\n' || loneCr ? 1 : 0;
    }
    return line;
}

// The character at `offset` of UTF-8 text, which advances past it; nothing for a malformed
// sequence (a U+FFFD written in the text is a character like any other).
bool NextUtf8Char(std::string_view utf8, std::size_t& offset, char32_t& c) {
    const std::size_t start = offset;
    c = DecodeUtf8Char(utf8, offset);
    return c != kReplacement || utf8.substr(start, offset - start) == "\xEF\xBF\xBD";
}

// What the bytes look like when read as UTF-8.
struct Utf8Survey {
    bool valid = true;
    bool multiByte = false;
    bool longSequences = false;     // any of three or four bytes
    bool katakanaPairsOnly = true;  // every two-byte sequence reads as two half-width katakana
    bool lacksCp932 = false;        // a character cp932 has no form for
};

Utf8Survey SurveyUtf8(std::string_view bytes) {
    Utf8Survey survey;
    std::string scratch;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        if (static_cast<unsigned char>(bytes[offset]) < 0x80) {
            ++offset;
            continue;
        }
        const std::size_t start = offset;
        char32_t c = 0;
        if (!NextUtf8Char(bytes, offset, c)) {
            survey.valid = false;
            return survey;
        }
        survey.multiByte = true;
        if (offset - start > 2) {
            survey.longSequences = true;
        } else if (static_cast<unsigned char>(bytes[start + 1]) < kFirstKatakanaTrail) {
            survey.katakanaPairsOnly = false;
        }
        scratch.clear();
        survey.lacksCp932 = survey.lacksCp932 || !AppendCp932Char(c, scratch);
    }
    return survey;
}

bool IsUtf8Text(std::string_view bytes) {
    const Utf8Survey survey = SurveyUtf8(bytes);
    if (!survey.valid || !survey.multiByte) {
        return false;
    }
    // Half-width katakana in cp932 that happen to pair up as UTF-8 read as Latin, Greek or
    // Arabic letters; when such a letter is not even one cp932 has, the file is cp932.
    return survey.longSequences || !survey.lacksCp932 || !survey.katakanaPairsOnly;
}

ForeignText Refused(TextEncoding encoding, int line, char32_t character) {
    ForeignText result;
    result.encoding = encoding;
    result.ok = false;
    result.problem = ForeignTextProblem{line, character, encoding};
    return result;
}

ForeignText FromUtf8(std::string_view utf8, std::string& storage) {
    storage.clear();
    storage.reserve(utf8.size());
    std::size_t offset = 0;
    while (offset < utf8.size()) {
        const std::size_t start = offset;
        char32_t c = 0;
        if (!NextUtf8Char(utf8, offset, c)) {
            return Refused(TextEncoding::kUtf8, LineAt(utf8, start), 0);
        }
        if (!AppendCp932Char(c, storage)) {
            return Refused(TextEncoding::kUtf8, LineAt(utf8, start), c);
        }
    }
    ForeignText result;
    result.cp932 = storage;
    result.encoding = TextEncoding::kUtf8;
    return result;
}

ForeignText FromUtf16(std::string_view units, bool littleEndian, std::string& storage) {
    const TextEncoding encoding = littleEndian ? TextEncoding::kUtf16Le : TextEncoding::kUtf16Be;
    const auto unitAt = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(units[i]);
        const auto b = static_cast<unsigned char>(units[i + 1]);
        return static_cast<char32_t>(littleEndian ? (b << 8 | a) : (a << 8 | b));
    };
    storage.clear();
    storage.reserve(units.size() / 2);
    // The line of a problem is counted in what was converted before it.
    const auto refused = [&](char32_t c) { return Refused(encoding, LineAt(storage, storage.size()), c); };
    for (std::size_t i = 0; i < units.size(); i += 2) {
        if (i + 1 >= units.size()) {
            return refused(0);  // half a character at the end
        }
        char32_t c = unitAt(i);
        if (c >= 0xD800 && c <= 0xDBFF) {
            const char32_t low = i + 3 < units.size() ? unitAt(i + 2) : 0;
            if (low < 0xDC00 || low > 0xDFFF) {
                return refused(0);
            }
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return refused(0);
        }
        if (!AppendCp932Char(c, storage)) {
            return refused(c);
        }
    }
    ForeignText result;
    result.cp932 = storage;
    result.encoding = encoding;
    return result;
}

const char* EncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::kUtf8:
            return "UTF-8";
        case TextEncoding::kUtf16Le:
        case TextEncoding::kUtf16Be:
            return "UTF-16";
        case TextEncoding::kCp932:
            break;
    }
    return "シフトJIS";
}

}  // namespace

ForeignText DecodeForeignText(std::string_view bytes, std::string& storage) {
    ForeignText result;
    if (StartsWith(bytes, kUtf8Mark)) {
        result = FromUtf8(bytes.substr(kUtf8Mark.size()), storage);
    } else if (StartsWith(bytes, kUtf16LeMark) || StartsWith(bytes, kUtf16BeMark)) {
        result = FromUtf16(bytes.substr(2), StartsWith(bytes, kUtf16LeMark), storage);
    } else if (IsUtf8Text(bytes)) {
        return FromUtf8(bytes, storage);
    } else {
        result.cp932 = bytes;
        return result;
    }
    result.byteOrderMark = true;
    return result;
}

Message ForeignTextProblemMessage(const ForeignTextProblem& problem) {
    if (problem.character == 0) {
        return Message{0, ForeignTextProblemText(problem), {}};
    }
    std::string glyph;
    AppendUtf8(problem.character, glyph);
    return Message{0,
                   FormatText("%d 行目に、シフトJISで表せない文字「%%1」(U+%04X) があります。\n"
                              "この文字を別の文字に変えて保存し直してください",
                              problem.line, static_cast<unsigned>(problem.character)),
                   glyph};
}

std::string ForeignTextProblemText(const ForeignTextProblem& problem) {
    if (problem.character == 0) {
        return FormatText("%d 行目に、%s として読めないバイトがあります", problem.line,
                          EncodingName(problem.encoding));
    }
    return FormatText("%d 行目に、シフトJISで表せない文字 (U+%04X) があります", problem.line,
                      static_cast<unsigned>(problem.character));
}

}  // namespace rave
