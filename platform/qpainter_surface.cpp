// The drawing surface over a QPainter.
#include "platform/qpainter_surface.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygon>
#include <QPrinter>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <numbers>
#include <vector>

#include "platform/codec.h"
#include "platform/system_fonts.h"

namespace rave::platform {

namespace {

QColor ToQColor(ColorRef color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QRect ToQRect(const SurfaceRect& rect) {
    const SurfaceRect r = rect.Normalized();
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// The Windows Mincho faces the users' font files name; they are drawn with an installed Mincho.
bool IsWindowsMinchoFace(const QString& face) {
    static const QString kFaces[] = {QStringLiteral(u"ＭＳ 明朝"), QStringLiteral(u"ＭＳ Ｐ明朝"),
                                     QStringLiteral(u"MS Mincho"), QStringLiteral(u"MS PMincho")};
    for (const QString& known : kFaces) {
        if (face.compare(known, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// The installed Mincho face, found once: the system's preferred ones first, then other Japanese
// serif faces.
QString InstalledMinchoFamily() {
    static const QString family = [] {
        LoadBundledFonts();
        const QStringList families = QFontDatabase::families();
        for (const QString& preferred : PreferredMinchoFamilies()) {
            if (families.contains(preferred, Qt::CaseInsensitive)) {
                return preferred;
            }
        }
        for (const QString& candidate : families) {
            if (candidate.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive) ||
                candidate.contains(QStringLiteral(u"明朝"))) {
                return candidate;
            }
        }
        return QStringLiteral("serif");
    }();
    return family;
}

// Ascent plus descent of a family per pixel of em size, so a cell height can be turned into
// the pixel size Qt takes.
double CellHeightPerEmPixel(const QString& family) {
    static std::mutex mutex;
    static std::unordered_map<std::string, double> known;
    const std::lock_guard lock(mutex);
    const std::string key = family.toStdString();
    if (const auto found = known.find(key); found != known.end()) {
        return found->second;
    }
    QFont probe(family);
    probe.setPixelSize(1000);
    const QFontMetricsF metrics(probe);
    const double ratio =
        metrics.ascent() + metrics.descent() > 0.0 ? (metrics.ascent() + metrics.descent()) / 1000.0 : 1.0;
    known.emplace(key, ratio);
    return ratio;
}

// The average character width a requested character width is measured against: the font's own
// figure (OS/2 xAvgCharWidth) at its pixel size, in 1/64 pixel as FreeType gives it, so every
// system's font engine stretches a face alike (Windows' engines answer with whole pixels or
// averages of their own).
double DesignAverageCharWidth(const QFont& font, QPaintDevice* device) {
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray head = raw.fontTable("head");
    if (os2.size() >= 4 && head.size() >= 20) {
        const auto byte = [](const QByteArray& table, int at) {
            return static_cast<unsigned char>(table[at]);
        };
        const int average = static_cast<std::int16_t>(byte(os2, 2) << 8 | byte(os2, 3));
        const int unitsPerEm = byte(head, 18) << 8 | byte(head, 19);
        if (average > 0 && unitsPerEm > 0) {
            return std::round(64.0 * average * font.pixelSize() / unitsPerEm) / 64.0;
        }
    }
    return QFontMetricsF(font, device).averageCharWidth();
}

// The engines' feature flags cannot be trusted here (the PDF engine claims raster operations and
// blend modes it does not write), so the mode follows the kind of engine.
AndMode AndModeOf(QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    return engine != nullptr && engine->type() == QPaintEngine::Raster ? AndMode::kRasterOp
                                                                       : AndMode::kOverlay;
}

Qt::PenStyle ToQtPenStyle(int style) {
    switch (style) {
        case pen_style::kDash:
            return Qt::DashLine;
        case pen_style::kDot:
            return Qt::DotLine;
        case pen_style::kDashDot:
            return Qt::DashDotLine;
        case pen_style::kDashDotDot:
            return Qt::DashDotDotLine;
        case pen_style::kNull:
            return Qt::NoPen;
        default:
            return Qt::SolidLine;
    }
}

Qt::BrushStyle ToQtHatch(int hatch) {
    switch (hatch) {
        case hatch_style::kHorizontal:
            return Qt::HorPattern;
        case hatch_style::kVertical:
            return Qt::VerPattern;
        case hatch_style::kForwardDiagonal:
            return Qt::FDiagPattern;
        case hatch_style::kBackwardDiagonal:
            return Qt::BDiagPattern;
        case hatch_style::kCross:
            return Qt::CrossPattern;
        case hatch_style::kDiagonalCross:
            return Qt::DiagCrossPattern;
        default:
            return Qt::SolidPattern;
    }
}

// The angle of the ray from the centre of `bounds` through `point`, in degrees counter-clockwise
// from three o'clock, as the angle of the ellipse's own parameter, which QPainter's arcs take.
double ArcAngle(const QRectF& bounds, SurfacePoint point) {
    const double dx = point.x - bounds.center().x();
    const double dy = bounds.center().y() - point.y;
    const double a = std::max(bounds.width() / 2.0, 1e-9);
    const double b = std::max(bounds.height() / 2.0, 1e-9);
    return std::atan2(dy / b, dx / a) * 180.0 / std::numbers::pi;
}

QImage ToQImage(const SurfaceBitmap& bitmap) {
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x) {
            const ColorRef color = bitmap.At(x, y);
            line[x] = qRgb(RedOf(color), GreenOf(color), BlueOf(color));
        }
    }
    return image;
}

// Tiles up to this many pixels are drawn on vector devices as filled areas; larger bitmaps as
// images.
constexpr std::size_t kLargestVectorBitmap = 512 * 512;

// Draws the bitmap on a vector device as one filled area per colour, built from the runs of
// equal pixels of each row, so the tiles stay sharp at every zoom (the PDF engine would store an
// image as JPEG) and AND can leave the white out exactly. With `skipWhite` white runs are not
// drawn; otherwise the white is laid down too, as a copy does.
void DrawBitmapAsAreas(QPainter& painter, const SurfaceBitmap& bitmap, const QRectF& target, bool mirrorX,
                       bool mirrorY, bool skipWhite) {
    const double cellWidth = target.width() / bitmap.width;
    const double cellHeight = target.height() / bitmap.height;
    std::unordered_map<ColorRef, QPainterPath> areas;
    for (int y = 0; y < bitmap.height; ++y) {
        const int row = mirrorY ? bitmap.height - 1 - y : y;
        int x = 0;
        while (x < bitmap.width) {
            const ColorRef color = bitmap.At(mirrorX ? bitmap.width - 1 - x : x, row) & 0xFFFFFF;
            int end = x + 1;
            while (end < bitmap.width &&
                   (bitmap.At(mirrorX ? bitmap.width - 1 - end : end, row) & 0xFFFFFF) == color) {
                ++end;
            }
            if (!(skipWhite && color == kWhite)) {
                QPainterPath& area = areas[color];
                area.setFillRule(Qt::WindingFill);
                area.addRect(QRectF(target.left() + x * cellWidth, target.top() + y * cellHeight,
                                    (end - x) * cellWidth, cellHeight));
            }
            x = end;
        }
    }
    for (const auto& [color, area] : areas) {
        painter.fillPath(area, ToQColor(color));
    }
}

constexpr std::size_t kTextCacheLimit = 8192;

// The key of a font's text widths: every field of the FontSpec. The painter's own font, in use
// before the first SelectFont, has a key no FontSpec gives.
std::string FontKey(const FontSpec& spec) {
    return spec.face + '\0' + std::to_string(spec.height) + ',' + std::to_string(spec.width) + ',' +
           std::to_string(spec.escapement) + ',' + std::to_string(spec.weight) + (spec.italic ? ",i" : ",n");
}
const std::string kPainterFontKey = "\x01painter";

}  // namespace

QPainterSurface::QPainterSurface(QPainter& painter)
    : QPainterSurface(painter, painter.device() ? painter.device()->logicalDpiX() : 96,
                      painter.device() ? painter.device()->logicalDpiY() : 96,
                      painter.device() ? SurfaceSize{painter.device()->width(), painter.device()->height()}
                                       : SurfaceSize{}) {
    if (painter.device() != nullptr && painter.device()->devType() == QInternal::Printer) {
        const QRect paper =
            static_cast<QPrinter*>(painter.device())->paperRect(QPrinter::DevicePixel).toRect();
        page_ = {paper.width(), paper.height()};
    }
}

QPainterSurface::QPainterSurface(QPainter& painter, int dpiX, int dpiY, SurfaceSize physicalPage)
    : painter_(painter), dpiX_(dpiX), dpiY_(dpiY), page_(physicalPage), andMode_(AndModeOf(painter)) {
    painter_.save();
    baseTransform_ = painter_.worldTransform();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.setBackground(QBrush(Qt::white));
    painter_.setBackgroundMode(Qt::OpaqueMode);
    font_ = painter_.font();
    fontWidths_ = &widths_[kPainterFontKey];
    const QFontMetricsF metrics(font_, painter_.device());
    ascent_ = metrics.ascent();
    cellHeight_ = metrics.ascent() + metrics.descent();
    // Lines are held back only on a raster device moved by whole pixels, where every line is
    // drawn by the one-pixel line drawer in exact integer steps. Wider lines given together
    // are stroked as one outline, whose overlaps where the lines meet can cancel out.
    QPaintEngine* engine = painter_.paintEngine();
    const QTransform device = painter_.deviceTransform();
    if (engine != nullptr && engine->type() == QPaintEngine::Raster && painter_.device() != nullptr &&
        device.type() <= QTransform::TxTranslate && device.dx() == std::round(device.dx()) &&
        device.dy() == std::round(device.dy())) {
        QRect area(0, 0, painter_.device()->width(), painter_.device()->height());
        if (!engine->systemClip().isEmpty()) {
            area &= engine->systemClip().boundingRect();
        }
        batchArea_ = area.translated(-static_cast<int>(device.dx()), -static_cast<int>(device.dy()));
        batchLines_ = !batchArea_.isEmpty();
    }
}

QPainterSurface::~QPainterSurface() {
    FlushLines();
    painter_.restore();
}

void QPainterSurface::FlushLines() {
    if (batchedLines_.empty()) {
        return;
    }
    ApplyPen(batchPen_);
    painter_.drawLines(batchedLines_.data(), static_cast<int>(batchedLines_.size()));
    batchedLines_.clear();
    batchDirections_ = 0;
}

bool QPainterSurface::HoldBackLine(SurfacePoint from, SurfacePoint to, const Pen& pen) {
    if (!batchLines_ || pen.style != pen_style::kSolid || pen.width > 1 || from == to ||
        !batchArea_.contains(QPoint(from.x, from.y)) || !batchArea_.contains(QPoint(to.x, to.y))) {
        return false;
    }
    // Qt's one-pixel line drawer, given several lines in one call, remembers the direction of
    // the line before: a line running against it, or any right-to-left line that does not
    // follow a left-to-right one, gets half a pixel more at its start than it gets alone (alone
    // it always follows "left to right"). So right-to-left lines are drawn alone, and upward and
    // downward lines are never held back together.
    constexpr int kDown = 1;
    constexpr int kUp = 2;
    int direction = 0;
    if (std::abs(to.x - from.x) < std::abs(to.y - from.y)) {
        direction = from.y > to.y ? kUp : kDown;
    } else if (from.x > to.x) {
        return false;
    }
    if ((!batchedLines_.empty() && !(batchPen_ == pen)) || (direction == kUp && (batchDirections_ & kDown)) ||
        (direction == kDown && (batchDirections_ & kUp))) {
        FlushLines();
    }
    batchPen_ = pen;
    batchDirections_ |= direction;
    batchedLines_.emplace_back(QPoint(from.x, from.y), QPoint(to.x, to.y));
    return true;
}

QString QPainterSurface::ResolveFaceFamily(const std::string& cp932Face) {
    const QString face = QString::fromStdString(Cp932ToUtf8(cp932Face));
    if (face.isEmpty() || IsWindowsMinchoFace(face)) {
        return InstalledMinchoFamily();
    }
    if (QFontDatabase::hasFamily(face)) {
        return face;
    }
    // A Windows face this machine lacks: the sheets hold Japanese text, so a Mincho face keeps
    // them readable where a Latin default would not.
    return InstalledMinchoFamily();
}

const QString& QPainterSurface::ToQString(std::string_view cp932) const {
    const std::string key(cp932);
    if (const auto found = texts_.find(key); found != texts_.end()) {
        return found->second;
    }
    if (texts_.size() >= kTextCacheLimit) {
        texts_.clear();
    }
    const bool ascii =
        std::all_of(key.begin(), key.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    QString text = ascii ? QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()))
                         : QString::fromStdString(Cp932ToUtf8(key));
    return texts_.emplace(key, std::move(text)).first->second;
}

double QPainterSurface::TextWidth(const QString& text, std::string_view cp932) const {
    const std::string key(cp932);
    if (const auto found = fontWidths_->find(key); found != fontWidths_->end()) {
        return found->second;
    }
    if (fontWidths_->size() >= kTextCacheLimit) {
        fontWidths_->clear();
    }
    const double width = QFontMetricsF(font_, painter_.device()).horizontalAdvance(text);
    fontWidths_->emplace(key, width);
    return width;
}

void QPainterSurface::SetTransparentText(bool transparent) {
    FlushLines();
    transparent_ = transparent;
    painter_.setBackgroundMode(transparent ? Qt::TransparentMode : Qt::OpaqueMode);
}

bool QPainterSurface::SelectFont(const FontSpec& spec) {
    constexpr int kLargestHeight = 32767;
    if (std::abs(spec.height) > kLargestHeight || spec.width < 0 || std::abs(spec.width) > kLargestHeight) {
        return false;
    }
    const QString family = ResolveFaceFamily(spec.face);
    QFont font(family);
    // A positive height is the cell height (ascent plus descent), a negative one the em size,
    // zero the device's ordinary text size.
    double emPixels = 0.0;
    if (spec.height > 0) {
        emPixels = spec.height / CellHeightPerEmPixel(family);
    } else if (spec.height < 0) {
        emPixels = -spec.height;
    } else {
        emPixels = dpiY_ * 10.0 / 72.0;
    }
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(emPixels))));
    font.setWeight(spec.weight > 0 ? static_cast<QFont::Weight>(std::clamp(spec.weight / 100 * 100, 100, 900))
                                   : QFont::Normal);
    font.setItalic(spec.italic);
    font.setStyleStrategy(QFont::PreferOutline);
    font.setHintingPreference(SheetFontHinting());
    if (spec.width > 0) {
        const double natural = DesignAverageCharWidth(font, painter_.device());
        if (natural > 0.0) {
            font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * spec.width / natural)), 1, 4000));
        }
    }
    font_ = font;
    fontSpec_ = spec;
    fontWidths_ = &widths_[FontKey(spec)];
    const QFontMetricsF metrics(font_, painter_.device());
    ascent_ = metrics.ascent();
    cellHeight_ = metrics.ascent() + metrics.descent();
    return true;
}

void QPainterSurface::TextOut(SurfacePoint at, std::string_view cp932) {
    if (cp932.empty()) {
        return;
    }
    FlushLines();
    const QString& text = ToQString(cp932);
    const double width = TextWidth(text, cp932);
    const bool updatePosition = (textAlign_ & text_align::kUpdateCurrentPosition) != 0;
    const SurfacePoint origin = updatePosition ? position_ : at;

    double dx = 0.0;
    switch (textAlign_ & text_align::kHorizontalMask) {
        case text_align::kCenter:
            dx = -width / 2.0;
            break;
        case text_align::kRight:
            dx = -width;
            break;
        default:
            break;
    }
    double baseline = ascent_;  // top alignment: the cell's top edge at y
    if ((textAlign_ & text_align::kVerticalMask) == text_align::kBaseline) {
        baseline = 0.0;
    } else if ((textAlign_ & text_align::kVerticalMask) == text_align::kBottom) {
        baseline = ascent_ - cellHeight_;
    }

    // No save/restore here: restoring the painter's state re-applies the clip region, which
    // costs more than the text itself on a raster device.
    const double angle = fontSpec_.escapement / 10.0;
    if (angle != 0.0) {
        QTransform rotated = baseTransform_;
        rotated.translate(origin.x, origin.y);
        rotated.rotate(-angle);
        painter_.setWorldTransform(rotated);
    }
    const QPointF offset = angle != 0.0 ? QPointF(0.0, 0.0) : QPointF(origin.x, origin.y);
    painter_.setFont(font_);
    if (!transparent_) {
        painter_.fillRect(QRectF(offset.x() + dx, offset.y() + baseline - ascent_, width, cellHeight_),
                          painter_.background());
    }
    painter_.setPen(ToQColor(textColor_));
    ForgetPen();
    painter_.drawText(offset + QPointF(dx, baseline), text);
    if (angle != 0.0) {
        painter_.setWorldTransform(baseTransform_);
    }

    if (updatePosition && (textAlign_ & text_align::kHorizontalMask) != text_align::kCenter) {
        const double sign = (textAlign_ & text_align::kHorizontalMask) == text_align::kRight ? -1.0 : 1.0;
        const double radians = angle * std::numbers::pi / 180.0;
        position_.x = origin.x + static_cast<int>(std::lround(sign * width * std::cos(radians)));
        position_.y = origin.y - static_cast<int>(std::lround(sign * width * std::sin(radians)));
    }
}

SurfaceSize QPainterSurface::TextExtent(std::string_view cp932) const {
    const double width = cp932.empty() ? 0.0 : TextWidth(ToQString(cp932), cp932);
    return {static_cast<int>(std::lround(width)), static_cast<int>(std::lround(cellHeight_))};
}

void QPainterSurface::ApplyPen(const Pen& pen) {
    if (appliedPen_ == pen) {
        return;
    }
    appliedPen_ = pen;
    QPen qpen(ToQColor(pen.color));
    qpen.setStyle(ToQtPenStyle(pen.style));
    // Width 0 and 1 are both the device's thinnest line: one device unit, never a hairline that
    // would vanish on a printer.
    qpen.setWidth(std::max(1, pen.width));
    qpen.setCosmetic(false);
    if (pen.width > 1) {
        qpen.setCapStyle(Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
    } else {
        qpen.setCapStyle(Qt::FlatCap);
        qpen.setJoinStyle(Qt::MiterJoin);
    }
    painter_.setPen(qpen);
}

void QPainterSurface::ApplyBrush(const Brush& brush) {
    switch (brush.kind) {
        case Brush::Kind::kNone:
            painter_.setBrush(Qt::NoBrush);
            break;
        case Brush::Kind::kSolid:
            painter_.setBrush(QBrush(ToQColor(brush.color), Qt::SolidPattern));
            break;
        case Brush::Kind::kHatch:
            painter_.setBrush(QBrush(ToQColor(brush.color), ToQtHatch(brush.hatch)));
            break;
    }
}

bool QPainterSurface::ClippedAway(const QRect& bounds, int penWidth) const {
    if (!clip_) {
        return false;
    }
    const int reach = std::max(1, penWidth) + 1;
    return !clip_->boundingRect().intersects(bounds.normalized().adjusted(-reach, -reach, reach, reach));
}

void QPainterSurface::Line(SurfacePoint from, SurfacePoint to, const Pen& pen) {
    if (PenDrawsNothing(pen) || ClippedAway(QRect(QPoint(from.x, from.y), QPoint(to.x, to.y)), pen.width)) {
        return;
    }
    if (HoldBackLine(from, to, pen)) {
        return;
    }
    FlushLines();
    ApplyPen(pen);
    if (from == to) {
        painter_.drawPoint(QPoint(from.x, from.y));
        return;
    }
    painter_.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void QPainterSurface::Polyline(std::span<const SurfacePoint> points, const Pen& pen) {
    if (points.size() < 2 || PenDrawsNothing(pen)) {
        return;
    }
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const SurfacePoint& p : points) {
        polygon << QPoint(p.x, p.y);
    }
    if (ClippedAway(polygon.boundingRect(), pen.width)) {
        return;
    }
    FlushLines();
    ApplyPen(pen);
    painter_.drawPolyline(polygon);
}

void QPainterSurface::Polygon(std::span<const SurfacePoint> points, const Pen& pen, const Brush& brush,
                              FillMode mode) {
    if (points.size() < 2) {
        return;
    }
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const SurfacePoint& p : points) {
        polygon << QPoint(p.x, p.y);
    }
    FlushLines();
    if (PenDrawsNothing(pen)) {
        painter_.setPen(Qt::NoPen);
        ForgetPen();
    } else {
        ApplyPen(pen);
    }
    ApplyBrush(brush);
    painter_.drawPolygon(polygon, mode == FillMode::kWinding ? Qt::WindingFill : Qt::OddEvenFill);
}

void QPainterSurface::Rectangle(const SurfaceRect& rect, const Pen& pen, const Brush& brush) {
    if (ClippedAway(ToQRect(rect), pen.width)) {
        return;
    }
    FlushLines();
    if (PenDrawsNothing(pen)) {
        painter_.setPen(Qt::NoPen);
        ForgetPen();
    } else {
        ApplyPen(pen);
    }
    ApplyBrush(brush);
    painter_.drawRect(ToQRect(rect));
}

void QPainterSurface::Ellipse(const SurfaceRect& bounds, const Pen& pen, const Brush& brush) {
    if (ClippedAway(ToQRect(bounds), pen.width)) {
        return;
    }
    FlushLines();
    if (PenDrawsNothing(pen)) {
        painter_.setPen(Qt::NoPen);
        ForgetPen();
    } else {
        ApplyPen(pen);
    }
    ApplyBrush(brush);
    painter_.drawEllipse(ToQRect(bounds));
}

void QPainterSurface::Arc(const SurfaceRect& bounds, SurfacePoint start, SurfacePoint end, const Pen& pen) {
    if (PenDrawsNothing(pen)) {
        return;
    }
    const QRect rect = ToQRect(bounds);
    if (ClippedAway(rect, pen.width)) {
        return;
    }
    const double startAngle = ArcAngle(rect, start);
    double span = ArcAngle(rect, end) - startAngle;
    while (span <= 0.0) {
        span += 360.0;
    }
    if (span > 360.0 - 1e-9) {
        span = 360.0;
    }
    FlushLines();
    ApplyPen(pen);
    painter_.drawArc(rect, static_cast<int>(std::lround(startAngle * 16.0)),
                     static_cast<int>(std::lround(span * 16.0)));
}

void QPainterSurface::ApplyClip() {
    FlushLines();
    if (clip_) {
        painter_.setClipRegion(*clip_);
    } else {
        painter_.setClipping(false);
    }
}

void QPainterSurface::IntersectClipRect(const SurfaceRect& rect) {
    const QRegion region(ToQRect(rect));
    clip_ = clip_ ? clip_->intersected(region) : region;
    ApplyClip();
}

void QPainterSurface::ExcludeClipRect(const SurfaceRect& rect) {
    // Unclipped drawing covers the whole 16-bit coordinate space the mappings produce.
    static const QRegion kEverything(QRect(-32768, -32768, 65536, 65536));
    const QRegion base = clip_ ? *clip_ : kEverything;
    clip_ = base.subtracted(QRegion(ToQRect(rect)));
    ApplyClip();
}

void QPainterSurface::ResetClip() {
    clip_.reset();
    ApplyClip();
}

void QPainterSurface::StretchBitmap(const SurfaceBitmap& bitmap, const SurfaceRect& destination,
                                    std::uint32_t rasterOp) {
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() <
            static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        return;
    }
    const bool mirrorX = destination.right < destination.left;
    const bool mirrorY = destination.bottom < destination.top;
    const QRect target = ToQRect(destination);
    if (target.isEmpty()) {
        return;
    }
    const bool isAnd = rasterOp == raster_op::kAnd;
    FlushLines();
    if (andMode_ == AndMode::kRasterOp || bitmap.pixels.size() > kLargestVectorBitmap) {
        QImage image = ToQImage(bitmap);
        if (mirrorX || mirrorY) {
            image = image.mirrored(mirrorX, mirrorY);
        }
        const bool combine = isAnd && andMode_ == AndMode::kRasterOp;
        painter_.setCompositionMode(combine ? QPainter::RasterOp_SourceAndDestination
                                            : QPainter::CompositionMode_SourceOver);
        painter_.drawImage(target, image);
    } else {
        DrawBitmapAsAreas(painter_, bitmap, QRectF(target), mirrorX, mirrorY, isAnd);
    }
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace rave::platform
