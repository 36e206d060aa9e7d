// The shared dialogs as Ravelog's menu commands open them: フォント writes the font files and
// the window draws with the new fonts, キーの動作 rewrites "Sys.ndx", 操作＆ヘルプ lists "Help.txt",
// and the legend commands stand in the help menu and preview the legend of the table in use.
// Each modal dialog is answered by a timer once it is open, so no test waits for a person.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <functional>

#include "common/settings_enter_key.h"
#include "modal_dialogs.h"
#include "platform/enter_key_dialog.h"
#include "platform/font_settings_dialog.h"
#include "platform/help_dialog.h"
#include "platform/install_folder.h"
#include "platform/qt_test_application.h"
#include "ravelog/app/main_frame.h"
#include "settings_sandbox.h"
#include "temp_folder.h"

namespace ravelog::app {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

// Runs `work` on the modal dialog of type D once the command has opened it.
template <class D>
[[nodiscard]] rave::testing::ModalAnswer WhenOpen(std::function<void(D&)> work, bool& seen) {
    seen = false;
    return rave::testing::WhenModalOpens<D>([work, &seen](D& dialog) {
        seen = true;
        work(dialog);
    });
}

void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

class RavelogCommandsTest : public ::testing::Test {
protected:
    RavelogCommandsTest() {
        rave::platform::testing::TestApplication();
        rave::testing::KeepSettingsIn(temp.path() / "settings");
        std::string error;
        installFolder = temp.path() / "install";
        EXPECT_TRUE(
            rave::platform::CreateInstallFolder(installFolder, fs::path(RAVE_SOURCE_DIR) / "data", error))
            << error;
        ResetCurrentSounding();
        frame = std::make_unique<MainFrame>(installFolder, &messages);
        messages.shown.clear();
    }

    TempFolder temp;
    fs::path installFolder;
    rave::RecordingMessageSink messages;
    std::unique_ptr<MainFrame> frame;
};

TEST_F(RavelogCommandsTest, FontCommandWritesTheFilesAndTheWindowTakesThemUp) {
    bool seen = false;
    const auto answer = WhenOpen<rave::platform::FontSettingsDialog>(
        [](rave::platform::FontSettingsDialog& dialog) {
            QLineEdit* size = dialog.SizeBox(4)->lineEdit();
            size->selectAll();
            QTest::keyClicks(size, QStringLiteral("13"));
            Press(dialog, QDialogButtonBox::Ok);
        },
        seen);
    frame->Action(command_id::kFonts)->trigger();
    ASSERT_TRUE(seen);
    EXPECT_EQ(TempFolder::Read(installFolder / "Font4.ndx").substr(0, 6), "13.0\r\n");
    EXPECT_DOUBLE_EQ(frame->Files().fonts[3].size, 13.0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RavelogCommandsTest, EnterKeyCommandRewritesTheSettingsFile) {
    bool seen = false;
    const auto answer = WhenOpen<rave::platform::EnterKeyDialog>(
        [](rave::platform::EnterKeyDialog& dialog) {
            QTest::mouseClick(dialog.ChoiceButton(rave::EnterKeyBehaviour::kWindowsStandard), Qt::LeftButton);
            Press(dialog, QDialogButtonBox::Ok);
        },
        seen);
    frame->Action(command_id::kEnterKey)->trigger();
    ASSERT_TRUE(seen);
    const std::string bytes = TempFolder::Read(installFolder / "Sys.ndx");
    // Line 100 is the 101st line.
    std::size_t start = 0;
    for (int line = 0; line < 100; ++line) {
        start = bytes.find("\r\n", start) + 2;
    }
    EXPECT_EQ(bytes.substr(start, 3), "0\r\n");
    EXPECT_EQ(rave::EnterKeyBehaviourOf(frame->Files().settings), rave::EnterKeyBehaviour::kWindowsStandard);
}

TEST_F(RavelogCommandsTest, HelpCommandListsTheHelpText) {
    bool seen = false;
    int lines = 0;
    QString first;
    const auto answer = WhenOpen<rave::platform::HelpDialog>(
        [&](rave::platform::HelpDialog& dialog) {
            lines = dialog.Lines()->count();
            first = dialog.Lines()->item(0)->text();
            dialog.reject();
        },
        seen);
    frame->Action(command_id::kHelp)->trigger();
    ASSERT_TRUE(seen);
    EXPECT_GT(lines, 20);
    EXPECT_TRUE(first.startsWith(QStringLiteral("Ravelog 操作の手引き")));
}

TEST_F(RavelogCommandsTest, LegendCommandsStandInTheHelpMenuAndPreview) {
    QStringList texts;
    for (QAction* action : frame->Menu(QStringLiteral("helpMenu"))->actions()) {
        texts.append(action->text());
    }
    const QStringList expected = {QStringLiteral("操作＆ヘルプ(&H)"), QString(),
                                  QStringLiteral("凡例の印刷(&L)..."),
                                  QStringLiteral("凡例の印刷ﾌﾟﾚﾋﾞｭｰ(&V)")};
    EXPECT_EQ(texts, expected);

    bool seen = false;
    const auto answer =
        WhenOpen<QPrintPreviewDialog>([](QPrintPreviewDialog& preview) { preview.reject(); }, seen);
    frame->findChild<QAction*>(QStringLiteral("legendPreview"))->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace ravelog::app
