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
// Soil patterns repeat a few small symbols hundreds of times. Every small shape is therefore
// kept once as a block, and its copies become INSERTs; copies stacked one above the other at an
// even pitch (a column of a pattern's lattice) become one INSERT with rows, copies side by side
// (the dashes of a dotted line) one INSERT with columns. A pitch may vary by
// one device unit from row to row (a 600-dpi pixel, 0.04 mm) where the lattice falls between
// pixels, as the printed page rounds it too. A shape drawn once stays a plain entity.
//
// DXF cannot clip: put a ClippingSurface in front of this one. Bitmap tiles are not kept as
// images; the surface asks for line patterns instead (PrefersVectorPatterns), and a bitmap
// that reaches it all the same is laid down as filled areas, one per colour.
//
// Text is measured with the same fonts as the QPainter surface at the same resolution, so the
// sheets lay out exactly as in the PDF. A QGuiApplication must exist.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/drawing/drawing_surface.h"
#include "common/drawing/surface_hints.h"
#include "platform/dxf_document.h"

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
    std::optional<std::string> FileContent(std::string& error);

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
    PointMm ToMm(double x, double y) const;
    double LengthMm(double units) const { return units * 25.4 / dpi_; }
    // The entity attributes of a line drawn with the pen (or of a fill in `color`).
    struct Style {
        std::string layer;
        std::string linetype = "ByLayer";
        int lineweight = -1;  // hundredths of a millimetre, one of DXF's steps; -1 by layer
        double linetypeScale = 1.0;
        ColorRef color = kBlack;
    };
    struct DevicePoint {
        double x = 0;
        double y = 0;
    };
    // One drawn shape, in device units relative to its anchor point.
    struct Shape {
        enum class Kind { kOutline, kCircle, kEllipse, kArc, kFill };
        Kind kind = Kind::kOutline;
        Style style;
        bool closed = false;
        std::vector<std::vector<DevicePoint>> loops;  // the outline, or the fill's loops
        DevicePoint centre;
        double rx = 0.0, ry = 0.0;
        double fromDegrees = 0.0, toDegrees = 0.0;
        bool solid = true;
        std::vector<double> hatchAngles;
    };
    struct ShapeEntry {
        Shape shape;
        int block = -1;  // index in blocks_ once the shape is a block
        int uses = 0;    // copies drawn so far
    };
    struct Box {
        double left = 0, top = 0, right = 0, bottom = 0;
    };
    // A copy of a shape waiting to be written: its anchor in device units on the page `offsetMm`.
    struct Copy {
        int shape = 0;
        double offsetMm = 0.0;
        int x = 0;
        int y = 0;
        std::size_t order = 0;
        Box box;  // what it covers, device units
    };

    Style PenStyle(const Pen& pen);
    Style FillStyle(ColorRef color) const;
    void AddOutline(std::vector<SurfacePoint> points, bool closed, const Pen& pen);
    void AddFill(std::vector<std::vector<SurfacePoint>> loops, const Brush& brush);
    // Writes a small shape as a copy of its block, anything else as it is. Copies wait, so that
    // those of one column of a pattern can become one INSERT, until a fill is drawn over them.
    void Add(SurfacePoint anchor, Shape shape);
    void WriteShape(std::string& out, unsigned long owner, const Shape& shape, PointMm origin);
    // The groups every entity starts with; an INSERT takes its colours from the block.
    void WriteEntityHead(dxf::Groups& g, std::string_view type, unsigned long owner, const Style& style,
                         bool withColor = true);
    // Writes the waiting copies, joined into rows where they stack at an even pitch.
    void FlushCopies();
    unsigned long NewHandle() { return nextHandle_++; }

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

    std::string modelSpace_;  // the entities written so far
    unsigned long nextHandle_ = dxf::kFirstFreeHandle;
    std::vector<dxf::Block> blocks_;
    std::vector<ShapeEntry> shapes_;
    std::unordered_map<std::string, int> shapeIndex_;  // shape key -> index in shapes_
    std::vector<Copy> copies_;
};

}  // namespace rave::platform
