#include "common/soil_table_editor.h"

#include <algorithm>
#include <system_error>

#include "common/field_validation.h"
#include "common/format.h"
#include "common/install_folder.h"
#include "common/messages.h"
#include "common/numbers.h"
#include "common/pattern_colors.h"
#include "common/settings_files.h"
#include "common/soil_name_table.h"
#include "common/text_fields.h"
#include "common/text_file.h"

namespace rave {

namespace {

constexpr int kPatternDisplayLine = 61;
constexpr int kMonochromeLine = 62;
constexpr int kLineWidthLine = 63;
constexpr int kMixedMarkingLine = 64;

bool IsHeadingText(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    return !trimmed.empty() && (trimmed.front() == '[' || trimmed.front() == '{');
}

// A number field of the list: empty, or an integer (a decimal part is dropped).
bool IsAcceptableNumber(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    return trimmed.empty() || IsNumericStart(trimmed) == 1;
}

std::string NumberFieldText(std::string_view text) {
    if (TrimBlanks(text).empty()) {
        return {};
    }
    return FormatText("%ld", ParseInteger(text));
}

std::string WrittenNumber(std::string_view text, int classDigit) {
    if (TrimBlanks(text).empty()) {
        return {};
    }
    return FormatText("%ld.%d", ParseInteger(text), classDigit);
}

// The colour subfolder of a bitmap folder: "J" or "C" inside it, or inside the folder with "01"
// appended for monochrome output.
std::filesystem::path TileFolder(const std::filesystem::path& folder, SoilTableVariant variant, bool mono) {
    const char* sub = variant == SoilTableVariant::kJacic ? "J" : "C";
    if (mono) {
        return (std::filesystem::path(folder) += "01") / sub;
    }
    return folder / sub;
}

Message SavedNothingMessage() {
    return Message{0, "保存できませんでした", ""};
}
Message NoDataMessage() {
    return Message{903, "データが無い、または不十分です.", ""};
}
Message BadNumberMessage() {
    return Message{4006, "数値が異常です", ""};
}
Message FullListMessage() {
    return Message{902, "最大行数です. 追加できません.", ""};
}
Message GroupLineKeptMessage() {
    return Message{0, "群の見出し行は削除・上書きできません.", ""};
}

bool IsGroupHeading(const SoilTableListRow& row) {
    return row.isHeading && IsSoilGroupLine(row.name);
}

int SoilRowCount(const std::vector<SoilTableListRow>& rows) {
    return static_cast<int>(
        std::count_if(rows.begin(), rows.end(), [](const SoilTableListRow& r) { return !r.isHeading; }));
}

}  // namespace

int ListRowClassDigit(const SoilTableListRow& row) {
    return (row.sandy ? 1 : 0) + (row.clayey ? 2 : 0);
}

std::vector<SoilTableListRow> ParseSoilTableList(std::string_view bytes, int& headerNumber) {
    headerNumber = 0;
    std::vector<SoilTableListRow> rows;
    bool seenGroupLine = false;
    LineCursor cursor(bytes, SoilNameTable::kLineLimit);
    std::string_view raw;
    while (cursor.Next(raw)) {
        if (raw.size() < 3) {
            continue;
        }
        const std::string_view line = StripLineEnd(raw);
        SoilTableListRow row;
        if (IsHeadingText(line) || IsSoilGroupLine(line) || IsSoilEndLine(line)) {
            row.isHeading = true;
            row.name = std::string(line);
            if (!seenGroupLine && IsSoilGroupLine(line)) {
                // The header number rides on the first group line; the list shows the heading
                // alone and writing puts the number back on the same line.
                seenGroupLine = true;
                headerNumber = static_cast<int>(ParseInteger(CsvField(line, 3)));
                row.name = CsvField(line, 1);
            }
            rows.push_back(row);
            if (IsSoilEndLine(line)) {
                break;
            }
            continue;
        }
        std::string fields[4];
        SplitCsvFields(line, fields, 4);
        row.name = fields[0];
        const SoilNumber line1 = ParseSoilNumber(fields[2]);
        const SoilNumber bitmap = ParseSoilNumber(fields[3]);
        const int soilClass = TrimBlanks(fields[2]).empty() ? bitmap.soilClass : line1.soilClass;
        row.sandy = (soilClass & soil_class::kSandy) != 0;
        row.clayey = (soilClass & soil_class::kClayey) != 0;
        row.lineNumber = NumberFieldText(fields[2]);
        row.bitmapNumber = NumberFieldText(fields[3]);
        rows.push_back(row);
    }
    return rows;
}

std::string FormatSoilTableList(const std::vector<SoilTableListRow>& rows, int headerNumber) {
    std::vector<std::string> lines;
    bool headerWritten = false;
    for (const SoilTableListRow& row : rows) {
        if (row.isHeading) {
            const bool carriesHeader = !headerWritten && IsSoilGroupLine(row.name);
            headerWritten = headerWritten || carriesHeader;
            lines.push_back(carriesHeader ? row.name + FormatText(", ,%d,", headerNumber) : row.name);
            continue;
        }
        const int digit = ListRowClassDigit(row);
        lines.push_back(QuoteCsvFieldIfNeeded(row.name) + ",_," + WrittenNumber(row.lineNumber, digit) + "," +
                        WrittenNumber(row.bitmapNumber, digit) + ",");
    }
    return JoinCrLf(lines);
}

bool SaveSoilNameTable(const std::filesystem::path& path, const std::vector<SoilTableListRow>& rows,
                       int headerNumber) {
    return WriteFileAtomically(path, FormatSoilTableList(rows, headerNumber));
}

std::vector<PatternListEntry> BuildPatternList(const PatternColorTable& colors, const SoilNameTable& table) {
    std::vector<PatternListEntry> entries;
    for (const PatternColorPair& pair : colors.Pairs()) {
        PatternListEntry entry{pair.patternNo, pair.color, FormatPatternColor(pair.color), {}};
        for (const SoilNameRow& row : table.GroupRows(soil_number_kind::kLineDrawing, 1)) {
            if (row.number == pair.patternNo) {
                entry.exampleName = row.name;
                break;
            }
        }
        entries.push_back(entry);
    }
    return entries;
}

SoilTableEditor::SoilTableEditor(SoilTableVariant variant, const RavelogSettings& settings,
                                 const std::filesystem::path& installFolder)
    : variant_(variant), installFolder_(installFolder) {
    RestoreStandardSettings();
    patternDisplay = settings.Int(kPatternDisplayLine) == 1 ? 1 : 0;
    monochrome = settings.Int(kMonochromeLine) == 1 ? 1 : 0;
    lineWidth = FormatText("%ld", std::max(0L, settings.Int(kLineWidthLine)) + 1);
    mixedMarking = settings.Int(kMixedMarkingLine) == 1 ? 1 : 0;
    const std::string& folder = settings.Line(
        variant == SoilTableVariant::kJacic ? sysline::kJacicBitmapFolder : sysline::kSimpleBitmapFolder);
    if (folder.size() > 1) {
        bitmapFolder = folder;
    }
}

void SoilTableEditor::RestoreStandardSettings() {
    patternDisplay = 0;
    monochrome = 0;
    lineWidth = "1";
    mixedMarking = 0;
    const bool jacic = variant_ == SoilTableVariant::kJacic;
    masterPath = installFolder_ / (jacic ? kJacicMasterFile : kSimpleMasterFile);
    bitmapFolder = (installFolder_ / (jacic ? kJacicBitmapFolder : kSimpleBitmapFolder)).string();
}

std::filesystem::path SoilTableEditor::NativeBitmapFolder() const {
    return NativePathOfSetting(bitmapFolder, drives);
}

bool SoilTableEditor::Open(MessageSink& messages) {
    rows_.clear();
    selected_ = -1;
    headerNumber_ = 0;
    const auto bytes = ReadFileBytes(masterPath);
    if (!bytes) {
        messages.Show(FileNotFoundMessage(masterPath));
        return false;
    }
    rows_ = ParseSoilTableList(*bytes, headerNumber_);
    return true;
}

void SoilTableEditor::Select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

std::optional<SoilTableListRow> SoilTableEditor::RowFromEditFields(MessageSink& messages) const {
    if (TrimBlanks(editName).empty()) {
        messages.Show(NoDataMessage());
        return std::nullopt;
    }
    // One row is one line of the file: a line break would split it.
    if (!CheckStorableText(editName, messages)) {
        return std::nullopt;
    }
    SoilTableListRow row;
    row.name = editName;
    if (IsHeadingText(editName)) {
        row.isHeading = true;
        return row;
    }
    if (!IsAcceptableNumber(editLineNumber) || !IsAcceptableNumber(editBitmapNumber)) {
        messages.Show(BadNumberMessage());
        return std::nullopt;
    }
    row.sandy = (editClass & soil_class::kSandy) != 0;
    row.clayey = (editClass & soil_class::kClayey) != 0;
    row.lineNumber = NumberFieldText(editLineNumber);
    // The simple table has one pattern number; it stands in both number fields of the file.
    row.bitmapNumber =
        variant_ == SoilTableVariant::kSimple ? row.lineNumber : NumberFieldText(editBitmapNumber);
    return row;
}

bool SoilTableEditor::Insert(MessageSink& messages) {
    const auto row = RowFromEditFields(messages);
    if (!row) {
        return false;
    }
    // The program reads 256 soil rows; headings and comments are not counted.
    if (!row->isHeading && SoilRowCount(rows_) >= SoilNameTable::kMaxRows) {
        messages.Show(FullListMessage());
        return false;
    }
    // The table is read from its first group heading up to "[終了]", so a row placed outside
    // them would be lost on the next start: with no selection the row ends the last group,
    // and a row put before the first group heading goes just after it.
    std::size_t at = rows_.size();
    if (selected_ < 0) {
        if (!rows_.empty() && rows_.back().isHeading && IsSoilEndLine(rows_.back().name)) {
            at = rows_.size() - 1;
        }
    } else {
        at = static_cast<std::size_t>(selected_);
        const auto firstGroup = std::find_if(rows_.begin(), rows_.end(), [](const SoilTableListRow& r) {
            return r.isHeading && IsSoilGroupLine(r.name);
        });
        if (firstGroup != rows_.end()) {
            at = std::max(at, static_cast<std::size_t>(firstGroup - rows_.begin()) + 1);
        }
    }
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), *row);
    // The selection stays on the row it was on.
    if (selected_ >= 0 && at <= static_cast<std::size_t>(selected_)) {
        ++selected_;
    }
    return true;
}

bool SoilTableEditor::Overwrite(MessageSink& messages) {
    if (selected_ < 0) {
        return false;
    }
    const auto row = RowFromEditFields(messages);
    if (!row) {
        return false;
    }
    // The groups are counted by their heading lines: replacing one would move every row into
    // another group.
    if (IsGroupHeading(rows_[static_cast<std::size_t>(selected_)]) && !IsGroupHeading(*row)) {
        messages.Show(GroupLineKeptMessage());
        return false;
    }
    if (!row->isHeading && rows_[static_cast<std::size_t>(selected_)].isHeading &&
        SoilRowCount(rows_) >= SoilNameTable::kMaxRows) {
        messages.Show(FullListMessage());
        return false;
    }
    rows_[static_cast<std::size_t>(selected_)] = *row;
    return true;
}

bool SoilTableEditor::EditSelected() {
    if (selected_ < 0) {
        return false;
    }
    const SoilTableListRow& row = rows_[static_cast<std::size_t>(selected_)];
    editName = row.name;
    editClass = ListRowClassDigit(row);
    editLineNumber = row.lineNumber;
    editBitmapNumber = variant_ == SoilTableVariant::kSimple ? row.lineNumber : row.bitmapNumber;
    return true;
}

bool SoilTableEditor::DeleteSelected(MessageSink& messages) {
    if (selected_ < 0) {
        return false;
    }
    if (IsGroupHeading(rows_[static_cast<std::size_t>(selected_)])) {
        messages.Show(GroupLineKeptMessage());
        return false;
    }
    rows_.erase(rows_.begin() + selected_);
    if (selected_ >= static_cast<int>(rows_.size())) {
        selected_ = static_cast<int>(rows_.size()) - 1;
    }
    return true;
}

bool SoilTableEditor::MoveSelectedUp() {
    if (selected_ < 1) {
        return false;
    }
    std::swap(rows_[static_cast<std::size_t>(selected_)], rows_[static_cast<std::size_t>(selected_ - 1)]);
    --selected_;
    return true;
}

bool SoilTableEditor::MoveSelectedDown() {
    if (selected_ < 0 || selected_ + 1 >= static_cast<int>(rows_.size())) {
        return false;
    }
    std::swap(rows_[static_cast<std::size_t>(selected_)], rows_[static_cast<std::size_t>(selected_ + 1)]);
    ++selected_;
    return true;
}

void SoilTableEditor::PickPattern(long patternNo) {
    editLineNumber = FormatText("%ld", patternNo);
}

void SoilTableEditor::PickBitmap(std::string_view choice) {
    std::string_view digits = TrimBlanks(choice);
    if (!digits.empty() && (digits.front() == 'j' || digits.front() == 'c')) {
        digits.remove_prefix(1);
    }
    const std::string number = NumberFieldText(digits);
    if (variant_ == SoilTableVariant::kSimple) {
        editLineNumber = number;
    }
    editBitmapNumber = number;
}

bool SoilTableEditor::ApplyPattern() {
    if (selected_ < 0 || rows_[static_cast<std::size_t>(selected_)].isHeading ||
        !IsAcceptableNumber(editLineNumber) || !IsAcceptableNumber(editBitmapNumber)) {
        return false;
    }
    SoilTableListRow& row = rows_[static_cast<std::size_t>(selected_)];
    row.lineNumber = NumberFieldText(editLineNumber);
    row.bitmapNumber =
        variant_ == SoilTableVariant::kSimple ? row.lineNumber : NumberFieldText(editBitmapNumber);
    return true;
}

std::vector<std::string> SoilTableEditor::BitmapChoices() const {
    std::vector<std::string> choices;
    if (variant_ == SoilTableVariant::kJacic) {
        for (int code = 10000; code <= 10004; ++code) {
            choices.push_back(FormatText("j%d", code));
        }
    } else {
        for (const char* code : {"c801", "c802", "c803", "c804", "c811", "c812", "c814"}) {
            choices.emplace_back(code);
        }
    }
    std::vector<long> numbers;
    std::error_code error;
    const std::filesystem::path folder = TileFolder(NativeBitmapFolder(), variant_, false);
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& file = it->path();
        std::string extension = file.extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
        const std::string stem = file.stem().string();
        if (extension == ".bmp" && !stem.empty() && HasLeadingNumber(stem)) {
            numbers.push_back(ParseInteger(stem));
        }
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    for (long number : numbers) {
        choices.push_back(FormatText("%ld", number));
    }
    return choices;
}

int SoilTableEditor::PenWidth() const {
    const long width = TrimBlanks(lineWidth).empty() ? 0 : ParseInteger(lineWidth);
    return width > 0 ? static_cast<int>(std::min(width, 100L)) : 1;
}

PatternPreview SoilTableEditor::Preview(bool bitmapField, const PatternColorTable& colors) const {
    PatternPreview preview;
    const std::string& text = bitmapField ? editBitmapNumber : editLineNumber;
    preview.patternNo = TrimBlanks(text).empty() ? 0 : ParseInteger(text);
    preview.penWidth = PenWidth();
    preview.color = monochrome == 1 ? 0 : colors.PatternColor(preview.patternNo);
    const bool marker = preview.patternNo >= 10000 && preview.patternNo <= 10004;
    const bool bitmaps = variant_ == SoilTableVariant::kSimple || patternDisplay == 1;
    if (bitmaps && !marker && preview.patternNo > 0) {
        preview.drawBitmap = true;
        preview.bitmapFile = TileFolder(NativeBitmapFolder(), variant_, monochrome == 1) /
                             FormatText("%ld.bmp", preview.patternNo);
    }
    return preview;
}

void SoilTableEditor::StoreDisplaySettings(RavelogSettings& settings) const {
    if (variant_ == SoilTableVariant::kJacic) {
        settings.SetInt(kPatternDisplayLine, patternDisplay == 1 ? 1 : 0);
        settings.SetInt(kMonochromeLine, monochrome == 1 ? 1 : 0);
        settings.SetInt(kLineWidthLine, PenWidth() - 1);
        settings.SetInt(kMixedMarkingLine, mixedMarking == 1 ? 1 : 0);
        settings.Line(sysline::kJacicBitmapFolder) = bitmapFolder;
    } else {
        // The simple table's black-and-white choice lasts for the program run only.
        settings.Line(sysline::kSimpleBitmapFolder) = bitmapFolder;
    }
}

bool SoilTableEditor::Save(RavelogSettings& settings, MessageSink& messages) {
    if (!SaveSoilNameTable(masterPath, rows_, headerNumber_)) {
        messages.Show(SavedNothingMessage());
        return false;
    }
    StoreDisplaySettings(settings);
    return true;
}

}  // namespace rave
