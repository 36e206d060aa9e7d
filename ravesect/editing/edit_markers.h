// The markers of the current editing mode, drawn on the screen between the layers and the
// columns (never on paper): the points as numbered circles while points or layers are edited,
// the title positions while titles are edited, and the point or title being dragged.
#pragma once

#include "common/drawing/drawing_surface.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/drawing/section_mapping.h"
#include "ravesect/editing/edit_session.h"

namespace ravesect {

namespace marker_colour {
inline constexpr rave::ColorRef kOutline = 0xff0000;  // blue
inline constexpr rave::ColorRef kPicked = 0x0000ff;   // red
inline constexpr rave::ColorRef kDelete = 0x00ffff;   // yellow
inline constexpr rave::ColorRef kOther = 0xffff00;    // cyan
}  // namespace marker_colour

// The radius of a marker circle, mm of paper.
inline constexpr double kMarkerRadiusMm = 1.5;

void DrawEditMarkers(rave::DrawingSurface& surface, const SectionMapping& mapping, const EditSession& session,
                     const SectionFonts& fonts);

}  // namespace ravesect
