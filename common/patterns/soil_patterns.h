// The soil patterns: geological symbols (dots, circles, diamonds, ellipses, arcs, strokes,
// hatching and crosses) that fill a soil cell of a log or a section, chosen by pattern number.
//
// The patterns are drawn through the world mapping of the caller. While one pattern is drawn the
// vertical scale of the mapping is set so that a vertical pattern unit is ten horizontal world
// units long on paper: 10 x UnitY on Ravelog's sheets, where a world unit is 1 mm, so a vertical
// unit is 10 mm of paper. That is what makes the slanted strokes 45 degrees on paper. The scale is
// put back before the call returns. Every spacing and symbol size is a fixed fraction of the cell
// width, so symbols grow with the column width and not with the cell height.
#pragma once

#include <span>

#include "common/drawing/drawing_surface.h"
#include "common/drawing/pattern_mapping.h"

namespace rave {

class PatternColorTable;

// Ravesect's copy of the library knows six patterns more (20001-20004, 20100, 20400).
enum class PatternSet { kRavelog, kRavesect };

// The pattern numbers the dispatcher draws, in increasing order.
std::span<const long> KnownPatternNumbers(PatternSet set = PatternSet::kRavelog);
bool IsKnownPattern(long patternNo, PatternSet set = PatternSet::kRavelog);

// Fills the cell (x1, y1) - (x2, y2) (world units of the mapping, y down) with the pattern.
// fillFraction (0 < f <= 1; callers pass 1.0) limits the symbols to the left part of the cell;
// penWidth is in device units (0 draws no stroke); firstRowShifted moves the first row of
// patterns 1-8 down. True when the number is a known pattern (drawn), false otherwise (nothing
// drawn). A cell narrower or lower than 0.001 draws nothing but still answers true.
bool DrawSoilPattern(const MappedSurface& target, long patternNo, double x1, double y1, double x2, double y2,
                     double fillFraction, int penWidth, ColorRef color, int firstRowShifted,
                     PatternSet set = PatternSet::kRavelog);

// The preview of a pattern in a dialog: the pattern over a rectangle of the surface (a preview
// button's client area), its right and bottom edges taken 2 device units inside, with fill
// fraction 1 and the first row unshifted. Same result as DrawSoilPattern.
bool DrawPatternPreview(const MappedSurface& target, long patternNo, const SurfaceRect& client, int penWidth,
                        ColorRef color, PatternSet set = PatternSet::kRavelog);

// The part of value that its decimal digit at place (1, 10, 100, 1000 or 10000) contributes:
// digit x place, as T(value, place) - T(value, 10 x place) with T(v, n) = floor(v/n + 1e-7) x n
// (0 when n is 0). Splits composite pattern codes into their layers.
long PatternDigit(double value, long place);

// Pattern classes of a code. Simple table: 7 for 800-809 and 850-859, 8 for 810-813, 815-819 and
// 860-869, 11 for 814, 0 below 0 or above 9999, otherwise 4 (an ordinary pattern).
int ClassifySimplePattern(long code);
// JACIC table: 7, 8, 9 for 10000, 10001, 10002; 4 when the ten-thousands part is 10000, 6 when it
// is 90000 (alternating layers), else 3 (a composite of hundreds, tens and units layers); 0 only
// when the thousands and hundreds parts add up to a negative number.
int ClassifyJacicPattern(long code);

// Marker classes as the report uses them: markerKind = class - 7.
inline constexpr int kCellMarkerCount = 5;
// Draws special marker markerKind (0-4, the patterns 10000-10004) over the cell in the colour the
// table gives for 10000 + markerKind, black when monochrome or when there is no table. With
// halfOnly == 2 a vertical line is first drawn down the middle of the cell and the marker fills
// the left half only. A kind outside 0-4 draws nothing and gives false.
bool DrawCellMarker(const MappedSurface& target, double x1, double y1, double x2, double y2, int markerKind,
                    int halfOnly, int penWidth, bool monochrome, const PatternColorTable* colors);

}  // namespace rave
