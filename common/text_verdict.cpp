// Telling a text file of ours from binary data.
#include "common/text_verdict.h"

namespace rave {

std::size_t FindBinaryByte(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n' && byte != 0x1A) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace rave
