// The Nsw average calculator bound to its model: the list shows the rows, clicks fill the range,
// 計算 shows the average, qa~ and the count, the notices follow the formula, bad ranges are
// reported, and nothing but the Wsw = 1 option is ever written to the document.
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "data_dialog_test_support.h"
#include "ravelog/app/nsw_average_dialog.h"

namespace ravelog::app {
namespace {

using namespace testing;

struct Row {
    const char* depth;
    const char* wsw;
    const char* na;
};

// Rows at 1, 2, 3 and 4 m with Nsw 40, 60, 50 and 100 under 1 kN, and the notification formula.
SoundingDocument FourRows() {
    SoundingDocument d;
    const std::pair<int, const char*> slots[] = {{53, "30"}, {54, ""},  {55, "1"}, {56, "0.6"},
                                                 {57, "1"},  {66, "0"}, {68, "1"}, {69, "150"}};
    for (const auto& [n, text] : slots) {
        d.header[n] = text;
    }
    const char* nsw[] = {"40.0000", "60.0000", "50.0000", "100.0000"};
    for (int i = 1; i <= 4; ++i) {
        MeasuredRow& row = d.Row(i);
        row[field::kLoad] = "1.00";
        row[field::kHalfTurns] = "4";
        row[field::kDepth] = std::to_string(i) + ".00";
        row[field::kNsw] = nsw[i - 1];
    }
    return d;
}

class NswAverageDialogTest : public ::testing::Test {
protected:
    NswAverageDialogTest() {
        TestApplication();
        ForgetFootingDepth();
    }
    std::unique_ptr<NswAverageDialog> Open() {
        return std::make_unique<NswAverageDialog>(document, settings, messages);
    }
    static QString Text(NswAverageDialog& d, const char* name) { return Named<QLineEdit>(d, name)->text(); }

    SoundingDocument document = FourRows();
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    rave::RecordingMessageSink messages;
};

TEST_F(NswAverageDialogTest, CalculatesOverTheTypedRange) {
    struct Case {
        QString start, end;
        QString average, qa, count;
    };
    const Case cases[] = {
        // 1.0 .. 3.0 takes the rows at exactly 1 and 3 m: (40 + 60 + 50) / 3 = 50, qa~ = 30 + 0.6·50.
        {"1.0", "3.0", "50.0000", "60.0", "3"},
        // (50 + 100) / 2 = 75: qa~ = 30 + 0.6·75 = 75.
        {"3", "4", "75.0000", "75.0", "2"},
        {"5", "9", "", "", "0"},
    };
    auto dialog = Open();
    for (const Case& c : cases) {
        Type(dialog->RangeStart(), c.start);
        Type(dialog->RangeEnd(), c.end);
        Click(*dialog, "calculate");
        EXPECT_EQ(Text(*dialog, "average"), c.average) << c.start.toStdString();
        EXPECT_EQ(Text(*dialog, "qa"), c.qa) << c.start.toStdString();
        EXPECT_EQ(Text(*dialog, "count"), c.count) << c.start.toStdString();
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NswAverageDialogTest, ListShowsTheRowsAndClicksFillTheRange) {
    auto dialog = Open();
    QTableWidget* list = dialog->List();
    ASSERT_EQ(list->rowCount(), 4);
    ASSERT_EQ(list->columnCount(), 7);
    EXPECT_EQ(list->horizontalHeaderItem(0)->text(), QStringLiteral("深さｍ"));
    EXPECT_EQ(list->item(1, 0)->text(), QStringLiteral("2.00"));
    EXPECT_EQ(list->item(1, 3)->text(), QStringLiteral("60.0000"));

    // A click fills the start and proposes a 2 m window.
    FocusIn(dialog->RangeStart());
    Q_EMIT list->cellClicked(1, 0);
    EXPECT_EQ(dialog->RangeStart()->text(), QStringLiteral("2.00"));
    EXPECT_EQ(dialog->RangeEnd()->text(), QStringLiteral("4.00"));
    // After the end field had the focus the next click goes there, the one after to the start.
    FocusIn(dialog->RangeEnd());
    Q_EMIT list->cellClicked(2, 0);
    EXPECT_EQ(dialog->RangeEnd()->text(), QStringLiteral("3.00"));
    Q_EMIT list->cellClicked(0, 0);
    EXPECT_EQ(dialog->RangeStart()->text(), QStringLiteral("1.00"));
    EXPECT_EQ(dialog->RangeEnd()->text(), QStringLiteral("3.00"));
}

TEST_F(NswAverageDialogTest, BadRangesAreReportedAndTheCalculationGoesOn) {
    auto dialog = Open();
    Type(dialog->RangeStart(), QStringLiteral("abc"));
    Type(dialog->RangeEnd(), QStringLiteral("2"));
    Click(*dialog, "calculate");
    EXPECT_TRUE(messages.Saw(4007));
    EXPECT_EQ(Text(*dialog, "count"), QStringLiteral("2"));  // from 0 m: the rows at 1 and 2 m
    messages.shown.clear();
    Type(dialog->RangeStart(), QStringLiteral("3"));
    Type(dialog->RangeEnd(), QStringLiteral("1"));
    Click(*dialog, "calculate");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Shown(messages.shown[0]), "数値が不適当です.");
    EXPECT_EQ(Text(*dialog, "count"), QStringLiteral("0"));
}

TEST_F(NswAverageDialogTest, ProportionalFormulaShowsItsNoticeAndNoQa) {
    document.header[66] = "1";
    document.header[68] = "x";
    const SoundingHeader before = document.header;
    auto dialog = Open();
    // The Wsw = 1 option is made numeric when the calculator opens; nothing else changes.
    EXPECT_EQ(document.header[68], "1");
    const QList<QLabel*> notices = dialog->findChildren<QLabel*>("notice");
    ASSERT_EQ(notices.size(), 2);
    EXPECT_EQ(notices[0]->text(), QStringLiteral("この式ではqa~の計算が\nできません"));
    EXPECT_EQ(notices[1]->text(), QStringLiteral("※告示1113号式を使用して下さい"));
    Type(dialog->RangeStart(), QStringLiteral("1"));
    Type(dialog->RangeEnd(), QStringLiteral("2"));
    Click(*dialog, "calculate");
    EXPECT_EQ(Text(*dialog, "average"), QStringLiteral("50.0000"));
    EXPECT_EQ(Text(*dialog, "qa"), QString());
    Click(*dialog, "ok");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    for (int n = 1; n <= kHeaderSlots; ++n) {
        if (n != 68) {
            EXPECT_EQ(document.header[n], before[n]) << "slot " << n;
        }
    }
}

TEST_F(NswAverageDialogTest, JudgesSelfSinkingLayersBelowTheFootingAndRemembersItsDepth) {
    const Row rows[] = {
        {"0.50", "1.00", "4"}, {"1.00", "0.75", ""}, {"2.50", "0.50", "0"}, {"3.00", "1.00", "10"}};
    document = SoundingDocument();
    for (int i = 0; i < 4; ++i) {
        document.Row(i + 1)[field::kDepth] = rows[i].depth;
        document.Row(i + 1)[field::kLoad] = rows[i].wsw;
        document.Row(i + 1)[field::kHalfTurns] = rows[i].na;
    }
    auto dialog = Open();
    Type(Named<QLineEdit>(*dialog, "footingDepth"), QStringLiteral("-1"));
    Click(*dialog, "judge");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Shown(messages.shown[0]), "基礎底部の深さには 0 以上の数値 (m) を入力してください。");

    // Footing at 0.5 m: (0.5, 2.5] holds both self-sinking rows, (2.5, 5.5] none, and the
    // sounding stops at 3 m.
    Type(Named<QLineEdit>(*dialog, "footingDepth"), QStringLiteral("0.5"));
    Click(*dialog, "judge");
    const QString expected = QStringLiteral(
        "基礎底部から2m以内に荷重1kN以下で自沈する層: あり\n"
        "2mを超え5m以内に荷重500N以下で自沈する層: なし\n"
        "沈下の検討: 必要\n"
        "自沈層 (基礎底部から5m以内):\n"
        "　GL-0.50～1.00m　Wsw 0.75kN\n"
        "　GL-1.00～2.50m　Wsw 0.50kN\n"
        "※ 試験が基礎底部から5m (GL-5.50m) まで達していません。");
    EXPECT_EQ(Named<QLabel>(*dialog, "judgement")->text(), expected);
    EXPECT_EQ(dialog->RangeStart()->text(), QStringLiteral("0.50"));
    EXPECT_EQ(dialog->RangeEnd()->text(), QStringLiteral("2.50"));

    auto again = Open();
    EXPECT_EQ(Named<QLineEdit>(*again, "footingDepth")->text(), QStringLiteral("0.5"));
    EXPECT_EQ(Named<QLabel>(*again, "judgement")->text(), expected);
}

}  // namespace
}  // namespace ravelog::app
