// What the settings dialogs of Ravelog share: cp932 texts shown in and taken from widgets, and the
// commit of edited settings (stored in the running program, "Sys.ndx" rewritten, view redrawn).
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "common/messages.h"
#include "common/ravelog_settings.h"

class QWidget;

namespace ravelog::app {

class MainFrame;

// cp932 bytes as a widget text.
QString ToWidgetText(const std::string& cp932);

// A typed text as cp932 bytes. A character that cp932 cannot hold refuses the text with a message
// naming the field ("「名称」に使えない文字があります"); nothing is returned then.
std::optional<std::string> FromWidgetText(const QString& text, const QString& fieldName,
                                          rave::MessageSink& messages);

// A message typed as UTF-8 in the Qt layer, as the sink takes it (cp932 text).
rave::Message Utf8Message(const QString& text);

// The edited settings become the program's settings and "Sys.ndx" is rewritten; the view is
// redrawn. When the file cannot be written the user is told, and the values stay in the running
// program until it ends. True when the file was written.
bool CommitSettings(MainFrame& frame, const rave::RavelogSettings& edited);

// The message shown when "Sys.ndx" could not be rewritten.
void ShowSettingsNotSaved(MainFrame& frame);

// Gives `buddy` the label's text (without "&" and a trailing colon) as its accessible name.
void NameByLabel(QWidget* buddy, const QString& label);

}  // namespace ravelog::app
