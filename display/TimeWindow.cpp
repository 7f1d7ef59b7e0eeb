// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeWindow.h"

#include <algorithm>
#include <cmath>

namespace TimeWindow {

namespace {
constexpr qint64 secondsPerDay = 86400;
// The date-time axis keeps times as unsigned 32-bit second counts: zooming out stops there.
constexpr double latestSeconds = 4294967295.0;

qint64 wholeSeconds(double secs) {
    return static_cast<qint64>(std::clamp(secs, 0.0, latestSeconds));
}
} // namespace

TimeRange startWindow(qint64 startMs) {
    return {startMs, startMs + windowSeconds * msPerSecond};
}

std::optional<TimeRange> accumulateWindow(int points, bool followSuspended, qint64 runStartSecs,
                                          qint64 lastSecs) {
    if (points <= pointsBeforeFollow || followSuspended)
        return std::nullopt;
    return TimeRange::ofSeconds(runStartSecs, lastSecs + 1);
}

std::optional<TimeRange> scrollWindow(qint64 runWindowEndSecs, qint64 nowSecs) {
    if (nowSecs <= runWindowEndSecs)
        return std::nullopt;
    return TimeRange::ofSeconds(nowSecs - windowSeconds + 1, nowSecs + 1);
}

TimeRange zoomed(const TimeRange& range, double cursorFraction, bool zoomIn) {
    const double fraction =
        std::isfinite(cursorFraction) ? std::clamp(cursorFraction, 0.0, 1.0) : 0.5;
    const double min = static_cast<double>(range.minMs / msPerSecond);
    const double max = static_cast<double>(range.maxMs / msPerSecond);
    const double tc = min + (max - min) * fraction;
    double newMin = 0;
    double newMax = 0;
    if (!zoomIn) {
        newMin = tc - (tc - min) * zoomFactor;
        newMax = tc + (max - tc) * zoomFactor;
    } else if (tc - min <= 1.0 || max - tc <= 1.0) {
        newMin = tc - 1.0;
        newMax = tc + 1.0;
    } else {
        newMin = tc - (tc - min) / zoomFactor;
        newMax = tc + (max - tc) / zoomFactor;
    }
    const qint64 lo = wholeSeconds(newMin);
    const qint64 hi = std::max(wholeSeconds(newMax), lo + narrowestZoomSeconds);
    return TimeRange::ofSeconds(lo, hi);
}

TimeRange panned(const TimeRange& range, double dxPixels, double plotWidth) {
    if (!(plotWidth > 0) || !std::isfinite(dxPixels))
        return range;
    const auto shift = static_cast<qint64>(
        std::llround(dxPixels / plotWidth * static_cast<double>(range.spanMs())));
    return {range.minMs - shift, range.maxMs - shift};
}

QString labelFormat(const TimeRange& range) {
    if (range.spanMs() <= secondsPerDay * msPerSecond)
        return QStringLiteral("hh:mm:ss");
    return QStringLiteral("MM-dd hh:mm");
}

} // namespace TimeWindow
