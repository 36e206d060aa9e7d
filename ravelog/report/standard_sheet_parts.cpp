// Pieces the borehole-log sheets share.
#include "ravelog/report/standard_sheet_parts.h"

#include <algorithm>
#include <cmath>

#include "common/format.h"
#include "common/numbers.h"
#include "common/pattern_colors.h"
#include "common/patterns/pattern_primitives.h"
#include "ravelog/report/cell_text.h"

namespace ravelog {

namespace {

// "線種" lines of the settings file.
constexpr int kLineMonochrome = 36;
constexpr int kLineTableRuleColor = 37;
constexpr int kLineGrid5Color = 38;
constexpr int kLineGrid1Color = 39;
constexpr int kLineOuterWidth = 41;
constexpr int kLineSeparatorWidth = 42;
constexpr int kLineUnderline = 43;  // width, solid part, gap in 43..45
constexpr int kLineTableRule = 46;  // 46..48
constexpr int kLineGrid10Width = 49;
constexpr int kLineGrid5 = 50;  // 50..52
constexpr int kLineGrid1 = 53;  // 53..55
constexpr int kLineWswNswWidth = 56;
constexpr int kLineNWidth = 57;
constexpr int kLineQuQaWidth = 58;
constexpr int kLineQuQaStyle = 59;
constexpr int kLineWswNswColor = 83;
constexpr int kLineNColor = 84;
constexpr int kLineQuQaColor = 85;

constexpr int kSlotEra = 6;
constexpr int kSlotYear = 7;
constexpr int kSlotMonth = 8;
constexpr int kSlotDay = 9;
constexpr int kSlotDatumKind = 12;
constexpr int kSlotElevation = 13;
constexpr int kSlotUnitOnlyWithElevation = 87;

// Texts are narrowed to fit their place, but never below this share of the face's width.
constexpr double kNarrowestShare = 0.4;

int Int(const rave::RavelogSettings& settings, int line) {
    return static_cast<int>(settings.Int(line));
}

rave::ColorRef ColourLine(const rave::RavelogSettings& settings, int line, bool monochrome) {
    return monochrome ? rave::kBlack : rave::ParseColorValue(settings.Line(line));
}

DashedStyle DashedLine(const rave::RavelogSettings& settings, int first, rave::ColorRef color) {
    return DashedStyle{Int(settings, first), Int(settings, first + 1), Int(settings, first + 2), color};
}

}  // namespace

double MapLinear(double v, double a0, double a1, double b0, double b1) {
    if (std::fabs(a1 - a0) < 0.000001) {
        return 0.0;
    }
    return b0 + (v - a0) / (a1 - a0) * (b1 - b0);
}

double LogAxisOffset(double value, double width) {
    if (value <= 0.001) {
        return 0.0;
    }
    return width * (std::log(value) - std::log(100.0)) / (std::log(700.0) - std::log(100.0));
}

DepthWindow PageDepthWindow(const SheetContext& context) {
    DepthWindow window;
    window.topDepth = context.topDepth;
    window.bottomDepth = context.topDepth + 20.0 * context.scale;
    return window;
}

StandardColumns SheetColumns(bool withEstimatedColumn) {
    StandardColumns columns;
    if (withEstimatedColumn) {
        columns.x = {0.0, 1.0, 13.0, 25.0, 40.0, 52.5, 65.0, 87.5, 92.4, 101.2, 121.2, 180.6};
    } else {
        columns.x = {0.0, 1.0, 13.0, 25.5, 41.0, 53.5, 66.0, 89.0, 101.2, 101.2, 121.2, 180.6};
    }
    return columns;
}

SheetLineStyles ReadSheetLineStyles(const rave::RavelogSettings& settings) {
    SheetLineStyles styles;
    styles.monochrome = settings.Int(kLineMonochrome) == 1;
    const bool mono = styles.monochrome;
    styles.outerWidth = Int(settings, kLineOuterWidth);
    styles.separatorWidth = Int(settings, kLineSeparatorWidth);
    styles.underline = DashedLine(settings, kLineUnderline, rave::kBlack);
    styles.tableRule = DashedLine(settings, kLineTableRule, ColourLine(settings, kLineTableRuleColor, mono));
    styles.grid10Width = Int(settings, kLineGrid10Width);
    styles.grid5 = DashedLine(settings, kLineGrid5, ColourLine(settings, kLineGrid5Color, mono));
    styles.grid1 = DashedLine(settings, kLineGrid1, ColourLine(settings, kLineGrid1Color, mono));
    styles.wswNswWidth = Int(settings, kLineWswNswWidth);
    styles.wswNswColor = ColourLine(settings, kLineWswNswColor, mono);
    styles.nWidth = Int(settings, kLineNWidth);
    styles.nColor = ColourLine(settings, kLineNColor, mono);
    styles.quQaWidth = Int(settings, kLineQuQaWidth);
    styles.quQaColor = ColourLine(settings, kLineQuQaColor, mono);
    styles.quQaLineStyle = Int(settings, kLineQuQaStyle);
    return styles;
}

std::string LoadUnitText(const rave::RavelogSettings& settings) {
    return settings.Int(rave::sysline::kLoadUnit) == 1 ? "N" : "kN";
}

std::string LengthUnitText(const rave::RavelogSettings& settings) {
    return settings.Int(rave::sysline::kLengthUnit) == 1 ? "m" : "cm";
}

DepthLabelStep DepthLabelStepFor(double scale) {
    if (scale <= 0.2) {
        return {0.2, true};
    }
    if (std::fabs(scale - 0.25) < 1e-9) {  // 1:25
        return {0.5, true};
    }
    if (scale <= 1.001) {
        return {1.0, false};
    }
    return {2.0, false};
}

double TableBaselineLift(int rowsPerPage) {
    if (rowsPerPage < 46) {
        return 0.5;
    }
    if (rowsPerPage <= 48) {
        return 200.0 / rowsPerPage * 0.05;
    }
    if (rowsPerPage <= 64) {
        return 0.1;
    }
    return -0.1;
}

double TableRowBaseline(int i, int rowsPerPage) {
    return kDataTop + i * (200.0 / rowsPerPage) - TableBaselineLift(rowsPerPage);
}

int TableRowNumber(int i, int rowsPerPage, int page) {
    const long row = static_cast<long>(i) + static_cast<long>(rowsPerPage) * (page - 1);
    return row >= 1 && row <= kMaxRows ? static_cast<int>(row) : 0;
}

SheetPen::SheetPen(const SheetContext& context)
    : context_(context),
      target_{context.surface, context.mapping},
      styles_(ReadSheetLineStyles(context.resources.settings)) {}

void SheetPen::Solid(double x1, double y1, double x2, double y2, int width) const {
    Solid(x1, y1, x2, y2, width, rave::kBlack);
}

void SheetPen::Solid(double x1, double y1, double x2, double y2, int width, rave::ColorRef color) const {
    rave::DrawLine(target_, x1, y1, x2, y2, rave::pen_style::kSolid, width, color);
}

void SheetPen::Dashed(double x1, double y1, double x2, double y2, const DashedStyle& style) const {
    rave::DrawDashedLine(target_, x1, y1, x2, y2, style.dash, style.gap, rave::pen_style::kSolid, style.width,
                         style.color);
}

void SheetPen::Align(int textAlign) const {
    context_.surface.SetTextAlign(textAlign);
}

void SheetPen::Text(double x, double y, const std::string& text) const {
    if (!text.empty()) {
        rave::DrawTextAt(target_, x, y, text);
    }
}

void SheetPen::Spread(double x1, double x2, double yTop, double yBottom, const CharacterCell& cell,
                      const std::string& text) const {
    if (text.empty()) {
        return;
    }
    // A text wider than its span would print its characters over each other; it is written in a
    // narrower cut of the face instead, packed evenly from x1 to x2.
    const double natural = static_cast<double>(text.size()) * cell.widthMm / 2.0;
    const double span = x2 - x1;
    rave::DrawingSurface& surface = context_.surface;
    const rave::FontSpec font = surface.CurrentFont();
    if (span > 0.0 && natural > span + 0.01) {
        const double share = std::max(span / natural, kNarrowestShare);
        if (SelectNarrowedFont(surface, font, share, text)) {
            rave::DrawSpacedText(target_, x1, x2, yTop, yBottom, cell.widthMm * share, cell.heightMm, text);
            surface.SelectFont(font);
            return;
        }
    }
    rave::DrawSpacedText(target_, x1, x2, yTop, yBottom, cell.widthMm, cell.heightMm, text);
}

void SheetPen::CentredBetween(double x1, double x2, double yBottom, const std::string& text) const {
    Align(rave::text_align::kCenterBottom);
    Text((x1 + x2) / 2.0, yBottom, text);
}

void DrawDepthGrid(const SheetPen& pen, double xLeft, double xRight, double tickX) {
    const SheetLineStyles& styles = pen.Styles();
    for (int band = 0; band < 20; ++band) {
        const double top = kDataTop + 10.0 * band;
        for (int mm = 1; mm <= 9; ++mm) {
            pen.Dashed(xLeft, top + mm, xRight, top + mm, mm == 5 ? styles.grid5 : styles.grid1);
        }
        if (band >= 1) {
            pen.Solid(xLeft, top, xRight, top, styles.grid10Width);
            pen.Solid(tickX - 1.0, top, tickX, top, styles.separatorWidth);
        }
    }
}

void DrawTableRowRules(const SheetPen& pen, int rowsPerPage, double xLeft, double xRight) {
    const double height = 200.0 / rowsPerPage;
    for (int i = 1; i < rowsPerPage; ++i) {
        const double y = kDataTop + i * height;
        pen.Dashed(xLeft, y, xRight, y, pen.Styles().tableRule);
    }
}

void DrawDepthLabels(const SheetPen& pen, const DepthWindow& window, double scale, double x, double ch) {
    const DepthLabelStep step = DepthLabelStepFor(scale);
    const double last = window.bottomDepth + 0.01;
    pen.Align(rave::text_align::kRightBottom);
    // Depths are counted from the page top so that no rounding builds up over a long page.
    for (int k = 1; k <= 1000; ++k) {
        const double depth = window.topDepth + k * step.step;
        if (depth > last) {
            break;
        }
        const std::string text =
            step.oneDecimal ? rave::FormatText("%1.1f", depth) : rave::FormatText("%1.0f", depth);
        pen.Text(x, window.MapY(depth) + ch / 2.0, text);
    }
}

namespace {

// Calls draw(row, baseline) for the table rows of the page.
template <typename Draw>
void ForEachTableRow(const SheetContext& context, const Draw& draw) {
    for (int i = 1; i <= context.rowsPerPage; ++i) {
        const int row = TableRowNumber(i, context.rowsPerPage, context.page);
        if (row == 0) {
            break;
        }
        draw(row, TableRowBaseline(i, context.rowsPerPage));
    }
}

// While it lives, a table font taller than a table row is lowered to the row's height, so that
// dense pages (64 or 80 rows) keep their figures between the rules.
class RowFittedFont {
public:
    explicit RowFittedFont(const SheetContext& context)
        : surface_(context.surface), saved_(context.surface.CurrentFont()) {
        const int rowHeight = static_cast<int>(200.0 / context.rowsPerPage * context.mapping.unitY);
        if (saved_.height > rowHeight && rowHeight > 0) {
            rave::FontSpec lowered = saved_;
            lowered.height = rowHeight;
            if (lowered.width > 0) {
                lowered.width = std::max(1, lowered.width * rowHeight / saved_.height);
            }
            changed_ = surface_.SelectFont(lowered);
        }
    }
    ~RowFittedFont() {
        if (changed_) {
            surface_.SelectFont(saved_);
        }
    }
    RowFittedFont(const RowFittedFont&) = delete;
    RowFittedFont& operator=(const RowFittedFont&) = delete;

private:
    rave::DrawingSurface& surface_;
    rave::FontSpec saved_;
    bool changed_ = false;
};

}  // namespace

void DrawMeasuredValues(const SheetContext& context, const SheetPen& pen,
                        const std::array<double, 5>& valueX) {
    const RowFittedFont font(context);
    pen.Align(rave::text_align::kRightBottom);
    ForEachTableRow(context, [&](int row, double y) {
        for (int kind = cell_kind::kLoad; kind <= cell_kind::kNsw; ++kind) {
            pen.Text(valueX[static_cast<std::size_t>(kind - 1)], y,
                     FormatCellText(context.document, context.resources.settings, row, kind));
        }
    });
}

void DrawRowTexts(const SheetContext& context, const SheetPen& pen, int field, double x) {
    const RowFittedFont font(context);
    pen.Align(rave::text_align::kLeftBottom);
    ForEachTableRow(context, [&](int row, double y) { pen.Text(x, y, context.document.Row(row)[field]); });
}

void DrawCellColumn(const SheetContext& context, const SheetPen& pen, int kind, double x) {
    const RowFittedFont font(context);
    pen.Align(rave::text_align::kRightBottom);
    ForEachTableRow(context, [&](int row, double y) {
        pen.Text(x, y, FormatCellText(context.document, context.resources.settings, row, kind));
    });
}

bool SelectNarrowedFont(rave::DrawingSurface& surface, const rave::FontSpec& font, double share,
                        std::string_view sample) {
    if (font.height <= 0 || share >= 1.0 || share <= 0.0) {
        return false;
    }
    const int natural = surface.TextExtent(sample).width;
    rave::FontSpec narrow = font;
    narrow.width = std::max(1, font.height / 2);
    if (natural <= 0 || !surface.SelectFont(narrow)) {
        return false;
    }
    const int probe = surface.TextExtent(sample).width;
    if (probe <= 0) {
        surface.SelectFont(font);
        return false;
    }
    narrow.width = std::max(1, static_cast<int>(narrow.width * share * natural / probe));
    if (!surface.SelectFont(narrow)) {
        surface.SelectFont(font);
        return false;
    }
    return true;
}

void DrawScaleLabelRow(const SheetContext& context, const SheetPen& pen,
                       const std::vector<ScaleLabel>& labels, double y) {
    rave::DrawingSurface& surface = context.surface;
    const rave::PatternMapping& mapping = context.mapping;
    // The smallest share of its natural width a number may take without touching a neighbour,
    // with a little air between them.
    const double air = 0.8 * mapping.unitX;
    double share = 1.0;
    for (std::size_t i = 1; i < labels.size(); ++i) {
        const double distance = (labels[i].x - labels[i - 1].x) * mapping.scaleX;
        const double halfWidths =
            (surface.TextExtent(labels[i].text).width + surface.TextExtent(labels[i - 1].text).width) / 2.0;
        if (halfWidths > 0.0 && distance > air) {
            share = std::min(share, (distance - air) / halfWidths);
        }
    }
    const rave::FontSpec font = surface.CurrentFont();
    const bool narrowed =
        share < 1.0 && SelectNarrowedFont(surface, font, std::max(share, kNarrowestShare), "0123456789");
    pen.Align(rave::text_align::kCenterBottom);
    for (const ScaleLabel& label : labels) {
        pen.Text(label.x, y, label.text);
    }
    if (narrowed) {
        surface.SelectFont(font);
    }
}

std::string SurveyDateText(const SoundingDocument& document) {
    const SoundingHeader& h = document.header;
    return rave::FormatText("%s%2s年%2s月%2s日", h[kSlotEra], h[kSlotYear], h[kSlotMonth], h[kSlotDay]);
}

std::string ElevationText(const SoundingDocument& document) {
    const SoundingHeader& h = document.header;
    if (h[kSlotUnitOnlyWithElevation] == "1" && h[kSlotElevation].empty()) {
        return rave::FormatText("%s ", h[kSlotDatumKind]);
    }
    return rave::FormatText("%s %sm", h[kSlotDatumKind], h[kSlotElevation]);
}

}  // namespace ravelog
