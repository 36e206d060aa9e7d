// The import dialog over ForeignImport: the chosen file's preview, clicks that fill the column and
// range fields, the line list, OK reading the range into the document, refusals that leave the
// document as it was, the named column settings, and the menu command's single undoable step.
#include <QUndoStack>

#include "app_data/data_dialog_test_support.h"
#include "platform/cell_edit_table.h"
#include "platform/install_folder.h"
#include "ravelog/app/import_column_settings_dialog.h"
#include "ravelog/app/import_dialog.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/document/sounding_file_commands.h"
#include "temp_folder.h"

namespace ravelog::app {
namespace {

using namespace testing;
namespace fs = std::filesystem;

fs::path ExampleCsv() {
    return fs::path(RAVE_SOURCE_DIR) / "examples" / "example-import.csv";
}

// The file chooser answered with a fixed path; the named-settings dialog driven by a function.
class AnsweredImportDialog : public ImportDialog {
public:
    using ImportDialog::ImportDialog;
    std::optional<fs::path> answer;
    std::function<void(ImportColumnSettingsDialog&)> columnSettings;

protected:
    std::optional<fs::path> AskForFile(const QString&) override { return answer; }
    int RunColumnSettings(ImportColumnSettingsDialog& dialog) override {
        columnSettings(dialog);
        return dialog.result();
    }
};

class ImportDialogTest : public ::testing::Test {
protected:
    ImportDialogTest() {
        TestApplication();
        document.Row(1)[field::kDepth] = "0.25";
        document.header[5] = "old";
    }
    std::unique_ptr<AnsweredImportDialog> Open(ImportMode mode = ImportMode::kComma) {
        return std::make_unique<AnsweredImportDialog>(mode, LoadImportChoices(settings, mode), document,
                                                      ImportRefresh{}, temp.path(), messages);
    }
    QString PreviewCell(AnsweredImportDialog& dialog, int columnNumber, int line) {
        return dialog.Preview()->model()->index(columnNumber - 1, line).data().toString();
    }

    rave::testing::TempFolder temp;
    SoundingDocument document;
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    rave::RecordingMessageSink messages;
};

TEST_F(ImportDialogTest, ChosenRangeOfTheExampleBecomesTheRows) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("CSV(カンマ区切り)外部ファイルを開く"));
    EXPECT_EQ(Named<QLineEdit>(*dialog, "column2")->text(), "18") << "standard depth column";
    dialog->answer = ExampleCsv();
    Click(*dialog, "chooseFileButton");
    EXPECT_EQ(PreviewCell(*dialog, 18, 1), "0.25");
    EXPECT_EQ(PreviewCell(*dialog, 18, 6), "1.50");
    EXPECT_EQ(PreviewCell(*dialog, 1, 0), " 1") << "column numbers written %2d";

    Click(*dialog, "rangeButton");
    const int lines = dialog->LineList()->model()->rowCount();
    ASSERT_GT(lines, 6);
    EXPECT_EQ(Named<QLineEdit>(*dialog, "toField")->text(), QString::number(lines));
    EXPECT_EQ(dialog->LineList()->model()->index(2, 3).data().toString(), "0.75");
    // A click on line 3 goes to the from-field, which had the focus last.
    FocusIn(Named<QLineEdit>(*dialog, "fromField"));
    dialog->LineList()->clicked(dialog->LineList()->model()->index(2, 0));
    Type(Named<QLineEdit>(*dialog, "toField"), "5");
    EXPECT_EQ(Named<QLineEdit>(*dialog, "fromField")->text(), "3");
    EXPECT_EQ(document.header[5], "old") << "nothing is read before OK";

    Click(*dialog, "okButton");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(document.LastUsedRow(), 3);
    EXPECT_EQ(document.Row(1)[field::kDepth], "0.75");
    EXPECT_EQ(document.Row(3)[field::kDepth], "1.25");
    // Line 1 supplies the point number and the date although it lies outside the range.
    EXPECT_EQ(document.header[5], "No.1");
    EXPECT_EQ(document.header[7], "2024");
    EXPECT_EQ(document.header[8], "03");
    EXPECT_EQ(document.header[9], "15");
}

TEST_F(ImportDialogTest, PreviewClickFillsTheColumnFieldThatHadTheFocus) {
    auto dialog = Open();
    dialog->answer = ExampleCsv();
    Click(*dialog, "chooseFileButton");
    FocusIn(Named<QLineEdit>(*dialog, "column3"));
    dialog->Preview()->clicked(dialog->Preview()->model()->index(22, 2));
    EXPECT_EQ(Named<QLineEdit>(*dialog, "column3")->text(), "23");
    Type(Named<QLineEdit>(*dialog, "column0"), "");
    Click(*dialog, "standardButton");
    EXPECT_EQ(Named<QLineEdit>(*dialog, "column0")->text(), "19");
    EXPECT_EQ(Named<QLineEdit>(*dialog, "column3")->text(), "22");
}

TEST_F(ImportDialogTest, RefusedImportsLeaveTheDocumentAsItWas) {
    const SoundingDocument before = document;
    struct Case {
        std::optional<fs::path> file;
        int message;
    } cases[] = {{std::nullopt, 32794}, {temp.path() / "missing.csv", 32790}};
    for (const Case& c : cases) {
        messages.shown.clear();
        auto dialog = Open();
        dialog->answer = c.file;
        Click(*dialog, "chooseFileButton");
        Click(*dialog, "okButton");
        EXPECT_TRUE(messages.Saw(c.message)) << c.message;
        EXPECT_NE(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(document.Row(1)[field::kDepth], "0.25") << c.message;
        EXPECT_EQ(document.header.slots, before.header.slots) << c.message;
    }
}

TEST_F(ImportDialogTest, NamedColumnSettingsAreSavedAndLoaded) {
    auto dialog = Open(ImportMode::kBlank);
    // Loading before anything was saved is refused.
    dialog->columnSettings = [](ImportColumnSettingsDialog& settingsDialog) {
        Click(settingsDialog, "loadButton");
    };
    Click(*dialog, "namedSettingsButton");
    EXPECT_TRUE(messages.Saw(4020));

    Type(Named<QLineEdit>(*dialog, "column0"), "5");
    dialog->columnSettings = [](ImportColumnSettingsDialog& settingsDialog) {
        Type(Named<QLineEdit>(settingsDialog, "nameField"), QStringLiteral("現場A"));
        Click(settingsDialog, "saveButton");
    };
    Click(*dialog, "namedSettingsButton");
    ASSERT_TRUE(fs::exists(temp.path() / "Uss.ndx"));

    Type(Named<QLineEdit>(*dialog, "column0"), "9");
    dialog->columnSettings = [](ImportColumnSettingsDialog& settingsDialog) {
        EXPECT_EQ(Named<QLineEdit>(settingsDialog, "nameField")->text(), QStringLiteral("現場A"));
        Click(settingsDialog, "loadButton");
    };
    Click(*dialog, "namedSettingsButton");
    EXPECT_EQ(Named<QLineEdit>(*dialog, "column0")->text(), "5");

    // No column in use: nothing is saved.
    messages.shown.clear();
    for (int c = 0; c < kImportColumnCount; ++c) {
        Type(Named<QLineEdit>(*dialog, QStringLiteral("column%1").arg(c)), "");
    }
    dialog->columnSettings = [](ImportColumnSettingsDialog& settingsDialog) {
        Click(settingsDialog, "saveButton");
    };
    Click(*dialog, "namedSettingsButton");
    EXPECT_TRUE(messages.Saw(4007));
}

TEST_F(ImportDialogTest, ImportCommandIsOneUndoableStepAndKeepsTheChoices) {
    const fs::path installFolder = temp.path() / "install";
    std::string error;
    ASSERT_TRUE(rave::platform::CreateInstallFolder(installFolder, fs::path(RAVE_SOURCE_DIR) / "data", error))
        << error;
    ResetCurrentSounding();
    MainFrame frame(installFolder, &messages);
    ASSERT_TRUE(frame.OpenThroughFramework(fs::path(RAVE_SOURCE_DIR) / "examples" / "example-short.sdw"));
    const SoundingDocument before = frame.Document();

    // Cancelled: nothing changes.
    ImportForeignFile(frame, ImportMode::kComma, [](QDialog& dialog) {
        static_cast<ImportDialog&>(dialog).OpenFile(ExampleCsv());
        Click(dialog, "cancelButton");
        return dialog.result();
    });
    EXPECT_EQ(frame.UndoStack()->count(), 0);

    ImportForeignFile(frame, ImportMode::kComma, [](QDialog& dialog) {
        static_cast<ImportDialog&>(dialog).OpenFile(ExampleCsv());
        Click(dialog, "cmOption");  // remembered in the settings file afterwards
        Type(Named<QLineEdit>(dialog, "column2"), "18");
        Click(dialog, "okButton");
        return dialog.result();
    });
    ASSERT_EQ(frame.UndoStack()->count(), 1);
    EXPECT_GT(frame.Document().LastUsedRow(), 6);
    EXPECT_EQ(frame.Document().Row(1)[field::kDepth], "0.0025") << "0.25 cm";
    EXPECT_TRUE(LoadImportChoices(frame.Files().settings, ImportMode::kComma).depthInCm);
    // The document is named after the imported file, so Save asks for a new name.
    EXPECT_TRUE(frame.windowTitle().startsWith(QStringLiteral("example-import.csv")));
    EXPECT_FALSE(CanSaveInPlace(frame.Document()));
    frame.UndoStack()->undo();
    EXPECT_EQ(frame.Document().LastUsedRow(), before.LastUsedRow());
    EXPECT_EQ(frame.Document().header.slots, before.header.slots);
}

}  // namespace
}  // namespace ravelog::app
