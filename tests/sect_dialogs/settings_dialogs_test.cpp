// The format sheet, the pattern settings, the set-up dialog and Ravesect's bindings of the shared
// font and Enter-key dialogs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "platform/install_folder.h"
#include "ravesect/app/format_dialog.h"
#include "ravesect/app/pattern_settings_dialog.h"
#include "ravesect/app/section_dialog_bindings.h"
#include "ravesect/app/setup_dialog.h"
#include "sect_dialog_support.h"

namespace ravesect::app {
namespace {

using ravesect::testing::ShownText;
using ravesect::testing::TypeInto;

class SettingsDialogsTest : public ::testing::Test {
protected:
    SettingsDialogsTest() : sysq(SysqSettings::Defaults(folder.path())) {
        rave::platform::testing::TestApplication();
    }

    rave::testing::TempFolder folder;
    SysqSettings sysq;
    rave::RecordingMessageSink messages;
};

TEST_F(SettingsDialogsTest, FormatSheetShowsTheLinesAndTakesEditsOfBothPages) {
    FormatSheetDialog dialog(sysq, messages);
    ASSERT_EQ(dialog.Pages()->count(), 2);
    EXPECT_EQ(dialog.Pages()->tabText(0), QStringLiteral("目盛り 記号"));
    EXPECT_EQ(dialog.Pages()->tabText(1), QStringLiteral("線種 マージン 名称"));
    EXPECT_EQ(dialog.Box(sysqline::kFlagAngle)->text(), QStringLiteral("30"));
    EXPECT_EQ(dialog.Choice(sysqline::kSwedishGridMaximum)->currentText(), QStringLiteral("200"));
    EXPECT_TRUE(dialog.Check(sysqline::kLabelPrefix)->isChecked());

    TypeInto(dialog.Box(sysqline::kFlagAngle), QStringLiteral("45"));
    TypeInto(dialog.Box(sysqline::kLeftMargin), QStringLiteral("15"));
    TypeInto(dialog.Box(sysqline::kCompanyName), QStringLiteral("株式会社 地盤"));
    dialog.Choice(sysqline::kSwedishGridMaximum)->setCurrentIndex(2);
    dialog.Choice(sysqline::kValueFigures)->setCurrentIndex(3);
    dialog.SecondChoice(sysqline::kMonochrome)->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << ShownText(messages);
    const SysqSettings& v = dialog.Values();
    EXPECT_EQ(v.Line(sysqline::kFlagAngle), "45");
    EXPECT_EQ(v.Line(sysqline::kLeftMargin), "15");
    EXPECT_EQ(rave::platform::Cp932ToUtf8(v.Line(sysqline::kCompanyName)), "株式会社 地盤");
    EXPECT_EQ(v.Line(sysqline::kSwedishGridMaximum), "800");
    EXPECT_EQ(v.Line(sysqline::kValueFigures), "3");
    EXPECT_EQ(v.Line(sysqline::kMonochrome), "1");
}

TEST_F(SettingsDialogsTest, FormatSheetRefusesBadBoxesAndRaisesTheGridToTheBlowCount) {
    struct Case {
        int line;
        const char* text;
        const char* message;
    };
    const Case cases[] = {{sysqline::kFlagAngle, "360", "0 から 359 までの整数"},
                          {sysqline::kNGraphWidth, "0", "1 から 70 までの整数"},
                          {sysqline::kLeftMargin, "0", "1 から 100 までの整数"},
                          {sysqline::kDotRadius, "0", "●半径"},
                          {sysqline::kCompanyName, "$$Z", "「$$」"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        messages.shown.clear();
        FormatSheetDialog dialog(sysq, messages);
        dialog.show();
        TypeInto(dialog.Box(c.line), QString::fromUtf8(c.text));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_NE(ShownText(messages).find(c.message), std::string::npos) << ShownText(messages);
    }

    messages.shown.clear();
    FormatSheetDialog dialog(sysq, messages);
    dialog.show();
    dialog.Choice(sysqline::kMaxBlowCount)->setCurrentIndex(2);  // 70
    dialog.Choice(sysqline::kNGridMaximum)->setCurrentIndex(0);  // 50
    dialog.accept();
    EXPECT_NE(ShownText(messages).find("最高打撃回数(70)"), std::string::npos) << ShownText(messages);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Choice(sysqline::kNGridMaximum)->currentText(), QStringLiteral("70"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Values().Line(sysqline::kNGridMaximum), "2");
}

// The colour chooser answers from the test.
class ScriptedPatternDialog : public PatternSettingsDialog {
public:
    using PatternSettingsDialog::PatternSettingsDialog;

protected:
    std::optional<QColor> ChooseColour(const QColor&) override { return QColor(0x12, 0x34, 0x56); }
};

TEST_F(SettingsDialogsTest, PatternSettingsTakeTheChoicesRefuseABadWidthAndRestoreTheStandard) {
    ScriptedPatternDialog dialog(folder.path(), PatternSettingsOf(sysq), messages);
    dialog.show();
    EXPECT_TRUE(dialog.DrawingButton(PatternDrawing::kLinesOnly)->isChecked());
    dialog.DrawingButton(PatternDrawing::kBitmapsFirst)->setChecked(true);
    dialog.MonochromeButton()->setChecked(true);
    dialog.MixedMarkingBox()->setChecked(false);
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("色")) {
            button->click();
        }
    }
    // COLORREF keeps blue in its high byte.
    EXPECT_EQ(dialog.LineColourBox()->text(), QStringLiteral("0x563412"));

    TypeInto(dialog.LineWidthBox(), QStringLiteral("3"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(ShownText(messages).find("線の太さ"), std::string::npos) << ShownText(messages);

    TypeInto(dialog.LineWidthBox(), QStringLiteral("0.3"));
    dialog.accept();
    ASSERT_FALSE(dialog.isVisible());
    SysqSettings stored = sysq;
    StorePatternSettings(dialog.Values(), stored);
    EXPECT_EQ(stored.Line(sysqline::kPatternDrawing), "1");
    EXPECT_EQ(stored.Line(sysqline::kPatternMonochrome), "1");
    EXPECT_EQ(stored.Line(sysqline::kMixedSoilMarking), "1");
    EXPECT_EQ(stored.Line(sysqline::kPatternLineWidth), "0.3");
    EXPECT_EQ(stored.Line(sysqline::kPatternLineColour), "0x563412");

    ScriptedPatternDialog again(folder.path(), dialog.Values(), messages);
    TypeInto(again.MasterFileBox(), QStringLiteral("elsewhere.mst"));
    again.StandardButton()->click();
    EXPECT_EQ(again.MasterFileBox()->text().toStdString(), (folder.path() / "WdtvxJG.mst").string());
    EXPECT_TRUE(again.DrawingButton(PatternDrawing::kLinesOnly)->isChecked());
    EXPECT_TRUE(again.MixedMarkingBox()->isChecked());
}

TEST_F(SettingsDialogsTest, SetupRefusesAnAbnormalPathAndWritesThePointerFile) {
    rave::platform::DriveFolders drives{folder.path() / "home", folder.path() / "current"};
    SetupDialog dialog(rave::platform::MakeDriveMap(drives), messages);
    dialog.show();
    // With no pointer file the default location is shown.
    EXPECT_EQ(dialog.DriveBox()->text(), QStringLiteral("C"));
    EXPECT_EQ(dialog.FolderBox()->text(), QStringLiteral("\\Kelvard\\Sver5"));
    const QString native = QString::fromStdString((folder.path() / "home" / "Kelvard" / "Sver5").string());
    EXPECT_TRUE(dialog.NativeFolderLabel()->text().endsWith(native))
        << dialog.NativeFolderLabel()->text().toStdString();

    for (const auto& [drive, path] : {std::pair{"1", "\\Kelvard\\Sver5"}, std::pair{"C", "\\"}}) {
        messages.shown.clear();
        TypeInto(dialog.DriveBox(), QString::fromUtf8(drive));
        TypeInto(dialog.FolderBox(), QString::fromUtf8(path));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(ShownText(messages), "パス名が異常です\n");
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "home" / "Kelvard" / "Vivad5.whr"));

    TypeInto(dialog.DriveBox(), QStringLiteral("d"));
    TypeInto(dialog.FolderBox(), QStringLiteral("\\sect"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(rave::testing::TempFolder::Read(folder.path() / "home" / "Kelvard" / "Vivad5.whr"),
              "D:\\sect\r\n");
}

TEST_F(SettingsDialogsTest, FontBindingKeepsSectionLimitsAndSavesAllSevenFiles) {
    SectionFontBinding binding(DefaultSectionFonts(), folder.path());
    EXPECT_EQ(binding.FontCount(), 7);
    EXPECT_EQ(rave::platform::Cp932ToUtf8(binding.ButtonLabel(2)), "　旗と標尺");
    const std::string face = binding.Font(1).face;
    // Font 1 (titles) may be as large as 400 points; the others 100.
    EXPECT_TRUE(binding.ChooseFont(1, 300.0, face, messages));
    EXPECT_FALSE(binding.ChooseFont(2, 150.0, face, messages));
    EXPECT_NE(ShownText(messages).find("100 ポイント"), std::string::npos) << ShownText(messages);
    EXPECT_DOUBLE_EQ(binding.Font(2).size, 8.0);
    binding.ChooseColour(7, 0x0000ff);
    ASSERT_TRUE(binding.Save(messages));
    const SectionFonts back = LoadSectionFonts(folder.path(), nullptr);
    EXPECT_DOUBLE_EQ(back[0].size, 300.0);
    EXPECT_EQ(back[6].colour, 0x0000ff);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Fntq7.ndx"));
}

TEST_F(SettingsDialogsTest, EnterKeyBindingUsesLine61OfSysq) {
    SysqEnterKeyBinding binding(sysq, folder.path());
    EXPECT_EQ(binding.Behaviour(), rave::EnterKeyBehaviour::kMoveToNext);
    sysq.Line(sysqline::kEnterKey) = "7";
    EXPECT_EQ(binding.Behaviour(), rave::EnterKeyBehaviour::kMoveToNext);
    ASSERT_TRUE(binding.Store(rave::EnterKeyBehaviour::kConfirmOnly, messages));
    const auto back = ReadSysqFile(SysqFilePath(folder.path()), folder.path());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Line(sysqline::kEnterKey), "2");
}

}  // namespace
}  // namespace ravesect::app
