// Pieces the borehole-log sheets share: the depth mapping of a page, the column positions of the
// standard sheet, the line styles of the "線種" settings, and the grid, depth scale and table
// rows that formats 1, 2 and 3 draw alike.
//
// Sheet coordinates are millimetres of paper (x from the left margin, y down from the top
// margin); the data area of every sheet runs from y = 45 to y = 245 and shows 20 x s metres of
// depth, s being the depth scale in metres per 10 mm.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/drawing/drawing_surface.h"
#include "common/drawing/pattern_mapping.h"
#include "common/ravelog_settings.h"
#include "ravelog/report/sheet_context.h"

namespace ravelog {

// Top and bottom of the data area of every sheet.
inline constexpr double kDataTop = 45.0;
inline constexpr double kDataBottom = 245.0;
inline constexpr double kSheetLeft = 1.0;
inline constexpr double kSheetRight = 180.6;
inline constexpr double kBottomLine = 257.0;

// b0 + (v - a0) / (a1 - a0) x (b1 - b0); 0 when a0 and a1 (nearly) coincide.
double MapLinear(double v, double a0, double a1, double b0, double b1);

// The logarithmic part of the Nsw chart: width x (ln value - ln 100) / (ln 700 - ln 100), so
// 100 sits at 0 and 700 at `width`; 0 for values up to 0.001.
double LogAxisOffset(double value, double width);

// The depths a page shows, T .. T + 20 s, mapped onto yTop .. yBottom.
struct DepthWindow {
    double topDepth = 0.0;
    double bottomDepth = 10.0;
    double yTop = kDataTop;
    double yBottom = kDataBottom;

    double MapY(double depth) const { return MapLinear(depth, topDepth, bottomDepth, yTop, yBottom); }
};
DepthWindow PageDepthWindow(const SheetContext& context);

// Column edges numbered from 1, as the sheets' layouts list them.
template <std::size_t N>
struct ColumnEdges {
    std::array<double, N + 1> x{};  // index 0 unused
    double operator[](int i) const { return x.at(static_cast<std::size_t>(i)); }
};

// The eleven column edges of the standard sheet: Wsw, Na, D, L, Nsw, remarks, depth scale, the
// estimated soil column (format 2 only), the Wsw chart, the Nsw chart and the right edge.
using StandardColumns = ColumnEdges<11>;
StandardColumns SheetColumns(bool withEstimatedColumn);

// A dashed line setting: width, solid part and gap in device units, and colour.
struct DashedStyle {
    int width = 1;
    int dash = 1;
    int gap = 0;
    rave::ColorRef color = rave::kBlack;
};

// The "線種" settings as the sheets draw with them. In black-and-white mode every configurable
// colour is black.
struct SheetLineStyles {
    bool monochrome = false;
    int outerWidth = 2;      // outer frame: the full-width rules and the chart borders
    int separatorWidth = 1;  // column and cell separators, depth ticks, soil-layer boundaries
    DashedStyle underline;   // survey-name underline (black)
    DashedStyle tableRule;   // dashed row rules of the table
    int grid10Width = 2;     // every 10 mm of depth, the even verticals and the log decades
    DashedStyle grid5;       // middle line of each 10 mm band, the odd verticals
    DashedStyle grid1;       // the other millimetre lines and the logarithmic minor verticals
    int wswNswWidth = 3;
    rave::ColorRef wswNswColor = rave::kBlack;
    int nWidth = 2;
    rave::ColorRef nColor = rave::kBlack;
    int quQaWidth = 1;
    rave::ColorRef quQaColor = rave::kBlack;
    int quQaLineStyle = 0;  // 0 solid, 1 dotted, 2 dashed
};
SheetLineStyles ReadSheetLineStyles(const rave::RavelogSettings& settings);

// Unit texts of the load and the penetration length as the settings choose them: "N" or "kN",
// "m" or "cm".
std::string LoadUnitText(const rave::RavelogSettings& settings);
std::string LengthUnitText(const rave::RavelogSettings& settings);

// Spacing and format of the depth-scale numbers for a scale s.
struct DepthLabelStep {
    double step = 1.0;        // metres between two numbers
    bool oneDecimal = false;  // "%1.1f", else "%1.0f"
};
DepthLabelStep DepthLabelStepFor(double scale);

// How far the table texts sit above their row rule, by the number of rows on a page.
double TableBaselineLift(int rowsPerPage);

// The bottom of the texts of table row i (1..rowsPerPage) of a page.
double TableRowBaseline(int i, int rowsPerPage);

// The measured row shown in table row i of a page; 0 once the rows run past 1350.
int TableRowNumber(int i, int rowsPerPage, int page);

// Drawing in sheet millimetres on the context's surface, with the pens of the line settings.
class SheetPen {
public:
    explicit SheetPen(const SheetContext& context);

    const rave::MappedSurface& Target() const { return target_; }
    const SheetLineStyles& Styles() const { return styles_; }

    // A solid black line of the given device width.
    void Solid(double x1, double y1, double x2, double y2, int width) const;
    void Solid(double x1, double y1, double x2, double y2, int width, rave::ColorRef color) const;
    void Dashed(double x1, double y1, double x2, double y2, const DashedStyle& style) const;

    void Align(int textAlign) const;
    void Text(double x, double y, const std::string& text) const;
    // Spreads the text from x1 to x2, vertically centred between yTop and yBottom.
    void Spread(double x1, double x2, double yTop, double yBottom, const CharacterCell& cell,
                const std::string& text) const;
    // Centre/bottom text centred between two x positions.
    void CentredBetween(double x1, double x2, double yBottom, const std::string& text) const;

private:
    const SheetContext& context_;
    rave::MappedSurface target_;
    SheetLineStyles styles_;
};

// The full-width rows of fine grid lines over a chart, from xLeft to xRight, for the twenty 10 mm
// bands of the data area, with a depth tick from tickX - 1 to tickX at every 10 mm line.
void DrawDepthGrid(const SheetPen& pen, double xLeft, double xRight, double tickX);

// The dashed row rules of the table from xLeft to xRight.
void DrawTableRowRules(const SheetPen& pen, int rowsPerPage, double xLeft, double xRight);

// The depth-scale numbers, right/bottom at x, with the font already selected (its height ch).
void DrawDepthLabels(const SheetPen& pen, const DepthWindow& window, double scale, double x, double ch);

// The measured values (Wsw, Na, D, L, Nsw) of the page's rows, right/bottom at the given x.
void DrawMeasuredValues(const SheetContext& context, const SheetPen& pen,
                        const std::array<double, 5>& valueX);

// Text field `field` of the page's measured rows, left/bottom at x (remarks, soil names).
void DrawRowTexts(const SheetContext& context, const SheetPen& pen, int field, double x);

// A cell kind of the page's rows (converted values), right/bottom at x.
void DrawCellColumn(const SheetContext& context, const SheetPen& pen, int kind, double x);

// Selects `font` (the one now selected) narrowed to `share` of its natural width, measured on
// `sample`, whatever width convention the device's fonts follow. False when nothing changed.
bool SelectNarrowedFont(rave::DrawingSurface& surface, const rave::FontSpec& font, double share,
                        std::string_view sample);

// A scale number of a chart: its text and the x it is centred on.
struct ScaleLabel {
    double x = 0.0;
    std::string text;
    friend bool operator==(const ScaleLabel&, const ScaleLabel&) = default;
};

// Writes a row of scale numbers centre/bottom at y with the selected font. Numbers that would
// run into each other are written in a narrower cut of the same face, so that every number stays
// readable at its place; the font is put back afterwards.
void DrawScaleLabelRow(const SheetContext& context, const SheetPen& pen,
                       const std::vector<ScaleLabel>& labels, double y);

// "%s%2s年%2s月%2s日" of the era, year, month and day slots.
std::string SurveyDateText(const SoundingDocument& document);
// The elevation: "%s " with the datum kind alone when slot 87 is "1" and no elevation is given,
// else "%s %sm" with the datum kind and the elevation.
std::string ElevationText(const SoundingDocument& document);

}  // namespace ravelog
