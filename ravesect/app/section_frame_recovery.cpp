// The read-only window of a second copy of Ravesect on the same install folder, and the work a
// crashed run left in the working files.
#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "ravesect/app/section_frame.h"

namespace ravesect::app {

void SectionFrame::SetWorkingFilesReadOnly(bool heldByOther) {
    // New, Open, Save, undo and redo, the recent files and drops are the document window's.
    SetReadOnly(heldByOther ? QStringLiteral(
                                  "別の Ravesect がこのインストールフォルダの作業ファイルを編集しています。\n"
                                  "このウィンドウでは表示と印刷だけができます（読み取り専用）。")
                            : QStringLiteral("このインストールフォルダの作業ファイルをロックできません。\n"
                                             "このウィンドウでは表示と印刷だけができます（読み取り専用）。"));
    // Everything else that writes "Tmp0.tmp", "Tmp1.tmp", "TmpP.tmp" or "SmpP.tmp", the settings
    // files of the install folder, or moves them.
    for (int id :
         {command_id::kPlacement, command_id::kPoints, command_id::kLayers, command_id::kProposeLayers,
          command_id::kTitles, command_id::kScale, command_id::kFormat, command_id::kPatterns,
          command_id::kFonts, command_id::kEnterKey, command_id::kSetup, command_id::kFigureLeft,
          command_id::kFigureRight, command_id::kFigureUp, command_id::kFigureDown}) {
        if (QAction* action = Action(id)) {
            action->setEnabled(false);
        }
    }
    auto* note = new QLabel(heldByOther ? QStringLiteral("読み取り専用（別のRavesectが作業ファイルを編集中）")
                                        : QStringLiteral("読み取り専用（作業ファイルをロックできません）"),
                            statusBar());
    note->setObjectName(QStringLiteral("readOnlyNote"));
    statusBar()->addPermanentWidget(note);
}

void SectionFrame::LeftWorkDiscarded(const rave::OfferedRecovery& offered) {
    if (leftWorkRun_ && offered.record.process == *leftWorkRun_ && !IsModified()) {
        NewDocument();
    }
}

}  // namespace ravesect::app
