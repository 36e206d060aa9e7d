// The conversion dialog bound to its model: the example buttons fill the fields without
// committing, OK writes the slots and recomputes the conversions of the rows, the qa display
// limit and the scale steps are checked, the suggestion follows the Nsw cap and the formula kind.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "data_dialog_test_support.h"
#include "ravelog/app/conversion_settings_dialog.h"

namespace ravelog::app {
namespace {

using namespace testing;

// A one-row sounding in sandy soil: Wsw 1.00 kN, Nsw 30, with the factory sets in the header.
SoundingDocument SandyRow() {
    SoundingDocument d;
    d.header[slot::kSoilTableKind] = "1";
    const std::pair<int, const char*> slots[] = {
        {34, "2"}, {35, "0"},    {36, "120"}, {37, "20"}, {38, "0"},     {39, "3"}, {40, "1"},   {41, "0.05"},
        {42, "1"}, {43, "0"},    {44, "2"},   {45, "1"},  {46, "0.067"}, {47, "1"}, {48, "0"},   {49, "45"},
        {50, "1"}, {51, "0.75"}, {52, "1"},   {53, "30"}, {54, ""},      {55, "1"}, {56, "0.6"}, {57, "1"},
        {58, "8"}, {59, "8"},    {60, "10"},  {61, "8"},  {62, "0"},     {63, "0"}, {64, "150"}, {65, "50"},
        {66, "0"}, {67, "0"},    {68, "1"},   {69, "150"}};
    for (const auto& [n, text] : slots) {
        d.header[n] = text;
    }
    MeasuredRow& row = d.Row(1);
    row[field::kLoad] = "1.00";
    row[field::kHalfTurns] = "30";
    row[field::kDepth] = "1.00";
    row[field::kNsw] = "30.0000";
    row[field::kJacicSoilName] = "S";
    row[field::kJacicPattern] = "12.1";
    return d;
}

class ConversionDialogTest : public ::testing::Test {
protected:
    ConversionDialogTest() { TestApplication(); }
    std::unique_ptr<ConversionSettingsDialog> Open() {
        return std::make_unique<ConversionSettingsDialog>(document, settings, messages);
    }
    QString Field(ConversionSettingsDialog& d, int slot) {
        return Named<QLineEdit>(d, QStringLiteral("slot%1").arg(slot))->text();
    }

    SoundingDocument document = SandyRow();
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    rave::RecordingMessageSink messages;
};

TEST_F(ConversionDialogTest, OkRecomputesTheConversionsWithTheTypedCoefficients) {
    auto dialog = Open();
    // N sandy b from 2 to 3: N = 3·1 + 0.067·30 = 5.01.
    Type(Named<QLineEdit>(*dialog, "slot44"), QStringLiteral("3"));
    Click(*dialog, "slot34_4");
    Click(*dialog, "slot70");
    EXPECT_EQ(document.Conversion(1)[2], "");
    Click(*dialog, "ok");
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(document.header[44], "3");
    EXPECT_EQ(document.header[34], "4");
    EXPECT_EQ(document.header[70], "1");
    EXPECT_EQ(document.Row(1)[field::kSoilClass], "1");
    EXPECT_EQ(document.Conversion(1)[1], "1.00");
    EXPECT_EQ(document.Conversion(1)[2], "5.010000");
    // qa by formula with Wsw 1: 30 + 0.6·30 = 48.
    EXPECT_EQ(document.Conversion(1)[4], "48.000000");
}

TEST_F(ConversionDialogTest, ExamplesFillTheFieldsAndOnlyOkCommitsThem) {
    struct Case {
        const char* button;
        std::vector<std::pair<int, QString>> fields;
        const char* checkedRadio;
        QString suggestion;
    };
    const Case cases[] = {
        // The suggestion stays as it opened: 99 + 0.6·150.
        {"example0",
         {{36, "120"}, {37, "20"}, {39, "3"}, {46, "0.067"}, {49, "45"}, {51, "0.75"}},
         "slot34_2",
         "189.0"},
        {"example1",
         {{53, "30"}, {54, ""}, {56, "0.6"}, {69, "150"}, {89, ""}, {64, "150"}, {65, "50"}},
         "slot34_4",
         "120"},
        {"example2", {{53, ""}, {54, "30"}, {55, "2"}, {56, "0.8"}, {69, "150"}}, "slot66_0", ""},
        {"example3", {{58, "8"}, {59, "8"}, {60, "10"}, {61, "8"}, {64, "150"}}, "slot66_1", ""},
        {"example4", {{53, "30"}, {54, ""}, {69, "150"}, {43, "0"}, {44, "2"}}, "slot35_1", "120"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        document = SandyRow();
        document.header[53] = "99";
        document.header[35] = "2";
        const SoundingHeader before = document.header;
        auto dialog = Open();
        Click(*dialog, c.button);
        for (const auto& [slot, text] : c.fields) {
            EXPECT_EQ(Field(*dialog, slot), text) << "slot " << slot;
        }
        EXPECT_TRUE(Named<QRadioButton>(*dialog, c.checkedRadio)->isChecked());
        EXPECT_EQ(Named<QLineEdit>(*dialog, "suggestion")->text(), c.suggestion);
        EXPECT_EQ(document.header.slots, before.slots);
        Click(*dialog, "cancel");
        EXPECT_EQ(document.header.slots, before.slots);
    }
}

TEST_F(ConversionDialogTest, RefusalsKeepTheDialogOpen) {
    auto dialog = Open();
    dialog->show();
    Type(Named<QLineEdit>(*dialog, "slot65"), QStringLiteral("0"));
    Click(*dialog, "ok");
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Shown(messages.shown[0]), "1 から 1000 までの整数を入力してください。");
    EXPECT_EQ(document.header[65], "50");
    EXPECT_EQ(dialog->focusWidget(), Named<QWidget>(*dialog, "slot65"));

    // The display limit is checked when it loses the focus: cleared with message 4006.
    messages.shown.clear();
    auto* limit = Named<QLineEdit>(*dialog, "slot89");
    Type(limit, QStringLiteral("-5"));
    FocusOut(limit);
    EXPECT_TRUE(messages.Saw(4006));
    EXPECT_EQ(limit->text(), QString());
    Type(limit, QStringLiteral("180.7"));
    FocusOut(limit);
    EXPECT_EQ(limit->text(), QStringLiteral("180"));
}

TEST_F(ConversionDialogTest, SuggestionFollowsTheCapAndShowsOnlyForTheQaFormula) {
    auto dialog = Open();
    dialog->show();
    auto* cap = Named<QLineEdit>(*dialog, "slot69");
    auto* suggestion = Named<QLineEdit>(*dialog, "suggestion");
    EXPECT_EQ(suggestion->text(), QStringLiteral("120.0"));  // 30 + 0.6·150
    Type(cap, QStringLiteral("100"));
    FocusOut(cap);
    EXPECT_EQ(suggestion->text(), QStringLiteral(" 90.0"));  // 30 + 0.6·100, "%5.1f"
    Click(*dialog, "copySuggestion");
    EXPECT_EQ(Field(*dialog, 89), QStringLiteral(" 90.0"));
    Click(*dialog, "slot66_1");
    EXPECT_FALSE(suggestion->isVisible());
    Click(*dialog, "slot66_0");
    EXPECT_TRUE(suggestion->isVisible());
    Click(*dialog, "ok");
    EXPECT_EQ(document.header[89], "90");
    EXPECT_EQ(document.header[69], "100");
}

}  // namespace
}  // namespace ravelog::app
