// Undo and redo of the committed point, layer and title edits.
//
// A committed edit is one OK of an editing dialog: it rewrites one working file ("SmpP.tmp" for
// points and layers, "TmpP.tmp" for titles). CommitWorkingFile keeps the file's exact bytes before
// and after the write in one QUndoCommand on the frame's undo stack; undo and redo put those
// bytes back, read that file into the document again and repaint, so the working files are
// restored exactly. Other working files are not re-read, so what another open editing dialog
// holds in memory is not thrown away.
#pragma once

#include <QString>
#include <functional>

#include "common/messages.h"
#include "ravesect/document/working_files.h"

namespace ravesect::app {

class SectionFrame;

// Which working file an edit rewrote.
enum class EditedFile { kPointsLayers, kTitles };

// Runs `write` (which writes the working file and returns false when it could not) and, when the
// file's bytes changed, pushes an undo step named `label`. The document counts as modified and
// the view repaints. Returns what `write` returned.
bool CommitWorkingFile(SectionFrame& frame, EditedFile file, const QString& label,
                       const std::function<bool()>& write);

}  // namespace ravesect::app
