// Building the column working file after OK: the closing column, the automatic ruler and the
// source files read again.
#include <gtest/gtest.h>

#include <string>

#include "common/text_file.h"
#include "ravesect/document/columns_build.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

using rave::testing::TempFolder;

const char* const kJacicLog =
    "$$_JVERAN500\r\n$$Z\r\nname\r\n$$A\r\n2.00,盛土,9000,,,,4,,,,\r\n6.00,砂,2100,,,,4,,,,\r\n"
    "$$C\r\n1.15,8,,,,\r\n$$c\r\n$$G\r\n$$E\r\n1.00,S1,,,,0\r\n";
const char* const kSounding =
    "$$_SWCVERAN300\r\n$$Z\r\n$$A\r\n1.00,4,0.25,0.25,16.0000,,粘土,40,,,0\r\n1.00,8,0.50,0.25,32.0000,,,,,,"
    "0\r\n"
    "$$C\r\n0.25,3.2,48.0,_\r\n";

struct Build {
    TempFolder folder;
    WorkingFiles files = WorkingFiles::In(folder.path());
    SectionDocument document;
    rave::RecordingMessageSink messages;

    void Place(int slot, const std::string& distance, const std::string& path, const std::string& version,
               const std::string& elevation = "", const std::string& depth = "") {
        PlacedColumn& column = document.Column(slot);
        column[colfield::kDistance] = distance;
        column[colfield::kSourcePath] = path;
        column[colfield::kVersion] = version;
        column[colfield::kElevation] = elevation;
        column[colfield::kDepth] = depth;
    }
    void Run() { BuildColumnsFile(document, files, PathFromBytes, messages); }
};

TEST(BuildColumnsFile, ClosingColumnStandsATenthOfTheScaleAfterTheLastFile) {
    Build b;
    b.Place(1, "5.00", b.folder.Write("a.jdw", kJacicLog).string(), "500  _0");
    b.Place(2, "20.00", b.folder.Write("b.sdw", kSounding).string(), "302  _0");
    b.Run();
    EXPECT_TRUE(b.messages.shown.empty());
    EXPECT_EQ(b.document.Column(3)[colfield::kDistance], "30.00");
    EXPECT_FALSE(b.document.Column(3).NamesFile());
    EXPECT_EQ(b.document.Column(0)[colfield::kDistance], "0");

    const std::string columns = TempFolder::Read(b.files.columns);
    EXPECT_EQ(columns.substr(0, columns.find("$$Z0")), "$$_QSVERAN700\r\n3\r\n");
    EXPECT_NE(columns.find("$$Z3\r\n30.00\r\n"), std::string::npos);
    EXPECT_EQ(columns.substr(columns.size() - 9), "$$Z END\r\n");
    EXPECT_NE(
        columns.find("$$A\r\n2.00,盛土,9000,,,,4,,,,\r\n6.00,砂,2100,,,,4,,,,\r\n$$C\r\n1.15,8,,,,\r\n"),
        std::string::npos);
    // The sounding's last measured row carries the end mark of its revision.
    EXPECT_NE(columns.find("$$C\r\n0.25,3.2,48.0,1.00,16.0000,0\r\n0.50,,,1.00,32.0000,2\r\n$$c"),
              std::string::npos);
    EXPECT_EQ(TempFolder::Read(b.files.settings).substr(0, 8), "100,100,");

    b.document.settings.distanceScale = 250;
    b.document.Column(3).Clear();  // a new placement leaves the old closing column out
    b.Run();
    EXPECT_EQ(b.document.Column(3)[colfield::kDistance], "45.00");
}

TEST(BuildColumnsFile, NormalizedLogsAreFilledFromTheSources) {
    Build b;
    b.Place(1, "5.00", b.folder.Write("b.sdw", kSounding).string(), "302  _0");
    b.Run();
    const NormalizedLog& log = b.document.Log(1);
    ASSERT_EQ(log.RowCount(logsection::kMeasured), 2);
    EXPECT_EQ(log.Rows(logsection::kMeasured)[0], (LogRow{"0.25", "3.2", "48.0", "1.00", "16.0000", "0"}));
    EXPECT_EQ(log.Rows(logsection::kMeasured)[1][5], "2");
    EXPECT_EQ(log.Rows(logsection::kLayers)[0][1], "粘土");

    SectionDocument back;
    ReadColumnsFile(b.files, back);
    EXPECT_EQ(back.Log(1).Rows(logsection::kMeasured), log.Rows(logsection::kMeasured));
    EXPECT_EQ(back.Column(1)[colfield::kVersion], "302  _0");
}

TEST(BuildColumnsFile, VanishedSourceKeepsItsColumnWithEmptySections) {
    Build b;
    const std::string gone = (b.folder.path() / "gone.jdw").string();
    b.Place(1, "5.00", gone, "500  _0");
    b.Run();
    ASSERT_EQ(b.messages.shown.size(), 1u);
    EXPECT_EQ(b.messages.shown[0].id, message_id::kSourceNotFound);
    EXPECT_EQ(b.messages.shown[0].argument, gone);
    const std::string columns = TempFolder::Read(b.files.columns);
    EXPECT_NE(columns.find("$$A\r\n$$C\r\n$$c\r\n$$G\r\n$$E\r\n$$Z2\r\n15.00\r\n"), std::string::npos);
}

TEST(BuildColumnsFile, BlankLastColumnGetsNoClosingColumn) {
    Build b;
    b.Place(1, "5.00", b.folder.Write("a.jdw", kJacicLog).string(), "500  _0");
    b.Place(2, "8.00", "", "");
    b.Place(26, "99.00", "", "");  // left from an earlier placement
    b.Run();
    EXPECT_EQ(b.document.LastUsedSlot(), 2);
    const std::string columns = TempFolder::Read(b.files.columns);
    EXPECT_EQ(columns.substr(0, columns.find("$$Z0")), "$$_QSVERAN700\r\n2\r\n");
}

TEST(BuildColumnsFile, KindIsTakenFromTheFileWhenTheVersionFieldIsEmpty) {
    Build b;
    b.Place(1, "1.00", b.folder.Write("a.jdw", kJacicLog).string(), "");
    b.Run();
    EXPECT_EQ(b.document.Log(1).RowCount(logsection::kLayers), 2);
}

TEST(BuildColumnsFile, FirstPlacementFitsTheRulerToTheLogsAlone) {
    // The window has set top elevation 5 at start-up before the first placement, the command
    // line has not: both fit. A ruler already set stays.
    struct Case {
        double topBefore;
        int rulerTopBefore;
        int rulerTop, rulerBottom, rulerStep;
        double topElevation;
    };
    for (const Case& c : {Case{0.0, 0, 12, -13, 5, 22.0}, Case{5.0, 0, 12, -13, 5, 22.0},
                          Case{35.0, 30, 30, -10, 1, 35.0}, Case{5.0, 3, 3, -10, 1, 5.0}}) {
        Build b;
        b.Place(1, "5.00", b.folder.Write("a.jdw", kJacicLog).string(), "500  _0", "12.35", "7.50");
        b.Place(2, "9.00", b.folder.Write("b.jdw", kJacicLog).string(), "500  _0", "3.2", "15.8");
        b.document.settings.depthScale = 200;
        b.document.settings.topElevation = c.topBefore;
        b.document.settings.rulerTop = c.rulerTopBefore;
        b.Run();
        const SectionSettings& s = b.document.settings;
        EXPECT_EQ(s.rulerTop, c.rulerTop) << c.topBefore;
        EXPECT_EQ(s.rulerBottom, c.rulerBottom) << c.topBefore;  // 15.8 - 3.2 = 12.6 m below 0, up
        EXPECT_EQ(s.rulerStep, c.rulerStep) << c.topBefore;
        EXPECT_DOUBLE_EQ(s.topElevation, c.topElevation) << c.topBefore;
    }
}

TEST(BuildColumnsFile, RulerColumnsAtElevationZeroDoNotPullTheRuler) {
    // Grounds below sea level, a blank column between them and the closing column after them:
    // only the two logs count (highest ground -3.4, deepest 9.0 - (-6.0) = 15 m below 0).
    Build b;
    b.Place(1, "5.00", b.folder.Write("a.jdw", kJacicLog).string(), "500  _0", "-3.4", "6.0");
    b.Place(2, "8.00", "", "");
    b.Place(3, "12.00", b.folder.Write("b.jdw", kJacicLog).string(), "500  _0", "-6.0", "9.0");
    b.Run();
    ASSERT_EQ(b.document.Column(4)[colfield::kDistance], "22.00");  // the closing column
    EXPECT_EQ(b.document.settings.rulerTop, -3);
    EXPECT_EQ(b.document.settings.rulerBottom, -15);
    EXPECT_DOUBLE_EQ(b.document.settings.topElevation, 2.0);  // depth scale 1/100: top + 5

    // Only blank columns: nothing to fit to.
    Build blank;
    blank.Place(1, "8.00", "", "", "40", "3");
    blank.Run();
    EXPECT_EQ(blank.document.settings.rulerTop, 0);
    EXPECT_DOUBLE_EQ(blank.document.settings.topElevation, 0.0);
}

TEST(ApplyPlacement, OkStoresBuildsAndReReadsTheSection) {
    Build b;
    b.document.Title(1).text = "kept on disk only";
    rave::WriteFileAtomically(b.files.titles, "$$Z HY\r\n1,2,title,1\r\n");
    PlacementList list;
    list.Open(b.document, b.folder.path());
    list.OpenSource(b.folder.Write("logs/a.jdw", kJacicLog).string(), PathFromBytes, b.messages);
    list.boxes.distance = "12";
    ASSERT_TRUE(list.Add(b.messages));
    ApplyPlacement(list, b.document, b.files, b.folder.path(), PathFromBytes, b.messages);
    EXPECT_TRUE(b.messages.shown.empty());
    EXPECT_EQ(b.document.Column(1)[colfield::kDistance], "12.00");
    EXPECT_EQ(b.document.Column(2)[colfield::kDistance], "22.00");
    EXPECT_EQ(b.document.Log(1).RowCount(logsection::kLayers), 2);
    EXPECT_EQ(b.document.Title(1).text, "title");
    EXPECT_TRUE(b.document.modified);
    EXPECT_EQ(ReadSourceFolderFile(b.folder.path()).folder, (b.folder.path() / "logs").string());

    // Opening the dialog again shows the one column, not the closing one.
    list.Open(b.document, b.folder.path());
    EXPECT_EQ(list.rows.size(), 1u);
}

TEST(AutomaticRulerRange, BottomIsAtMostMinusOneAndStepFollowsTheDepthScale) {
    SectionDocument d;
    d.Column(1)[colfield::kDistance] = "1";
    d.Column(1)[colfield::kSourcePath] = "a.sdw";
    d.Column(1)[colfield::kElevation] = "20";
    d.Column(1)[colfield::kDepth] = "5";
    struct Case {
        int scale, step, above;
    };
    for (const Case& c :
         {Case{50, 1, 4}, Case{90, 2, 5}, Case{180, 5, 10}, Case{270, 10, 20}, Case{450, 10, 50}}) {
        d.settings.depthScale = c.scale;
        const RulerRange r = AutomaticRulerRange(d);
        EXPECT_EQ(r.rulerTop, 20);
        EXPECT_EQ(r.rulerBottom, -1);
        EXPECT_EQ(r.rulerStep, c.step) << c.scale;
        EXPECT_DOUBLE_EQ(r.topElevation, 20 + c.above) << c.scale;
    }
}

}  // namespace
}  // namespace ravesect
