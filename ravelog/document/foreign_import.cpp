// The foreign import: preview, line list, plausibility checks and the reading of the rows.
#include "ravelog/document/foreign_import.h"

#include <algorithm>
#include <climits>

#include "common/cp932.h"
#include "common/foreign_text.h"
#include "common/format.h"
#include "common/messages.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "common/text_file.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog {

namespace {

const char* const kNoFile = "ファイルがありません";
const char* const kFileNotFound = "ファイルが見つかりません\n( %1 )";
const char* const kNoData = "データがありません";
const char* const kCheckUnits = "数値が異常です。単位、換算（x0.01）をチェックして下さい。　\n( %1 )";
const char* const kAbnormalValue = "数値が異常です\n( %1 )";
const char* const kLoadName = "Wsw kN";
const char* const kDepthName = "深度 m";

// Values beyond these on the first line suggest that a file holds kgf or cm.
constexpr double kLargestLikelyLoad = 99.0;
constexpr double kLargestLikelyDepth = 24.0;

// A path shorter than this is no file at all.
constexpr std::size_t kShortestPath = 2;

constexpr std::size_t kStartFolderLineLimit = 1024;

// A message naming a value of the program rather than a path. The name is cp932 text like the
// message itself, so it is put into the text here; the argument is kept for paths.
rave::Message NamingMessage(int id, const char* text, const char* name) {
    return rave::Message{id, rave::SubstitutePlaceholder(text, name), {}};
}

void ShowFileNotFound(const std::filesystem::path& path, rave::MessageSink& messages) {
    messages.Show(rave::Message{32790, kFileNotFound, path.string()});
}

// The emptying of an import: every row and conversion result, but not the header (its clearing
// is an option) and not the class field, which the refresh rebuilds.
void ClearRowsAndConversions(SoundingDocument& document) {
    for (int i = 1; i <= kMaxRows; ++i) {
        for (int f = field::kLoad; f < kRowFields; ++f) {
            document.Row(i)[f].clear();
        }
    }
    for (int i = 1; i <= kConversionEntries; ++i) {
        for (int f = 1; f <= kConversionFields; ++f) {
            document.Conversion(i)[f].clear();
        }
    }
}

// Line 1 of the file names the point and the date of the sounding, and an imported sounding
// always uses the JACIC soil-name table at a depth scale of 1/50.
void TakeHeaderFromFirstLine(const ImportFields& fields, const ImportColumnTexts& columns,
                             SoundingHeader& header) {
    // A column that is not in use gives no point number, so the one in the header stays.
    if (ImportColumnNumber(columns[kColumnPointNumber]) != 0) {
        header[slot::kPointNumber] = ImportedField(fields, columns, kColumnPointNumber);
    }
    const std::string& date = ImportedField(fields, columns, kColumnDate);
    if (date.size() >= 8) {
        header[7] = date.substr(0, 4);
        header[8] = date.substr(4, 2);
        header[9] = date.substr(6, 2);
    }
    header[slot::kDepthScale] = "50";
    header[slot::kSoilTableKind] = "1";
}

int ClampToInt(long value) {
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// The first line longer than the import reads, or 0.
int FirstOverlongLine(std::string_view bytes) {
    rave::LineCursor cursor(bytes, 0);
    std::string_view line;
    int number = 0;
    while (cursor.Next(line)) {
        ++number;
        if (line.size() > kImportLineLimit) {
            return number;
        }
    }
    return 0;
}

// Why row 1, read from `line`, has no depth, so that the sounding counts no row at all.
std::string NoDepthReason(int number, std::string_view line, ImportMode mode, const ImportFields& fields,
                          const ImportChoices& choices) {
    const int column = ImportColumnNumber(choices.columns[kColumnDepth]);
    if (column == 0) {
        return "貫入深さの列が指定されていません";
    }
    const int fieldCount = CountImportFields(line, mode);
    if (fieldCount < column) {
        return rave::FormatText("%d 行目は %d 列しかなく、貫入深さの %d 列目がありません", number, fieldCount,
                                column);
    }
    const std::string& depth = fields[static_cast<std::size_t>(column - 1)];
    if (rave::IsNumericStart(depth) > 0) {
        return {};
    }
    if (!depth.empty()) {
        // The value comes from the file: it is appended, never used as a format.
        return rave::FormatText("%d 行目の %d 列目（貫入深さ）が数値ではありません：", number, column) +
               std::string(rave::Cp932Prefix(depth, 40));
    }
    std::string reason = rave::FormatText("%d 行目の %d 列目（貫入深さ）が空です", number, column);
    const bool blanksInARow =
        line.find("  ") != line.npos || line.find('\t') != line.npos || line.front() == ' ';
    if (mode == ImportMode::kBlank && blanksInARow) {
        reason +=
            "。\nスペース区切りでは空白やタブの 1 つごとに列が分かれるため、"
            "空白が続くと間に空の列ができます";
    }
    return reason;
}

}  // namespace

ImportPreview ReadImportPreview(std::string_view bytes, ImportMode mode) {
    ImportPreview preview;
    rave::LineCursor cursor(bytes, kImportLineLimit);
    std::string_view line;
    while (preview.lineCount < kPreviewLines && cursor.Next(line)) {
        SplitImportLine(rave::StripLineEnd(line), mode,
                        preview.lines[static_cast<std::size_t>(preview.lineCount)]);
        ++preview.lineCount;
    }
    return preview;
}

int CountImportLines(std::string_view bytes) {
    rave::LineCursor cursor(bytes, kImportLineLimit);
    std::string_view line;
    int count = 0;
    while (cursor.Next(line)) {
        ++count;
    }
    return count;
}

std::vector<ImportListLine> ListImportLines(std::string_view bytes, ImportMode mode,
                                            const ImportChoices& choices) {
    std::vector<ImportListLine> list;
    rave::LineCursor cursor(bytes, kImportLineLimit);
    std::string_view line;
    ImportFields fields;
    int number = 0;
    while (cursor.Next(line)) {
        ImportListLine entry;
        entry.number = ++number;
        SplitImportLine(rave::StripLineEnd(line), mode, fields);
        entry.load = ImportedLoad(ImportedField(fields, choices.columns, kColumnLoad), choices.loadInKgf);
        entry.halfTurns = ImportedField(fields, choices.columns, kColumnHalfTurns);
        entry.depth = ImportedDepth(ImportedField(fields, choices.columns, kColumnDepth), choices.depthInCm);
        entry.soilName = ImportedField(fields, choices.columns, kColumnSoilName);
        list.push_back(std::move(entry));
    }
    return list;
}

void CheckImportPlausibility(const ImportPreview& preview, const ImportChoices& choices,
                             bool checkDepthIsNumber, rave::MessageSink& messages) {
    static const ImportFields kNoLine;
    const ImportFields& line1 = preview.lineCount >= 1 ? preview.lines[0] : kNoLine;
    const ImportFields& line2 = preview.lineCount >= 2 ? preview.lines[1] : kNoLine;
    if (!choices.loadInKgf &&
        rave::ParseDecimal(ImportedField(line1, choices.columns, kColumnLoad)) > kLargestLikelyLoad) {
        messages.Show(NamingMessage(4019, kCheckUnits, kLoadName));
    }
    const std::string& depth1 = ImportedField(line1, choices.columns, kColumnDepth);
    if (!choices.depthInCm && rave::ParseDecimal(depth1) > kLargestLikelyDepth) {
        messages.Show(NamingMessage(4019, kCheckUnits, kDepthName));
    }
    if (checkDepthIsNumber && rave::IsNumericStart(depth1) <= 0 &&
        rave::IsNumericStart(ImportedField(line2, choices.columns, kColumnDepth)) <= 0) {
        messages.Show(NamingMessage(4013, kAbnormalValue, kDepthName));
    }
}

int ImportRowsFromBytes(std::string_view bytes, ImportMode mode, const ImportChoices& choices, int fromLine,
                        int toLine, SoundingDocument& document, ImportReport* report) {
    ImportReport read;
    if (choices.clearHeader) {
        for (std::string& text : document.header.slots) {
            text.clear();
        }
    }
    ClearRowsAndConversions(document);

    rave::LineCursor cursor(bytes, kImportLineLimit);
    std::string_view rawLine;
    ImportFields fields;
    int number = 0;
    int stored = 0;
    std::string previousName;
    while (cursor.Next(rawLine)) {
        ++number;
        const std::string_view line = rave::StripLineEnd(rawLine);
        SplitImportLine(line, mode, fields);
        if (number == 1) {
            TakeHeaderFromFirstLine(fields, choices.columns, document.header);
        }
        if (number > toLine) {
            break;
        }
        // An empty line is no measurement: it would otherwise repeat the line before it or
        // leave a gap that ends the sounding.
        if (number < fromLine || line.empty()) {
            continue;
        }
        if (stored == kMaxRows) {
            // No room: the rest of the range is only counted, so the user is told what is missing.
            read.firstLeftOutLine = read.leftOut++ == 0 ? number : read.firstLeftOutLine;
            continue;
        }
        MeasuredRow& row = document.Row(++stored);
        row[field::kLoad] =
            ImportedLoad(ImportedField(fields, choices.columns, kColumnLoad), choices.loadInKgf);
        row[field::kHalfTurns] = ImportedField(fields, choices.columns, kColumnHalfTurns);
        row[field::kDepth] =
            ImportedDepth(ImportedField(fields, choices.columns, kColumnDepth), choices.depthInCm);
        const std::string& name = ImportedField(fields, choices.columns, kColumnSoilName);
        row[field::kSimpleSoilName] = name;
        row[field::kJacicSoilName] = name;
        // A soil name describes the layer down to its row, so of a run of equal names only the
        // last one is kept.
        if (choices.omitRepeatedNames && stored > 1 && !previousName.empty() && name == previousName) {
            document.Row(stored - 1)[field::kSimpleSoilName].clear();
            document.Row(stored - 1)[field::kJacicSoilName].clear();
        }
        previousName = name;
        if (stored == 1) {
            read.noDepthReason = NoDepthReason(number, line, mode, fields, choices);
            read.noDepthLine = read.noDepthReason.empty() ? 0 : number;
        }
    }
    if (stored > 0) {
        document.Row(1)[field::kAttribute] = "1";
        document.Row(stored)[field::kAttribute] = "2";
    }
    read.stored = stored;
    if (report != nullptr) {
        *report = std::move(read);
    }
    return stored;
}

void ShowImportReport(const ImportReport& report, int fromLine, int toLine, rave::MessageSink& messages) {
    if (report.stored == 0) {
        messages.Show(rave::Message{
            0, rave::FormatText("行範囲（%d～%d 行目）にデータのある行がありません", fromLine, toLine), {}});
    } else if (!report.noDepthReason.empty()) {
        messages.Show(rave::Message{
            0,
            "貫入深さのある行がありません。\n" + report.noDepthReason + "\n列No.と行範囲を確かめてください",
            {}});
    }
    if (report.leftOut > 0) {
        messages.Show(rave::Message{0,
                                    rave::FormatText("読み込めるのは %d 行までです。%d 行目から後の %d 行は"
                                                     "読み込みませんでした",
                                                     kMaxRows, report.firstLeftOutLine, report.leftOut),
                                    {}});
    }
}

std::optional<std::string> ReadImportText(const std::filesystem::path& path, rave::MessageSink& messages) {
    std::optional<std::string> bytes = rave::ReadFileBytes(path);
    if (!bytes) {
        ShowFileNotFound(path, messages);
        return std::nullopt;
    }
    std::string converted;
    const rave::ForeignText text = rave::DecodeForeignText(*bytes, converted);
    if (!text.ok) {
        messages.Show(rave::ForeignTextProblemMessage(text.problem));
        return std::nullopt;
    }
    if (text.encoding != rave::TextEncoding::kCp932) {
        bytes = std::move(converted);
    }
    if (const int line = FirstOverlongLine(*bytes); line > 0) {
        messages.Show(
            rave::Message{0,
                          rave::FormatText("%d 行目が長すぎて読めません（1 行 %d MB まで）\n( %%1 )", line,
                                           static_cast<int>(kImportLineLimit / (1024 * 1024))),
                          path.string()});
        return std::nullopt;
    }
    return bytes;
}

ForeignImport::ForeignImport(ImportMode mode, ImportChoices choices)
    : mode_(mode), choices_(std::move(choices)) {}

bool ForeignImport::ChooseFile(const std::filesystem::path& path, rave::MessageSink& messages) {
    path_ = path;
    preview_ = ImportPreview{};
    lineList_.clear();
    fileLastLine_ = 0;
    const auto bytes = ReadImportText(path_, messages);
    if (!bytes) {
        return false;
    }
    preview_ = ReadImportPreview(*bytes, mode_);
    return true;
}

void ForeignImport::AssignColumn(ImportColumn column, int columnNumber) {
    choices_.columns[static_cast<std::size_t>(column)] = rave::FormatText("%d", columnNumber);
}

void ForeignImport::SetRangeLine(bool toField, int lineNumber) {
    (toField ? choices_.toLine : choices_.fromLine) = rave::FormatText("%d", lineNumber);
}

bool ForeignImport::FillLineList(rave::MessageSink& messages) {
    if (path_.string().size() < kShortestPath) {
        messages.Show(rave::Message{32794, kNoFile, {}});
        return false;
    }
    const auto bytes = ReadImportText(path_, messages);
    if (!bytes) {
        return false;
    }
    preview_ = ReadImportPreview(*bytes, mode_);
    CheckImportPlausibility(preview_, choices_, true, messages);
    lineList_ = ListImportLines(*bytes, mode_, choices_);
    fileLastLine_ = static_cast<int>(lineList_.size());
    if (fileLastLine_ == 0) {
        messages.Show(rave::Message{4007, kNoData, {}});
        return false;
    }
    choices_.fromLine = "1";
    choices_.toLine = rave::FormatText("%d", fileLastLine_);
    return true;
}

void RefreshAfterImport(SoundingDocument& document, const ImportRefresh& refresh) {
    // Imports may leave rows without a depth in the middle, so the refresh covers every row that
    // holds anything, not only the counted ones.
    const int count = document.LastUsedRow();
    for (int i = 1; i <= count; ++i) {
        document.RecomputeRowDerived(i);
    }
    if (refresh.fillJacicPatterns) {
        refresh.fillJacicPatterns(document, count);
    }
    if (refresh.assignClassesAndConversions) {
        refresh.assignClassesAndConversions(document, count);
    }
}

void RefreshAfterImportCancelled(SoundingDocument& document, const ImportRefresh& refresh) {
    if (refresh.assignClassesAndConversions) {
        refresh.assignClassesAndConversions(document, document.RowCount());
    }
}

bool ForeignImport::Import(SoundingDocument& document, rave::MessageSink& messages,
                           const ImportRefresh& refresh, ImportReport* report) {
    if (report != nullptr) {
        *report = ImportReport{};
    }
    if (path_.string().size() < kShortestPath) {
        messages.Show(rave::Message{32794, kNoFile, {}});
        return false;
    }
    if (!AnyImportColumnAssigned(choices_.columns)) {
        messages.Show(rave::Message{4007, kNoData, {}});
    }
    // Read the file before touching the document: a file that has gone away must not cost the
    // user the rows already loaded.
    const auto bytes = ReadImportText(path_, messages);
    if (!bytes) {
        return false;
    }
    CheckImportPlausibility(ReadImportPreview(*bytes, mode_), choices_, false, messages);
    const int from = std::max(1, ClampToInt(rave::ParseInteger(choices_.fromLine)));
    int to = ClampToInt(rave::ParseInteger(choices_.toLine));
    if (to < 1) {
        // An empty to-field means "to the end", whether or not the line list was filled.
        to = CountImportLines(*bytes);
    }
    ImportReport read;
    ImportRowsFromBytes(*bytes, mode_, choices_, from, to, document, &read);
    if (refresh.fillEmptySettings) {
        refresh.fillEmptySettings(document);
    }
    document.pathName = path_.string();
    document.modified = false;
    RefreshAfterImport(document, refresh);
    ShowImportReport(read, from, to, messages);
    if (report != nullptr) {
        *report = std::move(read);
    }
    return true;
}

std::string ImportModeName(ImportMode mode) {
    return mode == ImportMode::kComma ? "CSV(カンマ区切り)" : "スペース区切り";
}

std::string ImportDialogCaption(ImportMode mode) {
    return ImportModeName(mode) + "外部ファイルを開く";
}

std::string ImportColumnLabel(ImportColumn column) {
    static const char* const kLabels[kImportColumnCount] = {"荷重Wsw kN", "半回転数Na", "貫入深さ  m",
                                                            "土質名",     "地点No",     ".年月日"};
    return kLabels[static_cast<std::size_t>(column)];
}

std::string ImportFileFilter(ImportMode mode) {
    return mode == ImportMode::kComma ? "CSV形式(*.csv)|*.csv|すべて(*.*)|*.*||"
                                      : "Text ﾃﾞﾙｶﾞ形式(txt gtd g25)|*.txt;*.gtd;*.g25|すべて(*.*)|*.*||";
}

std::string ImportDefaultExtension(ImportMode mode) {
    return mode == ImportMode::kComma ? "csv" : "txt";
}

std::string ImportPreviewLineHeading(int line) {
    return rave::FormatText(" %d行目", line);
}

std::string ImportNumberText(int number) {
    return rave::FormatText("%2d", number);
}

std::array<ImportListHeading, 5> ImportListHeadings() {
    return {{{"行No", 38}, {"Wsw", 36}, {"Na", 36}, {"Dep m", 46}, {"土質", 56}}};
}

std::string ImportStartFolder(const std::filesystem::path& installFolder) {
    const auto lines = rave::ReadTextLines(installFolder / "FileC.ndx", kStartFolderLineLimit);
    return lines && !lines->empty() ? lines->front() : std::string();
}

}  // namespace ravelog
