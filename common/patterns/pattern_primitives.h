// The world-unit drawing primitives of both programs.
//
// Every primitive takes the mapped surface first and the pen (style, width in device units,
// colour) last, makes the pen it needs for this one call and leaves nothing selected behind.
// Coordinates are world units of the mapping (millimetres of paper on Ravelog's sheets); lengths
// that are not positions say their unit. Radii and vertical half-axes follow the vertical scale,
// horizontal half-axes the horizontal one. A pen of width 0 draws nothing.
#pragma once

#include <string_view>

#include "common/drawing/drawing_surface.h"
#include "common/drawing/pattern_mapping.h"

namespace rave {

// A straight line.
void DrawLine(const MappedSurface& target, double x1, double y1, double x2, double y2, int style, int width,
              ColorRef color);

// A horizontal or vertical line in dashes. From the start, each dash covers `dash` device units
// along each axis towards (x2, y2) and the next dash starts dash + gap units further; dashes
// continue while the start lies before the end less one dash. Solid when gap <= 0, nothing when
// dash <= 0, at most kMaxDashes dashes.
inline constexpr long kMaxDashes = 1000000;
void DrawDashedLine(const MappedSurface& target, double x1, double y1, double x2, double y2, int dash,
                    int gap, int style, int width, ColorRef color);

// An unfilled circle; r follows the vertical scale.
void DrawCircle(const MappedSurface& target, double cx, double cy, double r, int style, int width,
                ColorRef color);
// A circle filled with a solid brush of fillColor and outlined with the pen. The fill is drawn
// even when the pen is of width 0.
void DrawFilledCircle(const MappedSurface& target, double cx, double cy, double r, ColorRef fillColor,
                      int style, int width, ColorRef color);
// An unfilled ellipse; rx horizontal, ry vertical.
void DrawEllipse(const MappedSurface& target, double cx, double cy, double rx, double ry, int style,
                 int width, ColorRef color);
// A counter-clockwise arc of the circle around (cx, cy) with radius r (vertical scale, and the
// same device length across), from the ray through (xs, ys) to the ray through (xe, ye).
void DrawArc(const MappedSurface& target, double cx, double cy, double r, double xs, double ys, double xe,
             double ye, int style, int width, ColorRef color);
// A counter-clockwise arc of the ellipse with half-axes rx (horizontal) and ry (vertical).
void DrawEllipticArc(const MappedSurface& target, double cx, double cy, double rx, double ry, double xs,
                     double ys, double xe, double ye, int style, int width, ColorRef color);
// Four lines (cx-hw, cy) -> (cx, cy-hh) -> (cx+hw, cy) -> (cx, cy+hh) -> (cx-hw, cy).
void DrawDiamond(const MappedSurface& target, double cx, double cy, double hw, double hh, int style,
                 int width, ColorRef color);
// The diamond plus a vertical line through its centre from cy - 0.8 hh to cy + 0.8 hh.
void DrawDiamondWithAxis(const MappedSurface& target, double cx, double cy, double hw, double hh, int style,
                         int width, ColorRef color);

// cp932 text at the point with the surface's current font, colour and alignment.
void DrawTextAt(const MappedSurface& target, double x, double y, std::string_view cp932);

// The characters of the text placed one by one, left-aligned and top-aligned: the character at
// byte offset k goes to x1 + k * step, step = (max(x2 - x1, charWidth) - charWidth) / (bytes - 2),
// so that a final double-byte character ends at x2 (half the span when the text has fewer than
// three bytes). The top of the text is at (yTop + yBottom - charHeight) / 2. A double-byte
// character is drawn whole. charWidth and charHeight are world units. The surface's alignment
// is put back afterwards.
void DrawSpacedText(const MappedSurface& target, double x1, double x2, double yTop, double yBottom,
                    double charWidth, double charHeight, std::string_view cp932);

// Intersects the surface's clip region with the cell (corners in any order).
void ClipToCell(const MappedSurface& target, double x1, double y1, double x2, double y2);

}  // namespace rave
