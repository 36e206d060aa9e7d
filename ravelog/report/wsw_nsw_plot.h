// The Wsw-Nsw step plot of the standard sheet: one step per measured row over a chart that is
// linear for the load (0 .. 1.00 kN), linear for Nsw 0 .. 100 and logarithmic beyond.
#pragma once

#include "ravelog/report/sheet_context.h"
#include "ravelog/report/standard_sheet_parts.h"

namespace ravelog {

// Where the plot goes: x0 the load origin, x200 the end of the linear part (Nsw = 100), xLogEnd
// the end of the logarithmic part (Nsw = 700), and the page's depths mapped onto yTop .. yBottom.
struct WswNswChart {
    double x0 = 0.0;
    double x200 = 0.0;
    double xLogEnd = 0.0;
    DepthWindow depths;

    // The chart value of a row, u = Wsw x 100 + Nsw, as an x position.
    double XOf(double chartValue) const;
};

// Draws the step plot of the rows with the Wsw/Nsw plot pen, with the back-to-zero lines of the
// rows' drawing attributes.
void DrawWswNswPlot(const SheetContext& context, const WswNswChart& chart);

}  // namespace ravelog
