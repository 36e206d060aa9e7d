// The pick lists of the two data-entry editors, as plain cp932 texts: the tester names of the
// header editor, the soil names with their pattern numbers and the remark texts of the
// measured-row editor. The editors take these as data, so they never read files themselves;
// the loaders below fill them from the install folder.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/installed_soil_tables.h"
#include "common/messages.h"
#include "common/soil_name_table.h"

namespace ravelog {

// One entry of a soil-name pick list: the name and the pattern number that picking it puts into
// the entry area.
struct SoilPick {
    std::string name;
    std::string pattern;
};
using SoilPickList = std::vector<SoilPick>;

struct RowEditorPickLists {
    // With the JACIC table active: the four lists of the JACIC table, then the often-used
    // compound names of "Dc.mst" when that file exists, in the order the dialog shows them.
    std::vector<SoilPickList> jacicLists;
    // With the simple table active: its one list, from the simple soil-name table.
    SoilPickList simpleList;
    // The remark texts of the "記事" drop-down.
    std::vector<std::string> remarks;
};

// Limits of the pick-list texts, in bytes (a double-byte character is never split).
inline constexpr std::size_t kSoilPickNameBytes = 32;
inline constexpr std::size_t kSoilPickPatternBytes = 8;
inline constexpr std::size_t kRemarkTextBytes = 59;
inline constexpr std::size_t kTechnicianNameBytes = 123;

// A pick entry with the name and pattern number cut to their limits.
SoilPick MakeSoilPick(std::string_view name, std::string_view pattern);

// Files of the install folder the lists come from.
inline constexpr const char* kTechnicianMasterFile = "M.mst";
inline constexpr const char* kRemarkMasterFile = "K.mst";
// Often-used compound soil names with their JACIC codes ("礫混り砂,450.1"): a ready-made pick
// list beside the JACIC table's own lists.
inline constexpr const char* kSoilPickMasterFile = "Dc.mst";
inline constexpr const char* kJacicSoilMasterFile = "WdtvxJG.mst";
inline constexpr const char* kSimpleSoilMasterFile = "WdtvxCS.mst";

// The tester list: one name per line (cut to 123 bytes), empty lines left out. A missing file
// gives an empty list without a message.
std::vector<std::string> LoadTechnicianList(const std::filesystem::path& path);

// The remark texts: the entries of the short-text master (cut to 59 bytes). A missing file
// shows "ファイルが見つかりません\n( %1 )" (32790) with its path and gives an empty list.
std::vector<std::string> LoadRemarkTexts(const std::filesystem::path& path, rave::MessageSink& messages);

// The JACIC soil-name lists, from the table loaded at start-up (bitmap numbers, the kind the
// JACIC pattern field holds): 1 the soil names of group 1, 2 the admixture phrases of group 2,
// 3 the adjectives of group 3, 4 the special markers (codes 10000 and up) of group 1. Each
// pattern is written "%ld.%d" (number, class), empty for a row without a number.
std::vector<SoilPickList> JacicSoilPickLists(const rave::SoilNameTable& jacic);

// The simple table's one list: the rows of its three groups in table order (bitmap numbers,
// the numbers its tiles are named by), each pattern written "%ld.%d".
SoilPickList SimpleSoilPickList(const rave::SoilNameTable& simple);

// Everything the measured-row editor offers, for the table that is active: the JACIC lists from
// the JACIC table (and "Dc.mst" when it exists), or the simple list from the simple table, the
// same table the simple dialog edits and the sheets draw with; the remark texts from "K.mst". A
// soil-name master or remark file that cannot be opened is named in a 32790 message and its list
// stays empty.
RowEditorPickLists LoadRowEditorPickLists(const std::filesystem::path& installFolder,
                                          const rave::InstalledSoilTables& tables, bool jacicActive,
                                          rave::MessageSink& messages);

// Id of the file-not-found message the loaders show.
inline constexpr int kPickListFileNotFound = 32790;

}  // namespace ravelog
