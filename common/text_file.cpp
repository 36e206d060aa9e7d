// Line reading with fixed limits and atomic whole-file writing.
#include "common/text_file.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "common/cp932.h"
#include "common/native_file.h"

namespace rave {

InputFileBytes ReadInputFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) {
        return {std::nullopt, InputRefusal::kMissing};
    }
    if (fs::is_directory(status)) {
        return {std::nullopt, InputRefusal::kFolder};
    }
    if (!fs::is_regular_file(status)) {
        return {std::nullopt, InputRefusal::kNotRegular};
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > maxBytes) {
        return {std::nullopt, InputRefusal::kTooLarge};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {std::nullopt, InputRefusal::kMissing};
    }
    // The size looked up may be stale (a file still growing): read no more than one byte past
    // the limit whatever it said.
    std::string bytes;
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > maxBytes) {
            return {std::nullopt, InputRefusal::kTooLarge};
        }
    }
    if (in.bad()) {
        return {std::nullopt, InputRefusal::kMissing};
    }
    return {std::move(bytes), InputRefusal::kNone};
}

std::string InputRefusalText(InputRefusal refusal, std::uintmax_t maxBytes) {
    switch (refusal) {
        case InputRefusal::kNone:
            return {};
        case InputRefusal::kMissing:
            return "ファイルが見つかりません";
        case InputRefusal::kFolder:
            return "フォルダです。ファイルを指定してください";
        case InputRefusal::kNotRegular:
            return "通常のファイルではありません（デバイスやパイプは読めません）";
        case InputRefusal::kTooLarge:
            return "ファイルが大きすぎます（" + std::to_string(maxBytes / (1024u * 1024u)) + " MB まで）";
    }
    return {};
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    return ReadInputFile(path, maxBytes).bytes;
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

// Temporary files are named ".NAME.tmpNNNNNN" beside their target. A name near the file system's
// limit is shortened in the temporary name only (never splitting a character), so a target whose
// own name fits can always be written.
constexpr std::size_t kTemporaryDigits = 6;

// True for a UTF-8 continuation byte or the second half of a UTF-16 surrogate pair: cutting a
// name before it would split a character.
bool ContinuesCharacter(fs::path::value_type unit) {
    if constexpr (sizeof(unit) == 1) {
        return (static_cast<unsigned char>(unit) & 0xC0) == 0x80;
    } else {
        const auto code = static_cast<std::uint32_t>(unit);
        return code >= 0xDC00 && code <= 0xDFFF;
    }
}

fs::path::string_type TemporaryPrefix(const fs::path& target) {
    using Unit = fs::path::value_type;
    const fs::path::string_type dot(1, Unit('.'));
    const fs::path::string_type tmp = fs::path(".tmp").native();
    fs::path::string_type name = target.filename().native();
    const std::size_t limit =
        LongestFileName(target.has_parent_path() ? target.parent_path() : fs::path("."));
    const std::size_t fixed = dot.size() + tmp.size() + kTemporaryDigits;
    if (limit > fixed && name.size() > limit - fixed) {
        std::size_t keep = limit - fixed;
        while (keep > 0 && ContinuesCharacter(name[keep])) {
            --keep;
        }
        name.resize(keep);
    }
    return dot + name + tmp;
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
    const fs::path::string_type prefix = TemporaryPrefix(target);
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        return;
    }
    const auto now = fs::file_time_type::clock::now();
    for (const fs::directory_entry& entry : entries) {
        const fs::path::string_type name = entry.path().filename().native();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
            name.find_first_not_of(fs::path("0123456789").native(), prefix.size()) != name.npos) {
            continue;
        }
        const auto written = entry.last_write_time(error);
        if (!error && now - written > std::chrono::seconds(60)) {
            fs::remove(entry.path(), error);
        }
    }
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
        if (fs::exists(status) && DeniesWriting(target)) {
            failure = "cannot write " + file.path.string() + ": the file is read-only (Permission denied)";
            break;
        }
        RemoveStaleTemporaries(target);
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        fs::path temporary;
        for (int attempt = 0; attempt < 16; ++attempt) {
            const std::string digits = std::to_string(1000000 + random() % 1000000).substr(1);
            temporary = folder / (TemporaryPrefix(target) + fs::path(digits).native());
            if (!fs::exists(fs::symlink_status(temporary, error))) {
                break;
            }
        }
        const std::string reason = CreateNewFile(temporary, file.bytes, target);
        if (!reason.empty()) {
            failure = "cannot write " + target.string() + ": " + reason;
            break;
        }
        written.emplace_back(temporary, target);
    }
    if (failure.empty()) {
        for (std::size_t i = 0; i < written.size(); ++i) {
            const std::string reason = ReplaceByRename(written[i].first, written[i].second);
            if (!reason.empty()) {
                failure = "cannot write " + written[i].second.string() + ": " + reason;
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

bool IsReadOnlyFile(const std::filesystem::path& path) {
    const fs::path target = ResolveWriteTarget(path);
    std::error_code error;
    return fs::is_regular_file(target, error) && DeniesWriting(target);
}

std::string ReadOnlyFileText() {
    return "読み取り専用のファイルなので保存できませんでした（ファイルは元のままです）\n( %1 )";
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
