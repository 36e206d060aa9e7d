// Ravesect's window and the recovery copies: what a copy holds, how one is restored, and the
// read-only window of a second copy of the program on the same install folder.
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QUndoStack>

#include "platform/recovery.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/document/section_commands.h"
#include "ravesect/document/section_file.h"

namespace ravesect::app {

void SectionFrame::AttachRecovery(rave::platform::RecoverySession* session) {
    recovery_ = session;
    if (recovery_ == nullptr) {
        return;
    }
    recovery_->Attach(rave::platform::RecoveryDocument{[this] { return document_.modified; },
                                                       [this] { return document_.pathName; },
                                                       [this] { return RecoveryBytes(); }});
    recovery_->Follow();
}

std::string SectionFrame::RecoveryBytes() const {
    return JoinSectionFile(document_, paths_.working);
}

bool SectionFrame::RestoreRecoveryCopy(const std::filesystem::path& copy, const std::string& originalPath) {
    if (workingFilesReadOnly_ || !OpenSectionThroughFramework(document_, paths_.working, copy, messages_)) {
        return false;
    }
    undoStack_->clear();
    document_.pathName = originalPath;
    TakeUpDocument();
    document_.modified = true;
    // No step of the new history leads back to a saved state: the restored work is unsaved.
    undoStack_->resetClean();
    RefreshView();
    return true;
}

void SectionFrame::SetWorkingFilesReadOnly() {
    workingFilesReadOnly_ = true;
    // Everything that writes "Tmp0.tmp", "Tmp1.tmp", "TmpP.tmp" or "SmpP.tmp", or moves them.
    for (int id : {command_id::kNew, command_id::kOpen, command_id::kSave, command_id::kPlacement,
                   command_id::kPoints, command_id::kLayers, command_id::kTitles, command_id::kScale,
                   command_id::kSetup, command_id::kFigureLeft, command_id::kFigureRight,
                   command_id::kFigureUp, command_id::kFigureDown}) {
        if (QAction* action = Action(id)) {
            action->setEnabled(false);
        }
    }
    for (QAction* action : recentActions_) {
        action->setEnabled(false);
    }
    setAcceptDrops(false);
    auto* note =
        new QLabel(QStringLiteral("読み取り専用（別のRavesectが作業ファイルを編集中）"), statusBar());
    note->setObjectName(QStringLiteral("readOnlyNote"));
    statusBar()->addPermanentWidget(note);
}

}  // namespace ravesect::app
