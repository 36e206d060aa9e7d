// The soil-name tables: which pattern a soil name is drawn with and which calculation class
// (sandy or clayey) it has.
//
// A master file ("WdtvxJG.mst" for the JACIC table) lists soil names in three groups, each opened
// by a line holding "[第": group 1 the soil names proper, group 2 the admixture phrases ending in
// "混り", group 3 the adjectives ending in "質". A line holding "[終了" ends the file. Each soil
// line is "name,mark,line-drawing number,bitmap number,"; a number such as "3300.1" carries the
// calculation class in its first decimal digit (bit 0 sandy, bit 1 clayey).
//
// The table is loaded once per number kind (line-drawing numbers, bitmap numbers), usually from
// the same file; each kind keeps its own rows and group ranges.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rave {

class MessageSink;

namespace soil_number_kind {
inline constexpr int kLineDrawing = 0;  // field 3, the patterns of the pattern library
inline constexpr int kBitmap = 1;       // field 4, the "%ld.bmp" tiles
}  // namespace soil_number_kind

// Calculation classes: bit 0 sandy, bit 1 clayey.
namespace soil_class {
inline constexpr int kNone = 0;
inline constexpr int kSandy = 1;
inline constexpr int kClayey = 2;
inline constexpr int kBoth = 3;
}  // namespace soil_class

struct SoilNameRow {
    std::string name;
    std::string mark;
    long number = -1;  // -1 when the field is empty
    int soilClass = soil_class::kNone;
};

// First and last row of a group, 1-based over the whole table; 0 when the group is empty.
struct SoilGroupRange {
    int first = 0;
    int last = 0;
};

// A number field read as the loader reads it: the integer part and the class digit.
struct SoilNumber {
    long number = -1;
    int soilClass = soil_class::kNone;
};
SoilNumber ParseSoilNumber(std::string_view field);

class SoilNameTable {
public:
    static constexpr int kMaxRows = 256;
    static constexpr int kGroups = 3;
    // The longest line the reader looks at, line end included.
    static constexpr std::size_t kLineLimit = 90;

    // Loads the rows of one number kind from the master file and returns the header number (field
    // 3 of the first group line), or 0. A file that cannot be opened shows the file-not-found
    // message and leaves that kind as it was.
    int LoadSoilNameTable(const std::filesystem::path& path, int numberKind, MessageSink& messages);
    // The same rules applied to the bytes of a file already read.
    int LoadSoilNameBytes(std::string_view bytes, int numberKind);

    // Rows of one kind in file order (index 0 is table row 1).
    const std::vector<SoilNameRow>& Rows(int numberKind) const { return Kind(numberKind).rows; }
    // Group 1..3 of one kind.
    SoilGroupRange Group(int numberKind, int group) const;
    // The rows of a group, in file order.
    std::vector<SoilNameRow> GroupRows(int numberKind, int group) const;
    int HeaderNumber(int numberKind) const { return Kind(numberKind).headerNumber; }
    bool Empty(int numberKind) const { return Kind(numberKind).rows.empty(); }

    // Builds a kind directly (tests and generated tables). `group` is 1..3; rows past the
    // capacity are dropped. False when the row was not added.
    bool AddRow(int numberKind, int group, const SoilNameRow& row);
    void Clear();

private:
    struct KindTable {
        std::vector<SoilNameRow> rows;
        std::array<SoilGroupRange, kGroups> groups{};
        int headerNumber = 0;
    };
    const KindTable& Kind(int numberKind) const;
    KindTable& Kind(int numberKind);

    std::array<KindTable, 2> kinds_;
};

// The pattern number a layer of a simple-table sounding is drawn with. The simple table decides: a
// soil name of the table takes that name's tile number. Other layers keep their stored number,
// except that a JACIC composite number (a row picked from an older JACIC-coded list: "礫混り砂"
// 450, "砂質シルト" 501) is drawn with its base soil (400, 500), since a simple column shows one
// tile per layer and has no tile for the composite.
long SimpleLayerPattern(std::string_view soilName, std::string_view storedNumber,
                        const SoilNameTable& simpleTable);

// A row's number as pick lists and the row fields carry it: "%ld.%d" (number, class digit), or an
// empty text when the row has no number.
std::string SoilRowPatternText(const SoilNameRow& row);

// Whether a master-file line is a group line ("[第") or the end line ("[終了").
bool IsSoilGroupLine(std::string_view line);
bool IsSoilEndLine(std::string_view line);

}  // namespace rave
