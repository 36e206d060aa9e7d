// The sub-dialog "列No.のユーザ設定と保存" of the import dialog: loads the saved column numbers
// of the mode into the choices, or saves the current ones under a name ("Usr.ndx" / "Uss.ndx").
#pragma once

#include <QDialog>
#include <filesystem>

#include "common/messages.h"
#include "ravelog/document/import_settings.h"

class QLineEdit;

namespace ravelog::app {

class ImportColumnSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // `choices` receives the loaded columns; its columns and range are what "save" writes.
    ImportColumnSettingsDialog(std::filesystem::path installFolder, ImportMode mode, ImportChoices& choices,
                               rave::MessageSink& messages, QWidget* parent = nullptr);

    // "保存してあるユーザ設定にする": the saved columns into the choices, and close.
    void LoadSaved();
    // "現在の列No設定を保存": writes the file under the typed name; stays open when refused.
    void SaveCurrent();

private:
    std::filesystem::path installFolder_;
    ImportMode mode_;
    ImportChoices& choices_;
    rave::MessageSink& messages_;
    QLineEdit* name_ = nullptr;
};

}  // namespace ravelog::app
