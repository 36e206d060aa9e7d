#include "common/master_files.h"

#include <algorithm>

#include "common/cp932.h"
#include "common/format.h"
#include "common/messages.h"
#include "common/path_text.h"
#include "common/text_fields.h"
#include "common/text_file.h"

namespace rave {

namespace {

constexpr int kReportedDuplicates = 6;
constexpr std::size_t kDuplicateTextLimit = 300;
constexpr std::size_t kPickNameBytes = 32;
constexpr std::size_t kPickPatternBytes = 8;

int LastFilledRow(const std::vector<std::string>& rows) {
    for (int i = static_cast<int>(rows.size()) - 1; i >= 0; --i) {
        if (!rows[static_cast<std::size_t>(i)].empty()) {
            return i;
        }
    }
    return -1;
}

}  // namespace

std::optional<std::vector<std::string>> LoadMasterList(const std::filesystem::path& path, std::size_t limit) {
    const auto lines = ReadTextLines(path, kMasterLineLimit);
    if (!lines) {
        return std::nullopt;
    }
    std::vector<std::string> entries;
    for (const std::string& line : *lines) {
        if (entries.size() >= limit) {
            break;
        }
        if (!line.empty()) {
            entries.push_back(line);
        }
    }
    return entries;
}

std::string MasterDuplicateLines(const std::vector<std::string>& rows, int* count) {
    std::string text;
    int duplicates = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].empty()) {
            continue;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (rows[j].empty() || rows[j] != rows[i]) {
                continue;
            }
            ++duplicates;
            if (duplicates <= kReportedDuplicates && text.size() < kDuplicateTextLimit) {
                text += FormatText("%2d行目と%2d行目 [%s]　%s", static_cast<int>(i + 1),
                                   static_cast<int>(j + 1), rows[i], "\n");
            }
        }
    }
    if (count) {
        *count = duplicates;
    }
    return text;
}

bool SaveMasterList(const std::filesystem::path& path, const std::vector<std::string>& rows,
                    MessageSink& messages) {
    std::vector<std::string> lines;
    for (const std::string& row : rows) {
        if (!row.empty()) {
            lines.push_back(row);
        }
    }
    if (!WriteFileAtomically(path, JoinCrLf(lines))) {
        messages.Show(Message{0, "マスタファイルは\n保存できませんでした", ""});
        return false;
    }
    int duplicates = 0;
    const std::string report = MasterDuplicateLines(rows, &duplicates);
    if (duplicates > 0) {
        // The collected lines go in as the argument, so a "%1" typed in an entry stays as it is.
        messages.Show(Message{0, "同じデータがあります\n%1", report});
    }
    return true;
}

std::optional<std::filesystem::path> OldVersionFolder(const std::filesystem::path& installFolder) {
    std::string text = installFolder.string();
    if (const std::size_t at = text.find("k5"); at != std::string::npos) {
        text.replace(at, 2, "k4");
        return PathFromUtf8(text);
    }
    std::filesystem::path folder = installFolder;
    if (!folder.has_filename()) {
        folder = folder.parent_path();
    }
    std::string name = folder.filename().string();
    if (!name.empty() && name.back() == '5') {
        name.back() = '4';
        return folder.parent_path() / PathFromUtf8(name);
    }
    return std::nullopt;
}

int ImportOldVersionMaster(std::vector<std::string>& rows, const std::filesystem::path& oldMaster,
                           MessageSink& messages) {
    const auto bytes = ReadFileBytes(oldMaster);
    if (!bytes) {
        return -1;
    }
    if (rows.size() < static_cast<std::size_t>(kMasterRows)) {
        rows.resize(kMasterRows);
    }
    int added = 0;
    int lineNumber = 0;
    LineCursor cursor(*bytes, kOldMasterLineLimit);
    std::string_view raw;
    while (cursor.Next(raw)) {
        ++lineNumber;
        if (raw.size() <= 1) {
            continue;
        }
        const std::string entry = CsvField(StripLineEnd(raw), 1);
        if (entry.empty() || entry == "**" || std::find(rows.begin(), rows.end(), entry) != rows.end()) {
            continue;
        }
        if (rows.back().empty() == false) {
            // The list is full: inserting would push its last entry out.
            continue;
        }
        const int at = std::min(lineNumber - 1, LastFilledRow(rows) + 1);
        rows.insert(rows.begin() + at, entry);
        rows.pop_back();
        ++added;
    }
    if (added == 0) {
        messages.Show(Message{0, "旧バージョンからの追加データはありませんでした.　", ""});
    } else {
        messages.Show(Message{0, "旧バージョンからの追加データ数=[ %1 ]　", FormatText("%d", added)});
    }
    return added;
}

std::vector<SoilPickEntry> ParseSoilPickList(std::string_view bytes) {
    std::vector<SoilPickEntry> entries;
    LineCursor cursor(bytes, kSoilPickLineLimit);
    std::string_view raw;
    while (cursor.Next(raw)) {
        std::string fields[3];
        SplitCsvFields(StripLineEnd(raw), fields, 3);
        if (fields[1].empty()) {
            continue;
        }
        entries.push_back(SoilPickEntry{std::string(Cp932Prefix(fields[1], kPickNameBytes)),
                                        std::string(Cp932Prefix(fields[2], kPickPatternBytes))});
    }
    return entries;
}

std::optional<std::vector<SoilPickEntry>> LoadSoilPickList(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return ParseSoilPickList(*bytes);
}

}  // namespace rave
