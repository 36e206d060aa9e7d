// The standard sheet (formats 1 and 2), drawn back to front: soil column, frame and grid, then
// the texts, the table, the plot and the footer.
#include "ravelog/report/standard_sheet.h"

#include <algorithm>

#include "common/drawing/surface_hints.h"
#include "common/format.h"
#include "common/patterns/pattern_primitives.h"
#include "ravelog/report/page_footer.h"
#include "ravelog/report/sheet_fonts.h"
#include "ravelog/report/soil_column.h"
#include "ravelog/report/standard_sheet_parts.h"
#include "ravelog/report/wsw_nsw_plot.h"

namespace ravelog {

namespace {

namespace align = rave::text_align;

constexpr int kSlotTitleFrame = 28;  // "1": format 1 frames its title and prints the JIS number
constexpr int kSlotTester = 10;
constexpr int kSlotLoadingDevice = 16;
constexpr int kSlotRotatingDevice = 17;
constexpr int kSlotWeather = 18;
constexpr int kSlotNotesFirst = 21;  // three lines, 21..23
constexpr int kSlotCompany = 29;

// Rows of the header and of the table heading.
constexpr double kDeviceRowTop = 31.0;
constexpr double kHeadingTop = 35.5;
constexpr double kUnitBaseline = 44.5;
constexpr double kLogWidth = 35.5;  // Nsw 100 .. 700

// Edges of the header cells of the device row.
constexpr double kHeaderCellEdges[] = {30.0, 59.0, 89.0, 117.0, 147.0};

struct StandardSheet {
    const SheetContext& context;
    bool withColumn;
    StandardColumns col;
    SheetPen pen;
    DepthWindow window;
    double titleRow;  // middle of the title band
    bool titleFramed;

    StandardSheet(const SheetContext& c, bool column)
        : context(c),
          withColumn(column),
          col(SheetColumns(column)),
          pen(c),
          window(PageDepthWindow(c)),
          titleRow(static_cast<double>(c.resources.settings.Int(rave::sysline::kTitleRowFormats12))),
          titleFramed(!column && c.document.header[kSlotTitleFrame] == "1") {}

    const SoundingHeader& Header() const { return context.document.header; }
    const SheetLineStyles& Styles() const { return pen.Styles(); }

    void DrawColumnOrTitleFrame() const {
        if (withColumn) {
            const rave::MappedSurface& target = pen.Target();
            rave::ClipToCell(target, col[8], kDataTop, col[9], kDataBottom);
            DrawSoilColumn(context, col[8], col[9], window);
            context.surface.ResetClip();
        } else if (titleFramed) {
            const double top = titleRow - 4.0;
            const double bottom = titleRow + 4.0;
            pen.Solid(kSheetLeft, top, kSheetRight, top, Styles().outerWidth);
            pen.Solid(kSheetLeft, bottom, kSheetRight, bottom, Styles().outerWidth);
            pen.Solid(kSheetLeft, top, kSheetLeft, bottom, Styles().outerWidth);
            pen.Solid(34.0, top, 34.0, bottom, Styles().outerWidth);
            pen.Solid(146.0, top, 146.0, bottom, Styles().outerWidth);
            pen.Solid(kSheetRight, top, kSheetRight, bottom, Styles().outerWidth);
        }
    }

    void DrawFrame() const {
        pen.Dashed(18.0, 21.0, 108.0, 21.0, Styles().underline);
        pen.Dashed(131.0, 21.0, 180.0, 21.0, Styles().underline);
        for (const double y : {kDeviceRowTop, kHeadingTop, kDataTop, kDataBottom, kBottomLine}) {
            pen.Solid(kSheetLeft, y, kSheetRight, y, Styles().outerWidth);
        }
        // The sides of the frame close the header rows, the table and the chart into one box.
        pen.Solid(kSheetLeft, kDeviceRowTop, kSheetLeft, kBottomLine, Styles().outerWidth);
        pen.Solid(kSheetRight, kDeviceRowTop, kSheetRight, kBottomLine, Styles().outerWidth);
        const int separator = Styles().separatorWidth;
        for (const double x : kHeaderCellEdges) {
            pen.Solid(x, kDeviceRowTop, x, kHeadingTop, separator);
        }
        for (int i = 2; i <= 7; ++i) {
            pen.Solid(col[i], kHeadingTop, col[i], kDataBottom, separator);
        }
        if (withColumn) {
            pen.Solid(col[8], kHeadingTop, col[8], kDataBottom, separator);
        }
        pen.Solid(col[9], kDataTop, col[9], kDataBottom, separator);
        pen.Solid(col[9], kHeadingTop, col[9], 43.0, separator);
        pen.Solid(col[10], kHeadingTop, col[10], 43.0, separator);
        DrawTableRowRules(pen, context.rowsPerPage, col[1], col[7]);
    }

    void DrawChartGrid() const {
        DrawDepthGrid(pen, col[9], col[11], col[8]);
        pen.Solid(col[9], kDataTop, col[9], kDataBottom, Styles().outerWidth);
        pen.Solid(col[10], kDataTop, col[10], kDataBottom, Styles().outerWidth);
        for (int i = 1; i <= 8; ++i) {
            const double x = col[9] + 5.0 * i;
            if (i % 2 == 0) {
                pen.Solid(x, kDataTop, x, kDataBottom, Styles().grid10Width);
            } else {
                pen.Dashed(x, kDataTop, x, kDataBottom, Styles().grid5);
            }
        }
        const double logStart = col[10] + 20.0;
        const auto minor = [&](int v) {
            const double x = logStart + LogAxisOffset(v, kLogWidth);
            pen.Dashed(x, kDataTop, x, kDataBottom, Styles().grid1);
        };
        for (int v = 110; v <= 290; v += 10) {
            if (v % 100 != 0) {
                minor(v);
            }
        }
        for (int v = 320; v <= 780; v += 20) {
            if (v % 100 != 0) {
                minor(v);
            }
        }
        for (int v = 200; v <= 800; v += 100) {
            const double x = logStart + LogAxisOffset(v, kLogWidth);
            pen.Solid(x, kDataTop, x, kDataBottom, Styles().grid10Width);
        }
    }

    void DrawTitleAndHeaderValues() const {
        const CharacterCell cell = SelectSheetFont(context, 1);
        const std::string& title = Header()[withColumn ? slot::kTitleFormat2 : slot::kTitleFormat1];
        pen.Align(align::kLeftTop);
        pen.Spread(49.0, 133.0, titleRow - 4.0, titleRow + 4.0, cell, title);
        if (titleFramed) {
            pen.Spread(3.0, 31.0, titleRow - 4.0, titleRow + 4.0, cell, "JIS A  1221");
        }
        const double half = cell.heightMm / 2.0;
        pen.Align(align::kLeftBottom);
        if (!Header()[slot::kSurveyName2].empty()) {
            pen.Text(18.0, 17.0 - half, Header()[slot::kSurveyName1]);
            pen.Text(18.0, 17.0 + half, Header()[slot::kSurveyName2]);
        } else {
            pen.Text(18.0, 17.0 + half, Header()[slot::kSurveyName1]);
        }
        pen.Text(131.0, 17.0 + half, SurveyDateText(context.document));
        pen.Text(31.0, 25.0 + half, Header()[slot::kPointNumber]);
        pen.Text(76.0, 25.0 + half, ElevationText(context.document));
        pen.Text(131.0, 25.0 + half, Header()[kSlotTester]);
    }

    void DrawHeaderLabels() const {
        const CharacterCell cell = SelectSheetFont(context, 2);
        pen.Align(align::kLeftTop);
        pen.Spread(1.0, 15.0, 17.0, 17.0, cell, "調査件名");
        pen.Spread(112.0, 127.0, 17.0, 17.0, cell, "試験年月日");
        pen.Spread(1.0, 24.0, 25.0, 25.0, cell, "地点番号 (地盤高)");
        pen.Spread(112.0, 127.0, 25.0, 25.0, cell, "試 験 者");
        pen.Text(1.0, 258.6, Header()[kSlotCompany]);
    }

    // A device value keeps its natural pitch while it fits and is squeezed into its cell when not.
    void SpreadDeviceValue(double x1, double cellEnd, const CharacterCell& cell,
                           const std::string& text) const {
        const double natural = x1 + static_cast<double>(text.size()) * cell.widthMm / 2.0;
        pen.Spread(x1, std::min(cellEnd - 1.0, natural), kDeviceRowTop, kHeadingTop, cell, text);
    }

    void DrawTableLabels(const std::string& loadUnit, const std::string& lengthUnit) const {
        const CharacterCell cell = SelectSheetFont(context, 3);
        pen.Align(align::kLeftTop);
        pen.Spread(2.0, 29.0, kDeviceRowTop, kHeadingTop, cell, "載荷装置の種類");
        pen.Spread(60.0, 88.0, kDeviceRowTop, kHeadingTop, cell, "回転装置の種類");
        pen.Spread(118.0, 146.0, kDeviceRowTop, kHeadingTop, cell, "天　候");
        SpreadDeviceValue(31.0, 59.0, cell, Header()[kSlotLoadingDevice]);
        SpreadDeviceValue(90.0, 117.0, cell, Header()[kSlotRotatingDevice]);
        SpreadDeviceValue(148.0, kSheetRight, cell, Header()[kSlotWeather]);

        const auto line1 = [&](double x1, double x2, const std::string& text) {
            pen.Spread(x1, x2, 36.0, 39.0, cell, text);
        };
        const auto line2 = [&](double x1, double x2, const std::string& text) {
            pen.Spread(x1, x2, 39.0, 42.0, cell, text);
        };
        line1(col[1] + 1.0, col[2] - 1.0, "荷重Ｗsw");
        line1(col[2] + 1.0, col[3] - 1.0, "半回転数");
        line1(col[3] + 1.0, col[4] - 1.0, "貫入深さＤ");
        line1(col[4] + 1.0, col[5] - 1.0, "貫入量Ｌ");
        line1(col[5] + 0.5, col[6] - 0.5, "1m当たりの");
        if (withColumn) {
            line1(col[7], col[8], "深さ");
            line1(col[8] + 1.0, col[9] - 1.0, " 推定");
        } else {
            line1(col[7] + 1.0, col[8] - 1.0, "深さ");
        }
        line1(col[9] + 2.0, col[10] - 2.0, "荷重Ｗsw " + loadUnit);
        line1(col[10] + 6.0, col[11] - 7.0, "貫入量1m当たりの半回転数 Ｎsw");
        line2(col[5] + 0.8, col[6] - 0.8, "半回転数");
        line2(col[6] + 4.0, col[7] - 4.0, "記　　事");
        if (withColumn) {
            line2(col[8] + 0.5, col[9] - 0.5, "柱状図");
        }

        pen.CentredBetween(col[1], col[2], kUnitBaseline, loadUnit);
        pen.CentredBetween(col[2], col[3], kUnitBaseline, "Ｎa");
        pen.CentredBetween(col[3], col[4], kUnitBaseline, "m");
        pen.CentredBetween(col[4], col[5], kUnitBaseline, lengthUnit);
        pen.CentredBetween(col[5], col[6], kUnitBaseline, "Ｎsw");
        pen.CentredBetween(col[7], col[8], kUnitBaseline, " m ");

        pen.Align(align::kLeftTop);
        pen.Text(1.0, 245.4, "特記事項");
        const double step = (kBottomLine - 245.4) / 3.0;
        for (int i = 0; i < 3; ++i) {
            pen.Text(18.0, 245.4 + i * step, Header()[kSlotNotesFirst + i]);
        }
    }

    void DrawTableValues() const {
        const CharacterCell cell = SelectSheetFont(context, 4);
        DrawDepthLabels(pen, window, context.scale, col[8] - 1.0, cell.heightMm);
        DrawMeasuredValues(context, pen,
                           {col[2] - 2.0, col[3] - 2.0, col[4] - 2.0, col[5] - 2.0, col[6] - 2.0});
        DrawRowTexts(context, pen, field::kRemarks, col[6] + 0.5);
    }

    void DrawPlot() const {
        const double logStart = col[10] + 20.0;
        rave::ClipToCell(pen.Target(), col[9], kDataTop, logStart + kLogWidth + 3.4, kDataBottom);
        DrawWswNswPlot(context, WswNswChart{col[9], logStart, logStart + kLogWidth, window});
        context.surface.ResetClip();
    }

    void DrawScaleLabels(bool loadInNewtons) const {
        SelectSheetFont(context, 3);
        const char* const loads[] = {"0.25", "0.5", "0.75"};
        const char* const newtons[] = {"250", "500", "750"};
        std::vector<ScaleLabel> labels{{col[9], "0"}};
        for (int i = 0; i < 3; ++i) {
            labels.push_back({col[9] + 5.0 * (i + 1), loadInNewtons ? newtons[i] : loads[i]});
        }
        // The load scale and the Nsw scale meet at col[10]; each row is narrowed on its own.
        DrawScaleLabelRow(context, pen, labels, kDataTop);
        labels = {{col[10], "0"}, {col[10] + 10.0, "50"}, {col[10] + 20.0, "100"}};
        for (const int v : {200, 300, 400, 600}) {
            labels.push_back({col[10] + 20.0 + LogAxisOffset(v, kLogWidth), rave::FormatText("%d", v)});
        }
        DrawScaleLabelRow(context, pen, labels, kDataTop);
    }

    void Draw() const {
        namespace layer = rave::surface_layer;
        rave::DrawingSurface& surface = context.surface;
        const rave::RavelogSettings& settings = context.resources.settings;
        rave::SetLayerHint(surface, withColumn ? layer::kSoil : layer::kFrame);
        DrawColumnOrTitleFrame();
        rave::SetLayerHint(surface, layer::kFrame);
        DrawFrame();
        rave::SetLayerHint(surface, layer::kGrid);
        DrawChartGrid();
        rave::SetLayerHint(surface, layer::kTitle);
        DrawTitleAndHeaderValues();
        DrawHeaderLabels();
        rave::SetLayerHint(surface, layer::kText);
        DrawTableLabels(LoadUnitText(settings), LengthUnitText(settings));
        DrawTableValues();
        rave::SetLayerHint(surface, layer::kPlot);
        DrawPlot();
        rave::SetLayerHint(surface, layer::kRuler);
        DrawScaleLabels(settings.Int(rave::sysline::kLoadUnit) == 1);
        pen.Align(align::kLeftTop);
        rave::SetLayerHint(surface, layer::kTitle);
        DrawPageFooter(context, withColumn ? 2 : 1, kBottomLine);
        rave::SetLayerHint(surface, layer::kDefault);
    }
};

}  // namespace

void DrawStandardSheet(const SheetContext& context, bool withEstimatedColumn) {
    StandardSheet(context, withEstimatedColumn).Draw();
}

}  // namespace ravelog
