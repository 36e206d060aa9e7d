// The undo steps of committed editing dialogs.
#include "ravesect/app/section_edit_commands.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <utility>

#include "ravesect/app/section_frame.h"
#include "ravesect/editing/working_file_snapshot.h"

namespace ravesect::app {

namespace {

const std::filesystem::path& PathOf(const SectionFrame& frame, EditedFile file) {
    return file == EditedFile::kPointsLayers ? frame.Files().pointsLayers : frame.Files().titles;
}

// The file's bytes before and after one committed dialog.
class WorkingFileEditCommand : public QUndoCommand {
public:
    WorkingFileEditCommand(const QString& label, SectionFrame& frame, EditedFile file,
                           WorkingFileSnapshot before, WorkingFileSnapshot after)
        : QUndoCommand(label),
          frame_(frame),
          file_(file),
          before_(std::move(before)),
          after_(std::move(after)) {}

    // Called before the stack moves its index: the step lands one below or above it.
    void undo() override { Restore(before_, frame_.UndoStack()->index() - 1); }
    void redo() override {
        // The first redo is the push itself: the file already holds the new bytes.
        if (pushed_) {
            Restore(after_, frame_.UndoStack()->index() + 1);
        }
        pushed_ = true;
    }

private:
    void Restore(const WorkingFileSnapshot& snapshot, int newIndex) {
        const std::filesystem::path& path = PathOf(frame_, file_);
        if (!RestoreSnapshot(path, snapshot)) {
            frame_.Messages().Show(CannotOpenWorkingFileMessage(path));
        }
        SectionDocument& document = frame_.Document();
        if (file_ == EditedFile::kPointsLayers) {
            ReadPointsLayersFile(frame_.Files(), document);
        } else {
            ReadTitlesFile(frame_.Files(), document);
        }
        // Back at the saved state the section is unmodified again.
        document.modified = newIndex != frame_.UndoStack()->cleanIndex();
        frame_.RefreshView();
        if (file_ == EditedFile::kPointsLayers) {
            // The point and layer dialogs drop their pending edits and show the file as it now is.
            Q_EMIT frame_.pointsLayersRead();
        }
    }

    SectionFrame& frame_;
    EditedFile file_;
    WorkingFileSnapshot before_;
    WorkingFileSnapshot after_;
    bool pushed_ = false;
};

}  // namespace

bool CommitWorkingFile(SectionFrame& frame, EditedFile file, const QString& label,
                       const std::function<bool()>& write) {
    const std::filesystem::path& path = PathOf(frame, file);
    WorkingFileSnapshot before = TakeSnapshot(path);
    const bool written = write();
    WorkingFileSnapshot after = TakeSnapshot(path);
    if (!(before == after)) {
        frame.Document().modified = true;
        frame.UndoStack()->push(
            new WorkingFileEditCommand(label, frame, file, std::move(before), std::move(after)));
    }
    frame.RefreshView();
    return written;
}

}  // namespace ravesect::app
