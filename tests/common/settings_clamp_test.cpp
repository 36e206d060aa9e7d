// Absurd values in "Sys.ndx" are brought back into what the settings dialogs accept when the file
// is read, so no file can make a sheet empty or enormous; sensible values keep their text.
#include <gtest/gtest.h>

#include "common/settings_files.h"
#include "common/text_file.h"
#include "temp_folder.h"

namespace rave {
namespace {

using testing::TempFolder;

TEST(SettingsClamp, ValuesOutsideTheirRangesTakeTheNearestBound) {
    struct Case {
        int line;
        const char* written;
        const char* read;
    };
    const Case cases[] = {
        {sysline::kTopMargin, "-2147483649", "0"},  // once a blank page: the margin wrapped to int
        {sysline::kLeftMargin, "99999999999999999999", "100"},
        {sysline::kTitleRowFormats12, "-4", "0"},
        {sysline::kLeftMargin, "25", "25"},  // inside: the text stays
        {sysline::kTopMargin, " 7mm", " 7mm"},
        {sysline::kDecimalsQa, "9", "4"},
        {sysline::kDecimalsDepth, "-1", "0"},
        {sysline::kDataInputOrder, "3", "1"},
        {sysline::kDepthStoreFormat, "5", "2"},
        {41, "100000", "100"},     // outer frame width, device pixels
        {52, "-5", "0"},           // a gap
        {59, "7", "2"},            // plot line style
        {63, "4000000000", "99"},  // the soil column's pen
        {sysline::kEnterKey, "-3", "0"},
        {sysline::kCompanyName, "-2147483649", "-2147483649"},  // a text line is not a number
    };
    for (const Case& c : cases) {
        TempFolder folder;
        RavelogSettings written = RavelogSettings::Defaults();
        written.Line(c.line) = c.written;
        ASSERT_TRUE(SaveSettings(folder.path() / "Sys.ndx", written));
        RecordingMessageSink messages;
        const RavelogSettings read = LoadSettings(folder.path() / "Sys.ndx", messages);
        EXPECT_EQ(read.Line(c.line), c.read) << "line " << c.line << " " << c.written;
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(SettingsClamp, ShippedAndDefaultSettingsAreLeftAsTheyAre) {
    const auto shipped = ReadSettingsFile(std::filesystem::path(RAVE_SOURCE_DIR) / "data" / "Sys.ndx");
    ASSERT_TRUE(shipped);
    for (const RavelogSettings& settings : {*shipped, RavelogSettings::Defaults()}) {
        RavelogSettings clamped = settings;
        ClampSettings(clamped);
        for (int n = 0; n < RavelogSettings::kLines; ++n) {
            EXPECT_EQ(clamped.Line(n), settings.Line(n)) << "line " << n;
        }
    }
}

}  // namespace
}  // namespace rave
