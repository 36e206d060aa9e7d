// The default coefficient set dialog over ravelog::EditDefaultCoefficients.
#include "ravelog/app/default_coefficients_dialog.h"

#include <QButtonGroup>
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
#include "ravelog/app/settings_dialog_support.h"

namespace ravelog::app {

namespace {

std::array<std::string, 5>& SetOf(DefaultCoefficientSet& values, int set) {
    switch (set) {
        case 0:
            return values.nSandy;
        case 1:
            return values.nClayey;
        case 2:
            return values.qu;
        default:
            return values.qa;
    }
}

}  // namespace

DefaultCoefficientsDialog::DefaultCoefficientsDialog(MainFrame& frame, QWidget* parent)
    : QDialog(parent), frame_(frame), model_(frame.Files().settings) {
    setWindowTitle(FromCp932(EditDefaultCoefficients::Title()));

    auto* formulaBox = new QGroupBox(QStringLiteral("換算式の係数"));
    auto* grid = new QGridLayout(formulaBox);
    const QString letters[] = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                               QStringLiteral("d"), QStringLiteral("e")};
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(new QLabel(letters[i]), 0, 1 + i, Qt::AlignCenter);
    }
    const QString setNames[] = {QStringLiteral("Ｎ値 砂質土"), QStringLiteral("Ｎ値 粘性土"),
                                QStringLiteral("ｑｕ 粘性土"), QStringLiteral("ｑa")};
    const QString formulas[] = {
        QStringLiteral("N = a + b･Wsw^c + d･Nsw^e"), QStringLiteral("N = a + b･Wsw^c + d･Nsw^e"),
        QStringLiteral("qu = a + b･Wsw^c + d･Nsw^e"), QStringLiteral("qa = a + b･Wsw^c + d･Nsw")};
    for (int s = 0; s < 4; ++s) {
        auto* label = new QLabel(setNames[s]);
        grid->addWidget(label, 1 + s, 0);
        for (int i = 0; i < 5; ++i) {
            auto* edit = new QLineEdit;
            edit->setMaximumWidth(64);
            // Far longer than any value, short enough that a new document's file keeps it whole.
            edit->setMaxLength(64);
            edit->setAccessibleName(setNames[s] + QLatin1Char(' ') + letters[i]);
            coefficients_[static_cast<std::size_t>(s)][static_cast<std::size_t>(i)] = edit;
            grid->addWidget(edit, 1 + s, 1 + i);
        }
        label->setBuddy(coefficients_[static_cast<std::size_t>(s)][0]);
        grid->addWidget(new QLabel(formulas[s]), 1 + s, 6);
    }

    auto* factorBox = new QGroupBox(QStringLiteral("qa = b･Ｎ の b"));
    auto* factorGrid = new QGridLayout(factorBox);
    const QString factorNames[] = {QStringLiteral("砂質土 Nsw=0"), QStringLiteral("砂質土 Nsw>0"),
                                   QStringLiteral("粘性土 Nsw=0"), QStringLiteral("粘性土 Nsw>0")};
    for (int i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit;
        edit->setMaximumWidth(64);
        edit->setMaxLength(64);
        auto* label = new QLabel(factorNames[i]);
        label->setBuddy(edit);
        edit->setAccessibleName(QStringLiteral("qa = b･Ｎ ") + factorNames[i]);
        qaFromN_[static_cast<std::size_t>(i)] = edit;
        factorGrid->addWidget(label, i / 2, (i % 2) * 2);
        factorGrid->addWidget(edit, i / 2, (i % 2) * 2 + 1);
    }

    auto* displayBox = new QGroupBox(QStringLiteral("表示する換算値"));
    auto* displayLayout = new QVBoxLayout(displayBox);
    display_ = new QButtonGroup(this);
    const QString choices[] = {QStringLiteral("Ｎ値のみ"), QStringLiteral("ｑｕのみ"),
                               QStringLiteral("Ｎ値とｑｕ"), QStringLiteral("ｑaのみ"),
                               QStringLiteral("Ｎ値とｑa")};
    for (int i = 0; i < 5; ++i) {
        auto* radio = new QRadioButton(choices[i]);
        radio->setAccessibleName(QStringLiteral("表示する換算値 ") + choices[i]);
        display_->addButton(radio, i);
        displayLayout->addWidget(radio);
    }

    auto* note = new QLabel(FromCp932(EditDefaultCoefficients::Note()));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    QPushButton* standard = buttons->addButton(FromCp932(EditDefaultCoefficients::StandardButtonLabel()),
                                               QDialogButtonBox::ResetRole);
    standard->setObjectName(QStringLiteral("standardButton"));
    connect(standard, &QPushButton::clicked, this, &DefaultCoefficientsDialog::ApplyStandard);
    connect(buttons, &QDialogButtonBox::accepted, this, &DefaultCoefficientsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DefaultCoefficientsDialog::reject);

    auto* lower = new QHBoxLayout;
    lower->addWidget(factorBox);
    lower->addWidget(displayBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formulaBox);
    layout->addLayout(lower);
    layout->addWidget(note);
    layout->addWidget(buttons);
    ShowModel();
}

QLineEdit* DefaultCoefficientsDialog::Coefficient(int set, int index) const {
    return coefficients_.at(static_cast<std::size_t>(set)).at(static_cast<std::size_t>(index));
}

void DefaultCoefficientsDialog::ShowModel() {
    DefaultCoefficientSet& values = model_.Values();
    for (int s = 0; s < 4; ++s) {
        for (int i = 0; i < 5; ++i) {
            Coefficient(s, i)->setText(FromCp932(SetOf(values, s)[static_cast<std::size_t>(i)]));
        }
    }
    for (std::size_t i = 0; i < qaFromN_.size(); ++i) {
        qaFromN_[i]->setText(FromCp932(values.qaFromN[i]));
    }
    const int choice = model_.DisplayChoice();
    if (choice >= 0) {
        display_->button(choice)->setChecked(true);
    }
}

bool DefaultCoefficientsDialog::ReadIntoModel() {
    DefaultCoefficientSet& values = model_.Values();
    const auto take = [this](QLineEdit* edit, std::string& target) {
        const auto text = ToCp932(edit->text(), edit->accessibleName(), frame_.Messages());
        if (!text) {
            edit->setFocus();
            return false;
        }
        target = *text;
        return true;
    };
    for (int s = 0; s < 4; ++s) {
        for (int i = 0; i < 5; ++i) {
            if (!take(Coefficient(s, i), SetOf(values, s)[static_cast<std::size_t>(i)])) {
                return false;
            }
        }
    }
    for (std::size_t i = 0; i < qaFromN_.size(); ++i) {
        if (!take(qaFromN_[i], values.qaFromN[i])) {
            return false;
        }
    }
    if (display_->checkedId() >= 0) {
        model_.SetDisplayChoice(display_->checkedId());
    }
    return true;
}

void DefaultCoefficientsDialog::ApplyStandard() {
    model_.ApplyStandard();
    ShowModel();
}

void DefaultCoefficientsDialog::accept() {
    if (!ReadIntoModel()) {
        return;
    }
    rave::RavelogSettings edited = frame_.Files().settings;
    if (!model_.Commit(edited, frame_.Files().paths.settings, frame_.Messages())) {
        return;
    }
    frame_.Files().settings = edited;
    if (!model_.SavedToFile()) {
        ShowSettingsNotSaved(frame_);
    }
    frame_.RefreshView();
    QDialog::accept();
}

}  // namespace ravelog::app
