// The Wsw-Nsw step plot.
#include "ravelog/report/wsw_nsw_plot.h"

#include "common/numbers.h"
#include "common/patterns/pattern_primitives.h"
#include "common/text_fields.h"

namespace ravelog {

namespace {

constexpr int kSlotSkipNonNumeric = 91;  // >= 1: a row without a numeric load moves the step down
constexpr int kAttributeBackToZeroAbove = 1;
constexpr int kAttributeBackToZeroBelow = 2;

bool IsNumeric(const std::string& text) {
    return rave::IsNumericStart(text) == 1;
}

}  // namespace

double WswNswChart::XOf(double chartValue) const {
    if (chartValue <= 200.0) {
        return MapLinear(chartValue, 0.0, 200.0, x0, x200);
    }
    // The logarithmic part starts at Nsw = 100, the end of the linear part.
    return x200 + LogAxisOffset(chartValue - 100.0, xLogEnd - x200);
}

void DrawWswNswPlot(const SheetContext& context, const WswNswChart& chart) {
    const SheetLineStyles styles = ReadSheetLineStyles(context.resources.settings);
    const rave::MappedSurface target{context.surface, context.mapping};
    const auto line = [&](double x1, double y1, double x2, double y2) {
        rave::DrawLine(target, x1, y1, x2, y2, rave::pen_style::kSolid, styles.wswNswWidth,
                       styles.wswNswColor);
    };
    const double yTop = chart.depths.yTop;
    const double yBottom = chart.depths.yBottom;
    const bool moveDownOverGaps = rave::ParseInteger(context.document.header[kSlotSkipNonNumeric]) >= 1;

    double previousX = 0.0;
    double previousY = chart.depths.MapY(0.0);
    bool startsLine = true;  // the next plotted row takes its own x as the previous x
    for (int r = 1; r <= kMaxRows; ++r) {
        const MeasuredRow& row = context.document.Row(r);
        const std::string& depthText = row[field::kDepth];
        const std::string& loadText = row[field::kLoad];
        if (depthText.empty() && loadText.empty()) {
            break;
        }
        const bool depthNumeric = IsNumeric(depthText);
        const bool nswNumeric = IsNumeric(row[field::kNsw]);
        if (!depthNumeric && !nswNumeric) {
            continue;
        }
        if (!depthNumeric) {
            startsLine = true;
            continue;
        }
        if (!IsNumeric(loadText)) {
            startsLine = true;
            if (moveDownOverGaps) {
                previousY = chart.depths.MapY(rave::ParseDecimal(depthText));
            }
            continue;
        }
        const double value = rave::ParseDecimal(loadText) * 100.0 + rave::ParseDecimal(row[field::kNsw]);
        const double x = chart.XOf(value);
        const double y = chart.depths.MapY(rave::ParseDecimal(depthText));
        if (startsLine) {
            previousX = x;
            startsLine = false;
        }
        if (y > yTop && previousY < yBottom) {
            line(previousX, previousY, x, previousY);
            line(x, previousY, x, y);
        }
        const long attribute = rave::ParseInteger(row[field::kAttribute]);
        if ((attribute & kAttributeBackToZeroAbove) != 0 && previousY >= yTop - 0.1 && previousY <= yBottom) {
            line(chart.x0, previousY, x, previousY);
        }
        if ((attribute & kAttributeBackToZeroBelow) != 0 && y >= yTop && y <= yBottom) {
            line(chart.x0, y, x, y);
        }
        previousX = x;
        previousY = y;
    }
}

}  // namespace ravelog
