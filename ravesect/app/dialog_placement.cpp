// The opening place of the editing dialogs.
#include "ravesect/app/dialog_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace ravesect::app {

namespace {

QString Key(const QString& name) {
    return QStringLiteral("EditingDialogs/%1").arg(name);
}

}  // namespace

QPoint EditingDialogPlace(const QRect& window, const QRect& drawing, const QSize& dialog, const QRect& screen,
                          const std::optional<QPoint>& remembered) {
    QPoint place;
    if (remembered) {
        place = *remembered;
    } else {
        const int outside = window.right() + 1;
        const bool roomOutside = outside + dialog.width() - 1 <= screen.right();
        place = QPoint(roomOutside ? outside : window.right() + 1 - dialog.width(), drawing.top());
    }
    // Some of the dialog must stay on the screen, its title bar above all.
    const int right = std::max(screen.left(), screen.right() + 1 - dialog.width());
    const int bottom = std::max(screen.top(), screen.bottom() + 1 - dialog.height());
    return QPoint(std::clamp(place.x(), screen.left(), right), std::clamp(place.y(), screen.top(), bottom));
}

std::optional<QPoint> RememberedDialogPlace(const QString& name) {
    const QVariant value = QSettings().value(Key(name));
    if (!value.isValid() || !value.canConvert<QPoint>()) {
        return std::nullopt;
    }
    return value.toPoint();
}

void RememberDialogPlace(const QString& name, const QPoint& place) {
    QSettings().setValue(Key(name), place);
}

void PlaceEditingDialog(QWidget& dialog, const QWidget& window, const QWidget& drawing) {
    dialog.adjustSize();
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    const QRect shown(drawing.mapToGlobal(QPoint(0, 0)), drawing.size());
    dialog.move(EditingDialogPlace(window.frameGeometry(), shown, dialog.size(), available,
                                   RememberedDialogPlace(dialog.objectName())));
}

}  // namespace ravesect::app
