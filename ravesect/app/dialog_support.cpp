// The Enter key of the Ravesect dialogs.
#include "ravesect/app/dialog_support.h"

#include <QDialog>
#include <QKeyEvent>

namespace ravesect::app {

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

}  // namespace ravesect::app
