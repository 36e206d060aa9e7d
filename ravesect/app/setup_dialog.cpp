// The set-up dialog.
#include "ravesect/app/setup_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/codec.h"
#include "platform/path_qstring.h"
#include "ravesect/app/dialog_support.h"

namespace ravesect::app {

SetupDialog::SetupDialog(rave::DriveMap drives, rave::MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      drives_(std::move(drives)),
      messages_(messages),
      location_(CurrentInstallLocation(drives_)) {
    setWindowTitle(QStringLiteral("セットアップ"));
    auto* group = new QGroupBox(QStringLiteral("本システムのインストール場所"), this);
    drive_ = new QLineEdit(FromCp932(location_.drive), group);
    drive_->setMaxLength(1);
    drive_->setMaximumWidth(36);
    folder_ = new QLineEdit(FromCp932(location_.folder), group);
    folder_->setMinimumWidth(300);
    native_ = new QLabel(group);
    native_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* grid = new QGridLayout(group);
    grid->addWidget(BuddyLabel(QStringLiteral("ドライブ(&D)"), drive_, this), 0, 0);
    grid->addWidget(drive_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral(":"), group), 0, 2);
    grid->addWidget(BuddyLabel(QStringLiteral("フォルダ(&F)"), folder_, this), 0, 3);
    grid->addWidget(folder_, 0, 4);
    grid->addWidget(native_, 1, 0, 1, 5);
    grid->setColumnStretch(4, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(drive_, &QLineEdit::textChanged, this, &SetupDialog::ShowNativeFolder);
    connect(folder_, &QLineEdit::textChanged, this, &SetupDialog::ShowNativeFolder);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    ShowNativeFolder();
}

void SetupDialog::ShowNativeFolder() {
    const QString windowsPath = drive_->text() + QLatin1Char(':') + folder_->text();
    const auto bytes = rave::platform::Utf8ToCp932(windowsPath.toStdString());
    const auto native = bytes ? rave::WindowsPathToNative(*bytes, drives_) : std::nullopt;
    native_->setText(
        native ? QStringLiteral("このコンピュータのフォルダ: %1").arg(rave::platform::PathToQString(*native))
               : QStringLiteral("このコンピュータにないドライブです"));
}

void SetupDialog::accept() {
    const auto drive = ToCp932(drive_->text().trimmed(), QStringLiteral("ドライブ"), messages_);
    if (!drive) {
        return;
    }
    const auto folder = ToCp932(folder_->text().trimmed(), QStringLiteral("フォルダ"), messages_);
    if (!folder) {
        return;
    }
    const InstallLocation location{*drive, *folder};
    if (!CheckInstallLocation(location, messages_)) {
        (location.drive.size() == 1 ? folder_ : drive_)->setFocus();
        return;
    }
    if (!WriteInstallLocation(drives_, location, messages_)) {
        return;
    }
    location_ = location;
    QDialog::accept();
}

}  // namespace ravesect::app
