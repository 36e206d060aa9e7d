// What the random actions found, kept as tests of their own.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include "common/ravelog_settings.h"
#include "platform/install_folder.h"
#include "random_driver.h"
#include "ravelog/app/conversion_settings_dialog.h"
#include "ravelog/app/default_coefficients_dialog.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/page_footer_dialog.h"
#include "tests/platform/qt_test_application.h"

namespace rave::random_actions {
namespace {

// A header line of a .sdw is read back with at most 399 bytes, line end included.
constexpr int kLongestReadBackBytes = 397;

// Long text typed into every field: what a field keeps must come back whole from the file.
void ExpectFieldsKeepReadableText(QWidget& dialog) {
    const QList<QLineEdit*> edits = dialog.findChildren<QLineEdit*>();
    ASSERT_FALSE(edits.isEmpty());
    for (QLineEdit* edit : edits) {
        if (edit->isReadOnly() || qobject_cast<QComboBox*>(edit->parentWidget()) != nullptr) {
            continue;  // shown, never typed into; or a list's own editor
        }
        edit->selectAll();
        edit->insert(QStringLiteral("あ").repeated(300));  // two bytes each in cp932
        EXPECT_LE(edit->text().size() * 2, kLongestReadBackBytes) << edit->objectName().toStdString();
    }
}

TEST(KeptFindings, CoefficientFieldsHoldNoMoreThanTheFileReadsBack) {
    platform::testing::TestApplication();
    Sandbox sandbox;
    std::string error;
    ASSERT_TRUE(platform::CreateInstallFolder(sandbox.Install(),
                                              std::filesystem::path(RAVE_SOURCE_DIR) / "data", error));
    RecordingMessageSink messages;
    ravelog::ResetCurrentSounding();
    ravelog::app::MainFrame frame(sandbox.Install(), &messages);
    // The defaults for new documents went into a new document's header whole, and a saved file
    // read back lost the rest (seed 1 of the Ravelog run, action 2992).
    ravelog::app::DefaultCoefficientsDialog defaults(frame);
    ExpectFieldsKeepReadableText(defaults);
    ravelog::app::ConversionSettingsDialog conversion(frame.Document(), RavelogSettings::Defaults(),
                                                      messages);
    ExpectFieldsKeepReadableText(conversion);
    // The page footer's distances likewise (seed 4, action 4363).
    ravelog::app::PageFooterDialog footer(frame.Document(), frame.Paper(), messages);
    ExpectFieldsKeepReadableText(footer);
}

}  // namespace
}  // namespace rave::random_actions
