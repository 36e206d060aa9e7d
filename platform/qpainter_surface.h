// The drawing surface over a QPainter: the one device of the window, the printer, the print
// preview and the PDF and PNG files (SVG files measure their text with it). Device units are the
// device's own pixels at the resolution the surface is given (the printer's dots, the image's
// pixels, the PDF's resolution), so the sheets' millimetre mapping lands on paper at true size.
//
// The painter is borrowed: it must be active on its device for the lifetime of the surface, and
// the surface leaves the painter's state as it found it when it is destroyed.
//
// Fonts: the face "ＭＳ 明朝" (and the other Windows Mincho faces) is replaced by an installed
// Mincho face, IPAex明朝 when present, so output carries a real Japanese font (PDFs embed it).
// A font's height is its cell height (ascent plus descent), as the sheets compute it.
#pragma once

#include <QLine>
#include <QPainter>
#include <QRegion>
#include <QString>
#include <QTransform>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/drawing/drawing_surface.h"

namespace rave::platform {

// How a stretched bitmap with the AND raster operation is put onto the device.
// Vector devices (PDF, printers through PDF) neither combine bits nor blend reliably, so
// there the white of the bitmap is left out: a tile lays its black and colours onto what is
// below, which is what AND gives for the black-on-white pattern tiles.
enum class AndMode {
    kRasterOp,  // the device combines bits (images, the screen)
    kOverlay    // white pixels left out
};

class QPainterSurface final : public DrawingSurface {
public:
    // The device's resolution and page size are taken from the painter's device.
    explicit QPainterSurface(QPainter& painter);
    // An explicit resolution and page size in device units (a printer's paper rectangle).
    QPainterSurface(QPainter& painter, int dpiX, int dpiY, SurfaceSize physicalPage);
    ~QPainterSurface() override;
    QPainterSurface(const QPainterSurface&) = delete;
    QPainterSurface& operator=(const QPainterSurface&) = delete;

    AndMode AndRasterMode() const { return andMode_; }

    // The face family a cp932 face name is drawn with.
    static QString ResolveFaceFamily(const std::string& cp932Face);

    int DpiX() const override { return dpiX_; }
    int DpiY() const override { return dpiY_; }
    SurfaceSize PhysicalPageSize() const override { return page_; }

    void SetTransparentText(bool transparent) override;
    bool SelectFont(const FontSpec& font) override;
    FontSpec CurrentFont() const override { return fontSpec_; }
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

    void IntersectClipRect(const SurfaceRect& rect) override;
    void ExcludeClipRect(const SurfaceRect& rect) override;
    void ResetClip() override;

    void StretchBitmap(const SurfaceBitmap& bitmap, const SurfaceRect& destination,
                       std::uint32_t rasterOp) override;

    // The selected font, its metrics in device units and the text as it is drawn, for a surface
    // that measures text here and writes it itself (the SVG surface), so both lay text out alike.
    const QFont& SelectedFont() const { return font_; }
    double SelectedAscent() const { return ascent_; }
    double SelectedCellHeight() const { return cellHeight_; }
    const QString& DrawnText(std::string_view cp932) const { return ToQString(cp932); }
    // The unrounded width TextExtent rounds.
    double ExactTextWidth(std::string_view cp932) const {
        return cp932.empty() ? 0.0 : TextWidth(ToQString(cp932), cp932);
    }

    // Draws the lines still held back (see Line). Every other drawing call and the destructor
    // do this first, so callers only need it before they draw on the painter themselves while
    // the surface lives.
    void FlushLines();

private:
    const QString& ToQString(std::string_view cp932) const;
    // The width of the text in the selected font, measured once per font and text.
    double TextWidth(const QString& text, std::string_view cp932) const;
    // Selects the pen on the painter unless it is the one selected last.
    void ApplyPen(const Pen& pen);
    // Keeps the line for the next FlushLines when it can be drawn together with the lines held
    // back so far to the same pixels; false: it must be drawn now.
    bool HoldBackLine(SurfacePoint from, SurfacePoint to, const Pen& pen);
    // The painter's pen was set by other means (text colour, no pen).
    void ForgetPen() { appliedPen_.reset(); }
    void ApplyBrush(const Brush& brush);
    void ApplyClip();
    bool PenDrawsNothing(const Pen& pen) const { return pen.style == pen_style::kNull; }
    // True when a shape with this bounding box and pen cannot reach the clip region, so the
    // painter need not be bothered (sheets draw whole logs and clip them to one page).
    bool ClippedAway(const QRect& bounds, int penWidth) const;

    QPainter& painter_;
    QTransform baseTransform_;  // the painter's transform when the surface was made
    int dpiX_ = 96;
    int dpiY_ = 96;
    SurfaceSize page_;
    AndMode andMode_ = AndMode::kRasterOp;

    FontSpec fontSpec_;
    QFont font_;
    double ascent_ = 0.0;  // of the selected font, device units
    double cellHeight_ = 0.0;
    ColorRef textColor_ = kBlack;
    int textAlign_ = text_align::kLeftTop;
    bool transparent_ = false;
    SurfacePoint position_;

    std::optional<QRegion> clip_;  // nothing: not clipped

    std::optional<Pen> appliedPen_;  // the pen last set on the painter by ApplyPen

    // On a raster device solid one-pixel lines of one pen are held back and drawn together in
    // one call, so the painter's set-up per call is paid once (see HoldBackLine). Vector devices get every
    // line as its own call, so their files stay as they were.
    bool batchLines_ = false;
    QRect batchArea_;  // where a line is never cut by the device's edges, surface units
    Pen batchPen_;
    std::vector<QLine> batchedLines_;
    int batchDirections_ = 0;  // of the held-back lines: 1 downward, 2 upward

    // cp932 texts already converted; the sheets write the same labels and numbers on every page.
    mutable std::unordered_map<std::string, QString> texts_;
    // Text widths per selected font (by its FontSpec) and text.
    mutable std::unordered_map<std::string, std::unordered_map<std::string, double>> widths_;
    mutable std::unordered_map<std::string, double>* fontWidths_ = nullptr;
};

}  // namespace rave::platform
