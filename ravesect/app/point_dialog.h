// "作図/点": the modeless point dialog. Its buttons put the view into the point modes (追加 adds a
// point at each click, 挿入 inserts at the number of the box before it, 修正 drags a point, 削除
// deletes the clicked point after a question); OK writes "SmpP.tmp" (its points, with the layers
// as last committed) as one undo step, Cancel brings back the points as last committed. The
// layer dialog's pending rows stay pending either way. Closing the dialog ends its mode.
#pragma once

#include "ravesect/app/editing_dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ravesect::app {

class PointDialog : public EditingDialog {
    Q_OBJECT
public:
    PointDialog(SectionFrame& frame, EditSession& session, QWidget* parent = nullptr);

    // The mode buttons' codes, for the status line and for knowing which modes are this dialog's.
    static bool OwnsMode(int mode);
    // The status line follows the session (mode and number of points).
    void Refresh();

    QPushButton* addButton = nullptr;
    QLineEdit* insertNumberEdit = nullptr;
    QPushButton* insertButton = nullptr;
    QPushButton* moveButton = nullptr;
    QPushButton* deleteButton = nullptr;

protected:
    bool Owns(int mode) const override { return OwnsMode(mode); }
    bool Commit() override;
    void Revert() override;
    // The mouse over the dialog with no mode set: the next click on the section repaints.
    void enterEvent(QEnterEvent* event) override;

private:
    void SetMode(int mode);

    QLabel* status_ = nullptr;
};

}  // namespace ravesect::app
