// The legend sheet: every soil name of one soil-name table (JACIC or simple) with the pattern the
// borehole-log sheets fill its layers with, its sandy/clayey class and its pattern number, in
// the table's own order and groups, paged as the paper needs. Each swatch is drawn by the same
// soil-column drawing as the sheets, so it follows the same settings (line-drawn symbols or
// bitmap tiles, colour or black, pen width) and shows exactly what a sheet prints.
#pragma once

#include <string>
#include <vector>

#include "common/drawing/drawing_surface.h"
#include "common/installed_soil_tables.h"
#include "common/messages.h"
#include "ravelog/document/sounding_document.h"
#include "ravelog/report/sheet_context.h"

namespace ravelog {

enum class LegendTable { kJacic, kSimple };

// The table a document's soil names are looked up in (header slot 20: "1" JACIC, else simple).
LegendTable LegendTableOf(const SoundingDocument& document);

// One line of the legend: a group heading, or a soil name with its pattern.
struct LegendLine {
    bool heading = false;
    int group = 1;      // 1 soil names, 2 admixtures ("混り"), 3 adjectives ("質")
    std::string name;   // cp932; empty for headings
    long number = -1;   // the pattern number the sheets draw; -1 when the row has none
    int soilClass = 0;  // rave::soil_class bits
};

// What a legend is drawn from.
struct LegendSource {
    const rave::InstalledSoilTables& tables;
    const SheetResources& resources;
    LegendTable table = LegendTable::kJacic;
};

// The lines of the legend: every group that has rows, opened by its heading, then its rows in
// file order. The numbers are those the sheets draw with: the bitmap numbers when the table is
// drawn with tiles (always for the simple table; for JACIC when settings line 61 is 1), else the
// line-drawing numbers.
std::vector<LegendLine> LegendLines(const LegendSource& source);

// Where the lines fall on a sheet of the given paper.
struct LegendSlot {
    int line = 0;    // index into the lines
    int column = 0;  // 0-based column of the page
    int row = 0;     // 0-based row within the column
};
struct LegendLayout {
    int columns = 1;
    int rowsPerColumn = 1;
    std::vector<std::vector<LegendSlot>> pages;  // at least one page, even for an empty table
};

// Rows of the legend, in mm. A swatch fills its row but for 1 mm above and below. Bitmap tiles,
// twice as high as wide, get rows high enough to show them in their own proportions, so thin
// lines of a tile are not lost by squeezing it.
inline constexpr double kLegendRowPitch = 10.0;
inline constexpr double kLegendTileRowPitch = 18.4;
double LegendRowPitch(const LegendSource& source);

// Fills the columns top to bottom and left to right, page after page. A heading never stands at
// the foot of a column: it moves to the top of the next one with its first row.
LegendLayout LayOutLegend(const std::vector<LegendLine>& lines, double paperWidthMm, double paperHeightMm,
                          const rave::RavelogSettings& settings, double rowPitchMm = kLegendRowPitch);

int CountLegendPages(const LegendSource& source, double paperWidthMm, double paperHeightMm);

// Draws page `page` (1-based) on the surface, whose physical page is the paper. The title names
// the table and how its patterns are drawn; the foot of the page carries "page / pages". The
// font and text colour the surface had are selected again afterwards.
void DrawLegendPage(rave::DrawingSurface& surface, const LegendSource& source, int page,
                    rave::MessageSink* messages);

}  // namespace ravelog
