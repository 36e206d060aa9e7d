// The four working files that hold the open section between operations, their readers and
// their writers.
//
//   "Tmp1.tmp"  the column part: "$$_QSVERAN700", a count (or settings) line, then per slot
//               "$$Z<slot>", its 20 fields and, for a slot naming a file, the five sections of its
//               normalized log; up to and including "$$Z END"
//   "Tmp0.tmp"  one line: the settings line
//   "TmpP.tmp"  "$$Z HY" and the title lines
//   "SmpP.tmp"  "$$Z PO", the point lines, "$$Z SO" and the layer lines
//
// The files stay in their folder when the program ends, so the next start shows the same
// section. Every file is written completely in one step and never held open.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/messages.h"
#include "ravesect/document/section_document.h"

namespace ravesect {

// String numbers of the document's messages.
namespace message_id {
inline constexpr int kCannotSave = 4005;             // "保存できませんでした"
inline constexpr int kSourceNotFound = 4010;         // file not found, with the path
inline constexpr int kCannotOpenWorkingFile = 4011;  // cannot open a temporary working file
}  // namespace message_id

struct WorkingFiles {
    std::filesystem::path settings;      // "Tmp0.tmp"
    std::filesystem::path columns;       // "Tmp1.tmp"
    std::filesystem::path titles;        // "TmpP.tmp"
    std::filesystem::path pointsLayers;  // "SmpP.tmp"

    // The working files in `folder` (the install folder for the desktop program).
    static WorkingFiles In(const std::filesystem::path& folder);
};

// Lines of the section file and of the working files are read with this limit (line end included).
inline constexpr std::size_t kSectionLineLimit = 500;

// "一時作業ファイルがオープンできません\n( %1 )" with the path.
rave::Message CannotOpenWorkingFileMessage(const std::filesystem::path& path);
// "ファイルが見つかりません\n( %1 )" (string 4010) with the path.
rave::Message SourceNotFoundMessage(const std::filesystem::path& path);

// --- Settings ("Tmp0.tmp") ---

// "%d,%d,%d,%d,%d,%d,%d,%d,%.2f,%d,%d,%s,%d". A ruler title holding a comma is quoted.
std::string FormatSettingsLine(const SectionSettings& settings);
// Takes the values of a settings line that lie in their accepted ranges (others keep their
// previous value), then puts the ruler bottom below the ruler top when it is not.
void ApplySettingsLine(SectionSettings& settings, std::string_view line);
// Reads the first line (at most 200 bytes); a missing file leaves the settings as they are.
void ReadSettingsFile(const WorkingFiles& files, SectionSettings& settings);
// Writes the settings line; string 4011 when the file cannot be created.
bool WriteSettingsFile(const WorkingFiles& files, const SectionSettings& settings,
                       rave::MessageSink& messages);

// --- Titles ("TmpP.tmp") ---

// "%.2f,%.2f," x and y, the text (quoted when it holds a comma), a comma and the font number.
std::string FormatTitleLine(const TitleText& title);
// "$$Z HY" and the 50 title lines, CR LF after each.
std::string TitleLinesBytes(const SectionDocument& document);
// Resets every title, then fills entries 1..50 from the lines after "$$Z HY".
void ReadTitleLines(SectionDocument& document, std::string_view bytes);
void ReadTitlesFile(const WorkingFiles& files, SectionDocument& document);
bool WriteTitlesFile(const WorkingFiles& files, const SectionDocument& document, rave::MessageSink& messages);

// --- Points and layers ("SmpP.tmp") ---

// "$$Z PO", 200 lines "%.2f,%.2f,%d", "$$Z SO", one line per layer in use.
std::string PointsLayersBytes(const SectionDocument& document);
// Resets every point and layer, then reads the point part and the layer part.
void ReadPointsLayers(SectionDocument& document, std::string_view bytes);
void ReadPointsLayersFile(const WorkingFiles& files, SectionDocument& document);
bool WritePointsLayersFile(const WorkingFiles& files, const SectionDocument& document,
                           rave::MessageSink& messages);

// --- Columns ("Tmp1.tmp") ---

// The column part as BuildColumnsFile writes it: magic, `countLine`, slots 0..last used with
// their fields and normalized logs, "$$Z END". Fields that hold a comma are quoted.
std::string ColumnsBytes(const SectionDocument& document, std::string_view countLine);
// Empties every slot and log, then reads the column part: "$$Z<n>" selects slot n, the lines
// after it are its fields 1..20, the "$$A" .. "$$E" sections fill its log; "$$Z END" ends it.
void ReadColumns(SectionDocument& document, std::string_view bytes);
void ReadColumnsFile(const WorkingFiles& files, SectionDocument& document);

// Re-reads everything a view shows after a change: settings, titles, points and layers, and the
// columns with their logs.
void ReloadSectionDocument(SectionDocument& document, const WorkingFiles& files);

// What the working files hold beyond what a section keeps (50 titles, 200 points, 20 layers):
// the entries found of each part, so an open can say what it left out.
struct SectionCuts {
    int titles = 0;
    int points = 0;
    int layers = 0;
    bool Any() const { return titles > kTitleEntries || points > kPoints || layers > kLayers; }
};
SectionCuts CountSectionEntries(const WorkingFiles& files);
// "標題記事 60 のうち 50 まで、…を読みました" for the parts cut (cp932); empty when none is.
std::string SectionCutsText(const SectionCuts& cuts);

// Removes the four files (a file that cannot be removed is skipped).
void DeleteWorkingFiles(const WorkingFiles& files);

}  // namespace ravesect
