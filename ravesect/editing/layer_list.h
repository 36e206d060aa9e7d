// The layer dialog's model: 20 rows of layer number, point list, colour, hatch and line mode, the
// edit boxes of one layer, and the rules of "追加 上書き↓", "削除", "↑", "↓" and "図 更新".
//
// The rows are a copy of the document's layers; a row the document leaves empty gets the lowest
// layer number not yet used, so every row has a number to be addressed by. After every change
// the rows that have a point list are put into the document (in row order, so no empty row ends
// the list before a later layer) and the view can repaint. OK writes "SmpP.tmp", Cancel re-reads it.
#pragma once

#include <array>
#include <string>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"

namespace ravesect {

class LayerListModel {
public:
    LayerListModel(SectionDocument& document, rave::MessageSink& messages);

    // Rows 1..20 as the document holds them now (the first deletion asks again).
    void Load();
    const LayerOutline& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    // The point list as the list shows it: at most the first 50 characters.
    std::string ShownPoints(int row) const;

    // The edit boxes.
    std::string number;
    std::string points;  // "2,7,9" while clicking
    std::string colour;  // "0x%06x"
    std::string hatch;
    std::string lineMode;

    // Fills the edit boxes from a row.
    void SelectRow(int row);
    // A point picked on the section: "%d" when the box is empty or ends with a comma, else ",%d".
    void AppendPoint(int pointNumber);
    // The colour chosen in the colour chooser, as "0x%06x".
    void SetColour(long colorRef);

    // "追加 上書き↓": stores the edit boxes into the row whose number equals the number box.
    // Returns the row, or 0 when nothing was stored (a message says why).
    int StoreBoxes();
    // "削除": empties the row's point list, colour, hatch and line mode (its number stays) after the
    // question, which only the first deletion of one opening asks. True when emptied.
    bool DeleteRow(int row);
    // "↑" / "↓": swaps the row with its neighbour; returns the row's new index (unchanged at the ends).
    int MoveRowUp(int row);
    int MoveRowDown(int row);
    // Puts the rows into the document ("図 更新" and after every change).
    void ApplyToDocument() const;
    // Points `from`.. moved up by one number (an insertion), or down again (`back`, the insertion
    // dropped): the rows and a valid point-list box follow, as the document's layers did.
    void FollowRenumberedPoints(int from, bool back);

    // OK: the rows into the document, then "SmpP.tmp" written. False when the file could not be.
    bool Commit(const WorkingFiles& files);
    // Cancel: the points and layers re-read from "SmpP.tmp".
    void Revert(const WorkingFiles& files);

private:
    SectionDocument& document_;
    rave::MessageSink& messages_;
    std::array<LayerOutline, kLayers + 1> rows_;
    bool deletionConfirmed_ = false;
};

// Parses a typed point list ("2,7,9" or "2,7,9,"): every item a point number 1..200, at most 100.
// False when an item is not.
bool ParsePointList(const std::string& text, std::vector<int>& numbers);

}  // namespace ravesect
