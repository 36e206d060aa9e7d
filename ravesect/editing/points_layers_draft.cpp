// The committed points and layers beside the pending edits of the point and layer dialogs.
#include "ravesect/editing/points_layers_draft.h"

#include <utility>

#include "ravesect/editing/point_editing.h"

namespace ravesect {

namespace {

using Points = std::array<SectionPoint, kPoints + 1>;
using Layers = std::array<LayerOutline, kLayers + 1>;

Points PointsOf(const SectionDocument& document) {
    Points points{};
    for (int n = 1; n <= kPoints; ++n) {
        points.at(static_cast<std::size_t>(n)) = document.Point(n);
    }
    return points;
}

Layers LayersOf(const SectionDocument& document) {
    Layers layers{};
    for (int n = 1; n <= kLayers; ++n) {
        layers.at(static_cast<std::size_t>(n)) = document.Layer(n);
    }
    return layers;
}

void PutPoints(SectionDocument& document, const Points& points) {
    for (int n = 1; n <= kPoints; ++n) {
        document.Point(n) = points.at(static_cast<std::size_t>(n));
    }
}

void PutLayers(SectionDocument& document, const Layers& layers) {
    for (int n = 1; n <= kLayers; ++n) {
        document.Layer(n) = layers.at(static_cast<std::size_t>(n));
    }
}

}  // namespace

PointsLayersDraft::PointsLayersDraft(SectionDocument& document) : document_(document) {
    TakeCommitted();
}

void PointsLayersDraft::TakeCommitted() {
    points_ = PointsOf(document_);
    layers_ = LayersOf(document_);
    shifts_.clear();
}

void PointsLayersDraft::PointsShifted(int from) {
    for (LayerOutline& layer : layers_) {
        ShiftLayerPoints(layer, from);
    }
    shifts_.push_back(from);
}

bool PointsLayersDraft::Write(const WorkingFiles& files, const Points& points, const Layers& layers,
                              rave::MessageSink& messages) {
    // The file is written from the document, so it holds the wanted parts for that moment.
    const Points workingPoints = PointsOf(document_);
    const Layers workingLayers = LayersOf(document_);
    PutPoints(document_, points);
    PutLayers(document_, layers);
    const bool written = WritePointsLayersFile(files, document_, messages);
    PutPoints(document_, workingPoints);
    PutLayers(document_, workingLayers);
    return written;
}

bool PointsLayersDraft::CommitPoints(const WorkingFiles& files, rave::MessageSink& messages) {
    const Points points = PointsOf(document_);
    if (!Write(files, points, layers_, messages)) {
        return false;
    }
    points_ = points;
    shifts_.clear();
    return true;
}

std::vector<int> PointsLayersDraft::RevertPoints() {
    PutPoints(document_, points_);
    std::vector<int> dropped(shifts_.rbegin(), shifts_.rend());
    for (const int from : dropped) {
        for (LayerOutline& layer : layers_) {
            UnshiftLayerPoints(layer, from);
        }
        for (int n = 1; n <= kLayers; ++n) {
            UnshiftLayerPoints(document_.Layer(n), from);
        }
    }
    shifts_.clear();
    return dropped;
}

bool PointsLayersDraft::CommitLayers(const WorkingFiles& files, rave::MessageSink& messages) {
    const Layers layers = LayersOf(document_);
    // The file's points know nothing of the pending insertions: the layers go back to their numbers.
    Layers written = layers;
    for (auto shift = shifts_.rbegin(); shift != shifts_.rend(); ++shift) {
        for (LayerOutline& layer : written) {
            UnshiftLayerPoints(layer, *shift);
        }
    }
    if (!Write(files, points_, written, messages)) {
        return false;
    }
    layers_ = layers;
    return true;
}

void PointsLayersDraft::RevertLayers() {
    PutLayers(document_, layers_);
}

}  // namespace ravesect
