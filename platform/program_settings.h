// What both desktop programs set up before their window opens: where their settings live and
// the toolkit's own Japanese texts.
#pragma once

#include <QString>

#include <memory>

class QCoreApplication;
class QSettings;

namespace rave::platform {

// The organisation both programs keep their settings and per-user data under
// (~/.config/Kelvard/<program>.conf, ~/.local/share/Kelvard/<program>/).
QString OrganisationName();

// The settings of `application` under `organisation` in the default format: the registry on
// Windows and a .conf file elsewhere, unless the default has been changed (tests keep theirs in INI
// files of their own, which is the only way to keep them out of the registry).
std::unique_ptr<QSettings> OpenSettings(const QString& organisation, const QString& application);

// Names the application (organisation, application and display name) and copies what an earlier
// version kept under the framework's default organisation (the recent-file list) to the new
// place once.
void UseProgramSettings(const QString& application, const QString& displayName);

// Where earlier versions kept their settings: the framework's default organisation. An older
// build sharing the profile still reads and writes its recent-file list there.
QString OldOrganisationName();

// Copies the keys of the old settings of `application` into the new ones when the new ones are
// still empty. The old settings stay as they are, for an older build that still uses them. True
// when something was copied.
bool CopyOldSettings(const QString& application);

// Loads Qt's own Japanese translations (qtbase_ja from the system's translation folder), so the
// standard windows and buttons (file, colour and print dialogs, はい / いいえ / キャンセル) speak
// the user's language. False when the translations are not installed.
bool LoadToolkitTranslations(QCoreApplication& application);

}  // namespace rave::platform
