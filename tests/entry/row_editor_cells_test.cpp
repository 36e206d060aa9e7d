// In-place editing of the measured-row editor's cells: storing, the row after the last entry,
// the arrow keys, the entry aids and the refused texts.
#include "row_editor_test_support.h"

namespace ravelog {
namespace {

using testing::RowEditorTest;

TEST_F(RowEditorTest, LeavingTheCellEditorStoresItsText) {
    SetRow(1, "0.25", "1.00", "3");
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.BeginCellEdit(1, column::kHalfTurns));
    EXPECT_TRUE(editor.EditingCell());
    EXPECT_EQ(editor.CellEditorText(), "3");
    ASSERT_TRUE(editor.EndCellEdit("8", sink));
    EXPECT_FALSE(editor.EditingCell());
    EXPECT_EQ(editor.Entry(1)[column::kHalfTurns], "8");
    EXPECT_TRUE(editor.Changed());
    EXPECT_EQ(doc.Row(1)[field::kHalfTurns], "3") << "the document waits for OK";
}

TEST_F(RowEditorTest, StoringTheSameTextIsNoChange) {
    SetRow(1, "0.25", "1.00", "3");
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.BeginCellEdit(1, column::kLoad));
    ASSERT_TRUE(editor.EndCellEdit("1.00", sink));
    EXPECT_FALSE(editor.Changed());
    EXPECT_TRUE(editor.Cancel(sink));
    EXPECT_TRUE(sink.asked.empty());
}

TEST_F(RowEditorTest, OnlyColumnsZeroToFiveOfExistingRowsAndTheNextRowCanBeEdited) {
    SetRow(1, "0.25");
    RowEditorModel editor(doc, settings);
    EXPECT_FALSE(editor.BeginCellEdit(1, column::kMarks));
    EXPECT_FALSE(editor.BeginCellEdit(1, column::kAttribute));
    EXPECT_FALSE(editor.BeginCellEdit(0, column::kDepth));
    EXPECT_FALSE(editor.BeginCellEdit(3, column::kDepth)) << "rows stay contiguous";
    EXPECT_TRUE(editor.BeginCellEdit(2, column::kRemarks));
    EXPECT_TRUE(editor.BeginCellEdit(1, column::kRemarks));
}

TEST_F(RowEditorTest, TextTypedIntoTheRowAfterTheLastBecomesANewEntry) {
    SetRow(1, "0.25");
    RowEditorModel editor(doc, settings);
    editor.options.autoIncrement = false;
    ASSERT_TRUE(editor.BeginCellEdit(2, column::kDepth));
    ASSERT_TRUE(editor.EndCellEdit("", sink));
    EXPECT_EQ(editor.EntryCount(), 1) << "an empty text creates nothing";
    EXPECT_FALSE(editor.Changed());
    ASSERT_TRUE(editor.BeginCellEdit(2, column::kDepth));
    ASSERT_TRUE(editor.EndCellEdit("0.50", sink));
    ASSERT_EQ(editor.EntryCount(), 2);
    EXPECT_EQ(editor.Entry(2)[column::kDepth], "0.50");
    EXPECT_EQ(editor.Entry(2)[column::kMarks], ".");
    EXPECT_TRUE(editor.Changed());
}

TEST_F(RowEditorTest, EmptyDepthAndLoadCellsStartWithTheProposals) {
    SetRow(1, "0.25", "0.75");
    SetRow(2, "0.50", "0.75");
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.BeginCellEdit(3, column::kDepth));
    EXPECT_EQ(editor.CellEditorText(), "0.75");
    ASSERT_TRUE(editor.EndCellEdit(editor.CellEditorText(), sink));
    ASSERT_TRUE(editor.BeginCellEdit(3, column::kLoad));
    EXPECT_EQ(editor.CellEditorText(), "0.75");
    ASSERT_TRUE(editor.BeginCellEdit(3, column::kHalfTurns));
    EXPECT_EQ(editor.CellEditorText(), "") << "other columns get no proposal";
    editor.CancelCellEdit();

    RowEditorModel off(doc, settings);
    off.options.autoIncrement = false;
    off.options.sameLoad = false;
    ASSERT_TRUE(off.BeginCellEdit(3, column::kDepth));
    EXPECT_EQ(off.CellEditorText(), "");
    ASSERT_TRUE(off.BeginCellEdit(3, column::kLoad));
    EXPECT_EQ(off.CellEditorText(), "");
}

TEST_F(RowEditorTest, ArrowKeysMoveTheEditorToTheSameColumn) {
    SetRow(1, "0.25", "1.00", "1");
    SetRow(2, "0.50", "1.00", "2");
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.BeginCellEdit(1, column::kHalfTurns));
    EXPECT_FALSE(editor.MoveCellEdit("5", -1, sink)) << "not above the first entry";
    EXPECT_EQ(editor.Entry(1)[column::kHalfTurns], "5");
    EXPECT_EQ(editor.EditedEntry(), 1);
    ASSERT_TRUE(editor.MoveCellEdit("5", +1, sink));
    EXPECT_EQ(editor.EditedEntry(), 2);
    EXPECT_EQ(editor.EditedColumn(), column::kHalfTurns);
    EXPECT_EQ(editor.CellEditorText(), "2");
    ASSERT_TRUE(editor.MoveCellEdit("6", +1, sink));  // on to the empty row after the last
    EXPECT_EQ(editor.EditedEntry(), 3);
    EXPECT_FALSE(editor.MoveCellEdit("", +1, sink)) << "the empty row stays the last one";
    EXPECT_EQ(editor.EntryCount(), 2);
    EXPECT_EQ(editor.Entry(2)[column::kHalfTurns], "6");
}

TEST_F(RowEditorTest, ArrowDownStopsAtEntry1350) {
    for (int i = 1; i <= kMaxRows; ++i) {
        doc.Row(i)[field::kDepth] = std::to_string(i);
    }
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.BeginCellEdit(kMaxRows, column::kRemarks));
    EXPECT_FALSE(editor.MoveCellEdit("x", +1, sink));
    EXPECT_FALSE(editor.BeginCellEdit(kMaxRows + 1, column::kDepth));
    EXPECT_EQ(editor.EntryCount(), kMaxRows);
}

TEST_F(RowEditorTest, RepeatedSoilNameTypedInPlaceIsPointedOut) {
    SetRow(1, "0.25");
    doc.Row(1)[field::kSimpleSoilName] = "砂";
    SetRow(2, "0.50");
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.BeginCellEdit(2, column::kSoilName));
    ASSERT_TRUE(editor.EndCellEdit("砂", sink));
    EXPECT_EQ(ShownIds(), (std::vector<int>{803}));
    editor.options.repeatedNameWarning = false;
    ASSERT_TRUE(editor.BeginCellEdit(3, column::kSoilName));
    ASSERT_TRUE(editor.EndCellEdit("砂", sink));
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST_F(RowEditorTest, CellTextsTheFileCannotHoldAreRefused) {
    SetRow(1, "0.25");
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.BeginCellEdit(1, column::kRemarks));
    EXPECT_FALSE(editor.EndCellEdit("$$C", sink));
    EXPECT_TRUE(editor.EditingCell()) << "the editor stays open on the refused text";
    EXPECT_FALSE(editor.MoveCellEdit("a\r\nb", +1, sink));
    EXPECT_EQ(editor.EditedEntry(), 1);
    EXPECT_EQ(editor.Entry(1)[column::kRemarks], "");
    EXPECT_EQ(sink.shown.size(), 2u);
    EXPECT_FALSE(editor.Changed());
}

TEST_F(RowEditorTest, EditingTheSelectedEntryInPlaceRefreshesTheEntryArea) {
    SetRow(1, "0.25", "1.00", "3");
    RowEditorModel editor(doc, settings);
    editor.Click(1);
    ASSERT_TRUE(editor.BeginCellEdit(1, column::kHalfTurns));
    ASSERT_TRUE(editor.EndCellEdit("9", sink));
    EXPECT_EQ(editor.FieldText(EntryField::kHalfTurns), "9");
}

}  // namespace
}  // namespace ravelog
