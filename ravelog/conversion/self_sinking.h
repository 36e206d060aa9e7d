// The self-sinking layer check of the building-standard notice on foundations (告示第1113号):
// rows that sank under a load of at most 1 kN without turning, and whether such layers lie within
// 2 m below the footing (any load up to 1 kN) or 2 to 5 m below it (a load up to 0.5 kN), in
// which case the settlement of the building must be examined.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "ravelog/document/sounding_document.h"

namespace ravelog {

// One self-sinking row: it covers the depths from just below the previous row (0 m for row 1)
// down to its own depth.
struct SelfSinkingLayer {
    int row = 0;
    double from = 0;  // m below ground, exclusive
    double to = 0;    // m, inclusive
    double wsw = 0;   // kN
};

struct SelfSinkingCheck {
    double footingDepth = 0;
    // Every self-sinking row of the sounding, top first (the bands decide the verdict).
    std::vector<SelfSinkingLayer> layers;
    bool within2m = false;         // a layer under at most 1.00 kN overlaps (F, F+2]
    bool from2to5m = false;        // a layer under at most 0.50 kN overlaps (F+2, F+5]
    bool settlementCheck = false;  // either of the two
    bool reaches5m = false;        // the sounding goes down to F+5 or deeper
    // Rows the check could not take as they stand, left out of the layers and the verdict:
    std::vector<int> unreadableRows;  // the depth is not a number (the load is no number: never self-sinking)
    std::vector<int> outOfOrderRows;  // not deeper than the row above: its interval would be upside down
    int usableRows = 0;               // rows whose depth and load are both numbers, in depth order
};

// Loads up to these count as self-sinking, and as the two bands' limits.
inline constexpr double kSelfSinkingMaxLoad = 1.00;
inline constexpr double kLowerBandMaxLoad = 0.50;

// A row sinks by itself when its Wsw is a number above 0 and at most 1.00 kN and its half-turn
// field is empty or the number 0 (a note in that field is not a count of zero).
bool IsSelfSinkingRow(const MeasuredRow& row);

// A typed footing depth: a number of metres, 0 or more; nothing for anything else.
std::optional<double> ParseFootingDepth(std::string_view text);

// Checks rows 1..RowCount() against a footing `footingDepth` m below ground (>= 0). A row's
// interval starts at the depth of the nearest row above it that was taken.
SelfSinkingCheck CheckSelfSinking(const SoundingDocument& document, double footingDepth);

}  // namespace ravelog
