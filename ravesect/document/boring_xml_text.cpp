// Encodings and soil-name normalisation of the boring exchange XML reader.
#include "ravesect/document/boring_xml_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "common/cp932.h"
#include "common/cp932_codec.h"

namespace ravesect {

namespace {

// Full-width forms of the half-width katakana U+FF61..U+FF9F.
constexpr std::array<char16_t, 63> kFullWidthKana = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};

bool TakesSemiVoicedMark(char32_t c) {
    return c >= U'ハ' && c <= U'ホ' && (c - U'ハ') % 3 == 0;
}
bool TakesVoicedMark(char32_t c) {
    // カ..チ stand two apart (each followed by its voiced form); the small ッ shifts ツ, テ, ト.
    return (c >= U'カ' && c <= U'チ' && (c - U'カ') % 2 == 0) || c == U'ツ' || c == U'テ' || c == U'ト' ||
           TakesSemiVoicedMark(c);
}

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == U'\u3000';
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool NamesShiftJis(const std::string& name) {
    return name == "shift_jis" || name == "shift-jis" || name == "sjis" || name == "x-sjis" ||
           name == "windows-31j" || name == "cp932" || name == "ms932" || name == "ms_kanji" ||
           name == "csshiftjis";
}
bool NamesEucJp(const std::string& name) {
    return name == "euc-jp" || name == "eucjp" || name == "x-euc-jp" || name == "euc_jp" ||
           name == "cseucpkdfmtjapanese";
}
bool NamesUtf16(const std::string& name) {
    return name == "utf-16" || name == "utf-16le" || name == "utf-16be" || name == "utf16" || name == "ucs-2";
}
// Declared names a file is read in without converting (their bytes are UTF-8 or plain ASCII).
bool NamesUtf8OrAscii(const std::string& name) {
    return name.empty() || name == "utf-8" || name == "utf8" || name == "us-ascii" || name == "ascii";
}

// The byte order of a UTF-16 file: from its byte-order mark, else from how "<" is written.
enum class Utf16Order { kNone, kLittle, kBig };
Utf16Order Utf16OrderOf(std::string_view bytes) {
    if (bytes.size() < 2) {
        return Utf16Order::kNone;
    }
    if (bytes.substr(0, 2) == "\xFF\xFE" || (bytes[0] == '<' && bytes[1] == '\0')) {
        return Utf16Order::kLittle;
    }
    if (bytes.substr(0, 2) == "\xFE\xFF" || (bytes[0] == '\0' && bytes[1] == '<')) {
        return Utf16Order::kBig;
    }
    return Utf16Order::kNone;
}

std::string Utf16ToUtf8(std::string_view bytes, Utf16Order order) {
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        bytes.remove_prefix(2);
    }
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return order == Utf16Order::kLittle ? char32_t(a | b << 8) : char32_t(a << 8 | b);
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;  // half a pair
        }
        rave::AppendUtf8(c, out);
    }
    if (i < bytes.size()) {
        rave::AppendUtf8(0xFFFD, out);  // an odd last byte
    }
    return out;
}

// EUC-JP through cp932: a JIS X 0208 pair is the same character as its Shift_JIS pair, and a
// half-width katakana is its single byte there. JIS X 0212 (three bytes from 0x8F) has no cp932
// form and reads as U+FFFD, as does anything that is no EUC-JP character.
std::string EucJpToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    const auto at = [&](std::size_t k) {
        return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0;
    };
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char b = at(i);
        std::string sjis;
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        if (b == 0x8E && at(i + 1) >= 0xA1 && at(i + 1) <= 0xDF) {
            sjis += static_cast<char>(at(i + 1));
            i += 2;
        } else if (b >= 0xA1 && b <= 0xFE && at(i + 1) >= 0xA1 && at(i + 1) <= 0xFE) {
            const unsigned row = b - 0x80;
            const unsigned cell = at(i + 1) - 0x80;
            unsigned lead = (row - 0x21) / 2 + 0x81;
            lead += lead > 0x9F ? 0x40 : 0;
            unsigned trail = row % 2 == 1 ? cell + 0x1F + (cell >= 0x60 ? 1 : 0) : cell + 0x7E;
            sjis += static_cast<char>(lead);
            sjis += static_cast<char>(trail);
            i += 2;
        } else {
            i += b == 0x8F ? 3 : 1;
            rave::AppendUtf8(0xFFFD, out);
            continue;
        }
        std::size_t offset = 0;
        rave::AppendUtf8(rave::DecodeCp932Char(sjis, offset), out);
    }
    return out;
}

// The head of a file without a last UTF-8 sequence that the end of the head cut short.
std::string_view WithoutCutUtf8Tail(std::string_view head) {
    for (std::size_t back = 1; back <= 3 && back <= head.size(); ++back) {
        const auto b = static_cast<unsigned char>(head[head.size() - back]);
        if (b < 0x80) {
            break;
        }
        if (b >= 0xC0) {
            const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
            return length > back ? head.substr(0, head.size() - back) : head;
        }
    }
    return head;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            low = b == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
            high = b == 0xED ? 0x9F : 0xBF;  // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            low = b == 0xF0 ? 0x90 : 0x80;
            high = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > n || p[i + 1] < low || p[i + 1] > high) {
            return false;
        }
        for (std::size_t k = 2; k < length; ++k) {
            if (p[i + k] < 0x80 || p[i + k] > 0xBF) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::string DeclaredXmlEncoding(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, std::min<std::size_t>(bytes.size(), 512));
    if (head.find("<?xml") == std::string_view::npos) {
        return {};
    }
    const std::size_t end = head.find("?>");
    const std::string_view declaration = head.substr(0, end);
    const std::size_t key = declaration.find("encoding");
    if (key == std::string_view::npos) {
        return {};
    }
    std::size_t i = declaration.find_first_of("\"'", key);
    if (i == std::string_view::npos) {
        return {};
    }
    const char quote = declaration[i];
    const std::size_t close = declaration.find(quote, i + 1);
    if (close == std::string_view::npos) {
        return {};
    }
    return std::string(declaration.substr(i + 1, close - i - 1));
}

std::optional<std::string> XmlBytesAsUtf8(std::string_view bytes) {
    if (!UnsupportedXmlEncoding(bytes).empty()) {
        return std::nullopt;
    }
    const Utf16Order order = Utf16OrderOf(bytes);
    if (order != Utf16Order::kNone) {
        return Utf16ToUtf8(bytes, order);
    }
    if (IsValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
            bytes.remove_prefix(3);
        }
        return std::string(bytes);
    }
    // A file declared UTF-8 (or nothing) whose bytes are not UTF-8 is cp932, as the Shift_JIS family.
    return NamesEucJp(Lower(DeclaredXmlEncoding(bytes))) ? EucJpToUtf8(bytes) : rave::Cp932ToUtf8(bytes);
}

std::string XmlHeadAsUtf8(std::string_view bytes, std::size_t limit) {
    if (bytes.size() <= limit) {
        return XmlBytesAsUtf8(bytes).value_or(std::string());
    }
    const Utf16Order order = Utf16OrderOf(bytes);
    if (order != Utf16Order::kNone) {
        return Utf16ToUtf8(bytes.substr(0, limit & ~std::size_t{1}), order);
    }
    std::string_view head = bytes.substr(0, limit);
    if (IsValidUtf8(WithoutCutUtf8Tail(head))) {
        head = WithoutCutUtf8Tail(head);
        return std::string(head.substr(head.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0));
    }
    return NamesEucJp(Lower(DeclaredXmlEncoding(bytes))) ? EucJpToUtf8(head) : rave::Cp932ToUtf8(head);
}

std::string UnsupportedXmlEncoding(std::string_view bytes) {
    if (Utf16OrderOf(bytes) != Utf16Order::kNone) {
        return {};
    }
    const std::string declared = DeclaredXmlEncoding(bytes);
    const std::string name = Lower(declared);
    if (NamesShiftJis(name) || NamesEucJp(name) || NamesUtf8OrAscii(name) || NamesUtf16(name)) {
        return {};
    }
    // Another encoding whose bytes happen to be UTF-8 (ISO-2022-JP without its escapes, Latin-1
    // holding only ASCII) reads as it is; with bytes UTF-8 cannot be, it cannot be read right.
    const bool escapes = bytes.find('\x1B') != std::string_view::npos;
    return IsValidUtf8(bytes) && !escapes ? std::string() : declared;
}

std::string Utf8ToCp932Converter::Convert(std::string_view utf8) {
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return rave::Utf8ToCp932Lossy(utf8);
        }
    }
    return std::string(utf8);
}

std::string_view TrimXmlValue(std::string_view utf8) {
    constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    bool changed = true;
    while (changed && !utf8.empty()) {
        changed = false;
        if (std::isspace(static_cast<unsigned char>(utf8.front()))) {
            utf8.remove_prefix(1);
            changed = true;
        } else if (utf8.substr(0, 3) == kIdeographicSpace) {
            utf8.remove_prefix(3);
            changed = true;
        }
        if (!utf8.empty() && std::isspace(static_cast<unsigned char>(utf8.back()))) {
            utf8.remove_suffix(1);
            changed = true;
        } else if (utf8.size() >= 3 && utf8.substr(utf8.size() - 3) == kIdeographicSpace) {
            utf8.remove_suffix(3);
            changed = true;
        }
    }
    return utf8;
}

std::string NormaliseSoilName(std::string_view utf8) {
    std::vector<char32_t> chars;
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = rave::DecodeUtf8Char(utf8, i);
        if (c >= 0xFF61 && c <= 0xFF9F) {
            c = kFullWidthKana[c - 0xFF61];
            if ((c == U'゛' || c == U'゜') && !chars.empty()) {
                char32_t& previous = chars.back();
                if (c == U'゛' && previous == U'ウ') {
                    previous = U'ヴ';
                    continue;
                }
                if (c == U'゛' && TakesVoicedMark(previous)) {
                    previous += 1;
                    continue;
                }
                if (c == U'゜' && TakesSemiVoicedMark(previous)) {
                    previous += 2;
                    continue;
                }
            }
        } else if (c >= 0xFF01 && c <= 0xFF5E) {
            c = c - 0xFF01 + 0x21;  // full-width letters, digits and brackets
        }
        if (IsBlank(c)) {
            continue;
        }
        // "混じり" is read as "混り".
        if (c == U'り' && chars.size() >= 2 && chars.back() == U'じ' && chars[chars.size() - 2] == U'混') {
            chars.back() = U'り';
            continue;
        }
        chars.push_back(c);
    }
    // Parenthesised notes come off; a name that is all note keeps what the note says.
    std::vector<char32_t> outside;
    std::vector<char32_t> inside;
    int depth = 0;
    for (const char32_t c : chars) {
        if (c == U'(' || c == U'〔' || c == U'【') {
            ++depth;
        } else if ((c == U')' || c == U'〕' || c == U'】') && depth > 0) {
            --depth;
        } else {
            (depth == 0 ? outside : inside).push_back(c);
        }
    }
    std::string out;
    for (const char32_t c : outside.empty() ? inside : outside) {
        rave::AppendUtf8(c, out);
    }
    return out;
}

}  // namespace ravesect
