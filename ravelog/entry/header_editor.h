// The header editor ("見出し") as a model: the survey data, report format, titles, notes, depth
// scale and rows per page of one sounding, edited on a copy of the header slots.
//
// A dialog binds each widget to a header slot number and calls one method per user event. The
// model copies the slots in when it is built, keeps every field as cp932 text, and writes all of
// them back in Commit only; a dialog that is cancelled simply drops the model.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"
#include "ravelog/entry/entry_pick_lists.h"

namespace ravelog {

enum class HeaderFieldKind {
    kText,          // typed text, stored as typed
    kEditableList,  // typed or picked from a list, stored as typed
    kChoice,        // one of fixed choices, stored as its index ("%d")
    kFlag,          // check box, stored "0" / "1"
    kInteger,       // typed whole number within a range, stored "%d"
};

// The longest text a header slot keeps: its line of the file holds at most 399 bytes with the
// CR LF that ends it.
inline constexpr std::size_t kLongestSlotText = 397;

struct HeaderField {
    int slot = 0;
    HeaderFieldKind kind = HeaderFieldKind::kText;
    std::string label;  // cp932, as the dialog shows it
};

class HeaderEditorModel {
public:
    // Copies the slots of `document`. Empty title slots take the program's default titles from
    // `settings`; `technicians` fills the tester list (see LoadTechnicianList).
    HeaderEditorModel(const SoundingDocument& document, const rave::RavelogSettings& settings,
                      std::vector<std::string> technicians);

    // The dialog title.
    static std::string Title();
    // Every field of the editor, in the order the dialog shows them.
    static const std::vector<HeaderField>& Fields();
    // The field bound to `slot`; nullptr for a slot the editor does not edit.
    static const HeaderField* FieldOf(int slot);

    // Text and editable-list fields (and the depth scale, which is typed as text).
    const std::string& Text(int slot) const;
    void SetText(int slot, std::string text);

    // Choice fields: slot 31 (report format), 20 (soil-name table), 30 (rows per page).
    // -1 when the document holds a value that is none of the choices; such a value is kept
    // unless the user makes a choice.
    int Choice(int slot) const;
    void SetChoice(int slot, int index);
    static std::vector<std::string> ChoiceLabels(int slot);
    // The hint shown beside the depth scale.
    static std::string DepthScaleHint();

    // Flag fields: slots 28 and 87.
    bool Flag(int slot) const;
    void SetFlag(int slot, bool on);

    // The entries of an editable list: slot 10 (testers), 6 (era), 16, 17 (devices), 18 (weather).
    std::vector<std::string> ListEntries(int slot) const;

    // The proposed format-3 note about the Nsw cap of the qa formula (not stored); empty when the
    // document sets no cap.
    const std::string& NoteProposal() const { return noteProposal_; }

    // "Copy" beside a title (slot 92, 93 or 27): the program's default title into the field.
    void CopyDefaultTitle(int titleSlot);
    // "←" beside format-3 note line 1..3 (slot 24, 25 or 26): the proposal into that field.
    void CopyNoteProposal(int noteSlot);
    // A choice in the rows-per-page list; returns the slot of the field that takes the focus
    // next (the first note line).
    int ChooseRowsPerPage(int index);

    // Checks every field (the depth scale must be a whole number 5..500; no text may hold a line
    // break or "$$"). On failure shows the message, leaves the document alone and returns false;
    // FocusSlot() then names the field at fault. On success writes every field back, marks the
    // document modified when anything changed, and returns true. The caller redraws.
    bool Commit(SoundingDocument& document, rave::MessageSink& messages);
    int FocusSlot() const { return focusSlot_; }

    // The program's default title of a format title slot (92, 93, 27), from the settings.
    std::string DefaultTitle(int titleSlot) const;

private:
    const rave::RavelogSettings& settings_;
    std::vector<std::string> technicians_;
    std::map<int, std::string> texts_;  // every field's value as cp932 text, by slot
    std::map<int, std::string> originals_;
    std::string noteProposal_;
    int focusSlot_ = 0;
};

// The depth-scale range the editor accepts.
inline constexpr long kMinDepthScale = 5;
inline constexpr long kMaxDepthScale = 500;

}  // namespace ravelog
