// Ravesect's main window over the core: a save / reopen round trip through the window, paging
// across and scrolling up and down, the figure moves with their refusal, the question about
// unsaved changes, dropped files, printing without editing markers, the mouse hooks and the
// desktop program's arguments. Dialogs are answered by the test; the recent-file list goes to a
// temporary folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QUrl>
#include <deque>
#include <fstream>

#include "platform/codec.h"
#include "platform/install_folder.h"
#include "platform/printer_paper.h"
#include "ravesect/app/ravesect_application.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/section_view.h"
#include "settings_sandbox.h"
#include "temp_folder.h"
#include "tests/platform/qt_test_application.h"

namespace ravesect::app {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

fs::path ExampleSection() {
    return fs::path(RAVE_SOURCE_DIR) / "examples" / "section" / "example-section.sqw";
}

// A section of blank columns at 0, 30 and 60 m: distance per page 50 with 5 m overlap, left end
// -2, ruler 10 .. -20, top elevation 5, depth per page 30.
std::string PagedSection(const std::string& settingsLine = "100,100,10,-20,1,-2,50,5,5.00,30,0,,0") {
    std::string out = "$$_QSVERAN700\r\n" + settingsLine + "\r\n";
    int slot = 0;
    for (const char* distance : {"0", "30.00", "60.00"}) {
        out += "$$Z" + std::to_string(slot++) + "\r\n" + distance + "\r\n";
        for (int field = 2; field <= 20; ++field) {
            out += "\r\n";
        }
    }
    out += "$$Z END\r\n$$Z HY\r\n";
    for (int title = 1; title <= 50; ++title) {
        out += "-9999.90,-9999.90,,\r\n";
    }
    out += "$$Z PO\r\n";
    for (int point = 1; point <= 200; ++point) {
        out += "-9999.90,-9999.90," + std::to_string(point) + "\r\n";
    }
    return out + "$$Z SO\r\n";
}

// The dialogs answered from queues; an empty queue cancels.
class AnsweredFrame : public SectionFrame {
public:
    AnsweredFrame(const fs::path& installFolder, rave::MessageSink& messages)
        : SectionFrame(installFolder, &messages) {}

    std::deque<fs::path> openAnswers;
    std::deque<fs::path> saveAsAnswers;
    std::deque<fs::path> dxfAnswers;
    QStringList dxfProposals;
    std::deque<fs::path> pageAnswers;
    QStringList pageProposals;
    std::deque<UnsavedChoice> unsavedAnswers;
    bool replace = false;
    QStringList replaceQuestions;
    QStringList proposedNames;
    int unsavedQuestions = 0;
    // What the window does with a drop event (the application hands it over only during a drag).
    void Drop(QDropEvent& event) { dropEvent(&event); }
    int printQuestions = 0;
    int previews = 0;
    QString previewFile;
    QSizeF chosenPaperMm;

protected:
    std::optional<fs::path> ChooseFileToOpen(const QString&) override { return Next(openAnswers); }
    std::optional<fs::path> ChooseFileToSaveAs(const QString& proposed) override {
        proposedNames.append(proposed);
        return Next(saveAsAnswers);
    }
    std::optional<fs::path> ChooseFileToExportDxf(const QString& proposed) override {
        dxfProposals.append(proposed);
        return Next(dxfAnswers);
    }
    std::optional<fs::path> ChooseFileToExportPages(const QString& proposed) override {
        pageProposals.append(proposed);
        return Next(pageAnswers);
    }
    bool AskToReplaceFile(const QString& fileName) override {
        replaceQuestions.append(fileName);
        return replace;
    }
    UnsavedChoice AskAboutUnsavedChanges() override {
        ++unsavedQuestions;
        if (unsavedAnswers.empty()) {
            return UnsavedChoice::kCancel;
        }
        const UnsavedChoice answer = unsavedAnswers.front();
        unsavedAnswers.pop_front();
        return answer;
    }
    void ShowPrintPreview(QPrintPreviewDialog& preview) override {
        // Showing the preview makes it ask for its pages.
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(previewFile);
        Q_EMIT preview.paintRequested(&pdf);
        ++previews;
    }
    bool ChoosePrinter(QPrinter& printer, int) override {
        ++printQuestions;
        chosenPaperMm = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
        return false;
    }

private:
    static std::optional<fs::path> Next(std::deque<fs::path>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        fs::path answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

std::string ShownText(const rave::RecordingMessageSink& sink) {
    std::string all;
    for (const rave::Message& m : sink.shown) {
        all += std::to_string(m.id) + " " + rave::platform::Cp932ToUtf8(m.text) + " " + m.argument + "\n";
    }
    return all;
}

class SectionFrameTest : public ::testing::Test {
protected:
    SectionFrameTest() {
        rave::platform::testing::TestApplication();
        rave::testing::KeepSettingsIn(temp.path() / "settings");
        std::string error;
        installFolder = temp.path() / "install";
        EXPECT_TRUE(
            rave::platform::CreateInstallFolder(installFolder, fs::path(RAVE_SOURCE_DIR) / "data", error))
            << error;
        ResetCurrentSection();
        frame = std::make_unique<AnsweredFrame>(installFolder, messages);
        startMessages = messages.shown;
        messages.shown.clear();
    }

    void PressKey(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(frame->View(), &press);
    }
    fs::path OpenPaged(const std::string& settingsLine = "100,100,10,-20,1,-2,50,5,5.00,30,0,,0") {
        const fs::path file = temp.Write("paged.sqw", PagedSection(settingsLine));
        EXPECT_TRUE(frame->OpenThroughFramework(file));
        return file;
    }
    double ShownLeft() { return frame->Position().shownLeftEnd; }
    double ShownTop() { return frame->Position().shownTop; }
    bool Enabled(int id) const { return frame->Action(id)->isEnabled(); }

    TempFolder temp;
    fs::path installFolder;
    rave::RecordingMessageSink messages;
    std::unique_ptr<AnsweredFrame> frame;
    std::vector<rave::Message> startMessages;
};

TEST_F(SectionFrameTest, MissingSettingsFilesAreNamedOnceAndWrittenWithTheDefaults) {
    // A new install folder holds the settings and font files: the first start is quiet.
    EXPECT_TRUE(startMessages.empty()) << startMessages.front().argument;
    EXPECT_EQ(frame->Sysq().Int(sysqline::kFlagAngle), 30);
    frame.reset();
    // Without them: string 4010 names "Sysq.ndx" and "Fntq1.ndx", files with the defaults are
    // written, so the next start is quiet again.
    fs::remove(installFolder / "Sysq.ndx");
    for (int n = 1; n <= 7; ++n) {
        fs::remove(installFolder / ("Fntq" + std::to_string(n) + ".ndx"));
    }
    AnsweredFrame first(installFolder, messages);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown.front().id, 4010);
    EXPECT_EQ(messages.shown.front().argument, (installFolder / "Sysq.ndx").string());
    EXPECT_EQ(messages.shown.back().argument, (installFolder / "Fntq1.ndx").string());
    EXPECT_EQ(TempFolder::Read(installFolder / "Sysq.ndx").substr(0, 5), "500\r\n");
    EXPECT_TRUE(fs::exists(installFolder / "Fntq7.ndx"));
    messages.shown.clear();
    AnsweredFrame second(installFolder, messages);
    EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);
}

TEST_F(SectionFrameTest, SaveAsAndReopenKeepTheSectionByteForByte) {
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("無題[*] - スウェーデン断面図 V5"));
    ASSERT_TRUE(frame->OpenThroughFramework(ExampleSection()));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("example-section.sqw[*] - スウェーデン断面図 V5"));
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_EQ(frame->Document().LastUsedSlot(), 7);  // 6 logs, the boundary and the closing column

    // The opened file is read through the working files and written back unchanged.
    const fs::path copy = temp.path() / "out" / "copy";
    fs::create_directories(copy.parent_path());
    frame->saveAsAnswers.push_back(copy);
    ASSERT_TRUE(frame->SaveAs());
    const fs::path written = copy.string() + ".sqw";  // a name without an extension gets ".sqw"
    EXPECT_EQ(TempFolder::Read(written), TempFolder::Read(ExampleSection()));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("copy.sqw[*] - スウェーデン断面図 V5"));
    ASSERT_FALSE(frame->RecentFiles().isEmpty());
    EXPECT_EQ(frame->RecentFiles().first(),
              QDir::fromNativeSeparators(QString::fromStdString(written.string())));
    EXPECT_EQ(rave::platform::ReadRecentFiles(QStringLiteral("Ravesect")), frame->RecentFiles());

    // Opened again from the menu: the same section, its folder remembered in "FileQo.ndx".
    frame->NewDocument();
    EXPECT_EQ(frame->Document().LastUsedSlot(), -1);
    frame->openAnswers.push_back(written);
    frame->OpenFromMenu();
    EXPECT_EQ(frame->Document().LastUsedSlot(), 7);
    EXPECT_EQ(frame->Document().settings.distanceScale, 200);
    EXPECT_EQ(TempFolder::Read(installFolder / "FileQo.ndx").substr(0, written.parent_path().string().size()),
              written.parent_path().string());
    EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);
}

TEST_F(SectionFrameTest, SaveOfAnOldOrUntitledNameAsksForANewOne) {
    // New names the document "無題" (no extension): Save turns into Save As.
    frame->NewDocument();
    frame->saveAsAnswers.push_back(temp.path() / "first.sqw");
    ASSERT_TRUE(frame->Save());
    ASSERT_EQ(frame->proposedNames.size(), 1);
    EXPECT_EQ(frame->proposedNames.first(), QStringLiteral("無題"));
    // Never placed, the section is still saved as a complete file.
    const std::string saved = TempFolder::Read(temp.path() / "first.sqw");
    EXPECT_EQ(saved.substr(0, 15), "$$_QSVERAN700\r\n");
    EXPECT_NE(saved.find("$$Z END\r\n$$Z HY\r\n"), std::string::npos);
    EXPECT_NE(saved.find("$$Z SO\r\n"), std::string::npos);

    // A section of the earlier version is proposed under the same name with ".sqw".
    const fs::path old = temp.Write("old.jqw", TempFolder::Read(ExampleSection()));
    ASSERT_TRUE(frame->OpenThroughFramework(old));
    EXPECT_FALSE(frame->Save());  // the question is cancelled
    ASSERT_EQ(frame->proposedNames.size(), 2);
    EXPECT_EQ(frame->proposedNames.last(), QString::fromStdString((temp.path() / "old.sqw").string()));
}

TEST_F(SectionFrameTest, FailedSaveReportsAndKeepsTheDocumentModified) {
    OpenPaged();
    frame->MoveFigure(FigureMove::kLeft);
    ASSERT_TRUE(frame->Document().modified);
    const fs::path blocker = temp.Write("blocker", "not a folder");
    frame->saveAsAnswers.push_back(blocker / "a.sqw");
    EXPECT_FALSE(frame->SaveAs());
    EXPECT_TRUE(messages.Saw(4005));
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_EQ(TempFolder::Read(blocker), "not a folder");
}

TEST_F(SectionFrameTest, PagingAcrossAndScrollingDown) {
    OpenPaged();
    EXPECT_EQ(ShownLeft(), -2.0);
    EXPECT_EQ(ShownTop(), 5.0);
    EXPECT_TRUE(Enabled(command_id::kNextPage));  // 60 + 1 >= -2 + 50

    // Pages start at -2, 43 (distance per page 50 less 5 overlap); 43 is the last one.
    PressKey(Qt::Key_Right);
    EXPECT_EQ(ShownLeft(), 43.0);
    EXPECT_FALSE(Enabled(command_id::kNextPage));  // 60 + 1 >= 43 + 50 does not hold
    frame->Action(command_id::kNextPage)->trigger();
    EXPECT_EQ(ShownLeft(), 43.0);
    EXPECT_EQ(frame->PrintedPages(), (std::vector<int>{1, 2}));

    PressKey(Qt::Key_Left);
    EXPECT_EQ(ShownLeft(), -2.0);
    PressKey(Qt::Key_Left);  // never before the left-end setting
    EXPECT_EQ(ShownLeft(), -2.0);

    // Down 20 m at a time while minus the shown top is below top elevation + 20; up 10 m, never
    // above the setting.
    PressKey(Qt::Key_PageDown);
    EXPECT_EQ(ShownTop(), -15.0);
    PressKey(Qt::Key_Down);
    EXPECT_EQ(ShownTop(), -35.0);
    PressKey(Qt::Key_Down);  // 35 < 25 does not hold
    EXPECT_EQ(ShownTop(), -35.0);
    PressKey(Qt::Key_Up);
    EXPECT_EQ(ShownTop(), -25.0);
    for (int i = 0; i < 5; ++i) {
        PressKey(Qt::Key_PageUp);
    }
    EXPECT_EQ(ShownTop(), 5.0);

    // Paging changes only what is shown.
    EXPECT_FALSE(frame->Document().modified);
    // An edit on the second page keeps it in view; a dialog that moved the page's own settings
    // shows their page.
    PressKey(Qt::Key_Right);
    frame->SettingsOrColumnsRewritten();
    EXPECT_EQ(ShownLeft(), 43.0);
    temp.Write(installFolder / "Tmp0.tmp", "100,100,10,-20,1,-10,50,5,5.00,30,0,,0\r\n");
    frame->SettingsOrColumnsRewritten();
    EXPECT_EQ(ShownLeft(), -10.0);
    // While a page is being printed the keys do nothing.
    frame->Position().printing = true;
    PressKey(Qt::Key_Right);
    EXPECT_EQ(ShownLeft(), -10.0);
    frame->Position().printing = false;
}

TEST_F(SectionFrameTest, FigureMovesChangeTheSettingsOrRefuse) {
    struct Case {
        const char* settingsLine;
        int command;
        int leftEnd;
        double topElevation;
        bool refused;
    };
    // Ruler 10 .. -20, columns 0 .. 60 m, pages 50 m wide and 30 m deep.
    const Case cases[] = {
        {"100,100,10,-20,1,-2,50,5,5.00,30,0,,0", command_id::kFigureLeft, 2, 5.0, false},
        {"100,100,10,-20,1,-2,50,5,5.00,30,0,,0", command_id::kFigureRight, -6, 5.0, false},
        {"100,100,10,-20,1,-2,50,5,5.00,30,0,,0", command_id::kFigureUp, -2, 1.0, false},
        {"100,100,10,-20,1,-2,50,5,5.00,30,0,,0", command_id::kFigureDown, -2, 9.0, false},
        // Left end 55 >= last column 60 - 5.
        {"100,100,10,-20,1,55,50,5,5.00,30,0,,0", command_id::kFigureLeft, 55, 5.0, true},
        // First column 0 + 5 >= -46 + 50.
        {"100,100,10,-20,1,-46,50,5,5.00,30,0,,0", command_id::kFigureRight, -46, 5.0, true},
        // Top 5 is not above ruler bottom 0 + 5.
        {"100,100,10,0,1,-2,50,5,5.00,30,0,,0", command_id::kFigureUp, -2, 5.0, true},
        // Ruler top 10 - 5 is not above 40 - 30.
        {"100,100,10,-20,1,-2,50,5,40.00,30,0,,0", command_id::kFigureDown, -2, 40.0, true},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        OpenPaged(c.settingsLine);
        frame->Action(c.command)->trigger();
        const SectionSettings& settings = frame->Document().settings;
        EXPECT_EQ(settings.leftEnd, c.leftEnd) << c.settingsLine << " " << c.command;
        EXPECT_DOUBLE_EQ(settings.topElevation, c.topElevation) << c.settingsLine << " " << c.command;
        EXPECT_EQ(messages.Saw(4031), c.refused) << c.settingsLine << " " << c.command;
        EXPECT_EQ(frame->isWindowModified(), !c.refused);
        if (!c.refused) {
            // The moved settings are in "Tmp0.tmp" and the view shows their page.
            EXPECT_EQ(TempFolder::Read(installFolder / "Tmp0.tmp"), FormatSettingsLine(settings) + "\r\n");
            EXPECT_EQ(ShownLeft(), settings.leftEnd);
            EXPECT_EQ(ShownTop(), settings.topElevation);
        }
    }
}

TEST_F(SectionFrameTest, UnsavedChangesAreAskedAboutBeforeTheyAreDropped) {
    const fs::path file = OpenPaged();
    frame->MoveFigure(FigureMove::kLeft);
    const std::string moved = TempFolder::Read(installFolder / "Tmp0.tmp");

    // Cancel: New does nothing.
    frame->NewDocument();
    EXPECT_EQ(frame->unsavedQuestions, 1);
    EXPECT_EQ(TempFolder::Read(installFolder / "Tmp0.tmp"), moved);
    EXPECT_EQ(frame->Document().LastUsedSlot(), 2);

    // Closing the window asks too; cancelled, it stays open.
    frame->show();
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(frame->unsavedQuestions, 2);

    // Save: the file is written before the section is replaced.
    frame->unsavedAnswers.push_back(UnsavedChoice::kSave);
    frame->NewDocument();
    EXPECT_NE(TempFolder::Read(file).find("100,100,10,-20,1,2,50,5,5.00,30,0,,0"), std::string::npos);
    EXPECT_EQ(frame->Document().LastUsedSlot(), -1);
    EXPECT_FALSE(fs::exists(installFolder / "Tmp1.tmp"));
    // New keeps the settings.
    EXPECT_EQ(frame->Document().settings.leftEnd, 2);

    // Discard: nothing is written.
    OpenPaged();
    frame->MoveFigure(FigureMove::kUp);
    frame->unsavedAnswers.push_back(UnsavedChoice::kDiscard);
    frame->NewDocument();
    EXPECT_EQ(frame->unsavedQuestions, 4);
    EXPECT_EQ(TempFolder::Read(file), PagedSection());
    EXPECT_TRUE(frame->close());
}

TEST_F(SectionFrameTest, DroppedFilesOpenThroughTheDocumentPath) {
    const fs::path file = temp.Write("dropped.sqw", TempFolder::Read(ExampleSection()));
    QMimeData mime;
    mime.setUrls({QUrl(QStringLiteral("https://example.com/a.sqw")),
                  QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    frame->Drop(drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("dropped.sqw[*] - スウェーデン断面図 V5"));
    EXPECT_EQ(frame->Document().LastUsedSlot(), 7);

    // With unsaved changes the question comes first; cancelled, the section stays.
    OpenPaged();  // through the framework: no question
    frame->MoveFigure(FigureMove::kLeft);
    EXPECT_TRUE(frame->OpenDroppedFiles({QUrl::fromLocalFile(QString::fromStdString(file.string()))}));
    EXPECT_EQ(frame->unsavedQuestions, 1);
    EXPECT_EQ(frame->Document().LastUsedSlot(), 2);
    // Nothing local: nothing taken.
    EXPECT_FALSE(frame->OpenDroppedFiles({QUrl(QStringLiteral("https://example.com/a.sqw"))}));
    // A file that cannot be read: named in string 4010, the window stays as it was.
    frame->unsavedAnswers.push_back(UnsavedChoice::kDiscard);
    EXPECT_TRUE(frame->OpenDroppedFiles({QUrl::fromLocalFile(QStringLiteral("/nonexistent/x.sqw"))}));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("paged.sqw[*] - スウェーデン断面図 V5"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].id, 4010);
    EXPECT_EQ(messages.shown[0].argument, "/nonexistent/x.sqw");
    EXPECT_EQ(frame->Document().LastUsedSlot(), 2);
}

TEST_F(SectionFrameTest, InstallRecoveryAndDocumentFoldersUnderAJapaneseUserName) {
    const fs::path user = temp.path() / u8"山田";
    std::string error;
    ASSERT_TRUE(
        rave::platform::CreateInstallFolder(user / "Sver5", fs::path(RAVE_SOURCE_DIR) / "data", error));
    fs::copy_file(ExampleSection(), user / u8"断面.sqw");
    AnsweredFrame window(user / "Sver5", messages);
    rave::platform::RecoverySession session("Ravesect", ".sqw", user / "recovery");
    ASSERT_EQ(TakeWorkingFiles(window, session, WorkingFilesLockPath(user / "Sver5")),
              WorkingFilesAccess::kOwn);
    window.AttachRecovery(&session);
    ASSERT_TRUE(window.OpenThroughFramework(user / u8"断面.sqw"));
    window.MoveFigure(FigureMove::kLeft);
    EXPECT_TRUE(session.WriteNow() && !fs::is_empty(user / "recovery"));
    EXPECT_TRUE(window.Save() && window.MoveInstallFolder(installFolder));  // セットアップ's move locks too
}

TEST_F(SectionFrameTest, WindowAndScrollAreaFollowTheScreen) {
    // The offscreen screen is 800 x 800 pixels: the window opens 86 % wide (688) and 80 % high
    // (640); the view is a square of 500 mm at 96 dpi (1889 pixels), scrolled a quarter (472)
    // per page and a sixteenth (118) per line.
    if (QGuiApplication::primaryScreen()->size() != QSize(800, 800)) {
        GTEST_SKIP() << "the figures are those of the offscreen platform's screen";
    }
    EXPECT_EQ(frame->size(), QSize(688, 640));
    EXPECT_EQ(frame->View()->size(), QSize(1889, 1889));
    auto* area = qobject_cast<QScrollArea*>(frame->centralWidget());
    ASSERT_NE(area, nullptr);
    frame->show();
    QApplication::processEvents();
    EXPECT_EQ(area->verticalScrollBar()->pageStep(), 472);
    EXPECT_EQ(area->verticalScrollBar()->singleStep(), 118);
    EXPECT_EQ(area->horizontalScrollBar()->pageStep(), 472);
    EXPECT_EQ(frame->findChild<QLabel*>(QStringLiteral("idleText"))->text(),
              QStringLiteral("矢印←→キーで改ページ"));
}

TEST_F(SectionFrameTest, PrintingDrawsEveryPageWithoutEditingMarkers) {
    OpenPaged();
    int markerCalls = 0;
    frame->View()->SetEditMarkers([&](rave::DrawingSurface&, const SectionMapping&) { ++markerCalls; });
    frame->View()->grab();
    EXPECT_EQ(markerCalls, 1);  // the screen shows them

    const fs::path pdf = temp.path() / "printed.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    frame->PrintPagesOn(printer, frame->PrintedPages());
    EXPECT_EQ(markerCalls, 1);  // the paper never does
    EXPECT_FALSE(frame->Position().printing);
    const QString bytes = QString::fromLatin1(TempFolder::Read(pdf));
    EXPECT_EQ(bytes.count(QRegularExpression(QStringLiteral("/Type /Page\\b"))), 2);

    // Print: the printer gets the section's paper (A4 landscape without a printer); cancelled,
    // nothing is drawn.
    frame->Print();
    ASSERT_EQ(frame->printQuestions, 1);
    if (!rave::platform::DefaultPrinterPage()) {
        EXPECT_NEAR(frame->chosenPaperMm.width(), 297.0, 0.5);
        EXPECT_NEAR(frame->chosenPaperMm.height(), 210.0, 0.5);
    }
    EXPECT_EQ(markerCalls, 1);

    // The preview draws the same pages.
    frame->previewFile = QString::fromStdString((temp.path() / "preview.pdf").string());
    frame->PrintPreview();
    ASSERT_EQ(frame->previews, 1);
    EXPECT_EQ(QString::fromLatin1(TempFolder::Read(temp.path() / "preview.pdf"))
                  .count(QRegularExpression(QStringLiteral("/Type /Page\\b"))),
              2);
    EXPECT_EQ(markerCalls, 1);
    EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);
}

TEST_F(SectionFrameTest, MouseHooksReceiveWorldCoordinates) {
    OpenPaged();
    SectionView* view = frame->View();
    ASSERT_EQ(view->logicalDpiX(), 96);
    std::vector<SectionMouse> pressed;
    std::vector<SectionMouse> released;
    view->SetMouseHandlers([&](const SectionMouse& m) { pressed.push_back(m); }, {},
                           [&](const SectionMouse& m) { released.push_back(m); });
    // 96 dpi: 3.7795 px per mm; the left margin 10 mm is 37.8 px; 1/100 puts 0.1 m on 1 mm; the
    // page's left end -2 m. Pixel 416: (416 - 37.795) / 3.7795 - 20 = 80.07 (8.007 m).
    // Top margin 10 mm; 1/100 puts 1 m on 10 mm; top elevation 5: pixel 227 gives
    // (227 - 37.795) / 37.795 - 5 = 0.006 (elevation -0.006 m).
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(416, 227));
    ASSERT_EQ(pressed.size(), 1u);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_NEAR(pressed[0].world.x(), 80.07, 0.01);
    EXPECT_NEAR(pressed[0].world.y(), 0.006, 0.001);
    EXPECT_EQ(pressed[0].button, Qt::LeftButton);
    EXPECT_EQ(pressed[0].device + pressed[0].scroll, QPoint(416, 227));

    // A mapping whose scale is not above 0.001 gives 0.
    SectionMapping flat = view->ScreenMapping();
    flat.scaleX = 0.001;
    EXPECT_EQ(flat.SurfaceToWorld(416, 227).x, 0.0);
    EXPECT_NEAR(flat.SurfaceToWorld(416, 227).y, 0.006, 0.001);
}

TEST_F(SectionFrameTest, ViewPaintsTheColumnsFromMemoryUntilTheyAreWrittenAgain) {
    OpenPaged();
    frame->View()->grab();
    ASSERT_TRUE(frame->Extent().hasColumns);
    EXPECT_EQ(frame->Extent().lastDistance, 60.0);

    const auto exportDxf = [this](const std::string& name) {
        frame->dxfAnswers.push_back(temp.path() / name);
        frame->Action(command_id::kExportDxf)->trigger();
        return TempFolder::Read(temp.path() / (name + "-1.dxf"));
    };
    const std::string printedBefore = exportDxf("before");
    ASSERT_NE(printedBefore.find("ENTITIES"), std::string::npos);

    // Another program's change to the column file, or its loss, reaches no paint and no printed
    // page by itself.
    const fs::path columns = frame->Files().columns;
    fs::remove(columns);
    frame->View()->grab();
    EXPECT_TRUE(frame->Extent().hasColumns);
    EXPECT_EQ(frame->Extent().lastDistance, 60.0);
    EXPECT_TRUE(exportDxf("after") == printedBefore) << "a printed page lost the columns";

    // A write the program makes is taken up.
    std::string wider = PagedSection();
    wider.replace(wider.find("60.00"), 5, "90.00");
    std::ofstream(columns, std::ios::binary) << wider.substr(0, wider.find("$$Z HY"));
    frame->SettingsOrColumnsRewritten();
    frame->View()->grab();
    EXPECT_EQ(frame->Extent().lastDistance, 90.0);
    EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);
}

// DXF出力: every printed page becomes a DXF file named after the chosen one, code page 932.
TEST_F(SectionFrameTest, DxfExportWritesOneFilePerPrintedPage) {
    ASSERT_TRUE(frame->OpenThroughFramework(ExampleSection()));
    frame->dxfAnswers.push_back(temp.path() / "cad" / "sheet");
    fs::create_directories(temp.path() / "cad");
    frame->Action(command_id::kExportDxf)->trigger();
    ASSERT_EQ(frame->dxfProposals.size(), 1);
    EXPECT_TRUE(frame->dxfProposals.front().endsWith(QStringLiteral(".dxf")));
    ASSERT_TRUE(fs::exists(temp.path() / "cad" / "sheet-1.dxf"))
        << (messages.shown.empty() ? "" : messages.shown.back().text);
    EXPECT_TRUE(fs::exists(temp.path() / "cad" / "sheet-2.dxf"));
    std::ifstream in(temp.path() / "cad" / "sheet-1.dxf", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(bytes.find("ANSI_932"), std::string::npos);
    EXPECT_NE(bytes.find("ENTITIES"), std::string::npos);

    // A folder that cannot be written is reported, and nothing is left behind.
    frame->dxfAnswers.push_back(temp.path() / "missing" / "sheet.dxf");
    messages.shown.clear();
    frame->Action(command_id::kExportDxf)->trigger();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(fs::exists(temp.path() / "missing"));
}

// An empty, random or foreign file is refused with a message naming it: the section on screen,
// its name and its working files stay, so Save writes the section back to its own file.
TEST_F(SectionFrameTest, FilesThatAreNoSectionsAreRefused) {
    const fs::path mine = OpenPaged();
    const std::string columns = TempFolder::Read(installFolder / "Tmp1.tmp");
    std::string random(4096, '\0');
    unsigned state = 5;
    for (char& c : random) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    const fs::path files[] = {temp.Write("empty.sqw", ""), temp.Write("random.sqw", random),
                              temp.Write("log.sqw", TempFolder::Read(fs::path(RAVE_SOURCE_DIR) / "examples" /
                                                                     "example-short.sdw"))};
    for (const fs::path& file : files) {
        const std::string before = TempFolder::Read(file);
        messages.shown.clear();
        frame->openAnswers.push_back(file);
        frame->Action(command_id::kOpen)->trigger();
        EXPECT_FALSE(frame->OpenThroughFramework(file));
        ASSERT_EQ(messages.shown.size(), 2u) << file;
        EXPECT_EQ(messages.shown[0].argument, file.string());
        EXPECT_NE(rave::platform::Cp932ToUtf8(messages.shown[0].text).find("断面図"), std::string::npos);
        EXPECT_EQ(frame->windowTitle(), QStringLiteral("paged.sqw[*] - スウェーデン断面図 V5"));
        EXPECT_EQ(frame->Document().LastUsedSlot(), 2);
        EXPECT_EQ(TempFolder::Read(installFolder / "Tmp1.tmp"), columns);
        EXPECT_EQ(TempFolder::Read(file), before);
    }
    EXPECT_TRUE(frame->Save());
    EXPECT_EQ(TempFolder::Read(mine), PagedSection());
}

int PdfPages(const fs::path& file) {
    const std::string bytes = TempFolder::Read(file);
    int pages = 0;
    for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos;
         at = bytes.find("/Type /Page", at + 1)) {
        pages += bytes.compare(at, 12, "/Type /Pages") != 0;
    }
    return pages;
}

// PDF出力 writes the pages the print preview shows: as many pages, on the same paper.
TEST_F(SectionFrameTest, PageExportWritesWhatThePreviewShows) {
    ASSERT_TRUE(frame->OpenThroughFramework(ExampleSection()));
    frame->previewFile = QString::fromStdString((temp.path() / "preview.pdf").string());
    frame->Action(command_id::kPrintPreview)->trigger();
    const int previewPages = PdfPages(temp.path() / "preview.pdf");
    ASSERT_GE(previewPages, 2);
    messages.shown.clear();
    frame->pageAnswers = {temp.path() / "section.pdf", temp.path() / "section.png"};
    frame->Action(command_id::kExportPages)->trigger();
    frame->Action(command_id::kExportPages)->trigger();
    ASSERT_EQ(frame->pageProposals.size(), 2);
    EXPECT_TRUE(frame->pageProposals.front().endsWith(QStringLiteral("example-section.pdf")));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_EQ(PdfPages(temp.path() / "section.pdf"), previewPages);
    for (int page = 1; page <= previewPages; ++page) {
        const QImage image(
            QString::fromStdString((temp.path() / ("section-" + std::to_string(page) + ".png")).string()));
        ASSERT_FALSE(image.isNull()) << page;
        // The preview's paper: landscape when no printer says otherwise.
        EXPECT_GT(image.width(), image.height());
    }
}

TEST_F(SectionFrameTest, SaveAsAsksAboutTheFileTheExtensionLeadsTo) {
    ASSERT_TRUE(frame->OpenThroughFramework(ExampleSection()));
    const fs::path existing = temp.Write("b.sqw", "keep");
    // No shows the dialog again; cancelling it leaves the file alone. Yes writes it.
    frame->saveAsAnswers = {temp.path() / "b", temp.path() / "b."};
    EXPECT_FALSE(frame->SaveAs());
    EXPECT_EQ(frame->replaceQuestions, (QStringList{QStringLiteral("b.sqw"), QStringLiteral("b.sqw")}));
    EXPECT_EQ(TempFolder::Read(existing), "keep");
    frame->replace = true;
    frame->saveAsAnswers = {temp.path() / "b"};
    EXPECT_TRUE(frame->SaveAs());
    EXPECT_NE(TempFolder::Read(existing), "keep");
}

}  // namespace

}  // namespace ravesect::app
