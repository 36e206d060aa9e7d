// The plan preview: the paper is the widget, 1 mm of paper a fixed number of pixels.
#include "site/app/site_plan_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "platform/qpainter_surface.h"
#include "site/page_canvas.h"

namespace site::app {

namespace {

// The preview's paper: this many millimetres across the widget's width.
constexpr double kPaperWidthMm = 200.0;
// Room under the plan for the list of points without a position.
constexpr double kListRoomMm = 14.0;
constexpr double kMarginMm = 3.0;

double Decimetres(double metres) {
    return std::round(metres * 10.0) / 10.0;
}

}  // namespace

SitePlanView::SitePlanView(const SiteReport& report, std::function<std::vector<std::string>()> labels,
                           QWidget* parent)
    : QWidget(parent), report_(report), labels_(std::move(labels)) {
    setMinimumSize(320, 240);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setAccessibleName(QStringLiteral("調査位置図"));
    setAccessibleDescription(QStringLiteral(
        "クリックした所に選択中の測点を置きます。矢印キーで十字を動かし、Enterキーで置きます。"));
}

double SitePlanView::MmPerPixel() const {
    return kPaperWidthMm / std::max(1, width());
}

PaperBox SitePlanView::Box() const {
    const double heightMm = height() * MmPerPixel();
    return {kMarginMm, kMarginMm, kPaperWidthMm - kMarginMm,
            std::max(kMarginMm + 10, heightMm - kListRoomMm)};
}

PlanPoint SitePlanView::PlaceAt(QPointF widgetPoint) const {
    const PlanPoint place =
        LayoutPlan(report_, Box()).ToPlan(widgetPoint.x() * MmPerPixel(), widgetPoint.y() * MmPerPixel());
    return {Decimetres(place.x), Decimetres(place.y)};
}

QPointF SitePlanView::PointOf(const PlanPoint& place) const {
    const PlanLayout layout = LayoutPlan(report_, Box());
    return {layout.PaperX(place.x) / MmPerPixel(), layout.PaperY(place.y) / MmPerPixel()};
}

void SitePlanView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    {
        const int dpi = static_cast<int>(std::lround(25.4 / MmPerPixel()));
        rave::platform::QPainterSurface surface(painter, dpi, dpi, {width(), height()});
        PageCanvas canvas(surface);
        DrawPlan(canvas, report_, labels_(), Box());
    }
    if (hasFocus()) {
        painter.setPen(QPen(Qt::blue, 1));
        const QPointF c = cross_.isNull() ? QPointF(width() / 2.0, height() / 2.0) : cross_;
        painter.drawLine(c + QPointF(-8, 0), c + QPointF(8, 0));
        painter.drawLine(c + QPointF(0, -8), c + QPointF(0, 8));
    }
}

void SitePlanView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        cross_ = event->position();
        Q_EMIT PlaceChosen(PlaceAt(event->position()));
    }
}

void SitePlanView::keyPressEvent(QKeyEvent* event) {
    if (cross_.isNull()) {
        cross_ = QPointF(width() / 2.0, height() / 2.0);
    }
    const double step = (event->modifiers() & Qt::ShiftModifier) ? 1.0 : 8.0;
    switch (event->key()) {
        case Qt::Key_Left:
            cross_.rx() -= step;
            break;
        case Qt::Key_Right:
            cross_.rx() += step;
            break;
        case Qt::Key_Up:
            cross_.ry() -= step;
            break;
        case Qt::Key_Down:
            cross_.ry() += step;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            Q_EMIT PlaceChosen(PlaceAt(cross_));
            return;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    cross_.setX(std::clamp(cross_.x(), 0.0, static_cast<double>(width())));
    cross_.setY(std::clamp(cross_.y(), 0.0, static_cast<double>(height())));
    update();
}

}  // namespace site::app
