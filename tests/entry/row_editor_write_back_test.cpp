// The measured-row editor's opening and closing: the "0 " prefix, the sorted write back with
// the equal-depth report and the depth formats, slots 90 and 91, the refresh, the modified flag
// and the cancel question.
#include "row_editor_test_support.h"

namespace ravelog {
namespace {

using testing::RowEditorTest;

constexpr int kLengthAsNaSlot = 90;
constexpr int kInvalidWswNaSlot = 91;

TEST_F(RowEditorTest, OpeningPutsZeroBeforeDepthsThatAreNotNumbers) {
    SetRow(1, "0.25");
    SetRow(2, "abc");
    doc.Row(3)[field::kRemarks] = "only a remark";  // no depth at all
    SetRow(4, "0.75");
    RowEditorModel editor(doc, settings);
    ASSERT_EQ(editor.EntryCount(), 4);
    EXPECT_EQ(editor.Entry(2)[column::kDepth], "0 abc");
    EXPECT_EQ(editor.Entry(3)[column::kDepth], "0 ");
    // The prefix is made in the document itself and stays when the editor is cancelled.
    EXPECT_EQ(doc.Row(2)[field::kDepth], "0 abc");
    EXPECT_EQ(doc.Row(3)[field::kDepth], "0 ");
    EXPECT_TRUE(editor.Cancel(sink));
    EXPECT_EQ(doc.Row(2)[field::kDepth], "0 abc");
    EXPECT_EQ(doc.RowCount(), 4);
}

TEST_F(RowEditorTest, RowsHoldingNothingAreNotListed) {
    SetRow(1, "0.25");
    SetRow(3, "0.75");  // row 2 is a gap with no text at all
    RowEditorModel editor(doc, settings);
    ASSERT_EQ(editor.EntryCount(), 2);
    EXPECT_EQ(editor.Entry(2)[column::kDepth], "0.75");
    EXPECT_EQ(doc.Row(2)[field::kDepth], "") << "no prefix for a row that is not listed";
    ASSERT_TRUE(editor.Commit(nullptr, sink));
    EXPECT_EQ(doc.RowCount(), 2);
    EXPECT_EQ(doc.Row(2)[field::kDepth], "0.75");
}

TEST_F(RowEditorTest, PrefixedRowsSortFirstOnWriteBack) {
    SetRow(1, "0.25", "1.00", "1");
    SetRow(2, "abc", "0.50", "2");
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.Commit(nullptr, sink));
    EXPECT_EQ(doc.Row(1)[field::kDepth], "0.00");
    EXPECT_EQ(doc.Row(1)[field::kHalfTurns], "2");
    EXPECT_EQ(doc.Row(2)[field::kDepth], "0.25");
    EXPECT_TRUE(sink.shown.empty()) << "equal depths of 0 are not reported";
}

TEST_F(RowEditorTest, WriteBackSortsByDepthAndFillsTheRowFields) {
    RowEditorModel editor(doc, settings);
    Type(editor, "0.75", "0.50", "");
    editor.SetFieldText(EntryField::kSoilName, "粘土");
    editor.SetFieldText(EntryField::kPattern, "3300.2");
    editor.SetFieldText(EntryField::kRemarks, "自沈");
    editor.SetAttributeBit(attribute::kLineAbove, true);
    ASSERT_TRUE(editor.Add(sink));
    AddEntry(editor, "0.25", "1.00", "4");
    AddEntry(editor, "1.5", "1.00", "12");
    ASSERT_TRUE(editor.Commit(nullptr, sink));

    EXPECT_EQ(doc.RowCount(), 3);
    EXPECT_EQ(doc.Row(1)[field::kDepth], "0.25");
    EXPECT_EQ(doc.Row(2)[field::kDepth], "0.75");
    EXPECT_EQ(doc.Row(3)[field::kDepth], "1.50");  // settings line 18 is 0: two decimals
    const MeasuredRow& row = doc.Row(2);
    EXPECT_EQ(row[field::kLoad], "0.50");
    EXPECT_EQ(row[field::kHalfTurns], "");
    EXPECT_EQ(row[field::kRemarks], "自沈");
    EXPECT_EQ(row[field::kSimpleSoilName], "粘土");
    EXPECT_EQ(row[field::kSimplePattern], "3300.2");
    EXPECT_EQ(row[field::kAttribute], "1");
    EXPECT_EQ(row[field::kJacicSoilName], "");
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(RowEditorTest, DepthFormatSettingDecidesHowDepthsAreWritten) {
    const struct {
        long setting;
        const char* typed;
        const char* written;
    } cases[] = {
        {0, "1.5", "1.50"},    {0, "2.125", "2.12"},  {1, "1.50", "1.5"},
        {1, "2.125", "2.125"}, {2, "1.500", "1.500"}, {2, " 2.1m", " 2.1m"},
    };
    for (const auto& c : cases) {
        SoundingDocument fresh;
        settings.SetInt(rave::sysline::kDepthStoreFormat, c.setting);
        RowEditorModel editor(fresh, settings);
        Type(editor, c.typed);
        ASSERT_TRUE(editor.Add(sink));
        ASSERT_TRUE(editor.Commit(nullptr, sink));
        EXPECT_EQ(fresh.Row(1)[field::kDepth], c.written) << c.setting << " " << c.typed;
    }
}

TEST_F(RowEditorTest, EqualDepthsKeepListOrderAndAreReported) {
    SetRow(1, "0.50", "1.00", "1");
    SetRow(2, "0.75", "1.00", "2");
    SetRow(3, "0.25", "1.00", "3");
    RowEditorModel editor(doc, settings);
    // Equal depths can only come from editing a depth cell in place.
    ASSERT_TRUE(editor.BeginCellEdit(2, column::kDepth));
    ASSERT_TRUE(editor.EndCellEdit("0.5", sink));
    ASSERT_TRUE(editor.Commit(nullptr, sink));
    EXPECT_EQ(doc.Row(1)[field::kHalfTurns], "3");
    EXPECT_EQ(doc.Row(2)[field::kHalfTurns], "1");
    EXPECT_EQ(doc.Row(3)[field::kHalfTurns], "2");
    EXPECT_EQ(doc.Row(3)[field::kDepth], "0.50");
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "同じ深度があります\r\n 0.5 m \r\n");
}

TEST_F(RowEditorTest, EqualDepthReportListsAtMostSixEntries) {
    for (int i = 1; i <= 9; ++i) {
        SetRow(i, "1.25");
    }
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.Commit(nullptr, sink));
    ASSERT_EQ(sink.shown.size(), 1u);
    std::string expected = "同じ深度があります\r\n";
    for (int i = 0; i < 6; ++i) {
        expected += " 1.25 m \r\n";
    }
    EXPECT_EQ(sink.shown[0].text, expected);
    EXPECT_EQ(doc.RowCount(), 9) << "equal depths are all written";
}

TEST_F(RowEditorTest, EqualDepthReportStopsGrowingPast299Bytes) {
    const std::string longDepth = "2.5" + std::string(120, '0');
    for (int i = 1; i <= 5; ++i) {
        SetRow(i, longDepth.c_str());
    }
    settings.SetInt(rave::sysline::kDepthStoreFormat, 2);
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.Commit(nullptr, sink));
    ASSERT_EQ(sink.shown.size(), 1u);
    // Header (20 bytes) + two lines of 129 bytes reach 278; a third is still added (the text
    // has not passed 299 yet), after that nothing more.
    const std::string line = " " + longDepth + " m \r\n";
    EXPECT_EQ(sink.shown[0].text, "同じ深度があります\r\n" + line + line + line);
}

TEST_F(RowEditorTest, RowsAfterTheLastWrittenOneAreCleared) {
    for (int i = 1; i <= 4; ++i) {
        SetRow(i, std::to_string(i).c_str());
        doc.Row(i)[field::kRemarks] = "r";
        doc.Row(i)[field::kJacicSoilName] = "j";
    }
    RowEditorModel editor(doc, settings);
    editor.Click(2);
    editor.DeleteSelected();
    editor.Click(3);
    editor.DeleteSelected();
    ASSERT_TRUE(editor.Commit(nullptr, sink));
    EXPECT_EQ(doc.RowCount(), 2);
    EXPECT_EQ(doc.LastUsedRow(), 2);
    for (int f = field::kLoad; f <= field::kAttribute; ++f) {
        EXPECT_EQ(doc.Row(3)[f], "") << f;
        EXPECT_EQ(doc.Row(4)[f], "") << f;
    }
}

TEST_F(RowEditorTest, TheInactiveSoilPairStaysWithItsOwnDepth) {
    SetRow(1, "0.50");
    doc.Row(1)[field::kSimpleSoilName] = "砂";
    doc.Row(1)[field::kJacicSoilName] = "砂質土";
    doc.Row(1)[field::kJacicPattern] = "2100.1";
    SetRow(2, "0.75");
    doc.Row(2)[field::kJacicSoilName] = "粘性土";
    RowEditorModel editor(doc, settings);
    AddEntry(editor, "0.25");  // a new entry sorts before both
    ASSERT_TRUE(editor.Commit(nullptr, sink));
    EXPECT_EQ(doc.Row(1)[field::kDepth], "0.25");
    EXPECT_EQ(doc.Row(1)[field::kJacicSoilName], "");
    EXPECT_EQ(doc.Row(2)[field::kSimpleSoilName], "砂");
    EXPECT_EQ(doc.Row(2)[field::kJacicSoilName], "砂質土");
    EXPECT_EQ(doc.Row(2)[field::kJacicPattern], "2100.1");
    EXPECT_EQ(doc.Row(3)[field::kJacicSoilName], "粘性土");
}

TEST_F(RowEditorTest, JacicTableEditsFieldsNineAndTen) {
    doc.header[slot::kSoilTableKind] = "1";
    SetRow(1, "0.25");
    doc.Row(1)[field::kSimpleSoilName] = "simple";
    doc.Row(1)[field::kJacicSoilName] = "jacic";
    RowEditorModel editor(doc, settings);
    EXPECT_EQ(editor.Entry(1)[column::kSoilName], "jacic");
    editor.Click(1);
    editor.SetFieldText(EntryField::kSoilName, "粘土");
    editor.SetFieldText(EntryField::kPattern, "3300.2");
    editor.FieldLeft(EntryField::kPattern, sink);
    ASSERT_TRUE(editor.Commit(nullptr, sink));
    EXPECT_EQ(doc.Row(1)[field::kJacicSoilName], "粘土");
    EXPECT_EQ(doc.Row(1)[field::kJacicPattern], "3300.2");
    EXPECT_EQ(doc.Row(1)[field::kSimpleSoilName], "simple");
}

TEST_F(RowEditorTest, GraphOptionsComeFromAndGoToSlots90And91) {
    doc.header[kLengthAsNaSlot] = "1";
    doc.header[kInvalidWswNaSlot] = "1";
    RowEditorModel editor(doc, settings);
    EXPECT_TRUE(editor.options.lengthAsNa);
    EXPECT_TRUE(editor.options.skipInvalidWswNa);
    editor.options.lengthAsNa = false;
    ASSERT_TRUE(editor.Commit(nullptr, sink));
    EXPECT_EQ(doc.header[kLengthAsNaSlot], "0");
    EXPECT_EQ(doc.header[kInvalidWswNaSlot], "1");

    SoundingDocument empty;
    RowEditorModel fresh(empty, settings);
    EXPECT_FALSE(fresh.options.lengthAsNa);
    EXPECT_FALSE(fresh.options.skipInvalidWswNa);
    ASSERT_TRUE(fresh.Commit(nullptr, sink));
    EXPECT_EQ(empty.header[kLengthAsNaSlot], "0");
    EXPECT_EQ(empty.header[kInvalidWswNaSlot], "0");
}

TEST_F(RowEditorTest, CommitRefreshesTheDerivedDataInOrder) {
    doc.header[slot::kSoilTableKind] = "0";
    RowEditorModel editor(doc, settings);
    AddEntry(editor, "0.50", "1.00", "10");
    Type(editor, "0.25", "1.00", "5");
    editor.SetFieldText(EntryField::kSoilName, "粘土");
    editor.SetFieldText(EntryField::kPattern, "3300.2");
    ASSERT_TRUE(editor.Add(sink));
    int passCount = -1;
    bool lengthsComputedAfterPass = false;
    const SoilNamePass pass = [&](SoundingDocument& d, int count, rave::MessageSink&) {
        passCount = count;
        lengthsComputedAfterPass = d.Row(1)[field::kLength].empty();
    };
    ASSERT_TRUE(editor.Commit(pass, sink));
    EXPECT_EQ(passCount, 2);
    EXPECT_TRUE(lengthsComputedAfterPass) << "the soil-name pass runs first";
    EXPECT_EQ(doc.Row(1)[field::kLength], "0.2500");
    EXPECT_EQ(doc.Row(2)[field::kLength], "0.2500");
    EXPECT_EQ(doc.Row(2)[field::kNsw], "40.0000");
    EXPECT_EQ(doc.Row(1)[field::kSoilClass], "2");
    EXPECT_EQ(doc.Conversion(1)[1], "0.25");
    EXPECT_EQ(doc.Conversion(2)[1], "0.50");
}

TEST_F(RowEditorTest, CommitSetsTheModifiedFlagOnlyWhenTheRowsChanged) {
    SetRow(1, "0.25");
    SetRow(2, "0.50");
    doc.header[kLengthAsNaSlot] = "0";
    doc.header[kInvalidWswNaSlot] = "0";
    RowEditorModel unchanged(doc, settings);
    ASSERT_TRUE(unchanged.Commit(nullptr, sink));
    EXPECT_FALSE(doc.modified);

    RowEditorModel edited(doc, settings);
    edited.Click(2);
    edited.SetFieldText(EntryField::kRemarks, "追記");
    edited.FieldLeft(EntryField::kRemarks, sink);
    ASSERT_TRUE(edited.Commit(nullptr, sink));
    EXPECT_TRUE(doc.modified);
}

TEST_F(RowEditorTest, CommitRefusesAnEntryLeftWithoutANumericDepth) {
    SetRow(1, "0.25");
    SetRow(2, "0.50");
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.BeginCellEdit(2, column::kDepth));
    ASSERT_TRUE(editor.EndCellEdit("", sink));
    EXPECT_FALSE(editor.Commit(nullptr, sink));
    EXPECT_EQ(ShownIds(), (std::vector<int>{903}));
    EXPECT_EQ(editor.Selected(), 2);
    EXPECT_EQ(editor.FocusField(), EntryField::kDepth);
    EXPECT_EQ(doc.Row(2)[field::kDepth], "0.50") << "nothing written";
    EXPECT_FALSE(doc.modified);
}

TEST_F(RowEditorTest, CancelAsksOnlyWhenTheListChangedAndIsNotEmpty) {
    SetRow(1, "0.25");
    {
        RowEditorModel untouched(doc, settings);
        EXPECT_TRUE(untouched.Cancel(sink));
        EXPECT_TRUE(sink.asked.empty());
    }
    {
        RowEditorModel edited(doc, settings);
        AddEntry(edited, "0.50");
        sink.answers = {false, true};
        EXPECT_FALSE(edited.Cancel(sink));  // No: the editor stays open
        ASSERT_EQ(sink.asked.size(), 1u);
        EXPECT_EQ(sink.asked[0].text, "データが変更されましたが、キャンセルしてよいのですか？");
        EXPECT_TRUE(edited.Cancel(sink));
        EXPECT_EQ(sink.asked.size(), 2u);
        EXPECT_EQ(doc.RowCount(), 1) << "cancel writes nothing";
        EXPECT_FALSE(doc.modified);
    }
    {
        sink.asked.clear();
        RowEditorModel emptied(doc, settings);
        emptied.Click(1);
        emptied.DeleteSelected();
        EXPECT_TRUE(emptied.Cancel(sink));
        EXPECT_TRUE(sink.asked.empty());
        EXPECT_EQ(doc.RowCount(), 1);
    }
}

TEST_F(RowEditorTest, CancelRebuildsClassesAndConversionsOnly) {
    SetRow(1, "0.25", "1.00", "5");
    RowEditorModel editor(doc, settings);
    ASSERT_TRUE(editor.Cancel(sink));
    EXPECT_EQ(doc.Conversion(1)[1], "0.25");
    EXPECT_EQ(doc.Row(1)[field::kSoilClass], "0");
    EXPECT_EQ(doc.Row(1)[field::kLength], "") << "lengths are recomputed only after OK";
}

}  // namespace
}  // namespace ravelog
