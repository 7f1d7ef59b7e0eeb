// SPDX-License-Identifier: GPL-3.0-or-later
#include "RangeStatistics.h"

#include "MinMaxPyramid.h"
#include "RunningSums.h"
#include "SampleStore.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qint64 msPerSec = 1000;
constexpr double milliampHoursPerAmpSecond = 1000.0 / 3600.0;
constexpr double secondsPerHour = 3600.0;

qint64 floorSecs(qint64 ms) {
    return ms / msPerSec - (ms % msPerSec < 0 ? 1 : 0);
}

qint64 ceilSecs(qint64 ms) {
    return -floorSecs(-ms);
}

// Records at or before atMs.
int recordsUpTo(const SampleStore& store, qint64 atMs) {
    return store.lowerBound(floorSecs(atMs) + 1);
}

// The integrals from the recording's start up to atMs: the running totals up to the
// last point at or before atMs, then the part of the trapezoid towards the next point
// that lies before atMs, the reading taken as linear between the two points.
struct Integrals {
    RunningSums::Totals totals;
    double ampSeconds = 0;
    double wattSeconds = 0;
    double coveredSecs = 0;
};

Integrals integralsTo(const SampleStore& store, const RunningSums& sums, qint64 atMs) {
    const int upTo = recordsUpTo(store, atMs);
    Integrals in{sums.before(store, upTo)};
    const int last = in.totals.lastPoint;
    if (last < 0)
        return in;
    const qint64 lastSecs = store.timeAt(last);
    for (int i = upTo; i < store.size(); ++i) {
        const qint64 secs = store.timeAt(i);
        if (secs <= lastSecs || !RunningSums::hasPowerReading(store, i))
            continue;
        if (!RunningSums::isWithinReportGap(lastSecs, secs))
            break;
        const double into = double(atMs - lastSecs * msPerSec) / msPerSec;
        const double part = into / double(secs - lastSecs);
        const auto areaTo = [&](int channel) {
            const double a = store.value(channel, last);
            const double b = store.value(channel, i);
            return (a + (a + (b - a) * part)) / 2 * into;
        };
        in.ampSeconds = areaTo(IBUS);
        in.wattSeconds = areaTo(POWER);
        in.coveredSecs = into;
        break;
    }
    return in;
}

} // namespace

namespace RangeStatistics {

RecordSpan recordsIn(const SampleStore& store, qint64 fromMs, qint64 toMs) {
    const int first = store.lowerBound(ceilSecs(fromMs));
    return {first, std::max(first, recordsUpTo(store, toMs))};
}

RangeFigures measure(const SampleStore& store, const MinMaxPyramid& pyramid,
                     const RunningSums& sums, qint64 fromMs, qint64 toMs) {
    if (toMs < fromMs)
        std::swap(fromMs, toMs);
    RangeFigures f;
    f.fromMs = fromMs;
    f.toMs = toMs;
    f.records = recordsIn(store, fromMs, toMs);
    const RunningSums::Totals before = sums.before(store, f.records.first);
    const RunningSums::Totals through = sums.before(store, f.records.last);
    for (int k = 0; k < recordedChannelCount; ++k) {
        RangeFigures::Channel& c = f.channels[static_cast<size_t>(k)];
        const auto at = static_cast<size_t>(k);
        c.count = through.counts[at] - before.counts[at];
        if (c.count == 0)
            continue;
        c.span = pyramid.span(store, k, f.records.first, f.records.last);
        c.mean = through.sums[at].since(before.sums[at]) / c.count;
    }
    // Gaps that end after the start and begin before the end.
    const int firstGapEnd = recordsUpTo(store, fromMs);
    const int lastGapEnd = std::min(store.lowerBound(ceilSecs(toMs)), store.size() - 1);
    if (firstGapEnd <= lastGapEnd)
        f.gaps = sums.before(store, lastGapEnd + 1).gaps - sums.before(store, firstGapEnd).gaps;

    const Integrals from = integralsTo(store, sums, fromMs);
    const Integrals to = integralsTo(store, sums, toMs);
    f.coveredSecs =
        double(to.totals.coveredSecs - from.totals.coveredSecs) + to.coveredSecs - from.coveredSecs;
    if (f.coveredSecs > 0) {
        const double ampSeconds =
            to.totals.ampSeconds.since(from.totals.ampSeconds) + to.ampSeconds - from.ampSeconds;
        const double wattSeconds = to.totals.wattSeconds.since(from.totals.wattSeconds) +
                                   to.wattSeconds - from.wattSeconds;
        f.milliampHours = ampSeconds * milliampHoursPerAmpSecond;
        f.wattHours = wattSeconds / secondsPerHour;
    }
    return f;
}

} // namespace RangeStatistics
