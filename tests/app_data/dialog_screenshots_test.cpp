// Pictures of the data-menu dialogs over the example sounding, for the documentation and for a
// look by eye: RAVE_DIALOG_SHOTS=FOLDER writes ravelog-header.png and its siblings there. Without
// the variable the test is skipped.
#include <QDialog>
#include <QLineEdit>
#include <QPixmap>
#include <QSettings>
#include <cstdlib>

#include "data_dialog_test_support.h"
#include "platform/install_folder.h"
#include "ravelog/app/conversion_settings_dialog.h"
#include "ravelog/app/header_dialog.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/nsw_average_dialog.h"
#include "ravelog/app/page_footer_dialog.h"
#include "settings_sandbox.h"
#include "temp_folder.h"

namespace ravelog::app {
namespace {

namespace fs = std::filesystem;
using namespace testing;

TEST(DialogScreenshots, WritesOnePicturePerDialog) {
    const char* folder = std::getenv("RAVE_DIALOG_SHOTS");
    if (folder == nullptr) {
        GTEST_SKIP() << "set RAVE_DIALOG_SHOTS to a folder to write the pictures";
    }
    TestApplication();
    rave::testing::TempFolder temp;
    rave::testing::KeepSettingsIn(temp.path() / "settings");
    std::string error;
    ASSERT_TRUE(rave::platform::CreateInstallFolder(temp.path() / "install",
                                                    fs::path(RAVE_SOURCE_DIR) / "data", error));
    ResetCurrentSounding();
    rave::RecordingMessageSink messages;
    MainFrame frame(temp.path() / "install", &messages);
    ASSERT_TRUE(frame.OpenThroughFramework(fs::path(RAVE_SOURCE_DIR) / "examples" / "example-short.sdw"));

    auto shoot = [folder](const char* name, const std::function<void(QDialog&)>& prepare = {}) {
        return [folder, name, prepare](QDialog& dialog) {
            dialog.show();
            if (prepare) {
                prepare(dialog);
            }
            dialog.adjustSize();
            QApplication::processEvents();
            const QString path =
                QString::fromLocal8Bit(folder) + QStringLiteral("/") + QString::fromLatin1(name);
            EXPECT_TRUE(dialog.grab().save(path)) << path.toStdString();
            dialog.reject();
            return static_cast<int>(QDialog::Rejected);
        };
    };
    EditHeader(frame, shoot("ravelog-header.png"));
    EditConversions(frame, shoot("ravelog-conversion-settings.png"));
    ShowNswAverage(frame, shoot("ravelog-nsw-average.png", [](QDialog& dialog) {
                       auto* nsw = static_cast<NswAverageDialog*>(&dialog);
                       nsw->RangeStart()->setText(QStringLiteral("0.50"));
                       nsw->RangeEnd()->setText(QStringLiteral("2.50"));
                       nsw->Calculate();
                       Type(Named<QWidget>(dialog, "footingDepth"), QStringLiteral("1.5"));
                       nsw->JudgeSelfSinking();
                   }));
    EditPageFooter(frame, shoot("ravelog-page-footer.png", [](QDialog& dialog) {
                       Type(Named<QWidget>(dialog, "prefix1"), QStringLiteral("("));
                       Type(Named<QWidget>(dialog, "startPage1"), QStringLiteral("1"));
                       FocusOut(Named<QWidget>(dialog, "prefix1"));
                       Type(Named<QWidget>(dialog, "prefix3"), QStringLiteral("No."));
                       Type(Named<QWidget>(dialog, "startPage3"), QStringLiteral("5"));
                       FocusOut(Named<QWidget>(dialog, "startPage3"));
                   }));
}

}  // namespace
}  // namespace ravelog::app
