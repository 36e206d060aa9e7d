// Reading and writing the line-oriented cp932 text files of both programs.
//
// Each reader of the system has a line-length limit. A line that fits is delivered with its line
// end still attached, exactly as a fixed-buffer line read would deliver it; the part of an
// over-long line beyond the limit is dropped rather than delivered as further lines, so a long
// line never invents rows or slots. Writers build the whole file in memory and replace the target
// in one step, so a failed save never destroys the previous file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rave {

// The most any input file of both programs may hold. The largest file either program writes is
// far smaller; the limit keeps a huge or endless input (a sparse file, a device) from exhausting
// memory before a reader can judge it.
inline constexpr std::uintmax_t kMaxInputFileBytes = 64u * 1024u * 1024u;

// Why a file's bytes were not read.
enum class InputRefusal {
    kNone,        // read
    kMissing,     // it does not exist or cannot be opened
    kFolder,      // a folder
    kNotRegular,  // a device, a pipe or a socket: reading it could block or never end
    kTooLarge,    // more than the limit
};

struct InputFileBytes {
    std::optional<std::string> bytes;  // set when read
    InputRefusal refusal = InputRefusal::kNone;
};

// Reads a regular file of at most `maxBytes` bytes. Anything else is refused without being opened
// (a pipe would block the open, a device would never end), and a file found longer than the limit
// while it is read is refused too.
InputFileBytes ReadInputFile(const std::filesystem::path& path, std::uintmax_t maxBytes = kMaxInputFileBytes);

// Why the file cannot be read, as the readers show it (cp932); empty for kNone.
std::string InputRefusalText(InputRefusal refusal, std::uintmax_t maxBytes = kMaxInputFileBytes);

// The whole file, or nothing when ReadInputFile refuses it.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path,
                                         std::uintmax_t maxBytes = kMaxInputFileBytes);

// Walks the lines of a file's bytes. CR LF, LF alone and CR alone all end a line. `maxChars` is the
// most a line may hold including its line end.
class LineCursor {
public:
    // What the caller knows of the bytes' line ends.
    enum class Ends {
        kAny,       // CR LF, LF alone and CR alone
        kNoLoneCr,  // every CR is followed by LF, so a line ends just after its LF
    };
    LineCursor(std::string_view bytes, std::size_t maxChars, Ends ends = Ends::kAny)
        : bytes_(bytes), maxChars_(maxChars), ends_(ends) {}
    // The next line (line end attached when it fitted); false at the end of the bytes.
    bool Next(std::string_view& line);

private:
    std::string_view bytes_;
    std::size_t maxChars_;
    Ends ends_;
    std::size_t position_ = 0;
};

// Removes one trailing CR LF, or else one trailing LF or CR.
std::string_view StripLineEnd(std::string_view line);

// All lines of a file, line ends removed, each cut to `maxChars` (line end included in the count).
// Nothing when the file cannot be opened.
std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path,
                                                      std::size_t maxChars);

// Writes the bytes to a temporary file beside `path` and renames it over `path`.
// False (and `path` untouched) when anything fails.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// True when `path` (through links) names an existing file whose permissions keep this user from
// writing it. A writer that renames a new file over its target would replace such a file anyway,
// so WriteFilesAtomically refuses it first, as cp does.
bool IsReadOnlyFile(const std::filesystem::path& path);

// What a save says of such a file (cp932; "%1" stands for the file).
std::string ReadOnlyFileText();

// One file of a group written together.
struct FileContent {
    std::filesystem::path path;
    std::string bytes;
};

// Writes every file to a temporary file beside it (each write, flush to disk and close checked),
// and only when all of them are complete renames them into place: all files or none. A path that
// is a symbolic link is written through to its target, an existing file keeps its permissions (a
// read-only one is refused before anything is written: IsReadOnlyFile),
// and temporary files an interrupted earlier write of the same name left behind are removed.
// Returns an empty text on success, else what failed (in English, with the system's reason).
std::string WriteFilesAtomically(const std::vector<FileContent>& files);

// Joins lines with CR LF after each, the line end of every file this system writes.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace rave
