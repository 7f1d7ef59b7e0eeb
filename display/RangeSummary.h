// SPDX-License-Identifier: GPL-3.0-or-later
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
// The column titles' row, and the first channel's just below it.
inline constexpr int titleRow = 3;
inline constexpr int firstChannelRow = 4;
inline const QString noFigure = QStringLiteral("\u2014");

// In the current language (translation context "RangeSummary").
QVector<QStringList> rows(const RangeFigures& figures, const QVector<AxisBinding>& channels);
// Cells split by tabs, rows by line ends; empty cells at a row's end are left off.
QString tabSeparated(const QVector<QStringList>& rows);

} // namespace RangeSummary
