// The SVG drawing surface: every call becomes an element as it is made, grouped with its
// neighbours by the stroke, fill or font they share.
#include "platform/svg_surface.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "platform/qpainter_surface.h"

namespace rave::platform {

namespace {

using svg::Number;

std::string Attribute(std::string_view name, std::string_view value) {
    std::string text = " ";
    text.append(name).append("=\"").append(value).append("\"");
    return text;
}

std::string Points(std::span<const SurfacePoint> points) {
    std::string text;
    for (const SurfacePoint& p : points) {
        if (!text.empty()) {
            text += ' ';
        }
        text += std::to_string(p.x) + ',' + std::to_string(p.y);
    }
    return text;
}

// The dash patterns of the painter's pen styles, in pen widths.
std::vector<int> DashPattern(int style) {
    switch (style) {
        case pen_style::kDash:
            return {4, 2};
        case pen_style::kDot:
            return {1, 2};
        case pen_style::kDashDot:
            return {4, 2, 1, 2};
        case pen_style::kDashDotDot:
            return {4, 2, 1, 2, 1, 2};
        default:
            return {};
    }
}

Qt::BrushStyle QtHatchStyle(int hatch) {
    static constexpr std::array<Qt::BrushStyle, hatch_style::kCount> kStyles{
        Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
        Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    return kStyles[static_cast<std::size_t>(std::clamp(hatch, 0, hatch_style::kCount - 1))];
}

// The repeat of the painter's hatch brushes, in device pixels.
constexpr int kHatchTile = 8;

// The pixels of one tile of the painter's hatch, anchored at the device's origin, as a path of
// one-pixel-high runs: the tile is painted and read back, so the file repeats exactly what a
// PNG page shows.
std::string HatchTilePath(int hatch) {
    QImage tile(kHatchTile, kHatchTile, QImage::Format_RGB32);
    tile.fill(Qt::white);
    {
        QPainter painter(&tile);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.setBrush(QBrush(Qt::black, QtHatchStyle(hatch)));
        painter.drawRect(0, 0, kHatchTile, kHatchTile);
    }
    std::string path;
    for (int y = 0; y < kHatchTile; ++y) {
        for (int x = 0; x < kHatchTile;) {
            if (tile.pixel(x, y) == qRgb(255, 255, 255)) {
                ++x;
                continue;
            }
            int end = x + 1;
            while (end < kHatchTile && tile.pixel(end, y) != qRgb(255, 255, 255)) {
                ++end;
            }
            path += "M" + std::to_string(x) + " " + std::to_string(y) + "h" + std::to_string(end - x) +
                    "v1h-" + std::to_string(end - x) + "z";
            x = end;
        }
    }
    return path;
}

QImage ToImage(const SurfaceBitmap& bitmap, bool whiteLeftOut) {
    QImage image(bitmap.width, bitmap.height, whiteLeftOut ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x) {
            const ColorRef color = bitmap.At(x, y) & 0xFFFFFF;
            line[x] = whiteLeftOut && color == kWhite ? qRgba(0, 0, 0, 0)
                                                      : qRgb(RedOf(color), GreenOf(color), BlueOf(color));
        }
    }
    return image;
}

// Bitmaps up to this many pixels (the pattern tiles) are written as filled areas, larger ones as
// images. Viewers smooth a stretched image (librsvg ignores image-rendering), which would blur
// the tiles' hatching; areas stay sharp at every zoom.
constexpr std::size_t kLargestAreaBitmap = 512 * 512;

// The bitmap as one path per colour in its own pixel units, built from the runs of equal pixels
// of each row; white is left out when it is to let what is below show through.
std::string BitmapAreas(const SurfaceBitmap& bitmap, bool whiteLeftOut) {
    std::map<ColorRef, std::string> areas;
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width;) {
            const ColorRef color = bitmap.At(x, y) & 0xFFFFFF;
            int end = x + 1;
            while (end < bitmap.width && (bitmap.At(end, y) & 0xFFFFFF) == color) {
                ++end;
            }
            if (!(whiteLeftOut && color == kWhite)) {
                areas[color] += "M" + std::to_string(x) + " " + std::to_string(y) + "h" +
                                std::to_string(end - x) + "v1h-" + std::to_string(end - x) + "z";
            }
            x = end;
        }
    }
    std::string text;
    for (const auto& [color, path] : areas) {
        text += "<path fill=\"" + svg::Colour(color) + "\" d=\"" + path + "\"/>";
    }
    return text;
}

// Every pixel and the size of a bitmap, as the key its image is shared by.
std::string BitmapKey(const SurfaceBitmap& bitmap, bool whiteLeftOut) {
    std::string key =
        std::to_string(bitmap.width) + 'x' + std::to_string(bitmap.height) + (whiteLeftOut ? 'a' : 'c');
    const std::size_t count =
        static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height);
    key.reserve(key.size() + 3 * count);
    for (std::size_t i = 0; i < count; ++i) {
        const ColorRef color = bitmap.pixels[i];
        key += static_cast<char>(RedOf(color));
        key += static_cast<char>(GreenOf(color));
        key += static_cast<char>(BlueOf(color));
    }
    return key;
}

// The angle of the ray from the centre through the point as the painter's arcs take it: of the
// ellipse's own parameter, in degrees counter-clockwise from three o'clock.
double ArcAngle(double cx, double cy, double rx, double ry, SurfacePoint point) {
    return std::atan2((cy - point.y) / std::max(ry, 1e-9), (point.x - cx) / std::max(rx, 1e-9)) * 180.0 /
           std::numbers::pi;
}

// The group attributes of the font as the painter draws it.
std::string FontAttributes(const QFont& font, int dpi) {
    QString family = font.family();
    family.remove(QLatin1Char('\'')).remove(QLatin1Char('\\'));
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72.0;
    std::string text = Attribute("font-family", svg::Escape("'" + family.toStdString() + "', serif")) +
                       Attribute("font-size", Number(pixels));
    if (font.weight() != QFont::Normal) {
        text += Attribute("font-weight", std::to_string(static_cast<int>(font.weight())));
    }
    if (font.italic()) {
        text += Attribute("font-style", "italic");
    }
    return text;
}

}  // namespace

SvgSurface::SvgSurface(int dpi, SurfaceSize page)
    : dpi_(std::max(1, dpi)),
      page_(page),
      document_(page.width * 25.4 / dpi_, page.height * 25.4 / dpi_, page.width, page.height),
      measureImage_(std::make_unique<QImage>(8, 8, QImage::Format_RGB32)) {
    const int dotsPerMetre = static_cast<int>(std::lround(dpi_ / 0.0254));
    measureImage_->setDotsPerMeterX(dotsPerMetre);
    measureImage_->setDotsPerMeterY(dotsPerMetre);
    measurePainter_ = std::make_unique<QPainter>(measureImage_.get());
    measure_ = std::make_unique<QPainterSurface>(*measurePainter_, dpi_, dpi_, page_);
    fontAttributes_ = FontAttributes(measure_->SelectedFont(), dpi_);
}

SvgSurface::~SvgSurface() {
    measure_.reset();
    measurePainter_.reset();
}

bool SvgSurface::SelectFont(const FontSpec& font) {
    if (!measure_->SelectFont(font)) {
        return false;
    }
    fontAttributes_ = FontAttributes(measure_->SelectedFont(), dpi_);
    return true;
}

FontSpec SvgSurface::CurrentFont() const {
    return measure_->CurrentFont();
}

SurfaceSize SvgSurface::TextExtent(std::string_view cp932) const {
    return measure_->TextExtent(cp932);
}

void SvgSurface::TextOut(SurfacePoint at, std::string_view cp932) {
    if (cp932.empty()) {
        return;
    }
    const double width = measure_->ExactTextWidth(cp932);
    const double ascent = measure_->SelectedAscent();
    const double cellHeight = measure_->SelectedCellHeight();
    const bool updatePosition = (textAlign_ & text_align::kUpdateCurrentPosition) != 0;
    const SurfacePoint origin = updatePosition ? position_ : at;
    double dx = 0.0;
    if ((textAlign_ & text_align::kHorizontalMask) == text_align::kCenter) {
        dx = -width / 2.0;
    } else if ((textAlign_ & text_align::kHorizontalMask) == text_align::kRight) {
        dx = -width;
    }
    double baseline = ascent;  // top alignment: the cell's top edge at y
    if ((textAlign_ & text_align::kVerticalMask) == text_align::kBaseline) {
        baseline = 0.0;
    } else if ((textAlign_ & text_align::kVerticalMask) == text_align::kBottom) {
        baseline = ascent - cellHeight;
    }

    // A rotated or stretched text is placed in its own frame: origin at the reference point,
    // x along the line, glyphs widened by the font's stretch.
    const double angle = CurrentFont().escapement / 10.0;
    const int stretch = measure_->SelectedFont().stretch();
    const double scale = stretch > 0 && stretch != 100 ? stretch / 100.0 : 1.0;
    const bool ownFrame = angle != 0.0 || scale != 1.0;
    std::string frame;
    double x = origin.x + dx;
    double y = origin.y + baseline;
    if (ownFrame) {
        frame = Attribute("transform", "translate(" + Number(origin.x) + " " + Number(origin.y) + ")" +
                                           (angle != 0.0 ? " rotate(" + Number(-angle) + ")" : "") +
                                           (scale != 1.0 ? " scale(" + Number(scale) + " 1)" : ""));
        x = dx / scale;
        y = baseline;
    }
    if (!transparent_) {
        // The painter's background, white, behind the text's cell.
        document_.Add(Attribute("fill", "#ffffff"), "<rect" + frame + Attribute("x", Number(x)) +
                                                        Attribute("y", Number(y - ascent)) +
                                                        Attribute("width", Number(width / scale)) +
                                                        Attribute("height", Number(cellHeight)) + "/>");
    }
    const std::string utf8 = measure_->DrawnText(cp932).toStdString();
    document_.Add(
        Attribute("fill", svg::Colour(textColor_)) + fontAttributes_ + Attribute("xml:space", "preserve"),
        "<text" + frame + Attribute("x", Number(x)) + Attribute("y", Number(y)) +
            Attribute("textLength", Number(width / scale)) + ">" + svg::Escape(utf8) + "</text>");

    if (updatePosition && (textAlign_ & text_align::kHorizontalMask) != text_align::kCenter) {
        const double sign = (textAlign_ & text_align::kHorizontalMask) == text_align::kRight ? -1.0 : 1.0;
        const double radians = angle * std::numbers::pi / 180.0;
        position_.x = origin.x + static_cast<int>(std::lround(sign * width * std::cos(radians)));
        position_.y = origin.y - static_cast<int>(std::lround(sign * width * std::sin(radians)));
    }
}

std::string SvgSurface::StrokeAttributes(const Pen& pen) {
    if (pen.style == pen_style::kNull) {
        return Attribute("stroke", "none");
    }
    // Width 0 and 1 are both one device unit; wider lines are round at their ends and corners.
    const int width = std::max(1, pen.width);
    std::string text =
        Attribute("stroke", svg::Colour(pen.color)) + Attribute("stroke-width", std::to_string(width));
    if (width > 1) {
        text += Attribute("stroke-linecap", "round") + Attribute("stroke-linejoin", "round");
    } else {
        text += Attribute("stroke-linecap", "butt") + Attribute("stroke-linejoin", "miter") +
                Attribute("stroke-miterlimit", "2");
    }
    std::string dashes;
    for (int length : DashPattern(pen.style)) {
        dashes += (dashes.empty() ? "" : ",") + std::to_string(length * width);
    }
    if (!dashes.empty()) {
        text += Attribute("stroke-dasharray", dashes);
    }
    return text;
}

std::string SvgSurface::FillAttributes(const Brush& brush) {
    switch (brush.kind) {
        case Brush::Kind::kNone:
            return Attribute("fill", "none");
        case Brush::Kind::kSolid:
            return Attribute("fill", svg::Colour(brush.color));
        case Brush::Kind::kHatch:
            break;
    }
    // The painter's background shows between the hatch lines of an opaque brush.
    const int hatch = std::clamp(brush.hatch, 0, hatch_style::kCount - 1);
    const ColorRef key = brush.color | (transparent_ ? 0 : 0x1000000);
    auto [found, added] = hatchIds_.try_emplace({hatch, key}, "h" + std::to_string(hatchIds_.size() + 1));
    if (added) {
        const std::string size = std::to_string(kHatchTile);
        document_.Define(
            "<pattern id=\"" + found->second + "\" patternUnits=\"userSpaceOnUse\" x=\"0\" y=\"0\" width=\"" +
            size + "\" height=\"" + size + "\">" +
            (transparent_ ? std::string()
                          : "<rect width=\"" + size + "\" height=\"" + size + "\" fill=\"#ffffff\"/>") +
            "<path shape-rendering=\"crispEdges\" fill=\"" + svg::Colour(brush.color) + "\" d=\"" +
            HatchTilePath(hatch) + "\"/></pattern>\n");
    }
    return Attribute("fill", "url(#" + found->second + ")");
}

void SvgSurface::AddShape(const Pen& pen, const Brush& brush, std::string_view extraGroupAttributes,
                          std::string_view element) {
    if (pen.style == pen_style::kNull && brush.kind == Brush::Kind::kNone) {
        return;
    }
    document_.Add(FillAttributes(brush) + StrokeAttributes(pen) + std::string(extraGroupAttributes), element);
}

void SvgSurface::Line(SurfacePoint from, SurfacePoint to, const Pen& pen) {
    if (pen.style == pen_style::kNull) {
        return;
    }
    if (from == to) {
        // The painter's point: a dot of the pen's width (SVG draws no line of no length).
        const double half = std::max(1, pen.width) / 2.0;
        const std::string dot =
            pen.width > 1
                ? "<circle" + Attribute("cx", std::to_string(from.x)) +
                      Attribute("cy", std::to_string(from.y)) + Attribute("r", Number(half)) + "/>"
                : "<rect" + Attribute("x", Number(from.x - half)) + Attribute("y", Number(from.y - half)) +
                      Attribute("width", "1") + Attribute("height", "1") + "/>";
        document_.Add(Attribute("fill", svg::Colour(pen.color)) + Attribute("stroke", "none"), dot);
        return;
    }
    document_.Add(Attribute("fill", "none") + StrokeAttributes(pen),
                  "<line" + Attribute("x1", std::to_string(from.x)) +
                      Attribute("y1", std::to_string(from.y)) + Attribute("x2", std::to_string(to.x)) +
                      Attribute("y2", std::to_string(to.y)) + "/>");
}

void SvgSurface::Polyline(std::span<const SurfacePoint> points, const Pen& pen) {
    if (points.size() < 2 || pen.style == pen_style::kNull) {
        return;
    }
    document_.Add(Attribute("fill", "none") + StrokeAttributes(pen),
                  "<polyline" + Attribute("points", Points(points)) + "/>");
}

void SvgSurface::Polygon(std::span<const SurfacePoint> points, const Pen& pen, const Brush& brush,
                         FillMode mode) {
    if (points.size() < 2) {
        return;
    }
    AddShape(pen, brush, Attribute("fill-rule", mode == FillMode::kWinding ? "nonzero" : "evenodd"),
             "<polygon" + Attribute("points", Points(points)) + "/>");
}

void SvgSurface::Rectangle(const SurfaceRect& rect, const Pen& pen, const Brush& brush) {
    const SurfaceRect r = rect.Normalized();
    if (r.IsEmpty()) {
        // SVG leaves out a rectangle without area; the painter still strokes its outline.
        const std::array<SurfacePoint, 4> corners{
            {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}}};
        AddShape(pen, Brush::None(), "", "<polygon" + Attribute("points", Points(corners)) + "/>");
        return;
    }
    AddShape(pen, brush, "",
             "<rect" + Attribute("x", std::to_string(r.left)) + Attribute("y", std::to_string(r.top)) +
                 Attribute("width", std::to_string(r.right - r.left)) +
                 Attribute("height", std::to_string(r.bottom - r.top)) + "/>");
}

void SvgSurface::Ellipse(const SurfaceRect& bounds, const Pen& pen, const Brush& brush) {
    const SurfaceRect r = bounds.Normalized();
    AddShape(pen, brush, "",
             "<ellipse" + Attribute("cx", Number((r.left + r.right) / 2.0)) +
                 Attribute("cy", Number((r.top + r.bottom) / 2.0)) +
                 Attribute("rx", Number((r.right - r.left) / 2.0)) +
                 Attribute("ry", Number((r.bottom - r.top) / 2.0)) + "/>");
}

void SvgSurface::Arc(const SurfaceRect& bounds, SurfacePoint start, SurfacePoint end, const Pen& pen) {
    if (pen.style == pen_style::kNull) {
        return;
    }
    const SurfaceRect r = bounds.Normalized();
    const double cx = (r.left + r.right) / 2.0;
    const double cy = (r.top + r.bottom) / 2.0;
    const double rx = (r.right - r.left) / 2.0;
    const double ry = (r.bottom - r.top) / 2.0;
    const double from = ArcAngle(cx, cy, rx, ry, start);
    double span = ArcAngle(cx, cy, rx, ry, end) - from;
    while (span <= 0.0) {
        span += 360.0;
    }
    if (span > 360.0 - 1e-9) {
        Ellipse(bounds, pen, Brush::None());
        return;
    }
    // The sixteenths of a degree the painter is given.
    const double a0 = std::lround(from * 16.0) / 16.0 * std::numbers::pi / 180.0;
    const double a1 = a0 + std::lround(span * 16.0) / 16.0 * std::numbers::pi / 180.0;
    const std::string d = "M" + Number(cx + rx * std::cos(a0)) + " " + Number(cy - ry * std::sin(a0)) + "A" +
                          Number(rx) + " " + Number(ry) + " 0 " + (span > 180.0 ? "1" : "0") + " 0 " +
                          Number(cx + rx * std::cos(a1)) + " " + Number(cy - ry * std::sin(a1));
    document_.Add(Attribute("fill", "none") + StrokeAttributes(pen), "<path" + Attribute("d", d) + "/>");
}

void SvgSurface::StretchBitmap(const SurfaceBitmap& bitmap, const SurfaceRect& destination,
                               std::uint32_t rasterOp) {
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() <
            static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        return;
    }
    const SurfaceRect target = destination.Normalized();
    if (target.IsEmpty()) {
        return;
    }
    // AND lays the black and colours of a tile onto what is below; white lets it through.
    const bool whiteLeftOut = rasterOp == raster_op::kAnd;
    auto [found, added] =
        bitmapIds_.try_emplace(BitmapKey(bitmap, whiteLeftOut), "b" + std::to_string(bitmapIds_.size() + 1));
    if (added && bitmap.pixels.size() <= kLargestAreaBitmap) {
        document_.Define("<g id=\"" + found->second + "\">" + BitmapAreas(bitmap, whiteLeftOut) + "</g>\n");
    } else if (added) {
        document_.Define("<image id=\"" + found->second + "\" width=\"" + std::to_string(bitmap.width) +
                         "\" height=\"" + std::to_string(bitmap.height) +
                         "\" preserveAspectRatio=\"none\" image-rendering=\"optimizeSpeed\" xlink:href=\"" +
                         svg::PngDataUri(ToImage(bitmap, whiteLeftOut)) + "\"/>\n");
    }
    // The bitmap's pixels stretched over the target, mirrored where the destination runs backwards.
    const bool mirrorX = destination.right < destination.left;
    const bool mirrorY = destination.bottom < destination.top;
    const double sx = static_cast<double>(target.right - target.left) / bitmap.width;
    const double sy = static_cast<double>(target.bottom - target.top) / bitmap.height;
    const std::string matrix = Number(mirrorX ? -sx : sx) + " 0 0 " + Number(mirrorY ? -sy : sy) + " " +
                               std::to_string(mirrorX ? target.right : target.left) + " " +
                               std::to_string(mirrorY ? target.bottom : target.top);
    document_.Add("", "<use xlink:href=\"#" + found->second + "\" transform=\"matrix(" + matrix + ")\"/>");
}

}  // namespace rave::platform
