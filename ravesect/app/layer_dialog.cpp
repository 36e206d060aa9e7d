// The layer dialog's widgets and their binding to the layer list model.
#include "ravesect/app/layer_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/drawing/drawing_surface.h"
#include "common/pattern_colors.h"
#include "ravesect/app/dialog_support.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_frame.h"

namespace ravesect::app {

namespace {

constexpr int kColour = 2;  // the list column of the colour

QColor ToQColor(long colorRef) {
    return QColor(rave::RedOf(colorRef), rave::GreenOf(colorRef), rave::BlueOf(colorRef));
}

}  // namespace

LayerDialog::LayerDialog(SectionFrame& frame, EditSession& session, QWidget* parent)
    : ListEditingDialog(frame, session, QStringLiteral("layerDialog"),
                        QStringLiteral("作図/層 （層の輪郭を構成する点、色、ハッチ等のデータ）"), parent),
      model_(frame.Document(), frame.Messages()) {
    chooseColour = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(initial, this, QStringLiteral("色"));
        if (!colour.isValid()) {
            return std::nullopt;
        }
        return colour;
    };
    BuildList();
    QLayout* boxes = BuildBoxes();
    QLayout* rowButtons = BuildRowButtons();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addLayout(boxes);
    layout->addLayout(rowButtons);
    layout->addWidget(OkCancelButtons());
    ConnectButtons();
    ChainTabOrder({table, numberEdit, pointsEdit, colourEdit, colourButton, hatchEdit, lineModeEdit,
                   storeButton, deleteButton, upButton, downButton, redrawButton, okButton, cancelButton});

    FillTable();
    SelectRow(1);
    session_.SetMode(edit_mode::kLayerMarkers);
}

LayerDialog::~LayerDialog() {
    // The focus signal may still arrive while the widgets go.
    disconnect(qApp, nullptr, this, nullptr);
}

void LayerDialog::BuildList() {
    table = MakeList(kLayers,
                     {{QStringLiteral("No."), 44},
                      {QStringLiteral("構成点No."), 330},
                      {QStringLiteral("RGB"), 104},
                      {QStringLiteral("ﾊｯﾁ"), 44},
                      {QStringLiteral("線"), 40}},
                     QStringLiteral("layerTable"), QStringLiteral("層の一覧"), QSize(600, 300));
    table->verticalHeader()->setVisible(false);
}

QLayout* LayerDialog::BuildBoxes() {
    numberEdit = MakeBox(QStringLiteral("numberEdit"), 50);
    pointsEdit = MakeBox(QStringLiteral("pointsEdit"));
    colourEdit = MakeBox(QStringLiteral("colourEdit"), 90);
    hatchEdit = MakeBox(QStringLiteral("hatchEdit"), 40);
    lineModeEdit = MakeBox(QStringLiteral("lineModeEdit"), 40);
    pointsEdit->setToolTip(
        QStringLiteral("ここにカーソルがある間、断面図の点をクリックすると番号が入ります"));
    hatchEdit->setToolTip(
        QStringLiteral("0 横線, 1 縦線, 2 右下がり斜線, 3 右上がり斜線, 4 十字, 5 斜め十字"));
    lineModeEdit->setToolTip(QStringLiteral("1 で輪郭を線のみで描きます"));
    colourButton = Button(QStringLiteral("色"));
    BindBoxes({{numberEdit, &model_.number},
               {pointsEdit, &model_.points},
               {colourEdit, &model_.colour},
               {hatchEdit, &model_.hatch},
               {lineModeEdit, &model_.lineMode}});

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
    return boxes;
}

QLayout* LayerDialog::BuildRowButtons() {
    storeButton = Button(QStringLiteral("追加 上書き↓"));
    deleteButton = Button(QStringLiteral("削除"));
    upButton = Button(QStringLiteral("↑"), QStringLiteral("上へ"));
    downButton = Button(QStringLiteral("↓"), QStringLiteral("下へ"));
    redrawButton = Button(QStringLiteral("図 更新"));
    auto* rowButtons = new QHBoxLayout;
    for (QPushButton* b : {storeButton, deleteButton, upButton, downButton, redrawButton}) {
        rowButtons->addWidget(b);
    }
    rowButtons->addStretch();
    return rowButtons;
}

void LayerDialog::ConnectButtons() {
    connect(colourButton, &QPushButton::clicked, this, &LayerDialog::ChooseColour);
    connect(storeButton, &QPushButton::clicked, this, &LayerDialog::Store);
    connect(deleteButton, &QPushButton::clicked, this, [this] {
        if (SelectedRow() > 0 && model_.DeleteRow(SelectedRow())) {
            FillTable();
            frame_.RefreshView();
        }
    });
    for (QPushButton* button : {upButton, downButton}) {
        const bool up = button == upButton;
        connect(button, &QPushButton::clicked, this, [this, up] {
            if (SelectedRow() > 0) {
                const int row = up ? model_.MoveRowUp(SelectedRow()) : model_.MoveRowDown(SelectedRow());
                FillTable();
                SelectRow(row);
                frame_.RefreshView();
            }
        });
    }
    connect(redrawButton, &QPushButton::clicked, this, [this] {
        model_.ApplyToDocument();
        frame_.RefreshView();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusMoved(now); });
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

QStringList LayerDialog::RowTexts(int row) const {
    const LayerOutline& layer = model_.Row(row);
    return {FromCp932(layer.number), FromCp932(model_.ShownPoints(row)), FromCp932(layer.colour),
            FromCp932(layer.hatch), FromCp932(layer.lineMode)};
}

void LayerDialog::DecorateCell(int row, int column, QTableWidgetItem& item) const {
    const LayerOutline& layer = model_.Row(row);
    if (column == kColour && !layer.colour.empty()) {
        item.setData(Qt::DecorationRole, ToQColor(rave::ParseColorValue(layer.colour)));
    }
}

void LayerDialog::Store() {
    if (!TakeBoxes()) {
        return;
    }
    const int row = model_.StoreBoxes();
    if (row > 0) {
        FillTable();
        table->setCurrentCell(row - 1, 0);
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

bool LayerDialog::Commit() {
    model_.ApplyToDocument();
    return CommitWorkingFile(frame_, EditedFile::kPointsLayers, QStringLiteral("作図/層"), [this] {
        return session_.Draft().CommitLayers(frame_.Files(), frame_.Messages());
    });
}

void LayerDialog::Revert() {
    session_.Draft().RevertLayers();
    model_.Load();
}

}  // namespace ravesect::app
