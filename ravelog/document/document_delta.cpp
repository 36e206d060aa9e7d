// Deltas of the sounding document: the differing header slots and row stretches.
#include "ravelog/document/document_delta.h"

#include <algorithm>
#include <utility>

#include "common/splice.h"

namespace ravelog {

namespace {

// Rows are reached by index 0..kMaxRows (index 0 is unused by the program but kept all the same,
// so a swap gives back exactly what was there).
constexpr std::size_t kRowSlots = kMaxRows + 1;
constexpr std::size_t kConversionSlots = kConversionEntries + 1;
static_assert(kRowSlots == kConversionSlots, "rows and conversion entries share one row count");

template <typename Row>
bool IsEmpty(const Row& row) {
    return std::all_of(row.fields.begin(), row.fields.end(),
                       [](const std::string& text) { return text.empty(); });
}

// One past the last row that holds anything; rows after it are all empty.
template <typename RowAt>
std::size_t UsedLength(RowAt rowAt) {
    std::size_t length = kRowSlots;
    while (length > 0 && IsEmpty(rowAt(length - 1))) {
        --length;
    }
    return length;
}

template <typename Row, typename BeforeAt, typename AfterAt>
DocumentDelta::RowStretch<Row> StretchBetween(BeforeAt beforeAt, AfterAt afterAt) {
    // Only the used rows are compared, so rows pushed down by an insertion are found equal to
    // the rows they were.
    const rave::SpliceRange range = rave::DifferingRange(
        UsedLength(beforeAt), UsedLength(afterAt),
        [&](std::size_t i, std::size_t j) { return beforeAt(i).fields == afterAt(j).fields; });
    DocumentDelta::RowStretch<Row> stretch;
    stretch.at = range.at;
    stretch.length = range.afterLength;
    stretch.held.reserve(range.beforeLength);
    for (std::size_t i = range.at; i < range.at + range.beforeLength; ++i) {
        stretch.held.push_back(beforeAt(i));
    }
    return stretch;
}

// Puts the held rows in place of the stretch's rows and keeps those instead. The rows after the
// stretch move up or down with it; the rows that move out at the end are empty ones, since both
// versions are empty past their used rows.
template <typename Row, typename RowAt>
void SwapStretch(DocumentDelta::RowStretch<Row>& stretch, RowAt rowAt) {
    const std::size_t at = stretch.at;
    const std::size_t oldLength = stretch.length;
    const std::size_t newLength = stretch.held.size();
    if (at + std::max(oldLength, newLength) > kRowSlots) {
        return;
    }
    std::vector<Row> taken;
    taken.reserve(oldLength);
    for (std::size_t i = at; i < at + oldLength; ++i) {
        taken.push_back(std::move(rowAt(i)));
    }
    if (newLength > oldLength) {
        const std::size_t shift = newLength - oldLength;
        for (std::size_t i = kRowSlots; i-- > at + newLength;) {
            rowAt(i) = std::move(rowAt(i - shift));
        }
    } else if (newLength < oldLength) {
        const std::size_t shift = oldLength - newLength;
        for (std::size_t i = at + newLength; i + shift < kRowSlots; ++i) {
            rowAt(i) = std::move(rowAt(i + shift));
        }
        for (std::size_t i = kRowSlots - shift; i < kRowSlots; ++i) {
            rowAt(i) = Row{};
        }
    }
    for (std::size_t k = 0; k < newLength; ++k) {
        rowAt(at + k) = std::move(stretch.held[k]);
    }
    stretch.held = std::move(taken);
    stretch.length = newLength;
}

template <typename Row>
std::size_t HeldBytesOf(const DocumentDelta::RowStretch<Row>& stretch) {
    std::size_t bytes = stretch.held.capacity() * sizeof(Row);
    for (const Row& row : stretch.held) {
        for (const std::string& text : row.fields) {
            bytes += rave::StringHeapBytes(text);
        }
    }
    return bytes;
}

}  // namespace

DocumentDelta DocumentDelta::Between(const SoundingDocument& before, const SoundingDocument& after) {
    DocumentDelta delta;
    for (int slot = 0; slot <= kHeaderSlots; ++slot) {
        if (before.header[slot] != after.header[slot]) {
            delta.header_.push_back(SlotText{slot, before.header[slot]});
        }
    }
    delta.rows_ = StretchBetween<MeasuredRow>(
        [&](std::size_t i) -> const MeasuredRow& { return before.Row(static_cast<int>(i)); },
        [&](std::size_t i) -> const MeasuredRow& { return after.Row(static_cast<int>(i)); });
    delta.conversions_ = StretchBetween<ConversionRow>(
        [&](std::size_t i) -> const ConversionRow& { return before.Conversion(static_cast<int>(i)); },
        [&](std::size_t i) -> const ConversionRow& { return after.Conversion(static_cast<int>(i)); });
    return delta;
}

void DocumentDelta::SwapInto(SoundingDocument& document) {
    for (SlotText& slot : header_) {
        std::swap(document.header[slot.slot], slot.text);
    }
    SwapStretch(rows_, [&](std::size_t i) -> MeasuredRow& { return document.Row(static_cast<int>(i)); });
    SwapStretch(conversions_,
                [&](std::size_t i) -> ConversionRow& { return document.Conversion(static_cast<int>(i)); });
}

bool DocumentDelta::Empty() const {
    return header_.empty() && rows_.length == 0 && rows_.held.empty() && conversions_.length == 0 &&
           conversions_.held.empty();
}

std::size_t DocumentDelta::HeldBytes() const {
    std::size_t bytes = sizeof(*this) + header_.capacity() * sizeof(SlotText);
    for (const SlotText& slot : header_) {
        bytes += rave::StringHeapBytes(slot.text);
    }
    return bytes + HeldBytesOf(rows_) + HeldBytesOf(conversions_);
}

}  // namespace ravelog
