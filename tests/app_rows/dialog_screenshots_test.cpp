// Pictures of the three dialogs on the bundled examples, for docs/dialogs/. Written only when
// RAVE_DIALOG_SHOTS names a folder (the pictures are looked at, not compared):
//   RAVE_DIALOG_SHOTS=docs/dialogs QT_QPA_PLATFORM=offscreen test_app_rows --gtest_filter='DialogShots*'
#include <QFont>
#include <QPixmap>
#include <cstdlib>

#include "app_data/data_dialog_test_support.h"
#include "common/installed_soil_tables.h"
#include "platform/cell_edit_table.h"
#include "ravelog/app/import_column_settings_dialog.h"
#include "ravelog/app/import_dialog.h"
#include "ravelog/app/measured_row_dialog.h"
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/entry/entry_pick_lists.h"
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
    // The pick lists of a new install folder.
    const fs::path data = fs::path(RAVE_SOURCE_DIR) / "data";
    const rave::InstalledSoilTables tables = rave::LoadInstalledSoilTables(data, messages);
    RowEditorPickLists lists = LoadRowEditorPickLists(data, tables, true, messages);
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
