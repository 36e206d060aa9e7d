// Reading, defaulting and writing "Sysq.ndx".
#include "ravesect/settings/sysq_settings.h"

#include <algorithm>

#include "common/format.h"
#include "common/numbers.h"
#include "common/text_file.h"
#include "ravesect/document/working_files.h"
#include "ravesect/settings/format_sheet_fields.h"

namespace ravesect {

namespace {

constexpr std::size_t kSysqLineLimit = 100;
constexpr const char* kDefaultColour = "0x808080";
constexpr const char* kDefaultPatternLineWidth = "0.4";

struct NumericDefault {
    int line;
    long value;
};

constexpr NumericDefault kNumericDefaults[] = {
    {sysqline::kFlagAngle, 30},
    {sysqline::kFlagHeight, 18},
    {sysqline::kFlagLength, 25},
    {sysqline::kLabelPrefix, 1},
    {sysqline::kMaxBlowCount, 0},
    {sysqline::kNGridMaximum, 0},
    {sysqline::kOverRangeSymbol, 1},
    {sysqline::kValueFigures, 0},
    {sysqline::kNGraphWidth, 25},
    {sysqline::kUndisturbedSample, 1},
    {sysqline::kDisturbedSample, 0},
    {sysqline::kSamplePosition, 2},
    {sysqline::kInSituPosition, 1},
    {sysqline::kInSituHatching, 0},
    {sysqline::kMonochrome, 0},
    {sysqline::kFrameWidth, 2},
    {sysqline::kBoundaryWidth, 1},
    {sysqline::kRulerWidth, 1},
    {sysqline::kRulerDouble, 0},
    {sysqline::kElevationLineWidth, 1},
    {sysqline::kElevationLineSolid, 6},
    {sysqline::kElevationLineBlank, 1},
    {sysqline::kElevationLinesCrossGraphs, 1},
    {sysqline::kWaterMarkWidth, 1},
    {sysqline::kNGraphLineWidth, 1},
    {sysqline::kNGridWidth, 1},
    {sysqline::kNGridSolid, 6},
    {sysqline::kNGridBlank, 1},
    {sysqline::kTopMargin, 10},
    {sysqline::kLeftMargin, 10},
    {sysqline::kPatternDrawing, 0},
    {sysqline::kSwedishGraphWidth, 2},
    {sysqline::kSwedishGridWidth, 1},
    {sysqline::kSwedishGridSolid, 6},
    {sysqline::kSwedishGridBlank, 0},
    {sysqline::kPatternMonochrome, 0},
    {sysqline::kMixedSoilMarking, 0},
    {sysqline::kSwedishGridMaximum, 200},
    {sysqline::kInvalidCharacters, 0},
    {sysqline::kEnterKey, 1},
};

constexpr int kTextLines[] = {
    sysqline::kSeparator,         sysqline::kElevationLineColour, sysqline::kNGridColour,
    sysqline::kSwedishGridColour, sysqline::kDotRadius,           sysqline::kSoilMasterFile,
    sysqline::kJacicBitmapFolder, sysqline::kSimpleBitmapFolder,  sysqline::kCompanyName,
    sysqline::kTelephone,         sysqline::kPatternLineWidth,    sysqline::kPatternLineColour,
    sysqline::kOverMaximumDisplay};

bool IsTextLine(int n) {
    for (int line : kTextLines) {
        if (line == n) {
            return true;
        }
    }
    return false;
}

// The codes of the lines chosen through radio buttons, drop-downs and check boxes.
struct ChoiceRange {
    int line;
    long lowest;
    long highest;
};

constexpr ChoiceRange kChoiceRanges[] = {
    {sysqline::kLabelPrefix, 0, 1},
    {sysqline::kMaxBlowCount, 0, 2},
    {sysqline::kNGridMaximum, 0, 2},
    {sysqline::kOverRangeSymbol, 0, 2},
    {sysqline::kValueFigures, 0, 4},
    {sysqline::kUndisturbedSample, 0, 2},
    {sysqline::kDisturbedSample, 0, 2},
    {sysqline::kSamplePosition, 0, 3},
    {sysqline::kInSituPosition, 0, 3},
    {sysqline::kInSituHatching, 0, 1},
    {sysqline::kMonochrome, 0, 1},
    {sysqline::kRulerDouble, 0, 1},
    {sysqline::kElevationLinesCrossGraphs, 0, 1},
    {sysqline::kPatternDrawing, 0, 3},
    {sysqline::kPatternMonochrome, 0, 1},
    {sysqline::kMixedSoilMarking, 0, 1},
    {sysqline::kInvalidCharacters, 0, 1},
    {sysqline::kEnterKey, 0, 2},
};

// The largest dot radius and pattern line width the dialogs accept, mm.
constexpr double kLargestDotRadius = 10.0;
constexpr double kLargestPatternLineWidth = 2.0;

bool InRange(double value, double lowest, double highest) {
    return value >= lowest && value <= highest;
}

std::string PathText(const std::filesystem::path& folder, const char* name) {
    return (folder / name).string();
}

}  // namespace

SysqSettings SysqSettings::Defaults(const std::filesystem::path& installFolder) {
    SysqSettings settings;
    settings.Line(sysqline::kMagic) = "500";
    for (const NumericDefault& d : kNumericDefaults) {
        settings.SetInt(d.line, d.value);
    }
    settings.Line(sysqline::kSeparator) = "：";
    settings.Line(sysqline::kDotRadius) = "0.4";
    settings.Line(sysqline::kCompanyName) = "株式会社";
    settings.Line(sysqline::kTelephone) = "TEL 03-0000-0000";
    FillEmptySysqSettings(settings, installFolder);
    return settings;
}

long SysqSettings::Int(int n) const {
    return rave::ParseInteger(Line(n));
}

double SysqSettings::Real(int n) const {
    return rave::ParseDecimal(Line(n));
}

void SysqSettings::SetInt(int n, long value) {
    Line(n) = rave::FormatText("%ld", value);
}

bool SysqSettings::IsNumericLine(int n) {
    for (const NumericDefault& d : kNumericDefaults) {
        if (d.line == n) {
            return true;
        }
    }
    return false;
}

std::filesystem::path SysqFilePath(const std::filesystem::path& installFolder) {
    return installFolder / "Sysq.ndx";
}

void FillEmptySysqSettings(SysqSettings& settings, const std::filesystem::path& installFolder) {
    auto fill = [&](int n, const std::string& value) {
        if (settings.Line(n).empty()) {
            settings.Line(n) = value;
        }
    };
    fill(sysqline::kSoilMasterFile, PathText(installFolder, "WdtvxJG.mst"));
    fill(sysqline::kJacicBitmapFolder, PathText(installFolder, "Jbptn"));
    fill(sysqline::kSimpleBitmapFolder, PathText(installFolder, "Cbptn"));
    fill(sysqline::kPatternLineWidth, kDefaultPatternLineWidth);
    fill(sysqline::kDotRadius, kDefaultPatternLineWidth);
    for (int n : {sysqline::kElevationLineColour, sysqline::kNGridColour, sysqline::kSwedishGridColour,
                  sysqline::kPatternLineColour}) {
        fill(n, kDefaultColour);
    }
}

void ClampSysqSettings(SysqSettings& settings, const SysqSettings& defaults) {
    for (const NumericDefault& d : kNumericDefaults) {
        const long value = settings.Int(d.line);
        const double real = settings.Real(d.line);
        if (const std::optional<SysqFieldRange> range = FormatSheetRange(d.line)) {
            // A measure: the nearest value the sheet accepts. Both readings are checked, as the
            // drawing reads some of these lines as decimals ("1e300" is 1 as an integer).
            if (!InRange(static_cast<double>(value), static_cast<double>(range->lowest),
                         static_cast<double>(range->highest)) ||
                !InRange(real, static_cast<double>(range->lowest),
                         static_cast<double>(range->highest) + 1.0)) {
                settings.SetInt(d.line, std::clamp(value, range->lowest, range->highest));
            }
            continue;
        }
        bool known = true;
        if (d.line == sysqline::kSwedishGridMaximum) {
            known = value == 200 || value == 400 || value == 800;
        }
        for (const ChoiceRange& choice : kChoiceRanges) {
            if (choice.line == d.line) {
                known = InRange(static_cast<double>(value), static_cast<double>(choice.lowest),
                                static_cast<double>(choice.highest));
            }
        }
        // A code no dialog offers: the default choice.
        if (!known) {
            settings.Line(d.line) = defaults.Line(d.line);
        }
    }
    const double radius = settings.Real(sysqline::kDotRadius);
    if (!(radius > 0.0 && radius <= kLargestDotRadius)) {
        settings.Line(sysqline::kDotRadius) = defaults.Line(sysqline::kDotRadius);
    }
    const double width = settings.Real(sysqline::kPatternLineWidth);
    if (!(width > 0.0 && width <= kLargestPatternLineWidth)) {
        settings.Line(sysqline::kPatternLineWidth) = kDefaultPatternLineWidth;
    }
}

std::optional<SysqSettings> ReadSysqFile(const std::filesystem::path& path,
                                         const std::filesystem::path& installFolder) {
    const auto lines = rave::ReadTextLines(path, kSysqLineLimit);
    if (!lines) {
        return std::nullopt;
    }
    SysqSettings settings = SysqSettings::Defaults(installFolder);
    // Text lines that are empty in the file stay empty until the fill below.
    for (int n : kTextLines) {
        settings.Line(n).clear();
    }
    const int count = std::min(static_cast<int>(lines->size()), SysqSettings::kLines);
    for (int n = 2; n <= count; ++n) {
        const std::string& line = (*lines)[static_cast<std::size_t>(n - 1)];
        if (SysqSettings::IsNumericLine(n)) {
            if (rave::HasLeadingNumber(line)) {
                settings.Line(n) = line;
            }
        } else if (IsTextLine(n)) {
            settings.Line(n) = line;
        }
    }
    // Defaults for text lines the file is too short to hold.
    const SysqSettings defaults = SysqSettings::Defaults(installFolder);
    for (int n : kTextLines) {
        if (n > count) {
            settings.Line(n) = defaults.Line(n);
        }
    }
    FillEmptySysqSettings(settings, installFolder);
    ClampSysqSettings(settings, defaults);
    return settings;
}

SysqSettings LoadSysqSettings(const std::filesystem::path& installFolder, rave::MessageSink& messages) {
    const std::filesystem::path path = SysqFilePath(installFolder);
    if (auto settings = ReadSysqFile(path, installFolder)) {
        return *settings;
    }
    messages.Show(SourceNotFoundMessage(path));
    SysqSettings defaults = SysqSettings::Defaults(installFolder);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        SaveSysqSettings(installFolder, defaults);
    }
    return defaults;
}

std::string SysqFileBytes(const SysqSettings& settings) {
    std::string out;
    for (int n = 1; n <= SysqSettings::kLines; ++n) {
        const std::string& line = settings.Line(n);
        out.append(line, 0, line.find_first_of("\r\n"));
        out += "\r\n";
    }
    return out;
}

bool SaveSysqSettings(const std::filesystem::path& installFolder, const SysqSettings& settings) {
    return rave::WriteFileAtomically(SysqFilePath(installFolder), SysqFileBytes(settings));
}

}  // namespace ravesect
