// Encodings and soil-name normalisation of the boring exchange XML reader.
#include "ravesect/document/boring_xml_text.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <vector>

#include "common/cp932.h"

namespace ravesect {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Decodes one UTF-8 character at `i` (already known to be valid) and advances `i`.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80 || i + 1 >= text.size()) {
        ++i;
        return b0;
    }
    if (b0 < 0xE0) {
        const char32_t c = ((b0 & 0x1Fu) << 6) | (byte(i + 1) & 0x3Fu);
        i += 2;
        return c;
    }
    if (b0 < 0xF0 && i + 2 < text.size()) {
        const char32_t c = ((b0 & 0x0Fu) << 12) | ((byte(i + 1) & 0x3Fu) << 6) | (byte(i + 2) & 0x3Fu);
        i += 3;
        return c;
    }
    if (i + 3 < text.size()) {
        const char32_t c = ((b0 & 0x07u) << 18) | ((byte(i + 1) & 0x3Fu) << 12) |
                           ((byte(i + 2) & 0x3Fu) << 6) | (byte(i + 3) & 0x3Fu);
        i += 4;
        return c;
    }
    ++i;
    return 0xFFFD;
}

void EncodeUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

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

// The iconv name of a declared encoding; the Shift_JIS family is read as cp932, its superset.
std::string IconvNameOf(const std::string& declared) {
    const std::string name = Lower(declared);
    if (name.empty() || name == "shift_jis" || name == "shift-jis" || name == "sjis" || name == "x-sjis" ||
        name == "windows-31j" || name == "cp932" || name == "ms932" || name == "utf-8" || name == "utf8") {
        return "CP932";  // a file declared UTF-8 whose bytes are not UTF-8 is cp932 too
    }
    return declared;
}

// Converts with iconv; a sequence the converter refuses becomes U+FFFD and reading goes on.
std::string ConvertLossy(iconv_t handle, std::string_view input, bool cp932Input) {
    std::string output;
    output.reserve(input.size() + input.size() / 2);
    std::size_t offset = 0;
    char buffer[8192];
    while (offset < input.size()) {
        char* in = const_cast<char*>(input.data() + offset);
        std::size_t inLeft = input.size() - offset;
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        offset = input.size() - inLeft;
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            output += "\xEF\xBF\xBD";
            offset += cp932Input ? rave::Cp932CharLength(input, offset) : 1;
            iconv(handle, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return output;
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
    if (IsValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
            bytes.remove_prefix(3);
        }
        return std::string(bytes);
    }
    std::string from = IconvNameOf(DeclaredXmlEncoding(bytes));
    iconv_t handle = iconv_open("UTF-8", from.c_str());
    if (handle == kNoConverter) {
        from = "CP932";
        handle = iconv_open("UTF-8", "CP932");
        if (handle == kNoConverter) {
            return std::nullopt;
        }
    }
    std::string output = ConvertLossy(handle, bytes, from == "CP932");
    iconv_close(handle);
    return output;
}

Utf8ToCp932Converter::Utf8ToCp932Converter() : handle_(iconv_open("CP932", "UTF-8")) {}

Utf8ToCp932Converter::~Utf8ToCp932Converter() {
    if (static_cast<iconv_t>(handle_) != kNoConverter) {
        iconv_close(static_cast<iconv_t>(handle_));
    }
}

std::string Utf8ToCp932Converter::Convert(std::string_view utf8) {
    const auto handle = static_cast<iconv_t>(handle_);
    if (handle == kNoConverter) {
        return std::string(utf8);
    }
    bool ascii = true;
    for (const char c : utf8) {
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    }
    if (ascii) {
        return std::string(utf8);
    }
    std::string output;
    std::size_t i = 0;
    char buffer[256];
    while (i < utf8.size()) {
        char* in = const_cast<char*>(utf8.data() + i);
        std::size_t inLeft = utf8.size() - i;
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        i = utf8.size() - inLeft;
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            output += '?';
            DecodeUtf8(utf8, i);  // skip the character cp932 has no form for
            iconv(handle, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return output;
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
        char32_t c = DecodeUtf8(utf8, i);
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
        EncodeUtf8(c, out);
    }
    return out;
}

}  // namespace ravesect
