// "Sysq.ndx", the start-up paths and the install location of Ravesect.
#include <gtest/gtest.h>

#include <string>

#include "common/text_file.h"
#include "ravesect/settings/startup_settings.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

using rave::testing::TempFolder;

TEST(SysqSettings, MissingFileGivesDefaultsString4010AndANewFile) {
    TempFolder folder;
    rave::RecordingMessageSink m;
    const SysqSettings s = LoadSysqSettings(folder.path(), m);
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0].id, message_id::kSourceNotFound);
    EXPECT_EQ(m.shown[0].argument, (folder.path() / "Sysq.ndx").string());
    EXPECT_EQ(s.Int(sysqline::kFlagAngle), 30);
    EXPECT_EQ(s.Int(sysqline::kNGraphWidth), 25);
    EXPECT_EQ(s.Line(sysqline::kSeparator), "：");
    EXPECT_EQ(s.Line(sysqline::kSwedishGridColour), "0x808080");
    EXPECT_EQ(s.Line(sysqline::kDotRadius), "0.4");
    EXPECT_EQ(s.Line(sysqline::kCompanyName), "株式会社");
    EXPECT_EQ(s.Line(sysqline::kJacicBitmapFolder), (folder.path() / "Jbptn").string());
    EXPECT_EQ(s.Line(sysqline::kSoilMasterFile), (folder.path() / "WdtvxJG.mst").string());
    EXPECT_EQ(s.Int(sysqline::kEnterKey), 1);

    const std::string written = TempFolder::Read(folder.path() / "Sysq.ndx");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), SysqSettings::kLines);
    EXPECT_EQ(written.substr(0, 10), "500\r\n30\r\n1");
    rave::RecordingMessageSink second;
    LoadSysqSettings(folder.path(), second);
    EXPECT_TRUE(second.shown.empty());
}

TEST(SysqSettings, NumericLinesCountOnlyWhenTheyBeginWithANumber) {
    TempFolder folder;
    SysqSettings s = SysqSettings::Defaults(folder.path());
    s.Line(sysqline::kFlagAngle) = "abc";
    s.Line(sysqline::kFlagHeight) = " 22";
    s.Line(sysqline::kEnterKey) = "";
    s.Line(sysqline::kNGridColour) = "";
    s.Line(sysqline::kCompanyName) = "測量社";
    s.Line(sysqline::kSimpleBitmapFolder) = "";
    s.Line(sysqline::kPatternLineWidth) = "";
    ASSERT_TRUE(SaveSysqSettings(folder.path(), s));
    const auto back = ReadSysqFile(SysqFilePath(folder.path()), folder.path());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Int(sysqline::kFlagAngle), 30);
    EXPECT_EQ(back->Int(sysqline::kFlagHeight), 22);
    EXPECT_EQ(back->Int(sysqline::kEnterKey), 1);
    EXPECT_EQ(back->Line(sysqline::kNGridColour), "0x808080");
    EXPECT_EQ(back->Line(sysqline::kCompanyName), "測量社");
    EXPECT_EQ(back->Line(sysqline::kSimpleBitmapFolder), (folder.path() / "Cbptn").string());
    EXPECT_EQ(back->Line(sysqline::kPatternLineWidth), "0.4");
}

TEST(SysqSettings, ShortFileKeepsTheDefaultsOfTheMissingLines) {
    TempFolder folder;
    folder.Write("Sysq.ndx", "500\r\n45\r\n");
    const auto s = ReadSysqFile(folder.path() / "Sysq.ndx", folder.path());
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Int(sysqline::kFlagAngle), 45);
    EXPECT_EQ(s->Int(sysqline::kFlagLength), 25);
    EXPECT_EQ(s->Line(sysqline::kSeparator), "：");
}

rave::DriveMap Drives(const TempFolder& home) {
    rave::DriveMap drives;
    drives.folderOf = [path = home.path()](char letter) -> std::optional<std::filesystem::path> {
        if (letter == 'C' || letter == 'D') {
            return path / std::string(1, letter);
        }
        return std::nullopt;
    };
    return drives;
}

TEST(StartupSettings, InstallFolderComesFromThePointerFile) {
    TempFolder home;
    const rave::DriveMap drives = Drives(home);
    EXPECT_EQ(FindRavesectInstallFolder(drives), home.path() / "C" / "Kelvard" / "Sver5");
    home.Write("C/Kelvard/Vivad5.whr", "D:\\site\\Sect\r\n");
    EXPECT_EQ(FindRavesectInstallFolder(drives), home.path() / "D" / "site" / "Sect");
    home.Write("C/Kelvard/Vuzor5.whr", "C:\\ravelog\r\n");  // Ravelog's pointer is not ours
    EXPECT_EQ(FindRavesectInstallFolder(drives), home.path() / "D" / "site" / "Sect");

    const SectionPaths paths = DeriveSectionPaths("/inst");
    EXPECT_EQ(paths.working.columns, std::filesystem::path("/inst/Tmp1.tmp"));
    EXPECT_EQ(paths.Font(7), std::filesystem::path("/inst/Fntq7.ndx"));
    EXPECT_EQ(paths.sourceFolder, std::filesystem::path("/inst/FileQv.ndx"));
}

TEST(StartupSettings, SetupChecksAndRewritesTheLocation) {
    TempFolder home;
    const rave::DriveMap drives = Drives(home);
    rave::RecordingMessageSink m;
    EXPECT_FALSE(CheckInstallLocation({"1", "\\x\\y"}, m));
    EXPECT_FALSE(CheckInstallLocation({"C", "\\"}, m));
    EXPECT_FALSE(CheckInstallLocation({"", "\\abc"}, m));
    EXPECT_EQ(m.shown.size(), 3u);
    EXPECT_EQ(m.shown[0].text, "パス名が異常です");
    EXPECT_TRUE(CheckInstallLocation({"d", "\\ok"}, m));

    ASSERT_TRUE(WriteInstallLocation(drives, {"d", "\\work\\Sect"}, m));
    EXPECT_EQ(TempFolder::Read(home.path() / "C" / "Kelvard" / "Vivad5.whr"), "D:\\work\\Sect\r\n");
    const InstallLocation now = CurrentInstallLocation(drives);
    EXPECT_EQ(now.drive, "D");
    EXPECT_EQ(now.folder, "\\work\\Sect");
}

}  // namespace
}  // namespace ravesect
