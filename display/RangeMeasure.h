// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class ChartPanel;
class RangeSelection;
class RangeSummaryPanel;

// Measuring a stretch of the chart: the selection on the chart's view and the panel of
// its figures, kept up to date while the band moves, the view changes or samples arrive.
// A recording replaced (a run started, a file opened) ends the selection.
class RangeMeasure : public QObject {
    Q_OBJECT
public:
    explicit RangeMeasure(ChartPanel* chart, QObject* parent = nullptr);

    RangeSelection* selection() const { return band; }
    RangeSummaryPanel* summary() const { return panel; }
    // The figures again, for the channels of the view now shown.
    void refresh();

signals:
    // The selected stretch's records are to be exported.
    void exportRequested(qint64 fromMs, qint64 toMs);

private:
    ChartPanel* chart;
    RangeSelection* band;
    RangeSummaryPanel* panel;
};
