// Telling a text file of ours from binary data. Every file both programs read is cp932 text; a
// byte below 0x20 other than tab, CR, LF and the old end-of-file mark 0x1A never occurs in one,
// so such a byte means the user picked an image, an archive or a damaged file.
#pragma once

#include <cstddef>
#include <string_view>

namespace rave {

// The offset of the first byte that no text file holds, or std::string_view::npos.
std::size_t FindBinaryByte(std::string_view bytes);

}  // namespace rave
