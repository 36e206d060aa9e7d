// The .sqw section file: splitting it into the working files on open and joining the working
// files into it on save.
//
// File layout (cp932, CR LF after every line):
//   "$$_QSVERAN700"
//   the settings line
//   per column slot 0..last: "$$Z<slot>", 20 field lines, and for a slot naming a file the
//     sections "$$A", "$$C", "$$c", "$$G", "$$E" of its normalized log
//   "$$Z END"
//   "$$Z HY" and 50 title lines
//   "$$Z PO" and 200 point lines
//   "$$Z SO" and one line per layer
#pragma once

#include <filesystem>
#include <string>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"

namespace ravesect {

// The most lines the points-and-layers part of a file may have; the rest is cut with a notice.
inline constexpr int kPointsPartLineLimit = 3000;

// Splits `path` into the working files. 0 when the file cannot be read (nothing touched, no
// message) or when "Tmp1.tmp" cannot be written (string 4011; the other working files are then
// left as they were); 2 on success, after which the
// document is named after `path` and counts as unmodified. The caller re-reads the working files
// (ReloadSectionDocument) and adds the file to its recent-file list.
int LoadSectionFile(SectionDocument& document, const WorkingFiles& files, const std::filesystem::path& path,
                    rave::MessageSink& messages);

// The same from the bytes of a file already read (the program's own document path).
int LoadSectionBytes(SectionDocument& document, const WorkingFiles& files, std::string_view bytes,
                     rave::MessageSink& messages);

// The section file's bytes joined from the working files: "Tmp1.tmp" with its line 2 replaced
// by the first line of "Tmp0.tmp", then the titles' working file ("$$Z HY" and the titles), then
// "SmpP.tmp": what was committed, never an open dialog's pending rows. A section that was never
// placed ("Tmp1.tmp" missing) gets the empty column part a placement without columns writes, and
// a missing titles file or "SmpP.tmp" the document's titles, points and layers, so the file
// written is always complete.
std::string JoinSectionFile(const SectionDocument& document, const WorkingFiles& files);

// Writes the joined file to `path` in one step. On success the document is named after `path`
// and counts as unmodified; when the file cannot be written, string 4005 and false.
bool SaveSectionFile(SectionDocument& document, const WorkingFiles& files, const std::filesystem::path& path,
                     rave::MessageSink& messages);

}  // namespace ravesect
