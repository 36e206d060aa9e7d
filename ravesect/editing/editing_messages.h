// The messages and questions of point, layer and title editing, by their string numbers. The
// texts live in editing_messages.cpp (core headers hold no Japanese literals).
#pragma once

#include <cstddef>
#include <string_view>

#include "common/messages.h"

namespace ravesect {

namespace editing_message {
inline constexpr int kDeleteQuestion = 140;     // "削除します"
inline constexpr int kNoRowWithNumber = 907;    // "上書きできません、同じ %1 がありません."
inline constexpr int kNoMoreData = 4001;        // "これ以上データを扱えません"
inline constexpr int kNoData = 4008;            // "データがありません"
inline constexpr int kUnsuitableNumber = 4012;  // "データＮｏ．が不適当です"
}  // namespace editing_message

rave::Message DeletePointQuestion();
// String 907 with %1 = "No.".
rave::Message NoLayerWithNumberMessage();
rave::Message NoMoreDataMessage();
rave::Message NoDataMessage();
rave::Message UnsuitableNumberMessage();
// "(%d)No.%s %.40s … 削除します " with the row, the layer number and the start of its point list.
rave::Message DeleteLayerQuestion(int row, std::string_view number, std::string_view points);
// "(%d) %.80s 削除します" with the row and the start of the title text.
rave::Message DeleteTitleQuestion(int row, std::string_view text);
// The layer's point list is not a list of point numbers 1..200 separated by commas.
rave::Message BadPointListMessage();
// The colour box does not hold a colour value.
rave::Message BadColourMessage();
// A title's X or Y box holds no number, or one below -9999.
rave::Message BadTitlePositionMessage();
// A title's font number is below 1.
rave::Message BadTitleFontMessage();
// The title text would make its line longer than the section file can read back; `maxBytes` is
// the longest text that fits.
rave::Message TitleTooLongMessage(std::size_t maxBytes);

}  // namespace ravesect
