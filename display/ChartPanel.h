#pragma once

#include "MeterReading.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>

#include <array>

#include <QtCharts/QChartView>
#include <QtCharts/QSplineSeries>

namespace QtCharts {
class QCategoryAxis;
class QChart;
class QDateTimeAxis;
} // namespace QtCharts

class QGridLayout;

// The real-time chart of the dashboard: one curve per recorded channel against wall-clock
// time. Points are only ever added while a run lasts; a run start empties the curves.
class ChartPanel : public QObject {
    Q_OBJECT
public:
    explicit ChartPanel(QGridLayout* container, QObject* parent = nullptr);
    ~ChartPanel() override;

    // Empties the curves and restarts the time axis at [now, now + 10 s].
    void startRun(const QDateTime& now);
    void appendSample(const QDateTime& now, const std::array<float, recordedChannelCount>& values);
    int pointCount(int channel) const;
    // 0: volts (left), 1: amperes, 2: watts (right).
    QtCharts::QCategoryAxis* valueAxis(int index) const;
    QtCharts::QChartView* view() const { return chartView; }

private:
    void buildAxes();
    void growValueAxes(const std::array<float, recordedChannelCount>& values);

    QtCharts::QChart* chart = nullptr;
    // The view may live in a widget tree that is torn down before this object.
    QPointer<QtCharts::QChartView> chartView;
    std::array<QPointer<QtCharts::QSplineSeries>, recordedChannelCount> channelSeries{};
    QtCharts::QDateTimeAxis* timeAxis = nullptr;
    std::array<QtCharts::QCategoryAxis*, 3> valueAxes{};
    qint64 runStartSecs = 0;
    // Current top of each value axis and the largest VBUS, IBUS and POWER seen.
    std::array<double, 3> axisTop{20, 10, 10};
    std::array<double, 3> channelPeak{20, 10, 10};
};
