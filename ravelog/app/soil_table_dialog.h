// The soil-name table dialogs: "JACIC版土質名図模様の設定・登録" (menu "JACIC版土質名(&3)") and its
// reduced copy "シンプル版土質名図模様の設定・登録" (menu "シンプル版土質名(&4)"), bound to
// rave::SoilTableEditor. The master list with the edit fields and pattern previews above it, the
// pattern list and the bitmap tiles to pick from, the log display settings and the bitmap folder.
// OK writes the master file and "Sys.ndx" and reloads the tables into the running program.
#pragma once

#include <QDialog>

#include "common/soil_table_editor.h"
#include "platform/pattern_swatch.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace rave::platform {
class CellEditTable;
}

namespace ravelog::app {

class MainFrame;

class SoilTableDialog : public QDialog {
    Q_OBJECT
public:
    SoilTableDialog(MainFrame& frame, rave::SoilTableVariant variant, QWidget* parent = nullptr);

    const rave::SoilTableEditor& Model() const { return model_; }
    bool IsJacic() const { return model_.Variant() == rave::SoilTableVariant::kJacic; }

    // For tests and screenshots.
    rave::platform::CellEditTable* List() const { return list_; }
    QLineEdit* NameField() const { return name_; }
    QButtonGroup* ClassGroup() const { return class_; }
    QLineEdit* LineNumberField() const { return lineNumber_; }
    QLineEdit* BitmapNumberField() const { return bitmapNumber_; }  // null in the simple dialog
    rave::platform::PatternSwatch* LinePreview() const { return linePreview_; }
    rave::platform::PatternSwatch* BitmapPreview() const { return bitmapPreview_; }
    QTableWidget* PatternList() const { return patterns_; }  // null in the simple dialog
    QListWidget* BitmapList() const { return bitmaps_; }
    QButtonGroup* DisplayGroup() const { return display_; }  // null in the simple dialog
    QButtonGroup* ColourGroup() const { return colour_; }
    QLineEdit* LineWidthField() const { return lineWidth_; }
    QLineEdit* BitmapFolderField() const { return bitmapFolder_; }
    QPushButton* Button(const QString& text) const;

    // The buttons, as they act.
    void InsertRow();
    void OverwriteRow();
    void EditRow();
    void DeleteRow();
    void MoveRow(bool up);
    void ApplyPattern();
    void RestoreStandard();

public Q_SLOTS:
    void accept() override;

private:
    QWidget* CreateEditArea();
    QWidget* CreatePickArea();
    QWidget* CreateDisplayArea();
    // Edit fields and display settings into the model; false (message shown) when a text cannot
    // be taken.
    bool ReadFields();
    // The bitmap folder field into the model (cp932); false (message shown) when it cannot be.
    bool ReadFolderField();
    void ShowFields();
    void ShowDisplaySettings();
    void ShowList();
    void UpdatePreviews();
    void FillPatternList();
    void FillBitmapList();
    rave::platform::PatternSwatchContent SwatchOf(const rave::PatternPreview& preview) const;
    QPushButton* AddButton(const QString& text, const QString& accessibleName,
                           void (SoilTableDialog::*slot)());

    MainFrame& frame_;
    rave::SoilTableEditor model_;
    rave::platform::CellEditTable* list_ = nullptr;
    QLineEdit* name_ = nullptr;
    QButtonGroup* class_ = nullptr;
    QLineEdit* lineNumber_ = nullptr;
    QLineEdit* bitmapNumber_ = nullptr;
    rave::platform::PatternSwatch* linePreview_ = nullptr;
    rave::platform::PatternSwatch* bitmapPreview_ = nullptr;
    QTableWidget* patterns_ = nullptr;
    QListWidget* bitmaps_ = nullptr;
    QButtonGroup* display_ = nullptr;
    QButtonGroup* colour_ = nullptr;
    QLineEdit* lineWidth_ = nullptr;
    QCheckBox* mixedMarking_ = nullptr;
    QLineEdit* bitmapFolder_ = nullptr;
    QList<QPushButton*> buttons_;
};

}  // namespace ravelog::app
