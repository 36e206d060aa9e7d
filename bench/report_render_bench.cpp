// Rendering speed of the borehole-log sheet through the QPainter surface: one format-3 page of
// 45 rows onto a 300-dpi A4 image (target under 20 ms), and every page of the 1350-row example
// into one PDF (target under 1.5 s).
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/report/page_count.h"
#include "ravelog/report/report_page.h"
#include "ravelog/report/report_startup.h"
// clang-format off
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <vector>

#include "platform/install_folder.h"
#include "platform/page_output.h"
#include "platform/qpainter_surface.h"
// clang-format on

namespace {

// The example taken up as the view shows it, with the settings and fonts of the shipped data.
struct LoadedSheet {
    // Rows after `keptRows` are removed before the document is taken up.
    explicit LoadedSheet(const char* example, int keptRows = ravelog::kMaxRows) {
        rave::platform::EnsureGuiApplication();
        rave::RecordingMessageSink messages;
        ravelog::OpenSoundingFromMenu(document, messages,
                                      std::string(RAVE_SOURCE_DIR) + "/examples/" + example, std::nullopt);
        for (int row = keptRows + 1; row <= ravelog::kMaxRows; ++row) {
            document.Row(row) = ravelog::MeasuredRow{};
        }
        ravelog::LoadStartupFiles(files, std::filesystem::path(RAVE_SOURCE_DIR) / "data", document, false,
                                  messages, ravelog::StartupWrites::kNever);
        ravelog::TakeUpDocumentForView(document, files, messages);
    }
    ravelog::SoundingDocument document;
    ravelog::StartupFiles files;
};

void FormatThreePageAt300Dpi(benchmark::State& state) {
    LoadedSheet sheet("example-long.sdw", 45);
    sheet.document.header[ravelog::slot::kRowsPerPageChoice] = "0";  // 45 rows a page: one full page
    ravelog::ReportViewState view;
    view.reportFormat = 2;
    const ravelog::SheetResources resources = sheet.files.Resources();
    QImage image(2480, 3508, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        rave::platform::QPainterSurface surface(painter, 300, 300, {2480, 3508});
        ravelog::DrawReportPage(surface, sheet.document, resources, view, nullptr);
    }
}
BENCHMARK(FormatThreePageAt300Dpi)->Unit(benchmark::kMillisecond);

// What the page costs before anything is drawn: clearing 2480 x 3508 pixels and starting a painter.
void BlankPageAt300Dpi(benchmark::State& state) {
    rave::platform::EnsureGuiApplication();
    QImage image(2480, 3508, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        rave::platform::QPainterSurface surface(painter, 300, 300, {2480, 3508});
    }
}
BENCHMARK(BlankPageAt300Dpi)->Unit(benchmark::kMillisecond);

void LongExampleToPdf(benchmark::State& state) {
    LoadedSheet sheet("example-long.sdw");
    ravelog::ReportViewState view;
    view.reportFormat = ravelog::ReportFormatOf(sheet.document);
    const ravelog::SheetResources resources = sheet.files.Resources();
    std::vector<int> pages;
    for (int page = 1; page <= ravelog::CountReportPages(sheet.document); ++page) {
        pages.push_back(page);
    }
    rave::platform::PageFileOptions options;
    options.output = std::filesystem::temp_directory_path() / "rave-report-bench.pdf";
    options.dpi = 600;
    for (auto _ : state) {
        const auto result =
            rave::platform::WritePageFiles(options, pages, [&](rave::DrawingSurface& surface, int page) {
                view.currentPage = page;
                ravelog::DrawReportPage(surface, sheet.document, resources, view, nullptr);
            });
        if (!result.ok) {
            state.SkipWithError(result.error.c_str());
            break;
        }
    }
    state.counters["pages"] = static_cast<double>(pages.size());
    std::filesystem::remove(options.output);
}
BENCHMARK(LongExampleToPdf)->Unit(benchmark::kMillisecond);

// Every page of the long example in one file, PDF against DXF (all pages side by side), in sheet
// format 1 and 3: the arguments are the format (0 for format 1, 2 for format 3) and 0 for PDF,
// 1 for DXF. The file's size in bytes
// is the counter "bytes".
void LongExampleToFile(benchmark::State& state) {
    LoadedSheet sheet("example-long.sdw");
    ravelog::ReportViewState view;
    view.reportFormat = static_cast<int>(state.range(0));
    const ravelog::SheetResources resources = sheet.files.Resources();
    std::vector<int> pages;
    for (int page = 1; page <= ravelog::CountReportPages(sheet.document); ++page) {
        pages.push_back(page);
    }
    const bool dxf = state.range(1) == 1;
    rave::platform::PageFileOptions options;
    options.output =
        std::filesystem::temp_directory_path() / (dxf ? "rave-report-bench.dxf" : "rave-report-bench.pdf");
    options.kind = dxf ? rave::platform::PageFileKind::kDxf : rave::platform::PageFileKind::kPdf;
    options.oneFile = true;
    options.dpi = 600;
    for (auto _ : state) {
        const auto result =
            rave::platform::WritePageFiles(options, pages, [&](rave::DrawingSurface& surface, int page) {
                view.currentPage = page;
                ravelog::DrawReportPage(surface, sheet.document, resources, view, nullptr);
            });
        if (!result.ok) {
            state.SkipWithError(result.error.c_str());
            break;
        }
    }
    std::error_code error;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(options.output, error));
    state.counters["pages"] = static_cast<double>(pages.size());
    std::filesystem::remove(options.output, error);
}
BENCHMARK(LongExampleToFile)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
