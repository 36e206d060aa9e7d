// The cp932 table's lookups and the UTF-8 steps around them.
#include "common/cp932_codec.h"

#include <array>
#include <cstdint>
#include <memory>

#include "common/cp932.h"

namespace rave {

namespace {

#include "common/cp932_table.inc"

constexpr char32_t kReplacement = 0xFFFD;

// Index of a lead byte in the table: 0x81-0x9F first, then 0xE0-0xFC.
int LeadIndex(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
}

char32_t PairCharacter(unsigned char lead, unsigned char trail) {
    if (trail < 0x40 || trail > 0xFC) {
        return 0;
    }
    return kCp932PairCharacters[LeadIndex(lead) * kCp932TrailCount + (trail - 0x40)];
}

// cp932 bytes of every BMP character (one byte, or lead << 8 | trail); 0 where there are none.
// Made once from the decoding table, so the two directions cannot disagree.
const std::array<std::uint16_t, 0x10000>& EncodingTable() {
    static const std::unique_ptr<std::array<std::uint16_t, 0x10000>> table = [] {
        auto made = std::make_unique<std::array<std::uint16_t, 0x10000>>();
        made->fill(0);
        for (unsigned byte = 0x01; byte < 0x80; ++byte) {
            (*made)[byte] = static_cast<std::uint16_t>(byte);
        }
        for (unsigned byte = 0xA1; byte <= 0xDF; ++byte) {
            (*made)[0xFF61 + byte - 0xA1] = static_cast<std::uint16_t>(byte);  // half-width katakana
        }
        std::array<bool, 0x10000> readOnly{};
        for (const std::uint16_t pair : kCp932ReadOnlyPairs) {
            readOnly[pair] = true;
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) {
                continue;
            }
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const char32_t c =
                    PairCharacter(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
                const auto bytes = static_cast<std::uint16_t>(lead << 8 | trail);
                if (c != 0 && !readOnly[bytes]) {
                    (*made)[c] = bytes;
                }
            }
        }
        for (const Cp932Substitute& substitute : kCp932Substitutes) {
            (*made)[substitute.character] = substitute.bytes;
        }
        return made;
    }();
    return *table;
}

}  // namespace

char32_t DecodeCp932Char(std::string_view cp932, std::size_t& offset) {
    const auto byte = static_cast<unsigned char>(cp932[offset]);
    if (byte < 0x80) {
        ++offset;
        return byte;
    }
    if (byte >= 0xA1 && byte <= 0xDF) {
        ++offset;
        return 0xFF61 + (byte - 0xA1);
    }
    const std::size_t length = Cp932CharLength(cp932, offset);
    char32_t c = 0;
    if (length == 2) {
        c = PairCharacter(byte, static_cast<unsigned char>(cp932[offset + 1]));
    }
    offset += length;
    return c != 0 ? c : kReplacement;
}

bool AppendCp932Char(char32_t c, std::string& out) {
    if (c == 0) {
        out += '\0';
        return true;
    }
    if (c > 0xFFFF) {
        return false;
    }
    const std::uint16_t bytes = EncodingTable()[c];
    if (bytes == 0) {
        return false;
    }
    if (bytes > 0xFF) {
        out += static_cast<char>(bytes >> 8);
    }
    out += static_cast<char>(bytes & 0xFF);
    return true;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() + cp932.size() / 2);
    std::size_t offset = 0;
    while (offset < cp932.size()) {
        const auto byte = static_cast<unsigned char>(cp932[offset]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++offset;
        } else {
            AppendUtf8(DecodeCp932Char(cp932, offset), out);
        }
    }
    return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t offset = 0;
    while (offset < utf8.size()) {
        const std::size_t start = offset;
        const char32_t c = DecodeUtf8Char(utf8, offset);
        const bool malformed = c == kReplacement && utf8.substr(start, offset - start) != "\xEF\xBF\xBD";
        if (malformed || !AppendCp932Char(c, out)) {
            return std::nullopt;
        }
    }
    return out;
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t offset = 0;
    while (offset < utf8.size()) {
        if (!AppendCp932Char(DecodeUtf8Char(utf8, offset), out)) {
            out += '?';
        }
    }
    return out;
}

char32_t DecodeUtf8Char(std::string_view utf8, std::size_t& offset) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    const unsigned char first = at(offset);
    if (first < 0x80) {
        ++offset;
        return first;
    }
    std::size_t length = 0;
    char32_t c = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        c = first & 0x1Fu;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        c = first & 0x0Fu;
        low = first == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = first == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        c = first & 0x07u;
        low = first == 0xF0 ? 0x90 : 0x80;
        high = first == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || offset + length > utf8.size() || at(offset + 1) < low || at(offset + 1) > high) {
        ++offset;
        return kReplacement;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (k > 1 && (at(offset + k) < 0x80 || at(offset + k) > 0xBF)) {
            ++offset;
            return kReplacement;
        }
        c = (c << 6) | (at(offset + k) & 0x3Fu);
    }
    offset += length;
    return c;
}

void AppendUtf8(char32_t c, std::string& out) {
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

}  // namespace rave
