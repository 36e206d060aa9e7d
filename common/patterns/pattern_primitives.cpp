// The world-unit drawing primitives: positions through the mapping, one pen per call.
#include "common/patterns/pattern_primitives.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "common/cp932.h"

namespace rave {

namespace {

bool DrawsStrokes(int width) {
    return width > 0;
}

Pen MakePen(int style, int width, ColorRef color) {
    return Pen{style, width, color};
}

// A device length from a world length along the vertical scale, clamped like a coordinate.
int VerticalLength(const MappedSurface& target, double length) {
    return ClampToSurface(length * target.mapping.ScaleY());
}

SurfaceRect AroundCentre(SurfacePoint centre, int halfWidth, int halfHeight) {
    return {ClampToSurface(static_cast<double>(centre.x) - halfWidth),
            ClampToSurface(static_cast<double>(centre.y) - halfHeight),
            ClampToSurface(static_cast<double>(centre.x) + halfWidth),
            ClampToSurface(static_cast<double>(centre.y) + halfHeight)};
}

SurfaceRect EllipseBounds(const MappedSurface& target, double cx, double cy, double rx, double ry) {
    SurfaceRect bounds{target.mapping.ToSurfaceX(cx - rx), target.mapping.ToSurfaceY(cy - ry),
                       target.mapping.ToSurfaceX(cx + rx), target.mapping.ToSurfaceY(cy + ry)};
    return bounds.Normalized();
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

void DrawLine(const MappedSurface& target, double x1, double y1, double x2, double y2, int style, int width,
              ColorRef color) {
    if (!DrawsStrokes(width)) {
        return;
    }
    target.surface.Line(target.ToSurface(x1, y1), target.ToSurface(x2, y2), MakePen(style, width, color));
}

void DrawDashedLine(const MappedSurface& target, double x1, double y1, double x2, double y2, int dash,
                    int gap, int style, int width, ColorRef color) {
    if (!DrawsStrokes(width) || dash <= 0) {
        return;
    }
    const SurfacePoint from = target.ToSurface(x1, y1);
    const SurfacePoint to = target.ToSurface(x2, y2);
    const Pen pen = MakePen(style, width, color);
    if (gap <= 0) {
        target.surface.Line(from, to, pen);
        return;
    }
    const int signX = Sign(to.x - from.x);
    const int signY = Sign(to.y - from.y);
    // 64-bit positions: the steps can walk past the 16-bit range before the loop ends.
    long long x = from.x;
    long long y = from.y;
    const long long period = static_cast<long long>(dash) + gap;
    for (long count = 0; count < kMaxDashes; ++count) {
        const bool beforeEndX = signX != 0 && (to.x - x) * signX > dash;
        const bool beforeEndY = signY != 0 && (to.y - y) * signY > dash;
        if (!beforeEndX && !beforeEndY) {
            break;
        }
        const SurfacePoint start{static_cast<int>(x), static_cast<int>(y)};
        const SurfacePoint end{ClampToSurface(static_cast<double>(x + signX * static_cast<long long>(dash))),
                               ClampToSurface(static_cast<double>(y + signY * static_cast<long long>(dash)))};
        target.surface.Line(start, end, pen);
        x += signX * period;
        y += signY * period;
    }
}

void DrawCircle(const MappedSurface& target, double cx, double cy, double r, int style, int width,
                ColorRef color) {
    if (!DrawsStrokes(width)) {
        return;
    }
    const int radius = std::abs(VerticalLength(target, r));
    target.surface.Ellipse(AroundCentre(target.ToSurface(cx, cy), radius, radius),
                           MakePen(style, width, color), Brush::None());
}

void DrawFilledCircle(const MappedSurface& target, double cx, double cy, double r, ColorRef fillColor,
                      int style, int width, ColorRef color) {
    const int radius = std::abs(VerticalLength(target, r));
    const Pen pen = DrawsStrokes(width) ? MakePen(style, width, color) : Pen{pen_style::kNull, 0, color};
    target.surface.Ellipse(AroundCentre(target.ToSurface(cx, cy), radius, radius), pen,
                           Brush::Solid(fillColor));
}

void DrawEllipse(const MappedSurface& target, double cx, double cy, double rx, double ry, int style,
                 int width, ColorRef color) {
    if (!DrawsStrokes(width)) {
        return;
    }
    target.surface.Ellipse(EllipseBounds(target, cx, cy, rx, ry), MakePen(style, width, color),
                           Brush::None());
}

void DrawArc(const MappedSurface& target, double cx, double cy, double r, double xs, double ys, double xe,
             double ye, int style, int width, ColorRef color) {
    if (!DrawsStrokes(width)) {
        return;
    }
    const int radius = std::abs(VerticalLength(target, r));
    target.surface.Arc(AroundCentre(target.ToSurface(cx, cy), radius, radius), target.ToSurface(xs, ys),
                       target.ToSurface(xe, ye), MakePen(style, width, color));
}

void DrawEllipticArc(const MappedSurface& target, double cx, double cy, double rx, double ry, double xs,
                     double ys, double xe, double ye, int style, int width, ColorRef color) {
    if (!DrawsStrokes(width)) {
        return;
    }
    target.surface.Arc(EllipseBounds(target, cx, cy, rx, ry), target.ToSurface(xs, ys),
                       target.ToSurface(xe, ye), MakePen(style, width, color));
}

void DrawDiamond(const MappedSurface& target, double cx, double cy, double hw, double hh, int style,
                 int width, ColorRef color) {
    if (!DrawsStrokes(width)) {
        return;
    }
    const Pen pen = MakePen(style, width, color);
    const std::array<SurfacePoint, 5> corners{target.ToSurface(cx - hw, cy), target.ToSurface(cx, cy - hh),
                                              target.ToSurface(cx + hw, cy), target.ToSurface(cx, cy + hh),
                                              target.ToSurface(cx - hw, cy)};
    for (std::size_t i = 0; i + 1 < corners.size(); ++i) {
        target.surface.Line(corners[i], corners[i + 1], pen);
    }
}

void DrawDiamondWithAxis(const MappedSurface& target, double cx, double cy, double hw, double hh, int style,
                         int width, ColorRef color) {
    if (!DrawsStrokes(width)) {
        return;
    }
    DrawDiamond(target, cx, cy, hw, hh, style, width, color);
    DrawLine(target, cx, cy - 0.8 * hh, cx, cy + 0.8 * hh, style, width, color);
}

void DrawTextAt(const MappedSurface& target, double x, double y, std::string_view cp932) {
    target.surface.TextOut(target.ToSurface(x, y), cp932);
}

void DrawSpacedText(const MappedSurface& target, double x1, double x2, double yTop, double yBottom,
                    double charWidth, double charHeight, std::string_view cp932) {
    if (cp932.empty()) {
        return;
    }
    const double span = std::max(x2 - x1, charWidth) - charWidth;
    const std::size_t bytes = cp932.size();
    const double step = bytes < 3 ? span / 2.0 : span / static_cast<double>(bytes - 2);
    const double top = (yTop + yBottom - charHeight) / 2.0;

    const int savedAlign = target.surface.TextAlign();
    target.surface.SetTextAlign(text_align::kLeftTop);
    for (std::size_t offset = 0; offset < bytes;) {
        const std::size_t length = std::max<std::size_t>(1, Cp932CharLength(cp932, offset));
        const double x = x1 + static_cast<double>(offset) * step;
        target.surface.TextOut(target.ToSurface(x, top), cp932.substr(offset, length));
        offset += length;
    }
    target.surface.SetTextAlign(savedAlign);
}

void ClipToCell(const MappedSurface& target, double x1, double y1, double x2, double y2) {
    const SurfaceRect cell{target.mapping.ToSurfaceX(x1), target.mapping.ToSurfaceY(y1),
                           target.mapping.ToSurfaceX(x2), target.mapping.ToSurfaceY(y2)};
    target.surface.IntersectClipRect(cell.Normalized());
}

}  // namespace rave
