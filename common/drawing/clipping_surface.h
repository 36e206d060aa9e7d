// A drawing surface that does its own clipping before it hands the drawing on, for output
// devices that cannot clip: SVG files (written without clip paths, so every viewer shows the
// same) and DXF files (the format has no clipping at all). The sheets and sections set clip regions freely (the section
// cuts the soil columns out of its elevation lines, the page area bounds every frame), and a
// file must show what the printed page shows, so every line, shape, text and bitmap is cut
// against the region here and only the visible parts reach the target.
//
// The clip region is kept as a list of non-overlapping rectangles, which is what the two clip
// operations (intersect with a rectangle, take a rectangle out) can produce. Geometry that lies
// wholly inside one rectangle passes through unchanged; geometry wholly outside is dropped; the
// rest is cut: lines and outlines into their visible pieces, filled shapes into one filled piece
// per rectangle, bitmaps cropped. A text is written whole when the middle of its box lies in the
// region and dropped otherwise, since a file cannot show half a glyph the way a printer does.
#pragma once

#include <optional>
#include <vector>

#include "common/drawing/drawing_surface.h"
#include "common/drawing/surface_hints.h"

namespace rave {

class ClippingSurface final : public DrawingSurface, public SurfaceHints {
public:
    explicit ClippingSurface(DrawingSurface& target) : target_(target) {}

    // Layers and the wish for line patterns belong to the target.
    void SetLayer(std::string_view name) override { SetLayerHint(target_, name); }
    bool PrefersVectorPatterns() const override { return rave::PrefersVectorPatterns(target_); }

    // Limits every region to the device's area, as a printer's page does: drawing outside it is
    // dropped, and ResetClip returns to the area instead of to no clipping at all.
    void LimitToDevice(const SurfaceRect& area) {
        device_ = area.Normalized();
        region_ = std::vector<SurfaceRect>{*device_};
    }

    // The rectangles of the region now in force; nothing when drawing is not clipped.
    const std::optional<std::vector<SurfaceRect>>& Region() const { return region_; }

    int DpiX() const override { return target_.DpiX(); }
    int DpiY() const override { return target_.DpiY(); }
    SurfaceSize PhysicalPageSize() const override { return target_.PhysicalPageSize(); }

    void SetTransparentText(bool transparent) override { target_.SetTransparentText(transparent); }
    bool SelectFont(const FontSpec& font) override { return target_.SelectFont(font); }
    FontSpec CurrentFont() const override { return target_.CurrentFont(); }
    void SetTextColor(ColorRef color) override { target_.SetTextColor(color); }
    ColorRef TextColor() const override { return target_.TextColor(); }
    void SetTextAlign(int align) override { target_.SetTextAlign(align); }
    int TextAlign() const override { return target_.TextAlign(); }
    void MoveTo(SurfacePoint point) override { target_.MoveTo(point); }
    SurfacePoint CurrentPosition() const override { return target_.CurrentPosition(); }

    void TextOut(SurfacePoint at, std::string_view cp932) override;
    SurfaceSize TextExtent(std::string_view cp932) const override { return target_.TextExtent(cp932); }

    void Line(SurfacePoint from, SurfacePoint to, const Pen& pen) override;
    void Polyline(std::span<const SurfacePoint> points, const Pen& pen) override;
    void Polygon(std::span<const SurfacePoint> points, const Pen& pen, const Brush& brush,
                 FillMode mode) override;
    void Rectangle(const SurfaceRect& rect, const Pen& pen, const Brush& brush) override;
    void Ellipse(const SurfaceRect& bounds, const Pen& pen, const Brush& brush) override;
    void Arc(const SurfaceRect& bounds, SurfacePoint start, SurfacePoint end, const Pen& pen) override;

    void IntersectClipRect(const SurfaceRect& rect) override;
    void ExcludeClipRect(const SurfaceRect& rect) override;
    void ResetClip() override {
        if (device_) {
            region_ = std::vector<SurfaceRect>{*device_};
        } else {
            region_.reset();
        }
    }

    void StretchBitmap(const SurfaceBitmap& bitmap, const SurfaceRect& destination,
                       std::uint32_t rasterOp) override;

private:
    enum class Placement { kInside, kOutside, kPartly };
    // Where a box lies against the region.
    Placement Place(const SurfaceRect& box) const;
    // The open polyline cut to the region: its visible runs, each drawn as one polyline.
    void ClippedPolyline(std::span<const SurfacePoint> points, const Pen& pen);
    // A filled outline cut to the region: the fill once per rectangle, the outline as runs.
    void ClippedShape(const std::vector<SurfacePoint>& outline, const Pen& pen, const Brush& brush,
                      FillMode mode);

    DrawingSurface& target_;
    std::optional<SurfaceRect> device_;
    std::optional<std::vector<SurfaceRect>> region_;
};

}  // namespace rave
