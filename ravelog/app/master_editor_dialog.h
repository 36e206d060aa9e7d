// The master-file dialog ("マスタファイル"), in the technician mode ("技術者名(&1)") or the
// short-text mode ("記事短文(&2)"): 80 rows of one column edited in place, rows moved and deleted,
// the previous version's list merged, bound to rave::MasterEditor. OK saves the master file (the
// duplicates reported); Cancel leaves it as it was.
#pragma once

#include <QDialog>
#include <filesystem>

#include "common/master_editor.h"

class QLabel;
class QPushButton;

namespace rave::platform {
class CellEditTable;
}

namespace ravelog::app {

class MainFrame;

// The master file a mode edits: the technician or short-text path of the install folder.
std::filesystem::path MasterPathOf(MainFrame& frame, rave::MasterKind kind);

class MasterEditorDialog : public QDialog {
    Q_OBJECT
public:
    MasterEditorDialog(MainFrame& frame, rave::MasterKind kind, QWidget* parent = nullptr);

    const rave::MasterEditor& Model() const { return model_; }
    rave::platform::CellEditTable* Table() const { return table_; }
    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* ImportButton() const { return import_; }

public Q_SLOTS:
    void accept() override;

private:
    void RowAction(bool (rave::MasterEditor::*action)());
    void ImportOldVersion();
    void ShowSelection();

    MainFrame& frame_;
    rave::MasterEditor model_;
    rave::platform::CellEditTable* table_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* import_ = nullptr;
};

}  // namespace ravelog::app
