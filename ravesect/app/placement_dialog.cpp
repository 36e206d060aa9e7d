// The placement dialog.
#include "ravesect/app/placement_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "common/text_fields.h"
#include "platform/cell_edit_table.h"
#include "platform/path_qstring.h"
#include "platform/source_paths.h"
#include "ravesect/app/dialog_support.h"
#include "ravesect/app/placement_details_dialog.h"
#include "ravesect/document/columns_build.h"

namespace ravesect::app {

namespace {

struct ListColumn {
    const char* header;
    int width;
};
// Fields 1..15 of a placed column as the list shows them. The water level ("-2.10  2026/04/14")
// and the version ("500  _0") are wide enough to be read whole.
constexpr ListColumn kListColumns[colfield::kListColumns] = {
    {"m", 46},       {"ﾌｧｲﾙ名", 218}, {"No.", 60},  {"▽位置", 32}, {"水位", 128},
    {"AP.TP..", 40}, {"標高", 48},    {"深度", 48}, {"枠順", 26},  {"旗位置", 26},
    {"旗", 26},      {"鏡像", 26},    {"Ver", 60},  {"-U", 16},    {"-D", 16}};

const char* const kMarkTexts[] = {"柱状図パターンの左", "柱状図パターンの右", "Ｎ値の枠内"};

constexpr const char* kSourceFilter =
    "スウェーデンv3、4、5(*.sdw);;ｽｳｪｰﾃﾞﾝ,JACIC,シンプル版,簡易動的ｺｰﾝ(sdw jdw ddw pdw) (*.sdw *.jdw *.ddw "
    "*.pdw);;ボーリング交換用データ (*.xml);;すべて(*.*) (*)";

QPushButton* PlainButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    // Enter in a box never closes the dialog by accident.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

PlacementDialog::PlacementDialog(std::filesystem::path installFolder, rave::MessageSink& messages,
                                 SectionDocument& document, WorkingFiles files, QWidget* parent,
                                 rave::EnterKeyBehaviour enterKey)
    : QDialog(parent),
      installFolder_(std::move(installFolder)),
      messages_(messages),
      document_(document),
      files_(std::move(files)),
      enterKey_(enterKey) {
    setWindowTitle(QStringLiteral("ｽｳｪｰﾃﾞﾝ、柱状図ﾌｧｲﾙ指定と配置"));
    list_.Open(document_, installFolder_);
    BuildControls();
    ShowBoxes();
    rulerTitle_->setText(FromCp932(list_.rulerTitle));
    convertedNPlot_->setChecked(list_.convertedNPlot);
    SelectRowAfterLast();
}

void PlacementDialog::BuildControls() {
    std::vector<rave::platform::CellEditColumn> columns;
    // A column is at least as wide as its header, so short values such as the ▽ position
    // "0.00" are shown whole instead of cut to "0...." in the narrow widths of the list.
    const int cellPadding = 4 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (const ListColumn& c : kListColumns) {
        const QString header = QString::fromUtf8(c.header);
        columns.push_back(
            {header, std::max(c.width, fontMetrics().horizontalAdvance(header) + cellPadding), true});
    }
    rave::platform::CellEditCallbacks callbacks;
    callbacks.rowCount = [] { return kUserColumns; };
    callbacks.cellText = [this](int row, int column) {
        return row < static_cast<int>(list_.rows.size())
                   ? FromCp932(list_.rows[static_cast<std::size_t>(row)][column + 1])
                   : QString();
    };
    callbacks.setCellText = [this](int row, int column, const QString& text) {
        return CellEdited(row, column, text);
    };
    callbacks.cellEditable = [this](int row, int) { return row < static_cast<int>(list_.rows.size()); };
    table_ = new rave::platform::CellEditTable(std::move(columns), std::move(callbacks), this);
    table_->setAccessibleName(QStringLiteral("配置リスト"));
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->setMinimumSize(800, 12 * (fontMetrics().height() + 6));
    connect(table_, &rave::platform::CellEditTable::currentRowChanged, this, &PlacementDialog::RowChosen);

    auto line = [this](int width) {
        auto* box = new QLineEdit(this);
        box->setMinimumWidth(width);
        return box;
    };
    surveyName_ = line(260);
    surveyName_->setReadOnly(true);
    distance_ = line(70);
    fileName_ = line(330);
    label_ = line(70);
    markN_ = line(40);
    waterLevel_ = new QComboBox(this);
    waterLevel_->setEditable(true);
    waterLevel_->setMinimumWidth(170);
    elevationKind_ = line(50);
    elevation_ = line(60);
    depth_ = line(60);
    frameOrder_ = line(30);
    flagPosition_ = line(30);
    flagFlip_ = line(30);
    graphMirror_ = line(30);
    version_ = line(80);
    uValue_ = line(30);
    ndDecimals_ = line(40);
    rulerTitle_ = line(120);
    rulerTitle_->setMaxLength(20);
    convertedNPlot_ = new QCheckBox(QStringLiteral("換算Ｎ値ﾌﾟﾛｯﾄ"), this);

    openButton_ = PlainButton(QStringLiteral("開く"), this);
    addButton_ = PlainButton(QStringLiteral("データ追加"), this);
    overwriteButton_ = PlainButton(QStringLiteral("上書き"), this);
    deleteButton_ = PlainButton(QStringLiteral("削除"), this);
    detailsButton_ = PlainButton(QStringLiteral("詳細設定"), this);
    okButton_ = PlainButton(QStringLiteral("OK"), this);
    cancelButton_ = PlainButton(QStringLiteral("キャンセル"), this);
    connect(openButton_, &QPushButton::clicked, this, &PlacementDialog::OpenSourceFile);
    connect(addButton_, &QPushButton::clicked, this, &PlacementDialog::AddRow);
    connect(overwriteButton_, &QPushButton::clicked, this, &PlacementDialog::OverwriteRow);
    connect(deleteButton_, &QPushButton::clicked, this, &PlacementDialog::DeleteRow);
    connect(detailsButton_, &QPushButton::clicked, this, &PlacementDialog::OpenDetails);
    connect(okButton_, &QPushButton::clicked, this, &PlacementDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &PlacementDialog::reject);

    auto* markGroup = new QGroupBox(QStringLiteral("▽位置"), this);
    auto* markLayout = new QHBoxLayout(markGroup);
    auto* markButtons = new QButtonGroup(this);
    for (int code = 0; code < 3; ++code) {
        auto* button = new QRadioButton(QString::fromUtf8(kMarkTexts[code]), markGroup);
        markButtons->addButton(button, code);
        markLayout->addWidget(button);
        mark_[static_cast<std::size_t>(code)] = button;
    }
    markLayout->addWidget(BuddyLabel(QStringLiteral("N="), markN_, markGroup));
    markLayout->addWidget(markN_);
    markLayout->addStretch();
    connect(markButtons, &QButtonGroup::idToggled, this,
            [this](int, bool) { markN_->setEnabled(mark_[2]->isChecked()); });

    auto* boxes = new QGridLayout;
    int row = 0;
    auto place = [&](int r, int c, const QString& text, QWidget* field, int span = 1) {
        boxes->addWidget(BuddyLabel(text, field, this), r, c, Qt::AlignRight);
        boxes->addWidget(field, r, c + 1, 1, span);
    };
    place(row, 0, QStringLiteral("調査名"), surveyName_, 5);
    ++row;
    place(row, 0, QStringLiteral("距離"), distance_);
    place(row, 2, QStringLiteral("ﾌｧｲﾙ名"), fileName_, 5);
    boxes->addWidget(openButton_, row, 8);
    place(row, 9, QStringLiteral("Ｎｏ."), label_);
    ++row;
    boxes->addWidget(markGroup, row, 0, 1, 8);
    place(row, 8, QStringLiteral("水位と▽表示位置"), waterLevel_, 3);
    ++row;
    place(row, 0, QStringLiteral("標高種別"), elevationKind_);
    place(row, 2, QStringLiteral("標高"), elevation_);
    place(row, 4, QStringLiteral("深度"), depth_);
    place(row, 6, QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙﾊﾞｰｼﾞｮﾝ"), version_);
    place(row, 9, QStringLiteral("-U"), uValue_);
    ++row;
    place(row, 0, QStringLiteral("枠順"), frameOrder_);
    place(row, 2, QStringLiteral("旗位置"), flagPosition_);
    place(row, 4, QStringLiteral("旗反転"), flagFlip_);
    place(row, 6, QStringLiteral("ｸﾞﾗﾌ鏡像"), graphMirror_);
    boxes->addWidget(detailsButton_, row, 8);
    place(row, 9, QStringLiteral("Nd桁"), ndDecimals_);

    auto* actions = new QHBoxLayout;
    actions->addWidget(addButton_);
    actions->addWidget(overwriteButton_);
    actions->addWidget(deleteButton_);
    actions->addSpacing(24);
    actions->addWidget(BuddyLabel(QStringLiteral("標尺タイトル"), rulerTitle_, this));
    actions->addWidget(rulerTitle_);
    actions->addWidget(convertedNPlot_);
    actions->addStretch();
    actions->addWidget(okButton_);
    actions->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addLayout(boxes);
    layout->addLayout(actions);

    // The order a user fills a row in: file, distance, label, mark, water level, the rest.
    QWidget* order[] = {table_,          openButton_,   distance_,        fileName_,     label_,
                        mark_[0],        mark_[1],      mark_[2],         markN_,        waterLevel_,
                        elevationKind_,  elevation_,    depth_,           version_,      uValue_,
                        frameOrder_,     flagPosition_, flagFlip_,        graphMirror_,  detailsButton_,
                        ndDecimals_,     addButton_,    overwriteButton_, deleteButton_, rulerTitle_,
                        convertedNPlot_, okButton_,     cancelButton_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

bool PlacementDialog::CollectBoxes() {
    PlacementBoxes& b = list_.boxes;
    struct Box {
        QLineEdit* edit;
        std::string* value;
        const char* name;
    };
    const Box lines[] = {{distance_, &b.distance, "距離"},
                         {fileName_, &b.fileName, "ﾌｧｲﾙ名"},
                         {label_, &b.label, "Ｎｏ."},
                         {markN_, &b.markN, "N="},
                         {elevationKind_, &b.elevationKind, "標高種別"},
                         {elevation_, &b.elevation, "標高"},
                         {depth_, &b.depth, "深度"},
                         {frameOrder_, &b.frameOrder, "枠順"},
                         {flagPosition_, &b.flagPosition, "旗位置"},
                         {flagFlip_, &b.flagFlip, "旗反転"},
                         {graphMirror_, &b.graphMirror, "ｸﾞﾗﾌ鏡像"},
                         {version_, &b.version, "ﾃﾞｰﾀﾌｧｲﾙﾊﾞｰｼﾞｮﾝ"},
                         {uValue_, &b.uValue, "-U"},
                         {ndDecimals_, &b.ndDecimals, "Nd桁"}};
    for (const Box& box : lines) {
        const auto text = ToCp932(box.edit->text(), QString::fromUtf8(box.name), messages_);
        if (!text) {
            box.edit->setFocus();
            return false;
        }
        *box.value = *text;
    }
    const auto water = ToCp932(waterLevel_->currentText(), QStringLiteral("水位と▽表示位置"), messages_);
    if (!water) {
        waterLevel_->setFocus();
        return false;
    }
    b.waterLevel = *water;
    for (int code = 0; code < 3; ++code) {
        if (mark_[static_cast<std::size_t>(code)]->isChecked()) {
            b.markCode = code;
        }
    }
    return true;
}

void PlacementDialog::ShowBoxes() {
    const PlacementBoxes& b = list_.boxes;
    surveyName_->setText(FromCp932(b.surveyName));
    distance_->setText(FromCp932(b.distance));
    fileName_->setText(FromCp932(b.fileName));
    label_->setText(FromCp932(b.label));
    const int code = b.markCode >= 0 && b.markCode < 3 ? b.markCode : 2;
    mark_[static_cast<std::size_t>(code)]->setChecked(true);
    markN_->setText(FromCp932(b.markN));
    markN_->setEnabled(b.MarkNEnabled() || code == 2);
    waterLevel_->clear();
    for (const std::string& choice : b.waterLevelChoices) {
        waterLevel_->addItem(FromCp932(choice));
    }
    waterLevel_->setEditText(FromCp932(b.waterLevel));
    elevationKind_->setText(FromCp932(b.elevationKind));
    elevation_->setText(FromCp932(b.elevation));
    depth_->setText(FromCp932(b.depth));
    frameOrder_->setText(FromCp932(b.frameOrder));
    flagPosition_->setText(FromCp932(b.flagPosition));
    flagFlip_->setText(FromCp932(b.flagFlip));
    graphMirror_->setText(FromCp932(b.graphMirror));
    version_->setText(FromCp932(b.version));
    uValue_->setText(FromCp932(b.uValue));
    ndDecimals_->setText(FromCp932(b.ndDecimals));
}

void PlacementDialog::RowChosen(int row) {
    list_.Select(row);
    if (list_.selected >= 0) {
        ShowBoxes();
    }
}

void PlacementDialog::SelectRowAfterLast() {
    const int count = static_cast<int>(list_.rows.size());
    table_->SetCurrentRow(count < kUserColumns ? count : -1);
}

void PlacementDialog::OpenSourceFile() {
    const QString start =
        list_.sourceFolder.folder.empty()
            ? QString()
            : rave::platform::PathToQString(rave::platform::ResolveSourcePath(list_.sourceFolder.folder));
    const QString chosen = ChooseSourceFile(start);
    if (!chosen.isEmpty()) {
        OpenSourcePath(chosen);
    }
}

void PlacementDialog::OpenSourcePath(const QString& chosen) {
    if (!CollectBoxes()) {
        return;
    }
    const auto pathText = rave::platform::SourcePathText(rave::platform::PathFromQString(chosen));
    if (!pathText) {
        messages_.Show(Cp932Message(0, QStringLiteral("ファイル名に保存できない文字があります。")));
        return;
    }
    list_.OpenSource(*pathText, rave::platform::ResolveSourcePath, messages_);
    ShowBoxes();
}

void PlacementDialog::AddRow() {
    if (!CollectBoxes() || !list_.Add(messages_)) {
        distance_->setFocus();
        return;
    }
    table_->Reload();
    SelectRowAfterLast();
}

void PlacementDialog::OverwriteRow() {
    if (!CollectBoxes()) {
        return;
    }
    const int row = list_.selected;
    if (list_.Overwrite(messages_)) {
        table_->RowsChanged(row, row);
    }
}

void PlacementDialog::DeleteRow() {
    if (list_.Delete()) {
        table_->Reload();
        SelectRowAfterLast();
    }
}

void PlacementDialog::OpenDetails() {
    if (!CollectBoxes()) {
        return;
    }
    DetailsSettings details = list_.OpenDetails();
    if (!EditDetails(details)) {
        return;
    }
    const int row = list_.selected;
    list_.ApplyDetails(details);
    ShowBoxes();
    if (row >= 0) {
        table_->RowsChanged(row, row);
    }
}

bool PlacementDialog::CellEdited(int row, int column, const QString& text) {
    if (row >= static_cast<int>(list_.rows.size())) {
        return false;
    }
    const auto bytes = ToCp932(text, QString::fromUtf8(kListColumns[column].header), messages_);
    if (!bytes) {
        return false;
    }
    // A row without a distance would drop out of the section on OK: the distance stays a number.
    if (column + 1 == colfield::kDistance && rave::IsNumericStart(*bytes) != 1) {
        messages_.Show(Cp932Message(message_id::kNoData, QStringLiteral("データが無い、または不正です.")));
        return false;
    }
    if (const auto tooLong = SourcePathTooLongMessage(*bytes);
        tooLong && column + 1 == colfield::kSourcePath) {
        messages_.Show(*tooLong);
        return false;
    }
    list_.EditCell(row, column + 1, *bytes);
    if (row == list_.selected) {
        list_.Select(row);
        ShowBoxes();
    }
    return true;
}

QString PlacementDialog::ChooseSourceFile(const QString& startFolder) {
    return QFileDialog::getOpenFileName(this, QStringLiteral("開く"), startFolder,
                                        QString::fromUtf8(kSourceFilter));
}

bool PlacementDialog::EditDetails(DetailsSettings& details) {
    PlacementDetailsDialog dialog(details, messages_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    details = dialog.Details();
    return true;
}

void PlacementDialog::accept() {
    const auto title = ToCp932(rulerTitle_->text(), QStringLiteral("標尺タイトル"), messages_);
    if (!title) {
        rulerTitle_->setFocus();
        return;
    }
    list_.rulerTitle = *title;
    list_.convertedNPlot = convertedNPlot_->isChecked();
    ApplyPlacement(list_, document_, files_, installFolder_, rave::platform::ResolveSourcePath, messages_);
    applied_ = true;
    QDialog::accept();
}

void PlacementDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    // A box or drop-down that did not use the key itself passes it here.
    switch (rave::EnterKeyActionFor(enterKey_, false)) {
        case rave::EnterKeyAction::kPressOk:
            accept();
            break;
        case rave::EnterKeyAction::kMoveToNextField:
            focusNextChild();
            break;
        case rave::EnterKeyAction::kNothing:
            break;
        case rave::EnterKeyAction::kStandard:
            QDialog::keyPressEvent(event);
            break;
    }
}

void PlacementDialog::reject() {
    if (list_.ConfirmCancel(messages_)) {
        QDialog::reject();
    }
}

}  // namespace ravesect::app
