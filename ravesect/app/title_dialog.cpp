// The title dialog's widgets and their binding to the title list model.
#include "ravesect/app/title_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/format.h"
#include "ravesect/app/dialog_support.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_frame.h"

namespace ravesect::app {

namespace {

QString Position(double value) {
    return IsDefinedCoordinate(value) ? QString::fromStdString(rave::FormatText("%.2f", value)) : QString();
}

}  // namespace

TitleDialog::TitleDialog(SectionFrame& frame, EditSession& session, QWidget* parent)
    : ListEditingDialog(frame, session, QStringLiteral("titleDialog"), QStringLiteral("標題記事"), parent),
      model_(session, frame.Messages()) {
    table = MakeList(kTitleEntries,
                     {{QStringLiteral("標題記事"), 300},
                      {QStringLiteral("ﾌｫﾝﾄ"), 50},
                      {QStringLiteral("X"), 80},
                      {QStringLiteral("Y"), 80}},
                     QStringLiteral("titleTable"), QStringLiteral("標題記事の一覧"), QSize(590, 320));
    QLayout* boxes = BuildBoxes();
    QLayout* rowButtons = BuildRowButtons();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("X：x10m　Y：m"), this));
    layout->addWidget(table);
    layout->addLayout(boxes);
    layout->addLayout(rowButtons);
    layout->addWidget(OkCancelButtons());
    ConnectButtons();
    ChainTabOrder({table, numberEdit, textEdit, fontEdit, xEdit, yEdit, addButton, moveButton,
                   overwriteButton, deleteButton, upButton, downButton, refreshButton, okButton,
                   cancelButton});

    FillTable();
    SelectRow(1);
    session_.SetMode(edit_mode::kTitleMarkers);
}

QLayout* TitleDialog::BuildBoxes() {
    numberEdit = MakeBox(QStringLiteral("numberEdit"), 50);
    textEdit = MakeBox(QStringLiteral("textEdit"));
    fontEdit = MakeBox(QStringLiteral("fontEdit"), 40, QStringLiteral("1"));
    xEdit = MakeBox(QStringLiteral("xEdit"), 90);
    yEdit = MakeBox(QStringLiteral("yEdit"), 90);
    fontEdit->setToolTip(QStringLiteral("1 または 2"));
    BindBoxes({{numberEdit, &model_.number},
               {textEdit, &model_.text},
               {fontEdit, &model_.font},
               {xEdit, &model_.x},
               {yEdit, &model_.y}});

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
    return boxes;
}

QLayout* TitleDialog::BuildRowButtons() {
    addButton = Button(QStringLiteral("追加"));
    moveButton = Button(QStringLiteral("位置修正"));
    overwriteButton = Button(QStringLiteral("上書き"));
    deleteButton = Button(QStringLiteral("削除"));
    upButton = Button(QStringLiteral("↑"), QStringLiteral("上へ"));
    downButton = Button(QStringLiteral("↓"), QStringLiteral("下へ"));
    refreshButton = Button(QStringLiteral("リスト更新"));
    auto* rowButtons = new QHBoxLayout;
    for (QPushButton* b :
         {addButton, moveButton, overwriteButton, deleteButton, upButton, downButton, refreshButton}) {
        rowButtons->addWidget(b);
    }
    rowButtons->addStretch();
    return rowButtons;
}

void TitleDialog::ConnectButtons() {
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
}

bool TitleDialog::OwnsMode(int mode) {
    return ShowsTitleMarkers(mode);
}

void TitleDialog::Reload() {
    const int row = SelectedRow();
    FillTable();
    table->setCurrentCell(std::max(row, 1) - 1, 0);
}

QStringList TitleDialog::RowTexts(int row) const {
    const TitleText& title = model_.Row(row);
    return {FromCp932(title.text), FromCp932(title.font), Position(title.x), Position(title.y)};
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

bool TitleDialog::Commit() {
    return CommitWorkingFile(frame_, EditedFile::kTitles, QStringLiteral("標題記事"),
                             [this] { return model_.Commit(frame_.Files()); });
}

void TitleDialog::Revert() {
    model_.Revert(frame_.Files());
}

}  // namespace ravesect::app
