// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The arithmetic of the chart's time axis, without any widget: the windows of the two
// display modes, wheel zoom and drag pan, and the label format. Times are milliseconds
// since the epoch, the unit of the chart's date-time axis, unless a name says seconds.
struct TimeRange {
    static constexpr qint64 msPerSecond = 1000;

    qint64 minMs = 0;
    qint64 maxMs = 0;

    static TimeRange ofSeconds(qint64 fromSecs, qint64 toSecs) {
        return {fromSecs * msPerSecond, toSecs * msPerSecond};
    }

    qint64 spanMs() const { return maxMs - minMs; }
    bool operator==(const TimeRange& o) const { return minMs == o.minMs && maxMs == o.maxMs; }
    bool operator!=(const TimeRange& o) const { return !(*this == o); }
};

namespace TimeWindow {

inline constexpr qint64 msPerSecond = TimeRange::msPerSecond;
inline constexpr int windowSeconds = 10;
// A run's first points fill the start window before the accumulating axis follows.
inline constexpr int pointsBeforeFollow = 10;
inline constexpr double zoomFactor = 1.5;
inline constexpr qint64 narrowestZoomSeconds = 2;

// [start, start + 10 s], the window of a run start.
TimeRange startWindow(qint64 startMs);
// Accumulate: the whole run, [run start, last sample + 1 s], once the run holds more
// than ten points and the user has not taken the axis over; empty otherwise.
std::optional<TimeRange> accumulateWindow(int points, bool followSuspended, qint64 runStartSecs,
                                          qint64 lastSecs);
// Scroll: the last nine seconds and one ahead, once the run has left its start window.
std::optional<TimeRange> scrollWindow(qint64 runWindowEndSecs, qint64 nowSecs);

// One wheel step around the time under the cursor (cursorFraction of the plot width from
// its left edge): 1.5 times narrower or wider, whole seconds, never narrower than 2 s.
TimeRange zoomed(const TimeRange& range, double cursorFraction, bool zoomIn);
// A drag of dx pixels over a plot plotWidth pixels wide: the content follows the mouse,
// so dragging to the right brings earlier times into view.
TimeRange panned(const TimeRange& range, double dxPixels, double plotWidth);

// "hh:mm:ss" while the range lies within one day; with the date beyond that, so the
// labels of a recording of several days tell one night from the next.
QString labelFormat(const TimeRange& range);

} // namespace TimeWindow
