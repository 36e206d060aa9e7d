// Messages of the desktop programs: each one is a modal message box over the given window.
#pragma once

#include <QString>

#include "common/messages.h"

class QWidget;

namespace rave::platform {

class MessageBoxSink : public MessageSink {
public:
    explicit MessageBoxSink(QWidget* parent = nullptr, QString title = QStringLiteral("Ravelog"))
        : parent_(parent), title_(std::move(title)) {}

    void Show(const Message& message) override;
    bool AskYesNo(const Message& question) override;

private:
    QWidget* parent_;
    QString title_;
};

}  // namespace rave::platform
