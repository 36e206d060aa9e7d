// One committed edit of the sounding document on the undo stack.
#pragma once

#include <QString>
#include <QUndoCommand>
#include <cstddef>
#include <functional>

#include "ravelog/document/document_delta.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog::app {

// One committed dialog, held as the parts of the document it changed (DocumentDelta); undo and
// redo swap them into the document. The file name is not part of the step, so undoing after a
// Save As keeps the new name.
class DocumentEditCommand : public QUndoCommand {
public:
    // `document` already holds the edit; `before` is the document as it was. `restored` is called
    // after undo or redo with the step (-1 or +1) the stack's index is about to move by.
    DocumentEditCommand(const QString& label, SoundingDocument& document, const SoundingDocument& before,
                        std::function<void(int)> restored);

    void undo() override;
    void redo() override;

    // The memory the step keeps.
    std::size_t HeldBytes() const { return sizeof(*this) + delta_.HeldBytes(); }

private:
    void Swap(int step);

    SoundingDocument& document_;
    DocumentDelta delta_;
    std::function<void(int)> restored_;
    bool pushed_ = false;
};

}  // namespace ravelog::app
