// The nearest point or title to a world position and the snapping to ruler columns.
#include "ravesect/editing/edit_geometry.h"

#include <cmath>

namespace ravesect {

namespace {

// 0.8 mm of paper: in world x units (0.1 m) and in metres of depth per unit of the denominators.
constexpr double kPickToleranceX = 0.008;
constexpr double kPickToleranceY = 0.0008;
constexpr double kDepthWeight = 10.0;
constexpr double kSnapDistance = 1.2;

// Index of the best candidate (1..count), 0 when none qualifies.
template <typename PositionOf>
int Nearest(const SectionDocument& document, int count, double x, double y, PositionOf positionOf) {
    const double toleranceX = kPickToleranceX * document.settings.distanceScale;
    const double toleranceY = kPickToleranceY * document.settings.depthScale;
    int best = 0;
    double bestScore = 0.0;
    for (int n = 1; n <= count; ++n) {
        double px = 0.0;
        double py = 0.0;
        if (!positionOf(n, px, py)) {
            continue;
        }
        const double dx = std::fabs(x - px);
        const double dy = std::fabs(y - py);
        if (dx >= toleranceX || dy >= toleranceY) {
            continue;
        }
        const double score = dx + kDepthWeight * dy;
        if (best == 0 || score < bestScore) {
            best = n;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace

int NearestPoint(const SectionDocument& document, double x, double y) {
    return Nearest(document, kPoints, x, y, [&](int n, double& px, double& py) {
        const SectionPoint& point = document.Point(n);
        px = point.x;
        py = point.y;
        return point.IsDefined();
    });
}

int NearestTitle(const SectionDocument& document, double x, double y) {
    return Nearest(document, kTitleEntries, x, y, [&](int n, double& px, double& py) {
        const TitleText& title = document.Title(n);
        px = title.x;
        py = title.y;
        return IsDefinedCoordinate(title.x) && IsDefinedCoordinate(title.y);
    });
}

double SnapToRulerColumn(const SectionDocument& document, double x) {
    for (int slot = 0; slot < kColumnSlots; ++slot) {
        const PlacedColumn& column = document.Column(slot);
        if (!column.InUse() || column.NamesFile()) {
            continue;
        }
        const double columnX = column.Distance() * 10.0;
        if (std::fabs(x - columnX) <= kSnapDistance) {
            return columnX;
        }
    }
    return x;
}

}  // namespace ravesect
