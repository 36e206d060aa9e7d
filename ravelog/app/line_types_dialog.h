// The line-type dialog ("設定 > 線種", menu "線種(L)"): widths, dash and gap lengths in device
// pixels, the plot line style, colour or monochrome lines and the colours of rules, grids and
// plots, bound to rave::LineTypeEditor. OK stores the values, rewrites "Sys.ndx" and redraws.
#pragma once

#include <QColor>
#include <QDialog>
#include <map>
#include <optional>

#include "common/settings_line_types.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravelog::app {

class MainFrame;

class LineTypesDialog : public QDialog {
    Q_OBJECT
public:
    explicit LineTypesDialog(MainFrame& frame, QWidget* parent = nullptr);

    // The edit field of a settings line (37-39, 41-58, 83-85), for tests.
    QLineEdit* Field(int line) const { return fields_.at(line); }
    QPushButton* ColourButton(int line) const { return colourButtons_.at(line); }
    QComboBox* PlotStyleBox() const { return plotStyle_; }
    QRadioButton* ColourRadio() const { return colourRadio_; }
    QRadioButton* MonochromeRadio() const { return monochromeRadio_; }

    void ApplyPreset(rave::LineTypePreset preset);
    // The "色" button of a colour line: the colour chooser, then the field.
    void ChooseColourFor(int line);

public Q_SLOTS:
    void accept() override;

protected:
    // The system colour chooser; tests answer it. Nothing when the user cancels.
    virtual std::optional<QColor> ChooseColour(const QColor& initial, const QString& title);

private:
    void ShowModel();
    bool ReadIntoModel();
    void ModeChosen(bool monochrome);
    void UpdateEnabled();

    MainFrame& frame_;
    rave::LineTypeEditor model_;
    std::map<int, QLineEdit*> fields_;
    std::map<int, QPushButton*> colourButtons_;
    QComboBox* plotStyle_ = nullptr;
    QRadioButton* colourRadio_ = nullptr;
    QRadioButton* monochromeRadio_ = nullptr;
};

}  // namespace ravelog::app
