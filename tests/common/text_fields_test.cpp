// Number starts, CSV fields and number parsing: the rules every reader relies on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

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

}  // namespace
}  // namespace rave
