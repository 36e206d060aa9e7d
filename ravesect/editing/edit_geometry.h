// What the mouse points at on the section: the nearest point or title within 0.8 mm of paper, and
// the snapping of a point's distance to a ruler column. (The view turns the mouse position into a
// world position with SectionMapping::SurfaceToWorld.)
#pragma once

#include "ravesect/document/section_document.h"
#include "ravesect/drawing/section_mapping.h"

namespace ravesect {

// The defined point (1..200) nearest to (x, y), or 0 when none lies within 0.8 mm of paper in
// both directions. The score is dx + 10 x dy; the lower number wins a tie.
int NearestPoint(const SectionDocument& document, double x, double y);
// The same over the placed titles 1..50.
int NearestTitle(const SectionDocument& document, double x, double y);

// Snaps a point's x to the first column without a file (the left boundary, the closing column or
// a blank column) that lies within 1.2 world units (0.12 m); columns with files do not attract.
double SnapToRulerColumn(const SectionDocument& document, double x);

}  // namespace ravesect
