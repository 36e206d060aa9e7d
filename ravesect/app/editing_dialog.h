// What the three modeless editing dialogs ("作図/点", "作図/層", "標題記事") share around their
// models. Each works over the frame's editing session and sets modes in it; closing the dialog
// ends its own modes. OK writes one working file as one undo step (Commit, then the mode ends);
// Cancel brings back what was last committed (Revert) and repaints. Enter does what the user chose
// in "キーの動作".
//
// ListEditingDialog adds the list the layer and title dialogs show: a table of rows above boxes
// that edit the selected row, the boxes bound to the model's fields.
#pragma once

#include <QDialog>
#include <QSize>
#include <QStringList>
#include <initializer_list>
#include <string>
#include <vector>

#include "ravesect/app/section_edit_commands.h"
#include "ravesect/editing/edit_session.h"

class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace ravesect::app {

class SectionFrame;

class EditingDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

    void accept() override;
    void reject() override;

protected:
    EditingDialog(SectionFrame& frame, EditSession& session, const QString& objectName, const QString& title,
                  QWidget* parent);

    // The session modes this dialog sets.
    virtual bool Owns(int mode) const = 0;
    // OK: the dialog's edits are written (through CommitWorkingFile, one undo step); false when
    // they could not be (the message said why), and the dialog stays open with them. Cancel:
    // the last committed state comes back.
    virtual bool Commit() = 0;
    virtual void Revert() = 0;

    // "OK" and "キャンセル" (okButton, cancelButton) bound to accept and reject.
    QDialogButtonBox* OkCancelButtons();
    // A push button with an accessible name when it shows only an arrow.
    QPushButton* Button(const QString& text, const QString& accessibleName = {});
    // The tab order along `widgets`.
    void ChainTabOrder(std::initializer_list<QWidget*> widgets);
    void EndMode();
    void keyPressEvent(QKeyEvent* event) override;

    SectionFrame& frame_;
    EditSession& session_;
};

class ListEditingDialog : public EditingDialog {
    Q_OBJECT
protected:
    using EditingDialog::EditingDialog;

    struct BoxBinding {
        QLineEdit* box;
        std::string* field;
    };
    struct ListColumn {
        QString header;
        int width;
    };
    // The list of `rows` rows (no cell edited in place, one row selected at a time); choosing a
    // row selects it in the model and shows it in the boxes.
    QTableWidget* MakeList(int rows, std::initializer_list<ListColumn> columns, const QString& objectName,
                           const QString& accessibleName, QSize minimum);
    // A box with its object name and, when above 0, its largest width.
    QLineEdit* MakeBox(const QString& objectName, int maximumWidth = 0, const QString& text = {});
    // The boxes and the model's fields they edit.
    void BindBoxes(std::vector<BoxBinding> boxes) { boxes_ = std::move(boxes); }
    // The boxes into the model's fields; false (after a message) when a box holds text cp932
    // cannot.
    bool TakeBoxes();
    void ShowBoxes();
    // Every row of the list from RowTexts (and DecorateCell).
    void FillTable();
    // Row `row` (from 1) selected in the list and the model, and shown in the boxes.
    void SelectRow(int row);
    int SelectedRow() const;

    virtual QStringList RowTexts(int row) const = 0;
    virtual void DecorateCell(int row, int column, QTableWidgetItem& item) const {}
    virtual void SelectModelRow(int row) = 0;

private:
    QTableWidget* list_ = nullptr;
    std::vector<BoxBinding> boxes_;
};

}  // namespace ravesect::app
