// The Nsw average and qa~ calculator: the range, the rows it takes, qa~ and the dialog rules.
#include <gtest/gtest.h>

#include "common/ravelog_settings.h"
#include "ravelog/conversion/coefficient_set.h"
#include "ravelog/conversion/default_settings.h"
#include "ravelog/conversion/nsw_average.h"

namespace ravelog {
namespace {

class NswAverageTest : public ::testing::Test {
protected:
    NswAverageTest() : settings(rave::RavelogSettings::Defaults()) {
        FillEmptySettings(doc, settings);
        doc.header[coef::kNswCap] = "150";
    }

    void AddRow(const char* depth, const char* load, const char* nsw) {
        const int i = doc.RowCount() + 1;
        doc.Row(i)[field::kDepth] = depth;
        doc.Row(i)[field::kLoad] = load;
        doc.Row(i)[field::kNsw] = nsw;
    }

    NswAverageResult Calculate(const char* start, const char* end) {
        return CalculateNswAverage(doc, settings, start, end, messages);
    }

    SoundingDocument doc;
    rave::RavelogSettings settings;
    rave::RecordingMessageSink messages;
};

TEST_F(NswAverageTest, AveragesTheRowsOfTheRangeWithBothEndsIncluded) {
    AddRow("0.75", "1.00", "1000");
    AddRow("1.00", "1.00", "20");
    AddRow("2.00", "1.00", "0.0000");  // counts: the text has digits
    AddRow("2.50", "1.00", "");        // skipped
    AddRow("3.00", "1.00", "100");
    AddRow("3.25", "1.00", "1000");
    const NswAverageResult r = Calculate("1.0", "3.0");
    EXPECT_EQ(r.n, 3);
    EXPECT_EQ(r.count, "3");
    EXPECT_EQ(r.average, "40.0000");
    EXPECT_EQ(r.qa, "54.0");  // 30 + 0.6·40, qa with one decimal
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NswAverageTest, QaOfTheWorkedExamples) {
    AddRow("1.00", "1.00", "50");
    EXPECT_EQ(Calculate("1", "1").qa, "60.0");
    doc.Row(1)[field::kNsw] = "200";
    EXPECT_EQ(Calculate("1", "1").qa, "120.0");
    // The cap is used as it stands, without the per-row 0.0001.
    settings.SetInt(rave::sysline::kDecimalsQa, 4);
    EXPECT_EQ(Calculate("1", "1").qa, "120.0000");
    settings.SetInt(rave::sysline::kDecimalsQa, 0);
    EXPECT_EQ(Calculate("1", "1").qa, "120");
}

TEST_F(NswAverageTest, CapCountsAboveATenThousandth) {
    AddRow("1.00", "1.00", "200");
    settings.SetInt(rave::sysline::kDecimalsQa, 4);
    for (const char* noCap : {"0", "", "0.0001", "x"}) {
        doc.header[coef::kNswCap] = noCap;
        EXPECT_EQ(Calculate("1", "1").qa, "150.0000") << noCap;
    }
    doc.header[coef::kNswCap] = "0.0002";
    EXPECT_EQ(Calculate("1", "1").qa, "30.0001");
}

TEST_F(NswAverageTest, QaUsesWswOneWithTheEmptyExponentRule) {
    AddRow("1.00", "0.50", "10");
    doc.header[coef::kQaWsw1Only] = "0";
    doc.header[coef::kQaFormula + 1] = "5";  // b·1^c = 5, whatever the row's load
    EXPECT_EQ(Calculate("1", "1").qa, "41.0");
    doc.header[coef::kQaFormula + 2] = "";  // c empty: b is dropped
    EXPECT_EQ(Calculate("1", "1").qa, "36.0");
    doc.header[coef::kQaFormula + 2] = "100";  // c above 99: 39999.9
    EXPECT_EQ(Calculate("1", "1").qa, "");
    doc.header[coef::kQaFormula + 2] = "99";
    EXPECT_EQ(Calculate("1", "1").qa, "41.0");
    doc.header[coef::kQaFormula] = "-1010";  // -1010 + 5 + 6 = -999, the lowest shown
    EXPECT_EQ(Calculate("1", "1").qa, "-999.0");
    doc.header[coef::kQaFormula] = "-1011";
    EXPECT_EQ(Calculate("1", "1").qa, "");
}

TEST_F(NswAverageTest, WswOneOnlyTakesOnlyRowsLoadedWithOneKilonewton) {
    AddRow("1.00", "0.75", "10");
    AddRow("1.25", "0.999999", "20");
    AddRow("1.50", "1.00", "30");
    doc.header[coef::kQaWsw1Only] = "1";
    NswAverageResult r = Calculate("1", "2");
    EXPECT_EQ(r.n, 2);
    EXPECT_EQ(r.average, "25.0000");
    doc.header[coef::kQaWsw1Only] = "0";
    r = Calculate("1", "2");
    EXPECT_EQ(r.n, 3);
    EXPECT_EQ(r.average, "20.0000");
    // qa = b·N ignores the option: every row counts, and there is no qa~.
    doc.header[coef::kQaWsw1Only] = "1";
    doc.header[coef::kQaFormulaKind] = "1";
    r = Calculate("1", "2");
    EXPECT_EQ(r.n, 3);
    EXPECT_EQ(r.average, "20.0000");
    EXPECT_EQ(r.qa, "");
}

TEST_F(NswAverageTest, NoQualifyingRowShowsOnlyTheCount) {
    AddRow("1.00", "1.00", "10");
    const NswAverageResult r = Calculate("5", "6");
    EXPECT_EQ(r.n, 0);
    EXPECT_EQ(r.count, "0");
    EXPECT_EQ(r.average, "");
    EXPECT_EQ(r.qa, "");
}

TEST_F(NswAverageTest, BadRangesAreReportedButCalculated) {
    AddRow("0.00", "1.00", "10");
    AddRow("1.00", "1.00", "30");
    NswAverageResult r = Calculate("", "0");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].id, 4007);
    EXPECT_EQ(messages.shown[0].text, "データがありません");
    EXPECT_EQ(r.n, 1);  // the missing start counts as 0
    EXPECT_EQ(r.average, "10.0000");

    messages.shown.clear();
    r = Calculate("2", "1");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].id, 4014);
    EXPECT_EQ(messages.shown[0].text, "数値が不適当です.");
    EXPECT_EQ(r.n, 0);

    messages.shown.clear();
    r = Calculate("abc", "-1");
    EXPECT_TRUE(messages.Saw(4007));
    EXPECT_TRUE(messages.Saw(4014));
}

TEST_F(NswAverageTest, RangeIsWidenedByAMillionth) {
    AddRow("0.9999995", "1.00", "10");
    AddRow("3.0000008", "1.00", "30");
    AddRow("3.000002", "1.00", "1000");
    const NswAverageResult r = Calculate("1", "3");
    EXPECT_EQ(r.n, 2);
    EXPECT_EQ(r.average, "20.0000");
}

TEST_F(NswAverageTest, OnlyRowsUpToTheRowCountAreSeen) {
    AddRow("1.00", "1.00", "10");
    doc.Row(3)[field::kDepth] = "1.50";  // after the gap at row 2
    doc.Row(3)[field::kNsw] = "1000";
    EXPECT_EQ(Calculate("0", "10").n, 1);
}

// Report cell texts stand-in: names the kind and row, so the mapping of the columns shows.
std::string FakeCell(const SoundingDocument&, int row, int kind) {
    return "k" + std::to_string(kind) + "r" + std::to_string(row);
}

TEST_F(NswAverageTest, ListColumnsComeFromTheReportCellsAndTheRow) {
    AddRow("1.00", "1.00", "12.3456");
    doc.Row(1)[field::kSimpleSoilName] = "粘土";
    doc.Row(1)[field::kJacicSoilName] = "ローム";
    doc.header[slot::kSoilTableKind] = "1";
    NswAverageCalculator calc(doc, settings, FakeCell);
    ASSERT_EQ(calc.RowCount(), 1);
    EXPECT_EQ(calc.CellText(1, 0), "k3r1");
    EXPECT_EQ(calc.CellText(1, 1), "k1r1");
    EXPECT_EQ(calc.CellText(1, 2), " k2r1");
    EXPECT_EQ(calc.CellText(1, 3), "12.3456");
    EXPECT_EQ(calc.CellText(1, 4), "k14r1");
    EXPECT_EQ(calc.CellText(1, 5), "ローム");
    EXPECT_EQ(calc.CellText(1, 6), "k13r1");
    EXPECT_EQ(calc.CellText(2, 0), "");
    doc.header[slot::kSoilTableKind] = "0";
    EXPECT_EQ(calc.CellText(1, 5), "粘土");
}

std::string DepthCell(const SoundingDocument& doc, int row, int kind) {
    return kind == 3 ? doc.Row(row)[field::kDepth] : std::string();
}

TEST_F(NswAverageTest, ClicksFillTheStartAndATwoMetreWindow) {
    AddRow("1.25", "1.00", "10");
    AddRow("2.50", "1.00", "10");
    AddRow("4.00", "1.00", "10");
    NswAverageCalculator calc(doc, settings, DepthCell);
    calc.ClickRow(1);
    EXPECT_EQ(calc.RangeStart(), "1.25");
    EXPECT_EQ(calc.RangeEnd(), "3.25");
    calc.ClickRow(2);  // the end is no longer empty
    EXPECT_EQ(calc.RangeStart(), "2.50");
    EXPECT_EQ(calc.RangeEnd(), "3.25");

    calc.FocusRangeEnd();
    calc.ClickRow(3);
    EXPECT_EQ(calc.RangeStart(), "2.50");
    EXPECT_EQ(calc.RangeEnd(), "4.00");
    calc.ClickRow(1);  // after the end took a click, the start takes the next one
    EXPECT_EQ(calc.RangeStart(), "1.25");
    EXPECT_EQ(calc.RangeEnd(), "4.00");

    calc.FocusRangeEnd();
    calc.FocusRangeStart();
    calc.ClickRow(2);
    EXPECT_EQ(calc.RangeStart(), "2.50");
    calc.ClickRow(0);  // outside the list: nothing
    calc.ClickRow(4);
    EXPECT_EQ(calc.RangeStart(), "2.50");

    calc.Calculate(messages);
    EXPECT_EQ(calc.Result().n, 2);
}

TEST_F(NswAverageTest, OpeningMakesTheWswOneOptionNumeric) {
    doc.header[coef::kQaWsw1Only] = "";
    NswAverageCalculator calc(doc, settings, DepthCell);
    EXPECT_EQ(doc.header[coef::kQaWsw1Only], "1");
    EXPECT_EQ(calc.Wsw1OnlyMark(), "ﾚ");
    doc.header[coef::kQaWsw1Only] = "0";
    NswAverageCalculator off(doc, settings, DepthCell);
    EXPECT_EQ(doc.header[coef::kQaWsw1Only], "0");
    EXPECT_EQ(off.Wsw1OnlyMark(), " ");
}

TEST_F(NswAverageTest, PanelShowsTheDocumentsFormula) {
    doc.header[coef::kQaFormula + 4] = "e";
    doc.header[coef::kQaBNClayey] = "11";
    NswAverageCalculator calc(doc, settings, DepthCell);
    EXPECT_EQ(calc.FormulaKind(), 0);
    EXPECT_EQ(calc.QaCoefficient(0), "30");
    EXPECT_EQ(calc.QaCoefficient(4), "e");
    EXPECT_EQ(calc.BFactor(0), "8");
    EXPECT_EQ(calc.BFactor(3), "11");
    EXPECT_EQ(calc.NswCap(), "150");
}

TEST_F(NswAverageTest, NoticesFollowTheFormula) {
    const std::string useNotification = "※告示1113号式を使用して下さい";
    doc.header[coef::kQaFormulaKind] = "1";
    EXPECT_EQ(NswAverageCalculator(doc, settings, DepthCell).Notices(),
              (std::vector<std::string>{"この式ではqa~の計算が\nできません", useNotification}));

    doc.header[coef::kQaFormulaKind] = "0";
    doc.header[coef::kQaWsw1Only] = "1";
    doc.header[coef::kQaFormula + 3] = "0.6";
    EXPECT_TRUE(NswAverageCalculator(doc, settings, DepthCell).Notices().empty());
    doc.header[coef::kQaFormula + 3] = "0.6005";
    EXPECT_TRUE(NswAverageCalculator(doc, settings, DepthCell).Notices().empty());
    for (const char* d : {"0.599", "0.601", "0.8"}) {
        doc.header[coef::kQaFormula + 3] = d;
        EXPECT_EQ(NswAverageCalculator(doc, settings, DepthCell).Notices(),
                  std::vector<std::string>{useNotification})
            << d;
    }

    doc.header[coef::kQaWsw1Only] = "0";
    doc.header[coef::kQaFormula + 3] = "0.6";
    EXPECT_EQ(NswAverageCalculator(doc, settings, DepthCell).Notices(),
              (std::vector<std::string>{"注) Wswは常に1kNとして計算します", useNotification}));
}

}  // namespace
}  // namespace ravelog
