// The placement dialog's list, boxes, checks and OK.
#include "ravesect/document/placement_list.h"

#include <cmath>

#include "common/cp932.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "common/text_file.h"

namespace ravesect {

namespace {

constexpr double kSameDistance = 0.000001;
constexpr double kLowestDistance = -0.1;
constexpr double kHighestDistance = 30000.0;
constexpr int kWarningLineLimit = 6;
constexpr std::size_t kWarningByteLimit = 299;
constexpr std::size_t kSourceFolderLineLimit = 500;

std::string FlagText(bool on) {
    return on ? "1" : "0";
}

// The folder part of a path text (up to its last separator, without it).
std::string FolderOf(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); i += rave::Cp932CharLength(path, i)) {
        if (path[i] == '\\' || path[i] == '/') {
            last = i;
        }
    }
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last));
}

bool IsExtendedFrameOrderKind(SourceKind kind) {
    return kind == kKindJacicLog || kind == kKindDynamicCone;
}

// Shows a message through `messages` and returns false, for the chains of checks below.
bool Refuse(rave::MessageSink& messages, int id, std::string text) {
    messages.Show(rave::Message{id, std::move(text), {}});
    return false;
}

// The distance box checked and rewritten as "%.2f", or nothing after its message.
std::optional<std::string> CheckedDistance(std::string_view text, rave::MessageSink& messages) {
    if (rave::IsNumericStart(text) != 1) {
        Refuse(messages, message_id::kNoData, "データが無い、または不正です.");
        return std::nullopt;
    }
    const double distance = rave::ParseDecimal(text);
    // Compared with a little slack, so that a typed "-0.1" is inside whatever its binary value.
    if (distance < kLowestDistance - 1e-9 || distance > kHighestDistance + 1e-9) {
        Refuse(messages, message_id::kNumberAbnormal, "数値が異常です");
        return std::nullopt;
    }
    return rave::FormatText("%.2f", distance);
}

}  // namespace

std::optional<rave::Message> SourcePathTooLongMessage(std::string_view pathText) {
    if (pathText.size() <= kSourcePathLimit) {
        return std::nullopt;
    }
    // In two formats: the compiler cannot prove one this long fits the formatter's first buffer.
    return rave::Message{
        0,
        rave::FormatText("ファイルのパスが長すぎます（%zu バイト）。", pathText.size()) +
            rave::FormatText("断面図ファイルに保存できるのは半角 %zu 文字（全角 %zu 文字）までです。",
                             kSourcePathLimit, kSourcePathLimit / 2) +
            "短いフォルダに移すか、名前を短くしてください。",
        {}};
}

std::filesystem::path PathFromBytes(std::string_view cp932Path) {
    return std::filesystem::path(std::string(cp932Path));
}

std::filesystem::path SourceFolderFilePath(const std::filesystem::path& installFolder) {
    return installFolder / "FileQv.ndx";
}

SourceFolderFile ReadSourceFolderFile(const std::filesystem::path& installFolder) {
    SourceFolderFile result;
    if (const auto lines = rave::ReadTextLines(SourceFolderFilePath(installFolder), kSourceFolderLineLimit)) {
        result.folder = lines->empty() ? std::string() : (*lines)[0];
        result.secondLine = lines->size() > 1 ? (*lines)[1] : std::string();
    }
    return result;
}

bool WriteSourceFolderFile(const std::filesystem::path& installFolder, const SourceFolderFile& file) {
    return rave::WriteFileAtomically(SourceFolderFilePath(installFolder),
                                     rave::JoinCrLf({file.folder, file.secondLine}));
}

bool DetailsSettings::FrameOrderEnabled(int code) const {
    if (code == 4 || code == 5) {
        return IsExtendedFrameOrderKind(kind);
    }
    return code >= 0 && code <= 3;
}

void DetailsSettings::SetDefaults() {
    frameOrder = 0;
    flagPosition = 1;
    flagFlip = false;
    graphMirror = false;
    ndDecimals = "0";
}

std::string DefaultRulerTitle(const std::vector<PlacedColumn>& rows) {
    for (const PlacedColumn& row : rows) {
        if (!row[colfield::kElevationKind].empty()) {
            return row[colfield::kElevationKind] + "(m)";
        }
    }
    return {};
}

void PlacementList::Open(const SectionDocument& document,
                         const std::optional<std::filesystem::path>& installFolder) {
    rows.clear();
    for (int slot = 1; slot <= kUserColumns; ++slot) {
        if (document.Column(slot).InUse()) {
            rows.push_back(document.Column(slot));
        }
    }
    // The closing blank column stands one tenth of the distance scale after the last file.
    if (rows.size() >= 2 && !rows.back().NamesFile() && rows[rows.size() - 2].NamesFile()) {
        const double expected = rows[rows.size() - 2].Distance() + document.settings.distanceScale / 10.0;
        if (std::fabs(rows.back().Distance() - expected) < 0.005) {
            rows.pop_back();
        }
    }
    rulerTitle = document.settings.rulerTitle;
    if (rulerTitle.empty()) {
        rulerTitle = DefaultRulerTitle(rows);
    }
    convertedNPlot = document.settings.convertedNPlot != 0;
    boxes = PlacementBoxes{};
    selected = -1;
    changed = false;
    sourceFolder = installFolder ? ReadSourceFolderFile(*installFolder) : SourceFolderFile{};
}

bool PlacementList::OpenSource(std::string_view pathText, const SourcePathResolver& resolve,
                               rave::MessageSink& messages) {
    if (const auto tooLong = SourcePathTooLongMessage(pathText)) {
        messages.Show(*tooLong);
        return false;
    }
    boxes.fileName = pathText;
    const std::string folder = FolderOf(pathText);
    if (!folder.empty()) {
        sourceFolder.folder = folder;
    }
    const SourceHeader header = ReadSourceHeaderFile(resolve ? resolve(pathText) : PathFromBytes(pathText));
    boxes.surveyName = header.surveyName;
    boxes.label = header.label;
    boxes.elevationKind = header.elevationKind;
    boxes.elevation = header.elevation;
    boxes.depth = header.depth;
    boxes.waterLevel = header.waterLevel;
    boxes.uValue = header.uValue;
    boxes.version.clear();
    boxes.waterLevelChoices.clear();
    if (header.status != SourceHeader::Status::kRead) {
        return true;
    }
    boxes.version = header.VersionText();
    boxes.waterLevelChoices = WaterLevelEntries(header.records, messages);
    if (boxes.waterLevel.empty() && !boxes.waterLevelChoices.empty()) {
        boxes.waterLevel = boxes.waterLevelChoices.front();
    }
    if (header.kind == kKindDynamicCone) {
        if (boxes.ndDecimals.empty()) {
            boxes.ndDecimals = "0";
        }
        if (boxes.frameOrder.empty()) {
            boxes.frameOrder = "4";
        }
    }
    return true;
}

std::optional<PlacedColumn> PlacementList::RowFromBoxes(rave::MessageSink& messages) const {
    const auto distance = CheckedDistance(boxes.distance, messages);
    if (!distance) {
        return std::nullopt;
    }
    if (const auto tooLong = SourcePathTooLongMessage(boxes.fileName)) {
        messages.Show(*tooLong);
        return std::nullopt;
    }
    PlacedColumn row;
    row[colfield::kDistance] = *distance;
    row[colfield::kSourcePath] = boxes.fileName;
    row[colfield::kLabel] = boxes.label;
    const long markN = boxes.MarkNEnabled() ? rave::ParseInteger(boxes.markN) : 0;
    row[colfield::kWaterMark] = rave::FormatText("%d.%.2d", boxes.markCode, static_cast<int>(markN));
    row[colfield::kWaterLevel] = boxes.waterLevel;
    row[colfield::kElevationKind] = boxes.elevationKind;
    row[colfield::kElevation] = boxes.elevation;
    row[colfield::kDepth] = boxes.depth;
    row[colfield::kFrameOrder] = boxes.frameOrder;
    row[colfield::kFlagPosition] = boxes.flagPosition;
    row[colfield::kFlagFlip] = boxes.flagFlip;
    row[colfield::kGraphMirror] = boxes.graphMirror;
    row[colfield::kVersion] = boxes.version;
    row[colfield::kUValue] = boxes.uValue;
    row[colfield::kNdDecimals] = boxes.ndDecimals;
    return row;
}

bool PlacementList::Add(rave::MessageSink& messages) {
    const auto row = RowFromBoxes(messages);
    if (!row) {
        return false;
    }
    if (rows.size() >= static_cast<std::size_t>(kUserColumns)) {
        return Refuse(
            messages, message_id::kMaximumRows,
            rave::FormatText("最大行数です. 追加できません.\n断面図に置ける柱状図は %d 本までです。",
                             kUserColumns));
    }
    const double distance = row->Distance();
    for (const PlacedColumn& existing : rows) {
        if (std::fabs(existing.Distance() - distance) < kSameDistance) {
            return Refuse(
                messages, message_id::kSameData,
                rave::SubstitutePlaceholder("同じ %1データがあります.\n修正なら上書きしてください.", "距離"));
        }
    }
    rows.push_back(*row);
    changed = true;
    return true;
}

bool PlacementList::Overwrite(rave::MessageSink& messages) {
    if (selected < 0 || selected >= static_cast<int>(rows.size())) {
        return false;
    }
    auto row = RowFromBoxes(messages);
    if (!row) {
        return false;
    }
    PlacedColumn& target = rows[static_cast<std::size_t>(selected)];
    for (int f = colfield::kListColumns + 1; f <= kColumnFields; ++f) {
        (*row)[f] = target[f];
    }
    target = *row;
    changed = true;
    return true;
}

bool PlacementList::Delete() {
    if (selected < 0 || selected >= static_cast<int>(rows.size())) {
        return false;
    }
    rows.erase(rows.begin() + selected);
    selected = -1;
    changed = true;
    return true;
}

void PlacementList::EditCell(int row, int field, std::string_view text) {
    if (row < 0 || row >= static_cast<int>(rows.size()) || field < 1 || field > colfield::kListColumns) {
        return;
    }
    rows[static_cast<std::size_t>(row)][field] = text;
    changed = true;
}

void PlacementList::Select(int row) {
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        selected = -1;
        return;
    }
    selected = row;
    const PlacedColumn& r = rows[static_cast<std::size_t>(row)];
    boxes.distance = r[colfield::kDistance];
    boxes.fileName = r[colfield::kSourcePath];
    boxes.label = r[colfield::kLabel];
    const std::string& mark = r[colfield::kWaterMark];
    boxes.markCode = static_cast<int>(rave::ParseInteger(mark));
    const std::size_t point = mark.find('.');
    boxes.markN = point == std::string::npos ? std::string() : mark.substr(point + 1);
    boxes.waterLevel = r[colfield::kWaterLevel];
    boxes.elevationKind = r[colfield::kElevationKind];
    boxes.elevation = r[colfield::kElevation];
    boxes.depth = r[colfield::kDepth];
    boxes.frameOrder = r[colfield::kFrameOrder];
    boxes.flagPosition = r[colfield::kFlagPosition];
    boxes.flagFlip = r[colfield::kFlagFlip];
    boxes.graphMirror = r[colfield::kGraphMirror];
    boxes.version = r[colfield::kVersion];
    boxes.uValue = r[colfield::kUValue];
    boxes.ndDecimals = r[colfield::kNdDecimals];
}

DetailsSettings PlacementList::OpenDetails() const {
    DetailsSettings details;
    const bool fromRow = selected >= 0 && selected < static_cast<int>(rows.size());
    auto value = [&](int f, const std::string& box) -> const std::string& {
        return fromRow ? rows[static_cast<std::size_t>(selected)][f] : box;
    };
    details.frameOrder = static_cast<int>(rave::ParseInteger(value(colfield::kFrameOrder, boxes.frameOrder)));
    details.flagPosition =
        static_cast<int>(rave::ParseInteger(value(colfield::kFlagPosition, boxes.flagPosition)));
    details.flagFlip = rave::ParseInteger(value(colfield::kFlagFlip, boxes.flagFlip)) != 0;
    details.graphMirror = rave::ParseInteger(value(colfield::kGraphMirror, boxes.graphMirror)) != 0;
    details.ndDecimals = value(colfield::kNdDecimals, boxes.ndDecimals);
    details.kind = static_cast<int>(rave::ParseInteger(value(colfield::kVersion, boxes.version)));
    if (!details.FrameOrderEnabled(details.frameOrder)) {
        details.frameOrder = 0;
    }
    if (details.flagPosition < 0 || details.flagPosition > 3) {
        details.flagPosition = 1;
    }
    return details;
}

void PlacementList::ApplyDetails(const DetailsSettings& details) {
    boxes.frameOrder = rave::FormatText("%d", details.frameOrder);
    boxes.flagPosition = rave::FormatText("%d", details.flagPosition);
    boxes.flagFlip = FlagText(details.flagFlip);
    boxes.graphMirror = FlagText(details.graphMirror);
    boxes.ndDecimals = details.ndDecimals;
    if (selected >= 0 && selected < static_cast<int>(rows.size())) {
        PlacedColumn& row = rows[static_cast<std::size_t>(selected)];
        row[colfield::kFrameOrder] = boxes.frameOrder;
        row[colfield::kFlagPosition] = boxes.flagPosition;
        row[colfield::kFlagFlip] = boxes.flagFlip;
        row[colfield::kGraphMirror] = boxes.graphMirror;
        row[colfield::kNdDecimals] = boxes.ndDecimals;
        changed = true;
    }
}

bool PlacementList::ConfirmCancel(rave::MessageSink& messages) const {
    if (!changed || rows.empty()) {
        return true;
    }
    return messages.AskYesNo(rave::Message{
        message_id::kCancelChanged, "データが変更されましたが、キャンセルしてよいのですか？", {}});
}

void PlacementList::Store(SectionDocument& document,
                          const std::optional<std::filesystem::path>& installFolder,
                          rave::MessageSink& messages) const {
    std::vector<const PlacedColumn*> remaining;
    for (const PlacedColumn& row : rows) {
        remaining.push_back(&row);
    }
    std::string warning;
    int warningLines = 0;
    int slot = 1;
    while (!remaining.empty() && slot <= kUserColumns) {
        std::size_t best = 0;
        for (std::size_t i = 1; i < remaining.size(); ++i) {
            if (remaining[i]->Distance() < remaining[best]->Distance()) {
                best = i;
            }
        }
        const PlacedColumn& taken = *remaining[best];
        remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(best));
        for (const PlacedColumn* other : remaining) {
            if (std::fabs(other->Distance() - taken.Distance()) >= kSameDistance) {
                continue;
            }
            if (warning.empty()) {
                warning = "同じ距離があります\r\n";
            }
            if (warningLines < kWarningLineLimit && warning.size() <= kWarningByteLimit) {
                warning += rave::FormatText(" %s m %s", taken[colfield::kDistance], "\r\n");
                ++warningLines;
            }
        }
        document.Column(slot++) = taken;
    }
    for (; slot <= kClosingSlot; ++slot) {
        document.Column(slot).Clear();
    }
    document.settings.rulerTitle = rulerTitle;
    document.settings.convertedNPlot = convertedNPlot ? 1 : 0;
    document.modified = true;
    if (!warning.empty()) {
        messages.Show(rave::Message{0, warning, {}});
    }
    if (installFolder) {
        WriteSourceFolderFile(*installFolder, sourceFolder);
    }
}

}  // namespace ravesect
