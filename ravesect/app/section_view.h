// The section view: one page-sized window onto the section, drawn by the same DrawSection as the
// printer and the command line, inside a scroll area of the size the screen asks for.
//
// How the editing modes use it (mouse editing of points, layers and titles):
// - SetMouseHandlers(press, move, release) installs the mode's handlers; each receives the
//   position in the visible area (device), the scroll position and the world coordinates worked
//   out through ScreenMapping() (x = distance x 10, y = -elevation). Mouse tracking is on, so
//   move arrives with no button held too. Qt keeps the mouse with the view from press to
//   release. Pass empty functions to remove them. Handlers repaint with update() or through the
//   frame's RefreshView().
// - SetEditMarkers(markers) installs the function that draws the current mode's markers. It is
//   called in the drawing's own marker step (after the layers, before the columns) on the screen
//   only; printing never calls it.
// - DeviceToWorld / ViewToWorld turn a mouse position into world coordinates for code that has
//   a position of its own (tests, a context menu), through SectionMapping::SurfaceToWorld.
// The document, settings, fonts and shown page belong to the main frame and are reached through
// SectionViewSource. The view holds the placed columns and their logs in memory (a
// SectionSnapshot) and reads no file while painting: the frame calls ReloadColumns() whenever
// the column working file was written or the section replaced.
// When two paints in a row draw the same columns (a drag, a scroll), the view keeps the columns and
// everything drawn over them in a picture of its own size, and later repaints draw only the page
// frame, the layers and the markers under that picture. A paint after the columns were reloaded
// or anything the picture was drawn from changed (settings, titles, "Sysq.ndx", fonts, pattern
// colours, the shown page, the size or resolution) draws everything straight again.
#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QScrollArea>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/pattern_colors.h"
#include "platform/step_scroll_area.h"
#include "ravesect/document/section_document.h"
#include "ravesect/drawing/section_drawing.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/drawing/section_mapping.h"
#include "ravesect/drawing/section_snapshot.h"
#include "ravesect/settings/section_paging.h"
#include "ravesect/settings/startup_settings.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect::app {

// What the view draws from; every pointer stays valid as long as the view lives.
struct SectionViewSource {
    const SectionDocument* document = nullptr;
    const SectionPaths* paths = nullptr;  // the column working file is read by ReloadColumns()
    const SysqSettings* sysq = nullptr;
    const SectionFonts* fonts = nullptr;
    const rave::PatternColorTable* patternColours = nullptr;
    const SectionViewPosition* position = nullptr;
    SectionExtent* extent = nullptr;  // what every paint saw of the section is written here
    // Simple soundings' layers whose stored number draws nothing are drawn by name through it.
    const rave::SoilNameTable* simpleTable = nullptr;
};

// One mouse event on the section.
struct SectionMouse {
    QPoint device;  // in the visible part of the view, pixels
    QPoint scroll;  // the scroll position: device + scroll is the point on the whole view
    QPointF world;  // x = distance x 10, y = -elevation
    Qt::MouseButton button = Qt::NoButton;  // the button that changed (none for a move)
    Qt::MouseButtons buttons;               // the buttons held
    Qt::KeyboardModifiers modifiers;
};
using SectionMouseHandler = std::function<void(const SectionMouse&)>;

class SectionView : public QWidget {
    Q_OBJECT
public:
    SectionView(SectionViewSource source, QWidget* parent = nullptr);

    // Reads the column working file again into memory and repaints: after the program wrote it,
    // or replaced the section (New, Open, a placement, a new install folder, an undo).
    void ReloadColumns();
    // The columns the view paints, as last read.
    const SectionSnapshot& Columns() const { return columns_; }

    // The editing hooks (see the file comment).
    void SetMouseHandlers(SectionMouseHandler press, SectionMouseHandler move, SectionMouseHandler release);
    void SetEditMarkers(EditMarkerFunction markers);
    // Draws `preview` (same settings and columns, other points, layers and titles) instead of the
    // document, with no editing markers, until it is called with null; the caller keeps
    // `preview` alive and calls update() when it changes.
    void ShowPreview(const SectionDocument* preview);

    // The mapping of the screen page as the view draws it now (this widget's resolution, the
    // settings' scales and the margins of "Sysq.ndx", the shown left end and top).
    SectionMapping ScreenMapping() const;
    // The scroll position of the scroll area round the view (0, 0 without one).
    QPoint ScrollPosition() const;
    // A point of the visible area (device) or of the whole view to world coordinates.
    QPointF DeviceToWorld(QPoint device) const;
    QPointF ViewToWorld(QPoint viewPoint) const;

    // Sets the scroll extent for a screen `screenWidth` pixels wide (a square of 440, 500 or
    // 600 mm at 96 dpi).
    void SetExtentForScreen(int screenWidth);

Q_SIGNALS:
    // Arrow and page keys pressed on the view; the frame pages or scrolls.
    void previousPageRequested();
    void nextPageRequested();
    void scrollUpRequested();
    void scrollDownRequested();
    // What the drawing could not draw (a missing column file or soil pattern) and the columns no
    // printed page shows, one line for the status bar; emitted when it changes, not on every
    // paint, and with an empty text when all is well again.
    void noticeChanged(const QString& notice);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The columns, rulers, elevation lines and titles drawn over a transparent ground, with what
    // that drawing saw and could not draw. They depend on neither the points, the layers nor the
    // editing markers, so a drag repaints only those under this picture. `key` names everything
    // the picture was drawn from (PictureKey); a paint whose key differs does not use it.
    struct ColumnsPicture {
        QImage image;
        std::string key;
        SectionExtent extent;
        std::vector<rave::Message> messages;
    };
    std::string PictureKey() const;
    void DrawPicture(std::string key);
    SectionMouse MouseOf(const QMouseEvent& event) const;
    const SectionDocument& Shown() const { return preview_ != nullptr ? *preview_ : *source_.document; }
    // What the last paint could not draw, and the columns no printed page shows, as one line.
    void SetNotice(const std::vector<rave::Message>& messages);

    SectionViewSource source_;
    SectionSnapshot columns_;
    ColumnsPicture picture_;
    std::string lastPaintedKey_;
    SectionMouseHandler press_;
    SectionMouseHandler move_;
    SectionMouseHandler release_;
    EditMarkerFunction markers_;
    const SectionDocument* preview_ = nullptr;
    QString notice_;
};

// The scroll area round the view, scrolling in the view's own page and line steps (a quarter
// and a sixteenth of the extent).
class SectionScrollView : public rave::platform::StepScrollArea {
    Q_OBJECT
public:
    explicit SectionScrollView(QWidget* parent = nullptr);
    void SetSteps(int pageStep, int lineStep) {
        StepScrollArea::SetSteps({pageStep, pageStep}, {lineStep, lineStep});
    }
};

}  // namespace ravesect::app
