// The autosave setting of both programs (設定 > 自動保存): how many seconds pass between
// recovery copies of unsaved work, 0 to write none. Kept in the program's settings.
#pragma once

#include <QDialog>

class QMenu;
class QSpinBox;

namespace rave::platform {

class RecoverySession;

class AutosaveDialog : public QDialog {
    Q_OBJECT
public:
    explicit AutosaveDialog(int seconds, QWidget* parent = nullptr);

    QSpinBox* SecondsBox() const { return seconds_; }
    int Seconds() const;

private:
    QSpinBox* seconds_ = nullptr;
};

// Adds "自動保存(&B)..." to `settingsMenu`: the dialog over `window`; on OK the setting is stored
// and `session` follows it at once.
void AddAutosaveCommand(QMenu& settingsMenu, QWidget& window, RecoverySession& session);

}  // namespace rave::platform
