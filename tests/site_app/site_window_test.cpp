// The report window driven as a user drives it: soundings added, one placed on the plan by a
// click, fields typed, the findings drafted (the engineer's text replaced only after a yes),
// saved under another folder, opened again and written to a PDF; closing with changes asks;
// the file menu's command opens the window with the sounding in hand first.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <deque>

#include "apps/ravelog_site_window.h"
#include "common/messages.h"
#include "platform/install_folder.h"
#include "platform/recovery.h"
#include "ravelog/app/main_frame.h"
#include "settings_sandbox.h"
#include "site/app/site_fields_editor.h"
#include "site/app/site_plan_view.h"
#include "site/app/site_points_editor.h"
#include "site/app/site_report_command.h"
#include "site/app/site_report_window.h"
#include "temp_folder.h"
#include "tests/platform/qt_test_application.h"

namespace site::app {
namespace {

namespace fs = std::filesystem;
using rave::platform::UnsavedChoice;

int PdfPageCount(const fs::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    return static_cast<int>(
        QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type /Page\\b"))));
}

// Types `text` key by key, as the keyboard's input method hands it over (any character).
void Type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The window with its question answered by the test, and its printer a PDF file.
class TestWindow : public SiteReportWindow {
public:
    using SiteReportWindow::SiteReportWindow;
    std::deque<UnsavedChoice> unsavedAnswers;
    int unsavedAsked = 0;
    fs::path printedPdf;

protected:
    bool ChoosePrinter(QPrinter& printer, int) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printedPdf.string()));
        return !printedPdf.empty();
    }
    UnsavedChoice AskAboutUnsavedChanges() override {
        ++unsavedAsked;
        const UnsavedChoice answer = unsavedAnswers.empty() ? UnsavedChoice::kCancel : unsavedAnswers.front();
        if (!unsavedAnswers.empty()) {
            unsavedAnswers.pop_front();
        }
        return answer;
    }
};

class SiteWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        rave::platform::testing::TestApplication();
        rave::testing::KeepSettingsIn(temp_.path() / "settings");
        std::string error;
        ASSERT_TRUE(rave::platform::CreateInstallFolder(Install(), fs::path(RAVE_SOURCE_DIR) / "data", error))
            << error;
        for (const char* name : {"no1.sdw", "no2.sdw", "no3.sdw"}) {
            fs::create_directories(temp_.path() / "soundings");
            fs::copy_file(fs::path(RAVE_SOURCE_DIR) / "examples" / "site" / name,
                          temp_.path() / "soundings" / name);
        }
    }
    fs::path Install() const { return temp_.path() / "install"; }
    fs::path Sounding(const char* name) const { return temp_.path() / "soundings" / name; }
    SiteWindowServices Services() const { return {{}, {}, temp_.path() / "recovery"}; }

    rave::testing::TempFolder temp_;
    rave::RecordingMessageSink messages_;
};

TEST_F(SiteWindowTest, PointsPlacedDraftedSavedReopenedAndPrinted) {
    TestWindow window(Install(), Services(), &messages_);
    window.show();

    // Three soundings go in; a file that is no sounding is refused, naming nothing into the report.
    const fs::path junk = temp_.Write("soundings/memo.sdw", "not a sounding\r\n");
    EXPECT_EQ(window.AddPointFiles({Sounding("no1.sdw"), Sounding("no2.sdw"), junk, Sounding("no3.sdw")}), 3);
    ASSERT_EQ(window.Report().points.size(), 3u);
    EXPECT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(window.Points()->List()->count(), 3);

    // A click on the plan places the selected point there (to the decimetre); the second click is
    // read on the plan as it is laid out after the first.
    SitePlanView& plan = *window.Points()->Plan();
    window.Points()->SelectPoint(1);
    QTest::mouseClick(&plan, Qt::LeftButton, {}, plan.PointOf({2.0, 3.0}).toPoint());
    ASSERT_TRUE(window.Report().points[1].position);
    EXPECT_NEAR(window.Report().points[1].position->x, 2.0, 0.25);
    EXPECT_NEAR(window.Report().points[1].position->y, 3.0, 0.25);
    window.Points()->SelectPoint(0);
    QTest::mouseClick(&plan, Qt::LeftButton, {}, plan.PointOf({-4.0, 9.0}).toPoint());
    ASSERT_TRUE(window.Report().points[0].position);
    EXPECT_NEAR(window.Report().points[0].position->x, -4.0, 0.25);
    EXPECT_NEAR(window.Report().points[0].position->y, 9.0, 0.25);
    EXPECT_FALSE(window.Report().points[2].position);

    // A drop that moves No.3 to the top reorders the report; each point keeps its place.
    QListWidget& list = *window.Points()->List();
    ASSERT_TRUE(list.model()->moveRow(QModelIndex(), 2, QModelIndex(), 0));
    QApplication::processEvents();
    ASSERT_EQ(window.Report().points.size(), 3u);
    EXPECT_EQ(ResolveReportPath({}, window.Report().points[0].file).filename(), "no3.sdw");
    EXPECT_FALSE(window.Report().points[0].position);
    ASSERT_TRUE(window.Report().points[1].position);
    EXPECT_NEAR(window.Report().points[1].position->x, -4.0, 0.25);

    // Typed fields, then the draft: into empty findings at once; over the engineer's text only
    // after a yes.
    window.Fields()->FootingDepth()->clear();
    QTest::keyClicks(window.Fields()->FootingDepth(), QStringLiteral("0.75"));
    Type(window.Fields()->Field(1), QStringLiteral("東京都○○市"));
    ASSERT_TRUE(window.DraftFindings());
    const QString draft = window.Findings()->toPlainText();
    EXPECT_TRUE(draft.contains(QStringLiteral("No.1"))) << draft.toStdString();
    EXPECT_TRUE(messages_.asked.empty());
    window.Findings()->setPlainText(QStringLiteral("技術者の考察"));
    messages_.answers = {false};
    EXPECT_FALSE(window.DraftFindings());
    EXPECT_EQ(window.Findings()->toPlainText(), QStringLiteral("技術者の考察"));
    EXPECT_EQ(messages_.asked.size(), 1u);
    messages_.answers = {true};
    EXPECT_TRUE(window.DraftFindings());
    EXPECT_EQ(window.Findings()->toPlainText(), draft);
    window.Findings()->appendPlainText(QStringLiteral("以上"));

    // Saved into another folder: the names follow it, the file holds what the window showed.
    const fs::path file = temp_.path() / "reports" / "site.rsr";
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(window.IsModified());
    ASSERT_TRUE(window.SaveTo(file));
    EXPECT_FALSE(window.IsModified());
    const SiteReportReadResult read = ReadSiteReportFile(file);
    ASSERT_TRUE(read.report);
    EXPECT_EQ(*read.report, window.Report());
    EXPECT_EQ(read.report->points[1].file, "../soundings/no1.sdw");
    EXPECT_EQ(read.report->footingDepth, 0.75);
    EXPECT_EQ(read.report->cover.place, "\x93\x8c\x8b\x9e\x93\x73\x81\x9b\x81\x9b\x8e\x73");  // 東京都○○市
    EXPECT_NE(read.report->findings.find("\r\n\x88\xc8\x8f\xe3"), std::string::npos);         // CR LF 以上

    // Opened again in a fresh window: the same report, unchanged; then the PDF has the pages the
    // preview shows.
    TestWindow reopened(Install(), Services(), &messages_);
    ASSERT_TRUE(reopened.OpenReport(file));
    EXPECT_EQ(reopened.Report(), *read.report);
    EXPECT_FALSE(reopened.IsModified());
    EXPECT_EQ(reopened.Fields()->FootingDepth()->text(), QStringLiteral("0.75"));
    EXPECT_EQ(reopened.Findings()->toPlainText(), window.Findings()->toPlainText());
    ASSERT_TRUE(reopened.RefreshPreview());
    const int pages = reopened.PreviewPageCount();
    EXPECT_GE(pages, 8);  // cover, overview, plan, columns, notice, 3 sheets at least, findings
    const fs::path pdf = temp_.path() / "out" / "site";
    fs::create_directories(pdf.parent_path());
    ASSERT_TRUE(reopened.ExportPdfTo(pdf));
    EXPECT_EQ(PdfPageCount(temp_.path() / "out" / "site.pdf"), pages);
}

// The example report with its section: printing gives every page, the section's in landscape.
TEST_F(SiteWindowTest, PrintingGivesEachPageItsOwnPaper) {
    TestWindow window(Install(), ravelog::cli::SiteWindowServices(Install()), &messages_);
    ASSERT_TRUE(window.OpenReport(fs::path(RAVE_SOURCE_DIR) / "examples" / "site" / "site-report.rsr"));
    window.printedPdf = temp_.path() / "printed.pdf";
    window.Print();
    ASSERT_TRUE(window.RefreshPreview());
    EXPECT_EQ(PdfPageCount(window.printedPdf), window.PreviewPageCount());
    QFile file(QString::fromStdString(window.printedPdf.string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString pdf = QString::fromLatin1(file.readAll());
    // A4 in points: 595 x 842 portrait, 842 x 595 landscape (the section's pages).
    EXPECT_TRUE(pdf.contains(QRegularExpression(QStringLiteral("/MediaBox \\[0 0 595\\.\\d+ 842"))));
    EXPECT_TRUE(pdf.contains(QRegularExpression(
        QStringLiteral("/MediaBox \\[0 0 841\\.\\d+ 595|/MediaBox \\[0 0 842\\.?\\d* 595"))));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SiteWindowTest, ClosingWithChangesAsksAndKeepsARecoveryCopyMeanwhile) {
    TestWindow window(Install(), Services(), &messages_);
    window.show();
    window.close();
    EXPECT_EQ(window.unsavedAsked, 0);  // nothing typed: closes without a question

    window.show();
    Type(window.Fields()->Field(0), QStringLiteral("件名"));
    EXPECT_TRUE(window.isWindowModified());
    ASSERT_TRUE(window.Recovery().WriteNow());
    EXPECT_TRUE(window.Recovery().HasCopy());
    window.unsavedAnswers = {UnsavedChoice::kCancel, UnsavedChoice::kDiscard};
    window.close();
    EXPECT_EQ(window.unsavedAsked, 1);
    EXPECT_TRUE(window.isVisible());
    window.close();
    EXPECT_EQ(window.unsavedAsked, 2);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.Recovery().HasCopy());
}

TEST_F(SiteWindowTest, WorkLeftByAnEarlierRunIsRestoredAsUnsaved) {
    SiteReport left;
    left.cover.title = "\x8c\x8f\x96\xbc";  // 件名
    left.points.push_back({*ReportPathText({}, Sounding("no1.sdw")), PlanPoint{1, 2}, {}});
    const fs::path original = temp_.path() / "reports" / "lot.rsr";
    rave::RecoveryRecord record;
    record.program = "RavelogReport";
    record.process = {999999, "gone"};
    record.originalPath = original.string();
    record.savedTime = 1700000000;
    record.modified = true;
    ASSERT_EQ(rave::WriteRecoveryCopy(temp_.path() / "recovery", record, ".rsr", WriteSiteReportBytes(left)),
              "");

    TestWindow window(Install(), Services(), &messages_);
    window.show();
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == QStringLiteral("復元(&R)")) {
                button->click();
            }
        }
    });
    ASSERT_TRUE(window.OfferRecoveries());
    EXPECT_EQ(window.Report(), left);
    EXPECT_EQ(window.ReportPath(), original);
    EXPECT_TRUE(window.IsModified());
    EXPECT_EQ(window.Fields()->Field(0)->text(), QStringLiteral("件名"));
    window.unsavedAnswers = {UnsavedChoice::kDiscard};
    window.close();
}

TEST_F(SiteWindowTest, FileMenuOpensTheWindowWithTheSoundingInHandFirst) {
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((temp_.path() / "data").string()));
    ravelog::app::MainFrame frame(Install(), &messages_);
    QAction* report = InstallSiteReportCommand(frame, Services());
    const QList<QAction*> file = frame.Menu(QStringLiteral("fileMenu"))->actions();
    const qsizetype at = file.indexOf(report);
    ASSERT_GT(at, 0);
    EXPECT_EQ(file.at(at - 1), frame.Action(ravelog::app::command_id::kExportPages));
    EXPECT_EQ(report->text(), QStringLiteral("報告書(&R)..."));

    ASSERT_TRUE(frame.OpenThroughFramework(Sounding("no2.sdw")));
    report->trigger();
    auto* window = frame.findChild<SiteReportWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(window->Report().points.size(), 1u);
    EXPECT_EQ(ResolveReportPath({}, window->Report().points[0].file).filename(), "no2.sdw");
    EXPECT_FALSE(window->IsModified());
    report->trigger();  // the same window again
    EXPECT_EQ(frame.findChildren<SiteReportWindow*>().size(), 1);

    // Closing Ravelog closes the report first: unsaved work there is asked about, and a cancel
    // keeps both windows open.
    frame.show();
    window->Findings()->setPlainText(QStringLiteral("考察"));
    int asked = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ++asked;
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window->isVisible());
    window->Findings()->clear();
    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(window->isVisible());
}

// RAVE_DIALOG_SHOTS=docs/dialogs: the window over the example report, its points and plan and
// its page preview, as pictures for the README.
TEST_F(SiteWindowTest, Screenshots) {
    const char* shots = std::getenv("RAVE_DIALOG_SHOTS");
    if (shots == nullptr) {
        GTEST_SKIP() << "RAVE_DIALOG_SHOTS is not set";
    }
    SiteReportWindow window(Install(), ravelog::cli::SiteWindowServices(Install()), &messages_);
    ASSERT_TRUE(window.OpenReport(fs::path(RAVE_SOURCE_DIR) / "examples" / "site" / "site-report.rsr"));
    window.move(0, 0);
    window.resize(1280, 900);
    window.show();
    window.Points()->SelectPoint(4);
    auto grab = [&](const char* name) {
        for (int i = 0; i < 10; ++i) {
            QApplication::processEvents();
            QTest::qWait(30);
        }
        const QString path = QString::fromUtf8(shots) + QLatin1Char('/') + QString::fromUtf8(name);
        EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
    };
    grab("ravelog-site-report.png");
    window.Tabs()->setCurrentIndex(window.Tabs()->count() - 1);
    EXPECT_GT(window.PreviewPageCount(), 10);
    grab("ravelog-site-report-preview.png");
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace site::app
