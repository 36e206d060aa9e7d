// Typing and pressing keys into widgets for the dialog tests of this folder: the events a user's
// keyboard would send, delivered at once (the tests link no Qt test library).
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace rave::testing {

inline void PressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
    // Item views commit an editor's text through a queued call.
    QApplication::processEvents();
}

// Types every character of `text` as its own key press.
inline void TypeText(QWidget* target, const QString& text) {
    for (const QChar c : text) {
        const int key = c.isDigit() ? Qt::Key_0 + c.digitValue() : (c.isLetter() ? c.toUpper().unicode() : 0);
        PressKey(target, key, Qt::NoModifier, QString(c));
    }
}

}  // namespace rave::testing
