// Helpers of the drawing tests: where the recorded calls put ink.
#pragma once

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "common/drawing/recording_surface.h"

namespace rave::testing {

// Points along everything a drawing call puts on the surface: line ends, polygon corners,
// sampled points of ellipses and of the drawn part of arcs (outline only), rectangle corners.
inline std::vector<SurfacePoint> InkPoints(const RecordedCall& call) {
    std::vector<SurfacePoint> points;
    const auto onEllipse = [&](const SurfaceRect& bounds, double fromAngle, double span) {
        const SurfaceRect r = bounds.Normalized();
        const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
        const double rx = (r.right - r.left) / 2.0, ry = (r.bottom - r.top) / 2.0;
        for (int i = 0; i <= 64; ++i) {
            const double a = fromAngle + span * i / 64.0;
            points.push_back({static_cast<int>(std::lround(cx + rx * std::cos(a))),
                              static_cast<int>(std::lround(cy - ry * std::sin(a)))});
        }
    };
    switch (call.kind) {
        case SurfaceCall::kEllipse:
            onEllipse(call.rect, 0.0, 2.0 * std::numbers::pi);
            break;
        case SurfaceCall::kArc: {
            const SurfaceRect r = call.rect.Normalized();
            const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
            // Angles as seen on the device (y down), counter-clockwise.
            const double start = std::atan2(-(call.points[0].y - cy), call.points[0].x - cx);
            const double end = std::atan2(-(call.points[1].y - cy), call.points[1].x - cx);
            double span = end - start;
            while (span <= 0) {
                span += 2.0 * std::numbers::pi;
            }
            onEllipse(call.rect, start, span);
            break;
        }
        case SurfaceCall::kRectangle:
        case SurfaceCall::kStretchBitmap: {
            const SurfaceRect r = call.rect.Normalized();
            points = {{r.left, r.top}, {r.right, r.bottom}};
            break;
        }
        case SurfaceCall::kLine:
        case SurfaceCall::kPolyline:
        case SurfaceCall::kPolygon:
        case SurfaceCall::kTextOut:
            points = call.points;
            break;
        default:
            break;
    }
    return points;
}

// The first ink point outside the rectangle (widened by `slack` device units), as text for a
// failure message; empty when everything lies inside.
inline std::string FirstInkOutside(const RecordingSurface& surface, const SurfaceRect& cell, int slack) {
    const SurfaceRect r = cell.Normalized();
    for (const RecordedCall& call : surface.Calls()) {
        for (const SurfacePoint p : InkPoints(call)) {
            if (p.x < r.left - slack || p.x > r.right + slack || p.y < r.top - slack ||
                p.y > r.bottom + slack) {
                return "call " + std::to_string(static_cast<int>(call.kind)) + " at (" + std::to_string(p.x) +
                       ", " + std::to_string(p.y) + ")";
            }
        }
    }
    return {};
}

}  // namespace rave::testing
