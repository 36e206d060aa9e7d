// cp932 stepping never splits a double-byte character, and ASCII searches ignore trail bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/text_file.h"

namespace rave {
namespace {

TEST(Cp932, LiteralsAreCompiledAsCp932) {
    // "ソ" is 0x83 0x5C in cp932: the trail byte is a backslash.
    const std::string so = "ソ";
    ASSERT_EQ(so.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(so[0]), 0x83);
    EXPECT_EQ(so[1], '\\');
    EXPECT_EQ(std::string("ｽ").size(), 1u);  // half-width katakana is one byte
}

TEST(Cp932, PrefixStopsBeforeASplitCharacter) {
    const std::string text = "aソb";
    EXPECT_EQ(Cp932Prefix(text, 2), "a");
    EXPECT_EQ(Cp932Prefix(text, 3), "aソ");
    EXPECT_EQ(Cp932Prefix(text, 10), text);
    EXPECT_EQ(Cp932CharCount(text), 3u);
    EXPECT_EQ(Cp932CharCount("ｽｳｪｰﾃﾞﾝ"), 7u);
}

TEST(Cp932, FindSkipsTrailBytes) {
    const std::string text = "ソ\\x";
    EXPECT_EQ(Cp932Find(text, "\\"), 2u);
    EXPECT_EQ(Cp932Find("ソ", "\\"), std::string_view::npos);
}

TEST(Cp932, LoneLeadByteAtEndCountsAsOneByte) {
    const std::string text = "a\x83";
    EXPECT_EQ(Cp932CharLength(text, 1), 1u);
    EXPECT_EQ(Cp932CharCount(text), 2u);
}

TEST(LineCursor, DeliversLinesWithEndsAndDropsOverlongRest) {
    const std::string bytes = "ab\r\n" + std::string(10, 'x') + "\r\nlast";
    LineCursor cursor(bytes, 6);
    std::string_view line;
    ASSERT_TRUE(cursor.Next(line));
    EXPECT_EQ(line, "ab\r\n");
    ASSERT_TRUE(cursor.Next(line));
    EXPECT_EQ(line, "xxxxxx");  // the rest of the long line is not a new line
    ASSERT_TRUE(cursor.Next(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(cursor.Next(line));
}

TEST(LineCursor, EveryKindOfLineEndEndsALine) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    for (const Case& c : {Case{"CR only", "a\rb\rc\r", {"a\r", "b\r", "c\r"}},
                          Case{"mixed", "a\r\nb\nc\rd", {"a\r\n", "b\n", "c\r", "d"}},
                          Case{"empty lines", "\r\r\n\n", {"\r", "\r\n", "\n"}},
                          Case{"cut CR-only line", "xxxxxxxx\ry\r", {"xxxxxx", "y\r"}}}) {
        LineCursor cursor(c.bytes, 6);
        std::vector<std::string> lines;
        for (std::string_view line; cursor.Next(line);) {
            lines.emplace_back(line);
        }
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}

// Texts of every mix of line ends, split as a byte-by-byte reading splits them: a line ends
// after CR LF, after LF, or after a CR not followed by LF.
TEST(LineCursor, AgreesWithAByteByByteSplitOnGeneratedTexts) {
    const char alphabet[] = {'a', 'b', '\r', '\n', '\x82', '\xA0'};
    std::uint64_t state = 11;
    for (int i = 0; i < 3000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        std::string bytes;
        for (std::size_t k = (state >> 33) % 60; k > 0; --k) {
            state = state * 6364136223846793005u + 1442695040888963407u;
            bytes.push_back(alphabet[(state >> 40) % sizeof alphabet]);
            if (bytes.back() == '\r' && i % 2 == 0) {
                bytes.push_back('\n');
            }
        }
        std::vector<std::string> expected;
        std::string current;
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            current.push_back(bytes[k]);
            const bool crLf = bytes[k] == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n';
            if ((bytes[k] == '\r' && !crLf) || bytes[k] == '\n') {
                expected.push_back(current);
                current.clear();
            }
        }
        if (!current.empty()) {
            expected.push_back(current);
        }
        bool loneCr = false;
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            loneCr |= bytes[k] == '\r' && (k + 1 == bytes.size() || bytes[k + 1] != '\n');
        }
        // A caller that knows no CR stands alone gets the same lines.
        for (const LineCursor::Ends ends : {LineCursor::Ends::kAny, LineCursor::Ends::kNoLoneCr}) {
            if (ends == LineCursor::Ends::kNoLoneCr && loneCr) {
                continue;
            }
            LineCursor cursor(bytes, 0, ends);
            std::vector<std::string> lines;
            for (std::string_view line; cursor.Next(line);) {
                lines.emplace_back(line);
            }
            ASSERT_EQ(lines, expected) << i;
        }
    }
}

TEST(StripLineEnd, RemovesOneLineEnd) {
    EXPECT_EQ(StripLineEnd("a\r"), "a");
    EXPECT_EQ(StripLineEnd("a\r\n"), "a");
    EXPECT_EQ(StripLineEnd("a\n"), "a");
    EXPECT_EQ(StripLineEnd("a\r\n\r\n"), "a\r\n");
    EXPECT_EQ(StripLineEnd("a"), "a");
}

}  // namespace
}  // namespace rave
