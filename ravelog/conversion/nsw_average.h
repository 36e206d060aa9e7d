// The calculator of the Nsw average over a depth range and the long-term allowable bearing
// capacity qa~ derived from it with the document's qa formula, Wsw taken as 1 kN. It only shows
// results: apart from making slot 68 numeric when it opens, nothing is written to the document.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog {

// String numbers of the calculator's messages.
inline constexpr int kNoDataMessage = 4007;  // "データがありません": a range field is not a number
inline constexpr int kUnsuitableValuesMessage = 4014;  // "数値が不適当です.": the end lies above the start

// What Calculate shows: the average ("%.4f"), qa~ (the sheets' qa decimals) and the number of
// rows used ("%d"). Average and qa~ are empty when no row qualified; qa~ also for qa = b·N.
struct NswAverageResult {
    std::string average;
    std::string qa;
    std::string count;
    int n = 0;
};

// Averages the Nsw of rows 1..RowCount() whose depth lies in start..end (widened by 0.000001 on
// both sides) and whose Nsw text holds a digit; for the qa formula with the Wsw = 1 option only
// rows loaded with at least 0.999999 kN count. A range field that is not a number (4007) or an end
// above the start (4014) is reported and the calculation goes on, a missing value counting as 0.
NswAverageResult CalculateNswAverage(const SoundingDocument& document, const rave::RavelogSettings& settings,
                                     std::string_view start, std::string_view end,
                                     rave::MessageSink& messages);

// qa~ for an Nsw average: a + b·1^c + d·min(average, cap) with the qa formula of the header, the
// cap of slot 69 when above 0.0001 (else 99999.99) and a Wsw term of 39999.9 for c above 99.
// Empty outside -999 <= qa~ < 39999; else written with the sheets' qa decimals.
std::string LongTermQaText(const SoundingHeader& header, const rave::RavelogSettings& settings,
                           double average);

// The texts of the report's table cells, as the report writes them for measured row `row`. The
// kinds are those of the report: 1 Wsw, 2 Na, 3 depth, 13 qa with its display limit, 14 qa.
using ReportCellText = std::function<std::string(const SoundingDocument& document, int row, int cellKind)>;

// The calculator dialog as a model.
class NswAverageCalculator {
public:
    struct Column {
        std::string heading;  // cp932
        int width;
    };

    // Sets slot 68 to "1" when it does not start a number. `cellText` writes the list's depth,
    // load, half-turn and qa columns the way the report does.
    NswAverageCalculator(SoundingDocument& document, const rave::RavelogSettings& settings,
                         ReportCellText cellText);

    static std::string Title();
    static std::string PanelTitle();
    // The line telling where the formula is edited.
    static std::string EditHint();
    static std::string NswCapLabel();
    static std::string NswCapHint();
    // Labels of the range fields ("m から", "m まで") and of the outputs (average, qa~, n).
    static std::string RangeStartLabel();
    static std::string RangeEndLabel();
    static std::string AverageLabel();
    static std::string QaLabel();
    static std::string CountLabel();
    static const std::vector<Column>& Columns();

    // The read-only panel: the formula kind (0 the qa formula, 1 qa = b·N), qa coefficients a..e
    // (index 0..4, slots 53..57), the b factors of qa = b·N (index 0..3, slots 58..61), the cap and
    // the mark of the Wsw = 1 option ("ﾚ" when set, a blank otherwise).
    int FormulaKind() const;
    const std::string& QaCoefficient(int index) const;
    const std::string& BFactor(int index) const;
    const std::string& NswCap() const;
    std::string Wsw1OnlyMark() const;

    // The notices shown when the calculator opens, one text per notice.
    std::vector<std::string> Notices() const;

    // The list: rows 1..RowCount(), 7 columns (see Columns()).
    int RowCount() const { return rowCount_; }
    std::string CellText(int row, int column) const;

    // The range fields.
    const std::string& RangeStart() const { return start_; }
    const std::string& RangeEnd() const { return end_; }
    void SetRangeStart(std::string text) { start_ = std::move(text); }
    void SetRangeEnd(std::string text) { end_ = std::move(text); }
    void FocusRangeStart() { endFocusedLast_ = false; }
    void FocusRangeEnd() { endFocusedLast_ = true; }
    // A click on list row `row`: its depth text goes into the range end when that field had the
    // focus last (the next click then goes to the start again); otherwise into the range start,
    // and an empty range end becomes that depth + 2 m.
    void ClickRow(int row);

    // "計算": the outputs below are replaced.
    void Calculate(rave::MessageSink& messages);
    const NswAverageResult& Result() const { return result_; }

private:
    const SoundingDocument& document_;
    const rave::RavelogSettings& settings_;
    ReportCellText cellText_;
    int rowCount_ = 0;
    std::string start_;
    std::string end_;
    bool endFocusedLast_ = false;
    NswAverageResult result_;
};

}  // namespace ravelog
