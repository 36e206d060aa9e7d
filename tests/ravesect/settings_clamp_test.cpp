// Absurd values in "Sysq.ndx" and in the section's settings line are kept out when read, so no
// file can make a section page empty, enormous or endless; sensible values keep their text.
#include <gtest/gtest.h>

#include <cmath>

#include "ravesect/document/working_files.h"
#include "ravesect/settings/sysq_settings.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

using rave::testing::TempFolder;

TEST(SysqClamp, ValuesOutsideTheDialogsRangesAreBroughtBack) {
    struct Case {
        int line;
        const char* written;
        const char* read;
    };
    const Case cases[] = {
        {sysqline::kTopMargin, "-2147483649", "0"},
        {sysqline::kLeftMargin, "0", "1"},  // the sheet's lowest left margin
        {sysqline::kLeftMargin, "12", "12"},
        {sysqline::kNGraphWidth, "5000", "70"},
        {sysqline::kFlagHeight, "1e300", "1"},  // drawn as a decimal: 1e300 mm tall
        {sysqline::kFrameWidth, "20.5", "20.5"},
        {sysqline::kElevationLineSolid, "-7", "0"},
        {sysqline::kSamplePosition, "9", "2"},  // a code no dialog offers: the default
        {sysqline::kPatternDrawing, "-1", "0"},
        {sysqline::kSwedishGridMaximum, "300", "200"},
        {sysqline::kSwedishGridMaximum, "800", "800"},
        {sysqline::kEnterKey, "5", "1"},
        {sysqline::kDotRadius, "500", "0.4"},
        {sysqline::kDotRadius, "0.8", "0.8"},
        {sysqline::kPatternLineWidth, "-1", "0.4"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        SysqSettings written = SysqSettings::Defaults(folder.path());
        written.Line(c.line) = c.written;
        ASSERT_TRUE(SaveSysqSettings(folder.path(), written));
        const auto read = ReadSysqFile(SysqFilePath(folder.path()), folder.path());
        ASSERT_TRUE(read);
        EXPECT_EQ(read->Line(c.line), c.read) << "line " << c.line << " " << c.written;
    }
}

TEST(SysqClamp, ShippedSettingsAreLeftAsTheyAre) {
    const std::filesystem::path data = std::filesystem::path(RAVE_SOURCE_DIR) / "data";
    const auto shipped = ReadSysqFile(data / "Sysq.ndx", data);
    ASSERT_TRUE(shipped);
    SysqSettings clamped = *shipped;
    ClampSysqSettings(clamped, SysqSettings::Defaults(data));
    for (int n = 1; n <= SysqSettings::kLines; ++n) {
        EXPECT_EQ(clamped.Line(n), shipped->Line(n)) << "line " << n;
    }
}

// The settings line of a section: a value outside what the scale dialog accepts keeps the value
// held before, and no value wraps around on its way to an int.
TEST(SectionSettingsLine, ValuesOutsideTheScaleDialogsRangesAreIgnored) {
    const std::string good = "200,100,12,-8,2,-2,60,5,17.00,25,3,TP,1";
    struct Case {
        int value;  // 1-based position in the line
        const char* text;
    };
    const Case cases[] = {
        {1, "4294967396"},  // once read as 100 after wrapping
        {3, "-2147483648"}, {4, "9999999"}, {5, "0"},  {6, "-2147483649"}, {7, "100000"}, {8, "5000"},
        {9, "1e308"},       {9, "-3000"},   {10, "0"}, {11, "-1"},         {13, "2"},
    };
    SectionSettings before;
    ApplySettingsLine(before, good);
    EXPECT_EQ(FormatSettingsLine(before), good);
    for (const Case& c : cases) {
        std::string line;
        int position = 1;
        for (std::size_t start = 0;; ++position) {
            const std::size_t comma = good.find(',', start);
            line += position == c.value ? std::string(c.text) : good.substr(start, comma - start);
            if (comma == std::string::npos) {
                break;
            }
            line += ',';
            start = comma + 1;
        }
        SectionSettings settings = before;
        ApplySettingsLine(settings, line);
        EXPECT_EQ(FormatSettingsLine(settings), good) << line;
    }
}

}  // namespace
}  // namespace ravesect
