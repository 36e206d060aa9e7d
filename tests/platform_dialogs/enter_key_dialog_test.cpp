// The shared Enter-key dialog over line 100 of Ravelog's "Sys.ndx": the current choice shown,
// another chosen from the keyboard, OK rewriting the whole file, Cancel writing nothing, and a
// file that cannot be written reported while the choice stays in use.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "common/settings_files.h"
#include "platform/codec.h"
#include "platform/enter_key_dialog.h"
#include "platform/qt_test_application.h"
#include "temp_folder.h"

namespace rave::platform {
namespace {

using rave::testing::TempFolder;

// The lines of a settings file (CR LF ends).
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}

class EnterKeyDialogTest : public ::testing::Test {
protected:
    EnterKeyDialogTest() {
        testing::TestApplication();
        settings = RavelogSettings::Defaults();
        settings.Line(68) = "Kelvard";
        file = folder.path() / "Sys.ndx";
        SaveSettings(file, settings);
        settings = *ReadSettingsFile(file);
        before = TempFolder::Read(file);
    }

    static void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
    }

    TempFolder folder;
    std::filesystem::path file;
    RavelogSettings settings;
    std::string before;
    RecordingMessageSink messages;
};

TEST_F(EnterKeyDialogTest, ShowsTheChoicesWithTheCurrentOneSet) {
    RavelogEnterKeyBinding binding(settings, file);
    EnterKeyDialog dialog(binding, messages);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("キーの動作のオプション"));
    EXPECT_EQ(dialog.ChoiceButton(EnterKeyBehaviour::kWindowsStandard)->text(),
              QStringLiteral("Windows標準"));
    EXPECT_EQ(dialog.ChoiceButton(EnterKeyBehaviour::kMoveToNext)->text(), QStringLiteral("次に移動"));
    EXPECT_EQ(dialog.ChoiceButton(EnterKeyBehaviour::kConfirmOnly)->text(), QStringLiteral("確定のみ"));
    // The default, 1: move to the next field.
    EXPECT_TRUE(dialog.ChoiceButton(EnterKeyBehaviour::kMoveToNext)->isChecked());
}

TEST_F(EnterKeyDialogTest, OkRewritesTheWholeFileWithTheChoice) {
    const struct {
        EnterKeyBehaviour choice;
        const char* line100;
    } cases[] = {{EnterKeyBehaviour::kConfirmOnly, "2"},
                 {EnterKeyBehaviour::kWindowsStandard, "0"},
                 {EnterKeyBehaviour::kMoveToNext, "1"}};
    for (const auto& c : cases) {
        RavelogEnterKeyBinding binding(settings, file);
        EnterKeyDialog dialog(binding, messages);
        dialog.show();
        QTest::mouseClick(dialog.ChoiceButton(c.choice), Qt::LeftButton);
        Press(dialog, QDialogButtonBox::Ok);
        const std::vector<std::string> lines = Lines(TempFolder::Read(file));
        ASSERT_EQ(lines.size(), 111u);
        EXPECT_EQ(lines[100], c.line100);
        EXPECT_EQ(lines[0], "500");
        EXPECT_EQ(lines[68], "Kelvard") << "the other lines are kept";
        EXPECT_EQ(EnterKeyBehaviourOf(settings), c.choice) << "the settings in memory follow";
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EnterKeyDialogTest, ArrowKeysMoveBetweenTheChoices) {
    RavelogEnterKeyBinding binding(settings, file);
    EnterKeyDialog dialog(binding, messages);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QRadioButton* next = dialog.ChoiceButton(EnterKeyBehaviour::kMoveToNext);
    next->setFocus();
    QTest::keyClick(next, Qt::Key_Down);
    EXPECT_EQ(dialog.Chosen(), EnterKeyBehaviour::kConfirmOnly);
    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(Lines(TempFolder::Read(file)).at(100), "2");
}

TEST_F(EnterKeyDialogTest, CancelWritesNothing) {
    RavelogEnterKeyBinding binding(settings, file);
    EnterKeyDialog dialog(binding, messages);
    dialog.show();
    QTest::mouseClick(dialog.ChoiceButton(EnterKeyBehaviour::kWindowsStandard), Qt::LeftButton);
    Press(dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(TempFolder::Read(file), before);
    EXPECT_EQ(EnterKeyBehaviourOf(settings), EnterKeyBehaviour::kMoveToNext);
}

TEST_F(EnterKeyDialogTest, AFileThatCannotBeWrittenIsReportedAndTheChoiceKept) {
    const std::filesystem::path unwritable = folder.path() / "missing" / "Sys.ndx";
    RavelogEnterKeyBinding binding(settings, unwritable);
    EnterKeyDialog dialog(binding, messages);
    dialog.show();
    QTest::mouseClick(dialog.ChoiceButton(EnterKeyBehaviour::kConfirmOnly), Qt::LeftButton);
    Press(dialog, QDialogButtonBox::Ok);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Cp932ToUtf8(messages.shown[0].text), "設定ファイルを保存できませんでした\n( %1 )");
    EXPECT_EQ(messages.shown[0].argument, unwritable.string());
    EXPECT_EQ(EnterKeyBehaviourOf(settings), EnterKeyBehaviour::kConfirmOnly);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace rave::platform
