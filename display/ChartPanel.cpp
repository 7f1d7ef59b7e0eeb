#include "ChartPanel.h"

#include "Setting.h"
#include "SettingKeys.h"

#include <QGraphicsLayout>

#include <algorithm>
#include <cmath>

#include <QGridLayout>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QSplineSeries>

using namespace QtCharts;

namespace {

constexpr int windowSeconds = 10;
constexpr int labelCount = 10;
// Points in the first window before the accumulating axis starts to follow the run.
constexpr int pointsBeforeFollow = 10;

const std::array<const char*, recordedChannelCount> seriesNames{"VBUS", "IBUS", "Power", "DP",
                                                                "DM",   "CC1",  "CC2",   "CPU"};

struct AxisDefault {
    const char* unit;
    float top;
    Qt::Alignment side;
};
const std::array<AxisDefault, 3> axisDefaults{
    {{"V", 20.0f, Qt::AlignLeft}, {"A", 10.0f, Qt::AlignRight}, {"W", 10.0f, Qt::AlignRight}}};

QChart::ChartTheme storedTheme() {
    static const std::array<const char*, 7> names{"Light",   "BlueCerulean", "Dark",   "BrownSand",
                                                  "BlueNcs", "HighContrast", "BlueIcy"};
    const QString stored = Setting().readValue(QString::fromLatin1(SettingKey::chartTheme));
    for (size_t i = 0; i < names.size(); ++i) {
        if (stored == QLatin1String(names[i]))
            return static_cast<QChart::ChartTheme>(i);
    }
    return QChart::ChartThemeLight;
}

void fillLabels(QCategoryAxis* axis, const QString& unit, float top) {
    const QStringList old = axis->categoriesLabels();
    for (const QString& label : old)
        axis->remove(label);
    axis->setRange(0, top);
    axis->setTickCount(labelCount);
    const float step = top / labelCount;
    for (int i = 0; i <= labelCount; ++i) {
        const double v = i * step;
        axis->append(QString::number(v, 'f', 2) + unit, v);
    }
}

} // namespace

ChartPanel::ChartPanel(QGridLayout* container, QObject* parent) : QObject(parent) {
    for (size_t k = 0; k < channelSeries.size(); ++k) {
        channelSeries[k] = new QSplineSeries();
        channelSeries[k]->setName(QString::fromLatin1(seriesNames[k]));
    }
    chart = new QChart();
    chart->setTheme(storedTheme());
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    buildAxes();
    chartView = new QChartView(chart);
    chartView->setRenderHint(QPainter::Antialiasing);
    if (container)
        container->addWidget(chartView);
}

// The chart owns the series added to it; the others, and a view nobody adopted, are ours.
ChartPanel::~ChartPanel() {
    const QList<QAbstractSeries*> shown = chartView ? chart->series() : QList<QAbstractSeries*>();
    for (const QPointer<QSplineSeries>& series : channelSeries) {
        if (series && !shown.contains(series.data()))
            delete series.data();
    }
    if (chartView && !chartView->parent())
        delete chartView.data();
}

void ChartPanel::buildAxes() {
    timeAxis = new QDateTimeAxis();
    timeAxis->setFormat(QStringLiteral("hh:mm:ss"));
    timeAxis->setTickCount(labelCount);
    const QDateTime now = QDateTime::currentDateTime();
    timeAxis->setRange(now, now.addSecs(windowSeconds));
    chart->addAxis(timeAxis, Qt::AlignBottom);
    for (size_t a = 0; a < valueAxes.size(); ++a) {
        valueAxes[a] = new QCategoryAxis();
        valueAxes[a]->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        fillLabels(valueAxes[a], QString::fromLatin1(axisDefaults[a].unit), axisDefaults[a].top);
        if (a > 0)
            valueAxes[a]->setGridLineVisible(false);
        chart->addAxis(valueAxes[a], axisDefaults[a].side);
        chart->addSeries(channelSeries[a]);
        channelSeries[a]->attachAxis(timeAxis);
        channelSeries[a]->attachAxis(valueAxes[a]);
    }
}

void ChartPanel::startRun(const QDateTime& now) {
    for (const QPointer<QSplineSeries>& series : channelSeries)
        series->clear();
    timeAxis->setRange(now, now.addSecs(windowSeconds));
    runStartSecs = now.toSecsSinceEpoch();
}

void ChartPanel::appendSample(const QDateTime& now,
                              const std::array<float, recordedChannelCount>& values) {
    const double x = static_cast<double>(now.toMSecsSinceEpoch());
    for (size_t k = 0; k < channelSeries.size(); ++k)
        channelSeries[k]->append(x, values[k]);
    growValueAxes(values);
    if (channelSeries[VBUS]->count() > pointsBeforeFollow)
        timeAxis->setRange(QDateTime::fromSecsSinceEpoch(runStartSecs), now.addSecs(1));
}

// A value above an axis's top grows it to the next whole unit above the largest value
// seen; the axes never shrink on their own, so a curve never leaves the chart.
void ChartPanel::growValueAxes(const std::array<float, recordedChannelCount>& values) {
    for (size_t a = 0; a < valueAxes.size(); ++a) {
        const double v = values[a];
        if (!(v > axisTop[a]) && !(channelPeak[a] > axisTop[a]))
            continue;
        const double top = std::isnan(v) ? channelPeak[a] : std::max(v, channelPeak[a]);
        axisTop[a] = channelPeak[a] = top;
        fillLabels(valueAxes[a], QString::fromLatin1(axisDefaults[a].unit),
                   static_cast<float>(std::ceil(1.0 + top)));
    }
}

QtCharts::QCategoryAxis* ChartPanel::valueAxis(int index) const {
    return valueAxes[index];
}

int ChartPanel::pointCount(int channel) const {
    return channelSeries[channel]->count();
}
