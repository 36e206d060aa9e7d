// Ravelog's main window over the core: opening a file as the command line does, the caption, the
// paging keys and commands within the sheet's pages, the format commands' check marks, the
// question about unsaved changes, Save turning into Save As, and printing leaving the view on
// the last printed page. The dialogs are answered by the test; settings go to a temporary folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPrinter>
#include <QScrollBar>
#include <QSettings>
#include <QUrl>
#include <deque>
#include <fstream>

#include "platform/codec.h"
#include "platform/install_folder.h"
#include "platform/printer_paper.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/ravelog_view.h"
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/report/page_count.h"
#include "settings_sandbox.h"
#include "temp_folder.h"

namespace ravelog::app {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

QApplication& TestApplication() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

fs::path Example(const char* name) {
    return fs::path(RAVE_SOURCE_DIR) / "examples" / name;
}

// The dialogs answered from queues; an empty queue cancels.
class AnsweredFrame : public MainFrame {
public:
    AnsweredFrame(const fs::path& installFolder, rave::MessageSink& messages)
        : MainFrame(installFolder, &messages) {}

    std::deque<fs::path> openAnswers;
    std::deque<fs::path> saveAsAnswers;
    std::deque<fs::path> dxfAnswers;
    QStringList dxfProposals;
    std::deque<fs::path> pageAnswers;
    QStringList pageProposals;
    std::deque<UnsavedChoice> unsavedAnswers;
    int unsavedQuestions = 0;
    int saveAsQuestions = 0;

protected:
    std::optional<fs::path> ChooseFileToOpen(const QString&) override { return Next(openAnswers); }
    std::optional<fs::path> ChooseFileToSaveAs(const QString&) override {
        ++saveAsQuestions;
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
    UnsavedChoice AskAboutUnsavedChanges() override {
        ++unsavedQuestions;
        if (unsavedAnswers.empty()) {
            return UnsavedChoice::kCancel;
        }
        const UnsavedChoice answer = unsavedAnswers.front();
        unsavedAnswers.pop_front();
        return answer;
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

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() {
        TestApplication();
        rave::testing::KeepSettingsIn(temp.path() / "settings");
        std::string error;
        installFolder = temp.path() / "install";
        EXPECT_TRUE(
            rave::platform::CreateInstallFolder(installFolder, fs::path(RAVE_SOURCE_DIR) / "data", error))
            << error;
        ResetCurrentSounding();
        frame = std::make_unique<AnsweredFrame>(installFolder, messages);
    }

    void PressKey(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(frame->View(), &press);
    }
    int Page() const { return frame->ViewState().currentPage; }
    int Pages() const { return CountReportPages(CurrentSounding()); }

    TempFolder temp;
    fs::path installFolder;
    rave::RecordingMessageSink messages;
    std::unique_ptr<AnsweredFrame> frame;
};

TEST_F(MainFrameTest, FileFromTheCommandLineNamesTheWindow) {
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("無題[*] - スウェーデン Ravelog"));
    ASSERT_TRUE(frame->OpenThroughFramework(Example("example-short.sdw")));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("example-short.sdw[*] - スウェーデン Ravelog"));
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_GT(CurrentSounding().RowCount(), 0);
    ASSERT_FALSE(frame->RecentFiles().isEmpty());
    EXPECT_TRUE(frame->RecentFiles().first().endsWith(QStringLiteral("example-short.sdw")));
    // The list is kept in the settings, so the next start shows it.
    EXPECT_EQ(rave::platform::ReadRecentFiles(QStringLiteral("Ravelog")), frame->RecentFiles());
}

TEST_F(MainFrameTest, RefusedFileLeavesTheDocumentAndCaption) {
    ASSERT_TRUE(frame->OpenThroughFramework(Example("example-short.sdw")));
    const int rows = CurrentSounding().RowCount();
    EXPECT_FALSE(frame->OpenThroughFramework(Example("example-import.csv")));
    EXPECT_TRUE(messages.Saw(4011));
    EXPECT_EQ(CurrentSounding().RowCount(), rows);
    EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("example-short.sdw")));
}

TEST_F(MainFrameTest, PagingKeysStayWithinTheSheet) {
    ASSERT_TRUE(frame->OpenThroughFramework(Example("example-long.sdw")));
    const int pages = Pages();
    ASSERT_GT(pages, 1);
    EXPECT_TRUE(frame->Action(command_id::kNextPage)->isEnabled());
    EXPECT_TRUE(frame->Action(command_id::kPreviousPage)->isEnabled());

    PressKey(Qt::Key_Up);
    PressKey(Qt::Key_PageUp);
    EXPECT_EQ(Page(), 1);
    PressKey(Qt::Key_Down);
    EXPECT_EQ(Page(), 2);
    for (int i = 0; i < pages + 2; ++i) {
        PressKey(Qt::Key_PageDown);
    }
    EXPECT_EQ(Page(), pages);
    PressKey(Qt::Key_PageUp);
    EXPECT_EQ(Page(), pages - 1);
    PressKey(Qt::Key_Left);
    EXPECT_EQ(Page(), pages - 1);

    frame->Action(command_id::kNextPage)->trigger();
    frame->Action(command_id::kNextPage)->trigger();
    EXPECT_EQ(Page(), pages);
    for (int i = 0; i < pages + 2; ++i) {
        frame->Action(command_id::kPreviousPage)->trigger();
    }
    EXPECT_EQ(Page(), 1);
}

TEST_F(MainFrameTest, OnePageSheetDisablesPaging) {
    EXPECT_EQ(Pages(), 1);
    EXPECT_FALSE(frame->Action(command_id::kNextPage)->isEnabled());
    EXPECT_FALSE(frame->Action(command_id::kPreviousPage)->isEnabled());
    PressKey(Qt::Key_Down);
    EXPECT_EQ(Page(), 1);
    if (!rave::platform::DefaultPrinterPage()) {
        EXPECT_EQ(frame->Paper(), kNoPrinterPaper);
    }
}

TEST_F(MainFrameTest, FormatCommandsCheckTheCurrentFormat) {
    ASSERT_TRUE(frame->OpenThroughFramework(Example("example-short.sdw")));
    const int formatOnOpen = ReportFormatOf(CurrentSounding());
    EXPECT_TRUE(frame->Action(command_id::kFormat1 + formatOnOpen)->isChecked());

    for (int format : {2, 0, 1}) {
        frame->Action(command_id::kToolFormat1 + format)->trigger();
        for (int other = 0; other < 3; ++other) {
            EXPECT_EQ(frame->Action(command_id::kFormat1 + other)->isChecked(), other == format)
                << "format " << format << ", action " << other;
        }
        EXPECT_EQ(CurrentSounding().header[31], std::to_string(format));
    }
    frame->Action(command_id::kFormat3)->trigger();
    EXPECT_EQ(frame->ViewState().reportFormat, 2);
    // The format is kept in the file, so choosing another one is a change to keep.
    EXPECT_TRUE(frame->isWindowModified());
}

TEST_F(MainFrameTest, UnsavedChangesAreAskedAbout) {
    const fs::path copy = temp.path() / "copy.sdw";
    fs::copy_file(Example("example-short.sdw"), copy);
    ASSERT_TRUE(frame->OpenThroughFramework(copy));
    frame->NewDocument();
    EXPECT_EQ(frame->unsavedQuestions, 0) << "nothing changed, nothing asked";

    ASSERT_TRUE(frame->OpenThroughFramework(copy));
    const int rows = CurrentSounding().RowCount();
    frame->SelectFormat((ReportFormatOf(CurrentSounding()) + 1) % 3);
    frame->unsavedAnswers = {UnsavedChoice::kCancel};
    frame->NewDocument();
    EXPECT_EQ(frame->unsavedQuestions, 1);
    EXPECT_EQ(CurrentSounding().RowCount(), rows);

    frame->unsavedAnswers = {UnsavedChoice::kCancel};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(CurrentSounding().RowCount(), rows);

    // Saving answers the question and writes the file in place without a dialog.
    const std::string before = TempFolder::Read(copy);
    frame->unsavedAnswers = {UnsavedChoice::kSave};
    frame->NewDocument();
    EXPECT_EQ(frame->saveAsQuestions, 0);
    EXPECT_NE(TempFolder::Read(copy), before);
    EXPECT_EQ(CurrentSounding().RowCount(), 0);
    EXPECT_TRUE(CurrentSounding().pathName.empty());
}

TEST_F(MainFrameTest, DroppedFileOpensAfterTheQuestion) {
    const auto drop = [this](const fs::path& file) {
        EXPECT_TRUE(frame->OpenDroppedFiles({QUrl(QStringLiteral("https://example.com/x.sdw")),
                                             QUrl::fromLocalFile(QString::fromStdString(file.string()))}));
    };
    EXPECT_FALSE(frame->OpenDroppedFiles({QUrl(QStringLiteral("https://example.com/x.sdw"))}));
    drop(Example("example-short.sdw"));
    EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("example-short.sdw")));

    frame->SelectFormat((ReportFormatOf(CurrentSounding()) + 1) % 3);
    frame->unsavedAnswers = {UnsavedChoice::kCancel};
    drop(Example("example-long.sdw"));
    EXPECT_EQ(frame->unsavedQuestions, 1);
    EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("example-short.sdw")));

    frame->unsavedAnswers = {UnsavedChoice::kDiscard};
    drop(Example("example-long.sdw"));
    EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("example-long.sdw")));
    EXPECT_FALSE(frame->isWindowModified());
}

TEST_F(MainFrameTest, ViewScrollsInItsOwnSteps) {
    frame->resize(700, 500);
    frame->show();
    QApplication::processEvents();
    auto* area = frame->findChild<ReportScrollArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->widget()->size(), kViewExtent);
    EXPECT_EQ(area->verticalScrollBar()->pageStep(), kViewPageStep.height());
    EXPECT_EQ(area->verticalScrollBar()->singleStep(), kViewLineStep.height());
    EXPECT_EQ(area->horizontalScrollBar()->pageStep(), kViewPageStep.width());
    EXPECT_EQ(area->horizontalScrollBar()->singleStep(), kViewLineStep.width());
    frame->hide();
}

TEST_F(MainFrameTest, OldFormatFileIsSavedUnderANewName) {
    const fs::path old = temp.path() / "s001.ddf";
    fs::copy_file(Example("s001.ddf"), old);
    ASSERT_TRUE(frame->OpenThroughFramework(old));
    const std::string oldBytes = TempFolder::Read(old);

    frame->saveAsAnswers = {temp.path() / "converted"};
    EXPECT_TRUE(frame->Save());
    EXPECT_EQ(frame->saveAsQuestions, 1);
    EXPECT_TRUE(fs::exists(temp.path() / "converted.sdw"));
    EXPECT_EQ(TempFolder::Read(old), oldBytes);
    EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("converted.sdw")));

    // A cancelled Save As saves nothing and says so to the caller.
    frame->saveAsAnswers.clear();
    EXPECT_FALSE(frame->SaveAs());
}

TEST_F(MainFrameTest, MenuOpenRemembersTheFolder) {
    fs::create_directories(temp.path() / "field");
    const fs::path copy = temp.path() / "field" / "site.sdw";
    fs::copy_file(Example("example-short.sdw"), copy);
    frame->openAnswers = {copy};
    frame->OpenFromMenu();
    EXPECT_EQ(CurrentSounding().pathName, copy.string());
    EXPECT_EQ(ReadLastFolderFile(installFolder).folder, (temp.path() / "field").string());
}

TEST_F(MainFrameTest, PrintingLeavesTheLastPrintedPage) {
    ASSERT_TRUE(frame->OpenThroughFramework(Example("example-long.sdw")));
    ASSERT_GE(Pages(), 2);
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const fs::path pdf = temp.path() / "printed.pdf";
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    frame->PrintPagesOn(printer, {1, 2});
    EXPECT_EQ(Page(), 2);
    EXPECT_FALSE(frame->ViewState().printing);
    EXPECT_GT(fs::file_size(pdf), 1000u);
}

// DXF出力: every printed page becomes a DXF file named after the chosen one, code page 932.
TEST_F(MainFrameTest, DxfExportWritesOneFilePerPrintedPage) {
    ASSERT_TRUE(frame->OpenThroughFramework(Example("example-long.sdw")));
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

// A file that only carries the sounding magic is refused: the window keeps its document and name,
// so Save can never write an empty sheet over the file.
TEST_F(MainFrameTest, GarbageSoundingIsRefusedAndSaveCannotOverwriteIt) {
    std::string random(4096, '\0');
    unsigned state = 1;
    for (char& c : random) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    const std::string garbage = "$$_SWJVERAN304\r\n" + random;
    const fs::path file = temp.Write("garbage.sdw", garbage);
    messages.shown.clear();
    EXPECT_FALSE(frame->OpenThroughFramework(file));
    frame->openAnswers.push_back(file);
    frame->Action(command_id::kOpen)->trigger();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].id, 4011);
    EXPECT_EQ(messages.shown[1].id, 4011);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("無題[*] - スウェーデン Ravelog"));
    EXPECT_TRUE(frame->RecentFiles().isEmpty());
    frame->Action(command_id::kSave)->trigger();
    EXPECT_EQ(frame->saveAsQuestions, 1);
    EXPECT_EQ(TempFolder::Read(file), garbage);
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

// PDF出力: every page the preview shows, as one PDF or as one picture per page of the type chosen.
TEST_F(MainFrameTest, PageExportWritesEveryPrintedPage) {
    ASSERT_TRUE(frame->OpenThroughFramework(Example("example-long.sdw")));
    ASSERT_GE(Pages(), 2);
    messages.shown.clear();
    frame->pageAnswers = {temp.path() / "sheet.pdf", temp.path() / "sheet.png", temp.path() / "sheet.svg"};
    for (int run = 0; run < 3; ++run) {
        frame->Action(command_id::kExportPages)->trigger();
    }
    ASSERT_EQ(frame->pageProposals.size(), 3);
    EXPECT_TRUE(frame->pageProposals.front().endsWith(QStringLiteral("example-long.pdf")));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_EQ(PdfPages(temp.path() / "sheet.pdf"), Pages());
    const QImage first(QString::fromStdString((temp.path() / "sheet-1.png").string()));
    // The printer's paper (A4 without a printer: 2480 x 3508) at 300 dpi, the command line's
    // resolution for pictures.
    EXPECT_NEAR(first.width(), frame->Paper().widthMm / 25.4 * 300, 2);
    EXPECT_NEAR(first.height(), frame->Paper().heightMm / 25.4 * 300, 2);
    const std::string lastName = "sheet-" + std::to_string(Pages());
    EXPECT_TRUE(fs::exists(temp.path() / (lastName + ".png")));
    EXPECT_NE(TempFolder::Read(temp.path() / (lastName + ".svg")).find("<svg"), std::string::npos);
    EXPECT_FALSE(fs::exists(temp.path() / ("sheet-" + std::to_string(Pages() + 1) + ".png")));

    // A folder that cannot be written is reported; nothing is left behind.
    frame->pageAnswers.push_back(temp.path() / "missing" / "sheet.pdf");
    frame->Action(command_id::kExportPages)->trigger();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(fs::exists(temp.path() / "missing"));
}

TEST_F(MainFrameTest, UndoResolvesItsRowsWithTheSoilTableInUse) {
    ASSERT_TRUE(frame->OpenThroughFramework(Example("example-short.sdw")));
    SoundingDocument& document = CurrentSounding();
    const std::string gravel = rave::platform::Utf8ToCp932("砂礫").value();
    int row = 1;
    while (row < document.RowCount() && document.Row(row)[field::kJacicSoilName] != gravel) {
        ++row;
    }
    // A step that edits the row, then the soil table loses its name (as the table dialog's OK).
    const SoundingDocument before = document;
    document.Row(row)[field::kRemarks] = "edited";
    frame->CommitDocumentEdit(QStringLiteral("x"), before);
    const auto resolved = [&] {
        const MeasuredRow& r = document.Row(row);
        return r[field::kResolvedPattern] + "|" + r[field::kResolverWork] + "|" + r[field::kResolvedName];
    };
    const std::string oldTable = resolved();
    std::string table = TempFolder::Read(installFolder / "WdtvxJG.mst");
    const std::size_t line = table.find("\n" + gravel + ",");
    table.erase(line + 1, table.find('\n', line + 1) - line);
    std::ofstream(installFolder / "WdtvxJG.mst", std::ios::binary) << table;
    frame->ReloadSettings();
    const std::string newTable = resolved();
    ASSERT_NE(newTable, oldTable);
    frame->Undo();
    EXPECT_EQ(resolved(), newTable);
}

}  // namespace
}  // namespace ravelog::app
