// Ravelog's general settings file.
#include "common/settings_files.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

#include "common/text_file.h"

namespace rave {

namespace {

// The reader's line buffer: 160 bytes, the line end included.
constexpr std::size_t kSettingsLineLimit = 160;

constexpr const char* kSettingsVersionLine = "500";

// Lines whose empty text stands for a value other than 0.
void ApplyEmptyLineRules(RavelogSettings& settings) {
    if (settings.Line(sysline::kDepthStoreFormat).empty()) {
        settings.Line(sysline::kDepthStoreFormat) = "0";
    }
    if (settings.Line(sysline::kDecimalsDepth).empty()) {
        settings.Line(sysline::kDecimalsDepth) = "2";
    }
    if (settings.Line(sysline::kEnterKey).empty()) {
        settings.Line(sysline::kEnterKey) = "1";
    }
}

// The values the settings dialogs accept, by line: choices by their codes, decimals 0..4, margins
// and title rows 0..100 mm, line widths and dash lengths 0..100 device pixels, the soil column's
// pen 0..99 (drawn one wider).
struct LineRange {
    int first;
    int last;
    long lowest;
    long highest;
};

constexpr LineRange kLineRanges[] = {
    {sysline::kDataInputOrder, sysline::kQuQaPlotDepth, 0, 1},
    {sysline::kDecimalsNa, sysline::kDecimalsQa, 0, 4},
    {sysline::kTopMargin, sysline::kTitleRowFormat3, 0, 100},
    {sysline::kDepthStoreFormat, sysline::kDepthStoreFormat, 0, 2},
    {sysline::kDecimalsDepth, sysline::kDecimalsDepth, 0, 4},
    {sysline::kLoadUnit, sysline::kLoadUnit, 0, 1},
    {sysline::kMonochrome, sysline::kMonochrome, 0, 1},
    {41, 58, 0, 100},  // line widths, dash and gap lengths
    {59, 59, 0, 2},    // plot line style
    {61, 62, 0, 1},    // bitmap tiles, monochrome patterns
    {63, 63, 0, 99},   // pattern pen width less one
    {64, 64, 0, 1},    // mixed-soil marking
    {sysline::kEnterKey, sysline::kEnterKey, 0, 2},
    {sysline::kSelfSinkingNote, sysline::kSelfSinkingNote, 0, 1},
};

}  // namespace

void ClampSettings(RavelogSettings& settings) {
    for (const LineRange& range : kLineRanges) {
        for (int n = range.first; n <= range.last; ++n) {
            const long value = settings.Int(n);
            if (value < range.lowest || value > range.highest) {
                settings.SetInt(n, std::clamp(value, range.lowest, range.highest));
            }
        }
    }
}

Message FileNotFoundMessage(const std::filesystem::path& path) {
    return Message{kFileNotFoundMessage, "ファイルが見つかりません\n( %1 )", path.string()};
}

std::optional<RavelogSettings> ReadSettingsFile(const std::filesystem::path& path) {
    const auto lines = ReadTextLines(path, kSettingsLineLimit);
    if (!lines) {
        return std::nullopt;
    }
    RavelogSettings settings;
    for (std::size_t n = 0; n < lines->size() && n < RavelogSettings::kLines; ++n) {
        settings.Line(static_cast<int>(n)) = (*lines)[n];
    }
    ApplyEmptyLineRules(settings);
    ClampSettings(settings);
    return settings;
}

RavelogSettings LoadSettings(const std::filesystem::path& path, MessageSink& messages) {
    auto read = ReadSettingsFile(path);
    RavelogSettings settings;
    if (read) {
        settings = std::move(*read);
    } else {
        settings = RavelogSettings::Defaults();
        messages.Show(FileNotFoundMessage(path));
        // Only a file that is really absent is created: one that exists but could not be read
        // may still hold the user's settings.
        std::error_code error;
        if (!std::filesystem::exists(path, error) && !error) {
            SaveSettings(path, settings);
        }
    }
    FillEmptyPathSettings(settings, path.parent_path());
    return settings;
}

RavelogSettings ReadSettingsOrDefaults(const std::filesystem::path& path) {
    RavelogSettings settings = ReadSettingsFile(path).value_or(RavelogSettings::Defaults());
    FillEmptyPathSettings(settings, path.parent_path());
    return settings;
}

void FillEmptyPathSettings(RavelogSettings& settings, const std::filesystem::path& installFolder) {
    if (settings.Line(sysline::kSimpleBitmapFolder).size() <= 1) {
        settings.Line(sysline::kSimpleBitmapFolder) = (installFolder / "Cbptn").string();
    }
    if (settings.Line(sysline::kJacicBitmapFolder).size() <= 1) {
        settings.Line(sysline::kJacicBitmapFolder) = (installFolder / "Jbptn").string();
    }
}

bool SaveSettings(const std::filesystem::path& path, const RavelogSettings& settings) {
    std::vector<std::string> lines;
    lines.reserve(RavelogSettings::kLines);
    // Line 0 names the layout of the file; it is "500" whatever was read.
    lines.emplace_back(kSettingsVersionLine);
    for (int n = 1; n < RavelogSettings::kLines; ++n) {
        const std::string& line = settings.Line(n);
        lines.push_back(line.substr(0, line.find_first_of("\r\n")));
    }
    return WriteFileAtomically(path, JoinCrLf(lines));
}

}  // namespace rave
