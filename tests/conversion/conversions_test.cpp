// Converted N, qu and qa of single rows, the conversion table and the sandy/clayey classes.
#include <gtest/gtest.h>

#include "common/format.h"
#include "common/numbers.h"
#include "common/ravelog_settings.h"
#include "ravelog/conversion/coefficient_set.h"
#include "ravelog/conversion/conversions.h"
#include "ravelog/conversion/default_settings.h"

namespace ravelog {
namespace {

namespace kind = conversion_kind;

// A document whose coefficient slots hold the factory set; slot 68 (Wsw = 1 only) off so the qa
// formula is computed for every load unless a test turns it on.
SoundingDocument FactoryDocument() {
    SoundingDocument doc;
    FillEmptySettings(doc, rave::RavelogSettings::Defaults());
    doc.header[coef::kQaWsw1Only] = "0";
    return doc;
}

void SetRow(SoundingDocument& doc, int i, const char* soilClass, const char* load, const char* nsw) {
    doc.Row(i)[field::kSoilClass] = soilClass;
    doc.Row(i)[field::kLoad] = load;
    doc.Row(i)[field::kNsw] = nsw;
    doc.Row(i)[field::kDepth] = "1.00";
}

void SetFormula(SoundingDocument& doc, int first, const char* a, const char* b, const char* c, const char* d,
                const char* e) {
    const char* values[] = {a, b, c, d, e};
    for (int i = 0; i < 5; ++i) {
        doc.header[first + i] = values[i];
    }
}

std::string Value(const SoundingDocument& doc, int kindOfValue, int row = 1) {
    return ConvertRowValue(doc, row, kindOfValue);
}

TEST(ConvertRowValue, WorkedValuesOfTheFactorySet) {
    SoundingDocument doc = FactoryDocument();
    SetRow(doc, 1, "1", "1.00", "30");
    EXPECT_EQ(Value(doc, kind::kN), "4.010000");  // 2·1 + 0.067·30

    SetRow(doc, 1, "2", "0.75", "0");
    EXPECT_EQ(Value(doc, kind::kN), "2.250000");  // 3·0.75, Nsw below 0.01 adds nothing
    EXPECT_EQ(Value(doc, kind::kQu), "33.750000");

    SetRow(doc, 1, "1", "1.00", "200");
    doc.header[coef::kNswCap] = "150";
    EXPECT_EQ(Value(doc, kind::kQaFormula), "120.000060");  // 30 + 0.6·150.0001
}

TEST(ConvertRowValue, RowWithoutNswGivesEmptyTextForEveryKind) {
    SoundingDocument doc = FactoryDocument();
    for (const char* nsw : {"", "  ", "abc"}) {
        SetRow(doc, 1, "1", "1.00", nsw);
        for (int k : {kind::kN, kind::kQu, kind::kQaFormula, kind::kQaFromN, 7}) {
            EXPECT_EQ(Value(doc, k), "") << "Nsw '" << nsw << "' kind " << k;
        }
    }
}

TEST(ConvertRowValue, UnclassifiedRowHasNoNOrQuButAFormulaQa) {
    SoundingDocument doc = FactoryDocument();
    for (const char* soilClass : {"0", "", "3"}) {
        SetRow(doc, 1, soilClass, "1.00", "10");
        EXPECT_EQ(Value(doc, kind::kN), "");
        EXPECT_EQ(Value(doc, kind::kQu), "");
        EXPECT_EQ(Value(doc, kind::kQaFromN), "-999");
        EXPECT_EQ(Value(doc, kind::kQaFormula), "36.000000");  // 30 + 0.6·10, whatever the class
    }
}

TEST(ConvertRowValue, SandyAndClayeyRowsUseTheirOwnCoefficientSlots) {
    SoundingDocument doc = FactoryDocument();
    SetFormula(doc, coef::kNClayey, "100", "0", "1", "0", "1");  // slots 38..42
    SetFormula(doc, coef::kNSandy, "200", "0", "1", "0", "1");   // slots 43..47
    SetRow(doc, 1, "2", "1.00", "10");
    EXPECT_EQ(Value(doc, kind::kN), "100.000000");
    SetRow(doc, 1, "1", "1.00", "10");
    EXPECT_EQ(Value(doc, kind::kN), "200.000000");
}

TEST(ConvertRowValue, EachCoefficientHasItsPlaceInTheFormula) {
    SoundingDocument doc = FactoryDocument();
    // N = a + b·W^c + d·S^e with every coefficient distinct: 1 + 2·2^3 + 0.5·4^2 = 25.
    SetFormula(doc, coef::kNSandy, "1", "2", "3", "0.5", "2");
    SetRow(doc, 1, "1", "2", "4");
    // W = 2 lies above 1.1 but c = 3 is far from the exponent guard.
    EXPECT_EQ(Value(doc, kind::kN), "25.000000");
    SetFormula(doc, coef::kQu, "1", "2", "3", "0.5", "2");
    doc.header[coef::kQuForSandy] = "1";
    EXPECT_EQ(Value(doc, kind::kQu), "25.000000");
    // qa = a + b·W^c + d·S: the Nsw term has no exponent.
    SetFormula(doc, coef::kQaFormula, "1", "2", "3", "0.5", "2");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "19.000000");
}

TEST(ConvertRowValue, QuOfSandySoilOnlyWhenChosen) {
    SoundingDocument doc = FactoryDocument();
    SetRow(doc, 1, "1", "1.00", "30");
    doc.header[coef::kQuForSandy] = "0";
    EXPECT_EQ(Value(doc, kind::kQu), "");
    doc.header[coef::kQuForSandy] = "";
    EXPECT_EQ(Value(doc, kind::kQu), "");
    doc.header[coef::kQuForSandy] = "1";
    EXPECT_EQ(Value(doc, kind::kQu), "67.500000");  // 45·1 + 0.75·30, the same qu set
    SetRow(doc, 1, "2", "1.00", "30");
    doc.header[coef::kQuForSandy] = "0";
    EXPECT_EQ(Value(doc, kind::kQu), "67.500000");
}

TEST(ConvertRowValue, AnExponentThatIsNoNumberDropsItsTerm) {
    SoundingDocument doc = FactoryDocument();
    SetRow(doc, 1, "2", "1.00", "10");
    SetFormula(doc, coef::kNClayey, "0", "3", "", "0.05", "1");
    EXPECT_EQ(Value(doc, kind::kN), "0.500000");  // b = 3 is set, but c is empty
    SetFormula(doc, coef::kNClayey, "0", "3", "x", "0.05", "1");
    EXPECT_EQ(Value(doc, kind::kN), "0.500000");
    SetFormula(doc, coef::kNClayey, "0", "3", "1", "0.05", "");
    EXPECT_EQ(Value(doc, kind::kN), "3.000000");  // the Nsw term goes with e
    SetFormula(doc, coef::kQu, "1", "45", "", "0.75", "");
    EXPECT_EQ(Value(doc, kind::kQu), "1.000000");
    // The qa formula drops its Wsw term with c; its e plays no part.
    SetFormula(doc, coef::kQaFormula, "1", "10", "", "0.5", "");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "6.000000");
    SetFormula(doc, coef::kQaFormula, "1", "10", "1", "0.5", "x");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "16.000000");
}

TEST(ConvertRowValue, SmallLoadsAndNswAddNothing) {
    SoundingDocument doc = FactoryDocument();
    SetFormula(doc, coef::kNClayey, "1", "10", "1", "10", "1");
    SetRow(doc, 1, "2", "0.00009", "0.009");
    EXPECT_EQ(Value(doc, kind::kN), "1.000000");
    SetRow(doc, 1, "2", "0.0001", "0.01");
    EXPECT_EQ(Value(doc, kind::kN), "1.101000");
    // Negative inputs fall under the same guards instead of reaching the power.
    SetRow(doc, 1, "2", "-1", "-5");
    EXPECT_EQ(Value(doc, kind::kN), "1.000000");
    // The qa formula multiplies even a small Nsw.
    SetFormula(doc, coef::kQaFormula, "0", "", "1", "100", "1");
    SetRow(doc, 1, "2", "1", "0.005");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "0.500000");
}

TEST(ConvertRowValue, HugeExponentsOfTheNValueAreGuardedAboveOnePointOne) {
    SoundingDocument doc = FactoryDocument();
    SetFormula(doc, coef::kNSandy, "0", "2", "100", "0", "1");
    SetRow(doc, 1, "1", "1.0", "10");
    EXPECT_EQ(Value(doc, kind::kN), "2.000000");  // 2·1^100 is evaluated
    SetRow(doc, 1, "1", "1.2", "10");
    EXPECT_EQ(Value(doc, kind::kN), "9999");  // 39999.9
    SetFormula(doc, coef::kNSandy, "0", "0", "1", "1", "100");
    SetRow(doc, 1, "1", "1.0", "1.05");
    EXPECT_EQ(Value(doc, kind::kN), "131.501258");  // 1.05^100
    SetRow(doc, 1, "1", "1.0", "2");
    EXPECT_EQ(Value(doc, kind::kN), "9999");
    // An exponent of 99 is not guarded.
    SetFormula(doc, coef::kNSandy, "0", "0", "1", "1", "99");
    SetRow(doc, 1, "1", "1.0", "1.01");
    EXPECT_EQ(Value(doc, kind::kN), "2.678033");
}

TEST(ConvertRowValue, StrengthFormulasGuardLoadsAboveTenAndEveryHugeExponent) {
    SoundingDocument doc = FactoryDocument();
    SetRow(doc, 1, "2", "10", "0");
    EXPECT_EQ(Value(doc, kind::kQu), "450.000000");
    SetRow(doc, 1, "2", "10.01", "0");
    EXPECT_EQ(Value(doc, kind::kQu), "");  // 39999.9 is out of range
    EXPECT_EQ(Value(doc, kind::kQaFormula), "");

    SetFormula(doc, coef::kQu, "0", "45", "100", "0", "1");
    SetRow(doc, 1, "2", "1.0", "0");
    EXPECT_EQ(Value(doc, kind::kQu), "");  // c > 99 even at 1 kN
    SetRow(doc, 1, "2", "0.00001", "0");
    EXPECT_EQ(Value(doc, kind::kQu), "0.000000");  // no load: the term is 0 before any guard
    SetFormula(doc, coef::kQaFormula, "30", "1", "100", "0.6", "1");
    SetRow(doc, 1, "2", "1.0", "10");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "");
}

TEST(ConvertRowValue, OutputRangesOfNQuAndTheQaFormula) {
    SoundingDocument doc = FactoryDocument();
    SetRow(doc, 1, "2", "0", "10");
    auto n = [&](const char* a) {
        SetFormula(doc, coef::kNClayey, a, "0", "1", "0", "1");
        return Value(doc, kind::kN);
    };
    EXPECT_EQ(n("-999"), "-999.000000");
    EXPECT_EQ(n("-999.5"), "");
    EXPECT_EQ(n("9999"), "9999.000000");
    EXPECT_EQ(n("9999.5"), "9999");
    EXPECT_EQ(n("123456"), "9999");

    auto qu = [&](const char* a) {
        SetFormula(doc, coef::kQu, a, "0", "1", "0", "1");
        return Value(doc, kind::kQu);
    };
    EXPECT_EQ(qu("-999"), "-999.000000");
    EXPECT_EQ(qu("-999.1"), "");
    EXPECT_EQ(qu("39998.9"), "39998.900000");
    EXPECT_EQ(qu("39999"), "");

    auto qa = [&](const char* a) {
        SetFormula(doc, coef::kQaFormula, a, "0", "1", "0", "1");
        return Value(doc, kind::kQaFormula);
    };
    EXPECT_EQ(qa("-999"), "-999.000000");
    EXPECT_EQ(qa("-1000"), "");
    EXPECT_EQ(qa("39998.5"), "39998.500000");
    EXPECT_EQ(qa("39999"), "");
}

TEST(ConvertRowValue, WswOneOnlyShowsADashForOtherLoads) {
    SoundingDocument doc = FactoryDocument();
    doc.header[coef::kQaWsw1Only] = "1";
    SetRow(doc, 1, "1", "0.75", "10");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "_");
    SetRow(doc, 1, "1", "1.000005", "10");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "36.000000");
    SetRow(doc, 1, "1", "0.99998", "10");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "_");
    SetRow(doc, 1, "1", "1.00002", "10");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "_");
    // The dash replaces even a result out of range, and only the formula kind is affected.
    SetRow(doc, 1, "1", "11", "10");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "_");
    SetRow(doc, 1, "1", "0.75", "10");
    EXPECT_EQ(Value(doc, kind::kN), "2.170000");
    doc.header[coef::kQaWsw1Only] = "0";
    EXPECT_EQ(Value(doc, kind::kQaFormula), "36.000000");
}

TEST(ConvertRowValue, NswCapLimitsOnlyTheQaFormula) {
    SoundingDocument doc = FactoryDocument();
    SetRow(doc, 1, "2", "1.00", "200");
    doc.header[coef::kQuForSandy] = "1";
    const std::string n = Value(doc, kind::kN);
    const std::string qu = Value(doc, kind::kQu);
    EXPECT_EQ(Value(doc, kind::kQaFormula), "150.000000");  // no cap: 30 + 0.6·200
    doc.header[coef::kNswCap] = "150";
    EXPECT_EQ(Value(doc, kind::kQaFormula), "120.000060");
    EXPECT_EQ(Value(doc, kind::kN), n);
    EXPECT_EQ(Value(doc, kind::kQu), qu);
    // An Nsw below the cap is used as it is.
    SetRow(doc, 1, "2", "1.00", "100");
    EXPECT_EQ(Value(doc, kind::kQaFormula), "90.000000");
    // "0", text, and values not above 0.00001 set no cap.
    SetRow(doc, 1, "2", "1.00", "200");
    for (const char* noCap : {"0", "", "abc", "0.00001", "-5"}) {
        doc.header[coef::kNswCap] = noCap;
        EXPECT_EQ(Value(doc, kind::kQaFormula), "150.000000") << noCap;
    }
    doc.header[coef::kNswCap] = "0.00002";
    EXPECT_EQ(Value(doc, kind::kQaFormula), "30.000072");  // 30 + 0.6·0.00012
}

TEST(ConvertRowValue, QaFromNTakesTheFactorOfItsClassAndNsw) {
    SoundingDocument doc = FactoryDocument();
    doc.header[coef::kQaBNSandyZero] = "2";
    doc.header[coef::kQaBNSandy] = "3";
    doc.header[coef::kQaBNClayeyZero] = "5";
    doc.header[coef::kQaBNClayey] = "7";
    SetFormula(doc, coef::kNSandy, "10", "0", "1", "0", "1");
    SetFormula(doc, coef::kNClayey, "10", "0", "1", "0", "1");
    SetRow(doc, 1, "1", "1", "30");
    EXPECT_EQ(Value(doc, kind::kQaFromN), "30.000000");
    SetRow(doc, 1, "1", "1", "0.0000");
    EXPECT_EQ(Value(doc, kind::kQaFromN), "20.000000");
    SetRow(doc, 1, "1", "1", "0.0001");
    EXPECT_EQ(Value(doc, kind::kQaFromN), "30.000000");
    SetRow(doc, 1, "2", "1", "30");
    EXPECT_EQ(Value(doc, kind::kQaFromN), "70.000000");
    SetRow(doc, 1, "2", "1", "0.00009");
    EXPECT_EQ(Value(doc, kind::kQaFromN), "50.000000");
}

TEST(ConvertRowValue, QaFromNOutOfRangeIsMinus999) {
    SoundingDocument doc = FactoryDocument();
    doc.header[coef::kQaBNSandy] = "4";
    SetRow(doc, 1, "1", "0", "30");
    auto qa = [&](const char* a) {
        SetFormula(doc, coef::kNSandy, a, "0", "1", "0", "1");
        return Value(doc, kind::kQaFromN);
    };
    EXPECT_EQ(qa("9999"), "39996.000000");
    EXPECT_EQ(qa("9999.5"), "-999");  // N above 9999
    EXPECT_EQ(qa("-999.5"), "-999");
    EXPECT_EQ(qa("-249.75"), "-999.000000");
    EXPECT_EQ(qa("-250"), "-999");  // qa -1000
    doc.header[coef::kQaBNSandy] = "8";
    EXPECT_EQ(qa("4999.875"), "39999.000000");  // the upper end is included
    EXPECT_EQ(qa("4999.9375"), "-999");
}

TEST(ConvertRowValue, ValuesAreWrittenExactlyAsPercentFivePointSixF) {
    SoundingDocument doc = FactoryDocument();
    SetRow(doc, 1, "2", "0", "10");
    // Rounding ties, tiny and negative values and the ends of the ranges.
    const char* values[] = {"0",         "0.0000005",        "0.0000015",   "-0.0000004",
                            "2.5e-7",    "1234.5678905",     "-999",        "9998.9999995",
                            "0.1",       "1e-300",           "-0.5",        "39998.9999999",
                            "4.0100000", "3.14159265358979", "-12.3456785", "7"};
    for (const char* a : values) {
        SetFormula(doc, coef::kQu, a, "0", "1", "0", "1");
        EXPECT_EQ(Value(doc, kind::kQu), rave::FormatText("%5.6f", rave::ParseDecimal(a))) << a;
    }
}

TEST(ConvertRowValue, UnknownKindSaysSoOnceForRowOne) {
    SoundingDocument doc = FactoryDocument();
    SetRow(doc, 1, "1", "1", "10");
    SetRow(doc, 2, "1", "1", "10");
    rave::RecordingMessageSink messages;
    EXPECT_EQ(ConvertRowValue(doc, 2, 0, &messages), "D,N,q 012 err");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ConvertRowValue(doc, 1, 5, &messages), "D,N,q 012 err");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "D,N,q 012 err");
    EXPECT_EQ(ConvertRowValue(doc, 0, kind::kN, &messages), "");
    EXPECT_EQ(ConvertRowValue(doc, kMaxRows + 1, kind::kN, &messages), "");
}

TEST(RecomputeConversions, FillsTheTableByTheFormulaKindAndEmptiesTheRest) {
    SoundingDocument doc = FactoryDocument();
    SetRow(doc, 1, "1", "1.00", "30");
    doc.Row(1)[field::kDepth] = "0.25";
    SetRow(doc, 2, "2", "0.75", "0");
    doc.Row(2)[field::kDepth] = "0.50";
    for (int i = 3; i <= 6; ++i) {
        doc.Conversion(i)[1] = "stale";
        doc.Conversion(i)[4] = "stale";
    }
    RecomputeConversions(doc, 2);
    EXPECT_EQ(doc.Conversion(1)[1], "0.25");
    EXPECT_EQ(doc.Conversion(1)[2], "4.010000");
    EXPECT_EQ(doc.Conversion(1)[3], "");
    EXPECT_EQ(doc.Conversion(1)[4], "48.000000");  // 30 + 0.6·30
    EXPECT_EQ(doc.Conversion(2)[1], "0.50");
    EXPECT_EQ(doc.Conversion(2)[2], "2.250000");
    EXPECT_EQ(doc.Conversion(2)[3], "33.750000");
    for (int i = 3; i <= 6; ++i) {
        for (int f = 1; f <= kConversionFields; ++f) {
            EXPECT_EQ(doc.Conversion(i)[f], "") << i << "," << f;
        }
    }

    doc.header[coef::kQaFormulaKind] = "1";
    RecomputeConversions(doc, 2);
    EXPECT_EQ(doc.Conversion(1)[4], "32.080000");  // 8·4.01
    EXPECT_EQ(doc.Conversion(2)[4], "22.500000");  // clayey, Nsw 0: 10·2.25
    doc.header[coef::kQaFormulaKind] = "x";        // parses as 0
    RecomputeConversions(doc, 2);
    EXPECT_EQ(doc.Conversion(1)[4], "48.000000");

    RecomputeConversions(doc, kMaxRows + 10);  // clamped, nothing thrown
    RecomputeConversions(doc, 0);
    EXPECT_EQ(doc.Conversion(1)[1], "");
}

// Rows 1..12 with depths, a name at row 5 (pattern 12.2) and at row 9 (pattern 3.1).
SoundingDocument NamedRows(int nameField, int patternField) {
    SoundingDocument doc;
    for (int i = 1; i <= 12; ++i) {
        doc.Row(i)[field::kDepth] = std::to_string(i * 0.25);
    }
    doc.Row(5)[nameField] = "粘土";
    doc.Row(5)[patternField] = "12.2";
    doc.Row(9)[nameField] = "砂";
    doc.Row(9)[patternField] = "3.1";
    return doc;
}

TEST(AssignSoilClasses, ANameDescribesTheLayerDownToItsRow) {
    SoundingDocument doc = NamedRows(field::kJacicSoilName, field::kJacicPattern);
    doc.header[slot::kSoilTableKind] = "1";
    doc.Row(12)[field::kSoilClass] = "1";
    rave::RecordingMessageSink messages;
    AssignSoilClasses(doc, 12, messages);
    for (int i = 1; i <= 12; ++i) {
        const char* expected = i <= 5 ? "2" : i <= 9 ? "1" : "0";
        EXPECT_EQ(doc.Row(i)[field::kSoilClass], expected) << "row " << i;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(AssignSoilClasses, TheSoilNameTableKindChoosesTheFields) {
    SoundingDocument doc = NamedRows(field::kSimpleSoilName, field::kSimplePattern);
    rave::RecordingMessageSink messages;
    doc.header[slot::kSoilTableKind] = "0";
    AssignSoilClasses(doc, 12, messages);
    EXPECT_EQ(doc.Row(1)[field::kSoilClass], "2");
    doc.header[slot::kSoilTableKind] = "1";  // the JACIC fields are empty
    AssignSoilClasses(doc, 12, messages);
    EXPECT_EQ(doc.Row(1)[field::kSoilClass], "0");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(AssignSoilClasses, NamesWithoutClassesAreReported) {
    SoundingDocument doc = NamedRows(field::kSimpleSoilName, field::kSimplePattern);
    doc.Row(5)[field::kSimplePattern] = "12";
    doc.Row(9)[field::kSimplePattern] = "";
    rave::RecordingMessageSink messages;
    AssignSoilClasses(doc, 12, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "砂質土粘性土分類データがありません");
    EXPECT_EQ(doc.Row(3)[field::kSoilClass], "0");

    // One classified name is enough; a name without a point gives its layer class 0.
    doc.Row(9)[field::kSimplePattern] = "3.1";
    messages.shown.clear();
    AssignSoilClasses(doc, 12, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.Row(5)[field::kSoilClass], "0");
    EXPECT_EQ(doc.Row(6)[field::kSoilClass], "1");

    // No names at all: nothing to report.
    SoundingDocument unnamed;
    unnamed.Row(1)[field::kDepth] = "1";
    AssignSoilClasses(unnamed, 1, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(unnamed.Row(1)[field::kSoilClass], "0");
}

TEST(AssignSoilClasses, OnlyTheGivenRowsAreTouched) {
    SoundingDocument doc = NamedRows(field::kSimpleSoilName, field::kSimplePattern);
    doc.Row(11)[field::kSoilClass] = "keep";
    rave::RecordingMessageSink messages;
    AssignSoilClasses(doc, 7, messages);
    EXPECT_EQ(doc.Row(5)[field::kSoilClass], "2");
    EXPECT_EQ(doc.Row(7)[field::kSoilClass], "0");  // the sand at row 9 lies beyond the count
    EXPECT_EQ(doc.Row(11)[field::kSoilClass], "keep");
    AssignSoilClasses(doc, kMaxRows + 5, messages);  // clamped
}

}  // namespace
}  // namespace ravelog
