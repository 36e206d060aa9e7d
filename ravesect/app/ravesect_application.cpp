// Start-up of Ravesect's desktop program.
#include "ravesect/app/ravesect_application.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QMessageBox>
#include <iostream>

#include "common/install_folder.h"
#include "platform/autosave_dialog.h"
#include "platform/install_folder.h"
#include "platform/message_box.h"
#include "platform/program_settings.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/document/section_document.h"

namespace ravesect::app {

namespace {

// The newest change of the working files, seconds since 1970; now when there are none.
std::int64_t NewestWorkingFileTime(const WorkingFiles& files) {
    std::int64_t newest = 0;
    for (const std::filesystem::path& file :
         {files.columns, files.settings, files.titles, files.pointsLayers}) {
        const QFileInfo info(QString::fromStdString(file.string()));
        if (info.exists()) {
            newest = std::max<std::int64_t>(newest, info.lastModified().toSecsSinceEpoch());
        }
    }
    return newest > 0 ? newest : QDateTime::currentSecsSinceEpoch();
}

// Gives the working files back when the program ends (only while the lock is still ours).
class WorkingFilesLock {
public:
    explicit WorkingFilesLock(std::filesystem::path file) : file_(std::move(file)) {}
    ~WorkingFilesLock() { rave::ReleaseFolderLock(file_, rave::platform::CurrentProcess()); }
    WorkingFilesLock(const WorkingFilesLock&) = delete;
    WorkingFilesLock& operator=(const WorkingFilesLock&) = delete;

private:
    std::filesystem::path file_;
};

}  // namespace

std::filesystem::path WorkingFilesLockPath(const std::filesystem::path& installFolder) {
    return installFolder / "Ravesect.lck";
}

WorkingFilesAccess TakeWorkingFiles(SectionFrame& frame, rave::platform::RecoverySession& session,
                                    const std::filesystem::path& lockFile) {
    const rave::FolderLockResult lock =
        rave::TakeFolderLock(lockFile, session.OwnRecord(), rave::platform::IsProcessRunning);
    switch (lock.state) {
        case rave::FolderLockState::kHeldByOther:
            frame.SetWorkingFilesReadOnly();
            return WorkingFilesAccess::kReadOnly;
        case rave::FolderLockState::kFailed:
            return WorkingFilesAccess::kUnlocked;
        case rave::FolderLockState::kTakenAfterCrash:
            if (lock.previous && lock.previous->modified) {
                // The working files hold that run's last committed state, at least as new as its
                // own autosave copy, which this replaces.
                rave::RecoveryRecord left = *lock.previous;
                left.program = session.Program();
                left.savedTime = NewestWorkingFileTime(frame.Files());
                rave::WriteRecoveryCopy(session.Folder(), left, session.Extension(), frame.RecoveryBytes());
            }
            break;
        case rave::FolderLockState::kTaken:
            break;
    }
    session.stateChanged = [&session, lockFile](bool, const std::string&) {
        rave::UpdateFolderLock(lockFile, session.OwnRecord());
    };
    return WorkingFilesAccess::kOwn;
}

bool OfferRecoveries(SectionFrame& frame, rave::platform::RecoverySession& session,
                     const rave::platform::RecoveryAsk& ask) {
    if (frame.WorkingFilesReadOnly()) {
        return false;
    }
    return rave::platform::OfferLeftRecoveries(session, ask, [&frame](const rave::OfferedRecovery& offered) {
        return frame.ConfirmDiscardChanges() &&
               frame.RestoreRecoveryCopy(offered.copy, offered.record.originalPath);
    });
}

DesktopArguments ParseDesktopArguments(const std::vector<std::string>& arguments) {
    const std::string option = "--install-folder";
    DesktopArguments result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == option) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                result.error = "--install-folder needs a folder";
                return result;
            }
            result.installFolder = arguments[++i];
        } else if (argument.rfind(option + "=", 0) == 0) {
            result.installFolder = argument.substr(option.size() + 1);
            if (result.installFolder.empty()) {
                result.error = "--install-folder needs a folder";
                return result;
            }
        } else if (argument.size() > 1 && argument[0] == '-') {
            result.error = "unknown option " + argument;
            return result;
        } else if (result.file) {
            result.error = "only one file can be opened";
            return result;
        } else {
            result.file = std::filesystem::path(argument);
        }
    }
    return result;
}

int RunDesktopProgram(int argc, char** argv) {
    QApplication application(argc, argv);
    rave::platform::UseProgramSettings(QStringLiteral("Ravesect"), ApplicationCaption());
    rave::platform::LoadToolkitTranslations(application);

    // QApplication has taken its own options out of argv.
    const QStringList qtArguments = QApplication::arguments();
    std::vector<std::string> arguments;
    for (qsizetype i = 1; i < qtArguments.size(); ++i) {
        arguments.push_back(qtArguments.at(i).toStdString());
    }
    const DesktopArguments parsed = ParseDesktopArguments(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "ravesect: " << parsed.error << "\nusage: ravesect [--install-folder DIR] [FILE]\n";
        return 2;
    }

    rave::platform::MessageBoxSink startMessages(nullptr, ApplicationCaption());
    auto request = rave::platform::DefaultInstallFolderRequest(rave::kRavesectPointerFile);
    request.overrideFolder = parsed.installFolder;
    const std::optional<std::filesystem::path> installFolder =
        rave::platform::PrepareInstallFolder(request, startMessages);
    if (!installFolder) {
        return 1;
    }

    ResetCurrentSection();
    rave::platform::RecoverySession recovery("Ravesect", ".sqw", rave::platform::DefaultRecoveryFolder());
    recovery.SetIntervalSeconds(rave::platform::ReadAutosaveSeconds());
    SectionFrame frame(*installFolder);
    const std::filesystem::path lockFile = WorkingFilesLockPath(frame.InstallFolder());
    const WorkingFilesAccess access = TakeWorkingFiles(frame, recovery, lockFile);
    WorkingFilesLock lock(lockFile);
    const bool readOnly = access == WorkingFilesAccess::kReadOnly;
    if (!readOnly) {
        frame.AttachRecovery(&recovery);
        rave::platform::AddAutosaveCommand(*frame.Menu(QStringLiteral("settingsMenu")), frame, recovery);
    }
    if (parsed.file && !readOnly) {
        frame.OpenThroughFramework(*parsed.file);
    }
    frame.show();
    if (readOnly) {
        QMessageBox::information(
            &frame, ApplicationCaption(),
            QStringLiteral("別の Ravesect がこのインストールフォルダの作業ファイルを編集しています。\n"
                           "このウィンドウでは表示と印刷だけができます（読み取り専用）。"));
    }
    OfferRecoveries(frame, recovery, [&frame](const rave::OfferedRecovery& offered) {
        return rave::platform::AskAboutRecovery(&frame, ApplicationCaption(), offered);
    });
    const int status = QApplication::exec();
    frame.AttachRecovery(nullptr);
    return status;
}

}  // namespace ravesect::app
