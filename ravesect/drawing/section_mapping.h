// The section's world-to-surface mapping and the paper arithmetic of the section drawing.
//
// World x is the distance along the section in units of 0.1 m (distance in metres x 10); world y
// is minus the elevation in metres, so y grows downward. Symbol sizes are given in millimetres of
// paper and turned into world lengths with PaperToWorldX / PaperToWorldY.
#pragma once

#include <string_view>

#include "common/drawing/pattern_mapping.h"
#include "ravesect/settings/section_paper.h"  // PageMetres

namespace ravesect {

// A position on the section: x = distance x 10, y = minus the elevation.
struct WorldPosition {
    double x = 0.0;
    double y = 0.0;
};

class SectionMapping final : public rave::WorldMapping {
public:
    static constexpr double kInchesPerMillimetre = 0.03937007874015748;

    double unitX = 1.0;  // surface units per mm of paper
    double unitY = 1.0;
    double scaleX = 1.0;   // surface units per world x unit (0.1 m)
    double scaleY = 10.0;  // surface units per world y unit (1 m)
    double marginX = 0.0;  // mm
    double marginY = 0.0;
    double originX = 0.0;  // -(left-end distance x 10) of the shown page
    double originY = 0.0;  // top elevation of the shown page

    // Units from the resolution, scales from the two denominators (1/n), margins in mm.
    static SectionMapping ForDevice(int dpiX, int dpiY, int distanceScale, int depthScale, double marginXmm,
                                    double marginYmm);
    // The shown page: its left-end distance (m) and top elevation (m).
    void ShowPage(double leftEndMetres, double topElevation);

    // The world position of a point of the surface: for the window, the point on the whole view
    // (the scroll offset added). This is the one conversion from the surface, the mouse's
    // included. A scale not above 0.001 gives 0 for its coordinate.
    WorldPosition SurfaceToWorld(double surfaceX, double surfaceY) const;

    int ToSurfaceX(double x) const override;
    int ToSurfaceY(double y) const override;
    double FromSurfaceX(int x) const override;
    double FromSurfaceY(int y) const override;
    double ScaleX() const override { return scaleX; }
    double ScaleY() const override { return scaleY; }
    void SetScaleY(double value) override { scaleY = value; }
    double UnitY() const override { return unitY; }
    double UnitX() const override { return unitX; }
};

// A horizontal paper length in world x units at distance scale 1/denominator.
double PaperToWorldX(double mm, int distanceScale);
// A vertical paper length in metres at depth scale 1/denominator.
double PaperToWorldY(double mm, int depthScale);

// --- Graph scales ---

// The fraction of the Swedish graph width at which the combined value v = 100 x Wsw + Nsw
// stands, for the grid maximum M (200, 400, 800; anything else gives 0).
double SwedishGraphFraction(double value, int gridMaximum);

// Blows per 30 cm of an N value: "a/b" is a x 30 / b with a at most 999, a plain number stays as
// it is. A missing or non-positive b, or a result above 2999.99, gives 2999.99. Nothing usable
// (no leading number) gives a negative value.
double BlowsPer30cm(std::string_view text);
// The penetration in cm written after the slash, or 30 when there is none.
double PenetrationCm(std::string_view text);
// 50, 60 or 70 for the codes 0, 1, 2 of the maximum blow count and the N-graph grid maximum
// (other codes give 50).
int BlowCodeValue(long code);

}  // namespace ravesect
