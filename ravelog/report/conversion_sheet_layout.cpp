// The layout of the conversion sheet.
#include "ravelog/report/conversion_sheet_layout.h"

#include <algorithm>

#include "common/format.h"
#include "common/numbers.h"
#include "ravelog/conversion/coefficient_set.h"
#include "ravelog/report/cell_text.h"
#include "ravelog/report/qa_formula.h"

namespace ravelog {

namespace {
constexpr long kMostScaleSteps = 1000;
}  // namespace

ConversionMode ConversionModeOf(const SoundingHeader& header) {
    const long m = rave::ParseInteger(header[coef::kDisplay]);
    return m >= 0 && m <= 4 ? static_cast<ConversionMode>(m) : ConversionMode::kNone;
}

ConversionColumns ConversionSheetColumns(ConversionMode mode) {
    ConversionColumns columns;
    const bool one = mode == ConversionMode::kN || mode == ConversionMode::kQu || mode == ConversionMode::kQa;
    if (one) {
        columns.x = {0.0,   1.0,   12.5,  24.5,  39.5,  51.5,  64.0, 89.5,
                     109.0, 130.0, 130.0, 136.2, 145.0, 175.0, 180.6};
    } else {
        columns.x = {0.0,   1.0,   12.5,  24.5,  39.5,  51.5,  64.0, 86.5,
                     109.0, 119.0, 130.0, 136.2, 145.0, 175.0, 180.6};
    }
    return columns;
}

double HeaderLineY(const SoundingHeader& header) {
    return ConversionModeOf(header) == ConversionMode::kNAndQa && CountQaFormulaLines(header) == 4 ? 22.5
                                                                                                   : 23.0;
}

ModeTexts ModeTextsOf(ConversionMode mode) {
    switch (mode) {
        case ConversionMode::kN:
            return {"　換算Ｎ値　", "（>は以上）", "Ｎ値", "回"};
        case ConversionMode::kQu:
            return {"　換算ｑｕ　", "         ", "ｑｕ", "kN/㎡"};
        case ConversionMode::kQa:
            return {"　換算ｑａ　", "         ", "ｑａ", "kN/㎡"};
        default:
            return {};
    }
}

std::vector<ScaleLabel> NScaleLabels(const SoundingHeader& header, double x0) {
    std::vector<ScaleLabel> labels;
    const long last = rave::ParseInteger(header[coef::kNGraphMax]) + 5;
    // Numbers that would stand beyond the graph grid (an out-of-range maximum) are left out.
    const double limit = x0 + 36.0;
    for (long i = 0; i <= last; ++i) {
        const double x = x0 + 5.0 * static_cast<double>(i);
        if (x > limit) {
            break;
        }
        labels.push_back({x, rave::FormatText("%ld", i * 10)});
    }
    return labels;
}

std::vector<ScaleLabel> StrengthScaleLabels(const SoundingHeader& header, int endSlot, int stepSlot,
                                            double x0, double x1) {
    const long end = rave::ParseInteger(header[endSlot]);
    const long step = rave::ParseInteger(header[stepSlot]);
    const long steps = step >= 1 ? end / step : 0;
    std::vector<ScaleLabel> labels{{x0, "0"}};
    if (steps < 1) {
        return labels;
    }
    for (long i = 1; i <= std::min(steps, kMostScaleSteps); ++i) {
        const long value = i * step;
        labels.push_back({MapLinear(static_cast<double>(value), 0.0, static_cast<double>(end), x0, x1),
                          rave::FormatText("%ld", value)});
    }
    return labels;
}

std::vector<CellPlacement> ConversionCellPlacements(ConversionMode mode, const ConversionColumns& col,
                                                    const rave::RavelogSettings& settings) {
    switch (mode) {
        case ConversionMode::kN:
            return {{cell_kind::kConvertedN, col[9] - 2.0}};
        case ConversionMode::kQu:
            return {{cell_kind::kQu, col[9] - 2.0}};
        case ConversionMode::kNAndQu:
            return {{cell_kind::kConvertedN, col[9] - 1.8}, {cell_kind::kQu, col[10] - 1.5}};
        case ConversionMode::kQa:
            return {{cell_kind::kQaCapped, col[9] - 2.0}};
        case ConversionMode::kNAndQa: {
            const bool manyDecimals = settings.Int(rave::sysline::kDecimalsQa) >= 3;
            return {{cell_kind::kConvertedN, col[9] - 1.6},
                    {cell_kind::kQaCapped, manyDecimals ? col[10] + 0.5 : col[10] - 1.0}};
        }
        default:
            return {};
    }
}

}  // namespace ravelog
