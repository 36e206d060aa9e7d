// The undo steps of committed section edits.
#include "ravesect/app/section_edit_commands.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <array>
#include <utility>
#include <vector>

#include "ravesect/app/section_frame.h"
#include "ravesect/editing/working_file_change.h"

namespace ravesect::app {

namespace {

// Every file a committed edit may rewrite.
constexpr std::size_t kSectionFileCount = 5;
std::array<std::filesystem::path, kSectionFileCount> SectionFiles(const SectionFrame& frame) {
    const WorkingFiles& files = frame.Files();
    return {files.settings, files.columns, files.titles, files.pointsLayers, frame.Paths().sysq};
}

// One committed edit: the changed stretch of every file it rewrote. Its files are swapped all
// together or not at all.
class SectionEditCommand : public rave::platform::FallibleUndoCommand {
public:
    SectionEditCommand(const QString& label, SectionFrame& frame, std::vector<WorkingFileChange> changes)
        : FallibleUndoCommand(label), frame_(frame), changes_(std::move(changes)) {}

    bool Apply(bool) override {
        // The first redo is the push itself: the files already hold the edit.
        if (!std::exchange(pushed_, true)) {
            return true;
        }
        return Swap();
    }

    std::size_t HeldBytes() const {
        std::size_t bytes = sizeof(*this) + changes_.capacity() * sizeof(WorkingFileChange);
        for (const WorkingFileChange& change : changes_) {
            bytes += change.HeldBytes() - sizeof(WorkingFileChange);
        }
        return bytes;
    }

private:
    bool Swap() {
        // Every file must hold what the step expects before any is written.
        for (const WorkingFileChange& change : changes_) {
            if (!SwapFits(change)) {
                frame_.Messages().Show(FileChangedElsewhereMessage(change.file));
                return false;
            }
        }
        std::size_t swapped = 0;
        for (; swapped < changes_.size(); ++swapped) {
            if (SwapIntoFile(changes_[swapped]) != SwapResult::kSwapped) {
                frame_.Messages().Show(CannotOpenWorkingFileMessage(changes_[swapped].file));
                break;
            }
        }
        if (swapped < changes_.size()) {
            // The files already swapped go back, so the step stays whole on one side.
            while (swapped > 0) {
                SwapIntoFile(changes_[--swapped]);
            }
            return false;
        }
        TakeUpChangedFiles();
        return true;
    }

    bool Changed(const std::filesystem::path& file) const {
        for (const WorkingFileChange& change : changes_) {
            if (change.file == file) {
                return true;
            }
        }
        return false;
    }

    // Reads again what the swapped files hold, and nothing else.
    void TakeUpChangedFiles() {
        const WorkingFiles& files = frame_.Files();
        SectionDocument& document = frame_.Document();
        if (Changed(frame_.Paths().sysq)) {
            frame_.ReloadSettings();
        }
        if (Changed(files.titles)) {
            ReadTitlesFile(files, document);
        }
        if (Changed(files.pointsLayers)) {
            ReadPointsLayersFile(files, document);
        }
        if (Changed(files.settings) || Changed(files.columns)) {
            frame_.SettingsOrColumnsRewritten();
        } else {
            frame_.RefreshView();
        }
        if (Changed(files.pointsLayers)) {
            // The point and layer dialogs drop their pending edits and show the file as it now is.
            Q_EMIT frame_.pointsLayersRead();
        }
    }

    SectionFrame& frame_;
    std::vector<WorkingFileChange> changes_;
    bool pushed_ = false;
};

}  // namespace

bool CommitSectionEdit(SectionFrame& frame, const QString& label, const std::function<bool()>& edit) {
    const auto files = SectionFiles(frame);
    std::array<WorkingFileSnapshot, kSectionFileCount> before;
    for (std::size_t i = 0; i < files.size(); ++i) {
        before[i] = TakeSnapshot(files[i]);
    }
    const bool done = edit();
    std::vector<WorkingFileChange> changes;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (std::optional<WorkingFileChange> change =
                ChangeBetween(files[i], before[i], TakeSnapshot(files[i]))) {
            changes.push_back(std::move(*change));
        }
    }
    if (!changes.empty()) {
        changes.shrink_to_fit();
        frame.PushEdit(new SectionEditCommand(label, frame, std::move(changes)));
    }
    return done;
}

bool CommitWorkingFile(SectionFrame& frame, EditedFile, const QString& label,
                       const std::function<bool()>& write) {
    const bool written = CommitSectionEdit(frame, label, write);
    frame.RefreshView();
    return written;
}

std::size_t HeldUndoBytes(const SectionFrame& frame) {
    std::size_t bytes = 0;
    const QUndoStack* stack = frame.UndoStack();
    for (int i = 0; i < stack->count(); ++i) {
        if (const auto* command = dynamic_cast<const SectionEditCommand*>(stack->command(i))) {
            bytes += command->HeldBytes();
        }
    }
    return bytes;
}

}  // namespace ravesect::app
