// What the Ravesect dialog tests share: the Qt application, the example logs, file bytes, and the
// text of a recorded cp932 message.
#pragma once

#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <string>

#include "common/messages.h"
#include "platform/codec.h"
#include "temp_folder.h"
#include "tests/platform/qt_test_application.h"

namespace ravesect::testing {

inline std::filesystem::path ExampleLog(const char* name) {
    return std::filesystem::path(RAVE_SOURCE_DIR) / "examples" / name;
}

// The UTF-8 text of every message shown, one after the other, for substring checks.
inline std::string ShownText(const rave::RecordingMessageSink& sink) {
    std::string all;
    for (const rave::Message& m : sink.shown) {
        all += rave::platform::Cp932ToUtf8(m.text) + "\n";
    }
    return all;
}

// Replaces the text of a box as a user would: select all, type. QTest types ASCII only; other
// text arrives as an input method would commit it.
inline void TypeInto(QLineEdit* box, const QString& text) {
    box->selectAll();
    box->del();
    bool ascii = true;
    for (const QChar c : text) {
        ascii = ascii && c.unicode() < 0x80;
    }
    if (ascii) {
        QTest::keyClicks(box, text);
    } else {
        box->insert(text);
    }
}

}  // namespace ravesect::testing
