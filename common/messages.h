// How the core tells the user something. Operations never throw across module boundaries: they
// hand a message to a MessageSink and return. The desktop programs show message boxes, the
// command line prints to stderr, tests record what was said.
#pragma once

#include <string>
#include <vector>

namespace rave {

struct Message {
    int id = 0;            // the program's string number (4005, 4011, 32790, ...); 0 for unnumbered texts
    std::string text;      // cp932 bytes, possibly holding the placeholder "%1"
    std::string argument;  // what replaces "%1": a file path in the platform's own encoding, or ASCII
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows a message and waits until the user has read it.
    virtual void Show(const Message& message) = 0;
    // Asks a yes/no question; true for yes.
    virtual bool AskYesNo(const Message& question) = 0;
};

// Keeps every message and answers questions from a queue (yes when the queue is empty).
class RecordingMessageSink : public MessageSink {
public:
    void Show(const Message& message) override { shown.push_back(message); }
    bool AskYesNo(const Message& question) override {
        asked.push_back(question);
        if (answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    bool Saw(int id) const {
        for (const Message& m : shown) {
            if (m.id == id) {
                return true;
            }
        }
        return false;
    }

    std::vector<Message> shown;
    std::vector<Message> asked;
    std::vector<bool> answers;
};

}  // namespace rave
