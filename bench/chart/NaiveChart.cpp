// SPDX-License-Identifier: GPL-3.0-or-later
#include "NaiveChart.h"

#include "ChartScene.h"

#include <QApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QSplineSeries>
#include <QtCharts/QValueAxis>

#include <cmath>

using namespace QtCharts;

namespace {
double wave(qint64 secs, int k) {
    return 5.0 + k + std::sin(double(secs) / 60.0 + k);
}
} // namespace

NaiveChart::NaiveChart(int pointsPerSeries) : startSecs(ChartScene::startSecs) {
    auto* chart = new QChart();
    timeAxis = new QDateTimeAxis();
    auto* valueAxis = new QValueAxis();
    valueAxis->setRange(0, 20);
    chart->addAxis(timeAxis, Qt::AlignBottom);
    chart->addAxis(valueAxis, Qt::AlignLeft);
    QVector<QPointF> points(pointsPerSeries);
    for (int k = 0; k < 8; ++k) {
        series[k] = new QSplineSeries();
        for (int i = 0; i < pointsPerSeries; ++i)
            points[i] = QPointF(double((startSecs + i) * 1000), wave(startSecs + i, k));
        series[k]->replace(points);
        chart->addSeries(series[k]);
        series[k]->attachAxis(timeAxis);
        series[k]->attachAxis(valueAxis);
    }
    nextSecs = startSecs + pointsPerSeries;
    view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QGridLayout(&frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    frame.resize(ChartScene::width, ChartScene::height);
    frame.show();
    QApplication::processEvents();
}

void NaiveChart::tick() {
    for (int k = 0; k < 8; ++k)
        series[k]->append(double(nextSecs * 1000), wave(nextSecs, k));
    timeAxis->setRange(QDateTime::fromSecsSinceEpoch(startSecs),
                       QDateTime::fromSecsSinceEpoch(nextSecs + 1));
    ++nextSecs;
    QApplication::processEvents();
}
