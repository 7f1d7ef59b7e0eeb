// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartPanel.h"

#include "AxisScale.h"
#include "ChannelCurve.h"
#include "ChartView.h"
#include "CurveReduction.h"
#include "CurveStyles.h"
#include "SampleStore.h"

#include <QGraphicsLayout>
#include <QGridLayout>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegend>

#include <algorithm>

using namespace QtCharts;
using TimeWindow::msPerSecond;

namespace {

const QColor legendBackground(222, 233, 251);
const QColor legendLabels(0, 100, 255);
const QColor timeAxisLine(205, 115, 14);
constexpr int legendMaxHeight = 40;

QDateTime atMs(qint64 ms) {
    return QDateTime::fromMSecsSinceEpoch(ms);
}

} // namespace

ChartPanel::ChartPanel(QGridLayout* container, const CustomRanges* ranges,
                       const CurveStyles* styles, QObject* parent)
    : QObject(parent), ranges(ranges), styles(styles) {
    for (int k = 0; k < recordedChannelCount; ++k)
        curves[static_cast<size_t>(k)] = std::make_unique<ChannelCurve>(ChartViews::seriesName(k));
    buildChart();
    viewWidget = new ChartView(chart);
    viewWidget->setTimeRangeHandler([this](const TimeRange& range) { setTimeRange(range); });
    viewWidget->setRenderHint(QPainter::Antialiasing);
    if (container)
        container->addWidget(viewWidget);
}

// The curves go first: series still on the chart belong to it and go with the view.
ChartPanel::~ChartPanel() {
    for (auto& curve : curves)
        curve.reset();
    if (viewWidget && !viewWidget->parent())
        delete viewWidget.data();
}

void ChartPanel::buildChart() {
    for (int k = 0; k < recordedChannelCount; ++k)
        curves[static_cast<size_t>(k)]->setPen(styles->pen(k));
    chart = new QChart();
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    QLegend* legend = chart->legend();
    legend->setVisible(true);
    legend->setAlignment(Qt::AlignBottom);
    legend->setBackgroundVisible(true);
    legend->setAutoFillBackground(true);
    legend->setColor(legendBackground);
    legend->setLabelColor(legendLabels);
    legend->setMaximumHeight(legendMaxHeight);
    chart->setTheme(static_cast<QChart::ChartTheme>(CurveStyles::storedThemeCode()));
    chart->setDropShadowEnabled(true);
    chart->setAutoFillBackground(true);
    buildAxes();
    showViewCurves();
    connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& plot) {
        if (static_cast<int>(plot.width()) != drawnWidth)
            redraw();
    });
}

void ChartPanel::buildAxes() {
    timeAxis = new QDateTimeAxis();
    timeAxis->setGridLineVisible(true);
    timeAxis->setLinePenColor(timeAxisLine);
    timeAxis->setTickCount(AxisScales::labelCount);
    const TimeRange start = TimeWindow::startWindow(QDateTime::currentMSecsSinceEpoch());
    timeAxis->setRange(atMs(start.minMs), atMs(start.maxMs));
    timeAxis->setFormat(TimeWindow::labelFormat(start));
    chart->addAxis(timeAxis, Qt::AlignBottom);
    connect(timeAxis, &QDateTimeAxis::rangeChanged, this, [this] { timeRangeChanged(); });
    for (size_t a = 0; a < valueAxes.size(); ++a) {
        valueAxes[a] = new QCategoryAxis();
        valueAxes[a]->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        valueAxes[a]->setGridLineVisible(a == 0);
    }
    for (const AxisBinding& binding : ChartViews::bindings(CurveView::Main))
        openAxis(binding);
    restoreAxisColours();
    chart->addAxis(valueAxes[0], Qt::AlignLeft);
    chart->addAxis(valueAxes[1], Qt::AlignRight);
    chart->addAxis(valueAxes[2], Qt::AlignRight);
    applyLabelFonts();
}

QChartView* ChartPanel::view() const {
    return viewWidget;
}

ChartView* ChartPanel::chartView() const {
    return viewWidget;
}

void ChartPanel::setRecording(const SampleStore* recording) {
    store = recording;
    pyramid.reset();
    sums.reset();
    if (store) {
        pyramid.sync(*store);
        sums.sync(*store);
    }
    redraw();
    emit recordingReplaced();
}

// A run begins followed, whatever the user or an opened file did to the axis before.
void ChartPanel::startRun(const QDateTime& now) {
    showingRecording = false;
    viewWidget->setFollowSuspended(false);
    pyramid.reset();
    sums.reset();
    emit recordingReplaced();
    const TimeRange start = TimeWindow::startWindow(now.toMSecsSinceEpoch());
    runStartSecs = start.minMs / msPerSecond;
    runWindowEndSecs = start.maxMs / msPerSecond;
    if (!setTimeRange(start))
        redraw();
}

void ChartPanel::sampleRecorded() {
    if (!store || store->isEmpty())
        return;
    pyramid.sync(*store);
    sums.sync(*store);
    const int last = store->size() - 1;
    for (const AxisBinding& binding : ChartViews::bindings(shownView))
        growAxis(binding, store->value(binding.channel, last));
    const qint64 lastSecs = store->timeAt(last);
    const TimeRange shown = timeRange();
    const bool followed = followTime(lastSecs);
    // Redrawn when the new sample lands in view, or joins the curve from just outside.
    const bool reachesView = lastSecs * msPerSecond >= shown.minMs &&
                             (last == 0 || store->timeAt(last - 1) * msPerSecond <= shown.maxMs);
    if (!followed && reachesView)
        redraw();
    emit recordingGrew();
}

bool ChartPanel::followTime(qint64 lastSecs) {
    std::optional<TimeRange> next;
    if (displayMode == Scroll)
        next = TimeWindow::scrollWindow(runWindowEndSecs, lastSecs);
    else
        next = TimeWindow::accumulateWindow(store->size(), viewWidget->followSuspended(),
                                            runStartSecs, lastSecs);
    return next && setTimeRange(*next);
}

void ChartPanel::showWholeRecording() {
    showingRecording = true;
    viewWidget->setFollowSuspended(true);
    pyramid.reset();
    sums.reset();
    emit recordingReplaced();
    if (!store || store->isEmpty()) {
        redraw();
        return;
    }
    pyramid.sync(*store);
    sums.sync(*store);
    for (int k = 0; k < recordedChannelCount; ++k) {
        const ValueSpan span = pyramid.span(*store, k, 0, store->size());
        if (!span.isEmpty())
            channelPeak[static_cast<size_t>(k)] =
                std::max(channelPeak[static_cast<size_t>(k)], static_cast<double>(span.max));
    }
    for (const AxisBinding& binding : ChartViews::bindings(shownView))
        growAxis(binding, std::numeric_limits<float>::quiet_NaN());
    const qint64 first = std::min(store->timeAt(0), store->timeAt(store->size() - 1));
    const qint64 last = std::max(store->timeAt(0), store->timeAt(store->size() - 1));
    if (!setTimeRange(TimeRange::ofSeconds(first, std::max(last, first + 1) + 1)))
        redraw();
}

TimeRange ChartPanel::timeRange() const {
    return {timeAxis->min().toMSecsSinceEpoch(), timeAxis->max().toMSecsSinceEpoch()};
}

QString ChartPanel::timeAxisFormat() const {
    return timeAxis->format();
}

// One setRange and one redraw; false when the axis already showed the range.
bool ChartPanel::setTimeRange(const TimeRange& range) {
    if (range == timeRange())
        return false;
    movingTimeAxis = true;
    // Emptied first: the chart would otherwise lay out the old points on the new range
    // before they are replaced, which costs as much as drawing them.
    for (const AxisBinding& binding : ChartViews::bindings(shownView))
        curves[static_cast<size_t>(binding.channel)]->setSegments({});
    timeAxis->setRange(atMs(range.minMs), atMs(range.maxMs));
    movingTimeAxis = false;
    timeRangeChanged();
    return true;
}

// Any move of the time axis, by the panel or by a gesture on the view.
void ChartPanel::timeRangeChanged() {
    if (movingTimeAxis)
        return;
    const QString format = TimeWindow::labelFormat(timeRange());
    if (timeAxis->format() != format)
        timeAxis->setFormat(format);
    redraw();
}

void ChartPanel::redraw() {
    static const SampleStore empty;
    const int width = static_cast<int>(chart->plotArea().width());
    drawnWidth = width;
    const SampleStore& records = store ? *store : empty;
    const CurveReduction reduction(records, pyramid, {timeRange(), width});
    for (const AxisBinding& binding : ChartViews::bindings(shownView))
        curves[static_cast<size_t>(binding.channel)]->setSegments(reduction.curve(binding.channel));
}

RangeFigures ChartPanel::measure(const TimeRange& range) const {
    static const SampleStore empty;
    if (!store)
        return RangeStatistics::measure(empty, pyramid, sums, range.minMs, range.maxMs);
    return RangeStatistics::measure(*store, pyramid, sums, range.minMs, range.maxMs);
}

bool ChartPanel::isShown(int channel) const {
    return curves[static_cast<size_t>(channel)]->isShown();
}

int ChartPanel::drawnPoints(int channel) const {
    return curves[static_cast<size_t>(channel)]->pointCount();
}

int ChartPanel::drawnSegments(int channel) const {
    return curves[static_cast<size_t>(channel)]->segmentCount();
}
