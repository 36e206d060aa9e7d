// The drawing target of both programs. Every sheet, section and soil pattern is drawn through
// this interface, so the same drawing code serves the window, the print preview, the printer,
// PDF, PNG and SVG files (platform/qpainter_surface.h) and the recording surface of the tests
// (recording_surface.h).
//
// All coordinates are device units of the target (pixels at the device's resolution), y grows
// downward. Colours are COLORREF-style values 0x00BBGGRR. Text is passed as cp932 bytes, exactly
// as the documents hold it; the surface converts it where it needs to. The interface holds no
// pen or brush: every line or shape call carries the pen (and brush) it is drawn with, so a
// drawing routine can never leave a pen behind for the next one. Fonts, the text colour, the
// text alignment, the background mode and the clip region are state, as the sheets select a
// font once and write many texts with it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rave {

// 0x00BBGGRR.
using ColorRef = long;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
    return static_cast<ColorRef>((static_cast<unsigned long>(blue & 0xFF) << 16) |
                                 (static_cast<unsigned long>(green & 0xFF) << 8) |
                                 static_cast<unsigned long>(red & 0xFF));
}
constexpr int RedOf(ColorRef color) { return static_cast<int>(color & 0xFF); }
constexpr int GreenOf(ColorRef color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int BlueOf(ColorRef color) { return static_cast<int>((color >> 16) & 0xFF); }

inline constexpr ColorRef kBlack = 0x000000;
inline constexpr ColorRef kWhite = 0xFFFFFF;

struct SurfacePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const SurfacePoint&, const SurfacePoint&) = default;
};

struct SurfaceSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const SurfaceSize&, const SurfaceSize&) = default;
};

// A rectangle by its edges. Shapes use it as their bounding box; the right and bottom edges are
// part of the rectangle's outline.
struct SurfaceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const SurfaceRect&, const SurfaceRect&) = default;

    // The same rectangle with left <= right and top <= bottom.
    SurfaceRect Normalized() const;
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// Pen styles by the numbers the settings files store (0 solid, 1 dashed, 2 dotted, ...).
namespace pen_style {
inline constexpr int kSolid = 0;
inline constexpr int kDash = 1;
inline constexpr int kDot = 2;
inline constexpr int kDashDot = 3;
inline constexpr int kDashDotDot = 4;
inline constexpr int kNull = 5;  // draws nothing
}  // namespace pen_style

struct Pen {
    int style = pen_style::kSolid;
    int width = 1;  // device units; 0 and 1 both give the thinnest line of the device
    ColorRef color = kBlack;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// Hatch styles by the index Ravesect's layers store.
namespace hatch_style {
inline constexpr int kHorizontal = 0;        // -----
inline constexpr int kVertical = 1;          // |||||
inline constexpr int kForwardDiagonal = 2;   // \\\\\ (top left to bottom right)
inline constexpr int kBackwardDiagonal = 3;  // ///// (bottom left to top right)
inline constexpr int kCross = 4;             // +++++
inline constexpr int kDiagonalCross = 5;     // xxxxx
inline constexpr int kCount = 6;
}  // namespace hatch_style

struct Brush {
    enum class Kind { kNone, kSolid, kHatch };
    Kind kind = Kind::kNone;
    int hatch = 0;  // hatch_style, for kHatch
    ColorRef color = kBlack;
    friend bool operator==(const Brush&, const Brush&) = default;

    static Brush None() { return {}; }
    static Brush Solid(ColorRef color) { return {Kind::kSolid, 0, color}; }
    // A hatch outside 0 .. kCount - 1 gives a solid brush.
    static Brush Hatch(int hatch, ColorRef color);
};

// How a self-crossing polygon is filled.
enum class FillMode { kAlternate, kWinding };

// A font as the sheets build it: the cell height in device units (ascent plus descent), the
// face name in cp932 bytes, the angle of the text line in tenths of a degree counter-clockwise.
// The character set is always Shift-JIS; width 0 keeps the face's own proportions.
struct FontSpec {
    std::string face;
    int height = 0;
    int width = 0;
    int escapement = 0;
    int weight = 0;  // 0 = the face's default, 400 normal, 700 bold
    bool italic = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Text alignment flags, combined with |. The reference point of a text is its left, centre or
// right end horizontally and its top, baseline or bottom vertically. With kUpdateCurrentPosition
// the text starts at the current position (MoveTo) and the position moves to its end, so a line
// can be written in pieces.
namespace text_align {
inline constexpr int kLeft = 0;
inline constexpr int kTop = 0;
inline constexpr int kUpdateCurrentPosition = 1;
inline constexpr int kRight = 2;
inline constexpr int kCenter = 6;
inline constexpr int kBottom = 8;
inline constexpr int kBaseline = 24;
inline constexpr int kHorizontalMask = 6;
inline constexpr int kVerticalMask = 24;

inline constexpr int kLeftTop = kLeft | kTop;            // 0
inline constexpr int kCenterTop = kCenter | kTop;        // 6
inline constexpr int kLeftBottom = kLeft | kBottom;      // 8
inline constexpr int kRightBottom = kRight | kBottom;    // 10
inline constexpr int kCenterBottom = kCenter | kBottom;  // 14
}  // namespace text_align

// Raster operations of a stretched bitmap.
namespace raster_op {
inline constexpr std::uint32_t kCopy = 0xCC0020;  // the bitmap replaces what is under it
inline constexpr std::uint32_t kAnd = 0x8800C6;   // bitmap AND destination: white lets through
}  // namespace raster_op

// A decoded bitmap: width x height pixels, rows from the top, each pixel a ColorRef.
struct SurfaceBitmap {
    int width = 0;
    int height = 0;
    std::vector<ColorRef> pixels;
    friend bool operator==(const SurfaceBitmap&, const SurfaceBitmap&) = default;

    ColorRef At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // --- The device ---
    // Dots per inch across and down.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    // The whole physical page (printers) or drawing area (screens, images) in device units.
    virtual SurfaceSize PhysicalPageSize() const = 0;

    // --- Text state ---
    // True: text is drawn without filling its background (the sheets always ask for this).
    virtual void SetTransparentText(bool transparent) = 0;
    // Selects a font. False when the font cannot be made; the previous font then stays selected.
    virtual bool SelectFont(const FontSpec& font) = 0;
    virtual FontSpec CurrentFont() const = 0;
    virtual void SetTextColor(ColorRef color) = 0;
    virtual ColorRef TextColor() const = 0;
    // text_align flags.
    virtual void SetTextAlign(int align) = 0;
    virtual int TextAlign() const = 0;
    // The current position used by kUpdateCurrentPosition.
    virtual void MoveTo(SurfacePoint point) = 0;
    virtual SurfacePoint CurrentPosition() const = 0;

    // --- Text ---
    // Writes cp932 text at the point with the current font, colour and alignment.
    virtual void TextOut(SurfacePoint at, std::string_view cp932) = 0;
    // Width and height of the text in the current font.
    virtual SurfaceSize TextExtent(std::string_view cp932) const = 0;

    // --- Lines and shapes ---
    virtual void Line(SurfacePoint from, SurfacePoint to, const Pen& pen) = 0;
    // Connected segments through the points (nothing for fewer than two).
    virtual void Polyline(std::span<const SurfacePoint> points, const Pen& pen) = 0;
    // A closed polygon, filled with the brush and outlined with the pen.
    virtual void Polygon(std::span<const SurfacePoint> points, const Pen& pen, const Brush& brush,
                         FillMode mode) = 0;
    virtual void Rectangle(const SurfaceRect& rect, const Pen& pen, const Brush& brush) = 0;
    // The ellipse inscribed in the rectangle.
    virtual void Ellipse(const SurfaceRect& bounds, const Pen& pen, const Brush& brush) = 0;
    // A counter-clockwise arc of the ellipse inscribed in `bounds`, from the ray (from the centre)
    // through `start` to the ray through `end`. When both rays are the same the whole ellipse is
    // drawn.
    virtual void Arc(const SurfaceRect& bounds, SurfacePoint start, SurfacePoint end, const Pen& pen) = 0;

    // --- Clipping ---
    // Limits all further drawing to the part of the current clip region inside the rectangle.
    virtual void IntersectClipRect(const SurfaceRect& rect) = 0;
    // Removes the rectangle from the current clip region.
    virtual void ExcludeClipRect(const SurfaceRect& rect) = 0;
    // Drawing is no longer clipped (beyond the device's own bounds).
    virtual void ResetClip() = 0;

    // --- Bitmaps ---
    // Stretches the whole bitmap over the destination rectangle with a raster_op.
    virtual void StretchBitmap(const SurfaceBitmap& bitmap, const SurfaceRect& destination,
                               std::uint32_t rasterOp) = 0;
};

}  // namespace rave
