// An SVG page shows what the printed page shows: page 1 of each example rendered to PNG and to
// SVG, the SVG rasterised again with rsvg-convert, and no ink in the SVG's picture where the PNG
// has none (beyond a pixel or two of antialiasing). The section cuts its soil columns out of the
// elevation lines and bounds everything by the page area with clip regions, which SVG files
// cannot carry, so this is where a drawing that escapes its clip would show.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

bool HaveRsvgConvert() {
    return std::system("command -v rsvg-convert > /dev/null 2>&1") == 0;
}

int Shell(const std::string& command) {
    return std::system((command + " > /dev/null 2>&1").c_str());
}

bool Ink(QRgb pixel) {
    return qGray(pixel) < 160;
}

// Pixels inked in `svg` with no ink within `reach` pixels in `png`, and the ink of `svg`.
std::pair<long, long> StrayInk(const QImage& png, const QImage& svg, int reach) {
    long stray = 0;
    long ink = 0;
    for (int y = 0; y < svg.height(); ++y) {
        for (int x = 0; x < svg.width(); ++x) {
            if (!Ink(svg.pixel(x, y))) {
                continue;
            }
            ++ink;
            bool near = false;
            for (int dy = -reach; dy <= reach && !near; ++dy) {
                for (int dx = -reach; dx <= reach && !near; ++dx) {
                    const int px = x + dx;
                    const int py = y + dy;
                    near =
                        px >= 0 && py >= 0 && px < png.width() && py < png.height() && Ink(png.pixel(px, py));
                }
            }
            stray += near ? 0 : 1;
        }
    }
    return {stray, ink};
}

struct Case {
    const char* program;
    const char* input;
    const char* options;
};

TEST(VectorOutput, SvgPagesHaveNoInkThePrintedPageLacks) {
    if (!HaveRsvgConvert()) {
        GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    }
    const Case cases[] = {
        {"ravesect", "section/example-section.sqw", ""},
        {"ravesect", "section/example-interpretation.sqw", ""},
        {"ravelog", "example-short.sdw", "--format 1"},
        {"ravelog", "example-short.sdw", "--format 2"},
        {"ravelog", "example-short.sdw", "--format 3"},
    };
    rave::testing::TempFolder temp;
    const fs::path apps = fs::path(RAVE_BINARY_DIR) / "apps";
    const fs::path examples = fs::path(RAVE_SOURCE_DIR) / "examples";
    for (const Case& c : cases) {
        if (!fs::exists(examples / c.input)) {
            continue;
        }
        const std::string common = (apps / c.program).string() + " render " + (examples / c.input).string() +
                                   " --pages 1 --dpi 100 " + c.options + " --install-folder " +
                                   (temp.path() / "install").string() + " -o ";
        const fs::path png = temp.path() / "page.png";
        const fs::path svg = temp.path() / "page.svg";
        const fs::path back = temp.path() / "back.png";
        ASSERT_EQ(Shell(common + png.string()), 0) << c.input;
        ASSERT_EQ(Shell(common + svg.string()), 0) << c.input;
        const QImage printed(QString::fromStdString(png.string()));
        ASSERT_FALSE(printed.isNull()) << c.input;
        ASSERT_EQ(Shell("rsvg-convert -b white -w " + std::to_string(printed.width()) + " -h " +
                      std::to_string(printed.height()) + " -o " + back.string() + " " + svg.string()),
                  0)
            << c.input;
        const QImage vector(QString::fromStdString(back.string()));
        ASSERT_EQ(vector.size(), printed.size()) << c.input;
        const auto [stray, ink] = StrayInk(printed, vector, 2);
        ASSERT_GT(ink, 1000) << c.input << ": the SVG drew next to nothing";
        // Glyphs rasterised by another renderer differ by a pixel here and there.
        EXPECT_LT(static_cast<double>(stray) / static_cast<double>(ink), 0.005)
            << c.input << " " << c.options << ": " << stray << " of " << ink
            << " inked pixels are not on the PNG";
    }
}

}  // namespace
