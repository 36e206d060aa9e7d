// The plan preview of the report window: the lot and building outlines and the placed points
// drawn by the report's own plan drawing, on a sheet of paper the size of the widget. A click
// places the chosen point where it was clicked (in metres, to the decimetre).
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "site/site_plan.h"
#include "site/site_report.h"

namespace site::app {

class SitePlanView : public QWidget {
    Q_OBJECT
public:
    // `report` and `labels` are read at every paint; the view never changes them itself.
    SitePlanView(const SiteReport& report, std::function<std::vector<std::string>()> labels,
                 QWidget* parent = nullptr);

    // The place in metres a point of the widget stands for, as the plan is laid out now.
    PlanPoint PlaceAt(QPointF widgetPoint) const;
    // The widget point a place in metres is drawn at.
    QPointF PointOf(const PlanPoint& place) const;

Q_SIGNALS:
    // A left click or Enter at the cross (the keyboard moves the cross with the arrow keys).
    void PlaceChosen(site::PlanPoint place);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Millimetres of paper per pixel, and the plan's box on that paper.
    double MmPerPixel() const;
    PaperBox Box() const;

    const SiteReport& report_;
    std::function<std::vector<std::string>()> labels_;
    QPointF cross_;  // the keyboard's place, widget pixels
};

}  // namespace site::app
