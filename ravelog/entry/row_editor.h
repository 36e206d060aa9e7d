// The measured-row editor ("データ") as a model.
//
// The editor works on a private list of up to 1350 entries copied from the measured rows. The
// user fills the entry area (depth, load, half turns, soil name, pattern number, remarks and the
// drawing attribute) and adds, overwrites or deletes entries, or edits cells of the list in
// place. Nothing reaches the document before Commit, which writes the list back sorted by depth
// and refreshes the derived data; the only exception is made at opening, when a row whose depth
// is not a number gets "0 " put in front of it so that it can be listed and sorted.
//
// A dialog binds its widgets to the texts, list rows and enable states exposed here and calls
// one method per user event. Messages and questions go through the MessageSink given to each
// event.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"
#include "ravelog/entry/entry_pick_lists.h"
#include "ravelog/entry/refresh.h"

namespace ravelog {

// Columns of an entry, in the order the list shows them.
namespace column {
inline constexpr int kDepth = 0;
inline constexpr int kLoad = 1;
inline constexpr int kHalfTurns = 2;
inline constexpr int kSoilName = 3;
inline constexpr int kPattern = 4;
inline constexpr int kRemarks = 5;
inline constexpr int kMarks = 6;  // the attribute as marks, display only
inline constexpr int kAttribute = 7;
}  // namespace column
inline constexpr int kEntryColumns = 8;
// Columns 0..5 can be edited in place.
inline constexpr int kLastEditableColumn = column::kRemarks;

struct RowEntry {
    std::array<std::string, kEntryColumns> columns;
    // The soil name and pattern number of the table that is not active (fields 9 and 10 while
    // the simple table is active, else 7 and 8). Not shown; they travel with the entry so that
    // sorting on write back keeps them with their own depth. Empty for new entries.
    std::string inactiveName;
    std::string inactivePattern;
    std::string& operator[](int c) { return columns.at(static_cast<std::size_t>(c)); }
    const std::string& operator[](int c) const { return columns.at(static_cast<std::size_t>(c)); }
};

// The text fields of the entry area. Their values are the texts of columns 0..5.
enum class EntryField { kDepth, kLoad, kHalfTurns, kSoilName, kPattern, kRemarks };
inline constexpr int kEntryFields = 6;

// Bits of the drawing attribute (row field 11).
namespace attribute {
inline constexpr int kLineAbove = 1;  // "0に戻る上線"
inline constexpr int kLineBelow = 2;  // "0に戻る下線"
inline constexpr int kUnderline = 4;  // "下線"
}  // namespace attribute

// The attribute as the list shows it: a dot for none, a mark for the line above, the line below
// or both, followed by " _" when the underline bit is set.
std::string AttributeMarks(int attributeValue);

// String numbers of the editor's messages.
namespace row_message {
inline constexpr int kAddFailed = 901;         // "追加できません."
inline constexpr int kListFull = 902;          // "最大行数です. 追加できません."
inline constexpr int kNoData = 903;            // "データが無い、または不十分です."
inline constexpr int kOverwriteFailed = 904;   // "上書きできません."
inline constexpr int kOverwriteNoDepth = 907;  // "上書きできません、同じ %1 がありません."
inline constexpr int kSameDepth = 908;  // "同じ %1データがあります.\n修正なら上書きしてください."
inline constexpr int kRepeatedName = 803;    // a repeated soil name need not be typed again
inline constexpr int kAbnormalValue = 4006;  // "数値が異常です"
inline constexpr int kAbnormalClass = 4010;  // "砂質土粘性土の値が異常です"
inline constexpr int kAbnormalLoad = 4012;   // "荷重Ｗsw(kN) の値が異常です"
}  // namespace row_message

// Depths the editor accepts, in m.
inline constexpr double kMinEntryDepth = -1.0;
inline constexpr double kMaxEntryDepth = 3000.0;
// A load above this (kN) is questioned when the load field is left.
inline constexpr double kMaxPlausibleLoad = 99.0;

// Options of the editor. The last two are stored in header slots 91 and 90 on commit.
struct RowEditorOptions {
    bool autoIncrement = true;        // "自動増分"
    bool sameLoad = true;             // "前行と同じ"
    bool repeatedNameWarning = true;  // "同じ土質名が続く時、メッセージを表示"
    bool skipInvalidWswNa = false;    // slot 91: false "次の有効デ-タ使用", true "スキップ"
    bool lengthAsNa = false;          // slot 90: "貫入量もNa文字"
};

class RowEditorModel {
public:
    // Opens the editor on `document`: lists rows 1..LastUsedRow, putting "0 " before every depth
    // that is not a number (in the document itself). `settings` gives the field order (line 1)
    // and the depth format of the write back (line 18); both must outlive the model.
    RowEditorModel(SoundingDocument& document, const rave::RavelogSettings& settings,
                   RowEditorPickLists pickLists = {});

    static std::string Title();

    // --- layout ---
    // True for the depth-first layout (depth, load, half turns), else load first.
    bool DepthFirst() const;
    // The fields in the order of the layout: the three numbers, then soil name, pattern, remarks.
    std::vector<EntryField> FieldOrder() const;
    // The field after `field` in the layout (Enter with the "次に移動" key setting); the last
    // field is followed by the first.
    EntryField NextField(EntryField field) const;
    // True when Enter in an entry field moves to the next field (settings line 100 is 1).
    bool EnterMovesToNextField() const;
    static std::string FieldLabel(EntryField field);
    static std::vector<std::string> ColumnHeadings();
    static int ColumnWidth(int column);

    // --- the list ---
    int EntryCount() const { return static_cast<int>(entries_.size()); }
    const RowEntry& Entry(int i) const { return entries_.at(static_cast<std::size_t>(i - 1)); }  // 1-based
    int Selected() const { return selected_; }  // 0 when none
    bool AddEnabled() const { return selected_ == 0; }
    bool DeleteEnabled() const { return selected_ != 0; }
    bool Changed() const { return changed_; }

    // --- the entry area ---
    const std::string& FieldText(EntryField field) const;
    // Typing into a field. Emptying the soil name also empties the pattern number; the pattern
    // number sets the sandy and clayey marks.
    void SetFieldText(EntryField field, std::string text);
    int Attribute() const { return attribute_; }
    bool AttributeBit(int bit) const { return (attribute_ & bit) != 0; }
    // A check box of the attribute; updates the selected entry like leaving a field.
    void SetAttributeBit(int bit, bool on);
    bool SandyMark() const { return sandy_; }
    bool ClayeyMark() const { return clayey_; }
    // The field that should have the focus after the last event.
    EntryField FocusField() const { return focus_; }

    RowEditorOptions options;
    const RowEditorPickLists& PickLists() const { return pickLists_; }

    // --- events ---
    // A field loses the focus: the checks of that field, then the live update of the selected
    // entry. False when the text cannot be stored (the message was shown).
    bool FieldLeft(EntryField field, rave::MessageSink& messages);
    // "データ追加": validates the entry area and appends it as the last entry.
    bool Add(rave::MessageSink& messages);
    // "上書き": replaces the entry whose depth equals the entered depth.
    bool Overwrite(rave::MessageSink& messages);
    // "行削除": deletes the selected entry without a question.
    void DeleteSelected();
    // A click on entry `i` selects it and loads it into the entry area; 0 clears the selection.
    void Click(int i);
    // The soil-name lists of the active table (slot 20): the JACIC lists, or the simple list.
    std::vector<const SoilPickList*> SoilLists() const;
    // A pick in soil-name list `list` (0-based, as SoilLists gives them): name and pattern
    // number into the entry area, then the checks of the pattern field and the live update.
    void PickSoil(int list, int index, rave::MessageSink& messages);

    // --- in-place editing of cells (columns 0..5) ---
    // Entry EntryCount()+1 is the empty row after the last entry: text stored there becomes a
    // new entry. An empty depth or load cell starts with the proposal of "自動増分" or "前行と同じ".
    // False when the cell cannot be edited (beyond the row after the last entry, beyond 1350,
    // or a display-only column).
    bool BeginCellEdit(int i, int columnIndex);
    bool EditingCell() const { return editEntry_ != 0; }
    int EditedEntry() const { return editEntry_; }
    int EditedColumn() const { return editColumn_; }
    const std::string& CellEditorText() const { return editText_; }
    // Leaving the in-place editor stores its text. False when the text cannot be stored.
    bool EndCellEdit(std::string text, rave::MessageSink& messages);
    // Arrow up (-1) or down (+1): stores the text and moves the editor to the same column of
    // the previous or next entry. False, with the editor left where it is, when it cannot move.
    bool MoveCellEdit(std::string text, int step, rave::MessageSink& messages);
    void CancelCellEdit();

    // --- closing ---
    // "OK": every entry must have a numeric depth (else it is selected and refused with 903;
    // entries left with no text at all are dropped). Writes the list back sorted by depth,
    // reports equal depths, stores slots 90 and 91, marks the document modified when anything
    // changed, and runs the refresh of a committed row edit.
    bool Commit(const SoilNamePass& soilNames, rave::MessageSink& messages);
    // "ｷｬﾝｾﾙ": asks first when the list was changed and is not empty; false when the user chose
    // to stay. On closing, only the classes and conversions are rebuilt.
    bool Cancel(rave::MessageSink& messages);

private:
    RowEntry EntryFromArea() const;
    void LoadArea(const RowEntry& entry);
    void ClearArea();
    void UpdateMarks();
    // 903 or 4006 through `messages` when given; silent otherwise.
    bool ValidateArea(rave::MessageSink* messages) const;
    // The texts of the entry area, then ValidateArea; on failure the focus goes to the field at
    // fault.
    bool CheckArea(rave::MessageSink& messages);
    void CheckPatternClass(rave::MessageSink& messages) const;
    // The entry (1-based) whose depth lies within 0.0001 m of `depth`, searching from the top
    // and stopping at the first entry whose depth is not a number; 0 when none.
    int FindDepth(double depth) const;
    void LiveUpdate();
    void PrepareNextEntry(rave::MessageSink& messages);
    // The auto-increment proposal for the entry after the first `before` entries; empty when
    // there is none.
    std::string DepthProposal(int before) const;
    bool StoreCell(int i, int columnIndex, std::string text, rave::MessageSink& messages);
    void MarkChanged() { changed_ = true; }
    bool JacicActive() const;
    int LastCellRow() const;

    SoundingDocument& document_;
    const rave::RavelogSettings& settings_;
    RowEditorPickLists pickLists_;
    std::vector<RowEntry> entries_;
    std::array<std::string, kEntryFields> area_;
    int attribute_ = 0;
    bool sandy_ = false;
    bool clayey_ = false;
    EntryField focus_ = EntryField::kDepth;
    int selected_ = 0;
    bool changed_ = false;
    int editEntry_ = 0;
    int editColumn_ = 0;
    std::string editText_;
};

}  // namespace ravelog
