// The editing mode of the section view and what a mouse press, move and release do in it.
//
// One session belongs to the section window. The point, layer and title dialogs set its mode; the
// view hands it the world position of every press, move and release while the mode captures the
// mouse. The session changes the document's points and titles in memory (the dialogs' OK writes
// the working files, Cancel re-reads them) and tells its listeners what changed: the view
// repaints, the layer dialog receives picked point numbers.
#pragma once

#include <functional>
#include <string>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/editing/edit_geometry.h"
#include "ravesect/editing/points_layers_draft.h"

namespace ravesect {

// The editing modes by their codes.
namespace edit_mode {
inline constexpr int kNone = 0;
inline constexpr int kPlaceTitle = 1;       // title dialog "追加": a click places the pending text
inline constexpr int kMoveTitle = 3;        // "位置修正": pick the nearest title, drop it at the release
inline constexpr int kTitleMarkers = 4;     // title markers shown, clicks do nothing
inline constexpr int kTitleDeleted = 8;     // after a title deletion
inline constexpr int kAddPoint = 11;        // point dialog "追加"
inline constexpr int kInsertPoint = 12;     // point dialog "挿入"
inline constexpr int kMovePoint = 13;       // point dialog "修正"
inline constexpr int kDeletePoint = 18;     // point dialog "削除"
inline constexpr int kPickLayerPoint = 21;  // the layer dialog's point-list box has the focus
inline constexpr int kLayerMarkers = 25;    // points shown for the layer dialog, clicks do nothing
inline constexpr int kHover = 99;           // the mouse went over the point dialog with no mode set
}  // namespace edit_mode

// No drag in progress.
inline constexpr double kNoDragPosition = -9999.99;

// True for the modes whose markers are the points, and for those whose markers are the titles.
bool ShowsPointMarkers(int mode);
bool ShowsTitleMarkers(int mode);

class EditSession {
public:
    EditSession(SectionDocument& document, rave::MessageSink& messages);

    int Mode() const { return mode_; }
    // Sets the mode and drops any pick or drag; listeners are told to repaint.
    void SetMode(int mode);

    // The number the next insertion (mode 12) takes.
    void SetInsertNumber(int n) { insertNumber_ = n; }
    int InsertNumber() const { return insertNumber_; }

    // Mode 1: the text, font number and entry (1..50) the next click places.
    void BeginTitlePlacement(int entry, const std::string& text, const std::string& font);
    int PendingTitleEntry() const { return pendingEntry_; }

    // True when the current mode captures the mouse from press to release.
    bool CapturesMouse() const;
    // The three mouse events at world positions. Press and release return true when they changed
    // something the view shows.
    bool Press(WorldPosition at);
    void Move(WorldPosition at);
    bool Release(WorldPosition at);

    int PickedPoint() const { return pickedPoint_; }
    int PickedTitle() const { return pickedTitle_; }
    // The position a point or title is being dragged to, x and y kNoDragPosition when none.
    WorldPosition DragPosition() const { return drag_; }
    bool Dragging() const { return drag_.x != kNoDragPosition; }

    SectionDocument& Document() { return document_; }
    const SectionDocument& Document() const { return document_; }
    // The committed points and layers beside the point and layer dialogs' pending edits.
    PointsLayersDraft& Draft() { return draft_; }
    // The point dialog's Cancel: the committed points come back, insertions are dropped.
    void RevertPointEdits();

    // Called after anything the view shows has changed.
    std::function<void()> onChanged;
    // Called when points or titles were changed by the mouse (the dialogs refresh their lists).
    std::function<void()> onPointsEdited;
    // An insertion moved points `from`.. up by one number, or (`back`) its drop moved them down
    // again; the document's layers already follow.
    std::function<void(int from, bool back)> onPointsRenumbered;
    std::function<void(int entry)> onTitleEdited;
    // Mode 21: the number of the point picked for the layer dialog's point list.
    std::function<void(int number)> onLayerPointPicked;
    // Mode 21: the button was released; the layer dialog refreshes.
    std::function<void()> onLayerPickDone;

private:
    void Changed();
    void ClearPick();
    bool PlaceTitle(WorldPosition at);

    SectionDocument& document_;
    rave::MessageSink& messages_;
    PointsLayersDraft draft_;
    int mode_ = edit_mode::kNone;
    int insertNumber_ = 1;
    int pickedPoint_ = 0;
    int pickedTitle_ = 0;
    bool buttonDown_ = false;
    WorldPosition drag_{kNoDragPosition, kNoDragPosition};
    int pendingEntry_ = 0;
    std::string pendingText_;
    std::string pendingFont_;
};

}  // namespace ravesect
