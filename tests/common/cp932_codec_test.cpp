// The cp932 table: both directions, the characters files really hold (half-width katakana, the
// NEC and IBM duplicates, the user-defined area), what is no character, and malformed UTF-8.
#include <gtest/gtest.h>

#include "common/cp932_codec.h"

namespace rave {
namespace {

TEST(Cp932Codec, ReadsAndWritesTheCharactersFilesHold) {
    struct Case {
        std::string cp932;
        std::string utf8;
    };
    const Case cases[] = {
        {"ABC\\~\x7F", "ABC\\~\x7F"},                      // ASCII as it is, 0x5C and 0x7E too
        {std::string("a\0b", 3), std::string("a\0b", 3)},  // NUL kept
        {"\xB1\xDD\xDE\xDF", "\xEF\xBD\xB1\xEF\xBE\x9D\xEF\xBE\x9E\xEF\xBE\x9F"},  // ｱﾝﾞﾟ
        {"\x8D\xBB\x8E\xBF", "\xE7\xA0\x82\xE8\xB3\xAA"},                          // 砂質
        {"\x81\x60\x81\x7C", "\xEF\xBD\x9E\xEF\xBC\x8D"},                          // ～－ (U+FF5E, U+FF0D)
        {"\x87\x40\x87\x54", "\xE2\x91\xA0\xE2\x85\xA0"},                          // ① Ⅰ (NEC row 13)
        {"\xFA\x40\xFC\x4B", "\xE2\x85\xB0\xE9\xBB\x91"},                          // ⅰ 黑 (IBM extension)
        {"\xF0\x40\xF9\xFC", "\xEE\x80\x80\xEE\x9D\x97"},  // user-defined area: U+E000, U+E757
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932);
    }
}

TEST(Cp932Codec, DuplicatesAndLookAlikesAreWrittenAsOneForm) {
    const struct {
        std::string utf8;
        std::string cp932;
    } cases[] = {
        {"\xE2\x89\x92", "\x81\xE0"},  // ≒ read from NEC 0x8790 is written as JIS 0x81E0
        {"\xE2\x85\xB0", "\xFA\x40"},  // ⅰ read from NEC-selected 0xEEEF is written as IBM 0xFA40
        {"\xE3\x80\x9C", "\x81\x60"},  // the wave dash U+301C as 0x8160
        {"\xE2\x88\x92", "\x81\x7C"},  // the minus sign U+2212 as 0x817C
        {"\xC2\xA5", "\\"},            // the yen sign as the backslash byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
    }
    EXPECT_EQ(Cp932ToUtf8("\x87\x90\xEE\xEF"), "\xE2\x89\x92\xE2\x85\xB0");
}

TEST(Cp932Codec, WhatIsNoCharacterBecomesTheReplacementOrIsRefused) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(Cp932ToUtf8("\x80"), replacement);
    EXPECT_EQ(Cp932ToUtf8("a\xA0z\xFD\xFF"), "a" + replacement + "z" + replacement + replacement);
    EXPECT_EQ(Cp932ToUtf8("\x85\x40x"), replacement + "x");  // an empty cell takes its trail byte along
    EXPECT_EQ(Cp932ToUtf8("\x81 x"), replacement + "x");     // so does a lead byte before a blank
    EXPECT_EQ(Cp932ToUtf8("x\x81"), "x" + replacement);      // a lead byte cut off at the end

    for (const std::string utf8 : {"\xF0\x9F\x98\x80", "\xE2\x82\xAC", "\xC0\xAF", "\xED\xA0\x80", "\xE3\x81",
                                   "\xF4\x90\x80\x80", "\xFF"}) {
        EXPECT_FALSE(Utf8ToCp932(utf8)) << utf8;  // an emoji, the euro sign, malformed sequences
    }
    EXPECT_EQ(Utf8ToCp932Lossy("a\xE2\x82\xAC\xE3\x81\x82"), "a?\x82\xA0");
}

}  // namespace
}  // namespace rave
