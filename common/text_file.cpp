// Line reading with fixed limits and atomic whole-file writing.
#include "common/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "common/cp932.h"

namespace rave {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool LineCursor::Next(std::string_view& line) {
    if (position_ >= bytes_.size()) {
        return false;
    }
    // A line ends at CR LF, at LF alone or at CR alone, whatever system the file was edited on.
    // The first LF bounds the line; a CR before it ends the line earlier. Both searches stay
    // within the line, so a file without any CR is not searched to its end for every line.
    const char* const data = bytes_.data();
    const std::size_t rest = bytes_.size() - position_;
    const void* lf = std::memchr(data + position_, '\n', rest);
    std::size_t end =
        lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : bytes_.size();
    if (ends_ == Ends::kNoLoneCr) {
        // Any CR stands right before the LF: the line ends just after the LF.
        end += lf != nullptr ? 1 : 0;
    } else {
        if (const void* cr = std::memchr(data + position_, '\r', end - position_); cr != nullptr) {
            end = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
        }
        if (end < bytes_.size()) {
            end += bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n' ? 2 : 1;
        }
    }
    std::string_view whole = bytes_.substr(position_, end - position_);
    position_ = end;
    if (maxChars_ > 0 && whole.size() > maxChars_) {
        whole = Cp932Prefix(whole, maxChars_);
    }
    line = whole;
    return true;
}

std::string_view StripLineEnd(std::string_view line) {
    if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n") {
        line.remove_suffix(2);
    } else if (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return line;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path,
                                                      std::size_t maxChars) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    LineCursor cursor(*bytes, maxChars);
    std::string_view line;
    while (cursor.Next(line)) {
        lines.emplace_back(StripLineEnd(line));
    }
    return lines;
}

namespace {

namespace fs = std::filesystem;

// Temporary files are named ".NAME.tmpNNNNNN" beside their target.
std::string TemporaryPrefix(const fs::path& target) {
    return "." + target.filename().string() + ".tmp";
}

// A symbolic link is replaced by the file it points to (through any chain of links), so a save
// writes the target and the link stays a link.
fs::path ResolveWriteTarget(const fs::path& path) {
    fs::path target = path;
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(target, error)); ++hops) {
        const fs::path link = fs::read_symlink(target, error);
        if (error) {
            break;
        }
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target;
}

// Removes temporary files of this target's name that a write killed before it could finish left
// behind. A file touched within the last minute may belong to a write still running elsewhere.
void RemoveStaleTemporaries(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string prefix = TemporaryPrefix(target);
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        return;
    }
    const auto now = fs::file_time_type::clock::now();
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
            name.find_first_not_of("0123456789", prefix.size()) != std::string::npos) {
            continue;
        }
        const auto written = entry.last_write_time(error);
        if (!error && now - written > std::chrono::seconds(60)) {
            fs::remove(entry.path(), error);
        }
    }
}

std::string SystemReason(int number) {
    return std::strerror(number);
}

// Writes one temporary file completely; empty text on success.
std::string WriteTemporary(const fs::path& temporary, const fs::path& target, std::string_view bytes) {
    struct stat existing {};
    const bool hasExisting = ::stat(target.c_str(), &existing) == 0;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return "cannot write " + target.string() + ": " + SystemReason(errno);
    }
    std::string failure;
    if (hasExisting) {
        // Keep the owner and permissions the file had; a change of owner needs rights we may lack.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            // Not our file: it becomes ours, with the same permissions.
        }
        if (::fchmod(fd, existing.st_mode & 07777) != 0) {
            failure = "cannot set the permissions of " + temporary.string() + ": " + SystemReason(errno);
        }
    }
    std::size_t done = 0;
    while (failure.empty() && done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            failure = "cannot write " + target.string() + ": " + SystemReason(errno);
        } else {
            done += static_cast<std::size_t>(written);
        }
    }
    if (failure.empty() && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        failure = "cannot write " + target.string() + ": " + SystemReason(errno);
    }
    if (::close(fd) != 0 && failure.empty()) {
        failure = "cannot write " + target.string() + ": " + SystemReason(errno);
    }
    return failure;
}

}  // namespace

std::string WriteFilesAtomically(const std::vector<FileContent>& files) {
    static std::random_device random;
    std::vector<std::pair<fs::path, fs::path>> written;  // temporary, target
    std::string failure;
    for (const FileContent& file : files) {
        const fs::path target = ResolveWriteTarget(file.path);
        std::error_code error;
        if (target.filename().empty() || fs::is_directory(target, error)) {
            failure = "cannot write " + file.path.string() + ": it is a folder, not a file name";
            break;
        }
        const fs::file_status status = fs::status(target, error);
        if (fs::exists(status) && !fs::is_regular_file(status)) {
            // A device or a pipe cannot be replaced by a renamed file.
            failure = "cannot write " + file.path.string() + ": it is not a regular file";
            break;
        }
        RemoveStaleTemporaries(target);
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        fs::path temporary;
        for (int attempt = 0; attempt < 16; ++attempt) {
            temporary = folder / (TemporaryPrefix(target) + std::to_string(random() % 1000000));
            if (!fs::exists(fs::symlink_status(temporary, error))) {
                break;
            }
        }
        failure = WriteTemporary(temporary, target, file.bytes);
        if (!failure.empty()) {
            fs::remove(temporary, error);
            break;
        }
        written.emplace_back(temporary, target);
    }
    if (failure.empty()) {
        for (std::size_t i = 0; i < written.size(); ++i) {
            if (::rename(written[i].first.c_str(), written[i].second.c_str()) != 0) {
                failure = "cannot write " + written[i].second.string() + ": " + SystemReason(errno);
                // Files renamed already stay; the rest are removed below.
                written.erase(written.begin(), written.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        }
        if (failure.empty()) {
            return {};
        }
    }
    for (const auto& entry : written) {
        std::error_code ignored;
        fs::remove(entry.first, ignored);
    }
    return failure;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    return WriteFilesAtomically({FileContent{path, std::string(bytes)}}).empty();
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace rave
