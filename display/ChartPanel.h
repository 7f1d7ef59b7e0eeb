// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartViews.h"
#include "MeterReading.h"
#include "MinMaxPyramid.h"
#include "RangeStatistics.h"
#include "RunningSums.h"
#include "TimeWindow.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>

namespace QtCharts {
class QCategoryAxis;
class QChart;
class QChartView;
class QDateTimeAxis;
} // namespace QtCharts

class ChannelCurve;
class ChartView;
class CurveStyles;
class CustomRanges;
class QGridLayout;
class SampleStore;
struct AxisScale;

// The real-time chart of the dashboard page: one curve per recorded channel against
// wall-clock time, four curve views, automatic and custom value ranges, accumulating or
// scrolling time axis. Every sample lives in the recording's store only; each shown
// curve is redrawn from it, reduced to what the plot can show, when the time range, the
// plot size or the visible data change. Curves not shown cost nothing per second.
class ChartPanel : public QObject {
    Q_OBJECT
public:
    enum DisplayMode : quint8 { Accumulate = 1, Scroll = 2 };

    ChartPanel(QGridLayout* container, const CustomRanges* ranges, const CurveStyles* styles,
               QObject* parent = nullptr);
    ~ChartPanel() override;

    // The recording the curves are drawn from; it outlives the panel.
    void setRecording(const SampleStore* store);
    // A run starts: the recording was emptied; the time axis restarts at [now, now + 10 s]
    // and follows the run again.
    void startRun(const QDateTime& now);
    // The recording gained a sample: grow the value axes, move the time axis, redraw.
    void sampleRecorded();
    // The recording was replaced wholesale (an opened file, maybe several runs): stop
    // following, fit the time axis to all of it, grow the value axes to its peaks.
    void showWholeRecording();

    // Switches a special view on, or back to the main view if it is the one shown.
    CurveView toggleView(CurveView view);
    CurveView currentView() const { return shownView; }
    void setDisplayMode(DisplayMode mode) { displayMode = mode; }
    // The custom ranges changed: re-apply the axes of the current view.
    void applyRanges();
    // Channel k's style changed: its pen, then the axis line colours of the view.
    void applyPen(int channel);
    // The theme changed: theme, all pens, axis fonts and line colours.
    void applyTheme(int code);

    QtCharts::QChartView* view() const;
    ChartView* chartView() const;
    QtCharts::QChart* chartObject() const { return chart; }
    QtCharts::QCategoryAxis* valueAxis(int index) const { return valueAxes[index]; }
    TimeRange timeRange() const;
    QString timeAxisFormat() const;
    bool isShown(int channel) const;
    int drawnPoints(int channel) const;
    int drawnSegments(int channel) const;

    // The figures of a stretch of the recording drawn.
    RangeFigures measure(const TimeRange& range) const;

signals:
    // The recording was emptied for a run or replaced by another one.
    void recordingReplaced();
    // The recording gained a sample.
    void recordingGrew();

private:
    void buildChart();
    void buildAxes();
    void setScale(int axis, const AxisScale& scale);
    void openAxis(const AxisBinding& binding);
    std::optional<AxisScale> customScale(const AxisBinding& binding) const;
    void growAxis(const AxisBinding& binding, float value);
    void restoreAxisColours();
    void applyLabelFonts();
    void showViewCurves();
    bool followTime(qint64 lastSecs);
    bool setTimeRange(const TimeRange& range);
    void timeRangeChanged();
    void redraw();

    const CustomRanges* ranges;
    const CurveStyles* styles;
    const SampleStore* store = nullptr;
    MinMaxPyramid pyramid;
    RunningSums sums;

    QtCharts::QChart* chart = nullptr;
    // The view may live in a widget tree that is torn down before this object.
    QPointer<ChartView> viewWidget;
    QtCharts::QDateTimeAxis* timeAxis = nullptr;
    std::array<QtCharts::QCategoryAxis*, ChartViews::valueAxisCount> valueAxes{};
    std::array<std::unique_ptr<ChannelCurve>, recordedChannelCount> curves;

    CurveView shownView = CurveView::Main;
    DisplayMode displayMode = Accumulate;
    std::array<double, ChartViews::valueAxisCount> axisTop{20, 10, 10};
    std::array<double, recordedChannelCount> channelPeak = ChartViews::initialPeaks();
    qint64 runStartSecs = 0;
    qint64 runWindowEndSecs = 0;
    // A recording made earlier is shown whole: no "now" to scroll to.
    bool showingRecording = false;
    int drawnWidth = -1;
    bool movingTimeAxis = false;
};
