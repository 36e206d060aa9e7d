// A drawing surface that writes one page as an SVG file: the paper at its true size in
// millimetres, the drawing in device units of the given resolution (the viewBox), on white.
//
// It draws what the QPainter surface draws on a PNG page of the same resolution: lines keep the
// QPainter surface's widths, caps, joins and dash patterns; hatch brushes become patterns of
// the very pixels the painter's hatches set, aligned to the page as they are there; texts are
// measured and placed with the same fonts (a QPainter surface on a small image measures them),
// and their width is given to the viewer so another renderer lays them out alike. Bitmaps are
// defined once each and placed as copies: the pattern tiles as filled areas, one per colour, as
// the QPainter surface lays them onto PDF pages, larger bitmaps as embedded PNG images; white is
// left out where a bitmap is ANDed onto the page.
//
// SVG files are written unclipped: put a ClippingSurface in front of this one. A
// QGuiApplication must exist.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "common/drawing/drawing_surface.h"
#include "platform/svg_document.h"

class QImage;
class QPainter;

namespace rave::platform {

class QPainterSurface;

class SvgSurface final : public DrawingSurface {
public:
    // `page` is the paper in device units at `dpi`.
    SvgSurface(int dpi, SurfaceSize page);
    ~SvgSurface() override;
    SvgSurface(const SvgSurface&) = delete;
    SvgSurface& operator=(const SvgSurface&) = delete;

    void SetTitle(std::string_view utf8) { document_.SetTitle(utf8); }
    // The whole file as drawn so far.
    std::string FileContent() const { return document_.Text(); }

    int DpiX() const override { return dpi_; }
    int DpiY() const override { return dpi_; }
    SurfaceSize PhysicalPageSize() const override { return page_; }

    void SetTransparentText(bool transparent) override { transparent_ = transparent; }
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

private:
    // The group attributes of an outline drawn with the pen (stroke="none" for the null pen).
    static std::string StrokeAttributes(const Pen& pen);
    // The fill attributes of the brush; defines the hatch pattern on its first use.
    std::string FillAttributes(const Brush& brush);
    // Adds a filled and outlined shape; nothing when neither the pen nor the brush draws.
    void AddShape(const Pen& pen, const Brush& brush, std::string_view extraGroupAttributes,
                  std::string_view element);

    int dpi_;
    SurfaceSize page_;
    svg::Document document_;

    bool transparent_ = false;
    ColorRef textColor_ = kBlack;
    int textAlign_ = text_align::kLeftTop;
    SurfacePoint position_;

    // Text is measured by a QPainter surface on a small image at the same resolution.
    std::unique_ptr<QImage> measureImage_;
    std::unique_ptr<QPainter> measurePainter_;
    std::unique_ptr<QPainterSurface> measure_;
    std::string fontAttributes_;  // of the selected font, for text groups

    std::map<std::pair<int, ColorRef>, std::string> hatchIds_;  // (hatch, colour) -> pattern id
    std::map<std::string, std::string> bitmapIds_;              // bitmap key -> image id
};

}  // namespace rave::platform
