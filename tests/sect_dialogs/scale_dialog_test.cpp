// The scale dialog: refusals before OK, the corrections that keep it open, the standard settings.
#include <QPushButton>

#include <gtest/gtest.h>

#include "ravesect/app/scale_dialog.h"
#include "sect_dialog_support.h"

namespace ravesect::app {
namespace {

using ravesect::testing::ShownText;
using ravesect::testing::TypeInto;

class ScaleDialogTest : public ::testing::Test {
protected:
    ScaleDialogTest() : sysq(SysqSettings::Defaults("/install")) {
        rave::platform::testing::TestApplication();
        document.settings.distanceScale = 100;
        document.settings.depthScale = 100;
        document.settings.rulerTop = 10;
        document.settings.rulerBottom = -10;
        document.settings.rulerStep = 1;
        document.settings.topElevation = 12.0;
        document.settings.distancePerPage = 20;
        document.settings.depthPerPage = 20;
        document.settings.leftEnd = -2;
    }

    SectionDocument document;
    SysqSettings sysq;
    SectionPaper paper{297, 210};  // A4 across
    rave::RecordingMessageSink messages;
};

TEST_F(ScaleDialogTest, ValuesOutsideTheirRangesAreRefusedBeforeOk) {
    struct Case {
        ScaleField field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {ScaleField::kDistanceScale, "19", "20 から 2000 までの整数"},
        {ScaleField::kDepthScale, "2001", "20 から 2000 までの整数"},
        {ScaleField::kRulerStep, "0", "1 から 100 までの整数"},
        {ScaleField::kRulerTop, "abc", "-1000 から 4000 までの整数"},
        {ScaleField::kTopElevation, "4000.5", "-2000 から 4000 までの数値"},
        {ScaleField::kLeftEnd, "-101", "-100 から 10000 までの整数"},
        {ScaleField::kPageOverlapDistance, "1001", "0 から 1000 までの整数"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        messages.shown.clear();
        ScaleSettingsDialog dialog(document, paper, sysq, messages);
        dialog.show();
        TypeInto(dialog.Field(c.field), QString::fromUtf8(c.text));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.Result(), ScaleDialogResult::kCancelled);
        EXPECT_NE(ShownText(messages).find(c.message), std::string::npos) << ShownText(messages);
        EXPECT_TRUE(dialog.Field(c.field)->hasFocus() || !QApplication::focusWidget());
    }
}

TEST_F(ScaleDialogTest, AnUpsideDownRulerIsCorrectedAndTheDialogStaysOpen) {
    ScaleSettingsDialog dialog(document, paper, sysq, messages);
    dialog.show();
    TypeInto(dialog.Field(ScaleField::kRulerTop), QStringLiteral("10"));
    TypeInto(dialog.Field(ScaleField::kRulerBottom), QStringLiteral("20"));
    dialog.accept();
    EXPECT_TRUE(messages.Saw(4015));
    EXPECT_TRUE(dialog.isVisible());
    // The bottom becomes the top - 10.
    EXPECT_EQ(dialog.Field(ScaleField::kRulerBottom)->text(), QStringLiteral("0"));
    messages.shown.clear();
    dialog.accept();
    EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);
    EXPECT_EQ(dialog.Result(), ScaleDialogResult::kAccepted);
    EXPECT_EQ(dialog.Settings().rulerBottom, 0);
}

TEST_F(ScaleDialogTest, PagesLongerThanThePaperAreCutToIt) {
    ScaleSettingsDialog dialog(document, paper, sysq, messages);
    dialog.show();
    TypeInto(dialog.Field(ScaleField::kDistancePerPage), QStringLiteral("500"));
    dialog.accept();
    // 100 x (297 - 10 - 10) / 1000 = 27 m across an A4 sheet at 1/100 with a 10 mm margin.
    EXPECT_NE(ShownText(messages).find("約 27 (m)"), std::string::npos) << ShownText(messages);
    EXPECT_EQ(dialog.Field(ScaleField::kDistancePerPage)->text(), QStringLiteral("27"));
}

TEST_F(ScaleDialogTest, ShownLengthsFollowTheFieldsAndStandardSettingsSuitTheDepthScale) {
    ScaleSettingsDialog dialog(document, paper, sysq, messages);
    dialog.show();
    // "下端の標高" follows the top elevation and the depth per page as they are typed.
    TypeInto(dialog.Field(ScaleField::kTopElevation), QStringLiteral("15"));
    EXPECT_EQ(dialog.BottomElevationBox()->text(), QStringLiteral("-5.0"));
    // At 1/200 the paper's 210 mm less margins hold 200 x 190 / 1000 = 38 m down.
    TypeInto(dialog.Field(ScaleField::kDepthScale), QStringLiteral("200"));
    Q_EMIT dialog.Field(ScaleField::kDepthScale)->editingFinished();
    EXPECT_EQ(dialog.DepthMetresBox()->text(), QStringLiteral("38"));
    dialog.StandardButton()->click();
    EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);
    EXPECT_EQ(dialog.Field(ScaleField::kRulerStep)->text(), QStringLiteral("5"));
    EXPECT_EQ(dialog.Field(ScaleField::kDepthPerPage)->text(), QStringLiteral("38"));
}

TEST_F(ScaleDialogTest, PaperTooSmallForAnyLengthSaysSoAndShowsZero) {
    ScaleSettingsDialog dialog(document, paper, sysq, messages);
    dialog.show();
    // 15 mm less the 10 mm margin and 10 mm leave nothing across.
    TypeInto(dialog.PaperWidthBox(), QStringLiteral("15"));
    Q_EMIT dialog.PaperWidthBox()->editingFinished();
    EXPECT_EQ(ShownText(messages), "作図長さがありません\n");
    EXPECT_EQ(dialog.DistanceMetresBox()->text(), QStringLiteral("0"));
}

}  // namespace
}  // namespace ravesect::app
