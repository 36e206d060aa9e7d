// Small pieces every Ravesect dialog shares: cp932 document text in and out of widgets (text that
// cp932 cannot hold is refused with a message naming the field), and the field labels.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/messages.h"
#include "common/settings_enter_key.h"

class QDialog;
class QKeyEvent;
class QLabel;
class QWidget;

namespace ravesect::app {

// cp932 document bytes for a widget.
QString FromCp932(std::string_view cp932);

// Widget text as cp932 bytes; nothing, after "「<field>」に保存できない文字があります。", when a
// character has no cp932 form.
std::optional<std::string> ToCp932(const QString& text, const QString& fieldName,
                                   rave::MessageSink& messages);

// A message of the program's own (UTF-8 in the source) as the cp932 message the sinks take.
rave::Message Cp932Message(int id, const QString& text);

// The Enter key in a data-entry dialog under the user's setting ("キーの動作", Sysq.ndx): OK is
// pressed (`dialog`.accept()), `moveOn` moves to the next field, or the key is swallowed. False
// for any other key, which the dialog handles itself.
bool HandleEnterKey(QDialog& dialog, QKeyEvent* event, rave::EnterKeyBehaviour behaviour,
                    const std::function<void()>& moveOn);

// A label whose buddy is `field`, so the field is named for screen readers and reachable with
// the label's mnemonic.
QLabel* BuddyLabel(const QString& text, QWidget* field, QWidget* parent);

}  // namespace ravesect::app
