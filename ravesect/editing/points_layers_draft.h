// What "SmpP.tmp" holds, kept beside the document while the point and layer dialogs edit it.
//
// The point dialog and the layer dialog work side by side on the same document: the document's
// points carry the point dialog's pending edits and its layers the layer dialog's pending rows.
// Each dialog's OK must write only its own part and its Cancel drop only its own part, so the
// draft remembers the committed points and layers. An insertion that renumbers points renumbers
// the committed layers too (they keep running through the same positions) and is remembered
// until the points are committed or dropped, so a layer commit in between can write its layers
// in the numbering of the committed points.
#pragma once

#include <array>
#include <vector>

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"

namespace ravesect {

class PointsLayersDraft {
public:
    explicit PointsLayersDraft(SectionDocument& document);

    // The document's points and layers are what "SmpP.tmp" holds (it was just read).
    void TakeCommitted();
    // An insertion moved points `from`.. up by one number (the document's layers already follow).
    void PointsShifted(int from);
    // True while the point dialog has insertions that are neither committed nor dropped.
    bool HasPendingShifts() const { return !shifts_.empty(); }

    // Point dialog OK: "SmpP.tmp" gets the document's points with the committed layers.
    bool CommitPoints(const WorkingFiles& files, rave::MessageSink& messages);
    // Point dialog Cancel: the committed points come back and every layer, committed or pending,
    // returns to their numbering. Returns the dropped insertions, latest first.
    std::vector<int> RevertPoints();
    // Layer dialog OK: "SmpP.tmp" gets the document's layers with the committed points.
    bool CommitLayers(const WorkingFiles& files, rave::MessageSink& messages);
    // Layer dialog Cancel: the committed layers come back.
    void RevertLayers();

private:
    bool Write(const WorkingFiles& files, const std::array<SectionPoint, kPoints + 1>& points,
               const std::array<LayerOutline, kLayers + 1>& layers, rave::MessageSink& messages);

    SectionDocument& document_;
    std::array<SectionPoint, kPoints + 1> points_{};
    // In the numbering of the document's points (pending insertions included).
    std::array<LayerOutline, kLayers + 1> layers_{};
    std::vector<int> shifts_;
};

}  // namespace ravesect
