// "地層の推定": the window-modal review of the layers proposed from the placed logs
// (LayerProposalReview). 地層 lists the units (記号 editable, a check mark to take it, 土質, 色,
// ハッチ, the logs it is found in); つながり the links between neighbouring logs with their kind
// and reason (an unchecked link leaves its unit out, for the engineer to draw); 土質 sets the
// colour and hatch of each group; 最小層厚(m) proposes again. While open, the section view shows
// the section as 採用 would write it. 採用 adds the checked units as points, layers and titles
// after the existing ones, 置き換え (after a question) replaces the points and layers and the
// titles an earlier proposal wrote; either is one undo step that writes both files or neither,
// after which the open point, layer and title dialogs show the files again. Logs at one distance
// or at an elevation the section cannot hold give a message instead of the dialog.
// キャンセル leaves the section as it was.
#pragma once

#include <QColor>
#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ravesect/editing/layer_proposal_review.h"

class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace ravesect::app {

class SectionFrame;
class SectionView;

class LayerProposalDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the dialog over `frame` on the section as last committed; nothing (after a message)
    // when fewer than two placed logs have layers.
    static LayerProposalDialog* OpenOver(SectionFrame& frame);

    LayerProposalDialog(SectionFrame& frame, std::unique_ptr<LayerProposalReview> review,
                        QWidget* parent = nullptr);
    ~LayerProposalDialog() override;

    LayerProposalReview& Review() { return *review_; }
    // What the view draws while the dialog is open.
    const SectionDocument& PreviewDocument() const { return preview_; }

    // The colour chooser; tests replace it. Nothing when cancelled.
    std::function<std::optional<QColor>(const QColor& initial)> chooseColour;

    QDoubleSpinBox* thicknessBox = nullptr;
    QDoubleSpinBox* bandBox = nullptr;
    QTableWidget* unitTable = nullptr;
    QTableWidget* linkTable = nullptr;
    QLabel* noteLabel = nullptr;
    struct GroupRow {
        SoilGroup group;
        QPushButton* colour;
        QComboBox* hatch;
    };
    std::vector<GroupRow> groupRows;
    QPushButton* adoptButton = nullptr;
    QPushButton* replaceButton = nullptr;
    QPushButton* cancelButton = nullptr;

    // 採用 (`replace` false) or 置き換え: true when the section was written and the dialog closed.
    bool Adopt(bool replace);
    void done(int result) override;

private:
    void BuildGroups();
    void FillUnits();
    void FillLinks();
    void ShowState();
    void Proposed();
    void UnitChanged(QTableWidgetItem* item);
    void LinkChanged(QTableWidgetItem* item);
    void ChooseGroupColour(SoilGroup group);
    void ChainTabs();

    SectionFrame& frame_;
    std::unique_ptr<LayerProposalReview> review_;
    SectionDocument preview_;
    QPointer<SectionView> view_;  // the frame's, which may go first when the window closes
    QWidget* groupBox_ = nullptr;
    QGridLayout* groupGrid_ = nullptr;
    bool filling_ = false;
};

}  // namespace ravesect::app
