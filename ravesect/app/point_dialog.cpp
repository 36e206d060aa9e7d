// The point dialog's widgets and their binding to the editing session.
#include "ravesect/app/point_dialog.h"

#include <QDialogButtonBox>
#include <QEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/numbers.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/editing/point_editing.h"

namespace ravesect::app {

namespace {

QString ModeText(int mode) {
    switch (mode) {
        case edit_mode::kAddPoint:
            return QStringLiteral("追加：断面図をクリックすると点を追加します");
        case edit_mode::kInsertPoint:
            return QStringLiteral("挿入：クリックした位置を指定の番号に挿入します");
        case edit_mode::kMovePoint:
            return QStringLiteral("修正：点をドラッグして移動します");
        case edit_mode::kDeletePoint:
            return QStringLiteral("削除：削除する点をクリックします");
        default:
            return QStringLiteral("ボタンを押してから断面図をクリックします");
    }
}

}  // namespace

PointDialog::PointDialog(SectionFrame& frame, EditSession& session, QWidget* parent)
    : EditingDialog(frame, session, QStringLiteral("pointDialog"), QStringLiteral("作図/点"), parent) {
    addButton = Button(QStringLiteral("追加"));
    addButton->setObjectName(QStringLiteral("addButton"));
    insertNumberEdit = new QLineEdit(QStringLiteral("1"), this);
    insertNumberEdit->setObjectName(QStringLiteral("insertNumberEdit"));
    insertNumberEdit->setValidator(new QIntValidator(-999, 999, insertNumberEdit));
    insertNumberEdit->setMaximumWidth(60);
    insertButton = Button(QStringLiteral("挿入"));
    insertButton->setObjectName(QStringLiteral("insertButton"));
    moveButton = Button(QStringLiteral("修正"));
    moveButton->setObjectName(QStringLiteral("moveButton"));
    deleteButton = Button(QStringLiteral("削除"));
    deleteButton->setObjectName(QStringLiteral("deleteButton"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("statusLabel"));
    status_->setWordWrap(true);
    status_->setMinimumWidth(300);

    auto* group = new QGroupBox(QStringLiteral("点（マウスで作図）"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(addButton, 0, 0, 1, 3);
    auto* numberLabel = new QLabel(QStringLiteral("番号(&N)"), group);
    numberLabel->setBuddy(insertNumberEdit);
    insertNumberEdit->setAccessibleName(QStringLiteral("挿入する番号"));
    grid->addWidget(numberLabel, 1, 0);
    auto* insertRow = new QHBoxLayout;
    insertRow->addWidget(insertNumberEdit);
    insertRow->addWidget(new QLabel(QStringLiteral("に"), group));
    grid->addLayout(insertRow, 1, 1);
    grid->addWidget(insertButton, 1, 2);
    grid->addWidget(moveButton, 2, 0, 1, 3);
    grid->addWidget(deleteButton, 3, 0, 1, 3);

    QDialogButtonBox* buttons = OkCancelButtons();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(status_);
    layout->addWidget(buttons);

    connect(addButton, &QPushButton::clicked, this, [this] { SetMode(edit_mode::kAddPoint); });
    connect(insertButton, &QPushButton::clicked, this, [this] {
        session_.SetInsertNumber(
            static_cast<int>(rave::ParseInteger(insertNumberEdit->text().toStdString())));
        SetMode(edit_mode::kInsertPoint);
    });
    connect(insertNumberEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        session_.SetInsertNumber(static_cast<int>(rave::ParseInteger(text.toStdString())));
    });
    connect(moveButton, &QPushButton::clicked, this, [this] { SetMode(edit_mode::kMovePoint); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { SetMode(edit_mode::kDeletePoint); });

    ChainTabOrder(
        {addButton, insertNumberEdit, insertButton, moveButton, deleteButton, okButton, cancelButton});
    Refresh();
}

bool PointDialog::OwnsMode(int mode) {
    return mode == edit_mode::kAddPoint || mode == edit_mode::kInsertPoint || mode == edit_mode::kMovePoint ||
           mode == edit_mode::kDeletePoint || mode == edit_mode::kHover;
}

void PointDialog::Refresh() {
    const int last = LastDefinedPoint(session_.Document());
    status_->setText(QStringLiteral("%1\n最後の点番号：%2").arg(ModeText(session_.Mode())).arg(last));
}

void PointDialog::SetMode(int mode) {
    session_.SetMode(mode);
    Refresh();
}

void PointDialog::enterEvent(QEnterEvent* event) {
    if (session_.Mode() == edit_mode::kNone) {
        session_.SetMode(edit_mode::kHover);
    }
    QDialog::enterEvent(event);
}

bool PointDialog::Commit() {
    // Only the points are committed: the layer dialog's pending rows stay pending.
    return CommitWorkingFile(frame_, EditedFile::kPointsLayers, QStringLiteral("作図/点"), [this] {
        return session_.Draft().CommitPoints(frame_.Files(), frame_.Messages());
    });
}

void PointDialog::Revert() {
    session_.RevertPointEdits();
}

}  // namespace ravesect::app
