// The DXF drawing surface: entities are collected while the page is drawn and written with
// dxflib at the end, when every layer and linetype in use is known.
#include "platform/dxf_surface.h"

#include <dxflib/dl_dxf.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>

#include "platform/qpainter_surface.h"

namespace rave::platform {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr const char* kTextStyle = "MINCHO";

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
    static constexpr std::array<int, 24> kSteps{0,  5,  9,  13, 15,  18,  20,  25,  30,  35,  40,  50,
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

DL_Attributes AttributesOf(const std::string& layer, ColorRef color, int lineweight, const std::string& linetype,
                           double linetypeScale) {
    DL_Attributes attributes(layer, NearestAci(color), TrueColor(color), lineweight, linetype);
    attributes.setLinetypeScale(linetypeScale);
    return attributes;
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
    const double height = LengthMm(cell * capRatio_);
    const std::string text(cp932);
    const Style style = FillStyle(textColor_);
    // dxflib takes the text's angle in radians.
    entities_.push_back([=](DL_Dxf& dxf, DL_WriterA& writer) {
        dxf.writeText(writer,
                      DL_TextData(p.x, p.y, 0.0, p.x, p.y, 0.0, height, 1.0, 0, 0, 0, text, kTextStyle, radians),
                      AttributesOf(style.layer, style.color, -1, "BYLAYER", 1.0));
    });

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

void DxfSurface::AddOutline(std::vector<PointMm> points, bool closed, const Pen& pen) {
    if (pen.style == pen_style::kNull || points.size() < 2) {
        return;
    }
    const Style style = PenStyle(pen);
    entities_.push_back([points = std::move(points), closed, style](DL_Dxf& dxf, DL_WriterA& writer) {
        const DL_Attributes attributes =
            AttributesOf(style.layer, style.color, style.lineweight, style.linetype, style.linetypeScale);
        if (points.size() == 2 && !closed) {
            dxf.writeLine(writer, DL_LineData(points[0].x, points[0].y, 0.0, points[1].x, points[1].y, 0.0),
                          attributes);
            return;
        }
        dxf.writePolyline(writer, DL_PolylineData(static_cast<int>(points.size()), 0, 0, closed ? 1 : 0),
                          attributes);
        for (const PointMm& p : points) {
            dxf.writeVertex(writer, DL_VertexData(p.x, p.y, 0.0, 0.0));
        }
        dxf.writePolylineEnd(writer);
    });
}

void DxfSurface::AddFill(std::vector<std::vector<PointMm>> loops, const Brush& brush) {
    if (brush.kind == Brush::Kind::kNone || loops.empty()) {
        return;
    }
    const Style style = FillStyle(brush.color);
    const bool solid = brush.kind == Brush::Kind::kSolid;
    const std::vector<double> angles = solid ? std::vector<double>{} : HatchAngles(brush.hatch);
    // Windows hatch brushes repeat every 8 device pixels.
    const double spacing = LengthMm(8.0);
    entities_.push_back([loops = std::move(loops), style, solid, angles, spacing](DL_Dxf&, DL_WriterA& w) {
        w.entity("HATCH");
        w.dxfString(100, "AcDbEntity");
        w.entityAttributes(AttributesOf(style.layer, style.color, -1, "BYLAYER", 1.0));
        w.dxfString(100, "AcDbHatch");
        w.dxfReal(10, 0.0);
        w.dxfReal(20, 0.0);
        w.dxfReal(30, 0.0);
        w.dxfReal(210, 0.0);
        w.dxfReal(220, 0.0);
        w.dxfReal(230, 1.0);
        w.dxfString(2, solid ? "SOLID" : "_USER");
        w.dxfInt(70, solid ? 1 : 0);
        w.dxfInt(71, 0);
        w.dxfInt(91, static_cast<int>(loops.size()));
        for (const std::vector<PointMm>& loop : loops) {
            w.dxfInt(92, 2 | 1);  // an external polyline boundary
            w.dxfInt(72, 0);
            w.dxfInt(73, 1);
            w.dxfInt(93, static_cast<int>(loop.size()));
            for (const PointMm& p : loop) {
                w.dxfReal(10, p.x);
                w.dxfReal(20, p.y);
            }
            w.dxfInt(97, 0);
        }
        w.dxfInt(75, 0);
        w.dxfInt(76, solid ? 1 : 0);
        if (!solid) {
            w.dxfReal(52, 0.0);
            w.dxfReal(41, 1.0);
            w.dxfInt(77, 0);
            w.dxfInt(78, static_cast<int>(angles.size()));
            for (double angle : angles) {
                const double r = angle * kPi / 180.0;
                w.dxfReal(53, angle);
                w.dxfReal(43, 0.0);
                w.dxfReal(44, 0.0);
                w.dxfReal(45, -spacing * std::sin(r));
                w.dxfReal(46, spacing * std::cos(r));
                w.dxfInt(79, 0);
            }
        }
        w.dxfInt(98, 0);
    });
}

void DxfSurface::Line(SurfacePoint from, SurfacePoint to, const Pen& pen) {
    AddOutline({ToMm(from.x, from.y), ToMm(to.x, to.y)}, false, pen);
}

void DxfSurface::Polyline(std::span<const SurfacePoint> points, const Pen& pen) {
    std::vector<PointMm> mm;
    mm.reserve(points.size());
    for (const SurfacePoint& p : points) {
        mm.push_back(ToMm(p.x, p.y));
    }
    AddOutline(std::move(mm), false, pen);
}

void DxfSurface::Polygon(std::span<const SurfacePoint> points, const Pen& pen, const Brush& brush, FillMode) {
    if (points.size() < 2) {
        return;
    }
    std::vector<PointMm> mm;
    mm.reserve(points.size());
    for (const SurfacePoint& p : points) {
        mm.push_back(ToMm(p.x, p.y));
    }
    if (points.size() >= 3) {
        AddFill({mm}, brush);
    }
    AddOutline(std::move(mm), true, pen);
}

void DxfSurface::Rectangle(const SurfaceRect& rect, const Pen& pen, const Brush& brush) {
    const SurfaceRect r = rect.Normalized();
    std::vector<PointMm> corners{ToMm(r.left, r.top), ToMm(r.right, r.top), ToMm(r.right, r.bottom),
                                 ToMm(r.left, r.bottom)};
    AddFill({corners}, brush);
    AddOutline(std::move(corners), true, pen);
}

void DxfSurface::Ellipse(const SurfaceRect& bounds, const Pen& pen, const Brush& brush) {
    const SurfaceRect r = bounds.Normalized();
    const PointMm centre = ToMm((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0);
    const double rx = LengthMm((r.right - r.left) / 2.0);
    const double ry = LengthMm((r.bottom - r.top) / 2.0);
    if (rx <= 0.0 || ry <= 0.0) {
        return;
    }
    if (brush.kind != Brush::Kind::kNone) {
        std::vector<PointMm> outline;
        for (int i = 0; i < 72; ++i) {
            const double a = 2.0 * kPi * i / 72.0;
            outline.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
        }
        AddFill({std::move(outline)}, brush);
    }
    if (pen.style == pen_style::kNull) {
        return;
    }
    const Style style = PenStyle(pen);
    entities_.push_back([centre, rx, ry, style](DL_Dxf& dxf, DL_WriterA& writer) {
        const DL_Attributes attributes =
            AttributesOf(style.layer, style.color, style.lineweight, style.linetype, style.linetypeScale);
        if (std::abs(rx - ry) < 1e-9) {
            dxf.writeCircle(writer, DL_CircleData(centre.x, centre.y, 0.0, rx), attributes);
        } else if (rx >= ry) {
            dxf.writeEllipse(writer, DL_EllipseData(centre.x, centre.y, 0.0, rx, 0.0, 0.0, ry / rx, 0.0, 2 * kPi),
                             attributes);
        } else {
            dxf.writeEllipse(writer, DL_EllipseData(centre.x, centre.y, 0.0, 0.0, ry, 0.0, rx / ry, 0.0, 2 * kPi),
                             attributes);
        }
    });
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
    std::vector<PointMm> points;
    const int steps = std::max(4, static_cast<int>(std::ceil(72.0 * (to - from) / (2.0 * kPi))));
    for (int i = 0; i <= steps; ++i) {
        const double a = from + (to - from) * i / steps;
        points.push_back(ToMm(cx + rx * std::cos(a), cy - ry * std::sin(a)));
    }
    if (std::abs(rx - ry) < 1e-9) {
        const PointMm centre = ToMm(cx, cy);
        const double radius = LengthMm(rx);
        const Style style = PenStyle(pen);
        const double a1 = from * 180.0 / kPi;
        const double a2 = to * 180.0 / kPi;
        entities_.push_back([centre, radius, a1, a2, style](DL_Dxf& dxf, DL_WriterA& writer) {
            dxf.writeArc(writer, DL_ArcData(centre.x, centre.y, 0.0, radius, a1, a2),
                         AttributesOf(style.layer, style.color, style.lineweight, style.linetype,
                                      style.linetypeScale));
        });
        return;
    }
    AddOutline(std::move(points), false, pen);
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
    std::map<ColorRef, std::vector<std::vector<PointMm>>> areas;
    for (int y = 0; y < bitmap.height; ++y) {
        int x = 0;
        while (x < bitmap.width) {
            const ColorRef color = bitmap.At(x, y) & 0xFFFFFF;
            int runEnd = x + 1;
            while (runEnd < bitmap.width && (bitmap.At(runEnd, y) & 0xFFFFFF) == color) {
                ++runEnd;
            }
            if (!(skipWhite && color == kWhite)) {
                const double left = r.left + x * cellWidth;
                const double right = r.left + runEnd * cellWidth;
                const double top = r.top + y * cellHeight;
                const double bottom = top + cellHeight;
                areas[color].push_back({ToMm(left, top), ToMm(right, top), ToMm(right, bottom), ToMm(left, bottom)});
            }
            x = runEnd;
        }
    }
    for (auto& [color, loops] : areas) {
        AddFill(std::move(loops), Brush::Solid(color));
    }
}

std::optional<std::string> DxfSurface::FileContent(std::string& error) const {
    // dxflib writes to a named file only: write into a private folder and read the bytes back.
    QTemporaryDir folder;
    if (!folder.isValid()) {
        error = "cannot make a temporary folder for the DXF file";
        return std::nullopt;
    }
    const std::string path = folder.filePath(QStringLiteral("page.dxf")).toStdString();
    const double widthMm = totalWidthMm_;
    const double heightMm = LengthMm(page_.height);
    {
        DL_Dxf dxf;
        std::unique_ptr<DL_WriterA> writer(dxf.out(path.c_str(), DL_Codes::AC1015));
        if (!writer) {
            error = "cannot write the DXF file";
            return std::nullopt;
        }
        DL_WriterA& w = *writer;
        dxf.writeHeader(w);
        w.dxfString(9, "$DWGCODEPAGE");
        w.dxfString(3, "ANSI_932");
        w.dxfString(9, "$INSUNITS");
        w.dxfInt(70, 4);  // millimetres
        w.dxfString(9, "$MEASUREMENT");
        w.dxfInt(70, 1);
        w.dxfString(9, "$LWDISPLAY");
        w.dxfInt(290, 1);
        for (const auto& [name, x, y] : {std::tuple{"$EXTMIN", 0.0, 0.0}, std::tuple{"$EXTMAX", widthMm, heightMm},
                                         std::tuple{"$LIMMIN", 0.0, 0.0}, std::tuple{"$LIMMAX", widthMm, heightMm}}) {
            w.dxfString(9, name);
            w.dxfReal(10, x);
            w.dxfReal(20, y);
            if (name[1] == 'E') {
                w.dxfReal(30, 0.0);
            }
        }
        w.sectionEnd();

        w.sectionTables();
        dxf.writeVPort(w);
        w.tableLinetypes(static_cast<int>(3 + linetypes_.size()));
        dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
        dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
        dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
        for (int style : {pen_style::kDash, pen_style::kDot, pen_style::kDashDot, pen_style::kDashDotDot}) {
            const LinetypeDefinition* type = LinetypeOf(style);
            if (linetypes_.count(type->name) == 0) {
                continue;
            }
            std::vector<double> pattern = type->pattern;
            double length = 0.0;
            for (double dash : pattern) {
                length += std::abs(dash);
            }
            dxf.writeLinetype(w, DL_LinetypeData(type->name, type->description, 0, static_cast<int>(pattern.size()),
                                                 length, pattern.data()));
        }
        w.tableEnd();
        w.tableLayers(static_cast<int>(layers_.size()));
        for (const std::string& layer : layers_) {
            dxf.writeLayer(w, DL_LayerData(layer, 0), DL_Attributes("", 7, 0x000000, 25, "CONTINUOUS"));
        }
        w.tableEnd();
        w.tableStyle(2);
        dxf.writeStyle(w, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
        dxf.writeStyle(w, DL_StyleData(kTextStyle, 0, 0.0, 1.0, 0.0, 0, 2.5, "msmincho.ttc", ""));
        w.tableEnd();
        dxf.writeView(w);
        dxf.writeUcs(w);
        w.tableAppid(1);
        dxf.writeAppid(w, "ACAD");
        w.tableEnd();
        dxf.writeDimStyle(w, 2.5, 0.625, 0.625, 0.625, 2.5);
        dxf.writeBlockRecord(w);
        w.tableEnd();
        w.sectionEnd();

        w.sectionBlocks();
        dxf.writeBlock(w, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(w, "*Model_Space");
        dxf.writeBlock(w, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(w, "*Paper_Space");
        dxf.writeBlock(w, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(w, "*Paper_Space0");
        w.sectionEnd();

        w.sectionEntities();
        for (const EntityWriter& entity : entities_) {
            entity(dxf, w);
        }
        w.sectionEnd();
        dxf.writeObjects(w);
        dxf.writeObjectsEnd(w);
        w.dxfEOF();
        w.close();
        if (w.openFailed()) {
            error = "cannot write the DXF file";
            return std::nullopt;
        }
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        error = "cannot read back the DXF file";
        return std::nullopt;
    }
    // Windows CAD programs expect CR LF line ends.
    const std::string lines = bytes.str();
    std::string content;
    content.reserve(lines.size() + lines.size() / 8);
    for (char c : lines) {
        if (c == '\n') {
            content += '\r';
        }
        content += c;
    }
    return content;
}

}  // namespace rave::platform
