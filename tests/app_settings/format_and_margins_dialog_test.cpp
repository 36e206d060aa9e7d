// The format/decimals and margins dialogs: what OK writes to "Sys.ndx" and to the running
// program, the once-per-run reminder about the depth decimals, the standard buttons, and the
// refusals that keep the dialog open and the file untouched.
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "ravelog/app/format_decimals_dialog.h"
#include "ravelog/app/margins_dialog.h"
#include "settings_dialog_fixture.h"

namespace ravelog::app::testing {
namespace {

using FormatDecimalsDialogTest = SettingsDialogTest;
using MarginsDialogTest = SettingsDialogTest;

TEST_F(FormatDecimalsDialogTest, OkWritesEveryChoiceIntoTheSettingsFile) {
    rave::DepthDecimalsReminder reminder;
    FormatDecimalsDialog dialog(*frame, reminder);
    dialog.RadioGroup(0)->button(1)->click();              // depth first
    dialog.RadioGroup(1)->button(1)->click();              // load in N
    dialog.RadioGroup(5)->button(2)->click();              // depths stored as typed
    Retype(dialog.DecimalsField(1), QStringLiteral("2"));  // Na
    Retype(dialog.DecimalsField(4), QStringLiteral("3"));  // qu
    dialog.TitleBox(3)->setCurrentIndex(1);
    dialog.TitleBox(1)->setEditText(QStringLiteral("ＳＷＳ試験"));
    Retype(dialog.CompanyField(), QStringLiteral("株式会社 地盤"));
    dialog.accept();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(FileSettingsLine(1), "1");
    EXPECT_EQ(FileSettingsLine(20), "1");
    EXPECT_EQ(FileSettingsLine(18), "2");
    EXPECT_EQ(FileSettingsLine(5), "2");
    EXPECT_EQ(FileSettingsLine(8), "3");
    EXPECT_EQ(FileSettingsLine(10), Cp932("スクリューウエイト貫入試験換算結果"));
    EXPECT_EQ(FileSettingsLine(86), Cp932("ＳＷＳ試験"));
    EXPECT_EQ(FileSettingsLine(68), Cp932("株式会社 地盤"));
    // The running program draws with the new values at once.
    EXPECT_EQ(frame->Files().settings.Int(rave::sysline::kDecimalsQu), 3);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FormatDecimalsDialogTest, DepthDecimalsOtherThanTwoAreRemindedOncePerRun) {
    rave::DepthDecimalsReminder reminder;
    for (int run = 0; run < 2; ++run) {
        FormatDecimalsDialog dialog(*frame, reminder);
        Retype(dialog.DecimalsField(0), QStringLiteral("3"));
        dialog.accept();
        EXPECT_EQ(FileSettingsLine(19), "3");
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, Cp932("貫入深さの小数以下の標準は 2 です."));
}

TEST_F(FormatDecimalsDialogTest, StandardButtonKeepsTheCompanyName) {
    rave::DepthDecimalsReminder reminder;
    FormatDecimalsDialog dialog(*frame, reminder);
    dialog.RadioGroup(2)->button(1)->click();
    Retype(dialog.DecimalsField(3), QStringLiteral("4"));
    Retype(dialog.CompanyField(), QStringLiteral("有限会社 試験"));
    dialog.findChild<QPushButton*>(QStringLiteral("standardButton"))->click();
    EXPECT_EQ(dialog.RadioGroup(2)->checkedId(), 0);
    EXPECT_EQ(dialog.DecimalsField(0)->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog.DecimalsField(3)->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.TitleBox(1)->currentText(), QStringLiteral("スクリューウエイト貫入試験"));
    EXPECT_EQ(dialog.TitleBox(3)->currentText(), QStringLiteral("スクリューウエイト貫入試験換算結果"));
    EXPECT_EQ(dialog.CompanyField()->text(), QStringLiteral("有限会社 試験"));
}

TEST_F(FormatDecimalsDialogTest, RefusedFieldsKeepTheDialogOpenAndTheFileAsItWas) {
    const auto before = InstallFiles();
    rave::DepthDecimalsReminder reminder;
    FormatDecimalsDialog dialog(*frame, reminder);
    dialog.show();
    Retype(dialog.DecimalsField(2), QStringLiteral("5"));
    dialog.accept();
    EXPECT_TRUE(SawText("0 から 4 までの整数を入力してください。"));
    EXPECT_TRUE(dialog.isVisible());

    messages.shown.clear();
    Retype(dialog.DecimalsField(2), QStringLiteral("1"));
    // A character cp932 has no code for is refused, never replaced.
    Retype(dialog.CompanyField(), QStringLiteral("株式会社 \u0151"));
    dialog.accept();
    EXPECT_TRUE(SawText("「名称」に保存できない文字があります"));
    EXPECT_TRUE(dialog.isVisible());

    dialog.reject();
    EXPECT_EQ(InstallFiles(), before);
}

TEST_F(FormatDecimalsDialogTest, Screenshot) {
    rave::DepthDecimalsReminder reminder;
    FormatDecimalsDialog dialog(*frame, reminder);
    Screenshot(dialog, "ravelog-format-decimals.png");
}

TEST_F(MarginsDialogTest, StandardValuesGoToTheFileAndTheSheet) {
    MarginsDialog dialog(*frame);
    EXPECT_EQ(dialog.LeftField()->text(), QStringLiteral("5"));  // the shipped settings
    dialog.findChild<QPushButton*>(QStringLiteral("standardButton"))->click();
    Retype(dialog.TitleRow3Field(), QStringLiteral("7"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(FileSettingsLine(11), "5");
    EXPECT_EQ(FileSettingsLine(12), "20");
    EXPECT_EQ(FileSettingsLine(13), "4");
    EXPECT_EQ(FileSettingsLine(14), "7");
    EXPECT_EQ(frame->Files().settings.Int(rave::sysline::kLeftMargin), 20);
}

TEST_F(MarginsDialogTest, AMarginThatIsNoWholeNumberIsRefused) {
    const auto before = InstallFiles();
    MarginsDialog dialog(*frame);
    dialog.show();
    Retype(dialog.TopField(), QStringLiteral("1.5"));
    dialog.accept();
    EXPECT_TRUE(SawText("整数を入力してください。"));
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
    EXPECT_EQ(InstallFiles(), before);
    EXPECT_EQ(frame->Files().settings.Int(rave::sysline::kTopMargin), 5);
}

TEST_F(MarginsDialogTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheValuesStayInUse) {
    // A folder where the settings file should be: nothing can be written there.
    fs::remove(installFolder / "Sys.ndx");
    fs::create_directory(installFolder / "Sys.ndx");
    MarginsDialog dialog(*frame);
    Retype(dialog.LeftField(), QStringLiteral("12"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(SawText("設定ファイルを保存できませんでした."));
    EXPECT_EQ(frame->Files().settings.Int(rave::sysline::kLeftMargin), 12);
}

TEST_F(MarginsDialogTest, Screenshot) {
    MarginsDialog dialog(*frame);
    Screenshot(dialog, "ravelog-margins.png");
}

}  // namespace
}  // namespace ravelog::app::testing
