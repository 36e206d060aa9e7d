// What the dialogs of the data menu share: cp932 document text in and out of widgets (text cp932
// cannot hold is refused with a message naming the field), labelled rows with buddies, and the
// way a dialog is run, which tests replace so no dialog ever waits for a user.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "common/messages.h"
#include "common/settings_enter_key.h"

class QDialog;
class QGridLayout;
class QLabel;
class QWidget;

namespace ravelog::app {

// Shows a dialog and returns its result (QDialog::Accepted or Rejected). The desktop program
// uses ExecDialog; tests pass a function that fills the widgets and presses a button.
using DialogRunner = std::function<int(QDialog&)>;
int ExecDialog(QDialog& dialog);

// cp932 document text for a widget.
QString FromCp932(const std::string& cp932);

// A widget's text as cp932; nothing, after the message naming `fieldLabel`, when the text holds a
// character the files cannot store.
std::optional<std::string> ToCp932(const QString& text, const QString& fieldLabel,
                                   rave::MessageSink& messages);

// A label for `field` (its buddy, so Alt+mnemonic and screen readers find the field); the field's
// accessible name is the label text without "&".
QLabel* BuddyLabel(const QString& text, QWidget* field, QWidget* parent = nullptr);

// Adds "label  field" as one row of a grid at `row`, starting at `column`.
void AddLabelledRow(QGridLayout* grid, int row, int column, const QString& label, QWidget* field);

// The Enter-key setting of the data-entry dialogs (settings line 100) on the input fields of
// `dialog` (line edits, drop-downs, check boxes, radio buttons): "次に移動" moves the focus to the
// next field in tab order, "確定のみ" keeps the focus where it is and does not press OK,
// "Windows標準" leaves the key to the dialog (OK). An open drop-down list keeps the key.
void ApplyEnterKeySetting(QDialog& dialog, rave::EnterKeyBehaviour behaviour);

// Id of the message refusing a text the files cannot store.
inline constexpr int kUnstorableCharacterMessage = 0;

}  // namespace ravelog::app
