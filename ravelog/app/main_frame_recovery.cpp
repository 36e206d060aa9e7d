// Ravelog's window and the recovery copies: what a copy holds and how one is restored.
#include <QUndoStack>

#include "platform/recovery.h"
#include "ravelog/app/main_frame.h"
#include "ravelog/document/sounding_file.h"
#include "ravelog/document/sounding_file_commands.h"

namespace ravelog::app {

void MainFrame::AttachRecovery(rave::platform::RecoverySession* session) {
    recovery_ = session;
    if (recovery_ == nullptr) {
        return;
    }
    recovery_->Attach(rave::platform::RecoveryDocument{[this] { return document_.modified; },
                                                       [this] { return document_.pathName; },
                                                       [this] { return RecoveryBytes(); }});
    recovery_->Follow();
}

std::string MainFrame::RecoveryBytes() const {
    // Writing fills in the depth of the last row; the document itself stays as it is.
    SoundingDocument copy = document_;
    return WriteSoundingFile(copy);
}

bool MainFrame::RestoreRecoveryCopy(const std::filesystem::path& copy, const std::string& originalPath) {
    if (OpenSoundingThroughFramework(document_, messages_, copy) == kVersionUnknown) {
        return false;
    }
    document_.pathName = originalPath;
    State().currentPage = 1;
    TakeUpDocument();
    document_.modified = true;
    // No step of the new history leads back to a saved state: the restored work is unsaved.
    undoStack_->resetClean();
    UpdateCaption();
    return true;
}

}  // namespace ravelog::app
