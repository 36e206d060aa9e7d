// The differing stretch of two texts, and a text edit swapped back and forth.
#include <gtest/gtest.h>

#include <string>

#include "common/splice.h"

namespace rave {
namespace {

struct SpliceCase {
    const char* name;
    std::string before;
    std::string after;
    std::size_t at;
    std::size_t beforeLength;
    std::size_t afterLength;
};

TEST(ByteSplice, FindsTheStretchAndSwapsBothWays) {
    const SpliceCase cases[] = {
        {"equal", "abc", "abc", 3, 0, 0},
        {"both empty", "", "", 0, 0, 0},
        {"from nothing", "", "abc", 0, 0, 3},
        {"to nothing", "abc", "", 0, 3, 0},
        {"insert at start", "bcd", "Xbcd", 0, 0, 1},
        {"insert in the middle", "abcd", "abXcd", 2, 0, 1},
        {"insert at end", "abc", "abcX", 3, 0, 1},
        {"delete in the middle", "abXcd", "abcd", 2, 1, 0},
        {"change at end", "abc", "abZ", 2, 1, 1},
        {"repeated bytes grow", "aaa", "aaaa", 3, 0, 1},
        {"line replaced", "1,2\r\n3,4\r\n5,6\r\n", "1,2\r\n30,40\r\n5,6\r\n", 6, 2, 4},
        {"all different", "abc", "xyz", 0, 3, 3},
    };
    for (const SpliceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SpliceRange range =
            DifferingRange(c.before.size(), c.after.size(),
                           [&](std::size_t i, std::size_t j) { return c.before[i] == c.after[j]; });
        EXPECT_EQ(range.at, c.at);
        EXPECT_EQ(range.beforeLength, c.beforeLength);
        EXPECT_EQ(range.afterLength, c.afterLength);

        ByteSplice splice = ByteSplice::Between(c.before, c.after);
        EXPECT_EQ(splice.Empty(), c.before == c.after);
        std::string text = c.after;
        ASSERT_TRUE(splice.SwapInto(text));
        EXPECT_EQ(text, c.before);
        ASSERT_TRUE(splice.SwapInto(text));
        EXPECT_EQ(text, c.after);
        ASSERT_TRUE(splice.SwapInto(text));
        EXPECT_EQ(text, c.before);
    }
}

TEST(ByteSplice, RefusesATextItWasNotMadeFor) {
    ByteSplice splice = ByteSplice::Between("1,2\r\n3,4\r\n", "1,2\r\n3,5\r\n");
    for (std::string other : {std::string("1,2\r\n3,4\r\n"), std::string("1,2\r\n3,6\r\n"), std::string()}) {
        const std::string kept = other;
        EXPECT_FALSE(splice.SwapInto(other));
        EXPECT_EQ(other, kept);
    }
    std::string text = "1,2\r\n3,5\r\n";
    EXPECT_TRUE(splice.SwapInto(text));
    EXPECT_EQ(text, "1,2\r\n3,4\r\n");
}

TEST(ByteSplice, HoldsOnlyTheChangedBytesOfALongText) {
    const std::string before(200000, 'x');
    std::string after = before;
    after.replace(100000, 3, "abcdefgh");
    ByteSplice splice = ByteSplice::Between(before, after);
    EXPECT_LT(splice.HeldBytes(), 200u);
    ASSERT_TRUE(splice.SwapInto(after));
    EXPECT_EQ(after, before);
    EXPECT_LT(splice.HeldBytes(), 200u);
}

}  // namespace
}  // namespace rave
