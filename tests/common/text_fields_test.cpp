// Number starts, CSV fields and number parsing: the rules every reader relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "common/format.h"
#include "common/messages.h"
#include "common/numbers.h"
#include "common/text_fields.h"

namespace rave {
namespace {

TEST(IsNumericStart, ClassifiesByFirstCharacterAfterBlanks) {
    EXPECT_EQ(IsNumericStart("+1.5"), 1);
    EXPECT_EQ(IsNumericStart(".5"), 1);
    EXPECT_EQ(IsNumericStart("-0.2"), 1);
    EXPECT_EQ(IsNumericStart("  3"), 1);
    EXPECT_EQ(IsNumericStart("a1"), 0);
    EXPECT_EQ(IsNumericStart("深さ"), 0);
    EXPECT_EQ(IsNumericStart("   "), -1);
    EXPECT_EQ(IsNumericStart(""), -1);
}

TEST(CsvField, SplitsOnCommasOutsideQuotesAndDropsQuotes) {
    EXPECT_EQ(CsvField("a,b,c", 1), "a");
    EXPECT_EQ(CsvField("a,b,c", 3), "c");
    EXPECT_EQ(CsvField("a,b,c", 4), "");
    EXPECT_EQ(CsvField("a,,c", 2), "");
    EXPECT_EQ(CsvField("1,\"x,y\",2", 2), "x,y");
    EXPECT_EQ(CsvField("1,\"x,y\",2", 3), "2");
    EXPECT_EQ(CsvField("ab\"c\"d", 1), "abcd");
    EXPECT_EQ(CsvField("a,b", 0), "");
}

TEST(CsvField, CutsOverlongLinesWithNotice) {
    std::string line(2598, 'x');
    line += ",yz";
    RecordingMessageSink messages;
    EXPECT_EQ(CsvField(line, 2, &messages), "y");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "too many csv");
}

TEST(SplitCsvFields, MatchesCsvFieldForEveryField) {
    const std::string line = "0.25,\"砂,礫\",,3,";
    std::string fields[6];
    SplitCsvFields(line, fields, 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(fields[i], CsvField(line, i + 1)) << i;
    }
}

// Lines built from commas, quotes, cp932 bytes whose low seven bits are a comma or a quote (0xAC,
// 0xA2) and plain text, every length up to 40 so each byte lands at every place of an eight-byte
// step; the fields hold old text first, which must not survive.
TEST(SplitCsvFields, AgreesWithCsvFieldOnGeneratedLines) {
    const char alphabet[] = {',', ',', '"', 'a', '1', '\xAC', '\xA2', '\x82'};
    std::uint64_t state = 7;
    for (int i = 0; i < 4000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const std::size_t length = (state >> 33) % 41;
        const bool quotes = (state >> 20) % 4 == 0;
        std::string line;
        for (std::size_t k = 0; k < length; ++k) {
            state = state * 6364136223846793005u + 1442695040888963407u;
            const char c = alphabet[(state >> 40) % sizeof alphabet];
            line.push_back(c == '"' && !quotes ? 'b' : c);
        }
        const int count = 1 + static_cast<int>((state >> 50) % 12);
        std::vector<std::string> fields(static_cast<std::size_t>(count), "old text");
        SplitCsvFields(line, fields.data(), count);
        for (int f = 0; f < count; ++f) {
            ASSERT_EQ(fields[static_cast<std::size_t>(f)], CsvField(line, f + 1))
                << line << " field " << f + 1;
        }
    }
}

TEST(SplitCsvFields, AskedForNoFieldsTouchesNone) {
    std::string fields[1] = {"keep"};
    SplitCsvFields("a,b", fields, 0);
    EXPECT_EQ(fields[0], "keep");
}

TEST(QuoteCsvField, QuotesOnlyTextsWithCommas) {
    EXPECT_EQ(QuoteCsvFieldIfNeeded("砂質シルト"), "砂質シルト");
    EXPECT_EQ(QuoteCsvFieldIfNeeded("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("1," + QuoteCsvFieldIfNeeded("a,\"b\"") + ",2", 2), "a,b");
}

TEST(ParseDecimal, ReadsWhatFitsAndGivesZeroOtherwise) {
    EXPECT_DOUBLE_EQ(ParseDecimal("  1.25m"), 1.25);
    EXPECT_DOUBLE_EQ(ParseDecimal("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(ParseDecimal("+3e2"), 300.0);
    EXPECT_DOUBLE_EQ(ParseDecimal("3e"), 3.0);
    EXPECT_DOUBLE_EQ(ParseDecimal("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseDecimal(""), 0.0);
    EXPECT_DOUBLE_EQ(ParseDecimal("."), 0.0);
    EXPECT_DOUBLE_EQ(ParseDecimal("1e999"), std::numeric_limits<double>::max());
}

TEST(ParseDecimal, GivesTheCorrectlyRoundedValueBitForBit) {
    // strtod rounds correctly; short decimals take a faster path that must agree to the last bit,
    // and longer ones (16 digits and more) the general one.
    for (const char* text : {"0.1", "2.675", "0.2500", "1350.00", "-0.0", "12.", "0.000000000000001",
                             "999999999999999", "9999999.99999999", "1234567890123456", "0.30000000000000004",
                             "8.5e-3", "179769313486231570000000.5"}) {
        const double expected = std::strtod(text, nullptr);
        const double parsed = ParseDecimal(text);
        EXPECT_EQ(std::memcmp(&parsed, &expected, sizeof parsed), 0) << text;
    }
}

TEST(ParseInteger, TakesLeadingIntegerPart) {
    EXPECT_EQ(ParseInteger("12.9"), 12);
    EXPECT_EQ(ParseInteger(" -7x"), -7);
    EXPECT_EQ(ParseInteger(""), 0);
    EXPECT_EQ(ParseInteger("x1"), 0);
    EXPECT_EQ(ParseInteger("99999999999999999999999"), std::numeric_limits<long>::max());
}

TEST(FormatText, FormatsNumbersAndLongTexts) {
    EXPECT_EQ(FormatText("%.4f", 0.25), "0.2500");
    EXPECT_EQ(FormatText("%5.6f", 1.0), "1.000000");
    EXPECT_EQ(FormatText("0x%06x", 0x808080), "0x808080");
    const std::string longText(500, 'a');
    EXPECT_EQ(FormatText("%s\r\n", longText), longText + "\r\n");
    EXPECT_EQ(SubstitutePlaceholder("ファイルが見つかりません\n( %1 )", "/tmp/a.sdw"),
              "ファイルが見つかりません\n( /tmp/a.sdw )");
}

TEST(FormatFixed, GivesPrintfsTextToTheLastDigit) {
    // Expected texts by hand: 0.0078125 = 2^-7 and 2.5 are exact halves at 6 and 0 decimals and go
    // to the even digit; 2.675 is stored a little below; a negative value that rounds to zero keeps
    // its sign; beyond 1e9 (1e22 is exact) and non-finite values printf's own text.
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {{0.0078125, 6, "0.007812"},
                 {0.0234375, 6, "0.023438"},
                 {2.5, 0, "2"},
                 {3.5, 0, "4"},
                 {2.675, 2, "2.67"},
                 {-1e-9, 6, "-0.000000"},
                 {-0.0, 2, "-0.00"},
                 {120.00006, 6, "120.000060"},
                 {999999999.999999, 6, "999999999.999999"},
                 {999999999.9999999, 6, "1000000000.000000"},
                 {1e9, 6, "1000000000.000000"},
                 {1e22, 0, "10000000000000000000000"},
                 {std::numeric_limits<double>::infinity(), 6, "inf"},
                 {4e-320, 9, "0.000000000"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text) << c.value;
    }
    // And printf's text for a spread of values of every size the sheets and tables show.
    std::uint64_t state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const double value =
            static_cast<double>(static_cast<std::int64_t>(state >> 11) - (std::int64_t{1} << 52)) /
            static_cast<double>(std::uint64_t{1} << (state % 60));
        const int decimals = static_cast<int>(state % 10);
        char expected[400];
        std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
        ASSERT_EQ(FormatFixed(value, decimals), expected) << value << " " << decimals;
    }
}

}  // namespace
}  // namespace rave
