// The Mincho faces the sheets are drawn in, in the order they are preferred on this system.
#pragma once

#include <QFont>
#include <QStringList>

namespace rave::platform {

// Makes the fonts shipped with the program (in "fonts" beside it) known to Qt; once per process.
void LoadBundledFonts();

// Families that stand for "ＭＳ 明朝", best first: on Windows the face itself, then the bundled
// IPAex明朝; elsewhere the installed IPA faces.
QStringList PreferredMinchoFamilies();

// The hinting the sheet fonts are laid out with, so a glyph advances by its design width as
// FreeType gives it on Linux: Windows' own font engine rounds every advance to a whole device
// pixel, which moves text against the lines of the sheet.
QFont::HintingPreference SheetFontHinting();

}  // namespace rave::platform
