// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CompensatedSum.h"
#include "MeterReading.h"

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <vector>

class SampleStore;

// Totals of a recording from its first record on, kept as records arrive, so the figures
// of any stretch cost a few look-ups and short scans instead of a walk over the stretch.
// The walk is saved every 32 records (about 6.5 bytes a record); the totals before any
// record are the saved ones plus at most 31 steps.
//
// Per channel: the sum and count of the values that are measurements (finite). Charge
// and energy: integrated as the capacity page integrates them, trapezoids from one point
// to the next, where a point is a record whose voltage, current and power are all finite
// and whose time lies after the previous point's; a step of more than the capacity
// page's report gap adds nothing. Gaps: records more than that gap after the one before.
class RunningSums {
public:
    static constexpr int blockShift = 5;
    static constexpr int blockRecords = 1 << blockShift;

    struct Totals {
        std::array<CompensatedSum, recordedChannelCount> sums{};
        std::array<qint32, recordedChannelCount> counts{};
        CompensatedSum ampSeconds, wattSeconds;
        qint64 coveredSecs = 0; // the time the two integrals span
        qint32 gaps = 0;
        qint32 lastPoint = -1; // the last point integrated, -1 before the first
    };

    // Takes in the records the store gained since the last call. A store that shrank was
    // cleared: the sums start again. A store replaced wholesale needs reset() first.
    void sync(const SampleStore& store);
    void reset();

    // Totals of records [0, records) of the synced store (records the sums have not yet
    // taken in are read from the store).
    Totals before(const SampleStore& store, int records) const;

    // Whether record i can be a point of the integrals, and the step from the last point
    // to it; shared by the walk and by the figures of a stretch that ends between points.
    static bool hasPowerReading(const SampleStore& store, int i);
    static bool isWithinReportGap(qint64 fromSecs, qint64 toSecs);

    std::size_t memoryBytes() const;

private:
    static void step(Totals& totals, const SampleStore& store, int i);

    std::vector<Totals> saved; // saved[b]: the totals before record b * blockRecords
    Totals live;
    int taken = 0;
};
