#pragma once

#include "ChartViews.h"
#include "RangeStatistics.h"

#include <QStringList>
#include <QVector>

// The figures of a selected stretch as a small table of texts, widget-free: the same
// cells fill the panel over the chart and, tab-separated, the clipboard. Rows: start,
// end, duration, the column titles, one row per channel of the view (minimum, mean,
// maximum), charge, energy, samples, gaps. A figure without meaning shows as "—".
namespace RangeSummary {

inline constexpr int columnCount = 4;
inline const QString noFigure = QStringLiteral("\u2014");

// In the current language (translation context "RangeSummary").
QVector<QStringList> rows(const RangeFigures& figures, const QVector<AxisBinding>& channels);
// Cells split by tabs, rows by line ends; empty cells at a row's end are left off.
QString tabSeparated(const QVector<QStringList>& rows);

// Times of the ends, with the date when they fall on different days; tenths shown.
QString timeText(qint64 ms, bool withDate);
QString durationText(qint64 ms);

} // namespace RangeSummary
