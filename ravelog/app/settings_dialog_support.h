// What the settings dialogs of Ravelog share: the commit of edited settings (stored in the
// running program, "Sys.ndx" rewritten, view redrawn), and the shared widget-text helpers.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "platform/widget_text.h"

class QWidget;

namespace ravelog::app {

class MainFrame;

// The text helpers every dialog shares.
using rave::platform::FromCp932;
using rave::platform::NameByLabel;
using rave::platform::ToCp932;
using rave::platform::Utf8Message;

// The edited settings become the program's settings and "Sys.ndx" is rewritten; the view is
// redrawn. When the file cannot be written the user is told, and the values stay in the running
// program until it ends. True when the file was written.
bool CommitSettings(MainFrame& frame, const rave::RavelogSettings& edited);

// The message shown when "Sys.ndx" could not be rewritten.
void ShowSettingsNotSaved(MainFrame& frame);

}  // namespace ravelog::app
