// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TimeWindow.h"

#include <QPoint>

#include <QtCharts/QChartView>
#include <functional>

namespace QtCharts {
class QDateTimeAxis;
}

// The view of the real-time chart, with gestures on the time axis only: drag with the
// left button to pan, turn the wheel to zoom around the time under the cursor, press the
// right button to let the chart follow the live data again. Every pan or zoom suspends
// following. The base view's own dragging, rubber band and key scrolling never run.
class ChartView : public QtCharts::QChartView {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);
    explicit ChartView(QtCharts::QChart* chart, QWidget* parent = nullptr);

    bool followSuspended() const { return suspended; }
    void setFollowSuspended(bool on) { suspended = on; }
    // Who moves the time axis for a gesture; by default the axis is set directly.
    void setTimeRangeHandler(std::function<void(const TimeRange&)> handler) {
        timeRangeHandler = std::move(handler);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void setUp();
    QtCharts::QDateTimeAxis* timeAxis() const;
    TimeRange timeRange() const;
    void setTimeRange(const TimeRange& range);

    QPoint lastPos;
    bool pressed = false;
    bool ctrlDown = false;
    bool suspended = false;
    std::function<void(const TimeRange&)> timeRangeHandler;
};
