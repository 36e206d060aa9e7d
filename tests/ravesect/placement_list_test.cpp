// The placement dialog's model: adding, overwriting and deleting rows, the details dialog,
// cancelling, and storing the list into the document.
#include <gtest/gtest.h>

#include <string>

#include "common/text_file.h"
#include "ravesect/document/placement_list.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

using rave::testing::TempFolder;

bool AddAt(PlacementList& list, const std::string& distance, rave::MessageSink& messages) {
    list.boxes.distance = distance;
    return list.Add(messages);
}

int LastId(const rave::RecordingMessageSink& messages) {
    return messages.shown.empty() ? 0 : messages.shown.back().id;
}

TEST(PlacementAdd, DistanceChecksAndTheirMessages) {
    PlacementList list;
    rave::RecordingMessageSink m;
    EXPECT_FALSE(AddAt(list, "", m));
    EXPECT_EQ(LastId(m), message_id::kNoData);
    EXPECT_FALSE(AddAt(list, "abc", m));
    EXPECT_EQ(LastId(m), message_id::kNoData);
    EXPECT_FALSE(AddAt(list, "-0.2", m));
    EXPECT_EQ(LastId(m), message_id::kNumberAbnormal);
    EXPECT_FALSE(AddAt(list, "30000.01", m));
    EXPECT_EQ(LastId(m), message_id::kNumberAbnormal);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_FALSE(list.changed);

    EXPECT_TRUE(AddAt(list, "-0.1", m));
    EXPECT_TRUE(AddAt(list, "30000", m));
    EXPECT_TRUE(AddAt(list, " 12.345", m));
    EXPECT_EQ(list.rows[0][colfield::kDistance], "-0.10");
    EXPECT_EQ(list.rows[2][colfield::kDistance], "12.35");
    EXPECT_TRUE(list.changed);
}

TEST(PlacementAdd, SameDistanceIsRefusedWithString908) {
    PlacementList list;
    rave::RecordingMessageSink m;
    ASSERT_TRUE(AddAt(list, "10", m));
    EXPECT_FALSE(AddAt(list, "10.001", m));  // 10.00 once written with two decimals
    ASSERT_EQ(LastId(m), message_id::kSameData);
    EXPECT_EQ(m.shown.back().text, "同じ 距離データがあります.\n修正なら上書きしてください.");
    EXPECT_EQ(list.rows.size(), 1u);
}

TEST(PlacementAdd, TwentySixthRowIsRefusedAfterTheDistanceChecks) {
    PlacementList list;
    rave::RecordingMessageSink m;
    for (int i = 0; i < kUserColumns; ++i) {
        ASSERT_TRUE(AddAt(list, std::to_string(i * 10), m));
    }
    EXPECT_FALSE(AddAt(list, "", m));
    EXPECT_EQ(LastId(m), message_id::kNoData);
    EXPECT_FALSE(AddAt(list, "0", m));  // full is reported before the equal distance
    EXPECT_EQ(LastId(m), message_id::kMaximumRows);
    EXPECT_NE(m.shown.back().text.find("柱状図は 25 本まで"), std::string::npos);
    EXPECT_EQ(list.rows.size(), 25u);
}

// The path is one line of the section file, read back up to 500 bytes with its CR LF.
TEST(PlacementAdd, PathsLongerThanTheSectionKeepsAreRefused) {
    for (const std::size_t length : {498u, 499u}) {
        PlacementList list;
        rave::RecordingMessageSink m;
        EXPECT_EQ(list.OpenSource(std::string(length, 'a'), PathFromBytes, m), length == 498);
        list.boxes.fileName = std::string(length, 'a');
        EXPECT_EQ(AddAt(list, "5", m) ? 0u : m.shown.size(), length == 498 ? 0u : 2u);
    }
}

TEST(PlacementAdd, RowTakesTheBoxes) {
    PlacementList list;
    rave::RecordingMessageSink m;
    list.boxes.fileName = "/d/No1.sdw";
    list.boxes.markCode = 2;
    list.boxes.markN = "5";
    list.boxes.version = "301  _1";
    list.boxes.ndDecimals = "1";
    ASSERT_TRUE(AddAt(list, "5", m));
    const PlacedColumn& row = list.rows[0];
    EXPECT_EQ(row[colfield::kWaterMark], "2.05");
    EXPECT_EQ(row[colfield::kFlagPosition], "1");
    EXPECT_EQ(row[colfield::kVersion], "301  _1");
    EXPECT_EQ(row[colfield::kNdDecimals], "1");
    EXPECT_EQ(row.Kind(), 301);

    list.boxes.markCode = 0;  // the "N=" box counts only inside the N-value frame
    ASSERT_TRUE(AddAt(list, "6", m));
    EXPECT_EQ(list.rows[1][colfield::kWaterMark], "0.00");
}

TEST(PlacementEdit, OverwriteKeepsTheHiddenFieldsAndDeleteRemoves) {
    PlacementList list;
    rave::RecordingMessageSink m;
    ASSERT_TRUE(AddAt(list, "5", m));
    ASSERT_TRUE(AddAt(list, "8", m));
    list.rows[0][17] = "kept";
    list.changed = false;
    EXPECT_FALSE(list.Overwrite(m));  // nothing selected
    list.Select(0);
    EXPECT_EQ(list.boxes.distance, "5.00");
    list.boxes.distance = "8";  // the same distance as another row is allowed here
    list.boxes.label = "No.5";
    ASSERT_TRUE(list.Overwrite(m));
    EXPECT_EQ(list.rows[0][colfield::kLabel], "No.5");
    EXPECT_EQ(list.rows[0][17], "kept");
    EXPECT_TRUE(list.changed);
    list.boxes.distance = "-5";
    EXPECT_FALSE(list.Overwrite(m));
    EXPECT_EQ(LastId(m), message_id::kNumberAbnormal);

    list.Select(1);
    ASSERT_TRUE(list.Delete());
    EXPECT_EQ(list.rows.size(), 1u);
    EXPECT_FALSE(list.Delete());
}

TEST(PlacementDetails, ExtendedFrameOrdersOnlyForJacicAndConeLogs) {
    PlacementList list;
    rave::RecordingMessageSink m;
    list.boxes.frameOrder = "4";
    list.boxes.version = "450  _0";
    ASSERT_TRUE(AddAt(list, "1", m));
    list.boxes.version = "500  _0";
    ASSERT_TRUE(AddAt(list, "2", m));

    list.Select(0);
    DetailsSettings details = list.OpenDetails();
    EXPECT_EQ(details.frameOrder, 0);
    EXPECT_FALSE(details.FrameOrderEnabled(4));
    EXPECT_TRUE(details.FrameOrderEnabled(3));

    list.Select(1);
    details = list.OpenDetails();
    EXPECT_EQ(details.frameOrder, 4);
    EXPECT_TRUE(details.FrameOrderEnabled(5));

    details.flagFlip = true;
    details.graphMirror = true;
    details.ndDecimals = "2";
    list.ApplyDetails(details);
    EXPECT_EQ(list.rows[1][colfield::kFlagFlip], "1");
    EXPECT_EQ(list.rows[1][colfield::kGraphMirror], "1");
    EXPECT_EQ(list.rows[1][colfield::kNdDecimals], "2");
    EXPECT_EQ(list.boxes.frameOrder, "4");

    details.SetDefaults();
    EXPECT_EQ(details.frameOrder, 0);
    EXPECT_EQ(details.flagPosition, 1);
    EXPECT_FALSE(details.flagFlip);
    EXPECT_FALSE(details.graphMirror);
    EXPECT_EQ(details.ndDecimals, "0");
}

TEST(PlacementCancel, AsksOnlyAfterChangesToAListWithRows) {
    PlacementList list;
    rave::RecordingMessageSink m;
    EXPECT_TRUE(list.ConfirmCancel(m));
    ASSERT_TRUE(AddAt(list, "1", m));
    m.answers = {false};
    EXPECT_FALSE(list.ConfirmCancel(m));
    ASSERT_EQ(m.asked.size(), 1u);
    EXPECT_EQ(m.asked[0].id, message_id::kCancelChanged);
    EXPECT_TRUE(list.ConfirmCancel(m));  // yes
    list.selected = 0;
    list.Delete();
    EXPECT_TRUE(list.ConfirmCancel(m));
    EXPECT_EQ(m.asked.size(), 2u);
}

TEST(PlacementStore, RowsAreSortedByDistanceAndTheRestEmptied) {
    SectionDocument d;
    d.Column(7)[colfield::kDistance] = "99";
    d.Column(26)[colfield::kDistance] = "100";
    PlacementList list;
    rave::RecordingMessageSink m;
    for (const char* distance : {"20", "5", "12.5"}) {
        list.boxes.label = distance;
        ASSERT_TRUE(AddAt(list, distance, m));
    }
    list.rulerTitle = "TP(m)";
    list.convertedNPlot = true;
    list.Store(d, std::nullopt, m);
    EXPECT_EQ(d.Column(1)[colfield::kDistance], "5.00");
    EXPECT_EQ(d.Column(2)[colfield::kDistance], "12.50");
    EXPECT_EQ(d.Column(3)[colfield::kLabel], "20");
    EXPECT_FALSE(d.Column(4).InUse());
    EXPECT_FALSE(d.Column(7).InUse());
    EXPECT_FALSE(d.Column(26).InUse());
    EXPECT_EQ(d.settings.rulerTitle, "TP(m)");
    EXPECT_EQ(d.settings.convertedNPlot, 1);
    EXPECT_TRUE(d.modified);
    EXPECT_TRUE(m.shown.empty());
}

TEST(PlacementStore, EqualDistancesAreAllStoredWithAWarning) {
    SectionDocument d;
    PlacementList list;
    rave::RecordingMessageSink m;
    for (const char* label : {"first", "second"}) {
        PlacedColumn row;
        row[colfield::kDistance] = "10.00";
        row[colfield::kLabel] = label;
        list.rows.push_back(row);
    }
    list.Store(d, std::nullopt, m);
    EXPECT_EQ(d.Column(1)[colfield::kLabel], "first");
    EXPECT_EQ(d.Column(2)[colfield::kLabel], "second");
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0].text, "同じ距離があります\r\n 10.00 m \r\n");

    PlacedColumn third;
    third[colfield::kDistance] = "10.00";
    list.rows.push_back(third);
    rave::RecordingMessageSink three;
    list.Store(d, std::nullopt, three);
    ASSERT_EQ(three.shown.size(), 1u);
    EXPECT_EQ(three.shown[0].text, "同じ距離があります\r\n 10.00 m \r\n 10.00 m \r\n 10.00 m \r\n");
}

TEST(PlacementStore, WarningStopsAfterSixLines) {
    SectionDocument d;
    PlacementList list;
    rave::RecordingMessageSink m;
    for (int i = 0; i < 6; ++i) {
        PlacedColumn row;
        row[colfield::kDistance] = "1.00";
        list.rows.push_back(row);
    }
    list.Store(d, std::nullopt, m);
    const std::string& text = m.shown.at(0).text;
    EXPECT_EQ(std::count(text.begin(), text.end(), 'm'), 6);
    EXPECT_EQ(d.LastUsedSlot(), 6);
}

TEST(PlacementOpen, ListComesFromTheDocumentWithoutTheClosingColumn) {
    SectionDocument d;
    d.Column(1)[colfield::kDistance] = "5.00";
    d.Column(1)[colfield::kSourcePath] = "/d/a.sdw";
    d.Column(2)[colfield::kDistance] = "20.00";
    d.Column(2)[colfield::kSourcePath] = "/d/b.sdw";
    d.Column(2)[colfield::kElevationKind] = "TP";
    d.Column(3)[colfield::kDistance] = "30.00";  // the closing column at 1/100
    PlacementList list;
    list.Open(d, std::nullopt);
    EXPECT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rulerTitle, "TP(m)");
    EXPECT_EQ(list.boxes.flagPosition, "1");
    EXPECT_EQ(list.boxes.markCode, 0);
    EXPECT_FALSE(list.changed);

    d.Column(3)[colfield::kDistance] = "31.00";  // a blank column of the user's own
    d.settings.rulerTitle = "標高";
    list.Open(d, std::nullopt);
    EXPECT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rulerTitle, "標高");
}

TEST(PlacementOpenSource, HeaderFillsTheBoxes) {
    TempFolder folder;
    std::string cone = "$$_PDCVERAN100\r\n$$Z\r\n試験\r\n\r\n\r\n\r\nP-1\r\n";
    const std::filesystem::path file = folder.Write("logs/p1.pdw", cone);
    PlacementList list;
    rave::RecordingMessageSink m;
    list.OpenSource(file.string(), PathFromBytes, m);
    EXPECT_EQ(list.boxes.fileName, file.string());
    EXPECT_EQ(list.boxes.surveyName, "試験");
    EXPECT_EQ(list.boxes.label, "P-1");
    EXPECT_EQ(list.boxes.version, "320  _0");
    EXPECT_EQ(list.boxes.ndDecimals, "0");
    EXPECT_EQ(list.boxes.frameOrder, "4");
    EXPECT_EQ(list.sourceFolder.folder, (folder.path() / "logs").string());

    std::string jacic = "$$_JVERAN500\r\n$$Z\r\n";
    for (int n = 1; n <= 80; ++n) {
        jacic += "\r\n";
    }
    jacic += "$$W\r\n@N,2026/04/01,,\r\n";
    list.OpenSource(folder.Write("j.jdw", jacic).string(), PathFromBytes, m);
    EXPECT_EQ(list.boxes.waterLevel, "無し  2026/04/01");
    EXPECT_EQ(list.boxes.waterLevelChoices.size(), 1u);
    EXPECT_EQ(list.boxes.frameOrder, "4");  // not an empty box any more

    list.OpenSource((folder.path() / "gone.sdw").string(), PathFromBytes, m);
    EXPECT_EQ(list.boxes.surveyName, "ファイルが見つかりません");
    EXPECT_EQ(list.boxes.version, "");
    list.OpenSource(folder.Write("x.txt", "hello world\r\n").string(), PathFromBytes, m);
    EXPECT_EQ(list.boxes.surveyName, "柱状図、スウェーデンのファイルではありません");
}

TEST(PlacementStore, RemembersTheSourceFolderInFileQv) {
    TempFolder folder;
    SectionDocument d;
    PlacementList list;
    rave::RecordingMessageSink m;
    list.Open(d, folder.path());
    EXPECT_EQ(list.sourceFolder.secondLine, "*.sdw");  // no file yet
    list.sourceFolder.folder = "/surveys/2026";
    list.Store(d, folder.path(), m);
    EXPECT_EQ(TempFolder::Read(folder.path() / "FileQv.ndx"), "/surveys/2026\r\n*.sdw\r\n");
}

}  // namespace
}  // namespace ravesect
