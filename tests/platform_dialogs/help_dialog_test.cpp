// The shared help dialog: the help text's lines listed as written (cp932 shown as Japanese), a
// missing file reported with an empty list, and the editor button trying the desktop's editor,
// then the program's own window, then saying it could not run.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "common/path_text.h"
#include "common/settings_files.h"
#include "platform/codec.h"
#include "platform/help_dialog.h"
#include "platform/qt_test_application.h"
#include "temp_folder.h"

namespace rave::platform {
namespace {

using rave::testing::TempFolder;

class AnsweredHelpDialog : public HelpDialog {
public:
    using HelpDialog::HelpDialog;
    bool editorStarts = false;
    bool windowShows = false;
    QList<QUrl> editorAsked;
    int windowAsked = 0;

protected:
    bool OpenInEditor(const QUrl& file) override {
        editorAsked.append(file);
        return editorStarts;
    }
    bool ShowTextWindow(const std::filesystem::path&) override {
        ++windowAsked;
        return windowShows;
    }
};

class HelpDialogTest : public ::testing::Test {
protected:
    HelpDialogTest() { testing::TestApplication(); }
    TempFolder folder;
    RecordingMessageSink messages;
};

TEST_F(HelpDialogTest, ListsTheLinesOfTheHelpText) {
    const auto file =
        folder.Write("Helpq.txt", Utf8ToCp932("■ 概要\r\n\r\n  断面図を作ります。\r\n").value());
    AnsweredHelpDialog dialog(file, messages);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("操作＆ヘルプ"));
    ASSERT_EQ(dialog.Lines()->count(), 3);
    EXPECT_EQ(dialog.Lines()->item(0)->text(), QStringLiteral("■ 概要"));
    EXPECT_EQ(dialog.Lines()->item(1)->text(), QString());
    EXPECT_EQ(dialog.Lines()->item(2)->text(), QStringLiteral("  断面図を作ります。"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(HelpDialogTest, AMissingFileIsReportedAndTheListStaysEmpty) {
    const auto file = folder.path() / "Help.txt";
    AnsweredHelpDialog dialog(file, messages);
    EXPECT_EQ(dialog.Lines()->count(), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].id, kFileNotFoundMessage);
    EXPECT_EQ(messages.shown[0].argument, file.string());
}

TEST_F(HelpDialogTest, TheEditorButtonTriesTheEditorThenTheProgramsWindow) {
    const auto file = folder.Write("Help.txt", "help\r\n");
    const struct {
        bool editor;
        bool window;
        int windowAsked;
        bool couldNotRun;
    } cases[] = {{true, false, 0, false}, {false, true, 1, false}, {false, false, 1, true}};
    for (const auto& c : cases) {
        messages.shown.clear();
        AnsweredHelpDialog dialog(file, messages);
        dialog.editorStarts = c.editor;
        dialog.windowShows = c.window;
        dialog.show();
        QTest::mouseClick(dialog.EditorButton(), Qt::LeftButton);
        ASSERT_EQ(dialog.editorAsked.size(), 1);
        EXPECT_EQ(rave::PathFromUtf8(dialog.editorAsked[0].toLocalFile().toStdString()), file);
        EXPECT_EQ(dialog.windowAsked, c.windowAsked);
        ASSERT_EQ(messages.shown.size(), c.couldNotRun ? 1u : 0u);
        if (c.couldNotRun) {
            EXPECT_EQ(Cp932ToUtf8(messages.shown[0].text), "実行できませんでした");
        }
    }
}

}  // namespace
}  // namespace rave::platform
