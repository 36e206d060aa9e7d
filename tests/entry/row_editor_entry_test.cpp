// The measured-row editor's entry area: validation and its messages, add, overwrite, delete,
// selection, the live update of the selected entry, the field checks and the entry aids.
#include "row_editor_test_support.h"

namespace ravelog {
namespace {

using testing::RowEditorTest;

TEST_F(RowEditorTest, EntryWithoutNumericDepthIsRefusedWith903) {
    RowEditorModel editor(doc, settings);
    EXPECT_FALSE(editor.Add(sink));  // nothing typed at all
    editor.SetFieldText(EntryField::kRemarks, "記事だけ");
    EXPECT_FALSE(editor.Add(sink));
    Type(editor, "abc");
    EXPECT_FALSE(editor.Add(sink));
    Type(editor, "  ");
    EXPECT_FALSE(editor.Overwrite(sink));
    ASSERT_EQ(sink.shown.size(), 4u);
    for (const rave::Message& m : sink.shown) {
        EXPECT_EQ(m.id, 903);
        EXPECT_EQ(m.text, "データが無い、または不十分です.");
    }
    EXPECT_EQ(editor.EntryCount(), 0);
    EXPECT_FALSE(editor.Changed());
}

TEST_F(RowEditorTest, DepthOutsideMinusOneTo3000IsRefusedWith4006) {
    RowEditorModel editor(doc, settings);
    for (const char* depth : {"3000.01", "-1.01", "5000"}) {
        Type(editor, depth);
        EXPECT_FALSE(editor.Add(sink)) << depth;
    }
    EXPECT_EQ(ShownIds(), (std::vector<int>{4006, 4006, 4006}));
    EXPECT_EQ(editor.FocusField(), EntryField::kDepth);
    EXPECT_EQ(sink.shown[0].text, "数値が異常です");
    EXPECT_EQ(editor.EntryCount(), 0);
    AddEntry(editor, "-1");
    AddEntry(editor, "3000");
    EXPECT_EQ(editor.EntryCount(), 2);
}

TEST_F(RowEditorTest, AddRefusesADepthWithin0001OfAnExistingEntry) {
    RowEditorModel editor(doc, settings);
    AddEntry(editor, "1.00");
    for (const char* depth : {"1", "1.00005", "0.99995", "+1.0001"}) {
        Type(editor, depth);
        EXPECT_FALSE(editor.Add(sink)) << depth;
    }
    ASSERT_EQ(sink.shown.size(), 4u);
    EXPECT_EQ(sink.shown[0].id, 908);
    EXPECT_EQ(sink.shown[0].text, "同じ 深度データがあります.\n修正なら上書きしてください.");
    EXPECT_EQ(editor.FocusField(), EntryField::kDepth);
    EXPECT_EQ(editor.EntryCount(), 1);
    AddEntry(editor, "1.0002");
    EXPECT_EQ(editor.EntryCount(), 2);
}

TEST_F(RowEditorTest, AddAppendsAndMarksTheListChanged) {
    RowEditorModel editor(doc, settings);
    EXPECT_FALSE(editor.Changed());
    Type(editor, "0.75", "0.50", "");
    editor.SetFieldText(EntryField::kSoilName, "粘土");
    editor.SetFieldText(EntryField::kPattern, "3300.2");
    editor.SetFieldText(EntryField::kRemarks, "自沈");
    editor.SetAttributeBit(attribute::kLineBelow, true);
    editor.SetAttributeBit(attribute::kUnderline, true);
    ASSERT_TRUE(editor.Add(sink));
    AddEntry(editor, "0.25");  // out of order is fine: the write back sorts
    ASSERT_EQ(editor.EntryCount(), 2);
    const RowEntry& first = editor.Entry(1);
    EXPECT_EQ(first[column::kDepth], "0.75");
    EXPECT_EQ(first[column::kLoad], "0.50");
    EXPECT_EQ(first[column::kSoilName], "粘土");
    EXPECT_EQ(first[column::kPattern], "3300.2");
    EXPECT_EQ(first[column::kRemarks], "自沈");
    EXPECT_EQ(first[column::kAttribute], "6");
    EXPECT_EQ(first[column::kMarks], "＿ _");
    EXPECT_EQ(editor.Entry(2)[column::kDepth], "0.25");
    EXPECT_TRUE(editor.Changed());
}

TEST_F(RowEditorTest, AddIsRefusedAtThe1350EntryLimitAndWhileAnEntryIsSelected) {
    for (int i = 1; i <= kMaxRows; ++i) {
        doc.Row(i)[field::kDepth] = std::to_string(i);
    }
    RowEditorModel editor(doc, settings);
    ASSERT_EQ(editor.EntryCount(), kMaxRows);
    Type(editor, "2000");
    EXPECT_FALSE(editor.Add(sink));
    EXPECT_EQ(ShownIds(), (std::vector<int>{902}));
    EXPECT_EQ(sink.shown[0].text, "最大行数です. 追加できません.");

    editor.Click(3);
    EXPECT_FALSE(editor.AddEnabled());
    Type(editor, "2000");
    EXPECT_FALSE(editor.Add(sink));
    EXPECT_EQ(sink.shown.back().id, 901);
    EXPECT_EQ(sink.shown.back().text, "追加できません.");
    EXPECT_EQ(editor.EntryCount(), kMaxRows);
}

TEST_F(RowEditorTest, AutoIncrementProposesTheNextStep) {
    RowEditorModel editor(doc, settings);
    AddEntry(editor, "1.00");
    EXPECT_EQ(editor.FieldText(EntryField::kDepth), "") << "one entry gives no step";
    AddEntry(editor, "1.25");
    EXPECT_EQ(editor.FieldText(EntryField::kDepth), "1.50");
    AddEntry(editor, "1.50");
    EXPECT_EQ(editor.FieldText(EntryField::kDepth), "1.75");

    RowEditorModel fine(doc, settings);
    AddEntry(fine, "1.0");
    AddEntry(fine, "1.333");
    EXPECT_EQ(fine.FieldText(EntryField::kDepth), "1.666");  // a finer step keeps its digits

    RowEditorModel small(doc, settings);
    AddEntry(small, "1.00");
    AddEntry(small, "1.01");  // a step of 0.01 is not more than 0.01
    EXPECT_EQ(small.FieldText(EntryField::kDepth), "");

    RowEditorModel off(doc, settings);
    off.options.autoIncrement = false;
    AddEntry(off, "1.00");
    AddEntry(off, "1.25");
    EXPECT_EQ(off.FieldText(EntryField::kDepth), "");
}

TEST_F(RowEditorTest, SameLoadAndFocusAfterAdd) {
    RowEditorModel both(doc, settings);
    AddEntry(both, "0.25", "0.75", "3");
    EXPECT_EQ(both.FieldText(EntryField::kLoad), "0.75");
    EXPECT_EQ(both.FieldText(EntryField::kHalfTurns), "") << "the rest of the area is cleared";
    EXPECT_EQ(both.FocusField(), EntryField::kHalfTurns);

    RowEditorModel incrementOnly(doc, settings);
    incrementOnly.options.sameLoad = false;
    AddEntry(incrementOnly, "0.25", "0.75");
    EXPECT_EQ(incrementOnly.FieldText(EntryField::kLoad), "");
    EXPECT_EQ(incrementOnly.FocusField(), EntryField::kLoad);

    RowEditorModel loadOnly(doc, settings);
    loadOnly.options.autoIncrement = false;
    AddEntry(loadOnly, "0.25", "0.75");
    EXPECT_EQ(loadOnly.FieldText(EntryField::kLoad), "0.75");
    EXPECT_EQ(loadOnly.FocusField(), EntryField::kDepth);
}

TEST_F(RowEditorTest, RepeatedSoilNameIsPointedOutWhenTheWarningIsOn) {
    RowEditorModel editor(doc, settings);
    for (const char* depth : {"0.25", "0.50", "0.75"}) {
        Type(editor, depth);
        editor.SetFieldText(EntryField::kSoilName, "砂");
        ASSERT_TRUE(editor.Add(sink));
    }
    // The first add has no entry before it; the second and third repeat the name.
    EXPECT_EQ(ShownIds(), (std::vector<int>{803, 803}));
    EXPECT_EQ(sink.shown[0].text,
              "同じ土質名が続く場合、途中深度での土質名入力は不要です.　\nヘルプもご覧下さい.");

    sink.shown.clear();
    AddEntry(editor, "1.00");  // no name: nothing to repeat
    editor.options.repeatedNameWarning = false;
    for (const char* depth : {"1.25", "1.50"}) {
        Type(editor, depth);
        editor.SetFieldText(EntryField::kSoilName, "砂");
        ASSERT_TRUE(editor.Add(sink));
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(RowEditorTest, OverwriteReplacesTheEntryOfTheSameDepth) {
    RowEditorModel editor(doc, settings);
    Type(editor, "0.50");
    EXPECT_FALSE(editor.Overwrite(sink));
    EXPECT_EQ(ShownIds(), (std::vector<int>{904}));
    EXPECT_EQ(sink.shown[0].text, "上書きできません.");

    AddEntry(editor, "0.25");
    AddEntry(editor, "0.50");
    AddEntry(editor, "0.75");
    editor.Click(1);  // the selection does not decide the target
    Type(editor, "0.50001", "0.25", "7");
    ASSERT_TRUE(editor.Overwrite(sink));
    EXPECT_EQ(editor.Entry(2)[column::kDepth], "0.50001");
    EXPECT_EQ(editor.Entry(2)[column::kHalfTurns], "7");
    EXPECT_EQ(editor.Entry(1)[column::kHalfTurns], "0");
    EXPECT_EQ(editor.Selected(), 0);
    EXPECT_TRUE(editor.AddEnabled());
    EXPECT_EQ(editor.FieldText(EntryField::kDepth), "");
    EXPECT_EQ(editor.FocusField(), EntryField::kDepth);

    editor.Click(1);
    Type(editor, "0.60");
    EXPECT_FALSE(editor.Overwrite(sink));
    EXPECT_EQ(sink.shown.back().id, 907);
    EXPECT_EQ(sink.shown.back().text, "上書きできません、同じ 深度 がありません.");
    EXPECT_EQ(editor.Entry(1)[column::kDepth], "0.25");
}

TEST_F(RowEditorTest, DeleteRemovesTheSelectedEntryAtOnce) {
    RowEditorModel editor(doc, settings);
    AddEntry(editor, "0.25");
    AddEntry(editor, "0.50");
    AddEntry(editor, "0.75");
    editor.DeleteSelected();  // nothing selected: nothing happens
    EXPECT_EQ(editor.EntryCount(), 3);
    editor.Click(2);
    EXPECT_TRUE(editor.DeleteEnabled());
    editor.DeleteSelected();
    ASSERT_EQ(editor.EntryCount(), 2);
    EXPECT_EQ(editor.Entry(2)[column::kDepth], "0.75");
    EXPECT_EQ(editor.Selected(), 0);
    EXPECT_EQ(editor.FieldText(EntryField::kDepth), "");
    EXPECT_TRUE(sink.asked.empty());
}

TEST_F(RowEditorTest, ClickLoadsTheEntryIntoTheArea) {
    SetRow(1, "0.25", "0.75", "4");
    doc.Row(1)[field::kSimpleSoilName] = "砂";
    doc.Row(1)[field::kSimplePattern] = "801.1";
    doc.Row(1)[field::kRemarks] = "note";
    doc.Row(1)[field::kAttribute] = "5";
    RowEditorModel editor(doc, settings);
    editor.Click(1);
    EXPECT_EQ(editor.Selected(), 1);
    EXPECT_EQ(editor.FieldText(EntryField::kDepth), "0.25");
    EXPECT_EQ(editor.FieldText(EntryField::kLoad), "0.75");
    EXPECT_EQ(editor.FieldText(EntryField::kSoilName), "砂");
    EXPECT_EQ(editor.FieldText(EntryField::kRemarks), "note");
    EXPECT_TRUE(editor.AttributeBit(attribute::kLineAbove));
    EXPECT_FALSE(editor.AttributeBit(attribute::kLineBelow));
    EXPECT_TRUE(editor.AttributeBit(attribute::kUnderline));
    EXPECT_TRUE(editor.SandyMark());
    EXPECT_FALSE(editor.ClayeyMark());
    EXPECT_EQ(editor.Entry(1)[column::kMarks], "￢ _");
    editor.Click(0);
    EXPECT_EQ(editor.Selected(), 0);
}

TEST_F(RowEditorTest, LeavingAFieldUpdatesTheSelectedEntryOfTheSameDepth) {
    SetRow(1, "0.25");
    SetRow(2, "0.50");
    RowEditorModel editor(doc, settings);
    editor.Click(2);
    editor.SetFieldText(EntryField::kRemarks, "変更");
    ASSERT_TRUE(editor.FieldLeft(EntryField::kRemarks, sink));
    EXPECT_EQ(editor.Entry(2)[column::kRemarks], "変更");
    EXPECT_TRUE(editor.Changed());
    editor.SetAttributeBit(attribute::kUnderline, true);
    EXPECT_EQ(editor.Entry(2)[column::kAttribute], "4");

    // A depth typed as 0.50005 is still the same depth; 0.60 is not, and changes nothing.
    editor.SetFieldText(EntryField::kDepth, "0.50005");
    editor.SetFieldText(EntryField::kHalfTurns, "9");
    editor.FieldLeft(EntryField::kHalfTurns, sink);
    EXPECT_EQ(editor.Entry(2)[column::kHalfTurns], "9");
    editor.SetFieldText(EntryField::kDepth, "0.60");
    editor.SetFieldText(EntryField::kHalfTurns, "12");
    editor.FieldLeft(EntryField::kHalfTurns, sink);
    EXPECT_EQ(editor.Entry(2)[column::kHalfTurns], "9");
    EXPECT_EQ(editor.Entry(2)[column::kDepth], "0.50005");
    EXPECT_TRUE(sink.shown.empty()) << "the live update never shows a message";
    EXPECT_EQ(doc.Row(2)[field::kHalfTurns], "0") << "the document waits for OK";
}

TEST_F(RowEditorTest, LoadAbove99IsQuestionedButKept) {
    RowEditorModel editor(doc, settings);
    editor.SetFieldText(EntryField::kLoad, "99");
    EXPECT_TRUE(editor.FieldLeft(EntryField::kLoad, sink));
    EXPECT_TRUE(sink.shown.empty());
    editor.SetFieldText(EntryField::kLoad, "100");
    EXPECT_TRUE(editor.FieldLeft(EntryField::kLoad, sink));
    EXPECT_EQ(ShownIds(), (std::vector<int>{4012}));
    EXPECT_EQ(sink.shown[0].text, "荷重Ｗsw(kN) の値が異常です");
    EXPECT_EQ(editor.FieldText(EntryField::kLoad), "100");
}

TEST_F(RowEditorTest, PatternNumberSetsTheSandyAndClayeyMarks) {
    RowEditorModel editor(doc, settings);
    editor.SetFieldText(EntryField::kSoilName, "砂質シルト");
    editor.SetFieldText(EntryField::kPattern, "3300.1");
    EXPECT_TRUE(editor.SandyMark());
    EXPECT_FALSE(editor.ClayeyMark());
    editor.SetFieldText(EntryField::kPattern, "3300.2");
    EXPECT_FALSE(editor.SandyMark());
    EXPECT_TRUE(editor.ClayeyMark());
    for (const char* unclassified : {"3300", "3300.0", "3300."}) {
        editor.SetFieldText(EntryField::kPattern, unclassified);
        EXPECT_FALSE(editor.SandyMark() || editor.ClayeyMark()) << unclassified;
        EXPECT_TRUE(editor.FieldLeft(EntryField::kPattern, sink));
    }
    EXPECT_TRUE(sink.shown.empty());
    editor.SetFieldText(EntryField::kPattern, "3300.3");
    editor.FieldLeft(EntryField::kPattern, sink);
    EXPECT_EQ(ShownIds(), (std::vector<int>{4010}));
    EXPECT_EQ(sink.shown[0].text, "砂質土粘性土の値が異常です");
    EXPECT_FALSE(editor.SandyMark() || editor.ClayeyMark());

    editor.SetFieldText(EntryField::kPattern, "3300.2");
    editor.SetFieldText(EntryField::kSoilName, "");
    EXPECT_EQ(editor.FieldText(EntryField::kPattern), "");
    EXPECT_FALSE(editor.ClayeyMark());
}

TEST_F(RowEditorTest, TextsTheFileCannotHoldAreRefused) {
    RowEditorModel editor(doc, settings);
    for (const char* text : {"a$$A", "two\r\nlines", "cr\r", "lf\n", "5\" quoted"}) {
        Type(editor, "0.25");
        editor.SetFieldText(EntryField::kRemarks, text);
        rave::RecordingMessageSink messages;
        EXPECT_FALSE(editor.FieldLeft(EntryField::kRemarks, messages)) << text;
        EXPECT_FALSE(editor.Add(messages)) << text;
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_FALSE(messages.shown[0].text.empty());
        EXPECT_EQ(editor.FocusField(), EntryField::kRemarks);
    }
    EXPECT_EQ(editor.EntryCount(), 0);
    Type(editor, "0.25");
    editor.SetFieldText(EntryField::kRemarks, "$5, a single dollar and a comma");
    EXPECT_TRUE(editor.Add(sink));

    // Neither overwrite nor the live update of a selected entry lets such a text through.
    editor.Click(1);
    editor.SetFieldText(EntryField::kSoilName, "砂$$");
    EXPECT_FALSE(editor.FieldLeft(EntryField::kSoilName, sink));
    EXPECT_FALSE(editor.Overwrite(sink));
    EXPECT_EQ(editor.Entry(1)[column::kSoilName], "");
}

TEST_F(RowEditorTest, LayoutFollowsTheDataInputOrderSetting) {
    RowEditorModel loadFirst(doc, settings);
    EXPECT_FALSE(loadFirst.DepthFirst());
    EXPECT_EQ(loadFirst.FieldOrder().front(), EntryField::kLoad);
    EXPECT_EQ(loadFirst.NextField(EntryField::kHalfTurns), EntryField::kDepth);
    EXPECT_EQ(loadFirst.FocusField(), EntryField::kLoad);
    settings.SetInt(rave::sysline::kDataInputOrder, 1);
    RowEditorModel depthFirst(doc, settings);
    EXPECT_TRUE(depthFirst.DepthFirst());
    EXPECT_EQ(depthFirst.FieldOrder().front(), EntryField::kDepth);
    EXPECT_EQ(depthFirst.NextField(EntryField::kDepth), EntryField::kLoad);
    EXPECT_EQ(depthFirst.NextField(EntryField::kRemarks), EntryField::kDepth);
}

TEST(AttributeMarks, ShowTheLinesAndTheUnderline) {
    EXPECT_EQ(AttributeMarks(0), ".");
    EXPECT_EQ(AttributeMarks(1), "￢");
    EXPECT_EQ(AttributeMarks(2), "＿");
    EXPECT_EQ(AttributeMarks(3), "＝");
    EXPECT_EQ(AttributeMarks(4), ". _");
    EXPECT_EQ(AttributeMarks(7), "＝ _");
}

TEST_F(RowEditorTest, PickingASoilFillsNameAndPatternFromTheActiveTable) {
    RowEditorPickLists lists;
    lists.simpleList = {MakeSoilPick("砂", "801.1")};
    lists.jacicLists = {{MakeSoilPick("粘土", "3300.2")}, {MakeSoilPick("礫混り", "20")}};
    RowEditorModel simple(doc, settings, lists);
    ASSERT_EQ(simple.SoilLists().size(), 1u);
    simple.PickSoil(0, 0, sink);
    EXPECT_EQ(simple.FieldText(EntryField::kSoilName), "砂");
    EXPECT_EQ(simple.FieldText(EntryField::kPattern), "801.1");
    EXPECT_TRUE(simple.SandyMark());
    simple.PickSoil(1, 0, sink);  // no such list: nothing changes
    EXPECT_EQ(simple.FieldText(EntryField::kSoilName), "砂");

    doc.header[slot::kSoilTableKind] = "1";
    RowEditorModel jacic(doc, settings, lists);
    ASSERT_EQ(jacic.SoilLists().size(), 2u);
    jacic.PickSoil(0, 0, sink);
    EXPECT_EQ(jacic.FieldText(EntryField::kSoilName), "粘土");
    EXPECT_TRUE(jacic.ClayeyMark());
    EXPECT_TRUE(sink.shown.empty());
}

}  // namespace
}  // namespace ravelog
