// The table gives exactly what glibc's CP932 converter gives, over every byte, every pair and every
// character, both ways: files convert as they did when the Linux build used glibc, and the same on
// every platform.
#include <gtest/gtest.h>
#include <iconv.h>

#include "common/cp932_codec.h"

namespace rave {
namespace {

class Glibc {
public:
    Glibc(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Glibc() { iconv_close(handle_); }
    Glibc(const Glibc&) = delete;
    Glibc& operator=(const Glibc&) = delete;

    // The whole input converted, or nothing when glibc refuses any of it.
    std::optional<std::string> Convert(const std::string& input) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
            return std::nullopt;
        }
        return std::string(buffer, sizeof buffer - outLeft);
    }

private:
    iconv_t handle_;
};

TEST(Cp932Table, ReadsEveryByteAndPairAsGlibcDoes) {
    Glibc glibc("UTF-8", "CP932");
    int pairs = 0;
    for (unsigned first = 0; first < 0x100; ++first) {
        for (unsigned second = 0; second < (first >= 0x80 ? 0x100u : 1u); ++second) {
            std::string bytes(1, static_cast<char>(first));
            if (first >= 0x80) {
                bytes += static_cast<char>(second);
            }
            const std::optional<std::string> expected = glibc.Convert(bytes);
            const std::string ours = Cp932ToUtf8(bytes);
            if (expected) {
                ASSERT_EQ(ours, *expected) << std::hex << first << " " << second;
                pairs += bytes.size() == 2 ? 1 : 0;
            } else if (first >= 0x80) {
                // glibc refuses the bytes: ours holds the replacement for what it cannot read.
                ASSERT_NE(ours.find("\xEF\xBF\xBD"), std::string::npos) << std::hex << first << " " << second;
            }
        }
    }
    EXPECT_GT(pairs, 9000);
}

TEST(Cp932Table, WritesEveryCharacterAsGlibcDoes) {
    Glibc glibc("CP932", "UTF-8");
    int written = 0;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        std::string utf8;
        AppendUtf8(c, utf8);
        const std::optional<std::string> expected = glibc.Convert(utf8);
        ASSERT_EQ(Utf8ToCp932(utf8), expected) << std::hex << static_cast<unsigned>(c);
        written += expected ? 1 : 0;
    }
    EXPECT_GT(written, 9000);
}

}  // namespace
}  // namespace rave
