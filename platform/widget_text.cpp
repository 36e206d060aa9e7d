// cp932 text for widgets, the refusal of text the files cannot store, and buddy labels.
#include "platform/widget_text.h"

#include <QLabel>
#include <QWidget>

#include "platform/codec.h"

namespace rave::platform {

namespace {

QString PlainLabel(QString label) {
    label.remove(QLatin1Char('&'));
    label = label.trimmed();
    if (label.endsWith(QLatin1Char(':')) || label.endsWith(QStringLiteral("："))) {
        label.chop(1);
    }
    return label.trimmed();
}

}  // namespace

QString FromCp932(std::string_view cp932) {
    return QString::fromStdString(Cp932ToUtf8(cp932));
}

rave::Message UnstorableTextMessage(const QString& fieldName) {
    return Utf8Message(
        QStringLiteral("「%1」に保存できない文字があります。\nシフトJISで表せる文字だけを入力してください。")
            .arg(PlainLabel(fieldName)),
        kUnstorableCharacterMessage);
}

std::optional<std::string> ToCp932(const QString& text, const QString& fieldName,
                                   rave::MessageSink& messages) {
    std::optional<std::string> bytes = Utf8ToCp932(text.toStdString());
    if (!bytes) {
        messages.Show(UnstorableTextMessage(fieldName));
    }
    return bytes;
}

rave::Message Utf8Message(const QString& text, int id) {
    // The program's own texts are written in characters cp932 holds; a field's label in them too.
    return rave::Message{id, Utf8ToCp932(text.toStdString()).value_or(std::string()), {}};
}

QLabel* BuddyLabel(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    NameByLabel(field, text);
    return label;
}

void NameByLabel(QWidget* field, const QString& label) {
    field->setAccessibleName(PlainLabel(label));
}

}  // namespace rave::platform
