// Rendering speed of a cross-section through the QPainter surface: 25 columns with full logs
// (Swedish soundings of 300 rows and borehole logs with N values, samples and in-situ tests,
// soil layers in every column) onto a 300-dpi A3 landscape page, the column working file read
// on every drawing as a repaint reads it. Target under 100 ms.
//
// One repaint of the section window's view at screen resolution on the same section while a point
// is dragged (its markers drawn). Target under 16 ms. The view keeps the columns in a picture, so
// a drag redraws only what lies under them; the repaint after a change to what the picture shows
// is measured too.
#include "ravesect/app/section_view.h"
#include "ravesect/document/working_files.h"
#include "ravesect/drawing/section_drawing.h"
#include "ravesect/drawing/section_snapshot.h"
// clang-format off
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <random>
#include <string>

#include "common/format.h"
#include "common/text_file.h"
#include "ravesect/editing/edit_markers.h"
#include "ravesect/editing/edit_session.h"
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

// A widget application on the offscreen platform: the view is a widget, and the page drawing
// needs only what it gives too.
void EnsureWidgetApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "section_render_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
}

struct BenchSection {
    BenchSection() {
        EnsureWidgetApplication();
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

// What every repaint used to pay before the view held the columns: reading and parsing the column
// working file of the 25 columns.
void ColumnsFileReadOf25Columns(benchmark::State& state) {
    BenchSection section;
    WorkingFiles files;
    files.columns = section.columnsFile;
    for (auto _ : state) {
        SectionSnapshot snapshot;
        snapshot.Load(files);
        benchmark::DoNotOptimize(snapshot.Columns().LastUsedSlot());
    }
}
BENCHMARK(ColumnsFileReadOf25Columns)->Unit(benchmark::kMillisecond);

void ViewRepaintWhileDraggingAPoint(benchmark::State& state) {
    BenchSection section;
    section.sysq.SetInt(sysqline::kSwedishGridMaximum, 200);
    for (int n = 1; n <= 40; ++n) {
        section.document.Point(n) = {5.0 * n, 2.0 + 0.1 * n};
    }
    // The working files of an install folder in the bench's folder: the columns file is there.
    const SectionPaths paths = DeriveSectionPaths(section.folder);
    const rave::PatternColorTable colours;
    SectionViewPosition position = SectionViewPosition::AtSettings(section.document.settings);
    SectionExtent extent;
    rave::RecordingMessageSink messages;
    EditSession session(section.document, messages);
    session.SetMode(edit_mode::kMovePoint);
    session.Press({5.0, 2.1});
    session.Move({30.0, 4.0});
    app::SectionView view(app::SectionViewSource{&section.document, &paths, &section.sysq, &section.fonts,
                                                 &colours, &position, &extent});
    view.SetEditMarkers([&](rave::DrawingSurface& surface, const SectionMapping& mapping) {
        DrawEditMarkers(surface, mapping, session, section.fonts);
    });
    // Argument 0: the whole view at once; 1: the part a 1280 x 1024 screen shows, as a repaint
    // of the window paints it; 2: the whole view after a change the view's picture of the
    // columns depends on (a title), so that picture is drawn again on every repaint.
    const QRect painted = state.range(0) == 1 ? QRect(0, 0, 1280, 1024) : view.rect();
    const bool changeTitle = state.range(0) == 2;
    QImage image(painted.size(), QImage::Format_RGB32);
    int repaints = 0;
    for (auto _ : state) {
        if (changeTitle) {
            section.document.Title(1) = {100.0, -10.0, rave::FormatText("%d", ++repaints), "1"};
        }
        view.render(&image, QPoint(), QRegion(painted));
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["pixels"] = static_cast<double>(painted.width()) * painted.height();
}
BENCHMARK(ViewRepaintWhileDraggingAPoint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
