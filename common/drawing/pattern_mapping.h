// World-to-surface mappings. Drawing code works in world units (millimetres of paper on
// Ravelog's sheets, 0.1 m of distance and metres of depth on Ravesect's sections) and a mapping
// turns them into device units, clamped to the 16-bit coordinate range -32767 .. 32767 so that
// very long logs or large zooms never overflow a device.
//
// WorldMapping is what the soil-pattern library needs from a mapping; PatternMapping is
// Ravelog's, Ravesect's section mapping implements the same interface. The pattern library
// borrows the vertical scale while it draws (see ScaleY / SetScaleY).
#pragma once

#include "common/drawing/drawing_surface.h"

namespace rave {

inline constexpr int kSurfaceCoordinateLimit = 32767;

// round(value) clamped to -32767 .. 32767; a value that is not a number gives 0.
int ClampToSurface(double value);

class WorldMapping {
public:
    virtual ~WorldMapping() = default;
    virtual int ToSurfaceX(double x) const = 0;
    virtual int ToSurfaceY(double y) const = 0;
    virtual double FromSurfaceX(int x) const = 0;
    virtual double FromSurfaceY(int y) const = 0;
    // Device units per world unit.
    virtual double ScaleX() const = 0;
    virtual double ScaleY() const = 0;
    virtual void SetScaleY(double scaleY) = 0;
    // Device units per millimetre of paper, down the page.
    virtual double UnitY() const = 0;
    // Device units per millimetre of paper, across the page (square devices when not told).
    virtual double UnitX() const { return UnitY(); }
};

// Ravelog's mapping: a world unit is 1 mm of paper (the report sets scaleX = unitX and
// scaleY = unitY), x from the left margin, y from the top margin shifted by originY, plus a fixed
// 50 device units down.
struct PatternMapping final : WorldMapping {
    static constexpr double kInchesPerMillimetre = 0.03937007874015748;
    static constexpr double kFixedOffsetY = 50.0;  // device units added to every vertical position

    double unitX = 1.0;  // device units per mm of paper
    double unitY = 1.0;
    double scaleX = 1.0;  // device units per world unit
    double scaleY = 1.0;
    double marginX = 0.0;  // mm
    double marginY = 0.0;
    double originY = 0.0;  // world y of the top of the drawing

    // The mapping of a sheet on a device: units from the resolution, a world unit of 1 mm.
    static PatternMapping ForDevice(int dpiX, int dpiY, double marginXmm, double marginYmm);

    // X = round(marginX * unitX + scaleX * x)
    int ToSurfaceX(double x) const override;
    // Y = round((originY + y) * scaleY + marginY * unitY + 50)
    int ToSurfaceY(double y) const override;
    // The inverse of ToSurfaceX; 0 when scaleX is not above 0.0001.
    double FromSurfaceX(int x) const override;
    // The inverse of ToSurfaceY; 0 when scaleY is not above 0.0001.
    double FromSurfaceY(int y) const override;
    double ScaleX() const override { return scaleX; }
    double ScaleY() const override { return scaleY; }
    void SetScaleY(double value) override { scaleY = value; }
    double UnitY() const override { return unitY; }
    double UnitX() const override { return unitX; }
};

// What the world-unit primitives draw on: a device and the mapping into it.
struct MappedSurface {
    DrawingSurface& surface;
    WorldMapping& mapping;

    SurfacePoint ToSurface(double x, double y) const {
        return {mapping.ToSurfaceX(x), mapping.ToSurfaceY(y)};
    }
};

// Sets the vertical scale for the lifetime of the object and puts the previous one back.
class ScaleYOverride {
public:
    ScaleYOverride(WorldMapping& mapping, double scaleY) : mapping_(mapping), saved_(mapping.ScaleY()) {
        mapping_.SetScaleY(scaleY);
    }
    ~ScaleYOverride() { mapping_.SetScaleY(saved_); }
    ScaleYOverride(const ScaleYOverride&) = delete;
    ScaleYOverride& operator=(const ScaleYOverride&) = delete;

private:
    WorldMapping& mapping_;
    double saved_;
};

}  // namespace rave
