// The programs' settings location and the toolkit's Japanese translations.
#include "platform/program_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace rave::platform {

namespace {

// Where earlier versions kept the recent-file list: the application framework's default name.
const QString kOldOrganisation = QStringLiteral("Local AppWizard-Generated Applications");

}  // namespace

QString OrganisationName() {
    return QStringLiteral("Kelvard");
}

bool MoveOldSettings(const QString& application) {
    QSettings old(kOldOrganisation, application);
    if (!QFileInfo::exists(old.fileName())) {
        return false;
    }
    QSettings current(OrganisationName(), application);
    bool moved = false;
    if (current.allKeys().isEmpty()) {
        for (const QString& key : old.allKeys()) {
            current.setValue(key, old.value(key));
        }
        current.sync();
        moved = current.status() == QSettings::NoError;
    }
    if (!moved && !current.allKeys().isEmpty() && current.status() != QSettings::NoError) {
        return false;  // keep the old file when the new one could not be written
    }
    const QString oldFile = old.fileName();
    old.clear();
    old.sync();
    QFile::remove(oldFile);
    // The folder named after the framework goes when nothing else is in it.
    QDir().rmdir(QFileInfo(oldFile).absolutePath());
    return moved;
}

void UseProgramSettings(const QString& application, const QString& displayName) {
    QCoreApplication::setOrganizationName(OrganisationName());
    QCoreApplication::setApplicationName(application);
    QGuiApplication::setApplicationDisplayName(displayName);
    MoveOldSettings(application);
}

bool LoadToolkitTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace rave::platform
