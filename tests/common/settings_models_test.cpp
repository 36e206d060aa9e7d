// The settings dialogs as models: line types with their presets and colour/monochrome rules, the
// Enter-key behaviour, and the format and decimals settings with their reminder.
#include <gtest/gtest.h>

#include "common/settings_enter_key.h"
#include "common/settings_format_decimals.h"
#include "common/settings_line_types.h"

namespace rave {
namespace {

// Lines 41..59 of the editor as integers.
std::vector<int> Numbers(const LineTypeEditor& editor) {
    std::vector<int> values;
    for (int line = 41; line <= 59; ++line) {
        values.push_back(std::stoi(editor.Field(line)));
    }
    return values;
}

TEST(LineTypePresets, SetEveryNumberAsTheDialogsButtonsGiveThem) {
    LineTypeEditor editor(RavelogSettings::Defaults());
    //                     41 42 43 44 45 46 47 48 49 50 51 52 53 54 55 56 57 58 59
    const std::vector<int> standard = {2, 1, 2, 4, 4, 1, 3, 0, 2, 1, 4, 0, 0, 2, 0, 3, 2, 1, 0};
    const std::vector<int> mono = {2, 1, 2, 4, 4, 1, 3, 0, 2, 1, 4, 0, 0, 2, 4, 2, 1, 1, 0};
    const std::vector<int> fine = {2, 1, 2, 4, 4, 1, 3, 4, 2, 1, 4, 2, 1, 2, 4, 3, 2, 1, 0};

    editor.ApplyPreset(LineTypePreset::kColourFine);
    EXPECT_EQ(Numbers(editor), fine);
    EXPECT_FALSE(editor.monochrome);
    editor.ApplyPreset(LineTypePreset::kColourStandard);
    EXPECT_EQ(Numbers(editor), standard);
    EXPECT_FALSE(editor.monochrome);
    EXPECT_EQ(editor.Field(37), "0x808080");
    EXPECT_EQ(editor.Field(38), "0x808080");
    EXPECT_EQ(editor.Field(39), "0xcccccc");
    EXPECT_EQ(editor.Field(83), "0x000000");
    EXPECT_EQ(editor.Field(84), "0x000080");
    EXPECT_EQ(editor.Field(85), "0x800000");
}

TEST(LineTypePresets, MonochromeSetsLine36AndTheOneMillimetreGridButKeepsTheColours) {
    RavelogSettings settings = RavelogSettings::Defaults();
    settings.Line(37) = "0x123456";
    LineTypeEditor editor(settings);
    editor.ApplyPreset(LineTypePreset::kMonochrome);
    EXPECT_TRUE(editor.monochrome);
    EXPECT_EQ(editor.Field(53), "0");
    EXPECT_EQ(editor.Field(54), "2");
    EXPECT_EQ(editor.Field(55), "4");
    EXPECT_EQ(editor.Field(37), "0x123456");
    EXPECT_EQ(editor.Field(84), "");

    editor.WriteBack(settings);
    EXPECT_EQ(settings.Line(36), "1");
    EXPECT_EQ(LineStyleAt(settings, sysline::kGrid1Width).gap, 4);
}

TEST(LineTypeModes, ColourMakesRulesAndGridsSolidAndSwapsWhichFieldsAreEditable) {
    LineTypeEditor editor(RavelogSettings::Defaults());
    editor.ApplyPreset(LineTypePreset::kMonochrome);
    editor.Field(48) = "3";
    editor.Field(52) = "2";
    editor.Field(45) = "6";  // the underline's gap is not one of them
    EXPECT_TRUE(editor.IsEnabled(47));
    EXPECT_FALSE(editor.IsEnabled(37));

    editor.ChooseMonochrome(false);
    EXPECT_EQ(editor.Field(48), "0");
    EXPECT_EQ(editor.Field(52), "0");
    EXPECT_EQ(editor.Field(55), "0");
    EXPECT_EQ(editor.Field(45), "6");
    EXPECT_EQ(editor.Field(47), "3");  // solid parts stay as they were
    for (int dash : {47, 48, 51, 52, 54, 55}) {
        EXPECT_FALSE(editor.IsEnabled(dash)) << dash;
    }
    for (int colour : {37, 38, 39, 83, 84, 85}) {
        EXPECT_TRUE(editor.IsEnabled(colour)) << colour;
    }
    EXPECT_TRUE(editor.IsEnabled(41));
    EXPECT_TRUE(editor.IsEnabled(44));

    editor.ChooseMonochrome(true);
    EXPECT_EQ(editor.Field(48), "0");  // choosing monochrome changes no value
    EXPECT_TRUE(editor.IsEnabled(48));
}

TEST(LineTypeEditor, ColourChooserResultIsWrittenAsSixHexDigits) {
    LineTypeEditor editor(RavelogSettings::Defaults());
    editor.SetColour(83, 0x0000ff);
    EXPECT_EQ(editor.Field(83), "0x0000ff");
    editor.SetColour(39, 0x7fccddee);  // only the colour bytes of a COLORREF
    EXPECT_EQ(editor.Field(39), "0xccddee");
}

TEST(LineTypeEditor, ValidatesNumbersAndColoursAndStoresThem) {
    RecordingMessageSink messages;
    LineTypeEditor editor(RavelogSettings::Defaults());
    EXPECT_TRUE(editor.Validate(messages));  // the defaults, colours empty

    editor.Field(56) = "abc";
    EXPECT_FALSE(editor.Validate(messages));
    editor.Field(56) = "-1";
    EXPECT_FALSE(editor.Validate(messages));
    editor.Field(56) = "4";
    editor.Field(59) = "3";  // plot style has three choices
    EXPECT_FALSE(editor.Validate(messages));
    editor.Field(59) = "2";
    editor.Field(84) = "red";
    EXPECT_FALSE(editor.Validate(messages));
    editor.Field(84) = "0x1234567";
    EXPECT_FALSE(editor.Validate(messages));
    editor.Field(84) = "0xABCdef";
    messages.shown.clear();
    EXPECT_TRUE(editor.Validate(messages));
    EXPECT_TRUE(messages.shown.empty());

    RavelogSettings settings = RavelogSettings::Defaults();
    editor.Field(46) = " 7 ";
    editor.WriteBack(settings);
    EXPECT_EQ(settings.Line(46), "7");
    EXPECT_EQ(settings.Line(56), "4");
    EXPECT_EQ(settings.Line(59), "2");
    EXPECT_EQ(settings.Line(84), "0xABCdef");
    EXPECT_EQ(settings.Line(36), "0");
}

TEST(LineTypeEditor, ReadsWhatTheSettingsHold) {
    RavelogSettings settings = RavelogSettings::Defaults();
    settings.Line(36) = "1";
    settings.Line(50) = "";
    settings.Line(85) = "0x800000";
    const LineTypeEditor editor(settings);
    EXPECT_TRUE(editor.monochrome);
    EXPECT_EQ(editor.Field(50), "0");
    EXPECT_EQ(editor.Field(85), "0x800000");
    EXPECT_EQ(editor.Field(51), "5");
    EXPECT_THROW(editor.Field(40), std::out_of_range);
}

TEST(EnterKey, SettingLineGivesTheBehaviourWithMoveToNextAsDefault) {
    RavelogSettings settings = RavelogSettings::Defaults();
    EXPECT_EQ(EnterKeyBehaviourOf(settings), EnterKeyBehaviour::kMoveToNext);
    const std::pair<const char*, EnterKeyBehaviour> cases[] = {
        {"0", EnterKeyBehaviour::kWindowsStandard}, {"1", EnterKeyBehaviour::kMoveToNext},
        {"2", EnterKeyBehaviour::kConfirmOnly},     {"", EnterKeyBehaviour::kMoveToNext},
        {"3", EnterKeyBehaviour::kMoveToNext},      {"-1", EnterKeyBehaviour::kMoveToNext}};
    for (const auto& [line, behaviour] : cases) {
        settings.Line(sysline::kEnterKey) = line;
        EXPECT_EQ(EnterKeyBehaviourOf(settings), behaviour) << line;
    }
    SetEnterKeyBehaviour(settings, EnterKeyBehaviour::kConfirmOnly);
    EXPECT_EQ(settings.Line(100), "2");
}

TEST(EnterKey, PressesActAsChosenExceptDuringConversionOrADropDown) {
    EXPECT_EQ(EnterKeyActionFor(EnterKeyBehaviour::kWindowsStandard, false), EnterKeyAction::kPressOk);
    EXPECT_EQ(EnterKeyActionFor(EnterKeyBehaviour::kMoveToNext, false), EnterKeyAction::kMoveToNextField);
    EXPECT_EQ(EnterKeyActionFor(EnterKeyBehaviour::kConfirmOnly, false), EnterKeyAction::kNothing);
    for (auto behaviour : {EnterKeyBehaviour::kWindowsStandard, EnterKeyBehaviour::kMoveToNext,
                           EnterKeyBehaviour::kConfirmOnly}) {
        EXPECT_EQ(EnterKeyActionFor(behaviour, true), EnterKeyAction::kStandard);
    }
    EXPECT_EQ(EnterKeyChoiceLabel(EnterKeyBehaviour::kMoveToNext), "次に移動");
    EXPECT_EQ(EnterKeyChoiceEffect(EnterKeyBehaviour::kConfirmOnly), "OKボタンや次に移動しない");
}

TEST(FormatDecimals, StandardSettingsAsTheButtonGivesThem) {
    RavelogSettings settings = RavelogSettings::Defaults();
    for (int line : {1, 2, 3, 4, 20}) {
        settings.Line(line) = "1";
    }
    settings.Line(18) = "2";
    settings.Line(68) = "有限会社 地盤";
    FormatDecimalsEditor editor(settings);
    EXPECT_EQ(editor.dataInputOrder, 1);
    EXPECT_EQ(editor.depthStoreFormat, 2);
    editor.ApplyStandard();
    editor.WriteBack(settings);

    const std::pair<int, const char*> expected[] = {{1, "0"},
                                                    {2, "0"},
                                                    {3, "0"},
                                                    {4, "0"},
                                                    {18, "0"},
                                                    {20, "0"},
                                                    {19, "2"},
                                                    {5, "0"},
                                                    {6, "0"},
                                                    {7, "1"},
                                                    {8, "1"},
                                                    {9, "1"},
                                                    {86, "スクリューウエイト貫入試験"},
                                                    {87, "スクリューウエイト貫入試験"},
                                                    {10, "スクリューウエイト貫入試験換算結果"},
                                                    {68, "有限会社 地盤"}};
    for (const auto& [line, text] : expected) {
        EXPECT_EQ(settings.Line(line), text) << "line " << line;
    }
}

TEST(FormatDecimals, DecimalsMustBeZeroToFourAndTextsStorable) {
    RecordingMessageSink messages;
    FormatDecimalsEditor editor(RavelogSettings::Defaults());
    EXPECT_TRUE(editor.Validate(messages));
    editor.qaDecimals = "5";
    EXPECT_FALSE(editor.Validate(messages));
    editor.qaDecimals = "1.5";
    EXPECT_FALSE(editor.Validate(messages));
    editor.qaDecimals = "4";
    editor.titleFormat3 = "title\r\nnext";
    EXPECT_FALSE(editor.Validate(messages));
    editor.titleFormat3 = "ok";
    messages.shown.clear();
    EXPECT_TRUE(editor.Validate(messages));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(FormatDecimals, StoredValueOutsideARadioGroupChoosesItsFirstButton) {
    RavelogSettings settings = RavelogSettings::Defaults();
    settings.Line(18) = "3";
    settings.Line(20) = "-1";
    const FormatDecimalsEditor editor(settings);
    EXPECT_EQ(editor.depthStoreFormat, 0);
    EXPECT_EQ(editor.loadUnit, 0);
}

TEST(DepthDecimalsReminder, ShownOnceInARunWhenTheDepthDecimalsAreNotTwo) {
    RecordingMessageSink messages;
    DepthDecimalsReminder reminder;
    RavelogSettings settings = RavelogSettings::Defaults();
    reminder.AfterOk(settings, messages);
    EXPECT_TRUE(messages.shown.empty());
    settings.Line(19) = "3";
    reminder.AfterOk(settings, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "貫入深さの小数以下の標準は 2 です.");
    settings.Line(19) = "1";
    reminder.AfterOk(settings, messages);
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
}  // namespace rave
