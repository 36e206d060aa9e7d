// A drawing surface that writes a DXF file (AutoCAD 2000, AC1015) for CAD programs: borehole
// logs and cross-sections pasted into drawings. One drawing unit is one millimetre of paper; a
// page's top left corner lies at (0, paper height) with y upward, and further pages of a
// one-file export lie to the right of the first.
//
// Lines keep their widths (lineweights) and dash styles (linetypes), filled shapes become
// HATCH entities, texts are TEXT entities in cp932 bytes under the code page ANSI_932 with a
// Mincho text style, colours are true colours with the nearest basic ACI colour beside them.
// Entities go to the layer the drawing code names through SurfaceHints ("0" until it does).
//
// DXF cannot clip: put a ClippingSurface in front of this one. Bitmap tiles are not kept as
// images; the surface asks for line patterns instead (PrefersVectorPatterns), and a bitmap
// that reaches it all the same is laid down as filled areas, one per colour.
//
// Text is measured with the same fonts as the QPainter surface at the same resolution, so the
// sheets lay out exactly as in the PDF. A QGuiApplication must exist.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/drawing/drawing_surface.h"
#include "common/drawing/surface_hints.h"

class DL_Dxf;
class DL_WriterA;
class QImage;
class QPainter;

namespace rave::platform {

class QPainterSurface;

class DxfSurface final : public DrawingSurface, public SurfaceHints {
public:
    // `page` is the paper in device units at `dpi`.
    DxfSurface(int dpi, SurfaceSize page);
    ~DxfSurface() override;
    DxfSurface(const DxfSurface&) = delete;
    DxfSurface& operator=(const DxfSurface&) = delete;

    // The following drawing goes onto the page `offsetMm` millimetres right of the first page.
    void SetPageOffset(double offsetMm) { offsetMm_ = offsetMm; }
    // The width in millimetres the file's extents cover (all pages side by side).
    void SetTotalWidth(double widthMm) { totalWidthMm_ = widthMm; }

    // The whole file. Nothing, with `error` set, when it cannot be written.
    std::optional<std::string> FileContent(std::string& error) const;

    void SetLayer(std::string_view name) override;
    bool PrefersVectorPatterns() const override { return true; }

    int DpiX() const override { return dpi_; }
    int DpiY() const override { return dpi_; }
    SurfaceSize PhysicalPageSize() const override { return page_; }

    void SetTransparentText(bool) override {}
    bool SelectFont(const FontSpec& font) override;
    FontSpec CurrentFont() const override;
    void SetTextColor(ColorRef color) override { textColor_ = color; }
    ColorRef TextColor() const override { return textColor_; }
    void SetTextAlign(int align) override { textAlign_ = align; }
    int TextAlign() const override { return textAlign_; }
    void MoveTo(SurfacePoint point) override { position_ = point; }
    SurfacePoint CurrentPosition() const override { return position_; }

    void TextOut(SurfacePoint at, std::string_view cp932) override;
    SurfaceSize TextExtent(std::string_view cp932) const override;

    void Line(SurfacePoint from, SurfacePoint to, const Pen& pen) override;
    void Polyline(std::span<const SurfacePoint> points, const Pen& pen) override;
    void Polygon(std::span<const SurfacePoint> points, const Pen& pen, const Brush& brush,
                 FillMode mode) override;
    void Rectangle(const SurfaceRect& rect, const Pen& pen, const Brush& brush) override;
    void Ellipse(const SurfaceRect& bounds, const Pen& pen, const Brush& brush) override;
    void Arc(const SurfaceRect& bounds, SurfacePoint start, SurfacePoint end, const Pen& pen) override;

    void IntersectClipRect(const SurfaceRect&) override {}
    void ExcludeClipRect(const SurfaceRect&) override {}
    void ResetClip() override {}

    void StretchBitmap(const SurfaceBitmap& bitmap, const SurfaceRect& destination,
                       std::uint32_t rasterOp) override;

    struct PointMm {
        double x = 0;
        double y = 0;
    };

private:
    using EntityWriter = std::function<void(DL_Dxf&, DL_WriterA&)>;

    PointMm ToMm(double x, double y) const;
    double LengthMm(double units) const { return units * 25.4 / dpi_; }
    // The entity attributes of a line drawn with the pen (or of a fill in `color`).
    struct Style {
        std::string layer;
        std::string linetype = "CONTINUOUS";
        int lineweight = 0;  // hundredths of a millimetre, one of DXF's steps
        double linetypeScale = 1.0;
        ColorRef color = kBlack;
    };
    Style PenStyle(const Pen& pen);
    Style FillStyle(ColorRef color) const;
    void AddOutline(std::vector<PointMm> points, bool closed, const Pen& pen);
    // One HATCH of closed loops filled with the brush.
    void AddFill(std::vector<std::vector<PointMm>> loops, const Brush& brush);

    int dpi_;
    SurfaceSize page_;
    double offsetMm_ = 0.0;
    double totalWidthMm_ = 0.0;
    std::string layer_ = "0";
    std::set<std::string> layers_{"0"};
    std::set<std::string> linetypes_;

    ColorRef textColor_ = kBlack;
    int textAlign_ = text_align::kLeftTop;
    SurfacePoint position_;

    // Text is measured by a QPainter surface on a small image at the same resolution.
    std::unique_ptr<QImage> measureImage_;
    std::unique_ptr<QPainter> measurePainter_;
    std::unique_ptr<QPainterSurface> measure_;
    double ascentRatio_ = 0.8;  // ascent over cell height of the selected font
    double capRatio_ = 0.7;     // cap height over cell height

    std::vector<EntityWriter> entities_;
};

}  // namespace rave::platform
