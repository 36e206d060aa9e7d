// The master files of the install folder: the lists the user picks from while typing a sounding.
// "M.mst" holds tester names, "K.mst" short remark texts, one entry per line; "Dc.mst" is the
// soil-name pick list of the measured-row editor ("number,soil name,pattern number,").
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rave {

class MessageSink;

inline constexpr int kMasterRows = 80;
// The longest master line the reader looks at, line end included.
inline constexpr std::size_t kMasterLineLimit = 80;
// The longest line of an old-version master.
inline constexpr std::size_t kOldMasterLineLimit = 100;

// The entries of a master file in file order: empty lines left out, at most `limit` (80, the
// rows of the editor and the pick lists). Nothing when the file cannot be opened.
std::optional<std::vector<std::string>> LoadMasterList(const std::filesystem::path& path,
                                                       std::size_t limit = kMasterRows);

// The duplicate lines SaveMasterList reports: for each non-empty row i equal to an earlier
// non-empty row j, "%2d行目と%2d行目 [%s]　" and a line end (rows numbered from 1); the first six
// duplicates only, and no more once the text has reached 300 bytes. `count` receives the number of
// duplicates found (all of them).
std::string MasterDuplicateLines(const std::vector<std::string>& rows, int* count = nullptr);

// Writes the non-empty rows, one per line, creating the file anew. Duplicates are saved all the
// same and then reported under "同じデータがあります". A file that cannot be written shows
// "マスタファイルは\n保存できませんでした" and returns false (the previous file stays).
bool SaveMasterList(const std::filesystem::path& path, const std::vector<std::string>& rows,
                    MessageSink& messages);

// The install folder of the previous major version: the folder path with "k5" replaced by "k4";
// for a path without "k5" whose last name ends in "5" ("Sver5"), that "5" becomes "4". Nothing
// when neither applies, so a master is never merged with itself.
std::optional<std::filesystem::path> OldVersionFolder(const std::filesystem::path& installFolder);

// Merges the entries of an old-version master into `rows` (an 80-row list). Each line's first
// field is an entry; lines of one byte or less, empty entries and "**" are skipped. An entry equal
// to no row is inserted at its line number minus one, or after the last filled row when that is
// further down; nothing is inserted once the list has no empty row left, so no entry is pushed
// out. Shows how many were added. The count added, or -1 when the file cannot be opened (then
// nothing is shown and nothing changes).
int ImportOldVersionMaster(std::vector<std::string>& rows, const std::filesystem::path& oldMaster,
                           MessageSink& messages);

// One entry of "Dc.mst": field 2 the soil name (first 32 bytes), field 3 the pattern number
// (first 8 bytes).
struct SoilPickEntry {
    std::string name;
    std::string pattern;
};
inline constexpr std::size_t kSoilPickLineLimit = 100;
// The entries with a name, in file order. Nothing when the file cannot be opened.
std::optional<std::vector<SoilPickEntry>> LoadSoilPickList(const std::filesystem::path& path);
std::vector<SoilPickEntry> ParseSoilPickList(std::string_view bytes);

}  // namespace rave
