// The dialog "換算値 係数と表示": which converted values the sheet shows, the graph scales, the
// coefficients of N, qu and qa, the plot depths and the qa display options of the sounding,
// bound to EditConversionSettings. Fields are named "slotN" after the header slot they edit,
// radio buttons "slotN_i", the example buttons "example0".."example4".
#pragma once

#include <QDialog>
#include <map>
#include <vector>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/app/data_dialog_support.h"
#include "ravelog/conversion/conversion_settings_editor.h"

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ravelog::app {

class MainFrame;

class ConversionSettingsDialog : public QDialog {
    Q_OBJECT
public:
    ConversionSettingsDialog(SoundingDocument& document, const rave::RavelogSettings& settings,
                             rave::MessageSink& messages, QWidget* parent = nullptr);

    // Checks and writes every slot back, then the classes and conversions of the rows are
    // recomputed; a refused field keeps the dialog open with the focus on it.
    void accept() override;

protected:
    // The qa display limit and the Nsw cap act when they lose the focus, the suggestion when it
    // gets it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* Edit(int slot, int width = 56);
    QCheckBox* Check(int slot, const QString& label);
    QWidget* Radios(int slot, const QStringList& labels, bool vertical = false);
    QGridLayout* CoefficientRow(QGridLayout* grid, int row, const QString& label, int firstSlot);
    // Widget texts into the model; false (after the message) when a text cannot be stored.
    bool Pull(int slot);
    bool PullAll();
    void PushAll();
    void ShowSuggestion();
    void FocusSlot(int slot);

    SoundingDocument& document_;
    rave::MessageSink& messages_;
    EditConversionSettings model_;
    std::map<int, QLineEdit*> edits_;
    std::map<int, QCheckBox*> checks_;
    std::map<int, QButtonGroup*> radios_;
    std::map<int, QString> labels_;
    std::vector<QWidget*> tabOrder_;
    QLineEdit* suggestion_ = nullptr;
    QPushButton* copySuggestion_ = nullptr;
    QLabel* suggestionUnit_ = nullptr;
};

// 換算値 係数と表示: the dialog over the main window's document; OK recomputes the conversions,
// is one undoable step and redraws.
void EditConversions(MainFrame& frame, const DialogRunner& run = ExecDialog);

}  // namespace ravelog::app
