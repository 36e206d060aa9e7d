// The dialog of the program's default coefficient set ("新規作成時用の初期設定値", menu
// "換算係数(&C)"): the display choice and the 24 coefficients that new and old documents take for
// their empty slots, bound to ravelog::EditDefaultCoefficients. OK stores them and rewrites
// "Sys.ndx"; the open document keeps its own values.
#pragma once

#include <QDialog>
#include <array>

#include "ravelog/conversion/default_coefficients_editor.h"

class QButtonGroup;
class QLineEdit;

namespace ravelog::app {

class MainFrame;

class DefaultCoefficientsDialog : public QDialog {
    Q_OBJECT
public:
    explicit DefaultCoefficientsDialog(MainFrame& frame, QWidget* parent = nullptr);

    // For tests: set 0 N sandy, 1 N clayey, 2 qu, 3 qa formula, coefficient 0..4 (a..e); the four
    // factors of qa = b·N; the display choices.
    QLineEdit* Coefficient(int set, int index) const;
    QLineEdit* QaFromNFactor(int index) const { return qaFromN_.at(static_cast<std::size_t>(index)); }
    QButtonGroup* DisplayGroup() const { return display_; }

    void ApplyStandard();

public Q_SLOTS:
    void accept() override;

private:
    void ShowModel();
    bool ReadIntoModel();

    MainFrame& frame_;
    EditDefaultCoefficients model_;
    std::array<std::array<QLineEdit*, 5>, 4> coefficients_{};
    std::array<QLineEdit*, 4> qaFromN_{};
    QButtonGroup* display_ = nullptr;
};

}  // namespace ravelog::app
