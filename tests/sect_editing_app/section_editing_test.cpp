// The three editing dialogs in Ravesect's window, driven as a user would: a menu command opens
// the dialog, its buttons set the mode, the mouse presses, drags and releases on the section view,
// OK writes the working file, and undo / redo put the file's bytes back.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <cstdlib>
#include <memory>

#include "common/format.h"
#include "common/native_file.h"
#include "platform/autosave_dialog.h"
#include "platform/cell_edit_table.h"
#include "platform/codec.h"
#include "ravesect/app/dialog_hooks.h"
#include "ravesect/app/dialog_placement.h"
#include "ravesect/app/layer_dialog.h"
#include "ravesect/app/placement_details_dialog.h"
#include "ravesect/app/placement_dialog.h"
#include "ravesect/app/point_dialog.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/section_view.h"
#include "ravesect/app/title_dialog.h"
#include "settings_sandbox.h"
#include "temp_folder.h"
#include "tests/platform/qt_test_application.h"

namespace ravesect::app {
namespace {

using rave::testing::TempFolder;

class SectionEditingTest : public ::testing::Test {
protected:
    SectionEditingTest() {
        rave::platform::testing::TestApplication();
        // Without a folder of its own the test had the registry under wine, which keeps nothing
        // for a program with no organisation name: the dialogs' places were never remembered.
        rave::testing::KeepSettingsIn(folder.path() / "settings");
        ResetCurrentSection();
        std::filesystem::create_directories(install());
        frame = std::make_unique<SectionFrame>(install(), &messages);
        frame->resize(1000, 800);
        frame->show();
        messages.shown.clear();
    }
    ~SectionEditingTest() override {
        frame.reset();
        ResetCurrentSection();
    }
    std::filesystem::path install() const { return folder.path() / "Sver5"; }
    std::string Bytes(const std::filesystem::path& file) const { return TempFolder::Read(file); }
    SectionView* view() const { return frame->View(); }

    template <typename Dialog>
    Dialog* Open(int command) {
        frame->Action(command)->trigger();
        auto* dialog = frame->findChild<Dialog*>();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    void Press(QPoint at) { QTest::mousePress(view(), Qt::LeftButton, {}, at); }
    void Release(QPoint at) { QTest::mouseRelease(view(), Qt::LeftButton, {}, at); }
    void Click(QPoint at) {
        Press(at);
        Release(at);
    }
    // A move with the left button held.
    void Drag(QPoint to) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), view()->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view(), &move);
    }
    // The point line of "SmpP.tmp" for a world position, as the file writes it.
    std::string PointLine(QPoint at, int n) const {
        const QPointF w = view()->ViewToWorld(at);
        return rave::FormatText("%.2f,%.2f,%d\r\n", w.x(), w.y(), n);
    }
    std::string ShownUtf8() const {
        std::string all;
        for (const rave::Message& m : messages.shown) {
            all += rave::platform::Cp932ToUtf8(m.text) + "\n";
        }
        return all;
    }
    // The whole screen with the window and `dialog`, into RAVE_DIALOG_SHOTS/name.
    static void Shoot(QWidget& dialog, const QString& folder, const char* name) {
        dialog.move(1280 - dialog.width() - 20, 1024 - dialog.height() - 50);
        for (int i = 0; i < 10; ++i) {
            QApplication::processEvents();
            QTest::qWait(30);
        }
        QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') +
                                                             QString::fromUtf8(name));
    }
    // `dialog` alone, laid out as shown, into RAVE_DIALOG_SHOTS/name.
    static void Grab(QWidget& dialog, const QString& folder, const char* name) {
        dialog.show();
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
            QTest::qWait(30);
        }
        const QString path = folder + QLatin1Char('/') + QString::fromUtf8(name);
        EXPECT_TRUE(dialog.grab().save(path)) << path.toStdString();
    }

    TempFolder folder;
    rave::RecordingMessageSink messages;
    std::unique_ptr<SectionFrame> frame;
};

TEST_F(SectionEditingTest, PointsAreAddedAndDraggedWithTheMouseAndOkWritesThem) {
    auto* dialog = Open<PointDialog>(command_id::kPoints);
    ASSERT_NE(dialog, nullptr);
    const QPoint first(300, 300);
    const QPoint second(420, 340);
    const QPoint dropped(360, 400);
    QTest::mouseClick(dialog->addButton, Qt::LeftButton);
    Click(first);
    Click(second);
    QTest::mouseClick(dialog->moveButton, Qt::LeftButton);
    Press(second + QPoint(2, 1));
    Drag(QPoint(400, 380));
    Drag(dropped);
    Release(dropped);
    EXPECT_FALSE(std::filesystem::exists(frame->Files().pointsLayers)) << "nothing is written before OK";
    QTest::mouseClick(dialog->okButton, Qt::LeftButton);

    const std::string written = Bytes(frame->Files().pointsLayers);
    EXPECT_NE(written.find(PointLine(first, 1)), std::string::npos) << written.substr(0, 80);
    EXPECT_NE(written.find(PointLine(dropped, 2)), std::string::npos);
    EXPECT_NE(written.find("-9999.90,-9999.90,3\r\n"), std::string::npos);
    EXPECT_TRUE(frame->Document().modified);

    // Undo removes the file the edit created; redo brings the same bytes back.
    frame->UndoStack()->undo();
    EXPECT_FALSE(std::filesystem::exists(frame->Files().pointsLayers));
    EXPECT_FALSE(frame->Document().Point(1).IsDefined());
    frame->UndoStack()->redo();
    EXPECT_EQ(Bytes(frame->Files().pointsLayers), written);
    EXPECT_TRUE(frame->Document().Point(2).IsDefined());
}

TEST_F(SectionEditingTest, PointDeletionAsksAndCancelDropsTheChanges) {
    auto* dialog = Open<PointDialog>(command_id::kPoints);
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->addButton, Qt::LeftButton);
    Click({300, 300});
    QTest::mouseClick(dialog->okButton, Qt::LeftButton);
    const std::string committed = Bytes(frame->Files().pointsLayers);

    dialog = Open<PointDialog>(command_id::kPoints);
    QTest::mouseClick(dialog->deleteButton, Qt::LeftButton);
    messages.answers = {true};
    Click({301, 300});
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].id, 140);
    EXPECT_FALSE(frame->Document().Point(1).IsDefined());
    QTest::mouseClick(dialog->cancelButton, Qt::LeftButton);
    EXPECT_TRUE(frame->Document().Point(1).IsDefined()) << "Cancel reads the file back";
    EXPECT_EQ(Bytes(frame->Files().pointsLayers), committed);
    EXPECT_EQ(frame->UndoStack()->count(), 1);
}

TEST_F(SectionEditingTest, LayerPointsArePickedOnTheSectionAndStored) {
    auto* points = Open<PointDialog>(command_id::kPoints);
    ASSERT_NE(points, nullptr);
    QTest::mouseClick(points->addButton, Qt::LeftButton);
    const QPoint at[] = {{250, 300}, {400, 300}, {400, 450}, {250, 450}};
    for (const QPoint& p : at) {
        Click(p);
    }
    QTest::mouseClick(points->okButton, Qt::LeftButton);

    auto* dialog = Open<LayerDialog>(command_id::kLayers);
    ASSERT_NE(dialog, nullptr);
    dialog->chooseColour = [](const QColor&) -> std::optional<QColor> { return QColor(0, 128, 255); };
    QTest::mouseClick(dialog->storeButton, Qt::LeftButton);
    EXPECT_NE(ShownUtf8().find("データがありません"), std::string::npos) << "a row needs points and a colour";

    QApplication::setActiveWindow(dialog);
    dialog->pointsEdit->setFocus();
    QApplication::processEvents();
    for (const QPoint& p : at) {
        Click(p + QPoint(1, 1));
    }
    EXPECT_EQ(dialog->pointsEdit->text(), QStringLiteral("1,2,3,4"));
    QTest::keyClick(dialog->pointsEdit, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "Enter moves on; it does not close the dialog";
    QTest::mouseClick(dialog->colourButton, Qt::LeftButton);
    EXPECT_EQ(dialog->colourEdit->text(), QStringLiteral("0xff8000"));
    dialog->hatchEdit->setText(QStringLiteral("4"));
    QTest::mouseClick(dialog->storeButton, Qt::LeftButton);
    EXPECT_EQ(dialog->table->item(0, 1)->text(), QStringLiteral("1,2,3,4,"));
    EXPECT_EQ(frame->Document().LayerCount(), 1) << "the view draws the stored row at once";

    dialog->numberEdit->setText(QStringLiteral("30"));
    QTest::mouseClick(dialog->storeButton, Qt::LeftButton);
    EXPECT_NE(ShownUtf8().find("上書きできません、同じ %1 がありません."), std::string::npos);

    QTest::mouseClick(dialog->okButton, Qt::LeftButton);
    const std::string written = Bytes(frame->Files().pointsLayers);
    EXPECT_NE(written.find("$$Z SO\r\n1,0xff8000,4,,1,2,3,4,\r\n"), std::string::npos);
    frame->UndoStack()->undo();
    EXPECT_EQ(frame->Document().LayerCount(), 0);
    EXPECT_EQ(Bytes(frame->Files().pointsLayers).find("$$Z SO\r\n1,"), std::string::npos);
}

TEST_F(SectionEditingTest, PointAndLayerDialogsSideBySideCommitOnlyTheirOwnEdits) {
    auto* points = Open<PointDialog>(command_id::kPoints);
    ASSERT_NE(points, nullptr);
    QTest::mouseClick(points->addButton, Qt::LeftButton);
    const QPoint at[] = {{250, 300}, {400, 300}, {400, 450}};
    for (const QPoint& p : at) {
        Click(p);
    }
    QTest::mouseClick(points->okButton, Qt::LeftButton);

    // Both dialogs open; a layer through points 1, 2, 3 is stored but not committed.
    points = Open<PointDialog>(command_id::kPoints);
    auto* layers = Open<LayerDialog>(command_id::kLayers);
    layers->pointsEdit->setText(QStringLiteral("1,2,3"));
    layers->colourEdit->setText(QStringLiteral("0x0000ff"));
    QTest::mouseClick(layers->storeButton, Qt::LeftButton);

    // A point inserted before the layer's first point: the layer list follows the renumbering,
    // and 図 更新 puts the layer back through the same three places.
    points->insertNumberEdit->setText(QStringLiteral("1"));
    QTest::mouseClick(points->insertButton, Qt::LeftButton);
    const QPoint inserted(200, 380);
    Click(inserted);
    EXPECT_EQ(layers->table->item(0, 1)->text(), QStringLiteral("2,3,4,"));
    QTest::mouseClick(layers->redrawButton, Qt::LeftButton);
    EXPECT_EQ(frame->Document().Layer(1).points, "2,3,4,");

    // The layer dialog's OK writes its layer in the numbering of the file's points.
    QTest::mouseClick(layers->okButton, Qt::LeftButton);
    std::string written = Bytes(frame->Files().pointsLayers);
    EXPECT_NE(written.find("$$Z SO\r\n1,0x0000ff,,,1,2,3,\r\n"), std::string::npos) << written.substr(5000);
    EXPECT_NE(written.find(PointLine(at[0], 1)), std::string::npos) << "the pending point is not committed";

    // The point dialog's OK commits the insertion, with the layer renumbered.
    QTest::mouseClick(points->okButton, Qt::LeftButton);
    written = Bytes(frame->Files().pointsLayers);
    EXPECT_NE(written.find(PointLine(inserted, 1)), std::string::npos);
    EXPECT_NE(written.find(PointLine(at[0], 2)), std::string::npos);
    EXPECT_NE(written.find("$$Z SO\r\n1,0x0000ff,,,2,3,4,\r\n"), std::string::npos) << written.substr(5000);
    EXPECT_EQ(frame->UndoStack()->count(), 3);
}

TEST_F(SectionEditingTest, ThePointDialogNeitherCommitsNorDropsTheLayerDialogsRows) {
    auto* layers = Open<LayerDialog>(command_id::kLayers);
    ASSERT_NE(layers, nullptr);
    layers->pointsEdit->setText(QStringLiteral("1,2"));
    layers->colourEdit->setText(QStringLiteral("0x0000ff"));
    QTest::mouseClick(layers->storeButton, Qt::LeftButton);
    ASSERT_EQ(layers->table->item(0, 1)->text(), QStringLiteral("1,2,"));

    auto* points = Open<PointDialog>(command_id::kPoints);
    QTest::mouseClick(points->addButton, Qt::LeftButton);
    Click({300, 300});
    QTest::mouseClick(points->okButton, Qt::LeftButton);
    EXPECT_EQ(Bytes(frame->Files().pointsLayers).find("$$Z SO\r\n1,"), std::string::npos)
        << "the layer row is the layer dialog's to commit";
    points = Open<PointDialog>(command_id::kPoints);
    QTest::mouseClick(points->cancelButton, Qt::LeftButton);
    EXPECT_EQ(frame->Document().LayerCount(), 1) << "nor the point dialog's to drop";
    EXPECT_EQ(layers->table->item(0, 1)->text(), QStringLiteral("1,2,"));
    EXPECT_TRUE(frame->Document().Point(1).IsDefined());

    QTest::mouseClick(layers->cancelButton, Qt::LeftButton);
    EXPECT_EQ(frame->Document().LayerCount(), 0);
    EXPECT_TRUE(frame->Document().Point(1).IsDefined()) << "the committed point stays";
}

TEST_F(SectionEditingTest, TitlesArePlacedByClickingAndOkWritesThem) {
    auto* dialog = Open<TitleDialog>(command_id::kTitles);
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->addButton, Qt::LeftButton);
    EXPECT_NE(ShownUtf8().find("データがありません"), std::string::npos);

    dialog->textEdit->setText(QStringLiteral("Ａｓ層（盛土）"));
    dialog->fontEdit->setText(QStringLiteral("2"));
    QTest::mouseClick(dialog->addButton, Qt::LeftButton);
    const QPoint at(500, 260);
    Click(at);
    EXPECT_EQ(dialog->table->item(0, 0)->text(), QStringLiteral("Ａｓ層（盛土）"));

    // 位置修正 drags it.
    QTest::mouseClick(dialog->moveButton, Qt::LeftButton);
    const QPoint dropped(520, 300);
    Press(at);
    Drag(dropped);
    Release(dropped);
    const QPointF w = view()->ViewToWorld(dropped);
    EXPECT_EQ(dialog->table->item(0, 2)->text().toStdString(), rave::FormatText("%.2f", w.x()));

    dialog->textEdit->setText(QStringLiteral("😀"));
    QTest::mouseClick(dialog->overwriteButton, Qt::LeftButton);
    EXPECT_NE(ShownUtf8().find("保存できない文字"), std::string::npos);

    QTest::mouseClick(dialog->okButton, Qt::LeftButton);
    const std::string written = Bytes(frame->Files().titles);
    const std::string line = rave::FormatText("%.2f,%.2f,", w.x(), w.y()) +
                             rave::platform::Utf8ToCp932("Ａｓ層（盛土）,2\r\n").value();
    EXPECT_EQ(written.find("$$Z HY\r\n" + line), 0u);
    frame->UndoStack()->undo();
    EXPECT_TRUE(frame->Document().Title(1).IsFree());
}

TEST_F(SectionEditingTest, TheMenuCommandBringsTheOpenDialogBack) {
    auto* first = Open<PointDialog>(command_id::kPoints);
    first->hide();
    auto* again = Open<PointDialog>(command_id::kPoints);
    EXPECT_EQ(first, again);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(frame->findChildren<PointDialog*>().size(), 1);
}

TEST_F(SectionEditingTest, UndoBackToTheSavedStateLeavesTheSectionUnmodified) {
    const auto addPoint = [this](QPoint at) {
        auto* points = Open<PointDialog>(command_id::kPoints);
        QTest::mouseClick(points->addButton, Qt::LeftButton);
        Click(at);
        QTest::mouseClick(points->okButton, Qt::LeftButton);
    };
    addPoint({300, 300});
    frame->Document().pathName = (folder.path() / "saved.sqw").string();
    ASSERT_TRUE(frame->Save());
    EXPECT_FALSE(frame->Document().modified);
    addPoint({350, 300});
    EXPECT_TRUE(frame->Document().modified);
    frame->UndoStack()->undo();
    EXPECT_FALSE(frame->Document().modified) << "back at the saved state";
    EXPECT_FALSE(frame->isWindowModified());
    frame->UndoStack()->undo();
    EXPECT_TRUE(frame->Document().modified) << "before the saved state";
    frame->UndoStack()->redo();
    EXPECT_FALSE(frame->Document().modified);
    // A change that no undo step covers keeps the section modified at any step.
    frame->MarkChangedOutsideHistory();
    frame->UndoStack()->redo();
    frame->UndoStack()->undo();
    EXPECT_TRUE(frame->Document().modified);
}

TEST_F(SectionEditingTest, AnOpenThatCannotWriteTheColumnsLeavesTheWorkingFilesAsTheyWere) {
    auto* points = Open<PointDialog>(command_id::kPoints);
    QTest::mouseClick(points->addButton, Qt::LeftButton);
    Click({300, 300});
    QTest::mouseClick(points->okButton, Qt::LeftButton);
    frame->Document().Title(1) = {50.0, 1.0, "title", "1"};
    ASSERT_TRUE(WriteTitlesFile(frame->Files(), frame->Document(), messages));
    ASSERT_TRUE(WriteSettingsFile(frame->Files(), frame->Document().settings, messages));
    const std::string name = frame->Document().pathName;
    std::filesystem::create_directories(frame->Files().columns);  // "Tmp1.tmp" cannot be written
    const std::filesystem::path* kept[] = {&frame->Files().titles, &frame->Files().pointsLayers,
                                           &frame->Files().settings};
    std::vector<std::string> before;
    for (const auto* file : kept) {
        before.push_back(Bytes(*file));
    }

    EXPECT_FALSE(frame->OpenThroughFramework(std::filesystem::path(RAVE_SOURCE_DIR) / "examples" / "section" /
                                             "example-interpretation.sqw"));
    EXPECT_TRUE(messages.Saw(message_id::kCannotOpenWorkingFile)) << ShownUtf8();
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(Bytes(*kept[i]), before[i]) << kept[i]->filename();
    }
    EXPECT_EQ(frame->Document().pathName, name);
    EXPECT_EQ(frame->Document().Title(1).text, "title");
    EXPECT_EQ(frame->UndoStack()->count(), 1) << "the section's undo steps stay";
}

// A scale change as the scale dialog's OK commits it: the settings file rewritten as one step.
void CommitScale(SectionFrame& frame, int distanceScale) {
    frame.Document().settings.distanceScale = distanceScale;
    CommitSectionEdit(frame, QStringLiteral("縮尺/標尺"), [&frame] {
        return WriteSettingsFile(frame.Files(), frame.Document().settings, frame.Messages());
    });
    frame.SettingsOrColumnsRewritten();
}

TEST_F(SectionEditingTest, UndoAndRedoMoveTheHistoryOnlyWithTheirFiles) {
    const std::filesystem::path settings = frame->Files().settings;
    CommitScale(*frame, 300);
    const std::string before = Bytes(settings);
    CommitScale(*frame, 500);
    const std::string after = Bytes(settings);
    const int edited = frame->UndoStack()->index();
    for (const bool forward : {false, true}) {
        // The folder cannot be written: refused, said, file and history left alone.
        rave::FailNextFileCreations(100);
        forward ? frame->Redo() : frame->Undo();
        rave::FailNextFileCreations(0);
        EXPECT_EQ(frame->UndoStack()->index(), forward ? edited - 1 : edited);
        EXPECT_EQ(Bytes(settings), forward ? before : after);
        forward ? frame->Redo() : frame->Undo();  // writable again
        EXPECT_EQ(Bytes(settings), forward ? after : before);
    }
    EXPECT_TRUE(messages.Saw(message_id::kCannotOpenWorkingFile));
    // After New, undoing a settings change comes back to the settings New kept.
    frame->UndoStack()->setClean();
    frame->NewDocument();
    CommitScale(*frame, 700);
    frame->Undo();
    EXPECT_FALSE(frame->IsModified());
    EXPECT_EQ(frame->Document().settings.distanceScale, 500);
    EXPECT_EQ(Bytes(settings), after);
}

TEST_F(SectionEditingTest, PendingTitlesAreNeitherSavedNorLostAndAFailedOkKeepsThem) {
    auto* dialog = Open<TitleDialog>(command_id::kTitles);
    for (const QString& text : {QStringLiteral("committed"), QStringLiteral("pending")}) {
        dialog->textEdit->setText(text);
        dialog->fontEdit->setText(QStringLiteral("1"));
        QTest::mouseClick(dialog->addButton, Qt::LeftButton);
        Click({400, text == QStringLiteral("pending") ? 300 : 260});
        if (text == QStringLiteral("committed")) {
            QTest::mouseClick(dialog->okButton, Qt::LeftButton);
            dialog = Open<TitleDialog>(command_id::kTitles);
        }
    }
    frame->Document().pathName = (folder.path() / "saved.sqw").string();
    ASSERT_TRUE(frame->Save());
    EXPECT_EQ(Bytes(folder.path() / "saved.sqw").find("pending"), std::string::npos);
    EXPECT_EQ(frame->RecoveryBytes().find("pending"), std::string::npos);
    EXPECT_FALSE(frame->OpenThroughFramework(folder.Write("junk.sqw", "not a section\r\n")));
    // An OK that cannot write stays open with the edits (a failed Open kept them too).
    rave::FailNextFileCreations(100);
    QTest::mouseClick(dialog->okButton, Qt::LeftButton);
    rave::FailNextFileCreations(0);
    EXPECT_TRUE(dialog->isVisible());
    QTest::mouseClick(dialog->okButton, Qt::LeftButton);
    EXPECT_NE(Bytes(frame->Files().titles).find("pending"), std::string::npos);
}

TEST_F(SectionEditingTest, EnterDoesWhatTheKeySettingSays) {
    struct Case {
        int setting;
        bool closes;
        bool movesOn;
    };
    const Case cases[] = {{0, true, false}, {1, false, true}, {2, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        frame->Sysq().SetInt(sysqline::kEnterKey, c.setting);
        auto* titles = Open<TitleDialog>(command_id::kTitles);
        auto* layers = Open<LayerDialog>(command_id::kLayers);
        auto* points = Open<PointDialog>(command_id::kPoints);
        const std::pair<QDialog*, QLineEdit*> boxes[] = {
            {titles, titles->xEdit}, {layers, layers->hatchEdit}, {points, points->insertNumberEdit}};
        for (const auto& [dialog, box] : boxes) {
            QApplication::setActiveWindow(dialog);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
            EXPECT_EQ(dialog->isVisible(), !c.closes) << dialog->objectName().toStdString();
            EXPECT_EQ(!box->hasFocus() && dialog->isVisible(), c.movesOn)
                << dialog->objectName().toStdString();
            dialog->close();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

TEST_F(SectionEditingTest, EditingDialogsOpenBesideTheDrawingOrWhereTheyWereLeft) {
    QSettings().remove(QStringLiteral("EditingDialogs"));
    frame->move(0, 0);
    frame->resize(600, 400);
    auto* points = Open<PointDialog>(command_id::kPoints);
    const QRect window = frame->frameGeometry();
    const QPoint drawing = frame->centralWidget()->mapToGlobal(QPoint(0, 0));
    const QRect screen = frame->screen()->availableGeometry();
    if (window.right() + points->width() < screen.right()) {
        EXPECT_EQ(points->x(), window.right() + 1) << "right of the window";
    } else {
        EXPECT_EQ(points->x() + points->width(), window.right() + 1) << "against its right edge";
    }
    EXPECT_EQ(points->y(), drawing.y());
    if (const char* shots = std::getenv("RAVE_DIALOG_SHOTS")) {
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromUtf8(shots) +
                                                             QStringLiteral("/ravesect-points-beside.png"));
    }

    points->move(40, 50);
    points->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    points = Open<PointDialog>(command_id::kPoints);
    EXPECT_EQ(points->pos(), QPoint(40, 50)) << "where the user left it";

    // The rule itself: no room to the right puts it inside the right edge, and a remembered place
    // off the screen is brought back onto it.
    const QRect small(0, 0, 800, 600);
    EXPECT_EQ(EditingDialogPlace({0, 0, 700, 500}, {0, 60, 700, 400}, {300, 200}, small, std::nullopt),
              QPoint(400, 60));
    EXPECT_EQ(EditingDialogPlace({0, 0, 400, 500}, {0, 60, 400, 400}, {300, 200}, small, std::nullopt),
              QPoint(400, 60));
    EXPECT_EQ(EditingDialogPlace({0, 0, 400, 500}, {0, 60, 400, 400}, {300, 200}, small, QPoint(2000, -5)),
              QPoint(500, 0));
}

// Pictures of the three dialogs over the interpretation example, for the documentation: run under
// Xvfb with RAVE_DIALOG_SHOTS naming the folder (skipped otherwise).
TEST_F(SectionEditingTest, ScreenshotsOfTheDialogs) {
    const char* shots = std::getenv("RAVE_DIALOG_SHOTS");
    if (shots == nullptr) {
        GTEST_SKIP() << "RAVE_DIALOG_SHOTS is not set";
    }
    const QString folder = QString::fromUtf8(shots);
    ASSERT_TRUE(frame->OpenThroughFramework(std::filesystem::path(RAVE_SOURCE_DIR) / "examples" / "section" /
                                            "example-interpretation.sqw"));
    frame->move(0, 0);
    frame->resize(1280, 990);

    auto* points = Open<PointDialog>(command_id::kPoints);
    QTest::mouseClick(points->moveButton, Qt::LeftButton);
    Shoot(*points, folder, "ravesect-points.png");
    points->close();

    auto* layers = Open<LayerDialog>(command_id::kLayers);
    layers->table->setCurrentCell(2, 0);
    Shoot(*layers, folder, "ravesect-layers.png");
    layers->close();

    auto* titles = Open<TitleDialog>(command_id::kTitles);
    titles->table->setCurrentCell(1, 0);
    Shoot(*titles, folder, "ravesect-titles.png");
    titles->close();

    // The placement dialog runs modally through the command hooks: the hook takes its picture, then
    // the details of boring B-1 and the autosave setting of 設定, each over it.
    bool placementShown = false;
    CurrentSettingsCommandHooks().runDialog = [&](QDialog& dialog) {
        auto* placement = qobject_cast<PlacementDialog*>(&dialog);
        if (placement == nullptr) {
            return static_cast<int>(QDialog::Rejected);
        }
        placementShown = true;
        placement->show();
        placement->Table()->SetCurrentRow(1);
        placement->Table()->scrollToTop();
        Grab(*placement, folder, "ravesect-placement.png");
        PlacementDetailsDialog details(placement->List().OpenDetails(), messages, placement);
        Grab(details, folder, "ravesect-placement-details.png");
        rave::platform::AutosaveDialog autosave(300, placement);
        Grab(autosave, folder, "autosave-settings.png");
        return static_cast<int>(QDialog::Rejected);
    };
    frame->Action(command_id::kPlacement)->trigger();
    ResetSettingsCommandHooks();
    EXPECT_TRUE(placementShown);
}

}  // namespace
}  // namespace ravesect::app
