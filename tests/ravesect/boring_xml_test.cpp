// Reading the boring exchange XML: one hand-written file per version, the encodings, the N rule,
// the normalized log a column keeps, the header the placement dialog reads, and hostile files.
#include <gtest/gtest.h>

#include <time.h>

#include <cmath>

#include "common/soil_name_table.h"
#include "common/text_file.h"
#include "ravesect/document/boring_xml.h"
#include "ravesect/document/boring_xml_text.h"
#include "ravesect/document/columns_build.h"
#include "ravesect/document/source_kind.h"
#include "ravesect/document/source_parsers.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

// Monotonic seconds (<chrono> cannot be built with the cp932 literals of the core tests).
double Seconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

const std::string kFolder = std::string(RAVE_SOURCE_DIR) + "/tests/ravesect/boring_xml/";

std::string FileBytes(const std::string& name) {
    return rave::ReadFileBytes(kFolder + name).value_or("");
}

const rave::SoilNameTable& ShippedTable() {
    static const rave::SoilNameTable table = [] {
        rave::SoilNameTable t;
        t.LoadSoilNameBytes(
            rave::ReadFileBytes(std::string(RAVE_SOURCE_DIR) + "/data/WdtvxJG.mst").value_or(""),
            rave::soil_number_kind::kLineDrawing);
        return t;
    }();
    return table;
}

std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

struct Layer {
    double top, bottom;
    std::string soil;
    long pattern;
};
struct Test {
    double depth;
    int blows;
    double cm;
    double n;
    std::string text;
};
struct Expected {
    const char* file;
    std::string version, name;
    double elevation, depth, longitude, latitude;
    std::vector<Layer> layers;
    std::vector<Test> tests;
    std::vector<std::pair<std::string, double>> water;  // depth -1: none
};

TEST(BoringXml, EachVersionReadsToTheExpectedLog) {
    const std::vector<Expected> cases = {
        // Shift_JIS bytes; the layers need the width, spacing and 混じり rules and the rock names.
        {"v210-sjis.xml",
         "2.10",
         "B-3",
         10.85,
         12.45,
         139 + 41 / 60.0 + 52.2 / 3600,
         35 + 40 / 60.0 + 51.6 / 3600,
         {{0, 0.8, "盛土(砂礫)", 8200},
          {0.8, 2.6, "ｼﾙﾄ", 500},
          {2.6, 5.4, "礫混じり　砂", 450},  // admixture 50 + sand 400
          {5.4, 8.2, "崖錐", 8700},
          {8.2, 12.45, "花崗岩", 2100}},
         {{1.15, 2, 30, 2, "2"},
          {2.15, 0, 45, 0, "0"},
          {5.15, 12, 32, 12, "12"},
          {11.15, 50, 15, 100, "50/15"}},
         {{"2026/04/14", 2.1}, {"2026/04/15", -1}}},
        // UTF-8 bytes that declare Shift_JIS, the version only in the document type.
        {"v300.xml",
         "3.00",
         "No.2",
         -1.2,
         6.0,
         135.5,
         34.76,
         {{0, 1.5, "埋土", 8400}, {1.5, 4.0, "シルト質 細砂", 4403}, {4.0, 6.0, "ﾃﾞｲｻｲﾄ溶岩", 2700}},
         {{1.0, 4, 30, 4, "4"}, {5.0, 60, 12.5, 144, "60/12.5"}},  // 60 x 30 / 12.5
         {{"2025/11/02", 0.85}}},
        // Penetration in mm, the total drilled length, alternating layers.
        {"v400.xml",
         "4.00",
         "R-4",
         5.2,
         8.0,
         140.105,
         36.05,
         {{0, 3.0, "砂・粘土互層", 90406}, {3.0, 8.0, "泥岩", 4900}},
         {{2.0, 10, 30, 10, "10"}, {6.0, 50, 8, 187.5, "50/8"}},  // 50 x 30 / 8
         {{"2026-02-20", 1.5}}},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.file);
        const BoringXmlResult read = ReadBoringXml(FileBytes(c.file));
        ASSERT_TRUE(read.log) << read.error;
        const BoringLog& log = *read.log;
        EXPECT_EQ(log.version, c.version);
        EXPECT_EQ(log.name, c.name);
        EXPECT_DOUBLE_EQ(log.groundElevation.value_or(-999), c.elevation);
        EXPECT_DOUBLE_EQ(log.depth.value_or(-999), c.depth);
        EXPECT_NEAR(log.longitude.value_or(0), c.longitude, 1e-9);
        EXPECT_NEAR(log.latitude.value_or(0), c.latitude, 1e-9);
        ASSERT_EQ(log.layers.size(), c.layers.size());
        for (std::size_t i = 0; i < c.layers.size(); ++i) {
            EXPECT_DOUBLE_EQ(log.layers[i].top, c.layers[i].top) << i;
            EXPECT_DOUBLE_EQ(log.layers[i].bottom, c.layers[i].bottom) << i;
            EXPECT_EQ(log.layers[i].soil, c.layers[i].soil) << i;
            const BoringSoil soil = ResolveBoringSoil(ShippedTable(), log.layers[i]);
            EXPECT_EQ(soil.code, c.layers[i].pattern) << log.layers[i].matchName;
            EXPECT_TRUE(soil.known) << i;
        }
        ASSERT_EQ(log.penetration.size(), c.tests.size());
        for (std::size_t i = 0; i < c.tests.size(); ++i) {
            const BoringPenetration& t = log.penetration[i];
            EXPECT_DOUBLE_EQ(t.depth, c.tests[i].depth) << i;
            EXPECT_EQ(t.blows, c.tests[i].blows) << i;
            EXPECT_DOUBLE_EQ(t.penetrationCm.value_or(-1), c.tests[i].cm) << i;
            EXPECT_DOUBLE_EQ(t.n, c.tests[i].n) << i;
            EXPECT_EQ(PenetrationText(t), c.tests[i].text) << i;
        }
        ASSERT_EQ(log.waterLevels.size(), c.water.size());
        for (std::size_t i = 0; i < c.water.size(); ++i) {
            EXPECT_EQ(log.waterLevels[i].date, c.water[i].first);
            EXPECT_DOUBLE_EQ(log.waterLevels[i].depth.value_or(-1), c.water[i].second);
        }
    }
}

TEST(BoringXml, NormalizedLogAndHeaderOfAColumn) {
    const std::string bytes = FileBytes("v210-sjis.xml");
    EXPECT_EQ(DetectSourceKindOfBytes(bytes), kKindBoringXml);
    const NormalizedLog log = ParseSourceLog(kKindBoringXml, bytes, &ShippedTable());
    ASSERT_EQ(log.RowCount(logsection::kLayers), 5);
    const LogRow& fill = log.Rows(logsection::kLayers)[0];
    EXPECT_EQ(fill[0], "0.80");
    EXPECT_EQ(fill[1], "盛土(砂礫)");  // shown as written
    EXPECT_EQ(fill[2], "8200.1");
    EXPECT_EQ(fill[6], "4");
    ASSERT_EQ(log.RowCount(logsection::kMeasured), 4);
    EXPECT_EQ(log.Rows(logsection::kMeasured)[3][0], "11.15");
    EXPECT_EQ(log.Rows(logsection::kMeasured)[3][1], "50/15");

    const SourceHeader header = ReadSourceHeader(bytes);
    EXPECT_EQ(header.status, SourceHeader::Status::kRead);
    EXPECT_EQ(header.VersionText(), "600  _0");
    EXPECT_EQ(header.label, "B-3");
    EXPECT_EQ(header.elevationKind, "TP");
    EXPECT_EQ(header.elevation, "10.85");
    EXPECT_EQ(header.depth, "12.45");
    ASSERT_EQ(header.records.size(), 2u);
    EXPECT_EQ(header.records[0].level, "-2.10");  // below the ground
    EXPECT_EQ(header.records[1].text, "無し");    // -99.99
}

TEST(BoringXml, ColumnKeepsThePositionAndWarnsOfUnknownNamesWithoutFailing) {
    rave::testing::TempFolder folder;
    const std::string odd =
        "<?xml version=\"1.0\"?><ボーリング情報><土質岩種区分><土質岩種区分_下端深度>2.0"
        "</土質岩種区分_下端深度><土質岩種区分_土質岩種区分1>ダイヤモンド</土質岩種区分_土質岩種区分1>"
        "</土質岩種区分></ボーリング情報>";
    SectionDocument document;
    document.Column(1)[colfield::kDistance] = "0.00";
    document.Column(1)[colfield::kSourcePath] = kFolder + "v210-sjis.xml";
    document.Column(1)[colfield::kVersion] = "600  _0";
    document.Column(2)[colfield::kDistance] = "10.00";
    document.Column(2)[colfield::kSourcePath] = folder.Write("odd.xml", odd).string();
    rave::RecordingMessageSink messages;
    EXPECT_EQ(
        BuildColumnsFile(document, WorkingFiles::In(folder.path()), PathFromBytes, messages, &ShippedTable()),
        0);
    EXPECT_EQ(document.Column(1)[kLongitudeField], "139.697833");
    EXPECT_EQ(document.Column(1)[kLatitudeField], "35.681000");
    EXPECT_EQ(document.Log(1).Rows(logsection::kLayers)[1][2], "500.2");  // ｼﾙﾄ
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("ダイヤモンド"), std::string::npos);
    EXPECT_EQ(document.Log(2).Rows(logsection::kLayers)[0][2], "10002.0");
}

TEST(BoringXml, UnknownNamesTakeTheUnknownPatternAndAreListed) {
    BoringLog boring;
    boring.layers = {
        {0, 1, "ダイヤモンド", "ダイヤモンド"}, {1, 2, "砂", "砂"}, {2, 3, "ダイヤモンド", "ダイヤモンド"}};
    std::vector<std::string> unknown;
    const NormalizedLog log = BoringNormalizedLog(boring, ShippedTable(), &unknown);
    EXPECT_EQ(log.Rows(logsection::kLayers)[0][2], "10002.0");  // the table's "不明" row
    EXPECT_EQ(log.Rows(logsection::kLayers)[0][1], "ダイヤモンド");
    EXPECT_EQ(unknown, std::vector<std::string>{"ダイヤモンド"});
}

TEST(BoringXml, NRule) {
    struct Case {
        int blows;
        std::optional<double> cm;
        double n;
    };
    for (const Case& c : {Case{10, 30, 10}, Case{10, 45, 10}, Case{50, 10, 150}, Case{50, 25, 60},
                          Case{0, 50, 0}, Case{0, std::nullopt, 0}, Case{7, std::nullopt, 7}}) {
        EXPECT_DOUBLE_EQ(PenetrationN(c.blows, c.cm), c.n) << c.blows;
    }
}

TEST(BoringXml, MissingTotalLengthTakesTheDeepestRecord) {
    const std::string bytes = Utf8(
        u8"<?xml version=\"1.0\"?><ボーリング情報 DTD_version=\"2.10\"><標題情報><ボーリング基本情報>"
        u8"<孔口標高>3.0</孔口標高></ボーリング基本情報></標題情報>"
        u8"<土質岩種区分><土質岩種区分_下端深度>7.50</土質岩種区分_下端深度>"
        u8"<土質岩種区分_土質岩種区分1>砂</土質岩種区分_土質岩種区分1></土質岩種区分>"
        u8"<標準貫入試験><標準貫入試験_開始深度>7.40</標準貫入試験_開始深度>"
        u8"<標準貫入試験_合計打撃回数>50</標準貫入試験_合計打撃回数>"
        u8"<標準貫入試験_合計貫入量>20</標準貫入試験_合計貫入量></標準貫入試験></ボーリング情報>");
    const BoringXmlResult read = ReadBoringXml(bytes);
    ASSERT_TRUE(read.log) << read.error;
    EXPECT_DOUBLE_EQ(read.log->depth.value_or(0), 7.6);  // the test's 7.40 + 20 cm
    EXPECT_TRUE(read.log->name.empty());
}

std::u8string Element(const std::u8string& name, const std::u8string& content) {
    return u8"<" + name + u8">" + content + u8"</" + name + u8">";
}
std::u8string Layer4(const std::u8string& bottom) {
    return Element(u8"工学的地質区分名現場土質名", Element(u8"工学的地質区分名現場土質名_下端深度", bottom));
}
std::u8string PenetrationTest(const std::u8string& depth, const std::u8string& blows,
                              const std::u8string& interval = u8"") {
    return Element(u8"標準貫入試験", Element(u8"標準貫入試験_開始深度", depth) +
                                         Element(u8"標準貫入試験_打撃回数" + interval, blows) +
                                         Element(u8"標準貫入試験_合計打撃回数", blows) +
                                         Element(u8"標準貫入試験_合計貫入量", u8"30"));
}
BoringXmlResult ReadBody(const std::u8string& root, const std::u8string& body) {
    return ReadBoringXml(
        Utf8((u8"<?xml version=\"1.0\"?><" + root + u8">" + body + u8"</ボーリング情報>").c_str()));
}

// A file that names no version is in millimetres when its intervals carry the 4.00 names,
// wherever they stand after the text that parsing cuts.
TEST(BoringXml, UnversionedFileIsJudgedByItsIntervalNames) {
    for (const auto& [interval, n] : {std::pair{u8"_0_100", 500.0}, std::pair{u8"_0_10", 50.0}}) {
        const BoringXmlResult read =
            ReadBody(u8"ボーリング情報", Layer4(u8"20") + PenetrationTest(u8"17", u8"50", interval));
        ASSERT_TRUE(read.log && read.log->penetration.size() == 1) << read.error;
        EXPECT_DOUBLE_EQ(read.log->penetration[0].n, n) << Utf8(interval);
    }
}

// Layer data that cannot be right: read as far as it can be, every value dropped or read
// otherwise than written warned of.
TEST(BoringXml, ImplausibleValuesAreReadOrDroppedWithAWarning) {
    const std::u8string layer3 = Element(u8"岩石土区分", Element(u8"岩石土区分_下端深度", u8"3"));
    const auto total = [](const char8_t* depth) { return Element(u8"総削孔長", depth); };
    struct Case {
        std::u8string body;
        std::vector<double> bottoms;
        double depth;
        std::size_t tests, warnings;
    } const cases[] = {
        {Layer4(u8"5") + layer3 + Layer4(u8"10"), {5, 10}, 10, 0, 1},      // the 4.00 kind only
        {Layer4(u8"5") + Layer4(u8"3") + Layer4(u8"8"), {5, 8}, 8, 0, 1},  // running upward
        {total(u8"3") + Layer4(u8"20") + PenetrationTest(u8"15", u8"10"),
         {20},
         20,
         1,
         1},                                            // length above records
        {total(u8"-4") + Layer4(u8"6"), {6}, 6, 0, 1},  // above ground
        {Layer4(u8"6") + PenetrationTest(u8"2", u8"1e30") + PenetrationTest(u8"3", u8"-2") +
             PenetrationTest(u8"4", u8"12"),
         {6},
         6,
         1,
         2},
        {Layer4(u8"1,5") + Layer4(u8"１．７５") + Layer4(u8"２"),
         {1.5, 1.75, 2},
         2,
         0,
         3},                                               // comma, full width
        {Layer4(u8"1.5m") + Layer4(u8"2"), {2}, 2, 0, 1},  // no number
        {Layer4(u8"1.5") + Layer4(u8"2"), {1.5, 2}, 2, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.body.c_str()));
        const BoringXmlResult read = ReadBody(u8"ボーリング情報 DTD_version=\"4.00\"", c.body);
        ASSERT_TRUE(read.log) << read.error;
        std::vector<double> bottoms;
        for (const BoringLayer& layer : read.log->layers) {
            bottoms.push_back(layer.bottom);
        }
        EXPECT_EQ(bottoms, c.bottoms);
        EXPECT_DOUBLE_EQ(read.log->depth.value_or(-1), c.depth);
        EXPECT_EQ(read.log->penetration.size(), c.tests);
        EXPECT_EQ(read.warnings.size(), c.warnings);
    }
}

// "1,160" is 1160 where plausible for the element (an elevation), else dropped; warned of either way.
TEST(BoringXml, ACommaBeforeThreeDigitsIsThousandsOnlyWherePlausible) {
    const auto height = [](const char8_t* text) { return Element(u8"孔口標高", text) + Layer4(u8"5"); };
    const std::vector<std::tuple<std::u8string, double, const char*>> cases = {
        {height(u8"1,160"), 1160, "孔口標高 の値「1,160」はカンマを桁区切りとして 1160 と"},
        {height(u8"１，１６０"), 1160, "「１，１６０」はカンマを桁区切りとして 1160"},
        {height(u8"-1,160"), -1, "孔口標高 の値「-1,160」はカンマが桁区切りか小数点か"},
        {Layer4(u8"1,160") + Layer4(u8"5"), -1, "_下端深度 の値「1,160」はカンマが"},
        {Layer4(u8"5") + PenetrationTest(u8"1,150", u8"9"), -1, "_開始深度 の値「1,150」はカンマが"},
        {Layer4(u8"5") + PenetrationTest(u8"1", u8"1,000"), -1, "_合計打撃回数 の値「1,000」はカンマが"},
        {Layer4(u8"5") + Element(u8"孔内水位", Element(u8"孔内水位_孔内水位", u8"2,150")), -1,
         "水位 の値「2,150」"},
    };
    for (const auto& [body, elevation, warning] : cases) {
        const BoringXmlResult read = ReadBody(u8"ボーリング情報 DTD_version=\"4.00\"", body);
        ASSERT_TRUE(read.log && read.warnings.size() == 1) << warning;
        EXPECT_DOUBLE_EQ(read.log->groundElevation.value_or(-1), elevation) << warning;
        const BoringLog& log = *read.log;
        EXPECT_EQ(log.layers.size() + log.penetration.size() + log.waterLevels.size(), 1u) << warning;  // 5 m
        EXPECT_NE(read.warnings[0].find(warning), std::string::npos) << read.warnings[0];
    }
}

TEST(BoringXml, SoilNamesAreNormalisedForMatching) {
    const std::vector<std::pair<std::u8string, std::u8string>> cases = {
        {u8"ｼﾙﾄ", u8"シルト"},
        {u8"ﾛｰﾑ", u8"ローム"},
        {u8"ﾊﾟｲﾌﾟ ｶﾞﾗ", u8"パイプガラ"},
        {u8"礫混じり 砂", u8"礫混り砂"},
        {u8"盛土（砂礫）", u8"盛土"},
        {u8"(砂礫)", u8"砂礫"},
        {u8"ｳﾞ", u8"ヴ"},
        {u8"ＡＢ　1", u8"AB1"},
    };
    for (const auto& [written, normalised] : cases) {
        EXPECT_EQ(NormaliseSoilName(Utf8(written.c_str())), Utf8(normalised.c_str()));
    }
}

TEST(BoringXml, EncodingIsUtf8WhenValidElseDeclaredElseCp932) {
    const std::string sjis = "\x83\x56\x83\x8B\x83\x67";  // シルト in cp932
    const std::string utf8 = Utf8(u8"シルト");
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_FALSE(IsValidUtf8(sjis));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    const auto wrap = [](const std::string& encoding, const std::string& text) {
        return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?><a>" + text + "</a>";
    };
    EXPECT_EQ(XmlBytesAsUtf8(wrap("Shift_JIS", utf8)).value(), wrap("Shift_JIS", utf8));
    EXPECT_EQ(XmlBytesAsUtf8(wrap("Shift_JIS", sjis)).value(), wrap("Shift_JIS", utf8));
    EXPECT_EQ(XmlBytesAsUtf8(wrap("UTF-8", sjis)).value(), wrap("UTF-8", utf8));
    EXPECT_EQ(XmlBytesAsUtf8(wrap("EUC-JP", "\xA5\xB7\xA5\xEB\xA5\xC8")).value(), wrap("EUC-JP", utf8));
    EXPECT_EQ(XmlBytesAsUtf8("\xEF\xBB\xBF<a/>").value(), "<a/>");
}

TEST(BoringXml, Utf16AndEucJpFilesAreReadAndOthersNamed) {
    const auto utf16 = [](const std::u16string& text, bool little, bool mark) {
        std::string bytes = mark ? (little ? "\xFF\xFE" : "\xFE\xFF") : "";
        for (const char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            bytes += little ? std::string{low, high} : std::string{high, low};
        }
        return bytes;
    };
    const std::u16string text = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>\u30B7\u30EB\u30C8\U0001F600</a>";
    const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>" + Utf8(u8"シルト") + "\xF0\x9F\x98\x80</a>";
    EXPECT_EQ(XmlBytesAsUtf8(utf16(text, true, true)), utf8);
    EXPECT_EQ(XmlBytesAsUtf8(utf16(text, false, true)), utf8);
    EXPECT_EQ(XmlBytesAsUtf8(utf16(text, true, false)), utf8);
    // EUC-JP: a JIS X 0208 pair, a half-width katakana (0x8E) and the wave dash row.
    const std::string euc = "<?xml version=\"1.0\" encoding=\"EUC-JP\"?><a>\xBA\xBD\x8E\xBB\xA1\xC1</a>";
    EXPECT_EQ(XmlBytesAsUtf8(euc), "<?xml version=\"1.0\" encoding=\"EUC-JP\"?><a>" + Utf8(u8"砂ｻ～") + "</a>");
    const std::string jis = "<?xml version=\"1.0\" encoding=\"ISO-2022-JP\"?><a>\x1B$B:=\x1B(B</a>";
    EXPECT_FALSE(XmlBytesAsUtf8(jis));
    EXPECT_EQ(UnsupportedXmlEncoding(jis), "ISO-2022-JP");
    const BoringXmlResult read = ReadBoringXml(jis);
    EXPECT_NE(read.error.find("ISO-2022-JP"), std::string::npos) << read.error;
    // Entities are refused in UTF-16 too, where their bytes are spread out.
    const BoringXmlResult entities = ReadBoringXml(utf16(u"<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x \"y\">]><a/>", true, true));
    EXPECT_FALSE(entities.log);
    EXPECT_FALSE(entities.error.empty());
}

TEST(BoringXml, HostileFilesAreRefusedQuickly) {
    const std::string root = Utf8(u8"ボーリング情報");
    std::string deep = "<" + root + ">";
    for (int i = 0; i < 20000; ++i) {
        deep += "<a>";
    }
    for (int i = 0; i < 20000; ++i) {
        deep += "</a>";
    }
    deep += "</" + root + ">";
    std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE " + root + " [<!ENTITY a \"ha\">";
    for (char c = 'b'; c <= 'k'; ++c) {
        std::string tenOfThePrevious;
        for (int i = 0; i < 10; ++i) {
            tenOfThePrevious += std::string("&") + static_cast<char>(c - 1) + ";";
        }
        laughs += std::string("<!ENTITY ") + c + " \"" + tenOfThePrevious + "\">";
    }
    laughs += "]><" + root + ">&k;</" + root + ">";
    std::string huge = "<" + root + "><!-- ";
    huge.append(50u * 1024u * 1024u, 'x');
    huge += " --></" + root + ">";
    const std::string v400 = FileBytes("v400.xml");
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"not XML", "hello, this is not XML"},
        {"another root", "<?xml version=\"1.0\"?><root/>"},
        {"truncated", v400.substr(0, v400.size() / 2)},
        {"external entity", "<?xml version=\"1.0\"?><!DOCTYPE " + root +
                                " [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><" + root + ">&x;</" + root +
                                ">"},
        {"billion laughs", laughs},
        {"deep nesting", deep},
        {"50 MB", huge},
    };
    for (const auto& [why, bytes] : cases) {
        const double start = Seconds();
        const BoringXmlResult read = ReadBoringXml(bytes);
        const double elapsed = Seconds() - start;
        EXPECT_FALSE(read.log) << why;
        EXPECT_FALSE(read.error.empty()) << why;
        EXPECT_LT(elapsed, 0.5) << why;
        EXPECT_TRUE(ParseSourceLog(kKindBoringXml, bytes, &ShippedTable()).Empty()) << why;
    }
}

}  // namespace
}  // namespace ravesect
