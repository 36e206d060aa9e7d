// Drawing a report page in millimetres of paper: the pages of the site report that are not a
// sheet or a section (cover, tables, plan, columns, photographs, findings) lay themselves out in
// millimetres from the paper's top left corner and draw through this thin layer over the
// DrawingSurface, so they print, preview and export like the sheets.
#pragma once

#include <string>
#include <string_view>

#include "common/drawing/drawing_surface.h"

namespace site {

class PageCanvas {
public:
    explicit PageCanvas(rave::DrawingSurface& surface);

    rave::DrawingSurface& Surface() const { return surface_; }
    // The paper in millimetres.
    double WidthMm() const { return widthMm_; }
    double HeightMm() const { return heightMm_; }

    int X(double mm) const;
    int Y(double mm) const;
    rave::SurfacePoint At(double xMm, double yMm) const { return {X(xMm), Y(yMm)}; }
    rave::SurfaceRect Box(double left, double top, double right, double bottom) const;
    // Device units for a length across the page.
    int Units(double mm) const;

    // Text of `points` size with its reference point at (x, y) and a text_align placement.
    void Text(double x, double y, std::string_view cp932, double points, int align, bool bold = false);
    // The width of the text in mm at that size.
    double TextWidth(std::string_view cp932, double points, bool bold = false);
    // The longest start of `cp932` (whole characters) no wider than `widthMm`.
    std::string FitText(std::string_view cp932, double points, double widthMm);

    // A line `width` mm wide (0: the thinnest line of the device).
    void Line(double x1, double y1, double x2, double y2, double width = 0.2,
              int style = rave::pen_style::kSolid, rave::ColorRef color = rave::kBlack);
    void Frame(double left, double top, double right, double bottom, double width = 0.2);
    void Fill(double left, double top, double right, double bottom, rave::ColorRef color);

private:
    void SelectSize(double points, bool bold);

    rave::DrawingSurface& surface_;
    double unitX_;
    double unitY_;
    double widthMm_;
    double heightMm_;
};

// A page title: a heading at the top of the page and a rule under it; the y below it.
double DrawPageTitle(PageCanvas& canvas, std::string_view title);

}  // namespace site
