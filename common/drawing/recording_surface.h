// A DrawingSurface that draws nothing and remembers every call with its arguments, for tests.
//
// Each call becomes one RecordedCall in the order it was made. The device (resolution and page
// size) is settable, the text state behaves as a device's would (a font that is selected stays
// selected, the alignment is remembered), and the clip region is tracked as a box so that a test
// can ask where drawing was allowed when a call was made. Text extents follow a simple model:
// every byte is half the font height wide (the font width when one is set), one font height
// high, so text layout is predictable in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/drawing/drawing_surface.h"

namespace rave {

enum class SurfaceCall {
    kSetTransparentText,
    kSelectFont,
    kSetTextColor,
    kSetTextAlign,
    kMoveTo,
    kTextOut,
    kLine,
    kPolyline,
    kPolygon,
    kRectangle,
    kEllipse,
    kArc,
    kIntersectClipRect,
    kExcludeClipRect,
    kResetClip,
    kStretchBitmap,
};

// One call and its arguments. Only the members that the kind of call uses are filled in:
// - kLine: points {from, to}, pen
// - kPolyline: points, pen; kPolygon: points, pen, brush, fillMode
// - kRectangle, kEllipse: rect, pen, brush
// - kArc: rect (bounds), points {start, end}, pen
// - kTextOut: points {at}, text, plus the font, textColor and textAlign in force
// - kSelectFont: font, flag (whether the font was accepted)
// - kSetTextColor: textColor; kSetTextAlign: textAlign; kSetTransparentText: flag
// - kMoveTo: points {point}
// - kIntersectClipRect, kExcludeClipRect: rect
// - kStretchBitmap: rect (destination), bitmap, rasterOp
// Every call also carries the clip box in force when it was made (nothing: not clipped).
struct RecordedCall {
    SurfaceCall kind = SurfaceCall::kLine;
    std::vector<SurfacePoint> points;
    SurfaceRect rect;
    Pen pen;
    Brush brush;
    FillMode fillMode = FillMode::kAlternate;
    std::string text;
    FontSpec font;
    ColorRef textColor = kBlack;
    int textAlign = 0;
    bool flag = false;
    SurfaceBitmap bitmap;
    std::uint32_t rasterOp = 0;
    std::optional<SurfaceRect> clip;
};

class RecordingSurface final : public DrawingSurface {
public:
    RecordingSurface() = default;
    RecordingSurface(int dpiX, int dpiY, SurfaceSize pageSize)
        : dpiX_(dpiX), dpiY_(dpiY), pageSize_(pageSize) {}

    // --- Settings of the simulated device ---
    void SetResolution(int dpiX, int dpiY) {
        dpiX_ = dpiX;
        dpiY_ = dpiY;
    }
    void SetPageSize(SurfaceSize size) { pageSize_ = size; }
    // Fonts whose face is in this list are refused by SelectFont (to test fallbacks).
    void RefuseFontFace(std::string face) { refusedFaces_.push_back(std::move(face)); }

    // --- What was recorded ---
    const std::vector<RecordedCall>& Calls() const { return calls_; }
    // The calls of one kind, in order.
    std::vector<RecordedCall> CallsOf(SurfaceCall kind) const;
    std::size_t Count(SurfaceCall kind) const;
    // Every call that puts ink on the surface: lines, polylines, polygons, rectangles, ellipses,
    // arcs, texts and bitmaps.
    std::size_t DrawingCallCount() const;
    // The texts written with TextOut, in order.
    std::vector<std::string> Texts() const;
    // The box of every point and bounding rectangle of the drawing calls; nothing when nothing
    // was drawn. Texts count with their reference point only.
    std::optional<SurfaceRect> InkBounds() const;
    // Forgets the recorded calls (the device and text state stay as they are).
    void ClearCalls() { calls_.clear(); }

    // The clip box now in force; nothing when drawing is not clipped.
    const std::optional<SurfaceRect>& ClipBox() const { return clip_; }

    // --- DrawingSurface ---
    int DpiX() const override { return dpiX_; }
    int DpiY() const override { return dpiY_; }
    SurfaceSize PhysicalPageSize() const override { return pageSize_; }

    void SetTransparentText(bool transparent) override;
    bool SelectFont(const FontSpec& font) override;
    FontSpec CurrentFont() const override { return font_; }
    void SetTextColor(ColorRef color) override;
    ColorRef TextColor() const override { return textColor_; }
    void SetTextAlign(int align) override;
    int TextAlign() const override { return textAlign_; }
    void MoveTo(SurfacePoint point) override;
    SurfacePoint CurrentPosition() const override { return position_; }
    bool TransparentText() const { return transparentText_; }

    void TextOut(SurfacePoint at, std::string_view cp932) override;
    SurfaceSize TextExtent(std::string_view cp932) const override;

    void Line(SurfacePoint from, SurfacePoint to, const Pen& pen) override;
    void Polyline(std::span<const SurfacePoint> points, const Pen& pen) override;
    void Polygon(std::span<const SurfacePoint> points, const Pen& pen, const Brush& brush,
                 FillMode mode) override;
    void Rectangle(const SurfaceRect& rect, const Pen& pen, const Brush& brush) override;
    void Ellipse(const SurfaceRect& bounds, const Pen& pen, const Brush& brush) override;
    void Arc(const SurfaceRect& bounds, SurfacePoint start, SurfacePoint end, const Pen& pen) override;

    void IntersectClipRect(const SurfaceRect& rect) override;
    void ExcludeClipRect(const SurfaceRect& rect) override;
    void ResetClip() override;

    void StretchBitmap(const SurfaceBitmap& bitmap, const SurfaceRect& destination,
                       std::uint32_t rasterOp) override;

private:
    RecordedCall& Record(SurfaceCall kind);

    int dpiX_ = 600;
    int dpiY_ = 600;
    SurfaceSize pageSize_{4960, 7016};  // A4 at 600 dpi
    std::vector<std::string> refusedFaces_;

    bool transparentText_ = false;
    FontSpec font_{"", 12, 0, 0, 0, false};
    ColorRef textColor_ = kBlack;
    int textAlign_ = 0;
    SurfacePoint position_;
    std::optional<SurfaceRect> clip_;
    std::vector<RecordedCall> calls_;
};

}  // namespace rave
