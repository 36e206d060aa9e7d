// The details dialog of the placement ("詳細設定"): frame order, flag position, flag flip, graph
// mirror and the Nd decimals of one placed column. It edits a DetailsSettings; the placement
// dialog hands the result to its list.
#pragma once

#include <QDialog>
#include <array>

#include "common/messages.h"
#include "ravesect/document/placement_list.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace ravesect::app {

class PlacementDetailsDialog : public QDialog {
    Q_OBJECT
public:
    PlacementDetailsDialog(const DetailsSettings& details, rave::MessageSink& messages,
                           QWidget* parent = nullptr);

    // The values as the controls hold them (valid after OK).
    const DetailsSettings& Details() const { return details_; }

    QRadioButton* FrameOrderButton(int code) const { return frameOrder_.at(static_cast<std::size_t>(code)); }
    QRadioButton* FlagPositionButton(int code) const {
        return flagPosition_.at(static_cast<std::size_t>(code));
    }
    QCheckBox* FlagFlipBox() const { return flagFlip_; }
    QCheckBox* GraphMirrorBox() const { return graphMirror_; }
    QComboBox* NdDecimalsBox() const { return ndDecimals_; }

    void accept() override;

private:
    void ShowDetails();
    void RestoreDefaults();

    DetailsSettings details_;
    rave::MessageSink& messages_;
    std::array<QRadioButton*, 6> frameOrder_{};
    std::array<QRadioButton*, 4> flagPosition_{};
    QCheckBox* flagFlip_ = nullptr;
    QCheckBox* graphMirror_ = nullptr;
    QComboBox* ndDecimals_ = nullptr;
};

}  // namespace ravesect::app
