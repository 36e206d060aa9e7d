// "標題記事": the modeless title dialog. The list shows the 50 title entries (text, font number,
// X in 0.1 m, Y in m); the boxes below edit one. "追加" places the text of the box at the next
// clicks on the section, "位置修正" drags a title, "上書き", "削除", "↑", "↓" and "リスト更新"
// work on the list. OK reports repeated titles and writes "TmpP.tmp" as one undo step; Cancel
// re-reads it.
#pragma once

#include <QDialog>

#include "ravesect/editing/edit_session.h"
#include "ravesect/editing/title_list.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ravesect::app {

class SectionFrame;

class TitleDialog : public QDialog {
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
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FillTable();
    void SelectRow(int row);
    int SelectedRow() const;
    bool TakeBoxes();
    void ShowBoxes();
    void MoveRow(bool up);
    void EndMode();

    SectionFrame& frame_;
    EditSession& session_;
    TitleListModel model_;
};

}  // namespace ravesect::app
