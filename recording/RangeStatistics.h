// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"
#include "ValueSpan.h"

#include <QtGlobal>

#include <array>
#include <optional>

class MinMaxPyramid;
class RunningSums;
class SampleStore;

// Records [first, last) of a store.
struct RecordSpan {
    int first = 0;
    int last = 0;
    int count() const { return last - first; }
};

// The figures of a stretch of a recording, from fromMs to toMs (milliseconds since the
// epoch, both ends included; a stretch may start or end between two records). Values
// that are no measurement (NaN, infinite) are left out of every figure. A figure that has
// no meaning for the stretch is empty: no minimum, maximum or mean without a value, no
// charge or energy where the stretch covers no integrated time (inside a gap, past the
// end, one sample alone).
struct RangeFigures {
    struct Channel {
        ValueSpan span;
        int count = 0; // finite values
        std::optional<double> mean;
    };

    qint64 fromMs = 0;
    qint64 toMs = 0;
    RecordSpan records; // the records whose time lies in the stretch
    int gaps = 0;       // gaps of the recording that reach into the stretch
    std::array<Channel, recordedChannelCount> channels{};
    std::optional<double> milliampHours;
    std::optional<double> wattHours;
    double coveredSecs = 0; // the time the charge and energy span

    qint64 durationMs() const { return toMs - fromMs; }
};

namespace RangeStatistics {

// The records whose time lies in [fromMs, toMs] of a store whose times grow.
RecordSpan recordsIn(const SampleStore& store, qint64 fromMs, qint64 toMs);

// Figures from the pyramid and the running sums, both synced with the store; the ends may
// come in either order. Costs a few block reads and short scans, whatever the length.
RangeFigures measure(const SampleStore& store, const MinMaxPyramid& pyramid,
                     const RunningSums& sums, qint64 fromMs, qint64 toMs);

} // namespace RangeStatistics
