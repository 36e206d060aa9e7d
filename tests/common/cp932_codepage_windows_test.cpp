// On Windows the table reads every pair as the system's code page 932 does, and writes every
// character as it does, but for two known groups: the look-alikes the table also writes (the wave
// dash U+301C as 0x8160, and others) for which code page 932 has no form, and the single bytes
// 0x80, 0xA0 and 0xFD-0xFF, which code page 932 reads as U+0080 and U+F8F0-U+F8F3 and the
// table, as glibc, holds to be no character (so files convert as they did on Linux).
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "common/cp932_codec.h"

namespace rave {
namespace {

TEST(Cp932Table, ReadsEveryPairAsCodePage932Does) {
    int pairs = 0;
    std::set<unsigned> differ;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t wide[4] = {};
            const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, 2, wide, 4);
            std::size_t offset = 0;
            const char32_t ours = DecodeCp932Char(std::string_view(bytes, 2), offset);
            const bool systemReads = length == 1;
            const bool tableReads = offset == 2 && ours != 0xFFFD;
            if (systemReads != tableReads || (systemReads && ours != static_cast<char32_t>(wide[0]))) {
                differ.insert(lead << 8 | trail);
            }
            pairs += tableReads ? 1 : 0;
        }
    }
    EXPECT_EQ(differ, std::set<unsigned>{});
    EXPECT_GT(pairs, 9000);
}

TEST(Cp932Table, WritesEveryCharacterAsCodePage932DoesButTheKnownGroups) {
    std::set<unsigned> onlyTable;
    std::set<unsigned> onlySystem;
    std::set<unsigned> otherBytes;
    for (unsigned c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const wchar_t wide = static_cast<wchar_t>(c);
        char bytes[4] = {};
        BOOL lossy = FALSE;
        const int length =
            WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 4, nullptr, &lossy);
        const bool systemWrites = length > 0 && !lossy;
        std::string ours;
        const bool tableWrites = AppendCp932Char(static_cast<char32_t>(c), ours);
        if (tableWrites && !systemWrites) {
            onlyTable.insert(c);
        } else if (systemWrites && !tableWrites) {
            onlySystem.insert(c);
        } else if (systemWrites && ours != std::string(bytes, static_cast<std::size_t>(length))) {
            otherBytes.insert(c);
        }
    }
    EXPECT_EQ(onlyTable,
              (std::set<unsigned>{0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x2014, 0x2016, 0x203E, 0x2212, 0x301C}));
    EXPECT_EQ(onlySystem, (std::set<unsigned>{0x0080, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3}));
    EXPECT_EQ(otherBytes, std::set<unsigned>{});
}

}  // namespace
}  // namespace rave
