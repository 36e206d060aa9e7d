// The Nsw average and qa~ calculator.
#include "ravelog/conversion/nsw_average.h"

#include <algorithm>
#include <cmath>

#include "common/decimal_formats.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "ravelog/conversion/coefficient_set.h"

namespace ravelog {

namespace {

// The report's cell kinds the list uses.
constexpr int kCellLoad = 1;
constexpr int kCellHalfTurns = 2;
constexpr int kCellDepth = 3;
constexpr int kCellQaCapped = 13;
constexpr int kCellQa = 14;

constexpr double kRangeMargin = 0.000001;
constexpr double kMinimumLoad = 0.999999;
// Here the cap counts when above 0.0001 and is used as it stands, without the margin the
// per-row formula adds.
constexpr double kCapThreshold = 0.0001;
constexpr double kHugeTerm = 39999.9;

bool HasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Only the qa formula (kind 0) gives qa~; every other kind counts as qa = b·N.
bool UsesQaFormula(const SoundingHeader& header) {
    return CoefficientSet(header).UsesQaFormula();
}

}  // namespace

std::string LongTermQaText(const SoundingHeader& header, const rave::RavelogSettings& settings,
                           double average) {
    const CoefficientSet set(header);
    const double cap = set.HasNswCap(kCapThreshold) ? set.NswCapValue() : kNoNswCap;
    const PowerFormula f = set.QaFormula();
    const double wswTerm = f.c > 99 ? kHugeTerm : f.b * std::pow(1.0, f.c);
    const double qa = f.a + wswTerm + f.d * std::min(average, cap);
    if (!(qa >= -999 && qa < 39999)) {
        return {};
    }
    return rave::FormatDecimals(qa, settings.Int(rave::sysline::kDecimalsQa));
}

NswAverageResult CalculateNswAverage(const SoundingDocument& document, const rave::RavelogSettings& settings,
                                     std::string_view start, std::string_view end,
                                     rave::MessageSink& messages) {
    if (rave::IsNumericStart(start) <= 0 || rave::IsNumericStart(end) <= 0) {
        messages.Show(rave::Message{kNoDataMessage, "データがありません", {}});
    }
    const double from = rave::ParseDecimal(start);
    const double to = rave::ParseDecimal(end);
    if (to < from) {
        messages.Show(rave::Message{kUnsuitableValuesMessage, "数値が不適当です.", {}});
    }
    const double low = from - kRangeMargin;
    const double high = to + kRangeMargin;

    const SoundingHeader& header = document.header;
    const bool qaFormula = UsesQaFormula(header);
    const bool wsw1Only = qaFormula && CoefficientSet(header).QaForWsw1Only();

    double sum = 0;
    int n = 0;
    const int rows = document.RowCount();
    for (int i = 1; i <= rows; ++i) {
        const MeasuredRow& row = document.Row(i);
        const double depth = rave::ParseDecimal(row[field::kDepth]);
        if (depth < low || depth > high || !HasDigit(row[field::kNsw])) {
            continue;
        }
        if (wsw1Only && rave::ParseDecimal(row[field::kLoad]) < kMinimumLoad) {
            continue;
        }
        sum += rave::ParseDecimal(row[field::kNsw]);
        ++n;
    }

    NswAverageResult result;
    result.n = n;
    result.count = rave::FormatText("%d", n);
    if (n >= 1) {
        const double average = sum / n;
        result.average = rave::FormatText("%.4f", average);
        if (qaFormula) {
            result.qa = LongTermQaText(header, settings, average);
        }
    }
    return result;
}

NswAverageCalculator::NswAverageCalculator(SoundingDocument& document, const rave::RavelogSettings& settings,
                                           ReportCellText cellText)
    : document_(document),
      settings_(settings),
      cellText_(std::move(cellText)),
      rowCount_(document.RowCount()) {
    std::string& wsw1Only = document.header[coef::kQaWsw1Only];
    if (rave::IsNumericStart(wsw1Only) <= 0) {
        wsw1Only = "1";
    }
}

std::string NswAverageCalculator::Title() {
    return "Nsw平均値と長期許容支持力qa~";
}

std::string NswAverageCalculator::PanelTitle() {
    return "換算式と係数 （現在設定されている式と係数）";
}

std::string NswAverageCalculator::EditHint() {
    return "換算式の設定編集はメニュー「データ」 - 「換算値 係数と表示」";
}

std::string NswAverageCalculator::NswCapLabel() {
    return "Nsw上限";
}

std::string NswAverageCalculator::NswCapHint() {
    return "0は上限無し";
}

std::string NswAverageCalculator::RangeStartLabel() {
    return "m から";
}

std::string NswAverageCalculator::RangeEndLabel() {
    return "m まで";
}

std::string NswAverageCalculator::AverageLabel() {
    return "Nsw平均値";
}

std::string NswAverageCalculator::QaLabel() {
    return "qa~";
}

std::string NswAverageCalculator::CountLabel() {
    return "データ数";
}

const std::vector<NswAverageCalculator::Column>& NswAverageCalculator::Columns() {
    static const std::vector<Column> columns = {
        {"深さｍ", 56}, {"Wsw", 48}, {"Na", 48}, {"Nsw", 60}, {"qa", 50}, {"土質名", 80}, {"表示qa", 50},
    };
    return columns;
}

int NswAverageCalculator::FormulaKind() const {
    return UsesQaFormula(document_.header) ? 0 : 1;
}

const std::string& NswAverageCalculator::QaCoefficient(int index) const {
    return document_.header[coef::kQaFormula + std::clamp(index, 0, 4)];
}

const std::string& NswAverageCalculator::BFactor(int index) const {
    return document_.header[coef::kQaBNSandyZero + std::clamp(index, 0, 3)];
}

const std::string& NswAverageCalculator::NswCap() const {
    return document_.header[coef::kNswCap];
}

std::string NswAverageCalculator::Wsw1OnlyMark() const {
    return CoefficientSet(document_.header).QaForWsw1Only() ? "ﾚ" : " ";
}

std::vector<std::string> NswAverageCalculator::Notices() const {
    const std::string useNotification = "※告示1113号式を使用して下さい";
    if (FormulaKind() != 0) {
        return {"この式ではqa~の計算が\nできません", useNotification};
    }
    const CoefficientSet set(document_.header);
    if (set.QaForWsw1Only()) {
        // The notification formula has d = 0.6; any other d is a formula of the user's own.
        const double d = set.Slot(coef::kQaFormula + 3);
        if (d > 0.599 && d < 0.601) {
            return {};
        }
        return {useNotification};
    }
    return {"注) Wswは常に1kNとして計算します", useNotification};
}

std::string NswAverageCalculator::CellText(int row, int column) const {
    if (row < 1 || row > rowCount_) {
        return {};
    }
    const MeasuredRow& r = document_.Row(row);
    switch (column) {
        case 0:
            return cellText_(document_, row, kCellDepth);
        case 1:
            return cellText_(document_, row, kCellLoad);
        case 2:
            return " " + cellText_(document_, row, kCellHalfTurns);
        case 3:
            return r[field::kNsw];
        case 4:
            return cellText_(document_, row, kCellQa);
        case 5: {
            const bool jacic = rave::ParseInteger(document_.header[slot::kSoilTableKind]) != 0;
            return r[jacic ? field::kJacicSoilName : field::kSimpleSoilName];
        }
        case 6:
            return cellText_(document_, row, kCellQaCapped);
        default:
            return {};
    }
}

void NswAverageCalculator::ClickRow(int row) {
    if (row < 1 || row > rowCount_) {
        return;
    }
    const std::string depth = CellText(row, 0);
    if (endFocusedLast_) {
        end_ = depth;
        endFocusedLast_ = false;
        return;
    }
    start_ = depth;
    if (end_.empty()) {
        end_ = rave::FormatText("%.2f", rave::ParseDecimal(depth) + 2);
    }
}

void NswAverageCalculator::Calculate(rave::MessageSink& messages) {
    result_ = CalculateNswAverage(document_, settings_, start_, end_, messages);
}

}  // namespace ravelog
