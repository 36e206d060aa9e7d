// The report view's painting and paging keys.
#include "ravelog/app/ravelog_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include "platform/console_messages.h"
#include "platform/qpainter_surface.h"
#include "ravelog/report/report_page.h"

namespace ravelog::app {

namespace {

PagingKey PagingKeyOf(int key) {
    switch (key) {
        case Qt::Key_PageUp:
            return PagingKey::kPageUp;
        case Qt::Key_Up:
            return PagingKey::kUp;
        case Qt::Key_PageDown:
            return PagingKey::kPageDown;
        case Qt::Key_Down:
            return PagingKey::kDown;
        default:
            return PagingKey::kOther;
    }
}

}  // namespace

RavelogView::RavelogView(SoundingDocument& document, const StartupFiles& files, ReportViewState& state,
                         rave::MessageSink& messages, QWidget* parent)
    : QWidget(parent), document_(document), files_(files), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("ravelogView"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kViewExtent);
}

void RavelogView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    rave::RecordingMessageSink paintMessages;
    {
        rave::platform::QPainterSurface surface(painter, logicalDpiX(), logicalDpiY(), {width(), height()});
        const SheetResources resources = files_.Resources();
        DrawReportPage(surface, document_, resources, state_, &paintMessages);
    }
    if (!paintMessages.shown.empty()) {
        ShowPaintMessages(paintMessages.shown);
    }
}

void RavelogView::ShowPaintMessages(const std::vector<rave::Message>& messages) {
    std::vector<rave::Message> fresh;
    for (const rave::Message& message : messages) {
        const QString text = QString::fromStdString(rave::platform::MessageToUtf8(message));
        if (!shownPaintMessages_.contains(text)) {
            shownPaintMessages_.append(text);
            fresh.push_back(message);
        }
    }
    if (fresh.empty()) {
        return;
    }
    QTimer::singleShot(0, this, [this, fresh] {
        for (const rave::Message& message : fresh) {
            messages_.Show(message);
        }
    });
}

void RavelogView::keyPressEvent(QKeyEvent* event) {
    if (HandlePagingKey(document_, state_, PagingKeyOf(event->key()))) {
        update();
        Q_EMIT pageChanged();
        event->accept();
        return;
    }
    // Keys that changed no page go on to the scroll area, which scrolls with the arrows.
    QWidget::keyPressEvent(event);
}

}  // namespace ravelog::app
