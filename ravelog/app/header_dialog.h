// The header dialog "スゥェーデン見出し": the survey data, date, devices, position, report
// format, titles and notes of the sounding, bound to the header editor model. Every field is
// named "slotN" after the header slot it edits; the buttons are "copyTitleN" and "copyNoteN".
#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/app/data_dialog_support.h"
#include "ravelog/entry/header_editor.h"

class QButtonGroup;
class QGridLayout;
class QLineEdit;

namespace ravelog::app {

class MainFrame;

class HeaderDialog : public QDialog {
    Q_OBJECT
public:
    // Edits the header of `document`, which OK writes to; `settings` gives the default titles.
    HeaderDialog(SoundingDocument& document, const rave::RavelogSettings& settings,
                 std::vector<std::string> technicians, rave::MessageSink& messages,
                 QWidget* parent = nullptr);

    // Checks and writes every field back; a refused field keeps the dialog open with the focus on it.
    void accept() override;

private:
    QWidget* CreateField(const HeaderField& field);
    QWidget* Field(int slot) const { return fields_.at(slot); }
    QWidget* TextRow(QGridLayout* grid, int row, int slot);
    QWidget* RadioGroup(int slot);
    // Widgets to model; false (after the message) when a text cannot be stored.
    bool PullAll();
    // Model to the widget of `slot`.
    void Push(int slot);
    void FocusField(int slot);
    QString LabelOf(int slot) const;

    SoundingDocument& document_;
    rave::MessageSink& messages_;
    HeaderEditorModel model_;
    std::map<int, QWidget*> fields_;
    std::map<int, QButtonGroup*> radioGroups_;
    std::vector<QWidget*> tabOrder_;
};

// 見出し: the dialog over the main window's document; OK is one undoable step and redraws.
void EditHeader(MainFrame& frame, const DialogRunner& run = ExecDialog);

}  // namespace ravelog::app
