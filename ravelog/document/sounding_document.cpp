// Row counting, derived values and clearing of the sounding document.
#include "ravelog/document/sounding_document.h"

#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"

namespace ravelog {

SoundingDocument::SoundingDocument() : rows_(kMaxRows + 1), conversions_(kConversionEntries + 1) {}

int SoundingDocument::CountRows(int f) const {
    int count = 0;
    while (count < kMaxRows && rave::IsNumericStart(Row(count + 1)[f]) > 0) {
        ++count;
    }
    return count;
}

int SoundingDocument::LastUsedRow() const {
    for (int i = kMaxRows; i >= 1; --i) {
        const MeasuredRow& row = Row(i);
        for (int f = field::kLoad; f <= field::kAttribute; ++f) {
            if (!row[f].empty()) {
                return i;
            }
        }
    }
    return 0;
}

void SoundingDocument::RecomputeRowDerived(int i) {
    MeasuredRow& row = Row(i);
    const double halfTurns = rave::ParseDecimal(row[field::kHalfTurns]);
    const double depth = rave::ParseDecimal(row[field::kDepth]);
    const double previous = i == 1 ? 0.0 : rave::ParseDecimal(Row(i - 1)[field::kDepth]);
    const double length = depth - previous;
    row[field::kLength] = rave::FormatText("%.4f", length);
    if (length > 0.0001 && rave::IsNumericStart(row[field::kHalfTurns]) > 0) {
        row[field::kNsw] = rave::FormatText("%.4f", halfTurns / length);
    } else {
        row[field::kNsw].clear();
    }
}

void SoundingDocument::ClearSoundingData() {
    ClearSoundingDataExcept(0, 0, 0);
}

void SoundingDocument::ClearSoundingDataExcept(int headerSlots, int rows, int entries) {
    for (int n = 0; n <= kHeaderSlots; ++n) {
        if (n < 1 || n > headerSlots) {
            header[n].clear();
        }
    }
    for (int i = 0; i <= kMaxRows; ++i) {
        const int firstCleared = i >= 1 && i <= rows ? field::kAttribute + 1 : 1;
        for (int f = firstCleared; f < kRowFields; ++f) {
            rows_[static_cast<std::size_t>(i)].fields[static_cast<std::size_t>(f)].clear();
        }
    }
    for (int i = 0; i <= kConversionEntries; ++i) {
        const int lastCleared = i >= 1 && i <= entries ? 0 : kConversionFields;
        for (int f = 0; f <= lastCleared; ++f) {
            conversions_[static_cast<std::size_t>(i)].fields[static_cast<std::size_t>(f)].clear();
        }
    }
}

namespace {
std::unique_ptr<SoundingDocument>& CurrentSoundingHolder() {
    static std::unique_ptr<SoundingDocument> document = std::make_unique<SoundingDocument>();
    return document;
}
}  // namespace

SoundingDocument& CurrentSounding() {
    return *CurrentSoundingHolder();
}

void ResetCurrentSounding() {
    CurrentSoundingHolder() = std::make_unique<SoundingDocument>();
}

}  // namespace ravelog
