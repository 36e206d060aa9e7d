// The programs' settings location and the toolkit's Japanese translations.
#include "platform/program_settings.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace rave::platform {

QString OrganisationName() {
    return QStringLiteral("Kelvard");
}

QString OldOrganisationName() {
    return QStringLiteral("Local AppWizard-Generated Applications");
}

std::unique_ptr<QSettings> OpenSettings(const QString& organisation, const QString& application) {
    return std::make_unique<QSettings>(QSettings::defaultFormat(), QSettings::UserScope, organisation,
                                       application);
}

bool CopyOldSettings(const QString& application) {
    const auto old = OpenSettings(OldOrganisationName(), application);
    if (old->allKeys().isEmpty()) {
        return false;
    }
    const auto current = OpenSettings(OrganisationName(), application);
    if (!current->allKeys().isEmpty()) {
        return false;
    }
    for (const QString& key : old->allKeys()) {
        current->setValue(key, old->value(key));
    }
    current->sync();
    return current->status() == QSettings::NoError;
}

void UseProgramSettings(const QString& application, const QString& displayName) {
    QCoreApplication::setOrganizationName(OrganisationName());
    QCoreApplication::setApplicationName(application);
    QGuiApplication::setApplicationDisplayName(displayName);
    CopyOldSettings(application);
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
