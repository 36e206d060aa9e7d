// The layout of the conversion sheet: which conversions the header asks for, where the columns
// stand, the texts of the headings and the scale numbers of the graphs.
#pragma once

#include <string>
#include <vector>

#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"
#include "ravelog/report/standard_sheet_parts.h"

namespace ravelog {

// The conversions shown (header slot 34); any other value shows none.
enum class ConversionMode { kN = 0, kQu = 1, kNAndQu = 2, kQa = 3, kNAndQa = 4, kNone = -1 };
ConversionMode ConversionModeOf(const SoundingHeader& header);

inline bool HasConversions(ConversionMode m) {
    return m != ConversionMode::kNone;
}
inline bool HasTwoConversionColumns(ConversionMode m) {
    return m == ConversionMode::kNAndQu || m == ConversionMode::kNAndQa;
}
inline bool ShowsN(ConversionMode m) {
    return m == ConversionMode::kN || m == ConversionMode::kNAndQu || m == ConversionMode::kNAndQa;
}
inline bool ShowsQu(ConversionMode m) {
    return m == ConversionMode::kQu || m == ConversionMode::kNAndQu;
}
inline bool ShowsQa(ConversionMode m) {
    return m == ConversionMode::kQa || m == ConversionMode::kNAndQa;
}

// The fourteen column edges: Wsw, Na, D, L, Nsw, remarks, soil name, the first and second
// conversion column, the depth scale, the soil column, the graph's 0, its full scale and the
// right edge. One conversion column for N, qu or qa alone, two otherwise.
using ConversionColumns = ColumnEdges<14>;
ConversionColumns ConversionSheetColumns(ConversionMode mode);

// The rule under the title block: 22.5 when N and qa are shown and qa = b·N needs four factor
// lines, else 23.
double HeaderLineY(const SoundingHeader& header);

// The texts of a one-conversion heading.
struct ModeTexts {
    std::string heading;     // over the conversion column
    std::string note;        // under it
    std::string graphTitle;  // over the graph
    std::string graphUnit;
};
ModeTexts ModeTextsOf(ConversionMode mode);

// "0", "10", ... up to the N cap, every 5 mm from x0 (0.5 mm per blow).
std::vector<ScaleLabel> NScaleLabels(const SoundingHeader& header, double x0);

// The qu or qa scale from 0 to the value of endSlot in steps of the value of stepSlot, over x0 ..
// x1; only "0" when the step or the number of steps is below 1. Every number stands where the
// graph plots that value.
std::vector<ScaleLabel> StrengthScaleLabels(const SoundingHeader& header, int endSlot, int stepSlot,
                                            double x0, double x1);

// A converted-value column of the table: the cell kind and the x its texts end at.
struct CellPlacement {
    int kind = 0;
    double x = 0.0;
    friend bool operator==(const CellPlacement&, const CellPlacement&) = default;
};
std::vector<CellPlacement> ConversionCellPlacements(ConversionMode mode, const ConversionColumns& col,
                                                    const rave::RavelogSettings& settings);

}  // namespace ravelog
