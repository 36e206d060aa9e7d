// Resolving written soil names into composite pattern codes, classes and marks, and the
// sandy/clayey classification of measured rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/messages.h"
#include "common/soil_name_table.h"
#include "common/soil_pattern_resolver.h"
#include "common/text_file.h"

namespace rave {
namespace {

constexpr int kLine = soil_number_kind::kLineDrawing;
constexpr int kBitmap = soil_number_kind::kBitmap;

SoilNameTable SmallTable() {
    SoilNameTable table;
    const std::string bytes = JoinCrLf({
        "[第1群], ,1,",
        "砂,Sa,400.1,41.1,",
        "粘土,Cl,600.2,61.2,",
        "シルト,Si,500.2,51.2,",
        "砂礫,Gs,3600.1,361.1,",
        "砂質土,SS,1400.1,141.1,",
        "火山灰質粘性土,V,8100.2,811.2,",
        "砂岩,Ss,4600,46,",
        "泥岩,Ms,4900,49,",
        "空洞,X,10000,10000,",
        "[第2群]",
        "礫混り,g,50,50,",
        "砂混り,s,10,10,",
        "[第3群]",
        "砂質,s',1,1,",
        "シルト質,m',3,3,",
        "[終了]",
    });
    table.LoadSoilNameBytes(bytes, kLine);
    table.LoadSoilNameBytes(bytes, kBitmap);
    return table;
}

class Resolve : public ::testing::Test {
protected:
    SoilResolution Of(std::string_view name, std::string_view numberText = {}) {
        return ResolveSoilPattern(table, name, kLine, numberText);
    }
    SoilNameTable table = SmallTable();
};

TEST_F(Resolve, APlainNameMatchesExactly) {
    const SoilResolution r = Of("砂");
    EXPECT_EQ(r.code, 400);
    EXPECT_EQ(r.soilClass, soil_class::kSandy);
    EXPECT_EQ(r.mark, "Sa");
    EXPECT_EQ(FormatResolvedPattern(r), "400.1");
    // The bitmap kind resolves the same name to the bitmap numbers.
    EXPECT_EQ(ResolveSoilPattern(table, "砂", kBitmap).code, 41);
}

TEST_F(Resolve, AnAdmixturePhraseAddsItsTens) {
    const SoilResolution r = Of("砂混りシルト");
    EXPECT_EQ(r.code, 510);
    EXPECT_EQ(r.soilClass, soil_class::kClayey);
    EXPECT_EQ(r.mark, "Sis");
    // Both spellings of "mixed with" compare equal.
    EXPECT_EQ(Of("砂混じりシルト").code, 510);
    EXPECT_EQ(Of("砂混じりシルト").name, "砂混りシルト");
}

TEST_F(Resolve, AnUnknownAdmixtureIsMarkedWithADash) {
    const SoilResolution r = Of("貝混りシルト");
    EXPECT_EQ(r.code, 500);
    EXPECT_EQ(r.mark, "Si-");
}

TEST_F(Resolve, AnAdjectiveAddsItsUnitsAndTheMainNameFollowsIt) {
    EXPECT_EQ(Of("砂質シルト").code, 501);
    EXPECT_EQ(Of("砂質シルト").soilClass, soil_class::kClayey);
    EXPECT_EQ(Of("シルト質砂").code, 403);
    EXPECT_EQ(Of("シルト質砂").mark, "Sam'");
    const SoilResolution all = Of("礫混り砂質シルト");
    EXPECT_EQ(all.code, 551);
    EXPECT_EQ(all.mark, "Sis'g");
}

TEST_F(Resolve, CompoundNamesAreNotSplitAtTheirAdjective) {
    EXPECT_EQ(Of("砂質土").code, 1400);
    // Without the compound rule "砂質" would be taken off and "土" would match nothing (51).
    EXPECT_EQ(Of("礫混り砂質土").code, 1450);
    EXPECT_EQ(Of("礫混り砂質土").soilClass, soil_class::kSandy);
    EXPECT_EQ(Of("砂混り火山灰質粘性土").code, 8110);
    // An adjective written before a compound still counts.
    EXPECT_EQ(Of("シルト質砂質土").code, 1403);
}

TEST_F(Resolve, TheLongestContainedNameWins) {
    EXPECT_EQ(Of("褐色の砂礫").code, 3600);
    EXPECT_EQ(Of("黄褐色粘土").code, 600);
    // Equal lengths: the later row replaces the earlier one.
    EXPECT_EQ(Of("砂岩泥岩").code, 4900);
}

TEST_F(Resolve, AlternatingLayersCombineBothSoils) {
    const SoilResolution r = Of("砂・粘土互層");
    EXPECT_EQ(r.code, 90406);
    EXPECT_EQ(r.soilClass, soil_class::kBoth);
    EXPECT_EQ(r.mark, "Sa/Cl");
    // The half-width separator.
    EXPECT_EQ(Of("砂岩･泥岩互層").code, 94649);
    EXPECT_EQ(Of("砂岩･泥岩互層").soilClass, soil_class::kNone);
    // One class 0: the sum; equal classes: the common class.
    EXPECT_EQ(Of("砂・砂岩互層").soilClass, soil_class::kSandy);
    EXPECT_EQ(Of("粘土・シルト互層").soilClass, soil_class::kClayey);
    EXPECT_EQ(Of("粘土・シルト互層").code, 90605);
}

TEST_F(Resolve, AlternatingLayersWithoutSeparatorOrWithMarkers) {
    EXPECT_EQ(Of("砂泥互層").code, 90000);
    // A first soil above 9900 stands alone; a second one adds nothing.
    EXPECT_EQ(Of("空洞・砂互層").code, 10000);
    EXPECT_EQ(Of("砂・空洞互層").code, 90400);
}

TEST_F(Resolve, UnknownNamesGiveNoPattern) {
    EXPECT_EQ(Of("コンクリート").code, 0);
    EXPECT_EQ(Of("").code, 0);
    EXPECT_EQ(Of("互層").code, 90000);
}

TEST_F(Resolve, APickListNumberFixesTheClass) {
    EXPECT_EQ(Of("砂", "400.2").soilClass, soil_class::kClayey);
    EXPECT_EQ(Of("砂", "400.2").code, 400);
    EXPECT_EQ(Of("砂", "400").soilClass, soil_class::kSandy);
    EXPECT_EQ(Of("砂混りシルト", "510.0").soilClass, soil_class::kNone);
}

TEST_F(Resolve, AMarkerTakesNoAdmixtureOrAdjective) {
    EXPECT_EQ(Of("砂混り空洞").code, 10000);
}

TEST_F(Resolve, DoubleByteCharactersAreNeverSplitWhenSearching) {
    // The trail byte 0x82 of the first character and the lead byte 0xE8 of the second look like
    // "り" (0x82 0xE8) to a byte search; a character-aware search finds no admixture here.
    const std::string name = std::string("\x90\x82\xE8\x40") + "粘土";
    const SoilResolution r = Of(name);
    EXPECT_EQ(r.code, 600);
    EXPECT_EQ(r.mark, "Cl");
}

TEST(ClassifyMeasuredRows, NamedRowsClassifyTheLayerAboveThem) {
    RecordingMessageSink messages;
    const std::vector<NamedRowNumber> rows = {
        {"", ""}, {"", ""}, {"粘土", "600.2"}, {"", ""}, {"砂", "400.1"}, {"", ""}, {"岩", "4600"}, {"", ""},
    };
    const std::vector<std::string> classes = ClassifyMeasuredRows(rows, messages);
    EXPECT_EQ(classes, (std::vector<std::string>{"2", "2", "2", "1", "1", "0", "0", "0"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ClassifyMeasuredRows, NumbersWithoutAnyClassPartAreReported) {
    RecordingMessageSink messages;
    const std::vector<std::string> classes =
        ClassifyMeasuredRows({{"粘土", "600"}, {"", ""}, {"砂", "400"}}, messages);
    EXPECT_EQ(classes, (std::vector<std::string>{"0", "0", "0"}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "砂質土粘性土分類データがありません");
    // Rows without any number text say nothing.
    RecordingMessageSink quiet;
    ClassifyMeasuredRows({{"粘土", ""}}, quiet);
    EXPECT_TRUE(quiet.shown.empty());
}

}  // namespace
}  // namespace rave
