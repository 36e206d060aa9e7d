// The format and decimals dialog ("設定 > 様式/桁数", menu "様式 桁数(&Y)"): the radio groups, the
// decimals shown, the default titles of the three formats, the default company name and the
// self-sinking verdict line of format 3, bound to
// rave::FormatDecimalsEditor. OK stores the values, rewrites "Sys.ndx" and redraws the sheet.
#pragma once

#include <QDialog>
#include <array>

#include "common/settings_format_decimals.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace ravelog::app {

class MainFrame;

// The reminder about the depth decimals, shown at most once in a program run.
rave::DepthDecimalsReminder& RunDepthDecimalsReminder();

class FormatDecimalsDialog : public QDialog {
    Q_OBJECT
public:
    FormatDecimalsDialog(MainFrame& frame, rave::DepthDecimalsReminder& reminder, QWidget* parent = nullptr);

    // The controls, for tests: radio groups in the order of the dialog, decimals fields (depth, Na,
    // L, N, qu, qa) and the title drop-downs (formats 1, 2, 3).
    QButtonGroup* RadioGroup(int index) const { return groups_.at(static_cast<std::size_t>(index)); }
    QLineEdit* DecimalsField(int index) const { return decimals_.at(static_cast<std::size_t>(index)); }
    QComboBox* TitleBox(int format) const { return titles_.at(static_cast<std::size_t>(format - 1)); }
    QLineEdit* CompanyField() const { return company_; }
    QCheckBox* SelfSinkingBox() const { return selfSinking_; }
    QLineEdit* FootingDepthField() const { return footingDepth_; }

    // "標準の設定".
    void ApplyStandard();

public Q_SLOTS:
    void accept() override;

private:
    void ShowModel();
    bool ReadIntoModel();

    MainFrame& frame_;
    rave::DepthDecimalsReminder& reminder_;
    rave::FormatDecimalsEditor model_;
    std::array<QButtonGroup*, 6> groups_{};
    std::array<QLineEdit*, 6> decimals_{};
    std::array<QComboBox*, 3> titles_{};
    QLineEdit* company_ = nullptr;
    QCheckBox* selfSinking_ = nullptr;
    QLineEdit* footingDepth_ = nullptr;
};

}  // namespace ravelog::app
