// The header dialog bound to its model: typed fields, choices, flags and lists reach the header
// slots on OK only; "Copy" and "←" fill their fields; bad input keeps the dialog open with a
// message and the document untouched.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "data_dialog_test_support.h"
#include "ravelog/app/header_dialog.h"

namespace ravelog::app {
namespace {

using namespace testing;

class HeaderDialogTest : public ::testing::Test {
protected:
    HeaderDialogTest() {
        TestApplication();
        settings.Line(rave::sysline::kTitleFormat1) = Cp("標準の表題");
        settings.Line(rave::sysline::kTitleFormat3) = Cp("推定柱状図");
        document.header[slot::kDepthScale] = "100";
        document.header[slot::kTitleFormat1] = Cp("古い表題");
        document.header[slot::kTitleFormat2] = Cp("様式2の表題");
    }

    std::unique_ptr<HeaderDialog> Open() {
        return std::make_unique<HeaderDialog>(
            document, settings, std::vector<std::string>{Cp("山田 太郎"), Cp("佐藤 花子")}, messages);
    }

    SoundingDocument document;
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    rave::RecordingMessageSink messages;
};

TEST_F(HeaderDialogTest, OkWritesWhatWasTypedChosenAndTicked) {
    auto dialog = Open();
    Type(Named<QLineEdit>(*dialog, "slot1"), QStringLiteral("○○地区 造成工事"));
    Type(Named<QComboBox>(*dialog, "slot10"), QStringLiteral("鈴木 一郎"));
    auto* weather = Named<QComboBox>(*dialog, "slot18");
    weather->setCurrentIndex(weather->findText(QStringLiteral("くもり時々雨")));
    Type(Named<QLineEdit>(*dialog, "slot19"), QStringLiteral("200"));
    Click(*dialog, "slot31_2");
    Click(*dialog, "slot20_0");
    Named<QComboBox>(*dialog, "slot30")->setCurrentIndex(3);
    Click(*dialog, "slot28");
    EXPECT_EQ(document.header[1], "") << "nothing is written before OK";

    Click(*dialog, "ok");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(messages.shown.empty());
    const std::pair<int, std::string> expected[] = {
        {1, Cp("○○地区 造成工事")},
        {10, Cp("鈴木 一郎")},
        {18, Cp("くもり時々雨")},
        {19, "200"},
        {31, "2"},
        {20, "0"},
        {30, "3"},
        {28, "1"},
        {87, "0"},
        // The empty format-3 title took the program's default when the dialog opened.
        {27, Cp("推定柱状図")},
        {92, Cp("古い表題")}};
    for (const auto& [slot, text] : expected) {
        EXPECT_EQ(document.header[slot], text) << "slot " << slot;
    }
}

TEST_F(HeaderDialogTest, CancelLeavesTheDocumentAlone) {
    const SoundingHeader before = document.header;
    auto dialog = Open();
    Type(Named<QLineEdit>(*dialog, "slot5"), QStringLiteral("No.9"));
    Click(*dialog, "cancel");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(document.header.slots, before.slots);
}

TEST_F(HeaderDialogTest, RefusedInputKeepsTheDialogOpenAndNamesTheFault) {
    struct Case {
        const char* field;
        QString typed;
        const char* message;
    };
    const Case cases[] = {
        {"slot19", QStringLiteral("4"), "5 から 500 までの整数を入力してください。"},
        {"slot19", QStringLiteral("501"), "5 から 500 までの整数を入力してください。"},
        {"slot19", QStringLiteral("12.5"), "5 から 500 までの整数を入力してください。"},
        {"slot2", QStringLiteral("A$$Z"), "改行や「$$」を含む文字は入力できません"},
        {"slot33", QStringLiteral("温度 ☀ 快晴"),
         "「メモ」に保存できない文字があります。\nシフトJISで表せる文字だけを入力してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const SoundingHeader before = document.header;
        messages.shown.clear();
        auto dialog = Open();
        dialog->show();
        Type(Named<QWidget>(*dialog, c.field), c.typed);
        Click(*dialog, "ok");
        EXPECT_NE(dialog->result(), QDialog::Accepted);
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(Shown(messages.shown[0]), c.message);
        EXPECT_EQ(document.header.slots, before.slots);
        EXPECT_EQ(dialog->focusWidget(), Named<QWidget>(*dialog, c.field));
    }
}

TEST_F(HeaderDialogTest, CopyButtonsFillTitlesAndNotes) {
    document.header[69] = "150";
    auto dialog = Open();
    EXPECT_EQ(Named<QLineEdit>(*dialog, "slot27")->text(), QStringLiteral("推定柱状図"));
    Click(*dialog, "copyTitle92");
    EXPECT_EQ(Named<QLineEdit>(*dialog, "slot92")->text(), QStringLiteral("標準の表題"));
    const QString note = QStringLiteral("qaの換算式においてNswが150を超える場合は150とする");
    EXPECT_EQ(Named<QLineEdit>(*dialog, "noteProposal")->text(), note);
    Click(*dialog, "copyNote25");
    EXPECT_EQ(Named<QLineEdit>(*dialog, "slot25")->text(), note);
    EXPECT_EQ(Named<QLineEdit>(*dialog, "slot24")->text(), QString());
    Click(*dialog, "ok");
    EXPECT_EQ(document.header[25], Cp("qaの換算式においてNswが150を超える場合は150とする"));
    EXPECT_EQ(document.header[92], Cp("標準の表題"));
}

TEST_F(HeaderDialogTest, ListsOfferTheMastersAndFixedEntries) {
    auto dialog = Open();
    auto* testers = Named<QComboBox>(*dialog, "slot10");
    ASSERT_EQ(testers->count(), 2);
    EXPECT_EQ(testers->itemText(1), QStringLiteral("佐藤 花子"));
    auto* rotating = Named<QComboBox>(*dialog, "slot17");
    ASSERT_EQ(rotating->count(), 3);
    EXPECT_EQ(rotating->itemText(2), QStringLiteral("ハンドル"));
    EXPECT_EQ(Named<QComboBox>(*dialog, "slot30")->itemText(4), QStringLiteral("80 (表のﾌｫﾝﾄ 7‐8推奨)"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("スゥェーデン見出し"));
}

TEST_F(HeaderDialogTest, ChoosingRowsPerPageMovesToTheFirstNote) {
    auto dialog = Open();
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    auto* rows = Named<QComboBox>(*dialog, "slot30");
    rows->setFocus();
    QTest::keyClick(rows, Qt::Key_Down);
    EXPECT_EQ(dialog->focusWidget(), Named<QWidget>(*dialog, "slot21"));
}

TEST_F(HeaderDialogTest, TheEnterKeyFollowsTheKeySetting) {
    const struct {
        rave::EnterKeyBehaviour behaviour;
        bool closes;
        bool moves;
    } cases[] = {{rave::EnterKeyBehaviour::kWindowsStandard, true, false},
                 {rave::EnterKeyBehaviour::kMoveToNext, false, true},
                 {rave::EnterKeyBehaviour::kConfirmOnly, false, false}};
    for (const auto& c : cases) {
        rave::SetEnterKeyBehaviour(settings, c.behaviour);
        auto dialog = Open();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        auto* first = Named<QLineEdit>(*dialog, "slot1");
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Return);
        const int behaviour = static_cast<int>(c.behaviour);
        EXPECT_EQ(dialog->result() == QDialog::Accepted, c.closes) << behaviour;
        if (!c.closes) {
            EXPECT_EQ(dialog->focusWidget() != first, c.moves) << behaviour;
        }
    }
}

}  // namespace
}  // namespace ravelog::app
