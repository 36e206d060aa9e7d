// Text and path helpers of the Ravesect dialogs.
#include "ravesect/app/dialog_support.h"

#include <QLabel>

#include "common/install_folder.h"
#include "platform/codec.h"
#include "platform/install_folder.h"

namespace ravesect::app {

QString FromCp932(std::string_view cp932) {
    return QString::fromStdString(rave::platform::Cp932ToUtf8(cp932));
}

std::optional<std::string> ToCp932(const QString& text, const QString& fieldName,
                                   rave::MessageSink& messages) {
    auto bytes = rave::platform::Utf8ToCp932(text.toStdString());
    if (!bytes) {
        messages.Show(Cp932Message(0, QStringLiteral("「%1」に保存できない文字があります。").arg(fieldName)));
    }
    return bytes;
}

rave::Message Cp932Message(int id, const QString& text) {
    return rave::Message{id, rave::platform::Utf8ToCp932(text.toStdString()).value_or(std::string()), {}};
}

std::filesystem::path ResolveColumnSource(std::string_view cp932Path) {
    if (cp932Path.size() > 2 && cp932Path[1] == ':' && (cp932Path[2] == '\\' || cp932Path[2] == '/')) {
        const rave::DriveMap drives = rave::platform::MakeDriveMap(rave::platform::CurrentDriveFolders());
        if (auto native = rave::WindowsPathToNative(cp932Path, drives)) {
            return *native;
        }
    }
    return std::filesystem::path(rave::platform::Cp932ToUtf8(cp932Path));
}

std::optional<std::string> ColumnSourceText(const std::filesystem::path& native) {
    return rave::platform::Utf8ToCp932(native.string());
}

QLabel* BuddyLabel(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    QString name = text;
    name.remove(QLatin1Char('&'));
    field->setAccessibleName(name);
    return label;
}

}  // namespace ravesect::app
