// The placement dialog driven as a user would: choose logs, type distances, add, edit, OK.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <deque>

#include <gtest/gtest.h>

#include "platform/cell_edit_table.h"
#include "ravesect/app/placement_details_dialog.h"
#include "ravesect/app/placement_dialog.h"
#include "ravesect/document/working_files.h"
#include "sect_dialog_support.h"

namespace ravesect::app {
namespace {

using ravesect::testing::ExampleLog;
using ravesect::testing::ShownText;
using ravesect::testing::TypeInto;

// The chooser and the details dialog answer from the test.
class ScriptedPlacementDialog : public PlacementDialog {
public:
    using PlacementDialog::PlacementDialog;
    std::deque<QString> files;
    std::function<void(DetailsSettings&)> details;

protected:
    QString ChooseSourceFile(const QString&) override {
        if (files.empty()) {
            return {};
        }
        QString next = files.front();
        files.pop_front();
        return next;
    }
    bool EditDetails(DetailsSettings& d) override {
        if (!details) {
            return false;
        }
        details(d);
        return true;
    }
};

class PlacementDialogTest : public ::testing::Test {
protected:
    PlacementDialogTest() { rave::platform::testing::TestApplication(); }

    std::unique_ptr<ScriptedPlacementDialog> Open() {
        return std::make_unique<ScriptedPlacementDialog>(folder.path(), messages, document,
                                                         WorkingFiles::In(folder.path()));
    }
    // 開く with `log`, the distance typed, データ追加.
    static void AddLog(ScriptedPlacementDialog& dialog, const char* log, const QString& distance) {
        dialog.files.push_back(QString::fromStdString(ExampleLog(log).string()));
        QTest::mouseClick(dialog.OpenButton(), Qt::LeftButton);
        TypeInto(dialog.DistanceBox(), distance);
        QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
    }

    rave::testing::TempFolder folder;
    rave::RecordingMessageSink messages;
    SectionDocument document;
};

TEST_F(PlacementDialogTest, ThreeLogsPlacedGiveThreeColumnsSortedInTheWorkingFile) {
    auto dialog = Open();
    dialog->show();
    AddLog(*dialog, "section/B-2.ddw", "20");
    AddLog(*dialog, "section/B-1.jdw", "0");
    AddLog(*dialog, "section/P-1.pdw", "35.5");
    ASSERT_EQ(dialog->List().rows.size(), 3u) << ShownText(messages);
    // The next empty row is current, ready for the next log.
    EXPECT_EQ(dialog->Table()->CurrentRow(), 3);
    EXPECT_EQ(dialog->Table()->model()->index(1, 0).data().toString(), QStringLiteral("0.00"));

    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog->Applied());
    EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);

    // Read back from the file alone, as the view does on every repaint.
    SectionDocument readBack;
    ReadColumnsFile(WorkingFiles::In(folder.path()), readBack);
    const char* expected[] = {"0.00", "20.00", "35.50"};
    for (int slot = 1; slot <= 3; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_TRUE(readBack.Column(slot).NamesFile());
        EXPECT_EQ(readBack.Column(slot)[colfield::kDistance], expected[slot - 1]);
        EXPECT_FALSE(readBack.Log(slot).Empty());
    }
    // The closing blank column: 35.50 + 100 / 10 at the standard distance scale 1/100.
    EXPECT_FALSE(readBack.Column(4).NamesFile());
    EXPECT_EQ(readBack.Column(4)[colfield::kDistance], "45.50");
    EXPECT_FALSE(readBack.Column(5).InUse());
    // The folder of the last chosen log is remembered for the next 開く.
    EXPECT_EQ(rave::platform::Cp932ToUtf8(ReadSourceFolderFile(folder.path()).folder),
              (ExampleLog("section")).string());
}

TEST_F(PlacementDialogTest, RefusedRowsShowTheirMessageAndAddNothing) {
    struct Case {
        const char* distance;
        int message;
    };
    const Case cases[] = {{"", 903}, {"abc", 903}, {"-0.2", 4007}, {"30000.5", 4007}, {"5", 908}};
    auto dialog = Open();
    AddLog(*dialog, "section/B-1.jdw", "5");
    ASSERT_EQ(dialog->List().rows.size(), 1u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.distance);
        messages.shown.clear();
        TypeInto(dialog->DistanceBox(), QString::fromUtf8(c.distance));
        QTest::mouseClick(dialog->AddButton(), Qt::LeftButton);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].id, c.message);
        EXPECT_EQ(dialog->List().rows.size(), 1u);
    }
    // -0.1 is the lowest distance accepted.
    TypeInto(dialog->DistanceBox(), QStringLiteral("-0.1"));
    QTest::mouseClick(dialog->AddButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->List().rows.size(), 2u);
}

TEST_F(PlacementDialogTest, NarrowColumnsShowTheirValuesWhole) {
    auto dialog = Open();
    dialog->show();
    AddLog(*dialog, "section/B-1.jdw", "0");
    EXPECT_EQ(dialog->Table()->model()->index(0, 3).data().toString(), QStringLiteral("0.00"));
    // The text area of a cell is its width less the focus frame margin and one pixel each side.
    // "70.99" is the widest ▽ position (code 70, N 99); the water level and the version are B-1's.
    const rave::platform::CellEditTable& table = *dialog->Table();
    const struct {
        int column;
        QString widest;
    } cases[] = {{3, QStringLiteral("70.99")}, {4, {}}, {12, {}}};
    for (const auto& c : cases) {
        const QString shown = table.model()->index(0, c.column).data().toString();
        EXPECT_FALSE(shown.isEmpty()) << c.column;
        const int room =
            table.columnWidth(c.column) - 2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        for (const QString& text : {shown, c.widest}) {
            EXPECT_EQ(table.fontMetrics().elidedText(text, Qt::ElideRight, room), text) << c.column;
        }
    }
}

TEST_F(PlacementDialogTest, SourceHeaderFillsTheBoxesAndMarkNFollowsTheRadioButtons) {
    auto dialog = Open();
    dialog->files.push_back(QString::fromStdString(ExampleLog("section/B-1.jdw").string()));
    QTest::mouseClick(dialog->OpenButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->FileNameBox()->text().isEmpty());
    EXPECT_TRUE(dialog->VersionBox()->text().startsWith(QStringLiteral("500")));
    EXPECT_NE(dialog->SurveyNameBox()->text(), QStringLiteral("-"));
    EXPECT_FALSE(dialog->MarkNBox()->isEnabled());
    dialog->MarkButton(2)->click();
    EXPECT_TRUE(dialog->MarkNBox()->isEnabled());

    // A file that is not a log names the fault in the survey-name box.
    const auto notLog = folder.Write("memo.sdw", "just a memo\r\n");
    dialog->files.push_back(QString::fromStdString(notLog.string()));
    QTest::mouseClick(dialog->OpenButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->SurveyNameBox()->text(),
              QStringLiteral("柱状図、スウェーデンのファイルではありません"));
}

TEST_F(PlacementDialogTest, CellEditsOverwriteDetailsAndDeleteReachTheRows) {
    auto dialog = Open();
    AddLog(*dialog, "section/B-1.jdw", "5");
    AddLog(*dialog, "section/B-2.ddw", "15");
    ASSERT_EQ(dialog->List().rows.size(), 2u);

    // In place: a label is taken, a distance that is no number is refused.
    EXPECT_TRUE(
        dialog->Table()->model()->setData(dialog->Table()->model()->index(0, 2), QStringLiteral("No.9")));
    EXPECT_EQ(dialog->List().rows[0][colfield::kLabel], "No.9");
    EXPECT_FALSE(
        dialog->Table()->model()->setData(dialog->Table()->model()->index(0, 0), QStringLiteral("x")));
    EXPECT_TRUE(messages.Saw(903));
    EXPECT_EQ(dialog->List().rows[0][colfield::kDistance], "5.00");

    // Selecting a row shows it; overwrite takes the boxes back into it.
    dialog->Table()->SetCurrentRow(1);
    EXPECT_EQ(dialog->DistanceBox()->text(), QStringLiteral("15.00"));
    TypeInto(dialog->DistanceBox(), QStringLiteral("12"));
    QTest::mouseClick(dialog->OverwriteButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->List().rows[1][colfield::kDistance], "12.00");

    // The details dialog's choice goes into the selected row.
    dialog->details = [](DetailsSettings& d) {
        d.frameOrder = 3;
        d.flagFlip = true;
    };
    QTest::mouseClick(dialog->DetailsButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->List().rows[1][colfield::kFrameOrder], "3");
    EXPECT_EQ(dialog->List().rows[1][colfield::kFlagFlip], "1");
    EXPECT_EQ(dialog->FrameOrderBox()->text(), QStringLiteral("3"));

    QTest::mouseClick(dialog->DeleteButton(), Qt::LeftButton);
    ASSERT_EQ(dialog->List().rows.size(), 1u);
    EXPECT_EQ(dialog->List().rows[0][colfield::kDistance], "5.00");
}

TEST_F(PlacementDialogTest, EqualDistancesAreAllStoredAndNamedInAWarning) {
    auto dialog = Open();
    AddLog(*dialog, "section/B-1.jdw", "5");
    AddLog(*dialog, "section/B-2.ddw", "15");
    ASSERT_TRUE(
        dialog->Table()->model()->setData(dialog->Table()->model()->index(1, 0), QStringLiteral("5")));
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    ASSERT_TRUE(dialog->Applied());
    EXPECT_EQ(ShownText(messages), "同じ距離があります\r\n 5.00 m \r\n\n");
    EXPECT_EQ(document.Column(1)[colfield::kDistance], "5.00");
    EXPECT_EQ(document.Column(2)[colfield::kDistance], "5");
    EXPECT_TRUE(document.Column(2).NamesFile());
}

TEST_F(PlacementDialogTest, CancelAfterChangesAsksAndLeavesTheWorkingFilesAlone) {
    const auto columns = folder.Write("Tmp1.tmp", "$$_QSVERAN700\r\n0\r\n$$Z END\r\n");
    const std::string before = rave::testing::TempFolder::Read(columns);
    auto dialog = Open();
    dialog->show();
    AddLog(*dialog, "section/B-1.jdw", "5");
    messages.answers = {false};
    QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].id, 132);
    EXPECT_TRUE(dialog->isVisible());
    messages.answers = {true};
    QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->Applied());
    EXPECT_EQ(rave::testing::TempFolder::Read(columns), before);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Tmp0.tmp"));
}

TEST_F(PlacementDialogTest, EnterInABoxFollowsTheKeySetting) {
    struct Case {
        rave::EnterKeyBehaviour behaviour;
        bool movesOn;
        bool closes;
    };
    const Case cases[] = {{rave::EnterKeyBehaviour::kMoveToNext, true, false},
                          {rave::EnterKeyBehaviour::kConfirmOnly, false, false},
                          {rave::EnterKeyBehaviour::kWindowsStandard, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.behaviour));
        ScriptedPlacementDialog dialog(folder.path(), messages, document, WorkingFiles::In(folder.path()),
                                       nullptr, c.behaviour);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.LabelBox()->setFocus();
        QTest::keyClick(dialog.LabelBox(), Qt::Key_Return);
        EXPECT_EQ(dialog.LabelBox()->hasFocus(), !c.movesOn && !c.closes);
        EXPECT_EQ(dialog.Applied(), c.closes);
    }
}

TEST(PlacementDetailsDialogTest, ExtendedFrameOrdersOnlyForJacicAndConeLogsAndDefaultsRestore) {
    rave::platform::testing::TestApplication();
    rave::RecordingMessageSink messages;
    DetailsSettings sounding;
    sounding.kind = 300;
    sounding.frameOrder = 2;
    sounding.flagPosition = 3;
    sounding.ndDecimals = "2";
    PlacementDetailsDialog dialog(sounding, messages);
    EXPECT_FALSE(dialog.FrameOrderButton(4)->isEnabled());
    EXPECT_FALSE(dialog.FrameOrderButton(5)->isEnabled());
    EXPECT_TRUE(dialog.FrameOrderButton(2)->isChecked());
    EXPECT_TRUE(dialog.FlagPositionButton(3)->isChecked());
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text().startsWith(QStringLiteral("標準の設定"))) {
            button->click();
        }
    }
    dialog.accept();
    EXPECT_EQ(dialog.Details().frameOrder, 0);
    EXPECT_EQ(dialog.Details().flagPosition, 1);
    EXPECT_EQ(dialog.Details().ndDecimals, "0");

    DetailsSettings jacic;
    jacic.kind = 500;
    PlacementDetailsDialog jacicDialog(jacic, messages);
    EXPECT_TRUE(jacicDialog.FrameOrderButton(4)->isEnabled());
}

}  // namespace
}  // namespace ravesect::app
