// The program default set and the filling and repair of a document's empty slots.
#include <gtest/gtest.h>

#include "common/ravelog_settings.h"
#include "ravelog/conversion/coefficient_set.h"
#include "ravelog/conversion/default_settings.h"

namespace ravelog {
namespace {

// Settings whose default-set lines all differ, so a value in the wrong slot shows.
rave::RavelogSettings DistinctSettings() {
    rave::RavelogSettings s = rave::RavelogSettings::Defaults();
    for (int line = 21; line <= 35; ++line) {
        s.Line(line) = "L" + std::to_string(line);
    }
    for (int line = 91; line <= 99; ++line) {
        s.Line(line) = "L" + std::to_string(line);
    }
    s.Line(90) = "3";
    s.Line(3) = "1";
    s.Line(4) = "1";
    return s;
}

TEST(FillEmptySettings, AnEmptyDocumentTakesEveryDefault) {
    SoundingDocument doc;
    FillEmptySettings(doc, rave::RavelogSettings::Defaults());
    const SoundingHeader& h = doc.header;
    EXPECT_EQ(h[34], "0");
    EXPECT_EQ(h[36], "120");
    EXPECT_EQ(h[37], "20");
    const char* clayey[] = {"0", "3", "1", "0.05", "1"};
    const char* sandy[] = {"0", "2", "1", "0.067", "1"};
    const char* qu[] = {"0", "45", "1", "0.75", "1"};
    const char* qa[] = {"30", "", "1", "0.6", "1"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(h[38 + i], clayey[i]) << 38 + i;
        EXPECT_EQ(h[43 + i], sandy[i]) << 43 + i;
        EXPECT_EQ(h[48 + i], qu[i]) << 48 + i;
        EXPECT_EQ(h[53 + i], qa[i]) << 53 + i;
    }
    EXPECT_EQ(h[58], "8");
    EXPECT_EQ(h[59], "8");
    EXPECT_EQ(h[60], "10");
    EXPECT_EQ(h[61], "8");
    EXPECT_EQ(h[62], "0");
    EXPECT_EQ(h[63], "0");
    EXPECT_EQ(h[64], "150");
    EXPECT_EQ(h[65], "50");
    EXPECT_EQ(h[66], "0");
    EXPECT_EQ(h[67], "0");
    EXPECT_EQ(h[68], "1");
    // Slots without a fill value stay empty.
    for (int n : {35, 69, 70, 86, 88, 89}) {
        EXPECT_EQ(h[n], "") << n;
    }
}

TEST(FillEmptySettings, EachDefaultComesFromItsOwnSettingsLine) {
    SoundingDocument doc;
    FillEmptySettings(doc, DistinctSettings());
    const SoundingHeader& h = doc.header;
    EXPECT_EQ(h[34], "3");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(h[43 + i], "L" + std::to_string(21 + i)) << "N sandy";
        EXPECT_EQ(h[38 + i], "L" + std::to_string(26 + i)) << "N clayey";
        EXPECT_EQ(h[48 + i], "L" + std::to_string(31 + i)) << "qu";
        EXPECT_EQ(h[53 + i], "L" + std::to_string(91 + i)) << "qa";
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(h[58 + i], "L" + std::to_string(96 + i)) << "qa = b N";
    }
    EXPECT_EQ(h[62], "1");
    EXPECT_EQ(h[63], "1");
}

TEST(FillEmptySettings, FilledSlotsAreKept) {
    SoundingDocument doc;
    for (int n = 34; n <= 68; ++n) {
        doc.header[n] = "v" + std::to_string(n);
    }
    const SoundingHeader before = doc.header;
    FillEmptySettings(doc, DistinctSettings());
    for (int n = 34; n <= 68; ++n) {
        EXPECT_EQ(doc.header[n], before[n]) << n;
    }
}

TEST(FillEmptySettings, CoefficientSlotsAreFilledOneByOne) {
    SoundingDocument doc;
    doc.header[40] = "7";  // N clayey c
    doc.header[47] = "";   // N sandy e empty
    doc.header[50] = "x";
    FillEmptySettings(doc, DistinctSettings());
    EXPECT_EQ(doc.header[38], "L26");
    EXPECT_EQ(doc.header[40], "7");
    EXPECT_EQ(doc.header[41], "L29");
    EXPECT_EQ(doc.header[47], "L25");
    EXPECT_EQ(doc.header[50], "x");
    EXPECT_EQ(doc.header[60], "L98");
    doc.header[61] = "";
    FillEmptySettings(doc, DistinctSettings());
    EXPECT_EQ(doc.header[61], "L99");
}

TEST(FillEmptySettings, QaFormulaAAndBAreTakenTogether) {
    // The plate-load set leaves a empty on purpose: it must not gain the default a.
    SoundingDocument plate;
    plate.header[53] = "";
    plate.header[54] = "30";
    FillEmptySettings(plate, DistinctSettings());
    EXPECT_EQ(plate.header[53], "");
    EXPECT_EQ(plate.header[54], "30");
    EXPECT_EQ(plate.header[55], "L93");  // c, d, e each when empty
    EXPECT_EQ(plate.header[56], "L94");
    EXPECT_EQ(plate.header[57], "L95");

    SoundingDocument onlyA;
    onlyA.header[53] = "25";
    onlyA.header[56] = "0.5";
    FillEmptySettings(onlyA, DistinctSettings());
    EXPECT_EQ(onlyA.header[53], "25");
    EXPECT_EQ(onlyA.header[54], "");
    EXPECT_EQ(onlyA.header[56], "0.5");

    SoundingDocument none;
    FillEmptySettings(none, DistinctSettings());
    EXPECT_EQ(none.header[53], "L91");
    EXPECT_EQ(none.header[54], "L92");
}

TEST(FillEmptySettings, SandyQaFromNPairIsReplacedWhenEitherIsEmpty) {
    SoundingDocument doc;
    doc.header[58] = "4";
    FillEmptySettings(doc, DistinctSettings());
    EXPECT_EQ(doc.header[58], "L96");
    EXPECT_EQ(doc.header[59], "L97");

    SoundingDocument other;
    other.header[59] = "4";
    FillEmptySettings(other, DistinctSettings());
    EXPECT_EQ(other.header[58], "L96");
    EXPECT_EQ(other.header[59], "L97");

    SoundingDocument both;
    both.header[58] = "4";
    both.header[59] = "5";
    FillEmptySettings(both, DistinctSettings());
    EXPECT_EQ(both.header[58], "4");
    EXPECT_EQ(both.header[59], "5");
}

TEST(FillEmptySettings, RepairsTheHeaderSlotsTheSheetsNeed) {
    auto scale = [](const char* value) {
        SoundingDocument doc;
        doc.header[19] = value;
        FillEmptySettings(doc, rave::RavelogSettings::Defaults());
        return doc.header[19];
    };
    EXPECT_EQ(scale("4"), "50");
    EXPECT_EQ(scale("5"), "5");
    EXPECT_EQ(scale("1000"), "1000");  // files may hold more than the editor offers
    EXPECT_EQ(scale("5000"), "5000");
    EXPECT_EQ(scale("5001"), "50");
    EXPECT_EQ(scale(""), "50");
    EXPECT_EQ(scale("abc"), "50");
    EXPECT_EQ(scale("100.7"), "100.7");  // its whole part is in range

    auto format = [](const char* value) {
        SoundingDocument doc;
        doc.header[31] = value;
        FillEmptySettings(doc, rave::RavelogSettings::Defaults());
        return doc.header[31];
    };
    EXPECT_EQ(format("2"), "2");
    EXPECT_EQ(format("0"), "0");
    EXPECT_EQ(format("3"), "0");
    EXPECT_EQ(format("-1"), "0");
    EXPECT_EQ(format("7"), "0");
    EXPECT_EQ(format(""), "");  // reads as format 0 already

    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    settings.Line(rave::sysline::kCompanyName) = "測量社";
    SoundingDocument doc;
    FillEmptySettings(doc, settings);
    EXPECT_EQ(doc.header[28], "0");
    EXPECT_EQ(doc.header[30], "0");
    EXPECT_EQ(doc.header[29], "測量社");
    doc.header[28] = "1";
    doc.header[30] = "3";
    doc.header[29] = "自社";
    FillEmptySettings(doc, settings);
    EXPECT_EQ(doc.header[28], "1");
    EXPECT_EQ(doc.header[30], "3");
    EXPECT_EQ(doc.header[29], "自社");
}

TEST(ApplyViewSetUpDefaults, MakesFlagsNumericAndFillsTitlesAndTableKind) {
    SoundingDocument doc;
    doc.header[coef::kShowExponentOne] = "x";
    doc.header[coef::kQaWsw1Only] = "abc";
    doc.header[slot::kTitleFormat1] = "A";
    doc.header[slot::kTitleFormat2] = "自前の題";
    ApplyViewSetUpDefaults(doc, rave::RavelogSettings::Defaults());
    EXPECT_EQ(doc.header[coef::kShowExponentOne], "0");
    EXPECT_EQ(doc.header[coef::kQaWsw1Only], "1");
    EXPECT_EQ(doc.header[slot::kSoilTableKind], "1");
    EXPECT_EQ(doc.header[slot::kTitleFormat1], "スウェーデン式サウンディング試験");
    EXPECT_EQ(doc.header[slot::kTitleFormat2], "自前の題");
    EXPECT_EQ(doc.header[36], "120");  // FillEmptySettings ran too

    SoundingDocument kept;
    kept.header[coef::kShowExponentOne] = "1";
    kept.header[coef::kQaWsw1Only] = "0";
    kept.header[slot::kSoilTableKind] = "0";
    ApplyViewSetUpDefaults(kept, rave::RavelogSettings::Defaults());
    EXPECT_EQ(kept.header[coef::kShowExponentOne], "1");
    EXPECT_EQ(kept.header[coef::kQaWsw1Only], "0");
    EXPECT_EQ(kept.header[slot::kSoilTableKind], "0");
}

TEST(DefaultCoefficientSet, FactoryValuesAreTheSettingsWrittenWithoutAFile) {
    const DefaultCoefficientSet factory = DefaultCoefficientSet::Factory();
    const DefaultCoefficientSet fromDefaults =
        DefaultCoefficientSet::FromSettings(rave::RavelogSettings::Defaults());
    EXPECT_EQ(factory.display, fromDefaults.display);
    EXPECT_EQ(factory.nSandy, fromDefaults.nSandy);
    EXPECT_EQ(factory.nClayey, fromDefaults.nClayey);
    EXPECT_EQ(factory.qu, fromDefaults.qu);
    EXPECT_EQ(factory.qa, fromDefaults.qa);
    EXPECT_EQ(factory.qaFromN, fromDefaults.qaFromN);
    EXPECT_EQ(factory.nPlotDepth, fromDefaults.nPlotDepth);
    EXPECT_EQ(factory.quQaPlotDepth, fromDefaults.quQaPlotDepth);

    const std::array<std::string, 5> sandy = {"0", "2", "1", "0.067", "1"};
    const std::array<std::string, 5> clayey = {"0", "3", "1", "0.05", "1"};
    const std::array<std::string, 5> qu = {"0", "45", "1", "0.75", "1"};
    const std::array<std::string, 5> qa = {"30", "", "1", "0.6", "1"};
    EXPECT_EQ(factory.nSandy, sandy);
    EXPECT_EQ(factory.nClayey, clayey);
    EXPECT_EQ(factory.qu, qu);
    EXPECT_EQ(factory.qa, qa);
    EXPECT_EQ(factory.qaFromN, (std::array<std::string, 4>{"8", "8", "10", "8"}));
}

TEST(DefaultCoefficientSet, StandardSwapsTheClayeyFactorsAndShowsNAndQu) {
    const DefaultCoefficientSet standard = DefaultCoefficientSet::Standard();
    const DefaultCoefficientSet factory = DefaultCoefficientSet::Factory();
    EXPECT_EQ(standard.display, "2");
    EXPECT_EQ(standard.nSandy, factory.nSandy);
    EXPECT_EQ(standard.nClayey, factory.nClayey);
    EXPECT_EQ(standard.qu, factory.qu);
    EXPECT_EQ(standard.qa, factory.qa);
    EXPECT_EQ(standard.qaFromN, (std::array<std::string, 4>{"8", "8", "8", "10"}));
}

TEST(DefaultCoefficientSet, StoresIntoTheLinesItIsReadFrom) {
    const DefaultCoefficientSet original = DefaultCoefficientSet::FromSettings(DistinctSettings());
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    original.StoreCoefficientsInto(settings);
    EXPECT_EQ(settings.Line(90), "3");
    EXPECT_EQ(settings.Line(21), "L21");
    EXPECT_EQ(settings.Line(35), "L35");
    EXPECT_EQ(settings.Line(92), "L92");
    EXPECT_EQ(settings.Line(99), "L99");
    EXPECT_EQ(settings.Line(3), "0");  // plot depths belong to the format settings
    const DefaultCoefficientSet back = DefaultCoefficientSet::FromSettings(settings);
    EXPECT_EQ(back.nClayey, original.nClayey);
    EXPECT_EQ(back.qaFromN, original.qaFromN);
}

}  // namespace
}  // namespace ravelog
