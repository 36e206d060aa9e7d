// The page-footer and margins dialog models: what they open with, the rules of their fields and
// buttons, the off-paper warning and what OK writes back.
#include "ravelog/report/page_footer_editor.h"

#include <gtest/gtest.h>

namespace ravelog {
namespace {

constexpr PaperSize kA4{210, 297};

TEST(PageFooterEditor, OpensWithTheSlotsAndTheCentreOfThePaper) {
    SoundingDocument document;
    document.header[74] = "- ";
    document.header[75] = "3";
    document.header[76] = " -";
    document.header[80] = "1";
    document.header[82] = "1.6";
    document.header[85] = "40";
    const PageFooterEditor editor(document, kA4);
    EXPECT_EQ(editor.SampleLine(2), "- 3 -");
    EXPECT_EQ(editor.SampleLine(1), "");
    EXPECT_EQ(editor.verticalMode, 1);
    EXPECT_EQ(editor.yBelowBottomLine, "1.6");
    EXPECT_EQ(editor.xCentre, "105") << "the centre position is set to half the paper width";
    EXPECT_EQ(editor.PaperTopLimitMm(), 281);
    EXPECT_EQ(editor.PaperWidthMm(), 210);
    EXPECT_TRUE(editor.YBelowBottomLineEnabled());
    EXPECT_FALSE(editor.YFromPaperTopEnabled());
    EXPECT_TRUE(editor.XFromLeftEdgeEnabled());
}

TEST(PageFooterEditor, PrefixRules) {
    SoundingDocument document;
    PageFooterEditor editor(document, kA4);
    editor.rows[0].prefix = "<無し>";
    editor.PrefixLeftFocus(1);
    EXPECT_EQ(editor.rows[0].prefix, "");
    EXPECT_EQ(editor.rows[0].suffix, "");

    editor.rows[1].prefix = "(";
    editor.PrefixLeftFocus(2);
    EXPECT_EQ(editor.rows[1].suffix, ")");
    editor.rows[2].prefix = "-";
    editor.PrefixLeftFocus(3);
    EXPECT_EQ(editor.rows[2].suffix, "-");

    editor.rows[1].prefix = "-";
    editor.PrefixLeftFocus(2);
    EXPECT_EQ(editor.rows[1].suffix, ")") << "a suffix that is already there stays";
}

TEST(PageFooterEditor, ButtonsSetTheStandardPlaces) {
    SoundingDocument document;
    PageFooterEditor editor(document, kA4);
    editor.PlaceLikeCompanyName();
    EXPECT_EQ(editor.yBelowBottomLine, "1.6");
    editor.yBelowBottomLine = "9";
    editor.ApplyStandard();
    EXPECT_EQ(editor.yFromPaperTop, "281");
    EXPECT_EQ(editor.yBelowBottomLine, "1.6");
    EXPECT_EQ(editor.xFromLeftEdge, "105");
    EXPECT_EQ(editor.verticalMode, 1);
    EXPECT_EQ(editor.horizontalMode, 1);

    PageFooterEditor wide(document, PaperSize{420, 297});
    wide.ApplyStandard();
    EXPECT_EQ(wide.xFromLeftEdge, "150") << "at most 150";
}

TEST(PageFooterEditor, WarnsFromPaperHeightLessSixteen) {
    SoundingDocument document;
    PageFooterEditor editor(document, kA4);
    rave::RecordingMessageSink messages;
    editor.verticalMode = 0;
    editor.yFromPaperTop = "280";
    editor.WarnIfOffPaper(messages);
    EXPECT_TRUE(messages.shown.empty()) << "one millimetre less than the limit";
    editor.yFromPaperTop = "281";
    editor.WarnIfOffPaper(messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "フッタ表示位置が用紙外の可能性があります \n( %1 mm)");
    EXPECT_EQ(messages.shown[0].argument, "281");
    editor.verticalMode = 1;
    editor.WarnIfOffPaper(messages);
    EXPECT_EQ(messages.shown.size(), 1u) << "below the line the paper-top value is not used";
}

TEST(PageFooterEditor, WritesEverythingBack) {
    SoundingDocument document;
    PageFooterEditor editor(document, kA4);
    editor.rows[2] = {"p.", "7", ""};
    editor.verticalMode = 1;
    editor.horizontalMode = 0;
    editor.yFromPaperTop = "270";
    editor.yBelowBottomLine = "2.5";
    editor.xFromLeftEdge = "30";
    rave::RecordingMessageSink messages;
    ASSERT_TRUE(editor.Validate(messages));
    editor.WriteBack(document);
    EXPECT_EQ(document.header[77], "p.");
    EXPECT_EQ(document.header[78], "7");
    EXPECT_EQ(document.header[80], "1");
    EXPECT_EQ(document.header[81], "270");
    EXPECT_EQ(document.header[82], "2.5");
    EXPECT_EQ(document.header[83], "0");
    EXPECT_EQ(document.header[84], "30");
    EXPECT_EQ(document.header[85], "105");
    EXPECT_TRUE(document.modified);
}

TEST(PageFooterEditor, TextsTheFileCannotHoldAreRefused) {
    SoundingDocument document;
    PageFooterEditor editor(document, kA4);
    rave::RecordingMessageSink messages;
    editor.rows[0].suffix = "$$Z";
    EXPECT_FALSE(editor.Validate(messages));
    EXPECT_EQ(messages.shown.size(), 1u);
    editor.rows[0].suffix = "頁";
    editor.xCentre = "10\r\n";
    EXPECT_FALSE(editor.Validate(messages));
}

TEST(MarginsEditor, StandardValidationAndWriteBack) {
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    MarginsEditor editor(settings);
    EXPECT_EQ(editor.top, "5");
    EXPECT_EQ(editor.left, "5") << "the defaults without a settings file";
    editor.ApplyStandard();
    EXPECT_EQ(editor.left, "20");
    rave::RecordingMessageSink messages;
    editor.titleRow3 = "4.5";
    EXPECT_FALSE(editor.Validate(messages));
    EXPECT_EQ(messages.shown.size(), 1u);
    editor.titleRow3 = " 6 ";
    ASSERT_TRUE(editor.Validate(messages));
    editor.WriteBack(settings);
    EXPECT_EQ(settings.Int(rave::sysline::kTopMargin), 5);
    EXPECT_EQ(settings.Int(rave::sysline::kLeftMargin), 20);
    EXPECT_EQ(settings.Int(rave::sysline::kTitleRowFormats12), 4);
    EXPECT_EQ(settings.Line(rave::sysline::kTitleRowFormat3), "6");
}

}  // namespace
}  // namespace ravelog
