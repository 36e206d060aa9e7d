// Pictures of the three dialogs on the bundled examples, for docs/dialogs/. Written only when
// RAVE_DIALOG_SHOTS names a folder (the pictures are looked at, not compared):
//   RAVE_DIALOG_SHOTS=docs/dialogs QT_QPA_PLATFORM=offscreen test_app_rows --gtest_filter='DialogShots*'
#include <QFont>
#include <QPixmap>
#include <cstdlib>

#include "app_data/data_dialog_test_support.h"
#include "platform/cell_edit_table.h"
#include "ravelog/app/import_column_settings_dialog.h"
#include "ravelog/app/import_dialog.h"
#include "ravelog/app/measured_row_dialog.h"
#include "ravelog/document/sounding_file_commands.h"
#include "temp_folder.h"

namespace ravelog::app {
namespace {

using namespace testing;
namespace fs = std::filesystem;

class DialogShots : public ::testing::Test {
protected:
    DialogShots() {
        TestApplication();
        const char* folder = std::getenv("RAVE_DIALOG_SHOTS");
        if (folder != nullptr) {
            output = folder;
        }
    }
    void Save(QWidget& dialog, const char* name) {
        dialog.show();
        dialog.adjustSize();
        QApplication::processEvents();
        const QPixmap picture = dialog.grab();
        ASSERT_FALSE(picture.isNull());
        EXPECT_TRUE(picture.save(QString::fromStdString((output / name).string())));
    }
    fs::path output;
    rave::testing::TempFolder temp;
    rave::RecordingMessageSink messages;
};

TEST_F(DialogShots, MeasuredRows) {
    if (output.empty()) {
        GTEST_SKIP() << "RAVE_DIALOG_SHOTS not set";
    }
    SoundingDocument document;
    ASSERT_NE(OpenSoundingThroughFramework(document, messages,
                                           fs::path(RAVE_SOURCE_DIR) / "examples" / "example-short.sdw"),
              0);
    const rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    RowEditorPickLists lists;
    lists.jacicLists = {{{Cp("粘土"), "23.2"}, {Cp("シルト"), "22.2"}, {Cp("砂"), "31.1"}},
                        {{Cp("混り"), ""}, {Cp("質"), ""}},
                        {{Cp("有機質"), ""}},
                        {{Cp("盛土"), "10001"}}};
    lists.remarks = {Cp("自沈"), Cp("ガリガリ"), Cp("ジャリジャリ")};
    MeasuredRowDialog dialog(document, settings, lists, SoilNamePass{}, messages);
    dialog.Table()->SetCurrentRow(2);
    Save(dialog, "ravelog-measured-rows.png");
}

TEST_F(DialogShots, ImportAndColumnSettings) {
    if (output.empty()) {
        GTEST_SKIP() << "RAVE_DIALOG_SHOTS not set";
    }
    SoundingDocument document;
    const rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    ImportDialog dialog(ImportMode::kComma, LoadImportChoices(settings, ImportMode::kComma), document,
                        ImportRefresh{}, temp.path(), messages);
    dialog.OpenFile(fs::path(RAVE_SOURCE_DIR) / "examples" / "example-import.csv");
    Click(dialog, "rangeButton");
    Save(dialog, "ravelog-import-csv.png");
    ImportChoices choices = dialog.Model().choices();
    ImportColumnSettingsDialog named(temp.path(), ImportMode::kComma, choices, messages);
    Save(named, "ravelog-import-settings.png");
}

}  // namespace
}  // namespace ravelog::app
