// What the data-menu dialog tests share: the application, cp932 text from UTF-8 literals, typing
// into fields, focus changes without a window manager, and finding named widgets.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <string>

#include "common/messages.h"
#include "platform/codec.h"
#include "platform/console_messages.h"

namespace ravelog::app::testing {

inline QApplication& TestApplication() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    static int argc = 1;
    static char name[] = "test_app_data";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// cp932 bytes of a UTF-8 literal (the tests are compiled with UTF-8 literals).
inline std::string Cp(const char* utf8) {
    return *rave::platform::Utf8ToCp932(utf8);
}

// A message as the user reads it, in UTF-8 with "%1" replaced.
inline std::string Shown(const rave::Message& message) {
    return rave::platform::MessageToUtf8(message);
}

template <typename W>
W* Named(QWidget& dialog, const QString& name) {
    W* widget = dialog.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

// Replaces the text of a field as a user would: select everything, type.
inline void Type(QWidget* field, const QString& text) {
    if (auto* combo = qobject_cast<QComboBox*>(field)) {
        field = combo->lineEdit();
    }
    auto* edit = qobject_cast<QLineEdit*>(field);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    edit->del();
    // Qt Test types ASCII keys only; other text goes in as an input method would put it.
    bool ascii = true;
    for (QChar c : text) {
        ascii = ascii && c.unicode() < 0x80;
    }
    if (ascii) {
        QTest::keyClicks(edit, text);
    } else {
        edit->insert(text);
    }
}

inline void Click(QWidget& dialog, const QString& name) {
    QAbstractButton* button = Named<QAbstractButton>(dialog, name);
    ASSERT_NE(button, nullptr);
    // The dialogs under test are mostly never shown; click() acts on hidden buttons as well.
    button->click();
}

// The events a field gets when the user tabs into and out of it.
inline void FocusIn(QWidget* field) {
    QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(field, &event);
}
inline void FocusOut(QWidget* field) {
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &event);
}

}  // namespace ravelog::app::testing
