// Pages into files: one multi-page PDF, one PNG or SVG per page named after the page, the paper
// size and resolution, and an output that cannot be written.
#include "platform/page_output.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>

#include "qt_test_application.h"
#include "temp_folder.h"

namespace rave::platform {
namespace {

int PdfPageCount(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type /Page\\b"))));
}

// Draws a 10 mm black square per page, further down for every page.
void DrawSquare(DrawingSurface& surface, int page) {
    const int mm = surface.DpiX() * 10 / 254;  // device units of 1 mm, rounded down
    const int top = page * 10 * mm;
    surface.Rectangle({10 * mm, top, 20 * mm, top + 10 * mm}, Pen{pen_style::kNull, 1, kBlack},
                      Brush::Solid(kBlack));
}

TEST(PageFileNames, NumberedOnlyForSeveralRasterOrSvgPages) {
    EXPECT_EQ(PageFileKindOf("a/OUT.PDF"), PageFileKind::kPdf);
    EXPECT_EQ(PageFileKindOf("out.png"), PageFileKind::kPng);
    EXPECT_EQ(PageFileKindOf("out.Svg"), PageFileKind::kSvg);
    EXPECT_EQ(PageFileKindOf("out.jpg"), std::nullopt);
    EXPECT_EQ(PageFileKindOf("out"), std::nullopt);
    EXPECT_EQ(PageFilePath("d/out.png", PageFileKind::kPng, 3, 4), std::filesystem::path("d/out-3.png"));
    EXPECT_EQ(PageFilePath("d/out.png", PageFileKind::kPng, 3, 1), std::filesystem::path("d/out.png"));
    EXPECT_EQ(PageFilePath("d/out.pdf", PageFileKind::kPdf, 3, 4), std::filesystem::path("d/out.pdf"));
}

TEST(PageFiles, OnePdfHoldsEveryPage) {
    testing::TestApplication();
    rave::testing::TempFolder folder;
    PageFileOptions options;
    options.output = folder.path() / "sheet.pdf";
    options.dpi = 300;
    std::vector<int> drawn;
    std::vector<int> progress;
    const PageFileResult result = WritePageFiles(
        options, {1, 2, 3},
        [&](DrawingSurface& surface, int page) {
            EXPECT_EQ(surface.DpiX(), 300);
            EXPECT_EQ(surface.PhysicalPageSize(), (SurfaceSize{2480, 3508})) << "A4 at 300 dpi";
            drawn.push_back(page);
            DrawSquare(surface, page);
        },
        [&](int done, int total) {
            EXPECT_EQ(total, 3);
            progress.push_back(done);
        });
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(drawn, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(result.written, (std::vector<std::filesystem::path>{options.output}));
    EXPECT_EQ(PdfPageCount(options.output), 3);
}

TEST(PageFiles, PngPagesAreWhitePaperAtTheResolution) {
    testing::TestApplication();
    rave::testing::TempFolder folder;
    PageFileOptions options;
    options.output = folder.path() / "sheet.png";
    options.kind = PageFileKind::kPng;
    options.widthMm = 100.0;
    options.heightMm = 50.8;
    options.dpi = 254;
    const PageFileResult result = WritePageFiles(options, {2, 3}, DrawSquare);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.written.size(), 2u);
    EXPECT_EQ(result.written[0], folder.path() / "sheet-2.png");
    const QImage page2(QString::fromStdString(result.written[0].string()));
    ASSERT_FALSE(page2.isNull());
    EXPECT_EQ(page2.size(), QSize(1000, 508));
    EXPECT_EQ(page2.dotsPerMeterX(), 10000);
    EXPECT_EQ(page2.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(page2.pixel(150, 250), qRgb(0, 0, 0))
        << "the square of page 2: 10..20 mm across, 20..30 mm down";
    EXPECT_EQ(page2.pixel(150, 350), qRgb(255, 255, 255));
    const QImage page3(QString::fromStdString(result.written[1].string()));
    EXPECT_EQ(page3.pixel(150, 350), qRgb(0, 0, 0));
}

TEST(PageFiles, SvgPerPage) {
    testing::TestApplication();
    rave::testing::TempFolder folder;
    PageFileOptions options;
    options.output = folder.path() / "sheet.svg";
    options.kind = PageFileKind::kSvg;
    const PageFileResult result = WritePageFiles(options, {1}, DrawSquare);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.written, (std::vector<std::filesystem::path>{options.output}));
    const std::string svg = rave::testing::TempFolder::Read(options.output);
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("width=\"209.9"), std::string::npos) << "true paper size (whole pixels at 300 dpi)";
    EXPECT_NE(svg.find("height=\"297.0"), std::string::npos);
}

TEST(PrintPages, EveryPageOnItsOwnSheetAtThePrintersResolution) {
    testing::TestApplication();
    rave::testing::TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder.path() / "printed.pdf").string()));
    printer.setPageSize(QPageSize(QPageSize::A4));
    std::vector<int> drawn;
    ASSERT_TRUE(PrintPages(printer, {2, 3}, [&](DrawingSurface& surface, int page) {
        EXPECT_EQ(surface.DpiX(), printer.resolution());
        EXPECT_NEAR(surface.PhysicalPageSize().width, 210.0 / 25.4 * printer.resolution(), 8.0)
            << "A4 (595 points)";
        drawn.push_back(page);
        DrawSquare(surface, page);
    }));
    EXPECT_EQ(drawn, (std::vector<int>{2, 3}));
    EXPECT_EQ(PdfPageCount(folder.path() / "printed.pdf"), 2);
}

TEST(PageFiles, FailuresAreReportedAndLeaveEarlierFilesAlone) {
    testing::TestApplication();
    rave::testing::TempFolder folder;
    PageFileOptions options;
    options.output = folder.path() / "missing-folder" / "sheet.pdf";
    PageFileResult result = WritePageFiles(options, {1}, DrawSquare);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());

    options.output = folder.Write("old.pdf", "earlier");
    options.dpi = 5000;
    result = WritePageFiles(options, {1}, DrawSquare);
    EXPECT_FALSE(result.ok) << "a resolution no device has";
    EXPECT_EQ(rave::testing::TempFolder::Read(options.output), "earlier");

    options.dpi = 300;
    result = WritePageFiles(options, {}, DrawSquare);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(rave::testing::TempFolder::Read(options.output), "earlier");
}

}  // namespace
}  // namespace rave::platform
