// Message boxes for the core's messages.
#include "platform/message_box.h"

#include <QMessageBox>

#include "platform/console_messages.h"

namespace rave::platform {

namespace {

QString BoxText(const Message& message) {
    return QString::fromStdString(MessageToUtf8(message));
}

}  // namespace

void MessageBoxSink::Show(const Message& message) {
    QMessageBox::information(parent_, title_, BoxText(message));
}

bool MessageBoxSink::AskYesNo(const Message& question) {
    return QMessageBox::question(parent_, title_, BoxText(question), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace rave::platform
