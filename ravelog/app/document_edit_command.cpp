// One committed edit of the sounding document on the undo stack.
#include "ravelog/app/document_edit_command.h"

namespace ravelog::app {

DocumentEditCommand::DocumentEditCommand(const QString& label, SoundingDocument& document,
                                         const SoundingDocument& before, std::function<void(int)> restored)
    : QUndoCommand(label),
      document_(document),
      delta_(DocumentDelta::Between(before, document)),
      restored_(std::move(restored)) {}

// The stack moves its index only after undo() and redo() return, so the index the stack is
// about to reach goes along with the restored document.
void DocumentEditCommand::undo() {
    Swap(-1);
}

void DocumentEditCommand::redo() {
    // The first redo is the push itself: the document already holds the new state.
    if (pushed_) {
        Swap(+1);
    }
    pushed_ = true;
}

void DocumentEditCommand::Swap(int step) {
    delta_.SwapInto(document_);
    restored_(step);
}

}  // namespace ravelog::app
