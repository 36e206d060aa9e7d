// The import dialog "開く" for comma- and blank-separated files of other programs: file choice,
// the six-line preview, the column numbers, the line list and range, the unit and reading
// options, bound to ForeignImport. OK reads the chosen lines into the document; nothing of the
// document changes before the file has been opened. Fields are named "column0".."column5" (in
// the order of ImportColumn), "fromField", "toField"; buttons "chooseFileButton", "rangeButton",
// "standardButton", "namedSettingsButton", "okButton", "cancelButton".
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>
#include <optional>

#include "common/messages.h"
#include "ravelog/app/data_dialog_support.h"
#include "ravelog/document/foreign_import.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace rave::platform {
class CellEditTable;
}

namespace ravelog::app {

class ImportColumnSettingsDialog;
class MainFrame;

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(ImportMode mode, ImportChoices choices, SoundingDocument& document, ImportRefresh refresh,
                 std::filesystem::path installFolder, rave::MessageSink& messages, QWidget* parent = nullptr);

    ForeignImport& Model() { return import_; }
    rave::platform::CellEditTable* Preview() const { return preview_; }
    rave::platform::CellEditTable* LineList() const { return lineList_; }

    // "外部ファイルを開く": the chooser, then OpenFile.
    void ChooseFile();
    // The file chosen: its path and preview are shown (32790 when it cannot be opened).
    void OpenFile(const std::filesystem::path& file);
    void accept() override;

protected:
    // Remembers the column field and the range field that last had the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The file chooser; tests answer it.
    virtual std::optional<std::filesystem::path> AskForFile(const QString& startFolder);
    // The named-settings sub-dialog; tests press its buttons.
    virtual int RunColumnSettings(ImportColumnSettingsDialog& dialog);

private:
    QWidget* BuildColumns();
    QWidget* BuildOptions();
    QWidget* BuildRange();
    // Widgets to the choices; false (after the message) when a text cannot be stored.
    bool PullChoices();
    void PushChoices();
    void FillLineList();
    void OpenColumnSettings();

    ForeignImport import_;
    SoundingDocument& document_;
    ImportRefresh refresh_;
    std::filesystem::path installFolder_;
    rave::MessageSink& messages_;
    QLineEdit* path_ = nullptr;
    rave::platform::CellEditTable* preview_ = nullptr;
    rave::platform::CellEditTable* lineList_ = nullptr;
    std::array<QLineEdit*, kImportColumnCount> columns_{};
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLineEdit* span_ = nullptr;
    QCheckBox* kgf_ = nullptr;
    QCheckBox* cm_ = nullptr;
    QCheckBox* clearHeader_ = nullptr;
    QCheckBox* omitRepeated_ = nullptr;
    int lastColumnField_ = kColumnLoad;  // where a click on the preview goes
    bool lastRangeFieldIsTo_ = false;    // where a click on the line list goes
};

// 開く…CSVファイル / 開く…スペース区切りファイル: asks about unsaved changes, runs the dialog
// and makes a successful import one undoable step; the choices are kept in the settings file.
void ImportForeignFile(MainFrame& frame, ImportMode mode, const DialogRunner& run = ExecDialog);

}  // namespace ravelog::app
