// The DXF drawing surface: entities are written as the page is drawn; the tables around them
// follow at the end, when every layer and linetype in use is known.
#include "platform/dxf_surface.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <numbers>

#include "platform/qpainter_surface.h"

namespace rave::platform {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr const char* kTextStyle = "MINCHO";

// Shapes no larger than this (device units at 600 dpi: 8 mm) are the symbols of patterns and
// rulers that repeat; larger ones are written as they are.
constexpr double kSymbolExtentMm = 8.0;
// How far (device units) a copy in a row may lie from the row's even pitch.
constexpr double kRowTolerance = 1.0;

// The basic ACI colours (1 to 9); the exact colour goes in group 420 beside it.
int NearestAci(ColorRef color) {
    struct Entry {
        int aci;
        int r, g, b;
    };
    static constexpr std::array<Entry, 9> kBasic{{{1, 255, 0, 0},
                                                  {2, 255, 255, 0},
                                                  {3, 0, 255, 0},
                                                  {4, 0, 255, 255},
                                                  {5, 0, 0, 255},
                                                  {6, 255, 0, 255},
                                                  {7, 0, 0, 0},  // black on white paper
                                                  {8, 128, 128, 128},
                                                  {9, 192, 192, 192}}};
    int best = 7;
    long bestDistance = -1;
    for (const Entry& e : kBasic) {
        const long dr = RedOf(color) - e.r;
        const long dg = GreenOf(color) - e.g;
        const long db = BlueOf(color) - e.b;
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = e.aci;
        }
    }
    // White paper shows white as nothing; ACI 7 is also what CAD shows as white on black.
    return color == kWhite ? 7 : best;
}

int TrueColor(ColorRef color) {
    return (RedOf(color) << 16) | (GreenOf(color) << 8) | BlueOf(color);
}

// The DXF lineweight step (hundredths of a millimetre) nearest to the width.
int LineweightStep(double widthMm) {
    static constexpr std::array<int, 24> kSteps{0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                                53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    const double hundredths = widthMm * 100.0;
    int best = kSteps.front();
    for (int step : kSteps) {
        if (std::abs(step - hundredths) < std::abs(best - hundredths)) {
            best = step;
        }
    }
    return best;
}

// Dash patterns in units of the pen width, as the printer draws them.
struct LinetypeDefinition {
    const char* name;
    const char* description;
    std::vector<double> pattern;  // dashes positive, gaps negative, dots 0
};

const LinetypeDefinition* LinetypeOf(int style) {
    static const std::map<int, LinetypeDefinition> kTypes{
        {pen_style::kDash, {"DASHED", "Dashed __ __ __", {4.0, -2.0}}},
        {pen_style::kDot, {"DOT", "Dot . . . .", {1.0, -2.0}}},
        {pen_style::kDashDot, {"DASHDOT", "Dash dot __ . __ .", {4.0, -2.0, 1.0, -2.0}}},
        {pen_style::kDashDotDot, {"DIVIDE", "Divide __ . . __ . .", {4.0, -2.0, 1.0, -2.0, 1.0, -2.0}}},
    };
    const auto found = kTypes.find(style);
    return found == kTypes.end() ? nullptr : &found->second;
}

// Line angles (degrees) and spacing of the hatch brushes.
std::vector<double> HatchAngles(int hatch) {
    switch (hatch) {
        case hatch_style::kHorizontal:
            return {0.0};
        case hatch_style::kVertical:
            return {90.0};
        case hatch_style::kForwardDiagonal:
            return {-45.0};
        case hatch_style::kBackwardDiagonal:
            return {45.0};
        case hatch_style::kCross:
            return {0.0, 90.0};
        case hatch_style::kDiagonalCross:
            return {45.0, -45.0};
        default:
            return {};
    }
}

void AppendNumber(std::string& key, double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    key.append(buffer, end);
    key.push_back(',');
}

}  // namespace

DxfSurface::DxfSurface(int dpi, SurfaceSize page)
    : dpi_(std::max(1, dpi)),
      page_(page),
      totalWidthMm_(page.width * 25.4 / std::max(1, dpi)),
      measureImage_(std::make_unique<QImage>(8, 8, QImage::Format_RGB32)) {
    const int dotsPerMetre = static_cast<int>(std::lround(dpi_ / 0.0254));
    measureImage_->setDotsPerMeterX(dotsPerMetre);
    measureImage_->setDotsPerMeterY(dotsPerMetre);
    measurePainter_ = std::make_unique<QPainter>(measureImage_.get());
    measure_ = std::make_unique<QPainterSurface>(*measurePainter_, dpi_, dpi_, page_);
}

DxfSurface::~DxfSurface() {
    measure_.reset();
    measurePainter_.reset();
}

DxfSurface::PointMm DxfSurface::ToMm(double x, double y) const {
    const double pageHeightMm = LengthMm(page_.height);
    return {offsetMm_ + LengthMm(x), pageHeightMm - LengthMm(y)};
}

void DxfSurface::SetLayer(std::string_view name) {
    layer_ = name.empty() ? std::string("0") : std::string(name);
    layers_.insert(layer_);
}

bool DxfSurface::SelectFont(const FontSpec& font) {
    if (!measure_->SelectFont(font)) {
        return false;
    }
    QFont probe(QPainterSurface::ResolveFaceFamily(font.face));
    probe.setPixelSize(1000);
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell > 0.0) {
        ascentRatio_ = metrics.ascent() / cell;
        capRatio_ = metrics.capHeight() > 0.0 ? metrics.capHeight() / cell : 0.7;
    }
    return true;
}

FontSpec DxfSurface::CurrentFont() const {
    return measure_->CurrentFont();
}

SurfaceSize DxfSurface::TextExtent(std::string_view cp932) const {
    return measure_->TextExtent(cp932);
}

void DxfSurface::WriteEntityHead(dxf::Groups& g, std::string_view type, unsigned long owner,
                                 const Style& style, bool withColor) {
    g.Str(0, type);
    g.Hex(5, NewHandle());
    g.Hex(330, owner);
    g.Str(100, "AcDbEntity");
    g.Str(8, style.layer);
    if (style.linetype != "ByLayer") {
        g.Str(6, style.linetype);
    }
    if (withColor) {
        g.Int(62, NearestAci(style.color));
        g.Int(420, TrueColor(style.color));
    }
    if (style.lineweight >= 0) {
        g.Int(370, style.lineweight);
    }
    if (style.linetypeScale != 1.0) {
        g.Real(48, style.linetypeScale);
    }
}

void DxfSurface::TextOut(SurfacePoint at, std::string_view cp932) {
    if (cp932.empty()) {
        return;
    }
    const SurfaceSize extent = measure_->TextExtent(cp932);
    const double width = extent.width;
    const double cell = extent.height;
    const double ascent = cell * ascentRatio_;
    const bool updatePosition = (textAlign_ & text_align::kUpdateCurrentPosition) != 0;
    const SurfacePoint origin = updatePosition ? position_ : at;

    double dx = 0.0;
    switch (textAlign_ & text_align::kHorizontalMask) {
        case text_align::kCenter:
            dx = -width / 2.0;
            break;
        case text_align::kRight:
            dx = -width;
            break;
        default:
            break;
    }
    double baseline = ascent;
    if ((textAlign_ & text_align::kVerticalMask) == text_align::kBaseline) {
        baseline = 0.0;
    } else if ((textAlign_ & text_align::kVerticalMask) == text_align::kBottom) {
        baseline = ascent - cell;
    }
    const FontSpec font = measure_->CurrentFont();
    const double angle = font.escapement / 10.0;
    const double radians = angle * kPi / 180.0;
    // The left end of the baseline, turned with the text about the reference point.
    const double x = origin.x + dx * std::cos(radians) + baseline * std::sin(radians);
    const double y = origin.y - dx * std::sin(radians) + baseline * std::cos(radians);
    const PointMm p = ToMm(x, y);
    dxf::Groups g(modelSpace_);
    WriteEntityHead(g, "TEXT", dxf::kModelSpaceRecord, FillStyle(textColor_));
    g.Str(100, "AcDbText");
    g.Real(10, p.x);
    g.Real(20, p.y);
    g.Real(40, LengthMm(cell * capRatio_));
    g.Str(1, dxf::TextValue(cp932));
    if (angle != 0.0) {
        g.Real(50, angle);
    }
    g.Str(7, kTextStyle);
    g.Str(100, "AcDbText");

    if (updatePosition && (textAlign_ & text_align::kHorizontalMask) != text_align::kCenter) {
        const double sign = (textAlign_ & text_align::kHorizontalMask) == text_align::kRight ? -1.0 : 1.0;
        position_.x = origin.x + static_cast<int>(std::lround(sign * width * std::cos(radians)));
        position_.y = origin.y - static_cast<int>(std::lround(sign * width * std::sin(radians)));
    }
}

DxfSurface::Style DxfSurface::PenStyle(const Pen& pen) {
    Style style;
    style.layer = layer_;
    style.color = pen.color;
    const double widthMm = LengthMm(std::max(1, pen.width));
    style.lineweight = LineweightStep(widthMm);
    style.linetype = "Continuous";
    if (const LinetypeDefinition* type = LinetypeOf(pen.style)) {
        style.linetype = type->name;
        style.linetypeScale = widthMm;
        linetypes_.insert(type->name);
    }
    return style;
}

DxfSurface::Style DxfSurface::FillStyle(ColorRef color) const {
    Style style;
    style.layer = layer_;
    style.color = color;
    return style;
}

void DxfSurface::WriteShape(std::string& out, unsigned long owner, const Shape& shape, PointMm origin) {
    dxf::Groups g(out);
    const auto at = [&](const DevicePoint& p) {
        return PointMm{origin.x + LengthMm(p.x), origin.y - LengthMm(p.y)};
    };
    switch (shape.kind) {
        case Shape::Kind::kOutline: {
            const std::vector<DevicePoint>& points = shape.loops.front();
            if (points.size() == 2 && !shape.closed) {
                WriteEntityHead(g, "LINE", owner, shape.style);
                g.Str(100, "AcDbLine");
                const PointMm a = at(points[0]);
                const PointMm b = at(points[1]);
                g.Real(10, a.x);
                g.Real(20, a.y);
                g.Real(11, b.x);
                g.Real(21, b.y);
                return;
            }
            WriteEntityHead(g, "LWPOLYLINE", owner, shape.style);
            g.Str(100, "AcDbPolyline");
            g.Int(90, static_cast<long>(points.size()));
            g.Int(70, shape.closed ? 1 : 0);
            for (const DevicePoint& point : points) {
                const PointMm p = at(point);
                g.Real(10, p.x);
                g.Real(20, p.y);
            }
            return;
        }
        case Shape::Kind::kCircle:
        case Shape::Kind::kArc: {
            const PointMm c = at(shape.centre);
            WriteEntityHead(g, shape.kind == Shape::Kind::kArc ? "ARC" : "CIRCLE", owner, shape.style);
            g.Str(100, "AcDbCircle");
            g.Real(10, c.x);
            g.Real(20, c.y);
            g.Real(40, LengthMm(shape.rx));
            if (shape.kind == Shape::Kind::kArc) {
                g.Str(100, "AcDbArc");
                g.Real(50, shape.fromDegrees);
                g.Real(51, shape.toDegrees);
            }
            return;
        }
        case Shape::Kind::kEllipse: {
            const PointMm c = at(shape.centre);
            const double rx = LengthMm(shape.rx);
            const double ry = LengthMm(shape.ry);
            WriteEntityHead(g, "ELLIPSE", owner, shape.style);
            g.Str(100, "AcDbEllipse");
            g.Real(10, c.x);
            g.Real(20, c.y);
            g.Real(30, 0.0);
            g.Real(11, rx >= ry ? rx : 0.0);
            g.Real(21, rx >= ry ? 0.0 : ry);
            g.Real(31, 0.0);
            g.Real(40, rx >= ry ? ry / rx : rx / ry);
            g.Real(41, 0.0);
            g.Real(42, 2 * kPi);
            return;
        }
        case Shape::Kind::kFill: {
            WriteEntityHead(g, "HATCH", owner, shape.style);
            g.Str(100, "AcDbHatch");
            g.Real(10, 0.0);
            g.Real(20, 0.0);
            g.Real(30, 0.0);
            g.Real(210, 0.0);
            g.Real(220, 0.0);
            g.Real(230, 1.0);
            g.Str(2, shape.solid ? "SOLID" : "_USER");
            g.Int(70, shape.solid ? 1 : 0);
            g.Int(71, 0);
            g.Int(91, static_cast<long>(shape.loops.size()));
            for (const std::vector<DevicePoint>& loop : shape.loops) {
                g.Int(92, 2 | 1);  // an external polyline boundary
                g.Int(72, 0);
                g.Int(73, 1);
                g.Int(93, static_cast<long>(loop.size()));
                for (const DevicePoint& point : loop) {
                    const PointMm p = at(point);
                    g.Real(10, p.x);
                    g.Real(20, p.y);
                }
                g.Int(97, 0);
            }
            g.Int(75, 0);
            g.Int(76, shape.solid ? 1 : 0);
            if (!shape.solid) {
                // Windows hatch brushes repeat every 8 device pixels.
                const double spacing = LengthMm(8.0);
                g.Real(52, 0.0);
                g.Real(41, 1.0);
                g.Int(77, 0);
                g.Int(78, static_cast<long>(shape.hatchAngles.size()));
                for (double angle : shape.hatchAngles) {
                    const double r = angle * kPi / 180.0;
                    g.Real(53, angle);
                    g.Real(43, 0.0);
                    g.Real(44, 0.0);
                    g.Real(45, -spacing * std::sin(r));
                    g.Real(46, spacing * std::cos(r));
                    g.Int(79, 0);
                }
            }
            g.Int(98, 0);
            return;
        }
    }
}

void DxfSurface::Add(SurfacePoint anchor, Shape shape) {
    double left = 0, top = 0, right = 0, bottom = 0;
    if (shape.kind == Shape::Kind::kOutline || shape.kind == Shape::Kind::kFill) {
        bool first = true;
        for (const auto& loop : shape.loops) {
            for (const DevicePoint& p : loop) {
                left = first ? p.x : std::min(left, p.x);
                right = first ? p.x : std::max(right, p.x);
                top = first ? p.y : std::min(top, p.y);
                bottom = first ? p.y : std::max(bottom, p.y);
                first = false;
            }
        }
    } else {
        left = shape.centre.x - shape.rx;
        right = shape.centre.x + shape.rx;
        top = shape.centre.y - shape.ry;
        bottom = shape.centre.y + shape.ry;
    }
    const Box box{anchor.x + left, anchor.y + top, anchor.x + right, anchor.y + bottom};
    if (shape.kind == Shape::Kind::kFill) {
        // A fill covers what was drawn before it: waiting copies beneath it are written first.
        for (const Copy& copy : copies_) {
            if (copy.offsetMm == offsetMm_ && copy.box.left < box.right && box.left < copy.box.right &&
                copy.box.top < box.bottom && box.top < copy.box.bottom) {
                FlushCopies();
                break;
            }
        }
    }
    const bool small = LengthMm(std::max(right - left, bottom - top)) <= kSymbolExtentMm &&
                       (shape.kind != Shape::Kind::kFill || shape.loops.size() == 1);
    if (!small) {
        WriteShape(modelSpace_, dxf::kModelSpaceRecord, shape, ToMm(anchor.x, anchor.y));
        return;
    }
    std::string key;
    key.reserve(96);
    const Style& s = shape.style;
    key += s.layer;
    key.push_back('|');
    key += s.linetype;
    key.push_back('|');
    AppendNumber(key, static_cast<int>(shape.kind));
    AppendNumber(key, s.lineweight);
    AppendNumber(key, s.linetypeScale);
    AppendNumber(key, static_cast<double>(s.color));
    AppendNumber(key, shape.closed ? 1 : 0);
    AppendNumber(key, shape.solid ? 1 : 0);
    for (double angle : shape.hatchAngles) {
        AppendNumber(key, angle);
    }
    for (const auto& loop : shape.loops) {
        key.push_back('/');
        for (const DevicePoint& p : loop) {
            AppendNumber(key, p.x);
            AppendNumber(key, p.y);
        }
    }
    for (double value :
         {shape.centre.x, shape.centre.y, shape.rx, shape.ry, shape.fromDegrees, shape.toDegrees}) {
        AppendNumber(key, value);
    }
    const auto [found, added] = shapeIndex_.try_emplace(std::move(key), static_cast<int>(shapes_.size()));
    if (added) {
        shapes_.push_back(ShapeEntry{std::move(shape), -1, 0});
    }
    ++shapes_[static_cast<std::size_t>(found->second)].uses;
    copies_.push_back(Copy{found->second, offsetMm_, anchor.x, anchor.y, copies_.size(), box});
}

void DxfSurface::FlushCopies() {
    if (copies_.empty()) {
        return;
    }
    struct Run {
        std::vector<Copy> copies;  // in order along the run
        bool across = false;       // along x (a row of dashes) rather than down y
        std::size_t order = 0;
    };
    std::vector<Run> runs;
    // Copies of one shape on one page and one line (a column, or a row when `across`), at an even
    // pitch, become runs; what is left over is returned.
    const auto collectRuns = [&runs](std::vector<Copy> pool, bool across) {
        const auto along = [across](const Copy& c) { return across ? c.x : c.y; };
        const auto line = [across](const Copy& c) { return across ? c.y : c.x; };
        std::stable_sort(pool.begin(), pool.end(), [&](const Copy& a, const Copy& b) {
            if (a.shape != b.shape) {
                return a.shape < b.shape;
            }
            if (a.offsetMm != b.offsetMm) {
                return a.offsetMm < b.offsetMm;
            }
            return line(a) != line(b) ? line(a) < line(b) : along(a) < along(b);
        });
        // Every copy of a run lies within kRowTolerance of its even pitch.
        const auto evenPitch = [&](std::size_t first, std::size_t count) {
            const double pitch = static_cast<double>(along(pool[first + count - 1]) - along(pool[first])) /
                                 static_cast<double>(count - 1);
            if (pitch <= 0.0) {
                return false;
            }
            for (std::size_t k = 1; k + 1 < count; ++k) {
                const double expected = along(pool[first]) + pitch * static_cast<double>(k);
                if (std::abs(along(pool[first + k]) - expected) > kRowTolerance) {
                    return false;
                }
            }
            return true;
        };
        std::vector<Copy> left;
        for (std::size_t i = 0; i < pool.size();) {
            std::size_t count = 1;
            while (i + count < pool.size() && pool[i].shape == pool[i + count].shape &&
                   pool[i].offsetMm == pool[i + count].offsetMm && line(pool[i]) == line(pool[i + count]) &&
                   evenPitch(i, count + 1)) {
                ++count;
            }
            if (count == 1) {
                left.push_back(pool[i]);
            } else {
                Run run{std::vector<Copy>(pool.begin() + static_cast<std::ptrdiff_t>(i),
                                          pool.begin() + static_cast<std::ptrdiff_t>(i + count)),
                        across, pool[i].order};
                for (const Copy& copy : run.copies) {
                    run.order = std::min(run.order, copy.order);
                }
                runs.push_back(std::move(run));
            }
            i += count;
        }
        return left;
    };
    std::vector<Copy> copies = std::move(copies_);
    copies_.clear();
    for (const Copy& single : collectRuns(collectRuns(std::move(copies), false), true)) {
        runs.push_back(Run{{single}, false, single.order});
    }
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.order < b.order; });

    const double savedOffset = offsetMm_;
    for (const Run& run : runs) {
        const Copy& first = run.copies.front();
        const Copy& last = run.copies.back();
        const std::size_t count = run.copies.size();
        ShapeEntry& entry = shapes_[static_cast<std::size_t>(first.shape)];
        offsetMm_ = first.offsetMm;
        if (count == 1 && entry.block < 0 && entry.uses == 1) {
            // Drawn once so far: as it is.
            WriteShape(modelSpace_, dxf::kModelSpaceRecord, entry.shape, ToMm(first.x, first.y));
            continue;
        }
        if (entry.block < 0) {
            dxf::Block block;
            block.name = "P" + std::to_string(blocks_.size() + 1);
            block.record = NewHandle();
            block.begin = NewHandle();
            block.end = NewHandle();
            WriteShape(block.entities, block.record, entry.shape, PointMm{0.0, 0.0});
            entry.block = static_cast<int>(blocks_.size());
            blocks_.push_back(std::move(block));
        }
        // Rows run upward and columns rightward in the drawing: a column of copies is inserted at
        // its lowest copy, a row at its leftmost.
        const PointMm at = run.across ? ToMm(first.x, first.y) : ToMm(last.x, last.y);
        dxf::Groups g(modelSpace_);
        Style style;
        style.layer = entry.shape.style.layer;
        WriteEntityHead(g, "INSERT", dxf::kModelSpaceRecord, style, false);
        g.Str(100, "AcDbBlockReference");
        g.Str(2, blocks_[static_cast<std::size_t>(entry.block)].name);
        g.Real(10, at.x);
        g.Real(20, at.y);
        if (count > 1) {
            const double pitch = run.across
                                     ? static_cast<double>(last.x - first.x) / static_cast<double>(count - 1)
                                     : static_cast<double>(last.y - first.y) / static_cast<double>(count - 1);
            g.Int(70, run.across ? static_cast<long>(count) : 1);
            g.Int(71, run.across ? 1 : static_cast<long>(count));
            g.Real(44, run.across ? LengthMm(pitch) : 0.0);
            g.Real(45, run.across ? 0.0 : LengthMm(pitch));
        }
    }
    offsetMm_ = savedOffset;
}

void DxfSurface::AddOutline(std::vector<SurfacePoint> points, bool closed, const Pen& pen) {
    if (pen.style == pen_style::kNull || points.size() < 2) {
        return;
    }
    Shape shape;
    shape.kind = Shape::Kind::kOutline;
    shape.style = PenStyle(pen);
    shape.closed = closed;
    const SurfacePoint anchor = points.front();
    std::vector<DevicePoint> relative;
    relative.reserve(points.size());
    for (const SurfacePoint& p : points) {
        relative.push_back({static_cast<double>(p.x - anchor.x), static_cast<double>(p.y - anchor.y)});
    }
    shape.loops.push_back(std::move(relative));
    Add(anchor, std::move(shape));
}

void DxfSurface::AddFill(std::vector<std::vector<SurfacePoint>> loops, const Brush& brush) {
    if (brush.kind == Brush::Kind::kNone || loops.empty() || loops.front().empty()) {
        return;
    }
    Shape shape;
    shape.kind = Shape::Kind::kFill;
    shape.style = FillStyle(brush.color);
    shape.solid = brush.kind == Brush::Kind::kSolid;
    if (!shape.solid) {
        shape.hatchAngles = HatchAngles(brush.hatch);
    }
    const SurfacePoint anchor = loops.front().front();
    for (const std::vector<SurfacePoint>& loop : loops) {
        std::vector<DevicePoint> relative;
        relative.reserve(loop.size());
        for (const SurfacePoint& p : loop) {
            relative.push_back({static_cast<double>(p.x - anchor.x), static_cast<double>(p.y - anchor.y)});
        }
        shape.loops.push_back(std::move(relative));
    }
    Add(anchor, std::move(shape));
}

void DxfSurface::Line(SurfacePoint from, SurfacePoint to, const Pen& pen) {
    AddOutline({from, to}, false, pen);
}

void DxfSurface::Polyline(std::span<const SurfacePoint> points, const Pen& pen) {
    AddOutline(std::vector<SurfacePoint>(points.begin(), points.end()), false, pen);
}

void DxfSurface::Polygon(std::span<const SurfacePoint> points, const Pen& pen, const Brush& brush, FillMode) {
    if (points.size() < 2) {
        return;
    }
    std::vector<SurfacePoint> outline(points.begin(), points.end());
    if (points.size() >= 3) {
        AddFill({outline}, brush);
    }
    AddOutline(std::move(outline), true, pen);
}

void DxfSurface::Rectangle(const SurfaceRect& rect, const Pen& pen, const Brush& brush) {
    const SurfaceRect r = rect.Normalized();
    std::vector<SurfacePoint> corners{
        {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    AddFill({corners}, brush);
    AddOutline(std::move(corners), true, pen);
}

void DxfSurface::Ellipse(const SurfaceRect& bounds, const Pen& pen, const Brush& brush) {
    const SurfaceRect r = bounds.Normalized();
    const SurfacePoint anchor{r.left, r.top};
    const DevicePoint centre{(r.right - r.left) / 2.0, (r.bottom - r.top) / 2.0};
    const double rx = (r.right - r.left) / 2.0;
    const double ry = (r.bottom - r.top) / 2.0;
    if (rx <= 0.0 || ry <= 0.0) {
        return;
    }
    if (brush.kind != Brush::Kind::kNone) {
        Shape fill;
        fill.kind = Shape::Kind::kFill;
        fill.style = FillStyle(brush.color);
        fill.solid = brush.kind == Brush::Kind::kSolid;
        if (!fill.solid) {
            fill.hatchAngles = HatchAngles(brush.hatch);
        }
        std::vector<DevicePoint> outline;
        for (int i = 0; i < 72; ++i) {
            const double a = 2.0 * kPi * i / 72.0;
            outline.push_back({centre.x + rx * std::cos(a), centre.y - ry * std::sin(a)});
        }
        fill.loops.push_back(std::move(outline));
        Add(anchor, std::move(fill));
    }
    if (pen.style == pen_style::kNull) {
        return;
    }
    Shape shape;
    shape.kind = std::abs(rx - ry) < 1e-9 ? Shape::Kind::kCircle : Shape::Kind::kEllipse;
    shape.style = PenStyle(pen);
    shape.centre = centre;
    shape.rx = rx;
    shape.ry = ry;
    Add(anchor, std::move(shape));
}

void DxfSurface::Arc(const SurfaceRect& bounds, SurfacePoint start, SurfacePoint end, const Pen& pen) {
    const SurfaceRect r = bounds.Normalized();
    const double cx = (r.left + r.right) / 2.0;
    const double cy = (r.top + r.bottom) / 2.0;
    const double rx = (r.right - r.left) / 2.0;
    const double ry = (r.bottom - r.top) / 2.0;
    if (rx <= 0.0 || ry <= 0.0 || pen.style == pen_style::kNull) {
        return;
    }
    // Angles of the ellipse's own parameter, counter-clockwise as the page is seen.
    const auto parameter = [&](SurfacePoint p) { return std::atan2(-(p.y - cy) / ry, (p.x - cx) / rx); };
    const double from = parameter(start);
    double to = parameter(end);
    if (to <= from) {
        to += 2.0 * kPi;
    }
    if (start.x == end.x && start.y == end.y) {
        to = from + 2.0 * kPi;
    }
    const SurfacePoint anchor{r.left, r.top};
    if (std::abs(rx - ry) < 1e-9) {
        Shape shape;
        shape.kind = Shape::Kind::kArc;
        shape.style = PenStyle(pen);
        shape.centre = {cx - anchor.x, cy - anchor.y};
        shape.rx = rx;
        shape.ry = ry;
        shape.fromDegrees = from * 180.0 / kPi;
        shape.toDegrees = to * 180.0 / kPi;
        Add(anchor, std::move(shape));
        return;
    }
    Shape shape;
    shape.kind = Shape::Kind::kOutline;
    shape.style = PenStyle(pen);
    std::vector<DevicePoint> points;
    const int steps = std::max(4, static_cast<int>(std::ceil(72.0 * (to - from) / (2.0 * kPi))));
    for (int i = 0; i <= steps; ++i) {
        const double a = from + (to - from) * i / steps;
        points.push_back({cx + rx * std::cos(a) - anchor.x, cy - ry * std::sin(a) - anchor.y});
    }
    shape.loops.push_back(std::move(points));
    Add(anchor, std::move(shape));
}

void DxfSurface::StretchBitmap(const SurfaceBitmap& bitmap, const SurfaceRect& destination,
                               std::uint32_t rasterOp) {
    // Reached only where the drawing has no line pattern to offer: the bitmap is laid down as
    // one filled area per colour, built from the runs of equal pixels of each row.
    if (bitmap.width <= 0 || bitmap.height <= 0) {
        return;
    }
    const SurfaceRect r = destination;
    const double cellWidth = static_cast<double>(r.right - r.left) / bitmap.width;
    const double cellHeight = static_cast<double>(r.bottom - r.top) / bitmap.height;
    const bool skipWhite = rasterOp == raster_op::kAnd;
    std::map<ColorRef, std::vector<std::vector<DevicePoint>>> areas;
    for (int y = 0; y < bitmap.height; ++y) {
        int x = 0;
        while (x < bitmap.width) {
            const ColorRef color = bitmap.At(x, y) & 0xFFFFFF;
            int runEnd = x + 1;
            while (runEnd < bitmap.width && (bitmap.At(runEnd, y) & 0xFFFFFF) == color) {
                ++runEnd;
            }
            if (!(skipWhite && color == kWhite)) {
                const double left = x * cellWidth;
                const double right = runEnd * cellWidth;
                const double top = y * cellHeight;
                const double bottom = top + cellHeight;
                areas[color].push_back({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
            }
            x = runEnd;
        }
    }
    FlushCopies();
    for (auto& [color, loops] : areas) {
        Shape fill;
        fill.kind = Shape::Kind::kFill;
        fill.style = FillStyle(color);
        fill.loops = std::move(loops);
        WriteShape(modelSpace_, dxf::kModelSpaceRecord, fill, ToMm(r.left, r.top));
    }
}

std::optional<std::string> DxfSurface::FileContent(std::string& error) {
    FlushCopies();
    dxf::Document document;
    document.widthMm = totalWidthMm_;
    document.heightMm = LengthMm(page_.height);
    document.layers.assign(layers_.begin(), layers_.end());
    for (int style : {pen_style::kDash, pen_style::kDot, pen_style::kDashDot, pen_style::kDashDotDot}) {
        const LinetypeDefinition* type = LinetypeOf(style);
        if (linetypes_.count(type->name) != 0) {
            document.linetypes.push_back(dxf::Linetype{type->name, type->description, type->pattern});
        }
    }
    document.textStyle = kTextStyle;
    document.textFont = "msmincho.ttc";
    document.blocks = &blocks_;
    document.modelSpace = modelSpace_;
    document.nextHandle = nextHandle_;
    std::string content = dxf::WriteDocument(document);
    if (content.empty()) {
        error = "cannot write the DXF file";
        return std::nullopt;
    }
    return content;
}

}  // namespace rave::platform
