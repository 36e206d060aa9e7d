// The pieces of an SVG file the SVG surface writes: numbers, colours and text in the form SVG
// takes, images as embedded PNG, and the document itself, whose elements are grouped by the
// attributes they share so that a page of thousands of lines stays a file of modest size.
#pragma once

#include <string>
#include <string_view>

#include "common/drawing/drawing_surface.h"

class QImage;

namespace rave::platform::svg {

// The shortest decimal form with at most three decimals ("12", "0.5", "-3.142").
std::string Number(double value);
// "#rrggbb".
std::string Colour(ColorRef color);
// UTF-8 text with &, <, >, " and ' escaped, so it can stand in an element or an attribute.
// Characters XML cannot hold (control characters other than tab, invalid UTF-8) are left out.
std::string Escape(std::string_view utf8);
// The image as a data: URI of a PNG.
std::string PngDataUri(const QImage& image);

class Document {
public:
    // `widthMm` x `heightMm` of paper showing the user space 0 .. viewWidth, 0 .. viewHeight.
    Document(double widthMm, double heightMm, int viewWidth, int viewHeight);

    void SetTitle(std::string_view utf8) { title_ = utf8; }
    // Adds an element inside a group carrying `groupAttributes` (" name=\"value\"..."). Elements
    // in a row with the same attributes share one group.
    void Add(std::string_view groupAttributes, std::string_view element);
    // A pattern, image or other definition, kept in the document's <defs>.
    void Define(std::string_view definition) { definitions_ += definition; }

    // The whole file, UTF-8, on a white page.
    std::string Text() const;

private:
    double widthMm_;
    double heightMm_;
    int viewWidth_;
    int viewHeight_;
    std::string title_;
    std::string definitions_;
    std::string body_;
    std::string openGroup_;
    bool groupOpen_ = false;
};

}  // namespace rave::platform::svg
