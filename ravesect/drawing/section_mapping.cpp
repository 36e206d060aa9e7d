// The section mapping, paper lengths and graph scales.
#include "ravesect/drawing/section_mapping.h"

#include <algorithm>
#include <cmath>

#include "common/numbers.h"
#include "common/text_fields.h"

namespace ravesect {

SectionMapping SectionMapping::ForDevice(int dpiX, int dpiY, int distanceScale, int depthScale,
                                         double marginXmm, double marginYmm) {
    SectionMapping m;
    m.unitX = dpiX * kInchesPerMillimetre;
    m.unitY = dpiY * kInchesPerMillimetre;
    m.scaleX = distanceScale > 0 ? 100.0 / distanceScale * m.unitX : 1.0;
    m.scaleY = depthScale > 0 ? 1000.0 / depthScale * m.unitY : 10.0;
    m.marginX = marginXmm;
    m.marginY = marginYmm;
    return m;
}

void SectionMapping::ShowPage(double leftEndMetres, double topElevation) {
    originX = -(leftEndMetres * 10.0);
    originY = topElevation;
}

int SectionMapping::ToSurfaceX(double x) const {
    return rave::ClampToSurface((originX + x) * scaleX + marginX * unitX);
}

int SectionMapping::ToSurfaceY(double y) const {
    return rave::ClampToSurface((originY + y) * scaleY + marginY * unitY);
}

namespace {

// The smallest scale a surface position is converted through; every real scale and resolution
// lies far above it.
constexpr double kSmallestScale = 0.001;

double FromSurface(double surface, double margin, double unit, double scale, double origin) {
    return scale > kSmallestScale ? (surface - margin * unit) / scale - origin : 0.0;
}

}  // namespace

WorldPosition SectionMapping::SurfaceToWorld(double surfaceX, double surfaceY) const {
    return {FromSurface(surfaceX, marginX, unitX, scaleX, originX),
            FromSurface(surfaceY, marginY, unitY, scaleY, originY)};
}

double SectionMapping::FromSurfaceX(int x) const {
    return SurfaceToWorld(x, 0.0).x;
}

double SectionMapping::FromSurfaceY(int y) const {
    return SurfaceToWorld(0.0, y).y;
}

double PaperToWorldX(double mm, int distanceScale) {
    return mm * distanceScale * 0.01;
}

double PaperToWorldY(double mm, int depthScale) {
    return mm * depthScale * 0.001;
}

double SwedishGraphFraction(double value, int gridMaximum) {
    double breakPoint = 0.0;
    switch (gridMaximum) {
        case 200:
            breakPoint = 0.76;
            break;
        case 400:
            breakPoint = 0.6135;
            break;
        case 800:
            breakPoint = 0.514;
            break;
        default:
            return 0.0;
    }
    if (!(value > 0.01)) {
        return 0.0;
    }
    if (value <= 200.0) {
        return breakPoint * value / 200.0;
    }
    return breakPoint + (std::log(value - 100.0) - std::log(100.0)) /
                            (std::log(static_cast<double>(gridMaximum)) - std::log(100.0)) *
                            (1.0 - breakPoint);
}

namespace {

constexpr double kSlashOverflow = 2999.99;

std::string_view AfterSlash(std::string_view text, bool& found) {
    const std::size_t slash = text.find('/');
    found = slash != std::string_view::npos;
    return found ? text.substr(slash + 1) : std::string_view{};
}

}  // namespace

double BlowsPer30cm(std::string_view text) {
    const std::string_view trimmed = rave::TrimBlanks(text);
    if (!rave::HasLeadingNumber(trimmed)) {
        return -1.0;
    }
    const double blows = rave::ParseDecimal(trimmed);
    bool slash = false;
    const std::string_view after = AfterSlash(trimmed, slash);
    if (!slash) {
        return blows;
    }
    const double a = std::min(blows, 999.0);
    const double b = rave::HasLeadingNumber(after) ? rave::ParseDecimal(after) : 0.0;
    if (!(b > 0.0)) {
        return kSlashOverflow;
    }
    const double n = a * 30.0 / b;
    return n > kSlashOverflow ? kSlashOverflow : n;
}

double PenetrationCm(std::string_view text) {
    bool slash = false;
    const std::string_view after = AfterSlash(text, slash);
    if (!slash) {
        return 30.0;
    }
    const double b = rave::HasLeadingNumber(after) ? rave::ParseDecimal(after) : 0.0;
    return b > 0.0 ? b : 30.0;
}

int BlowCodeValue(long code) {
    return code == 1 ? 60 : code == 2 ? 70 : 50;
}

}  // namespace ravesect
