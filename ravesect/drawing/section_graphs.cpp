// The inside of a column block: soil patterns, frames, the Swedish, N-value and Nd graphs, and
// the sample and in-situ test marks.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "common/drawing/surface_hints.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/path_text.h"
#include "common/patterns/pattern_bitmap.h"
#include "common/patterns/pattern_primitives.h"
#include "common/patterns/soil_patterns.h"
#include "common/text_fields.h"
#include "ravesect/drawing/section_column.h"

namespace ravesect {

namespace {

constexpr double kOverRangeFraction = 1.00001;

double Field(const LogRow& row, std::size_t index) {
    return index < row.size() ? rave::ParseDecimal(row[index]) : 0.0;
}
const std::string& Text(const LogRow& row, std::size_t index) {
    static const std::string empty;
    return index < row.size() ? row[index] : empty;
}
bool HasNumber(const LogRow& row, std::size_t index) {
    return index < row.size() && rave::HasLeadingNumber(row[index]);
}

bool IsJacicKind(int kind) {
    return kind == 300 || kind == 301 || kind == 320 || kind == 500 || kind == 600;
}

// A tile folder as the settings hold it (backslashes) as a path of this machine.
std::filesystem::path NativeTilePath(const std::string& file) {
    std::string native = file;
    if (!(native.size() > 1 && native[1] == ':')) {
        for (char& c : native) {
            if (c == '\\') {
                c = '/';
            }
        }
    }
    return rave::PathFromCp932(native);
}

// The tile file of a pattern number in the pattern folder of its table.
std::filesystem::path TilePath(const SectionPainter& p, long patternNo, bool jacic, bool monochrome) {
    const std::string folder = rave::PatternTileFolder(
        p.sysq.Line(jacic ? sysqline::kJacicBitmapFolder : sysqline::kSimpleBitmapFolder), jacic, monochrome);
    return NativeTilePath(rave::PatternTileFile(folder, patternNo));
}

// The bitmap tile of a pattern number from the pattern folder of its table; false when there is
// none, so the line pattern is drawn instead.
bool DrawTile(const SectionPainter& p, long patternNo, bool jacic, bool monochrome,
              const ColumnLayout& layout, double y1, double y2, bool overlay) {
    const rave::MappedSurface target{p.surface, p.mapping};
    return rave::DrawPatternBitmap(target, TilePath(p, patternNo, jacic, monochrome), layout.pattern.left, y1,
                                   layout.pattern.Width(), y2 - y1,
                                   overlay ? rave::raster_op::kAnd : rave::raster_op::kCopy);
}

// A soil layer whose pattern neither a line pattern nor a tile could draw leaves its cell blank:
// the user is told which pattern, and which tile file was looked for.
void ReportMissingPattern(const SectionPainter& p, long patternNo, bool jacic, bool monochrome,
                          const PatternSources& sources) {
    if (p.messages == nullptr) {
        return;
    }
    const std::string text = rave::FormatText("柱状図パターン %ld が描けません", patternNo);
    if (sources.tileFirst || sources.tileAfter) {
        p.messages->Show(
            rave::Message{0, text + "\n( %1 )", TilePath(p, patternNo, jacic, monochrome).string()});
    } else {
        p.messages->Show(rave::Message{0, text, {}});
    }
}

// How a layer cell is drawn: the column's table, the colours and the sources of patterns.
struct LayerCellStyle {
    bool jacic = false;
    bool monochrome = false;
    int penWidth = 1;
    PatternSources sources;
};

// Draws the pattern `code` into a layer cell. Returns the base pattern that neither a line pattern
// nor a tile could draw, 0 when the cell was drawn (an admixture or adjective digit without a
// pattern of its own only adds nothing); -1 when `code` names no pattern at all.
long DrawLayerCell(const SectionPainter& p, long code, const LayerCellStyle& style,
                   const ColumnLayout& layout, double y1, double y2) {
    const rave::MappedSurface target{p.surface, p.mapping};
    const int g = style.jacic ? rave::ClassifyJacicPattern(code) : rave::ClassifySimplePattern(code);
    std::vector<std::pair<long, int>> parts;
    if (g >= 7 && g <= 11) {
        rave::DrawCellMarker(target, layout.pattern.left, y1, layout.pattern.right, y2, g - 7, 1,
                             style.penWidth, style.monochrome, p.patternColors);
        return 0;
    }
    if (g == 3) {
        const long base = rave::PatternDigit(static_cast<double>(code), 1000) +
                          rave::PatternDigit(static_cast<double>(code), 100);
        const long admixture = rave::PatternDigit(static_cast<double>(code), 10);
        const long adjective = rave::PatternDigit(static_cast<double>(code), 1);
        const int shifted = admixture != 0 ? 1 : 0;
        parts = {{base, shifted}, {admixture, 0}, {adjective, shifted}};
    } else if (g != 0) {
        parts = {{code, 0}};
    } else {
        return -1;
    }
    bool firstPart = true;
    long missingBase = 0;
    for (const auto& [part, shifted] : parts) {
        if (part <= 0) {
            continue;
        }
        const bool overlay = !firstPart;
        firstPart = false;
        if (style.sources.tileFirst &&
            DrawTile(p, part, style.jacic, style.monochrome, layout, y1, y2, overlay)) {
            continue;
        }
        const rave::ColorRef colour = style.monochrome || p.patternColors == nullptr
                                          ? rave::kBlack
                                          : p.patternColors->PatternColor(part);
        if (style.sources.lines &&
            rave::DrawSoilPattern(target, part, layout.pattern.left, y1, layout.pattern.right, y2, 1.0,
                                  style.penWidth, colour, shifted, rave::PatternSet::kRavesect)) {
            continue;
        }
        if (!(style.sources.tileAfter &&
              DrawTile(p, part, style.jacic, style.monochrome, layout, y1, y2, overlay)) &&
            !overlay) {
            missingBase = part;
        }
    }
    return firstPart ? -1 : missingBase;
}

// The soil layers of "$$A": each row's pattern from the previous bottom depth to its own. A simple
// sounding's layer keeps the number its row stores; where that number draws nothing, the layer is
// drawn as its sheet draws it, by its soil name through the simple table.
void DrawSoilLayers(const SectionPainter& p, const NormalizedLog& log, const ColumnLayout& layout, int kind) {
    if (!(layout.pattern.Width() >= 0.1)) {
        return;
    }
    LayerCellStyle style;
    style.jacic = IsJacicKind(kind);
    style.monochrome = p.Monochrome() || p.sysq.Int(sysqline::kPatternMonochrome) == 1;
    const int boundaryWidth = static_cast<int>(p.sysq.Int(sysqline::kBoundaryWidth));
    // A surface that cannot keep bitmaps (a CAD file) gets the line patterns instead.
    style.sources =
        PatternSourcesFor(p.sysq.Int(sysqline::kPatternDrawing), !rave::PrefersVectorPatterns(p.surface));
    double top = 0.0;
    const std::vector<LogRow>& rows = log.Rows(logsection::kLayers);
    for (int r = 0, count = log.RowCount(logsection::kLayers); r < count; ++r) {
        const LogRow& row = rows[static_cast<std::size_t>(r)];
        const double bottom = Field(row, 0);
        const long code = rave::ParseInteger(Text(row, 2));
        const double y1 = layout.top + top;
        const double y2 = layout.top + bottom;
        if (bottom > top) {
            long missing = code > 0 ? DrawLayerCell(p, code, style, layout, y1, y2) : -1;
            if (missing != 0 && !style.jacic && p.simpleTable != nullptr) {
                const long byName = rave::SimpleLayerPattern(Text(row, 1), Text(row, 2), *p.simpleTable);
                if (byName > 0 && byName != code && DrawLayerCell(p, byName, style, layout, y1, y2) == 0) {
                    missing = 0;
                }
            }
            // A base pattern that nothing could draw leaves the cell blank, and that is told.
            if (missing > 0) {
                ReportMissingPattern(p, missing, style.jacic, style.monochrome, style.sources);
            }
        }
        if (bottom > top) {
            p.Line(layout.pattern.left, y2, layout.pattern.right, y2, boundaryWidth);
            top = bottom;
        }
    }
}

void FrameCell(const SectionPainter& p, const CellEdges& cell, const ColumnLayout& layout) {
    const int width = static_cast<int>(p.sysq.Int(sysqline::kFrameWidth));
    const rave::SurfaceRect rect{p.mapping.ToSurfaceX(cell.left), p.mapping.ToSurfaceY(layout.top),
                                 p.mapping.ToSurfaceX(cell.right), p.mapping.ToSurfaceY(layout.bottom)};
    p.surface.Rectangle(rect, rave::Pen{rave::pen_style::kSolid, width, rave::kBlack}, rave::Brush::None());
}

// The layers are drawn before the columns: a column's cells are painted white first, so no layer
// fill or hatch runs through its soil patterns (line patterns leave their ground bare, and rows
// without a pattern leave gaps between tiles) or through its graph. A CAD file keeps them as
// they are: it shows white as black on its paper, and its layers can be ordered there.
void ClearCell(const SectionPainter& p, const CellEdges& cell, const ColumnLayout& layout) {
    if (rave::PrefersVectorPatterns(p.surface)) {
        return;
    }
    const rave::SurfaceRect rect{p.mapping.ToSurfaceX(cell.left), p.mapping.ToSurfaceY(layout.top),
                                 p.mapping.ToSurfaceX(cell.right), p.mapping.ToSurfaceY(layout.bottom)};
    p.surface.Rectangle(rect.Normalized(), rave::Pen{rave::pen_style::kNull, 0, rave::kWhite},
                        rave::Brush::Solid(rave::kWhite));
}

// The graph's zero edge and the signed width toward its far edge.
struct GraphAxis {
    double zero = 0.0;
    double span = 0.0;
    double At(double fraction) const { return zero + span * fraction; }
};
GraphAxis AxisOf(const ColumnLayout& layout) {
    return layout.mirrored ? GraphAxis{layout.graph.right, -layout.graph.Width()}
                           : GraphAxis{layout.graph.left, layout.graph.Width()};
}

// The title above the graph, above its scale figures.
void GraphTitle(const SectionPainter& p, const ColumnLayout& layout, const std::string& title,
                double offsetFactor) {
    const int scaleHeight = p.SelectFont(section_font::kScale);
    p.SelectFont(section_font::kScale);
    const int y = p.mapping.ToSurfaceY(layout.top) - static_cast<int>(scaleHeight * 1.2 * offsetFactor);
    p.surface.SetTextAlign(rave::text_align::kCenterBottom);
    p.surface.TextOut({p.mapping.ToSurfaceX((layout.graph.left + layout.graph.right) / 2.0), y}, title);
}

void ScaleFigure(const SectionPainter& p, double x, const ColumnLayout& layout, const std::string& text) {
    p.Text(x, layout.top, rave::text_align::kCenterBottom, text);
}

// A point symbol: a filled dot of the radius setting.
void Dot(const SectionPainter& p, double x, double y, rave::ColorRef colour) {
    const double radiusMm = p.sysq.Real(sysqline::kDotRadius);
    const int rx = std::max(1, static_cast<int>(std::lround(radiusMm * p.mapping.unitX)));
    const rave::SurfacePoint c = p.At(x, y);
    p.surface.Ellipse({c.x - rx, c.y - rx, c.x + rx, c.y + rx}, rave::Pen{rave::pen_style::kSolid, 1, colour},
                      rave::Brush::Solid(colour));
}
void Ring(const SectionPainter& p, double x, double y, rave::ColorRef colour) {
    const double radiusMm = std::max(0.6, p.sysq.Real(sysqline::kDotRadius) * 1.5);
    const int rx = std::max(1, static_cast<int>(std::lround(radiusMm * p.mapping.unitX)));
    const rave::SurfacePoint c = p.At(x, y);
    p.surface.Ellipse({c.x - rx, c.y - rx, c.x + rx, c.y + rx}, rave::Pen{rave::pen_style::kSolid, 1, colour},
                      rave::Brush::None());
}
// "→" beyond the maximum (an arrow pointing out of the graph) and "－" at or below 0.
void OverRangeArrow(const SectionPainter& p, const GraphAxis& axis, double y, rave::ColorRef colour) {
    const double direction = axis.span >= 0 ? 1.0 : -1.0;
    const double tip = axis.At(1.0) + direction * p.PaperX(1.5);
    const double base = axis.At(1.0) - direction * p.PaperX(0.5);
    const double head = p.PaperX(0.6) * direction;
    p.Line(base, y, tip, y, 1, colour);
    p.Line(tip, y, tip - head, y - p.PaperY(0.4), 1, colour);
    p.Line(tip, y, tip - head, y + p.PaperY(0.4), 1, colour);
}
void ZeroDash(const SectionPainter& p, const GraphAxis& axis, double y, rave::ColorRef colour) {
    const double direction = axis.span >= 0 ? 1.0 : -1.0;
    p.Line(axis.zero, y, axis.zero + direction * p.PaperX(1.2), y, 1, colour);
}

// The blow-count grid, its figures and (for N and Nd graphs) the title.
void BlowGrid(const SectionPainter& p, const ColumnLayout& layout, const GraphAxis& axis) {
    const long k = std::clamp(p.sysq.Int(sysqline::kNGridMaximum), 0L, 2L);
    const double step = axis.span / (static_cast<double>(k) + 5.1);
    const int width = static_cast<int>(p.sysq.Int(sysqline::kNGridWidth));
    const rave::ColorRef colour = p.Colour(sysqline::kNGridColour);
    p.SelectFont(section_font::kScale);
    for (int label = 0; label <= 10 * (static_cast<int>(k) + 5); label += 10) {
        const double x = axis.zero + label / 10.0 * step;
        if (label > 0 && width >= 1) {
            p.DashedLine(x, layout.top, x, layout.bottom, width, p.sysq.Int(sysqline::kNGridSolid),
                         p.sysq.Int(sysqline::kNGridBlank), colour);
        }
        ScaleFigure(p, x, layout,
                    layout.mirrored ? rave::FormatText("%d", label) : rave::FormatText("%2d", label));
    }
}

double BlowX(const SectionPainter& p, const GraphAxis& axis, double blows) {
    const long k = std::clamp(p.sysq.Int(sysqline::kNGridMaximum), 0L, 2L);
    return axis.zero + blows / 10.0 * axis.span / (static_cast<double>(k) + 5.1);
}

struct BlowPoint {
    double blows = 0.0;
    double y = 0.0;
    bool breakBefore = false;
    std::string figure;
};

// Joins the points, marks them and writes their figures.
void PlotBlows(const SectionPainter& p, const ColumnLayout& layout, const GraphAxis& axis,
               const std::vector<BlowPoint>& points) {
    const double cap = BlowCodeValue(p.sysq.Int(sysqline::kMaxBlowCount));
    const long symbolCode = p.sysq.Int(sysqline::kOverRangeSymbol);
    const long figures = p.sysq.Int(sysqline::kValueFigures);
    const int lineWidth = static_cast<int>(p.sysq.Int(sysqline::kNGraphLineWidth));
    const rave::ColorRef colour = p.Monochrome() ? rave::kBlack : rave::MakeColorRef(200, 0, 0);
    std::vector<rave::SurfacePoint> run;
    const auto flush = [&] {
        if (run.size() >= 2) {
            p.surface.Polyline(run, rave::Pen{rave::pen_style::kSolid, lineWidth, colour});
        }
        run.clear();
    };
    p.SelectFont(section_font::kNValue);
    for (const BlowPoint& point : points) {
        const double blows = std::min(point.blows, cap);
        const double x = BlowX(p, axis, std::max(blows, 0.0));
        if (point.breakBefore) {
            flush();
        }
        run.push_back(p.At(x, point.y));
        const bool atOrBelowZero = point.blows <= 0.0;
        const bool aboveMaximum = point.blows > cap;
        if (atOrBelowZero || aboveMaximum) {
            if (symbolCode == 0 || symbolCode == 2) {
                Ring(p, x, point.y, colour);
            }
            if (symbolCode == 1 || symbolCode == 2) {
                aboveMaximum ? OverRangeArrow(p, axis, point.y, colour) : ZeroDash(p, axis, point.y, colour);
            }
        } else {
            Dot(p, x, point.y, colour);
        }
        if (figures >= 1 && figures <= 4 && !point.figure.empty()) {
            const bool zeroSide = figures == 1 || figures == 3;
            const bool inside = figures <= 2;
            const double edge = zeroSide ? axis.zero : axis.At(1.0);
            const double inward = (zeroSide ? 1.0 : -1.0) * (axis.span >= 0 ? 1.0 : -1.0);
            const double gap = p.PaperX(0.5);
            const double fx = inside ? edge + inward * gap : edge - inward * gap;
            const bool textGoesRight = inside ? inward > 0 : inward < 0;
            p.Text(fx, point.y,
                   (textGoesRight ? rave::text_align::kLeft : rave::text_align::kRight) |
                       rave::text_align::kBaseline,
                   point.figure);
        }
    }
    flush();
}

void DrawSwedishGraph(const SectionPainter& p, const PlacedColumn& column, const NormalizedLog& log,
                      const ColumnLayout& layout, bool convertedN) {
    const GraphAxis axis = AxisOf(layout);
    const int m = static_cast<int>(p.sysq.Int(sysqline::kSwedishGridMaximum));
    const double widthMm = p.sysq.Real(sysqline::kNGraphWidth);
    const int gridWidth = static_cast<int>(p.sysq.Int(sysqline::kSwedishGridWidth));
    const rave::ColorRef gridColour = p.Colour(sysqline::kSwedishGridColour);
    const auto gridLine = [&](double fraction) {
        const double x = axis.At(fraction);
        p.DashedLine(x, layout.top, x, layout.bottom, std::max(gridWidth, 1),
                     p.sysq.Int(sysqline::kSwedishGridSolid), p.sysq.Int(sysqline::kSwedishGridBlank),
                     gridColour);
    };
    p.SelectFont(section_font::kScale);
    ScaleFigure(p, axis.At(0.0), layout, "0");
    ScaleFigure(p, axis.At(SwedishGraphFraction(50.0, m)), layout, "50");
    if (gridWidth >= 1) {
        gridLine(SwedishGraphFraction(50.0, m));
    }
    for (const int nsw : {0, 100, 200, 400, 800}) {
        if (nsw > m) {
            break;
        }
        const double fraction = SwedishGraphFraction(nsw + 100.0, m) / 1.02;
        if (nsw != 200 || widthMm >= 20.0) {
            ScaleFigure(p, axis.At(fraction), layout, rave::FormatText("%d", nsw));
        }
        if (nsw < m && gridWidth >= 1) {
            gridLine(SwedishGraphFraction(nsw + 100.0, m));
        }
    }
    GraphTitle(p, layout, "WswNsw", convertedN ? 1.5 : 1.0);

    // The measured values as a step line: each row's value holds from the previous depth to its own.
    const bool skipInvalid = p.sysq.Int(sysqline::kInvalidCharacters) == 1;
    const int lineWidth = static_cast<int>(p.sysq.Int(sysqline::kSwedishGraphWidth));
    const rave::ColorRef colour = p.Monochrome() ? rave::kBlack : rave::MakeColorRef(0, 0, 160);
    std::vector<rave::SurfacePoint> line{p.At(axis.zero, layout.top)};
    std::vector<BlowPoint> converted;
    double previousDepth = 0.0;
    const std::vector<LogRow>& rows = log.Rows(logsection::kMeasured);
    for (int r = 0, count = log.RowCount(logsection::kMeasured); r < count; ++r) {
        const LogRow& row = rows[static_cast<std::size_t>(r)];
        const double depth = Field(row, 0);
        if (!HasNumber(row, 3) && !HasNumber(row, 4)) {
            if (skipInvalid) {
                previousDepth = depth;
            }
            continue;  // otherwise the next valid row covers this interval
        }
        const double value = 100.0 * Field(row, 3) + Field(row, 4);
        double fraction = SwedishGraphFraction(value, m);
        const bool over = fraction > kOverRangeFraction;
        fraction = std::min(fraction, 1.0);
        const double x = axis.At(fraction);
        line.push_back(p.At(x, layout.top + previousDepth));
        line.push_back(p.At(x, layout.top + depth));
        if (over) {
            OverRangeArrow(p, axis, layout.top + (previousDepth + depth) / 2.0, colour);
        }
        previousDepth = depth;
        if (convertedN && HasNumber(row, 1)) {
            converted.push_back(
                {Field(row, 1), layout.top + depth, false, rave::FormatText("%.1f", Field(row, 1))});
        }
    }
    line.push_back(p.At(axis.zero, layout.top + previousDepth));
    if (line.size() > 2) {
        p.surface.Polyline(line, rave::Pen{rave::pen_style::kSolid, lineWidth, colour});
    }
    (void)column;
    if (convertedN) {
        PlotBlows(p, layout, axis, converted);
    }
}

void DrawNValueGraph(const SectionPainter& p, const NormalizedLog& log, const ColumnLayout& layout) {
    const GraphAxis axis = AxisOf(layout);
    BlowGrid(p, layout, axis);
    GraphTitle(p, layout, "Ｎ値", 1.0);
    std::vector<BlowPoint> points;
    const std::vector<LogRow>& rows = log.Rows(logsection::kMeasured);
    for (int r = 0, count = log.RowCount(logsection::kMeasured); r < count; ++r) {
        const LogRow& row = rows[static_cast<std::size_t>(r)];
        if (Text(row, 0).empty() || rave::TrimBlanks(Text(row, 1)).empty()) {
            continue;
        }
        const std::string& n = Text(row, 1);
        const double blows = BlowsPer30cm(n);
        if (blows < 0.0 && !rave::HasLeadingNumber(n)) {
            continue;
        }
        const double y = layout.top + Field(row, 0) + PenetrationCm(n) / 100.0 / 2.0;
        points.push_back({blows, y, rave::ParseInteger(Text(row, 5)) == 1, std::string(rave::TrimBlanks(n))});
    }
    PlotBlows(p, layout, axis, points);
}

std::string NdFigure(double value, std::string_view decimals) {
    const std::string_view d = rave::TrimBlanks(decimals);
    if (!rave::HasLeadingNumber(d)) {
        return rave::FormatText("%g", value);  // "自動"
    }
    switch (rave::ParseInteger(d)) {
        case 1:
            return rave::FormatText("%4.1f", value);
        case 2:
            return rave::FormatText("%4.2f", value);
        case 3:
            return rave::FormatText("%4.3f", value);
        case 4:
            return rave::FormatText("%5.4f", value);
        case 5:
            return rave::FormatText("%6.5f", value);
        case 6:
            return rave::FormatText("%6.6f", value);
        default:
            return rave::FormatText("%2.0f", value);
    }
}

// Nd from "$$E" rows with a number in field 2: a step line like a sounding record.
void DrawNdGraph(const SectionPainter& p, const PlacedColumn& column, const NormalizedLog& log,
                 const ColumnLayout& layout) {
    const GraphAxis axis = AxisOf(layout);
    BlowGrid(p, layout, axis);
    GraphTitle(p, layout, "Nd値", 1.0);
    const double cap = BlowCodeValue(p.sysq.Int(sysqline::kNGridMaximum));
    const rave::ColorRef colour = p.Monochrome() ? rave::kBlack : rave::MakeColorRef(200, 0, 0);
    const int lineWidth = static_cast<int>(p.sysq.Int(sysqline::kNGraphLineWidth));
    const long figures = p.sysq.Int(sysqline::kValueFigures);
    std::vector<rave::SurfacePoint> line{p.At(axis.zero, layout.top)};
    double previousDepth = 0.0;
    p.SelectFont(section_font::kNValue);
    const std::vector<LogRow>& rows = log.Rows(logsection::kE);
    for (int r = 0, count = log.RowCount(logsection::kE); r < count; ++r) {
        const LogRow& row = rows[static_cast<std::size_t>(r)];
        if (!HasNumber(row, 0) || !HasNumber(row, 1)) {
            continue;
        }
        const double depth = Field(row, 0);
        const double nd = Field(row, 1);
        const double x = BlowX(p, axis, std::clamp(nd, 0.0, cap));
        line.push_back(p.At(x, layout.top + previousDepth));
        line.push_back(p.At(x, layout.top + depth));
        if (nd > cap) {
            OverRangeArrow(p, axis, layout.top + (previousDepth + depth) / 2.0, colour);
        }
        if (figures >= 1 && figures <= 4) {
            const bool zeroSide = figures == 1 || figures == 3;
            const double edge = zeroSide ? axis.zero : axis.At(1.0);
            const bool right = (zeroSide == (figures <= 2)) == (axis.span >= 0);
            p.Text(edge + (right ? 1 : -1) * p.PaperX(0.5), layout.top + depth,
                   (right ? rave::text_align::kLeft : rave::text_align::kRight) | rave::text_align::kBottom,
                   NdFigure(nd, column[colfield::kNdDecimals]));
        }
        previousDepth = depth;
    }
    line.push_back(p.At(axis.zero, layout.top + previousDepth));
    if (line.size() > 2) {
        p.surface.Polyline(line, rave::Pen{rave::pen_style::kSolid, lineWidth, colour});
    }
}

// Where sample and in-situ marks stand: left or right of the pattern cell, or outside the graph.
bool MarkColumn(const SectionPainter& p, const ColumnLayout& layout, long position, int slotOffset,
                double& x1, double& x2) {
    // Narrow enough for the 0.9 mm between the pattern and the graph cell.
    const double width = p.PaperX(0.6);
    const double gap = p.PaperX(0.15) + slotOffset * p.PaperX(0.9);
    switch (position) {
        case 1:
            x2 = layout.pattern.left - gap;
            x1 = x2 - width;
            return layout.hasPattern;
        case 2:
            x1 = layout.pattern.right + gap;
            x2 = x1 + width;
            return layout.hasPattern;
        case 3: {
            const CellEdges block = layout.Block();
            x1 = block.right + gap;
            x2 = x1 + width;
            return true;
        }
        default:
            return false;
    }
}

// Samples ("$$c": from, to, label, kind): □ or ■ by the kind settings, with the label beside.
void DrawSamples(const SectionPainter& p, const NormalizedLog& log, const ColumnLayout& layout) {
    double x1 = 0.0, x2 = 0.0;
    if (!MarkColumn(p, layout, p.sysq.Int(sysqline::kSamplePosition), 0, x1, x2)) {
        return;
    }
    p.SelectFont(section_font::kInSitu);
    const std::vector<LogRow>& rows = log.Rows(logsection::kLowerC);
    for (int r = 0, count = log.RowCount(logsection::kLowerC); r < count; ++r) {
        const LogRow& row = rows[static_cast<std::size_t>(r)];
        const double from = Field(row, 0);
        const double to = HasNumber(row, 1) ? Field(row, 1) : from + 0.5;
        const bool undisturbed = Text(row, 3).find("乱さない") != std::string::npos;
        const long style =
            p.sysq.Int(undisturbed ? sysqline::kUndisturbedSample : sysqline::kDisturbedSample);
        if (style != 2) {
            const rave::SurfaceRect rect{p.mapping.ToSurfaceX(x1), p.mapping.ToSurfaceY(layout.top + from),
                                         p.mapping.ToSurfaceX(x2), p.mapping.ToSurfaceY(layout.top + to)};
            p.surface.Rectangle(
                rect, rave::Pen{rave::pen_style::kSolid, 1, rave::kBlack},
                style == 1 ? rave::Brush::Solid(rave::kBlack) : rave::Brush::Solid(rave::kWhite));
        }
        const bool leftSide = p.sysq.Int(sysqline::kSamplePosition) == 1;
        p.Text(leftSide ? x1 - p.PaperX(0.3) : x2 + p.PaperX(0.3), layout.top + from,
               leftSide ? rave::text_align::kRight : rave::text_align::kLeft, Text(row, 2));
    }
}

// In-situ tests ("$$G": from, to, label): an open box, hatched when chosen, with the label.
void DrawInSituTests(const SectionPainter& p, const NormalizedLog& log, const ColumnLayout& layout) {
    const long position = p.sysq.Int(sysqline::kInSituPosition);
    const int offset = position == p.sysq.Int(sysqline::kSamplePosition) ? 1 : 0;
    double x1 = 0.0, x2 = 0.0;
    if (!MarkColumn(p, layout, position, offset, x1, x2)) {
        return;
    }
    const bool hatched = p.sysq.Int(sysqline::kInSituHatching) == 1;
    p.SelectFont(section_font::kInSitu);
    const std::vector<LogRow>& rows = log.Rows(logsection::kG);
    for (int r = 0, count = log.RowCount(logsection::kG); r < count; ++r) {
        const LogRow& row = rows[static_cast<std::size_t>(r)];
        const double from = Field(row, 0);
        const double to = HasNumber(row, 1) ? Field(row, 1) : from + 0.5;
        const rave::SurfaceRect rect{p.mapping.ToSurfaceX(x1), p.mapping.ToSurfaceY(layout.top + from),
                                     p.mapping.ToSurfaceX(x2), p.mapping.ToSurfaceY(layout.top + to)};
        p.surface.Rectangle(rect, rave::Pen{rave::pen_style::kSolid, 1, rave::kBlack},
                            hatched ? rave::Brush::Hatch(rave::hatch_style::kForwardDiagonal, rave::kBlack)
                                    : rave::Brush::Solid(rave::kWhite));
        const bool leftSide = position == 1;
        p.Text(leftSide ? x1 - p.PaperX(0.3) : x2 + p.PaperX(0.3), layout.top + from,
               leftSide ? rave::text_align::kRight : rave::text_align::kLeft, Text(row, 2));
    }
}

}  // namespace

void DrawColumnBlock(const SectionPainter& painter, const PlacedColumn& column, const NormalizedLog& log,
                     const ColumnLayout& layout) {
    if (layout.hasPattern) {
        ClearCell(painter, layout.pattern, layout);
    }
    if (layout.hasGraph) {
        ClearCell(painter, layout.graph, layout);
    }
    if (layout.hasPattern) {
        DrawSoilLayers(painter, log, layout, column.Kind());
        FrameCell(painter, layout.pattern, layout);
    }
    if (layout.hasGraph) {
        FrameCell(painter, layout.graph, layout);
        switch (layout.graphKind) {
            case GraphKind::kSwedish:
                DrawSwedishGraph(painter, column, log, layout, painter.settings.convertedNPlot == 1);
                break;
            case GraphKind::kNValue:
                DrawNValueGraph(painter, log, layout);
                break;
            case GraphKind::kNd:
                DrawNdGraph(painter, column, log, layout);
                break;
            case GraphKind::kNone:
                break;
        }
    }
    DrawSamples(painter, log, layout);
    DrawInSituTests(painter, log, layout);
}

}  // namespace ravesect
