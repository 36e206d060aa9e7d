// The set-up dialog ("セットアップ"): where this system is installed ("本システムのインストール場所"),
// as a drive letter and a folder. OK checks the location and rewrites the pointer file
// "\Kelvard\Vivad5.whr"; the caller then moves the program to the new install folder.
#pragma once

#include <QDialog>

#include "common/install_folder.h"
#include "common/messages.h"
#include "ravesect/settings/startup_settings.h"

class QLabel;
class QLineEdit;

namespace ravesect::app {

class SetupDialog : public QDialog {
    Q_OBJECT
public:
    SetupDialog(rave::DriveMap drives, rave::MessageSink& messages, QWidget* parent = nullptr);

    QLineEdit* DriveBox() const { return drive_; }
    QLineEdit* FolderBox() const { return folder_; }
    // The folder of this machine the typed location stands for.
    QLabel* NativeFolderLabel() const { return native_; }
    // After OK: the location written into the pointer file.
    const InstallLocation& Location() const { return location_; }

    void accept() override;

private:
    void ShowNativeFolder();

    rave::DriveMap drives_;
    rave::MessageSink& messages_;
    InstallLocation location_;
    QLineEdit* drive_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QLabel* native_ = nullptr;
};

}  // namespace ravesect::app
