// Start-up of Ravesect's desktop program.
#include "ravesect/app/ravesect_application.h"

#include <QDateTime>
#include <QFileInfo>

#include "platform/desktop_start.h"
#include "platform/path_qstring.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/document/section_document.h"

namespace ravesect::app {

namespace {

// The newest change of the working files, seconds since 1970; now when there are none.
std::int64_t NewestWorkingFileTime(const WorkingFiles& files) {
    std::int64_t newest = 0;
    for (const std::filesystem::path& file :
         {files.columns, files.settings, files.titles, files.pointsLayers}) {
        const QFileInfo info(rave::platform::PathToQString(file));
        if (info.exists()) {
            newest = std::max<std::int64_t>(newest, info.lastModified().toSecsSinceEpoch());
        }
    }
    return newest > 0 ? newest : QDateTime::currentSecsSinceEpoch();
}

// The unsaved work a run that ended without letting go left in the working files becomes a
// recovery copy under that run's name: the working files hold its last committed state, at
// least as new as its own autosave copy, which this replaces.
void KeepLeftWork(SectionFrame& frame, rave::platform::RecoverySession& session,
                  const rave::RecoveryRecord& previous) {
    if (!previous.modified) {
        return;
    }
    rave::RecoveryRecord left = previous;
    left.program = session.Program();
    left.savedTime = NewestWorkingFileTime(frame.Files());
    if (rave::WriteRecoveryCopy(session.Folder(), left, session.Extension(), frame.RecoveryBytes()).empty()) {
        frame.WorkingFilesHoldLeftWork(left.process);
    }
}

}  // namespace

std::filesystem::path WorkingFilesLockPath(const std::filesystem::path& installFolder) {
    return installFolder / "Ravesect.lck";
}

WorkingFilesAccess TakeWorkingFiles(SectionFrame& frame, rave::platform::RecoverySession& session,
                                    const std::filesystem::path& lockFile) {
    using rave::platform::FolderLockState;
    rave::platform::FolderLockAttempt attempt =
        rave::platform::FolderLock::Take(lockFile, session.OwnRecord());
    if (attempt.lock == nullptr) {
        // Without the lock nothing may be written: another window could be editing the same files.
        frame.SetWorkingFilesReadOnly(attempt.state == FolderLockState::kHeldByOther);
        return WorkingFilesAccess::kReadOnly;
    }
    if (attempt.previous) {
        KeepLeftWork(frame, session, *attempt.previous);
    }
    frame.HoldWorkingFilesLock(std::move(attempt.lock),
                               SectionFrame::LockHooks{[&session] { return session.OwnRecord(); },
                                                       [&frame, &session](const rave::RecoveryRecord& left) {
                                                           KeepLeftWork(frame, session, left);
                                                       }});
    session.stateChanged = [&frame](bool, const std::string&) { frame.UpdateWorkingFilesLock(); };
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
        // The frame holds the lock until it goes.
        TakeWorkingFiles(frame, session, WorkingFilesLockPath(frame.InstallFolder()));
        return std::shared_ptr<void>();
    };
    return rave::platform::RunDesktopProgram(argc, argv, program);
}

}  // namespace ravesect::app
