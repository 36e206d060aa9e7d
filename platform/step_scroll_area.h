// A scroll area round a fixed-size view that scrolls in the view's own page and line steps.
#pragma once

#include <QScrollArea>
#include <QSize>

namespace rave::platform {

class StepScrollArea : public QScrollArea {
    Q_OBJECT
public:
    // A dark background round the view; the view keeps its own size.
    explicit StepScrollArea(QWidget* parent = nullptr);
    // The page and line steps of the horizontal (width) and vertical (height) scroll bars; an
    // empty page step leaves the scroll area's own.
    void SetSteps(QSize pageStep, QSize lineStep);

protected:
    // QScrollArea sets the page steps to the visible size whenever it lays out its scroll bars
    // (on resizes of itself or of the view, and on layout requests); the view's steps are put
    // back after each of these.
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplySteps();
    QSize pageStep_;
    QSize lineStep_;
};

}  // namespace rave::platform
