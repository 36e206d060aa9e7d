// Ravesect's New, Open, Save and Save As as document operations. The desktop program shows its
// file dialogs and then calls these with the chosen path; the command line calls them directly.
// Asking whether unsaved changes should be kept is the caller's part, before New or Open.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"

namespace ravesect {

// Turns a cp932 file name made by the program (such as the untitled name) into a native one.
using NativeName = std::function<std::string(std::string_view cp932)>;

// "FileQo.ndx" in the install folder: line 1 is the folder of the last opened section file,
// line 2 is kept as read.
struct OpenFolderFile {
    std::string folder;
    std::string secondLine;
};
std::filesystem::path OpenFolderFilePath(const std::filesystem::path& installFolder);
OpenFolderFile ReadOpenFolderFile(const std::filesystem::path& installFolder);
bool WriteOpenFolderFile(const std::filesystem::path& installFolder, const OpenFolderFile& file);

// "無題" (untitled) in cp932.
std::string UntitledName();

// New: names the document "無題" in the folder of "FileQo.ndx" line 1 (or just "無題"), removes
// the working files and empties the tables; the scale, ruler and page settings stay. The caller
// redraws.
void NewSection(SectionDocument& document, const WorkingFiles& files,
                const std::filesystem::path& installFolder, const NativeName& nativeName = {});

// Open from the menu, after the open dialog returned `file`: remembers its folder in
// "FileQo.ndx", empties the tables and splits the file into the working files, then re-reads
// them. True when the file was loaded (the caller redraws and adds it to its recent files).
bool OpenSectionFromMenu(SectionDocument& document, const WorkingFiles& files,
                         const std::filesystem::path& installFolder, const std::filesystem::path& file,
                         rave::MessageSink& messages);

// Open through the program's document path (recent files, command line, dropped files):
// the same without "FileQo.ndx".
bool OpenSectionThroughFramework(SectionDocument& document, const WorkingFiles& files,
                                 const std::filesystem::path& file, rave::MessageSink& messages);

// The same for a caller that has read the file's bytes itself (and judged them), so the file is
// read once.
bool OpenSectionBytes(SectionDocument& document, const WorkingFiles& files, const std::filesystem::path& file,
                      std::string_view bytes, rave::MessageSink& messages);

enum class SaveResult {
    kSaved,        // written; path set and modified flag cleared
    kNeedsSaveAs,  // the document has no usable .sqw name: ask for one, then SaveSectionAs
    kFailed,       // string 4005 shown; the previous file is intact
};

// True when Save may write to the document's own path: it ends in an extension "sqw" (any case).
bool CanSaveInPlace(const SectionDocument& document);
SaveResult SaveSection(SectionDocument& document, const WorkingFiles& files, rave::MessageSink& messages);

// The name Save As proposes: the document's path with a final ".jqw" (any case) made ".sqw".
std::string ProposedSaveAsName(const std::string& pathName);
// The path Save As writes for the name chosen: a trailing "." dropped, ".sqw" added to a name
// without an extension.
std::filesystem::path SaveAsTargetPath(const std::filesystem::path& chosen);
SaveResult SaveSectionAs(SectionDocument& document, const WorkingFiles& files,
                         const std::filesystem::path& chosen, rave::MessageSink& messages);

}  // namespace ravesect
