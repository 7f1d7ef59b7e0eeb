// SPDX-License-Identifier: GPL-3.0-or-later
#include "RangeMeasure.h"

#include "ChartPanel.h"
#include "ChartView.h"
#include "RangeSelection.h"
#include "RangeSummaryPanel.h"

#include <QtCharts/QChart>

RangeMeasure::RangeMeasure(ChartPanel* chart, QObject* parent)
    : QObject(parent), chart(chart), band(new RangeSelection(chart->chartView(), this)),
      panel(new RangeSummaryPanel(chart->chartView())) {
    connect(band, &RangeSelection::changed, this, &RangeMeasure::refresh);
    connect(band, &RangeSelection::bandMoved, this,
            [this] { panel->place(band->bandRect(), this->chart->chartObject()->plotArea()); });
    connect(chart, &ChartPanel::recordingGrew, this, [this] {
        if (band->range())
            refresh();
    });
    connect(chart, &ChartPanel::recordingReplaced, band, &RangeSelection::clear);
    connect(panel, &RangeSummaryPanel::exportRequested, this, [this] {
        if (const std::optional<TimeRange> range = band->range())
            emit exportRequested(range->minMs, range->maxMs);
    });
}

void RangeMeasure::refresh() {
    const std::optional<TimeRange> range = band->range();
    if (!range) {
        panel->hide();
        return;
    }
    panel->showFigures(chart->measure(*range), ChartViews::bindings(chart->currentView()),
                       band->bandRect(), chart->chartObject()->plotArea());
}
