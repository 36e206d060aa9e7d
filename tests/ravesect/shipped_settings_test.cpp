// The settings files a new install folder starts with: Ravesect reads them without a message and
// gets exactly the values it would have used (and written) with no files at all.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/messages.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/settings/sysq_settings.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

const std::filesystem::path kData = std::filesystem::path(RAVE_SOURCE_DIR) / "data";

TEST(ShippedSettings, SysqReadsAsTheDefaultsOfTheInstallFolderItIsCopiedTo) {
    rave::testing::TempFolder folder;
    std::filesystem::copy_file(kData / "Sysq.ndx", SysqFilePath(folder.path()));
    rave::RecordingMessageSink messages;
    const SysqSettings loaded = LoadSysqSettings(folder.path(), messages);
    EXPECT_TRUE(messages.shown.empty());
    const SysqSettings defaults = SysqSettings::Defaults(folder.path());
    for (int n = 1; n <= SysqSettings::kLines; ++n) {
        EXPECT_EQ(loaded.Line(n), defaults.Line(n)) << "line " << n;
    }
}

TEST(ShippedSettings, TheSevenFontsAreTheDefaults) {
    rave::RecordingMessageSink messages;
    const SectionFonts fonts = LoadSectionFonts(kData, &messages);
    EXPECT_TRUE(messages.shown.empty());
    for (int n = 1; n <= 7; ++n) {
        const rave::FontSlot& shipped = SectionFont(fonts, n);
        const rave::FontSlot expected = DefaultSectionFont(n);
        EXPECT_EQ(shipped.size, expected.size) << n;
        EXPECT_EQ(shipped.face, expected.face) << n;
        EXPECT_EQ(shipped.colour, expected.colour) << n;
    }
}

}  // namespace
}  // namespace ravesect
