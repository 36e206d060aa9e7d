// Field checks shared by the editors.
#include "common/field_validation.h"

#include <limits>

#include "common/format.h"
#include "common/text_fields.h"

namespace rave {

std::optional<long> ParseWholeNumberField(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    long value = 0;
    constexpr long kMax = std::numeric_limits<long>::max();
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const int digit = c - '0';
        if (value > (kMax - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

Message IntegerRangeMessage(long low, long high) {
    return Message{0, FormatText("%ld から %ld までの整数を入力してください。", low, high), {}};
}

Message IntegerMessage() {
    return Message{0, "整数を入力してください。", {}};
}

bool CheckIntegerInRange(std::string_view text, long low, long high, MessageSink& messages) {
    const std::optional<long> value = ParseWholeNumberField(text);
    if (value && *value >= low && *value <= high) {
        return true;
    }
    messages.Show(IntegerRangeMessage(low, high));
    return false;
}

bool CheckInteger(std::string_view text, MessageSink& messages) {
    if (ParseWholeNumberField(text)) {
        return true;
    }
    messages.Show(IntegerMessage());
    return false;
}

bool IsStorableText(std::string_view text) {
    return text.find('\r') == std::string_view::npos && text.find('\n') == std::string_view::npos &&
           text.find("$$") == std::string_view::npos;
}

bool CheckStorableText(std::string_view text, MessageSink& messages) {
    if (IsStorableText(text)) {
        return true;
    }
    messages.Show(Message{0, "改行や「$$」を含む文字は入力できません", {}});
    return false;
}

}  // namespace rave
