// Page selections of print and render runs.
#include "ravelog/report/page_range.h"

#include <charconv>
#include <optional>

#include "common/format.h"
#include "common/text_fields.h"

namespace ravelog {

namespace {

std::optional<int> PageNumber(std::string_view text) {
    text = rave::TrimBlanks(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

PageSelection SelectPages(std::string_view text, int pageCount) {
    PageSelection selection;
    int first = 1;
    int last = pageCount;
    if (rave::TrimBlanks(text) != "all") {
        const std::size_t dash = text.find('-');
        const std::optional<int> from = PageNumber(text.substr(0, dash));
        const std::optional<int> to =
            dash == std::string_view::npos ? from : PageNumber(text.substr(dash + 1));
        if (!from || !to || *from > *to) {
            selection.error = "pages must be all, N or A-B with 1 <= A <= B";
            return selection;
        }
        first = *from;
        last = *to;
    }
    if (last > pageCount) {
        selection.error =
            rave::FormatText("page %d does not exist: the sheet has %d page(s)", last, pageCount);
        return selection;
    }
    for (int page = first; page <= last; ++page) {
        selection.pages.push_back(page);
    }
    return selection;
}

}  // namespace ravelog
