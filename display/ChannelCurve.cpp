// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelCurve.h"

#include <algorithm>

#include <QtCharts/QChart>

#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>

using namespace QtCharts;

namespace {
// Beyond this many stretches in view (a reopened file of many short runs, zoomed far
// out) the remaining ones are joined into the last series rather than adding more.
constexpr int maxSegments = 64;
} // namespace

ChannelCurve::ChannelCurve(const QString& name) {
    series.append(new QLineSeries());
    series.first()->setName(name);
}

// Series on a chart belong to it; the chart may already be gone with its view.
ChannelCurve::~ChannelCurve() {
    for (const QPointer<QLineSeries>& line : series) {
        if (line && !line->chart())
            delete line.data();
    }
}

void ChannelCurve::show(QChart* onChart, QAbstractAxis* time, QAbstractAxis* value) {
    if (chart)
        hide();
    chart = onChart;
    timeAxis = time;
    valueAxis = value;
    for (int i = 0; i < series.size(); ++i)
        attach(series[i]);
}

void ChannelCurve::attach(QLineSeries* line) {
    chart->addSeries(line);
    line->attachAxis(timeAxis);
    line->attachAxis(valueAxis);
    if (line != series.first()) {
        for (QLegendMarker* marker : chart->legend()->markers(line))
            marker->setVisible(false);
    }
}

void ChannelCurve::hide() {
    if (!chart)
        return;
    for (const QPointer<QLineSeries>& line : series) {
        if (line && line->chart() == chart)
            chart->removeSeries(line);
    }
    chart = nullptr;
}

void ChannelCurve::setPen(const QPen& pen) {
    linePen = pen;
    for (const QPointer<QLineSeries>& line : series) {
        if (line)
            line->setPen(pen);
    }
}

QLineSeries* ChannelCurve::addSeries() {
    auto* line = new QLineSeries();
    line->setPen(linePen);
    series.append(line);
    if (chart)
        attach(line);
    return line;
}

void ChannelCurve::setSegments(const CurveSegments& segments) {
    const int used = std::min(segments.size(), maxSegments);
    for (int i = 0; i < used; ++i) {
        QVector<QPointF> points = segments[i];
        if (i == used - 1) {
            for (int j = used; j < segments.size(); ++j)
                points += segments[j];
        }
        (i < series.size() ? series[i].data() : addSeries())->replace(points);
    }
    for (int i = std::max(used, 1); i < usedSeries; ++i)
        series[i]->clear();
    if (used == 0)
        series.first()->clear();
    usedSeries = used;
}

int ChannelCurve::pointCount() const {
    int n = 0;
    for (int i = 0; i < usedSeries; ++i)
        n += series[i]->count();
    return n;
}
