// What the settings commands of Ravesect's window ask the outside world, kept replaceable so
// tests can drive the modal dialogs without blocking: how a dialog is run, and which folders of
// this machine stand for the Windows drives (for the set-up dialog).
#pragma once

#include <QDialog>
#include <functional>

#include "platform/install_folder.h"

namespace ravesect::app {

struct SettingsCommandHooks {
    // Runs a modal dialog and gives its result (QDialog::exec by default).
    std::function<int(QDialog&)> runDialog;
    // The folders of the drive letters (the user's home and the current directory by default).
    std::function<rave::platform::DriveFolders()> driveFolders;
};

// The hooks in use; tests set their own and call ResetSettingsCommandHooks afterwards.
SettingsCommandHooks& CurrentSettingsCommandHooks();
void ResetSettingsCommandHooks();

}  // namespace ravesect::app
