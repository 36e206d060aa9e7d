// The help text of the install folder ("Help.txt"), as the help dialog lists it, and the messages
// of the help commands.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "common/messages.h"

namespace rave {

inline constexpr const char* kHelpFileName = "Help.txt";

// The most lines the help list holds.
inline constexpr std::size_t kHelpListCapacity = 32767;

// The lines of `path` (each cut to 140 bytes, line end included, never inside a double-byte
// character), at most `capacity` of them. A missing file shows the file-not-found message and
// gives no lines; a longer file stops at the capacity with "これ以上データを扱えません".
std::vector<std::string> LoadHelpLines(const std::filesystem::path& path, MessageSink& messages,
                                       std::size_t capacity = kHelpListCapacity);

// "これ以上データを扱えません" (no more data can be handled).
Message NoMoreDataMessage();

// "実行できませんでした" (could not run): neither text editor could be started.
Message CouldNotRunMessage();

}  // namespace rave
