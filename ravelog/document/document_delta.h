// What one committed edit changed in a sounding document, kept as the parts it replaced: the
// header slots that differ and, for the measured rows and the conversion entries, the one stretch
// of rows in which the two versions differ (an inserted row costs one row, not the rows after it).
//
// A delta is made from the document before and after the edit and is then swapped into the
// document: that turns the document after the edit into the one before it, and the delta now holds
// the edit's own parts; the next swap gives the document after the edit again. Undo and redo are
// that one swap. The file name and the modified flag are not part of an edit.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ravelog/document/sounding_document.h"

namespace ravelog {

class DocumentDelta {
public:
    DocumentDelta() = default;
    // The edit from `before` to `after`, to be swapped into the document as it is after it.
    static DocumentDelta Between(const SoundingDocument& before, const SoundingDocument& after);

    // Exchanges the held parts with the document's.
    void SwapInto(SoundingDocument& document);

    // True when the two documents held the same header, rows and conversion entries.
    bool Empty() const;
    // The memory the delta keeps, its own size included.
    std::size_t HeldBytes() const;

    // A stretch of rows: `length` rows from `at` in the document are exchanged with `held`.
    template <typename Row>
    struct RowStretch {
        std::size_t at = 0;
        std::size_t length = 0;
        std::vector<Row> held;
    };

private:
    struct SlotText {
        int slot = 0;
        std::string text;
    };

    std::vector<SlotText> header_;
    RowStretch<MeasuredRow> rows_;
    RowStretch<ConversionRow> conversions_;
};

}  // namespace ravelog
