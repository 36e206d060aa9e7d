// Pick lists of the data-entry editors and the loaders that fill them from the install folder.
#include "ravelog/entry/entry_pick_lists.h"

#include <optional>

#include "common/cp932.h"
#include "common/text_file.h"

namespace ravelog {

namespace {

// Lines of a list file, each cut to `maxBytes` (line end not counted), empty lines left out.
std::optional<std::vector<std::string>> ReadListLines(const std::filesystem::path& path,
                                                      std::size_t maxBytes) {
    const std::optional<std::vector<std::string>> lines = rave::ReadTextLines(path, maxBytes + 2);
    if (!lines) {
        return std::nullopt;
    }
    std::vector<std::string> entries;
    for (const std::string& line : *lines) {
        const std::string_view entry = rave::Cp932Prefix(line, maxBytes);
        if (!entry.empty()) {
            entries.emplace_back(entry);
        }
    }
    return entries;
}

}  // namespace

SoilPick MakeSoilPick(std::string_view name, std::string_view pattern) {
    return SoilPick{std::string(rave::Cp932Prefix(name, kSoilPickNameBytes)),
                    std::string(rave::Cp932Prefix(pattern, kSoilPickPatternBytes))};
}

std::vector<std::string> LoadTechnicianList(const std::filesystem::path& path) {
    return ReadListLines(path, kTechnicianNameBytes).value_or(std::vector<std::string>());
}

std::vector<std::string> LoadRemarkTexts(const std::filesystem::path& path, rave::MessageSink& messages) {
    std::optional<std::vector<std::string>> texts = ReadListLines(path, kRemarkTextBytes);
    if (!texts) {
        messages.Show(
            rave::Message{kPickListFileNotFound, "ファイルが見つかりません\n( %1 )", path.string()});
        return {};
    }
    return std::move(*texts);
}

}  // namespace ravelog
