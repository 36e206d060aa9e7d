// What a borehole-log sheet is drawn with. DrawReportPage prepares one SheetContext per page
// (device, mapping, fonts, the page's depth range) and hands it to the sheet of the document's
// format; the sheets read everything they need from it and keep nothing between pages.
#pragma once

#include "common/drawing/drawing_surface.h"
#include "common/drawing/pattern_mapping.h"
#include "common/font_settings.h"
#include "common/install_folder.h"
#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"

namespace rave {
class PatternColorTable;
class SoilNameTable;
}  // namespace rave

namespace ravelog {

// The character cell of a font on the device, in millimetres of paper.
struct CharacterCell {
    double widthMm = 0.0;
    double heightMm = 0.0;
};

// Everything the program loaded at start-up that the sheets draw with.
struct SheetResources {
    const rave::RavelogSettings& settings;
    const rave::RavelogFonts& fonts;
    // Colours of the line-drawn soil patterns ("PtnvcJG.ndx"); null draws them black.
    const rave::PatternColorTable* patternColors = nullptr;
    // The black-and-white choice of the simple soil-name dialog: tiles of the simple table come
    // from the monochrome folder. Not stored in the settings file; lasts until the program ends.
    bool simpleTilesMonochrome = false;
    // The simple soil-name table: the tile a simple row is drawn with follows its name there.
    // Null: the rows' own numbers.
    const rave::SoilNameTable* simpleTable = nullptr;
    // Translates the Windows paths of the bitmap-folder settings ("C:\...") into native paths;
    // null: such paths are taken as they stand, with backslashes as separators.
    const rave::DriveMap* drives = nullptr;
};

struct SheetContext {
    rave::DrawingSurface& surface;
    rave::PatternMapping& mapping;
    const SoundingDocument& document;
    const SheetResources& resources;
    rave::MessageSink* messages = nullptr;  // "Can't create font" and the like; null: not shown

    int page = 1;               // 1-based page being drawn
    int rowsPerPage = 45;       // table rows on one page (header slot 30)
    CharacterCell font1Cell{};  // character cell of font slot 1
    double topDepth = 0.0;      // depth in metres at the top of the page
    double scale = 0.5;         // metres of depth per 10 mm of sheet (depth scale denominator x 0.01)
};

}  // namespace ravelog
