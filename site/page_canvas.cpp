// Millimetre drawing on a report page.
#include "site/page_canvas.h"

#include <algorithm>
#include <cmath>

#include "common/cp932.h"
#include "common/drawing/pattern_mapping.h"
#include "common/font_settings.h"

namespace site {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;

}  // namespace

PageCanvas::PageCanvas(rave::DrawingSurface& surface)
    : surface_(surface),
      unitX_(std::max(1, surface.DpiX()) / kMillimetresPerInch),
      unitY_(std::max(1, surface.DpiY()) / kMillimetresPerInch),
      widthMm_(surface.PhysicalPageSize().width / unitX_),
      heightMm_(surface.PhysicalPageSize().height / unitY_) {
    surface_.SetTransparentText(true);
}

// Clamped to the devices' coordinate range: a plan point a typing slip puts a million metres away
// must not overflow the device.
int PageCanvas::X(double mm) const {
    return rave::ClampToSurface(mm * unitX_);
}
int PageCanvas::Y(double mm) const {
    return rave::ClampToSurface(mm * unitY_);
}
int PageCanvas::Units(double mm) const {
    return rave::ClampToSurface(mm * unitX_);
}

rave::SurfaceRect PageCanvas::Box(double left, double top, double right, double bottom) const {
    return {X(left), Y(top), X(right), Y(bottom)};
}

void PageCanvas::SelectSize(double points, bool bold) {
    rave::FontSpec font;
    font.face = rave::DefaultFontFace();
    font.height = std::max(1, static_cast<int>(std::lround(points * surface_.DpiY() / kPointsPerInch)));
    font.weight = bold ? 700 : 400;
    surface_.SelectFont(font);
    surface_.SetTextColor(rave::kBlack);
}

void PageCanvas::Text(double x, double y, std::string_view cp932, double points, int align, bool bold) {
    if (cp932.empty()) {
        return;
    }
    SelectSize(points, bold);
    surface_.SetTextAlign(align);
    surface_.TextOut(At(x, y), cp932);
}

double PageCanvas::TextWidth(std::string_view cp932, double points, bool bold) {
    SelectSize(points, bold);
    return surface_.TextExtent(cp932).width / unitX_;
}

std::string PageCanvas::FitText(std::string_view cp932, double points, double widthMm) {
    if (TextWidth(cp932, points) <= widthMm) {
        return std::string(cp932);
    }
    std::size_t end = 0;
    std::size_t fits = 0;
    while (end < cp932.size()) {
        end += rave::Cp932CharLength(cp932, end);
        if (TextWidth(cp932.substr(0, end), points) > widthMm) {
            break;
        }
        fits = end;
    }
    return std::string(cp932.substr(0, fits));
}

void PageCanvas::Line(double x1, double y1, double x2, double y2, double width, int style,
                      rave::ColorRef color) {
    surface_.Line(At(x1, y1), At(x2, y2), rave::Pen{style, Units(width), color});
}

void PageCanvas::Frame(double left, double top, double right, double bottom, double width) {
    surface_.Rectangle(Box(left, top, right, bottom),
                       rave::Pen{rave::pen_style::kSolid, Units(width), rave::kBlack}, rave::Brush::None());
}

void PageCanvas::Fill(double left, double top, double right, double bottom, rave::ColorRef color) {
    surface_.Rectangle(Box(left, top, right, bottom), rave::Pen{rave::pen_style::kNull, 1, color},
                       rave::Brush::Solid(color));
}

double DrawPageTitle(PageCanvas& canvas, std::string_view title) {
    canvas.Text(canvas.WidthMm() / 2, 22, title, 16, rave::text_align::kCenterBottom, true);
    canvas.Line(20, 25, canvas.WidthMm() - 20, 25, 0.4);
    return 32;
}

}  // namespace site
