// "作図/層": the modeless layer dialog. The list shows the 20 layers (No., 構成点No., RGB, ﾊｯﾁ,
// 線); the boxes below edit one. While the point-list box has the focus, clicks on the section
// append the nearest point's number to it (mode 21). "色" opens the colour chooser, "追加 上書き↓"
// stores the boxes into the row of that number, "削除", "↑", "↓" and "図 更新" work on the
// selected row. OK writes "SmpP.tmp" (its layers, with the points as last committed) as one undo
// step; Cancel brings back the layers as last committed. The point dialog's pending points stay.
#pragma once

#include <QColor>
#include <functional>
#include <optional>

#include "ravesect/app/editing_dialog.h"
#include "ravesect/editing/layer_list.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ravesect::app {

class LayerDialog : public ListEditingDialog {
    Q_OBJECT
public:
    LayerDialog(SectionFrame& frame, EditSession& session, QWidget* parent = nullptr);
    ~LayerDialog() override;

    static bool OwnsMode(int mode);
    // The rows again from the document (after an undo, or OK of the point dialog).
    void Reload();
    // A point picked on the section while the point-list box has the focus.
    void AppendPickedPoint(int number);
    // Points were renumbered by an insertion in the point dialog (or its drop, `back`): the rows
    // and the point-list box follow, keeping what is typed in the other boxes.
    void FollowRenumberedPoints(int from, bool back);
    LayerListModel& Model() { return model_; }

    // The colour chooser; tests replace it. Nothing when cancelled.
    std::function<std::optional<QColor>(const QColor& initial)> chooseColour;

    QTableWidget* table = nullptr;
    QLineEdit* numberEdit = nullptr;
    QLineEdit* pointsEdit = nullptr;
    QLineEdit* colourEdit = nullptr;
    QLineEdit* hatchEdit = nullptr;
    QLineEdit* lineModeEdit = nullptr;
    QPushButton* colourButton = nullptr;
    QPushButton* storeButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* upButton = nullptr;
    QPushButton* downButton = nullptr;
    QPushButton* redrawButton = nullptr;

protected:
    bool Owns(int mode) const override { return OwnsMode(mode); }
    bool Commit() override;
    void Revert() override;
    QStringList RowTexts(int row) const override;
    void DecorateCell(int row, int column, QTableWidgetItem& item) const override;
    void SelectModelRow(int row) override { model_.SelectRow(row); }

private:
    void BuildList();
    QLayout* BuildBoxes();
    QLayout* BuildRowButtons();
    void ConnectButtons();
    void Store();
    void ChooseColour();
    void FocusMoved(QWidget* now);

    LayerListModel model_;
};

}  // namespace ravesect::app
