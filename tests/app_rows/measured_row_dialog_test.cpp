// The measured-row dialog bound to its model: entries typed and added reach the document sorted
// on OK only; refusals leave the list alone; the Enter key follows the program's setting; cells
// are typed in place; cancel asks after changes; the long example opens and commits quickly as
// one undoable step.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QUndoStack>
#include <chrono>
#include <fstream>

#include "app_data/data_dialog_test_support.h"
#include "app_rows/widget_input.h"
#include "platform/cell_edit_table.h"
#include "platform/install_folder.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/measured_row_dialog.h"
#include "temp_folder.h"

namespace ravelog::app {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// The floating editor the table shows (closed editors linger until deleted later).
QLineEdit* OpenEditor(rave::platform::CellEditTable& table) {
    for (QLineEdit* editor : table.viewport()->findChildren<QLineEdit*>()) {
        if (editor->isVisible()) {
            return editor;
        }
    }
    return nullptr;
}

class MeasuredRowDialogTest : public ::testing::Test {
protected:
    MeasuredRowDialogTest() { TestApplication(); }

    std::unique_ptr<MeasuredRowDialog> Open() {
        RowEditorPickLists lists;
        lists.simpleList = {{Cp("粘土"), "23.2"}, {Cp("砂"), "31.1"}};
        lists.remarks = {Cp("自沈"), Cp("ガリガリ")};
        auto dialog =
            std::make_unique<MeasuredRowDialog>(document, settings, lists, SoilNamePass{}, messages);
        return dialog;
    }
    // Fills the entry area and presses データ追加.
    void AddEntry(MeasuredRowDialog& dialog, const QString& depth, const QString& load,
                  const QString& turns) {
        Type(dialog.Field(EntryField::kDepth), depth);
        Type(dialog.Field(EntryField::kLoad), load);
        Type(dialog.Field(EntryField::kHalfTurns), turns);
        Click(dialog, "addButton");
    }

    SoundingDocument document;
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    rave::RecordingMessageSink messages;
};

TEST_F(MeasuredRowDialogTest, AddedEntriesAreWrittenSortedOnOkOnly) {
    document.header[slot::kSoilTableKind] = "0";  // the simple table
    auto dialog = Open();
    dialog->show();
    AddEntry(*dialog, "1.00", "1.00", "0");
    AddEntry(*dialog, "1.25", "0.75", "2");
    // Auto increment proposes the next depth from the last two; "same load" copies the load.
    EXPECT_EQ(dialog->Field(EntryField::kDepth)->text(), QStringLiteral("1.50"));
    EXPECT_EQ(dialog->Field(EntryField::kLoad)->text(), QStringLiteral("0.75"));
    Type(dialog->Field(EntryField::kDepth), "0.50");
    Type(dialog->Field(EntryField::kHalfTurns), "4");
    auto* soils = Named<QListWidget>(*dialog, "soilList1");
    QTest::mouseClick(soils->viewport(), Qt::LeftButton, {}, soils->visualItemRect(soils->item(1)).center());
    EXPECT_EQ(dialog->Field(EntryField::kPattern)->text(), QStringLiteral("31.1"));
    EXPECT_TRUE(Named<QCheckBox>(*dialog, "sandyMark")->isChecked());
    Click(*dialog, "addButton");
    EXPECT_EQ(dialog->Table()->model()->rowCount(), 4) << "three entries and the empty row to type into";
    EXPECT_EQ(document.LastUsedRow(), 0) << "nothing is written before OK";

    Click(*dialog, "okButton");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const char* expected[][3] = {{"0.50", "0.75", "4"}, {"1.00", "1.00", "0"}, {"1.25", "0.75", "2"}};
    ASSERT_EQ(document.LastUsedRow(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(document.Row(i + 1)[field::kDepth], expected[i][0]) << i;
        EXPECT_EQ(document.Row(i + 1)[field::kLoad], expected[i][1]) << i;
        EXPECT_EQ(document.Row(i + 1)[field::kHalfTurns], expected[i][2]) << i;
    }
    EXPECT_EQ(document.Row(1)[field::kSimpleSoilName], Cp("砂"));
    EXPECT_EQ(document.Row(1)[field::kSimplePattern], "31.1");
}

TEST_F(MeasuredRowDialogTest, RefusalsShowTheirMessageAndLeaveTheList) {
    auto dialog = Open();
    AddEntry(*dialog, "1.00", "1.00", "0");
    struct Case {
        QString depth;
        int message;
    } cases[] = {{"1.00005", 908}, {"3000.5", 4006}, {"abc", 903}};
    for (const Case& c : cases) {
        messages.shown.clear();
        AddEntry(*dialog, c.depth, "1.00", "0");
        ASSERT_EQ(messages.shown.size(), 1u) << c.depth.toStdString();
        EXPECT_EQ(messages.shown[0].id, c.message) << c.depth.toStdString();
        EXPECT_EQ(dialog->Model().EntryCount(), 1);
    }
    // Overwrite with a depth no entry has.
    messages.shown.clear();
    Type(dialog->Field(EntryField::kDepth), "2.00");
    Click(*dialog, "overwriteButton");
    EXPECT_TRUE(messages.Saw(907));
    // Text cp932 cannot hold is refused with a message naming the field.
    messages.shown.clear();
    AddEntry(*dialog, "2.00", "1.00", "0");
    Type(dialog->Field(EntryField::kRemarks), QStringLiteral("🙂"));
    Click(*dialog, "addButton");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(Shown(messages.shown[0]).find("記事"), std::string::npos);
}

TEST_F(MeasuredRowDialogTest, ClickLoadsAnEntryAndLeavingAFieldUpdatesIt) {
    auto dialog = Open();
    AddEntry(*dialog, "1.00", "1.00", "0");
    AddEntry(*dialog, "1.25", "0.75", "2");
    dialog->Table()->SetCurrentRow(0);
    EXPECT_EQ(dialog->Field(EntryField::kDepth)->text(), QStringLiteral("1.00"));
    EXPECT_FALSE(Named<QPushButton>(*dialog, "addButton")->isEnabled())
        << "add is off while an entry is selected";
    Type(dialog->Field(EntryField::kHalfTurns), "7");
    FocusOut(dialog->Field(EntryField::kHalfTurns));
    EXPECT_EQ(dialog->Table()->model()->index(0, column::kHalfTurns).data().toString(), "7");
    // Emptying the soil name empties the pattern number and the marks too.
    Type(dialog->Field(EntryField::kSoilName), QStringLiteral("砂"));
    Type(dialog->Field(EntryField::kPattern), "31.1");
    FocusOut(dialog->Field(EntryField::kPattern));
    EXPECT_TRUE(Named<QCheckBox>(*dialog, "sandyMark")->isChecked());
    Type(dialog->Field(EntryField::kSoilName), "");
    FocusOut(dialog->Field(EntryField::kSoilName));
    EXPECT_EQ(dialog->Field(EntryField::kPattern)->text(), "");
    EXPECT_FALSE(Named<QCheckBox>(*dialog, "sandyMark")->isChecked());
    Click(*dialog, "attribute4");
    EXPECT_EQ(dialog->Model().Entry(1)[column::kAttribute], "4");
    Click(*dialog, "deleteButton");
    EXPECT_EQ(dialog->Model().EntryCount(), 1);
    EXPECT_EQ(dialog->Table()->model()->index(0, column::kDepth).data().toString(), "1.25");
}

TEST_F(MeasuredRowDialogTest, EnterKeyFollowsTheSetting) {
    settings.SetInt(rave::sysline::kDataInputOrder, 1);  // depth first
    struct Case {
        long behaviour;
        bool closes;
        bool moves;
    } cases[] = {{0, true, false}, {1, false, true}, {2, false, false}};
    for (const Case& c : cases) {
        settings.SetInt(rave::sysline::kEnterKey, c.behaviour);
        auto dialog = Open();
        dialog->show();
        QLineEdit* depth = dialog->Field(EntryField::kDepth);
        depth->setFocus();
        rave::testing::PressKey(depth, Qt::Key_Return);
        EXPECT_EQ(dialog->result() == QDialog::Accepted, c.closes) << c.behaviour;
        if (!c.closes) {
            EXPECT_EQ(dialog->focusWidget() == dialog->Field(EntryField::kLoad), c.moves) << c.behaviour;
        }
    }
}

TEST_F(MeasuredRowDialogTest, CellsAreTypedInPlaceWithTheProposals) {
    auto dialog = Open();
    dialog->show();
    AddEntry(*dialog, "1.00", "1.00", "0");
    AddEntry(*dialog, "1.25", "0.75", "2");
    // The empty row below the entries starts with the auto-increment proposal.
    ASSERT_TRUE(dialog->Table()->EditCell(2, column::kDepth));
    QLineEdit* editor = OpenEditor(*dialog->Table());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("1.50"));
    rave::testing::PressKey(editor, Qt::Key_Return);
    EXPECT_FALSE(dialog->isHidden()) << "Enter ends the cell edit, not the dialog";
    ASSERT_EQ(dialog->Model().EntryCount(), 3);
    EXPECT_EQ(dialog->Model().Entry(3)[column::kDepth], "1.50");
    EXPECT_EQ(dialog->Table()->model()->rowCount(), 4);
    // Up moves the editor to the same column of the entry above, storing what was typed.
    ASSERT_TRUE(dialog->Table()->EditCell(2, column::kHalfTurns));
    editor = OpenEditor(*dialog->Table());
    ASSERT_NE(editor, nullptr);
    editor->setText("9");
    rave::testing::PressKey(editor, Qt::Key_Up);
    EXPECT_EQ(dialog->Model().Entry(3)[column::kHalfTurns], "9");
    EXPECT_EQ(dialog->Table()->CurrentRow(), 1);
    EXPECT_TRUE(dialog->Table()->Editing());
}

TEST_F(MeasuredRowDialogTest, CancelAsksOnlyAfterChanges) {
    {
        auto dialog = Open();
        Click(*dialog, "cancelButton");
        EXPECT_TRUE(messages.asked.empty());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    auto dialog = Open();
    dialog->show();
    AddEntry(*dialog, "1.00", "1.00", "0");
    messages.answers = {false};
    Click(*dialog, "cancelButton");
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(Shown(messages.asked[0]), "データが変更されましたが、キャンセルしてよいのですか？");
    EXPECT_TRUE(dialog->isVisible()) << "No keeps the editor open";
    Click(*dialog, "cancelButton");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(document.LastUsedRow(), 0);
}

class MeasuredRowFrameTest : public ::testing::Test {
protected:
    MeasuredRowFrameTest() {
        TestApplication();
        std::string error;
        installFolder = temp.path() / "install";
        EXPECT_TRUE(
            rave::platform::CreateInstallFolder(installFolder, fs::path(RAVE_SOURCE_DIR) / "data", error))
            << error;
        ResetCurrentSounding();
        frame = std::make_unique<MainFrame>(installFolder, &messages);
    }
    rave::testing::TempFolder temp;
    fs::path installFolder;
    rave::RecordingMessageSink messages;
    std::unique_ptr<MainFrame> frame;
};

TEST_F(MeasuredRowFrameTest, LongExampleOpensAndCommitsQuicklyAsOneUndoableStep) {
    ASSERT_TRUE(frame->OpenThroughFramework(fs::path(RAVE_SOURCE_DIR) / "examples" / "example-long.sdw"));
    const int rows = frame->Document().LastUsedRow();
    ASSERT_GE(rows, 1000);
    const std::string lastDepth = frame->Document().Row(rows)[field::kDepth];
    using Clock = std::chrono::steady_clock;
    Clock::duration openTime{};
    const auto start = Clock::now();
    EditMeasuredRows(*frame, [&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        openTime = Clock::now() - start;
        auto& rowDialog = static_cast<MeasuredRowDialog&>(dialog);
        EXPECT_EQ(rowDialog.Table()->model()->rowCount(), std::min(rows + 1, kMaxRows));
        rowDialog.Table()->SetCurrentRow(rows - 1);  // scrolls to the end of the list
        QApplication::processEvents();
        Type(rowDialog.Field(EntryField::kRemarks), QStringLiteral("最終行"));
        FocusOut(rowDialog.Field(EntryField::kRemarks));
        Click(dialog, "okButton");
        return dialog.result();
    });
    const auto total = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    const auto open = std::chrono::duration_cast<std::chrono::milliseconds>(openTime);
    std::printf("1350-row example: dialog open %lld ms, open to committed %lld ms\n",
                static_cast<long long>(open.count()), static_cast<long long>(total.count()));
    EXPECT_LT(total.count(), 3000);
    EXPECT_EQ(frame->Document().Row(rows)[field::kRemarks], Cp("最終行"));
    EXPECT_TRUE(frame->isWindowModified());
    ASSERT_EQ(frame->UndoStack()->count(), 1);
    frame->UndoStack()->undo();
    EXPECT_EQ(frame->Document().Row(rows)[field::kRemarks], "");
    EXPECT_EQ(frame->Document().Row(rows)[field::kDepth], lastDepth);
}

TEST_F(MeasuredRowFrameTest, TheSimplePickListIsTheTableTheSimpleDialogEdits) {
    frame->Document().header[slot::kSoilTableKind] = "0";
    // A name the simple dialog added (the master file rewritten and taken up again).
    const fs::path master = installFolder / "WdtvxCS.mst";
    std::string table = rave::testing::TempFolder::Read(master);
    table.insert(table.find("\r\n") + 2, Cp("黒ボク土,_,900.2,900.2,\r\n"));
    std::ofstream(master, std::ios::binary | std::ios::trunc) << table;
    frame->ReloadSettings();
    EditMeasuredRows(*frame, [&](QDialog& dialog) {
        auto* soils = Named<QListWidget>(dialog, "soilList1");
        EXPECT_EQ(soils->item(0)->text(), QStringLiteral("黒ボク土"));
        const auto peat = soils->findItems(QStringLiteral("泥炭"), Qt::MatchExactly);
        EXPECT_EQ(peat.size(), 1);
        soils->setCurrentItem(peat.value(0));
        QTest::mouseClick(soils->viewport(), Qt::LeftButton, {},
                          soils->visualItemRect(peat.value(0)).center());
        auto& rowDialog = static_cast<MeasuredRowDialog&>(dialog);
        // The table's own number, not the marker code 800 of the older JACIC-coded list.
        EXPECT_EQ(rowDialog.Field(EntryField::kPattern)->text(), QStringLiteral("6900.2"));
        Click(dialog, "cancelButton");
        return dialog.result();
    });
}

}  // namespace
}  // namespace ravelog::app
