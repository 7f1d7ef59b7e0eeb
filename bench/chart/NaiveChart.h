// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace QtCharts {
class QChart;
class QChartView;
class QDateTimeAxis;
class QSplineSeries;
} // namespace QtCharts

// The chart as first built, for comparison: eight spline series that receive every
// point of the run and draw them all, on a 1200 x 700 view.
class NaiveChart {
public:
    explicit NaiveChart(int pointsPerSeries);
    // One second: a point per series, the time axis stretched, a repaint.
    void tick();

private:
    QWidget frame;
    QtCharts::QChartView* view = nullptr;
    QtCharts::QDateTimeAxis* timeAxis = nullptr;
    QtCharts::QSplineSeries* series[8] = {};
    qint64 nextSecs = 0;
    qint64 startSecs = 0;
};
