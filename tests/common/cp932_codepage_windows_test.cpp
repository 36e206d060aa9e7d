// On Windows the table reads every pair as the system's code page 932 does, and writes every
// character as it does, except the look-alikes the table also writes (the wave dash U+301C as
// 0x8160, and others) for which code page 932 has no form of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "common/cp932_codec.h"

namespace rave {
namespace {

TEST(Cp932Table, ReadsEveryPairAsCodePage932Does) {
    int pairs = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t wide[4] = {};
            const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, 2, wide, 4);
            std::size_t offset = 0;
            const char32_t ours = DecodeCp932Char(std::string_view(bytes, 2), offset);
            if (length == 1 && wide[0] != 0x30FB) {  // U+30FB is what the system gives for a pair it lacks
                ASSERT_EQ(static_cast<unsigned>(ours), static_cast<unsigned>(wide[0]))
                    << std::hex << lead << " " << trail;
                ++pairs;
            } else if (offset == 2 && ours != 0xFFFD) {
                ADD_FAILURE() << "only the table reads " << std::hex << lead << " " << trail;
            }
        }
    }
    EXPECT_GT(pairs, 9000);
}

TEST(Cp932Table, WritesEveryCharacterAsCodePage932DoesButTheLookAlikes) {
    const std::set<unsigned> lookAlikes = {0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x2014, 0x2016, 0x203E, 0x2212, 0x301C};
    int written = 0;
    for (unsigned c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const wchar_t wide = static_cast<wchar_t>(c);
        char bytes[4] = {};
        BOOL lossy = FALSE;
        const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 4, nullptr, &lossy);
        std::string ours;
        const bool oursWrites = AppendCp932Char(static_cast<char32_t>(c), ours);
        if (lookAlikes.count(c) != 0) {
            EXPECT_TRUE(oursWrites) << std::hex << c;
            continue;
        }
        if (length > 0 && !lossy) {
            ASSERT_EQ(ours, std::string(bytes, static_cast<std::size_t>(length))) << std::hex << c;
            ++written;
        } else {
            ASSERT_FALSE(oursWrites) << "only the table writes " << std::hex << c;
        }
    }
    EXPECT_GT(written, 9000);
}

}  // namespace
}  // namespace rave
