// The estimated soil column (推定柱状図) of formats 2 and 3: the layers of the log, each filled
// with its soil pattern (line-drawn symbols or bitmap tiles) between the depths of its top and
// bottom rows, with a boundary line under every layer.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/soil_name_table.h"
#include "ravelog/report/sheet_context.h"
#include "ravelog/report/standard_sheet_parts.h"

namespace ravelog {

// Patterns fill this much of the column from its left edge; markers fill the whole column.
inline constexpr double kSoilPatternWidth = 8.2;

// One layer of the column: the pattern code of its bottom row and the depths it spans.
struct SoilLayer {
    long code = 0;
    double topDepth = 0.0;
    double bottomDepth = 0.0;
};

// The layers as the rows define them: rows are read from row 1 while the depth is filled; a row
// with a pattern closes a layer when it has the underline bit (4) in its drawing attribute, is
// the last row, or the next row has another pattern number; rows without a pattern are passed
// over. A layer runs from the bottom of the previous layer with a pattern above 0 (depth 0 at
// first) to its own row's depth.
// With `simpleTable`, the rows are simple-table rows and each is drawn with SimpleLayerCode.
std::vector<SoilLayer> CollectSoilLayers(const SoundingDocument& document, int patternField,
                                         const rave::SoilNameTable* simpleTable = nullptr);

// The code a simple-table row is drawn with. The simple table the user edits decides: a row whose
// soil name is a name of the table takes that name's tile number. Other rows keep their own
// number, except that a JACIC composite number (a row picked from an older JACIC-coded list:
// "礫混り砂" 450, "砂質シルト" 501) is drawn with its base soil (400, 500), since a simple column
// shows one tile per layer and has no tile for the composite.
long SimpleLayerCode(const MeasuredRow& row, const rave::SoilNameTable& simpleTable);

// Draws the column between x1 and x2 for the page's depths (yTop .. yBottom of the window).
void DrawSoilColumn(const SheetContext& context, double x1, double x2, const DepthWindow& window);

// The native file of a bitmap tile named by a settings path in Windows form ("C:\..\J\100.bmp")
// or in native form with backslashes.
std::filesystem::path TileFilePath(const std::string& windowsPath, const rave::DriveMap* drives);

}  // namespace ravelog
