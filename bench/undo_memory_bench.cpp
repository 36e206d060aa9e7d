// Memory of the undo history in both programs, counted as the bytes the undo steps hold.
//
// Ravelog: one step of a header edit on the 1350-row example (goal under 10 KB), and a history of
// 100 mixed steps (header texts, a changed row, a row deleted or inserted, a coefficient) on it
// (goal under 20 MB for 100 steps of any kind). Ravesect: 100 mixed steps (figure moves, scale, a
// column's distance, points, titles) on the example section. Each benchmark reports `heldBytes`
// (the largest over the states it passed through: a step holds the other side of its change,
// which differs in size after an undo) and the time of the edits with their undos.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QUndoStack>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "common/text_file.h"
#include "platform/install_folder.h"
#include "ravelog/app/document_edit_command.h"
#include "ravelog/app/main_frame.h"
#include "ravesect/app/section_edit_commands.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/document/working_files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSource = RAVE_SOURCE_DIR;

// A fresh install folder and settings under the temporary folder, removed at the end.
class Workspace {
public:
    Workspace() {
        static int argc = 1;
        static char name[] = "undo_memory_bench";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            new QApplication(argc, argv);
        }
        folder_ = fs::temp_directory_path() / ("rave-undo-bench-" + std::to_string(std::random_device{}()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString((folder_ / "settings").string()));
        std::string error;
        rave::platform::CreateInstallFolder(Install(), kSource / "data", error);
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path Install() const { return folder_ / "install"; }
    fs::path Copy(const fs::path& example) const {
        const fs::path copy = folder_ / example.filename();
        fs::copy_file(example, copy, fs::copy_options::overwrite_existing);
        return copy;
    }

private:
    fs::path folder_;
};

std::size_t RavelogHeldBytes(const ravelog::app::MainFrame& frame) {
    std::size_t bytes = 0;
    for (int i = 0; i < frame.UndoStack()->count(); ++i) {
        if (const auto* command =
                dynamic_cast<const ravelog::app::DocumentEditCommand*>(frame.UndoStack()->command(i))) {
            bytes += command->HeldBytes();
        }
    }
    return bytes;
}

// One edit of kind `step % 4` on the document, committed as the dialogs commit theirs.
void RavelogEdit(ravelog::app::MainFrame& frame, int step) {
    using namespace ravelog;
    SoundingDocument& document = frame.Document();
    const SoundingDocument before = document;
    switch (step % 4) {
        case 0:
            document.header[slot::kSurveyName1] = "survey " + std::to_string(step);
            break;
        case 1:
            document.Row(700)[field::kRemarks] = "remark " + std::to_string(step);
            break;
        case 2:
            if (step % 8 == 2) {
                // A row deleted in the middle: the rows below move one up.
                for (int i = 400; i < kMaxRows; ++i) {
                    document.Row(i) = document.Row(i + 1);
                }
                document.Row(kMaxRows) = MeasuredRow{};
            } else {
                // A row inserted there again (the table is full otherwise): the rows below move
                // one down.
                for (int i = kMaxRows; i > 400; --i) {
                    document.Row(i) = document.Row(i - 1);
                }
                document.Row(400)[field::kRemarks] = "inserted";
            }
            break;
        default:
            document.header[44] = std::to_string(step % 9 + 1);
            break;
    }
    frame.CommitDocumentEdit(QStringLiteral("edit"), before);
}

void BM_RavelogHeaderEditStep(benchmark::State& state) {
    Workspace workspace;
    ravelog::ResetCurrentSounding();
    rave::RecordingMessageSink messages;
    ravelog::app::MainFrame frame(workspace.Install(), &messages);
    frame.OpenThroughFramework(workspace.Copy(kSource / "examples" / "example-long.sdw"));
    std::size_t held = 0;
    int step = 0;
    for (auto _ : state) {
        RavelogEdit(frame, 0);
        held = std::max(held, RavelogHeldBytes(frame));
        frame.UndoStack()->undo();
        held = std::max(held, RavelogHeldBytes(frame));
        frame.UndoStack()->clear();
        ++step;
    }
    state.counters["rows"] = frame.Document().LastUsedRow();
    state.counters["heldBytes"] = static_cast<double>(held);
}
BENCHMARK(BM_RavelogHeaderEditStep)->Unit(benchmark::kMillisecond);

void BM_RavelogHundredSteps(benchmark::State& state) {
    Workspace workspace;
    ravelog::ResetCurrentSounding();
    rave::RecordingMessageSink messages;
    ravelog::app::MainFrame frame(workspace.Install(), &messages);
    frame.OpenThroughFramework(workspace.Copy(kSource / "examples" / "example-long.sdw"));
    std::size_t held = 0;
    for (auto _ : state) {
        frame.UndoStack()->clear();
        for (int step = 0; step < 100; ++step) {
            RavelogEdit(frame, step);
        }
        held = std::max(held, RavelogHeldBytes(frame));
        while (frame.UndoStack()->canUndo()) {
            frame.UndoStack()->undo();
        }
        held = std::max(held, RavelogHeldBytes(frame));
    }
    state.counters["steps"] = frame.UndoStack()->count();
    state.counters["heldBytes"] = static_cast<double>(held);
}
BENCHMARK(BM_RavelogHundredSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

// One edit of kind `step % 5` on the section, through the window's commands.
void RavesectEdit(ravesect::app::SectionFrame& frame, int step) {
    using namespace ravesect;
    using app::CommitSectionEdit;
    SectionDocument& document = frame.Document();
    const WorkingFiles& files = frame.Files();
    switch (step % 5) {
        case 0:
            frame.MoveFigure(step % 10 == 0 ? FigureMove::kRight : FigureMove::kLeft);
            break;
        case 1:
            CommitSectionEdit(frame, QStringLiteral("scale"), [&] {
                document.settings.depthScale = document.settings.depthScale == 100 ? 200 : 100;
                return WriteSettingsFile(files, document.settings, frame.Messages());
            });
            frame.SettingsOrColumnsRewritten();
            break;
        case 2:
            // A column's distance, as the placement dialog rewrites the column file.
            CommitSectionEdit(frame, QStringLiteral("placement"), [&] {
                PlacedColumn& column = document.Column(2);
                column[colfield::kDistance] = std::to_string(10 + step % 7);
                return rave::WriteFileAtomically(
                    files.columns, ColumnsBytes(document, FormatSettingsLine(document.settings)));
            });
            frame.SettingsOrColumnsRewritten();
            break;
        case 3:
            app::CommitWorkingFile(frame, app::EditedFile::kPointsLayers, QStringLiteral("points"), [&] {
                document.Point(1 + step % 50).x = 10.0 * step;
                return WritePointsLayersFile(files, document, frame.Messages());
            });
            break;
        default:
            app::CommitWorkingFile(frame, app::EditedFile::kTitles, QStringLiteral("titles"), [&] {
                document.Title(1 + step % 50).text = "title " + std::to_string(step);
                return WriteTitlesFile(files, document, frame.Messages());
            });
            break;
    }
}

void BM_RavesectHundredSteps(benchmark::State& state) {
    Workspace workspace;
    ravesect::ResetCurrentSection();
    rave::RecordingMessageSink messages;
    ravesect::app::SectionFrame frame(workspace.Install(), &messages);
    frame.OpenThroughFramework(workspace.Copy(kSource / "examples" / "section" / "example-section.sqw"));
    std::size_t held = 0;
    for (auto _ : state) {
        frame.UndoStack()->clear();
        for (int step = 0; step < 100; ++step) {
            RavesectEdit(frame, step);
        }
        held = std::max(held, ravesect::app::HeldUndoBytes(frame));
        while (frame.UndoStack()->canUndo()) {
            frame.UndoStack()->undo();
        }
        held = std::max(held, ravesect::app::HeldUndoBytes(frame));
    }
    state.counters["steps"] = frame.UndoStack()->count();
    state.counters["heldBytes"] = static_cast<double>(held);
}
BENCHMARK(BM_RavesectHundredSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
