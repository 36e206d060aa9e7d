// The smallest stretch in which two versions of a sequence differ, and a text edit held as just
// that stretch. Undo steps keep these instead of whole copies: an edit of one line of a long file
// costs the bytes of that line.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace rave {

// Where `before` and `after` differ once their common start and common end are set aside:
// before[at, at + beforeLength) became after[at, at + afterLength). Equal sequences give two
// zero lengths.
struct SpliceRange {
    std::size_t at = 0;
    std::size_t beforeLength = 0;
    std::size_t afterLength = 0;
};

// `same(i, j)` tells whether item i of the before sequence equals item j of the after sequence.
// The common end is only sought in what the common start left, so one inserted item among
// equal neighbours is found as an insertion of one.
template <typename Same>
SpliceRange DifferingRange(std::size_t beforeSize, std::size_t afterSize, Same same) {
    const std::size_t shorter = std::min(beforeSize, afterSize);
    std::size_t start = 0;
    while (start < shorter && same(start, start)) {
        ++start;
    }
    std::size_t end = 0;
    while (end < shorter - start && same(beforeSize - 1 - end, afterSize - 1 - end)) {
        ++end;
    }
    return SpliceRange{start, beforeSize - start - end, afterSize - start - end};
}

// One edit of a text, held as the bytes it replaced. Swapping it into the text as it is after the
// edit gives the text before it, and the splice then holds the edit's own bytes; swapping again
// gives the text after it. A swap checks that the text is the one the splice expects (its length
// and a hash of it), so a splice is never put into some other text.
class ByteSplice {
public:
    ByteSplice() = default;
    // The edit from `before` to `after`, to be swapped into `after` first.
    static ByteSplice Between(std::string_view before, std::string_view after);

    // Exchanges the held bytes with the stretch of `text`. False, and `text` untouched, when
    // `text` is not the text the splice was made for (or last swapped into).
    bool SwapInto(std::string& text);

    bool Empty() const { return length_ == 0 && held_.empty(); }
    // The memory the splice keeps, its own size included.
    std::size_t HeldBytes() const;

private:
    std::size_t at_ = 0;
    std::size_t length_ = 0;  // of the stretch in the text the splice goes into next
    std::string held_;
    std::size_t textSize_ = 0;
    std::size_t textHash_ = 0;
    std::size_t otherHash_ = 0;  // of the text the swap gives
};

// The heap bytes a string keeps beyond its own size (none while it fits in the string itself).
std::size_t StringHeapBytes(const std::string& text);
// The same for a text of wide characters (a file name on Windows).
std::size_t StringHeapBytes(const std::wstring& text);

}  // namespace rave
