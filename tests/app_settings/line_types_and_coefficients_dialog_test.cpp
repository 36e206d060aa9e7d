// The line-type dialog (presets, the colour/monochrome rules on the fields, the colour chooser)
// and the default coefficient dialog: what OK writes to "Sys.ndx", what the open document keeps,
// and the refusals.
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <deque>

#include "ravelog/app/default_coefficients_dialog.h"
#include "ravelog/app/line_types_dialog.h"
#include "settings_dialog_fixture.h"

namespace ravelog::app::testing {
namespace {

using LineTypesDialogTest = SettingsDialogTest;
using DefaultCoefficientsDialogTest = SettingsDialogTest;

// The colour chooser answered by the test.
class AnsweredLineTypesDialog : public LineTypesDialog {
public:
    using LineTypesDialog::LineTypesDialog;
    std::deque<std::optional<QColor>> answers;
    QColor offered;

protected:
    std::optional<QColor> ChooseColour(const QColor& initial, const QString&) override {
        offered = initial;
        std::optional<QColor> answer = answers.empty() ? std::nullopt : answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }
};

TEST_F(LineTypesDialogTest, MonochromePresetWritesItsLinesAndFreesTheDashFields) {
    LineTypesDialog dialog(*frame);
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->accessibleName() == QStringLiteral("標準の設定 白黒")) {
            button->click();
        }
    }
    EXPECT_TRUE(dialog.MonochromeRadio()->isChecked());
    // Monochrome: the colours are out of use, the dashes of rules and grids can be set.
    EXPECT_FALSE(dialog.Field(rave::sysline::kTableRuleColour)->isEnabled());
    EXPECT_FALSE(dialog.ColourButton(rave::sysline::kTableRuleColour)->isEnabled());
    EXPECT_TRUE(dialog.Field(rave::sysline::kGrid1Width + 2)->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(FileSettingsLine(36), "1");
    EXPECT_EQ(FileSettingsLine(53), "0");  // 1 mm grid: width 0, solid part 2, gap 4
    EXPECT_EQ(FileSettingsLine(54), "2");
    EXPECT_EQ(FileSettingsLine(55), "4");
    EXPECT_EQ(FileSettingsLine(56), "2");
    EXPECT_EQ(frame->Files().settings.Int(rave::sysline::kMonochrome), 1);
}

TEST_F(LineTypesDialogTest, ChoosingColourMakesRulesAndGridsSolid) {
    LineTypesDialog dialog(*frame);
    dialog.MonochromeRadio()->click();
    Retype(dialog.Field(rave::sysline::kGrid5Width + 2), QStringLiteral("3"));
    dialog.ColourRadio()->click();
    EXPECT_EQ(dialog.Field(rave::sysline::kGrid5Width + 2)->text(), QStringLiteral("0"));
    EXPECT_FALSE(dialog.Field(rave::sysline::kGrid5Width + 2)->isEnabled());
    EXPECT_TRUE(dialog.Field(rave::sysline::kGrid5Colour)->isEnabled());
    // The survey-name underline keeps its dashes in either mode.
    EXPECT_TRUE(dialog.Field(rave::sysline::kUnderlineWidth + 2)->isEnabled());
}

TEST_F(LineTypesDialogTest, TheColourChooserWritesTheColourAsTheFileHoldsIt) {
    AnsweredLineTypesDialog dialog(*frame);
    dialog.ColourRadio()->click();
    Retype(dialog.Field(rave::sysline::kPlotNColour), QStringLiteral("0x000080"));
    dialog.answers = {QColor(255, 0, 0), std::nullopt};
    dialog.ColourButton(rave::sysline::kPlotNColour)->click();
    EXPECT_EQ(dialog.offered, QColor(128, 0, 0));  // 0x000080 is red 128 in 0x00BBGGRR
    EXPECT_EQ(dialog.Field(rave::sysline::kPlotNColour)->text(), QStringLiteral("0x0000ff"));
    // A cancelled chooser leaves the field.
    dialog.ColourButton(rave::sysline::kPlotNColour)->click();
    EXPECT_EQ(dialog.Field(rave::sysline::kPlotNColour)->text(), QStringLiteral("0x0000ff"));
    dialog.PlotStyleBox()->setCurrentIndex(2);
    dialog.accept();
    EXPECT_EQ(FileSettingsLine(84), "0x0000ff");
    EXPECT_EQ(FileSettingsLine(59), "2");
}

TEST_F(LineTypesDialogTest, AWidthThatIsNoNumberIsRefused) {
    const auto before = InstallFiles();
    LineTypesDialog dialog(*frame);
    dialog.show();
    Retype(dialog.Field(rave::sysline::kFrameOuterWidth), QStringLiteral("太い"));
    dialog.accept();
    EXPECT_FALSE(messages.shown.empty());
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
    EXPECT_EQ(InstallFiles(), before);
}

TEST_F(LineTypesDialogTest, Screenshot) {
    LineTypesDialog dialog(*frame);
    Screenshot(dialog, "ravelog-line-types.png");
}

TEST_F(DefaultCoefficientsDialogTest, OkStoresTheDefaultsButLeavesTheOpenDocument) {
    const std::string documentSlot = frame->Document().header.slots[44];
    DefaultCoefficientsDialog dialog(*frame);
    EXPECT_EQ(dialog.Coefficient(0, 1)->text(), QStringLiteral("2"));  // N sandy b, factory value
    Retype(dialog.Coefficient(0, 1), QStringLiteral("2.5"));
    Retype(dialog.QaFromNFactor(3), QStringLiteral("9"));
    dialog.DisplayGroup()->button(4)->click();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(FileSettingsLine(22), "2.5");
    EXPECT_EQ(FileSettingsLine(99), "9");
    EXPECT_EQ(FileSettingsLine(90), "4");
    EXPECT_EQ(frame->Files().settings.Line(22), "2.5");
    // Documents take the defaults only into empty slots, when they are taken up again.
    EXPECT_EQ(frame->Document().header.slots[44], documentSlot);
}

TEST_F(DefaultCoefficientsDialogTest, StandardButtonFillsTheStandardSet) {
    DefaultCoefficientsDialog dialog(*frame);
    Retype(dialog.Coefficient(2, 3), QStringLiteral("0.9"));
    dialog.DisplayGroup()->button(0)->click();
    dialog.findChild<QPushButton*>(QStringLiteral("standardButton"))->click();
    EXPECT_EQ(dialog.Coefficient(2, 3)->text(), QStringLiteral("0.75"));
    EXPECT_EQ(dialog.DisplayGroup()->checkedId(), 2);
    // qa = b·N: clayey Nsw = 0 and Nsw > 0 the other way round from the factory values.
    EXPECT_EQ(dialog.QaFromNFactor(2)->text(), QStringLiteral("8"));
    EXPECT_EQ(dialog.QaFromNFactor(3)->text(), QStringLiteral("10"));
}

TEST_F(DefaultCoefficientsDialogTest, ASectionMarkerInAValueIsRefused) {
    const auto before = InstallFiles();
    DefaultCoefficientsDialog dialog(*frame);
    dialog.show();
    Retype(dialog.Coefficient(3, 0), QStringLiteral("$$30"));
    dialog.accept();
    EXPECT_TRUE(SawText("改行や「$$」を含む文字は入力できません"));
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
    EXPECT_EQ(InstallFiles(), before);
}

TEST_F(DefaultCoefficientsDialogTest, Screenshot) {
    DefaultCoefficientsDialog dialog(*frame);
    Screenshot(dialog, "ravelog-default-coefficients.png");
}

}  // namespace
}  // namespace ravelog::app::testing
