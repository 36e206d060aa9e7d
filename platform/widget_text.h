// Text between the documents' cp932 bytes and the widgets, for every dialog of both programs:
// cp932 in and out of widgets (text cp932 cannot hold is refused with one message naming the
// field, never replaced silently), messages written in the Qt layer, and labels that name their
// fields.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "common/messages.h"

class QLabel;
class QWidget;

namespace rave::platform {

// cp932 document bytes as widget text.
QString FromCp932(std::string_view cp932);

// Id of the message refusing a text the files cannot store.
inline constexpr int kUnstorableCharacterMessage = 0;

// The refusal of a text with a character cp932 cannot hold, naming the field (its label; "&"
// and a trailing colon are dropped).
rave::Message UnstorableTextMessage(const QString& fieldName);

// Widget text as cp932 bytes; nothing, after UnstorableTextMessage(fieldName) went to
// `messages`, when a character has no cp932 form.
std::optional<std::string> ToCp932(const QString& text, const QString& fieldName,
                                   rave::MessageSink& messages);

// A message of the program's own (written in the Qt layer) as the cp932 message the sinks take.
rave::Message Utf8Message(const QString& text, int id = 0);

// A label whose buddy is `field`, so the label's mnemonic reaches the field and screen readers
// name it; the field's accessible name is the label's text.
QLabel* BuddyLabel(const QString& text, QWidget* field, QWidget* parent = nullptr);

// Gives `field` the label's text (without "&" and a trailing colon) as its accessible name.
void NameByLabel(QWidget* field, const QString& label);

}  // namespace rave::platform
