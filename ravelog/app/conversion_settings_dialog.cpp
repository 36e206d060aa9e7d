// The conversion dialog: widgets per slot in groups (display, scales, formulas, qa options,
// plot depths, examples), bound to EditConversionSettings.
#include "ravelog/app/conversion_settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/codec.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/conversion/coefficient_set.h"

namespace ravelog::app {

namespace {

QString SlotName(int slot) {
    return QStringLiteral("slot%1").arg(slot);
}

const QStringList kCoefficientNames = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                       QStringLiteral("d"), QStringLiteral("e")};

}  // namespace

ConversionSettingsDialog::ConversionSettingsDialog(SoundingDocument& document,
                                                   const rave::RavelogSettings& settings,
                                                   rave::MessageSink& messages, QWidget* parent)
    : QDialog(parent), document_(document), messages_(messages), model_(document, settings) {
    setWindowTitle(QStringLiteral("換算値 係数と表示"));

    // Display and N graph.
    auto* display = new QGroupBox(QStringLiteral("表示する換算値"));
    auto* displayLayout = new QVBoxLayout(display);
    displayLayout->addWidget(
        Radios(coef::kDisplay,
               {QStringLiteral("N値のみ"), QStringLiteral("quのみ"), QStringLiteral("N値とqu"),
                QStringLiteral("qaのみ"), QStringLiteral("N値とqa")},
               true));
    auto* nGraph = new QGroupBox(QStringLiteral("グラフ最高打撃回数"));
    auto* nGraphLayout = new QVBoxLayout(nGraph);
    nGraphLayout->addWidget(
        Radios(coef::kNGraphMax, {QStringLiteral("50"), QStringLiteral("60"), QStringLiteral("70")}, true));

    // Graph scales: 0 から [end] まで きざみ [step].
    auto* scales = new QGroupBox(QStringLiteral("グラフ目盛り"));
    auto* scaleGrid = new QGridLayout(scales);
    const std::pair<QString, std::pair<int, int>> scaleRows[] = {
        {QStringLiteral("qu"), {coef::kQuScaleEnd, coef::kQuScaleStep}},
        {QStringLiteral("qa"), {coef::kQaScaleEnd, coef::kQaScaleStep}}};
    int row = 0;
    for (const auto& [name, ends] : scaleRows) {
        auto* start = new QLineEdit(FromCp932(EditConversionSettings::ScaleStart()));
        start->setReadOnly(true);
        start->setFocusPolicy(Qt::NoFocus);
        start->setMaximumWidth(40);
        scaleGrid->addWidget(new QLabel(QStringLiteral("%1 目盛り").arg(name)), row, 0);
        scaleGrid->addWidget(start, row, 1);
        labels_[ends.first] = QStringLiteral("%1 目盛り まで").arg(name);
        labels_[ends.second] = QStringLiteral("%1 目盛り きざみ").arg(name);
        scaleGrid->addWidget(new QLabel(QStringLiteral("から")), row, 2);
        scaleGrid->addWidget(Edit(ends.first), row, 3);
        scaleGrid->addWidget(BuddyLabel(QStringLiteral("まで　きざみ"), edits_[ends.first]), row, 4);
        scaleGrid->addWidget(Edit(ends.second), row, 5);
        edits_[ends.first]->setAccessibleName(labels_[ends.first]);
        edits_[ends.second]->setAccessibleName(labels_[ends.second]);
        ++row;
    }
    scaleGrid->setColumnStretch(6, 1);

    // Formulas of N and qu.
    auto* formulas = new QGroupBox(QStringLiteral("換算式と係数"));
    auto* formulaGrid = new QGridLayout(formulas);
    for (int i = 0; i < 5; ++i) {
        formulaGrid->addWidget(new QLabel(kCoefficientNames[i]), 0, 2 + i, Qt::AlignCenter);
    }
    const QString nFormula = QStringLiteral("N = a + b･Wsw<sup>c</sup> + d･Ｎsw<sup>e</sup>");
    CoefficientRow(formulaGrid, 1, QStringLiteral("N値 粘性土"), coef::kNClayey);
    formulaGrid->addWidget(new QLabel(nFormula), 1, 1);
    CoefficientRow(formulaGrid, 2, QStringLiteral("N値 砂質土"), coef::kNSandy);
    formulaGrid->addWidget(new QLabel(nFormula), 2, 1);
    CoefficientRow(formulaGrid, 3, QStringLiteral("qu 粘性土"), coef::kQu);
    formulaGrid->addWidget(new QLabel(QStringLiteral("qu = a + b･Wsw<sup>c</sup> + d･Ｎsw<sup>e</sup>")), 3,
                           1);
    formulaGrid->addWidget(Check(coef::kQuForSandy, QStringLiteral("砂質土にも適用")), 4, 2, 1, 4);

    // qa: the formula or qa = b·N, and its options.
    auto* qa = new QGroupBox(QStringLiteral("qa 長期許容支持力"));
    auto* qaGrid = new QGridLayout(qa);
    QWidget* kinds =
        Radios(coef::kQaFormulaKind,
               {QStringLiteral("qa = a + b･Wsw   +d･Ｎsw "), QStringLiteral("qa = b･Ｎ ")}, true);
    qaGrid->addWidget(kinds, 0, 0, 2, 1);
    for (int i = 0; i < 5; ++i) {
        const int slot = coef::kQaFormula + i;
        labels_[slot] = QStringLiteral("qa %1").arg(kCoefficientNames[i]);
        auto* heading = BuddyLabel(
            i == 2 || i == 4 ? QStringLiteral("%1 (指数)").arg(kCoefficientNames[i]) : kCoefficientNames[i],
            Edit(slot));
        edits_[slot]->setAccessibleName(labels_[slot]);
        qaGrid->addWidget(heading, 0, 1 + i, Qt::AlignCenter);
        qaGrid->addWidget(edits_[slot], 1, 1 + i);
    }
    const QString bLabels[] = {QStringLiteral("砂質土 Nsw=0"), QStringLiteral("砂質土 Nsw>0"),
                               QStringLiteral("粘性土 Nsw=0"), QStringLiteral("粘性土 Nsw>0")};
    for (int i = 0; i < 4; ++i) {
        const int slot = coef::kQaBNSandyZero + i;
        labels_[slot] = QStringLiteral("qa = b･N の b %1").arg(bLabels[i]);
        qaGrid->addWidget(BuddyLabel(bLabels[i], Edit(slot)), 2, 1 + i, Qt::AlignCenter);
        edits_[slot]->setAccessibleName(labels_[slot]);
        qaGrid->addWidget(edits_[slot], 3, 1 + i);
    }
    qaGrid->addWidget(new QLabel(QStringLiteral("qa = b･N の b")), 3, 0, Qt::AlignRight);
    qaGrid->addWidget(Check(coef::kShowExponentOne, QStringLiteral("指数1を表示する")), 4, 0);
    qaGrid->addWidget(Check(coef::kQaWsw1Only, QStringLiteral("Wsw=1の時のみ計算する")), 4, 1, 1, 3);
    labels_[coef::kNswCap] = QStringLiteral("Nsw 計算上限");
    qaGrid->addWidget(BuddyLabel(labels_[coef::kNswCap], Edit(coef::kNswCap)), 5, 0, Qt::AlignRight);
    qaGrid->addWidget(edits_[coef::kNswCap], 5, 1);
    labels_[coef::kQaDisplayLimit] = QStringLiteral("qa 表示上限");
    qaGrid->addWidget(BuddyLabel(labels_[coef::kQaDisplayLimit], Edit(coef::kQaDisplayLimit)), 6, 0,
                      Qt::AlignRight);
    qaGrid->addWidget(edits_[coef::kQaDisplayLimit], 6, 1);
    copySuggestion_ = new QPushButton(QStringLiteral("←"));
    copySuggestion_->setObjectName(QStringLiteral("copySuggestion"));
    copySuggestion_->setAccessibleName(QStringLiteral("表示上限に計算上限のqaを写す"));
    copySuggestion_->setMaximumWidth(40);
    copySuggestion_->setAutoDefault(false);
    suggestion_ = new QLineEdit;
    suggestion_->setObjectName(QStringLiteral("suggestion"));
    suggestion_->setReadOnly(true);
    suggestion_->setAccessibleName(QStringLiteral("計算上限の時のqa"));
    suggestion_->setMaximumWidth(64);
    suggestion_->installEventFilter(this);
    suggestionUnit_ = new QLabel(QStringLiteral("kN/m²"));
    qaGrid->addWidget(copySuggestion_, 6, 2);
    qaGrid->addWidget(suggestion_, 6, 3);
    qaGrid->addWidget(suggestionUnit_, 6, 4);
    tabOrder_.push_back(copySuggestion_);
    tabOrder_.push_back(suggestion_);
    qaGrid->addWidget(Check(coef::kQaOverMark, QStringLiteral("超過記号 > 付ける")), 7, 1, 1, 3);
    connect(copySuggestion_, &QPushButton::clicked, this, [this] {
        model_.CopySuggestionToDisplayLimit();
        edits_[coef::kQaDisplayLimit]->setText(FromCp932(model_.Text(coef::kQaDisplayLimit)));
    });
    edits_[coef::kNswCap]->installEventFilter(this);
    edits_[coef::kQaDisplayLimit]->installEventFilter(this);
    connect(radios_[coef::kQaFormulaKind], &QButtonGroup::idClicked, this, [this](int id) {
        model_.SetChoice(coef::kQaFormulaKind, id);
        ShowSuggestion();
    });

    // Plot depths and the table's vertical rule.
    auto* plot = new QGroupBox(QStringLiteral("換算値のプロット位置"));
    auto* plotGrid = new QGridLayout(plot);
    const QStringList depthChoices = {QStringLiteral("貫入深さ位置"), QStringLiteral("前深さとの中間")};
    plotGrid->addWidget(new QLabel(QStringLiteral("N値")), 0, 0);
    plotGrid->addWidget(Radios(coef::kNPlotDepth, depthChoices), 0, 1);
    plotGrid->addWidget(new QLabel(QStringLiteral("qu、qa")), 1, 0);
    plotGrid->addWidget(Radios(coef::kQuQaPlotDepth, depthChoices), 1, 1);
    plotGrid->addWidget(Check(coef::kVerticalRule, QStringLiteral("たて罫線")), 2, 0, 1, 2);
    plotGrid->setColumnStretch(2, 1);

    // Example sets.
    auto* examples = new QGroupBox(QStringLiteral("換算係数例"));
    auto* exampleLayout = new QVBoxLayout(examples);
    const std::vector<std::string> exampleLabels = EditConversionSettings::ExampleLabels();
    for (int i = 0; i < static_cast<int>(exampleLabels.size()); ++i) {
        auto* button = new QPushButton(FromCp932(exampleLabels[static_cast<std::size_t>(i)]));
        button->setObjectName(QStringLiteral("example%1").arg(i));
        button->setAutoDefault(false);
        button->setMinimumWidth(button->sizeHint().width() + 16);
        exampleLayout->addWidget(button);
        tabOrder_.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, i] {
            if (PullAll()) {
                model_.ApplyExample(static_cast<ConversionExample>(i));
                PushAll();
            }
        });
    }
    exampleLayout->addStretch();

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ConversionSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ConversionSettingsDialog::reject);
    tabOrder_.push_back(ok);
    tabOrder_.push_back(cancel);

    auto* top = new QHBoxLayout;
    top->addWidget(display);
    top->addWidget(nGraph);
    top->addWidget(scales, 1);
    auto* middle = new QHBoxLayout;
    auto* formulaColumn = new QVBoxLayout;
    formulaColumn->addWidget(formulas);
    formulaColumn->addWidget(qa);
    formulaColumn->addWidget(plot);
    middle->addLayout(formulaColumn, 1);
    middle->addWidget(examples);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(middle);
    main->addWidget(buttons);

    // Tab through the groups as they are read: display, scales, formulas, qa, plot depths, examples.
    std::vector<QWidget*> order;
    auto take = [&order](QWidget* w) { order.push_back(w); };
    for (QAbstractButton* b : radios_[coef::kDisplay]->buttons())
        take(b);
    for (QAbstractButton* b : radios_[coef::kNGraphMax]->buttons())
        take(b);
    for (int s : {coef::kQuScaleEnd, coef::kQuScaleStep, coef::kQaScaleEnd, coef::kQaScaleStep})
        take(edits_[s]);
    for (int s = coef::kNClayey; s < coef::kQaFormula; ++s)
        take(edits_[s]);
    take(checks_[coef::kQuForSandy]);
    for (QAbstractButton* b : radios_[coef::kQaFormulaKind]->buttons())
        take(b);
    for (int s = coef::kQaFormula; s <= coef::kQaBNClayey; ++s)
        take(edits_[s]);
    take(checks_[coef::kShowExponentOne]);
    take(checks_[coef::kQaWsw1Only]);
    take(edits_[coef::kNswCap]);
    take(edits_[coef::kQaDisplayLimit]);
    take(copySuggestion_);
    take(suggestion_);
    take(checks_[coef::kQaOverMark]);
    for (QAbstractButton* b : radios_[coef::kNPlotDepth]->buttons())
        take(b);
    for (QAbstractButton* b : radios_[coef::kQuQaPlotDepth]->buttons())
        take(b);
    take(checks_[coef::kVerticalRule]);
    for (QWidget* w : tabOrder_) {
        if (qobject_cast<QPushButton*>(w) != nullptr && w != copySuggestion_)
            take(w);
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    PushAll();
    if (QAbstractButton* first = radios_[coef::kDisplay]->checkedButton()) {
        first->setFocus();
    }
}

QLineEdit* ConversionSettingsDialog::Edit(int slot, int width) {
    auto* edit = new QLineEdit;
    edit->setObjectName(SlotName(slot));
    // Far longer than any value, short enough that the file's line keeps it whole when read back.
    edit->setMaxLength(64);
    edit->setMaximumWidth(width + 24);
    edit->setMinimumWidth(width);
    edits_[slot] = edit;
    return edit;
}

QCheckBox* ConversionSettingsDialog::Check(int slot, const QString& label) {
    auto* check = new QCheckBox(label);
    check->setObjectName(SlotName(slot));
    check->setAccessibleName(label);
    checks_[slot] = check;
    labels_[slot] = label;
    return check;
}

QWidget* ConversionSettingsDialog::Radios(int slot, const QStringList& labels, bool vertical) {
    auto* box = new QWidget;
    box->setObjectName(SlotName(slot));
    QBoxLayout* layout = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(box))
                                  : static_cast<QBoxLayout*>(new QHBoxLayout(box));
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < labels.size(); ++i) {
        auto* radio = new QRadioButton(labels[i]);
        radio->setObjectName(QStringLiteral("%1_%2").arg(SlotName(slot)).arg(i));
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    radios_[slot] = group;
    return box;
}

QGridLayout* ConversionSettingsDialog::CoefficientRow(QGridLayout* grid, int row, const QString& label,
                                                      int firstSlot) {
    grid->addWidget(new QLabel(label), row, 0);
    for (int i = 0; i < 5; ++i) {
        const int slot = firstSlot + i;
        labels_[slot] = QStringLiteral("%1 %2").arg(label, kCoefficientNames[i]);
        grid->addWidget(Edit(slot), row, 2 + i);
        edits_[slot]->setAccessibleName(labels_[slot]);
    }
    return grid;
}

bool ConversionSettingsDialog::Pull(int slot) {
    if (edits_.count(slot) != 0) {
        std::optional<std::string> text = ToCp932(edits_.at(slot)->text(), labels_[slot], messages_);
        if (!text) {
            FocusSlot(slot);
            return false;
        }
        model_.SetText(slot, std::move(*text));
    } else if (checks_.count(slot) != 0) {
        model_.SetFlag(slot, checks_.at(slot)->isChecked());
    } else if (radios_.count(slot) != 0) {
        model_.SetChoice(slot, radios_.at(slot)->checkedId());
    }
    return true;
}

bool ConversionSettingsDialog::PullAll() {
    for (int slot : EditConversionSettings::Slots()) {
        if (!Pull(slot)) {
            return false;
        }
    }
    return true;
}

void ConversionSettingsDialog::PushAll() {
    for (int slot : EditConversionSettings::Slots()) {
        if (edits_.count(slot) != 0) {
            edits_.at(slot)->setText(FromCp932(model_.Text(slot)));
        } else if (checks_.count(slot) != 0) {
            checks_.at(slot)->setChecked(model_.Flag(slot));
        } else if (radios_.count(slot) != 0) {
            QButtonGroup* group = radios_.at(slot);
            if (QAbstractButton* button = group->button(model_.Choice(slot))) {
                button->setChecked(true);
            } else if (QAbstractButton* checked = group->checkedButton()) {
                // A value that is none of the choices shows no choice.
                group->setExclusive(false);
                checked->setChecked(false);
                group->setExclusive(true);
            }
        }
    }
    ShowSuggestion();
}

void ConversionSettingsDialog::ShowSuggestion() {
    suggestion_->setText(FromCp932(model_.Suggestion()));
    const bool visible = model_.SuggestionVisible();
    suggestion_->setVisible(visible);
    copySuggestion_->setVisible(visible);
    suggestionUnit_->setVisible(visible);
}

void ConversionSettingsDialog::FocusSlot(int slot) {
    if (edits_.count(slot) != 0) {
        edits_.at(slot)->setFocus();
        edits_.at(slot)->selectAll();
    } else if (checks_.count(slot) != 0) {
        checks_.at(slot)->setFocus();
    } else if (radios_.count(slot) != 0 && !radios_.at(slot)->buttons().isEmpty()) {
        radios_.at(slot)->buttons().first()->setFocus();
    }
}

bool ConversionSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    // Focus events must not show a refusal (a message box would move the focus and come back
    // here), so these take what can be stored and leave the rest to OK.
    auto pullQuietly = [this](int slot) {
        if (std::optional<std::string> text =
                rave::platform::Utf8ToCp932(edits_.at(slot)->text().toStdString())) {
            model_.SetText(slot, std::move(*text));
        }
    };
    const bool focusOut = event->type() == QEvent::FocusOut;
    if (focusOut && watched == edits_[coef::kQaDisplayLimit]) {
        pullQuietly(coef::kQaDisplayLimit);
        model_.LeaveQaDisplayLimit(messages_);
        edits_[coef::kQaDisplayLimit]->setText(FromCp932(model_.Text(coef::kQaDisplayLimit)));
    } else if ((focusOut && watched == edits_[coef::kNswCap]) ||
               (event->type() == QEvent::FocusIn && watched == suggestion_)) {
        for (int slot = coef::kQaFormula; slot < coef::kQaFormula + 5; ++slot) {
            pullQuietly(slot);
        }
        pullQuietly(coef::kNswCap);
        model_.RecomputeSuggestion();
        ShowSuggestion();
    }
    return QDialog::eventFilter(watched, event);
}

void ConversionSettingsDialog::accept() {
    if (!PullAll()) {
        return;
    }
    if (!model_.Commit(document_, messages_)) {
        // The check may have cleared the display limit.
        edits_[coef::kQaDisplayLimit]->setText(FromCp932(model_.Text(coef::kQaDisplayLimit)));
        FocusSlot(model_.FocusSlot());
        return;
    }
    QDialog::accept();
}

void EditConversions(MainFrame& frame, const DialogRunner& run) {
    const SoundingDocument before = frame.Document();
    ConversionSettingsDialog dialog(frame.Document(), frame.Files().settings, frame.Messages(), &frame);
    if (run(dialog) == QDialog::Accepted) {
        frame.CommitDocumentEdit(QStringLiteral("換算値 係数と表示"), before);
    }
}

}  // namespace ravelog::app
