// The window after a placement: the ruler fitted as the command line fits it, the page it gives,
// and the status bar naming what the drawing cannot show (logs on no printed page, a missing
// column file), said once per change rather than on every paint.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <sstream>

#include "apps/ravesect_cli.h"
#include "ravesect/app/dialog_hooks.h"
#include "ravesect/app/placement_dialog.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/section_view.h"
#include "ravesect/document/working_files.h"
#include "tests/sect_dialogs/sect_dialog_support.h"

namespace ravesect::app {
namespace {

using rave::testing::TempFolder;
using ravesect::testing::ExampleLog;
using ravesect::testing::ShownText;
using ravesect::testing::TypeInto;

// Three logs and their distances, as both front ends place them.
const std::pair<const char*, const char*> kLogs[] = {
    {"section/B-1.jdw", "0"}, {"section/B-2.ddw", "12"}, {"example-short.sdw", "25"}};

class SectionPlacementViewTest : public ::testing::Test {
protected:
    SectionPlacementViewTest() {
        rave::platform::testing::TestApplication();
        ResetCurrentSection();
        std::filesystem::create_directories(install());
        frame = std::make_unique<SectionFrame>(install(), &messages);
        messages.shown.clear();
    }
    ~SectionPlacementViewTest() override {
        ResetSettingsCommandHooks();
        frame.reset();
        ResetCurrentSection();
    }
    std::filesystem::path install() const { return folder.path() / "Sver5"; }

    void PlaceThroughTheWindow() {
        CurrentSettingsCommandHooks().runDialog = [](QDialog& dialog) {
            auto& placement = dynamic_cast<PlacementDialog&>(dialog);
            placement.show();
            for (const auto& [log, distance] : kLogs) {
                placement.OpenSourcePath(QString::fromStdString(ExampleLog(log).string()));
                TypeInto(placement.DistanceBox(), QString::fromUtf8(distance));
                QTest::mouseClick(placement.AddButton(), Qt::LeftButton);
            }
            QTest::mouseClick(placement.OkButton(), Qt::LeftButton);
            return dialog.result();
        };
        frame->Action(command_id::kPlacement)->trigger();
        ASSERT_TRUE(messages.shown.empty()) << ShownText(messages);
    }
    QString Notice() {
        frame->View()->grab();
        return frame->statusBar()->findChild<QLabel*>(QStringLiteral("drawingNotice"))->text();
    }

    TempFolder folder;
    rave::RecordingMessageSink messages;
    std::unique_ptr<SectionFrame> frame;
};

TEST_F(SectionPlacementViewTest, FirstPlacementFitsTheRulerAsTheCommandLineDoesAndShowsThatPage) {
    // Start-up has already given the new section its page from the paper: top elevation 5.
    ASSERT_DOUBLE_EQ(frame->Document().settings.topElevation, 5.0);
    PlaceThroughTheWindow();
    const SectionSettings& window = frame->Document().settings;

    std::vector<std::string> arguments = {"build", "-o", (folder.path() / "cli.sqw").string(),
                                          "--install-folder", install().string()};
    for (const auto& [log, distance] : kLogs) {
        arguments.push_back(std::string(distance) + "=" + ExampleLog(log).string());
    }
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunRavesectCommandLine(arguments, out, err), 0) << err.str();
    // Line 2 of a section file is its settings line.
    const std::string file = TempFolder::Read(folder.path() / "cli.sqw");
    const std::size_t second = file.find("\r\n") + 2;
    const std::string builtSettings = file.substr(second, file.find("\r\n", second) - second);

    // Highest ground 12.35 m (example-short), deepest bottom 12.45 - 10.85 = 1.6 m below 0 (B-1);
    // at 1/100: step 2, top elevation ruler top + 5.
    EXPECT_EQ(window.rulerTop, 12);
    EXPECT_EQ(window.rulerBottom, -2);
    EXPECT_EQ(window.rulerStep, 2);
    EXPECT_DOUBLE_EQ(window.topElevation, 17.0);
    // The same numbers (the ruler title, typed in the dialog, stays the user's there).
    const auto numbers = [](const std::string& line) {
        return line.substr(0, line.rfind(',', line.rfind(',') - 1));
    };
    EXPECT_EQ(numbers(builtSettings), numbers(FormatSettingsLine(window)));
    // The view shows the fitted page, and every log is on it.
    EXPECT_DOUBLE_EQ(frame->Position().shownTop, window.topElevation);
    frame->resize(900, 700);
    frame->show();
    EXPECT_EQ(Notice(), QString());
}

TEST_F(SectionPlacementViewTest, StatusBarNamesLogsOnNoPageOncePerChange) {
    PlaceThroughTheWindow();
    frame->resize(900, 700);
    frame->show();
    QSignalSpy changes(frame->View(), &SectionView::noticeChanged);

    // The page band moved 100 m above every ground: all three logs are on no printed page.
    SectionSettings high = frame->Document().settings;
    high.topElevation += 100;
    ASSERT_TRUE(WriteSettingsFile(frame->Files(), high, messages));
    frame->SettingsOrColumnsRewritten();
    const QString offPage = Notice();
    EXPECT_TRUE(offPage.contains(QStringLiteral("どの印刷ページにも入らない柱状図")))
        << offPage.toStdString();
    EXPECT_TRUE(offPage.contains(QStringLiteral("(12.00m)"))) << offPage.toStdString();
    Notice();
    Notice();
    EXPECT_EQ(changes.count(), 1);  // repainting the same section says nothing new

    // The view paints the columns it holds: the column working file gone behind its back changes
    // no paint, and nothing is shown in a box on every paint.
    std::filesystem::remove(install() / "Tmp1.tmp");
    EXPECT_EQ(Notice(), offPage);
    EXPECT_TRUE(frame->Extent().hasColumns);
    EXPECT_TRUE(messages.shown.empty()) << ShownText(messages);
    EXPECT_EQ(changes.count(), 1);
}

}  // namespace
}  // namespace ravesect::app
