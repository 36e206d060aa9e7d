// "標題記事": the modeless title dialog. The list shows the 50 title entries (text, font number,
// X in 0.1 m, Y in m); the boxes below edit one. "追加" places the text of the box at the next
// clicks on the section, "位置修正" drags a title, "上書き", "削除", "↑", "↓" and "リスト更新"
// work on the list. OK reports repeated titles and writes "TmpP.tmp" as one undo step; Cancel
// re-reads it.
#pragma once

#include "ravesect/app/editing_dialog.h"
#include "ravesect/editing/title_list.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ravesect::app {

class TitleDialog : public ListEditingDialog {
    Q_OBJECT
public:
    TitleDialog(SectionFrame& frame, EditSession& session, QWidget* parent = nullptr);

    static bool OwnsMode(int mode);
    // The list again from the document (after an undo, a placement or a drag on the section).
    void Reload();
    TitleListModel& Model() { return model_; }

    QTableWidget* table = nullptr;
    QLineEdit* numberEdit = nullptr;
    QLineEdit* textEdit = nullptr;
    QLineEdit* fontEdit = nullptr;
    QLineEdit* xEdit = nullptr;
    QLineEdit* yEdit = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* moveButton = nullptr;
    QPushButton* overwriteButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* upButton = nullptr;
    QPushButton* downButton = nullptr;
    QPushButton* refreshButton = nullptr;

protected:
    bool Owns(int mode) const override { return OwnsMode(mode); }
    bool Commit() override;
    void Revert() override;
    QStringList RowTexts(int row) const override;
    void SelectModelRow(int row) override { model_.SelectRow(row); }

private:
    QLayout* BuildBoxes();
    QLayout* BuildRowButtons();
    void ConnectButtons();
    void MoveRow(bool up);

    TitleListModel model_;
};

}  // namespace ravesect::app
