// The report fonts on a device. A font slot (1..5) becomes a font whose height in device units is
// trunc(dpiY x points / 72), with the face's own width, the Shift-JIS character set and the
// slot's colour as the text colour.
#pragma once

#include "common/drawing/drawing_surface.h"
#include "common/font_settings.h"
#include "common/messages.h"
#include "ravelog/report/sheet_context.h"

namespace ravelog {

// The font of a slot for a device with dpiY dots per inch down.
rave::FontSpec SheetFontSpec(const rave::FontSlot& slot, int dpiY);

// The character cell of a slot's font in mm of paper: width trunc(dpiX x points / 72) / unitX,
// height trunc(dpiY x points / 72) / unitY.
CharacterCell SheetFontCell(const rave::FontSlot& slot, int dpiX, int dpiY);

// Selects font slot `n` (1..5) of `fonts` on the surface and sets its text colour. When the
// device cannot make the font, "Can't create font" goes to `messages` (when given) and the
// previous font stays selected. Returns the slot's character cell in mm either way. A slot
// outside 1..5 selects nothing and returns an empty cell.
CharacterCell SelectSheetFont(rave::DrawingSurface& surface, const rave::RavelogFonts& fonts, int n,
                              rave::MessageSink* messages);

// The same for a sheet: the context's surface, fonts and message sink.
CharacterCell SelectSheetFont(const SheetContext& context, int n);

}  // namespace ravelog
