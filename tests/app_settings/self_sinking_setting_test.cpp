// The self-sinking verdict setting of the format dialog: what OK writes to "Sys.ndx", the refusal
// of a bad footing depth, files that keep their bytes while the option was never used, and the
// Nsw calculator starting from the stored depth.
#include <QCheckBox>
#include <QLineEdit>

#include "common/settings_files.h"
#include "common/settings_format_decimals.h"
#include "ravelog/app/format_decimals_dialog.h"
#include "ravelog/app/nsw_average_dialog.h"
#include "settings_dialog_fixture.h"

namespace ravelog::app::testing {
namespace {

using SelfSinkingSettingTest = SettingsDialogTest;

TEST_F(SelfSinkingSettingTest, CheckBoxAndDepthGoToTheFileAndComeBack) {
    rave::DepthDecimalsReminder reminder;
    {
        FormatDecimalsDialog dialog(*frame, reminder);
        EXPECT_FALSE(dialog.SelfSinkingBox()->isChecked());
        dialog.SelfSinkingBox()->click();
        Retype(dialog.FootingDepthField(), QStringLiteral(" 0.5 "));
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(FileSettingsLine(rave::sysline::kSelfSinkingNote), "1");
    EXPECT_EQ(FileSettingsLine(rave::sysline::kFootingDepth), "0.5");
    EXPECT_EQ(frame->Files().settings.Line(rave::sysline::kFootingDepth), "0.5");

    FormatDecimalsDialog again(*frame, reminder);
    EXPECT_TRUE(again.SelfSinkingBox()->isChecked());
    EXPECT_EQ(again.FootingDepthField()->text(), QStringLiteral("0.5"));
    again.SelfSinkingBox()->click();
    again.accept();
    EXPECT_EQ(FileSettingsLine(rave::sysline::kSelfSinkingNote), "0");
    EXPECT_EQ(FileSettingsLine(rave::sysline::kFootingDepth), "0.5");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SelfSinkingSettingTest, BadDepthIsRefusedAndTheFileStaysAsItWas) {
    const auto before = InstallFiles();
    rave::DepthDecimalsReminder reminder;
    FormatDecimalsDialog dialog(*frame, reminder);
    dialog.show();
    dialog.SelfSinkingBox()->click();
    for (const QString& depth :
         {QString(), QStringLiteral("-1"), QStringLiteral("abc"), QStringLiteral("1.5m")}) {
        SCOPED_TRACE(depth.toStdString());
        messages.shown.clear();
        Retype(dialog.FootingDepthField(), depth);
        dialog.accept();
        EXPECT_TRUE(SawText("基礎底部の深さには 0 以上の数値 (m) を入力してください。"));
        EXPECT_TRUE(dialog.isVisible());
    }
    // A depth typed while the line is not printed must still be a depth.
    dialog.SelfSinkingBox()->click();
    messages.shown.clear();
    Retype(dialog.FootingDepthField(), QStringLiteral("x"));
    dialog.accept();
    EXPECT_TRUE(SawText("基礎底部の深さには"));
    dialog.reject();
    EXPECT_EQ(InstallFiles(), before);
}

TEST_F(SelfSinkingSettingTest, NeverUsedOptionKeepsTheFileBytes) {
    const rave::RavelogSettings defaults = rave::RavelogSettings::Defaults();
    rave::RavelogSettings edited = defaults;
    rave::FormatDecimalsEditor(defaults).WriteBack(edited);
    ASSERT_TRUE(rave::SaveSettings(temp.path() / "a.ndx", defaults));
    ASSERT_TRUE(rave::SaveSettings(temp.path() / "b.ndx", edited));
    EXPECT_EQ(rave::testing::TempFolder::Read(temp.path() / "a.ndx"),
              rave::testing::TempFolder::Read(temp.path() / "b.ndx"));
}

TEST_F(SelfSinkingSettingTest, CalculatorStartsFromTheStoredDepthUntilUsed) {
    ForgetFootingDepth();
    SoundingDocument document;
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    settings.Line(rave::sysline::kFootingDepth) = "1.25";
    {
        NswAverageDialog dialog(document, settings, messages);
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("footingDepth"))->text(),
                  QStringLiteral("1.25"));
        auto* footing = dialog.findChild<QLineEdit*>(QStringLiteral("footingDepth"));
        Retype(footing, QStringLiteral("2"));
        dialog.JudgeSelfSinking();
    }
    NswAverageDialog reopened(document, settings, messages);
    EXPECT_EQ(reopened.findChild<QLineEdit*>(QStringLiteral("footingDepth"))->text(), QStringLiteral("2"));
    ForgetFootingDepth();
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace ravelog::app::testing
