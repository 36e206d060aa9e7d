// The lock of a folder of working files (see folder_lock.h).
#include "platform/folder_lock.h"

#include <system_error>

#include "common/text_file.h"
#include "platform/path_qstring.h"
#include "platform/recovery.h"

namespace rave::platform {

namespace fs = std::filesystem;

namespace {

std::optional<RecoveryRecord> ReadRecord(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(file, error))) {
        return std::nullopt;
    }
    const std::optional<std::string> bytes = ReadFileBytes(file);
    return bytes ? ParseRecoveryRecord(*bytes) : std::nullopt;
}

}  // namespace

fs::path FolderLockRecordPath(const fs::path& lockFile) {
    return fs::path(lockFile) += ".rec";
}

FolderLock::FolderLock(fs::path lockFile) : file_(std::move(lockFile)), lock_(PathToQString(file_)) {
    // Held for the whole run: only a gone process makes it stale, never its age.
    lock_.setStaleLockTime(0);
}

FolderLock::~FolderLock() {
    if (lock_.isLocked()) {
        std::error_code ignored;
        fs::remove(FolderLockRecordPath(file_), ignored);
        lock_.unlock();
    }
}

bool FolderLock::Update(const RecoveryRecord& self) {
    return lock_.isLocked() && WriteFileAtomically(FolderLockRecordPath(file_), FormatRecoveryRecord(self));
}

FolderLockAttempt FolderLock::Take(const fs::path& lockFile, const RecoveryRecord& self) {
    FolderLockAttempt attempt;
    auto lock = std::make_unique<FolderLock>(lockFile);
    // Two tries: the second after the lock of an earlier build's dead run was removed.
    for (int tries = 0; tries < 2; ++tries) {
        if (lock->lock_.tryLock(0)) {
            // A record left beside the lock names a run that ended without letting go; ours
            // replaces it.
            if (!attempt.previous) {
                attempt.previous = ReadRecord(FolderLockRecordPath(lockFile));
            }
            attempt.state = attempt.previous ? FolderLockState::kTakenAfterCrash : FolderLockState::kTaken;
            lock->Update(self);
            attempt.lock = std::move(lock);
            return attempt;
        }
        if (lock->lock_.error() != QLockFile::LockFailedError) {
            attempt.state = FolderLockState::kFailed;
            return attempt;
        }
        qint64 pid = 0;
        QString host;
        QString application;
        if (lock->lock_.getLockInfo(&pid, &host, &application)) {
            attempt.state = FolderLockState::kHeldByOther;
            return attempt;
        }
        // Not a lock of this kind: an earlier build's record, or something else in its place.
        const std::optional<RecoveryRecord> old = ReadRecord(lockFile);
        if (!old) {
            attempt.state = FolderLockState::kFailed;
            return attempt;
        }
        if (IsProcessRunning(old->process)) {
            attempt.state = FolderLockState::kHeldByOther;
            return attempt;
        }
        attempt.previous = old;
        std::error_code error;
        fs::remove(lockFile, error);
    }
    attempt.state = FolderLockState::kFailed;
    return attempt;
}

}  // namespace rave::platform
