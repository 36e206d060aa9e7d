// Cell texts of the sheets' tables.
#include "ravelog/report/cell_text.h"

#include "common/decimal_formats.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"

namespace ravelog {

namespace {

constexpr double kLowestShown = -998.0;
constexpr double kHighestShown = 39900.0;

bool IsNumeric(const std::string& text) {
    return rave::IsNumericStart(text) == 1;
}

// Header slots of the converted-value cells.
constexpr int kSlotNCapStep = 35;  // graph maximum of N: 50 + 10 x this
constexpr int kSlotQaCapOn = 88;   // non-zero: qa above the limit of slot 89 shows ">limit"
constexpr int kSlotQaCap = 89;
constexpr int kSlotRawNotesInL = 91;  // >= 1: the L cell shows the Na or Wsw note of the row

std::string LoadText(const MeasuredRow& row, const rave::RavelogSettings& settings) {
    const std::string& text = row[field::kLoad];
    if (!IsNumeric(text)) {
        return text;
    }
    const double value = rave::ParseDecimal(text);
    if (settings.Int(rave::sysline::kLoadUnit) == 1) {  // N
        return rave::FormatText("%2.0f", value * 1000.0);
    }
    return rave::FormatText("%4.2f", value);
}

std::string LengthText(const SoundingDocument& document, const MeasuredRow& row,
                       const rave::RavelogSettings& settings) {
    const std::string& text = row[field::kLength];
    if (!IsNumeric(text)) {
        return {};
    }
    double value = rave::ParseDecimal(text);
    if (settings.Int(rave::sysline::kLengthUnit) != 1) {  // cm
        value *= 100.0;
    }
    std::string shown = rave::FormatDecimals(value, settings.Int(rave::sysline::kDecimalsLength));
    if (rave::ParseInteger(document.header[kSlotRawNotesInL]) >= 1) {
        if (!IsNumeric(row[field::kHalfTurns])) {
            shown = row[field::kHalfTurns];
        } else if (!IsNumeric(row[field::kLoad])) {
            shown = row[field::kLoad];
        }
    }
    return shown;
}

std::string ConvertedNText(const SoundingDocument& document, const std::string& text,
                           const rave::RavelogSettings& settings) {
    if (!IsNumeric(text)) {
        return {};
    }
    const double value = rave::ParseDecimal(text);
    const long cap = rave::ParseInteger(document.header[kSlotNCapStep]) * 10 + 50;
    if (value < kLowestShown) {
        return {};
    }
    if (value > static_cast<double>(cap)) {
        return rave::FormatText(">%d", static_cast<int>(cap));
    }
    return rave::FormatDecimals(value, settings.Int(rave::sysline::kDecimalsN));
}

std::string BoundedText(const std::string& text, long decimals) {
    if (!IsNumeric(text)) {
        return {};
    }
    const double value = rave::ParseDecimal(text);
    if (value < kLowestShown || value > kHighestShown) {
        return {};
    }
    return rave::FormatDecimals(value, decimals);
}

bool IsNoValueMark(const std::string& text) {
    return rave::TrimBlanks(text) == "_";
}

std::string CappedQaText(const SoundingDocument& document, const std::string& text,
                         const rave::RavelogSettings& settings) {
    if (IsNoValueMark(text)) {
        return "- ";
    }
    const long decimals = settings.Int(rave::sysline::kDecimalsQa);
    const long cap = rave::ParseInteger(document.header[kSlotQaCap]);
    if (rave::ParseDecimal(document.header[kSlotQaCapOn]) == 0.0 || cap <= 0) {
        return BoundedText(text, decimals);
    }
    if (!IsNumeric(text)) {
        return {};
    }
    const double value = rave::ParseDecimal(text);
    if (value > static_cast<double>(cap)) {
        return rave::FormatText(">%d", static_cast<int>(cap));
    }
    if (value < kLowestShown) {
        return {};
    }
    return rave::FormatDecimals(value, decimals);
}

}  // namespace

std::string FormatCellText(const SoundingDocument& document, const rave::RavelogSettings& settings, int row,
                           int kind) {
    if (row < 1 || row > kMaxRows) {
        return {};
    }
    const MeasuredRow& measured = document.Row(row);
    const ConversionRow& converted = document.Conversion(row);
    switch (kind) {
        case cell_kind::kLoad:
            return LoadText(measured, settings);
        case cell_kind::kHalfTurns: {
            const std::string& text = measured[field::kHalfTurns];
            if (!IsNumeric(text)) {
                return text;
            }
            return rave::FormatDecimals(rave::ParseDecimal(text), settings.Int(rave::sysline::kDecimalsNa));
        }
        case cell_kind::kDepth: {
            const std::string& text = measured[field::kDepth];
            if (!IsNumeric(text)) {
                return {};
            }
            return rave::FormatDecimals(rave::ParseDecimal(text),
                                        settings.Int(rave::sysline::kDecimalsDepth));
        }
        case cell_kind::kLength:
            return LengthText(document, measured, settings);
        case cell_kind::kNsw: {
            const std::string& text = measured[field::kNsw];
            if (!IsNumeric(text)) {
                return measured[field::kHalfTurns];
            }
            return rave::FormatText("%2.0f", rave::ParseDecimal(text));
        }
        case cell_kind::kConvertedN:
            return ConvertedNText(document, converted[2], settings);
        case cell_kind::kQu:
            return BoundedText(converted[3], settings.Int(rave::sysline::kDecimalsQu));
        case cell_kind::kQaCapped:
            return CappedQaText(document, converted[4], settings);
        case cell_kind::kQa:
            if (IsNoValueMark(converted[4])) {
                return "- ";
            }
            return BoundedText(converted[4], settings.Int(rave::sysline::kDecimalsQa));
        default:
            return {};
    }
}

}  // namespace ravelog
