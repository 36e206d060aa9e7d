// Small pieces every Ravesect dialog shares: the Enter key under the user's setting, and the
// shared widget-text helpers (cp932 in and out of widgets, buddy labels).
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/messages.h"
#include "common/settings_enter_key.h"
#include "platform/widget_text.h"

class QDialog;
class QKeyEvent;
class QLabel;
class QWidget;

namespace ravesect::app {

// The text helpers every dialog shares.
using rave::platform::BuddyLabel;
using rave::platform::FromCp932;
using rave::platform::ToCp932;

// A message of the program's own (UTF-8 in the source) as the cp932 message the sinks take.
inline rave::Message Cp932Message(int id, const QString& text) {
    return rave::platform::Utf8Message(text, id);
}

// The Enter key in a data-entry dialog under the user's setting ("キーの動作", Sysq.ndx): OK is
// pressed (`dialog`.accept()), `moveOn` moves to the next field, or the key is swallowed. False
// for any other key, which the dialog handles itself.
bool HandleEnterKey(QDialog& dialog, QKeyEvent* event, rave::EnterKeyBehaviour behaviour,
                    const std::function<void()>& moveOn);

}  // namespace ravesect::app
