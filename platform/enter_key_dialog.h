// The Enter-key dialog ("キーの動作のオプション") that both programs share: what the Enter (Return)
// key does in the data-entry dialogs, one of "Windows標準", "次に移動", "確定のみ". The dialog
// holds no rule of its own: it reads and stores the choice through an EnterKeyBinding.
//
// How a program binds its setting: implement EnterKeyBinding over its settings file (Ravelog:
// RavelogEnterKeyBinding below, line 100 of "Sys.ndx"; Ravesect: line 61 of "Sysq.ndx", kept as
// 0, 1, 2 in the order of rave::EnterKeyBehaviour, saved with ravesect::SaveSysqSettings), then
//
//     RavelogEnterKeyBinding binding(files.settings, installFolder / "Sys.ndx");
//     EnterKeyDialog dialog(binding, messages, window);
//     dialog.exec();
//
// On OK the dialog calls Store() once with the chosen behaviour; Cancel stores nothing.
#pragma once

#include <QDialog>
#include <filesystem>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "common/settings_enter_key.h"

class QRadioButton;

namespace rave::platform {

// What the Enter-key dialog edits, without Qt.
class EnterKeyBinding {
public:
    virtual ~EnterKeyBinding() = default;
    virtual EnterKeyBehaviour Behaviour() const = 0;
    // OK: keeps the choice in memory and rewrites the settings file. False, after the message,
    // when the file could not be written (the choice stays in use for this run).
    virtual bool Store(EnterKeyBehaviour behaviour, MessageSink& messages) = 0;
};

// Ravelog: line 100 of the settings held in `settings`, saved as a whole into `settingsFile`.
class RavelogEnterKeyBinding : public EnterKeyBinding {
public:
    RavelogEnterKeyBinding(RavelogSettings& settings, std::filesystem::path settingsFile)
        : settings_(settings), settingsFile_(std::move(settingsFile)) {}

    EnterKeyBehaviour Behaviour() const override;
    bool Store(EnterKeyBehaviour behaviour, MessageSink& messages) override;

private:
    RavelogSettings& settings_;
    std::filesystem::path settingsFile_;
};

// "設定ファイルを保存できませんでした\n( %1 )" with the file's path: a settings file could not be
// written, so the values stay in use only until the program ends.
Message SettingsNotSavedMessage(const std::filesystem::path& file);

class EnterKeyDialog : public QDialog {
    Q_OBJECT
public:
    EnterKeyDialog(EnterKeyBinding& binding, MessageSink& messages, QWidget* parent = nullptr);

    QRadioButton* ChoiceButton(EnterKeyBehaviour behaviour) const;
    // The choice the radio buttons show.
    EnterKeyBehaviour Chosen() const;

    void accept() override;

private:
    EnterKeyBinding& binding_;
    MessageSink& messages_;
    QRadioButton* choices_[3] = {};
};

}  // namespace rave::platform
