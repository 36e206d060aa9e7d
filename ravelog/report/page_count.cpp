// Page count of the borehole-log sheet.
#include "ravelog/report/page_count.h"

#include <algorithm>
#include <cmath>

#include "common/numbers.h"

namespace ravelog {

namespace {
// Far more pages than any sheet has; keeps absurd depth texts such as "1e300" from overflowing.
constexpr double kMaxDepthPages = 1.0e6;
}  // namespace

int RowsPerPage(const SoundingDocument& document) {
    switch (rave::ParseInteger(document.header[slot::kRowsPerPageChoice])) {
        case 1:
            return 40;
        case 2:
            return 48;
        case 3:
            return 64;
        case 4:
            return 80;
        default:
            return 45;
    }
}

long PageDepthScale(const SoundingDocument& document) {
    const long n = rave::ParseInteger(document.header[slot::kDepthScale]);
    return n > 0 ? n : 100;
}

int CountReportPages(const SoundingDocument& document) {
    const int rows = document.RowCount();
    const double depth = rows > 0 ? rave::ParseDecimal(document.Row(rows)[field::kDepth]) : 0.0;
    // One page covers 20 steps of n/100 metres (200 mm of sheet at 1:n).
    const double metresPerPage = static_cast<double>(PageDepthScale(document)) * 0.01 * 20.0;
    const double depthPages = std::clamp(std::floor(depth / metresPerPage + 0.01) + 1.0, 1.0, kMaxDepthPages);
    const int rowPages = (rows - 1) / RowsPerPage(document) + 1;
    return std::max(static_cast<int>(depthPages), rowPages);
}

int CountReportPages(const SoundingDocument& document, int& currentPage) {
    const int pages = CountReportPages(document);
    if (currentPage > pages) {
        currentPage = 1;
    }
    return pages;
}

}  // namespace ravelog
