// The layer dialog's widgets and their binding to the layer list model.
#include "ravesect/app/layer_dialog.h"

#include <QApplication>
#include <QColorDialog>
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

#include "common/drawing/drawing_surface.h"
#include "common/pattern_colors.h"
#include "ravesect/app/dialog_support.h"
#include "ravesect/app/section_dialog_bindings.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_frame.h"

namespace ravesect::app {

namespace {

enum Column { kNumber, kPoints, kColour, kHatch, kLineMode, kColumnCount };

QColor ToQColor(long colorRef) {
    return QColor(rave::RedOf(colorRef), rave::GreenOf(colorRef), rave::BlueOf(colorRef));
}

}  // namespace

LayerDialog::LayerDialog(SectionFrame& frame, EditSession& session, QWidget* parent)
    : QDialog(parent), frame_(frame), session_(session), model_(frame.Document(), frame.Messages()) {
    setObjectName(QStringLiteral("layerDialog"));
    setWindowTitle(QStringLiteral("作図/層 （層の輪郭を構成する点、色、ハッチ等のデータ）"));
    setModal(false);
    chooseColour = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(initial, this, QStringLiteral("色"));
        if (!colour.isValid()) {
            return std::nullopt;
        }
        return colour;
    };

    table = new QTableWidget(kLayers, kColumnCount, this);
    table->setObjectName(QStringLiteral("layerTable"));
    table->setAccessibleName(QStringLiteral("層の一覧"));
    table->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("構成点No."),
                                      QStringLiteral("RGB"), QStringLiteral("ﾊｯﾁ"), QStringLiteral("線")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setColumnWidth(kNumber, 44);
    table->setColumnWidth(kPoints, 330);
    table->setColumnWidth(kColour, 104);
    table->setColumnWidth(kHatch, 44);
    table->setColumnWidth(kLineMode, 40);
    table->setMinimumSize(600, 300);

    numberEdit = new QLineEdit(this);
    pointsEdit = new QLineEdit(this);
    colourEdit = new QLineEdit(this);
    hatchEdit = new QLineEdit(this);
    lineModeEdit = new QLineEdit(this);
    numberEdit->setObjectName(QStringLiteral("numberEdit"));
    pointsEdit->setObjectName(QStringLiteral("pointsEdit"));
    colourEdit->setObjectName(QStringLiteral("colourEdit"));
    hatchEdit->setObjectName(QStringLiteral("hatchEdit"));
    lineModeEdit->setObjectName(QStringLiteral("lineModeEdit"));
    numberEdit->setMaximumWidth(50);
    colourEdit->setMaximumWidth(90);
    hatchEdit->setMaximumWidth(40);
    lineModeEdit->setMaximumWidth(40);
    pointsEdit->setToolTip(
        QStringLiteral("ここにカーソルがある間、断面図の点をクリックすると番号が入ります"));
    hatchEdit->setToolTip(
        QStringLiteral("0 横線, 1 縦線, 2 右下がり斜線, 3 右上がり斜線, 4 十字, 5 斜め十字"));
    lineModeEdit->setToolTip(QStringLiteral("1 で輪郭を線のみで描きます"));

    colourButton = new QPushButton(QStringLiteral("色"), this);
    storeButton = new QPushButton(QStringLiteral("追加 上書き↓"), this);
    deleteButton = new QPushButton(QStringLiteral("削除"), this);
    upButton = new QPushButton(QStringLiteral("↑"), this);
    downButton = new QPushButton(QStringLiteral("↓"), this);
    redrawButton = new QPushButton(QStringLiteral("図 更新"), this);
    upButton->setAccessibleName(QStringLiteral("上へ"));
    downButton->setAccessibleName(QStringLiteral("下へ"));

    auto* boxes = new QGridLayout;
    boxes->addWidget(BuddyLabel(QStringLiteral("No.(&N)"), numberEdit, this), 0, 0);
    boxes->addWidget(BuddyLabel(QStringLiteral("構成点No.(&P)"), pointsEdit, this), 0, 1);
    boxes->addWidget(BuddyLabel(QStringLiteral("RGB(&R)"), colourEdit, this), 0, 2);
    boxes->addWidget(BuddyLabel(QStringLiteral("ﾊｯﾁ(&H)"), hatchEdit, this), 0, 4);
    boxes->addWidget(BuddyLabel(QStringLiteral("線(&L)"), lineModeEdit, this), 0, 5);
    boxes->addWidget(numberEdit, 1, 0);
    boxes->addWidget(pointsEdit, 1, 1);
    boxes->addWidget(colourEdit, 1, 2);
    boxes->addWidget(colourButton, 1, 3);
    boxes->addWidget(hatchEdit, 1, 4);
    boxes->addWidget(lineModeEdit, 1, 5);
    boxes->setColumnStretch(1, 1);

    auto* rowButtons = new QHBoxLayout;
    for (QPushButton* b : {storeButton, deleteButton, upButton, downButton, redrawButton}) {
        rowButtons->addWidget(b);
    }
    rowButtons->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    okButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cancelButton = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &LayerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LayerDialog::reject);

    auto* layout = new QVBoxLayout(this);
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
    connect(colourButton, &QPushButton::clicked, this, &LayerDialog::ChooseColour);
    connect(storeButton, &QPushButton::clicked, this, &LayerDialog::Store);
    connect(deleteButton, &QPushButton::clicked, this, [this] {
        if (SelectedRow() > 0 && model_.DeleteRow(SelectedRow())) {
            FillTable();
            frame_.RefreshView();
        }
    });
    connect(upButton, &QPushButton::clicked, this, [this] {
        if (SelectedRow() > 0) {
            const int row = model_.MoveRowUp(SelectedRow());
            FillTable();
            SelectRow(row);
            frame_.RefreshView();
        }
    });
    connect(downButton, &QPushButton::clicked, this, [this] {
        if (SelectedRow() > 0) {
            const int row = model_.MoveRowDown(SelectedRow());
            FillTable();
            SelectRow(row);
            frame_.RefreshView();
        }
    });
    connect(redrawButton, &QPushButton::clicked, this, [this] {
        model_.ApplyToDocument();
        frame_.RefreshView();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusMoved(now); });

    setTabOrder(table, numberEdit);
    setTabOrder(numberEdit, pointsEdit);
    setTabOrder(pointsEdit, colourEdit);
    setTabOrder(colourEdit, colourButton);
    setTabOrder(colourButton, hatchEdit);
    setTabOrder(hatchEdit, lineModeEdit);
    setTabOrder(lineModeEdit, storeButton);
    setTabOrder(storeButton, deleteButton);
    setTabOrder(deleteButton, upButton);
    setTabOrder(upButton, downButton);
    setTabOrder(downButton, redrawButton);
    setTabOrder(redrawButton, okButton);
    setTabOrder(okButton, cancelButton);

    FillTable();
    SelectRow(1);
    session_.SetMode(edit_mode::kLayerMarkers);
}

LayerDialog::~LayerDialog() {
    // The focus signal may still arrive while the widgets go.
    disconnect(qApp, nullptr, this, nullptr);
}

bool LayerDialog::OwnsMode(int mode) {
    return mode == edit_mode::kPickLayerPoint || mode == edit_mode::kLayerMarkers;
}

void LayerDialog::Reload() {
    const int row = SelectedRow();
    model_.Load();
    FillTable();
    SelectRow(row > 0 ? row : 1);
}

void LayerDialog::FillTable() {
    for (int row = 1; row <= kLayers; ++row) {
        const LayerOutline& layer = model_.Row(row);
        const QString texts[kColumnCount] = {FromCp932(layer.number), FromCp932(model_.ShownPoints(row)),
                                             FromCp932(layer.colour), FromCp932(layer.hatch),
                                             FromCp932(layer.lineMode)};
        for (int c = 0; c < kColumnCount; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (c == kColour && !layer.colour.empty()) {
                item->setData(Qt::DecorationRole, ToQColor(rave::ParseColorValue(layer.colour)));
            }
            table->setItem(row - 1, c, item);
        }
    }
}

void LayerDialog::SelectRow(int row) {
    table->setCurrentCell(row - 1, kNumber);
    model_.SelectRow(row);
    ShowBoxes();
}

int LayerDialog::SelectedRow() const {
    return table->currentRow() + 1;
}

void LayerDialog::ShowBoxes() {
    numberEdit->setText(FromCp932(model_.number));
    pointsEdit->setText(FromCp932(model_.points));
    colourEdit->setText(FromCp932(model_.colour));
    hatchEdit->setText(FromCp932(model_.hatch));
    lineModeEdit->setText(FromCp932(model_.lineMode));
}

bool LayerDialog::TakeBoxes() {
    rave::MessageSink& messages = frame_.Messages();
    const std::pair<QLineEdit*, std::string*> boxes[] = {{numberEdit, &model_.number},
                                                         {pointsEdit, &model_.points},
                                                         {colourEdit, &model_.colour},
                                                         {hatchEdit, &model_.hatch},
                                                         {lineModeEdit, &model_.lineMode}};
    for (const auto& [edit, target] : boxes) {
        const std::optional<std::string> bytes = ToCp932(edit->text(), edit->accessibleName(), messages);
        if (!bytes) {
            return false;
        }
        *target = *bytes;
    }
    return true;
}

void LayerDialog::Store() {
    if (!TakeBoxes()) {
        return;
    }
    const int row = model_.StoreBoxes();
    if (row > 0) {
        FillTable();
        table->setCurrentCell(row - 1, kNumber);
        frame_.RefreshView();
    }
}

void LayerDialog::ChooseColour() {
    const std::optional<std::string> typed =
        ToCp932(colourEdit->text(), colourEdit->accessibleName(), frame_.Messages());
    const QColor initial = ToQColor(typed ? rave::ParseColorValue(*typed) : 0);
    const std::optional<QColor> chosen = chooseColour(initial);
    if (!chosen) {
        return;
    }
    model_.SetColour(rave::MakeColorRef(chosen->red(), chosen->green(), chosen->blue()));
    colourEdit->setText(FromCp932(model_.colour));
    frame_.RefreshView();
}

void LayerDialog::AppendPickedPoint(int number) {
    const std::optional<std::string> typed =
        ToCp932(pointsEdit->text(), pointsEdit->accessibleName(), frame_.Messages());
    if (!typed) {
        return;
    }
    model_.points = *typed;
    model_.AppendPoint(number);
    pointsEdit->setText(FromCp932(model_.points));
}

void LayerDialog::FollowRenumberedPoints(int from, bool back) {
    const std::optional<std::string> typed =
        ToCp932(pointsEdit->text(), pointsEdit->accessibleName(), frame_.Messages());
    if (typed) {
        model_.points = *typed;
    }
    model_.FollowRenumberedPoints(from, back);
    FillTable();
    pointsEdit->setText(FromCp932(model_.points));
}

void LayerDialog::FocusMoved(QWidget* now) {
    if (now == nullptr || !isAncestorOf(now)) {
        return;  // the section view or another window: the mode stays
    }
    session_.SetMode(now == pointsEdit ? edit_mode::kPickLayerPoint : edit_mode::kLayerMarkers);
}

void LayerDialog::EndMode() {
    if (OwnsMode(session_.Mode())) {
        session_.SetMode(edit_mode::kNone);
    }
}

void LayerDialog::accept() {
    model_.ApplyToDocument();
    CommitWorkingFile(frame_, EditedFile::kPointsLayers, QStringLiteral("作図/層"),
                      [this] { return session_.Draft().CommitLayers(frame_.Files(), frame_.Messages()); });
    EndMode();
    QDialog::accept();
}

void LayerDialog::reject() {
    session_.Draft().RevertLayers();
    model_.Load();
    EndMode();
    frame_.RefreshView();
    QDialog::reject();
}

void LayerDialog::keyPressEvent(QKeyEvent* event) {
    // Enter does what the user chose in "キーの動作".
    const SysqEnterKeyBinding enterKey(frame_.Sysq(), frame_.InstallFolder());
    if (!HandleEnterKey(*this, event, enterKey.Behaviour(), [this] { focusNextChild(); })) {
        QDialog::keyPressEvent(event);
    }
}

}  // namespace ravesect::app
