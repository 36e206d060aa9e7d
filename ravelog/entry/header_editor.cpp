// The header editor model: fields, pick lists, default titles, the Nsw-cap note and write back.
#include "ravelog/entry/header_editor.h"

#include "common/field_validation.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"

namespace ravelog {

namespace {

using Kind = HeaderFieldKind;

// The slots holding the titles of formats 1, 2 and 3, and the settings lines of their defaults.
constexpr int kTitleFormat3Slot = 27;
constexpr int kNoteFormat3First = 24;
constexpr int kNoteFormat3Last = 26;
constexpr int kFirstNoteSlot = 21;
constexpr int kNswCapSlot = 69;
constexpr int kTesterSlot = 10;
constexpr int kEraSlot = 6;
constexpr int kLoadingDeviceSlot = 16;
constexpr int kRotatingDeviceSlot = 17;
constexpr int kWeatherSlot = 18;
constexpr int kTitleFrameSlot = 28;
constexpr int kElevationUnitSlot = 87;

std::vector<HeaderField> BuildFields() {
    return {
        {slot::kSurveyName1, Kind::kText, "調査件名１"},
        {slot::kSurveyName2, Kind::kText, "調査件名２"},
        {slot::kPointNumber, Kind::kText, "地点番号"},
        {12, Kind::kText, "AP.TP種別"},
        {13, Kind::kText, "孔口標高 m"},
        {kTesterSlot, Kind::kEditableList, "試験者"},
        {kEraSlot, Kind::kEditableList, "測定年月日"},
        {7, Kind::kText, "年"},
        {8, Kind::kText, "月"},
        {9, Kind::kText, "日"},
        {kLoadingDeviceSlot, Kind::kEditableList, "載荷装置"},
        {kRotatingDeviceSlot, Kind::kEditableList, "回転装置"},
        {kWeatherSlot, Kind::kEditableList, "天候"},
        {33, Kind::kText, "メモ"},
        {29, Kind::kText, "調査業者名"},
        {slot::kReportFormat, Kind::kChoice, "表示様式"},
        {slot::kSoilTableKind, Kind::kChoice, "柱状図種別"},
        {slot::kDepthScale, Kind::kInteger, "深度縮尺 1/n"},
        {slot::kRowsPerPageChoice, Kind::kChoice, "1頁データ行数"},
        {kTitleFrameSlot, Kind::kFlag, "様式1のタイトルに枠線を付ける"},
        {14, Kind::kText, "北緯"},
        {15, Kind::kText, "東経"},
        {kElevationUnitSlot, Kind::kFlag, "孔口標高データがある時のみmを表示"},
        {21, Kind::kText, "様式1、2 特記事項 1"},
        {22, Kind::kText, "様式1、2 特記事項 2"},
        {23, Kind::kText, "様式1、2 特記事項 3"},
        {24, Kind::kText, "様式3 特記事項 1"},
        {25, Kind::kText, "様式3 特記事項 2"},
        {26, Kind::kText, "様式3 特記事項 3"},
        {slot::kTitleFormat1, Kind::kText, "様式1"},
        {slot::kTitleFormat2, Kind::kText, "様式2"},
        {kTitleFormat3Slot, Kind::kText, "様式3"},
    };
}

// The settings line holding the program's default title of a title slot; 0 for other slots.
int DefaultTitleLine(int titleSlot) {
    switch (titleSlot) {
        case slot::kTitleFormat1:
            return rave::sysline::kTitleFormat1;
        case slot::kTitleFormat2:
            return rave::sysline::kTitleFormat2;
        case kTitleFormat3Slot:
            return rave::sysline::kTitleFormat3;
        default:
            return 0;
    }
}

bool IsTextLike(Kind kind) {
    return kind == Kind::kText || kind == Kind::kEditableList || kind == Kind::kInteger;
}

}  // namespace

const std::vector<HeaderField>& HeaderEditorModel::Fields() {
    static const std::vector<HeaderField> fields = BuildFields();
    return fields;
}

const HeaderField* HeaderEditorModel::FieldOf(int slot) {
    for (const HeaderField& f : Fields()) {
        if (f.slot == slot) {
            return &f;
        }
    }
    return nullptr;
}

std::vector<std::string> HeaderEditorModel::ChoiceLabels(int slot) {
    switch (slot) {
        case slot::kReportFormat:
            return {"1  標準", "2  様式1＋柱状図", "3  柱状図と換算値"};
        case slot::kSoilTableKind:
            return {"シンプル版", "ＪＡＣＩＣ版"};
        case slot::kRowsPerPageChoice:
            return {"45 (標準)", "40 (1/50の時 1m=4行)", "48", "64", "80 (表のﾌｫﾝﾄ 7‐8推奨)", "", "", ""};
        default:
            return {};
    }
}

std::string HeaderEditorModel::Title() {
    return "スゥェーデン見出し";
}

std::string HeaderEditorModel::DepthScaleHint() {
    return "50→10m  100→20m";
}

HeaderEditorModel::HeaderEditorModel(const SoundingDocument& document, const rave::RavelogSettings& settings,
                                     std::vector<std::string> technicians)
    : settings_(settings), technicians_(std::move(technicians)) {
    for (const HeaderField& f : Fields()) {
        std::string text = document.header[f.slot];
        if (text.empty() && DefaultTitleLine(f.slot) != 0) {
            text = DefaultTitle(f.slot);
        }
        originals_[f.slot] = document.header[f.slot];
        texts_[f.slot] = std::move(text);
    }
    const std::string& cap = document.header[kNswCapSlot];
    if (rave::IsNumericStart(cap) > 0 && rave::ParseDecimal(cap) > 0) {
        noteProposal_ = rave::FormatText("qaの換算式においてNswが%sを超える場合は%sとする", cap, cap);
    }
}

const std::string& HeaderEditorModel::Text(int slot) const {
    return texts_.at(slot);
}

void HeaderEditorModel::SetText(int slot, std::string text) {
    const HeaderField* f = FieldOf(slot);
    if (f != nullptr && IsTextLike(f->kind)) {
        texts_[slot] = std::move(text);
    }
}

int HeaderEditorModel::Choice(int slot) const {
    const HeaderField* f = FieldOf(slot);
    if (f == nullptr || f->kind != Kind::kChoice) {
        return -1;
    }
    const std::string& text = texts_.at(slot);
    if (slot == slot::kSoilTableKind) {
        // Any non-zero value selects the JACIC table, as everywhere else in the program.
        return rave::ParseInteger(text) != 0 ? 1 : 0;
    }
    const std::optional<long> index = rave::ParseWholeNumberField(text);
    const long count = static_cast<long>(ChoiceLabels(slot).size());
    return index && *index >= 0 && *index < count ? static_cast<int>(*index) : -1;
}

void HeaderEditorModel::SetChoice(int slot, int index) {
    const HeaderField* f = FieldOf(slot);
    if (f != nullptr && f->kind == Kind::kChoice && index >= 0 &&
        index < static_cast<int>(ChoiceLabels(slot).size())) {
        texts_[slot] = rave::FormatText("%d", index);
    }
}

bool HeaderEditorModel::Flag(int slot) const {
    const HeaderField* f = FieldOf(slot);
    return f != nullptr && f->kind == Kind::kFlag && rave::ParseInteger(texts_.at(slot)) != 0;
}

void HeaderEditorModel::SetFlag(int slot, bool on) {
    const HeaderField* f = FieldOf(slot);
    if (f != nullptr && f->kind == Kind::kFlag) {
        texts_[slot] = on ? "1" : "0";
    }
}

std::vector<std::string> HeaderEditorModel::ListEntries(int slot) const {
    switch (slot) {
        case kTesterSlot:
            return technicians_;
        case kEraSlot:
            return {"令和", "平成", "昭和", ""};
        case kLoadingDeviceSlot:
            return {"人力", "自動", "おもり", ""};
        case kRotatingDeviceSlot:
            return {"人力", "自動", "ハンドル"};
        case kWeatherSlot:
            return {"快晴",         "晴",           "くもり",       "雨", "晴時々くもり",
                    "くもり時々雨", "晴一時くもり", "くもり一時雨", ""};
        default:
            return {};
    }
}

std::string HeaderEditorModel::DefaultTitle(int titleSlot) const {
    const int line = DefaultTitleLine(titleSlot);
    return line == 0 ? std::string() : settings_.Line(line);
}

void HeaderEditorModel::CopyDefaultTitle(int titleSlot) {
    if (DefaultTitleLine(titleSlot) != 0) {
        texts_[titleSlot] = DefaultTitle(titleSlot);
    }
}

void HeaderEditorModel::CopyNoteProposal(int noteSlot) {
    if (noteSlot >= kNoteFormat3First && noteSlot <= kNoteFormat3Last) {
        texts_[noteSlot] = noteProposal_;
    }
}

int HeaderEditorModel::ChooseRowsPerPage(int index) {
    SetChoice(slot::kRowsPerPageChoice, index);
    focusSlot_ = kFirstNoteSlot;
    return focusSlot_;
}

bool HeaderEditorModel::Commit(SoundingDocument& document, rave::MessageSink& messages) {
    for (const HeaderField& f : Fields()) {
        const std::string& text = texts_.at(f.slot);
        if (IsTextLike(f.kind) && !rave::CheckStorableText(text, messages)) {
            focusSlot_ = f.slot;
            return false;
        }
        // Each slot is one line of the file, and opening keeps a line of at most 399 bytes with
        // its line end: a longer text would be cut the next time the file is opened.
        if (IsTextLike(f.kind) && text.size() > kLongestSlotText) {
            messages.Show(rave::Message{
                0,
                rave::FormatText("「%s」が長すぎます。半角 %zu 文字（全角 %zu 文字）以内で入力してください。",
                                 f.label.c_str(), kLongestSlotText, kLongestSlotText / 2),
                {}});
            focusSlot_ = f.slot;
            return false;
        }
        if (f.kind == Kind::kInteger &&
            !rave::CheckIntegerInRange(text, kMinDepthScale, kMaxDepthScale, messages)) {
            focusSlot_ = f.slot;
            return false;
        }
    }
    bool changed = false;
    for (const HeaderField& f : Fields()) {
        std::string value;
        switch (f.kind) {
            case Kind::kText:
            case Kind::kEditableList:
                value = texts_.at(f.slot);
                break;
            case Kind::kInteger:
                value = rave::FormatText("%ld", *rave::ParseWholeNumberField(texts_.at(f.slot)));
                break;
            case Kind::kChoice: {
                const int index = Choice(f.slot);
                value = index >= 0 ? rave::FormatText("%d", index) : originals_.at(f.slot);
                break;
            }
            case Kind::kFlag:
                value = Flag(f.slot) ? "1" : "0";
                break;
        }
        std::string& target = document.header[f.slot];
        if (target != value) {
            target = std::move(value);
            changed = true;
        }
    }
    if (changed) {
        document.modified = true;
    }
    return true;
}

}  // namespace ravelog
