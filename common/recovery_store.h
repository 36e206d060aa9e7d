// Recovery copies of unsaved work, and the lock of a folder of working files.
//
// While a document has unsaved changes the desktop programs keep a copy of it in a per-user
// recovery folder: the document in its own file format ("<program>-<pid>.sdw" or ".sqw") and a
// small record beside it ("<program>-<pid>.rec") naming the program, the process, the file the
// work belongs to and when the copy was taken. A copy whose process is still running belongs to
// that process; one whose process is gone was left by a run that did not end normally and is
// offered at the next start. Whether a process still runs is the caller's question (a
// predicate), so this model stays free of the platform and testable.
//
// The same record, kept beside the lock of a folder of working files, says what the run that
// edits those files has in them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rave {

// Size and modification time of a file, to notice that it changed since it was read.
struct FileStamp {
    std::int64_t size = -1;     // -1: the file did not exist
    std::int64_t modified = 0;  // nanoseconds since the file clock's epoch
    bool operator==(const FileStamp&) const = default;
};
FileStamp ReadFileStamp(const std::filesystem::path& file);

// Which process wrote a record: its id and a token that tells it apart from a later process
// given the same id (the start time where the system says it; empty otherwise).
struct ProcessIdentity {
    long pid = 0;
    std::string startToken;
    bool operator==(const ProcessIdentity&) const = default;
};
using ProcessRunning = std::function<bool(const ProcessIdentity&)>;

struct RecoveryRecord {
    std::string program;  // "Ravelog" or "Ravesect"
    ProcessIdentity process;
    std::string originalPath;    // the document's own file (native text); may name no file yet
    std::int64_t savedTime = 0;  // when the copy was taken, seconds since 1970 (UTC)
    FileStamp originalStamp;     // the original file as the work started from it (last open or save)
    bool modified = false;       // for a folder lock: the run had unsaved work in its working files
};

// The record as text (a marker line, then "key=value" lines) and back. Nothing when the text is
// not a record (another file, a torn write).
std::string FormatRecoveryRecord(const RecoveryRecord& record);
std::optional<RecoveryRecord> ParseRecoveryRecord(std::string_view text);

// "Ravelog-1234": the name both files of one run's copy start with.
std::string RecoveryBaseName(const std::string& program, long pid);

// The files of one recovery copy in `folder`.
struct RecoveryFiles {
    std::filesystem::path record;
    std::filesystem::path copy;
};
RecoveryFiles RecoveryFilesFor(const std::filesystem::path& folder, const RecoveryRecord& record,
                               const std::string& extension);

// Writes the copy and then its record, each created as a new regular file under a temporary
// name (exclusively, never through a link) and renamed into place, so a record always names a
// complete copy and a link planted under a copy's name is replaced, never written through.
// Creates `folder` when needed. Empty text on success, else why it failed (English).
std::string WriteRecoveryCopy(const std::filesystem::path& folder, const RecoveryRecord& record,
                              const std::string& extension, std::string_view documentBytes);

// Removes both files of the copy; nothing happens when they are gone already.
void RemoveRecoveryCopy(const std::filesystem::path& folder, const RecoveryRecord& record,
                        const std::string& extension);

// A copy that can be offered: the record and where its document lies.
struct OfferedRecovery {
    RecoveryRecord record;
    std::filesystem::path copy;
};

// The largest copy offered: far beyond any document of either program.
inline constexpr std::uintmax_t kMaxRecoveryCopyBytes = 64u * 1024u * 1024u;

// The copies `program` left in `folder` whose process no longer runs, newest first. A record
// without its copy, or a file that is not a record, is removed on the way (a copy whose record
// is missing was interrupted before it was complete and is removed too). Nothing is read before
// it is judged: links under the names of copies are removed (not what they point at), records
// larger than a record can be and copies larger than kMaxRecoveryCopyBytes are removed unread.
std::vector<OfferedRecovery> ListLeftRecoveries(const std::filesystem::path& folder,
                                                const std::string& program, const std::string& extension,
                                                const ProcessRunning& running);

// The autosave interval in seconds: 0 turns autosave off; a stored value outside 0..3600 gives
// the default of 60.
inline constexpr int kDefaultAutosaveSeconds = 60;
inline constexpr int kMaxAutosaveSeconds = 3600;
int AutosaveSecondsFromSetting(std::optional<int> stored);

}  // namespace rave
