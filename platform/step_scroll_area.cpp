// The scroll area that keeps its view's steps.
#include "platform/step_scroll_area.h"

#include <QEvent>
#include <QScrollBar>

namespace rave::platform {

StepScrollArea::StepScrollArea(QWidget* parent) : QScrollArea(parent) {
    setBackgroundRole(QPalette::Dark);
    setWidgetResizable(false);
}

void StepScrollArea::SetSteps(QSize pageStep, QSize lineStep) {
    pageStep_ = pageStep;
    lineStep_ = lineStep;
    ApplySteps();
}

bool StepScrollArea::event(QEvent* event) {
    const bool handled = QScrollArea::event(event);
    ApplySteps();
    return handled;
}

bool StepScrollArea::eventFilter(QObject* watched, QEvent* event) {
    const bool filtered = QScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::Resize) {
        ApplySteps();
    }
    return filtered;
}

void StepScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    ApplySteps();
}

void StepScrollArea::ApplySteps() {
    if (pageStep_.isEmpty()) {
        return;
    }
    horizontalScrollBar()->setPageStep(pageStep_.width());
    horizontalScrollBar()->setSingleStep(lineStep_.width());
    verticalScrollBar()->setPageStep(pageStep_.height());
    verticalScrollBar()->setSingleStep(lineStep_.height());
}

}  // namespace rave::platform
