// The desktop's default program for text files.
#include <QDesktopServices>
#include <QUrl>

#include "platform/path_qstring.h"
#include "platform/text_editor.h"

namespace rave::platform {

bool OpenInTextEditor(const std::filesystem::path& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(PathToQString(file)));
}

}  // namespace rave::platform
