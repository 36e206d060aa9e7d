// Files whose lines end in CR LF, LF, lone CR or a mix of them read the same rows: a lone CR is a
// line end, never a character that merges two rows into one.
#include <gtest/gtest.h>

#include "ravelog/document/sounding_file.h"

namespace ravelog {
namespace {

struct LineEndCase {
    const char* name;
    const char* bytes;
};

class LineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnds, EveryRowIsRead) {
    for (const SoundingReadLimits& limits : {kMenuOpenLimits, kFrameworkOpenLimits}) {
        SoundingDocument document;
        ASSERT_EQ(ReadSoundingBytes(document, GetParam().bytes, limits), kVersionCurrent);
        EXPECT_EQ(document.header[1], "survey");
        EXPECT_EQ(document.header[2], "No.1");
        ASSERT_EQ(document.RowCount(), 3);
        EXPECT_EQ(document.Row(1)[field::kDepth], "0.25");
        EXPECT_EQ(document.Row(2)[field::kLoad], "0.75");
        EXPECT_EQ(document.Row(3)[field::kDepth], "0.75");
        EXPECT_EQ(document.Conversion(1)[1], "1");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sounding, LineEnds,
    ::testing::Values(
        LineEndCase{"CrLf",
                    "$$_SWJVERAN304\r\n$$Z\r\nsurvey\r\nNo.1\r\n$$A\r\n1.00,0,0.25\r\n0.75,0,0.50\r\n"
                    "1.00,4,0.75\r\n$$C\r\n1,2,3,4\r\n"},
        LineEndCase{
            "Lf",
            "$$_SWJVERAN304\n$$Z\nsurvey\nNo.1\n$$A\n1.00,0,0.25\n0.75,0,0.50\n1.00,4,0.75\n$$C\n1,2,3,4\n"},
        LineEndCase{
            "LoneCr",
            "$$_SWJVERAN304\r$$Z\rsurvey\rNo.1\r$$A\r1.00,0,0.25\r0.75,0,0.50\r1.00,4,0.75\r$$C\r1,2,3,4"},
        LineEndCase{"Mixed",
                    "$$_SWJVERAN304\r\n$$Z\nsurvey\rNo.1\r\n$$A\r1.00,0,0.25\n0.75,0,0.50\r"
                    "1.00,4,0.75\r\n$$C\n1,2,3,4\r"}),
    [](const ::testing::TestParamInfo<LineEndCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ravelog
