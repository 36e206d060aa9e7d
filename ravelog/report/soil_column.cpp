// The estimated soil column.
#include "ravelog/report/soil_column.h"

#include <algorithm>

#include "common/cp932.h"
#include "common/drawing/surface_hints.h"
#include "common/numbers.h"
#include "common/pattern_colors.h"
#include "common/patterns/pattern_bitmap.h"
#include "common/patterns/pattern_primitives.h"
#include "common/patterns/soil_patterns.h"
#include "common/text_fields.h"

namespace ravelog {

namespace {

// Soil-column lines of the settings file.
constexpr int kLineBitmapDisplay = 61;      // JACIC table: 1 draws bitmap tiles, else symbols
constexpr int kLineMonochrome = 62;         // 1: patterns in black
constexpr int kLinePatternPenWidth = 63;    // the symbols' pen is one unit wider than this
constexpr int kLinePlainMixedMarking = 64;  // 1: an adjective under an admixture is not shifted

constexpr long kUnderlineBit = 4;

enum class ColumnSource { kSimpleTiles, kJacicTiles, kJacicSymbols };

struct ColumnSetup {
    ColumnSource source = ColumnSource::kJacicSymbols;
    int patternField = field::kResolvedPattern;
    std::string tileFolder;  // Windows form, for tiles
    bool monochrome = false;
    int penWidth = 1;
    bool plainMixedMarking = false;
};

ColumnSetup SetupColumn(const SheetContext& context) {
    const rave::RavelogSettings& settings = context.resources.settings;
    ColumnSetup setup;
    setup.monochrome = settings.Int(kLineMonochrome) == 1;
    setup.penWidth = std::max(1, static_cast<int>(settings.Int(kLinePatternPenWidth)) + 1);
    setup.plainMixedMarking = settings.Int(kLinePlainMixedMarking) == 1;
    if (context.document.header[slot::kSoilTableKind] != "1") {
        setup.source = ColumnSource::kSimpleTiles;
        setup.patternField = field::kSimplePattern;
        setup.tileFolder = rave::PatternTileFolder(settings.Line(rave::sysline::kSimpleBitmapFolder), false,
                                                   context.resources.simpleTilesMonochrome);
    } else if (settings.Int(kLineBitmapDisplay) == 1 && !rave::PrefersVectorPatterns(context.surface)) {
        // A surface that cannot keep bitmaps (a CAD file) gets the line patterns instead.
        setup.source = ColumnSource::kJacicTiles;
        setup.patternField = field::kJacicPattern;
        setup.tileFolder =
            rave::PatternTileFolder(settings.Line(rave::sysline::kJacicBitmapFolder), true, setup.monochrome);
    }
    return setup;
}

bool IsMarkerClass(int g) {
    return g == 7 || g == 8 || g == 9 || g == 11;
}

// One pattern layer of a cell.
struct PatternLayer {
    long code = 0;
    bool overlay = false;  // laid over the first layer (AND for tiles)
    int firstRowShifted = 0;
};

// The layers a pattern code is drawn in, in drawing order.
std::vector<PatternLayer> LayersOf(long code, int g, const ColumnSetup& setup) {
    std::vector<PatternLayer> layers;
    if (g == 4 || g == 6) {
        layers.push_back({code, false, 0});
    } else if (g == 3) {
        const long base = rave::PatternDigit(static_cast<double>(code), 1000) +
                          rave::PatternDigit(static_cast<double>(code), 100);
        const long admixture = rave::PatternDigit(static_cast<double>(code), 10);
        const long adjective = rave::PatternDigit(static_cast<double>(code), 1);
        // Under an admixture the adjective's symbols start one row lower, so the two do not
        // print over each other.
        const int shifted = admixture != 0 && !setup.plainMixedMarking ? 1 : 0;
        layers.push_back({base, false, shifted});
        layers.push_back({admixture, true, 0});
        layers.push_back({adjective, true, shifted});
    }
    std::erase_if(layers, [](const PatternLayer& layer) { return layer.code <= 0; });
    return layers;
}

}  // namespace

long SimpleLayerCode(const MeasuredRow& row, const rave::SoilNameTable& simpleTable) {
    return rave::SimpleLayerPattern(row[field::kSimpleSoilName], row[field::kSimplePattern], simpleTable);
}

std::vector<SoilLayer> CollectSoilLayers(const SoundingDocument& document, int patternField,
                                         const rave::SoilNameTable* simpleTable) {
    const auto codeOf = [&](const MeasuredRow& row) {
        return simpleTable != nullptr ? SimpleLayerCode(row, *simpleTable)
                                      : rave::ParseInteger(row[patternField]);
    };
    std::vector<SoilLayer> layers;
    double boundary = 0.0;
    for (int r = 1; r <= kMaxRows; ++r) {
        const MeasuredRow& row = document.Row(r);
        if (row[field::kDepth].empty()) {
            break;
        }
        const std::string& pattern = row[patternField];
        if (pattern.empty()) {
            continue;
        }
        const long code = codeOf(row);
        const bool lastRow = r == kMaxRows || document.Row(r + 1)[field::kDepth].empty();
        const bool underlined = (rave::ParseInteger(row[field::kAttribute]) & kUnderlineBit) != 0;
        const bool nextDiffers = !lastRow && codeOf(document.Row(r + 1)) != code;
        if (!(underlined || lastRow || nextDiffers)) {
            continue;
        }
        if (code <= 0) {
            continue;
        }
        const double depth = rave::ParseDecimal(row[field::kDepth]);
        layers.push_back({code, boundary, depth});
        boundary = depth;
    }
    return layers;
}

std::filesystem::path TileFilePath(const std::string& windowsPath, const rave::DriveMap* drives) {
    return rave::NativePathOfSetting(windowsPath, drives);
}

void DrawSoilColumn(const SheetContext& context, double x1, double x2, const DepthWindow& window) {
    const ColumnSetup setup = SetupColumn(context);
    const rave::MappedSurface target{context.surface, context.mapping};
    const SheetLineStyles styles = ReadSheetLineStyles(context.resources.settings);
    const bool jacic = setup.source != ColumnSource::kSimpleTiles;
    const rave::PatternColorTable* colors = context.resources.patternColors;

    const rave::SoilNameTable* simpleTable = jacic ? nullptr : context.resources.simpleTable;
    for (const SoilLayer& layer : CollectSoilLayers(context.document, setup.patternField, simpleTable)) {
        const double top = window.MapY(layer.topDepth);
        const double bottom = window.MapY(layer.bottomDepth);
        const int g =
            jacic ? rave::ClassifyJacicPattern(layer.code) : rave::ClassifySimplePattern(layer.code);
        if (IsMarkerClass(g)) {
            rave::DrawCellMarker(target, x1, top, x2, bottom, g - 7, 1, setup.penWidth, setup.monochrome,
                                 colors);
        } else if (top < window.yBottom && bottom > window.yTop) {
            for (const PatternLayer& part : LayersOf(layer.code, g, setup)) {
                if (setup.source == ColumnSource::kJacicSymbols) {
                    const rave::ColorRef color = setup.monochrome || colors == nullptr
                                                     ? rave::kBlack
                                                     : colors->PatternColor(part.code);
                    rave::DrawSoilPattern(target, part.code, x1, top, x1 + kSoilPatternWidth, bottom, 1.0,
                                          setup.penWidth, color, part.firstRowShifted);
                } else {
                    const std::string file = rave::PatternTileFile(setup.tileFolder, part.code);
                    rave::DrawPatternBitmap(target, TileFilePath(file, context.resources.drives), x1, top,
                                            kSoilPatternWidth, bottom - top,
                                            part.overlay ? rave::raster_op::kAnd : rave::raster_op::kCopy);
                }
            }
        }
        for (const double y : {bottom, top}) {
            if (y >= window.yTop && y <= window.yBottom) {
                rave::DrawLine(target, x1, y, x2, y, rave::pen_style::kSolid, styles.separatorWidth,
                               rave::kBlack);
            }
        }
    }
}

}  // namespace ravelog
