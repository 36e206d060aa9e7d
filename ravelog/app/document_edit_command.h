// One committed edit of the sounding document on the undo stack.
#pragma once

#include <QString>
#include <QUndoCommand>
#include <functional>

#include "ravelog/document/sounding_document.h"

namespace ravelog::app {

// One committed dialog: the document before and after it. The file name is not part of the
// step, so undoing after a Save As keeps the new name.
class DocumentEditCommand : public QUndoCommand {
public:
    // `restored` is called after undo or redo with the step (-1 or +1) the stack's index is about
    // to move by.
    DocumentEditCommand(const QString& label, SoundingDocument& document, SoundingDocument before,
                        std::function<void(int)> restored);

    void undo() override;
    void redo() override;

private:
    void Restore(const SoundingDocument& state, int step);

    SoundingDocument& document_;
    SoundingDocument before_;
    SoundingDocument after_;
    std::function<void(int)> restored_;
    bool pushed_ = false;
};

}  // namespace ravelog::app
