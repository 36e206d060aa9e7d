// The placement dialog ("ｽｳｪｰﾃﾞﾝ、柱状図ﾌｧｲﾙ指定と配置"): the list of up to 25 log files with
// their distances and drawing options, the edit boxes below it, the source file chooser, the
// details dialog, and OK, which sorts the list into the document and rebuilds the column working
// file. The rules live in PlacementList; this class binds widgets to it.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>

#include "common/messages.h"
#include "common/settings_enter_key.h"
#include "ravesect/document/placement_list.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rave::platform {
class CellEditTable;
}

namespace ravesect::app {

class PlacementDialog : public QDialog {
    Q_OBJECT
public:
    // `enterKey`: what Enter does in the boxes (line 61 of "Sysq.ndx").
    PlacementDialog(std::filesystem::path installFolder, rave::MessageSink& messages,
                    SectionDocument& document, WorkingFiles files, QWidget* parent = nullptr,
                    rave::EnterKeyBehaviour enterKey = rave::EnterKeyBehaviour::kMoveToNext);

    // True once OK has stored the placement and rebuilt the working files.
    bool Applied() const { return applied_; }
    const PlacementList& List() const { return list_; }

    rave::platform::CellEditTable* Table() const { return table_; }
    QLineEdit* DistanceBox() const { return distance_; }
    QLineEdit* FileNameBox() const { return fileName_; }
    QLineEdit* SurveyNameBox() const { return surveyName_; }
    QLineEdit* LabelBox() const { return label_; }
    QRadioButton* MarkButton(int code) const { return mark_.at(static_cast<std::size_t>(code)); }
    QLineEdit* MarkNBox() const { return markN_; }
    QComboBox* WaterLevelBox() const { return waterLevel_; }
    QLineEdit* VersionBox() const { return version_; }
    QLineEdit* FrameOrderBox() const { return frameOrder_; }
    QLineEdit* RulerTitleBox() const { return rulerTitle_; }
    QCheckBox* ConvertedNPlotBox() const { return convertedNPlot_; }
    QPushButton* OpenButton() const { return openButton_; }
    QPushButton* AddButton() const { return addButton_; }
    QPushButton* OverwriteButton() const { return overwriteButton_; }
    QPushButton* DeleteButton() const { return deleteButton_; }
    QPushButton* DetailsButton() const { return detailsButton_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }

    // "開く" after the chooser: reads the header of `path` into the boxes.
    void OpenSourcePath(const QString& path);

    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The source file chooser; an empty text when the user cancels. Tests override it.
    virtual QString ChooseSourceFile(const QString& startFolder);
    // The details dialog on `details`; false on Cancel. Tests override it.
    virtual bool EditDetails(DetailsSettings& details);

private:
    void BuildControls();
    // Box values into the list's boxes; false (message shown) when a text cannot be kept in cp932.
    bool CollectBoxes();
    void ShowBoxes();
    void RowChosen(int row);
    void SelectRowAfterLast();
    void OpenSourceFile();
    void AddRow();
    void OverwriteRow();
    void DeleteRow();
    void OpenDetails();
    bool CellEdited(int row, int column, const QString& text);

    std::filesystem::path installFolder_;
    rave::MessageSink& messages_;
    SectionDocument& document_;
    WorkingFiles files_;
    PlacementList list_;
    bool applied_ = false;
    rave::EnterKeyBehaviour enterKey_;

    rave::platform::CellEditTable* table_ = nullptr;
    QLineEdit* surveyName_ = nullptr;
    QLineEdit* distance_ = nullptr;
    QLineEdit* fileName_ = nullptr;
    QLineEdit* label_ = nullptr;
    std::array<QRadioButton*, 3> mark_{};
    QLineEdit* markN_ = nullptr;
    QComboBox* waterLevel_ = nullptr;
    QLineEdit* elevationKind_ = nullptr;
    QLineEdit* elevation_ = nullptr;
    QLineEdit* depth_ = nullptr;
    QLineEdit* frameOrder_ = nullptr;
    QLineEdit* flagPosition_ = nullptr;
    QLineEdit* flagFlip_ = nullptr;
    QLineEdit* graphMirror_ = nullptr;
    QLineEdit* version_ = nullptr;
    QLineEdit* uValue_ = nullptr;
    QLineEdit* ndDecimals_ = nullptr;
    QLineEdit* rulerTitle_ = nullptr;
    QCheckBox* convertedNPlot_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* overwriteButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* detailsButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace ravesect::app
