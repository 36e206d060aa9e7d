// Shared pieces of the data-menu dialogs.
#include "ravelog/app/data_dialog_support.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace ravelog::app {

int ExecDialog(QDialog& dialog) {
    return dialog.exec();
}

void AddLabelledRow(QGridLayout* grid, int row, int column, const QString& label, QWidget* field) {
    grid->addWidget(BuddyLabel(label, field), row, column);
    grid->addWidget(field, row, column + 1);
}

namespace {

// Watches the input fields of one dialog for the Enter key.
class EnterKeyFilter : public QObject {
public:
    EnterKeyFilter(rave::EnterKeyBehaviour behaviour, QObject* parent)
        : QObject(parent), behaviour_(behaviour) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* combo = qobject_cast<QComboBox*>(watched);
        const bool dropDownOpen = combo != nullptr && combo->view() != nullptr && combo->view()->isVisible();
        switch (rave::EnterKeyActionFor(behaviour_, dropDownOpen)) {
            case rave::EnterKeyAction::kMoveToNextField: {
                // A Tab press moves on exactly as the tab order says.
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QApplication::sendEvent(widget, &tab);
                return true;
            }
            case rave::EnterKeyAction::kNothing:
                if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
                    Q_EMIT edit->editingFinished();
                }
                return true;
            default:
                return false;
        }
    }

private:
    rave::EnterKeyBehaviour behaviour_;
};

}  // namespace

void ApplyEnterKeySetting(QDialog& dialog, rave::EnterKeyBehaviour behaviour) {
    auto* filter = new EnterKeyFilter(behaviour, &dialog);
    for (QWidget* field : dialog.findChildren<QWidget*>()) {
        // Enter on a focused push button presses it; a drop-down's own edit field is watched
        // through the drop-down.
        if (field->inherits("QPushButton") || qobject_cast<QComboBox*>(field->parentWidget()) != nullptr) {
            continue;
        }
        if (qobject_cast<QLineEdit*>(field) != nullptr || qobject_cast<QComboBox*>(field) != nullptr ||
            qobject_cast<QAbstractButton*>(field) != nullptr) {
            field->installEventFilter(filter);
        }
    }
}

}  // namespace ravelog::app
