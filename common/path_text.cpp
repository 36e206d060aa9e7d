// File names from UTF-8 text.
#include "common/path_text.h"

#include <string>

namespace rave {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    const std::u8string text(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
    try {
        return std::filesystem::path(text);
    } catch (const std::exception&) {
        return std::filesystem::path(std::string(utf8));  // not UTF-8: the bytes as they are
    }
}

}  // namespace rave
