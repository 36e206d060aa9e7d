// The order of the section drawing, the layers, the elevation rulers and lines, the titles.
#include "ravesect/drawing/section_drawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/drawing/surface_hints.h"
#include "common/format.h"
#include "common/numbers.h"
#include "ravesect/document/working_files.h"
#include "ravesect/drawing/section_column.h"
#include "ravesect/drawing/section_snapshot.h"

namespace ravesect {

namespace {

constexpr rave::ColorRef kPageFrameColour = 0xffff00;  // cyan
constexpr int kMaxRulerTicks = 202;
constexpr int kMaxElevationLines = 102;
constexpr double kRulerTickLength = 0.5;
constexpr double kLeftLabelGap = 0.8;
constexpr double kRightLabelGap = 0.9;
constexpr double kDoubleLineGapMm = 1.9;

void DrawPageFrame(const SectionPainter& p, const SectionPage& page) {
    const SectionSettings& s = p.settings;
    const rave::SurfaceRect rect{p.mapping.ToSurfaceX(page.leftEnd * 10.0),
                                 p.mapping.ToSurfaceY(-page.topElevation),
                                 p.mapping.ToSurfaceX((page.leftEnd + s.distancePerPage) * 10.0),
                                 p.mapping.ToSurfaceY(-(page.topElevation - s.depthPerPage))};
    const int width = static_cast<int>(p.sysq.Int(sysqline::kFrameWidth));
    p.surface.Rectangle(rect, rave::Pen{rave::pen_style::kSolid, width, kPageFrameColour},
                        rave::Brush::None());
}

void DrawLayers(const SectionPainter& p, const SectionDocument& document) {
    for (int n = 1; n <= kLayers; ++n) {
        const LayerOutline& layer = document.Layer(n);
        if (!layer.InUse()) {
            break;
        }
        const rave::ColorRef colour = layer.ColourValue();
        const bool hatchGiven = rave::HasLeadingNumber(layer.hatch);
        const long hatch = rave::ParseInteger(layer.hatch);
        const bool hatchValid = hatchGiven && hatch >= 0 && hatch < rave::hatch_style::kCount;
        const bool outline = rave::ParseInteger(layer.lineMode) == 1 || layer.hatch.empty();
        std::vector<rave::SurfacePoint> points;
        for (const int number : layer.PointNumbers()) {
            if (number < 1 || number > kPoints) {
                break;
            }
            const SectionPoint& point = document.Point(number);
            if (!point.IsDefined()) {
                continue;
            }
            points.push_back(p.At(point.x, point.y));
        }
        if (outline) {
            if (!points.empty()) {
                const int width = hatchValid ? static_cast<int>(hatch) : 1;
                p.surface.Polyline(points, rave::Pen{rave::pen_style::kSolid, width, colour});
            }
        } else if (points.size() >= 2) {
            const rave::Brush brush =
                hatchValid ? rave::Brush::Hatch(static_cast<int>(hatch), colour) : rave::Brush::Solid(colour);
            p.surface.Polygon(points, rave::Pen{rave::pen_style::kSolid, 1, colour}, brush,
                              rave::FillMode::kAlternate);
        }
    }
}

void DrawElevationRuler(const SectionPainter& p, const PlacedColumn& column, bool leftRuler) {
    const SectionSettings& s = p.settings;
    const double x = column.Distance() * 10.0;
    const double top = -static_cast<double>(s.rulerTop);
    const double bottom = -static_cast<double>(s.rulerBottom);
    const int width = static_cast<int>(p.sysq.Int(sysqline::kRulerWidth));
    p.Line(x, top, x, bottom, width);
    double outer = x;
    if (p.sysq.Int(sysqline::kRulerDouble) == 1) {
        outer = x + (leftRuler ? -1.0 : 1.0) * p.PaperX(kDoubleLineGapMm);
        p.Line(outer, top, outer, bottom, width + 1);
    }
    const int textHeight = p.SelectFont(section_font::kFlag);
    if (!s.rulerTitle.empty()) {
        p.surface.SetTextAlign(rave::text_align::kCenterBottom);
        p.surface.TextOut({p.mapping.ToSurfaceX(x), p.mapping.ToSurfaceY(top) - textHeight}, s.rulerTitle);
    }
    if (s.rulerStep <= 0) {
        return;
    }
    const double direction = leftRuler ? -1.0 : 1.0;
    p.surface.SetTextAlign(leftRuler ? rave::text_align::kRight : rave::text_align::kLeft);
    for (int i = 0; i < kMaxRulerTicks; ++i) {
        const int elevation = s.rulerTop - i * s.rulerStep;
        if (elevation < s.rulerBottom) {
            break;
        }
        const double y = -static_cast<double>(elevation);
        p.Line(outer, y, outer + direction * kRulerTickLength, y, width);
        const double labelX = outer + direction * (leftRuler ? kLeftLabelGap : kRightLabelGap);
        p.surface.TextOut({p.mapping.ToSurfaceX(labelX), p.mapping.ToSurfaceY(y) - textHeight / 2},
                          rave::FormatText("%2d", elevation));
    }
}

void DrawElevationLines(const SectionPainter& p, double firstX, double lastX) {
    const long width = p.sysq.Int(sysqline::kElevationLineWidth);
    const SectionSettings& s = p.settings;
    if (width < 1 || s.rulerStep <= 0) {
        return;
    }
    const rave::ColorRef colour = p.Colour(sysqline::kElevationLineColour);
    for (int i = 0; i < kMaxElevationLines; ++i) {
        const int elevation = s.rulerTop - i * s.rulerStep;
        if (elevation < s.rulerBottom) {
            break;
        }
        p.DashedLine(firstX, -elevation, lastX, -elevation, static_cast<int>(width),
                     p.sysq.Int(sysqline::kElevationLineSolid), p.sysq.Int(sysqline::kElevationLineBlank),
                     colour);
    }
}

void DrawTitles(const SectionPainter& p, const SectionDocument& document) {
    for (const bool second : {false, true}) {
        p.SelectFont(second ? section_font::kTitle2 : section_font::kTitle1);
        p.surface.SetTextAlign(rave::text_align::kLeftTop);
        for (int n = 1; n <= kTitleEntries; ++n) {
            const TitleText& title = document.Title(n);
            if (!(title.x > -9999.0 && title.y > -9999.0) || title.text.empty()) {
                continue;
            }
            const long font = rave::ParseInteger(title.font);
            if ((second && font == 2) || (!second && font < 2)) {
                p.surface.TextOut(p.At(title.x, title.y), title.text);
            }
        }
    }
}

rave::SurfaceRect PageRect(const SectionPainter& p, const SectionPage& page) {
    const SectionSettings& s = p.settings;
    return rave::SurfaceRect{p.mapping.ToSurfaceX(page.leftEnd * 10.0),
                             p.mapping.ToSurfaceY(-page.topElevation),
                             p.mapping.ToSurfaceX((page.leftEnd + s.distancePerPage) * 10.0),
                             p.mapping.ToSurfaceY(-(page.topElevation - s.depthPerPage))}
        .Normalized();
}

}  // namespace

SectionPage ScreenPage(double shownLeftEnd, double shownTop) {
    return {shownLeftEnd, shownTop};
}

SectionPage PrintedPage(const SectionSettings& settings, int page) {
    const int p = std::max(page, 1);
    return {static_cast<double>(settings.leftEnd) +
                static_cast<double>(settings.distancePerPage - settings.pageOverlapDistance) * (p - 1),
            settings.topElevation};
}

SectionMapping MappingForPage(const rave::DrawingSurface& surface, const SectionSettings& settings,
                              const SysqSettings& sysq, const SectionPage& page) {
    SectionMapping mapping =
        SectionMapping::ForDevice(surface.DpiX(), surface.DpiY(), settings.distanceScale, settings.depthScale,
                                  sysq.Real(sysqline::kLeftMargin), sysq.Real(sysqline::kTopMargin));
    mapping.ShowPage(page.leftEnd, page.topElevation);
    return mapping;
}

void DrawSectionUnderColumns(rave::DrawingSurface& surface, const SectionDocument& document,
                             const SectionDrawingResources& resources, bool printing, const SectionPage& page,
                             const EditMarkerFunction& markers) {
    SectionMapping mapping = MappingForPage(surface, document.settings, resources.sysq, page);
    const SectionPainter painter{
        surface, mapping, resources.sysq, resources.fonts, resources.patternColors, document.settings};
    surface.SetTransparentText(true);
    namespace layer = rave::surface_layer;
    if (!printing) {
        rave::SetLayerHint(surface, layer::kFrame);
        DrawPageFrame(painter, page);
    }
    rave::SetLayerHint(surface, layer::kLayer);
    DrawLayers(painter, document);
    rave::SetLayerHint(surface, layer::kDefault);
    if (!printing && markers) {
        markers(surface, mapping);
    }
}

SectionExtent DrawSectionColumnsAndOver(rave::DrawingSurface& surface, const SectionDocument& document,
                                        const SectionDocument& columns,
                                        const SectionDrawingResources& resources, const SectionPage& page) {
    SectionMapping mapping = MappingForPage(surface, document.settings, resources.sysq, page);
    DrawingMessages messages(resources.messages);
    const SectionPainter painter{
        surface,           mapping,   resources.sysq,       resources.fonts, resources.patternColors,
        document.settings, &messages, resources.simpleTable};
    surface.SetTransparentText(true);
    namespace layer = rave::surface_layer;

    SectionExtent extent;
    std::vector<ColumnLayout> blocks;
    const double graphWidth = resources.sysq.Real(sysqline::kNGraphWidth);
    surface.IntersectClipRect(PageRect(painter, page));
    for (int slot = 0; slot < kColumnSlots; ++slot) {
        const PlacedColumn& column = columns.Column(slot);
        if (!column.InUse()) {
            continue;
        }
        const double distance = column.Distance();
        if (!extent.hasColumns) {
            extent.firstDistance = distance;
        }
        extent.hasColumns = true;
        extent.lastDistance = distance;
        if (!column.NamesFile()) {
            rave::SetLayerHint(surface, layer::kRuler);
            DrawElevationRuler(painter, column, slot == 0);
            continue;
        }
        const ColumnLayout layout =
            LayOutColumnWithLog(column, columns.Log(slot), graphWidth, document.settings.distanceScale);
        const double elevation = rave::ParseDecimal(column[colfield::kElevation]);
        const double bottom = layout.bottom;
        extent.highestGround = extent.hasLogs ? std::max(extent.highestGround, elevation) : elevation;
        extent.deepestBottom = extent.hasLogs ? std::max(extent.deepestBottom, bottom) : bottom;
        extent.hasLogs = true;
        rave::SetLayerHint(surface, layer::kSoil);
        DrawColumnBlock(painter, column, columns.Log(slot), layout);
        DrawColumnFlag(painter, column);
        DrawWaterLevelMark(painter, column, layout);
        blocks.push_back(layout);
    }

    const bool linesCrossGraphs = resources.sysq.Int(sysqline::kElevationLinesCrossGraphs) == 1;
    for (const ColumnLayout& layout : blocks) {
        const CellEdges cut = linesCrossGraphs && layout.hasPattern ? layout.pattern : layout.Block();
        surface.ExcludeClipRect(
            rave::SurfaceRect{mapping.ToSurfaceX(cut.left), mapping.ToSurfaceY(layout.top),
                              mapping.ToSurfaceX(cut.right), mapping.ToSurfaceY(layout.bottom)}
                .Normalized());
    }
    rave::SetLayerHint(surface, layer::kGrid);
    if (extent.hasColumns) {
        DrawElevationLines(
            painter,
            columns.Column(0).InUse() ? columns.Column(0).Distance() * 10.0 : extent.firstDistance * 10.0,
            extent.lastDistance * 10.0);
    }
    surface.ResetClip();
    rave::SetLayerHint(surface, layer::kTitle);
    DrawTitles(painter, document);
    rave::SetLayerHint(surface, layer::kDefault);
    return extent;
}

SectionExtent DrawSection(rave::DrawingSurface& surface, const SectionDocument& document,
                          const SectionDocument& columns, const SectionDrawingResources& resources,
                          bool printing, const SectionPage& page, const EditMarkerFunction& markers) {
    DrawSectionUnderColumns(surface, document, resources, printing, page, markers);
    return DrawSectionColumnsAndOver(surface, document, columns, resources, page);
}

SectionExtent DrawSectionFromColumnsFile(rave::DrawingSurface& surface, const SectionDocument& document,
                                         const std::filesystem::path& columnsFile,
                                         const SectionDrawingResources& resources, bool printing,
                                         const SectionPage& page, const EditMarkerFunction& markers) {
    WorkingFiles files;
    files.columns = columnsFile;
    SectionSnapshot snapshot;
    snapshot.Load(files);
    return DrawSectionSnapshot(surface, document, snapshot, resources, printing, page, markers);
}

}  // namespace ravesect
