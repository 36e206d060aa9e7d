// cp932 <-> UTF-8 through iconv.
#include "platform/codec.h"

#include <iconv.h>

#include <cerrno>

#include "common/cp932.h"

namespace rave::platform {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (handle_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns the number of input bytes consumed and appends output.
    std::size_t Convert(std::string_view input, std::string& output) {
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        return input.size() - inLeft;
    }

private:
    iconv_t handle_;
};

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    Converter converter("UTF-8", "CP932");
    std::string output;
    if (!converter.valid()) {
        return std::string(cp932);
    }
    std::size_t offset = 0;
    while (offset < cp932.size()) {
        offset += converter.Convert(cp932.substr(offset), output);
        if (offset < cp932.size()) {
            output += "\xEF\xBF\xBD";  // U+FFFD for the byte (or pair) iconv refused
            offset += rave::Cp932CharLength(cp932, offset);
        }
    }
    return output;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    Converter converter("CP932", "UTF-8");
    if (!converter.valid()) {
        return std::nullopt;
    }
    std::string output;
    if (converter.Convert(utf8, output) != utf8.size()) {
        return std::nullopt;
    }
    return output;
}

}  // namespace rave::platform
