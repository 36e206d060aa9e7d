// The read-only window of a second copy of Ravesect on the same install folder.
#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "ravesect/app/section_frame.h"

namespace ravesect::app {

void SectionFrame::SetWorkingFilesReadOnly() {
    // New, Open, Save, the recent files and drops are the document window's.
    SetReadOnly();
    // Everything else that writes "Tmp0.tmp", "Tmp1.tmp", "TmpP.tmp" or "SmpP.tmp", or moves them.
    for (int id : {command_id::kPlacement, command_id::kPoints, command_id::kLayers, command_id::kTitles,
                   command_id::kScale, command_id::kSetup, command_id::kFigureLeft, command_id::kFigureRight,
                   command_id::kFigureUp, command_id::kFigureDown}) {
        if (QAction* action = Action(id)) {
            action->setEnabled(false);
        }
    }
    auto* note =
        new QLabel(QStringLiteral("読み取り専用（別のRavesectが作業ファイルを編集中）"), statusBar());
    note->setObjectName(QStringLiteral("readOnlyNote"));
    statusBar()->addPermanentWidget(note);
}

}  // namespace ravesect::app
