// The self-sinking layer check: which rows sank by themselves and where they lie below the footing.
#include "ravelog/conversion/self_sinking.h"

#include <cmath>

#include "common/numbers.h"
#include "common/text_fields.h"

namespace ravelog {

namespace {

// Depths and loads are typed with two decimals; this keeps sums such as F + 2 from missing a
// boundary by a rounding error.
constexpr double kTolerance = 1e-9;

// (a, b] and (lo, hi] share some depth.
bool Overlaps(double a, double b, double lo, double hi) {
    return a < hi - kTolerance && b > lo + kTolerance;
}

}  // namespace

bool IsSelfSinkingRow(const MeasuredRow& row) {
    const std::string& load = row[field::kLoad];
    if (rave::IsNumericStart(load) <= 0) {
        return false;
    }
    const double wsw = rave::ParseDecimal(load);
    if (wsw <= 0 || wsw > kSelfSinkingMaxLoad + kTolerance) {
        return false;
    }
    const std::string& halfTurns = row[field::kHalfTurns];
    const int kind = rave::IsNumericStart(halfTurns);
    if (kind < 0) {
        return true;  // empty
    }
    return kind > 0 && rave::ParseDecimal(halfTurns) == 0;
}

std::optional<double> ParseFootingDepth(std::string_view text) {
    if (!rave::HasLeadingNumber(text)) {
        return std::nullopt;
    }
    const double depth = rave::ParseDecimal(text);
    if (!std::isfinite(depth) || depth < 0) {
        return std::nullopt;
    }
    return depth;
}

SelfSinkingCheck CheckSelfSinking(const SoundingDocument& document, double footingDepth) {
    SelfSinkingCheck check;
    check.footingDepth = footingDepth;
    const double f = footingDepth;
    const int rows = document.RowCount();
    double previous = 0;
    bool anyTaken = false;
    for (int i = 1; i <= rows; ++i) {
        const MeasuredRow& row = document.Row(i);
        if (rave::IsNumericStart(row[field::kDepth]) <= 0) {
            check.unreadableRows.push_back(i);
            continue;
        }
        const double depth = rave::ParseDecimal(row[field::kDepth]);
        if (!std::isfinite(depth) || (anyTaken && depth <= previous + kTolerance)) {
            check.outOfOrderRows.push_back(i);
            continue;
        }
        anyTaken = true;
        if (rave::IsNumericStart(row[field::kLoad]) > 0) {
            ++check.usableRows;
        }
        if (IsSelfSinkingRow(row)) {
            const double wsw = rave::ParseDecimal(row[field::kLoad]);
            check.layers.push_back({i, previous, depth, wsw});
            if (Overlaps(previous, depth, f, f + 2)) {
                check.within2m = true;
            }
            if (wsw <= kLowerBandMaxLoad + kTolerance && Overlaps(previous, depth, f + 2, f + 5)) {
                check.from2to5m = true;
            }
        }
        previous = depth;
    }
    check.settlementCheck = check.within2m || check.from2to5m;
    check.reaches5m = anyTaken && previous >= f + 5 - kTolerance;
    return check;
}

}  // namespace ravelog
