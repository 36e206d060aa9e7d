// Opening a text file in the system's text editor.
#pragma once

#include <filesystem>

namespace rave::platform {

// Starts the system's editor on `file`; false when none could be started. On Windows that is
// wordpad.exe, else notepad.exe, through the shell's open verb with the file's folder as the
// working folder; elsewhere the desktop's default program for text files.
bool OpenInTextEditor(const std::filesystem::path& file);

}  // namespace rave::platform
