// Optional wishes a drawing surface can take from the drawing code. Most surfaces ignore them;
// a CAD file (DXF) sorts its entities into layers by what they show, and has no use for bitmap
// tiles, so the soil columns draw their line patterns there instead.
//
// The drawing code calls the free functions on any DrawingSurface: a surface that does not
// implement SurfaceHints simply does nothing and prefers nothing.
#pragma once

#include <string_view>

#include "common/drawing/drawing_surface.h"

namespace rave {

class SurfaceHints {
public:
    virtual ~SurfaceHints() = default;
    // What the next drawing belongs to ("FRAME", "GRID", "TEXT", ...); "0" is the default.
    virtual void SetLayer(std::string_view name) = 0;
    // True when bitmap tiles cannot be kept and the line patterns should be drawn instead.
    virtual bool PrefersVectorPatterns() const = 0;
};

// Layer names used by the sheets and sections.
namespace surface_layer {
inline constexpr std::string_view kDefault = "0";
inline constexpr std::string_view kFrame = "FRAME";
inline constexpr std::string_view kGrid = "GRID";
inline constexpr std::string_view kText = "TEXT";
inline constexpr std::string_view kPlot = "PLOT";
inline constexpr std::string_view kSoil = "SOIL";
inline constexpr std::string_view kLayer = "LAYER";
inline constexpr std::string_view kTitle = "TITLE";
inline constexpr std::string_view kRuler = "RULER";
}  // namespace surface_layer

inline void SetLayerHint(DrawingSurface& surface, std::string_view name) {
    if (auto* hints = dynamic_cast<SurfaceHints*>(&surface)) {
        hints->SetLayer(name);
    }
}

inline bool PrefersVectorPatterns(const DrawingSurface& surface) {
    const auto* hints = dynamic_cast<const SurfaceHints*>(&surface);
    return hints != nullptr && hints->PrefersVectorPatterns();
}

}  // namespace rave
