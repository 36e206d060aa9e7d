// Field-level text helpers: IsNumericStart and the CSV field splitter shared by all readers.
#include "common/text_fields.h"

#include "common/messages.h"

namespace rave {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

int IsNumericStart(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (i == text.size()) {
        return -1;
    }
    const char c = text[i];
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' ? 1 : 0;
}

void SplitCsvFields(std::string_view line, std::string* fields, int count, MessageSink* messages) {
    if (line.size() > kMaxCsvLineLength) {
        line = line.substr(0, kMaxCsvLineLength);
        if (messages != nullptr) {
            messages->Show(Message{0, "too many csv", {}});
        }
    }
    for (int i = 0; i < count; ++i) {
        fields[i].clear();
    }
    // Every run of bytes between two separators or quotes is appended at once.
    int index = 0;
    bool inQuotes = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            fields[index].append(line.data() + start, i - start);
            start = i + 1;
            inQuotes = !inQuotes;
        } else if (c == ',' && !inQuotes) {
            fields[index].append(line.data() + start, i - start);
            start = i + 1;
            if (++index >= count) {
                return;
            }
        }
    }
    fields[index].append(line.data() + start, line.size() - start);
}

std::string CsvField(std::string_view line, int n, MessageSink* messages) {
    if (n < 1) {
        return {};
    }
    std::string result;
    if (line.size() > kMaxCsvLineLength) {
        line = line.substr(0, kMaxCsvLineLength);
        if (messages != nullptr) {
            messages->Show(Message{0, "too many csv", {}});
        }
    }
    int index = 1;
    bool inQuotes = false;
    for (char c : line) {
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ',' && !inQuotes) {
            if (++index > n) {
                break;
            }
        } else if (index == n) {
            result.push_back(c);
        }
    }
    return result;
}

std::string QuoteCsvFieldIfNeeded(std::string_view field) {
    if (field.find(',') == std::string_view::npos) {
        return std::string(field);
    }
    // Quotes inside the field cannot be escaped in this format (every quote toggles), so they
    // are dropped; the reader would drop them anyway.
    std::string quoted = "\"";
    for (char c : field) {
        if (c != '"') {
            quoted.push_back(c);
        }
    }
    quoted.push_back('"');
    return quoted;
}

}  // namespace rave
