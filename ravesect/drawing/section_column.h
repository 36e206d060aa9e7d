// The layout of one placed column and the drawing of its contents (soil patterns, frames,
// graphs, samples, flags and water-level marks), shared by the section drawing.
#pragma once

#include <string>
#include <vector>

#include "common/drawing/drawing_surface.h"
#include "common/messages.h"
#include "common/pattern_colors.h"
#include "common/soil_name_table.h"
#include "ravesect/document/section_document.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/drawing/section_mapping.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect {

// A cell by its world x edges; empty cells have left == right.
struct CellEdges {
    double left = 0.0;
    double right = 0.0;
    double Width() const { return right - left; }
};

enum class GraphKind { kNone, kSwedish, kNValue, kNd };

struct ColumnLayout {
    CellEdges pattern;
    CellEdges graph;
    bool hasPattern = true;
    bool hasGraph = true;
    double top = 0.0;     // world y of the ground
    double bottom = 0.0;  // world y of the end of the log
    GraphKind graphKind = GraphKind::kNone;
    bool mirrored = false;
    // The whole block from its leftmost to its rightmost edge.
    CellEdges Block() const;
};

// The edges in paper mm from the block's left end for a frame order, then anchored so that the
// edge the flag position chooses stands at the column's distance. `graphWidthMm` is G.
ColumnLayout LayOutColumn(const PlacedColumn& column, double graphWidthMm, int distanceScale);

// The deepest depth any section of the log reaches: the end of a log whose depth field was left
// empty or 0, so its column still has a frame around its data.
double LogEndDepth(const NormalizedLog& log);

// The layout of a column as it is drawn: LayOutColumn, ending at the end of its log when the
// column's depth field gives no depth.
ColumnLayout LayOutColumnWithLog(const PlacedColumn& column, const NormalizedLog& log, double graphWidthMm,
                                 int distanceScale);

// Passes each message text on once however often a drawing meets it (a pattern missing in every
// column of a long section is named once); questions go straight through.
class DrawingMessages : public rave::MessageSink {
public:
    explicit DrawingMessages(rave::MessageSink* sink) : sink_(sink) {}
    void Show(const rave::Message& message) override;
    bool AskYesNo(const rave::Message& question) override {
        return sink_ != nullptr && sink_->AskYesNo(question);
    }

private:
    rave::MessageSink* sink_;
    std::vector<std::string> shown_;
};

// The graph a column of source kind `kind` carries with frame order `frameOrder`.
GraphKind GraphKindOf(int kind, int frameOrder);

// Where the pattern cell takes each soil pattern from, in order of preference, by the drawing
// method of the pattern settings (0 lines only, 1 tiles first, 2 lines first, 3 tiles only). A
// pattern is drawn from the first source that has it; with neither the cell stays blank.
struct PatternSources {
    bool tileFirst = false;  // a bitmap tile before the line pattern
    bool lines = true;       // the line pattern
    bool tileAfter = false;  // a bitmap tile where there is no line pattern
};
// `surfaceKeepsBitmaps` false (a CAD file): line patterns only, whatever the method, so the cell
// is never left blank.
PatternSources PatternSourcesFor(long drawingMethod, bool surfaceKeepsBitmaps);

// What the drawing of a column needs.
struct SectionPainter {
    rave::DrawingSurface& surface;
    SectionMapping& mapping;
    const SysqSettings& sysq;
    const SectionFonts& fonts;
    const rave::PatternColorTable* patternColors;
    const SectionSettings& settings;
    DrawingMessages* messages = nullptr;  // what the drawing could not draw; null: not told
    // The simple table a simple sounding's layer name is drawn by where its stored number draws
    // nothing; null: the stored number only.
    const rave::SoilNameTable* simpleTable = nullptr;

    double PaperX(double mm) const { return PaperToWorldX(mm, settings.distanceScale); }
    double PaperY(double mm) const { return PaperToWorldY(mm, settings.depthScale); }
    rave::SurfacePoint At(double x, double y) const { return {mapping.ToSurfaceX(x), mapping.ToSurfaceY(y)}; }
    bool Monochrome() const { return sysq.Int(sysqline::kMonochrome) == 1; }
    // A colour line of "Sysq.ndx", black in black-and-white mode.
    rave::ColorRef Colour(int line) const;
    // Dash lengths are kept as screen pixels; this gives device units.
    int DashUnits(long screenPixels) const;
    // Selects font n of the section fonts at `angleDegrees`; returns its cell height in device units.
    int SelectFont(int n, double angleDegrees = 0.0) const;
    void Text(double x, double y, int align, const std::string& cp932) const;
    void Line(double x1, double y1, double x2, double y2, int width,
              rave::ColorRef colour = rave::kBlack) const;
    // A horizontal or vertical line dashed with the solid and blank lengths (blank 0: solid).
    void DashedLine(double x1, double y1, double x2, double y2, int width, long solid, long blank,
                    rave::ColorRef colour) const;
};

// Draws one column block: soil patterns, the two frames, the graph, sample and in-situ marks.
void DrawColumnBlock(const SectionPainter& painter, const PlacedColumn& column, const NormalizedLog& log,
                     const ColumnLayout& layout);
// The flag above the column's ground point with its three texts.
void DrawColumnFlag(const SectionPainter& painter, const PlacedColumn& column);
// The ▽ mark at the column's water level, when it has one.
void DrawWaterLevelMark(const SectionPainter& painter, const PlacedColumn& column,
                        const ColumnLayout& layout);

// The three flag texts of a column.
struct FlagTexts {
    std::string label;
    std::string elevation;
    std::string depth;
};
FlagTexts MakeFlagTexts(const PlacedColumn& column, const SysqSettings& sysq);

}  // namespace ravesect
