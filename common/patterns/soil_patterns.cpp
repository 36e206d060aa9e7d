// The dispatcher of the soil patterns, the pattern-code helpers and the cell markers.
#include "common/patterns/soil_patterns.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/pattern_colors.h"
#include "common/patterns/pattern_cell.h"

namespace rave {

namespace patterns {

void PatternCell::SlantedStrokeInCell(double xa, double ya, double xb, double yb) const {
    if (yb <= ya || ya >= y2 || yb <= y1) {
        return;
    }
    // Along the stroke x changes by slope mm per vertical unit.
    const double slope = (xb - xa) / (yb - ya);
    if (ya < y1) {
        xa += slope * (y1 - ya);
        ya = y1;
    }
    if (yb > y2) {
        xb -= slope * (yb - y2);
        yb = y2;
    }
    Line(xa, ya, xb, yb);
}

void DrawCellMarkerStrokes(const PatternCell& c, int kind) {
    const double sixth = c.m() / 6.0;
    const auto parallelPair = [&] {
        c.Line(c.x2 - sixth, c.y1, c.x1, c.y2);
        c.Line(c.x2, c.y1, c.x1 + sixth, c.y2);
    };
    switch (kind) {
        case 0:  // a cross over the whole cell
            c.Line(c.x1, c.y1, c.x2, c.y2);
            c.Line(c.x2, c.y1, c.x1, c.y2);
            break;
        case 1:
            parallelPair();
            c.Line(c.x1, c.y1, c.x2, c.y2);
            break;
        case 2:
            parallelPair();
            c.Line(c.x1, c.y1, c.x2 - sixth, c.y2);
            c.Line(c.x1 + sixth, c.y1, c.x2, c.y2);
            break;
        case 3:
            parallelPair();
            break;
        case 4:
            c.Line(c.x2, c.y1, c.x1, c.y2);
            break;
        default:
            break;
    }
}

namespace {

void DrawMarker10000(const PatternCell& c) {
    DrawCellMarkerStrokes(c, 0);
}
void DrawMarker10001(const PatternCell& c) {
    DrawCellMarkerStrokes(c, 1);
}
void DrawMarker10002(const PatternCell& c) {
    DrawCellMarkerStrokes(c, 2);
}
void DrawMarker10003(const PatternCell& c) {
    DrawCellMarkerStrokes(c, 3);
}
void DrawMarker10004(const PatternCell& c) {
    DrawCellMarkerStrokes(c, 4);
}
// Ravesect's 20004 is a known number that leaves the cell empty.
void DrawNothing(const PatternCell&) {}

struct PatternEntry {
    long number;
    PatternFunction draw;
    bool ravesectOnly;
};

// Sorted by number.
constexpr std::array kPatterns{
    PatternEntry{1, DrawPattern1, false},         PatternEntry{2, DrawPattern2, false},
    PatternEntry{3, DrawPattern3, false},         PatternEntry{4, DrawPattern4, false},
    PatternEntry{5, DrawPattern5, false},         PatternEntry{6, DrawPattern6, false},
    PatternEntry{7, DrawPattern7, false},         PatternEntry{8, DrawPattern8, false},
    PatternEntry{10, DrawPattern10, false},       PatternEntry{20, DrawPattern20, false},
    PatternEntry{30, DrawPattern30, false},       PatternEntry{40, DrawPattern40, false},
    PatternEntry{50, DrawPattern50, false},       PatternEntry{100, DrawPattern100, false},
    PatternEntry{200, DrawPattern200, false},     PatternEntry{300, DrawPattern300, false},
    PatternEntry{400, DrawPattern400, false},     PatternEntry{500, DrawPattern500, false},
    PatternEntry{600, DrawPattern600, false},     PatternEntry{700, DrawPattern700, false},
    PatternEntry{800, DrawPattern800, false},     PatternEntry{900, DrawPattern900, false},
    PatternEntry{1100, DrawPattern1100, false},   PatternEntry{1200, DrawPattern1200, false},
    PatternEntry{1300, DrawPattern1300, false},   PatternEntry{1400, DrawPattern1400, false},
    PatternEntry{1500, DrawPattern1500, false},   PatternEntry{1600, DrawPattern1600, false},
    PatternEntry{1700, DrawPattern8500, false},   PatternEntry{2100, DrawPattern2100, false},
    PatternEntry{2200, DrawPattern2200, false},   PatternEntry{2300, DrawPattern2300, false},
    PatternEntry{2400, DrawPattern2400, false},   PatternEntry{2500, DrawPattern2500, false},
    PatternEntry{2600, DrawPattern2600, false},   PatternEntry{2700, DrawPattern2700, false},
    PatternEntry{2800, DrawPattern2800, false},   PatternEntry{2900, DrawPattern2900, false},
    PatternEntry{3000, DrawPattern3000, false},   PatternEntry{3100, DrawPattern3100, false},
    PatternEntry{3300, DrawPattern3300, false},   PatternEntry{3400, DrawPattern3400, false},
    PatternEntry{3500, DrawPattern3500, false},   PatternEntry{3600, DrawPattern3600, false},
    PatternEntry{3800, DrawPattern3800, false},   PatternEntry{4100, DrawPattern4100, false},
    PatternEntry{4200, DrawPattern4200, false},   PatternEntry{4300, DrawPattern4300, false},
    PatternEntry{4400, DrawPattern4400, false},   PatternEntry{4500, DrawPattern4500, false},
    PatternEntry{4600, DrawPattern4600, false},   PatternEntry{4700, DrawPattern4700, false},
    PatternEntry{4800, DrawPattern4300, false},   PatternEntry{4900, DrawPattern4900, false},
    PatternEntry{5000, DrawPattern5000, false},   PatternEntry{5100, DrawPattern5100, false},
    PatternEntry{5200, DrawPattern5200, false},   PatternEntry{6100, DrawPattern6100, false},
    PatternEntry{6200, DrawPattern6200, false},   PatternEntry{6300, DrawPattern6300, false},
    PatternEntry{6400, DrawPattern6400, false},   PatternEntry{6800, DrawPattern6800, false},
    PatternEntry{6900, DrawPattern6900, false},   PatternEntry{8100, DrawPattern1100, false},
    PatternEntry{8200, DrawPattern8200, false},   PatternEntry{8300, DrawPattern8300, false},
    PatternEntry{8400, DrawPattern8400, false},   PatternEntry{8500, DrawPattern8500, false},
    PatternEntry{8600, DrawPattern8600, false},   PatternEntry{8700, DrawPattern8700, false},
    PatternEntry{10000, DrawMarker10000, false},  PatternEntry{10001, DrawMarker10001, false},
    PatternEntry{10002, DrawMarker10002, false},  PatternEntry{10003, DrawMarker10003, false},
    PatternEntry{10004, DrawMarker10004, false},  PatternEntry{10091, DrawPattern10091, false},
    PatternEntry{10092, DrawPattern10092, false}, PatternEntry{10093, DrawPattern10093, false},
    PatternEntry{20001, DrawPattern20001, true},  PatternEntry{20002, DrawPattern20002, true},
    PatternEntry{20003, DrawPattern20003, true},  PatternEntry{20004, DrawNothing, true},
    PatternEntry{20100, DrawPattern20100, true},  PatternEntry{20400, DrawPattern20400, true},
};

constexpr std::size_t kRavesectOnlyCount = 6;

constexpr auto MakeNumbers() {
    std::array<long, kPatterns.size()> numbers{};
    for (std::size_t i = 0; i < kPatterns.size(); ++i) {
        numbers[i] = kPatterns[i].number;
    }
    return numbers;
}
constexpr auto kNumbers = MakeNumbers();

const PatternEntry* FindPattern(long number, PatternSet set) {
    const auto it = std::lower_bound(kPatterns.begin(), kPatterns.end(), number,
                                     [](const PatternEntry& e, long n) { return e.number < n; });
    if (it == kPatterns.end() || it->number != number) {
        return nullptr;
    }
    if (it->ravesectOnly && set != PatternSet::kRavesect) {
        return nullptr;
    }
    return &*it;
}

bool IsCellMarkerNumber(long number) {
    return number >= 10000 && number <= 10004;
}

constexpr double kSmallestCell = 0.001;

// The vertical scale while a pattern is drawn: a vertical pattern unit is as long on paper as
// ten horizontal world units. On Ravelog's sheets a world unit is 1 mm, so this is 10 x UnitY; a
// section's world x unit is a scale-dependent length of paper, and the pattern keeps its shape
// on paper at every distance scale.
double PatternScaleY(const WorldMapping& mapping) {
    const double unitX = mapping.UnitX();
    const double scaleX = mapping.ScaleX();
    if (!(unitX > 0.0001) || !(scaleX > 0.0001)) {
        return 10.0 * mapping.UnitY();
    }
    return 10.0 * mapping.UnitY() * (scaleX / unitX);
}

}  // namespace

}  // namespace patterns

std::span<const long> KnownPatternNumbers(PatternSet set) {
    const std::span<const long> all(patterns::kNumbers);
    return set == PatternSet::kRavesect ? all : all.first(all.size() - patterns::kRavesectOnlyCount);
}

bool IsKnownPattern(long patternNo, PatternSet set) {
    return patterns::FindPattern(patternNo, set) != nullptr;
}

bool DrawSoilPattern(const MappedSurface& target, long patternNo, double x1, double y1, double x2, double y2,
                     double fillFraction, int penWidth, ColorRef color, int firstRowShifted, PatternSet set) {
    const patterns::PatternEntry* entry = patterns::FindPattern(patternNo, set);
    if (entry == nullptr) {
        return false;
    }
    WorldMapping& mapping = target.mapping;
    // The cell's top and bottom in the pattern's vertical unit: to the device through the normal
    // scale, then back through the tenfold one.
    const int top = mapping.ToSurfaceY(y1);
    const int bottom = mapping.ToSurfaceY(y2);
    const ScaleYOverride patternUnit(mapping, patterns::PatternScaleY(mapping));

    patterns::PatternCell cell;
    cell.target = &target;
    cell.x1 = x1;
    cell.x2 = x2;
    cell.y1 = mapping.FromSurfaceY(top);
    cell.y2 = mapping.FromSurfaceY(bottom);
    // A fill fraction outside (0, 1] (or not a number) would move the lattice out of the cell.
    cell.fillFraction = fillFraction > 0.0 && fillFraction <= 1.0 ? fillFraction : 1.0;
    cell.penWidth = penWidth;
    cell.color = color;
    cell.firstRowShifted = firstRowShifted != 0;
    if (!(cell.m() >= patterns::kSmallestCell) || !(cell.height() >= patterns::kSmallestCell)) {
        return true;
    }
    if (patterns::IsCellMarkerNumber(patternNo)) {
        cell.fillFraction = 1.0;
        cell.firstRowShifted = false;
    }
    entry->draw(cell);
    return true;
}

bool DrawPatternPreview(const MappedSurface& target, long patternNo, const SurfaceRect& client, int penWidth,
                        ColorRef color, PatternSet set) {
    const SurfaceRect r = client.Normalized();
    const WorldMapping& mapping = target.mapping;
    return DrawSoilPattern(target, patternNo, mapping.FromSurfaceX(r.left), mapping.FromSurfaceY(r.top),
                           mapping.FromSurfaceX(r.right - 2), mapping.FromSurfaceY(r.bottom - 2), 1.0,
                           penWidth, color, 0, set);
}

long PatternDigit(double value, long place) {
    const auto truncated = [value](double n) {
        if (n == 0) {
            return 0.0;
        }
        return std::floor(value / n + 0.0000001) * n;
    };
    const double part = truncated(static_cast<double>(place)) - truncated(10.0 * static_cast<double>(place));
    if (!std::isfinite(part) || std::fabs(part) > 2e9) {
        return 0;
    }
    return std::lround(part);
}

int ClassifySimplePattern(long code) {
    if (code < 0 || code > 9999) {
        return 0;
    }
    if ((code >= 800 && code <= 809) || (code >= 850 && code <= 859)) {
        return 7;
    }
    if (code == 814) {
        return 11;
    }
    if ((code >= 810 && code <= 819) || (code >= 860 && code <= 869)) {
        return 8;
    }
    return 4;
}

int ClassifyJacicPattern(long code) {
    if (code >= 10000 && code <= 10002) {
        return static_cast<int>(7 + (code - 10000));
    }
    const double value = static_cast<double>(code);
    const long tenThousands = PatternDigit(value, 10000);
    if (tenThousands == 10000) {
        return 4;
    }
    if (tenThousands == 90000) {
        return 6;
    }
    if (PatternDigit(value, 1000) + PatternDigit(value, 100) < 0) {
        return 0;
    }
    return 3;
}

bool DrawCellMarker(const MappedSurface& target, double x1, double y1, double x2, double y2, int markerKind,
                    int halfOnly, int penWidth, bool monochrome, const PatternColorTable* colors) {
    if (markerKind < 0 || markerKind >= kCellMarkerCount) {
        return false;
    }
    const ColorRef color =
        (monochrome || colors == nullptr) ? kBlack : colors->PatternColor(10000 + markerKind);
    patterns::PatternCell cell;
    cell.target = &target;
    cell.x1 = std::min(x1, x2);
    cell.x2 = std::max(x1, x2);
    cell.y1 = std::min(y1, y2);
    cell.y2 = std::max(y1, y2);
    cell.penWidth = penWidth;
    cell.color = color;
    if (!(cell.m() >= patterns::kSmallestCell) || !(cell.height() >= patterns::kSmallestCell)) {
        return true;
    }
    if (halfOnly == 2) {
        const double middle = (cell.x1 + cell.x2) / 2.0;
        cell.Line(middle, cell.y1, middle, cell.y2);
        cell.x2 = middle;
    }
    patterns::DrawCellMarkerStrokes(cell, markerKind);
    return true;
}

}  // namespace rave
