// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningSums.h"

#include "CapacityMeter.h"
#include "SampleStore.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 msPerSec = 1000;

} // namespace

void RunningSums::reset() {
    saved.clear();
    live = Totals();
    taken = 0;
}

void RunningSums::sync(const SampleStore& store) {
    if (store.size() < taken)
        reset();
    for (; taken < store.size(); ++taken) {
        if (taken % blockRecords == 0)
            saved.push_back(live);
        step(live, store, taken);
    }
}

RunningSums::Totals RunningSums::before(const SampleStore& store, int records) const {
    records = std::clamp(records, 0, store.size());
    const int block = std::min(records >> blockShift, static_cast<int>(saved.size()) - 1);
    Totals totals = block >= 0 ? saved[static_cast<size_t>(block)] : Totals();
    for (int i = std::max(block, 0) << blockShift; i < records; ++i)
        step(totals, store, i);
    return totals;
}

bool RunningSums::hasPowerReading(const SampleStore& store, int i) {
    return std::isfinite(store.value(VBUS, i)) && std::isfinite(store.value(IBUS, i)) &&
           std::isfinite(store.value(POWER, i));
}

bool RunningSums::isWithinReportGap(qint64 fromSecs, qint64 toSecs) {
    return (toSecs - fromSecs) * msPerSec <= CapacityMeter::maxReportGapMs;
}

void RunningSums::step(Totals& totals, const SampleStore& store, int i) {
    const qint64 time = store.timeAt(i);
    if (i > 0 && !isWithinReportGap(store.timeAt(i - 1), time))
        ++totals.gaps;
    for (int k = 0; k < recordedChannelCount; ++k) {
        const float v = store.value(k, i);
        if (std::isfinite(v)) {
            totals.sums[static_cast<size_t>(k)].add(v);
            ++totals.counts[static_cast<size_t>(k)];
        }
    }
    if (!hasPowerReading(store, i))
        return;
    const int last = totals.lastPoint;
    if (last >= 0) {
        const qint64 lastTime = store.timeAt(last);
        if (time <= lastTime)
            return; // a clock that stepped back: the capacity page drops such a report
        if (isWithinReportGap(lastTime, time)) {
            const auto dt = static_cast<double>(time - lastTime);
            totals.ampSeconds.add((double(store.value(IBUS, last)) + store.value(IBUS, i)) / 2 *
                                  dt);
            totals.wattSeconds.add((double(store.value(POWER, last)) + store.value(POWER, i)) / 2 *
                                   dt);
            totals.coveredSecs += time - lastTime;
        }
    }
    totals.lastPoint = i;
}

std::size_t RunningSums::memoryBytes() const {
    return saved.capacity() * sizeof(Totals);
}
