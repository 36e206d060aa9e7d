// The format sheet ("様式"): two pages, "目盛り 記号" (flag, N-value and Swedish graphs, sample and
// in-situ symbols) and "線種 マージン 名称" (line widths, dashes and colours, margins, company
// name), over the numbered lines of "Sysq.ndx". OK checks every box (FirstFormatSheetFault) and
// the N-graph frame against the maximum blow count (FormatSheetLoop, which keeps the sheet open
// with the corrected frame, at most 5 times); the caller saves the values.
#pragma once

#include <QColor>
#include <QDialog>
#include <map>
#include <optional>

#include "common/messages.h"
#include "ravesect/settings/format_sheet.h"
#include "ravesect/settings/sysq_settings.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace ravesect::app {

class FormatSheetDialog : public QDialog {
    Q_OBJECT
public:
    FormatSheetDialog(const SysqSettings& sysq, rave::MessageSink& messages, QWidget* parent = nullptr);

    // The settings as the sheet holds them (after OK: what the caller saves).
    const SysqSettings& Values() const { return values_; }

    QTabWidget* Pages() const { return pages_; }
    // The control of a line of "Sysq.ndx": a box, a drop-down, a check box, or the second radio
    // button of a two-way choice (checked for value 1). Null for a line the sheet does not show.
    QLineEdit* Box(int line) const;
    QComboBox* Choice(int line) const;
    QCheckBox* Check(int line) const;
    QRadioButton* SecondChoice(int line) const;

    void accept() override;

protected:
    // The system colour chooser; nothing when cancelled. Tests override it.
    virtual std::optional<QColor> ChooseColour(const QColor& current, const QString& title);

private:
    QWidget* BuildScalePage();
    QWidget* BuildLinePage();
    QLineEdit* AddBox(int line, int width = 50, int maxLength = 0);
    QComboBox* AddChoice(int line, std::initializer_list<const char*> choices, bool editable = false);
    QCheckBox* AddCheck(int line, const QString& text);
    QWidget* AddTwoWay(int line, const QString& first, const QString& second);
    QWidget* AddColour(int line);
    void AddLineRow(QGridLayout* grid, int row, const QString& name, const QString& widthLabel, int widthLine,
                    int solidLine, int blankLine, int colourLine);
    void ShowValues();
    // The controls into values_; false after the message when a text cannot be kept in cp932.
    bool CollectValues();
    void ColourModeChanged();

    rave::MessageSink& messages_;
    SysqSettings values_;
    FormatSheetLoop loop_;
    QTabWidget* pages_ = nullptr;
    std::map<int, QLineEdit*> boxes_;
    std::map<int, QComboBox*> choices_;
    std::map<int, QCheckBox*> checks_;
    std::map<int, QRadioButton*> secondChoices_;
    std::map<int, QRadioButton*> firstChoices_;
    std::map<int, QWidget*> colourButtons_;
};

}  // namespace ravesect::app
