// Text and path helpers of the Ravesect dialogs.
#include "ravesect/app/dialog_support.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>

#include "platform/codec.h"

namespace ravesect::app {

QString FromCp932(std::string_view cp932) {
    return QString::fromStdString(rave::platform::Cp932ToUtf8(cp932));
}

std::optional<std::string> ToCp932(const QString& text, const QString& fieldName,
                                   rave::MessageSink& messages) {
    auto bytes = rave::platform::Utf8ToCp932(text.toStdString());
    if (!bytes) {
        messages.Show(Cp932Message(0, QStringLiteral("「%1」に保存できない文字があります。").arg(fieldName)));
    }
    return bytes;
}

rave::Message Cp932Message(int id, const QString& text) {
    return rave::Message{id, rave::platform::Utf8ToCp932(text.toStdString()).value_or(std::string()), {}};
}

bool HandleEnterKey(QDialog& dialog, QKeyEvent* event, rave::EnterKeyBehaviour behaviour,
                    const std::function<void()>& moveOn) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        return false;
    }
    // A box that did not use the key itself passes it to the dialog.
    switch (rave::EnterKeyActionFor(behaviour, false)) {
        case rave::EnterKeyAction::kPressOk:
            dialog.accept();
            return true;
        case rave::EnterKeyAction::kMoveToNextField:
            moveOn();
            return true;
        case rave::EnterKeyAction::kNothing:
            return true;
        case rave::EnterKeyAction::kStandard:
            return false;
    }
    return false;
}

QLabel* BuddyLabel(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    QString name = text;
    name.remove(QLatin1Char('&'));
    field->setAccessibleName(name);
    return label;
}

}  // namespace ravesect::app
