// Ravelog's general settings file.
#include "common/settings_files.h"

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

}  // namespace

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
