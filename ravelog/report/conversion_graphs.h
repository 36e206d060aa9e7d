// The graphs of the conversion sheet: converted N, qu and qa plotted against depth from the
// conversion table, each a polyline with a marker at every row.
#pragma once

#include <optional>
#include <vector>

#include "ravelog/report/sheet_context.h"
#include "ravelog/report/standard_sheet_parts.h"

namespace ravelog {

// Where a graph goes: value 0 at x0 and the full-scale value at x1, the page's depths mapped
// onto the window; midwayDepth plots a row halfway between the previous row's depth and its own.
struct ConversionGraph {
    double x0 = 0.0;
    double x1 = 0.0;
    DepthWindow depths;
    bool midwayDepth = false;
};

// One plotted row: its value, or nothing where the line breaks.
struct GraphPoint {
    double depth = 0.0;  // the depth it is plotted at
    std::optional<double> value;
};

// The points of conversion field 2 (N), 3 (qu) or 4 (qa), taken from entry 1 while the depth is
// filled. A value that is not a number, or lies below -998 (the conversions' "no value"), breaks
// the line.
std::vector<GraphPoint> CollectGraphPoints(const SoundingDocument& document, int conversionField,
                                           bool midwayDepth);

// The caps: N 50, 60 or 70 from header slot 35; qa the display limit of slot 89 when it is at
// least 0.1, else 39999.
double NValueCap(const SoundingHeader& header);
double QaPlotCap(const SoundingHeader& header);

// The plot-depth flags of slots 62 (N) and 63 (qu, qa): 1 plots midway, anything else at the depth.
bool PlotsMidway(const SoundingHeader& header, int slot);

void DrawNValueGraph(const SheetContext& context, const ConversionGraph& graph);
void DrawQuGraph(const SheetContext& context, const ConversionGraph& graph);
void DrawQaGraph(const SheetContext& context, const ConversionGraph& graph);

// The legend samples of the two-graph heading: a line from xFrom to xTo at y in the graph's pen
// with the graph's marker at xMarker.
void DrawNValueLegend(const SheetContext& context, double xFrom, double xTo, double xMarker, double y);
void DrawQuQaLegend(const SheetContext& context, double xFrom, double xTo, double xMarker, double y);

}  // namespace ravelog
