// The point, layer and title dialogs of Ravesect's window and their mouse editing, and the
// layer proposal that writes points, layers and titles at once.
//
// One SectionEditing object, owned by the main window, holds the editing session (the mode and
// what the mouse picked) and the three modeless dialogs. It gives the view its mouse handlers and
// the marker drawing, opens a dialog from its menu command (or brings an open one to the front),
// and keeps the open dialogs' lists in step with the document after every undo or commit.
#include <QAction>
#include <QPointer>
#include <QUndoStack>

#include "ravesect/app/command_install.h"
#include "ravesect/app/dialog_placement.h"
#include "ravesect/app/layer_dialog.h"
#include "ravesect/app/layer_proposal_dialog.h"
#include "ravesect/app/point_dialog.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/section_view.h"
#include "ravesect/app/title_dialog.h"
#include "ravesect/editing/edit_markers.h"

namespace ravesect::app {

namespace {

class SectionEditing : public QObject {
public:
    explicit SectionEditing(SectionFrame& frame)
        : QObject(&frame), frame_(frame), session_(frame.Document(), frame.Messages()) {
        setObjectName(QStringLiteral("sectionEditing"));
        session_.onChanged = [this] { Changed(); };
        session_.onPointsEdited = [this] {
            if (points_) {
                points_->Refresh();
            }
        };
        session_.onTitleEdited = [this](int) {
            if (titles_) {
                titles_->Reload();
            }
        };
        session_.onLayerPointPicked = [this](int number) {
            if (layers_) {
                layers_->AppendPickedPoint(number);
            }
        };
        session_.onPointsRenumbered = [this](int from, bool back) {
            if (layers_) {
                layers_->FollowRenumberedPoints(from, back);
            }
        };
        session_.onLayerPickDone = [this] {
            if (layers_) {
                layers_->raise();
            }
        };
    }

    void Install() {
        SectionView* view = frame_.View();
        view->SetMouseHandlers([this](const SectionMouse& m) { Press(m); },
                               [this](const SectionMouse& m) { Move(m); },
                               [this](const SectionMouse& m) { Release(m); });
        view->SetEditMarkers([this](rave::DrawingSurface& surface, const SectionMapping& mapping) {
            DrawEditMarkers(surface, mapping, session_, frame_.Fonts());
        });
        Connect(command_id::kPoints, [this] { Open(points_); });
        Connect(command_id::kLayers, [this] { Open(layers_); });
        Connect(command_id::kTitles, [this] { Open(titles_); });
        // Window-modal: the proposal is written as one step and the dialogs above follow the
        // files through pointsLayersRead.
        Connect(command_id::kProposeLayers, [this] { LayerProposalDialog::OpenOver(frame_); });
        // An undo, a redo or a commit: the point status and the title list show the document.
        connect(frame_.UndoStack(), &QUndoStack::indexChanged, this, [this] { RefreshDialogs(); });
        // The points and layers read from the file again: nothing is pending any more.
        connect(&frame_, &SectionFrame::pointsLayersRead, this, [this] {
            session_.Draft().TakeCommitted();
            ReloadDialogs();
        });
    }

private:
    template <typename Dialog>
    void Open(QPointer<Dialog>& dialog) {
        if (!dialog) {
            dialog = new Dialog(frame_, session_, &frame_);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            // OK or Cancel of one dialog changes what the others' status and lists show; the
            // layer rows follow the points through FollowRenumberedPoints.
            connect(dialog, &QDialog::finished, this, [this, shown = dialog.data()] {
                RememberDialogPlace(shown->objectName(), shown->pos());
                RefreshDialogs();
            });
            // Beside the drawing (or where the user last left it), not over the section.
            PlaceEditingDialog(*dialog, frame_, *frame_.centralWidget());
        }
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    }

    void Connect(int id, const std::function<void()>& open) {
        if (QAction* action = frame_.Action(id)) {
            connect(action, &QAction::triggered, this, open);
        }
    }

    void RefreshDialogs() {
        if (points_) {
            points_->Refresh();
        }
        if (titles_) {
            titles_->Reload();
        }
    }

    void ReloadDialogs() {
        if (points_) {
            points_->Refresh();
        }
        if (layers_) {
            layers_->Reload();
        }
        if (titles_) {
            titles_->Reload();
        }
    }

    void Changed() {
        const int mode = session_.Mode();
        const bool picking = mode == edit_mode::kMovePoint || mode == edit_mode::kMoveTitle ||
                             mode == edit_mode::kDeletePoint || mode == edit_mode::kPickLayerPoint;
        frame_.View()->setCursor(picking ? Qt::CrossCursor : Qt::ArrowCursor);
        frame_.RefreshView();
    }

    static WorldPosition World(const SectionMouse& mouse) { return {mouse.world.x(), mouse.world.y()}; }

    void Press(const SectionMouse& mouse) {
        if (mouse.button == Qt::LeftButton && session_.CapturesMouse()) {
            session_.Press(World(mouse));
        }
    }
    void Move(const SectionMouse& mouse) {
        if (mouse.buttons.testFlag(Qt::LeftButton)) {
            session_.Move(World(mouse));
        }
    }
    void Release(const SectionMouse& mouse) {
        if (mouse.button == Qt::LeftButton) {
            session_.Release(World(mouse));
        }
    }

    SectionFrame& frame_;
    EditSession session_;
    QPointer<PointDialog> points_;
    QPointer<LayerDialog> layers_;
    QPointer<TitleDialog> titles_;
};

}  // namespace

void InstallEditingCommands(SectionFrame& frame) {
    auto* editing = new SectionEditing(frame);
    editing->Install();
}

}  // namespace ravesect::app
