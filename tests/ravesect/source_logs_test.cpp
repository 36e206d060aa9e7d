// Reading the headers of source logs and turning their data into normalized logs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/soil_name_table.h"
#include "common/text_file.h"
#include "office_text.h"
#include "ravesect/document/source_header.h"
#include "ravesect/document/source_kind.h"
#include "ravesect/document/source_parsers.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

// A sounding file: magic, "$$Z" and 100 header slots (the given ones set), rows and conversions.
std::string Sounding(const std::string& magic, const std::vector<std::pair<int, std::string>>& slots,
                     const std::vector<std::string>& rows, const std::vector<std::string>& conversions = {}) {
    std::vector<std::string> header(100);
    for (const auto& [n, text] : slots) {
        header[static_cast<std::size_t>(n - 1)] = text;
    }
    std::vector<std::string> lines = {magic, "$$Z"};
    lines.insert(lines.end(), header.begin(), header.end());
    lines.push_back("$$A");
    lines.insert(lines.end(), rows.begin(), rows.end());
    lines.push_back("$$C");
    lines.insert(lines.end(), conversions.begin(), conversions.end());
    return rave::JoinCrLf(lines);
}

// A sectioned borehole log with `headerLines` numbered header lines.
std::string BoreholeLog(const std::string& magic, const std::vector<std::pair<int, std::string>>& values,
                        int headerLines, const std::vector<std::string>& rest) {
    std::vector<std::string> lines = {magic, "$$Z"};
    std::vector<std::string> header(static_cast<std::size_t>(headerLines));
    for (const auto& [n, text] : values) {
        header[static_cast<std::size_t>(n - 1)] = text;
    }
    lines.insert(lines.end(), header.begin(), header.end());
    lines.insert(lines.end(), rest.begin(), rest.end());
    return rave::JoinCrLf(lines);
}

TEST(SourceHeader, SoundingHeaderLinesAndFlagBits) {
    const SourceHeader h = ReadSourceHeader(Sounding("$$_SWJVERAN304",
                                                     {{1, "宅地A"},
                                                      {2, "第2期"},
                                                      {5, "No.3"},
                                                      {12, "TP"},
                                                      {13, "12.35"},
                                                      {32, "7.50"},
                                                      {62, "1"},
                                                      {63, "1"}},
                                                     {}));
    EXPECT_EQ(h.status, SourceHeader::Status::kRead);
    EXPECT_EQ(h.kind, 301);
    EXPECT_EQ(h.surveyName, "宅地A第2期");  // a short first line gets the second one
    EXPECT_EQ(h.label, "No.3");
    EXPECT_EQ(h.elevationKind, "TP");
    EXPECT_EQ(h.elevation, "12.35");
    EXPECT_EQ(h.depth, "7.50");
    EXPECT_EQ(h.VersionText(), "301  _3");

    const SourceHeader longName = ReadSourceHeader(
        Sounding("$$_SWCVERAN304", {{1, "市道1号線改良工事"}, {2, "その2"}, {62, "0"}, {63, "1"}}, {}));
    EXPECT_EQ(longName.surveyName, "市道1号線改良工事");
    EXPECT_EQ(longName.VersionText(), "303  _2");
}

TEST(SourceHeader, FilesThatAreNotLogsAndMissingFiles) {
    const SourceHeader tooLong =
        ReadSourceHeader("$$_SWJVERAN304 with a long trailing text\r\n$$Z\r\nname\r\n");
    EXPECT_EQ(tooLong.status, SourceHeader::Status::kNotAccepted);
    EXPECT_EQ(tooLong.surveyName, "柱状図、スウェーデンのファイルではありません");
    EXPECT_EQ(tooLong.label, "");

    rave::testing::TempFolder folder;
    const SourceHeader missing = ReadSourceHeaderFile(folder.path() / "gone.sdw");
    EXPECT_EQ(missing.status, SourceHeader::Status::kNotFound);
    EXPECT_EQ(missing.surveyName, "ファイルが見つかりません");
}

TEST(SourceHeader, JacicLogTakesDepthUValueAndGroundwaterRecords) {
    const std::string log =
        BoreholeLog("$$_JVERAN500", {{1, "橋梁基礎"}, {5, "B-2"}, {13, "8.20"}, {45, "15.45"}, {49, "3"}}, 80,
                    {"$$W", "@N,2026/05/01,,", "-2.35,2026/05/02,孔内水位,", "$$A"});
    const SourceHeader h = ReadSourceHeader(log);
    EXPECT_EQ(h.kind, 500);
    EXPECT_EQ(h.surveyName, "橋梁基礎");
    EXPECT_EQ(h.depth, "15.45");
    EXPECT_EQ(h.uValue, "3");
    ASSERT_EQ(h.records.size(), 2u);
    EXPECT_EQ(h.records[0].level, "-0.6");
    rave::RecordingMessageSink messages;
    const std::vector<std::string> entries = WaterLevelEntries(h.records, messages);
    EXPECT_EQ(entries, (std::vector<std::string>{"無し  2026/05/01", "-2.35  2026/05/02"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SourceHeader, SimpleAndConeLogs) {
    const SourceHeader simple =
        ReadSourceHeader(BoreholeLog("$$_CVERAN500", {{1, "造成地"}, {31, "-1.10"}, {37, "10.00"}}, 40, {}));
    EXPECT_EQ(simple.kind, 450);
    EXPECT_EQ(simple.waterLevel, "-1.10");
    EXPECT_EQ(simple.depth, "10.00");
    EXPECT_EQ(simple.VersionText(), "450  _0");

    const SourceHeader cone = ReadSourceHeader(
        BoreholeLog("$$_PDCVERAN100", {{1, "擁壁背面の調査"}, {2, "(追加)"}, {32, "9.99"}}, 40, {}));
    EXPECT_EQ(cone.kind, 320);
    EXPECT_EQ(cone.surveyName, "擁壁背面の調査(追加)");  // always appended
    EXPECT_EQ(cone.depth, "");                           // no depth line in this kind
}

TEST(SourceHeader, LineLogRecordsOfFourLines) {
    const std::string log = rave::JoinCrLf({"$Z36",    "旧調査", "", "",     "",        "No.9", "",   "",
                                            "",        "",       "", "",     "AP",      "3.10", "$H", "@M",
                                            "H10.7.1", "",       "", "-1.5", "H10.7.2", "x",    "y",  "$A"});
    const SourceHeader h = ReadSourceHeader(log);
    EXPECT_EQ(h.kind, 400);
    EXPECT_EQ(h.surveyName, "旧調査");
    EXPECT_EQ(h.label, "No.9");
    EXPECT_EQ(h.elevationKind, "AP");
    EXPECT_EQ(h.elevation, "3.10");
    ASSERT_EQ(h.records.size(), 2u);
    EXPECT_EQ(h.records[0].level, "-0.7");
    EXPECT_EQ(h.records[0].text, "認められず");
    EXPECT_EQ(h.records[1].level, "-1.5");
    rave::RecordingMessageSink messages;
    EXPECT_EQ(WaterLevelEntries(h.records, messages),
              (std::vector<std::string>{"認められず  H10.7.1", "-1.50  H10.7.2"}));
}

TEST(SourceHeader, MoreRecordsThanTheListHoldsStopWithString4001) {
    std::vector<std::string> rest = {"$$W"};
    for (int n = 0; n < 45; ++n) {
        rest.push_back("-1.00,day" + std::to_string(n) + ",,");
    }
    const SourceHeader h = ReadSourceHeader(BoreholeLog("$$_JVERAN500", {}, 10, rest));
    EXPECT_EQ(h.records.size(), 45u);
    rave::RecordingMessageSink messages;
    EXPECT_EQ(WaterLevelEntries(h.records, messages).size(),
              static_cast<std::size_t>(kWaterLevelListCapacity));
    EXPECT_TRUE(messages.Saw(message_id::kListFull));
}

TEST(SourceHeader, EditorSavedSoundingsReadAsTheCp932TheyHeld) {
    const std::u8string sdw =
        u8"$$_SWJVERAN304\r\n$$Z\r\n宅地A\r\n$$A\r\n1.00,5,0.50,0.25,20.0000,,,,シルト\r\n";
    for (const std::string& bytes :
         {rave::testing::kUtf8Mark + rave::testing::Utf8(sdw), rave::testing::Utf8(sdw)}) {
        EXPECT_EQ(DetectSourceKindOfBytes(bytes), 301);
        EXPECT_EQ(ReadSourceHeader(bytes).surveyName, "宅地A");
        EXPECT_EQ(ParseSourceLog(301, bytes).Rows(logsection::kLayers).at(0)[1], "シルト");
    }
    const std::string lacking = rave::testing::Utf8(u8"$$_SWJVERAN304\r\n$$Z\r\n𠮷田\r\n");
    EXPECT_EQ(ReadSourceHeader(lacking).surveyName, "3 行目に、シフトJISで表せない文字 (U+20BB7) があります");
}

TEST(SoundingParser, LayersContinueUntilTheNameChangesOrAnUnderlineClosesThem) {
    const std::string file = Sounding("$$_SWJVERAN304", {},
                                      {
                                          "1.00,4,0.25,0.25,16.0000,,,,,,0",
                                          "1.00,5,0.50,0.25,20.0000,,,,シルト,3301.2,0",
                                          "1.00,6,0.75,0.25,24.0000,,,,シルト,3301.3,0",
                                          "1.00,6,1.00,0.25,24.0000,,,,シルト,3301.4,4",
                                          "1.00,2,1.25,0.25,8.0000,,,,シルト,3301.5,0",
                                          "1.00,9,1.50,0.25,36.0000,,,,砂,2100.1,0",
                                      },
                                      {"0.25,3.2,48.0,_", "0.50,3.5,52.5,_"});
    const NormalizedLog log = ParseSourceLog(301, file);
    ASSERT_EQ(log.RowCount(logsection::kLayers), 3);
    const auto& layers = log.Rows(logsection::kLayers);
    EXPECT_EQ(layers[0], (LogRow{"1.00", "シルト", "3301.4", "", "", "", "20", "", "", "", ""}));
    EXPECT_EQ(layers[1][0], "1.25");
    EXPECT_EQ(layers[1][6], "4");
    EXPECT_EQ(layers[2][1], "砂");
    ASSERT_EQ(log.RowCount(logsection::kMeasured), 6);
    const auto& measured = log.Rows(logsection::kMeasured);
    EXPECT_EQ(measured[0], (LogRow{"0.25", "3.2", "48.0", "1.00", "16.0000", "0"}));
    EXPECT_EQ(measured[2][1], "");   // no conversion entry for row 3
    EXPECT_EQ(measured[5][5], "0");  // the later revision keeps the last attribute
    EXPECT_TRUE(log.Rows(logsection::kLowerC).empty());
}

TEST(SoundingParser, SimpleNamesAndTheEndMarkOfTheFirstRevision) {
    const std::string file =
        Sounding("$$_SWCVERAN300", {},
                 {"1.00,4,0.25,0.25,16.0000,,粘土,40,砂,2100,0", "1.00,4,0.50,0.25,16.0000,,,,,,1"});
    const NormalizedLog log = ParseSourceLog(302, file);
    ASSERT_EQ(log.RowCount(logsection::kLayers), 1);
    EXPECT_EQ(log.Rows(logsection::kLayers)[0][1], "粘土");
    EXPECT_EQ(log.Rows(logsection::kLayers)[0][2], "40");
    EXPECT_EQ(log.Rows(logsection::kMeasured)[1][5], "2");
}

// A simple sounding's layers keep the numbers their rows store, whatever the simple table says of
// their names: the drawing resolves a name only where the stored number draws nothing.
TEST(SoundingParser, SimpleLayersKeepTheirStoredPatternNumbers) {
    const std::string file =
        Sounding("$$_SWCVERAN304", {},
                 {"1.00,4,0.25,0.25,16.0000,,盛土,9.0,,,0", "1.00,4,0.50,0.25,16.0000,,砂,3300.1,,,0",
                  "1.00,4,0.75,0.25,16.0000,,礫混り砂,450.1,,,0", "1.00,4,1.00,0.25,16.0000,,空洞,801,,,0"});
    const NormalizedLog log = ParseSourceLog(302, file);
    ASSERT_EQ(log.RowCount(logsection::kLayers), 4);
    const std::vector<std::string> stored = {"9.0", "3300.1", "450.1", "801"};
    for (std::size_t i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(log.Rows(logsection::kLayers)[i][2], stored[i]) << i;
    }
}

TEST(SoundingParser, MeasuredRowsStopAt300ButLayersGoOn) {
    std::vector<std::string> rows;
    for (int i = 1; i <= 320; ++i) {
        rows.push_back("1.00,1," + std::to_string(i) + ".00,1,1,,,,層" + std::to_string(i) + ",1,0");
    }
    const NormalizedLog log = ParseSourceLog(301, Sounding("$$_SWJVERAN304", {}, rows));
    EXPECT_EQ(log.RowCount(logsection::kMeasured), 300);
    EXPECT_EQ(log.RowCount(logsection::kLayers), 200);
}

TEST(SectionedParser, SectionsFillTheirTablesWithinTheirLimits) {
    std::vector<std::string> rest = {"$$A"};
    for (int i = 1; i <= 210; ++i) {
        rest.push_back(std::to_string(i) + ".00,砂,2100,暗灰,,,4,,,,,extra");
    }
    rest.insert(rest.end(), {"$$C", "1.15,12,,,,", "$$c", "1,2,3,4,5", "$$G", "g1,g2", "$$E", "1.00,NX,,,,1",
                             "$$X", "ignored", "$$C", "2.15,30,,,,"});
    const NormalizedLog log = ParseSourceLog(500, BoreholeLog("$$_JVERAN500", {{1, "x"}}, 50, rest));
    EXPECT_EQ(log.RowCount(logsection::kLayers), 200);
    EXPECT_EQ(log.Rows(logsection::kLayers)[0][10], "");  // fields beyond 11 are dropped
    EXPECT_EQ(log.Rows(logsection::kLayers)[0][3], "暗灰");
    // A second "$$C" section starts again at row 1.
    EXPECT_EQ(log.RowCount(logsection::kMeasured), 1);
    EXPECT_EQ(log.Rows(logsection::kMeasured)[0][0], "2.15");
    EXPECT_EQ(log.Rows(logsection::kLowerC)[0], (LogRow{"1", "2", "3", "4"}));
    EXPECT_EQ(log.Rows(logsection::kG)[0][1], "g2");
    EXPECT_EQ(log.RowCount(logsection::kE), 1);
}

TEST(SectionedParser, ConeLogsDropTheirMeasuredRows) {
    const NormalizedLog log = ParseSourceLog(
        320, BoreholeLog("$$_PDCVERAN100", {}, 5, {"$$A", "1.00,ローム,5000,,,,4", "$$C", "0.1,3,,,,"}));
    EXPECT_EQ(log.RowCount(logsection::kLayers), 1);
    EXPECT_EQ(log.RowCount(logsection::kMeasured), 0);
}

TEST(LineParser, OneValuePerLineRows) {
    const std::string file =
        rave::JoinCrLf({"$Z36", "name", "$A", "1.20", "盛土", "9000", "a",  "b", "c", "3.50", "粘土", "40",
                        "",     "",     "",   "0.5",  "$C",   "1.15", "8",  "",  "",  "",     "",     "$E",
                        "1.00", "PN12", "",   "",     "",     "2.00", "PM", "",  "",  "",     "3.00", "PNx"});
    const NormalizedLog log = ParseSourceLog(400, file);
    ASSERT_EQ(log.RowCount(logsection::kLayers), 3);  // the third layer has one line only
    EXPECT_EQ(log.Rows(logsection::kLayers)[0],
              (LogRow{"1.20", "盛土", "9000", "a", "b", "c", "4", "", "", "", ""}));
    EXPECT_EQ(log.Rows(logsection::kLayers)[2][6], "");
    EXPECT_EQ(log.RowCount(logsection::kMeasured), 1);
    EXPECT_EQ(log.Rows(logsection::kMeasured)[0][1], "8");
    ASSERT_EQ(log.RowCount(logsection::kE), 3);
    EXPECT_EQ(log.Rows(logsection::kE)[0][5], "1");
    EXPECT_EQ(log.Rows(logsection::kE)[1][5], "0");
    EXPECT_EQ(log.Rows(logsection::kE)[2][5], "");  // the third row has only one line
}

TEST(ParseSourceLog, UnknownKindGivesAnEmptyLog) {
    EXPECT_TRUE(ParseSourceLog(0, "$$_JVERAN500\r\n$$A\r\n1,2\r\n").Empty());
}

}  // namespace
}  // namespace ravesect
