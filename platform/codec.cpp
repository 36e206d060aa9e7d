// cp932 <-> UTF-8 through the core's own table, the same on every platform.
#include "platform/codec.h"

#include "common/cp932_codec.h"

namespace rave::platform {

std::string Cp932ToUtf8(std::string_view cp932) {
    return rave::Cp932ToUtf8(cp932);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    return rave::Utf8ToCp932(utf8);
}

}  // namespace rave::platform
