// The title dialog's widgets and their binding to the title list model.
#include "ravesect/app/title_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/format.h"
#include "ravesect/app/dialog_support.h"
#include "ravesect/app/section_dialog_bindings.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_frame.h"

namespace ravesect::app {

namespace {

enum Column { kText, kFont, kX, kY, kColumnCount };

QString Position(double value) {
    return IsDefinedCoordinate(value) ? QString::fromStdString(rave::FormatText("%.2f", value)) : QString();
}

}  // namespace

TitleDialog::TitleDialog(SectionFrame& frame, EditSession& session, QWidget* parent)
    : QDialog(parent), frame_(frame), session_(session), model_(session, frame.Messages()) {
    setObjectName(QStringLiteral("titleDialog"));
    setWindowTitle(QStringLiteral("標題記事"));
    setModal(false);

    table = new QTableWidget(kTitleEntries, kColumnCount, this);
    table->setObjectName(QStringLiteral("titleTable"));
    table->setAccessibleName(QStringLiteral("標題記事の一覧"));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("標題記事"), QStringLiteral("ﾌｫﾝﾄ"), QStringLiteral("X"), QStringLiteral("Y")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setColumnWidth(kText, 300);
    table->setColumnWidth(kFont, 50);
    table->setColumnWidth(kX, 80);
    table->setColumnWidth(kY, 80);
    table->setMinimumSize(590, 320);

    numberEdit = new QLineEdit(this);
    textEdit = new QLineEdit(this);
    fontEdit = new QLineEdit(QStringLiteral("1"), this);
    xEdit = new QLineEdit(this);
    yEdit = new QLineEdit(this);
    numberEdit->setObjectName(QStringLiteral("numberEdit"));
    textEdit->setObjectName(QStringLiteral("textEdit"));
    fontEdit->setObjectName(QStringLiteral("fontEdit"));
    xEdit->setObjectName(QStringLiteral("xEdit"));
    yEdit->setObjectName(QStringLiteral("yEdit"));
    numberEdit->setMaximumWidth(50);
    fontEdit->setMaximumWidth(40);
    xEdit->setMaximumWidth(90);
    yEdit->setMaximumWidth(90);
    fontEdit->setToolTip(QStringLiteral("1 または 2"));

    addButton = new QPushButton(QStringLiteral("追加"), this);
    moveButton = new QPushButton(QStringLiteral("位置修正"), this);
    overwriteButton = new QPushButton(QStringLiteral("上書き"), this);
    deleteButton = new QPushButton(QStringLiteral("削除"), this);
    upButton = new QPushButton(QStringLiteral("↑"), this);
    downButton = new QPushButton(QStringLiteral("↓"), this);
    refreshButton = new QPushButton(QStringLiteral("リスト更新"), this);
    upButton->setAccessibleName(QStringLiteral("上へ"));
    downButton->setAccessibleName(QStringLiteral("下へ"));

    auto* boxes = new QGridLayout;
    boxes->addWidget(BuddyLabel(QStringLiteral("No.(&N)"), numberEdit, this), 0, 0);
    boxes->addWidget(BuddyLabel(QStringLiteral("標題記事(&T)"), textEdit, this), 0, 1);
    boxes->addWidget(BuddyLabel(QStringLiteral("ﾌｫﾝﾄ(&F)"), fontEdit, this), 0, 2);
    boxes->addWidget(BuddyLabel(QStringLiteral("X(&X)"), xEdit, this), 0, 3);
    boxes->addWidget(BuddyLabel(QStringLiteral("Y(&Y)"), yEdit, this), 0, 4);
    boxes->addWidget(numberEdit, 1, 0);
    boxes->addWidget(textEdit, 1, 1);
    boxes->addWidget(fontEdit, 1, 2);
    boxes->addWidget(xEdit, 1, 3);
    boxes->addWidget(yEdit, 1, 4);
    boxes->setColumnStretch(1, 1);

    auto* rowButtons = new QHBoxLayout;
    for (QPushButton* b :
         {addButton, moveButton, overwriteButton, deleteButton, upButton, downButton, refreshButton}) {
        rowButtons->addWidget(b);
    }
    rowButtons->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    okButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cancelButton = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TitleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TitleDialog::reject);

    auto* units = new QLabel(QStringLiteral("X：x10m　Y：m"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(units);
    layout->addWidget(table);
    layout->addLayout(boxes);
    layout->addLayout(rowButtons);
    layout->addWidget(buttons);

    connect(table, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (row >= 0) {
            model_.SelectRow(row + 1);
            ShowBoxes();
        }
    });
    connect(addButton, &QPushButton::clicked, this, [this] {
        if (TakeBoxes() && model_.Add()) {
            ShowBoxes();
        }
    });
    connect(moveButton, &QPushButton::clicked, this, [this] {
        if (TakeBoxes()) {
            model_.BeginMove();
        }
    });
    connect(overwriteButton, &QPushButton::clicked, this, [this] {
        if (TakeBoxes() && model_.Overwrite()) {
            Reload();
        }
    });
    connect(deleteButton, &QPushButton::clicked, this, [this] {
        if (SelectedRow() > 0 && model_.DeleteRow(SelectedRow())) {
            Reload();
        }
    });
    connect(upButton, &QPushButton::clicked, this, [this] { MoveRow(true); });
    connect(downButton, &QPushButton::clicked, this, [this] { MoveRow(false); });
    connect(refreshButton, &QPushButton::clicked, this, [this] {
        Reload();
        frame_.RefreshView();
    });

    setTabOrder(table, numberEdit);
    setTabOrder(numberEdit, textEdit);
    setTabOrder(textEdit, fontEdit);
    setTabOrder(fontEdit, xEdit);
    setTabOrder(xEdit, yEdit);
    setTabOrder(yEdit, addButton);
    setTabOrder(addButton, moveButton);
    setTabOrder(moveButton, overwriteButton);
    setTabOrder(overwriteButton, deleteButton);
    setTabOrder(deleteButton, upButton);
    setTabOrder(upButton, downButton);
    setTabOrder(downButton, refreshButton);
    setTabOrder(refreshButton, okButton);
    setTabOrder(okButton, cancelButton);

    FillTable();
    SelectRow(1);
    session_.SetMode(edit_mode::kTitleMarkers);
}

bool TitleDialog::OwnsMode(int mode) {
    return ShowsTitleMarkers(mode);
}

void TitleDialog::Reload() {
    const int row = SelectedRow();
    FillTable();
    table->setCurrentCell(std::max(row, 1) - 1, kText);
}

void TitleDialog::FillTable() {
    for (int row = 1; row <= kTitleEntries; ++row) {
        const TitleText& title = model_.Row(row);
        const QString texts[kColumnCount] = {FromCp932(title.text), FromCp932(title.font), Position(title.x),
                                             Position(title.y)};
        for (int c = 0; c < kColumnCount; ++c) {
            table->setItem(row - 1, c, new QTableWidgetItem(texts[c]));
        }
    }
}

void TitleDialog::SelectRow(int row) {
    table->setCurrentCell(row - 1, kText);
    model_.SelectRow(row);
    ShowBoxes();
}

int TitleDialog::SelectedRow() const {
    return table->currentRow() + 1;
}

void TitleDialog::ShowBoxes() {
    numberEdit->setText(FromCp932(model_.number));
    textEdit->setText(FromCp932(model_.text));
    fontEdit->setText(FromCp932(model_.font));
    xEdit->setText(FromCp932(model_.x));
    yEdit->setText(FromCp932(model_.y));
}

bool TitleDialog::TakeBoxes() {
    rave::MessageSink& messages = frame_.Messages();
    const std::pair<QLineEdit*, std::string*> boxes[] = {{numberEdit, &model_.number},
                                                         {textEdit, &model_.text},
                                                         {fontEdit, &model_.font},
                                                         {xEdit, &model_.x},
                                                         {yEdit, &model_.y}};
    for (const auto& [edit, target] : boxes) {
        const std::optional<std::string> bytes = ToCp932(edit->text(), edit->accessibleName(), messages);
        if (!bytes) {
            return false;
        }
        *target = *bytes;
    }
    return true;
}

void TitleDialog::MoveRow(bool up) {
    const int row = SelectedRow();
    if (row <= 0) {
        return;
    }
    const int moved = up ? model_.MoveRowUp(row) : model_.MoveRowDown(row);
    FillTable();
    SelectRow(moved);
}

void TitleDialog::EndMode() {
    if (OwnsMode(session_.Mode())) {
        session_.SetMode(edit_mode::kNone);
    }
}

void TitleDialog::accept() {
    CommitWorkingFile(frame_, EditedFile::kTitles, QStringLiteral("標題記事"),
                      [this] { return model_.Commit(frame_.Files()); });
    EndMode();
    QDialog::accept();
}

void TitleDialog::reject() {
    model_.Revert(frame_.Files());
    EndMode();
    frame_.RefreshView();
    QDialog::reject();
}

void TitleDialog::keyPressEvent(QKeyEvent* event) {
    // Enter does what the user chose in "キーの動作".
    const SysqEnterKeyBinding enterKey(frame_.Sysq(), frame_.InstallFolder());
    if (!HandleEnterKey(*this, event, enterKey.Behaviour(), [this] { focusNextChild(); })) {
        QDialog::keyPressEvent(event);
    }
}

}  // namespace ravesect::app
