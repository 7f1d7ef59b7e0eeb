// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CurveReduction.h"

#include <QPen>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QtCharts/QLineSeries>

namespace QtCharts {
class QAbstractAxis;
class QChart;
} // namespace QtCharts

// The curve of one channel on the chart. Qt Charts joins every point of a line series,
// so each stretch of the recording without a gap gets a line series of its own; the
// first one carries the channel's name in the legend, the others share its pen unseen.
// Points are set once per redraw with replace(), never appended.
class ChannelCurve {
public:
    explicit ChannelCurve(const QString& name);
    ~ChannelCurve();
    ChannelCurve(const ChannelCurve&) = delete;
    ChannelCurve& operator=(const ChannelCurve&) = delete;

    void show(QtCharts::QChart* chart, QtCharts::QAbstractAxis* timeAxis,
              QtCharts::QAbstractAxis* valueAxis);
    void hide();
    bool isShown() const { return chart != nullptr; }

    void setPen(const QPen& pen);
    void setSegments(const CurveSegments& segments);

    int pointCount() const;
    int segmentCount() const { return usedSeries; }

private:
    QtCharts::QLineSeries* addSeries();
    void attach(QtCharts::QLineSeries* line);

    QPen linePen;
    QVector<QPointer<QtCharts::QLineSeries>> series;
    int usedSeries = 0;
    QtCharts::QChart* chart = nullptr;
    QtCharts::QAbstractAxis* timeAxis = nullptr;
    QtCharts::QAbstractAxis* valueAxis = nullptr;
};
