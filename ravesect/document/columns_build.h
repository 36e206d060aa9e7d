// Building the column working file after the placement: the left boundary, the automatic ruler
// range of a section that has none yet, the closing blank column, and every source file read
// again through the parser of its kind.
#pragma once

#include "common/messages.h"
#include "common/soil_name_table.h"
#include "ravesect/document/placement_list.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"

namespace ravesect {

// The ruler the scale dialog proposes for the placed columns: the top at the highest ground
// elevation (rounded), the bottom at minus the largest depth below elevation 0 rounded up (at
// most -1), and the step and top elevation that suit the depth scale.
struct RulerRange {
    int rulerTop = 0;
    int rulerBottom = -1;
    int rulerStep = 1;
    double topElevation = 0.0;
};
// Only columns that name a log count: the ruler columns (slot 0, the closing column and blank
// columns the user placed) stand at elevation 0 and would pull the range towards it.
RulerRange AutomaticRulerRange(const SectionDocument& document);

// The top elevation a new section's page starts at once the paper has given it its page lengths.
inline constexpr double kStartTopElevation = 5.0;

// True when the section's ruler was never set: ruler top 0 and the top elevation a new section
// has (0, or 5 once the paper has filled in the page lengths, as the window does at start-up).
bool RulerNeverSet(const SectionSettings& settings);

// A placement's ruler fit, the same in the window and on the command line: a section whose ruler
// was never set takes the automatic range of its logs (ruler top, bottom and step, top
// elevation). Nothing changes without a column that names a log. True when it fitted.
bool FitRulerToColumns(SectionDocument& document);

// The closing blank column's distance after a last column at `lastDistance`: one tenth of the
// distance-scale denominator in metres (10 cm of paper).
double ClosingColumnDistance(double lastDistance, int distanceScale);

// Writes "Tmp0.tmp" and "Tmp1.tmp" from the document's placed columns (sorted into slots 1..25
// by the placement) and fills the document's normalized logs. A source that cannot be opened
// gives string 4010 and an empty log; its column is kept. The caller repaints.
//
// The soil names of a boring exchange XML resolve through `jacicTable` (the JACIC soil-name
// table of the install folder); the names it does not know are drawn with its "unknown" pattern
// and listed in one warning per file. The longitude and latitude of such a boring are kept in
// the column's fields 16 and 17. Returns the number of failures shown (a missing source, a
// working file that cannot be written); the warning is not one. A sounding's layers keep the
// pattern numbers their rows store.
int BuildColumnsFile(SectionDocument& document, const WorkingFiles& files, const SourcePathResolver& resolve,
                     rave::MessageSink& messages, const rave::SoilNameTable* jacicTable = nullptr);

// The column fields that keep a boring's longitude and latitude (degrees, "%.6f").
inline constexpr int kLongitudeField = 16;
inline constexpr int kLatitudeField = 17;

// The placement dialog's OK as one step: stores the list into the document (Store), writes the
// working files (BuildColumnsFile, with the JACIC table of the install folder when one is given)
// and re-reads them, so the document holds what the view draws.
void ApplyPlacement(const PlacementList& list, SectionDocument& document, const WorkingFiles& files,
                    const std::optional<std::filesystem::path>& installFolder,
                    const SourcePathResolver& resolve, rave::MessageSink& messages);

}  // namespace ravesect
