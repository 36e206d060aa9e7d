// The title dialog's rows, edit boxes and their rules.
#include "ravesect/editing/title_list.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/field_validation.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "ravesect/editing/editing_messages.h"

namespace ravesect {

namespace {

constexpr double kSamePosition = 0.000001;
constexpr int kMaxRepeatLines = 6;
constexpr std::size_t kMaxWarningBytes = 299;

bool IsPlaced(const TitleText& title) {
    return !title.text.empty() && IsDefinedCoordinate(title.x) && IsDefinedCoordinate(title.y);
}

// A position box: a number (digits present) that is at least -9999.
bool IsPositionText(std::string_view text) {
    text = rave::TrimBlanks(text);
    bool digits = false;
    for (const char c : text) {
        digits = digits || (c >= '0' && c <= '9');
    }
    return digits && rave::HasLeadingNumber(text) && rave::ParseDecimal(text) >= -9999.0;
}

// The widest positions a title can be given: -9999999.99 in both directions.
constexpr double kWidestPosition = -9999999.99;

}  // namespace

std::size_t TitleTextLimit(const std::string& text, const std::string& font) {
    TitleText widest;
    widest.x = kWidestPosition;
    widest.y = kWidestPosition;
    widest.text = text;
    widest.font = font;
    // What the line needs besides the text (quotes included), and its CR LF.
    const std::size_t line = FormatTitleLine(widest).size() + 2;
    const std::size_t rest = line - std::min(line, text.size());
    return kSectionLineLimit > rest ? kSectionLineLimit - rest : 0;
}

bool TitleListModel::TextFits() const {
    const std::size_t limit = TitleTextLimit(text, std::string(rave::TrimBlanks(font)));
    if (text.size() <= limit) {
        return true;
    }
    messages_.Show(TitleTooLongMessage(limit));
    return false;
}

TitleListModel::TitleListModel(EditSession& session, rave::MessageSink& messages)
    : session_(session), messages_(messages) {
    font = "1";
}

void TitleListModel::Load() {
    deletionConfirmed_ = false;
}

void TitleListModel::SelectRow(int row) {
    const TitleText& title = Row(row);
    number = std::to_string(row);
    text = title.text;
    font = title.font;
    x = IsDefinedCoordinate(title.x) ? rave::FormatText("%.2f", title.x) : std::string();
    y = IsDefinedCoordinate(title.y) ? rave::FormatText("%.2f", title.y) : std::string();
}

int TitleListModel::NextEntry() const {
    for (int n = kTitleEntries; n >= 1; --n) {
        if (!Row(n).IsFree()) {
            return n + 1;
        }
    }
    return 1;
}

bool TitleListModel::RowNumber(int& row) const {
    const std::optional<long> n = rave::ParseWholeNumberField(number);
    if (!n || *n < 1 || *n > kTitleEntries) {
        return false;
    }
    row = static_cast<int>(*n);
    return true;
}

bool TitleListModel::Add() {
    if (text.empty()) {
        messages_.Show(NoDataMessage());
        return false;
    }
    if (!rave::CheckStorableText(text, messages_)) {
        return false;
    }
    if (font != "2") {
        font = "1";
    }
    if (!TextFits()) {
        return false;
    }
    const int entry = NextEntry();
    if (entry > kTitleEntries) {
        messages_.Show(NoMoreDataMessage());
        return false;
    }
    number = std::to_string(entry);
    session_.BeginTitlePlacement(entry, text, font);
    return true;
}

bool TitleListModel::BeginMove() {
    int row = 0;
    if (!rave::TrimBlanks(number).empty() && !RowNumber(row)) {
        messages_.Show(UnsuitableNumberMessage());
        return false;
    }
    session_.SetMode(edit_mode::kMoveTitle);
    return true;
}

bool TitleListModel::Overwrite() {
    int row = 0;
    if (!RowNumber(row)) {
        messages_.Show(UnsuitableNumberMessage());
        return false;
    }
    if (!IsPositionText(x) || !IsPositionText(y)) {
        messages_.Show(BadTitlePositionMessage());
        return false;
    }
    if (rave::ParseInteger(font) < 1) {
        messages_.Show(BadTitleFontMessage());
        return false;
    }
    if (!rave::CheckStorableText(text, messages_) || !TextFits()) {
        return false;
    }
    TitleText& title = session_.Document().Title(row);
    title.text = text;
    title.font = std::string(rave::TrimBlanks(font));
    title.x = rave::ParseDecimal(x);
    title.y = rave::ParseDecimal(y);
    session_.SetMode(session_.Mode());  // repaint
    return true;
}

bool TitleListModel::DeleteRow(int row) {
    if (row < 1 || row > kTitleEntries) {
        messages_.Show(UnsuitableNumberMessage());
        return false;
    }
    TitleText& title = session_.Document().Title(row);
    if (!deletionConfirmed_) {
        if (!messages_.AskYesNo(DeleteTitleQuestion(row, title.text))) {
            return false;
        }
        deletionConfirmed_ = true;
    }
    title = TitleText{};
    session_.SetMode(edit_mode::kTitleDeleted);
    return true;
}

int TitleListModel::MoveRowUp(int row) {
    if (row <= 1 || row > kTitleEntries) {
        return row;
    }
    std::swap(session_.Document().Title(row), session_.Document().Title(row - 1));
    session_.SetMode(session_.Mode());
    return row - 1;
}

int TitleListModel::MoveRowDown(int row) {
    if (row < 1 || row >= kTitleEntries) {
        return row;
    }
    std::swap(session_.Document().Title(row), session_.Document().Title(row + 1));
    session_.SetMode(session_.Mode());
    return row + 1;
}

std::string TitleListModel::RepeatedTitlesWarning() const {
    std::string warning;
    int lines = 0;
    for (int row = 2; row <= kTitleEntries; ++row) {
        const TitleText& title = Row(row);
        if (!IsPlaced(title)) {
            continue;
        }
        for (int earlier = 1; earlier < row; ++earlier) {
            const TitleText& other = Row(earlier);
            if (!IsPlaced(other) || other.text != title.text) {
                continue;
            }
            if (std::fabs(other.x - title.x) >= kSamePosition &&
                std::fabs(other.y - title.y) >= kSamePosition) {
                continue;
            }
            if (warning.empty()) {
                warning = "同じデータがあります\r\n";
            }
            if (lines < kMaxRepeatLines && warning.size() <= kMaxWarningBytes) {
                warning += rave::FormatText("%2d行目と%2d行目 [%s]　%s", earlier, row, title.text, "\r\n");
                ++lines;
            }
        }
    }
    return warning;
}

bool TitleListModel::Commit(const WorkingFiles& files) {
    const std::string warning = RepeatedTitlesWarning();
    if (!warning.empty()) {
        messages_.Show(rave::Message{0, warning, {}});
    }
    return WriteTitlesFile(files, session_.Document(), messages_);
}

void TitleListModel::Revert(const WorkingFiles& files) {
    ReadTitlesFile(files, session_.Document());
    Load();
}

}  // namespace ravesect
