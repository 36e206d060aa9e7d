// The measured-row editor model: the private entry list, the entry area with its checks and
// aids, in-place cell editing, and the sorted write back into the document.
#include "ravelog/entry/row_editor.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "common/field_validation.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"

namespace ravelog {

namespace {

// Two depths within this distance (m) are the same depth for add, overwrite and live update.
constexpr double kSameDepthTolerance = 0.0001;
// Write back reports entries whose depths lie this close together.
constexpr double kEqualDepthTolerance = 0.000001;
// Auto increment proposes a depth only for a step larger than this (m).
constexpr double kMinIncrement = 0.01;
// The equal-depth report lists at most this many entries and stops growing past this length.
constexpr int kMaxEqualDepthLines = 6;
constexpr std::size_t kMaxEqualDepthReportBytes = 299;

constexpr int kNameColumn = column::kSoilName;
constexpr int kPatternColumn = column::kPattern;

// Header slots of the two graph options.
constexpr int kLengthAsNaSlot = 90;
constexpr int kInvalidWswNaSlot = 91;

// Values of settings line 18, the form depths are written back in.
constexpr long kDepthTwoDecimals = 0;
constexpr long kDepthAutomatic = 1;

const char* const kDepthWord = "深度";

rave::Message NumberedMessage(int id, const char* text) {
    return rave::Message{id, text, {}};
}

// Messages whose "%1" names the field compared (always the depth here). The word is put in
// now, since it is cp932 text like the message itself.
rave::Message DepthMessage(int id, const char* text) {
    return rave::Message{id, rave::SubstitutePlaceholder(text, kDepthWord), {}};
}

bool IsNumber(const std::string& text) {
    return rave::IsNumericStart(text) > 0;
}

double DepthOf(const RowEntry& entry) {
    return rave::ParseDecimal(entry[column::kDepth]);
}

bool AllColumnsEmpty(const RowEntry& entry) {
    for (int c = 0; c < kEntryColumns; ++c) {
        if (c != column::kMarks && !entry[c].empty()) {
            return false;
        }
    }
    return true;
}

// True when none of the stored fields 1..11 of a row holds text.
bool HoldsNothing(const MeasuredRow& row) {
    for (int f = field::kLoad; f <= field::kAttribute; ++f) {
        if (!row[f].empty()) {
            return false;
        }
    }
    return true;
}

// The class digit after the point of a pattern number: 0 when it carries none (no point, or
// "0", the form the tables write for a soil not used in calculation), else the character.
char PatternClassDigit(const std::string& pattern) {
    const std::size_t point = pattern.find('.');
    if (point == std::string::npos || point + 1 >= pattern.size() || pattern[point + 1] == '0') {
        return 0;
    }
    return pattern[point + 1];
}

// True when the value written with two decimals loses nothing.
bool HasAtMostTwoDecimals(double value) {
    const double hundredths = value * 100.0;
    return std::fabs(hundredths - std::round(hundredths)) < 1e-6;
}

// A typed text the sounding file can hold as one row field: no line break and no "$$" (the
// reader would take it for more lines or a section marker), and no double quote (the reader
// drops every quote, so it would be lost on the next open).
bool CheckRowText(const std::string& text, rave::MessageSink& messages) {
    if (!rave::CheckStorableText(text, messages)) {
        return false;
    }
    if (text.find('"') != std::string::npos) {
        messages.Show(rave::Message{0, "測定データには「\"」を含む文字は入力できません", {}});
        return false;
    }
    return true;
}

}  // namespace

std::string AttributeMarks(int attributeValue) {
    std::string marks;
    switch (attributeValue & (attribute::kLineAbove | attribute::kLineBelow)) {
        case attribute::kLineAbove:
            marks = "￢";
            break;
        case attribute::kLineBelow:
            marks = "＿";
            break;
        case attribute::kLineAbove | attribute::kLineBelow:
            marks = "＝";
            break;
        default:
            marks = ".";
            break;
    }
    if ((attributeValue & attribute::kUnderline) != 0) {
        marks += " _";
    }
    return marks;
}

RowEditorModel::RowEditorModel(SoundingDocument& document, const rave::RavelogSettings& settings,
                               RowEditorPickLists pickLists)
    : document_(document), settings_(settings), pickLists_(std::move(pickLists)) {
    const bool jacic = JacicActive();
    const int nameField = jacic ? field::kJacicSoilName : field::kSimpleSoilName;
    const int patternField = jacic ? field::kJacicPattern : field::kSimplePattern;
    const int otherNameField = jacic ? field::kSimpleSoilName : field::kJacicSoilName;
    const int otherPatternField = jacic ? field::kSimplePattern : field::kJacicPattern;
    const int last = document_.LastUsedRow();
    entries_.reserve(static_cast<std::size_t>(last));
    for (int i = 1; i <= last; ++i) {
        MeasuredRow& row = document_.Row(i);
        if (HoldsNothing(row)) {
            // A gap an import left: listing it would write an empty row at depth 0 on OK.
            continue;
        }
        // A row without a numeric depth is listed at depth 0, so it sorts first; the prefix goes
        // into the document itself.
        if (!IsNumber(row[field::kDepth])) {
            row[field::kDepth] = "0 " + row[field::kDepth];
        }
        RowEntry entry;
        entry[column::kDepth] = row[field::kDepth];
        entry[column::kLoad] = row[field::kLoad];
        entry[column::kHalfTurns] = row[field::kHalfTurns];
        entry[kNameColumn] = row[nameField];
        entry[kPatternColumn] = row[patternField];
        entry[column::kRemarks] = row[field::kRemarks];
        entry[column::kAttribute] = row[field::kAttribute];
        entry[column::kMarks] = AttributeMarks(static_cast<int>(rave::ParseInteger(row[field::kAttribute])));
        entry.inactiveName = row[otherNameField];
        entry.inactivePattern = row[otherPatternField];
        entries_.push_back(std::move(entry));
    }
    options.lengthAsNa = rave::ParseInteger(document_.header[kLengthAsNaSlot]) != 0;
    options.skipInvalidWswNa = rave::ParseInteger(document_.header[kInvalidWswNaSlot]) == 1;
    focus_ = FieldOrder().front();
}

std::string RowEditorModel::Title() {
    return "データ";
}

bool RowEditorModel::JacicActive() const {
    return rave::ParseInteger(document_.header[slot::kSoilTableKind]) != 0;
}

// --- layout ---

bool RowEditorModel::DepthFirst() const {
    return settings_.Int(rave::sysline::kDataInputOrder) == 1;
}

std::vector<EntryField> RowEditorModel::FieldOrder() const {
    if (DepthFirst()) {
        return {EntryField::kDepth,    EntryField::kLoad,    EntryField::kHalfTurns,
                EntryField::kSoilName, EntryField::kPattern, EntryField::kRemarks};
    }
    return {EntryField::kLoad,     EntryField::kHalfTurns, EntryField::kDepth,
            EntryField::kSoilName, EntryField::kPattern,   EntryField::kRemarks};
}

EntryField RowEditorModel::NextField(EntryField field) const {
    const std::vector<EntryField> order = FieldOrder();
    const auto at = std::find(order.begin(), order.end(), field);
    if (at == order.end() || at + 1 == order.end()) {
        return order.front();
    }
    return *(at + 1);
}

bool RowEditorModel::EnterMovesToNextField() const {
    return settings_.Int(rave::sysline::kEnterKey) == 1;
}

std::string RowEditorModel::FieldLabel(EntryField field) {
    switch (field) {
        case EntryField::kDepth:
            return "貫入深さm";
        case EntryField::kLoad:
            return "荷重 kN";
        case EntryField::kHalfTurns:
            return "半回転数";
        case EntryField::kSoilName:
            return "土質名";
        case EntryField::kPattern:
            return "ﾊﾟﾀｰﾝ";
        case EntryField::kRemarks:
            return "記事";
    }
    return {};
}

std::vector<std::string> RowEditorModel::ColumnHeadings() {
    return {"深さm", "Wsw", "Na", "土質名", "ﾊﾟﾀｰﾝ", "記事", "描画", "属性"};
}

int RowEditorModel::ColumnWidth(int columnIndex) {
    static constexpr int kWidths[kEntryColumns] = {62, 60, 60, 120, 60, 114, 36, 36};
    return columnIndex >= 0 && columnIndex < kEntryColumns ? kWidths[columnIndex] : 0;
}

// --- the entry area ---

const std::string& RowEditorModel::FieldText(EntryField field) const {
    return area_.at(static_cast<std::size_t>(field));
}

void RowEditorModel::SetFieldText(EntryField field, std::string text) {
    area_.at(static_cast<std::size_t>(field)) = std::move(text);
    if (field == EntryField::kSoilName && FieldText(EntryField::kSoilName).empty()) {
        area_.at(static_cast<std::size_t>(EntryField::kPattern)).clear();
    }
    if (field == EntryField::kSoilName || field == EntryField::kPattern) {
        UpdateMarks();
    }
}

void RowEditorModel::SetAttributeBit(int bit, bool on) {
    attribute_ = on ? (attribute_ | bit) : (attribute_ & ~bit);
    LiveUpdate();
}

void RowEditorModel::UpdateMarks() {
    const char digit = PatternClassDigit(FieldText(EntryField::kPattern));
    sandy_ = digit == '1';
    clayey_ = digit == '2';
}

void RowEditorModel::CheckPatternClass(rave::MessageSink& messages) const {
    const char digit = PatternClassDigit(FieldText(EntryField::kPattern));
    if (digit != 0 && digit != '1' && digit != '2') {
        messages.Show(NumberedMessage(row_message::kAbnormalClass, "砂質土粘性土の値が異常です"));
    }
}

RowEntry RowEditorModel::EntryFromArea() const {
    RowEntry entry;
    entry[column::kDepth] = FieldText(EntryField::kDepth);
    entry[column::kLoad] = FieldText(EntryField::kLoad);
    entry[column::kHalfTurns] = FieldText(EntryField::kHalfTurns);
    entry[kNameColumn] = FieldText(EntryField::kSoilName);
    entry[kPatternColumn] = FieldText(EntryField::kPattern);
    entry[column::kRemarks] = FieldText(EntryField::kRemarks);
    entry[column::kMarks] = AttributeMarks(attribute_);
    entry[column::kAttribute] = rave::FormatText("%d", attribute_);
    return entry;
}

void RowEditorModel::LoadArea(const RowEntry& entry) {
    area_[static_cast<std::size_t>(EntryField::kDepth)] = entry[column::kDepth];
    area_[static_cast<std::size_t>(EntryField::kLoad)] = entry[column::kLoad];
    area_[static_cast<std::size_t>(EntryField::kHalfTurns)] = entry[column::kHalfTurns];
    area_[static_cast<std::size_t>(EntryField::kSoilName)] = entry[kNameColumn];
    area_[static_cast<std::size_t>(EntryField::kPattern)] = entry[kPatternColumn];
    area_[static_cast<std::size_t>(EntryField::kRemarks)] = entry[column::kRemarks];
    attribute_ = static_cast<int>(rave::ParseInteger(entry[column::kAttribute]));
    UpdateMarks();
}

void RowEditorModel::ClearArea() {
    for (std::string& text : area_) {
        text.clear();
    }
    attribute_ = 0;
    UpdateMarks();
}

bool RowEditorModel::ValidateArea(rave::MessageSink* messages) const {
    const std::string& depth = FieldText(EntryField::kDepth);
    if (!IsNumber(depth)) {
        // Covers an empty entry too: without a depth nothing else can be stored.
        if (messages != nullptr) {
            messages->Show(NumberedMessage(row_message::kNoData, "データが無い、または不十分です."));
        }
        return false;
    }
    const double value = rave::ParseDecimal(depth);
    if (value < kMinEntryDepth || value > kMaxEntryDepth) {
        if (messages != nullptr) {
            messages->Show(NumberedMessage(row_message::kAbnormalValue, "数値が異常です"));
        }
        return false;
    }
    return true;
}

bool RowEditorModel::CheckArea(rave::MessageSink& messages) {
    for (std::size_t f = 0; f < area_.size(); ++f) {
        if (!CheckRowText(area_[f], messages)) {
            focus_ = static_cast<EntryField>(f);
            return false;
        }
    }
    if (!ValidateArea(&messages)) {
        focus_ = EntryField::kDepth;
        return false;
    }
    return true;
}

int RowEditorModel::FindDepth(double depth) const {
    for (int i = 1; i <= EntryCount(); ++i) {
        const RowEntry& entry = Entry(i);
        if (!IsNumber(entry[column::kDepth])) {
            break;
        }
        if (std::fabs(DepthOf(entry) - depth) <= kSameDepthTolerance) {
            return i;
        }
    }
    return 0;
}

void RowEditorModel::LiveUpdate() {
    if (selected_ == 0 || !ValidateArea(nullptr)) {
        return;
    }
    for (const std::string& text : area_) {
        if (!rave::IsStorableText(text) || text.find('"') != std::string::npos) {
            return;
        }
    }
    RowEntry& target = entries_.at(static_cast<std::size_t>(selected_ - 1));
    if (std::fabs(rave::ParseDecimal(FieldText(EntryField::kDepth)) - DepthOf(target)) >
        kSameDepthTolerance) {
        return;
    }
    RowEntry updated = EntryFromArea();
    updated.inactiveName = target.inactiveName;
    updated.inactivePattern = target.inactivePattern;
    if (updated.columns != target.columns) {
        target = std::move(updated);
        MarkChanged();
    }
}

// --- events ---

bool RowEditorModel::FieldLeft(EntryField field, rave::MessageSink& messages) {
    if (!CheckRowText(FieldText(field), messages)) {
        focus_ = field;
        return false;
    }
    if (field == EntryField::kLoad) {
        const std::string& load = FieldText(EntryField::kLoad);
        if (IsNumber(load) && rave::ParseDecimal(load) > kMaxPlausibleLoad) {
            messages.Show(NumberedMessage(row_message::kAbnormalLoad, "荷重Ｗsw(kN) の値が異常です"));
        }
    }
    if (field == EntryField::kPattern) {
        CheckPatternClass(messages);
    }
    LiveUpdate();
    return true;
}

bool RowEditorModel::Add(rave::MessageSink& messages) {
    if (selected_ != 0) {
        // The add buttons are disabled while an entry is selected.
        messages.Show(NumberedMessage(row_message::kAddFailed, "追加できません."));
        return false;
    }
    if (!CheckArea(messages)) {
        return false;
    }
    if (EntryCount() >= kMaxRows) {
        messages.Show(NumberedMessage(row_message::kListFull, "最大行数です. 追加できません."));
        return false;
    }
    if (FindDepth(rave::ParseDecimal(FieldText(EntryField::kDepth))) != 0) {
        messages.Show(
            DepthMessage(row_message::kSameDepth, "同じ %1データがあります.\n修正なら上書きしてください."));
        focus_ = EntryField::kDepth;
        return false;
    }
    entries_.push_back(EntryFromArea());
    MarkChanged();
    PrepareNextEntry(messages);
    return true;
}

std::string RowEditorModel::DepthProposal(int before) const {
    if (before < 2 || before > EntryCount()) {
        return {};
    }
    const double last = DepthOf(Entry(before));
    const double previous = DepthOf(Entry(before - 1));
    const double step = last - previous;
    // Typed depths such as 1.00 and 1.01 differ by a hair more than 0.01 in binary.
    if (step <= kMinIncrement + 1e-9) {
        return {};
    }
    const double next = last + step;
    // Two decimals is the usual form of a depth; a finer step keeps all its digits.
    return HasAtMostTwoDecimals(next) ? rave::FormatText("%.2f", next) : rave::FormatText("%g", next);
}

void RowEditorModel::PrepareNextEntry(rave::MessageSink& messages) {
    const int count = EntryCount();
    const std::string& name = FieldText(EntryField::kSoilName);
    if (options.repeatedNameWarning && count >= 2 && !name.empty() && Entry(count - 1)[kNameColumn] == name) {
        messages.Show(NumberedMessage(row_message::kRepeatedName,
                                      "同じ土質名が続く場合、途中深度での土質名入力は不要です.　\n"
                                      "ヘルプもご覧下さい."));
    }
    ClearArea();
    if (options.autoIncrement) {
        area_[static_cast<std::size_t>(EntryField::kDepth)] = DepthProposal(count);
    }
    if (options.sameLoad && count >= 1) {
        area_[static_cast<std::size_t>(EntryField::kLoad)] = Entry(count)[column::kLoad];
    }
    if (options.autoIncrement && options.sameLoad) {
        focus_ = EntryField::kHalfTurns;
    } else if (options.autoIncrement) {
        focus_ = EntryField::kLoad;
    } else {
        focus_ = EntryField::kDepth;
    }
}

bool RowEditorModel::Overwrite(rave::MessageSink& messages) {
    if (!CheckArea(messages)) {
        return false;
    }
    if (entries_.empty()) {
        messages.Show(NumberedMessage(row_message::kOverwriteFailed, "上書きできません."));
        return false;
    }
    const int target = FindDepth(rave::ParseDecimal(FieldText(EntryField::kDepth)));
    if (target == 0) {
        messages.Show(
            DepthMessage(row_message::kOverwriteNoDepth, "上書きできません、同じ %1 がありません."));
        focus_ = EntryField::kDepth;
        return false;
    }
    RowEntry& entry = entries_.at(static_cast<std::size_t>(target - 1));
    RowEntry replaced = EntryFromArea();
    replaced.inactiveName = entry.inactiveName;
    replaced.inactivePattern = entry.inactivePattern;
    entry = std::move(replaced);
    MarkChanged();
    ClearArea();
    selected_ = 0;
    focus_ = EntryField::kDepth;
    return true;
}

void RowEditorModel::DeleteSelected() {
    if (selected_ == 0) {
        return;
    }
    CancelCellEdit();
    entries_.erase(entries_.begin() + (selected_ - 1));
    selected_ = 0;
    ClearArea();
    MarkChanged();
}

void RowEditorModel::Click(int i) {
    if (i < 1 || i > EntryCount()) {
        selected_ = 0;
        return;
    }
    selected_ = i;
    LoadArea(Entry(i));
}

std::vector<const SoilPickList*> RowEditorModel::SoilLists() const {
    std::vector<const SoilPickList*> lists;
    if (JacicActive()) {
        for (const SoilPickList& list : pickLists_.jacicLists) {
            lists.push_back(&list);
        }
    } else {
        lists.push_back(&pickLists_.simpleList);
    }
    return lists;
}

void RowEditorModel::PickSoil(int list, int index, rave::MessageSink& messages) {
    const std::vector<const SoilPickList*> lists = SoilLists();
    if (list < 0 || list >= static_cast<int>(lists.size()) || index < 0 ||
        index >= static_cast<int>(lists[static_cast<std::size_t>(list)]->size())) {
        return;
    }
    const SoilPick& pick = lists[static_cast<std::size_t>(list)]->at(static_cast<std::size_t>(index));
    area_[static_cast<std::size_t>(EntryField::kSoilName)] = pick.name;
    area_[static_cast<std::size_t>(EntryField::kPattern)] = pick.pattern;
    UpdateMarks();
    CheckPatternClass(messages);
    LiveUpdate();
}

// --- in-place editing ---

int RowEditorModel::LastCellRow() const {
    return std::min(EntryCount() + 1, kMaxRows);
}

bool RowEditorModel::BeginCellEdit(int i, int columnIndex) {
    if (i < 1 || i > LastCellRow() || columnIndex < 0 || columnIndex > kLastEditableColumn) {
        return false;
    }
    editEntry_ = i;
    editColumn_ = columnIndex;
    editText_ = i <= EntryCount() ? Entry(i)[columnIndex] : std::string();
    if (editText_.empty() && columnIndex == column::kDepth && options.autoIncrement) {
        editText_ = DepthProposal(i - 1);
    } else if (editText_.empty() && columnIndex == column::kLoad && options.sameLoad && i >= 2) {
        editText_ = Entry(i - 1)[column::kLoad];
    }
    return true;
}

bool RowEditorModel::StoreCell(int i, int columnIndex, std::string text, rave::MessageSink& messages) {
    if (!CheckRowText(text, messages)) {
        return false;
    }
    if (i > EntryCount()) {
        // The empty row after the last entry: only text makes it an entry.
        if (text.empty()) {
            return true;
        }
        RowEntry entry;
        entry[column::kMarks] = AttributeMarks(0);
        entries_.push_back(std::move(entry));
    }
    RowEntry& entry = entries_.at(static_cast<std::size_t>(i - 1));
    if (entry[columnIndex] == text) {
        return true;
    }
    entry[columnIndex] = std::move(text);
    MarkChanged();
    if (columnIndex == kNameColumn && options.repeatedNameWarning && i >= 2 && !entry[kNameColumn].empty() &&
        Entry(i - 1)[kNameColumn] == entry[kNameColumn]) {
        messages.Show(NumberedMessage(row_message::kRepeatedName,
                                      "同じ土質名が続く場合、途中深度での土質名入力は不要です.　\n"
                                      "ヘルプもご覧下さい."));
    }
    if (i == selected_) {
        LoadArea(entry);
    }
    return true;
}

bool RowEditorModel::EndCellEdit(std::string text, rave::MessageSink& messages) {
    if (editEntry_ == 0) {
        return false;
    }
    editText_ = text;
    if (!StoreCell(editEntry_, editColumn_, std::move(text), messages)) {
        return false;
    }
    CancelCellEdit();
    return true;
}

bool RowEditorModel::MoveCellEdit(std::string text, int step, rave::MessageSink& messages) {
    if (editEntry_ == 0) {
        return false;
    }
    editText_ = text;
    if (!StoreCell(editEntry_, editColumn_, std::move(text), messages)) {
        return false;
    }
    const int target = editEntry_ + step;
    if (target < 1 || target > LastCellRow()) {
        return false;
    }
    return BeginCellEdit(target, editColumn_);
}

void RowEditorModel::CancelCellEdit() {
    editEntry_ = 0;
    editColumn_ = 0;
    editText_.clear();
}

// --- closing ---

bool RowEditorModel::Commit(const SoilNamePass& soilNames, rave::MessageSink& messages) {
    // Entries emptied completely by in-place edits hold nothing to keep.
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), AllColumnsEmpty), entries_.end());
    for (int i = 1; i <= EntryCount(); ++i) {
        if (!IsNumber(Entry(i)[column::kDepth])) {
            // A row without a numeric depth would end the sounding there; the user must fix it.
            Click(i);
            focus_ = EntryField::kDepth;
            messages.Show(NumberedMessage(row_message::kNoData, "データが無い、または不十分です."));
            return false;
        }
    }

    // Smallest depth first; entries of equal depth keep their list order.
    std::vector<int> order(entries_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return DepthOf(entries_[static_cast<std::size_t>(a)]) <
               DepthOf(entries_[static_cast<std::size_t>(b)]);
    });

    std::vector<MeasuredRow> before;
    before.reserve(kMaxRows);
    for (int i = 1; i <= kMaxRows; ++i) {
        before.push_back(document_.Row(i));
    }
    const std::string before90 = document_.header[kLengthAsNaSlot];
    const std::string before91 = document_.header[kInvalidWswNaSlot];

    const bool jacic = JacicActive();
    const int nameField = jacic ? field::kJacicSoilName : field::kSimpleSoilName;
    const int patternField = jacic ? field::kJacicPattern : field::kSimplePattern;
    const int otherNameField = jacic ? field::kSimpleSoilName : field::kJacicSoilName;
    const int otherPatternField = jacic ? field::kSimplePattern : field::kJacicPattern;
    const long depthFormat = settings_.Int(rave::sysline::kDepthStoreFormat);

    std::string report = "同じ深度があります\r\n";
    int reportLines = 0;
    int written = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const RowEntry& entry = entries_[static_cast<std::size_t>(order[k])];
        const double depth = DepthOf(entry);
        if (k > 0) {
            const double previous = DepthOf(entries_[static_cast<std::size_t>(order[k - 1])]);
            if (previous > 0 && std::fabs(depth - previous) <= kEqualDepthTolerance &&
                reportLines < kMaxEqualDepthLines && report.size() <= kMaxEqualDepthReportBytes) {
                report += rave::FormatText(" %s m %s", entry[column::kDepth], "\r\n");
                ++reportLines;
            }
        }
        MeasuredRow& row = document_.Row(++written);
        if (depthFormat == kDepthTwoDecimals) {
            row[field::kDepth] = rave::FormatText("%.2f", depth);
        } else if (depthFormat == kDepthAutomatic) {
            row[field::kDepth] = rave::FormatText("%g", depth);
        } else {
            row[field::kDepth] = entry[column::kDepth];
        }
        row[field::kLoad] = entry[column::kLoad];
        row[field::kHalfTurns] = entry[column::kHalfTurns];
        row[field::kRemarks] = entry[column::kRemarks];
        row[field::kAttribute] = entry[column::kAttribute];
        row[nameField] = entry[kNameColumn];
        row[patternField] = entry[kPatternColumn];
        row[otherNameField] = entry.inactiveName;
        row[otherPatternField] = entry.inactivePattern;
    }
    for (int i = written + 1; i <= kMaxRows; ++i) {
        MeasuredRow& row = document_.Row(i);
        for (int f = field::kLoad; f <= field::kAttribute; ++f) {
            row[f].clear();
        }
    }
    document_.header[kLengthAsNaSlot] = options.lengthAsNa ? "1" : "0";
    document_.header[kInvalidWswNaSlot] = options.skipInvalidWswNa ? "1" : "0";

    if (reportLines > 0) {
        messages.Show(rave::Message{0, report, {}});
    }

    bool documentChanged =
        document_.header[kLengthAsNaSlot] != before90 || document_.header[kInvalidWswNaSlot] != before91;
    for (int i = 1; i <= kMaxRows && !documentChanged; ++i) {
        const MeasuredRow& now = document_.Row(i);
        const MeasuredRow& was = before[static_cast<std::size_t>(i - 1)];
        for (int f = field::kLoad; f <= field::kAttribute; ++f) {
            if (f != field::kLength && f != field::kNsw && now[f] != was[f]) {
                documentChanged = true;
                break;
            }
        }
    }
    if (documentChanged) {
        document_.modified = true;
    }
    RefreshAfterRowEdit(document_, soilNames, messages);
    return true;
}

bool RowEditorModel::Cancel(rave::MessageSink& messages) {
    if (changed_ && !entries_.empty()) {
        const rave::Message question{0, "データが変更されましたが、キャンセルしてよいのですか？", {}};
        if (!messages.AskYesNo(question)) {
            return false;
        }
    }
    RefreshAfterRowEditCancelled(document_, messages);
    return true;
}

}  // namespace ravelog
