// The helpers of cli_runner.h that need Qt.
#include <gtest/gtest.h>

#include "cli_runner.h"

#include <QFile>
#include <QRegularExpression>
#include <QString>

namespace ravelog::cli::testing {

int PdfPages(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    return static_cast<int>(
        QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type /Page\\b"))));
}

}  // namespace ravelog::cli::testing
