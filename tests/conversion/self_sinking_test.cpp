// The self-sinking layer check below a footing: which rows count as self-sinking, the two depth
// bands with their load limits at their exact boundaries, and whether the sounding reached 5 m
// below the footing.
#include <gtest/gtest.h>

#include <vector>

#include "ravelog/conversion/self_sinking.h"

namespace ravelog {
namespace {

struct Row {
    const char* depth;
    const char* wsw;
    const char* na;
};

SoundingDocument Sounding(const std::vector<Row>& rows) {
    SoundingDocument d;
    int i = 0;
    for (const Row& r : rows) {
        MeasuredRow& row = d.Row(++i);
        row[field::kDepth] = r.depth;
        row[field::kLoad] = r.wsw;
        row[field::kHalfTurns] = r.na;
    }
    return d;
}

TEST(SelfSinking, RowsSinkByThemselvesUnderAtMostOneKilonewtonWithoutTurning) {
    const std::pair<Row, bool> cases[] = {
        {{"1.00", "1.00", ""}, true},    {{"1.00", "0.25", "0"}, true},  {{"1.00", "0.75", " "}, true},
        {{"1.00", "0.50", "0.0"}, true}, {{"1.00", "1.00", "2"}, false}, {{"1.00", "0.50", "自沈"}, false},
        {{"1.00", "", ""}, false},       {{"1.00", "0", ""}, false},     {{"1.00", "1.01", ""}, false},
        {{"1.00", "ｽﾙｽﾙ", ""}, false},
    };
    for (const auto& [row, expected] : cases) {
        EXPECT_EQ(IsSelfSinkingRow(Sounding({row}).Row(1)), expected) << row.wsw << " / " << row.na;
    }
}

TEST(SelfSinking, BandsBelowTheFootingAtTheirBoundaries) {
    struct Case {
        const char* name;
        std::vector<Row> rows;
        bool within2m, from2to5m, reaches5m;
        std::size_t layers;
    };
    // The footing lies 1.00 m below ground: the bands are (1, 3] and (3, 6].
    const Case cases[] = {
        {"ends exactly at the footing",
         {{"1.00", "0.50", ""}, {"6.00", "1.00", "50"}},
         false,
         false,
         true,
         1},
        {"just below the footing", {{"1.00", "1.00", "4"}, {"1.25", "1.00", ""}}, true, false, false, 1},
        {"ends exactly at F+2", {{"2.75", "1.00", "15"}, {"3.00", "0.50", ""}}, true, false, false, 1},
        {"starts at F+2 under 0.50", {{"3.00", "1.00", "20"}, {"3.25", "0.50", ""}}, false, true, false, 1},
        {"starts at F+2 under 0.75", {{"3.00", "1.00", "20"}, {"3.25", "0.75", ""}}, false, false, false, 1},
        {"ends exactly at F+5", {{"5.75", "1.00", "10"}, {"6.00", "0.50", ""}}, false, true, true, 1},
        {"starts at F+5", {{"6.00", "1.00", "10"}, {"6.25", "0.25", ""}}, false, false, true, 1},
        {"spans both bands", {{"0.50", "1.00", "8"}, {"4.00", "0.50", "0"}}, true, true, false, 1},
        {"a note in Na", {{"1.50", "0.50", "自沈"}, {"3.50", "0.25", "ｽｸﾘｭｰ"}}, false, false, false, 0},
        {"ends at F+3", {{"2.00", "1.00", "12"}, {"4.00", "1.00", "30"}}, false, false, false, 0},
        {"no rows", {}, false, false, false, 0},
    };
    for (const Case& c : cases) {
        const SelfSinkingCheck check = CheckSelfSinking(Sounding(c.rows), 1.0);
        EXPECT_EQ(check.within2m, c.within2m) << c.name;
        EXPECT_EQ(check.from2to5m, c.from2to5m) << c.name;
        EXPECT_EQ(check.settlementCheck, c.within2m || c.from2to5m) << c.name;
        EXPECT_EQ(check.reaches5m, c.reaches5m) << c.name;
        EXPECT_EQ(check.layers.size(), c.layers) << c.name;
    }
}

// Every self-sinking row is listed, also those above the footing or below the bands.
TEST(SelfSinking, LayersNameTheirIntervalLoadAndRow) {
    const SelfSinkingCheck check = CheckSelfSinking(
        Sounding({{"0.25", "0.50", ""}, {"0.75", "1.00", "3"}, {"1.00", "0.75", ""}, {"1.50", "0.25", "0"}}),
        0.5);
    ASSERT_EQ(check.layers.size(), 3u);
    EXPECT_EQ(check.layers[0].row, 1);
    EXPECT_DOUBLE_EQ(check.layers[0].from, 0.0);
    EXPECT_DOUBLE_EQ(check.layers[0].to, 0.25);
    EXPECT_EQ(check.layers[1].row, 3);
    EXPECT_DOUBLE_EQ(check.layers[1].from, 0.75);
    EXPECT_DOUBLE_EQ(check.layers[1].to, 1.00);
    EXPECT_DOUBLE_EQ(check.layers[1].wsw, 0.75);
    EXPECT_DOUBLE_EQ(check.layers[2].from, 1.00);
    EXPECT_DOUBLE_EQ(check.layers[2].to, 1.50);
    EXPECT_DOUBLE_EQ(check.footingDepth, 0.5);
}

}  // namespace
}  // namespace ravelog
