// The texts of the table cells of the borehole-log sheets: measured values and converted values
// of one row, written with the units and decimals chosen in the settings.
#pragma once

#include <string>

#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog {

// What a cell shows.
namespace cell_kind {
inline constexpr int kLoad = 1;         // Wsw, in kN or N
inline constexpr int kHalfTurns = 2;    // Na
inline constexpr int kDepth = 3;        // penetration depth, m
inline constexpr int kLength = 4;       // penetration length L, in cm or m
inline constexpr int kNsw = 5;          // half turns per metre
inline constexpr int kConvertedN = 11;  // converted N value
inline constexpr int kQu = 12;          // unconfined compressive strength qu
inline constexpr int kQaCapped = 13;    // qa as the format-3 column shows it (with its cap)
inline constexpr int kQa = 14;          // qa, plain
}  // namespace cell_kind

// The text of cell `kind` of measured row `row` (and conversion entry `row` for kinds 11..14);
// empty for an unknown kind or a row outside 1..1350.
std::string FormatCellText(const SoundingDocument& document, const rave::RavelogSettings& settings, int row,
                           int kind);

}  // namespace ravelog
