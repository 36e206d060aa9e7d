// Clipping done on the geometry itself, for output devices that cannot clip.
#include "common/drawing/clipping_surface.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rave {

namespace {

struct PointF {
    double x = 0;
    double y = 0;
};

SurfacePoint Rounded(PointF p) {
    return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
}

SurfaceRect Intersection(const SurfaceRect& a, const SurfaceRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool Contains(const SurfaceRect& outer, const SurfaceRect& inner) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

bool Overlaps(const SurfaceRect& a, const SurfaceRect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

SurfaceRect BoundsOf(std::span<const SurfacePoint> points) {
    SurfaceRect box{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const SurfacePoint& p : points) {
        box.left = std::min(box.left, p.x);
        box.right = std::max(box.right, p.x);
        box.top = std::min(box.top, p.y);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

// The parameter range [t0, t1] of the segment a→b inside the closed rectangle (Liang–Barsky);
// nothing when the segment misses it.
std::optional<std::pair<double, double>> SegmentInside(PointF a, PointF b, const SurfaceRect& r) {
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.left, r.right - a.x, a.y - r.top, r.bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return std::nullopt;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) {
        return std::nullopt;
    }
    return std::make_pair(t0, t1);
}

// The polygon cut to the closed rectangle (Sutherland–Hodgman, one edge at a time).
std::vector<PointF> PolygonInside(std::vector<PointF> polygon, const SurfaceRect& r) {
    enum Edge { kLeft, kRight, kTop, kBottom };
    const auto inside = [&r](PointF p, Edge edge) {
        switch (edge) {
            case kLeft:
                return p.x >= r.left;
            case kRight:
                return p.x <= r.right;
            case kTop:
                return p.y >= r.top;
            case kBottom:
                return p.y <= r.bottom;
        }
        return false;
    };
    const auto cross = [&r](PointF a, PointF b, Edge edge) {
        PointF p;
        if (edge == kLeft || edge == kRight) {
            p.x = edge == kLeft ? r.left : r.right;
            p.y = a.y + (b.y - a.y) * (p.x - a.x) / (b.x - a.x);
        } else {
            p.y = edge == kTop ? r.top : r.bottom;
            p.x = a.x + (b.x - a.x) * (p.y - a.y) / (b.y - a.y);
        }
        return p;
    };
    for (Edge edge : {kLeft, kRight, kTop, kBottom}) {
        if (polygon.empty()) {
            break;
        }
        std::vector<PointF> out;
        PointF previous = polygon.back();
        for (const PointF& current : polygon) {
            const bool currentIn = inside(current, edge);
            const bool previousIn = inside(previous, edge);
            if (currentIn) {
                if (!previousIn) {
                    out.push_back(cross(previous, current, edge));
                }
                out.push_back(current);
            } else if (previousIn) {
                out.push_back(cross(previous, current, edge));
            }
            previous = current;
        }
        polygon = std::move(out);
    }
    return polygon;
}

// Points along the ellipse inscribed in `bounds`, counter-clockwise on the page from angle
// `from` to angle `to` (radians, measured with y upward as the page is seen).
std::vector<SurfacePoint> EllipsePoints(const SurfaceRect& bounds, double from, double to) {
    const double cx = (bounds.left + bounds.right) / 2.0;
    const double cy = (bounds.top + bounds.bottom) / 2.0;
    const double rx = std::abs(bounds.right - bounds.left) / 2.0;
    const double ry = std::abs(bounds.bottom - bounds.top) / 2.0;
    const double sweep = to - from;
    const int steps = std::max(4, static_cast<int>(std::ceil(72.0 * sweep / (2.0 * std::numbers::pi))));
    std::vector<SurfacePoint> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double a = from + sweep * i / steps;
        points.push_back(Rounded({cx + rx * std::cos(a), cy - ry * std::sin(a)}));
    }
    return points;
}

double AngleOf(const SurfaceRect& bounds, SurfacePoint p) {
    const double cx = (bounds.left + bounds.right) / 2.0;
    const double cy = (bounds.top + bounds.bottom) / 2.0;
    return std::atan2(-(p.y - cy), p.x - cx);
}

}  // namespace

ClippingSurface::Placement ClippingSurface::Place(const SurfaceRect& box) const {
    if (!region_) {
        return Placement::kInside;
    }
    bool touches = false;
    for (const SurfaceRect& r : *region_) {
        if (Contains(r, box)) {
            return Placement::kInside;
        }
        touches = touches || Overlaps(r, box);
    }
    return touches ? Placement::kPartly : Placement::kOutside;
}

void ClippingSurface::IntersectClipRect(const SurfaceRect& rect) {
    const SurfaceRect clip = rect.Normalized();
    if (!region_) {
        region_ = std::vector<SurfaceRect>{};
        if (!clip.IsEmpty()) {
            region_->push_back(clip);
        }
        return;
    }
    std::vector<SurfaceRect> kept;
    for (const SurfaceRect& r : *region_) {
        const SurfaceRect part = Intersection(r, clip);
        if (!part.IsEmpty()) {
            kept.push_back(part);
        }
    }
    region_ = std::move(kept);
}

void ClippingSurface::ExcludeClipRect(const SurfaceRect& rect) {
    const SurfaceRect hole = rect.Normalized();
    if (!region_) {
        const SurfaceSize page = target_.PhysicalPageSize();
        region_ = std::vector<SurfaceRect>{{0, 0, page.width, page.height}};
    }
    std::vector<SurfaceRect> kept;
    for (const SurfaceRect& r : *region_) {
        const SurfaceRect cut = Intersection(r, hole);
        if (cut.IsEmpty()) {
            kept.push_back(r);
            continue;
        }
        // What is left of r around the hole: the bands above and below, then the two sides.
        const SurfaceRect pieces[] = {{r.left, r.top, r.right, cut.top},
                                      {r.left, cut.bottom, r.right, r.bottom},
                                      {r.left, cut.top, cut.left, cut.bottom},
                                      {cut.right, cut.top, r.right, cut.bottom}};
        for (const SurfaceRect& piece : pieces) {
            if (!piece.IsEmpty()) {
                kept.push_back(piece);
            }
        }
    }
    region_ = std::move(kept);
}

void ClippingSurface::TextOut(SurfacePoint at, std::string_view cp932) {
    const int align = target_.TextAlign();
    const bool followsPosition = (align & text_align::kUpdateCurrentPosition) != 0;
    const SurfacePoint origin = followsPosition ? target_.CurrentPosition() : at;
    const SurfaceSize extent = target_.TextExtent(cp932);
    if (region_) {
        double left = origin.x;
        if ((align & text_align::kHorizontalMask) == text_align::kCenter) {
            left -= extent.width / 2.0;
        } else if ((align & text_align::kHorizontalMask) == text_align::kRight) {
            left -= extent.width;
        }
        double top = origin.y;
        if ((align & text_align::kVerticalMask) != text_align::kTop) {
            top -= extent.height;  // bottom and baseline alike: the text stands above the point
        }
        const SurfacePoint middle = Rounded({left + extent.width / 2.0, top + extent.height / 2.0});
        const bool visible = std::any_of(region_->begin(), region_->end(), [&](const SurfaceRect& r) {
            return middle.x >= r.left && middle.x < r.right && middle.y >= r.top && middle.y < r.bottom;
        });
        if (!visible) {
            if (followsPosition) {
                // The next piece of the line still starts where this one would have ended.
                target_.MoveTo({origin.x + extent.width, origin.y});
            }
            return;
        }
    }
    target_.TextOut(at, cp932);
}

void ClippingSurface::Line(SurfacePoint from, SurfacePoint to, const Pen& pen) {
    const SurfacePoint points[] = {from, to};
    Polyline(points, pen);
}

void ClippingSurface::Polyline(std::span<const SurfacePoint> points, const Pen& pen) {
    if (points.size() < 2) {
        return;
    }
    switch (Place(BoundsOf(points))) {
        case Placement::kInside:
            if (points.size() == 2) {
                target_.Line(points[0], points[1], pen);
            } else {
                target_.Polyline(points, pen);
            }
            return;
        case Placement::kOutside:
            return;
        case Placement::kPartly:
            ClippedPolyline(points, pen);
            return;
    }
}

void ClippingSurface::ClippedPolyline(std::span<const SurfacePoint> points, const Pen& pen) {
    std::vector<SurfacePoint> run;
    const auto flush = [&] {
        if (run.size() == 2) {
            target_.Line(run[0], run[1], pen);
        } else if (run.size() > 2) {
            target_.Polyline(run, pen);
        }
        run.clear();
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        const PointF a{static_cast<double>(points[i - 1].x), static_cast<double>(points[i - 1].y)};
        const PointF b{static_cast<double>(points[i].x), static_cast<double>(points[i].y)};
        // The visible parameter ranges of this segment, joined where rectangles meet.
        std::vector<std::pair<double, double>> ranges;
        for (const SurfaceRect& r : *region_) {
            if (auto range = SegmentInside(a, b, r)) {
                ranges.push_back(*range);
            }
        }
        std::sort(ranges.begin(), ranges.end());
        std::vector<std::pair<double, double>> joined;
        for (const auto& range : ranges) {
            if (!joined.empty() && range.first <= joined.back().second + 1e-9) {
                joined.back().second = std::max(joined.back().second, range.second);
            } else {
                joined.push_back(range);
            }
        }
        for (const auto& [t0, t1] : joined) {
            const SurfacePoint start = Rounded({a.x + (b.x - a.x) * t0, a.y + (b.y - a.y) * t0});
            const SurfacePoint end = Rounded({a.x + (b.x - a.x) * t1, a.y + (b.y - a.y) * t1});
            // A run goes on through the vertex when the visible part reaches it from both sides.
            if (t0 > 1e-9 || run.empty() || !(run.back() == start)) {
                flush();
                run.push_back(start);
            }
            run.push_back(end);
            if (t1 < 1.0 - 1e-9) {
                flush();
            }
        }
        if (joined.empty()) {
            flush();
        }
    }
    flush();
}

void ClippingSurface::Polygon(std::span<const SurfacePoint> points, const Pen& pen, const Brush& brush,
                              FillMode mode) {
    if (points.empty()) {
        return;
    }
    switch (Place(BoundsOf(points))) {
        case Placement::kInside:
            target_.Polygon(points, pen, brush, mode);
            return;
        case Placement::kOutside:
            return;
        case Placement::kPartly:
            ClippedShape(std::vector<SurfacePoint>(points.begin(), points.end()), pen, brush, mode);
            return;
    }
}

void ClippingSurface::ClippedShape(const std::vector<SurfacePoint>& outline, const Pen& pen,
                                   const Brush& brush, FillMode mode) {
    if (brush.kind != Brush::Kind::kNone) {
        std::vector<PointF> polygon;
        polygon.reserve(outline.size());
        for (const SurfacePoint& p : outline) {
            polygon.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
        }
        const Pen noOutline{pen_style::kNull, 0, pen.color};
        for (const SurfaceRect& r : *region_) {
            const std::vector<PointF> piece = PolygonInside(polygon, r);
            if (piece.size() < 3) {
                continue;
            }
            std::vector<SurfacePoint> rounded;
            rounded.reserve(piece.size());
            for (const PointF& p : piece) {
                rounded.push_back(Rounded(p));
            }
            target_.Polygon(rounded, noOutline, brush, mode);
        }
    }
    if (pen.style != pen_style::kNull) {
        std::vector<SurfacePoint> closed = outline;
        closed.push_back(outline.front());
        ClippedPolyline(closed, pen);
    }
}

void ClippingSurface::Rectangle(const SurfaceRect& rect, const Pen& pen, const Brush& brush) {
    switch (Place(rect.Normalized())) {
        case Placement::kInside:
            target_.Rectangle(rect, pen, brush);
            return;
        case Placement::kOutside:
            return;
        case Placement::kPartly: {
            const SurfaceRect r = rect.Normalized();
            ClippedShape({{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}}, pen,
                         brush, FillMode::kAlternate);
            return;
        }
    }
}

void ClippingSurface::Ellipse(const SurfaceRect& bounds, const Pen& pen, const Brush& brush) {
    switch (Place(bounds.Normalized())) {
        case Placement::kInside:
            target_.Ellipse(bounds, pen, brush);
            return;
        case Placement::kOutside:
            return;
        case Placement::kPartly: {
            std::vector<SurfacePoint> outline = EllipsePoints(bounds, 0.0, 2.0 * std::numbers::pi);
            outline.pop_back();  // the last point repeats the first
            ClippedShape(outline, pen, brush, FillMode::kAlternate);
            return;
        }
    }
}

void ClippingSurface::Arc(const SurfaceRect& bounds, SurfacePoint start, SurfacePoint end, const Pen& pen) {
    switch (Place(bounds.Normalized())) {
        case Placement::kInside:
            target_.Arc(bounds, start, end, pen);
            return;
        case Placement::kOutside:
            return;
        case Placement::kPartly: {
            const double from = AngleOf(bounds, start);
            double to = AngleOf(bounds, end);
            if (to <= from) {
                to += 2.0 * std::numbers::pi;  // same rays: the whole ellipse
            }
            const std::vector<SurfacePoint> points = EllipsePoints(bounds, from, to);
            ClippedPolyline(points, pen);
            return;
        }
    }
}

void ClippingSurface::StretchBitmap(const SurfaceBitmap& bitmap, const SurfaceRect& destination,
                                    std::uint32_t rasterOp) {
    const SurfaceRect dest = destination.Normalized();
    if (!region_ || dest.IsEmpty() || bitmap.width <= 0 || bitmap.height <= 0) {
        target_.StretchBitmap(bitmap, destination, rasterOp);
        return;
    }
    const double scaleX = static_cast<double>(bitmap.width) / (dest.right - dest.left);
    const double scaleY = static_cast<double>(bitmap.height) / (dest.bottom - dest.top);
    for (const SurfaceRect& r : *region_) {
        const SurfaceRect part = Intersection(r, dest);
        if (part.IsEmpty()) {
            continue;
        }
        if (part == dest) {
            target_.StretchBitmap(bitmap, destination, rasterOp);
            continue;
        }
        // The source pixels wholly under the visible part (a pixel cut by the edge is left out, so
        // no ink falls outside the region), placed where they stood in the whole bitmap.
        const int sx0 = static_cast<int>(std::ceil((part.left - dest.left) * scaleX - 1e-9));
        const int sx1 =
            std::min(bitmap.width, static_cast<int>(std::floor((part.right - dest.left) * scaleX + 1e-9)));
        const int sy0 = static_cast<int>(std::ceil((part.top - dest.top) * scaleY - 1e-9));
        const int sy1 =
            std::min(bitmap.height, static_cast<int>(std::floor((part.bottom - dest.top) * scaleY + 1e-9)));
        if (sx1 <= sx0 || sy1 <= sy0) {
            continue;
        }
        SurfaceBitmap cropped;
        cropped.width = sx1 - sx0;
        cropped.height = sy1 - sy0;
        cropped.pixels.reserve(static_cast<std::size_t>(cropped.width) *
                               static_cast<std::size_t>(cropped.height));
        for (int y = sy0; y < sy1; ++y) {
            for (int x = sx0; x < sx1; ++x) {
                cropped.pixels.push_back(bitmap.At(x, y));
            }
        }
        const SurfaceRect placed{dest.left + static_cast<int>(std::lround(sx0 / scaleX)),
                                 dest.top + static_cast<int>(std::lround(sy0 / scaleY)),
                                 dest.left + static_cast<int>(std::lround(sx1 / scaleX)),
                                 dest.top + static_cast<int>(std::lround(sy1 / scaleY))};
        target_.StretchBitmap(cropped, placed, rasterOp);
    }
}

}  // namespace rave
