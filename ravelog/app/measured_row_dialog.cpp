// The measured-row dialog: the list, the entry area and the options, bound to RowEditorModel.
#include "ravelog/app/measured_row_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "common/numbers.h"
#include "common/ravelog_settings.h"
#include "platform/cell_edit_table.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/conversion/soil_name_pass.h"
#include "ravelog/entry/entry_pick_lists.h"

namespace ravelog::app {

namespace {

constexpr std::array<const char*, kEntryFields> kFieldNames = {
    "depthField", "loadField", "halfTurnsField", "soilNameField", "patternField", "remarksField"};
constexpr std::array<int, 3> kAttributeBits = {attribute::kLineAbove, attribute::kLineBelow,
                                               attribute::kUnderline};
constexpr std::array<const char*, 3> kAttributeLabels = {"0に戻る上線", "0に戻る下線", "下線"};

}  // namespace

MeasuredRowDialog::MeasuredRowDialog(SoundingDocument& document, const rave::RavelogSettings& settings,
                                     RowEditorPickLists pickLists, SoilNamePass soilNames,
                                     rave::MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      messages_(messages),
      settings_(settings),
      soilNames_(std::move(soilNames)),
      model_(document, settings, std::move(pickLists)) {
    setWindowTitle(FromCp932(RowEditorModel::Title()));

    // The list: entries and, below the last one, an empty row to type a new entry into.
    std::vector<rave::platform::CellEditColumn> columns;
    const std::vector<std::string> headings = RowEditorModel::ColumnHeadings();
    // The widths are given for an 8-pixel-wide digit; larger fonts widen the columns alike.
    const double scale = std::max(1.0, fontMetrics().horizontalAdvance(QLatin1Char('0')) / 8.0);
    for (int c = 0; c < kEntryColumns; ++c) {
        columns.push_back({FromCp932(headings[static_cast<std::size_t>(c)]),
                           static_cast<int>(RowEditorModel::ColumnWidth(c) * scale) + 8,
                           c <= kLastEditableColumn});
    }
    rave::platform::CellEditCallbacks callbacks;
    callbacks.rowCount = [this] { return std::min(model_.EntryCount() + 1, kMaxRows); };
    callbacks.cellText = [this](int row, int c) {
        return row < model_.EntryCount() ? FromCp932(model_.Entry(row + 1)[c]) : QString();
    };
    callbacks.editorText = [this](int row, int c) {
        if (!model_.BeginCellEdit(row + 1, c)) {
            return QString();
        }
        return FromCp932(model_.CellEditorText());
    };
    callbacks.setCellText = [this](int row, int c, const QString& text) {
        const std::optional<std::string> cp932 = ToCp932(
            text, FromCp932(RowEditorModel::ColumnHeadings()[static_cast<std::size_t>(c)]), messages_);
        if (!cp932) {
            return false;
        }
        if (model_.EditedEntry() != row + 1 || model_.EditedColumn() != c) {
            model_.BeginCellEdit(row + 1, c);
        }
        const bool stored = model_.EndCellEdit(*cp932, messages_);
        if (stored) {
            PushArea();  // a cell of the selected entry also shows in the entry area
        }
        return stored;
    };
    table_ = new rave::platform::CellEditTable(std::move(columns), std::move(callbacks), this);
    table_->setObjectName(QStringLiteral("entryList"));
    table_->setAccessibleName(QStringLiteral("測定データ一覧"));
    int tableWidth = table_->frameWidth() * 2 + 24;
    for (int c = 0; c < kEntryColumns; ++c) {
        tableWidth += table_->columnWidth(c);
    }
    table_->setMinimumSize(tableWidth, 420);
    connect(table_, &rave::platform::CellEditTable::currentRowChanged, this,
            &MeasuredRowDialog::EntryClicked);

    auto* area = new QWidget(this);
    BuildEntryArea(area);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &MeasuredRowDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &MeasuredRowDialog::reject);

    auto* listButtons = new QHBoxLayout;
    auto* addBelowList = new QPushButton(QStringLiteral("データ追加"), this);
    addBelowList->setObjectName(QStringLiteral("addButton2"));
    addButtons_.push_back(addBelowList);
    delete_ = new QPushButton(QStringLiteral("行削除"), this);
    delete_->setObjectName(QStringLiteral("deleteButton"));
    listButtons->addWidget(addBelowList);
    listButtons->addWidget(delete_);
    listButtons->addStretch();
    listButtons->addWidget(ok);
    listButtons->addWidget(cancel);
    for (QPushButton* button : {addBelowList, delete_}) {
        button->setAutoDefault(false);
    }
    connect(addBelowList, &QPushButton::clicked, this, &MeasuredRowDialog::Add);
    connect(delete_, &QPushButton::clicked, this, &MeasuredRowDialog::DeleteSelected);

    auto* left = new QVBoxLayout;
    left->addWidget(table_, 1);
    left->addLayout(listButtons);
    auto* right = new QVBoxLayout;
    right->addWidget(area);
    right->addWidget(BuildSoilLists(), 1);
    right->addWidget(BuildOptions());
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);

    // Tab order: the entry fields in the layout's order, the list, then the rest.
    QWidget* previous = nullptr;
    for (EntryField field : model_.FieldOrder()) {
        QWidget* widget = field == EntryField::kRemarks ? static_cast<QWidget*>(remarks_) : Field(field);
        if (previous) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
    for (QWidget* widget : std::initializer_list<QWidget*>{addButtons_.front(), overwrite_, table_}) {
        setTabOrder(previous, widget);
        previous = widget;
    }

    PushArea();
    if (model_.EntryCount() > 0) {
        table_->scrollToTop();
    }
    FocusModelField();
}

void MeasuredRowDialog::BuildEntryArea(QWidget* area) {
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    for (EntryField field : model_.FieldOrder()) {
        const auto index = static_cast<std::size_t>(field);
        QWidget* widget = nullptr;
        if (field == EntryField::kRemarks) {
            remarks_ = new QComboBox(area);
            remarks_->setEditable(true);
            remarks_->setInsertPolicy(QComboBox::NoInsert);
            remarks_->setObjectName(QString::fromLatin1(kFieldNames[index]));
            for (const std::string& text : model_.PickLists().remarks) {
                remarks_->addItem(FromCp932(text));
            }
            remarks_->setCurrentIndex(-1);
            fields_[index] = remarks_->lineEdit();
            connect(remarks_, &QComboBox::activated, this, [this](int) {
                if (!syncing_) {
                    LeaveField(EntryField::kRemarks);
                }
            });
            widget = remarks_;
        } else {
            fields_[index] = new QLineEdit(area);
            widget = fields_[index];
        }
        fields_[index]->setObjectName(QString::fromLatin1(kFieldNames[index]));
        fields_[index]->installEventFilter(this);
        AddLabelledRow(grid, row++, 0, FromCp932(RowEditorModel::FieldLabel(field)), widget);
        if (field == EntryField::kPattern) {
            // The marks the pattern number's class digit sets: shown, not edited.
            auto* marks = new QHBoxLayout;
            sandy_ = new QCheckBox(QStringLiteral("砂質土"), area);
            clayey_ = new QCheckBox(QStringLiteral("粘性土"), area);
            sandy_->setObjectName(QStringLiteral("sandyMark"));
            clayey_->setObjectName(QStringLiteral("clayeyMark"));
            for (QCheckBox* box : {sandy_, clayey_}) {
                box->setEnabled(false);
                marks->addWidget(box);
            }
            marks->addStretch();
            grid->addLayout(marks, row++, 1);
        }
    }
    auto* attribute = new QGroupBox(QStringLiteral("描画"), area);
    auto* attributeLayout = new QHBoxLayout(attribute);
    for (std::size_t i = 0; i < attributeBoxes_.size(); ++i) {
        attributeBoxes_[i] = new QCheckBox(QString::fromUtf8(kAttributeLabels[i]), attribute);
        attributeLayout->addWidget(attributeBoxes_[i]);
        const int bit = kAttributeBits[i];
        attributeBoxes_[i]->setObjectName(QStringLiteral("attribute%1").arg(bit));
        connect(attributeBoxes_[i], &QCheckBox::toggled, this, [this, bit](bool on) {
            if (syncing_ || !PullAll()) {
                return;
            }
            model_.SetAttributeBit(bit, on);
            if (model_.Selected() != 0) {
                table_->RowsChanged(model_.Selected() - 1, model_.Selected() - 1);
            }
        });
    }
    grid->addWidget(attribute, row++, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("データ追加"), area);
    add->setObjectName(QStringLiteral("addButton"));
    addButtons_.insert(addButtons_.begin(), add);
    overwrite_ = new QPushButton(QStringLiteral("上書き"), area);
    overwrite_->setObjectName(QStringLiteral("overwriteButton"));
    for (QPushButton* button : {add, overwrite_}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    connect(add, &QPushButton::clicked, this, &MeasuredRowDialog::Add);
    connect(overwrite_, &QPushButton::clicked, this, &MeasuredRowDialog::Overwrite);
    grid->addLayout(buttons, row, 0, 1, 2);
}

QWidget* MeasuredRowDialog::BuildSoilLists() {
    auto* box = new QGroupBox(QStringLiteral("土質名"), this);
    auto* layout = new QHBoxLayout(box);
    const std::vector<const SoilPickList*> lists = model_.SoilLists();
    for (std::size_t n = 0; n < lists.size(); ++n) {
        auto* list = new QListWidget(box);
        list->setObjectName(QStringLiteral("soilList%1").arg(n + 1));
        list->setAccessibleName(QStringLiteral("土質名 %1").arg(n + 1));
        for (const SoilPick& pick : *lists[n]) {
            list->addItem(FromCp932(pick.name));
        }
        const int listIndex = static_cast<int>(n);
        auto pick = [this, list, listIndex] {
            if (list->currentRow() < 0 || !PullAll()) {
                return;
            }
            model_.PickSoil(listIndex, list->currentRow(), messages_);
            PushArea();
            if (model_.Selected() != 0) {
                table_->RowsChanged(model_.Selected() - 1, model_.Selected() - 1);
            }
        };
        // Wide enough for the longest name, so no name is cut.
        list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                              2 * list->frameWidth() + 4);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setMinimumHeight(std::max(1, list->sizeHintForRow(0)) * 10 + 2 * list->frameWidth());
        connect(list, &QListWidget::itemClicked, this, pick);
        connect(list, &QListWidget::itemActivated, this, pick);
        layout->addWidget(list);
        soilLists_.push_back(list);
    }
    return box;
}

QWidget* MeasuredRowDialog::BuildOptions() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    autoIncrement_ = new QCheckBox(QStringLiteral("自動増分"), box);
    sameLoad_ = new QCheckBox(QStringLiteral("前行と同じ"), box);
    repeatedName_ = new QCheckBox(QStringLiteral("同じ土質名が\n続く時、メッセ\nージを表示"), box);
    repeatedName_->setAccessibleName(QStringLiteral("同じ土質名が続く時、メッセージを表示"));
    autoIncrement_->setChecked(model_.options.autoIncrement);
    sameLoad_->setChecked(model_.options.sameLoad);
    repeatedName_->setChecked(model_.options.repeatedNameWarning);
    grid->addWidget(autoIncrement_, 0, 0);
    grid->addWidget(sameLoad_, 1, 0);
    grid->addWidget(repeatedName_, 2, 0, 2, 1);

    auto* invalid = new QGroupBox(QStringLiteral("WswNa無効文字の扱い"), box);
    auto* invalidLayout = new QVBoxLayout(invalid);
    useNextValid_ = new QRadioButton(QStringLiteral("次の有効デ-タ使用"), invalid);
    skipInvalid_ = new QRadioButton(QStringLiteral("スキップ"), invalid);
    invalidLayout->addWidget(useNextValid_);
    invalidLayout->addWidget(skipInvalid_);
    (model_.options.skipInvalidWswNa ? skipInvalid_ : useNextValid_)->setChecked(true);
    lengthAsNa_ = new QCheckBox(QStringLiteral("貫入量もNa文字"), box);
    lengthAsNa_->setChecked(model_.options.lengthAsNa);
    grid->addWidget(invalid, 0, 1, 3, 1);
    grid->addWidget(lengthAsNa_, 3, 1);
    for (QCheckBox* option : {autoIncrement_, sameLoad_, repeatedName_}) {
        connect(option, &QCheckBox::toggled, this, &MeasuredRowDialog::PullOptions);
    }
    return box;
}

std::optional<EntryField> MeasuredRowDialog::FieldOf(QObject* widget) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i] == widget) {
            return static_cast<EntryField>(i);
        }
    }
    return std::nullopt;
}

bool MeasuredRowDialog::PullField(EntryField field) {
    const std::optional<std::string> text =
        ToCp932(Field(field)->text(), FromCp932(RowEditorModel::FieldLabel(field)), messages_);
    if (!text) {
        return false;
    }
    if (*text != model_.FieldText(field)) {
        model_.SetFieldText(field, *text);
    }
    return true;
}

bool MeasuredRowDialog::PullAll() {
    // The soil name goes last: emptying it empties the pattern number, which the pattern
    // field's old text must not bring back.
    for (EntryField field : {EntryField::kDepth, EntryField::kLoad, EntryField::kHalfTurns,
                             EntryField::kPattern, EntryField::kRemarks, EntryField::kSoilName}) {
        if (!PullField(field)) {
            return false;
        }
    }
    return true;
}

void MeasuredRowDialog::LeaveField(EntryField field) {
    // Every field is taken, not only the one left: the refresh below shows the model's texts in
    // all of them.
    if (syncing_ || !PullAll()) {
        return;
    }
    const int selected = model_.Selected();
    model_.FieldLeft(field, messages_);
    if (selected != 0) {
        table_->RowsChanged(selected - 1, selected - 1);
    }
    PushArea();
}

void MeasuredRowDialog::PushArea() {
    syncing_ = true;
    for (int i = 0; i < kEntryFields; ++i) {
        const auto field = static_cast<EntryField>(i);
        const QString text = FromCp932(model_.FieldText(field));
        if (Field(field)->text() != text) {
            Field(field)->setText(text);
        }
    }
    sandy_->setChecked(model_.SandyMark());
    clayey_->setChecked(model_.ClayeyMark());
    for (std::size_t i = 0; i < attributeBoxes_.size(); ++i) {
        attributeBoxes_[i]->setChecked(model_.AttributeBit(kAttributeBits[i]));
    }
    for (QPushButton* add : addButtons_) {
        add->setEnabled(model_.AddEnabled());
    }
    delete_->setEnabled(model_.DeleteEnabled());
    syncing_ = false;
}

void MeasuredRowDialog::PullOptions() {
    model_.options.autoIncrement = autoIncrement_->isChecked();
    model_.options.sameLoad = sameLoad_->isChecked();
    model_.options.repeatedNameWarning = repeatedName_->isChecked();
    model_.options.skipInvalidWswNa = skipInvalid_->isChecked();
    model_.options.lengthAsNa = lengthAsNa_->isChecked();
}

void MeasuredRowDialog::SelectInTable(int entry) {
    syncing_ = true;
    table_->SetCurrentRow(entry - 1);
    syncing_ = false;
}

void MeasuredRowDialog::ListChanged() {
    table_->Reload();
    SelectInTable(model_.Selected());
    PushArea();
    FocusModelField();
}

void MeasuredRowDialog::FocusModelField() {
    syncing_ = true;
    const EntryField field = model_.FocusField();
    QWidget* widget = field == EntryField::kRemarks ? static_cast<QWidget*>(remarks_) : Field(field);
    widget->setFocus();
    Field(field)->selectAll();
    syncing_ = false;
}

void MeasuredRowDialog::Add() {
    if (!PullAll()) {
        return;
    }
    PullOptions();
    if (model_.Add(messages_)) {
        ListChanged();
        table_->scrollTo(table_->model()->index(model_.EntryCount() - 1, 0));
    } else {
        FocusModelField();
    }
}

void MeasuredRowDialog::Overwrite() {
    if (!PullAll()) {
        return;
    }
    model_.Overwrite(messages_);
    ListChanged();
}

void MeasuredRowDialog::DeleteSelected() {
    model_.DeleteSelected();
    ListChanged();
}

void MeasuredRowDialog::EntryClicked(int row) {
    if (syncing_) {
        return;
    }
    model_.Click(row + 1);
    PushArea();
}

bool MeasuredRowDialog::eventFilter(QObject* watched, QEvent* event) {
    const std::optional<EntryField> field = FieldOf(watched);
    if (field && event->type() == QEvent::FocusOut) {
        LeaveField(*field);
    } else if (field && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const long behaviour = settings_.Int(rave::sysline::kEnterKey);
            if (model_.EnterMovesToNextField()) {
                const EntryField next = model_.NextField(*field);
                QWidget* widget =
                    next == EntryField::kRemarks ? static_cast<QWidget*>(remarks_) : Field(next);
                widget->setFocus(Qt::TabFocusReason);
                Field(next)->selectAll();
                return true;
            }
            if (behaviour == 2) {
                LeaveField(*field);  // the key only confirms the field
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MeasuredRowDialog::accept() {
    if (!PullAll()) {
        return;
    }
    PullOptions();
    if (!model_.Commit(soilNames_, messages_)) {
        ListChanged();  // the entry at fault is selected
        return;
    }
    QDialog::accept();
}

void MeasuredRowDialog::reject() {
    if (!model_.Cancel(messages_)) {
        return;
    }
    QDialog::reject();
}

void EditMeasuredRows(MainFrame& frame, const DialogRunner& run) {
    const SoundingDocument before = frame.Document();
    const StartupFiles& files = frame.Files();
    const bool jacicActive = rave::ParseInteger(frame.Document().header[slot::kSoilTableKind]) != 0;
    RowEditorPickLists lists =
        LoadRowEditorPickLists(frame.InstallFolder(), *files.soilTables, jacicActive, frame.Messages());
    MeasuredRowDialog dialog(frame.Document(), files.settings, std::move(lists),
                             MakeSoilNamePass(files.soilTables), frame.Messages(), &frame);
    run(dialog);
    // Opening may already have put "0 " before depths that are not numbers, so a cancelled
    // editor can also leave a changed document behind.
    frame.CommitDocumentEdit(QStringLiteral("データ"), before);
}

}  // namespace ravelog::app
