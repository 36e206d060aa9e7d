// Adding, inserting, moving and deleting points.
#include "ravesect/editing/point_editing.h"

#include <vector>

#include "ravesect/editing/edit_geometry.h"

namespace ravesect {

namespace {

// The undefined position a deleted point is given (written as -9999.99).
constexpr double kDeletedCoordinate = -9999.99;

void SetPoint(SectionDocument& document, int n, double x, double y) {
    SectionPoint& point = document.Point(n);
    point.x = SnapToRulerColumn(document, x);
    point.y = y;
}

// Layers name points by number: after points from..200 moved up by one, their references do too.
void RenumberLayerPoints(SectionDocument& document, int from) {
    for (int l = 1; l <= kLayers; ++l) {
        ShiftLayerPoints(document.Layer(l), from);
    }
}

}  // namespace

void ShiftLayerPoints(LayerOutline& layer, int from) {
    if (layer.points.empty()) {
        return;
    }
    std::vector<int> numbers = layer.PointNumbers();
    for (int& number : numbers) {
        if (number >= from && number < kPoints) {
            ++number;
        }
    }
    layer.SetPointNumbers(numbers);
}

void UnshiftLayerPoints(LayerOutline& layer, int from) {
    if (layer.points.empty()) {
        return;
    }
    std::vector<int> numbers;
    for (int number : layer.PointNumbers()) {
        if (number == from) {
            continue;
        }
        numbers.push_back(number > from ? number - 1 : number);
    }
    layer.SetPointNumbers(numbers);
}

int InsertNumberFor(int n) {
    return n <= 0 || n > kPoints ? 1 : n;
}

int LastDefinedPoint(const SectionDocument& document) {
    for (int n = kPoints; n >= 1; --n) {
        if (document.Point(n).IsDefined()) {
            return n;
        }
    }
    return 0;
}

int AddPoint(SectionDocument& document, double x, double y) {
    const int n = LastDefinedPoint(document) + 1;
    if (n > kPoints) {
        return 0;
    }
    SetPoint(document, n, x, y);
    return n;
}

int InsertPoint(SectionDocument& document, int n, double x, double y) {
    n = InsertNumberFor(n);
    if (document.Point(n).IsDefined()) {
        const int last = LastDefinedPoint(document);
        if (last >= kPoints) {
            return 0;
        }
        for (int k = last; k >= n; --k) {
            document.Point(k + 1) = document.Point(k);
        }
        RenumberLayerPoints(document, n);
    }
    SetPoint(document, n, x, y);
    return n;
}

bool MovePoint(SectionDocument& document, int n, double x, double y) {
    if (n < 1 || n > kPoints || !document.Point(n).IsDefined()) {
        return false;
    }
    SetPoint(document, n, x, y);
    return true;
}

bool DeletePoint(SectionDocument& document, int n) {
    if (n < 1 || n > kPoints || !document.Point(n).IsDefined()) {
        return false;
    }
    document.Point(n).x = kDeletedCoordinate;
    document.Point(n).y = kDeletedCoordinate;
    return true;
}

}  // namespace ravesect
