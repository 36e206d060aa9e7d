// The report view: one page of the borehole-log sheet, drawn by the same page drawing as the
// printer, at the screen's resolution. It keeps no data of its own; the document, the loaded
// start-up files and the paging state belong to the main frame.
#pragma once

#include <QStringList>
#include <QWidget>

#include "common/messages.h"
#include "platform/step_scroll_area.h"
#include "ravelog/document/sounding_document.h"
#include "ravelog/report/report_startup.h"
#include "ravelog/report/report_view_state.h"

namespace ravelog::app {

// Total size of the view's scroll extent and its page and line steps, device pixels.
inline constexpr QSize kViewExtent{944, 1360};
inline constexpr QSize kViewPageStep{118, 170};
inline constexpr QSize kViewLineStep{29, 42};

class RavelogView : public QWidget {
    Q_OBJECT
public:
    RavelogView(SoundingDocument& document, const StartupFiles& files, ReportViewState& state,
                rave::MessageSink& messages, QWidget* parent = nullptr);

    QSize sizeHint() const override { return kViewExtent; }

Q_SIGNALS:
    // A paging key moved to another page.
    void pageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Messages raised while painting ("Can't create font") are shown after the paint, each text
    // once, so a message box never interrupts a paint nor comes back with every repaint.
    void ShowPaintMessages(const std::vector<rave::Message>& messages);

    SoundingDocument& document_;
    const StartupFiles& files_;
    ReportViewState& state_;
    rave::MessageSink& messages_;
    QStringList shownPaintMessages_;
};

// The scroll area round the view, scrolling in the view's own page and line steps.
class ReportScrollArea : public rave::platform::StepScrollArea {
    Q_OBJECT
public:
    explicit ReportScrollArea(QWidget* parent = nullptr) : StepScrollArea(parent) {
        SetSteps(kViewPageStep, kViewLineStep);
    }
};

}  // namespace ravelog::app
