// Command-line message output.
#include "platform/console_messages.h"

#include "common/format.h"
#include "platform/codec.h"

namespace rave::platform {

std::string MessageToUtf8(const Message& message) {
    return SubstitutePlaceholder(Cp932ToUtf8(message.text), message.argument);
}

void ConsoleMessageSink::Show(const Message& message) {
    ++count_;
    err_ << MessageToUtf8(message) << '\n';
}

bool ConsoleMessageSink::AskYesNo(const Message& question) {
    ++count_;
    err_ << MessageToUtf8(question) << " -> no\n";
    return false;
}

}  // namespace rave::platform
