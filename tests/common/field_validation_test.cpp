// Whole-number fields, range messages, storable texts and the sheets' decimal formats.
#include <gtest/gtest.h>

#include "common/decimal_formats.h"
#include "common/field_validation.h"

namespace rave {
namespace {

TEST(WholeNumberField, AcceptsOnlyWholeNumbersWithBlanksAndSign) {
    EXPECT_EQ(ParseWholeNumberField(" 20 "), 20);
    EXPECT_EQ(ParseWholeNumberField("+7"), 7);
    EXPECT_EQ(ParseWholeNumberField("-3"), -3);
    EXPECT_FALSE(ParseWholeNumberField(""));
    EXPECT_FALSE(ParseWholeNumberField("-"));
    EXPECT_FALSE(ParseWholeNumberField("12.5"));
    EXPECT_FALSE(ParseWholeNumberField("12a"));
    EXPECT_FALSE(ParseWholeNumberField("1 2"));
    EXPECT_FALSE(ParseWholeNumberField("99999999999999999999999"));
}

TEST(IntegerRange, BoundsAreInclusiveAndTheMessageNamesThem) {
    RecordingMessageSink messages;
    EXPECT_TRUE(CheckIntegerInRange("1", 1, 1000, messages));
    EXPECT_TRUE(CheckIntegerInRange("1000", 1, 1000, messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(CheckIntegerInRange("0", 1, 1000, messages));
    EXPECT_FALSE(CheckIntegerInRange("1001", 1, 1000, messages));
    EXPECT_FALSE(CheckIntegerInRange("2.5", 1, 1000, messages));
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, "1 から 1000 までの整数を入力してください。");
    EXPECT_EQ(messages.shown[0].id, 0);
}

TEST(IntegerField, RefusesFractionsWithItsOwnMessage) {
    RecordingMessageSink messages;
    EXPECT_TRUE(CheckInteger("-40", messages));
    EXPECT_FALSE(CheckInteger("4.5", messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "整数を入力してください。");
}

TEST(StorableText, RefusesLineBreaksAndSectionMarkers) {
    EXPECT_TRUE(IsStorableText("0.067"));
    EXPECT_TRUE(IsStorableText("$5"));
    EXPECT_FALSE(IsStorableText("a$$C"));
    EXPECT_FALSE(IsStorableText("1\r\n2"));
    EXPECT_FALSE(IsStorableText("1\n"));
    RecordingMessageSink messages;
    EXPECT_FALSE(CheckStorableText("$$A", messages));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(DecimalFormats, IndexesTheTableAndClampsOutsideIt) {
    EXPECT_EQ(FormatDecimals(60.0, 1), "60.0");
    EXPECT_EQ(FormatDecimals(1.5, 0), " 2");
    EXPECT_EQ(FormatDecimals(1.5, 2), "1.50");
    EXPECT_EQ(FormatDecimals(0.12345, 4), "0.1235");
    EXPECT_EQ(FormatDecimals(1.0, 9), "1.000000");
    EXPECT_EQ(FormatDecimals(1.0, -1), " 1");
}

}  // namespace
}  // namespace rave
