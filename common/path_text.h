// File names as text. The programs keep file names they show, store or take from a command line
// as UTF-8; a path is made from such a text with PathFromUtf8, never with the path's narrow-string
// constructor, which on Windows reads the bytes in another code page and names another file.
// (path::string() gives UTF-8 back on every platform.)
#pragma once

#include <filesystem>
#include <string_view>

namespace rave {

// The path a UTF-8 text names. Bytes that are no UTF-8 are kept as they are where the system's
// file names are bytes (Linux) and read one by one elsewhere.
std::filesystem::path PathFromUtf8(std::string_view utf8);

// The path a file name written in cp932 names, as a settings file holds it: its bytes as they are
// where file names are bytes (Linux), its characters where file names are Unicode (Windows).
std::filesystem::path PathFromCp932(std::string_view cp932);

}  // namespace rave
