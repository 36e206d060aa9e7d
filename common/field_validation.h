// Checks of typed dialog fields that every editor shares: whole numbers, whole numbers within a
// range (with the usual "enter an integer from .. to .." message) and texts the data files can
// hold. Each check shows its message through the sink and returns false when the field fails.
#pragma once

#include <optional>
#include <string_view>

#include "common/messages.h"

namespace rave {

// A field holding a whole number: optional blanks, an optional sign, digits, optional blanks.
// Anything else (empty text, "12.5", "12a") gives no value.
std::optional<long> ParseWholeNumberField(std::string_view text);

// "<low> から <high> までの整数を入力してください。" (id 0).
Message IntegerRangeMessage(long low, long high);
// "整数を入力してください。" (id 0).
Message IntegerMessage();

// True when the field is a whole number within low..high; otherwise shows IntegerRangeMessage.
bool CheckIntegerInRange(std::string_view text, long low, long high, MessageSink& messages);
// True when the field is a whole number; otherwise shows IntegerMessage.
bool CheckInteger(std::string_view text, MessageSink& messages);

// True when a typed text can be stored as one value of a data or settings file: it holds no line
// break and no "$$", which the readers would take for a section marker.
bool IsStorableText(std::string_view text);
// Shows "改行や「$$」を含む文字は入力できません" (id 0) when the text is not storable.
bool CheckStorableText(std::string_view text, MessageSink& messages);

}  // namespace rave
