// Generates the bitmap tiles of the soil patterns from the vector patterns, and a preview sheet
// of every pattern for checking them by eye.
//
// The tiles are what a new install folder draws a log with when bitmap patterns are chosen (the
// simple table always draws with them). Each known pattern number becomes "<number>.bmp", a
// square tile of one pattern cell, written into four folders under the data folder:
//   Jbptn/J    colour tiles of the JACIC table      Jbptn01/J  black tiles of the JACIC table
//   Cbptn/C    colour tiles of the simple table     Cbptn01/C  black tiles of the simple table
// Colour tiles take the colour of the pattern colour table (PtnvcJG.ndx of the data folder).
// Tiles hold two colours, so they are written with one bit per pixel.
//
// Regenerate after changing a pattern or the colour table:
//   cmake -S . -B build -G Ninja && ninja -C build generate_pattern_tiles
//   QT_QPA_PLATFORM=offscreen build/tools/generate_pattern_tiles --data data
// Preview sheet (every pattern in a grid, cell frames in red so that a spill shows):
//   QT_QPA_PLATFORM=offscreen build/tools/generate_pattern_tiles --sheet patterns.png
#include <CLI/CLI.hpp>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/drawing/pattern_mapping.h"
#include "common/format.h"
#include "common/messages.h"
#include "common/pattern_colors.h"
#include "common/patterns/pattern_bitmap.h"
#include "common/patterns/soil_patterns.h"
#include "common/text_file.h"
#include "platform/qpainter_surface.h"

namespace {

// World units are millimetres of paper, (0, 0) is the image's top left corner.
class ImageMapping final : public rave::WorldMapping {
public:
    explicit ImageMapping(double pixelsPerMm) : unit_(pixelsPerMm), scaleY_(pixelsPerMm) {}
    int ToSurfaceX(double x) const override { return rave::ClampToSurface(x * unit_); }
    int ToSurfaceY(double y) const override { return rave::ClampToSurface(y * scaleY_); }
    double FromSurfaceX(int x) const override { return x / unit_; }
    double FromSurfaceY(int y) const override { return y / scaleY_; }
    double ScaleX() const override { return unit_; }
    double ScaleY() const override { return scaleY_; }
    void SetScaleY(double scaleY) override { scaleY_ = scaleY; }
    double UnitY() const override { return unit_; }

private:
    double unit_;
    double scaleY_;
};

// The column width of the log sheets' soil column, mm: a tile is a cell of it, twice as high.
constexpr double kTileCellMm = 8.2;

// One tile: the pattern drawn into a cell `size` pixels wide and twice as high, every pixel then
// either white or the colour.
rave::SurfaceBitmap RenderTile(long patternNo, int size, rave::ColorRef color) {
    const int height = 2 * size;
    QImage image(size, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        const int dpi = static_cast<int>(size / kTileCellMm * 25.4 + 0.5);
        rave::platform::QPainterSurface surface(painter, dpi, dpi, {size, height});
        ImageMapping mapping(size / kTileCellMm);
        const rave::MappedSurface target{surface, mapping};
        const double right = (size - 1) / mapping.ScaleX();
        const double bottom = (height - 1) / mapping.ScaleX();
        rave::DrawSoilPattern(target, patternNo, 0.0, 0.0, right, bottom, 1.0, 1, rave::kBlack, 0,
                              rave::PatternSet::kRavesect);
    }
    rave::SurfaceBitmap tile;
    tile.width = size;
    tile.height = height;
    tile.pixels.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < size; ++x) {
            tile.pixels.push_back(qGray(image.pixel(x, y)) < 160 ? color : rave::kWhite);
        }
    }
    return tile;
}

bool WriteTiles(const std::filesystem::path& dataFolder, int size) {
    rave::PatternColorTable colors;
    rave::RecordingMessageSink messages;
    if (!colors.LoadPatternColors(dataFolder / "PtnvcJG.ndx", messages)) {
        std::fprintf(stderr, "no pattern colour table in %s: colour tiles are drawn black\n",
                     dataFolder.string().c_str());
    }
    struct Folder {
        const char* path;
        bool monochrome;
    };
    const Folder folders[] = {
        {"Jbptn/J", false}, {"Jbptn01/J", true}, {"Cbptn/C", false}, {"Cbptn01/C", true}};
    int written = 0;
    for (const Folder& folder : folders) {
        const std::filesystem::path target = dataFolder / folder.path;
        std::error_code error;
        std::filesystem::create_directories(target, error);
        for (long patternNo : rave::KnownPatternNumbers(rave::PatternSet::kRavesect)) {
            if (patternNo == 20004) {
                continue;  // draws nothing
            }
            const rave::ColorRef color = folder.monochrome ? rave::kBlack : colors.PatternColor(patternNo);
            const std::string bytes = rave::EncodeBitmap(RenderTile(patternNo, size, color));
            const std::filesystem::path file = target / rave::FormatText("%ld.bmp", patternNo);
            if (bytes.empty() || !rave::WriteFileAtomically(file, bytes)) {
                std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
                return false;
            }
            ++written;
        }
    }
    std::printf("%d tiles written under %s\n", written, dataFolder.string().c_str());
    return true;
}

// Every pattern in a grid of cells, labelled, with the cell frames in red.
bool WriteSheet(const std::filesystem::path& file, double cellWidthMm, double cellHeightMm, int dpi) {
    const auto numbers = rave::KnownPatternNumbers(rave::PatternSet::kRavesect);
    const int columns = 12;
    const int rows = static_cast<int>((numbers.size() + columns - 1) / columns);
    const double gapMm = 4.0;
    const double labelMm = 4.0;
    rave::PatternMapping mapping = rave::PatternMapping::ForDevice(dpi, dpi, 0.0, 0.0);
    mapping.originY = -rave::PatternMapping::kFixedOffsetY / mapping.unitY;  // no extra offset on a sheet
    const int width = static_cast<int>((columns * (cellWidthMm + gapMm) + gapMm) * mapping.unitX);
    const int height = static_cast<int>((rows * (cellHeightMm + gapMm + labelMm) + gapMm) * mapping.unitY);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        rave::platform::QPainterSurface surface(painter, dpi, dpi, {width, height});
        const rave::MappedSurface target{surface, mapping};
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            const int column = static_cast<int>(i) % columns;
            const int row = static_cast<int>(i) / columns;
            const double x1 = gapMm + column * (cellWidthMm + gapMm);
            const double y1 = gapMm + labelMm + row * (cellHeightMm + gapMm + labelMm);
            rave::DrawSoilPattern(target, numbers[i], x1, y1, x1 + cellWidthMm, y1 + cellHeightMm, 1.0, 1,
                                  rave::kBlack, 0, rave::PatternSet::kRavesect);
            const rave::Pen frame{rave::pen_style::kSolid, 1, rave::MakeColorRef(255, 0, 0)};
            const rave::SurfacePoint a = target.ToSurface(x1, y1),
                                     b = target.ToSurface(x1 + cellWidthMm, y1 + cellHeightMm);
            surface.Rectangle({a.x, a.y, b.x, b.y}, frame, rave::Brush::None());
            painter.setPen(Qt::black);
            QFont font = painter.font();
            font.setPixelSize(static_cast<int>(2.5 * mapping.unitY));
            painter.setFont(font);
            painter.drawText(a.x, a.y - static_cast<int>(0.8 * mapping.unitY), QString::number(numbers[i]));
        }
    }
    if (!image.save(QString::fromStdString(file.string()))) {
        std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
        return false;
    }
    std::printf("sheet written to %s\n", file.string().c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    CLI::App app{"Generates the soil-pattern bitmap tiles and a preview sheet of every pattern"};
    std::string dataFolder;
    std::string sheet;
    int size = 64;
    double cellWidth = 8.2;
    double cellHeight = 30.0;
    int dpi = 300;
    app.add_option("--data", dataFolder, "data folder: tiles are written under it, colours read from it");
    app.add_option("--size", size, "width of a tile in pixels (the height is twice as much)")
        ->check(CLI::Range(8, 512));
    app.add_option("--sheet", sheet, "also write a PNG with every pattern in a grid");
    app.add_option("--cell-width", cellWidth, "sheet cell width, mm")->check(CLI::Range(1.0, 100.0));
    app.add_option("--cell-height", cellHeight, "sheet cell height, mm")->check(CLI::Range(1.0, 200.0));
    app.add_option("--dpi", dpi, "sheet resolution")->check(CLI::Range(50, 1200));
    CLI11_PARSE(app, argc, argv);
    if (dataFolder.empty() && sheet.empty()) {
        std::fprintf(stderr, "nothing to do: give --data and/or --sheet\n");
        return 2;
    }
    if (!dataFolder.empty() && !WriteTiles(dataFolder, size)) {
        return 1;
    }
    if (!sheet.empty() && !WriteSheet(sheet, cellWidth, cellHeight, dpi)) {
        return 1;
    }
    return 0;
}
