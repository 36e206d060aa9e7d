// The drawing of a cross-section on a DrawingSurface: the same picture for the window, the
// print preview, each printed page and the command line's files.
//
// Order: the page frame (screen only), the layers, the editing markers (screen only), the placed
// columns with their flags, soil patterns, graphs and water-level marks, the elevation rulers,
// then the elevation lines (stopping at the columns) and the title texts.
#pragma once

#include <filesystem>
#include <functional>

#include "common/drawing/drawing_surface.h"
#include "common/messages.h"
#include "common/pattern_colors.h"
#include "common/soil_name_table.h"
#include "ravesect/document/section_document.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/drawing/section_mapping.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect {

struct SectionDrawingResources {
    const SysqSettings& sysq;
    const SectionFonts& fonts;
    const rave::PatternColorTable* patternColors = nullptr;  // black patterns when missing
    // What the drawing could not draw (a missing column file, a pattern with neither line
    // pattern nor tile), each text once a drawing; null: not told.
    rave::MessageSink* messages = nullptr;
    // The install folder's simple table: a simple sounding's layer whose stored pattern number
    // draws nothing is drawn by its soil name, as its sheet draws it. Null: stored numbers only.
    const rave::SoilNameTable* simpleTable = nullptr;
};

// The page shown or printed: its left-end distance (m) and top elevation (m).
struct SectionPage {
    double leftEnd = 0.0;
    double topElevation = 0.0;
};
// The page the screen shows: the left end and top as the view keeps them.
SectionPage ScreenPage(double shownLeftEnd, double shownTop);
// Printed page p (from 1): left end + (distance per page - overlap) x (p - 1), top elevation of
// the settings.
SectionPage PrintedPage(const SectionSettings& settings, int page);

// The mapping of a page on the surface: units from its resolution, scales from the settings,
// margins from "Sysq.ndx" lines 38 (left) and 37 (top).
SectionMapping MappingForPage(const rave::DrawingSurface& surface, const SectionSettings& settings,
                              const SysqSettings& sysq, const SectionPage& page);

// What a drawing saw of the section: the distances of the first and last column, and the highest
// ground elevation and the largest depth below elevation 0 (depth - elevation) of the columns
// that name a file.
struct SectionExtent {
    bool hasColumns = false;
    double firstDistance = 0.0;
    double lastDistance = 0.0;
    bool hasLogs = false;
    double highestGround = 0.0;
    double deepestBottom = 0.0;
};

// Draws the editing markers of the current editing mode (screen only).
using EditMarkerFunction = std::function<void(rave::DrawingSurface&, const SectionMapping&)>;

// Draws the whole picture. `document` gives the settings, titles, points and layers; `columns`
// the placed columns and their normalized logs as read from "Tmp1.tmp".
SectionExtent DrawSection(rave::DrawingSurface& surface, const SectionDocument& document,
                          const SectionDocument& columns, const SectionDrawingResources& resources,
                          bool printing, const SectionPage& page, const EditMarkerFunction& markers = {});

// The two halves of DrawSection, for a screen that keeps the second in a picture while a drag
// redraws the first: the page frame, the layers and the editing markers; then everything over
// them (the columns, rulers, elevation lines and titles), which depends on neither points nor
// layers nor markers.
void DrawSectionUnderColumns(rave::DrawingSurface& surface, const SectionDocument& document,
                             const SectionDrawingResources& resources, bool printing, const SectionPage& page,
                             const EditMarkerFunction& markers = {});
SectionExtent DrawSectionColumnsAndOver(rave::DrawingSurface& surface, const SectionDocument& document,
                                        const SectionDocument& columns,
                                        const SectionDrawingResources& resources, const SectionPage& page);

// The same with the columns read from the column working file on every call, as a repaint does;
// a missing file draws no columns, and is named (string 4010) when the section has columns.
SectionExtent DrawSectionFromColumnsFile(rave::DrawingSurface& surface, const SectionDocument& document,
                                         const std::filesystem::path& columnsFile,
                                         const SectionDrawingResources& resources, bool printing,
                                         const SectionPage& page, const EditMarkerFunction& markers = {});

}  // namespace ravesect
