// Recovery copies: the record text, the file names, writing them and which copies to offer.
#include "common/recovery_store.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "common/native_file.h"
#include "common/text_file.h"

namespace rave {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMarker = "RaveRecovery 1";
constexpr std::string_view kRecordExtension = ".rec";

// Values stay on one line: a backslash, CR and LF are written as \\, \r and \n.
std::string Escape(std::string_view value) {
    std::string out;
    for (char c : value) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Unescape(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            out += value[i];
        }
    }
    return out;
}

template <typename Number>
std::optional<Number> ParseWhole(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A record is a few short lines; anything longer was not written here.
constexpr std::uintmax_t kMaxRecordBytes = 64 * 1024;

// A regular file itself (a link is not followed) of at most `limit` bytes.
bool IsOwnSizedFile(const fs::path& file, std::uintmax_t limit) {
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(file, error))) {
        return false;
    }
    const std::uintmax_t size = fs::file_size(file, error);
    return !error && size <= limit;
}

std::optional<RecoveryRecord> ReadRecord(const fs::path& file) {
    if (!IsOwnSizedFile(file, kMaxRecordBytes)) {
        return std::nullopt;
    }
    const std::optional<std::string> bytes = ReadFileBytes(file);
    return bytes ? ParseRecoveryRecord(*bytes) : std::nullopt;
}

// Writes `file` as a new regular file of our own: created exclusively under a temporary name
// (never through a link), then renamed over `file`, which replaces whatever stands there, a
// planted link included, without following it. Empty text on success, else why not.
std::string WriteOwnFile(const fs::path& file, std::string_view bytes) {
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(file, error))) {
        return "cannot write " + file.string() + ": a folder stands in its place";
    }
    // The name carries the run's id, so anything already at it was left by an earlier run.
    fs::path temporary = file.parent_path() / ".";
    (temporary += file.filename()) += ".new";
    fs::remove(temporary, error);
    std::string failure = CreateNewFile(temporary, bytes);
    if (failure.empty()) {
        failure = ReplaceByRename(temporary, file);
    }
    if (!failure.empty()) {
        fs::remove(temporary, error);
        return "cannot write " + file.string() + ": " + failure;
    }
    return {};
}

}  // namespace

FileStamp ReadFileStamp(const fs::path& file) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error) {
        return {};
    }
    const fs::file_time_type time = fs::last_write_time(file, error);
    if (error) {
        return {};
    }
    return FileStamp{static_cast<std::int64_t>(size),
                     std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count()};
}

std::string FormatRecoveryRecord(const RecoveryRecord& record) {
    std::string text(kMarker);
    text += '\n';
    const auto line = [&text](std::string_view key, std::string_view value) {
        text.append(key).append("=").append(Escape(value)).append("\n");
    };
    line("program", record.program);
    line("pid", std::to_string(record.process.pid));
    line("start", record.process.startToken);
    line("original", record.originalPath);
    line("saved", std::to_string(record.savedTime));
    line("originalSize", std::to_string(record.originalStamp.size));
    line("originalModified", std::to_string(record.originalStamp.modified));
    line("modified", record.modified ? "1" : "0");
    return text;
}

std::optional<RecoveryRecord> ParseRecoveryRecord(std::string_view text) {
    if (text.substr(0, kMarker.size()) != kMarker) {
        return std::nullopt;
    }
    RecoveryRecord record;
    bool hasProgram = false;
    bool hasPid = false;
    std::size_t position = kMarker.size();
    while (position < text.size()) {
        std::size_t end = text.find('\n', position);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(position, end - position);
        position = end + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = line.substr(0, equals);
        const std::string value = Unescape(line.substr(equals + 1));
        if (key == "program") {
            record.program = value;
            hasProgram = !value.empty();
        } else if (key == "pid") {
            const std::optional<long> pid = ParseWhole<long>(value);
            hasPid = pid && *pid > 0;
            record.process.pid = pid.value_or(0);
        } else if (key == "start") {
            record.process.startToken = value;
        } else if (key == "original") {
            record.originalPath = value;
        } else if (key == "saved") {
            record.savedTime = ParseWhole<std::int64_t>(value).value_or(0);
        } else if (key == "originalSize") {
            record.originalStamp.size = ParseWhole<std::int64_t>(value).value_or(-1);
        } else if (key == "originalModified") {
            record.originalStamp.modified = ParseWhole<std::int64_t>(value).value_or(0);
        } else if (key == "modified") {
            record.modified = value == "1";
        }
    }
    if (!hasProgram || !hasPid) {
        return std::nullopt;
    }
    return record;
}

std::string RecoveryBaseName(const std::string& program, long pid) {
    return program + "-" + std::to_string(pid);
}

RecoveryFiles RecoveryFilesFor(const fs::path& folder, const RecoveryRecord& record,
                               const std::string& extension) {
    const std::string base = RecoveryBaseName(record.program, record.process.pid);
    return RecoveryFiles{folder / (base + std::string(kRecordExtension)), folder / (base + extension)};
}

std::string WriteRecoveryCopy(const fs::path& folder, const RecoveryRecord& record,
                              const std::string& extension, std::string_view documentBytes) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        return "cannot create " + folder.string() + ": " + error.message();
    }
    const RecoveryFiles files = RecoveryFilesFor(folder, record, extension);
    // The copy first: a record is only ever written beside a complete copy.
    std::string failure = WriteOwnFile(files.copy, documentBytes);
    if (failure.empty()) {
        failure = WriteOwnFile(files.record, FormatRecoveryRecord(record));
    }
    return failure;
}

void RemoveRecoveryCopy(const fs::path& folder, const RecoveryRecord& record, const std::string& extension) {
    const RecoveryFiles files = RecoveryFilesFor(folder, record, extension);
    std::error_code ignored;
    // The record first, so a copy is never offered half removed.
    fs::remove(files.record, ignored);
    fs::remove(files.copy, ignored);
}

std::vector<OfferedRecovery> ListLeftRecoveries(const fs::path& folder, const std::string& program,
                                                const std::string& extension, const ProcessRunning& running) {
    std::vector<OfferedRecovery> offered;
    std::error_code error;
    std::vector<fs::path> records;
    std::vector<fs::path> copies;
    const std::string prefix = program + "-";
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0) {
            continue;
        }
        if (!entry.is_regular_file(error) || entry.is_symlink(error)) {
            // A link or anything else under the name of a copy was not written here: the link
            // goes (never what it points at), a folder or device is left alone and never read.
            if (entry.is_symlink(error)) {
                fs::remove(entry.path(), error);
            }
            continue;
        }
        if (entry.path().extension() == kRecordExtension) {
            records.push_back(entry.path());
        } else if (entry.path().extension() == extension) {
            copies.push_back(entry.path());
        }
    }
    std::vector<fs::path> offeredCopies;
    for (const fs::path& file : records) {
        const std::optional<RecoveryRecord> record = ReadRecord(file);
        if (!record || record->program != program) {
            fs::remove(file, error);
            continue;
        }
        const RecoveryFiles files = RecoveryFilesFor(folder, *record, extension);
        if (files.record != file) {
            // A record under another run's name is not one this model wrote.
            fs::remove(file, error);
            continue;
        }
        if (running(record->process)) {
            offeredCopies.push_back(files.copy);  // still in use: kept, not offered
            continue;
        }
        if (!IsOwnSizedFile(files.copy, kMaxRecoveryCopyBytes)) {
            // No copy, or one far larger than any document: not ours to offer or to read.
            fs::remove(file, error);
            fs::remove(files.copy, error);
            continue;
        }
        offered.push_back(OfferedRecovery{*record, files.copy});
        offeredCopies.push_back(files.copy);
    }
    for (const fs::path& copy : copies) {
        if (std::find(offeredCopies.begin(), offeredCopies.end(), copy) != offeredCopies.end()) {
            continue;
        }
        // A copy without a record: its run is gone unless a process with its id still runs and is
        // writing the record right now.
        const std::optional<long> pid = ParseWhole<long>(copy.stem().string().substr(prefix.size()));
        if (!pid || !running(ProcessIdentity{*pid, {}})) {
            fs::remove(copy, error);
        }
    }
    std::sort(offered.begin(), offered.end(), [](const OfferedRecovery& a, const OfferedRecovery& b) {
        return a.record.savedTime > b.record.savedTime;
    });
    return offered;
}

int AutosaveSecondsFromSetting(std::optional<int> stored) {
    if (!stored || *stored < 0 || *stored > kMaxAutosaveSeconds) {
        return kDefaultAutosaveSeconds;
    }
    return *stored;
}

}  // namespace rave
