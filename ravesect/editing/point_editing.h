// The operations on the numbered points of a section: add, insert with renumbering, move and
// delete. Points are world positions (distance x 10, minus the elevation); new and moved points
// snap to a ruler column nearby.
#pragma once

#include "ravesect/document/section_document.h"

namespace ravesect {

// The highest defined point number, 0 when none is.
int LastDefinedPoint(const SectionDocument& document);

// A new point after the highest defined one. Returns its number, or 0 when that would exceed 200.
int AddPoint(SectionDocument& document, double x, double y);

// The number an insertion requested at `n` takes: `n`, or 1 for 0 or less or above 200.
int InsertNumberFor(int n);

// Inserts a point as number `n` (a value of 0 or less, or above 200, means 1). When point n is
// defined, points n..last move up by one number and the layers' point lists follow them, so
// every layer keeps running through the same positions. Returns n, or 0 when point n is defined
// and the last defined point is already 200.
int InsertPoint(SectionDocument& document, int n, double x, double y);

// A layer's point references after points `from`..199 moved up by one number (an insertion), and
// back again when that insertion is dropped: references to `from` itself (the dropped point) go,
// the later ones move down by one.
void ShiftLayerPoints(LayerOutline& layer, int from);
void UnshiftLayerPoints(LayerOutline& layer, int from);

// Moves point n to (x, y), the x snapped. False when n is not a defined point.
bool MovePoint(SectionDocument& document, int n, double x, double y);

// Makes point n undefined; every other point keeps its number. False when n is not defined.
bool DeletePoint(SectionDocument& document, int n);

}  // namespace ravesect
