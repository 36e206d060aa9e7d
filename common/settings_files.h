// Reading and writing Ravelog's general settings file "Sys.ndx" in the install folder.
//
// The file has one value per line, lines 0 to 110, cp932 text with CR LF line ends; the meaning
// of each line is in ravelog_settings.h and with the modules that use it.
#pragma once

#include <filesystem>
#include <optional>

#include "common/messages.h"
#include "common/ravelog_settings.h"

namespace rave {

// Message number of "ファイルが見つかりません\n( %1 )" (file not found) with the path.
inline constexpr int kFileNotFoundMessage = 32790;

// The file-not-found message for `path`.
Message FileNotFoundMessage(const std::filesystem::path& path);

// Reads the settings file at start-up. Lines longer than 160 bytes (line end included) lose the
// rest; lines beyond 110 are ignored. Empty lines 18, 19 and 100 read as 0, 2 and 1.
//
// With no file: the defaults, the file-not-found message, and a new file holding those defaults
// is written at once, so the message is shown on the first start only (when the new file cannot
// be written the defaults simply stay in memory). A file that exists but cannot be read is
// reported the same way and never overwritten.
//
// Finally the bitmap folders of the soil-name tables (lines 65, 66) are filled in when they hold
// at most one character; the install folder is the folder of `path`.
RavelogSettings LoadSettings(const std::filesystem::path& path, MessageSink& messages);

// Puts every numeric line outside what its settings dialog accepts to the nearest accepted value
// (margins of -2147483649 become 0), so that no file can make a page empty or enormous. Lines
// inside their ranges keep their text. The reader does this on every read.
void ClampSettings(RavelogSettings& settings);

// The reading part of LoadSettings alone: nothing when the file cannot be opened.
std::optional<RavelogSettings> ReadSettingsFile(const std::filesystem::path& path);

// The settings as LoadSettings gives them (defaults for a missing file, the empty-line rules, the
// bitmap folders filled in), but writing nothing and showing nothing: for runs that must leave the
// install folder as it is, such as the command line.
RavelogSettings ReadSettingsOrDefaults(const std::filesystem::path& path);

// Lines 65 and 66 holding at most one character become `installFolder` + "/Cbptn" and
// `installFolder` + "/Jbptn". The install folder is a native path, so the native separator is used.
void FillEmptyPathSettings(RavelogSettings& settings, const std::filesystem::path& installFolder);

// Rewrites the whole file, lines 0 ("500") to 110, each ended by CR LF. The file is replaced in one step,
// so a failed save leaves the previous file as it was. A line holding a CR or LF is written only
// up to it, so that no value can ever shift the lines after it. True when written.
bool SaveSettings(const std::filesystem::path& path, const RavelogSettings& settings);

}  // namespace rave
