// The section view's painting, keys and mouse hooks, and the scroll area round it.
#include "ravesect/app/section_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/console_messages.h"
#include "platform/qpainter_surface.h"
#include "ravesect/drawing/section_coverage.h"

namespace ravesect::app {

namespace {

QScrollArea* ScrollAreaOf(const QWidget* widget) {
    // The view sits in the scroll area's viewport.
    QWidget* viewport = widget->parentWidget();
    return viewport != nullptr ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
}

}  // namespace

SectionView::SectionView(SectionViewSource source, QWidget* parent) : QWidget(parent), source_(source) {
    setObjectName(QStringLiteral("sectionView"));
    setAccessibleName(QStringLiteral("断面図"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    SetExtentForScreen(1280);
    ReloadColumns();
}

void SectionView::ReloadColumns() {
    columns_.Load(source_.paths->working);
    picture_.key.clear();
    lastPaintedKey_.clear();
    update();
}

void SectionView::SetExtentForScreen(int screenWidth) {
    const SectionScrollArea area = ScrollAreaFor(screenWidth);
    setFixedSize(area.size, area.size);
}

void SectionView::SetMouseHandlers(SectionMouseHandler press, SectionMouseHandler move,
                                   SectionMouseHandler release) {
    press_ = std::move(press);
    move_ = std::move(move);
    release_ = std::move(release);
}

void SectionView::ShowPreview(const SectionDocument* preview) {
    preview_ = preview;
    update();
}

void SectionView::SetEditMarkers(EditMarkerFunction markers) {
    markers_ = std::move(markers);
    update();
}

SectionMapping SectionView::ScreenMapping() const {
    const SectionSettings& settings = source_.document->settings;
    SectionMapping mapping = SectionMapping::ForDevice(
        logicalDpiX(), logicalDpiY(), settings.distanceScale, settings.depthScale,
        source_.sysq->Real(sysqline::kLeftMargin), source_.sysq->Real(sysqline::kTopMargin));
    mapping.ShowPage(source_.position->shownLeftEnd, source_.position->shownTop);
    return mapping;
}

QPoint SectionView::ScrollPosition() const {
    const QScrollArea* area = ScrollAreaOf(this);
    if (area == nullptr) {
        return {0, 0};
    }
    return {area->horizontalScrollBar()->value(), area->verticalScrollBar()->value()};
}

QPointF SectionView::DeviceToWorld(QPoint device) const {
    return ViewToWorld(device + ScrollPosition());
}

QPointF SectionView::ViewToWorld(QPoint viewPoint) const {
    const WorldPosition world = ScreenMapping().SurfaceToWorld(viewPoint.x(), viewPoint.y());
    return {world.x, world.y};
}

std::string SectionView::PictureKey() const {
    std::string key;
    const auto add = [&key](double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g ", value);
        key += text;
    };
    const auto addText = [&key](const std::string& text) {
        key += std::to_string(text.size());
        key += ':';
        key += text;
    };
    add(width());
    add(height());
    add(logicalDpiX());
    add(logicalDpiY());
    add(devicePixelRatioF());
    add(source_.position->shownLeftEnd);
    add(source_.position->shownTop);
    const SectionSettings& s = Shown().settings;
    for (const double value :
         {s.distanceScale, s.depthScale, s.rulerTop, s.rulerBottom, s.rulerStep, s.leftEnd, s.distancePerPage,
          s.pageOverlapDistance, s.depthPerPage, s.pageOverlapDepth, s.convertedNPlot}) {
        add(value);
    }
    add(s.topElevation);
    addText(s.rulerTitle);
    for (int n = 1; n <= kTitleEntries; ++n) {
        const TitleText& title = Shown().Title(n);
        add(title.x);
        add(title.y);
        addText(title.text);
        addText(title.font);
    }
    key += SysqFileBytes(*source_.sysq);
    for (const rave::FontSlot& font : *source_.fonts) {
        add(font.size);
        add(font.colour);
        addText(font.face);
    }
    if (source_.patternColours != nullptr) {
        for (const rave::PatternColorPair& pair : source_.patternColours->Pairs()) {
            add(pair.patternNo);
            add(pair.color);
        }
    }
    return key;
}

void SectionView::DrawPicture(std::string key) {
    // The image is kept while the view's size and resolution stay: a new one of this size costs
    // more than the drawing.
    const qreal ratio = devicePixelRatioF();
    if (picture_.image.size() != size() * ratio || picture_.image.devicePixelRatio() != ratio) {
        picture_.image = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        picture_.image.setDevicePixelRatio(ratio);
    }
    picture_.image.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() / 0.0254)));
    picture_.image.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() / 0.0254)));
    picture_.image.fill(Qt::transparent);
    rave::RecordingMessageSink messages;
    {
        QPainter painter(&picture_.image);
        rave::platform::QPainterSurface surface(painter, logicalDpiX(), logicalDpiY(), {width(), height()});
        const SectionDrawingResources resources{*source_.sysq, *source_.fonts, source_.patternColours,
                                                &messages, source_.simpleTable};
        picture_.extent = DrawSnapshotColumnsAndOver(
            surface, Shown(), columns_, resources,
            ScreenPage(source_.position->shownLeftEnd, source_.position->shownTop));
    }
    picture_.messages = std::move(messages.shown);
    picture_.key = std::move(key);
}

void SectionView::paintEvent(QPaintEvent* event) {
    // The picture (a transparent fill and a blend more than a plain paint) pays only when the
    // same columns are painted again, as while a point is dragged or the view scrolled: the first
    // paint after a change draws everything straight, the second draws the picture.
    std::string key = PictureKey();
    const bool again = key == lastPaintedKey_;
    lastPaintedKey_ = key;
    if (again && key != picture_.key) {
        DrawPicture(std::move(key));
    }
    const bool pictured = lastPaintedKey_ == picture_.key;

    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    const SectionPage page = ScreenPage(source_.position->shownLeftEnd, source_.position->shownTop);
    SectionExtent extent = picture_.extent;
    std::vector<rave::Message> notices = picture_.messages;
    {
        rave::platform::QPainterSurface surface(painter, logicalDpiX(), logicalDpiY(), {width(), height()});
        rave::RecordingMessageSink messages;
        const SectionDrawingResources resources{*source_.sysq, *source_.fonts, source_.patternColours,
                                                &messages, source_.simpleTable};
        // No editing markers over a preview: they point into the document, not the preview.
        DrawSectionUnderColumns(surface, Shown(), resources, false, page,
                                preview_ != nullptr ? EditMarkerFunction{} : markers_);
        if (!pictured) {
            extent = DrawSnapshotColumnsAndOver(surface, Shown(), columns_, resources, page);
            notices = std::move(messages.shown);
        }
    }
    if (pictured) {
        const qreal ratio = picture_.image.devicePixelRatio();
        painter.drawImage(
            QRectF(area), picture_.image,
            QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
    }
    if (source_.extent != nullptr) {
        *source_.extent = extent;
    }
    const std::vector<int> offPage = ColumnsOnNoPrintedPage(*source_.document, source_.document->settings,
                                                            source_.sysq->Real(sysqline::kNGraphWidth));
    if (!offPage.empty()) {
        notices.push_back(ColumnsOnNoPageMessage(*source_.document, offPage));
    }
    SetNotice(notices);
}

void SectionView::SetNotice(const std::vector<rave::Message>& messages) {
    QStringList parts;
    for (const rave::Message& message : messages) {
        parts.append(QString::fromStdString(rave::platform::MessageToUtf8(message)).simplified());
    }
    const QString notice = parts.join(QStringLiteral("　／　"));
    if (notice != notice_) {
        notice_ = notice;
        Q_EMIT noticeChanged(notice_);
    }
}

void SectionView::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Left:
            Q_EMIT previousPageRequested();
            break;
        case Qt::Key_Right:
            Q_EMIT nextPageRequested();
            break;
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            Q_EMIT scrollUpRequested();
            break;
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            Q_EMIT scrollDownRequested();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

SectionMouse SectionView::MouseOf(const QMouseEvent& event) const {
    SectionMouse mouse;
    const QPoint viewPoint = event.position().toPoint();
    mouse.scroll = ScrollPosition();
    mouse.device = viewPoint - mouse.scroll;
    mouse.world = ViewToWorld(viewPoint);
    mouse.button = event.button();
    mouse.buttons = event.buttons();
    mouse.modifiers = event.modifiers();
    return mouse;
}

void SectionView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (press_ && !source_.position->printing) {
        press_(MouseOf(*event));
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void SectionView::mouseMoveEvent(QMouseEvent* event) {
    if (move_ && !source_.position->printing) {
        move_(MouseOf(*event));
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void SectionView::mouseReleaseEvent(QMouseEvent* event) {
    if (release_ && !source_.position->printing) {
        release_(MouseOf(*event));
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

SectionScrollView::SectionScrollView(QWidget* parent) : StepScrollArea(parent) {
    setObjectName(QStringLiteral("sectionScrollArea"));
}

}  // namespace ravesect::app
