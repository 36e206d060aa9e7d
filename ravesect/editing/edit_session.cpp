// What the mouse does in each editing mode.
#include "ravesect/editing/edit_session.h"

#include "ravesect/editing/editing_messages.h"
#include "ravesect/editing/point_editing.h"

namespace ravesect {

bool ShowsPointMarkers(int mode) {
    switch (mode) {
        case edit_mode::kAddPoint:
        case edit_mode::kInsertPoint:
        case edit_mode::kMovePoint:
        case edit_mode::kDeletePoint:
        case edit_mode::kPickLayerPoint:
        case edit_mode::kLayerMarkers:
            return true;
        default:
            return false;
    }
}

bool ShowsTitleMarkers(int mode) {
    return mode == edit_mode::kPlaceTitle || mode == edit_mode::kMoveTitle ||
           mode == edit_mode::kTitleMarkers || mode == edit_mode::kTitleDeleted;
}

EditSession::EditSession(SectionDocument& document, rave::MessageSink& messages)
    : document_(document), messages_(messages), draft_(document) {}

void EditSession::Changed() {
    if (onChanged) {
        onChanged();
    }
}

void EditSession::ClearPick() {
    pickedPoint_ = 0;
    pickedTitle_ = 0;
    buttonDown_ = false;
    drag_ = {kNoDragPosition, kNoDragPosition};
}

void EditSession::SetMode(int mode) {
    mode_ = mode;
    ClearPick();
    if (mode != edit_mode::kPlaceTitle) {
        pendingEntry_ = 0;
    }
    Changed();
}

void EditSession::BeginTitlePlacement(int entry, const std::string& text, const std::string& font) {
    pendingText_ = text;
    pendingFont_ = font;
    mode_ = edit_mode::kPlaceTitle;
    ClearPick();
    pendingEntry_ = entry;
    Changed();
}

void EditSession::RevertPointEdits() {
    for (const int from : draft_.RevertPoints()) {
        if (onPointsRenumbered) {
            onPointsRenumbered(from, true);
        }
    }
    Changed();
}

bool EditSession::CapturesMouse() const {
    switch (mode_) {
        case edit_mode::kPlaceTitle:
        case edit_mode::kMoveTitle:
        case edit_mode::kAddPoint:
        case edit_mode::kInsertPoint:
        case edit_mode::kMovePoint:
        case edit_mode::kDeletePoint:
        case edit_mode::kPickLayerPoint:
        case edit_mode::kHover:
            return true;
        default:
            return false;
    }
}

bool EditSession::PlaceTitle(WorldPosition at) {
    if (pendingEntry_ < 1 || pendingEntry_ > kTitleEntries) {
        messages_.Show(NoMoreDataMessage());
        SetMode(edit_mode::kNone);
        return false;
    }
    TitleText& title = document_.Title(pendingEntry_);
    title.x = at.x;
    title.y = at.y;
    title.text = pendingText_;
    title.font = pendingFont_;
    const int placed = pendingEntry_;
    if (onTitleEdited) {
        onTitleEdited(placed);
    }
    if (placed >= kTitleEntries) {
        // The last entry is filled: nothing more can be placed.
        messages_.Show(NoMoreDataMessage());
        SetMode(edit_mode::kNone);
        return true;
    }
    pendingEntry_ = placed + 1;
    Changed();
    return true;
}

bool EditSession::Press(WorldPosition at) {
    buttonDown_ = true;
    switch (mode_) {
        case edit_mode::kHover:
            SetMode(edit_mode::kNone);
            return true;
        case edit_mode::kPlaceTitle:
            return PlaceTitle(at);
        case edit_mode::kAddPoint:
        case edit_mode::kInsertPoint: {
            const bool inserting = mode_ == edit_mode::kInsertPoint;
            const bool shifts = inserting && document_.Point(InsertNumberFor(insertNumber_)).IsDefined();
            const int n = inserting ? InsertPoint(document_, insertNumber_, at.x, at.y)
                                    : AddPoint(document_, at.x, at.y);
            if (n == 0) {
                messages_.Show(NoMoreDataMessage());
                buttonDown_ = false;
                return false;
            }
            if (shifts) {
                draft_.PointsShifted(n);
                if (onPointsRenumbered) {
                    onPointsRenumbered(n, false);
                }
            }
            pickedPoint_ = n;
            if (onPointsEdited) {
                onPointsEdited();
            }
            Changed();
            return true;
        }
        case edit_mode::kMovePoint:
        case edit_mode::kDeletePoint:
            pickedPoint_ = NearestPoint(document_, at.x, at.y);
            Changed();
            return pickedPoint_ != 0;
        case edit_mode::kMoveTitle:
            pickedTitle_ = NearestTitle(document_, at.x, at.y);
            Changed();
            return pickedTitle_ != 0;
        case edit_mode::kPickLayerPoint: {
            const int n = NearestPoint(document_, at.x, at.y);
            if (n != 0 && onLayerPointPicked) {
                onLayerPointPicked(n);
            }
            return n != 0;
        }
        default:
            buttonDown_ = false;
            return false;
    }
}

void EditSession::Move(WorldPosition at) {
    if (!buttonDown_) {
        return;
    }
    const bool draggingPoint = mode_ == edit_mode::kMovePoint && pickedPoint_ != 0;
    const bool draggingTitle = mode_ == edit_mode::kMoveTitle && pickedTitle_ != 0;
    if (draggingPoint || draggingTitle) {
        drag_ = at;
        Changed();
    }
}

bool EditSession::Release(WorldPosition at) {
    if (!buttonDown_) {
        return false;
    }
    buttonDown_ = false;
    drag_ = {kNoDragPosition, kNoDragPosition};
    switch (mode_) {
        case edit_mode::kMovePoint:
            if (pickedPoint_ != 0 && MovePoint(document_, pickedPoint_, at.x, at.y)) {
                if (onPointsEdited) {
                    onPointsEdited();
                }
                Changed();
                return true;
            }
            return false;
        case edit_mode::kDeletePoint: {
            const int n = pickedPoint_;
            if (n == 0) {
                return false;
            }
            const bool yes = messages_.AskYesNo(DeletePointQuestion());
            pickedPoint_ = 0;
            if (yes && DeletePoint(document_, n) && onPointsEdited) {
                onPointsEdited();
            }
            Changed();
            return yes;
        }
        case edit_mode::kMoveTitle: {
            const int n = pickedTitle_;
            if (n == 0) {
                return false;
            }
            document_.Title(n).x = at.x;
            document_.Title(n).y = at.y;
            if (onTitleEdited) {
                onTitleEdited(n);
            }
            Changed();
            return true;
        }
        case edit_mode::kPickLayerPoint:
            if (onLayerPickDone) {
                onLayerPickDone();
            }
            return false;
        default:
            return false;
    }
}

}  // namespace ravesect
