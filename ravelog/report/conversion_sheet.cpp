// The conversion sheet (format 3), drawn back to front: soil column, frame and grid, the graphs,
// then the header with the formula block, the headings, the table and the footer.
#include "ravelog/report/conversion_sheet.h"

#include "common/drawing/surface_hints.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/patterns/pattern_primitives.h"
#include "ravelog/conversion/coefficient_set.h"
#include "ravelog/report/cell_text.h"
#include "ravelog/report/conversion_graphs.h"
#include "ravelog/report/conversion_sheet_layout.h"
#include "ravelog/report/page_footer.h"
#include "ravelog/report/qa_formula.h"
#include "ravelog/report/self_sinking_note.h"
#include "ravelog/report/sheet_fonts.h"
#include "ravelog/report/soil_column.h"
#include "ravelog/report/standard_sheet_parts.h"

namespace ravelog {

namespace {

namespace align = rave::text_align;

constexpr int kSlotTitle = 27;
constexpr int kSlotTester = 10;
constexpr int kSlotLoadingDevice = 16;
constexpr int kSlotRotatingDevice = 17;
constexpr int kSlotNotesFirst = 24;  // three lines, 24..26
constexpr int kSlotCompany = 29;

constexpr double kHeadingTop = 34.0;
constexpr double kUnitBaseline = 44.6;
// The four sub-rows of the heading band of the conversion columns and the graph.
constexpr double kSubRows[] = {34.4, 36.95, 39.5, 42.05, 44.6};

struct ConversionSheet {
    const SheetContext& context;
    ConversionMode mode;
    ConversionColumns col;
    SheetPen pen;
    DepthWindow window;
    double headerLine;
    double titleRow;

    explicit ConversionSheet(const SheetContext& c)
        : context(c),
          mode(ConversionModeOf(c.document.header)),
          col(ConversionSheetColumns(mode)),
          pen(c),
          window(PageDepthWindow(c)),
          headerLine(HeaderLineY(c.document.header)),
          titleRow(static_cast<double>(c.resources.settings.Int(rave::sysline::kTitleRowFormat3))) {}

    const SoundingHeader& Header() const { return context.document.header; }
    const SheetLineStyles& Styles() const { return pen.Styles(); }
    int M() const { return static_cast<int>(mode); }

    void DrawColumn() const {
        rave::ClipToCell(pen.Target(), col[11], kDataTop, col[12], kDataBottom);
        DrawSoilColumn(context, col[11], col[12], window);
        context.surface.ResetClip();
    }

    void DrawFrame() const {
        pen.Dashed(18.0, 15.0, 177.6, 15.0, Styles().underline);
        for (const double y : {kHeadingTop, kDataTop, kDataBottom, kBottomLine, headerLine}) {
            pen.Solid(kSheetLeft, y, kSheetRight, y, Styles().outerWidth);
        }
        // The sides of the frame close the date and formula rows, the table and the graph into one box.
        pen.Solid(kSheetLeft, headerLine, kSheetLeft, kBottomLine, Styles().outerWidth);
        pen.Solid(kSheetRight, headerLine, kSheetRight, kBottomLine, Styles().outerWidth);
        const int separator = Styles().separatorWidth;
        const bool ruleBetweenConversions = rave::ParseDecimal(Header()[coef::kVerticalRule]) != 0.0;
        for (int i = 2; i <= 10; ++i) {
            if (i != 9 || ruleBetweenConversions) {
                pen.Solid(col[i], kHeadingTop, col[i], kDataBottom, separator);
            }
        }
        pen.Solid(col[11], kDataTop, col[11], kDataBottom, separator);
        pen.Solid(col[12], kDataTop, col[12], kDataBottom, separator);
        DrawTableRowRules(pen, context.rowsPerPage, col[1], col[10]);
    }

    void DrawGraphGrid() const {
        DrawDepthGrid(pen, col[12], col[14], col[11]);
        const double pitch = (col[13] - col[12]) / 30.0;
        for (int i = 1; i <= 35; ++i) {
            const double x = col[12] + i * pitch;
            if (i % 10 == 0) {
                pen.Solid(x, kDataTop, x, kDataBottom, Styles().grid10Width);
            } else if (i % 5 == 0) {
                pen.Dashed(x, kDataTop, x, kDataBottom, Styles().grid5);
            } else {
                pen.Dashed(x, kDataTop, x, kDataBottom, Styles().grid1);
            }
        }
    }

    void DrawGraphs() const {
        rave::ClipToCell(pen.Target(), col[12], kDataTop, col[14], kDataBottom);
        const auto graph = [&](int plotDepthSlot) {
            return ConversionGraph{col[12], col[13], window, PlotsMidway(Header(), plotDepthSlot)};
        };
        if (ShowsN(mode)) {
            DrawNValueGraph(context, graph(coef::kNPlotDepth));
        }
        if (ShowsQu(mode)) {
            DrawQuGraph(context, graph(coef::kQuQaPlotDepth));
        }
        if (ShowsQa(mode)) {
            DrawQaGraph(context, graph(coef::kQuQaPlotDepth));
        }
        context.surface.ResetClip();
    }

    void DrawTitleAndHeaderValues() const {
        const CharacterCell cell = SelectSheetFont(context, 1);
        pen.Align(align::kLeftTop);
        pen.Spread(49.0, 133.0, titleRow - 4.9, titleRow + 3.0, cell, Header()[kSlotTitle]);
        const double half = cell.heightMm / 2.0;
        pen.Align(align::kLeftBottom);
        pen.Text(18.0, 10.5 + half, Header()[slot::kSurveyName1] + Header()[slot::kSurveyName2]);
        pen.Text(18.0, 18.5 + half, Header()[slot::kPointNumber]);
        pen.Text(82.0, 18.5 + half, ElevationText(context.document));
    }

    void DrawHeaderLabelsAndFormulas() const {
        const CharacterCell cell = SelectSheetFont(context, 2);
        pen.Align(align::kLeftTop);
        pen.Spread(1.0, 15.0, 10.5, 10.5, cell, "調査件名");
        pen.Spread(1.0, 15.0, 18.5, 18.5, cell, "地点番号");
        pen.Spread(66.0, 79.0, 18.5, 18.5, cell, "地盤高");
        pen.Align(align::kLeftTop);
        const double h = headerLine;
        pen.Text(1.0, h + 1.2, "試験年月日　" + SurveyDateText(context.document));
        pen.Text(50.0, h + 1.2, "試 験 者　" + Header()[kSlotTester]);
        const double blockHeight = kHeadingTop - h - 0.6;
        if (HasConversions(mode)) {
            pen.Text(100.0, h + blockHeight / 3.0, "計算式");
            DrawFormulaBlock(context, M(), h, blockHeight);
        }
        pen.Align(align::kLeftTop);
        pen.Text(1.0, 258.6, Header()[kSlotCompany]);
        pen.Align(align::kLeftBottom);
        pen.Text(1.0, 32.8, "載荷装置の種類　" + Header()[kSlotLoadingDevice]);
        pen.Text(50.0, 32.8, "回転装置の種類　" + Header()[kSlotRotatingDevice]);
    }

    void DrawTableHeadings(const CharacterCell& cell) const {
        const auto line1 = [&](double x1, double x2, const char* text) {
            pen.Spread(x1, x2, 34.4, 37.8, cell, text);
        };
        const auto line2 = [&](double x1, double x2, const char* text) {
            pen.Spread(x1, x2, 37.8, 41.2, cell, text);
        };
        pen.Align(align::kLeftTop);
        line1(col[1] + 1.0, col[2] - 1.0, "荷　重");
        line1(col[2] + 1.0, col[3] - 1.0, "半回転数");
        line1(col[3] + 1.0, col[4] - 1.0, "貫入深さ");
        line1(col[4] + 1.0, col[5] - 1.0, "貫入量");
        line1(col[5] + 1.0, col[6] - 1.0, "1m当たりの");
        line2(col[5] + 1.0, col[6] - 1.0, "半回転数");
        line2(col[6] + 5.0, col[7] - 5.0, "記　事");
        line2(col[7] + 3.0, col[8] - 3.0, "推定土質名");
        pen.CentredBetween(col[1], col[2], 41.2, "Ｗsw");
        pen.CentredBetween(col[2], col[3], 41.2, "Ｎａ");
        pen.CentredBetween(col[3], col[4], 41.2, "Ｄ");
        pen.CentredBetween(col[4], col[5], 41.2, "Ｌ");
        const rave::RavelogSettings& settings = context.resources.settings;
        pen.CentredBetween(col[1], col[2], kUnitBaseline, LoadUnitText(settings));
        pen.CentredBetween(col[3], col[4], kUnitBaseline, "m");
        pen.CentredBetween(col[4], col[5], kUnitBaseline, LengthUnitText(settings));
        pen.CentredBetween(col[5], col[6], kUnitBaseline, "Ｎsw");
    }

    // The spread of a text in sub-row `row` (0..3) of the heading band.
    void InSubRow(int row, double x1, double x2, const CharacterCell& cell, const std::string& text) const {
        pen.Spread(x1, x2, kSubRows[row], kSubRows[row + 1], cell, text);
    }

    void DrawModeHeadings(const CharacterCell& cell) const {
        pen.Align(align::kLeftTop);
        InSubRow(1, col[10] + 0.5, col[11] - 0.5, cell, "深さ");
        InSubRow(1, col[11] + 1.0, col[12] - 1.0, cell, "推定");
        InSubRow(2, col[10] + 1.2, col[11] - 0.5, cell, "m");
        InSubRow(2, col[11] + 0.1, col[12] - 0.1, cell, "柱状図");
        if (!HasConversions(mode)) {
            return;
        }
        if (!HasTwoConversionColumns(mode)) {
            const ModeTexts texts = ModeTextsOf(mode);
            InSubRow(1, col[8] + 2.0, col[10] - 2.0, cell, texts.heading);
            InSubRow(2, col[8] + 2.0, col[9] - 2.0, cell, texts.note);
            const double middle = (col[12] + col[14]) / 2.0;
            pen.Align(align::kCenterBottom);
            pen.Text(middle, kSubRows[2], texts.graphTitle);
            pen.Text(middle, kSubRows[3], texts.graphUnit);
            return;
        }
        const bool withQu = mode == ConversionMode::kNAndQu;
        InSubRow(1, col[8] + 1.0, col[9] - 1.0, cell, "換算");
        InSubRow(1, col[9] + 1.0, col[10] - 1.0, cell, "換算");
        InSubRow(2, col[8] + 1.0, col[9] - 1.0, cell, "Ｎ値");
        InSubRow(2, col[9] + 1.0, col[10] - 1.0, cell, withQu ? "ｑｕ" : "ｑａ");
        // The N title and its legend in the top sub-row, above the N scale; the qu or qa title in
        // the third, above its scale.
        const auto title = [&](int row, double xEnd, const char* text) {
            pen.Align(align::kRight | align::kTop);
            pen.Text(xEnd, (kSubRows[row] + kSubRows[row + 1] - cell.heightMm) / 2.0, text);
        };
        const double right = col[14];
        title(0, right - 15.0, "Ｎ値  回");
        DrawNValueLegend(context, right - 10.0, right - 4.0, right - 7.0, (kSubRows[0] + kSubRows[1]) / 2.0);
        title(2, right - 13.0, withQu ? "ｑｕ  kN/㎡" : "ｑａ  kN/㎡");
        DrawQuQaLegend(context, right - 10.0, right - 4.0, right - 7.0, (kSubRows[2] + kSubRows[3]) / 2.0);
    }

    void DrawScaleLabels() const {
        if (ShowsN(mode)) {
            const double y = HasTwoConversionColumns(mode) ? 39.5 : kDataTop;
            DrawScaleLabelRow(context, pen, NScaleLabels(Header(), col[12]), y);
        }
        if (ShowsQu(mode)) {
            DrawScaleLabelRow(
                context, pen,
                StrengthScaleLabels(Header(), coef::kQuScaleEnd, coef::kQuScaleStep, col[12], col[13]),
                kDataTop);
        }
        if (ShowsQa(mode)) {
            DrawScaleLabelRow(
                context, pen,
                StrengthScaleLabels(Header(), coef::kQaScaleEnd, coef::kQaScaleStep, col[12], col[13]),
                kDataTop);
        }
    }

    // The special notes of format 3 in the band under the table, as the standard sheet has them.
    // When the settings ask for it, the self-sinking verdict follows the last note line; with all
    // three lines taken the band is shared by four lines.
    void DrawSpecialNotes() const {
        pen.Align(align::kLeftTop);
        int notes = 0;
        for (int i = 0; i < 3; ++i) {
            if (!Header()[kSlotNotesFirst + i].empty()) {
                notes = i + 1;
            }
        }
        const std::optional<double> footing = SelfSinkingNoteDepth(context.resources.settings);
        if (notes == 0 && !footing) {
            return;
        }
        pen.Text(1.0, 245.4, "特記事項");
        const double step = (kBottomLine - 245.4) / (notes == 3 && footing ? 4.0 : 3.0);
        for (int i = 0; i < notes; ++i) {
            pen.Text(18.0, 245.4 + i * step, Header()[kSlotNotesFirst + i]);
        }
        if (footing) {
            pen.Text(18.0, 245.4 + notes * step,
                     SelfSinkingNoteText(CheckSelfSinking(context.document, *footing)));
        }
    }

    void DrawTable() const {
        const CharacterCell cell = SelectSheetFont(context, 4);
        DrawDepthLabels(pen, window, context.scale, col[11] - 1.0, cell.heightMm);
        DrawMeasuredValues(context, pen,
                           {col[2] - 2.0, col[3] - 2.0, col[4] - 2.0, col[5] - 2.0, col[6] - 2.0});
        for (const CellPlacement& cellColumn :
             ConversionCellPlacements(mode, col, context.resources.settings)) {
            DrawCellColumn(context, pen, cellColumn.kind, cellColumn.x);
        }
        DrawRowTexts(context, pen, field::kRemarks, col[6] + 0.5);
        const int nameField =
            Header()[slot::kSoilTableKind] == "0" ? field::kSimpleSoilName : field::kJacicSoilName;
        DrawRowTexts(context, pen, nameField, col[7] + 0.5);
    }

    void Draw() const {
        namespace layer = rave::surface_layer;
        rave::DrawingSurface& surface = context.surface;
        rave::SetLayerHint(surface, layer::kSoil);
        DrawColumn();
        rave::SetLayerHint(surface, layer::kFrame);
        DrawFrame();
        rave::SetLayerHint(surface, layer::kGrid);
        DrawGraphGrid();
        rave::SetLayerHint(surface, layer::kPlot);
        DrawGraphs();
        rave::SetLayerHint(surface, layer::kTitle);
        DrawTitleAndHeaderValues();
        DrawHeaderLabelsAndFormulas();
        rave::SetLayerHint(surface, layer::kText);
        const CharacterCell cell3 = SelectSheetFont(context, 3);
        DrawTableHeadings(cell3);
        DrawModeHeadings(cell3);
        rave::SetLayerHint(surface, layer::kRuler);
        DrawScaleLabels();
        rave::SetLayerHint(surface, layer::kText);
        DrawSpecialNotes();
        DrawTable();
        pen.Align(align::kLeftTop);
        rave::SetLayerHint(surface, layer::kTitle);
        DrawPageFooter(context, 3, kBottomLine);
        rave::SetLayerHint(surface, layer::kDefault);
    }
};

}  // namespace

void DrawConversionSheet(const SheetContext& context) {
    ConversionSheet(context).Draw();
}

}  // namespace ravelog
