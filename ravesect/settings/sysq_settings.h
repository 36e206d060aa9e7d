// Ravesect's general settings file "Sysq.ndx": 71 numbered lines of cp932 text, one value per
// line, kept as text and parsed when used. Line 1 is the text "500"; the format sheet and the
// Enter-key dialog write all 71 lines back, unlisted lines empty.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "common/messages.h"

namespace ravesect {

namespace sysqline {
inline constexpr int kMagic = 1;
inline constexpr int kFlagAngle = 2;
inline constexpr int kFlagHeight = 3;
inline constexpr int kFlagLength = 4;
inline constexpr int kLabelPrefix = 5;
inline constexpr int kSeparator = 6;
inline constexpr int kMaxBlowCount = 7;
inline constexpr int kNGridMaximum = 8;
inline constexpr int kOverRangeSymbol = 9;
inline constexpr int kValueFigures = 10;
inline constexpr int kNGraphWidth = 11;
inline constexpr int kUndisturbedSample = 12;
inline constexpr int kDisturbedSample = 13;
inline constexpr int kSamplePosition = 14;
inline constexpr int kInSituPosition = 15;
inline constexpr int kInSituHatching = 16;
inline constexpr int kMonochrome = 17;
inline constexpr int kElevationLineColour = 18;
inline constexpr int kNGridColour = 19;
inline constexpr int kSwedishGridColour = 20;
inline constexpr int kFrameWidth = 22;
inline constexpr int kBoundaryWidth = 23;
inline constexpr int kRulerWidth = 24;
inline constexpr int kRulerDouble = 25;
inline constexpr int kElevationLineWidth = 26;
inline constexpr int kElevationLineSolid = 27;
inline constexpr int kElevationLineBlank = 28;
inline constexpr int kElevationLinesCrossGraphs = 29;
inline constexpr int kWaterMarkWidth = 31;
inline constexpr int kNGraphLineWidth = 32;
inline constexpr int kNGridWidth = 33;
inline constexpr int kNGridSolid = 34;
inline constexpr int kNGridBlank = 35;
inline constexpr int kDotRadius = 36;
inline constexpr int kTopMargin = 37;
inline constexpr int kLeftMargin = 38;
// The pattern settings of the pattern dialog.
inline constexpr int kSoilMasterFile = 40;
inline constexpr int kJacicBitmapFolder = 41;
inline constexpr int kSimpleBitmapFolder = 42;
inline constexpr int kPatternDrawing = 43;  // 0 lines, 1 tiles first, 2 lines first, 3 tiles
inline constexpr int kSwedishGraphWidth = 45;
inline constexpr int kSwedishGridWidth = 46;
inline constexpr int kSwedishGridSolid = 47;
inline constexpr int kSwedishGridBlank = 48;
inline constexpr int kCompanyName = 50;
inline constexpr int kTelephone = 51;
inline constexpr int kPatternMonochrome = 52;  // 0 colour, 1 monochrome patterns
inline constexpr int kPatternLineWidth = 53;   // mm, text
inline constexpr int kMixedSoilMarking = 54;
inline constexpr int kPatternLineColour = 55;
inline constexpr int kSwedishGridMaximum = 56;  // 200, 400 or 800
inline constexpr int kOverMaximumDisplay = 57;  // the drop-down text
inline constexpr int kInvalidCharacters = 58;   // 0 use the next valid value, 1 skip
inline constexpr int kEnterKey = 61;            // 0 standard, 1 next field, 2 swallowed
}  // namespace sysqline

class SysqSettings {
public:
    static constexpr int kLines = 71;

    // The values used when "Sysq.ndx" is missing; the pattern paths lie under `installFolder`.
    static SysqSettings Defaults(const std::filesystem::path& installFolder);

    // Lines 1..71.
    std::string& Line(int n) { return lines_.at(static_cast<std::size_t>(n)); }
    const std::string& Line(int n) const { return lines_.at(static_cast<std::size_t>(n)); }
    long Int(int n) const;
    double Real(int n) const;
    void SetInt(int n, long value);

    // True for the lines that hold a number (those only count when they begin with one).
    static bool IsNumericLine(int n);

private:
    std::array<std::string, kLines + 1> lines_;  // index 0 unused
};

// Path of the file in the install folder.
std::filesystem::path SysqFilePath(const std::filesystem::path& installFolder);

// Reads the file (lines of at most 100 bytes): every numeric line that begins with a number and
// every text line replaces its default; then the empty pattern paths, the empty pattern line
// width and the empty colours are filled in, and the values are clamped (ClampSysqSettings).
// Nothing when the file cannot be opened.
std::optional<SysqSettings> ReadSysqFile(const std::filesystem::path& path,
                                         const std::filesystem::path& installFolder);

// Puts every numeric line back inside what the dialogs accept, so that no file can make a page
// empty or enormous: a measure outside the format sheet's range becomes its nearest bound, a code
// no dialog offers, a dot radius outside 0 .. 10 mm or a pattern line width outside 0 .. 2 mm
// takes the default of `defaults`. Lines inside their ranges keep their text.
void ClampSysqSettings(SysqSettings& settings, const SysqSettings& defaults);

// At start-up: the file, or with no file the defaults and string 4010 naming it; a new file with
// the defaults is written then, so the message comes on the first start only.
SysqSettings LoadSysqSettings(const std::filesystem::path& installFolder, rave::MessageSink& messages);

// Empty pattern paths, line width and colours take their defaults.
void FillEmptySysqSettings(SysqSettings& settings, const std::filesystem::path& installFolder);

// All 71 lines, each ended by CR LF; a value is written up to any line break it holds.
std::string SysqFileBytes(const SysqSettings& settings);
bool SaveSysqSettings(const std::filesystem::path& installFolder, const SysqSettings& settings);

}  // namespace ravesect
