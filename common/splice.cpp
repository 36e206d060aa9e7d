// Text edits held as the stretch they changed.
#include "common/splice.h"

#include <functional>

namespace rave {

namespace {

std::size_t HashOf(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

}  // namespace

ByteSplice ByteSplice::Between(std::string_view before, std::string_view after) {
    const SpliceRange range = DifferingRange(
        before.size(), after.size(), [&](std::size_t i, std::size_t j) { return before[i] == after[j]; });
    ByteSplice splice;
    splice.at_ = range.at;
    splice.length_ = range.afterLength;
    splice.held_.assign(before.substr(range.at, range.beforeLength));
    splice.textSize_ = after.size();
    splice.textHash_ = HashOf(after);
    splice.otherHash_ = HashOf(before);
    return splice;
}

bool ByteSplice::SwapInto(std::string& text) {
    if (text.size() != textSize_ || HashOf(text) != textHash_) {
        return false;
    }
    std::string taken = text.substr(at_, length_);
    text.replace(at_, length_, held_);
    length_ = held_.size();
    held_ = std::move(taken);
    held_.shrink_to_fit();
    textSize_ = text.size();
    std::swap(textHash_, otherHash_);
    return true;
}

std::size_t ByteSplice::HeldBytes() const {
    return sizeof(*this) + StringHeapBytes(held_);
}

std::size_t StringHeapBytes(const std::string& text) {
    // A string keeps short texts inside itself; its capacity then is that inner buffer's.
    static const std::size_t inner = std::string().capacity();
    return text.capacity() > inner ? text.capacity() + 1 : 0;
}

std::size_t StringHeapBytes(const std::wstring& text) {
    static const std::size_t inner = std::wstring().capacity();
    return text.capacity() > inner ? (text.capacity() + 1) * sizeof(wchar_t) : 0;
}

}  // namespace rave
