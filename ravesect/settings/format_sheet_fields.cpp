// The accepted values of the format sheet's boxes.
#include "ravesect/settings/format_sheet_fields.h"

#include "common/field_validation.h"
#include "common/numbers.h"
#include "common/text_fields.h"

namespace ravesect {

namespace {

using namespace sysqline;

// In the order the two pages show them.
constexpr SysqFieldRange kRanges[] = {
    {kFlagAngle, 0, 359},         {kFlagHeight, 0, 200},        {kFlagLength, 0, 200},
    {kNGraphWidth, 1, 70},        {kFrameWidth, 1, 20},         {kBoundaryWidth, 1, 10},
    {kRulerWidth, 0, 20},         {kElevationLineWidth, 0, 20}, {kElevationLineSolid, 0, 100},
    {kElevationLineBlank, 0, 30}, {kWaterMarkWidth, 0, 20},     {kNGraphLineWidth, 1, 20},
    {kNGridWidth, 0, 20},         {kNGridSolid, 0, 100},        {kNGridBlank, 0, 30},
    {kSwedishGraphWidth, 1, 20},  {kSwedishGridWidth, 0, 30},   {kSwedishGridSolid, 0, 100},
    {kSwedishGridBlank, 0, 30},   {kTopMargin, 0, 100},         {kLeftMargin, 1, 100},
};

constexpr double kLargestDotRadius = 10.0;

}  // namespace

std::optional<SysqFieldRange> FormatSheetRange(int line) {
    for (const SysqFieldRange& range : kRanges) {
        if (range.line == line) {
            return range;
        }
    }
    return std::nullopt;
}

std::optional<int> FirstFormatSheetFault(const SysqSettings& sysq, rave::MessageSink& messages) {
    for (const SysqFieldRange& range : kRanges) {
        if (!rave::CheckIntegerInRange(sysq.Line(range.line), range.lowest, range.highest, messages)) {
            return range.line;
        }
    }
    const std::string& radius = sysq.Line(kDotRadius);
    const double value = rave::ParseDecimal(radius);
    if (rave::IsNumericStart(radius) != 1 || !(value > 0.0 && value <= kLargestDotRadius)) {
        // "Enter a radius above 0 and at most 10 mm".
        messages.Show(rave::Message{0, "●半径は 0 より大きく 10 ㎜ 以下の数値を入力してください。", {}});
        return kDotRadius;
    }
    for (int line : {kSeparator, kCompanyName, kTelephone, kOverMaximumDisplay}) {
        if (!rave::CheckStorableText(sysq.Line(line), messages)) {
            return line;
        }
    }
    return std::nullopt;
}

}  // namespace ravesect
