// The report's start-up files: first-time loading from the install folder, the repairs done to
// every document, and taking a document up as the view shows it.
#include "ravelog/report/report_startup.h"

#include <gtest/gtest.h>

#include "common/settings_files.h"
#include "temp_folder.h"

namespace ravelog {
namespace {

TEST(ReportStartupFiles, MissingFilesGiveDefaultsAndNewFiles) {
    rave::testing::TempFolder folder;
    StartupFiles files;
    SoundingDocument document;
    rave::RecordingMessageSink messages;
    LoadStartupFiles(files, folder.path(), document, false, messages);

    EXPECT_TRUE(files.loaded);
    EXPECT_EQ(files.paths.settings, folder.path() / "Sys.ndx");
    EXPECT_EQ(files.paths.patternLines, folder.path() / "PtnvcJG.ndx");
    EXPECT_EQ(files.paths.soilNames, folder.path() / "WdtvxJG.mst");
    EXPECT_TRUE(messages.Saw(rave::kFileNotFoundMessage));
    EXPECT_EQ(files.settings.Int(rave::sysline::kTopMargin), 5);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Font1.ndx")) << "font 1 is created";
    EXPECT_DOUBLE_EQ(files.fonts[0].size, 11.0);
    EXPECT_DOUBLE_EQ(files.fonts[4].size, 9.0);
    EXPECT_EQ(files.fonts[2].face, rave::DefaultFontFace());
    EXPECT_EQ(document.header[slot::kSoilTableKind], "1");
}

TEST(ReportStartupFiles, ReadOnlyLoadingWritesNothing) {
    rave::testing::TempFolder folder;
    folder.Write("Font2.ndx", "0.5\r\nIPAexMincho\r\n255\r\n0\r\n");
    StartupFiles files;
    SoundingDocument document;
    rave::RecordingMessageSink messages;
    LoadStartupFiles(files, folder.path(), document, false, messages, StartupWrites::kNever);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Sys.ndx"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Font1.ndx"));
    for (const rave::Message& message : messages.shown) {
        EXPECT_EQ(message.argument.find("Sys.ndx"), std::string::npos) << "the defaults are taken silently";
        EXPECT_EQ(message.argument.find("Font1.ndx"), std::string::npos);
    }
    EXPECT_EQ(files.settings.Int(rave::sysline::kLeftMargin), 5);
    EXPECT_FALSE(files.settings.Line(rave::sysline::kJacicBitmapFolder).empty())
        << "bitmap folders filled in";
    EXPECT_DOUBLE_EQ(files.fonts[0].size, 11.0);
    EXPECT_DOUBLE_EQ(files.fonts[1].size, 9.0) << "0.5 points repaired";
    EXPECT_EQ(files.fonts[1].face, "IPAexMincho");
    EXPECT_EQ(files.fonts[1].colour, 255);
}

TEST(ReportStartupFiles, FontsAreReadAndRepaired) {
    rave::testing::TempFolder folder;
    folder.Write("Font1.ndx", "250.0\r\n\r\n255\r\n0\r\n");
    folder.Write("Font3.ndx", "10.5\r\nIPAexMincho\r\n16711680\r\n1\r\n");
    StartupFiles files;
    SoundingDocument document;
    rave::RecordingMessageSink messages;
    LoadStartupFiles(files, folder.path(), document, false, messages);
    EXPECT_DOUBLE_EQ(files.fonts[0].size, 11.0) << "250 points is out of range";
    EXPECT_EQ(files.fonts[0].face, rave::DefaultFontFace());
    EXPECT_EQ(files.fonts[0].colour, 255);
    EXPECT_DOUBLE_EQ(files.fonts[2].size, 10.5);
    EXPECT_EQ(files.fonts[2].face, "IPAexMincho");
    EXPECT_EQ(files.fonts[2].colour, 16711680);
}

TEST(ReportStartupFiles, FirstTimeStepsRunOnceUnlessReset) {
    rave::testing::TempFolder folder;
    StartupFiles files;
    SoundingDocument document;
    rave::RecordingMessageSink messages;
    LoadStartupFiles(files, folder.path(), document, false, messages);

    rave::RavelogSettings changed = files.settings;
    changed.SetInt(rave::sysline::kLeftMargin, 33);
    ASSERT_TRUE(rave::SaveSettings(files.paths.settings, changed));

    LoadStartupFiles(files, folder.path(), document, false, messages);
    EXPECT_EQ(files.settings.Int(rave::sysline::kLeftMargin), 5) << "read once per program run";
    LoadStartupFiles(files, folder.path(), document, true, messages);
    EXPECT_EQ(files.settings.Int(rave::sysline::kLeftMargin), 33) << "the reset reads again";
}

TEST(ReportStartupFiles, EveryCallValidatesTheDocument) {
    rave::testing::TempFolder folder;
    StartupFiles files;
    SoundingDocument document;
    rave::RecordingMessageSink messages;
    LoadStartupFiles(files, folder.path(), document, false, messages);

    document.header[slot::kDepthScale] = "3";
    document.header[slot::kReportFormat] = "7";
    document.header[slot::kSoilTableKind] = "";
    LoadStartupFiles(files, folder.path(), document, false, messages);
    EXPECT_EQ(document.header[slot::kDepthScale], "50");
    EXPECT_EQ(document.header[slot::kReportFormat], "0");
    EXPECT_EQ(document.header[slot::kSoilTableKind], "1");

    document.header[slot::kSoilTableKind] = "0";
    LoadStartupFiles(files, folder.path(), document, false, messages);
    EXPECT_EQ(document.header[slot::kSoilTableKind], "0") << "a chosen table stays";
}

TEST(ReportStartupFiles, TakingUpADocumentRebuildsItsConversions) {
    rave::testing::TempFolder folder;
    StartupFiles files;
    SoundingDocument document;
    rave::RecordingMessageSink messages;
    LoadStartupFiles(files, folder.path(), document, false, messages);

    document.Row(1)[field::kLoad] = "1.00";
    document.Row(1)[field::kHalfTurns] = "10";
    document.Row(1)[field::kDepth] = "0.25";
    document.Row(1)[field::kLength] = "0.25";
    document.Row(1)[field::kNsw] = "40";
    document.Conversion(2)[1] = "stale";
    TakeUpDocumentForView(document, files, messages);

    EXPECT_EQ(document.Conversion(1)[1], "0.25") << "entry 1 belongs to row 1";
    EXPECT_EQ(document.Conversion(2)[1], "") << "entries beyond the rows are emptied";
    EXPECT_EQ(document.Row(1)[field::kNsw], "40") << "measured values stay as read";
    EXPECT_EQ(document.header[slot::kTitleFormat1].empty(), false) << "the standard title";
}

TEST(ReportStartupFiles, ResourcesPointAtWhatWasLoaded) {
    StartupFiles files;
    files.settings.SetInt(rave::sysline::kLeftMargin, 12);
    const SheetResources resources = files.Resources();
    EXPECT_EQ(&resources.settings, &files.settings);
    EXPECT_EQ(&resources.fonts, &files.fonts);
    EXPECT_EQ(resources.patternColors, &files.soilTables->colors);
}

}  // namespace
}  // namespace ravelog
