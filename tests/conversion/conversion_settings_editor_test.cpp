// The per-document conversion editor and the program default-set editor.
#include <gtest/gtest.h>

#include "common/ravelog_settings.h"
#include "common/settings_files.h"
#include "ravelog/conversion/coefficient_set.h"
#include "ravelog/conversion/conversion_settings_editor.h"
#include "ravelog/conversion/default_coefficients_editor.h"
#include "ravelog/conversion/default_settings.h"
#include "temp_folder.h"

namespace ravelog {
namespace {

using Example = ConversionExample;

class ConversionEditorTest : public ::testing::Test {
protected:
    ConversionEditorTest() : settings(rave::RavelogSettings::Defaults()) {
        FillEmptySettings(doc, settings);
        doc.Row(1)[field::kDepth] = "0.25";
        doc.Row(1)[field::kLoad] = "1.00";
        doc.Row(1)[field::kNsw] = "30";
        doc.Row(1)[field::kSimpleSoilName] = "砂";
        doc.Row(1)[field::kSimplePattern] = "3.1";
        doc.header[slot::kSoilTableKind] = "0";
    }

    SoundingDocument doc;
    rave::RavelogSettings settings;
    rave::RecordingMessageSink messages;
};

TEST_F(ConversionEditorTest, PlotDepthsShowTheProgramSettingUnlessTheSlotChose) {
    settings.SetInt(rave::sysline::kNPlotDepth, 1);
    settings.SetInt(rave::sysline::kQuQaPlotDepth, 1);
    doc.header[coef::kNPlotDepth] = "";
    doc.header[coef::kQuQaPlotDepth] = "0";
    EditConversionSettings editor(doc, settings);
    EXPECT_EQ(editor.Choice(coef::kNPlotDepth), 1);
    EXPECT_EQ(editor.Choice(coef::kQuQaPlotDepth), 0);

    doc.header[coef::kNPlotDepth] = "5";
    doc.header[coef::kQuQaPlotDepth] = "1";
    settings.SetInt(rave::sysline::kQuQaPlotDepth, 0);
    EditConversionSettings other(doc, settings);
    EXPECT_EQ(other.Choice(coef::kNPlotDepth), 1);
    EXPECT_EQ(other.Choice(coef::kQuQaPlotDepth), 1);
    // What is shown is what OK stores.
    ASSERT_TRUE(other.Commit(doc, messages));
    EXPECT_EQ(doc.header[coef::kNPlotDepth], "1");
}

TEST_F(ConversionEditorTest, AnEmptyNswCapShowsTheProposal) {
    doc.header[coef::kNswCap] = "";
    EXPECT_EQ(EditConversionSettings(doc, settings).Text(coef::kNswCap), "150");
    doc.header[coef::kNswCap] = "0";
    EXPECT_EQ(EditConversionSettings(doc, settings).Text(coef::kNswCap), "0");
    EXPECT_EQ(EditConversionSettings::ScaleStart(), "0");
}

TEST_F(ConversionEditorTest, CommitWritesEverySlotInItsForm) {
    doc.header[coef::kVerticalRule] = "";
    doc.header[coef::kQaOverMark] = "7";
    EditConversionSettings editor(doc, settings);
    editor.SetChoice(coef::kDisplay, 4);
    editor.SetChoice(coef::kNGraphMax, 2);
    editor.SetText(coef::kQuScaleEnd, " 240 ");
    editor.SetText(coef::kQuScaleStep, "+40");
    editor.SetText(coef::kNSandy + 3, "0.07 ");  // texts as typed
    editor.SetText(coef::kQaDisplayLimit, "200");
    editor.SetFlag(coef::kShowExponentOne, true);
    editor.SetFlag(coef::kQuForSandy, true);
    ASSERT_TRUE(editor.Commit(doc, messages));
    EXPECT_EQ(doc.header[coef::kDisplay], "4");
    EXPECT_EQ(doc.header[coef::kNGraphMax], "2");
    EXPECT_EQ(doc.header[coef::kQuScaleEnd], "240");
    EXPECT_EQ(doc.header[coef::kQuScaleStep], "40");
    EXPECT_EQ(doc.header[coef::kNSandy + 3], "0.07 ");
    EXPECT_EQ(doc.header[coef::kQaDisplayLimit], "200");
    EXPECT_EQ(doc.header[coef::kShowExponentOne], "1");
    EXPECT_EQ(doc.header[coef::kQuForSandy], "1");
    EXPECT_EQ(doc.header[coef::kVerticalRule], "0");  // an empty flag is written as "0"
    EXPECT_EQ(doc.header[coef::kQaOverMark], "1");    // a set flag as "1"
    EXPECT_EQ(doc.header[coef::kNswCap], "150");      // the proposal shown is stored
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConversionEditorTest, CommitRefreshesClassesAndConversions) {
    EditConversionSettings editor(doc, settings);
    editor.SetText(coef::kNSandy + 1, "4");  // b of N for sandy soil
    ASSERT_TRUE(editor.Commit(doc, messages));
    EXPECT_EQ(doc.Row(1)[field::kSoilClass], "1");
    EXPECT_EQ(doc.Conversion(1)[1], "0.25");
    EXPECT_EQ(doc.Conversion(1)[2], "6.010000");  // 4·1 + 0.067·30
}

TEST_F(ConversionEditorTest, CancelLeavesTheDocumentAlone) {
    const SoundingHeader before = doc.header;
    {
        EditConversionSettings editor(doc, settings);
        editor.SetText(coef::kNSandy, "99");
        editor.ApplyExample(Example::kPlateLoad);
    }
    EXPECT_EQ(doc.header.slots, before.slots);
    EXPECT_FALSE(doc.modified);
}

TEST_F(ConversionEditorTest, UnchangedCommitDoesNotMarkTheDocument) {
    doc.header[coef::kNswCap] = "150";
    doc.header[coef::kNGraphMax] = "0";
    for (int n : {coef::kVerticalRule, coef::kQuForSandy, coef::kQaOverMark}) {
        doc.header[n] = "0";
    }
    EditConversionSettings editor(doc, settings);
    ASSERT_TRUE(editor.Commit(doc, messages));
    EXPECT_FALSE(doc.modified);
}

TEST_F(ConversionEditorTest, ScaleStepsMustBeWholeNumbersFromOneTo1000) {
    for (int slot : {coef::kQuScaleStep, coef::kQaScaleStep}) {
        for (const char* bad : {"0", "1001", "abc", "", "2.5"}) {
            SoundingDocument copy = doc;
            EditConversionSettings editor(copy, settings);
            editor.SetText(slot, bad);
            rave::RecordingMessageSink sink;
            EXPECT_FALSE(editor.Commit(copy, sink)) << slot << " " << bad;
            ASSERT_EQ(sink.shown.size(), 1u);
            EXPECT_EQ(sink.shown[0].text, "1 から 1000 までの整数を入力してください。");
            EXPECT_EQ(editor.FocusSlot(), slot);
            EXPECT_EQ(copy.header.slots, doc.header.slots);
        }
        for (const char* good : {"1", "1000"}) {
            SoundingDocument copy = doc;
            EditConversionSettings editor(copy, settings);
            editor.SetText(slot, good);
            EXPECT_TRUE(editor.Commit(copy, messages));
            EXPECT_EQ(copy.header[slot], good);
        }
    }
}

TEST_F(ConversionEditorTest, ScaleEndsMustBeWholeNumbers) {
    EditConversionSettings editor(doc, settings);
    editor.SetText(coef::kQaScaleEnd, "1.5e2");
    EXPECT_FALSE(editor.Commit(doc, messages));
    EXPECT_EQ(editor.FocusSlot(), coef::kQaScaleEnd);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "整数を入力してください。");
    EXPECT_EQ(doc.header[coef::kQaScaleEnd], "150");
}

TEST_F(ConversionEditorTest, TextsThatWouldBreakTheFileAreRefused) {
    EditConversionSettings editor(doc, settings);
    editor.SetText(coef::kQu, "1$$Z");
    EXPECT_FALSE(editor.Commit(doc, messages));
    EXPECT_EQ(editor.FocusSlot(), coef::kQu);
    EXPECT_EQ(doc.header[coef::kQu], "0");
}

TEST_F(ConversionEditorTest, QaDisplayLimitIsEmptyOrAPositiveWholeNumber) {
    auto leave = [&](const char* typed, bool expectedOk, const char* expectedText) {
        EditConversionSettings editor(doc, settings);
        editor.SetText(coef::kQaDisplayLimit, typed);
        rave::RecordingMessageSink sink;
        EXPECT_EQ(editor.LeaveQaDisplayLimit(sink), expectedOk) << typed;
        EXPECT_EQ(editor.Text(coef::kQaDisplayLimit), expectedText) << typed;
        if (expectedOk) {
            EXPECT_TRUE(sink.shown.empty()) << typed;
        } else {
            ASSERT_EQ(sink.shown.size(), 1u) << typed;
            EXPECT_EQ(sink.shown[0].id, 4006);
            EXPECT_EQ(sink.shown[0].text, "数値が異常です");
        }
    };
    leave("", true, "");
    leave("150", true, "150");
    leave(" 150", true, "150");
    leave("120.0", true, "120");  // as the suggestion is copied in
    leave("0", false, "");
    leave("-5", false, "");
    leave("abc", false, "");
    leave("0.5", false, "");
}

TEST_F(ConversionEditorTest, CommitChecksTheDisplayLimitToo) {
    EditConversionSettings editor(doc, settings);
    editor.SetText(coef::kQaDisplayLimit, "x");
    EXPECT_FALSE(editor.Commit(doc, messages));
    EXPECT_TRUE(messages.Saw(4006));
    EXPECT_EQ(editor.FocusSlot(), coef::kQaDisplayLimit);
    EXPECT_EQ(editor.Text(coef::kQaDisplayLimit), "");
    // A second OK stores the now empty limit.
    EXPECT_TRUE(editor.Commit(doc, messages));
    EXPECT_EQ(doc.header[coef::kQaDisplayLimit], "");
}

TEST_F(ConversionEditorTest, SuggestionIsQaAtOneKilonewtonAndTheCap) {
    doc.header[coef::kNswCap] = "";
    EditConversionSettings editor(doc, settings);
    EXPECT_EQ(editor.Suggestion(), "120.0");  // 30 + 0.6·150 with the proposed cap
    editor.SetText(coef::kNswCap, "50");
    EXPECT_EQ(editor.Suggestion(), "120.0");  // only recomputed on leaving the cap
    editor.LeaveNswCap();
    EXPECT_EQ(editor.Suggestion(), " 60.0");
    editor.SetText(coef::kQaFormula + 1, "5");  // b, with c = 1
    editor.RecomputeSuggestion();
    EXPECT_EQ(editor.Suggestion(), " 65.0");
    editor.SetText(coef::kQaFormula + 2, "");  // an empty c drops b
    editor.RecomputeSuggestion();
    EXPECT_EQ(editor.Suggestion(), " 60.0");
    editor.SetText(coef::kNswCap, "0");  // no cap
    editor.RecomputeSuggestion();
    EXPECT_EQ(editor.Suggestion(), "60030.0");
    editor.SetText(coef::kQaFormula + 4, "");  // e is not part of the qa formula
    editor.RecomputeSuggestion();
    EXPECT_EQ(editor.Suggestion(), "60030.0");
}

TEST_F(ConversionEditorTest, SuggestionCopiedIntoTheLimitIsStoredAsAWholeNumber) {
    doc.header[coef::kNswCap] = "150";
    EditConversionSettings editor(doc, settings);
    editor.CopySuggestionToDisplayLimit();
    EXPECT_EQ(editor.Text(coef::kQaDisplayLimit), "120.0");
    ASSERT_TRUE(editor.Commit(doc, messages));
    EXPECT_EQ(doc.header[coef::kQaDisplayLimit], "120");
}

TEST_F(ConversionEditorTest, SuggestionIsShownOnlyForTheQaFormula) {
    EditConversionSettings editor(doc, settings);
    EXPECT_TRUE(editor.SuggestionVisible());
    editor.SetChoice(coef::kQaFormulaKind, 1);
    EXPECT_FALSE(editor.SuggestionVisible());
}

TEST_F(ConversionEditorTest, ChoicesOutsideTheirRangeAreKeptUnlessChosen) {
    doc.header[coef::kNGraphMax] = "";
    doc.header[coef::kDisplay] = "9";
    EditConversionSettings editor(doc, settings);
    EXPECT_EQ(editor.Choice(coef::kNGraphMax), -1);
    EXPECT_EQ(editor.Choice(coef::kDisplay), -1);
    editor.SetChoice(coef::kDisplay, 5);  // no such choice: ignored
    ASSERT_TRUE(editor.Commit(doc, messages));
    EXPECT_EQ(doc.header[coef::kNGraphMax], "");
    EXPECT_EQ(doc.header[coef::kDisplay], "9");
}

TEST_F(ConversionEditorTest, FlagsAreShownTheWayTheyAreRead) {
    doc.header[coef::kShowExponentOne] = "2";  // "1 or more" prints exponents
    doc.header[coef::kQaWsw1Only] = "2";       // only "1" restricts the formula
    doc.header[coef::kQuForSandy] = " 1";
    doc.header[coef::kQaOverMark] = "3";
    EditConversionSettings editor(doc, settings);
    EXPECT_TRUE(editor.Flag(coef::kShowExponentOne));
    EXPECT_FALSE(editor.Flag(coef::kQaWsw1Only));
    EXPECT_FALSE(editor.Flag(coef::kQuForSandy));
    EXPECT_TRUE(editor.Flag(coef::kQaOverMark));
}

void ExpectFormula(const EditConversionSettings& editor, int first, std::array<const char*, 5> values) {
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(editor.Text(first + i), values[static_cast<std::size_t>(i)]) << "slot " << first + i;
    }
}

TEST_F(ConversionEditorTest, InadaExampleFillsTheNAndQuSets) {
    for (int n = 38; n <= 52; ++n) {
        doc.header[n] = "9";
    }
    doc.header[coef::kQuScaleEnd] = "300";
    doc.header[coef::kQuScaleStep] = "100";
    doc.header[coef::kQuForSandy] = "1";
    doc.header[coef::kNswCap] = "77";
    EditConversionSettings editor(doc, settings);
    editor.ApplyExample(Example::kInada);
    EXPECT_EQ(editor.Text(coef::kQuScaleEnd), "120");
    EXPECT_EQ(editor.Text(coef::kQuScaleStep), "20");
    ExpectFormula(editor, coef::kNSandy, {"0", "2", "1", "0.067", "1"});
    ExpectFormula(editor, coef::kNClayey, {"0", "3", "1", "0.05", "1"});
    ExpectFormula(editor, coef::kQu, {"0", "45", "1", "0.75", "1"});
    EXPECT_FALSE(editor.Flag(coef::kQuForSandy));
    EXPECT_EQ(editor.Text(coef::kNswCap), "77");  // the qa side is left alone
}

TEST_F(ConversionEditorTest, NotificationExampleFillsTheQaFormula) {
    doc.header[coef::kQaFormulaKind] = "1";
    doc.header[coef::kShowExponentOne] = "1";
    doc.header[coef::kQaWsw1Only] = "0";
    doc.header[coef::kQaDisplayLimit] = "80";
    doc.header[coef::kQaOverMark] = "1";
    for (int n = 53; n <= 57; ++n) {
        doc.header[n] = "9";
    }
    EditConversionSettings editor(doc, settings);
    editor.ApplyExample(Example::kNotification1113);
    EXPECT_EQ(editor.Choice(coef::kQaFormulaKind), 0);
    EXPECT_FALSE(editor.Flag(coef::kShowExponentOne));
    EXPECT_TRUE(editor.Flag(coef::kQaWsw1Only));
    EXPECT_EQ(editor.Text(coef::kNswCap), "150");
    EXPECT_EQ(editor.Suggestion(), "120");
    EXPECT_EQ(editor.Text(coef::kQaDisplayLimit), "");
    EXPECT_EQ(editor.Text(coef::kQaScaleEnd), "150");
    EXPECT_EQ(editor.Text(coef::kQaScaleStep), "50");
    ExpectFormula(editor, coef::kQaFormula, {"30", "", "1", "0.6", "1"});
    EXPECT_TRUE(editor.Flag(coef::kQaOverMark));  // not part of this example
}

TEST_F(ConversionEditorTest, PlateLoadExampleFillsItsQaFormula) {
    doc.header[coef::kQaWsw1Only] = "1";
    doc.header[coef::kShowExponentOne] = "1";
    doc.header[coef::kQaOverMark] = "1";
    doc.header[coef::kQaDisplayLimit] = "80";
    EditConversionSettings editor(doc, settings);
    editor.ApplyExample(Example::kPlateLoad);
    EXPECT_EQ(editor.Choice(coef::kQaFormulaKind), 0);
    EXPECT_FALSE(editor.Flag(coef::kShowExponentOne));
    EXPECT_FALSE(editor.Flag(coef::kQaWsw1Only));
    EXPECT_EQ(editor.Text(coef::kNswCap), "150");
    EXPECT_EQ(editor.Suggestion(), "");
    EXPECT_EQ(editor.Text(coef::kQaDisplayLimit), "");
    EXPECT_FALSE(editor.Flag(coef::kQaOverMark));
    EXPECT_EQ(editor.Text(coef::kQaScaleEnd), "150");
    EXPECT_EQ(editor.Text(coef::kQaScaleStep), "50");
    ExpectFormula(editor, coef::kQaFormula, {"", "30", "2", "0.8", "1"});
    // Committed, the plate-load a stays empty through the next fill.
    ASSERT_TRUE(editor.Commit(doc, messages));
    FillEmptySettings(doc, settings);
    EXPECT_EQ(doc.header[coef::kQaFormula], "");
}

TEST_F(ConversionEditorTest, ProportionalExampleTakesTheProgramFactors) {
    for (int line = 96; line <= 99; ++line) {
        settings.Line(line) = std::to_string(line - 90);
    }
    doc.header[coef::kQaOverMark] = "1";
    doc.header[coef::kQaDisplayLimit] = "80";
    doc.header[coef::kNswCap] = "77";
    EditConversionSettings editor(doc, settings);
    editor.ApplyExample(Example::kProportionalToN);
    EXPECT_EQ(editor.Choice(coef::kQaFormulaKind), 1);
    EXPECT_EQ(editor.Text(coef::kQaBNSandyZero), "6");
    EXPECT_EQ(editor.Text(coef::kQaBNSandy), "7");
    EXPECT_EQ(editor.Text(coef::kQaBNClayeyZero), "8");
    EXPECT_EQ(editor.Text(coef::kQaBNClayey), "9");
    EXPECT_EQ(editor.Suggestion(), "");
    EXPECT_EQ(editor.Text(coef::kQaDisplayLimit), "");
    EXPECT_FALSE(editor.Flag(coef::kQaOverMark));
    EXPECT_EQ(editor.Text(coef::kQaScaleEnd), "150");
    EXPECT_EQ(editor.Text(coef::kQaScaleStep), "50");
    EXPECT_EQ(editor.Text(coef::kNswCap), "77");
    EXPECT_FALSE(editor.SuggestionVisible());
}

TEST_F(ConversionEditorTest, ProgramDefaultsExampleTakesTheDefaultSet) {
    for (int line = 21; line <= 35; ++line) {
        settings.Line(line) = "L" + std::to_string(line);
    }
    for (int line = 91; line <= 99; ++line) {
        settings.Line(line) = "L" + std::to_string(line);
    }
    settings.SetInt(90, 3);
    settings.SetInt(rave::sysline::kNPlotDepth, 1);
    settings.SetInt(rave::sysline::kQuQaPlotDepth, 1);
    doc.header[coef::kNPlotDepth] = "0";
    doc.header[coef::kQuQaPlotDepth] = "0";
    doc.header[coef::kNGraphMax] = "2";
    doc.header[coef::kShowExponentOne] = "1";
    doc.header[coef::kQaFormulaKind] = "1";
    doc.header[coef::kQaWsw1Only] = "0";
    doc.header[coef::kQaDisplayLimit] = "80";
    doc.header[coef::kQaOverMark] = "1";
    doc.header[coef::kQuForSandy] = "1";
    doc.header[coef::kQuScaleEnd] = "300";
    EditConversionSettings editor(doc, settings);
    editor.ApplyExample(Example::kProgramDefaults);
    EXPECT_EQ(editor.Choice(coef::kDisplay), 3);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(editor.Text(coef::kNSandy + i), "L" + std::to_string(21 + i));
        EXPECT_EQ(editor.Text(coef::kNClayey + i), "L" + std::to_string(26 + i));
        EXPECT_EQ(editor.Text(coef::kQu + i), "L" + std::to_string(31 + i));
        EXPECT_EQ(editor.Text(coef::kQaFormula + i), "L" + std::to_string(91 + i));
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(editor.Text(coef::kQaBNSandyZero + i), "L" + std::to_string(96 + i));
    }
    EXPECT_EQ(editor.Choice(coef::kNPlotDepth), 1);
    EXPECT_EQ(editor.Choice(coef::kQuQaPlotDepth), 1);
    EXPECT_EQ(editor.Choice(coef::kNGraphMax), 1);
    EXPECT_FALSE(editor.Flag(coef::kShowExponentOne));
    EXPECT_EQ(editor.Choice(coef::kQaFormulaKind), 0);
    EXPECT_TRUE(editor.Flag(coef::kQaWsw1Only));
    EXPECT_EQ(editor.Text(coef::kNswCap), "150");
    EXPECT_EQ(editor.Suggestion(), "120");
    EXPECT_EQ(editor.Text(coef::kQaDisplayLimit), "");
    EXPECT_FALSE(editor.Flag(coef::kQaOverMark));
    EXPECT_FALSE(editor.Flag(coef::kQuForSandy));
    EXPECT_EQ(editor.Text(coef::kQuScaleEnd), "300");  // the scales are not part of the set
}

TEST_F(ConversionEditorTest, ExamplesMoveTheDisplayToTheirValues) {
    // Display choices: 0 N, 1 qu, 2 N and qu, 3 qa, 4 N and qa.
    const int afterInada[] = {2, 1, 2, 2, 2};
    const int afterQaExample[] = {4, 4, 4, 3, 4};
    for (int start = 0; start < 5; ++start) {
        doc.header[coef::kDisplay] = std::to_string(start);
        EditConversionSettings inada(doc, settings);
        inada.ApplyExample(Example::kInada);
        EXPECT_EQ(inada.Choice(coef::kDisplay), afterInada[start]) << start;
        for (Example qa : {Example::kNotification1113, Example::kPlateLoad, Example::kProportionalToN}) {
            EditConversionSettings editor(doc, settings);
            editor.ApplyExample(qa);
            EXPECT_EQ(editor.Choice(coef::kDisplay), afterQaExample[start]) << start;
        }
    }
}

TEST(EditDefaultCoefficients, StandardFillsTheStandardSet) {
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    settings.Line(21) = "5";
    EditDefaultCoefficients editor(settings);
    EXPECT_EQ(editor.Values().nSandy[0], "5");
    EXPECT_EQ(editor.DisplayChoice(), 0);
    editor.ApplyStandard();
    EXPECT_EQ(editor.DisplayChoice(), 2);
    EXPECT_EQ(editor.Values().nSandy[0], "0");
    EXPECT_EQ(editor.Values().qaFromN, (std::array<std::string, 4>{"8", "8", "8", "10"}));
    EXPECT_EQ(editor.Values().qa[1], "");
    EXPECT_EQ(EditDefaultCoefficients::Title(), "新規作成時用の初期設定値");
    EXPECT_EQ(EditDefaultCoefficients::Note(),
              "ファイル（用紙）毎の設定はメニュー「データ」 - 「換算値 係数と表示」 画面で設定して下さい");
}

TEST(EditDefaultCoefficients, CommitStoresAndRewritesTheSettingsFile) {
    rave::testing::TempFolder folder;
    const std::filesystem::path file = folder.path() / "Sys.ndx";
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    EditDefaultCoefficients editor(settings);
    editor.Values().qu[1] = "50";
    editor.Values().qaFromN[3] = "9";
    editor.SetDisplayChoice(4);
    rave::RecordingMessageSink messages;
    ASSERT_TRUE(editor.Commit(settings, file, messages));
    EXPECT_TRUE(editor.SavedToFile());
    EXPECT_EQ(settings.Line(32), "50");
    EXPECT_EQ(settings.Line(99), "9");
    EXPECT_EQ(settings.Line(90), "4");
    const auto reread = rave::ReadSettingsFile(file);
    ASSERT_TRUE(reread.has_value());
    EXPECT_EQ(reread->Line(32), "50");
    EXPECT_EQ(reread->Line(90), "4");

    // Documents take the new defaults only where they are empty.
    SoundingDocument doc;
    doc.header[49] = "40";
    FillEmptySettings(doc, settings);
    EXPECT_EQ(doc.header[49], "40");
    EXPECT_EQ(doc.header[61], "9");
    EXPECT_EQ(doc.header[34], "4");
}

TEST(EditDefaultCoefficients, AnUnwritableFileKeepsTheValuesInMemory) {
    rave::testing::TempFolder folder;
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    EditDefaultCoefficients editor(settings);
    editor.Values().nClayey[1] = "4";
    rave::RecordingMessageSink messages;
    ASSERT_TRUE(editor.Commit(settings, folder.path() / "missing" / "Sys.ndx", messages));
    EXPECT_FALSE(editor.SavedToFile());
    EXPECT_EQ(settings.Line(27), "4");
}

TEST(EditDefaultCoefficients, RefusesTextsThatWouldBreakTheFile) {
    rave::testing::TempFolder folder;
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    EditDefaultCoefficients editor(settings);
    editor.Values().qa[0] = "3\r\n0";
    rave::RecordingMessageSink messages;
    EXPECT_FALSE(editor.Commit(settings, folder.path() / "Sys.ndx", messages));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(settings.Line(91), "30");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Sys.ndx"));
}

}  // namespace
}  // namespace ravelog
