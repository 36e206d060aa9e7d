// Ravelog's Open, Save and Save As as document operations. The desktop program shows its file
// dialogs and then calls these with the chosen path; the command line calls them directly. They
// report failures through the MessageSink and never show a dialog themselves. Asking whether
// unsaved changes should be kept is the caller's part, before it calls an open.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "common/messages.h"
#include "ravelog/document/sounding_document.h"
#include "ravelog/document/sounding_file.h"

namespace ravelog {

// String numbers of the messages these operations show.
namespace message_id {
inline constexpr int kCannotSave = 4005;       // could not save
inline constexpr int kNotSoundingFile = 4011;  // not a sounding data file
inline constexpr int kFileNotFound = 32790;    // file not found, with the path
}  // namespace message_id

// "FileV.ndx" in the install folder: line 1 is the folder of the last file opened from the menu,
// line 2 belongs to another part of the program and is written back unchanged.
struct LastFolderFile {
    std::string folder;
    std::string secondLine;
};
std::filesystem::path LastFolderFilePath(const std::filesystem::path& installFolder);
// Both lines empty when the file is missing.
LastFolderFile ReadLastFolderFile(const std::filesystem::path& installFolder);
bool WriteLastFolderFile(const std::filesystem::path& installFolder, const LastFolderFile& lastFolder);

// The bytes of a file an open reads, or nothing with the reason shown: not found, a folder, a
// device or a pipe (never opened), larger than any sounding. A file in UTF-8 or UTF-16 (an
// editor saved it so) is given as cp932, or refused when it holds a character cp932 lacks.
std::optional<std::string> ReadFileForOpen(rave::MessageSink& messages, const std::filesystem::path& file);

// Open from the menu, after the open dialog returned `file`. Reads the file with the menu's line
// limits, replaces the document, names it after the file and clears its modified flag, gives
// empty titles (slots 92, 93) the standard title and, when `installFolder` is given, remembers
// the file's folder in "FileV.ndx" there (the command line passes none and leaves it alone).
// Returns the version read, or 0 when the document was left as it was (message shown).
SoundingFileVersion OpenSoundingFromMenu(SoundingDocument& document, rave::MessageSink& messages,
                                         const std::filesystem::path& file,
                                         const std::optional<std::filesystem::path>& installFolder);

// Open through the program's document path (recent files, a file named on the command line or
// dropped on the window). Same result as the menu open with its own line limits, and "FileV.ndx"
// is not touched. On failure the previous document and its name stay.
SoundingFileVersion OpenSoundingThroughFramework(SoundingDocument& document, rave::MessageSink& messages,
                                                 const std::filesystem::path& file);

// Slots 92 and 93 (the titles of formats 1 and 2) holding at most one character become the
// standard title.
void ApplyDefaultTitles(SoundingDocument& document);

// The last step of an open, for a caller that read and judged the file's bytes itself: `read`
// (judged a sounding) becomes the document, named after `file`, unmodified, with the standard
// titles where they are empty.
void AdoptOpenedSounding(SoundingDocument& document, SoundingDocument&& read,
                         const std::filesystem::path& file);

// The message of an open that found no sounding in the file.
void ShowNotSoundingFile(rave::MessageSink& messages);

enum class SaveResult {
    kSaved,           // written; path name set and modified flag cleared
    kNeedsSaveAs,     // Save cannot write over the document's file: ask for a name, then SaveSoundingAs
    kFailed,          // the file could not be written (message 4005); the old file is intact
    kWrongExtension,  // Save As to a name whose extension is not "sdw" (message shown), nothing written
};

// True when Save may write straight to the document's file: it has a path whose file name ends
// in "sdw", ignoring case. Documents read from Ver2 (.ddf) or other files never qualify, so
// they are never written over.
bool CanSaveInPlace(const SoundingDocument& document);

// Save: writes to the document's own file, or answers kNeedsSaveAs without writing.
SaveResult SaveSounding(SoundingDocument& document, rave::MessageSink& messages);

// The name Save As writes to for the name the user chose: a trailing "." is dropped and a name
// without an extension gets ".sdw".
std::filesystem::path SaveAsTargetPath(const std::filesystem::path& chosen);

// Save As, after the save dialog returned `chosen`.
SaveResult SaveSoundingAs(SoundingDocument& document, rave::MessageSink& messages,
                          const std::filesystem::path& chosen);

}  // namespace ravelog
