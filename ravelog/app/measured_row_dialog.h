// The measured-row dialog "データ": the list of up to 1350 entries with in-place editing, the
// entry area of one row, the soil-name and remark pick lists, and the options, bound to the row
// editor model. Fields are named "depthField", "loadField", "halfTurnsField", "soilNameField",
// "patternField", "remarksField"; buttons "addButton", "addButton2", "overwriteButton",
// "deleteButton".
#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/app/data_dialog_support.h"
#include "ravelog/entry/row_editor.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace rave::platform {
class CellEditTable;
}

namespace ravelog::app {

class MainFrame;

class MeasuredRowDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the editor on `document` (rows whose depth is not a number get "0 " in front at
    // once). OK writes the list back and runs `soilNames` in the refresh.
    MeasuredRowDialog(SoundingDocument& document, const rave::RavelogSettings& settings,
                      RowEditorPickLists pickLists, SoilNamePass soilNames, rave::MessageSink& messages,
                      QWidget* parent = nullptr);

    RowEditorModel& Model() { return model_; }
    rave::platform::CellEditTable* Table() const { return table_; }
    QLineEdit* Field(EntryField field) const { return fields_.at(static_cast<std::size_t>(field)); }

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildEntryArea(QWidget* area);
    QWidget* BuildSoilLists();
    QWidget* BuildOptions();
    // Widget text of `field` into the model; false (after the message) when cp932 cannot hold it.
    bool PullField(EntryField field);
    bool PullAll();
    // The field lost the focus: its checks and the live update of the selected entry.
    void LeaveField(EntryField field);
    // Model to widgets: the entry area, the marks, the buttons' states.
    void PushArea();
    void PullOptions();
    // After an event that changed the list: the table, its selection and the focus follow the model.
    void ListChanged();
    void SelectInTable(int entry);
    void FocusModelField();
    void Add();
    void Overwrite();
    void DeleteSelected();
    void EntryClicked(int row);
    std::optional<EntryField> FieldOf(QObject* widget) const;

    rave::MessageSink& messages_;
    const rave::RavelogSettings& settings_;
    SoilNamePass soilNames_;
    RowEditorModel model_;
    rave::platform::CellEditTable* table_ = nullptr;
    std::array<QLineEdit*, kEntryFields> fields_{};
    QComboBox* remarks_ = nullptr;
    QCheckBox* sandy_ = nullptr;
    QCheckBox* clayey_ = nullptr;
    std::array<QCheckBox*, 3> attributeBoxes_{};
    QCheckBox* autoIncrement_ = nullptr;
    QCheckBox* sameLoad_ = nullptr;
    QCheckBox* repeatedName_ = nullptr;
    QRadioButton* useNextValid_ = nullptr;
    QRadioButton* skipInvalid_ = nullptr;
    QCheckBox* lengthAsNa_ = nullptr;
    std::vector<QListWidget*> soilLists_;
    std::vector<QPushButton*> addButtons_;
    QPushButton* overwrite_ = nullptr;
    QPushButton* delete_ = nullptr;
    bool syncing_ = false;  // set while the dialog itself moves the table's selection or the focus
};

// 測定データ: the dialog over the main window's document; OK (or a cancel after the opening
// changed depths) is one undoable step and redraws.
void EditMeasuredRows(MainFrame& frame, const DialogRunner& run = ExecDialog);

}  // namespace ravelog::app
