// Small value helpers of the drawing interface.
#include "common/drawing/drawing_surface.h"

#include <algorithm>

namespace rave {

SurfaceRect SurfaceRect::Normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

Brush Brush::Hatch(int hatch, ColorRef color) {
    if (hatch < 0 || hatch >= hatch_style::kCount) {
        return Solid(color);
    }
    return {Kind::kHatch, hatch, color};
}

}  // namespace rave
