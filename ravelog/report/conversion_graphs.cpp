// The converted N, qu and qa graphs.
#include "ravelog/report/conversion_graphs.h"

#include <algorithm>

#include "common/numbers.h"
#include "common/patterns/pattern_primitives.h"
#include "common/text_fields.h"
#include "ravelog/conversion/coefficient_set.h"

namespace ravelog {

namespace {

constexpr double kLowestValue = -998.0;
constexpr double kNFullScale = 60.0;  // the N axis runs 0 .. 60 whatever the cap
constexpr double kQaNoCap = 39999.0;

// Above the cap the line stops short of the marker by this much, and a thin stroke closes the gap.
constexpr double kNCapGap = 0.7;
constexpr double kQaCapGap = 0.4;

// A pen of the plots: style, width in device units, colour.
struct PlotPen {
    int style = rave::pen_style::kSolid;
    int width = 1;
    rave::ColorRef color = rave::kBlack;
};

PlotPen NPen(const SheetLineStyles& styles) {
    return {rave::pen_style::kSolid, styles.nWidth, styles.nColor};
}

// The qu/qa line follows the line-style setting: solid in its own width, or dotted or dashed one
// unit wide.
PlotPen QuQaLinePen(const SheetLineStyles& styles) {
    switch (styles.quQaLineStyle) {
        case 1:
            return {rave::pen_style::kDot, 1, styles.quQaColor};
        case 2:
            return {rave::pen_style::kDash, 1, styles.quQaColor};
        default:
            return {rave::pen_style::kSolid, styles.quQaWidth, styles.quQaColor};
    }
}

class GraphPainter {
public:
    GraphPainter(const SheetContext& context)
        : target_{context.surface, context.mapping},
          styles_(ReadSheetLineStyles(context.resources.settings)) {}

    const SheetLineStyles& Styles() const { return styles_; }

    void Line(double x1, double y1, double x2, double y2, const PlotPen& pen) const {
        rave::DrawLine(target_, x1, y1, x2, y2, pen.style, pen.width, pen.color);
    }

    // The filled dot of an N value within the cap.
    void FilledDot(double x, double y) const {
        rave::DrawFilledCircle(target_, x, y, 0.5 + 0.1 * styles_.nWidth, styles_.nColor,
                               rave::pen_style::kSolid, 2, styles_.nColor);
    }
    // The open circle of a qu or qa value.
    void OpenCircle(double x, double y) const {
        rave::DrawCircle(target_, x, y, 0.5 + 0.1 * styles_.quQaWidth, rave::pen_style::kSolid, 2,
                         styles_.quQaColor);
    }

    void NMarker(double x, double y, double value, double cap) const {
        const PlotPen pen = NPen(styles_);
        if (value <= 0.0) {
            Line(x, y, x + 3.4, y, pen);
        } else if (value <= cap) {
            FilledDot(x, y);
        } else {
            Line(x, y, x - 3.4, y, pen);
            Line(x, y, x - 2.0, y - 0.26, pen);
        }
    }

    void QaMarker(double x, double y, double value, double cap) const {
        if (value > cap) {
            const PlotPen pen{rave::pen_style::kSolid, styles_.quQaWidth, styles_.quQaColor};
            Line(x, y, x - 0.6, y, {pen.style, pen.width + 1, pen.color});
            Line(x, y, x - 2.8, y, pen);
            Line(x, y, x - 1.6, y - 0.3, pen);
        } else {
            OpenCircle(x, y);
        }
    }

private:
    rave::MappedSurface target_;
    SheetLineStyles styles_;
};

// What one graph plots and how.
struct GraphKind {
    int conversionField = 2;
    double fullScale = kNFullScale;
    std::optional<double> cap;  // values above it plot at the cap
    double capGap = 0.0;
    PlotPen linePen;
};

// The polyline of a graph: a segment from each point to the next while the line is not broken,
// drawn when it reaches into the window, and the marker of every point.
template <typename Marker>
void DrawGraphLine(const GraphPainter& painter, const ConversionGraph& graph, const GraphKind& kind,
                   const std::vector<GraphPoint>& points, const Marker& marker) {
    const double yTop = graph.depths.yTop;
    const double yBottom = graph.depths.yBottom;
    const auto xOf = [&](double value) {
        const double shown = kind.cap ? std::min(value, *kind.cap) : value;
        return MapLinear(shown, 0.0, kind.fullScale, graph.x0, graph.x1);
    };
    const auto aboveCap = [&](double value) { return kind.cap && value > *kind.cap; };
    const rave::ColorRef color = kind.linePen.color;
    const PlotPen closing{rave::pen_style::kSolid, 1, color};

    bool inLine = false;
    double px = 0.0;
    double py = 0.0;
    bool previousAbove = false;
    for (const GraphPoint& point : points) {
        if (!point.value) {
            inLine = false;
            continue;
        }
        const double value = *point.value;
        const double x = xOf(value);
        const double y = graph.depths.MapY(point.depth);
        const bool above = aboveCap(value);
        if (inLine && y > yTop && py < yBottom) {
            const double startGap = previousAbove ? kind.capGap : 0.0;
            const double endGap = above ? kind.capGap : 0.0;
            painter.Line(px, py + startGap, x, y - endGap, kind.linePen);
            if (startGap > 0.01) {
                painter.Line(px, py, px, py + startGap, closing);
            }
            if (endGap > 0.01) {
                painter.Line(x, y - endGap, x, y, closing);
            }
        }
        marker(x, y, value);
        inLine = true;
        px = x;
        py = y;
        previousAbove = above;
    }
}

}  // namespace

std::vector<GraphPoint> CollectGraphPoints(const SoundingDocument& document, int conversionField,
                                           bool midwayDepth) {
    std::vector<GraphPoint> points;
    double previousDepth = 0.0;
    for (int i = 1; i <= kConversionEntries; ++i) {
        const ConversionRow& entry = document.Conversion(i);
        if (entry[1].empty()) {
            break;
        }
        const double depth = rave::ParseDecimal(entry[1]);
        GraphPoint point;
        point.depth = midwayDepth ? (previousDepth + depth) / 2.0 : depth;
        const std::string& text = entry[conversionField];
        if (rave::IsNumericStart(text) == 1) {
            const double value = rave::ParseDecimal(text);
            if (value >= kLowestValue) {
                point.value = value;
            }
        }
        points.push_back(point);
        previousDepth = depth;
    }
    return points;
}

double NValueCap(const SoundingHeader& header) {
    return static_cast<double>(rave::ParseInteger(header[coef::kNGraphMax]) * 10 + 50);
}

double QaPlotCap(const SoundingHeader& header) {
    const long limit = rave::ParseInteger(header[coef::kQaDisplayLimit]);
    return limit >= 0.1 ? static_cast<double>(limit) : kQaNoCap;
}

bool PlotsMidway(const SoundingHeader& header, int slot) {
    return rave::ParseInteger(header[slot]) == 1;
}

void DrawNValueGraph(const SheetContext& context, const ConversionGraph& graph) {
    const GraphPainter painter(context);
    const double cap = NValueCap(context.document.header);
    const GraphKind kind{2, kNFullScale, cap, kNCapGap, NPen(painter.Styles())};
    DrawGraphLine(painter, graph, kind, CollectGraphPoints(context.document, 2, graph.midwayDepth),
                  [&](double x, double y, double value) { painter.NMarker(x, y, value, cap); });
}

void DrawQuGraph(const SheetContext& context, const ConversionGraph& graph) {
    const GraphPainter painter(context);
    const double fullScale =
        static_cast<double>(rave::ParseInteger(context.document.header[coef::kQuScaleEnd]));
    const GraphKind kind{3, fullScale, std::nullopt, 0.0, QuQaLinePen(painter.Styles())};
    DrawGraphLine(painter, graph, kind, CollectGraphPoints(context.document, 3, graph.midwayDepth),
                  [&](double x, double y, double) {
                      if (y >= graph.depths.yTop && y <= graph.depths.yBottom) {
                          painter.OpenCircle(x, y);
                      }
                  });
}

void DrawQaGraph(const SheetContext& context, const ConversionGraph& graph) {
    const GraphPainter painter(context);
    const double fullScale =
        static_cast<double>(rave::ParseInteger(context.document.header[coef::kQaScaleEnd]));
    const double cap = QaPlotCap(context.document.header);
    const GraphKind kind{4, fullScale, cap, kQaCapGap, QuQaLinePen(painter.Styles())};
    DrawGraphLine(painter, graph, kind, CollectGraphPoints(context.document, 4, graph.midwayDepth),
                  [&](double x, double y, double value) { painter.QaMarker(x, y, value, cap); });
}

void DrawNValueLegend(const SheetContext& context, double xFrom, double xTo, double xMarker, double y) {
    const GraphPainter painter(context);
    painter.Line(xFrom, y, xTo, y, NPen(painter.Styles()));
    painter.FilledDot(xMarker, y);
}

void DrawQuQaLegend(const SheetContext& context, double xFrom, double xTo, double xMarker, double y) {
    const GraphPainter painter(context);
    painter.Line(xFrom, y, xTo, y, QuQaLinePen(painter.Styles()));
    painter.OpenCircle(xMarker, y);
}

}  // namespace ravelog
