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

// Inserts a point as number `n` (a value of 0 or less, or above 200, means 1). When point n is
// defined, points n..last move up by one number and the layers' point lists follow them, so
// every layer keeps running through the same positions. Returns n, or 0 when point n is defined
// and the last defined point is already 200.
int InsertPoint(SectionDocument& document, int n, double x, double y);

// Moves point n to (x, y), the x snapped. False when n is not a defined point.
bool MovePoint(SectionDocument& document, int n, double x, double y);

// Makes point n undefined; every other point keeps its number. False when n is not defined.
bool DeletePoint(SectionDocument& document, int n);

}  // namespace ravesect
