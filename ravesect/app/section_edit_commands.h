// Undo and redo of every committed edit of the section: placement, scale, format, figure moves,
// points, layers and titles.
//
// A committed edit rewrites some of the section's files: the four working files and, for the
// format sheet, "Sysq.ndx". CommitSectionEdit reads those files before and after the edit and
// pushes one QUndoCommand holding, per file that changed, only the stretch of bytes that differs
// (WorkingFileChange). Undo and redo swap those stretches into the files, then read again just the
// files that changed and repaint: other working files are not re-read, so what another open
// editing dialog holds in memory is not thrown away. An edit that changes no file pushes nothing.
#pragma once

#include <QString>
#include <cstddef>
#include <functional>

namespace ravesect::app {

class SectionFrame;

// Runs `edit` (which writes the files and returns false when it could not) and, when any of the
// section's files changed, pushes an undo step named `label` through the frame's history (which
// decides the modified flag). The caller takes up what `edit` changed, as it did before. Returns
// what `edit` returned.
bool CommitSectionEdit(SectionFrame& frame, const QString& label, const std::function<bool()>& edit);

// Which working file an editing dialog rewrote.
enum class EditedFile { kPointsLayers, kTitles };

// An editing dialog's OK: CommitSectionEdit, then a repaint.
bool CommitWorkingFile(SectionFrame& frame, EditedFile file, const QString& label,
                       const std::function<bool()>& write);

// The memory held by the undo steps of the frame's history.
std::size_t HeldUndoBytes(const SectionFrame& frame);

}  // namespace ravesect::app
