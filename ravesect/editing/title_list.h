// The title dialog's model: the 50 title entries as its list rows, the edit boxes of one entry,
// and the rules of "追加", "位置修正", "上書き", "削除", "↑", "↓" and OK.
//
// The rows are the document's title entries themselves, so the view always draws what the list
// shows; OK writes "TmpP.tmp" (after reporting repeated titles), Cancel re-reads it.
#pragma once

#include <string>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"
#include "ravesect/editing/edit_session.h"

namespace ravesect {

// The longest title text (bytes) whose line the section file reads back whole, with `font` and
// any position on the section (a longer line loses its tail and the font number on reload).
std::size_t TitleTextLimit(const std::string& text, const std::string& font);

class TitleListModel {
public:
    TitleListModel(EditSession& session, rave::MessageSink& messages);

    // A new opening: the first deletion asks again.
    void Load();
    const TitleText& Row(int row) const { return session_.Document().Title(row); }

    // The edit boxes.
    std::string number;  // the entry the box refers to, 1..50
    std::string text;
    std::string font;
    std::string x;  // x 10 m
    std::string y;  // m

    // Fills the boxes from entry `row` ("%.2f" positions, empty for a free entry).
    void SelectRow(int row);
    // The entry after the last one in use (1 for an empty list), 51 when all are in use.
    int NextEntry() const;

    // "追加": the text is placed by the next click on the section (mode 1). False with string
    // 4008 for an empty text, 4001 when all 50 entries are in use, and a message for a text
    // longer than TitleTextLimit.
    bool Add();
    // "位置修正": mode 3. False with string 4012 when the number box names no entry.
    bool BeginMove();
    // "上書き": the entry of the number box gets the boxes. False (with a message) when the number,
    // X, Y or font number is unsuitable or the text too long.
    bool Overwrite();
    // "削除": after the question (only the first deletion of one opening asks) the entry becomes
    // free and mode 8 is set so the view repaints.
    bool DeleteRow(int row);
    // "↑" / "↓": swaps the entry with its neighbour; returns its new row.
    int MoveRowUp(int row);
    int MoveRowDown(int row);

    // The warning OK shows for rows that repeat an earlier row's text at the same X or Y; empty
    // when there are none.
    std::string RepeatedTitlesWarning() const;
    // OK: the warning (when there is one), then "TmpP.tmp" is written.
    bool Commit(const WorkingFiles& files);
    // Cancel: the titles re-read from "TmpP.tmp".
    void Revert(const WorkingFiles& files);

private:
    bool RowNumber(int& row) const;
    // False after a message when the text box is longer than its line can hold.
    bool TextFits() const;

    EditSession& session_;
    rave::MessageSink& messages_;
    bool deletionConfirmed_ = false;
};

}  // namespace ravesect
