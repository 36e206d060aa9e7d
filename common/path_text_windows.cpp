// File names are Unicode: a cp932 name is read as the characters it holds.
#include "common/cp932_codec.h"
#include "common/path_text.h"

namespace rave {

std::filesystem::path PathFromCp932(std::string_view cp932) {
    return PathFromUtf8(Cp932ToUtf8(cp932));
}

}  // namespace rave
