// The one cross-section Ravesect holds: up to 25 placed log files along the section line (plus
// the left boundary and the closing blank column), the scale and page settings, 50 free title
// texts, 200 numbered points and 20 layer outlines through those points. Everything is cp932
// text kept as read; numbers are parsed when they are used.
//
// Ownership: the document's parts live in four working files in the install folder (see
// working_files.h); this object holds what was last read from them or is about to be written to
// them. The desktop program reaches its document through CurrentSection(); everything else takes
// the document as a parameter, so tests and the command line build their own.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ravesect {

inline constexpr int kColumnSlots = 27;  // slots 0..26
inline constexpr int kUserColumns = 25;  // slots 1..25 come from the placement list
inline constexpr int kClosingSlot = 26;  // the closing blank column may stand here
inline constexpr int kColumnFields = 20;
inline constexpr std::size_t kRulerTitleChars = 20;
inline constexpr int kTitleEntries = 50;
inline constexpr int kPoints = 200;
inline constexpr int kLayers = 20;
inline constexpr int kLayerPointLimit = 100;

// Undefined world coordinates; a coordinate counts as defined when it is at least -9999.
inline constexpr double kUndefinedCoordinate = -9999.9;
constexpr bool IsDefinedCoordinate(double value) {
    return value >= -9999.0;
}
// The elevations a section holds, m. A point's y is minus its elevation, so a point higher than
// 9999 m would read back as undefined; the same bound below keeps the ruler and page values
// within what the settings line holds.
inline constexpr double kLowestElevation = -9999.0;
inline constexpr double kHighestElevation = 9999.0;
constexpr bool IsStorableElevation(double metres) {
    return metres >= kLowestElevation && metres <= kHighestElevation;
}

// Fields of a placed column (1..20).
namespace colfield {
inline constexpr int kDistance = 1;
inline constexpr int kSourcePath = 2;
inline constexpr int kLabel = 3;
inline constexpr int kWaterMark = 4;  // "%d.%.2d": position code and N value
inline constexpr int kWaterLevel = 5;
inline constexpr int kElevationKind = 6;
inline constexpr int kElevation = 7;
inline constexpr int kDepth = 8;
inline constexpr int kFrameOrder = 9;
inline constexpr int kFlagPosition = 10;
inline constexpr int kFlagFlip = 11;
inline constexpr int kGraphMirror = 12;
inline constexpr int kVersion = 13;  // "%d  _%d": source kind and flag bits
inline constexpr int kUValue = 14;
inline constexpr int kNdDecimals = 15;
inline constexpr int kListColumns = 15;  // fields shown in the placement list
}  // namespace colfield

struct PlacedColumn {
    std::array<std::string, kColumnFields + 1> fields;  // index 0 unused

    std::string& operator[](int f) { return fields.at(static_cast<std::size_t>(f)); }
    const std::string& operator[](int f) const { return fields.at(static_cast<std::size_t>(f)); }
    // A slot is in use when its distance is not empty.
    bool InUse() const { return !fields[colfield::kDistance].empty(); }
    bool NamesFile() const { return InUse() && !fields[colfield::kSourcePath].empty(); }
    void Clear();
    double Distance() const;
    // The source kind of field 13 (the number in front of "  _").
    int Kind() const;
};

// The 13 scale, ruler and page values of a section. A document that never had its ruler set has
// a ruler top and a top elevation of 0; the first placement then fits the ruler to its columns.
// Distance and depth per page of 0 mean "as much as the paper holds", which the view fills in
// from the printer's paper.
struct SectionSettings {
    int distanceScale = 100;  // 1/n, 20..2000
    int depthScale = 100;     // 1/n, 20..2000
    int rulerTop = 0;         // elevation, m
    int rulerBottom = -10;    // elevation, m, below the ruler top
    int rulerStep = 1;        // m, 1..100
    int leftEnd = -2;         // distance of the left end, m
    int distancePerPage = 0;  // m, > 0 when set
    int pageOverlapDistance = 0;
    double topElevation = 0.0;  // elevation of the page top, m
    int depthPerPage = 0;       // m, > 0 when set
    int pageOverlapDepth = 0;
    std::string rulerTitle;  // at most kRulerTitleChars characters
    int convertedNPlot = 0;  // 0/1
};

struct TitleText {
    double x = kUndefinedCoordinate;  // distance x 10
    double y = kUndefinedCoordinate;  // minus the elevation
    std::string text;
    std::string font;  // "1" or "2"
    bool IsFree() const { return !IsDefinedCoordinate(x) && !IsDefinedCoordinate(y) && text.empty(); }
};

struct SectionPoint {
    double x = kUndefinedCoordinate;
    double y = kUndefinedCoordinate;
    bool IsDefined() const { return IsDefinedCoordinate(x) && IsDefinedCoordinate(y); }
};

struct LayerOutline {
    std::string number;    // integer > 0 for a layer in use
    std::string colour;    // "0x%06x", COLORREF
    std::string hatch;     // hatch style index; empty: outline only
    std::string lineMode;  // "1": outline as a line only; else filled
    std::string points;    // "3,7,12,": each point number followed by a comma

    void Clear();
    // True when the number is a positive integer; the layer list ends at the first that is not.
    bool InUse() const;
    long ColourValue() const;
    std::vector<int> PointNumbers() const;
    void SetPointNumbers(const std::vector<int>& numbers);
};

// One section of a normalized log: rows of a fixed number of fields, up to a row limit.
struct LogSectionShape {
    char marker;  // "$$A", "$$C", "$$c", "$$G", "$$E"
    int maxRows;
    int fields;
};
inline constexpr int kLogSectionCount = 5;
inline constexpr std::array<LogSectionShape, kLogSectionCount> kLogSections{
    {{'A', 200, 11}, {'C', 300, 6}, {'c', 150, 4}, {'G', 100, 8}, {'E', 200, 6}}};
namespace logsection {
inline constexpr int kLayers = 0;    // "$$A": 1 bottom depth, 2 soil name, 3 pattern, 7 boundary code
inline constexpr int kMeasured = 1;  // "$$C": depth, converted N, qu, Wsw, Nsw, drawing attribute
inline constexpr int kLowerC = 2;    // "$$c"
inline constexpr int kG = 3;         // "$$G"
inline constexpr int kE = 4;         // "$$E"
}  // namespace logsection
// The index of a section marker character, or -1.
int LogSectionIndex(char marker);

using LogRow = std::vector<std::string>;  // field 1 at index 0

// The data of one placed log in the normalized form every source kind is turned into.
class NormalizedLog {
public:
    NormalizedLog();

    // Rows of section `s` (logsection::...). A row exists while its first field is not empty.
    const std::vector<LogRow>& Rows(int s) const { return sections_.at(static_cast<std::size_t>(s)); }
    // Row `k` (from 1) of section `s`, created empty when needed; nullptr beyond the row limit.
    LogRow* RowAt(int s, int k);
    // The rows up to the first one whose first field is empty: what is written and drawn.
    int RowCount(int s) const;
    void Clear();
    bool Empty() const;
    // Empties one section.
    void ClearSection(int s);

private:
    std::array<std::vector<LogRow>, kLogSectionCount> sections_;
};

class SectionDocument {
public:
    // Column slots 0..26, titles 1..50, points 1..200, layers 1..20.
    PlacedColumn& Column(int slot) { return columns_.at(static_cast<std::size_t>(slot)); }
    const PlacedColumn& Column(int slot) const { return columns_.at(static_cast<std::size_t>(slot)); }
    NormalizedLog& Log(int slot) { return logs_.at(static_cast<std::size_t>(slot)); }
    const NormalizedLog& Log(int slot) const { return logs_.at(static_cast<std::size_t>(slot)); }
    TitleText& Title(int n) { return titles_.at(static_cast<std::size_t>(n)); }
    const TitleText& Title(int n) const { return titles_.at(static_cast<std::size_t>(n)); }
    SectionPoint& Point(int n) { return points_.at(static_cast<std::size_t>(n)); }
    const SectionPoint& Point(int n) const { return points_.at(static_cast<std::size_t>(n)); }
    LayerOutline& Layer(int n) { return layers_.at(static_cast<std::size_t>(n)); }
    const LayerOutline& Layer(int n) const { return layers_.at(static_cast<std::size_t>(n)); }

    SectionSettings settings;

    // Highest slot in use (slot 0 counts when its distance is set); -1 when none is.
    int LastUsedSlot() const;
    // Layers 1..n in use before the first entry whose number is not a positive integer.
    int LayerCount() const;

    // Empties fields 1..20 of slots 1..25 and the five fields of the 20 layers.
    void ClearSectionTables();
    // Every column slot and normalized log emptied (before the column working file is read).
    void ClearColumns();
    void ResetTitles();
    void ResetPointsAndLayers();

    // The file the document was opened from or saved to; a new document has an untitled name.
    std::string pathName;
    // Set by committed edits so closing, New and Open can ask before discarding them.
    bool modified = false;

private:
    std::array<PlacedColumn, kColumnSlots> columns_;
    std::array<NormalizedLog, kColumnSlots> logs_;
    std::array<TitleText, kTitleEntries + 1> titles_;
    std::array<SectionPoint, kPoints + 1> points_;
    std::array<LayerOutline, kLayers + 1> layers_;
};

// The desktop program's one document. ResetCurrentSection gives a fresh, empty one.
SectionDocument& CurrentSection();
void ResetCurrentSection();

}  // namespace ravesect
