// Shared bindings of the settings dialogs (see settings_dialog_support.h).
#include "ravelog/app/settings_dialog_support.h"

#include <QWidget>

#include "common/settings_files.h"
#include "platform/codec.h"
#include "ravelog/app/main_frame.h"

namespace ravelog::app {

QString ToWidgetText(const std::string& cp932) {
    return QString::fromStdString(rave::platform::Cp932ToUtf8(cp932));
}

rave::Message Utf8Message(const QString& text) {
    // Every message of the dialogs is written in characters cp932 holds.
    return rave::Message{0, rave::platform::Utf8ToCp932(text.toStdString()).value_or(std::string()), {}};
}

std::optional<std::string> FromWidgetText(const QString& text, const QString& fieldName,
                                          rave::MessageSink& messages) {
    std::optional<std::string> bytes = rave::platform::Utf8ToCp932(text.toStdString());
    if (!bytes) {
        messages.Show(Utf8Message(
            QStringLiteral("「%1」に使えない文字があります.\nシフトJIS(cp932)にない文字は保存できません.")
                .arg(fieldName)));
    }
    return bytes;
}

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

void NameByLabel(QWidget* buddy, const QString& label) {
    QString name = label;
    name.remove(QLatin1Char('&'));
    buddy->setAccessibleName(name.trimmed());
}

}  // namespace ravelog::app
