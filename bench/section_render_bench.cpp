// Rendering speed of a cross-section through the QPainter surface: 25 columns with full logs
// (Swedish soundings of 300 rows and borehole logs with N values, samples and in-situ tests,
// soil layers in every column) onto a 300-dpi A3 landscape page, the column working file read
// on every drawing as a repaint reads it. Target under 100 ms.
#include "ravesect/document/working_files.h"
#include "ravesect/drawing/section_drawing.h"
// clang-format off
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <random>
#include <string>

#include "common/format.h"
#include "common/text_file.h"
#include "platform/page_output.h"
#include "platform/qpainter_surface.h"
// clang-format on

namespace {

using namespace ravesect;

constexpr int kColumns = 25;
const long kPatterns[] = {3301, 1130, 4400, 200, 8200, 500, 400, 3600, 600, 1300};

void FillColumn(SectionDocument& document, int slot, bool sounding) {
    PlacedColumn& c = document.Column(slot);
    c[colfield::kDistance] = rave::FormatText("%.2f", 8.0 * slot);
    c[colfield::kSourcePath] = sounding ? "S.sdw" : "B.jdw";
    c[colfield::kLabel] = rave::FormatText("%d", slot);
    c[colfield::kWaterMark] = "0.00";
    c[colfield::kWaterLevel] = "-1.50";
    c[colfield::kElevationKind] = "TP";
    c[colfield::kElevation] = rave::FormatText("%.2f", 12.0 - 0.2 * slot);
    c[colfield::kDepth] = sounding ? "15.00" : "20.00";
    c[colfield::kFrameOrder] = "0";
    c[colfield::kFlagPosition] = "1";
    c[colfield::kVersion] = sounding ? "301  _0" : "500  _0";
    NormalizedLog& log = document.Log(slot);
    for (int k = 1; k <= 10; ++k) {
        *log.RowAt(logsection::kLayers, k) = {rave::FormatText("%.2f", (sounding ? 1.5 : 2.0) * k),
                                              "soil",
                                              rave::FormatText("%ld.1", kPatterns[(k + slot) % 10]),
                                              "",
                                              "",
                                              "",
                                              "4",
                                              "",
                                              "",
                                              "",
                                              ""};
    }
    std::mt19937 random(static_cast<unsigned>(slot));
    if (sounding) {
        for (int k = 1; k <= 300; ++k) {
            const int nsw = static_cast<int>(random() % 250);
            *log.RowAt(logsection::kMeasured, k) = {rave::FormatText("%.2f", 0.05 * k),
                                                    rave::FormatText("%.1f", 2.0 + nsw * 0.15),
                                                    "",
                                                    "1.00",
                                                    rave::FormatText("%d", nsw),
                                                    "0"};
        }
    } else {
        for (int k = 1; k <= 19; ++k) {
            const int n = static_cast<int>(random() % 60);
            *log.RowAt(logsection::kMeasured, k) = {rave::FormatText("%.2f", k + 0.15),
                                                    n > 50 ? "50/12" : rave::FormatText("%d", n),
                                                    "",
                                                    "",
                                                    "",
                                                    ""};
        }
        *log.RowAt(logsection::kLowerC, 1) = {"3.00", "3.80", "T-1", "undisturbed"};
        *log.RowAt(logsection::kG, 1) = {"6.00", "6.50", "PS", "", "", "", "", ""};
    }
}

struct BenchSection {
    BenchSection() {
        rave::platform::EnsureGuiApplication();
        folder = std::filesystem::temp_directory_path() / "ravesect-section-bench";
        std::filesystem::create_directories(folder);
        SectionSettings& s = document.settings;
        s.distanceScale = 500;
        s.depthScale = 200;
        s.rulerTop = 14;
        s.rulerBottom = -12;
        s.rulerStep = 2;
        s.leftEnd = -5;
        s.distancePerPage = 200;
        s.topElevation = 30.0;
        s.depthPerPage = 50;
        s.rulerTitle = "TP(m)";
        document.Column(0)[colfield::kDistance] = "0";
        for (int slot = 1; slot <= kColumns; ++slot) {
            FillColumn(document, slot, slot % 2 == 1);
        }
        document.Column(kColumns + 1)[colfield::kDistance] = rave::FormatText("%.2f", 8.0 * (kColumns + 1));
        columnsFile = folder / "Tmp1.tmp";
        rave::WriteFileAtomically(columnsFile, ColumnsBytes(document, "27"));
    }
    ~BenchSection() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path folder;
    std::filesystem::path columnsFile;
    SectionDocument document;
    SysqSettings sysq = SysqSettings::Defaults("/install");
    SectionFonts fonts = DefaultSectionFonts();
};

void SectionOf25ColumnsAt300Dpi(benchmark::State& state) {
    BenchSection section;
    section.sysq.SetInt(sysqline::kSwedishGridMaximum, 200);
    const SectionDrawingResources resources{section.sysq, section.fonts, nullptr};
    QImage image(4961, 3508, QImage::Format_RGB32);  // A3 landscape
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        rave::platform::QPainterSurface surface(painter, 300, 300, {4961, 3508});
        const SectionExtent extent =
            DrawSectionFromColumnsFile(surface, section.document, section.columnsFile, resources, true,
                                       PrintedPage(section.document.settings, 1));
        benchmark::DoNotOptimize(extent);
    }
}
BENCHMARK(SectionOf25ColumnsAt300Dpi)->Unit(benchmark::kMillisecond);

}  // namespace
