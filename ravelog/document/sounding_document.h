// The one sounding Ravelog holds: 100 header slots, up to 1350 measured rows and their
// conversion results, all kept as cp932 text exactly as typed or read. Numbers are parsed when
// they are used and written back with fixed formats.
//
// Ownership: the desktop program and the command line each work on one SoundingDocument. The
// desktop program reaches it through CurrentSounding(); everything else takes the document as a
// parameter, so tests build their own.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace ravelog {

inline constexpr int kHeaderSlots = 100;
inline constexpr int kMaxRows = 1350;
inline constexpr int kRowFields = 15;  // fields 0..14; 1..11 are stored in the file
inline constexpr int kConversionEntries = 1350;
inline constexpr int kConversionFields = 4;  // fields 1..4

// Header slots with a meaning used across modules.
namespace slot {
inline constexpr int kSurveyName1 = 1;
inline constexpr int kSurveyName2 = 2;
inline constexpr int kPointNumber = 5;
inline constexpr int kDepthScale = 19;
inline constexpr int kSoilTableKind = 20;  // "0" simple table, "1" JACIC table
inline constexpr int kRowsPerPageChoice = 30;
inline constexpr int kReportFormat = 31;
inline constexpr int kFinalDepth = 32;
inline constexpr int kTitleFormat1 = 92;
inline constexpr int kTitleFormat2 = 93;
}  // namespace slot

// Fields of a measured row.
namespace field {
inline constexpr int kSoilClass = 0;
inline constexpr int kLoad = 1;       // Wsw, kN
inline constexpr int kHalfTurns = 2;  // Na
inline constexpr int kDepth = 3;      // m, the key field
inline constexpr int kLength = 4;     // penetration length L, m
inline constexpr int kNsw = 5;
inline constexpr int kRemarks = 6;
inline constexpr int kSimpleSoilName = 7;
inline constexpr int kSimplePattern = 8;
inline constexpr int kJacicSoilName = 9;
inline constexpr int kJacicPattern = 10;
inline constexpr int kAttribute = 11;  // bits: 1 back-to-zero line above, 2 below, 4 underline
inline constexpr int kResolvedPattern = 12;
inline constexpr int kResolverWork = 13;
inline constexpr int kResolvedName = 14;
}  // namespace field

struct MeasuredRow {
    std::array<std::string, kRowFields> fields;
    std::string& operator[](int f) { return fields.at(static_cast<std::size_t>(f)); }
    const std::string& operator[](int f) const { return fields.at(static_cast<std::size_t>(f)); }
};

struct ConversionRow {
    std::array<std::string, kConversionFields + 1> fields;  // index 0 unused
    std::string& operator[](int f) { return fields.at(static_cast<std::size_t>(f)); }
    const std::string& operator[](int f) const { return fields.at(static_cast<std::size_t>(f)); }
};

struct SoundingHeader {
    std::array<std::string, kHeaderSlots + 1> slots;  // index 0 unused
    std::string& operator[](int n) { return slots.at(static_cast<std::size_t>(n)); }
    const std::string& operator[](int n) const { return slots.at(static_cast<std::size_t>(n)); }
};

class SoundingDocument {
public:
    SoundingDocument();

    SoundingHeader header;

    // Rows and conversion entries are numbered from 1.
    MeasuredRow& Row(int i) { return rows_.at(static_cast<std::size_t>(i)); }
    const MeasuredRow& Row(int i) const { return rows_.at(static_cast<std::size_t>(i)); }
    ConversionRow& Conversion(int i) { return conversions_.at(static_cast<std::size_t>(i)); }
    const ConversionRow& Conversion(int i) const { return conversions_.at(static_cast<std::size_t>(i)); }

    // Number of consecutive rows from row 1 whose field `f` passes IsNumericStart.
    int CountRows(int f) const;
    // The row count used everywhere: CountRows over the depth field.
    int RowCount() const { return CountRows(field::kDepth); }
    // Highest row in which any of fields 1..11 is non-empty; 0 for an empty table.
    int LastUsedRow() const;
    // Recomputes penetration length L (field 4) and Nsw (field 5) of row i.
    void RecomputeRowDerived(int i);
    // Empties all header slots, fields 1..14 of every row and every conversion entry.
    // Field 0 (the class) is left for AssignSoilClasses to rebuild.
    void ClearSoundingData();
    // The same, except header slots 1..`headerSlots`, fields 1..11 of rows 1..`rows` and fields
    // 1..4 of entries 1..`entries`: a reader that has just set those completely clears only the
    // rest, and no field is emptied only to be filled again.
    void ClearSoundingDataExcept(int headerSlots, int rows, int entries);

    // The file the document was read from or saved to (empty for a new document).
    std::string pathName;
    // Set by committed edits so closing, New and Open can ask before discarding them.
    bool modified = false;

private:
    std::vector<MeasuredRow> rows_;
    std::vector<ConversionRow> conversions_;
};

// The desktop program's one document. ResetCurrentSounding gives a fresh, empty one.
SoundingDocument& CurrentSounding();
void ResetCurrentSounding();

}  // namespace ravelog
