// The data a new install folder is filled with: every file is cp932 text with CR LF line ends and
// reads through the program's own loaders, the soil names map to patterns the library draws, and
// the names of real logs resolve to the expected composite codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "common/cp932.h"
#include "common/installed_soil_tables.h"
#include "common/master_files.h"
#include "common/messages.h"
#include "common/soil_pattern_resolver.h"
#include "common/text_file.h"

namespace rave {
namespace {

const std::filesystem::path kData = std::filesystem::path(RAVE_SOURCE_DIR) / "data";
constexpr int kLine = soil_number_kind::kLineDrawing;
constexpr int kBitmap = soil_number_kind::kBitmap;

// The pattern numbers the soil-pattern library draws (the section program knows the 20000s too).
const std::set<long> kLibraryPatterns = {
    1,    2,    3,    4,    5,    6,    7,     8,     10,    20,    30,    40,    50,    100,  200,  300,
    400,  500,  600,  700,  800,  900,  1100,  1200,  1300,  1400,  1500,  1600,  1700,  2100, 2200, 2300,
    2400, 2500, 2600, 2700, 2800, 2900, 3000,  3100,  3300,  3400,  3500,  3600,  3800,  4100, 4200, 4300,
    4400, 4500, 4600, 4700, 4800, 4900, 5000,  5100,  5200,  6100,  6200,  6300,  6400,  6800, 6900, 8100,
    8200, 8300, 8400, 8500, 8600, 8700, 10000, 10001, 10002, 10003, 10004, 10091, 10092, 10093};
const std::set<long> kSectionPatterns = {20001, 20002, 20003, 20004, 20100, 20400};

std::string ReadData(const char* name) {
    const auto bytes = ReadFileBytes(kData / name);
    EXPECT_TRUE(bytes) << name;
    return bytes.value_or(std::string());
}

bool EndsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(ShippedData, EveryFileIsCp932WithCrLfLineEnds) {
    for (const char* name : {"WdtvxJG.mst", "WdtvxCS.mst", "PtnvcJG.ndx", "M.mst", "K.mst", "Dc.mst",
                             "Help.txt", "Helpq.txt", "Sysq.ndx", "Fntq1.ndx", "Fntq7.ndx"}) {
        const std::string bytes = ReadData(name);
        ASSERT_FALSE(bytes.empty()) << name;
        EXPECT_TRUE(EndsWith(bytes, "\r\n")) << name;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " byte " << i;
            }
            // Every lead byte has its trail byte: the text decodes as cp932.
            const auto c = static_cast<unsigned char>(bytes[i]);
            if (IsCp932LeadByte(c)) {
                ASSERT_LT(i + 1, bytes.size()) << name;
                const auto trail = static_cast<unsigned char>(bytes[i + 1]);
                EXPECT_TRUE(trail >= 0x40 && trail <= 0xFC && trail != 0x7F) << name << " byte " << i;
                ++i;
            }
        }
    }
}

TEST(ShippedData, LinesFitTheirReaders) {
    const auto fits = [](const char* name, std::size_t limit) {
        const std::string bytes = ReadData(name);
        LineCursor cursor(bytes, 100000);
        std::string_view line;
        while (cursor.Next(line)) {
            EXPECT_LT(line.size(), limit) << name << ": " << line;
        }
    };
    fits("WdtvxJG.mst", SoilNameTable::kLineLimit);
    fits("WdtvxCS.mst", SoilNameTable::kLineLimit);
    fits("PtnvcJG.ndx", PatternColorTable::kLineLimit);
    fits("M.mst", kMasterLineLimit);
    fits("K.mst", kMasterLineLimit);
    fits("Help.txt", 140);
    fits("Helpq.txt", 140);
    fits("Sysq.ndx", 100);
}

TEST(ShippedData, TheJacicMasterMapsNamesToDrawablePatterns) {
    RecordingMessageSink messages;
    SoilNameTable table;
    EXPECT_EQ(LoadBothSoilNameKinds(table, kData / "WdtvxJG.mst", messages), 1);
    EXPECT_TRUE(messages.shown.empty());
    for (int kind : {kLine, kBitmap}) {
        const auto soils = table.GroupRows(kind, 1);
        EXPECT_GE(soils.size(), 50u);
        for (const SoilNameRow& row : soils) {
            EXPECT_TRUE(kLibraryPatterns.count(row.number) == 1 && row.number >= 100) << row.name;
        }
        const auto admixtures = table.GroupRows(kind, 2);
        ASSERT_FALSE(admixtures.empty());
        for (const SoilNameRow& row : admixtures) {
            EXPECT_TRUE(EndsWith(row.name, "混り")) << row.name;
            EXPECT_TRUE(row.number >= 10 && row.number <= 50 && row.number % 10 == 0) << row.name;
        }
        const auto adjectives = table.GroupRows(kind, 3);
        ASSERT_FALSE(adjectives.empty());
        for (const SoilNameRow& row : adjectives) {
            EXPECT_TRUE(EndsWith(row.name, "質")) << row.name;
            EXPECT_TRUE(row.number >= 1 && row.number <= 8) << row.name;
        }
    }
    // The built-in compound names are whole soil names of the table.
    for (const std::string& compound : CompoundSoilNames()) {
        EXPECT_EQ(ResolveSoilPattern(table, compound, kLine).name, compound);
        EXPECT_GT(ResolveSoilPattern(table, compound, kLine).code, 0) << compound;
    }
}

TEST(ShippedData, RealSoilNamesResolve) {
    RecordingMessageSink messages;
    const InstalledSoilTables tables = LoadInstalledSoilTables(kData, messages);
    EXPECT_TRUE(messages.shown.empty());
    const auto code = [&](std::string_view name) {
        return ResolveSoilPattern(tables.jacic, name, kLine).code;
    };
    const auto cls = [&](std::string_view name) {
        return ResolveSoilPattern(tables.jacic, name, kLine).soilClass;
    };
    EXPECT_EQ(code("砂"), 400);
    EXPECT_EQ(cls("砂"), soil_class::kSandy);
    EXPECT_EQ(code("粘土"), 600);
    EXPECT_EQ(cls("粘土"), soil_class::kClayey);
    EXPECT_EQ(code("砂礫"), 3600);
    EXPECT_EQ(code("礫混り砂"), 450);
    EXPECT_EQ(code("砂混じりシルト"), 510);
    EXPECT_EQ(code("砂質シルト"), 501);
    EXPECT_EQ(cls("砂質シルト"), soil_class::kClayey);
    EXPECT_EQ(code("シルト質砂"), 403);
    EXPECT_EQ(code("礫混り砂質シルト"), 551);
    EXPECT_EQ(code("有機物混りシルト質粘土"), 643);
    EXPECT_EQ(code("有機質土"), 700);
    EXPECT_EQ(code("高有機質土"), 6900);
    EXPECT_EQ(code("火山灰質粘性土"), 8100);
    EXPECT_EQ(code("砂・粘土互層"), 90406);
    EXPECT_EQ(cls("砂・粘土互層"), soil_class::kBoth);
    EXPECT_EQ(code("砂岩･泥岩互層"), 94649);
    EXPECT_EQ(code("黄褐色粘土"), 600);
    EXPECT_EQ(code("盛土"), 8200);
    EXPECT_EQ(code("コンクリート"), 10091);
    EXPECT_EQ(code("空洞"), 10000);
    EXPECT_EQ(code("ダイヤモンド"), 0);
    // The marker colour is red, and every pattern of the library has a colour.
    EXPECT_EQ(tables.colors.PatternColor(10000), 0x0000ff);
    for (long pattern : kLibraryPatterns) {
        EXPECT_NE(tables.colors.PatternColor(pattern), 0) << pattern;
    }
    for (long pattern : kSectionPatterns) {
        EXPECT_TRUE(std::any_of(tables.colors.Pairs().begin(), tables.colors.Pairs().end(),
                                [&](const PatternColorPair& p) { return p.patternNo == pattern; }))
            << pattern;
    }
    EXPECT_LE(tables.colors.Count(), PatternColorTable::kMaxPairs);
}

TEST(ShippedData, TheSimpleMasterUsesTilesOrItsOwnMarkers) {
    RecordingMessageSink messages;
    const InstalledSoilTables tables = LoadInstalledSoilTables(kData, messages);
    const auto rows = tables.simple.GroupRows(kBitmap, 1);
    ASSERT_GE(rows.size(), 10u);
    for (const SoilNameRow& row : rows) {
        const bool marker = row.number >= 800 && row.number <= 869;
        EXPECT_TRUE(marker || kLibraryPatterns.count(row.number) == 1) << row.name;
        EXPECT_EQ(row.number,
                  tables.simple.GroupRows(kLine, 1)[static_cast<std::size_t>(&row - rows.data())].number);
    }
}

TEST(ShippedData, ThePickListAgreesWithTheJacicMaster) {
    RecordingMessageSink messages;
    const InstalledSoilTables tables = LoadInstalledSoilTables(kData, messages);
    const auto picks = LoadSoilPickList(kData / "Dc.mst");
    ASSERT_TRUE(picks);
    ASSERT_GE(picks->size(), 15u);
    for (const SoilPickEntry& pick : *picks) {
        const SoilResolution resolved = ResolveSoilPattern(tables.jacic, pick.name, kLine);
        const SoilNumber number = ParseSoilNumber(pick.pattern);
        EXPECT_EQ(resolved.code, number.number) << pick.name;
        EXPECT_EQ(resolved.soilClass, number.soilClass) << pick.name;
    }
}

TEST(ShippedData, TheMastersHoldEntries) {
    for (const char* name : {"M.mst", "K.mst"}) {
        const auto entries = LoadMasterList(kData / name);
        ASSERT_TRUE(entries) << name;
        EXPECT_GE(entries->size(), 3u) << name;
        EXPECT_EQ(MasterDuplicateLines(*entries), "") << name;
    }
}

}  // namespace
}  // namespace rave
