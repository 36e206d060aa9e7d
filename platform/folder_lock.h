// The lock of a folder of working files, held by one run for as long as it edits them.
//
// The lock file is a QLockFile: created atomically together with the holder's process id, host
// and program name, recognised as stale only when that process is gone, and then replaced under
// Qt's own guard, so two starts can never both take it. Beside it ("<lock file>.rec") the holder
// keeps its record (the document's name and whether the working files hold unsaved work); a
// record still there when the lock is taken was left by a run that ended without letting go.
#pragma once

#include <QLockFile>
#include <filesystem>
#include <memory>
#include <optional>

#include "common/recovery_store.h"

namespace rave::platform {

enum class FolderLockState {
    kTaken,            // the folder was free; it is ours now
    kTakenAfterCrash,  // a run that no longer exists held it: `previous` says what it left
    kHeldByOther,      // a running process holds it
    kFailed,           // the lock cannot be taken (a folder in its place, a folder not writable)
};

struct FolderLockAttempt;

class FolderLock {
public:
    explicit FolderLock(std::filesystem::path lockFile);
    // Lets go: the record goes first, then the lock file.
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Rewrites the holder's record (the modified flag and the document's name follow the window).
    bool Update(const RecoveryRecord& self);
    const std::filesystem::path& File() const { return file_; }

    // Tries once, without waiting, to take `lockFile` for `self`. A lock in the text format of
    // earlier builds counts as held while its process runs and is replaced once it is gone.
    static FolderLockAttempt Take(const std::filesystem::path& lockFile, const RecoveryRecord& self);

private:
    std::filesystem::path file_;
    QLockFile lock_;
};

struct FolderLockAttempt {
    FolderLockState state = FolderLockState::kFailed;
    std::unique_ptr<FolderLock> lock;        // set when taken
    std::optional<RecoveryRecord> previous;  // what a run that ended without letting go left
};

// The record kept beside `lockFile`.
std::filesystem::path FolderLockRecordPath(const std::filesystem::path& lockFile);

}  // namespace rave::platform
