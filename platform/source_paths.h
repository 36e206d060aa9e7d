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

// A native path as the section keeps it (cp932); nothing when cp932 cannot hold a character.
std::optional<std::string> SourcePathText(const std::filesystem::path& native);

}  // namespace rave::platform
