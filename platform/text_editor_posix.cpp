// The desktop's default program for text files.
#include <QDesktopServices>
#include <QUrl>

#include "platform/text_editor.h"

namespace rave::platform {

bool OpenInTextEditor(const std::filesystem::path& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

}  // namespace rave::platform
