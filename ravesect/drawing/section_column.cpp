// Column layout, the painter helpers, flags and water-level marks.
#include "ravesect/drawing/section_column.h"

#include <algorithm>
#include <cmath>

#include "common/format.h"
#include "common/numbers.h"
#include "common/pattern_colors.h"
#include "common/patterns/pattern_primitives.h"
#include "common/text_fields.h"

namespace ravesect {

namespace {

constexpr double kPatternCellMm = 7.4;
constexpr double kCellGapMm = 0.9;
constexpr double kPi = 3.14159265358979323846;
constexpr double kMmPerPoint = 25.4 / 72.0;

long FieldInt(const PlacedColumn& column, int field) {
    return rave::ParseInteger(column[field]);
}

}  // namespace

CellEdges ColumnLayout::Block() const {
    CellEdges block{std::min(pattern.left, graph.left), std::max(pattern.right, graph.right)};
    if (!hasPattern) {
        block = graph;
    } else if (!hasGraph) {
        block = pattern;
    }
    return block;
}

GraphKind GraphKindOf(int kind, int frameOrder) {
    if (kind >= 300 && kind <= 303) {
        return GraphKind::kSwedish;
    }
    if (kind == 320 || kind == 400 || kind == 450 || kind == 500 || kind == 600) {
        return frameOrder == 4 || frameOrder == 5 ? GraphKind::kNd : GraphKind::kNValue;
    }
    return GraphKind::kNone;
}

PatternSources PatternSourcesFor(long drawingMethod, bool surfaceKeepsBitmaps) {
    if (!surfaceKeepsBitmaps) {
        return {};
    }
    switch (drawingMethod) {
        case 1:  // "ビットマップ優先"
            return {true, true, false};
        case 2:  // "線描優先"
            return {false, true, true};
        case 3:  // "ビットマップのみ"
            return {true, false, false};
        default:  // "線描のみ使用" and values the settings dialog never writes
            return {};
    }
}

ColumnLayout LayOutColumn(const PlacedColumn& column, double graphWidthMm, int distanceScale) {
    const double g = graphWidthMm;
    const long order = FieldInt(column, colfield::kFrameOrder);
    const bool flipped = FieldInt(column, colfield::kFlagFlip) == 1;
    double p1 = 0.0, p2 = kPatternCellMm, g1 = kPatternCellMm + kCellGapMm,
           g2 = g + kPatternCellMm + kCellGapMm;
    ColumnLayout layout;
    switch (order) {
        case 1:
        case 5:
            p1 = g + kCellGapMm;
            p2 = g + kPatternCellMm + kCellGapMm;
            g1 = 0.0;
            g2 = g;
            break;
        case 2:
            g1 = g2 = flipped ? -kCellGapMm : kPatternCellMm + kCellGapMm;
            layout.hasGraph = false;
            break;
        case 3:
            p1 = p2 = -kCellGapMm;
            g1 = 0.0;
            g2 = g;
            layout.hasPattern = false;
            break;
        default:
            break;
    }
    const double edges[4] = {p1, p2, g1, g2};
    const long anchorIndex = FieldInt(column, colfield::kFlagPosition);
    const double anchor = edges[anchorIndex >= 0 && anchorIndex <= 3 ? anchorIndex : 0];
    const double x = column.Distance() * 10.0;
    const auto world = [&](double mm) { return x + PaperToWorldX(mm - anchor, distanceScale); };
    layout.pattern = {world(p1), world(p2)};
    layout.graph = {world(g1), world(g2)};
    const double elevation = rave::ParseDecimal(column[colfield::kElevation]);
    const double depth = rave::ParseDecimal(column[colfield::kDepth]);
    layout.top = -elevation;
    layout.bottom = depth - elevation;
    layout.graphKind = GraphKindOf(column.Kind(), static_cast<int>(order));
    layout.mirrored = FieldInt(column, colfield::kGraphMirror) == 1;
    return layout;
}

double LogEndDepth(const NormalizedLog& log) {
    double deepest = 0.0;
    for (const int s : {logsection::kLayers, logsection::kMeasured, logsection::kE}) {
        for (int r = 0, count = log.RowCount(s); r < count; ++r) {
            const LogRow& row = log.Rows(s)[static_cast<std::size_t>(r)];
            if (!row.empty()) {
                deepest = std::max(deepest, rave::ParseDecimal(row[0]));
            }
        }
    }
    return deepest;
}

ColumnLayout LayOutColumnWithLog(const PlacedColumn& column, const NormalizedLog& log, double graphWidthMm,
                                 int distanceScale) {
    ColumnLayout layout = LayOutColumn(column, graphWidthMm, distanceScale);
    if (!(layout.bottom > layout.top)) {
        layout.bottom = layout.top + LogEndDepth(log);
    }
    return layout;
}

void DrawingMessages::Show(const rave::Message& message) {
    if (sink_ == nullptr) {
        return;
    }
    const std::string key = message.text + '\n' + message.argument;
    if (std::find(shown_.begin(), shown_.end(), key) != shown_.end()) {
        return;
    }
    shown_.push_back(key);
    sink_->Show(message);
}

rave::ColorRef SectionPainter::Colour(int line) const {
    if (Monochrome()) {
        return rave::kBlack;
    }
    return rave::ParseColorValue(sysq.Line(line));
}

int SectionPainter::DashUnits(long screenPixels) const {
    return static_cast<int>(std::lround(static_cast<double>(screenPixels) * surface.DpiX() / 96.0));
}

int SectionPainter::SelectFont(int n, double angleDegrees) const {
    const rave::FontSlot& slot = SectionFont(fonts, n);
    rave::FontSpec spec;
    spec.face = slot.face;
    spec.height = static_cast<int>(std::trunc(surface.DpiY() * slot.size / 72.0));
    spec.escapement = static_cast<int>(std::lround(angleDegrees * 10.0));
    surface.SelectFont(spec);
    surface.SetTextColor(Monochrome() ? rave::kBlack : slot.colour);
    return spec.height;
}

void SectionPainter::Text(double x, double y, int align, const std::string& cp932) const {
    surface.SetTextAlign(align);
    surface.TextOut(At(x, y), cp932);
}

void SectionPainter::Line(double x1, double y1, double x2, double y2, int width,
                          rave::ColorRef colour) const {
    surface.Line(At(x1, y1), At(x2, y2), rave::Pen{rave::pen_style::kSolid, width, colour});
}

void SectionPainter::DashedLine(double x1, double y1, double x2, double y2, int width, long solid, long blank,
                                rave::ColorRef colour) const {
    if (blank <= 0 || solid <= 0) {
        Line(x1, y1, x2, y2, width, colour);
        return;
    }
    const rave::MappedSurface target{surface, mapping};
    rave::DrawDashedLine(target, x1, y1, x2, y2, DashUnits(solid), DashUnits(blank), rave::pen_style::kSolid,
                         width, colour);
}

FlagTexts MakeFlagTexts(const PlacedColumn& column, const SysqSettings& sysq) {
    FlagTexts texts;
    const std::string& label = column[colfield::kLabel];
    texts.label = sysq.Int(sysqline::kLabelPrefix) == 1 ? rave::FormatText(" Ｎo.%s", label)
                                                        : rave::FormatText(" %s", label);
    texts.label += "　";
    const std::string& kind = column[colfield::kElevationKind];
    const std::string& separator = sysq.Line(sysqline::kSeparator);
    texts.elevation = rave::FormatText(" %s%s%5.2fm", kind.empty() ? std::string("　") : kind, separator,
                                       rave::ParseDecimal(column[colfield::kElevation]));
    texts.depth = rave::FormatText(" Ｄep%s%5.2fm", separator, rave::ParseDecimal(column[colfield::kDepth]));
    return texts;
}

void DrawColumnFlag(const SectionPainter& painter, const PlacedColumn& column) {
    const double x = column.Distance() * 10.0;
    const double ground = -rave::ParseDecimal(column[colfield::kElevation]);
    const int width = static_cast<int>(painter.sysq.Int(sysqline::kFrameWidth));
    const double staffTop = ground - painter.PaperY(painter.sysq.Real(sysqline::kFlagHeight));
    painter.Line(x, ground, x, staffTop, width);

    const bool flipped = rave::ParseInteger(column[colfield::kFlagFlip]) == 1;
    const double angle = painter.sysq.Real(sysqline::kFlagAngle);
    const double length = painter.sysq.Real(sysqline::kFlagLength);
    const double radians = angle * kPi / 180.0;
    const double cosA = std::cos(radians) * (flipped ? -1.0 : 1.0);
    const double sinA = std::sin(radians);
    painter.Line(x, staffTop, x + painter.PaperX(length * cosA), staffTop - painter.PaperY(length * sinA),
                 width);

    const double textAngle = flipped ? 360.0 - angle : angle;
    painter.SelectFont(section_font::kFlag, textAngle);
    const int align =
        (flipped ? rave::text_align::kRight : rave::text_align::kLeft) | rave::text_align::kBottom;
    // Below the slanted line, perpendicular to it: (sin, cos) on paper, mirrored when flipped.
    const double downX = flipped ? -sinA : sinA;
    const double downY = std::cos(radians);
    const FlagTexts texts = MakeFlagTexts(column, painter.sysq);
    painter.Text(x, staffTop, align, texts.label);
    painter.Text(x + painter.PaperX(4.0 * downX), staffTop + painter.PaperY(4.0 * downY), align,
                 texts.elevation);
    painter.Text(x + painter.PaperX(7.0 * downX), staffTop + painter.PaperY(7.0 * downY), align, texts.depth);
}

void DrawWaterLevelMark(const SectionPainter& painter, const PlacedColumn& column,
                        const ColumnLayout& layout) {
    const std::string& level = column[colfield::kWaterLevel];
    // "無し" (none) and "認められず" (not found) are texts, not levels: no mark.
    if (level.empty() || !rave::HasLeadingNumber(level) || level.find("無") != std::string::npos ||
        level.find("認") != std::string::npos) {
        return;
    }
    const double tipY = -(rave::ParseDecimal(column[colfield::kElevation]) + rave::ParseDecimal(level));
    const std::string& mark = column[colfield::kWaterMark];
    const long code = rave::ParseInteger(mark);
    const double fontMm = SectionFont(painter.fonts, section_font::kInSitu).size * kMmPerPoint;
    const double aside = painter.PaperX(0.6 * fontMm);
    double x = 0.0;
    if (code == 0) {
        x = layout.pattern.left - aside;
    } else if (code == 1) {
        x = layout.pattern.right + aside;
    } else {
        const std::size_t dot = mark.find('.');
        const double n = dot == std::string::npos ? 0.0 : rave::ParseDecimal(mark.substr(dot + 1));
        // On the blow scale of the N graph's figures: a step of 10 blows is width / (k + 5.1).
        const long k = std::clamp(painter.sysq.Int(sysqline::kNGridMaximum), 0L, 2L);
        const double zero = layout.mirrored ? layout.graph.right : layout.graph.left;
        const double far = layout.mirrored ? layout.graph.left : layout.graph.right;
        x = zero + (far - zero) / (static_cast<double>(k) + 5.1) * n / 10.0;
    }
    const int width = static_cast<int>(painter.sysq.Int(sysqline::kWaterMarkWidth));
    const double h = painter.PaperY(1.4);
    const double half = painter.PaperX(0.8);
    const double bar = painter.PaperX(0.88);
    const rave::ColorRef colour = painter.Monochrome() ? rave::kBlack : rave::MakeColorRef(0, 0, 255);
    painter.Line(x, tipY, x - half, tipY - h, width, colour);
    painter.Line(x, tipY, x + half, tipY - h, width, colour);
    painter.Line(x - bar, tipY - h, x + bar, tipY - h, width, colour);
    const double lengths[3] = {3.2, 1.6, 0.6};
    for (int i = 0; i < 3; ++i) {
        const double halfLength = painter.PaperX(lengths[i] / 2.0);
        const double y = tipY + painter.PaperY(0.4 * i);
        painter.Line(x - halfLength, y, x + halfLength, y, width, colour);
    }
}

}  // namespace ravesect
