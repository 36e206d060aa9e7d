// Pick lists of the data-entry editors and the loaders that fill them from the install folder.
#include "ravelog/entry/entry_pick_lists.h"

#include <optional>
#include <system_error>

#include "common/cp932.h"
#include "common/format.h"
#include "common/master_files.h"
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

void ShowFileNotFound(const std::filesystem::path& path, rave::MessageSink& messages) {
    messages.Show(rave::Message{kPickListFileNotFound, "ファイルが見つかりません\n( %1 )", path.string()});
}

// The JACIC lists: groups 1 to 3, then the special markers of group 1.
constexpr int kJacicPickLists = 4;
constexpr long kFirstMarkerCode = 10000;

}  // namespace

SoilPick MakeSoilPick(std::string_view name, std::string_view pattern) {
    return SoilPick{std::string(rave::Cp932Prefix(name, kSoilPickNameBytes)),
                    std::string(rave::Cp932Prefix(pattern, kSoilPickPatternBytes))};
}

std::vector<std::string> LoadTechnicianList(const std::filesystem::path& path) {
    return ReadListLines(path, kTechnicianNameBytes).value_or(std::vector<std::string>());
}

std::vector<std::string> LoadRemarkTexts(const std::filesystem::path& path, rave::MessageSink& messages) {
    const std::optional<std::vector<std::string>> entries = rave::LoadMasterList(path);
    if (!entries) {
        ShowFileNotFound(path, messages);
        return {};
    }
    std::vector<std::string> texts;
    for (const std::string& entry : *entries) {
        texts.emplace_back(rave::Cp932Prefix(entry, kRemarkTextBytes));
    }
    return texts;
}

std::vector<SoilPickList> JacicSoilPickLists(const rave::SoilNameTable& jacic) {
    constexpr int kind = rave::soil_number_kind::kBitmap;
    std::vector<SoilPickList> lists(kJacicPickLists);
    for (int group = 1; group <= rave::SoilNameTable::kGroups; ++group) {
        for (const rave::SoilNameRow& row : jacic.GroupRows(kind, group)) {
            const bool marker = group == 1 && row.number >= kFirstMarkerCode;
            SoilPickList& list = lists[static_cast<std::size_t>(marker ? kJacicPickLists - 1 : group - 1)];
            const std::string pattern =
                row.number < 0 ? std::string() : rave::FormatText("%ld.%d", row.number, row.soilClass);
            list.push_back(MakeSoilPick(row.name, pattern));
        }
    }
    return lists;
}

SoilPickList SimpleSoilPickList(const rave::SoilNameTable& simple) {
    constexpr int kind = rave::soil_number_kind::kBitmap;
    SoilPickList list;
    for (int group = 1; group <= rave::SoilNameTable::kGroups; ++group) {
        for (const rave::SoilNameRow& row : simple.GroupRows(kind, group)) {
            list.push_back(MakeSoilPick(row.name, rave::SoilRowPatternText(row)));
        }
    }
    return list;
}

RowEditorPickLists LoadRowEditorPickLists(const std::filesystem::path& installFolder,
                                          const rave::InstalledSoilTables& tables, bool jacicActive,
                                          rave::MessageSink& messages) {
    RowEditorPickLists lists;
    const std::filesystem::path master =
        installFolder / (jacicActive ? kJacicSoilMasterFile : kSimpleSoilMasterFile);
    std::error_code error;
    if (!std::filesystem::is_regular_file(master, error)) {
        ShowFileNotFound(master, messages);
    }
    if (jacicActive) {
        lists.jacicLists = JacicSoilPickLists(tables.jacic);
        // The compound names are an addition: without the file the table's lists are enough.
        if (const auto entries = rave::LoadSoilPickList(installFolder / kSoilPickMasterFile);
            entries && !entries->empty()) {
            SoilPickList& often = lists.jacicLists.emplace_back();
            for (const rave::SoilPickEntry& entry : *entries) {
                often.push_back(MakeSoilPick(entry.name, entry.pattern));
            }
        }
    } else {
        lists.simpleList = SimpleSoilPickList(tables.simple);
    }
    lists.remarks = LoadRemarkTexts(installFolder / kRemarkMasterFile, messages);
    return lists;
}

}  // namespace ravelog
