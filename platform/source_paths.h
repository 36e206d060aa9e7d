// The files a section's placed columns name. A section keeps each column's source as the cp932
// path text the user's Windows machine wrote ("C:\data\No1.sdw"); the window and the command line
// both turn that text into a file of this machine here.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rave::platform {

// The file a placed column's cp932 path names on this machine: a Windows path such as
// "C:\data\No1.sdw" through the drive map of the install-folder search, anything else as a
// native path written in cp932.
std::filesystem::path ResolveSourcePath(std::string_view cp932Path);

// A native path as the section keeps it (cp932); nothing when cp932 cannot hold a character as
// itself. Some characters have a cp932 form that reads back as another character (U+301C WAVE
// DASH is stored as the code that reads back as U+FF5E FULLWIDTH TILDE, U+2212 MINUS SIGN as
// U+FF0D): such a path would name another file, and is refused like one cp932 cannot hold.
std::optional<std::string> SourcePathText(const std::filesystem::path& native);

// The first character of `native` (UTF-8) that SourcePathText cannot store as itself; empty when
// it can store the whole path.
std::string UnstorablePathCharacter(const std::filesystem::path& native);

}  // namespace rave::platform
