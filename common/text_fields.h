// Field-level text helpers shared by both programs: deciding whether a text starts a number and
// splitting the comma-separated lines of the data files.
#pragma once

#include <string>
#include <string_view>

namespace rave {

class MessageSink;

// Removes leading and trailing blanks (spaces and tabs).
std::string_view TrimBlanks(std::string_view text);

// -1 when the text is empty after trimming blanks; 1 when its first character is one of
// "1234567890.+-"; 0 otherwise. A measured row exists when its depth passes this test.
// Inline: it runs for every row whenever the rows are counted.
inline int IsNumericStart(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    if (i == text.size()) {
        return -1;
    }
    const char c = text[i];
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' ? 1 : 0;
}

// The longest line CsvField looks at; anything beyond is cut off with a notice.
inline constexpr std::size_t kMaxCsvLineLength = 2600;

// The n-th field (from 1) of a comma-separated line. Characters are copied up to the next comma
// outside double quotes; each double quote toggles the in-quotes state and is dropped; a missing
// field is empty. A line over 2600 characters is cut to 2600 and "too many csv" is shown through
// `messages` when one is given.
std::string CsvField(std::string_view line, int n, MessageSink* messages = nullptr);

// All fields of a line at once, `count` of them (missing ones empty), with the same rules as
// CsvField. Readers use this to avoid rescanning the line per field.
void SplitCsvFields(std::string_view line, std::string* fields, int count, MessageSink* messages = nullptr);
// The same over the whole line however long it is, for files of other programs, whose lines have
// no length of ours.
void SplitCsvFieldsOfWholeLine(std::string_view line, std::string* fields, int count);

// Encloses a text field in double quotes when it holds a comma, so CsvField reads it back whole.
// Texts without a comma are returned unchanged, which keeps ordinary files byte-identical.
std::string QuoteCsvFieldIfNeeded(std::string_view field);

}  // namespace rave
