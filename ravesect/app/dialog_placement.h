// Where the modeless editing dialogs (作図/点, 作図/層, 標題記事) open: beside the drawing, so the
// points and titles the user clicks stay in view, or where the user last put them.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QWidget;

namespace ravesect::app {

// The top-left corner for a dialog of `dialog` size: `remembered` when there is one, else just
// right of `window` when the screen has room there, else inside the window against its right
// edge, level with the top of `drawing`. The dialog is kept inside `screen`.
QPoint EditingDialogPlace(const QRect& window, const QRect& drawing, const QSize& dialog, const QRect& screen,
                          const std::optional<QPoint>& remembered);

// The place the user last left the dialog named `name` (kept in the program's settings).
std::optional<QPoint> RememberedDialogPlace(const QString& name);
void RememberDialogPlace(const QString& name, const QPoint& place);

// Moves `dialog` (not yet shown) to its place beside `window`'s drawing `drawing`.
void PlaceEditingDialog(QWidget& dialog, const QWidget& window, const QWidget& drawing);

}  // namespace ravesect::app
