// File names are bytes: a cp932 name is kept as the bytes it is.
#include <string>

#include "common/path_text.h"

namespace rave {

std::filesystem::path PathFromCp932(std::string_view cp932) {
    return std::filesystem::path(std::string(cp932));
}

}  // namespace rave
