// Start-up of Ravesect's desktop program.
#include "ravesect/app/ravesect_application.h"

#include <QDateTime>
#include <QFileInfo>

#include "platform/desktop_start.h"
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

int RunDesktopProgram(int argc, char** argv) {
    rave::platform::DesktopProgram program(QStringLiteral("Ravesect"), ApplicationCaption(), "ravesect",
                                           ".sqw", rave::kRavesectPointerFile);
    program.createWindow = [](const std::filesystem::path& folder) {
        return std::make_unique<SectionFrame>(folder);
    };
    program.resetDocument = [] { ResetCurrentSection(); };
    program.takeFiles = [](rave::platform::DocumentWindow& window, rave::platform::RecoverySession& session) {
        auto& frame = static_cast<SectionFrame&>(window);
        const std::filesystem::path lockFile = WorkingFilesLockPath(frame.InstallFolder());
        TakeWorkingFiles(frame, session, lockFile);
        return std::static_pointer_cast<void>(std::make_shared<WorkingFilesLock>(lockFile));
    };
    program.readOnlyNotice = QStringLiteral(
        "別の Ravesect がこのインストールフォルダの作業ファイルを編集しています。\n"
        "このウィンドウでは表示と印刷だけができます（読み取り専用）。");
    return rave::platform::RunDesktopProgram(argc, argv, program);
}

}  // namespace ravesect::app
