// Shared bindings of the settings dialogs (see settings_dialog_support.h).
#include "ravelog/app/settings_dialog_support.h"

#include "common/settings_files.h"
#include "ravelog/app/main_frame.h"

namespace ravelog::app {

void ShowSettingsNotSaved(MainFrame& frame) {
    rave::Message message = Utf8Message(QStringLiteral(
        "設定ファイルを保存できませんでした.\n設定はプログラムを終了するまで有効です.\n( %1 )"));
    message.argument = frame.Files().paths.settings.string();
    frame.Messages().Show(message);
}

bool CommitSettings(MainFrame& frame, const rave::RavelogSettings& edited) {
    frame.Files().settings = edited;
    const bool saved = rave::SaveSettings(frame.Files().paths.settings, edited);
    if (!saved) {
        ShowSettingsNotSaved(frame);
    }
    frame.RefreshView();
    return saved;
}

}  // namespace ravelog::app
