// The shared part of the editing dialogs: OK and Cancel, the end of the mode, Enter, and the
// list of rows with its boxes.
#include "ravesect/app/editing_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "ravesect/app/dialog_support.h"
#include "ravesect/app/section_dialog_bindings.h"
#include "ravesect/app/section_frame.h"

namespace ravesect::app {

EditingDialog::EditingDialog(SectionFrame& frame, EditSession& session, const QString& objectName,
                             const QString& title, QWidget* parent)
    : QDialog(parent), frame_(frame), session_(session) {
    setObjectName(objectName);
    setWindowTitle(title);
    setModal(false);
}

void EditingDialog::accept() {
    if (!Commit()) {
        return;  // nothing written: the edits stay in the open dialog
    }
    EndMode();
    QDialog::accept();
}

void EditingDialog::reject() {
    Revert();
    EndMode();
    frame_.RefreshView();
    QDialog::reject();
}

QDialogButtonBox* EditingDialog::OkCancelButtons() {
    auto* buttons = new QDialogButtonBox(this);
    okButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cancelButton = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &EditingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &EditingDialog::reject);
    return buttons;
}

QPushButton* EditingDialog::Button(const QString& text, const QString& accessibleName) {
    auto* button = new QPushButton(text, this);
    if (!accessibleName.isEmpty()) {
        button->setAccessibleName(accessibleName);
    }
    return button;
}

void EditingDialog::ChainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void EditingDialog::EndMode() {
    if (Owns(session_.Mode())) {
        session_.SetMode(edit_mode::kNone);
    }
}

void EditingDialog::keyPressEvent(QKeyEvent* event) {
    const SysqEnterKeyBinding enterKey(frame_.Sysq(), frame_.InstallFolder());
    if (!HandleEnterKey(*this, event, enterKey.Behaviour(), [this] { focusNextChild(); })) {
        QDialog::keyPressEvent(event);
    }
}

QTableWidget* ListEditingDialog::MakeList(int rows, std::initializer_list<ListColumn> columns,
                                          const QString& objectName, const QString& accessibleName,
                                          QSize minimum) {
    list_ = new QTableWidget(rows, static_cast<int>(columns.size()), this);
    list_->setObjectName(objectName);
    list_->setAccessibleName(accessibleName);
    QStringList headers;
    for (const ListColumn& column : columns) {
        headers.append(column.header);
    }
    list_->setHorizontalHeaderLabels(headers);
    int index = 0;
    for (const ListColumn& column : columns) {
        list_->setColumnWidth(index++, column.width);
    }
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->setMinimumSize(minimum);
    connect(list_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (row >= 0) {
            SelectModelRow(row + 1);
            ShowBoxes();
        }
    });
    return list_;
}

QLineEdit* ListEditingDialog::MakeBox(const QString& objectName, int maximumWidth, const QString& text) {
    auto* box = new QLineEdit(text, this);
    box->setObjectName(objectName);
    if (maximumWidth > 0) {
        box->setMaximumWidth(maximumWidth);
    }
    return box;
}

bool ListEditingDialog::TakeBoxes() {
    for (const BoxBinding& binding : boxes_) {
        const std::optional<std::string> bytes =
            ToCp932(binding.box->text(), binding.box->accessibleName(), frame_.Messages());
        if (!bytes) {
            return false;
        }
        *binding.field = *bytes;
    }
    return true;
}

void ListEditingDialog::ShowBoxes() {
    for (const BoxBinding& binding : boxes_) {
        binding.box->setText(FromCp932(*binding.field));
    }
}

void ListEditingDialog::FillTable() {
    for (int row = 1; row <= list_->rowCount(); ++row) {
        const QStringList texts = RowTexts(row);
        for (int column = 0; column < texts.size(); ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            DecorateCell(row, column, *item);
            list_->setItem(row - 1, column, item);
        }
    }
}

void ListEditingDialog::SelectRow(int row) {
    list_->setCurrentCell(row - 1, 0);
    SelectModelRow(row);
    ShowBoxes();
}

int ListEditingDialog::SelectedRow() const {
    return list_->currentRow() + 1;
}

}  // namespace ravesect::app
