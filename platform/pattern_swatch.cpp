// The pattern swatch: the soil-pattern library or a bitmap tile drawn into a small widget.
#include "platform/pattern_swatch.h"

#include <QPainter>
#include <algorithm>

#include "common/drawing/pattern_mapping.h"
#include "common/patterns/pattern_bitmap.h"
#include "common/patterns/soil_patterns.h"
#include "platform/qpainter_surface.h"

namespace rave::platform {

namespace {

// Draws inside (0, 0) - size on a painter already active on a white device.
bool DrawSwatch(QPainter& painter, QSize size, const PatternSwatchContent& content, int dpi) {
    if ((content.patternNo <= 0 && content.markerKind < 0) || size.width() < 4 || size.height() < 4) {
        return false;
    }
    QPainterSurface surface(painter, dpi, dpi, SurfaceSize{size.width(), size.height()});
    PatternMapping mapping = PatternMapping::ForDevice(dpi, dpi, 0.0, 0.0);
    const MappedSurface target{surface, mapping};
    if (content.markerKind >= 0) {
        return DrawCellMarker(target, mapping.FromSurfaceX(1), mapping.FromSurfaceY(1),
                              mapping.FromSurfaceX(size.width() - 2), mapping.FromSurfaceY(size.height() - 2),
                              content.markerKind, 1, std::max(1, content.penWidth), content.monochrome,
                              content.colors);
    }
    if (content.drawBitmap) {
        // The tile covers the swatch; world units are the mapping's millimetres.
        const double x = mapping.FromSurfaceX(0);
        const double y = mapping.FromSurfaceY(0);
        const double width = mapping.FromSurfaceX(size.width()) - x;
        const double height = mapping.FromSurfaceY(size.height()) - y;
        return DrawPatternBitmap(target, content.bitmapFile, x, y, width, height, raster_op::kCopy);
    }
    const SurfaceRect client{0, 0, size.width(), size.height()};
    return DrawPatternPreview(target, content.patternNo, client, content.penWidth, content.color);
}

}  // namespace

int MarkerKindOfCode(long code, bool jacicTable) {
    const int kind = jacicTable ? ClassifyJacicPattern(code) : ClassifySimplePattern(code);
    // Classes 7, 8, 9 and 11 are the markers; the report draws them as kind class - 7.
    return kind == 7 || kind == 8 || kind == 9 || kind == 11 ? kind - 7 : -1;
}

bool PaintPatternSwatch(QPixmap& pixmap, const PatternSwatchContent& content, int dpi) {
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    return DrawSwatch(painter, pixmap.size() / pixmap.devicePixelRatio(), content, dpi);
}

QPixmap RenderPatternSwatch(const PatternSwatchContent& content, QSize size, int dpi) {
    QPixmap pixmap(size);
    PaintPatternSwatch(pixmap, content, dpi);
    return pixmap;
}

PatternSwatch::PatternSwatch(QWidget* parent) : QWidget(parent) {
    setMinimumSize(32, 32);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PatternSwatch::SetContent(const PatternSwatchContent& content) {
    content_ = content;
    update();
}

void PatternSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    drewSomething_ = DrawSwatch(painter, size() - QSize(1, 1), content_, logicalDpiX());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace rave::platform
