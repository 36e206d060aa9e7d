// Messages of a command-line run: printed to stderr in UTF-8, questions answered "no" because
// there is nobody to ask.
#pragma once

#include <ostream>

#include "common/messages.h"

namespace rave::platform {

class ConsoleMessageSink : public MessageSink {
public:
    explicit ConsoleMessageSink(std::ostream& err) : err_(err) {}
    void Show(const Message& message) override;
    bool AskYesNo(const Message& question) override;

    int count() const { return count_; }

private:
    std::ostream& err_;
    int count_ = 0;
};

// The message as the user reads it: cp932 text converted to UTF-8 with "%1" replaced.
std::string MessageToUtf8(const Message& message);

}  // namespace rave::platform
