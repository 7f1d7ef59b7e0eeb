// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartView.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QtCharts/QDateTimeAxis>

using namespace QtCharts;

ChartView::ChartView(QWidget* parent) : QChartView(parent) {
    setUp();
}

ChartView::ChartView(QChart* chart, QWidget* parent) : QChartView(parent) {
    setUp();
    setChart(chart);
}

void ChartView::setUp() {
    // Every change redraws curves across the whole plot: working out a smaller region to
    // repaint costs more than it saves.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setMouseTracking(false);
    setCursor(Qt::PointingHandCursor);
}

QDateTimeAxis* ChartView::timeAxis() const {
    if (!chart())
        return nullptr;
    const QList<QAbstractAxis*> axes = chart()->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : qobject_cast<QDateTimeAxis*>(axes.first());
}

TimeRange ChartView::timeRange() const {
    const QDateTimeAxis* axis = timeAxis();
    return {axis->min().toMSecsSinceEpoch(), axis->max().toMSecsSinceEpoch()};
}

void ChartView::setTimeRange(const TimeRange& range) {
    if (timeRangeHandler) {
        timeRangeHandler(range);
        return;
    }
    timeAxis()->setRange(QDateTime::fromMSecsSinceEpoch(range.minMs),
                         QDateTime::fromMSecsSinceEpoch(range.maxMs));
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        lastPos = event->localPos().toPoint();
        pressed = true;
    } else if (event->button() == Qt::RightButton) {
        suspended = false;
    }
}

void ChartView::mouseReleaseEvent(QMouseEvent*) {
    pressed = false;
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->localPos().toPoint();
    if (!pressed)
        return;
    const int dx = p.x() - lastPos.x();
    lastPos = p;
    if (timeAxis())
        setTimeRange(TimeWindow::panned(timeRange(), dx, chart()->plotArea().width()));
    suspended = true;
}

// The zoom centre is the time under the cursor: the cursor's place across the plot area.
void ChartView::wheelEvent(QWheelEvent* event) {
    suspended = true;
    if (ctrlDown || !timeAxis())
        return;
    const QRectF plot = chart()->plotArea();
    const double px = event->position().toPoint().x();
    const double fraction = plot.width() > 0 ? (px - plot.left()) / plot.width() : 0.5;
    const QPoint delta = event->angleDelta();
    const int d = delta.y() != 0 ? delta.y() : delta.x();
    setTimeRange(TimeWindow::zoomed(timeRange(), fraction, d > 0));
}

void ChartView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control)
        ctrlDown = true;
}

void ChartView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control)
        ctrlDown = false;
}
