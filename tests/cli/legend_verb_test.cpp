// The legend verb end to end: the shipped JACIC table becomes a two-page PDF, the simple table
// one PNG page with its swatches inked, and bad arguments are usage errors.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include "cli_runner.h"

namespace ravelog::cli::testing {
namespace {

using LegendVerbTest = CliTest;

// Non-white pixels in a rectangle given in millimetres of the page.
int InkPixels(const QImage& image, int dpi, double left, double top, double right, double bottom) {
    const double unit = dpi / 25.4;
    int ink = 0;
    for (int y = static_cast<int>(top * unit); y < static_cast<int>(bottom * unit); ++y) {
        for (int x = static_cast<int>(left * unit); x < static_cast<int>(right * unit); ++x) {
            ink += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    return ink;
}

TEST_F(LegendVerbTest, JacicTableToPdf) {
    const std::filesystem::path pdf = Folder() / "legend.pdf";
    const CliResult result = Run({"legend", "-o", pdf.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // 3 group headings and 117 names at 50 lines a page of A4.
    EXPECT_EQ(PdfPages(pdf), 3);
}

TEST_F(LegendVerbTest, SimpleTableToPngWithEverySwatchInked) {
    const std::filesystem::path png = Folder() / "simple.png";
    const CliResult result = Run({"legend", "-o", png.string(), "--table", "simple", "--dpi", "100"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QImage image(QString::fromStdString(png.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 827);  // 210 mm at 100 dpi
    // The heading and the first 20 names of the simple table: tiles get rows of 18.4 mm,
    // 13 to a column ((297 - 10 - 12 - 24) / 18.4), two columns of 100 mm. The swatch of line i
    // spans 5 + 1 .. 5 + 9.8 mm across its column and 5 + 24 + 18.4 row + 1 .. + 16.4 mm down.
    for (int line = 1; line <= 20; ++line) {
        const double left = 5 + 100 * (line / 13) + 1;
        const double top = 5 + 24 + 18.4 * (line % 13) + 1;
        EXPECT_GT(InkPixels(image, 100, left + 0.5, top + 0.5, left + 8.5, top + 15.5), 20)
            << "line " << line;
    }
}

TEST_F(LegendVerbTest, BadArgumentsAreUsageErrors) {
    const std::string out = (Folder() / "legend.pdf").string();
    const std::vector<std::vector<std::string>> cases = {
        {"legend", "-o", (Folder() / "legend.txt").string()},
        {"legend", "-o", out, "--table", "other"},
        {"legend", "-o", out, "--dpi", "5"},
        {"legend"},
    };
    for (const auto& arguments : cases) {
        EXPECT_EQ(Run(arguments).exitCode, 2) << arguments.back();
    }
}

}  // namespace
}  // namespace ravelog::cli::testing
