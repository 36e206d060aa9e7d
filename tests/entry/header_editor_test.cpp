// The header editor model: copying in, pick lists, default titles and "Copy", the Nsw-cap note,
// validation and the write back on OK only.
#include <gtest/gtest.h>

#include "ravelog/entry/header_editor.h"

namespace ravelog {
namespace {

constexpr int kTitle3 = 27;
constexpr int kNswCap = 69;

class HeaderEditorTest : public ::testing::Test {
protected:
    HeaderEditorTest() : settings(rave::RavelogSettings::Defaults()) {
        settings.Line(rave::sysline::kTitleFormat1) = "タイトル様式1";
        settings.Line(rave::sysline::kTitleFormat2) = "タイトル様式2";
        settings.Line(rave::sysline::kTitleFormat3) = "タイトル様式3";
        doc.header[slot::kDepthScale] = "100";
    }
    HeaderEditorModel Open(std::vector<std::string> technicians = {}) {
        return HeaderEditorModel(doc, settings, std::move(technicians));
    }

    SoundingDocument doc;
    rave::RavelogSettings settings;
    rave::RecordingMessageSink sink;
};

TEST_F(HeaderEditorTest, FieldsShowTheirSlotsAndCommitWritesEveryFieldBack) {
    doc.header[slot::kSurveyName1] = "東京都新宿区";
    doc.header[10] = "山田";
    doc.header[33] = "memo";
    HeaderEditorModel editor = Open({"山田", "佐藤"});
    EXPECT_EQ(editor.ListEntries(10), (std::vector<std::string>{"山田", "佐藤"}));
    EXPECT_EQ(editor.Text(slot::kSurveyName1), "東京都新宿区");
    EXPECT_EQ(editor.Text(10), "山田");
    editor.SetText(slot::kSurveyName2, "二丁目");
    editor.SetText(29, "株式会社テスト");
    editor.SetText(slot::kDepthScale, " 200 ");
    editor.SetChoice(slot::kReportFormat, 2);
    editor.SetChoice(slot::kSoilTableKind, 1);
    editor.SetFlag(28, true);
    editor.SetFlag(87, false);
    ASSERT_TRUE(editor.Commit(doc, sink));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(doc.header[slot::kSurveyName2], "二丁目");
    EXPECT_EQ(doc.header[29], "株式会社テスト");
    EXPECT_EQ(doc.header[slot::kDepthScale], "200");  // integers are written "%d"
    EXPECT_EQ(doc.header[slot::kReportFormat], "2");
    EXPECT_EQ(doc.header[slot::kSoilTableKind], "1");
    EXPECT_EQ(doc.header[28], "1");
    EXPECT_EQ(doc.header[87], "0");
    EXPECT_EQ(doc.header[33], "memo");
    EXPECT_TRUE(doc.modified);
}

TEST_F(HeaderEditorTest, NothingReachesTheDocumentBeforeCommit) {
    HeaderEditorModel editor = Open();
    editor.SetText(slot::kSurveyName1, "変更");
    editor.SetChoice(slot::kReportFormat, 1);
    editor.CopyDefaultTitle(kTitle3);
    EXPECT_EQ(doc.header[slot::kSurveyName1], "");
    EXPECT_EQ(doc.header[slot::kReportFormat], "");
    EXPECT_EQ(doc.header[kTitle3], "");
    EXPECT_FALSE(doc.modified);
}

TEST_F(HeaderEditorTest, UnchangedCommitLeavesTheDocumentUnmodified) {
    doc.header[slot::kTitleFormat1] = "a";
    doc.header[slot::kTitleFormat2] = "b";
    doc.header[kTitle3] = "c";
    doc.header[slot::kReportFormat] = "0";
    doc.header[slot::kSoilTableKind] = "0";
    doc.header[slot::kRowsPerPageChoice] = "0";
    doc.header[28] = "0";
    doc.header[87] = "0";
    HeaderEditorModel editor = Open();
    ASSERT_TRUE(editor.Commit(doc, sink));
    EXPECT_FALSE(doc.modified);
}

TEST_F(HeaderEditorTest, DepthScaleMustBeAWholeNumberFrom5To500) {
    for (const char* refused : {"4", "501", "", "50.5", "abc", "1000"}) {
        HeaderEditorModel editor = Open();
        editor.SetText(slot::kSurveyName1, "changed");
        editor.SetText(slot::kDepthScale, refused);
        rave::RecordingMessageSink messages;
        EXPECT_FALSE(editor.Commit(doc, messages)) << refused;
        ASSERT_EQ(messages.shown.size(), 1u) << refused;
        EXPECT_EQ(messages.shown[0].text, "5 から 500 までの整数を入力してください。");
        EXPECT_EQ(editor.FocusSlot(), slot::kDepthScale);
        EXPECT_EQ(doc.header[slot::kSurveyName1], "") << "a refused OK writes nothing";
    }
    for (const char* accepted : {"5", "500"}) {
        HeaderEditorModel editor = Open();
        editor.SetText(slot::kDepthScale, accepted);
        EXPECT_TRUE(editor.Commit(doc, sink)) << accepted;
        EXPECT_EQ(doc.header[slot::kDepthScale], accepted);
    }
}

TEST_F(HeaderEditorTest, TextsThatWouldBreakTheFileAreRefused) {
    for (const char* refused : {"a$$Z", "line\r\nbreak", "lf\nonly", "cr\ronly"}) {
        HeaderEditorModel editor = Open();
        editor.SetText(33, refused);
        rave::RecordingMessageSink messages;
        EXPECT_FALSE(editor.Commit(doc, messages)) << refused;
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "改行や「$$」を含む文字は入力できません");
        EXPECT_EQ(editor.FocusSlot(), 33);
        EXPECT_EQ(doc.header[33], "");
    }
    // A slot is one line: the longest text a reopened file keeps whole is 397 bytes.
    for (const auto& [text, fits] :
         {std::pair{std::string(397, 'a'), true}, std::pair{std::string(398, 'a'), false},
          std::pair{std::string(396, 'a') + "\x82\xa0", false}}) {
        HeaderEditorModel editor = Open();
        editor.SetText(33, text);
        rave::RecordingMessageSink messages;
        EXPECT_EQ(editor.Commit(doc, messages), fits) << text.size();
        EXPECT_EQ(messages.shown.size(), fits ? 0u : 1u);
        EXPECT_EQ(doc.header[33], fits ? text : std::string(397, 'a'));
    }
    HeaderEditorModel editor = Open();
    editor.SetText(33, "$1,000 single dollar");
    EXPECT_TRUE(editor.Commit(doc, sink));
    EXPECT_EQ(doc.header[33], "$1,000 single dollar");
}

TEST_F(HeaderEditorTest, EmptyTitlesTakeTheProgramDefaultsAndOkStoresThem) {
    doc.header[slot::kTitleFormat2] = "自分のタイトル";
    HeaderEditorModel editor = Open();
    EXPECT_EQ(editor.Text(slot::kTitleFormat1), "タイトル様式1");
    EXPECT_EQ(editor.Text(slot::kTitleFormat2), "自分のタイトル");
    EXPECT_EQ(editor.Text(kTitle3), "タイトル様式3");
    ASSERT_TRUE(editor.Commit(doc, sink));
    EXPECT_EQ(doc.header[slot::kTitleFormat1], "タイトル様式1");
    EXPECT_EQ(doc.header[slot::kTitleFormat2], "自分のタイトル");
    EXPECT_EQ(doc.header[kTitle3], "タイトル様式3");
}

TEST_F(HeaderEditorTest, CopyPutsTheDefaultTitleOfThatFormatOnly) {
    doc.header[slot::kTitleFormat1] = "one";
    doc.header[slot::kTitleFormat2] = "two";
    doc.header[kTitle3] = "three";
    HeaderEditorModel editor = Open();
    editor.CopyDefaultTitle(slot::kTitleFormat2);
    EXPECT_EQ(editor.Text(slot::kTitleFormat1), "one");
    EXPECT_EQ(editor.Text(slot::kTitleFormat2), "タイトル様式2");
    EXPECT_EQ(editor.Text(kTitle3), "three");
    editor.CopyDefaultTitle(slot::kSurveyName1);  // not a title: nothing happens
    EXPECT_EQ(editor.Text(slot::kSurveyName1), "");
}

TEST_F(HeaderEditorTest, NoteLineNamesTheNswCapOnlyWhenOneIsSet) {
    for (const char* noCap : {"", "0", "-5", "abc"}) {
        doc.header[kNswCap] = noCap;
        EXPECT_EQ(Open().NoteProposal(), "") << noCap;
    }
    doc.header[kNswCap] = "150";
    HeaderEditorModel editor = Open();
    EXPECT_EQ(editor.NoteProposal(), "qaの換算式においてNswが150を超える場合は150とする");
    editor.CopyNoteProposal(25);
    EXPECT_EQ(editor.Text(25), editor.NoteProposal());
    editor.CopyNoteProposal(21);  // the arrow exists beside the format-3 notes only
    EXPECT_EQ(editor.Text(21), "");
    ASSERT_TRUE(editor.Commit(doc, sink));
    EXPECT_EQ(doc.header[25], "qaの換算式においてNswが150を超える場合は150とする");
}

TEST_F(HeaderEditorTest, ChoicesStoreTheirIndexAndKeepUnknownValues) {
    doc.header[slot::kRowsPerPageChoice] = "9";  // none of the choices
    doc.header[slot::kSoilTableKind] = "1";
    HeaderEditorModel editor = Open();
    EXPECT_EQ(editor.Choice(slot::kRowsPerPageChoice), -1);
    EXPECT_EQ(editor.Choice(slot::kSoilTableKind), 1);
    editor.SetChoice(slot::kReportFormat, 3);    // out of range: ignored
    EXPECT_EQ(editor.ChooseRowsPerPage(6), 21);  // focus moves to the first note line
    ASSERT_TRUE(editor.Commit(doc, sink));
    EXPECT_EQ(doc.header[slot::kRowsPerPageChoice], "6");
    EXPECT_EQ(doc.header[slot::kSoilTableKind], "1");

    doc.header[slot::kRowsPerPageChoice] = "9";
    HeaderEditorModel untouched = Open();
    ASSERT_TRUE(untouched.Commit(doc, sink));
    EXPECT_EQ(doc.header[slot::kRowsPerPageChoice], "9");
}

}  // namespace
}  // namespace ravelog
