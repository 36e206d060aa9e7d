// Undo and redo of the committed point, layer and title edits, and the small pieces the three
// editing dialogs share.
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
#include <optional>
#include <string>

#include "common/messages.h"
#include "ravesect/document/working_files.h"

class QLabel;
class QWidget;

namespace ravesect::app {

class SectionFrame;

// Which working file an edit rewrote.
enum class EditedFile { kPointsLayers, kTitles };

// Runs `write` (which writes the working file and returns false when it could not) and, when the
// file's bytes changed, pushes an undo step named `label`. The document counts as modified and
// the view repaints. Returns what `write` returned.
bool CommitWorkingFile(SectionFrame& frame, EditedFile file, const QString& label,
                       const std::function<bool()>& write);

// Widget text as cp932 bytes; nothing, after a message naming the field, when a character has no
// cp932 form.
std::optional<std::string> TypedCp932(const QString& text, const QString& fieldName,
                                      rave::MessageSink& messages);
QString ShownCp932(const std::string& cp932);

// A label for `field` (its buddy), so the field is named for screen readers and the mnemonic
// reaches it; the field gets the same accessible name.
QLabel* FieldLabel(const QString& text, QWidget* field, QWidget* parent);

}  // namespace ravesect::app
