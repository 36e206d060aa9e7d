// Ravelog's world-to-surface mapping and the 16-bit clamp shared by every mapping.
#include "common/drawing/pattern_mapping.h"

#include <cmath>

namespace rave {

int ClampToSurface(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= kSurfaceCoordinateLimit) {
        return kSurfaceCoordinateLimit;
    }
    if (value <= -kSurfaceCoordinateLimit) {
        return -kSurfaceCoordinateLimit;
    }
    return static_cast<int>(std::lround(value));
}

PatternMapping PatternMapping::ForDevice(int dpiX, int dpiY, double marginXmm, double marginYmm) {
    PatternMapping mapping;
    mapping.unitX = dpiX * kInchesPerMillimetre;
    mapping.unitY = dpiY * kInchesPerMillimetre;
    mapping.scaleX = mapping.unitX;
    mapping.scaleY = mapping.unitY;
    mapping.marginX = marginXmm;
    mapping.marginY = marginYmm;
    return mapping;
}

int PatternMapping::ToSurfaceX(double x) const { return ClampToSurface(marginX * unitX + scaleX * x); }

int PatternMapping::ToSurfaceY(double y) const {
    return ClampToSurface((originY + y) * scaleY + marginY * unitY + kFixedOffsetY);
}

double PatternMapping::FromSurfaceX(int x) const {
    if (!(scaleX > 0.0001)) {
        return 0.0;
    }
    return (x - marginX * unitX) / scaleX;
}

double PatternMapping::FromSurfaceY(int y) const {
    if (!(scaleY > 0.0001)) {
        return 0.0;
    }
    return (y - marginY * unitY - kFixedOffsetY) / scaleY - originY;
}

}  // namespace rave
