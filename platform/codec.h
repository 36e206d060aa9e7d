// The only place text changes code page: cp932 document bytes to UTF-8 for widgets, window
// titles, fonts and JSON, and back for text typed in dialogs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rave::platform {

// cp932 -> UTF-8. Bytes that are not valid cp932 become U+FFFD, so display never fails.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 -> cp932; nothing when a character has no cp932 form (the caller refuses the text with a
// message instead of replacing characters silently).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

}  // namespace rave::platform
