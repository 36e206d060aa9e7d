// The autosave interval dialog and its menu command.
#include "platform/autosave_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/recovery_store.h"
#include "platform/recovery.h"

namespace rave::platform {

AutosaveDialog::AutosaveDialog(int seconds, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("自動保存"));
    seconds_ = new QSpinBox(this);
    seconds_->setObjectName(QStringLiteral("autosaveSeconds"));
    seconds_->setRange(0, kMaxAutosaveSeconds);
    seconds_->setSuffix(QStringLiteral(" 秒"));
    seconds_->setSpecialValueText(QStringLiteral("しない"));
    seconds_->setValue(AutosaveSecondsFromSetting(seconds));
    auto* label = new QLabel(QStringLiteral("自動保存の間隔(&I):"), this);
    label->setBuddy(seconds_);

    auto* note = new QLabel(QStringLiteral("保存されていない作業の復元用コピーを書く間隔です。\n"
                                           "0 秒で自動保存をしません。"),
                            this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(label, seconds_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

int AutosaveDialog::Seconds() const {
    return seconds_->value();
}

void AddAutosaveCommand(QMenu& settingsMenu, QWidget& window, RecoverySession& session) {
    QAction* action = settingsMenu.addAction(QStringLiteral("自動保存(&B)..."));
    action->setObjectName(QStringLiteral("autosaveAction"));
    action->setStatusTip(QStringLiteral("保存されていない作業の復元用コピーを書く間隔"));
    QObject::connect(action, &QAction::triggered, &window, [&window, &session] {
        AutosaveDialog dialog(session.IntervalSeconds(), &window);
        if (dialog.exec() == QDialog::Accepted) {
            WriteAutosaveSeconds(dialog.Seconds());
            session.SetIntervalSeconds(dialog.Seconds());
        }
    });
}

}  // namespace rave::platform
