// The page-footer dialog bound to its model: samples and prefix rules when a field loses the
// focus, the radio groups enabling their distances, "←" and "標準の設定", the warning about a
// footer below the paper, and what OK and Cancel leave in the document.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "data_dialog_test_support.h"
#include "ravelog/app/page_footer_dialog.h"

namespace ravelog::app {
namespace {

using namespace testing;

constexpr PaperSize kA4{210, 297};

class PageFooterDialogTest : public ::testing::Test {
protected:
    PageFooterDialogTest() { TestApplication(); }
    std::unique_ptr<PageFooterDialog> Open() {
        return std::make_unique<PageFooterDialog>(document, kA4, messages);
    }
    static QString Text(PageFooterDialog& d, const char* name) { return Named<QLineEdit>(d, name)->text(); }

    SoundingDocument document;
    rave::RecordingMessageSink messages;
};

TEST_F(PageFooterDialogTest, SamplesAndPrefixRulesFollowTheFocus) {
    struct Case {
        QString prefix, start, suffix;
        QString prefixAfter, suffixAfter, sample;
    };
    const Case cases[] = {
        {"(", "1", "", "(", ")", "(1)"},     {"-", "5", "", "-", "-", "-5-"},
        {"(", "1", "頁", "(", "頁", "(1頁"}, {"<無し>", "3", "頁", "", "頁", "3頁"},
        {"No.", "", "", "No.", "", "No."},
    };
    for (const Case& c : cases) {
        auto dialog = Open();
        auto* prefix = Named<QComboBox>(*dialog, "prefix2");
        Type(Named<QLineEdit>(*dialog, "startPage2"), c.start);
        Type(Named<QComboBox>(*dialog, "suffix2"), c.suffix);
        Type(prefix, c.prefix);
        FocusOut(prefix);
        EXPECT_EQ(prefix->currentText(), c.prefixAfter);
        EXPECT_EQ(Named<QComboBox>(*dialog, "suffix2")->currentText(), c.suffixAfter);
        EXPECT_EQ(Named<QLabel>(*dialog, "sample2")->text(), c.sample);
    }
}

TEST_F(PageFooterDialogTest, RadiosEnableTheirDistancesAndButtonsFillThem) {
    auto dialog = Open();
    EXPECT_EQ(Text(*dialog, "topLimit"), QStringLiteral("281"));
    EXPECT_EQ(Text(*dialog, "paperWidth"), QStringLiteral("210"));
    EXPECT_EQ(Text(*dialog, "xCentre"), QStringLiteral("105"));
    Click(*dialog, "belowLine");
    EXPECT_FALSE(Named<QLineEdit>(*dialog, "yFromTop")->isEnabled());
    EXPECT_TRUE(Named<QLineEdit>(*dialog, "yBelowLine")->isEnabled());
    Click(*dialog, "centred");
    EXPECT_FALSE(Named<QLineEdit>(*dialog, "xFromLeft")->isEnabled());
    Click(*dialog, "fromTop");
    Click(*dialog, "fromLeft");
    EXPECT_TRUE(Named<QLineEdit>(*dialog, "yFromTop")->isEnabled());
    EXPECT_TRUE(Named<QLineEdit>(*dialog, "xFromLeft")->isEnabled());
    Click(*dialog, "likeCompany");
    EXPECT_EQ(Text(*dialog, "yBelowLine"), QStringLiteral("1.6"));

    Type(Named<QLineEdit>(*dialog, "yBelowLine"), QStringLiteral("9"));
    Click(*dialog, "standard");
    EXPECT_EQ(Text(*dialog, "yFromTop"), QStringLiteral("281"));
    EXPECT_EQ(Text(*dialog, "yBelowLine"), QStringLiteral("1.6"));
    EXPECT_EQ(Text(*dialog, "xFromLeft"), QStringLiteral("105"));
    EXPECT_TRUE(Named<QRadioButton>(*dialog, "belowLine")->isChecked());
    EXPECT_TRUE(Named<QRadioButton>(*dialog, "centred")->isChecked());
}

TEST_F(PageFooterDialogTest, OkStoresTheFooterAndWarnsWhenItMayFallOffThePaper) {
    struct Case {
        QString y;
        bool warned;
    };
    // A4: the limit is 297 - 16 = 281 mm from the paper top.
    for (const Case& c : {Case{"281", true}, Case{"280", false}, Case{"300.5", true}}) {
        document = SoundingDocument();
        messages.shown.clear();
        auto dialog = Open();
        Type(Named<QComboBox>(*dialog, "prefix1"), QStringLiteral("P."));
        Type(Named<QLineEdit>(*dialog, "startPage1"), QStringLiteral("3"));
        Type(Named<QComboBox>(*dialog, "suffix3"), QStringLiteral("頁"));
        Click(*dialog, "fromTop");
        Click(*dialog, "centred");
        Type(Named<QLineEdit>(*dialog, "yFromTop"), c.y);
        Click(*dialog, "ok");
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        ASSERT_EQ(messages.shown.size(), c.warned ? 1u : 0u) << c.y.toStdString();
        if (c.warned) {
            EXPECT_EQ(Shown(messages.shown[0]),
                      "フッタ表示位置が用紙外の可能性があります \n( " + c.y.toStdString() + " mm)");
        }
        const std::pair<int, std::string> expected[] = {{71, "P."},     {72, "3"},  {73, ""},
                                                        {79, Cp("頁")}, {80, "0"},  {81, c.y.toStdString()},
                                                        {83, "1"},      {85, "105"}};
        for (const auto& [slot, text] : expected) {
            EXPECT_EQ(document.header[slot], text) << "slot " << slot;
        }
    }
}

TEST_F(PageFooterDialogTest, RefusedTextKeepsTheDialogOpenAndCancelWritesNothing) {
    auto dialog = Open();
    Type(Named<QComboBox>(*dialog, "suffix1"), QStringLiteral("$$Z"));
    Click(*dialog, "ok");
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Shown(messages.shown[0]), "改行や「$$」を含む文字は入力できません");
    EXPECT_EQ(document.header[73], "");
    Click(*dialog, "cancel");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(document.header.slots, SoundingDocument().header.slots);
}

}  // namespace
}  // namespace ravelog::app
