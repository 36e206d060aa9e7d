// The header dialog: one widget per header slot, laid out in groups, bound to HeaderEditorModel.
#include "ravelog/app/header_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ravelog/app/main_frame.h"
#include "ravelog/entry/entry_pick_lists.h"

namespace ravelog::app {

namespace {

constexpr int kTitleSlots[] = {slot::kTitleFormat1, slot::kTitleFormat2, 27};
constexpr int kNotes12[] = {21, 22, 23};
constexpr int kNotes3[] = {24, 25, 26};

QString SlotName(int slot) {
    return QStringLiteral("slot%1").arg(slot);
}

}  // namespace

HeaderDialog::HeaderDialog(SoundingDocument& document, const rave::RavelogSettings& settings,
                           std::vector<std::string> technicians, rave::MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      document_(document),
      messages_(messages),
      model_(document, settings, std::move(technicians)) {
    setWindowTitle(FromCp932(HeaderEditorModel::Title()));
    for (const HeaderField& f : HeaderEditorModel::Fields()) {
        fields_[f.slot] = CreateField(f);
    }

    // 調査: names of the survey and the company.
    auto* survey = new QGroupBox(QStringLiteral("調査"));
    auto* surveyGrid = new QGridLayout(survey);
    int row = 0;
    for (int s : {slot::kSurveyName1, slot::kSurveyName2, slot::kPointNumber, 29}) {
        TextRow(surveyGrid, row++, s);
    }

    // 試験: date, tester, devices, weather, memo.
    auto* test = new QGroupBox(QStringLiteral("試験"));
    auto* testGrid = new QGridLayout(test);
    auto* date = new QHBoxLayout;
    date->addWidget(Field(6));
    tabOrder_.push_back(Field(6));
    for (int s : {7, 8, 9}) {
        qobject_cast<QLineEdit*>(Field(s))->setMaximumWidth(48);
        date->addWidget(Field(s));
        date->addWidget(BuddyLabel(LabelOf(s), Field(s)));
        tabOrder_.push_back(Field(s));
    }
    date->addStretch();
    testGrid->addWidget(BuddyLabel(LabelOf(6), Field(6)), 0, 0);
    testGrid->addLayout(date, 0, 1);
    row = 1;
    for (int s : {10, 16, 17, 18, 33}) {
        TextRow(testGrid, row++, s);
    }

    // 孔口: datum, elevation and position.
    auto* place = new QGroupBox(QStringLiteral("孔口"));
    auto* placeGrid = new QGridLayout(place);
    row = 0;
    for (int s : {12, 13, 14, 15}) {
        TextRow(placeGrid, row++, s);
    }
    placeGrid->addWidget(Field(87), row, 0, 1, 2);
    tabOrder_.push_back(Field(87));

    // 表示: format, soil-name table, depth scale, rows per page.
    auto* view = new QGroupBox(QStringLiteral("表示"));
    auto* viewGrid = new QGridLayout(view);
    viewGrid->addWidget(new QLabel(LabelOf(slot::kReportFormat)), 0, 0, Qt::AlignTop);
    viewGrid->addWidget(RadioGroup(slot::kReportFormat), 0, 1, 1, 2);
    viewGrid->addWidget(new QLabel(LabelOf(slot::kSoilTableKind)), 1, 0, Qt::AlignTop);
    viewGrid->addWidget(RadioGroup(slot::kSoilTableKind), 1, 1, 1, 2);
    TextRow(viewGrid, 2, slot::kDepthScale);
    qobject_cast<QLineEdit*>(Field(slot::kDepthScale))->setMaximumWidth(64);
    viewGrid->addWidget(new QLabel(FromCp932(HeaderEditorModel::DepthScaleHint())), 2, 2);
    TextRow(viewGrid, 3, slot::kRowsPerPageChoice);
    viewGrid->addWidget(Field(28), 4, 0, 1, 3);
    tabOrder_.push_back(Field(28));

    // タイトル: the three titles, each with "Copy".
    auto* titles = new QGroupBox(QStringLiteral("タイトル"));
    auto* titleGrid = new QGridLayout(titles);
    row = 0;
    for (int s : kTitleSlots) {
        TextRow(titleGrid, row, s);
        auto* copy = new QPushButton(QStringLiteral("Copy"));
        copy->setObjectName(QStringLiteral("copyTitle%1").arg(s));
        copy->setAutoDefault(false);
        copy->setAccessibleName(QStringLiteral("%1 の標準タイトル").arg(LabelOf(s)));
        connect(copy, &QPushButton::clicked, this, [this, s] {
            model_.CopyDefaultTitle(s);
            Push(s);
        });
        titleGrid->addWidget(copy, row++, 2);
        tabOrder_.push_back(copy);
    }

    // 特記事項: notes of formats 1 and 2, of format 3 (with "←" from the proposed note).
    auto* notes = new QGroupBox(QStringLiteral("特記事項"));
    auto* noteGrid = new QGridLayout(notes);
    row = 0;
    for (int s : kNotes12) {
        TextRow(noteGrid, row++, s);
    }
    auto* proposal = new QLineEdit(FromCp932(model_.NoteProposal()));
    proposal->setObjectName(QStringLiteral("noteProposal"));
    proposal->setReadOnly(true);
    for (int s : kNotes3) {
        TextRow(noteGrid, row, s);
        auto* copy = new QPushButton(QStringLiteral("←"));
        copy->setObjectName(QStringLiteral("copyNote%1").arg(s));
        copy->setAutoDefault(false);
        copy->setAccessibleName(QStringLiteral("%1 に注記を写す").arg(LabelOf(s)));
        copy->setMaximumWidth(40);
        connect(copy, &QPushButton::clicked, this, [this, s] {
            model_.CopyNoteProposal(s);
            Push(s);
        });
        noteGrid->addWidget(copy, row++, 2);
        tabOrder_.push_back(copy);
    }
    AddLabelledRow(noteGrid, row, 0, QStringLiteral("注記(案)"), proposal);
    tabOrder_.push_back(proposal);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &HeaderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &HeaderDialog::reject);
    tabOrder_.push_back(ok);
    tabOrder_.push_back(cancel);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(survey);
    left->addWidget(test);
    left->addWidget(place);
    auto* right = new QVBoxLayout;
    right->addWidget(view);
    right->addWidget(titles);
    right->addStretch();
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addWidget(notes);
    main->addWidget(buttons);

    for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
        setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
    }
    ApplyEnterKeySetting(*this, rave::EnterKeyBehaviourOf(settings));
    Field(slot::kSurveyName1)->setFocus();
}

QString HeaderDialog::LabelOf(int slot) const {
    const HeaderField* f = HeaderEditorModel::FieldOf(slot);
    return f != nullptr ? FromCp932(f->label) : QString();
}

QWidget* HeaderDialog::CreateField(const HeaderField& field) {
    QWidget* widget = nullptr;
    switch (field.kind) {
        case HeaderFieldKind::kText:
        case HeaderFieldKind::kInteger:
            widget = new QLineEdit;
            break;
        case HeaderFieldKind::kEditableList: {
            auto* combo = new QComboBox;
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            for (const std::string& entry : model_.ListEntries(field.slot)) {
                combo->addItem(FromCp932(entry));
            }
            widget = combo;
            break;
        }
        case HeaderFieldKind::kChoice:
            if (field.slot == slot::kRowsPerPageChoice) {
                auto* combo = new QComboBox;
                for (const std::string& label : HeaderEditorModel::ChoiceLabels(field.slot)) {
                    combo->addItem(FromCp932(label));
                }
                connect(combo, &QComboBox::activated, this,
                        [this](int index) { FocusField(model_.ChooseRowsPerPage(index)); });
                widget = combo;
            } else {
                // A placeholder; RadioGroup puts the buttons in it.
                widget = new QWidget;
            }
            break;
        case HeaderFieldKind::kFlag:
            widget = new QCheckBox(FromCp932(field.label));
            break;
    }
    widget->setObjectName(SlotName(field.slot));
    widget->setAccessibleName(FromCp932(field.label));
    fields_[field.slot] = widget;
    Push(field.slot);
    return widget;
}

QWidget* HeaderDialog::TextRow(QGridLayout* grid, int row, int slot) {
    AddLabelledRow(grid, row, 0, LabelOf(slot), Field(slot));
    tabOrder_.push_back(Field(slot));
    return Field(slot);
}

QWidget* HeaderDialog::RadioGroup(int slot) {
    QWidget* box = Field(slot);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(box);
    const std::vector<std::string> labels = HeaderEditorModel::ChoiceLabels(slot);
    for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
        auto* radio = new QRadioButton(FromCp932(labels[static_cast<std::size_t>(i)]));
        radio->setObjectName(QStringLiteral("%1_%2").arg(SlotName(slot)).arg(i));
        group->addButton(radio, i);
        layout->addWidget(radio);
        tabOrder_.push_back(radio);
    }
    layout->addStretch();
    radioGroups_[slot] = group;
    Push(slot);
    return box;
}

void HeaderDialog::Push(int slot) {
    const HeaderField* f = HeaderEditorModel::FieldOf(slot);
    QWidget* widget = fields_.count(slot) != 0 ? fields_.at(slot) : nullptr;
    if (f == nullptr || widget == nullptr) {
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(FromCp932(model_.Text(slot)));
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        check->setChecked(model_.Flag(slot));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable()) {
            combo->setCurrentText(FromCp932(model_.Text(slot)));
        } else {
            combo->setCurrentIndex(model_.Choice(slot));
        }
    } else if (radioGroups_.count(slot) != 0) {
        if (QAbstractButton* button = radioGroups_.at(slot)->button(model_.Choice(slot))) {
            button->setChecked(true);
        }
    }
}

bool HeaderDialog::PullAll() {
    for (const HeaderField& f : HeaderEditorModel::Fields()) {
        QWidget* widget = Field(f.slot);
        QString text;
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            text = edit->text();
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            model_.SetFlag(f.slot, check->isChecked());
            continue;
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            if (!combo->isEditable()) {
                model_.SetChoice(f.slot, combo->currentIndex());
                continue;
            }
            text = combo->currentText();
        } else {
            if (radioGroups_.count(f.slot) != 0) {
                model_.SetChoice(f.slot, radioGroups_.at(f.slot)->checkedId());
            }
            continue;
        }
        std::optional<std::string> cp932 = ToCp932(text, LabelOf(f.slot), messages_);
        if (!cp932) {
            FocusField(f.slot);
            return false;
        }
        model_.SetText(f.slot, std::move(*cp932));
    }
    return true;
}

void HeaderDialog::FocusField(int slot) {
    if (fields_.count(slot) == 0) {
        return;
    }
    QWidget* widget = fields_.at(slot);
    if (radioGroups_.count(slot) != 0 && !radioGroups_.at(slot)->buttons().isEmpty()) {
        widget = radioGroups_.at(slot)->buttons().first();
    }
    widget->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->selectAll();
    }
}

void HeaderDialog::accept() {
    if (!PullAll()) {
        return;
    }
    if (!model_.Commit(document_, messages_)) {
        FocusField(model_.FocusSlot());
        return;
    }
    QDialog::accept();
}

void EditHeader(MainFrame& frame, const DialogRunner& run) {
    const SoundingDocument before = frame.Document();
    HeaderDialog dialog(frame.Document(), frame.Files().settings,
                        LoadTechnicianList(frame.Files().paths.technicians), frame.Messages(), &frame);
    if (run(dialog) == QDialog::Accepted) {
        frame.CommitDocumentEdit(QStringLiteral("見出し"), before);
    }
}

}  // namespace ravelog::app
