// The texts of the editing messages (cp932 literals of the core).
#include "ravesect/editing/editing_messages.h"

#include <string>

#include "common/cp932.h"
#include "common/format.h"

namespace ravesect {

rave::Message DeletePointQuestion() {
    return {editing_message::kDeleteQuestion, "削除します", {}};
}

rave::Message NoLayerWithNumberMessage() {
    return {editing_message::kNoRowWithNumber, "上書きできません、同じ %1 がありません.", "No."};
}

rave::Message NoMoreDataMessage() {
    return {editing_message::kNoMoreData, "これ以上データを扱えません", {}};
}

rave::Message NoDataMessage() {
    return {editing_message::kNoData, "データがありません", {}};
}

rave::Message UnsuitableNumberMessage() {
    return {editing_message::kUnsuitableNumber, "データＮｏ．が不適当です", {}};
}

rave::Message DeleteLayerQuestion(int row, std::string_view number, std::string_view points) {
    // The point list is cut at 40 bytes without splitting a double-byte character.
    const std::string start(rave::Cp932Prefix(points, 40));
    return {0, rave::FormatText("(%d)No.%s %s … 削除します ", row, std::string(number), start), {}};
}

rave::Message DeleteTitleQuestion(int row, std::string_view text) {
    const std::string start(rave::Cp932Prefix(text, 80));
    return {0, rave::FormatText("(%d) %s 削除します", row, start), {}};
}

rave::Message BadPointListMessage() {
    return {0, "構成点No.は 1 から 200 までの点番号をカンマで区切って入力してください。", {}};
}

rave::Message BadColourMessage() {
    return {0, "RGB には色の値（例 0x0000ff）を入力してください。", {}};
}

rave::Message BadTitlePositionMessage() {
    return {0, "X と Y には -9999 以上の数値を入力してください。", {}};
}

rave::Message BadTitleFontMessage() {
    return {0, "フォント番号は 1 以上の数字を入力してください。", {}};
}

rave::Message TitleTooLongMessage(std::size_t maxBytes) {
    return {0,
            rave::FormatText("標題記事が長すぎます。\n半角 %zu 文字（全角 %zu 文字）以内にしてください。",
                             maxBytes, maxBytes / 2),
            {}};
}

}  // namespace ravesect
