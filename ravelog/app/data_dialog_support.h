// What the dialogs of the data menu share: labelled rows with buddies, the Enter-key setting, and
// the way a dialog is run, which tests replace so no dialog ever waits for a user.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "common/messages.h"
#include "common/settings_enter_key.h"
#include "platform/widget_text.h"

class QDialog;
class QGridLayout;
class QLabel;
class QWidget;

namespace ravelog::app {

// Shows a dialog and returns its result (QDialog::Accepted or Rejected). The desktop program
// uses ExecDialog; tests pass a function that fills the widgets and presses a button.
using DialogRunner = std::function<int(QDialog&)>;
int ExecDialog(QDialog& dialog);

// The text helpers every dialog shares.
using rave::platform::BuddyLabel;
using rave::platform::FromCp932;
using rave::platform::kUnstorableCharacterMessage;
using rave::platform::ToCp932;

// Adds "label  field" as one row of a grid at `row`, starting at `column`.
void AddLabelledRow(QGridLayout* grid, int row, int column, const QString& label, QWidget* field);

// The Enter-key setting of the data-entry dialogs (settings line 100) on the input fields of
// `dialog` (line edits, drop-downs, check boxes, radio buttons): "次に移動" moves the focus to the
// next field in tab order, "確定のみ" keeps the focus where it is and does not press OK,
// "Windows標準" leaves the key to the dialog (OK). An open drop-down list keeps the key.
void ApplyEnterKeySetting(QDialog& dialog, rave::EnterKeyBehaviour behaviour);

}  // namespace ravelog::app
