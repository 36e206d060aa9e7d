// The shared Enter-key dialog and Ravelog's binding to line 100 of "Sys.ndx".
#include "platform/enter_key_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/settings_files.h"
#include "platform/codec.h"
#include "platform/widget_text.h"

namespace rave::platform {

namespace {

constexpr EnterKeyBehaviour kChoices[] = {EnterKeyBehaviour::kWindowsStandard, EnterKeyBehaviour::kMoveToNext,
                                          EnterKeyBehaviour::kConfirmOnly};

}  // namespace

Message SettingsNotSavedMessage(const std::filesystem::path& file) {
    return Message{0, Utf8ToCp932("設定ファイルを保存できませんでした\n( %1 )").value_or(""), file.string()};
}

EnterKeyBehaviour RavelogEnterKeyBinding::Behaviour() const {
    return EnterKeyBehaviourOf(settings_);
}

bool RavelogEnterKeyBinding::Store(EnterKeyBehaviour behaviour, MessageSink& messages) {
    SetEnterKeyBehaviour(settings_, behaviour);
    if (SaveSettings(settingsFile_, settings_)) {
        return true;
    }
    messages.Show(SettingsNotSavedMessage(settingsFile_));
    return false;
}

EnterKeyDialog::EnterKeyDialog(EnterKeyBinding& binding, MessageSink& messages, QWidget* parent)
    : QDialog(parent), binding_(binding), messages_(messages) {
    setWindowTitle(QStringLiteral("キーの動作のオプション"));

    auto* group = new QGroupBox(QStringLiteral("Enterキー (Returnキー)"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("データ入力画面での動作")), 0, 0, 1, 2);
    for (int i = 0; i < 3; ++i) {
        choices_[i] = new QRadioButton(FromCp932(EnterKeyChoiceLabel(kChoices[i])));
        auto* effect = new QLabel(FromCp932(EnterKeyChoiceEffect(kChoices[i])));
        choices_[i]->setAccessibleDescription(effect->text());
        grid->addWidget(choices_[i], i + 1, 0);
        grid->addWidget(effect, i + 1, 1);
    }
    grid->setColumnMinimumWidth(0, 130);
    grid->setColumnStretch(1, 1);
    ChoiceButton(binding_.Behaviour())->setChecked(true);

    auto* note = new QLabel(QStringLiteral("漢字変換やドロップダウン選択等ではWindowsの標準動作になります"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

QRadioButton* EnterKeyDialog::ChoiceButton(EnterKeyBehaviour behaviour) const {
    return choices_[static_cast<int>(behaviour)];
}

EnterKeyBehaviour EnterKeyDialog::Chosen() const {
    for (int i = 0; i < 3; ++i) {
        if (choices_[i]->isChecked()) {
            return kChoices[i];
        }
    }
    return binding_.Behaviour();
}

void EnterKeyDialog::accept() {
    // A file that cannot be written is reported by the binding; the choice is still in use, so
    // the dialog closes either way.
    binding_.Store(Chosen(), messages_);
    QDialog::accept();
}

}  // namespace rave::platform
