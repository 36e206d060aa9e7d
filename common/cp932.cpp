// cp932 character stepping.
#include "common/cp932.h"

namespace rave {

std::size_t Cp932CharLength(std::string_view text, std::size_t offset) {
    if (offset + 1 < text.size() && IsCp932LeadByte(static_cast<unsigned char>(text[offset]))) {
        return 2;
    }
    return 1;
}

std::string_view Cp932Prefix(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + Cp932CharLength(text, end);
        if (next > maxBytes) {
            break;
        }
        end = next;
    }
    return text.substr(0, end);
}

std::size_t Cp932CharCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += Cp932CharLength(text, i)) {
        ++count;
    }
    return count;
}

std::size_t Cp932Find(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) {
        return from <= text.size() ? from : std::string_view::npos;
    }
    for (std::size_t i = from; i < text.size(); i += Cp932CharLength(text, i)) {
        if (text.compare(i, needle.size(), needle) == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace rave
