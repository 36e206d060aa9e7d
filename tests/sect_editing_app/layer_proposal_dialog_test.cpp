// "地層の推定" in Ravesect's window on the interpretation example: the preview leaves the section
// alone, 採用 and 置き換え write one undo step that the open layer dialog shows at once, and
// キャンセル and a section without logs write nothing.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <cstdlib>

#include "ravesect/app/layer_dialog.h"
#include "ravesect/app/layer_proposal_dialog.h"
#include "ravesect/app/section_frame.h"
#include "temp_folder.h"
#include "tests/platform/qt_test_application.h"

namespace ravesect::app {
namespace {

using rave::testing::TempFolder;
const std::filesystem::path kSource(RAVE_SOURCE_DIR);

class LayerProposalDialogTest : public ::testing::Test {
protected:
    LayerProposalDialogTest() {
        rave::platform::testing::TestApplication();
        ResetCurrentSection();
        std::filesystem::create_directories(install());
        for (const char* master : {"WdtvxJG.mst", "WdtvxCS.mst"}) {
            std::filesystem::copy_file(kSource / "data" / master, install() / master);
        }
        frame = std::make_unique<SectionFrame>(install(), &messages);
        frame->show();
        EXPECT_TRUE(
            frame->OpenThroughFramework(kSource / "examples" / "section" / "example-interpretation.sqw"));
        messages.shown.clear();
        before = Files();
    }
    ~LayerProposalDialogTest() override {
        frame.reset();
        ResetCurrentSection();
    }
    std::filesystem::path install() const { return folder.path() / "Sver5"; }
    std::string Files() const {
        return TempFolder::Read(frame->Files().pointsLayers) + TempFolder::Read(frame->Files().titles);
    }
    LayerProposalDialog* Open() {
        frame->Action(command_id::kProposeLayers)->trigger();
        return frame->findChild<LayerProposalDialog*>();
    }
    void ExpectUntouched() {
        EXPECT_EQ(Files(), before);
        EXPECT_EQ(frame->Document().LayerCount(), 5);
        EXPECT_EQ(frame->UndoStack()->index(), 0);
        EXPECT_FALSE(frame->IsModified());
    }

    TempFolder folder;
    rave::RecordingMessageSink messages;
    std::unique_ptr<SectionFrame> frame;
    std::string before;
};

TEST_F(LayerProposalDialogTest, ThePreviewAndCancelLeaveTheSectionAsItWas) {
    LayerProposalDialog* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    const int units = dialog->unitTable->rowCount();
    ASSERT_GE(units, 3);
    EXPECT_EQ(dialog->PreviewDocument().LayerCount(), 5 + units);
    // The band limit proposes again: no limit keeps every band, a deep one leaves fewer units.
    EXPECT_EQ(dialog->bandBox->accessibleName(), QStringLiteral("挟み層の厚さ(m)(B)"));
    dialog->bandBox->setValue(0.0);
    const int withBands = dialog->unitTable->rowCount();
    dialog->bandBox->setValue(5.0);
    EXPECT_LE(dialog->unitTable->rowCount(), withBands);
    dialog->thicknessBox->setValue(1.0);
    dialog->linkTable->item(0, 0)->setCheckState(Qt::Unchecked);
    QApplication::processEvents();
    ExpectUntouched();
    QTest::mouseClick(dialog->cancelButton, Qt::LeftButton);
    ExpectUntouched();
    EXPECT_EQ(frame->UndoStack()->count(), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LayerProposalDialogTest, AdoptWritesTheCheckedUnitsAsOneUndoStep) {
    frame->Action(command_id::kLayers)->trigger();
    auto* layers = frame->findChild<LayerDialog*>();
    ASSERT_NE(layers, nullptr);
    LayerProposalDialog* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    const int units = dialog->unitTable->rowCount();
    dialog->unitTable->item(1, 0)->setCheckState(Qt::Unchecked);
    dialog->unitTable->item(0, 0)->setText(QStringLiteral("Bz"));
    QTest::mouseClick(dialog->adoptButton, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame->findChild<LayerProposalDialog*>(), nullptr);

    const SectionDocument& document = frame->Document();
    EXPECT_EQ(document.LayerCount(), 5 + units - 1);
    EXPECT_EQ(document.Title(7).text, "Bz");
    EXPECT_EQ(frame->UndoStack()->count(), 1);
    EXPECT_TRUE(frame->IsModified());
    EXPECT_FALSE(layers->table->item(5, 1)->text().isEmpty()) << "the open layer dialog shows the points";

    frame->UndoStack()->undo();
    ExpectUntouched();
    EXPECT_TRUE(layers->table->item(5, 1)->text().isEmpty());
}

TEST_F(LayerProposalDialogTest, ReplaceAsksFirst) {
    for (const bool yes : {false, true}) {
        LayerProposalDialog* dialog = Open();
        ASSERT_NE(dialog, nullptr);
        const int units = dialog->unitTable->rowCount();
        messages.answers = {yes};
        EXPECT_EQ(dialog->Adopt(true), yes);
        EXPECT_EQ(messages.asked.size(), yes ? 2u : 1u);
        if (!yes) {
            ExpectUntouched();
            dialog->reject();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            continue;
        }
        EXPECT_EQ(frame->Document().LayerCount(), units);
        EXPECT_EQ(frame->UndoStack()->count(), 1);
    }
}

TEST_F(LayerProposalDialogTest, NothingIsWrittenWhenTheTitlesFileCannotBe) {
    const std::string points = TempFolder::Read(frame->Files().pointsLayers);
    std::filesystem::remove(frame->Files().titles);
    std::filesystem::create_directory(frame->Files().titles);
    EXPECT_FALSE(Open()->Adopt(false));
    EXPECT_EQ(TempFolder::Read(frame->Files().pointsLayers), points) << "half of the change";
    EXPECT_EQ(frame->UndoStack()->count(), 0);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(LayerProposalDialogTest, ASectionWithoutLogsGetsAMessageAndNoDialog) {
    frame->NewDocument();
    messages.shown.clear();
    EXPECT_EQ(Open(), nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(frame->UndoStack()->count(), 0);
}

// The picture for the documentation, over the example: under Xvfb with RAVE_DIALOG_SHOTS set.
TEST_F(LayerProposalDialogTest, ScreenshotsOfTheDialog) {
    const char* shots = std::getenv("RAVE_DIALOG_SHOTS");
    if (shots == nullptr) {
        GTEST_SKIP() << "RAVE_DIALOG_SHOTS is not set";
    }
    frame->move(0, 0);
    frame->resize(1280, 990);
    LayerProposalDialog* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    dialog->move(1600 - dialog->width() - 10, 40);
    dialog->unitTable->setCurrentCell(1, 0);
    QTest::qWait(500);
    EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(
        QString::fromUtf8(shots) + QStringLiteral("/ravesect-layer-proposal.png")));
}

}  // namespace
}  // namespace ravesect::app
