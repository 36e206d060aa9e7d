// The soil-name table dialogs over rave::SoilTableEditor.
#include "ravelog/app/soil_table_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/installed_soil_tables.h"
#include "common/settings_files.h"
#include "common/soil_name_table.h"
#include "platform/cell_edit_table.h"
#include "platform/path_qstring.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/app/settings_dialog_support.h"

namespace ravelog::app {

namespace {

constexpr QSize kIconSize(56, 36);

QColor FromColorRef(long value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QRadioButton* AddRadio(QButtonGroup* group, QLayout* layout, const QString& text, int id,
                       const QString& groupName) {
    auto* radio = new QRadioButton(text);
    radio->setAccessibleName(groupName + QLatin1Char(' ') + text);
    group->addButton(radio, id);
    layout->addWidget(radio);
    return radio;
}

}  // namespace

SoilTableDialog::SoilTableDialog(MainFrame& frame, rave::SoilTableVariant variant, QWidget* parent)
    : QDialog(parent), frame_(frame), model_(variant, frame.Files().settings, frame.InstallFolder()) {
    setWindowTitle(IsJacic() ? QStringLiteral("JACIC版土質名図模様の設定・登録")
                             : QStringLiteral("シンプル版土質名図模様の設定・登録"));
    // A Windows-form bitmap folder ("C:\...") is found through the drives, as the sheets find it.
    model_.drives = &frame.Files().drives;
    if (!IsJacic()) {
        // The simple table's colour choice is kept for the run, not in the settings file.
        model_.monochrome = frame.Files().simpleTilesMonochrome ? 1 : 0;
    }
    model_.Open(frame.Messages());

    std::vector<rave::platform::CellEditColumn> columns;
    if (IsJacic()) {
        // The columns are a little wider than the classic 110, 56, 56, 52, 60 pixels, so that the
        // headings are never cut.
        columns = {{QStringLiteral("地質名"), 130},
                   {QStringLiteral("砂質土"), 56},
                   {QStringLiteral("粘性土"), 56},
                   {QStringLiteral("線描No"), 60},
                   {QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟNo"), 84}};
    } else {
        columns = {{QStringLiteral("土質名"), 130},
                   {QStringLiteral("砂質土"), 56},
                   {QStringLiteral("粘性土"), 56},
                   {QStringLiteral("ﾊﾟﾀｰﾝNo."), 72}};
    }
    rave::platform::CellEditCallbacks callbacks;
    callbacks.rowCount = [this] { return static_cast<int>(model_.Rows().size()); };
    callbacks.cellText = [this](int row, int column) -> QString {
        const rave::SoilTableListRow& r = model_.Rows().at(static_cast<std::size_t>(row));
        switch (column) {
            case 0:
                return FromCp932(r.name);
            case 1:
                return r.isHeading || !r.sandy ? QString() : QStringLiteral("o");
            case 2:
                return r.isHeading || !r.clayey ? QString() : QStringLiteral("o");
            case 3:
                return FromCp932(r.lineNumber);
            default:
                return FromCp932(r.bitmapNumber);
        }
    };
    list_ = new rave::platform::CellEditTable(columns, callbacks, this);
    list_->setAccessibleName(IsJacic() ? QStringLiteral("土質名マスタファイル （土質名とパターンNo）")
                                       : QStringLiteral("土質名マスタファイル"));
    list_->setShowGrid(true);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setMinimumWidth(IsJacic() ? 380 : 320);
    connect(list_, &rave::platform::CellEditTable::currentRowChanged, this,
            [this](int row) { model_.Select(row); });
    // A double click or Enter on a row copies it into the edit fields, as "↑編集" does.
    connect(list_, &rave::platform::CellEditTable::rowActivated, this, [this](int row) {
        model_.Select(row);
        EditRow();
    });

    auto* listCaption = new QLabel(list_->accessibleName());
    listCaption->setBuddy(list_);
    auto* left = new QVBoxLayout;
    left->addWidget(CreateEditArea());
    left->addWidget(listCaption);
    left->addWidget(list_, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(CreatePickArea(), 1);
    right->addWidget(CreateDisplayArea());

    auto* body = new QHBoxLayout;
    body->addLayout(left, 3);
    body->addLayout(right, 2);

    auto* files = new QGridLayout;
    auto* masterLabel = new QLabel(IsJacic() ? QStringLiteral("JACIC版様式土質名マスタファイル")
                                             : QStringLiteral("シンプル版様式土質名マスタファイル"));
    auto* masterPath = new QLineEdit(rave::platform::PathToQString(model_.masterPath));
    masterPath->setReadOnly(true);
    masterLabel->setBuddy(masterPath);
    NameByLabel(masterPath, masterLabel->text());
    auto* folderLabel = new QLabel(QStringLiteral("ビットマップパターンフォルダ"));
    bitmapFolder_ = new QLineEdit;
    folderLabel->setBuddy(bitmapFolder_);
    NameByLabel(bitmapFolder_, folderLabel->text());
    connect(bitmapFolder_, &QLineEdit::editingFinished, this, [this] {
        if (!ReadFolderField()) {
            return;
        }
        FillBitmapList();
        UpdatePreviews();
    });
    files->addWidget(masterLabel, 0, 0);
    files->addWidget(masterPath, 0, 1);
    files->addWidget(folderLabel, 1, 0);
    files->addWidget(bitmapFolder_, 1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &SoilTableDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SoilTableDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(files);
    layout->addWidget(buttons);

    // Tab order: the edit fields and their buttons, the list, the pick lists, the display
    // settings, the folder, then OK and Cancel.
    QList<QWidget*> order{name_};
    for (QAbstractButton* radio : class_->buttons()) {
        order.append(radio);
    }
    order.append(lineNumber_);
    if (bitmapNumber_ != nullptr) {
        order.append(bitmapNumber_);
    }
    for (QPushButton* button : buttons_) {
        if (button->text() != QStringLiteral("←適用") && button->text() != QStringLiteral("標準の設定")) {
            order.append(button);
        }
    }
    order.append(list_);
    if (patterns_ != nullptr) {
        order.append(patterns_);
    }
    order.append(bitmaps_);
    order.append(Button(QStringLiteral("←適用")));
    for (QButtonGroup* group : {display_, colour_}) {
        if (group != nullptr) {
            for (QAbstractButton* radio : group->buttons()) {
                order.append(radio);
            }
        }
    }
    if (lineWidth_ != nullptr) {
        order.append(lineWidth_);
        order.append(mixedMarking_);
    }
    order.append(Button(QStringLiteral("標準の設定")));
    order.append(masterPath);
    order.append(bitmapFolder_);
    order.append(buttons->button(QDialogButtonBox::Ok));
    order.append(buttons->button(QDialogButtonBox::Cancel));
    for (int i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    ShowDisplaySettings();
    FillPatternList();
    FillBitmapList();
    ShowFields();
    resize(IsJacic() ? 1080 : 860, 760);
}

QPushButton* SoilTableDialog::AddButton(const QString& text, const QString& accessibleName,
                                        void (SoilTableDialog::*slot)()) {
    auto* button = new QPushButton(text);
    button->setAccessibleName(accessibleName);
    button->setAutoDefault(false);
    if (slot != nullptr) {
        connect(button, &QPushButton::clicked, this, slot);
    }
    buttons_.append(button);
    return button;
}

QPushButton* SoilTableDialog::Button(const QString& text) const {
    for (QPushButton* button : buttons_) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

QWidget* SoilTableDialog::CreateEditArea() {
    auto* box = new QGroupBox(QStringLiteral("登録・編集"));
    auto* grid = new QGridLayout(box);
    name_ = new QLineEdit;
    auto* nameLabel = new QLabel(IsJacic() ? QStringLiteral("地質名") : QStringLiteral("土質名"));
    nameLabel->setBuddy(name_);
    NameByLabel(name_, nameLabel->text());
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(name_, 0, 1, 1, 3);

    auto* classRow = new QHBoxLayout;
    class_ = new QButtonGroup(this);
    const QString classGroup = QStringLiteral("計算区分");
    AddRadio(class_, classRow, QStringLiteral("砂質土"), 1, classGroup);
    AddRadio(class_, classRow, QStringLiteral("粘性土"), 2, classGroup);
    AddRadio(class_, classRow, QStringLiteral("両方"), 3, classGroup);
    AddRadio(class_, classRow, QStringLiteral("計算しない"), 0, classGroup);
    grid->addLayout(classRow, 1, 1, 1, 3);

    lineNumber_ = new QLineEdit;
    lineNumber_->setMaximumWidth(72);
    auto* lineLabel = new QLabel(IsJacic() ? QStringLiteral("線描No") : QStringLiteral("ﾊﾟﾀｰﾝNo."));
    lineLabel->setBuddy(lineNumber_);
    NameByLabel(lineNumber_, lineLabel->text());
    linePreview_ = new rave::platform::PatternSwatch;
    linePreview_->setFixedSize(64, 48);
    linePreview_->setAccessibleName(lineLabel->text() + QStringLiteral(" のプレビュー"));
    grid->addWidget(lineLabel, 2, 0);
    grid->addWidget(lineNumber_, 2, 1);
    grid->addWidget(linePreview_, 2, 2);
    connect(lineNumber_, &QLineEdit::textChanged, this, [this] { UpdatePreviews(); });
    if (IsJacic()) {
        bitmapNumber_ = new QLineEdit;
        bitmapNumber_->setMaximumWidth(72);
        auto* bitmapLabel = new QLabel(QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟNo"));
        bitmapLabel->setBuddy(bitmapNumber_);
        NameByLabel(bitmapNumber_, bitmapLabel->text());
        bitmapPreview_ = new rave::platform::PatternSwatch;
        bitmapPreview_->setFixedSize(64, 48);
        bitmapPreview_->setAccessibleName(QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟNo のプレビュー"));
        grid->addWidget(bitmapLabel, 3, 0);
        grid->addWidget(bitmapNumber_, 3, 1);
        grid->addWidget(bitmapPreview_, 3, 2);
        connect(bitmapNumber_, &QLineEdit::textChanged, this, [this] { UpdatePreviews(); });
    }
    grid->setColumnStretch(3, 1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(
        AddButton(QStringLiteral("↓挿入"), QStringLiteral("選択行の前に挿入"), &SoilTableDialog::InsertRow));
    buttonRow->addWidget(AddButton(QStringLiteral("↓上書き"), QStringLiteral("選択行に上書き"),
                                   &SoilTableDialog::OverwriteRow));
    buttonRow->addWidget(
        AddButton(QStringLiteral("↑編集"), QStringLiteral("選択行を編集"), &SoilTableDialog::EditRow));
    buttonRow->addWidget(
        AddButton(QStringLiteral("削除"), QStringLiteral("選択行を削除"), &SoilTableDialog::DeleteRow));
    buttonRow->addWidget(AddButton(QStringLiteral("↑"), QStringLiteral("選択行を上へ"), nullptr));
    buttonRow->addWidget(AddButton(QStringLiteral("↓"), QStringLiteral("選択行を下へ"), nullptr));
    connect(Button(QStringLiteral("↑")), &QPushButton::clicked, this, [this] { MoveRow(true); });
    connect(Button(QStringLiteral("↓")), &QPushButton::clicked, this, [this] { MoveRow(false); });
    grid->addLayout(buttonRow, 4, 0, 1, 4);
    return box;
}

QWidget* SoilTableDialog::CreatePickArea() {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    if (IsJacic()) {
        auto* caption = new QLabel(QStringLiteral("パターンNo一覧表　（クリックで↑選択）"));
        patterns_ = new QTableWidget(0, 5);
        patterns_->setHorizontalHeaderLabels({QStringLiteral("ﾊﾟﾀｰﾝNo"), QStringLiteral("色コード"),
                                              QStringLiteral("既定色"), QStringLiteral("略表示"),
                                              QStringLiteral("地質例")});
        patterns_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        patterns_->setSelectionBehavior(QAbstractItemView::SelectRows);
        patterns_->setSelectionMode(QAbstractItemView::SingleSelection);
        patterns_->verticalHeader()->hide();
        patterns_->setIconSize(kIconSize);
        patterns_->verticalHeader()->setDefaultSectionSize(kIconSize.height() + 4);
        patterns_->horizontalHeader()->setStretchLastSection(true);
        patterns_->setAccessibleName(QStringLiteral("パターンNo一覧表"));
        caption->setBuddy(patterns_);
        connect(patterns_, &QTableWidget::currentCellChanged, this, [this](int row) {
            if (row >= 0 && patterns_->item(row, 0) != nullptr) {
                model_.PickPattern(patterns_->item(row, 0)->text().toLong());
                lineNumber_->setText(FromCp932(model_.editLineNumber));
            }
        });
        layout->addWidget(caption);
        layout->addWidget(patterns_, 2);
    }
    auto* bitmapCaption = new QLabel(QStringLiteral("ビットマップ一覧　（クリックで↑選択）"));
    bitmaps_ = new QListWidget;
    bitmaps_->setViewMode(QListView::IconMode);
    bitmaps_->setIconSize(kIconSize);
    bitmaps_->setGridSize(QSize(kIconSize.width() + 22, kIconSize.height() + 22));
    bitmaps_->setResizeMode(QListView::Adjust);
    bitmaps_->setMovement(QListView::Static);
    bitmaps_->setAccessibleName(QStringLiteral("ビットマップ一覧"));
    bitmapCaption->setBuddy(bitmaps_);
    connect(bitmaps_, &QListWidget::currentTextChanged, this, [this](const QString& choice) {
        if (choice.isEmpty()) {
            return;
        }
        model_.PickBitmap(choice.toStdString());
        (IsJacic() ? bitmapNumber_ : lineNumber_)
            ->setText(FromCp932(IsJacic() ? model_.editBitmapNumber : model_.editLineNumber));
    });
    layout->addWidget(bitmapCaption);
    layout->addWidget(bitmaps_, 1);
    layout->addWidget(AddButton(QStringLiteral("←適用"), QStringLiteral("選択行にパターンを適用"),
                                &SoilTableDialog::ApplyPattern),
                      0, Qt::AlignLeft);
    return box;
}

QWidget* SoilTableDialog::CreateDisplayArea() {
    auto* box = new QGroupBox(QStringLiteral("柱状図表示"));
    auto* grid = new QGridLayout(box);
    const QString groupName = box->title();
    if (IsJacic()) {
        auto* kind = new QHBoxLayout;
        display_ = new QButtonGroup(this);
        AddRadio(display_, kind, QStringLiteral("線描パターン"), 0, groupName);
        AddRadio(display_, kind, QStringLiteral("ビットマップ"), 1, groupName);
        grid->addLayout(kind, 0, 0, 1, 2);
    }
    auto* colours = new QHBoxLayout;
    colour_ = new QButtonGroup(this);
    AddRadio(colour_, colours, QStringLiteral("カラー"), 0, groupName);
    AddRadio(colour_, colours, QStringLiteral("白黒"), 1, groupName);
    grid->addLayout(colours, 1, 0, 1, 2);
    const auto displayChanged = [this] {
        if (ReadFields()) {
            FillPatternList();
            FillBitmapList();
            UpdatePreviews();
        }
    };
    if (display_ != nullptr) {
        connect(display_, &QButtonGroup::idClicked, this, displayChanged);
    }
    connect(colour_, &QButtonGroup::idClicked, this, displayChanged);
    if (IsJacic()) {
        lineWidth_ = new QLineEdit;
        lineWidth_->setMaximumWidth(48);
        auto* widthLabel = new QLabel(QStringLiteral("線描パターンの線幅"));
        widthLabel->setBuddy(lineWidth_);
        NameByLabel(lineWidth_, widthLabel->text());
        connect(lineWidth_, &QLineEdit::editingFinished, this, displayChanged);
        grid->addWidget(widthLabel, 2, 0);
        grid->addWidget(lineWidth_, 2, 1);
        mixedMarking_ = new QCheckBox(QStringLiteral("混り／質"));
        grid->addWidget(mixedMarking_, 3, 0, 1, 2);
    }
    grid->addWidget(AddButton(QStringLiteral("標準の設定"), QStringLiteral("標準の設定"),
                              &SoilTableDialog::RestoreStandard),
                    4, 0, 1, 2, Qt::AlignLeft);
    return box;
}

void SoilTableDialog::ShowDisplaySettings() {
    if (display_ != nullptr) {
        display_->button(model_.patternDisplay == 1 ? 1 : 0)->setChecked(true);
    }
    colour_->button(model_.monochrome == 1 ? 1 : 0)->setChecked(true);
    if (lineWidth_ != nullptr) {
        lineWidth_->setText(FromCp932(model_.lineWidth));
    }
    if (mixedMarking_ != nullptr) {
        // Checked: admixture and adjective drawn apart (line 64 holds 0).
        mixedMarking_->setChecked(model_.mixedMarking != 1);
    }
    bitmapFolder_->setText(FromCp932(model_.bitmapFolder));
}

void SoilTableDialog::ShowFields() {
    name_->setText(FromCp932(model_.editName));
    class_->button(model_.editClass >= 1 && model_.editClass <= 3 ? model_.editClass : 0)->setChecked(true);
    lineNumber_->setText(FromCp932(model_.editLineNumber));
    if (bitmapNumber_ != nullptr) {
        bitmapNumber_->setText(FromCp932(model_.editBitmapNumber));
    }
    UpdatePreviews();
}

bool SoilTableDialog::ReadFields() {
    const auto name = ToCp932(name_->text(), name_->accessibleName(), frame_.Messages());
    if (!name) {
        name_->setFocus();
        return false;
    }
    model_.editName = *name;
    model_.editClass = std::max(0, class_->checkedId());
    // Numbers and folders: what cp932 cannot hold is no number, and the model refuses it.
    model_.editLineNumber = lineNumber_->text().toStdString();
    model_.editBitmapNumber =
        bitmapNumber_ != nullptr ? bitmapNumber_->text().toStdString() : model_.editLineNumber;
    if (display_ != nullptr) {
        model_.patternDisplay = display_->checkedId() == 1 ? 1 : 0;
    }
    model_.monochrome = colour_->checkedId() == 1 ? 1 : 0;
    if (lineWidth_ != nullptr) {
        model_.lineWidth = lineWidth_->text().toStdString();
    }
    if (mixedMarking_ != nullptr) {
        model_.mixedMarking = mixedMarking_->isChecked() ? 0 : 1;
    }
    return ReadFolderField();
}

bool SoilTableDialog::ReadFolderField() {
    // The folder is stored as cp932 text, like every line of the settings file.
    const auto folder = ToCp932(bitmapFolder_->text(), bitmapFolder_->accessibleName(), frame_.Messages());
    if (!folder) {
        bitmapFolder_->setFocus();
        return false;
    }
    model_.bitmapFolder = *folder;
    return true;
}

rave::platform::PatternSwatchContent SoilTableDialog::SwatchOf(const rave::PatternPreview& preview) const {
    rave::platform::PatternSwatchContent content;
    content.patternNo = preview.patternNo;
    content.drawBitmap = preview.drawBitmap;
    content.bitmapFile = preview.bitmapFile;
    content.penWidth = preview.penWidth;
    content.color = preview.color;
    content.monochrome = model_.monochrome == 1;
    content.colors = &frame_.Files().soilTables->colors;
    // The special markers are drawn as the sheet draws them, whatever the display setting.
    content.markerKind = rave::platform::MarkerKindOfCode(preview.patternNo, IsJacic());
    return content;
}

void SoilTableDialog::UpdatePreviews() {
    rave::SoilTableEditor copy = model_;
    copy.editLineNumber = lineNumber_->text().toStdString();
    copy.editBitmapNumber =
        bitmapNumber_ != nullptr ? bitmapNumber_->text().toStdString() : copy.editLineNumber;
    const rave::PatternColorTable& colors = frame_.Files().soilTables->colors;
    linePreview_->SetContent(SwatchOf(copy.Preview(false, colors)));
    if (bitmapPreview_ != nullptr) {
        // The bitmap field always shows its tile, whichever display the sheet uses.
        copy.patternDisplay = 1;
        bitmapPreview_->SetContent(SwatchOf(copy.Preview(true, colors)));
    }
}

void SoilTableDialog::FillPatternList() {
    if (patterns_ == nullptr) {
        return;
    }
    const rave::InstalledSoilTables& tables = *frame_.Files().soilTables;
    const std::vector<rave::PatternListEntry> entries = rave::BuildPatternList(tables.colors, tables.jacic);
    const QSignalBlocker blocker(patterns_);
    patterns_->setRowCount(static_cast<int>(entries.size()));
    rave::SoilTableEditor copy = model_;
    copy.patternDisplay = 0;
    const int dpi = logicalDpiX();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const rave::PatternListEntry& entry = entries[i];
        const int row = static_cast<int>(i);
        copy.editLineNumber = std::to_string(entry.patternNo);
        const rave::platform::PatternSwatchContent swatch = SwatchOf(copy.Preview(false, tables.colors));
        QPixmap colourBox(18, 18);
        colourBox.fill(FromColorRef(entry.color));
        auto* number = new QTableWidgetItem(QString::number(entry.patternNo));
        auto* colour = new QTableWidgetItem(FromCp932(entry.colorText));
        auto* colourSwatch = new QTableWidgetItem(QIcon(colourBox), QString());
        auto* look = new QTableWidgetItem(QIcon(rave::platform::RenderPatternSwatch(swatch, kIconSize, dpi)),
                                          QString());
        auto* example = new QTableWidgetItem(FromCp932(entry.exampleName));
        patterns_->setItem(row, 0, number);
        patterns_->setItem(row, 1, colour);
        patterns_->setItem(row, 2, colourSwatch);
        patterns_->setItem(row, 3, look);
        patterns_->setItem(row, 4, example);
    }
    patterns_->setColumnWidth(0, 56);
    patterns_->setColumnWidth(1, 72);
    patterns_->setColumnWidth(2, 48);
    patterns_->setColumnWidth(3, kIconSize.width() + 16);
}

void SoilTableDialog::FillBitmapList() {
    const QSignalBlocker blocker(bitmaps_);
    bitmaps_->clear();
    rave::SoilTableEditor copy = model_;
    copy.patternDisplay = 1;
    const rave::PatternColorTable& colors = frame_.Files().soilTables->colors;
    const int dpi = logicalDpiX();
    for (const std::string& choice : model_.BitmapChoices()) {
        copy.editLineNumber.clear();
        copy.editBitmapNumber.clear();
        copy.PickBitmap(choice);
        const rave::platform::PatternSwatchContent swatch = SwatchOf(copy.Preview(true, colors));
        auto* item = new QListWidgetItem(QIcon(rave::platform::RenderPatternSwatch(swatch, kIconSize, dpi)),
                                         QString::fromStdString(choice));
        bitmaps_->addItem(item);
    }
}

void SoilTableDialog::ShowList() {
    list_->Reload();
    list_->SetCurrentRow(model_.Selected());
}

void SoilTableDialog::InsertRow() {
    model_.Select(list_->CurrentRow());
    if (model_.Selected() < 0) {
        // A row after the end line would never be read again: with no row chosen, the new row
        // goes in just before the end line.
        for (int row = static_cast<int>(model_.Rows().size()) - 1; row >= 0; --row) {
            if (rave::IsSoilEndLine(model_.Rows()[static_cast<std::size_t>(row)].name)) {
                model_.Select(row);
                break;
            }
        }
    }
    if (ReadFields() && model_.Insert(frame_.Messages())) {
        ShowList();
    }
}

void SoilTableDialog::OverwriteRow() {
    if (ReadFields() && model_.Overwrite(frame_.Messages())) {
        ShowList();
    }
}

void SoilTableDialog::EditRow() {
    model_.Select(list_->CurrentRow());
    if (model_.EditSelected()) {
        ShowFields();
    }
}

void SoilTableDialog::DeleteRow() {
    model_.Select(list_->CurrentRow());
    if (model_.DeleteSelected(frame_.Messages())) {
        ShowList();
    }
}

void SoilTableDialog::MoveRow(bool up) {
    model_.Select(list_->CurrentRow());
    if (up ? model_.MoveSelectedUp() : model_.MoveSelectedDown()) {
        ShowList();
    }
}

void SoilTableDialog::ApplyPattern() {
    model_.Select(list_->CurrentRow());
    if (ReadFields() && model_.ApplyPattern()) {
        ShowList();
    }
}

void SoilTableDialog::RestoreStandard() {
    model_.RestoreStandardSettings();
    ShowDisplaySettings();
    FillPatternList();
    FillBitmapList();
    UpdatePreviews();
}

void SoilTableDialog::accept() {
    if (!ReadFields()) {
        return;
    }
    rave::RavelogSettings edited = frame_.Files().settings;
    if (!model_.Save(edited, frame_.Messages())) {
        return;
    }
    // The dialog's values are in use from now on, whether or not the settings file takes them.
    frame_.Files().settings = edited;
    if (!IsJacic()) {
        frame_.Files().simpleTilesMonochrome = model_.monochrome == 1;
    }
    if (!rave::SaveSettings(frame_.Files().paths.settings, edited)) {
        ShowSettingsNotSaved(frame_);
    }
    // The tables are taken up again by the running program.
    frame_.ReloadSettings();
    QDialog::accept();
}

}  // namespace ravelog::app
