// One committed edit of the sounding document on the undo stack.
#include "ravelog/app/document_edit_command.h"

namespace ravelog::app {

DocumentEditCommand::DocumentEditCommand(const QString& label, SoundingDocument& document,
                                         SoundingDocument before, std::function<void(int)> restored)
    : QUndoCommand(label),
      document_(document),
      before_(std::move(before)),
      after_(document),
      restored_(std::move(restored)) {}

// The stack moves its index only after undo() and redo() return, so the index the stack is
// about to reach goes along with the restored document.
void DocumentEditCommand::undo() {
    Restore(before_, -1);
}

void DocumentEditCommand::redo() {
    // The first redo is the push itself: the document already holds the new state.
    if (pushed_) {
        Restore(after_, +1);
    }
    pushed_ = true;
}

void DocumentEditCommand::Restore(const SoundingDocument& state, int step) {
    const std::string pathName = document_.pathName;
    document_ = state;
    document_.pathName = pathName;
    restored_(step);
}

}  // namespace ravelog::app
