// Paging and format rules of the report view.
#include "ravelog/report/report_view_state.h"

#include <algorithm>

#include "common/format.h"
#include "common/numbers.h"
#include "ravelog/report/page_count.h"

namespace ravelog {

int ReportFormatOf(const SoundingDocument& document) {
    const long format = rave::ParseInteger(document.header[slot::kReportFormat]);
    return static_cast<int>(std::clamp(format, 0L, 2L));
}

void SelectReportFormat(SoundingDocument& document, ReportViewState& state, int format) {
    state.reportFormat = std::clamp(format, 0, 2);
    document.header[slot::kReportFormat] = rave::FormatText("%d", state.reportFormat);
}

bool GoToNextPage(const SoundingDocument& document, ReportViewState& state) {
    if (state.printing) {
        return false;
    }
    const int before = state.currentPage;
    const int pages = CountReportPages(document);
    if (state.currentPage > pages) {
        state.currentPage = 1;
    }
    if (state.currentPage < pages) {
        ++state.currentPage;
    }
    return state.currentPage != before;
}

bool GoToPreviousPage(const SoundingDocument& document, ReportViewState& state) {
    if (state.printing) {
        return false;
    }
    const int before = state.currentPage;
    if (state.currentPage > CountReportPages(document)) {
        state.currentPage = 1;
    } else if (state.currentPage > 1) {
        --state.currentPage;
    }
    return state.currentPage != before;
}

bool HandlePagingKey(const SoundingDocument& document, ReportViewState& state, PagingKey key) {
    if (state.printing) {
        return false;
    }
    switch (key) {
        case PagingKey::kPageUp:
        case PagingKey::kUp:
            if (state.currentPage >= 2) {
                --state.currentPage;
                return true;
            }
            return false;
        case PagingKey::kPageDown:
        case PagingKey::kDown:
            if (state.currentPage < CountReportPages(document)) {
                ++state.currentPage;
                return true;
            }
            return false;
        case PagingKey::kOther:
            return false;
    }
    return false;
}

bool PagingEnabled(const SoundingDocument& document) { return CountReportPages(document) > 1; }

}  // namespace ravelog
