// The master-file dialog in both modes: a cell typed in place and saved, rows moved and deleted,
// the previous version's list merged, duplicates saved and reported, and the refusals.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "platform/cell_edit_table.h"
#include "ravelog/app/master_editor_dialog.h"
#include "settings_dialog_fixture.h"

namespace ravelog::app::testing {
namespace {

class MasterEditorDialogTest : public SettingsDialogTest {
protected:
    MasterEditorDialogTest() : SettingsDialogTest("Sver5") {}

    // Types into a cell as the user does: open the floating editor, type, Enter.
    static void TypeIntoCell(MasterEditorDialog& dialog, int row, const QString& text) {
        // The editor of an earlier edit goes away first, so the one found is the new one.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(dialog.Table()->EditCell(row, 0));
        auto* editor = dialog.Table()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        TypeText(editor, text);
        PressKey(editor, Qt::Key_Return);
    }
};

TEST_F(MasterEditorDialogTest, ATypedNameIsSavedAfterTheOthers) {
    MasterEditorDialog dialog(*frame, rave::MasterKind::kTechnicians);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("マスタファイル - 技術者マスタファイル"));
    EXPECT_EQ(dialog.Table()->model()->rowCount(), 80);
    TypeIntoCell(dialog, 5, QStringLiteral("伊藤五郎"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(rave::testing::TempFolder::Read(installFolder / "M.mst"),
              Cp932("山田太郎\r\n佐藤一郎\r\n鈴木次郎\r\n高橋三郎\r\n田中花子\r\n伊藤五郎\r\n"));
}

TEST_F(MasterEditorDialogTest, RowsMoveAndDeleteBeforeSaving) {
    MasterEditorDialog dialog(*frame, rave::MasterKind::kShortTexts);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("マスタファイル - 記事短文マスタファイル"));
    dialog.Table()->SetCurrentRow(2);
    dialog.UpButton()->click();  // シャリシャリ above ガリガリ
    dialog.Table()->SetCurrentRow(0);
    dialog.DeleteButton()->click();  // ジャリジャリ gone
    EXPECT_EQ(dialog.Table()->CurrentRow(), 0);
    const std::string saved = [&] {
        dialog.accept();
        return rave::testing::TempFolder::Read(installFolder / "K.mst");
    }();
    EXPECT_EQ(saved.rfind(Cp932("シャリシャリ\r\nガリガリ\r\n"), 0), 0u) << saved;
}

TEST_F(MasterEditorDialogTest, PreviousVersionListIsMergedWhenItExists) {
    {
        MasterEditorDialog dialog(*frame, rave::MasterKind::kTechnicians);
        EXPECT_FALSE(dialog.ImportButton()->isEnabled());
    }
    temp.Write("Sver4/M.mst", Cp932("山田太郎\r\n**\r\n渡辺六郎\r\n"));
    MasterEditorDialog dialog(*frame, rave::MasterKind::kTechnicians);
    ASSERT_TRUE(dialog.ImportButton()->isEnabled());
    dialog.ImportButton()->click();
    EXPECT_TRUE(SawText("旧バージョンからの追加データ数=[ %1 ]"));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().argument, "1");
    // Its line number was 3: it goes in as the third entry, the others move down.
    EXPECT_EQ(dialog.Table()->model()->index(2, 0).data().toString(), QStringLiteral("渡辺六郎"));
    EXPECT_EQ(dialog.Table()->model()->index(5, 0).data().toString(), QStringLiteral("田中花子"));
}

TEST_F(MasterEditorDialogTest, DuplicatesAreSavedAndReported) {
    MasterEditorDialog dialog(*frame, rave::MasterKind::kTechnicians);
    dialog.show();
    TypeIntoCell(dialog, 6, QStringLiteral("佐藤一郎"));
    dialog.accept();
    EXPECT_TRUE(SawText("同じデータがあります"));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().argument.rfind(Cp932(" 7行目と 2行目 [佐藤一郎]"), 0), 0u);
    EXPECT_NE(
        rave::testing::TempFolder::Read(installFolder / "M.mst").find(Cp932("田中花子\r\n佐藤一郎\r\n")),
        std::string::npos);
}

TEST_F(MasterEditorDialogTest, TextCp932CannotHoldIsRefusedAndCancelKeepsTheFile) {
    const auto before = InstallFiles();
    MasterEditorDialog dialog(*frame, rave::MasterKind::kTechnicians);
    dialog.show();
    TypeIntoCell(dialog, 0, QStringLiteral("\u00e9\u0151"));  // ő has no cp932 code
    EXPECT_TRUE(SawText("に保存できない文字があります"));
    EXPECT_EQ(dialog.Model().Rows()[0], Cp932("山田太郎"));
    TypeIntoCell(dialog, 1, QStringLiteral("木村"));
    dialog.reject();
    EXPECT_EQ(InstallFiles(), before);
}

TEST_F(MasterEditorDialogTest, Screenshot) {
    MasterEditorDialog dialog(*frame, rave::MasterKind::kTechnicians);
    Screenshot(dialog, "ravelog-technicians.png");
}

}  // namespace
}  // namespace ravelog::app::testing
